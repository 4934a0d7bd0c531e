package hello;

import waba.ui.*;

/** The main window. */
public class Hello extends MainWindow {
    private Button ok = new Button("OK");
    int[] counts, totals;

    public Hello() {
        add(ok);
        Runnable r = new Runnable() { public void run() {} };
        class Local { int x; }
    }

    public void onEvent(Event e) {
        if (e.type == ControlEvent.PRESSED && e.target == ok) exit(0);
    }

    static class Inner<T extends Comparable<T>> implements Comparable<Inner<T>> {
        public int compareTo(Inner<T> o) { return 0; }
    }
    enum Colour { RED, GREEN { void f() {} }; int v; }
    interface Listener { void changed(String name, int... values); }
    record Point(int x, int y) {}
    @interface Marker { String value() default "\u0041"; }
}
