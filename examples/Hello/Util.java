import waba.sys.Convert;

/** Texts for the Hello example. */
public class Util {
    /** "Button pressed 1 time", "Button pressed 2 times", ... */
    public static String pressedText(int presses) {
        return "Button pressed " + Convert.toString(presses) + (presses == 1 ? " time" : " times");
    }
}
