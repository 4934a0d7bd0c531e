package waba.ui;

import waba.fx.Color;
import waba.fx.Font;
import waba.fx.FontMetrics;
import waba.fx.Graphics;
import waba.fx.Image;
import waba.fx.Rect;
import waba.sys.Settings;

/**
 * A window: the main window, or a popup shown over it with {@link #popupModal(Window)}. Only the topmost
 * window receives pen and key events. A popup does not block the caller; it stays up until its
 * {@link #unpop()}, after which the window below receives a ControlEvent.WINDOW_CLOSED whose target is
 * the closed window.
 */
public class Window extends Container {
    public static final byte NO_BORDER = 0;
    public static final byte RECT_BORDER = 1;
    public static final byte ROUND_BORDER = 2;
    public static final byte TAB_BORDER = 3;
    public static final byte TAB_ONLY_BORDER = 4;

    // The main window first, the topmost popup last.
    private static final java.util.ArrayList<Window> stack = new java.util.ArrayList<Window>();

    protected String title;
    protected byte borderStyle;
    private Control focus;
    private Control penTarget;

    public Window() { this(null, NO_BORDER); }

    public Window(String title, byte borderStyle) {
        this.title = title;
        this.borderStyle = borderStyle;
        setRect(0, 0, Settings.screenWidth, Settings.screenHeight);
    }

    public void setTitle(String title) {
        this.title = title;
        repaint();
    }

    public String getTitle() { return title; }

    public void setBorderStyle(byte borderStyle) {
        this.borderStyle = borderStyle;
        repaint();
    }

    public byte getBorderStyle() { return borderStyle; }

    /** The area inside the border and below the title. */
    public Rect getClientRect() {
        int border = borderWidth();
        int top = Math.max(titleHeight(), border);
        return new Rect(border, top, width - 2 * border, height - top - border);
    }

    /** Shows the window over all others; it receives the pen and keys until it is unpopped. */
    public void popupModal(Window window) {
        if (window == null || window instanceof MainWindow || stack.contains(window))
            return;
        stack.add(window);
        window.onPopup();
        repaint();
    }

    /** Shows this window over all others. */
    public void popupModal() { popupModal(this); }

    /** Closes this popup if it is the topmost one. */
    public void unpop() {
        if (stack.isEmpty() || stack.get(stack.size() - 1) != this || this instanceof MainWindow)
            return;
        stack.remove(stack.size() - 1);
        penTarget = null;
        onUnpop();
        repaint();
        Window below = getTopMost();
        if (below != null)
            below.postEvent(new ControlEvent(ControlEvent.WINDOW_CLOSED, this));
    }

    /** Called when the window has been popped up. */
    protected void onPopup() {}

    /** Called when the window has been closed. */
    protected void onUnpop() {}

    /** The window that receives events now, or null before the main window exists. */
    public static Window getTopMost() { return stack.isEmpty() ? null : stack.get(stack.size() - 1); }

    public void setFocus(Control control) {
        if (control == focus)
            return;
        Control old = focus;
        focus = control;
        if (old != null)
            old.postEvent(new ControlEvent(ControlEvent.FOCUS_OUT, old));
        if (control != null)
            control.postEvent(new ControlEvent(ControlEvent.FOCUS_IN, control));
    }

    public Control getFocus() { return focus; }

    /**
     * Delivers raw input from the desktop: a pen event at screen coordinates x, y, or a KeyEvent.KEY_PRESS
     * with its key. The pen goes to the deepest enabled control under it, and drag and up events to the
     * control that got the down event; keys go to the focused control, else to the window.
     */
    public void _postEvent(int type, int key, int x, int y, int modifiers) {
        if (type == KeyEvent.KEY_PRESS) {
            Control target = focus != null && focus.getParentWindow() == this && focus.enabled ? focus : this;
            target.postEvent(new KeyEvent(type, target, key, modifiers));
            return;
        }
        Control target;
        if (type == PenEvent.PEN_DOWN) {
            if (!contains(x, y))
                return; // a modal window ignores the pen outside it
            target = controlAt(x - this.x, y - this.y);
            while (target != null && !target.enabled)
                target = target.parent;
            if (target == null)
                return;
            penTarget = target;
            if (target.acceptsFocus())
                setFocus(target);
        } else if (type == PenEvent.PEN_DRAG || type == PenEvent.PEN_UP) {
            target = penTarget;
            if (type == PenEvent.PEN_UP)
                penTarget = null;
            if (target == null)
                return;
        } else {
            return;
        }
        Rect at = target.getAbsoluteRect();
        target.postEvent(new PenEvent(type, target, x - at.x, y - at.y, modifiers));
    }

    /** Paints every window, the main window first, into the screen picture. */
    public static void _paintAll(Image screen) {
        Rect whole = new Rect(0, 0, screen.getWidth(), screen.getHeight());
        for (Window window : stack.toArray(new Window[stack.size()]))
            window.paintTree(screen, window.x, window.y, whole);
    }

    /** Drops references to a control that leaves the window. */
    void forget(Control control) {
        for (Control c = focus; c != null; c = c.parent)
            if (c == control) {
                focus = null;
                break;
            }
        for (Control c = penTarget; c != null; c = c.parent)
            if (c == control) {
                penTarget = null;
                break;
            }
    }

    static void makeMain(Window main) {
        if (stack.isEmpty())
            stack.add(main);
    }

    void paintBackground(Graphics g) {
        super.paintBackground(g);
        int titleHeight = titleHeight();
        Color fore = getForeColor();
        Color back = getBackColor();
        g.setForeColor(fore);
        switch (borderStyle) {
        case RECT_BORDER:
            g.drawRect(0, 0, width, height);
            break;
        case ROUND_BORDER:
            g.drawRoundRect(0, 0, width, height, 3);
            break;
        case TAB_BORDER:
            g.drawRect(0, Math.max(titleHeight - 1, 0), width, height - Math.max(titleHeight - 1, 0));
            break;
        default:
            break;
        }
        if (titleHeight == 0)
            return;
        Font bold = new Font(getFont().name, Font.BOLD, getFont().size);
        FontMetrics metrics = new FontMetrics(bold);
        int textWidth = metrics.getTextWidth(title);
        g.setFont(bold);
        g.setBackColor(fore);
        if (borderStyle == TAB_BORDER || borderStyle == TAB_ONLY_BORDER) {
            // A tab holding the title at the top left, above a line across the window.
            g.fillRoundRect(0, 0, textWidth + 8, titleHeight, 2);
            g.fillRect(0, titleHeight - 2, width, 2);
            g.setForeColor(back);
            g.drawText(title, 4, 1);
        } else {
            g.fillRect(1, 1, width - 2, titleHeight - 1);
            g.setForeColor(back);
            g.drawText(title, (width - textWidth) / 2, 1);
        }
        g.setFont(getFont());
        g.setForeColor(fore);
        g.setBackColor(back);
    }

    private int titleHeight() {
        if (title == null || title.length() == 0 || borderStyle == NO_BORDER)
            return 0;
        return new FontMetrics(new Font(getFont().name, Font.BOLD, getFont().size)).getHeight() + 2;
    }

    private int borderWidth() {
        return borderStyle == RECT_BORDER || borderStyle == ROUND_BORDER || borderStyle == TAB_BORDER ? 1 : 0;
    }
}
