import java.lang.annotation.*;

@Retention(RetentionPolicy.RUNTIME)
@Target({ElementType.TYPE, ElementType.METHOD, ElementType.FIELD, ElementType.PARAMETER, ElementType.CONSTRUCTOR})
public @interface Marker {
    String value() default "";

    int[] numbers() default {1, 2, 3};

    Class<?> type() default Object.class;

    ElementType[] targets() default {};

    int CONSTANT = 7;

    @interface Nested {
        boolean flag() default false;
    }

    enum Level { LOW, HIGH }
}

@Marker(value = "x", numbers = {4, 5})
@SuppressWarnings({"unchecked", "rawtypes"})
class Annotated {
    @Deprecated
    @SuppressWarnings("unused")
    private int field;

    @Marker(value = "{") int other;

    java.util.@Tag List qualified;

    String @Tag [] annotatedArray;

    @Override
    public String toString() {
        return super.toString();
    }

    void parameters(@Deprecated final String name, @Marker(numbers = {1}) int count) {
    }

    @Marker
    Annotated() {
    }
}

@Target(ElementType.TYPE_USE)
@interface Tag {
}
