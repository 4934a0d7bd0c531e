package waba.ui;

/** The pen (the mouse on the desktop) went down, moved while down, or went up. */
public class PenEvent extends Event {
    public static final int PEN_DOWN = 200;
    public static final int PEN_MOVE = 201;
    public static final int PEN_UP = 202;
    public static final int PEN_DRAG = 203;

    /** Position relative to the target control, also while the event goes on to its parents. */
    public int x;
    public int y;
    /** IKeys.SHIFT, IKeys.CONTROL and IKeys.ALT as held on the desktop keyboard. */
    public int modifiers;

    public PenEvent() {}

    public PenEvent(int type, Control target, int x, int y, int modifiers) {
        this.type = type;
        this.target = target;
        this.x = x;
        this.y = y;
        this.modifiers = modifiers;
    }
}
