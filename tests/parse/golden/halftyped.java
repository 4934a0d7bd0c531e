// Words typed halfway, as the browser sees them while the user is still typing: a keyword that follows
// is never taken for a name, and the member starts again at it.
public class Editing {
    Strin
    public void run() {}

    int count
    private static int total;

    Lis
    static final String NAME = "n";

    Map<String, Integer> tab
    protected abstract int size();

    int first, 
    void reset() {}

    Obj
    int plain;

    String kept;
    Widg
    synchronized void lock() {}

    Strin
    class Inner {
        Foo
        transient int t;
    }

    Str
    @Override public String toString() { return ""; }

    Half
    enum Mode { ON, OFF }
}
