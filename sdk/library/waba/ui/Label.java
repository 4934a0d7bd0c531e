package waba.ui;

import waba.fx.Graphics;

/** One line of text, aligned LEFT, CENTER or RIGHT inside its rectangle. */
public class Label extends Control {
    private String text;
    private final int align;

    public Label(String text) { this(text, LEFT); }

    public Label(String text, int align) {
        this.text = text == null ? "" : text;
        this.align = align;
    }

    public void setText(String text) {
        this.text = text == null ? "" : text;
        repaint();
    }

    public String getText() { return text; }

    public int getPreferredWidth() { return fm.getTextWidth(text) + 2; }

    public int getPreferredHeight() { return fm.getHeight(); }

    public void onPaint(Graphics g) {
        g.fillRect(0, 0, width, height);
        int textWidth = fm.getTextWidth(text);
        int left = align == CENTER ? (width - textWidth) / 2 : align == RIGHT ? width - textWidth - 1 : 1;
        g.setForeColor(textColor());
        g.drawText(text, left, (height - fm.getHeight()) / 2);
    }
}
