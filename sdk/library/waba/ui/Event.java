package waba.ui;

/** Something that happened: a pen or key action, or a control reporting a change. */
public class Event {
    /** What happened; the subclasses name the values. */
    public int type;
    /** The control the event is about. */
    public Object target;
    /** Milliseconds since the program started, when the event was made. */
    public int timeStamp;
    /** Set by a handler to stop the event from going on to the parent containers. */
    public boolean consumed;

    public Event() { timeStamp = waba.sys.Vm.getTimeStamp(); }

    public Event(int type, Object target, int timeStamp) {
        this.type = type;
        this.target = target;
        this.timeStamp = timeStamp;
    }
}
