package superwaba.tools;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.List;

/**
 * Builds a Palm OS database file: a record database (.pdb) or a resource database (.prc).
 *
 * Layout, all numbers big-endian:
 * <pre>
 * header, 78 bytes: name[32] (NUL-terminated), attributes u16, version u16, creation date u32,
 *   modification date u32, last backup date u32, modification number u32, app info offset u32,
 *   sort info offset u32, type[4], creator[4], unique ID seed u32, next record list u32, entry count u16
 * entries: per record 8 bytes (data offset u32, attributes u8, unique ID u24), or
 *   per resource 10 bytes (type[4], id u16, data offset u32)
 * two zero bytes, then the data of each entry in order
 * </pre>
 * Dates are seconds since 1904-01-01, the Palm OS epoch.
 */
final class PalmDatabase {
    static final int HEADER_SIZE = 78;
    static final int NAME_SIZE = 32;
    /** Seconds from the Palm OS epoch (1904-01-01) to the Unix epoch (1970-01-01). */
    static final long PALM_EPOCH_OFFSET = 2082844800L;
    static final int ATTR_RESOURCE_DB = 0x0001;
    static final int ATTR_BACKUP = 0x0008;
    static final int ATTR_COPY_PREVENTION = 0x0040;

    private static final class Entry {
        final String type;
        final int id;
        final byte[] data;

        Entry(String type, int id, byte[] data) {
            this.type = type;
            this.id = id;
            this.data = data;
        }
    }

    private final String name;
    private final String type;
    private final String creator;
    private final boolean resourceDb;
    private int attributes = ATTR_BACKUP;
    private final List<Entry> entries = new ArrayList<Entry>();

    /** type and creator are four ASCII characters each. */
    PalmDatabase(String name, String type, String creator, boolean resourceDb) {
        this.name = name;
        this.type = type;
        this.creator = creator;
        this.resourceDb = resourceDb;
        if (resourceDb)
            attributes |= ATTR_RESOURCE_DB;
    }

    void setCopyProtected(boolean on) {
        attributes = on ? attributes | ATTR_COPY_PREVENTION : attributes & ~ATTR_COPY_PREVENTION;
    }

    void addRecord(byte[] data) { entries.add(new Entry(null, 0, data)); }

    void addResource(String resourceType, int id, byte[] data) {
        entries.add(new Entry(resourceType, id, data));
    }

    int entryCount() { return entries.size(); }

    byte[] toBytes() {
        if (entries.size() > 0xFFFF)
            throw new IllegalStateException("a Palm database holds at most 65535 entries");
        long now = System.currentTimeMillis() / 1000 + PALM_EPOCH_OFFSET;
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] nameBytes = new byte[NAME_SIZE];
        byte[] given = name.getBytes(StandardCharsets.ISO_8859_1);
        System.arraycopy(given, 0, nameBytes, 0, Math.min(given.length, NAME_SIZE - 1));
        out.write(nameBytes, 0, NAME_SIZE);
        u16(out, attributes);
        u16(out, 1);   // version
        u32(out, now); // created
        u32(out, now); // modified
        u32(out, 0);   // last backup
        u32(out, 0);   // modification number
        u32(out, 0);   // app info
        u32(out, 0);   // sort info
        fourChars(out, type);
        fourChars(out, creator);
        u32(out, resourceDb ? 0 : entries.size() + 1); // unique ID seed
        u32(out, 0);                                   // next record list
        u16(out, entries.size());

        long offset = HEADER_SIZE + (long)entries.size() * (resourceDb ? 10 : 8) + 2;
        for (int i = 0; i < entries.size(); i++) {
            Entry entry = entries.get(i);
            if (resourceDb) {
                fourChars(out, entry.type);
                u16(out, entry.id);
                u32(out, offset);
            } else {
                u32(out, offset);
                out.write(0); // attributes
                int uniqueId = i + 1;
                out.write((uniqueId >> 16) & 0xFF);
                out.write((uniqueId >> 8) & 0xFF);
                out.write(uniqueId & 0xFF);
            }
            offset += entry.data.length;
        }
        u16(out, 0);
        for (Entry entry : entries)
            out.write(entry.data, 0, entry.data.length);
        return out.toByteArray();
    }

    /** Writes the database; an existing file is replaced only once the new one is complete. */
    void writeTo(File file) throws IOException {
        File folder = file.getAbsoluteFile().getParentFile();
        File temporary = File.createTempFile(file.getName(), ".part", folder);
        try {
            FileOutputStream out = new FileOutputStream(temporary);
            try {
                out.write(toBytes());
                out.getFD().sync();
            } finally {
                out.close();
            }
            try {
                Files.move(temporary.toPath(), file.toPath(), StandardCopyOption.REPLACE_EXISTING,
                           StandardCopyOption.ATOMIC_MOVE);
            } catch (java.nio.file.AtomicMoveNotSupportedException e) {
                Files.move(temporary.toPath(), file.toPath(), StandardCopyOption.REPLACE_EXISTING);
            }
        } finally {
            if (temporary.exists() && !temporary.delete())
                temporary.deleteOnExit();
        }
    }

    private static void u16(ByteArrayOutputStream out, int value) {
        out.write((value >> 8) & 0xFF);
        out.write(value & 0xFF);
    }

    private static void u32(ByteArrayOutputStream out, long value) {
        out.write((int)(value >> 24) & 0xFF);
        out.write((int)(value >> 16) & 0xFF);
        out.write((int)(value >> 8) & 0xFF);
        out.write((int)value & 0xFF);
    }

    private static void fourChars(ByteArrayOutputStream out, String text) {
        byte[] bytes = text.getBytes(StandardCharsets.ISO_8859_1);
        out.write(bytes, 0, 4);
    }
}
