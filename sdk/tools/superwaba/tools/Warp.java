package superwaba.tools;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.HashSet;
import java.util.Set;

/**
 * Packs class files and other files into a class database:
 * {@code java superwaba.tools.Warp c [/$] [/r] [/ll] [/lg] [/c CRID] [/x TEXT] Name File...}, run in the
 * project folder, writes Name.pdb there (type "Wrp1"; creator from /c, else derived from Name).
 *
 * Each file becomes one record: its name as given (with "/" separators, without a leading "./") as a
 * big-endian u16 length and that many ISO-8859-1 bytes, followed by the file's contents. /$ sets the
 * copy-prevention attribute. /r, /ll, /lg and /x are accepted and named as not implemented. A missing or
 * unreadable file is reported with a "Warning!" line and left out; bad usage gives an "ERROR:" line and
 * exit code 1.
 */
public final class Warp {
    static final String TYPE = "Wrp1";
    /** Larger records are refused by HotSync on many devices. */
    static final int LARGEST_RECORD = 64000;
    private static final String USAGE =
        "usage: java superwaba.tools.Warp c [/$] [/r] [/ll] [/lg] [/c CRID] [/x TEXT] Name File...";
    private static final ToolCommandLine.Option[] OPTIONS = {
        new ToolCommandLine.Option("/$", false, true),   new ToolCommandLine.Option("/r", false, false),
        new ToolCommandLine.Option("/ll", false, false), new ToolCommandLine.Option("/lg", false, false),
        new ToolCommandLine.Option("/c", true, true),    new ToolCommandLine.Option("/x", true, false)};

    private Warp() {}

    public static void main(String[] args) {
        int code = run(args);
        System.out.flush();
        System.exit(code);
    }

    static int run(String[] args) {
        if (args.length == 0 || !args[0].equals("c"))
            return fail(args.length == 0 ? "no command given; " + USAGE
                                         : "unknown command " + args[0] + " (only c is known); " + USAGE);
        ToolCommandLine line;
        String creator;
        try {
            line = ToolCommandLine.parse(args, 1, OPTIONS);
            if (line.arguments.isEmpty())
                return fail("no database name given; " + USAGE);
            creator = line.has("/c") ? CreatorId.check(line.value("/c"))
                                     : CreatorId.derive(baseName(line.arguments.get(0)));
        } catch (IllegalArgumentException e) {
            return fail(e.getMessage());
        }
        String note = line.notImplementedLine();
        if (note != null)
            say(note);

        String name = line.arguments.get(0);
        PalmDatabase database = new PalmDatabase(baseName(name), TYPE, creator, false);
        database.setCopyProtected(line.has("/$"));
        Set<String> seen = new HashSet<String>();
        for (String file : line.arguments.subList(1, line.arguments.size())) {
            String recordName = file.replace('\\', '/');
            // A name starting like an option comes as ./name; the record keeps the name itself.
            if (recordName.startsWith("./"))
                recordName = recordName.substring(2);
            if (!seen.add(recordName)) {
                say("Warning! File " + file + " is listed twice; it is packed once");
                continue;
            }
            File input = new File(file);
            if (!input.isFile()) {
                say("Warning! File " + file + " not found");
                continue;
            }
            byte[] contents;
            try {
                contents = Files.readAllBytes(input.toPath());
            } catch (IOException e) {
                say("Warning! File " + file + " cannot be read: " + e.getMessage());
                continue;
            }
            byte[] record = record(recordName, contents);
            if (record.length > LARGEST_RECORD)
                say("Warning! File " + file + " makes a record of " + record.length +
                    " bytes, more than the " + LARGEST_RECORD + " a Palm record may hold");
            database.addRecord(record);
        }
        if (database.entryCount() == 0)
            say("Warning! No files packed into " + name + ".pdb");

        File output = new File(name + ".pdb");
        try {
            database.writeTo(output);
        } catch (IOException e) {
            return fail("cannot write " + output.getPath() + ": " + e.getMessage());
        }
        say("Wrote " + output.getPath() + ": " + database.entryCount() + " records, creator " + creator);
        return 0;
    }

    /** A record: the file name's length (u16), the name, then the contents. */
    static byte[] record(String fileName, byte[] contents) {
        byte[] nameBytes = fileName.getBytes(StandardCharsets.ISO_8859_1);
        byte[] record = new byte[2 + nameBytes.length + contents.length];
        record[0] = (byte)(nameBytes.length >> 8);
        record[1] = (byte)nameBytes.length;
        System.arraycopy(nameBytes, 0, record, 2, nameBytes.length);
        System.arraycopy(contents, 0, record, 2 + nameBytes.length, contents.length);
        return record;
    }

    static String baseName(String path) {
        String name = path.replace('\\', '/');
        return name.substring(name.lastIndexOf('/') + 1);
    }

    static int fail(String message) {
        say("ERROR: " + message);
        return 1;
    }

    static void say(String text) {
        System.out.println(text);
        System.out.flush();
    }
}
