package waba.util;

/** A map from keys to values, compared with equals(). Null keys are not stored. */
public class Hashtable {
    private final java.util.HashMap<Object, Object> map;

    public Hashtable() { this(16); }

    public Hashtable(int capacity) { map = new java.util.HashMap<Object, Object>(Math.max(capacity, 1)); }

    /** Stores the value under the key and returns the value it replaces, or null. */
    public Object put(Object key, Object value) { return key == null ? null : map.put(key, value); }

    public Object get(Object key) { return key == null ? null : map.get(key); }

    public Object remove(Object key) { return key == null ? null : map.remove(key); }

    public boolean exists(Object key) { return key != null && map.containsKey(key); }

    public int size() { return map.size(); }

    public void clear() { map.clear(); }

    /** The keys, in no particular order. */
    public Vector getKeys() {
        Vector keys = new Vector(Math.max(map.size(), 1));
        for (Object key : map.keySet())
            keys.addElement(key);
        return keys;
    }

    /** The values, in no particular order. */
    public Vector getValues() {
        Vector values = new Vector(Math.max(map.size(), 1));
        for (Object value : map.values())
            values.addElement(value);
        return values;
    }
}
