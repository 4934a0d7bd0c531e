package waba.applet;

import java.awt.Dimension;
import java.awt.Graphics;
import java.awt.event.KeyAdapter;
import java.awt.event.MouseAdapter;
import java.awt.event.MouseEvent;
import javax.swing.JComponent;
import waba.ui.IKeys;
import waba.ui.KeyEvent;
import waba.ui.PenEvent;

/** Shows the device screen, enlarged by the scale, and turns mouse and keyboard input into events. */
final class ScreenPanel extends JComponent {
    private final ViewerSession session;
    private final int scale;

    ScreenPanel(ViewerSession session, int scale) {
        this.session = session;
        this.scale = scale;
        Dimension size = new Dimension(session.screen.getWidth() * scale, session.screen.getHeight() * scale);
        setPreferredSize(size);
        setMinimumSize(size);
        setFocusable(true);
        setFocusTraversalKeysEnabled(false); // Tab belongs to the application
        MouseAdapter mouse = new MouseAdapter() {
            public void mousePressed(MouseEvent e) {
                requestFocusInWindow();
                pen(PenEvent.PEN_DOWN, e);
            }

            public void mouseDragged(MouseEvent e) {
                pen(PenEvent.PEN_DRAG, e);
            }

            public void mouseReleased(MouseEvent e) {
                pen(PenEvent.PEN_UP, e);
            }
        };
        addMouseListener(mouse);
        addMouseMotionListener(mouse);
        addKeyListener(new KeyAdapter() {
            public void keyPressed(java.awt.event.KeyEvent e) {
                int key = specialKey(e.getKeyCode());
                if (key != 0)
                    ScreenPanel.this.session.post(KeyEvent.KEY_PRESS, key, 0, 0, modifiers(e));
            }

            public void keyTyped(java.awt.event.KeyEvent e) {
                char c = e.getKeyChar();
                // Control characters arrive as special keys through keyPressed.
                if (c != java.awt.event.KeyEvent.CHAR_UNDEFINED && c >= 32 && c != 127)
                    ScreenPanel.this.session.post(KeyEvent.KEY_PRESS, c, 0, 0, modifiers(e));
            }
        });
    }

    protected void paintComponent(Graphics g) {
        g.drawImage(session.screen._awtImage(), 0, 0, session.screen.getWidth() * scale,
                    session.screen.getHeight() * scale, null);
    }

    private void pen(int type, MouseEvent e) {
        session.post(type, 0, Math.floorDiv(e.getX(), scale), Math.floorDiv(e.getY(), scale), modifiers(e));
    }

    private static int modifiers(java.awt.event.InputEvent e) {
        int modifiers = 0;
        if (e.isShiftDown())
            modifiers |= IKeys.SHIFT;
        if (e.isControlDown())
            modifiers |= IKeys.CONTROL;
        if (e.isAltDown())
            modifiers |= IKeys.ALT;
        return modifiers;
    }

    private static int specialKey(int code) {
        switch (code) {
        case java.awt.event.KeyEvent.VK_PAGE_UP:
            return IKeys.PAGE_UP;
        case java.awt.event.KeyEvent.VK_PAGE_DOWN:
            return IKeys.PAGE_DOWN;
        case java.awt.event.KeyEvent.VK_HOME:
            return IKeys.HOME;
        case java.awt.event.KeyEvent.VK_END:
            return IKeys.END;
        case java.awt.event.KeyEvent.VK_UP:
            return IKeys.UP;
        case java.awt.event.KeyEvent.VK_DOWN:
            return IKeys.DOWN;
        case java.awt.event.KeyEvent.VK_LEFT:
            return IKeys.LEFT;
        case java.awt.event.KeyEvent.VK_RIGHT:
            return IKeys.RIGHT;
        case java.awt.event.KeyEvent.VK_INSERT:
            return IKeys.INSERT;
        case java.awt.event.KeyEvent.VK_ENTER:
            return IKeys.ENTER;
        case java.awt.event.KeyEvent.VK_TAB:
            return IKeys.TAB;
        case java.awt.event.KeyEvent.VK_BACK_SPACE:
            return IKeys.BACKSPACE;
        case java.awt.event.KeyEvent.VK_ESCAPE:
            return IKeys.ESCAPE;
        case java.awt.event.KeyEvent.VK_DELETE:
            return IKeys.DELETE;
        case java.awt.event.KeyEvent.VK_F1:
            return IKeys.MENU;
        case java.awt.event.KeyEvent.VK_F2:
            return IKeys.COMMAND;
        default:
            return 0;
        }
    }
}
