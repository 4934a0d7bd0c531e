public class Outer {
    int before;

    static class Inner {
        int innerField;

        class Deeper {
            void deep() {
            }
        }

        void innerMethod() {
        }
    }

    int after;

    interface Listener {
        void changed(Outer source);
    }

    Listener listener = new Listener() {
        int anonymousField;

        public void changed(Outer source) {
            class InAnonymous {
                int counted;
            }
        }
    };

    Runnable task = () -> {
        class InLambda {
            void run() {
            }
        }
    };

    void work() {
        int local = 0;
        class Local {
            int localField;

            void localMethod() {
                int notMember;
            }
        }
        Object o = new Object() {
            int hidden;

            public String toString() {
                return "";
            }
        };
        Runnable r = new Runnable() {
            public void run() {
                abstract class Helper {
                    abstract void help();
                }
            }
        };
    }

    int last;
}

class Second {
    static void main(String[] args) {
        new Outer().work();
    }
}
