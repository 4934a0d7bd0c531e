package waba.sys;

/**
 * Facts about the device the program runs on. The desktop viewer fills these in from its command line
 * before the application's main window is created.
 */
public final class Settings {
    /** Values of {@link #uiStyle}. */
    public static final byte WinCE = 0;
    public static final byte PalmOS = 1;

    /** Version of this class library times 100 (5.00 is 500). */
    public static final int version = 500;
    public static final String versionStr = "5.00";

    public static int screenWidth = 160;
    public static int screenHeight = 160;
    /** "Java" on the desktop, "PalmOS" on a Palm handheld. */
    public static String platform = "Java";
    public static byte uiStyle = WinCE;
    public static boolean isColor = false;
    /** Number of colours (or grey levels) the screen shows. */
    public static int maxColors = 4;
    /** The four-character creator ID the program runs under, or null when none was given. */
    public static String applicationId = null;
    public static boolean useSonyFonts = false;

    private Settings() {}
}
