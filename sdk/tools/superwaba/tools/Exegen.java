package superwaba.tools;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;

/**
 * Makes the Palm launcher of an application:
 * {@code java superwaba.tools.Exegen [/$] [/c CRID] [/e] [/v TEXT] [/P X] [/Z] [/T TITLE] [/M] [/16] [/t]
 * [/0x ID] [/F] [/INST] [/LNK] [/SH] [/SIS] Name [MainClass [ClassDatabase]]} writes Name.prc, a resource
 * database of type "appl" with the creator from /c (else derived from Name, as Warp does).
 *
 * Resources, each text NUL-terminated ISO-8859-1: "tAIN" 1000 the application name, "tver" 1000 the
 * version (/v, default 1.0), "SWmc" 1000 the main class (default Name), "SWdb" 1000 the class database
 * (default Name). /$ sets the copy-prevention attribute. The options for Windows CE, Symbian, installers,
 * links and scripts are accepted and named as not implemented. Bad usage gives an "ERROR:" line and exit
 * code 1.
 */
public final class Exegen {
    static final String TYPE = "appl";
    static final int RESOURCE_ID = 1000;
    private static final String USAGE =
        "usage: java superwaba.tools.Exegen [/$] [/c CRID] [/e] [/v TEXT] [/P X]"
        + " [/Z] [/T TITLE] [/M] [/16] [/t] [/0x ID] [/F] [/INST] [/LNK] [/SH] [/SIS] Name [MainClass"
        + " [ClassDatabase]]";
    private static final ToolCommandLine.Option[] OPTIONS = {
        new ToolCommandLine.Option("/$", false, true),     new ToolCommandLine.Option("/c", true, true),
        new ToolCommandLine.Option("/e", false, false),    new ToolCommandLine.Option("/v", true, true),
        new ToolCommandLine.Option("/P", true, false),     new ToolCommandLine.Option("/Z", false, false),
        new ToolCommandLine.Option("/T", true, false),     new ToolCommandLine.Option("/M", false, false),
        new ToolCommandLine.Option("/16", false, false),   new ToolCommandLine.Option("/t", false, false),
        new ToolCommandLine.Option("/0x", true, false),    new ToolCommandLine.Option("/F", false, false),
        new ToolCommandLine.Option("/INST", false, false), new ToolCommandLine.Option("/LNK", false, false),
        new ToolCommandLine.Option("/SH", false, false),   new ToolCommandLine.Option("/SIS", false, false)};

    private Exegen() {}

    public static void main(String[] args) {
        int code = run(args);
        System.out.flush();
        System.exit(code);
    }

    static int run(String[] args) {
        ToolCommandLine line;
        String creator;
        try {
            line = ToolCommandLine.parse(args, 0, OPTIONS);
            if (line.arguments.isEmpty())
                return Warp.fail("no application name given; " + USAGE);
            if (line.arguments.size() > 3)
                return Warp.fail("too many names: " + line.arguments + "; " + USAGE);
            creator = line.has("/c") ? CreatorId.check(line.value("/c"))
                                     : CreatorId.derive(Warp.baseName(line.arguments.get(0)));
        } catch (IllegalArgumentException e) {
            return Warp.fail(e.getMessage());
        }
        String note = line.notImplementedLine();
        if (note != null)
            Warp.say(note);

        String name = line.arguments.get(0);
        String appName = Warp.baseName(name);
        String mainClass = line.arguments.size() > 1 ? line.arguments.get(1) : appName;
        String classDatabase = line.arguments.size() > 2 ? line.arguments.get(2) : appName;
        String version = line.has("/v") ? line.value("/v") : "1.0";

        PalmDatabase database = new PalmDatabase(appName, TYPE, creator, true);
        database.setCopyProtected(line.has("/$"));
        database.addResource("tAIN", RESOURCE_ID, text(appName));
        database.addResource("tver", RESOURCE_ID, text(version));
        database.addResource("SWmc", RESOURCE_ID, text(mainClass));
        database.addResource("SWdb", RESOURCE_ID, text(classDatabase));

        File output = new File(name + ".prc");
        try {
            database.writeTo(output);
        } catch (IOException e) {
            return Warp.fail("cannot write " + output.getPath() + ": " + e.getMessage());
        }
        Warp.say("Wrote " + output.getPath() + ": creator " + creator + ", version " + version);
        return 0;
    }

    private static byte[] text(String value) {
        byte[] bytes = value.getBytes(StandardCharsets.ISO_8859_1);
        byte[] terminated = new byte[bytes.length + 1];
        System.arraycopy(bytes, 0, terminated, 0, bytes.length);
        return terminated;
    }
}
