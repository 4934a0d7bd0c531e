#pragma once

#include <QPointer>
#include <QValidator>
#include <QWidget>

#include <QLineEdit>
class QToolButton;

// A pair of arrow buttons that steps the number in an edit beside it, within a range; the Up and Down keys
// in the edit step it too. The edit stays the place the number is kept, so typing into it works as before.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setIncrement(int increment) { m_increment = increment; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int increment() const { return m_increment; }

    void associate(QLineEdit* edit);
    QLineEdit* associate() const { return m_edit; }

    // The edit's number clamped to the range (the minimum when the edit holds no number).
    int position() const;

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

public slots:
    void stepUp() { step(m_increment); }
    void stepDown() { step(-m_increment); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);

    QPointer<QLineEdit> m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
};

// Admits the digits 0..9 only, so neither a typed nor a pasted letter reaches the edit; deleting stays
// possible.
class DigitsOnlyValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
