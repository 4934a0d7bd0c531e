package waba.ui;

/** A key was pressed: a character, or one of the special keys of {@link IKeys}. */
public class KeyEvent extends Event {
    public static final int KEY_PRESS = 100;

    /** The character typed, or an IKeys code. */
    public int key;
    /** IKeys.SHIFT, IKeys.CONTROL and IKeys.ALT. */
    public int modifiers;

    public KeyEvent() {}

    public KeyEvent(int type, Control target, int key, int modifiers) {
        this.type = type;
        this.target = target;
        this.key = key;
        this.modifiers = modifiers;
    }

    /** Whether the key is a printable character rather than a special key. */
    public boolean isPrintable() { return key >= 32 && key < IKeys.PAGE_UP && key != 127; }
}
