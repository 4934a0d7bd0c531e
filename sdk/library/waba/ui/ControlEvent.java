package waba.ui;

/** An event that a control sends about itself. */
public class ControlEvent extends Event {
    /** A button was pressed, a check box or radio toggled, an edit's text changed. */
    public static final int PRESSED = 300;
    public static final int FOCUS_IN = 301;
    public static final int FOCUS_OUT = 302;
    public static final int TIMER = 303;
    /** A popup window was closed; the target is the window. */
    public static final int WINDOW_CLOSED = 304;

    public ControlEvent() {}

    public ControlEvent(int type, Control target) {
        this.type = type;
        this.target = target;
    }
}
