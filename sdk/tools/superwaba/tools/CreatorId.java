package superwaba.tools;

/** Creator IDs: four printable ASCII characters that tie an application's databases together. */
final class CreatorId {
    private static final String LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

    private CreatorId() {}

    /** Returns the ID if it is four printable ASCII characters; else throws with a one-line message. */
    static String check(String id) {
        boolean ok = id.length() == 4;
        for (int i = 0; ok && i < 4; i++)
            ok = id.charAt(i) >= 0x20 && id.charAt(i) < 0x7F;
        if (!ok)
            throw new IllegalArgumentException("the creator ID must be four ASCII characters, not \"" + id +
                                               "\"");
        return id;
    }

    /**
     * An ID made from the name, the same for the same name, so that Warp and Exegen agree without /c. It
     * starts with a capital letter, since IDs of lower-case letters only are reserved by Palm.
     */
    static String derive(String name) {
        int hash = 0x811C9DC5; // FNV-1a
        for (int i = 0; i < name.length(); i++) {
            hash ^= name.charAt(i);
            hash *= 0x01000193;
        }
        long bits = hash & 0xFFFFFFFFL;
        StringBuilder id = new StringBuilder();
        id.append(LETTERS.charAt((int)(bits % 26)));
        bits /= 26;
        for (int i = 0; i < 3; i++) {
            id.append(LETTERS.charAt((int)(bits % LETTERS.length())));
            bits /= LETTERS.length();
        }
        return id.toString();
    }
}
