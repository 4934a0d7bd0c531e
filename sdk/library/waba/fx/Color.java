package waba.fx;

/** An opaque RGB colour; instances never change. */
public class Color {
    public static final Color BLACK = new Color(0, 0, 0);
    public static final Color WHITE = new Color(255, 255, 255);
    /** The light grey of control faces. */
    public static final Color BRIGHT = new Color(192, 192, 192);
    /** The dark grey of shadows and disabled text. */
    public static final Color DARK = new Color(128, 128, 128);
    public static final Color RED = new Color(255, 0, 0);
    public static final Color GREEN = new Color(0, 255, 0);
    public static final Color BLUE = new Color(0, 0, 255);
    public static final Color YELLOW = new Color(255, 255, 0);
    public static final Color CYAN = new Color(0, 255, 255);
    public static final Color MAGENTA = new Color(255, 0, 255);

    private final int rgb;

    /** Each component from 0 to 255; values outside are clamped. */
    public Color(int red, int green, int blue) {
        rgb = (clamp(red) << 16) | (clamp(green) << 8) | clamp(blue);
    }

    /** A colour from 0xRRGGBB. */
    public Color(int rgb) { this.rgb = rgb & 0xFFFFFF; }

    public int getRed() { return (rgb >> 16) & 0xFF; }

    public int getGreen() { return (rgb >> 8) & 0xFF; }

    public int getBlue() { return rgb & 0xFF; }

    /** The colour as 0xRRGGBB. */
    public int getRGB() { return rgb; }

    public Color brighter() { return new Color(getRed() + 48, getGreen() + 48, getBlue() + 48); }

    public Color darker() { return new Color(getRed() - 48, getGreen() - 48, getBlue() - 48); }

    public boolean equals(Object other) { return other instanceof Color && ((Color)other).rgb == rgb; }

    public int hashCode() { return rgb; }

    public String toString() { return getRed() + "," + getGreen() + "," + getBlue(); }

    java.awt.Color toAwt() { return new java.awt.Color(rgb); }

    private static int clamp(int component) { return component < 0 ? 0 : component > 255 ? 255 : component; }
}
