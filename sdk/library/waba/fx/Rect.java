package waba.fx;

/** A rectangle: the top-left corner and a size. */
public class Rect {
    public int x;
    public int y;
    public int width;
    public int height;

    public Rect() {}

    public Rect(int x, int y, int width, int height) { set(x, y, width, height); }

    public Rect(Rect other) { set(other.x, other.y, other.width, other.height); }

    public void set(int x, int y, int width, int height) {
        this.x = x;
        this.y = y;
        this.width = width;
        this.height = height;
    }

    /** Moves the corners by the given amounts: the origin by dx, dy, the size by dw, dh. */
    public void modify(int dx, int dy, int dw, int dh) {
        x += dx;
        y += dy;
        width += dw;
        height += dh;
    }

    public void translate(int dx, int dy) {
        x += dx;
        y += dy;
    }

    public boolean contains(int px, int py) {
        return px >= x && py >= y && px < x + width && py < y + height;
    }

    public boolean intersects(Rect other) {
        return other.x < x + width && x < other.x + other.width && other.y < y + height &&
            y < other.y + other.height;
    }

    /** The common part of both rectangles; an empty one (width or height 0) when they do not meet. */
    public Rect intersection(Rect other) {
        int left = Math.max(x, other.x);
        int top = Math.max(y, other.y);
        int right = Math.min(x + width, other.x + other.width);
        int bottom = Math.min(y + height, other.y + other.height);
        return new Rect(left, top, Math.max(0, right - left), Math.max(0, bottom - top));
    }

    public boolean isEmpty() { return width <= 0 || height <= 0; }

    public boolean equals(Object other) {
        if (!(other instanceof Rect))
            return false;
        Rect r = (Rect)other;
        return r.x == x && r.y == y && r.width == width && r.height == height;
    }

    public int hashCode() { return ((x * 31 + y) * 31 + width) * 31 + height; }

    public String toString() { return x + "," + y + "," + width + "," + height; }
}
