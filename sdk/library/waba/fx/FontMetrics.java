package waba.fx;

import java.awt.Graphics2D;
import java.awt.RenderingHints;
import java.awt.image.BufferedImage;

/** Sizes of text drawn in one font. Works without a display. */
public class FontMetrics {
    private static final BufferedImage SCRATCH = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB);

    private final java.awt.FontMetrics metrics;

    public FontMetrics(Font font) {
        Graphics2D g = SCRATCH.createGraphics();
        g.setRenderingHint(RenderingHints.KEY_TEXT_ANTIALIASING, RenderingHints.VALUE_TEXT_ANTIALIAS_OFF);
        metrics = g.getFontMetrics((font != null ? font : Font.getDefaultFont()).toAwt());
        g.dispose();
    }

    public int getAscent() { return metrics.getAscent(); }

    public int getDescent() { return metrics.getDescent(); }

    /** Height of one line of text. */
    public int getHeight() { return metrics.getAscent() + metrics.getDescent(); }

    public int getLeading() { return metrics.getLeading(); }

    public int getTextWidth(String text) { return text == null ? 0 : metrics.stringWidth(text); }

    public int getTextWidth(char[] chars, int start, int count) {
        return metrics.charsWidth(chars, start, count);
    }

    public int getCharWidth(char c) { return metrics.charWidth(c); }
}
