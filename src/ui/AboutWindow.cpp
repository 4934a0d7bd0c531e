#include "AboutWindow.h"

#include "ApplicationTitle.h"
#include "Artwork.h"
#include "FontScale.h"
#include "settings/FormSizeSave.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// The window is laid out in pixels at the standard font; a larger desktop font scales it whole, texts and
// picture included, so the proportions stay.
QLabel* addText(QWidget* parent, const QString& name, const QString& text, const QRect& place, int pixels,
                bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(FontScale::px(pixels));
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(FontScale::px(place));
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("Form2");
    setWindowTitle("About Kovrin Handwright");
    setFixedSize(FontScale::px(QSize(619, 382)));
    setAutoFillBackground(true);
    // White paper takes black text, whatever the desktop's colours; the button keeps the desktop's own.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    const QRect picturePlace = FontScale::px(QRect(0, 0, 200, 382));
    picture->setPixmap(
        aboutPicture().scaled(picturePlace.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    picture->setGeometry(picturePlace);

    addText(this, "Label1", "Release 1.8", QRect(220, 16, 380, 28), 20, true);
    addText(this, "Label2", "December 2026", QRect(220, 46, 380, 18), 12);
    addText(this, "Label3", "SuperWaba", QRect(220, 66, 380, 18), 12, true);
    addText(this, "Label4",
            "Thanks for the support and help:\n"
            "the SuperWaba developers and every tester of the releases.\n"
            "Very special thanks to\n"
            "everybody who sent bug reports and ideas.\n"
            "Support SuperWaba and buy the Super-\n"
            "Waba tutorials.",
            QRect(220, 96, 380, 120), 12);
    addText(this, "Label5",
            "Portions of this software: Qt (LGPL 3), QScintilla (GPL 3), SQLite (public domain). "
            "Java and the JDK are trademarks of Oracle. Palm OS and HotSync are trademarks of their owners.",
            QRect(220, 224, 380, 62), 11);

    addText(this, "Label6", copyrightLine() + u'\n' + licenceNotice(), QRect(220, 290, 290, 84), 11);

    auto* close = new QPushButton("Close", this);
    close->setObjectName("Button1");
    close->setGeometry(FontScale::px(QRect(520, 340, 80, 26)));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &AboutWindow::closeWindow);

    m_placement = new FormSizeSave(this);
    m_placement->restore();
}

void AboutWindow::closeWindow() {
    close();
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    m_placement->save();
    QDialog::closeEvent(event);
}

// Escape ends a dialog without a close event; the placement is kept all the same.
void AboutWindow::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
