package waba.sys;

/**
 * Access to the virtual machine: debug output, time, sleeping.
 *
 * On the desktop, debug output goes to standard output, one flushed line per call, so a tool that reads
 * the viewer's output sees each line as soon as it is written.
 */
public final class Vm {
    private static final long START = System.currentTimeMillis();

    private Vm() {}

    /** Writes the text as one line of debug output. */
    public static void debug(String text) {
        synchronized (System.out) {
            System.out.println(text);
            System.out.flush();
        }
    }

    /** Milliseconds since the virtual machine started. */
    public static int getTimeStamp() { return (int)(System.currentTimeMillis() - START); }

    /** Pauses the calling thread; the user interface does not react meanwhile, as on a device. */
    public static void sleep(int millis) {
        if (millis <= 0)
            return;
        try {
            Thread.sleep(millis);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }

    /** Starting other programs is not supported on the desktop; always returns -1. */
    public static int exec(String command, String args, int launchCode, boolean wait) { return -1; }

    /**
     * Copies length elements between two arrays of the same kind. Returns false, copying nothing, when the
     * arrays or the ranges do not fit.
     */
    public static boolean copyArray(Object src, int srcStart, Object dst, int dstStart, int length) {
        try {
            System.arraycopy(src, srcStart, dst, dstStart, length);
            return true;
        } catch (RuntimeException e) {
            return false;
        }
    }

    public static void gc() { System.gc(); }

    public static int getFreeMemory() {
        long free = Runtime.getRuntime().freeMemory();
        return free > Integer.MAX_VALUE ? Integer.MAX_VALUE : (int)free;
    }
}
