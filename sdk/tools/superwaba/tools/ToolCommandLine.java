package superwaba.tools;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** The options and plain arguments of a tool's command line. */
final class ToolCommandLine {
    /** One option the tool accepts: its name, whether a value follows, whether the tool acts on it. */
    static final class Option {
        final String name;
        final boolean takesValue;
        final boolean implemented;

        Option(String name, boolean takesValue, boolean implemented) {
            this.name = name;
            this.takesValue = takesValue;
            this.implemented = implemented;
        }
    }

    final List<String> arguments = new ArrayList<String>();
    /** Options given that the tool accepts but does not act on, in command-line order. */
    final List<String> notImplemented = new ArrayList<String>();
    private final Map<String, String> values = new HashMap<String, String>();

    /**
     * Parses args from index first on. A word starting with "/" is an option; an unknown one is an error,
     * unless it looks like a path (it holds another "/" or a "."), which is a plain argument.
     */
    static ToolCommandLine parse(String[] args, int first, Option[] options) {
        ToolCommandLine line = new ToolCommandLine();
        for (int i = first; i < args.length; i++) {
            String arg = args[i];
            Option option = find(options, arg);
            if (option == null) {
                if (arg.startsWith("/") && arg.indexOf('/', 1) < 0 && arg.indexOf('.') < 0)
                    throw new IllegalArgumentException("unknown option " + arg);
                line.arguments.add(arg);
                continue;
            }
            String value = "";
            if (option.takesValue) {
                if (i + 1 >= args.length)
                    throw new IllegalArgumentException("option " + arg + " needs a value");
                value = args[++i];
            }
            if (!option.implemented && !line.values.containsKey(arg))
                line.notImplemented.add(arg);
            line.values.put(arg, value);
        }
        return line;
    }

    boolean has(String option) { return values.containsKey(option); }

    String value(String option) { return values.get(option); }

    /** The plain line naming the accepted options that do nothing here, or null when there are none. */
    String notImplementedLine() {
        if (notImplemented.isEmpty())
            return null;
        StringBuilder text = new StringBuilder("Options not implemented here:");
        for (String option : notImplemented)
            text.append(' ').append(option);
        return text.toString();
    }

    private static Option find(Option[] options, String arg) {
        for (Option option : options)
            if (option.name.equals(arg))
                return option;
        return null;
    }
}
