package waba.sys;

/** Conversions between numbers and text. Conversions of bad text give 0 instead of failing. */
public final class Convert {
    private Convert() {}

    public static int toInt(String text) {
        if (text == null)
            return 0;
        try {
            return Integer.parseInt(text.trim());
        } catch (NumberFormatException e) {
            return 0;
        }
    }

    public static long toLong(String text) {
        if (text == null)
            return 0;
        try {
            return Long.parseLong(text.trim());
        } catch (NumberFormatException e) {
            return 0;
        }
    }

    public static double toDouble(String text) {
        if (text == null)
            return 0;
        try {
            return Double.parseDouble(text.trim());
        } catch (NumberFormatException e) {
            return 0;
        }
    }

    public static String toString(int value) { return Integer.toString(value); }

    public static String toString(long value) { return Long.toString(value); }

    public static String toString(double value) { return Double.toString(value); }

    /** The value rounded to the given number of decimal places, e.g. toString(2.345, 2) is "2.35". */
    public static String toString(double value, int decimals) {
        if (decimals < 0)
            decimals = 0;
        return new java.math.BigDecimal(Double.toString(value))
            .setScale(decimals, java.math.RoundingMode.HALF_UP)
            .toPlainString();
    }

    public static String toString(boolean value) { return value ? "true" : "false"; }

    public static String toString(char value) { return String.valueOf(value); }

    public static char toUpperCase(char c) { return Character.toUpperCase(c); }

    public static char toLowerCase(char c) { return Character.toLowerCase(c); }
}
