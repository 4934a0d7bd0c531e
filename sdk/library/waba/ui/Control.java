package waba.ui;

import waba.fx.Color;
import waba.fx.Font;
import waba.fx.FontMetrics;
import waba.fx.Graphics;
import waba.fx.Image;
import waba.fx.Rect;
import waba.sys.Settings;

/**
 * The base of everything on the screen: a rectangle inside its parent container that paints itself and
 * reacts to events.
 *
 * Positions and sizes given to {@link #setRect(int, int, int, int)} and Container.add may be relative:
 * one of the placement constants plus a small offset in pixels, e.g. {@code AFTER + 2} is two pixels after
 * the control placed before, {@code RIGHT - 1} one pixel left of the right edge of the parent's client
 * area, {@code PREFERRED} the control's preferred size.
 */
public class Control {
    public static final int PREFERRED = 10000000;
    public static final int LEFT = 20000000;
    public static final int CENTER = 30000000;
    public static final int RIGHT = 40000000;
    public static final int TOP = 50000000;
    public static final int BOTTOM = 60000000;
    public static final int FILL = 70000000;
    public static final int BEFORE = 80000000;
    public static final int SAME = 90000000;
    public static final int AFTER = 100000000;
    // How far an offset may reach from its constant; the constants are ten million apart.
    private static final int REACH = 4999999;

    protected int x;
    protected int y;
    protected int width;
    protected int height;
    protected Container parent;
    protected boolean enabled = true;
    protected boolean visible = true;
    /** Metrics of the control's font. */
    protected FontMetrics fm = new FontMetrics(Font.getDefaultFont());
    private Font font;
    private Color foreColor;
    private Color backColor;

    /** Places the control; each value may be absolute or relative (see the class comment). */
    public void setRect(int x, int y, int width, int height) {
        Rect area = parent != null ? parent.getClientRect()
                                   : new Rect(0, 0, Settings.screenWidth, Settings.screenHeight);
        Control previous = parent != null ? parent.lastPlaced : null;
        Rect before =
            previous != null && previous != this ? previous.getRect() : new Rect(area.x, area.y, 0, 0);

        int w = is(width, FILL) ? 0 : size(width, true, before.width);
        int h = is(height, FILL) ? 0 : size(height, false, before.height);
        int nx = position(x, w, area.x, area.width, before.x, before.width);
        int ny = position(y, h, area.y, area.height, before.y, before.height);
        if (is(width, FILL))
            w = area.x + area.width - nx + (width - FILL);
        if (is(height, FILL))
            h = area.y + area.height - ny + (height - FILL);

        this.x = nx;
        this.y = ny;
        this.width = Math.max(w, 0);
        this.height = Math.max(h, 0);
        if (parent != null)
            parent.lastPlaced = this;
        onBoundsChanged();
        repaint();
    }

    public void setRect(Rect r) { setRect(r.x, r.y, r.width, r.height); }

    /** The position and size in the parent's coordinates. */
    public Rect getRect() { return new Rect(x, y, width, height); }

    /** The position on the screen and the size. */
    public Rect getAbsoluteRect() {
        Rect r = getRect();
        for (Control c = parent; c != null; c = c.parent)
            r.translate(c.x, c.y);
        return r;
    }

    public int getWidth() { return width; }

    public int getHeight() { return height; }

    public int getPreferredWidth() { return 20; }

    public int getPreferredHeight() { return fm.getHeight(); }

    /** Whether the point, given in the parent's coordinates, lies inside the control. */
    public boolean contains(int px, int py) {
        return px >= x && py >= y && px < x + width && py < y + height;
    }

    public Container getParent() { return parent; }

    /** The window the control is shown in, or null while it is in none. */
    public Window getParentWindow() {
        Control c = this;
        while (c != null && !(c instanceof Window))
            c = c.parent;
        return (Window)c;
    }

    public void setEnabled(boolean enabled) {
        if (this.enabled != enabled) {
            this.enabled = enabled;
            repaint();
        }
    }

    public boolean isEnabled() { return enabled; }

    public void setVisible(boolean visible) {
        if (this.visible != visible) {
            this.visible = visible;
            repaint();
        }
    }

    public boolean isVisible() { return visible; }

    public void setFont(Font font) {
        this.font = font;
        fm = new FontMetrics(getFont());
        repaint();
    }

    /** The control's own font, else its parent's, else the default font. */
    public Font getFont() {
        if (font != null)
            return font;
        return parent != null ? parent.getFont() : Font.getDefaultFont();
    }

    public FontMetrics getFontMetrics(Font font) { return new FontMetrics(font); }

    public void setForeColor(Color color) {
        foreColor = color;
        repaint();
    }

    public void setBackColor(Color color) {
        backColor = color;
        repaint();
    }

    /** The control's own colour, else its parent's, else black. */
    public Color getForeColor() {
        if (foreColor != null)
            return foreColor;
        return parent != null ? parent.getForeColor() : Color.BLACK;
    }

    /** The control's own colour, else its parent's, else white. */
    public Color getBackColor() {
        if (backColor != null)
            return backColor;
        return parent != null ? parent.getBackColor() : Color.WHITE;
    }

    /** Asks for the screen to be painted again soon. */
    public void repaint() { waba.applet.Applet.requestRepaint(); }

    /** Makes this control the one that receives the keys. */
    public void requestFocus() {
        Window window = getParentWindow();
        if (window != null)
            window.setFocus(this);
    }

    public boolean hasFocus() {
        Window window = getParentWindow();
        return window != null && window.getFocus() == this;
    }

    /** Called with each event the control or one of its children receives. */
    public void onEvent(Event event) {}

    /** Paints the control; g is relative to the control's corner and clipped to it. */
    public void onPaint(Graphics g) {}

    /** Called after setRect moved or resized the control. */
    protected void onBoundsChanged() {}

    /** Hands the event to this control and then to each parent in turn, until one consumes it. */
    public void postEvent(Event event) {
        for (Control c = this; c != null && !event.consumed; c = c.parent)
            c.onEvent(event);
    }

    /** Whether a pen press on the control moves the keyboard focus to it. */
    boolean acceptsFocus() { return false; }

    /** The deepest visible control at the point (in this control's own coordinates). */
    Control controlAt(int px, int py) { return this; }

    /** Paints this control and what it holds into the screen picture; (absX, absY) is its corner. */
    void paintTree(Image screen, int absX, int absY, Rect visibleArea) {
        if (!visible)
            return;
        Rect area = visibleArea.intersection(new Rect(absX, absY, width, height));
        if (area.isEmpty())
            return;
        Graphics g = new Graphics(screen);
        g.translate(absX, absY);
        g.setClip(area.x - absX, area.y - absY, area.width, area.height);
        g.setFont(getFont());
        g.setForeColor(getForeColor());
        g.setBackColor(getBackColor());
        try {
            paintBackground(g);
            onPaint(g);
        } catch (RuntimeException e) {
            waba.applet.Applet.reportFailure("painting " + getClass().getName(), e);
        } finally {
            g.free();
        }
        paintChildren(screen, absX, absY, area);
    }

    /** What is painted before onPaint; containers clear their area here, so an onPaint never has to. */
    void paintBackground(Graphics g) {}

    void paintChildren(Image screen, int absX, int absY, Rect area) {}

    /** Text colour for the control's state. */
    Color textColor() { return enabled ? getForeColor() : Color.DARK; }

    private static boolean is(int value, int constant) {
        return value >= constant - REACH && value <= constant + REACH;
    }

    // Asks for the preferred size only when it is wanted: a subclass may compute it from fields that its
    // constructor has not set yet when a superclass constructor places it.
    private int size(int value, boolean horizontal, int previous) {
        if (is(value, PREFERRED))
            return (horizontal ? getPreferredWidth() : getPreferredHeight()) + (value - PREFERRED);
        if (is(value, SAME))
            return previous + (value - SAME);
        return value;
    }

    // Resolves one coordinate inside the client span [start, start + extent), given the previous
    // control's span for BEFORE, AFTER and SAME; LEFT/TOP and RIGHT/BOTTOM mean the same on either axis.
    private static int position(int value, int size, int start, int extent, int prevStart, int prevSize) {
        if (is(value, LEFT))
            return start + (value - LEFT);
        if (is(value, TOP))
            return start + (value - TOP);
        if (is(value, RIGHT))
            return start + extent - size + (value - RIGHT);
        if (is(value, BOTTOM))
            return start + extent - size + (value - BOTTOM);
        if (is(value, CENTER))
            return start + (extent - size) / 2 + (value - CENTER);
        if (is(value, BEFORE))
            return prevStart - size + (value - BEFORE);
        if (is(value, AFTER))
            return prevStart + prevSize + (value - AFTER);
        if (is(value, SAME))
            return prevStart + (value - SAME);
        return value;
    }
}
