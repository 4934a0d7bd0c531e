import java.awt.Component;
import java.awt.Frame;
import java.awt.Point;
import java.awt.Robot;
import java.awt.event.InputEvent;
import java.awt.event.WindowEvent;
import javax.swing.JFrame;
import javax.swing.SwingUtilities;
import waba.fx.Rect;
import waba.ui.Control;
import waba.ui.Window;

/**
 * Drives the applet viewer as a user would: {@code ViewerDriver SCALE CONTROL_CLASS -- viewer arguments}
 * starts the viewer in this virtual machine, prints "window TITLE WxH at X,Y" for its screen area, clicks
 * the middle of the first control of CONTROL_CLASS with the desktop's robot, then closes the window.
 */
public class ViewerDriver {
    public static void main(String[] args) throws Exception {
        int scale = Integer.parseInt(args[0]);
        String controlClass = args[1];
        String[] viewerArgs = new String[args.length - 3];
        System.arraycopy(args, 3, viewerArgs, 0, viewerArgs.length);

        waba.applet.Applet.main(viewerArgs);
        JFrame frame = waitForWindow();
        Component screen = frame.getContentPane().getComponent(0);
        Point origin = settledLocation(screen);
        System.out.println("window " + frame.getTitle() + " " + screen.getWidth() + "x" + screen.getHeight() +
                           " at " + origin.x + "," + origin.y);
        System.out.flush();

        Control target = find(Window.getTopMost(), controlClass);
        if (target == null) {
            System.out.println("driver: no control of class " + controlClass);
            System.exit(3);
        }
        Rect r = target.getAbsoluteRect();
        Robot robot = new Robot();
        robot.setAutoDelay(30);
        robot.mouseMove(origin.x + (r.x + r.width / 2) * scale, origin.y + (r.y + r.height / 2) * scale);
        robot.mousePress(InputEvent.BUTTON1_DOWN_MASK);
        robot.mouseRelease(InputEvent.BUTTON1_DOWN_MASK);
        robot.waitForIdle();
        Thread.sleep(300);
        SwingUtilities.invokeLater(
            () -> frame.dispatchEvent(new WindowEvent(frame, WindowEvent.WINDOW_CLOSING)));
        Thread.sleep(10000);
        System.out.println("driver: the viewer did not end when its window closed");
        System.exit(4);
    }

    // A window is showing before the X server has placed it; wait until its place stops changing (and has
    // left the corner, where every new window starts, unless it stays there for eight seconds: a busy X
    // server can take seconds to place it).
    private static Point settledLocation(Component screen) throws Exception {
        new Robot().waitForIdle();
        Point last = screen.getLocationOnScreen();
        int steady = 0;
        for (int i = 0; i < 200; i++) {
            Thread.sleep(50);
            Point now = screen.getLocationOnScreen();
            steady = now.equals(last) ? steady + 1 : 0;
            last = now;
            boolean inCorner = now.x == 0 && now.y == 0;
            if (steady >= 4 && (!inCorner || i >= 160))
                return now;
        }
        return last;
    }

    private static JFrame waitForWindow() throws InterruptedException {
        for (int i = 0; i < 200; i++) {
            for (Frame f : Frame.getFrames())
                if (f instanceof JFrame && f.isShowing())
                    return (JFrame)f;
            Thread.sleep(50);
        }
        System.out.println("driver: no window appeared");
        System.exit(2);
        return null;
    }

    private static Control find(Control c, String className) {
        if (c == null)
            return null;
        if (c.getClass().getName().equals(className))
            return c;
        if (c instanceof waba.ui.Container)
            for (Control child : ((waba.ui.Container)c).getChildren()) {
                Control found = find(child, className);
                if (found != null)
                    return found;
            }
        return null;
    }
}
