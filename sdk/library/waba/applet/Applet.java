package waba.applet;

import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Modifier;
import javax.swing.JFrame;
import javax.swing.SwingUtilities;
import waba.sys.Settings;
import waba.ui.MainWindow;

/**
 * Runs a SuperWaba application on the desktop:
 * {@code java waba.applet.Applet /x 100 /y 100 /w 160 /h 160 [options] MainClass}, with the application's
 * folder on the class path.
 *
 * It opens a window of the screen size (times /scale) at /x, /y, titled with the main class, and runs the
 * application in it until the window closes or the application exits. Without a display it runs the
 * application without a window (created, started and painted off-screen, so its debug output still
 * appears) until it is killed or exits. Every message of the viewer is one line on standard output that
 * begins with "SuperWaba applet viewer:"; the first says what runs. Bad arguments and a main class that
 * cannot be loaded end it with exit code 1.
 */
public class Applet {
    private static final String NAME = "SuperWaba applet viewer";

    private static volatile ViewerSession session;
    private static volatile String commandLine = "";
    private static boolean exiting;
    private static final java.util.Set<String> reported = new java.util.HashSet<String>();

    public static void main(String[] args) {
        ViewerOptions options;
        Class<?> mainClass;
        try {
            options = ViewerOptions.parse(args);
            mainClass = loadMainClass(options.mainClass);
        } catch (IllegalArgumentException e) {
            say(e.getMessage());
            System.exit(1);
            return;
        }
        apply(options);
        String problem = DisplayCheck.problem();
        if (problem != null)
            System.setProperty("java.awt.headless", "true");
        say(options.mainClass + " " + options.width + "x" + options.height);

        if (problem != null) {
            say(problem + ", running " + options.mainClass + " without a window");
            ViewerSession viewer = new ViewerSession(options.width, options.height);
            session = viewer;
            runWithoutWindow(viewer, mainClass);
            return;
        }
        ViewerSession viewer;
        JFrame frame;
        try {
            viewer = new ViewerSession(options.width, options.height);
            frame = createFrame(options, viewer);
        } catch (Throwable e) {
            say("cannot open a window (" + rootCause(e) + "); -Djava.awt.headless=true runs without one");
            System.exit(1);
            return;
        }
        session = viewer;
        runInWindow(frame, viewer, mainClass);
    }

    /** Asks the running viewer to paint the screen again; does nothing when no viewer runs. */
    public static void requestRepaint() {
        ViewerSession viewer = session;
        if (viewer != null)
            viewer.requestRepaint();
    }

    /** Ends the application: calls the main window's onExit once, then stops the virtual machine. */
    public static void exitApplication(int exitCode) {
        synchronized (Applet.class) {
            if (exiting)
                return;
            exiting = true;
        }
        MainWindow main = MainWindow.getMainWindow();
        if (main != null) {
            try {
                main.onExit();
            } catch (RuntimeException e) {
                reportFailure("ending the application", e);
            }
        }
        System.out.flush();
        System.exit(exitCode);
    }

    /** The text given with /cmdLine, or an empty text. */
    public static String commandLine() { return commandLine; }

    /** Reports an exception thrown by the application, each distinct one once, and carries on. */
    public static void reportFailure(String what, Throwable failure) {
        synchronized (reported) {
            if (!reported.add(what + ": " + failure))
                return;
        }
        synchronized (System.out) {
            say("exception while " + what + ": " + failure);
            failure.printStackTrace(System.out);
            System.out.flush();
        }
    }

    private static Class<?> loadMainClass(String name) {
        String className = name.endsWith(".class") ? name.substring(0, name.length() - 6) : name;
        className = className.replace('/', '.');
        Class<?> found;
        try {
            found = Class.forName(className, false, ClassLoader.getSystemClassLoader());
        } catch (ClassNotFoundException e) {
            throw new IllegalArgumentException("main class " + className + " not found on the class path " +
                                               System.getProperty("java.class.path"));
        } catch (LinkageError e) {
            throw new IllegalArgumentException("main class " + className + " cannot be loaded: " + e);
        }
        if (!MainWindow.class.isAssignableFrom(found))
            throw new IllegalArgumentException("main class " + className +
                                               " does not extend waba.ui.MainWindow");
        if (Modifier.isAbstract(found.getModifiers()) || !Modifier.isPublic(found.getModifiers()))
            throw new IllegalArgumentException("main class " + className +
                                               " must be public and not abstract");
        try {
            found.getConstructor();
        } catch (NoSuchMethodException e) {
            throw new IllegalArgumentException("main class " + className +
                                               " has no public constructor without arguments");
        }
        return found;
    }

    private static void apply(ViewerOptions options) {
        Settings.screenWidth = options.width;
        Settings.screenHeight = options.height;
        Settings.uiStyle = options.palmStyle ? Settings.PalmOS : Settings.WinCE;
        Settings.isColor = options.color;
        int bits = options.bitsPerPixel != 0 ? options.bitsPerPixel : options.color ? 8 : 2;
        Settings.maxColors = 1 << bits;
        Settings.applicationId = options.creatorId;
        Settings.useSonyFonts = options.sonyFonts;
        commandLine = options.commandLine;
    }

    private static JFrame createFrame(final ViewerOptions options, final ViewerSession viewer)
        throws Exception {
        final JFrame[] made = new JFrame[1];
        SwingUtilities.invokeAndWait(new Runnable() {
            public void run() {
                JFrame frame = new JFrame(options.mainClass);
                ScreenPanel panel = new ScreenPanel(viewer, options.scale);
                frame.getContentPane().add(panel);
                frame.setResizable(false);
                frame.pack();
                frame.setLocation(options.x, options.y);
                frame.setDefaultCloseOperation(JFrame.DO_NOTHING_ON_CLOSE);
                frame.addWindowListener(new WindowAdapter() {
                    // Without a window manager a new window may be mapped at the screen's corner: put
                    // it where /x and /y asked once it is on the screen.
                    public void windowOpened(WindowEvent e) {
                        e.getWindow().setLocation(options.x, options.y);
                    }

                    public void windowClosing(WindowEvent e) {
                        exitApplication(0);
                    }
                });
                viewer.attach(panel);
                made[0] = frame;
            }
        });
        return made[0];
    }

    private static void runInWindow(final JFrame frame, final ViewerSession viewer,
                                    final Class<?> mainClass) {
        try {
            SwingUtilities.invokeAndWait(new Runnable() {
                public void run() {
                    start(viewer, mainClass);
                    frame.setVisible(true);
                    frame.getContentPane().getComponent(0).requestFocusInWindow();
                }
            });
        } catch (Exception e) {
            say(mainClass.getName() + " could not be started: " + rootCause(e));
            System.exit(1);
        }
        // The window's event thread keeps the program alive from here on.
    }

    private static void runWithoutWindow(ViewerSession viewer, Class<?> mainClass) {
        start(viewer, mainClass);
        Object never = new Object();
        synchronized (never) {
            while (true) {
                try {
                    never.wait();
                } catch (InterruptedException e) {
                    return;
                }
            }
        }
    }

    private static void start(ViewerSession viewer, Class<?> mainClass) {
        try {
            viewer.start(mainClass);
        } catch (Throwable e) {
            synchronized (System.out) {
                say(mainClass.getName() + " could not be started: " + rootCause(e));
                rootCauseOf(e).printStackTrace(System.out);
                System.out.flush();
            }
            System.exit(1);
        }
    }

    private static Throwable rootCauseOf(Throwable e) {
        while ((e instanceof InvocationTargetException || e instanceof ExceptionInInitializerError ||
                e instanceof java.util.concurrent.ExecutionException) &&
               e.getCause() != null)
            e = e.getCause();
        return e;
    }

    private static String rootCause(Throwable e) { return rootCauseOf(e).toString(); }

    private static void say(String text) {
        synchronized (System.out) {
            System.out.println(NAME + ": " + text);
            System.out.flush();
        }
    }
}
