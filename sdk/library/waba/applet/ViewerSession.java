package waba.applet;

import java.awt.EventQueue;
import java.util.concurrent.atomic.AtomicBoolean;
import waba.fx.Image;
import waba.ui.MainWindow;
import waba.ui.Window;

/**
 * One running application: the screen picture it paints into and the way events reach it. With a window,
 * everything runs on the desktop's event thread; without one, on the thread that started it.
 */
final class ViewerSession {
    final Image screen;
    private ScreenPanel panel;
    private volatile boolean dirty = true;
    private final AtomicBoolean refreshQueued = new AtomicBoolean();

    ViewerSession(int width, int height) { screen = new Image(width, height); }

    void attach(ScreenPanel panel) { this.panel = panel; }

    /** Creates the application's main window, starts it and paints the first picture. */
    MainWindow start(Class<?> mainClass) throws Exception {
        MainWindow app = (MainWindow)mainClass.getConstructor().newInstance();
        app.onStart();
        dirty = true;
        refresh();
        return app;
    }

    /** Hands raw input to the topmost window, then shows what changed. */
    void post(int type, int key, int x, int y, int modifiers) {
        Window top = Window.getTopMost();
        if (top == null)
            return;
        try {
            top._postEvent(type, key, x, y, modifiers);
        } catch (RuntimeException e) {
            Applet.reportFailure("handling an event", e);
        }
        refresh();
    }

    /** Marks the screen out of date; with a window, a refresh follows on the event thread. */
    void requestRepaint() {
        dirty = true;
        if (panel != null && refreshQueued.compareAndSet(false, true))
            EventQueue.invokeLater(new Runnable() {
                public void run() {
                    refreshQueued.set(false);
                    refresh();
                }
            });
    }

    private void refresh() {
        if (!dirty)
            return;
        dirty = false;
        Window._paintAll(screen);
        if (panel != null)
            panel.repaint();
    }
}
