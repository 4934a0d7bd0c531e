package waba.ui;

import waba.fx.Graphics;

/**
 * A radio button with a text. Pressing an unchecked one checks it, unchecks the others of its
 * RadioGroup and posts a ControlEvent.PRESSED.
 */
public class Radio extends Control {
    private String text;
    private boolean checked;
    private final RadioGroup group;

    public Radio(String text) { this(text, null); }

    public Radio(String text, RadioGroup group) {
        this.text = text == null ? "" : text;
        this.group = group;
        if (group != null)
            group.add(this);
    }

    public boolean getChecked() { return checked; }

    /** Sets the state without posting an event; checking one unchecks the rest of its group. */
    public void setChecked(boolean checked) {
        this.checked = checked;
        if (checked && group != null)
            group.checked(this);
        repaint();
    }

    public RadioGroup getRadioGroup() { return group; }

    public String getText() { return text; }

    public void setText(String text) {
        this.text = text == null ? "" : text;
        repaint();
    }

    public int getPreferredWidth() { return fm.getHeight() + 2 + fm.getTextWidth(text); }

    public int getPreferredHeight() { return fm.getHeight(); }

    public void onEvent(Event event) {
        if (event.target != this || event.type != PenEvent.PEN_UP || checked)
            return;
        PenEvent pen = (PenEvent)event;
        if (pen.x >= 0 && pen.y >= 0 && pen.x < width && pen.y < height) {
            setChecked(true);
            postEvent(new ControlEvent(ControlEvent.PRESSED, this));
        }
    }

    public void onPaint(Graphics g) {
        int radius = Math.max((fm.getHeight() - 3) / 2, 3);
        int centre = height / 2;
        g.fillRect(0, 0, width, height);
        g.setForeColor(textColor());
        g.drawCircle(radius, centre, radius);
        if (checked) {
            g.setBackColor(textColor());
            g.fillCircle(radius, centre, radius - 2);
        }
        g.drawText(text, radius * 2 + 4, (height - fm.getHeight()) / 2);
    }
}
