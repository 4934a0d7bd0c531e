package waba.ui;

/** Radio buttons of which at most one is checked. */
public class RadioGroup {
    private final java.util.ArrayList<Radio> radios = new java.util.ArrayList<Radio>();

    void add(Radio radio) { radios.add(radio); }

    /** Index of the checked radio in the order they were made, or -1. */
    public int getSelectedIndex() {
        for (int i = 0; i < radios.size(); i++)
            if (radios.get(i).getChecked())
                return i;
        return -1;
    }

    /** Checks the radio at index, or unchecks all for -1. */
    public void setSelectedIndex(int index) {
        for (int i = 0; i < radios.size(); i++)
            radios.get(i).setChecked(i == index);
    }

    public Radio getSelected() {
        int index = getSelectedIndex();
        return index < 0 ? null : radios.get(index);
    }

    void checked(Radio radio) {
        for (Radio other : radios)
            if (other != radio && other.getChecked())
                other.setChecked(false);
    }
}
