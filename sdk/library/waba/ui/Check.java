package waba.ui;

import waba.fx.Graphics;

/** A check box with a text: each press toggles it and posts a ControlEvent.PRESSED. */
public class Check extends Control {
    private String text;
    private boolean checked;

    public Check(String text) { this.text = text == null ? "" : text; }

    public boolean getChecked() { return checked; }

    /** Sets the state without posting an event. */
    public void setChecked(boolean checked) {
        this.checked = checked;
        repaint();
    }

    public String getText() { return text; }

    public void setText(String text) {
        this.text = text == null ? "" : text;
        repaint();
    }

    public int getPreferredWidth() { return boxSize() + 4 + fm.getTextWidth(text); }

    public int getPreferredHeight() { return fm.getHeight(); }

    public void onEvent(Event event) {
        if (event.target != this || event.type != PenEvent.PEN_UP)
            return;
        PenEvent pen = (PenEvent)event;
        if (pen.x >= 0 && pen.y >= 0 && pen.x < width && pen.y < height) {
            setChecked(!checked);
            postEvent(new ControlEvent(ControlEvent.PRESSED, this));
        }
    }

    public void onPaint(Graphics g) {
        int box = boxSize();
        int top = (height - box) / 2;
        g.fillRect(0, 0, width, height);
        g.setForeColor(textColor());
        g.drawRect(0, top, box, box);
        if (checked) {
            g.drawLine(2, top + box / 2, box / 2, top + box - 3);
            g.drawLine(box / 2, top + box - 3, box - 3, top + 2);
        }
        g.drawText(text, box + 4, (height - fm.getHeight()) / 2);
    }

    private int boxSize() { return Math.max(fm.getHeight() - 3, 7); }
}
