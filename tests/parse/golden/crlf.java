import waba.ui.*;

/* written by the editor:
   CR LF line ends and a byte-order mark */
public class Hello extends MainWindow {
    Button ok;

    public Hello() {
        ok = new Button("OK");
    }

    public void onEvent(Event event) {
    }
}
