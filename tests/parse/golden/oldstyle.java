import waba.ui.*;
import waba.fx.*;

// Java 1.1 style, as SuperWaba programs were written: enum, record and var are ordinary names.
public class Notes extends MainWindow {
    java.util.Enumeration enum;
    Object record, var;
    int values[] = {1, 2, 3}, count = values.length;

    public Notes() {
        Enumeration enum = null;
        int record = 0;
        enum = elements();
        record = record + 1;
    }

    public void onPaint(Graphics g) {
        g.drawText("enum class record", 0, 0);
    }

    public int[][] matrix()[] {
        return null;
    }

    Enumeration elements() {
        return null;
    }

    static interface Constants {
        int ONE = 1, TWO = 2;
        String NAME = "notes";
    }
}
