package waba.ui;

/** Codes of the special keys in KeyEvent.key, and the modifier bits. */
public interface IKeys {
    int PAGE_UP = 75000;
    int PAGE_DOWN = 75001;
    int HOME = 75002;
    int END = 75003;
    int UP = 75004;
    int DOWN = 75005;
    int LEFT = 75006;
    int RIGHT = 75007;
    int INSERT = 75008;
    int ENTER = 75009;
    int TAB = 75010;
    int BACKSPACE = 75011;
    int ESCAPE = 75012;
    int DELETE = 75013;
    int MENU = 75014;
    int COMMAND = 75015;

    int ALT = 1;
    int CONTROL = 2;
    int SHIFT = 4;
}
