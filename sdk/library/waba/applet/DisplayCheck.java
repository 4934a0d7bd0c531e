package waba.applet;

import java.io.File;
import java.net.InetSocketAddress;
import java.net.Socket;

/**
 * Decides whether a window can be opened before anything starts the desktop's graphics: once the graphics
 * have failed to reach a display they cannot be restarted without one, so the check must come first.
 */
final class DisplayCheck {
    private DisplayCheck() {}

    /** Why no window can be opened, or null when one can (or when only trying will tell). */
    static String problem() {
        String forced = System.getProperty("java.awt.headless");
        if (forced != null)
            return Boolean.parseBoolean(forced) ? "no display" : null;
        if (!usesX11())
            return null;
        String display = System.getenv("DISPLAY");
        if (display == null || display.length() == 0)
            return "no display";
        if (!new File(System.getProperty("java.home"), "lib/libawt_xawt.so").isFile())
            return "this Java runtime has no window support";
        if (!reachable(display))
            return "cannot reach the display " + display;
        return null;
    }

    private static boolean usesX11() {
        String os = System.getProperty("os.name", "");
        return os.equals("Linux") || os.equals("SunOS") || os.endsWith("BSD") || os.equals("AIX");
    }

    // DISPLAY is [host]:number[.screen]; a local display is a socket file, a remote one a TCP port.
    private static boolean reachable(String display) {
        int colon = display.lastIndexOf(':');
        if (colon < 0)
            return true;
        String host = display.substring(0, colon);
        String rest = display.substring(colon + 1);
        int dot = rest.indexOf('.');
        int number;
        try {
            number = Integer.parseInt(dot < 0 ? rest : rest.substring(0, dot));
        } catch (NumberFormatException e) {
            return true; // a form this check does not know: let the graphics try
        }
        if (host.length() == 0 || host.equals("unix"))
            return new File("/tmp/.X11-unix/X" + number).exists();
        Socket socket = new Socket();
        try {
            socket.connect(new InetSocketAddress(host, 6000 + number), 1000);
            return true;
        } catch (java.io.IOException e) {
            return false;
        } finally {
            try {
                socket.close();
            } catch (java.io.IOException e) {
                // nothing to clean up
            }
        }
    }
}
