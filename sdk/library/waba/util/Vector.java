package waba.util;

/**
 * A growing list of objects. The elements live in the public array {@link #items}, of which the first
 * {@link #count} are in use, so loops may read them directly.
 */
public class Vector {
    public Object[] items;
    public int count;

    public Vector() { this(8); }

    public Vector(int capacity) { items = new Object[Math.max(capacity, 1)]; }

    public void addElement(Object element) { insert(count, element); }

    public void add(Object element) { insert(count, element); }

    /** Inserts at index, moving later elements up; an index outside 0..size() is ignored. */
    public void insert(int index, Object element) {
        if (index < 0 || index > count)
            return;
        if (count == items.length) {
            Object[] bigger = new Object[items.length * 2];
            System.arraycopy(items, 0, bigger, 0, count);
            items = bigger;
        }
        System.arraycopy(items, index, items, index + 1, count - index);
        items[index] = element;
        count++;
    }

    /** The element at index, or null outside the list. */
    public Object get(int index) { return index >= 0 && index < count ? items[index] : null; }

    public Object elementAt(int index) { return get(index); }

    public void set(int index, Object element) {
        if (index >= 0 && index < count)
            items[index] = element;
    }

    /** Removes the element at index; an index outside the list is ignored. */
    public void del(int index) {
        if (index < 0 || index >= count)
            return;
        System.arraycopy(items, index + 1, items, index, count - index - 1);
        items[--count] = null;
    }

    public void removeElementAt(int index) { del(index); }

    /** Removes the first element equal to the given one; returns whether one was found. */
    public boolean removeElement(Object element) {
        int index = indexOf(element);
        del(index);
        return index >= 0;
    }

    public int indexOf(Object element) {
        for (int i = 0; i < count; i++)
            if (element == null ? items[i] == null : element.equals(items[i]))
                return i;
        return -1;
    }

    public boolean contains(Object element) { return indexOf(element) >= 0; }

    public int size() { return count; }

    public boolean isEmpty() { return count == 0; }

    public void removeAllElements() {
        for (int i = 0; i < count; i++)
            items[i] = null;
        count = 0;
    }

    public void clear() { removeAllElements(); }

    public Object[] toObjectArray() {
        Object[] copy = new Object[count];
        System.arraycopy(items, 0, copy, 0, count);
        return copy;
    }
}
