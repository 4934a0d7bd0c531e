package modern;

public sealed interface Shape permits Circle, Square, Shape.Other {
    double area();

    non-sealed interface Other extends Shape {
    }

    static String describe(Shape shape) {
        return switch ((int) shape.area()) {
            default -> "shape";
        };
    }
}

final class Circle implements Shape {
    private final double radius = 1;
    String json = """
        { "name": "circle", "kind": "}" }
        \""" still inside
        class NotAClass { int nope; }
        """;
    String after = "after the text block";
    int kind = switch (json.length()) {
        case 0 -> 1;
        case 1, 2 -> {
            int temp = 3;
            yield temp;
        }
        default -> {
            class InSwitch {
                int insideSwitch;
            }
            yield 0;
        }
    };

    public double area() {
        Object o = this;
        if (o instanceof Circle c && c.radius > 0) {
            var local = c.radius;
            return Math.PI * local * local;
        }
        return 0;
    }

    java.util.function.Function<Integer, Integer> twice = n -> {
        return n * 2;
    };
    Runnable ref = System.out::println;
}

record Square(double side) implements Shape {
    public double area() {
        return side * side;
    }
}
