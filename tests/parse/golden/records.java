import java.util.Objects;

public record Range(int low, int high) {
    public Range {
        if (low > high) {
            throw new IllegalArgumentException();
        }
    }

    public Range(int single) {
        this(single, single);
    }

    static int count;

    int length() {
        return high - low;
    }

    record Pair<A, B>(A first, B second) implements Comparable<Pair<A, B>> {
        Pair {
            Objects.requireNonNull(first);
        }

        public int compareTo(Pair<A, B> other) {
            return 0;
        }
    }

    record Empty() {
    }

    record Annotated(@Deprecated int[] values, java.util.List<String> names, String... rest) {
    }

    static Range of(Object record) {
        Object rec = record;
        record Local(int v) {
        }
        return new Range(new Local(1).v());
    }

    String record() {
        return "record";
    }
}
