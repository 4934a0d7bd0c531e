package waba.ui;

import waba.fx.Graphics;
import waba.sys.Settings;

/**
 * A popup with a message and a row of buttons, centred on the screen. Show it with
 * {@code MainWindow.getMainWindow().popupModal(box)}; pressing a button closes it, and
 * {@link #getPressedButtonIndex()} tells which one. A '|' in the message starts a new line.
 */
public class MessageBox extends Window {
    private static final int MARGIN = 4;

    private final String[] lines;
    private final Button[] buttons;
    private int pressed = -1;

    public MessageBox(String title, String message) { this(title, message, new String[] {"Ok"}); }

    public MessageBox(String title, String message, String[] buttonCaptions) {
        super(title, ROUND_BORDER);
        lines = split(message == null ? "" : message);
        String[] captions =
            buttonCaptions == null || buttonCaptions.length == 0 ? new String[] {"Ok"} : buttonCaptions;
        buttons = new Button[captions.length];
        int rowWidth = 0;
        for (int i = 0; i < captions.length; i++) {
            buttons[i] = new Button(captions[i]);
            rowWidth += buttons[i].getPreferredWidth() + (i > 0 ? MARGIN : 0);
        }
        int textWidth = fm.getTextWidth(title == null ? "" : title) + 16;
        for (String line : lines)
            textWidth = Math.max(textWidth, fm.getTextWidth(line));
        int w = Math.min(Math.max(textWidth, rowWidth) + 2 * MARGIN + 2, Settings.screenWidth);
        int h =
            Math.min(fm.getHeight() * (lines.length + 1) + buttons[0].getPreferredHeight() + 3 * MARGIN + 4,
                     Settings.screenHeight);
        setRect(CENTER, CENTER, w, h);

        int bx = (width - rowWidth) / 2;
        int by = height - MARGIN - 1 - buttons[0].getPreferredHeight();
        for (Button button : buttons) {
            add(button);
            button.setRect(bx, by, PREFERRED, PREFERRED);
            bx += button.getWidth() + MARGIN;
        }
    }

    /** Index of the button that closed the box, or -1 while it is open. */
    public int getPressedButtonIndex() { return pressed; }

    public void onEvent(Event event) {
        if (event.type != ControlEvent.PRESSED)
            return;
        for (int i = 0; i < buttons.length; i++)
            if (event.target == buttons[i]) {
                pressed = i;
                unpop();
            }
    }

    public void onPaint(Graphics g) {
        int top = getClientRect().y + MARGIN;
        for (String line : lines) {
            g.drawText(line, (width - fm.getTextWidth(line)) / 2, top);
            top += fm.getHeight();
        }
    }

    private static String[] split(String message) {
        java.util.ArrayList<String> parts = new java.util.ArrayList<String>();
        int start = 0;
        for (int i = 0; i <= message.length(); i++)
            if (i == message.length() || message.charAt(i) == '|' || message.charAt(i) == '\n') {
                parts.add(message.substring(start, i));
                start = i + 1;
            }
        return parts.toArray(new String[parts.size()]);
    }
}
