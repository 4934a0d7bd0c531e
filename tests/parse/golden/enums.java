enum Planet implements Comparable<Planet> {
    MERCURY(3.303e+23, 2.4397e6),
    @Deprecated
    VENUS(4.869e+24, 6.0518e6),
    EARTH(5.976e+24, 6.37814e6) {
        @Override
        double surfaceGravity() {
            return 9.8;
        }

        int onlyInConstantBody;
    },
    PLUTO(new double[] {1, 2}[0], 0) {
        class NamedInConstant {
        }
    };

    private final double mass;
    private final double radius;

    Planet(double mass, double radius) {
        this.mass = mass;
        this.radius = radius;
    }

    double surfaceGravity() {
        return mass / (radius * radius);
    }

    enum Empty {
    }

    enum OnlySemicolon {
        ;
        int field;
    }

    enum Trailing {
        A, B,
    }

    interface Holder {
        enum Mode { ON, OFF }
    }
}
