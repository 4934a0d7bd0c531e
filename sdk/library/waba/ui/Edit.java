package waba.ui;

import waba.fx.Color;
import waba.fx.Graphics;
import waba.sys.Settings;

/**
 * A one-line text field. A pen press gives it the keyboard focus and places the cursor; each change of
 * the text by the user posts a ControlEvent.PRESSED.
 */
public class Edit extends Control {
    private final StringBuffer text = new StringBuffer();
    private final String mask;
    private int cursor;
    private int maxLength;
    private boolean editable = true;
    private boolean focused;

    public Edit() { this(null); }

    /** The mask only sizes the field: its preferred width fits the mask's text. */
    public Edit(String mask) { this.mask = mask; }

    public String getText() { return text.toString(); }

    /** Replaces the text (cut to the maximum length) and puts the cursor at its end; posts no event. */
    public void setText(String newText) {
        text.setLength(0);
        if (newText != null)
            text.append(maxLength > 0 && newText.length() > maxLength ? newText.substring(0, maxLength)
                                                                      : newText);
        cursor = text.length();
        repaint();
    }

    /** The most characters the user may type; 0 for no limit. */
    public void setMaxLength(int maxLength) { this.maxLength = Math.max(maxLength, 0); }

    public int getMaxLength() { return maxLength; }

    public void setEditable(boolean editable) {
        this.editable = editable;
        repaint();
    }

    public boolean isEditable() { return editable; }

    public int getCursorPos() { return cursor; }

    public int getPreferredWidth() { return fm.getTextWidth(mask != null ? mask : "0000000000") + 6; }

    public int getPreferredHeight() { return fm.getHeight() + 4; }

    boolean acceptsFocus() { return editable; }

    public void onEvent(Event event) {
        if (event.target != this)
            return;
        switch (event.type) {
        case ControlEvent.FOCUS_IN:
        case ControlEvent.FOCUS_OUT:
            focused = event.type == ControlEvent.FOCUS_IN;
            repaint();
            break;
        case PenEvent.PEN_DOWN:
            cursor = indexAt(((PenEvent)event).x);
            repaint();
            break;
        case KeyEvent.KEY_PRESS:
            if (editable && type((KeyEvent)event))
                postEvent(new ControlEvent(ControlEvent.PRESSED, this));
            repaint();
            break;
        default:
            break;
        }
    }

    public void onPaint(Graphics g) {
        g.setBackColor(editable ? getBackColor() : Color.BRIGHT);
        g.fillRect(0, 0, width, height);
        g.setForeColor(textColor());
        int left = 2 - scroll();
        int top = (height - fm.getHeight()) / 2;
        g.drawText(text.toString(), left, top);
        if (focused) {
            int at = left + fm.getTextWidth(text.substring(0, cursor));
            g.drawLine(at, top, at, top + fm.getHeight() - 1);
        }
        // The frame last, so that scrolled text never covers it.
        if (Settings.uiStyle == Settings.PalmOS) {
            g.fillRect(0, 0, 1, height);
            g.drawDots(0, height - 1, width - 1, height - 1);
        } else {
            g.drawRect(0, 0, width, height);
        }
    }

    // Applies one key; returns whether the text changed.
    private boolean type(KeyEvent key) {
        switch (key.key) {
        case IKeys.LEFT:
            cursor = Math.max(cursor - 1, 0);
            return false;
        case IKeys.RIGHT:
            cursor = Math.min(cursor + 1, text.length());
            return false;
        case IKeys.HOME:
            cursor = 0;
            return false;
        case IKeys.END:
            cursor = text.length();
            return false;
        case IKeys.BACKSPACE:
            if (cursor == 0)
                return false;
            text.deleteCharAt(--cursor);
            return true;
        case IKeys.DELETE:
            if (cursor >= text.length())
                return false;
            text.deleteCharAt(cursor);
            return true;
        default:
            if (!key.isPrintable() || (maxLength > 0 && text.length() >= maxLength))
                return false;
            text.insert(cursor++, (char)key.key);
            return true;
        }
    }

    // How far the text is shifted left so that the cursor stays inside the field.
    private int scroll() {
        int cursorX = fm.getTextWidth(text.substring(0, cursor));
        int room = width - 5;
        return cursorX > room ? cursorX - room : 0;
    }

    private int indexAt(int px) {
        int target = px - 2 + scroll();
        for (int i = 0; i < text.length(); i++) {
            int mid = fm.getTextWidth(text.substring(0, i)) + fm.getCharWidth(text.charAt(i)) / 2;
            if (target < mid)
                return i;
        }
        return text.length();
    }
}
