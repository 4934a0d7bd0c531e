package waba.fx;

import java.awt.BasicStroke;
import java.awt.Graphics2D;
import java.awt.RenderingHints;

/**
 * Draws into an {@link Image}. Lines, outlines and text use the fore colour; filled shapes use the back
 * colour, so a control clears its area with fillRect before drawing on it. Coordinates are relative to the
 * current translation; drawing outside the clip rectangle has no effect.
 */
public class Graphics {
    private final Image target;
    private final Graphics2D g;
    private int originX;
    private int originY;
    private Color foreColor = Color.BLACK;
    private Color backColor = Color.WHITE;
    private Font font = Font.getDefaultFont();

    public Graphics(Image target) {
        this.target = target;
        java.awt.image.BufferedImage pixels = target._awtImage();
        // A picture that failed to load still gives a Graphics; it just draws nowhere visible.
        if (pixels == null)
            pixels = new java.awt.image.BufferedImage(1, 1, java.awt.image.BufferedImage.TYPE_INT_RGB);
        g = pixels.createGraphics();
        g.setRenderingHint(RenderingHints.KEY_ANTIALIASING, RenderingHints.VALUE_ANTIALIAS_OFF);
        g.setRenderingHint(RenderingHints.KEY_TEXT_ANTIALIASING, RenderingHints.VALUE_TEXT_ANTIALIAS_OFF);
        g.setStroke(new BasicStroke(1));
        g.setFont(font.toAwt());
    }

    public void setForeColor(Color color) {
        if (color != null)
            foreColor = color;
    }

    public void setBackColor(Color color) {
        if (color != null)
            backColor = color;
    }

    /** Sets both colours, so lines and fills draw alike. */
    public void setColor(Color color) {
        setForeColor(color);
        setBackColor(color);
    }

    public void setColor(int red, int green, int blue) { setColor(new Color(red, green, blue)); }

    public Color getForeColor() { return foreColor; }

    public Color getBackColor() { return backColor; }

    public void setFont(Font font) {
        if (font != null) {
            this.font = font;
            g.setFont(font.toAwt());
        }
    }

    public Font getFont() { return font; }

    /** Moves the origin; later coordinates (and clips) are relative to the new origin. */
    public void translate(int dx, int dy) {
        originX += dx;
        originY += dy;
        g.translate(dx, dy);
    }

    /** Restricts drawing to the rectangle (relative to the current origin). */
    public void setClip(int x, int y, int width, int height) {
        g.setClip(x, y, Math.max(width, 0), Math.max(height, 0));
    }

    /** Allows drawing on the whole image again. */
    public void clearClip() { g.setClip(-originX, -originY, target.getWidth(), target.getHeight()); }

    /** Fills r with the clip rectangle (relative to the current origin); false when nothing is clipped. */
    public boolean getClip(Rect r) {
        java.awt.Rectangle clip = g.getClipBounds();
        if (clip == null)
            return false;
        r.set(clip.x, clip.y, clip.width, clip.height);
        return true;
    }

    /** Draws text with its top-left corner at x, y. */
    public void drawText(String text, int x, int y) {
        if (text == null)
            return;
        g.setColor(foreColor.toAwt());
        g.drawString(text, x, y + g.getFontMetrics().getAscent());
    }

    public void drawText(char[] chars, int start, int count, int x, int y) {
        drawText(new String(chars, start, count), x, y);
    }

    public void drawLine(int x1, int y1, int x2, int y2) {
        g.setColor(foreColor.toAwt());
        g.drawLine(x1, y1, x2, y2);
    }

    /** A dotted line: every other pixel. */
    public void drawDots(int x1, int y1, int x2, int y2) {
        int steps = Math.max(Math.abs(x2 - x1), Math.abs(y2 - y1));
        g.setColor(foreColor.toAwt());
        for (int i = 0; i <= steps; i += 2) {
            int x = steps == 0 ? x1 : x1 + (x2 - x1) * i / steps;
            int y = steps == 0 ? y1 : y1 + (y2 - y1) * i / steps;
            g.fillRect(x, y, 1, 1);
        }
    }

    public void setPixel(int x, int y) {
        g.setColor(foreColor.toAwt());
        g.fillRect(x, y, 1, 1);
    }

    /** The outline of a width by height rectangle. */
    public void drawRect(int x, int y, int width, int height) {
        if (width <= 0 || height <= 0)
            return;
        g.setColor(foreColor.toAwt());
        g.drawRect(x, y, width - 1, height - 1);
    }

    public void fillRect(int x, int y, int width, int height) {
        g.setColor(backColor.toAwt());
        g.fillRect(x, y, width, height);
    }

    public void drawRoundRect(int x, int y, int width, int height, int radius) {
        if (width <= 0 || height <= 0)
            return;
        g.setColor(foreColor.toAwt());
        g.drawRoundRect(x, y, width - 1, height - 1, radius * 2, radius * 2);
    }

    public void fillRoundRect(int x, int y, int width, int height, int radius) {
        g.setColor(backColor.toAwt());
        g.fillRoundRect(x, y, width, height, radius * 2, radius * 2);
    }

    /** A circle around xc, yc. */
    public void drawCircle(int xc, int yc, int radius) { drawEllipse(xc, yc, radius, radius); }

    public void fillCircle(int xc, int yc, int radius) { fillEllipse(xc, yc, radius, radius); }

    public void drawEllipse(int xc, int yc, int rx, int ry) {
        g.setColor(foreColor.toAwt());
        g.drawOval(xc - rx, yc - ry, rx * 2, ry * 2);
    }

    public void fillEllipse(int xc, int yc, int rx, int ry) {
        g.setColor(backColor.toAwt());
        g.fillOval(xc - rx, yc - ry, rx * 2 + 1, ry * 2 + 1);
    }

    public void drawPolygon(int[] xs, int[] ys, int count) {
        g.setColor(foreColor.toAwt());
        g.drawPolygon(xs, ys, count);
    }

    public void fillPolygon(int[] xs, int[] ys, int count) {
        g.setColor(backColor.toAwt());
        g.fillPolygon(xs, ys, count);
    }

    /** Draws the picture with its top-left corner at x, y. */
    public void drawImage(Image image, int x, int y) {
        if (image != null && image._awtImage() != null)
            g.drawImage(image._awtImage(), x, y, null);
    }

    /** Frees the desktop resources early; the Graphics must not be used afterwards. */
    public void free() { g.dispose(); }
}
