import waba.fx.Graphics;
import waba.fx.Image;
import waba.sys.Vm;
import waba.ui.Button;
import waba.ui.ControlEvent;
import waba.ui.Event;
import waba.ui.Label;
import waba.ui.MainWindow;

/**
 * A first SuperWaba program: the project's icon, a greeting and a button that counts how often it was
 * pressed.
 */
public class Hello extends MainWindow {
    private Image icon;
    private Label greeting;
    private Button pressMe;
    private int presses;

    public Hello() {
        super("Hello", TAB_ONLY_BORDER);
    }

    public void onStart() {
        icon = new Image("icon.bmp");
        Vm.debug("Hello started, icon " + icon.getWidth() + "x" + icon.getHeight());
        greeting = new Label("Hello, SuperWaba!", CENTER);
        add(greeting);
        greeting.setRect(LEFT, TOP + 34, FILL, PREFERRED);
        pressMe = new Button("Press me");
        add(pressMe, CENTER, AFTER + 10);
    }

    public void onEvent(Event event) {
        if (event.type == ControlEvent.PRESSED && event.target == pressMe) {
            presses++;
            String text = Util.pressedText(presses);
            greeting.setText(text);
            Vm.debug(text);
        }
    }

    public void onPaint(Graphics g) {
        g.drawImage(icon, (width - icon.getWidth()) / 2, getClientRect().y + 6);
    }
}
