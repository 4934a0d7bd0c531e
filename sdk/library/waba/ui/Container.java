package waba.ui;

import waba.fx.Graphics;
import waba.fx.Image;
import waba.fx.Rect;

/** A control that holds other controls. Controls added later lie on top of earlier ones. */
public class Container extends Control {
    private final java.util.ArrayList<Control> children = new java.util.ArrayList<Control>();
    /** The control placed last, which BEFORE, AFTER and SAME refer to. */
    Control lastPlaced;

    /** Adds the control; place it with its setRect afterwards. */
    public void add(Control control) {
        if (control == null || control == this || control instanceof Window)
            return;
        if (control.parent != null)
            control.parent.remove(control);
        children.add(control);
        control.parent = this;
        // The control may now inherit another font.
        control.fm = new waba.fx.FontMetrics(control.getFont());
        repaint();
    }

    /** Adds the control at x, y with its preferred size. */
    public void add(Control control, int x, int y) { add(control, x, y, PREFERRED, PREFERRED); }

    public void add(Control control, int x, int y, int width, int height) {
        add(control);
        if (control != null && control.parent == this)
            control.setRect(x, y, width, height);
    }

    public void remove(Control control) {
        if (control == null || control.parent != this)
            return;
        Window window = getParentWindow();
        if (window != null)
            window.forget(control);
        children.remove(control);
        control.parent = null;
        if (lastPlaced == control)
            lastPlaced = null;
        repaint();
    }

    public void removeAll() {
        while (!children.isEmpty())
            remove(children.get(children.size() - 1));
    }

    public Control[] getChildren() { return children.toArray(new Control[children.size()]); }

    /** The part of the container that children fill, in the container's coordinates. */
    public Rect getClientRect() { return new Rect(0, 0, width, height); }

    /** The topmost visible child at the point (in the container's coordinates), or null. */
    public Control findChild(int px, int py) {
        for (int i = children.size() - 1; i >= 0; i--) {
            Control child = children.get(i);
            if (child.visible && child.contains(px, py))
                return child;
        }
        return null;
    }

    Control controlAt(int px, int py) {
        Control child = findChild(px, py);
        return child == null ? this : child.controlAt(px - child.x, py - child.y);
    }

    void paintBackground(Graphics g) { g.fillRect(0, 0, width, height); }

    void paintChildren(Image screen, int absX, int absY, Rect area) {
        for (Control child : getChildren())
            child.paintTree(screen, absX + child.x, absY + child.y, area);
    }
}
