package waba.ui;

/**
 * The application's window: a program is a subclass with a public constructor without arguments. The
 * virtual machine creates it, calls {@link #onStart()}, then delivers events until the program calls
 * {@link #exit(int)} or the user closes it, and finally calls {@link #onExit()}.
 */
public class MainWindow extends Window {
    private static MainWindow mainWindow;

    public MainWindow() { this(null, NO_BORDER); }

    public MainWindow(String title, byte borderStyle) {
        super(title, borderStyle);
        if (mainWindow == null) {
            mainWindow = this;
            makeMain(this);
        }
    }

    /** The application's main window, or null before it is created. */
    public static MainWindow getMainWindow() { return mainWindow; }

    /** Called once after the window is created, before the first paint. */
    public void onStart() {}

    /** Called once when the program ends. */
    public void onExit() {}

    /** Ends the program: calls onExit and stops with the given exit code. */
    public void exit(int exitCode) { waba.applet.Applet.exitApplication(exitCode); }

    /** The text given to the program when it was started, or an empty text. */
    public static String getCommandLine() { return waba.applet.Applet.commandLine(); }
}
