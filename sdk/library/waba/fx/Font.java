package waba.fx;

/** A font: a family name, a style and a pixel size. Unknown names fall back to the desktop's default. */
public class Font {
    public static final int PLAIN = 0;
    public static final int BOLD = 1;
    /** The size of the standard font of a 160 by 160 screen. */
    public static final int NORMAL_SIZE = 11;
    public static final String DEFAULT = "Dialog";

    public final String name;
    public final int style;
    public final int size;

    public Font(String name, int style, int size) {
        this.name = name == null || name.length() == 0 ? DEFAULT : name;
        this.style = style == BOLD ? BOLD : PLAIN;
        this.size = size > 0 ? size : NORMAL_SIZE;
    }

    public static Font getFont(String name, boolean bold, int size) {
        return new Font(name, bold ? BOLD : PLAIN, size);
    }

    /** The font controls use unless told otherwise. */
    public static Font getDefaultFont() { return new Font(DEFAULT, PLAIN, NORMAL_SIZE); }

    public boolean equals(Object other) {
        if (!(other instanceof Font))
            return false;
        Font font = (Font)other;
        return font.name.equals(name) && font.style == style && font.size == size;
    }

    public int hashCode() { return name.hashCode() * 31 + style * 7 + size; }

    java.awt.Font toAwt() {
        return new java.awt.Font(name, style == BOLD ? java.awt.Font.BOLD : java.awt.Font.PLAIN, size);
    }
}
