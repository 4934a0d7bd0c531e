package org.example.shapes;

import java.util.List;
import static java.lang.Math.*;

/**
 * A point. Braces in comments { do not count }, nor "quotes.
 */
public abstract class Point extends Shape implements Cloneable, java.io.Serializable {
    private int x, y;
    protected int[] history, lastMoves[];
    int grid[][], cells;
    public static final String NAME = "Point { not a block }", OTHER = "\"escaped\" {";
    char open = '{', close = '}', quote = '\'', dquote = '"', backslash = '\\';
    long big = 0xFFFF_FFFFL, small = 1_000;
    double d = 1.5e+10, e = .5, f = 0x1.8p-3;
    /* a block comment with a member inside: int hidden; */
    // int alsoHidden;
    transient volatile boolean dirty;

    static {
        int notAMember = 1;
    }

    {
        String alsoNotAMember = "}";
    }

    public Point(int x, int y) {
        this.x = x;
        this.y = y;
    }

    Point() {
        this(0, 0);
    }

    public void move(int dx, int dy) {
        int local = dx;
        x += local;
        y += dy;
    }

    protected final synchronized int[] path(java.util.List points, String[] names, int... more) {
        return null;
    }

    static native long address();

    public abstract Object clone() throws CloneNotSupportedException;

    private static strictfp double distance(final Point a, final Point b) {
        return sqrt(pow(a.x - b.x, 2) + pow(a.y - b.y, 2));
    }

    int legacy()[] {
        return new int[0];
    }
}

class Shape {
    int sides;
}
