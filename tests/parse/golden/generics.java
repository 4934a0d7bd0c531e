import java.util.*;
import java.util.function.*;

public class Box<T extends Comparable<? super T>, U> implements Iterable<T> {
    private List<T> items = new ArrayList<T>(), spare = new ArrayList<>();
    Map<String, List<Map<Integer, T>>> deep = new HashMap<String, List<Map<Integer, T>>>(), empty;
    List<? extends Number>[] wildcards;
    int a = 1, b = a < 2 ? 3 : 4, c = b > 1 ? 1 : 0;
    boolean less = a < b, more = c > b;
    List<String> typed = Collections.<String>emptyList(), untyped;
    Supplier<Map<String, Integer>> factory = HashMap<String, Integer>::new, other;
    BiFunction<Integer, Integer, Integer> add = (x, y) -> x + y, sub = (x, y) -> x - y;
    int shifted = 256 >> 2, unsigned = -1 >>> 28;

    public <R extends Comparable<R>> Box(R seed, Collection<? extends T> from) {
    }

    public static <K, V extends List<? super K>> Map<K, V> index(Map<? extends K, ? extends V> source) {
        return null;
    }

    <E extends Exception> void fail(Class<E>[] types) throws E {
    }

    public Iterator<T> iterator() {
        return items.iterator();
    }

    void receiver(Box<T, U> this, int value) {
    }

    class Node {
        Node(Box<T, U> Box.this, T value) {
        }
    }

    static <T> T[] toArray(List<T> list, T... extra) {
        return null;
    }
}
