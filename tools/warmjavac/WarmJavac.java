import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.lang.reflect.Method;
import java.nio.charset.Charset;

/**
 * The IDE's warm compiler: one JVM that stays alive and runs javac's own command-line entry point,
 * com.sun.tools.javac.Main.compile(String[], PrintWriter), for each request, so that every message is what
 * the javac program prints.
 *
 * Frames on standard input and output, every number a 32-bit big-endian integer:
 *   hello (out, once):  MAGIC, 0, 0, length, UTF-8 text "ready <java.version>"
 *   request (in):       MAGIC, id, argument count, then for each argument its length and its bytes (the
 *                       argument as the program's argv would hold it, in the platform's file-name encoding)
 *   answer (out):       MAGIC, id, exit code, length, the bytes javac wrote
 * An exit code of -1 means the compile could not be run here (the IDE then runs the javac program).
 * The server ends when its input ends: the IDE has gone.
 */
public final class WarmJavac {
    static final int MAGIC = 0x4B574A31; // "KWJ1"
    static final int MAX_ARGUMENTS = 65536;
    static final int MAX_ARGUMENT_BYTES = 1 << 20;

    public static void main(String[] args) throws Exception {
        // The protocol owns the real standard output; anything else written there would break a frame.
        DataOutputStream out = new DataOutputStream(
                new BufferedOutputStream(new FileOutputStream(FileDescriptor.out), 1 << 16));
        DataInputStream in = new DataInputStream(
                new BufferedInputStream(new FileInputStream(FileDescriptor.in), 1 << 16));
        Method compile;
        try {
            compile = Class.forName("com.sun.tools.javac.Main")
                    .getMethod("compile", String[].class, PrintWriter.class);
        } catch (ReflectiveOperationException e) {
            writeFrame(out, 0, -1, ("unavailable " + e).getBytes("UTF-8"));
            return;
        }
        writeFrame(out, 0, 0, ("ready " + System.getProperty("java.version")).getBytes("UTF-8"));
        // As the launcher turns argv into strings.
        String jnu = System.getProperty("sun.jnu.encoding");
        Charset argumentCharset = jnu != null && Charset.isSupported(jnu) ? Charset.forName(jnu)
                                                                        : Charset.defaultCharset();
        for (;;) {
            int magic;
            try {
                magic = in.readInt();
            } catch (EOFException e) {
                return;
            }
            if (magic != MAGIC)
                return;
            int id = in.readInt();
            int count = in.readInt();
            if (count < 0 || count > MAX_ARGUMENTS)
                return;
            String[] arguments = new String[count];
            for (int i = 0; i < count; ++i) {
                int length = in.readInt();
                if (length < 0 || length > MAX_ARGUMENT_BYTES)
                    return;
                byte[] bytes = new byte[length];
                in.readFully(bytes);
                arguments[i] = new String(bytes, argumentCharset);
            }
            ByteArrayOutputStream buffer = new ByteArrayOutputStream();
            int status = run(compile, arguments, buffer);
            writeFrame(out, id, status, buffer.toByteArray());
        }
    }

    // javac's writer and, for whatever writes to System.out or System.err directly (a processor, a crash
    // report), the standard streams go to one buffer, as both go to one pipe for the javac program.
    static int run(Method compile, String[] arguments, ByteArrayOutputStream buffer) {
        PrintStream oldOut = System.out;
        PrintStream oldErr = System.err;
        Charset charset = Charset.defaultCharset();
        PrintStream streams = new PrintStream(buffer, true, charset);
        PrintWriter writer = new PrintWriter(new OutputStreamWriter(buffer, charset), true);
        System.setOut(streams);
        System.setErr(streams);
        try {
            Object status = compile.invoke(null, arguments, writer);
            writer.flush();
            streams.flush();
            int code = (Integer) status;
            // Out of memory or a compiler crash here says nothing about the javac program: it runs instead.
            return code >= 3 ? -1 : code;
        } catch (Throwable t) {
            return -1;
        } finally {
            System.setOut(oldOut);
            System.setErr(oldErr);
        }
    }

    static void writeFrame(DataOutputStream out, int id, int status, byte[] bytes) throws IOException {
        out.writeInt(MAGIC);
        out.writeInt(id);
        out.writeInt(status);
        out.writeInt(bytes.length);
        out.write(bytes);
        out.flush();
    }
}
