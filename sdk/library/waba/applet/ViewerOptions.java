package waba.applet;

/**
 * The viewer's command line:
 * {@code [/x X] [/y Y] [/w W] [/h H] [/uiStyle PalmOS|WinCE] [/UseSonyFonts] [/color] [/bpp N] [/crid ABCD]
 * [/cmdLine TEXT] [/scale 1..4] MainClass}.
 */
final class ViewerOptions {
    static final String USAGE =
        "usage: java waba.applet.Applet [/x X] [/y Y] [/w WIDTH] [/h HEIGHT]"
        + " [/uiStyle PalmOS|WinCE] [/UseSonyFonts] [/color] [/bpp 1|2|4|8|16|24] [/crid ABCD] [/cmdLine TEXT]"
        + " [/scale 1..4] MainClass";
    private static final String[] OPTIONS = {
        "/x", "/y", "/w", "/h", "/uiStyle", "/UseSonyFonts", "/color", "/bpp", "/crid", "/cmdLine", "/scale"};

    int x;
    int y;
    int width = 160;
    int height = 160;
    boolean palmStyle;
    boolean sonyFonts;
    boolean color;
    int bitsPerPixel;
    String creatorId;
    String commandLine = "";
    int scale = 1;
    String mainClass;

    /** Parses the arguments; a problem throws IllegalArgumentException with a one-line message. */
    static ViewerOptions parse(String[] args) {
        ViewerOptions options = new ViewerOptions();
        int i = 0;
        while (i < args.length) {
            String arg = args[i++];
            if (!arg.startsWith("/")) {
                if (options.mainClass != null)
                    throw new IllegalArgumentException("unexpected argument " + arg +
                                                       " after the main class " + options.mainClass);
                options.mainClass = arg;
                continue;
            }
            if (arg.equals("/UseSonyFonts")) {
                options.sonyFonts = true;
            } else if (arg.equals("/color")) {
                options.color = true;
            } else if (arg.equals("/cmdLine")) {
                // The text may have been split into several words: take words up to the next option,
                // leaving the last one for the main class.
                int end = i;
                while (end < args.length - 1 && !isOption(args[end]))
                    end++;
                if (end == i)
                    throw new IllegalArgumentException("/cmdLine needs a text");
                StringBuilder text = new StringBuilder();
                for (int k = i; k < end; k++)
                    text.append(k > i ? " " : "").append(args[k]);
                options.commandLine = text.toString();
                i = end;
            } else {
                if (!isOption(arg))
                    throw new IllegalArgumentException("unknown option " + arg);
                if (i >= args.length)
                    throw new IllegalArgumentException(arg + " needs a value");
                options.set(arg, args[i++]);
            }
        }
        if (options.mainClass == null)
            throw new IllegalArgumentException("no main class given; " + USAGE);
        return options;
    }

    private void set(String option, String value) {
        if (option.equals("/x")) {
            x = number(option, value, -100000, 100000);
        } else if (option.equals("/y")) {
            y = number(option, value, -100000, 100000);
        } else if (option.equals("/w")) {
            width = number(option, value, 1, 4096);
        } else if (option.equals("/h")) {
            height = number(option, value, 1, 4096);
        } else if (option.equals("/scale")) {
            scale = number(option, value, 1, 4);
        } else if (option.equals("/bpp")) {
            bitsPerPixel = number(option, value, 1, 24);
            if (bitsPerPixel != 1 && bitsPerPixel != 2 && bitsPerPixel != 4 && bitsPerPixel != 8 &&
                bitsPerPixel != 16 && bitsPerPixel != 24)
                throw new IllegalArgumentException("/bpp must be 1, 2, 4, 8, 16 or 24, not " + value);
        } else if (option.equals("/uiStyle")) {
            if (!value.equalsIgnoreCase("PalmOS") && !value.equalsIgnoreCase("WinCE"))
                throw new IllegalArgumentException("/uiStyle must be PalmOS or WinCE, not " + value);
            palmStyle = value.equalsIgnoreCase("PalmOS");
        } else if (option.equals("/crid")) {
            if (value.length() != 4)
                throw new IllegalArgumentException("/crid needs four characters, not " + value);
            creatorId = value;
        }
    }

    private static boolean isOption(String arg) {
        for (String option : OPTIONS)
            if (option.equals(arg))
                return true;
        return false;
    }

    private static int number(String option, String value, int min, int max) {
        int n;
        try {
            n = Integer.parseInt(value);
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException(option + " needs a whole number, not " + value);
        }
        if (n < min || n > max)
            throw new IllegalArgumentException(option + " must lie between " + min + " and " + max +
                                               ", not " + value);
        return n;
    }
}
