public class Strings {
    String broken = "no closing quote;
    int next;
    char lone = ';
    void stillRead() {
    }
}
