package waba.ui;

import waba.fx.Color;
import waba.fx.Graphics;
import waba.sys.Settings;

/** A push button: lifting the pen over it posts a ControlEvent.PRESSED. */
public class Button extends Control {
    private String text;
    private boolean armed;

    public Button(String text) { this.text = text == null ? "" : text; }

    public void setText(String text) {
        this.text = text == null ? "" : text;
        repaint();
    }

    public String getText() { return text; }

    public int getPreferredWidth() { return fm.getTextWidth(text) + 10; }

    public int getPreferredHeight() { return fm.getHeight() + 4; }

    public void onEvent(Event event) {
        if (event.target != this || !(event instanceof PenEvent))
            return;
        PenEvent pen = (PenEvent)event;
        boolean inside = pen.x >= 0 && pen.y >= 0 && pen.x < width && pen.y < height;
        if (pen.type == PenEvent.PEN_DOWN || pen.type == PenEvent.PEN_DRAG) {
            setArmed(inside);
        } else if (pen.type == PenEvent.PEN_UP) {
            boolean pressed = armed && inside;
            setArmed(false);
            if (pressed)
                postEvent(new ControlEvent(ControlEvent.PRESSED, this));
        }
    }

    public void onPaint(Graphics g) {
        Color fore = textColor();
        Color back = getBackColor();
        boolean palm = Settings.uiStyle == Settings.PalmOS;
        g.setBackColor(armed ? fore : back);
        if (palm) {
            g.fillRoundRect(0, 0, width, height, 3);
            g.setForeColor(fore);
            g.drawRoundRect(0, 0, width, height, 3);
        } else {
            g.fillRect(0, 0, width, height);
            g.setForeColor(armed ? Color.DARK : Color.WHITE);
            g.drawLine(0, 0, width - 1, 0);
            g.drawLine(0, 0, 0, height - 1);
            g.setForeColor(armed ? Color.WHITE : Color.DARK);
            g.drawLine(width - 1, 0, width - 1, height - 1);
            g.drawLine(0, height - 1, width - 1, height - 1);
        }
        g.setForeColor(armed ? back : fore);
        g.drawText(text, (width - fm.getTextWidth(text)) / 2, (height - fm.getHeight()) / 2);
    }

    private void setArmed(boolean armed) {
        if (this.armed != armed) {
            this.armed = armed;
            repaint();
        }
    }
}
