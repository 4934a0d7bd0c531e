}
public class Open {
    int first;

    void unfinished( {
    }

    int second;

    int = 5;
    int third;

    void body() {
        if (true) {
    }

class Lost {
    int never;
}
