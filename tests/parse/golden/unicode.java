public class Größe {
    int \u0061bc;
    double αβ;
    String s = "\\u0041 is not an escape";
    int x\u0031 = 1;
    \u0063lass Escaped {
        int inside;
    }
    void na\u00efve(char c) {
    }
    char backslash = '\\';
}
