public class Cut {
    int before;

    void method() {
    }
    /* the comment never ends
    int hidden;
    void alsoHidden() {}
}
