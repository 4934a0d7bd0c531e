// Every window under a dark desktop palette and under a larger desktop font: text must stand out from
// what it is drawn on, and no caption may be cut.
#include "app/BitmapViewer.h"
#include "app/ClassHelpWindow.h"
#include "app/ClassWizard.h"
#include "app/MainWindow.h"
#include "app/MainWindowUi.h"
#include "app/NewProjectWindow.h"
#include "app/SettingsWindow.h"
#include "build/OutputWindow.h"
#include "debug/DebugInterface.h"
#include "debug/DebuggerOptions.h"
#include "editor/CompletionWindow.h"
#include "editor/EditorOverlay.h"
#include "editor/FindReplaceDialogs.h"
#include "editor/SourceEditor.h"
#include "editor/SourceEditorFont.h"
#include "notes/BugsAndNotesWindow.h"
#include "notes/EditNoteWindow.h"
#include "notes/NotesRegister.h"
#include "print/PlusMemoPrinter.h"
#include "print/PrintPreview.h"
#include "settings/RegistryStore.h"
#include "ui/AboutWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Readability.h"
#include "ui/ScriptedDialogs.h"
#include "ui/SplashWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <Qsci/qsciscintillabase.h>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

using Readability::contrastRatio;

namespace {

// A dark palette as desktops give it (qt6ct's "darker" scheme): buttons lighter than the window, so text
// that is only readable on the window's colour shows up.
QPalette darkPalette() {
    QPalette p;
    const QColor white(Qt::white);
    p.setColor(QPalette::WindowText, white);
    p.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    p.setColor(QPalette::Light, QColor(0x97, 0x97, 0x97));
    p.setColor(QPalette::Midlight, QColor(0x5e, 0x5c, 0x5b));
    p.setColor(QPalette::Dark, QColor(0x30, 0x2f, 0x2e));
    p.setColor(QPalette::Mid, QColor(0x4a, 0x49, 0x47));
    p.setColor(QPalette::Text, white);
    p.setColor(QPalette::BrightText, white);
    p.setColor(QPalette::ButtonText, white);
    p.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    p.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    p.setColor(QPalette::Shadow, QColor(0xe7, 0xe4, 0xe0));
    p.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    p.setColor(QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9));
    p.setColor(QPalette::Link, QColor(0x09, 0x86, 0xd3));
    p.setColor(QPalette::LinkVisited, QColor(0xa7, 0x0b, 0x06));
    p.setColor(QPalette::AlternateBase, QColor(0x5c, 0x5b, 0x5a));
    p.setColor(QPalette::ToolTipBase, QColor(0x3f, 0x3f, 0x36));
    p.setColor(QPalette::ToolTipText, white);
    p.setColor(QPalette::PlaceholderText, QColor(0xff, 0xff, 0xff, 0x80));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

QString describe(const QWidget* widget) {
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        name += " \"" + label->text().left(30) + "\"";
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += " \"" + button->text() + "\"";
    return name;
}

// The colour a widget's text is drawn on: its own background when it fills one, else that of the nearest
// parent that does (a window always does).
QColor backgroundBehind(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    return widget->palette().color(QPalette::Window);
}

struct Pair {
    QString what;
    QColor text, background;
};

// The text and background colours each kind of control draws with.
QList<Pair> colourPairs(const QWidget* w) {
    const QPalette& p = w->palette();
    if (qobject_cast<const QsciScintillaBase*>(w))
        return {}; // Its styles are checked one by one.
    if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) {
        QList<Pair> pairs{
            {"rows", p.color(QPalette::Text), p.color(QPalette::Base)},
            {"selected rows", p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)}};
        if (view->alternatingRowColors())
            pairs.append({"alternate rows", p.color(QPalette::Text), p.color(QPalette::AlternateBase)});
        return pairs;
    }
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w))
        return {{"text", p.color(QPalette::Text), p.color(QPalette::Base)}};
    if (const auto* box = qobject_cast<const QComboBox*>(w))
        return {box->isEditable()
                    ? Pair{"text", p.color(QPalette::Text), p.color(QPalette::Base)}
                    : Pair{"caption", p.color(QPalette::ButtonText), p.color(QPalette::Button)}};
    if (const auto* tool = qobject_cast<const QToolButton*>(w))
        return {{"caption", p.color(QPalette::ButtonText),
                 tool->autoRaise() ? backgroundBehind(w) : p.color(QPalette::Button)}};
    if (qobject_cast<const QPushButton*>(w))
        return {{"caption", p.color(QPalette::ButtonText), p.color(QPalette::Button)}};
    if (qobject_cast<const QLabel*>(w) || qobject_cast<const QCheckBox*>(w) ||
        qobject_cast<const QRadioButton*>(w) || qobject_cast<const QGroupBox*>(w) ||
        qobject_cast<const QTabBar*>(w) || qobject_cast<const QMenuBar*>(w))
        return {{"text", p.color(w->foregroundRole()), backgroundBehind(w)}};
    return {};
}

bool bearsText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return !label->text().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return !button->text().isEmpty() || qobject_cast<const QToolButton*>(w);
    return true;
}

// Every visible, enabled control with text in `window` whose colours fall short.
QStringList unreadable(QWidget* window) {
    QStringList found;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!w->isVisible() || !w->isEnabled() || !bearsText(w))
            continue;
        for (const Pair& pair : colourPairs(w)) {
            const double ratio = contrastRatio(pair.text, pair.background);
            if (ratio < Readability::kTextContrast)
                found << QString("%1 %2: %3 on %4 is %5:1")
                             .arg(describe(w), pair.what, pair.text.name(), pair.background.name())
                             .arg(ratio, 0, 'f', 2);
        }
    }
    return found;
}

// The strongest contrast any pixel of `area` has with `background`: where glyphs are drawn, their
// cores carry the text colour itself.
double strongestContrast(const QImage& image, const QRect& area, const QColor& background) {
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, contrastRatio(image.pixelColor(x, y), background));
    return best;
}

// Captions as they come out on the screen: the most frequent colour of a caption's box is what it is
// drawn on (whatever the style paints there), the pixel that differs most from it is its text.
QStringList unreadableOnScreen(QWidget* window) {
    QStringList found;
    const QImage shot = window->grab().toImage();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool caption =
            qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
        if (!caption || !w->isVisible() || !w->isEnabled() || !bearsText(w))
            continue;
        if (const auto* label = qobject_cast<QLabel*>(w); label && !label->pixmap().isNull())
            continue;
        // Only captions wholly in sight: one scrolled half out of view may show no letter at all.
        const QRect seen = w->visibleRegion().boundingRect();
        if (seen.size() != w->size())
            continue;
        const QRect box = QRect(w->mapTo(window, QPoint(0, 0)), w->size()) & shot.rect();
        QHash<QRgb, int> counts;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ++counts[shot.pixel(x, y)];
        if (counts.isEmpty())
            continue;
        QRgb background = counts.begin().key();
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(background))
                background = it.key();
        const double ratio = strongestContrast(shot, box, QColor(background));
        if (ratio < Readability::kTextContrast)
            found << QString("%1 on screen: %2:1 on %3")
                         .arg(describe(w))
                         .arg(ratio, 0, 'f', 2)
                         .arg(QColor(background).name());
    }
    return found;
}

// Each of the editor's styles against its own paper: plain text at 4.5:1, coloured words at 3:1.
QStringList unreadableStyles(SourceEditor& editor) {
    QStringList found;
    auto colour = [](long bgr) {
        return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
    };
    for (int style = 0; style < 32; ++style) {
        const QColor fore = colour(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, style));
        const QColor back = colour(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, style));
        const double needed = style == 0 ? Readability::kTextContrast : Readability::kAccentContrast;
        if (contrastRatio(fore, back) < needed)
            found << QString("style %1: %2 on %3").arg(style).arg(fore.name(), back.name());
    }
    const QColor caret = colour(editor.SendScintilla(QsciScintillaBase::SCI_GETCARETFORE));
    const QColor paper = colour(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0));
    if (contrastRatio(caret, paper) < Readability::kAccentContrast)
        found << QString("caret %1 on %2").arg(caret.name(), paper.name());
    return found;
}

// Every window of the program, created in the program's order, on a store of its own.
class AllWindows {
public:
    AllWindows() : store(dir.filePath("registry.sqlite")) {
        main = std::make_unique<MainWindow>(store);
        main->startUp({});
        add(main.get());
        add(new AboutWindow(main.get()));
        add(new NewProjectWindow(*main, main.get()));
        add(new ClassWizard(*main, main.get()));
        add(new SettingsWindow(*main, main->liveSettings(), main.get()));
        add(new BitmapViewer(main.get()));
        output = std::make_unique<OutputWindow>(nullptr, &store);
        add(output.get());
        add(new CompletionWindow(*main->editor(), main.get()));
        add(new DebugInterface(main.get()));
        auto* notes = new BugsAndNotesWindow(main.get(), &store);
        // One entry, so the list has a row to measure: the widest day and month of a short date. A long
        // file name may be cut; a date may not.
        NotesRegister notesFile;
        notesFile.load(NotesRegister::fileName(dir.path() + "/"));
        notesFile.add({"12", EditNoteWindow::dateText(QDate(2026, 12, 28)), "Crashes on exit", "High", "Open",
                       "A.java:9"});
        EXPECT_TRUE(notesFile.save().ok());
        notes->setProjectDir(dir.path() + "/");
        add(notes);
        add(new EditNoteWindow(*notes, notes));
        add(new ClassHelpWindow(main.get()));
        add(new SplashWindow(main.get()));
        add(new DebuggerOptions(main.get(), &store));
        add(new MessageDialog("Save changes to Hello.java?", mtConfirmation, mbYesNoCancel, 0,
                              DialogVariant::Standard, main.get()));
        add(new MessageDialog("The folder cannot be created.", mtError, mbOK, 0, DialogVariant::Standard,
                              main.get()));
        add(new SearchDialog(false, main.get()));
        add(new SearchDialog(true, main.get()));
        printer.setText({"public class Hello {", "}"}, main->editor()->font(), 4);
        printer.Header = "Project: Hello         File: Hello.java";
        add(new PrintPreviewWindow(printer, main.get()));
    }
    ~AllWindows() {
        for (QWidget* window : windows)
            window->hide();
    }

    // Shows each in turn (the completion list is a popup that closes when another window shows), and in
    // each every page of its tabs.
    template <typename Check> void eachShown(Check check) {
        for (QWidget* window : windows) {
            SCOPED_TRACE(describe(window).toStdString());
            window->show();
            QCoreApplication::processEvents();
            check(window);
            for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
                for (int page = 1; page < tabs->count(); ++page) {
                    SCOPED_TRACE(tabs->tabText(page).toStdString());
                    tabs->setCurrentIndex(page);
                    QCoreApplication::processEvents();
                    check(window);
                }
                tabs->setCurrentIndex(0);
            }
            window->hide();
        }
    }

    QTemporaryDir dir;
    RegistryStore store;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<OutputWindow> output;
    PlusMemoPrinter printer;
    QList<QWidget*> windows;

private:
    void add(QWidget* window) { windows << window; }
};

// Applies a palette or font to the whole application for one test and puts the old one back.
class DesktopLook : public ::testing::Test {
protected:
    void TearDown() override {
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

private:
    QPalette m_palette = QApplication::palette();
    QFont m_font = QApplication::font();
};

} // namespace

TEST_F(DesktopLook, EveryWindowIsReadableUnderADarkPalette) {
    QApplication::setPalette(darkPalette());
    AllWindows all;
    all.eachShown([](QWidget* window) {
        const QStringList found = unreadable(window) + unreadableOnScreen(window);
        EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
    });
}

// The desktop may switch to dark colours while the program runs.
TEST_F(DesktopLook, EveryWindowStaysReadableWhenThePaletteTurnsDarkWhileOpen) {
    AllWindows all;
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    // The message list follows: tooltip colours of the new palette, not those it was made with.
    const QPalette list = all.main->ui().messageList->palette();
    EXPECT_EQ(list.color(QPalette::Base), darkPalette().color(QPalette::ToolTipBase));
    EXPECT_EQ(list.color(QPalette::Text), darkPalette().color(QPalette::ToolTipText));
    all.eachShown([](QWidget* window) {
        const QStringList found = unreadable(window) + unreadableOnScreen(window);
        EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
    });
}

TEST_F(DesktopLook, EditorWordsCaretAndGutterStandOutFromADarkPaper) {
    QApplication::setPalette(darkPalette());
    SourceEditor editor;
    editor.resize(400, 200);
    editor.setLines({"import waba.ui.*;", "public class Hello extends MainWindow {",
                     "\tString s = \"int\"; // one", "}"});
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const QStringList found = unreadableStyles(editor);
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();

    // The gutter takes the window's colours, the text area the text's.
    const QImage image = editor.viewport()->grab().toImage();
    const QColor gutter = image.pixelColor(2, image.height() - 2);
    const QColor paper = image.pixelColor(image.width() - 2, image.height() - 2);
    EXPECT_EQ(gutter, darkPalette().color(QPalette::Window));
    EXPECT_EQ(paper, darkPalette().color(QPalette::Base));
    const int lineHeight = int(editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0ul));
    EXPECT_GE(strongestContrast(image, QRect(0, 0, editor.marginWidth(0), lineHeight), gutter),
              Readability::kTextContrast);
    // The end-of-text mark under the last line.
    const int end = editor.viewport()->findChild<EditorOverlay*>()->endOfTextY();
    ASSERT_GE(end, 0);
    EXPECT_GE(contrastRatio(image.pixelColor(200, end), paper), Readability::kAccentContrast);
}

TEST_F(DesktopLook, EditorFollowsAPaletteChangeWhileOpen) {
    SourceEditor editor;
    editor.setLines({"int x;"});
    const long lightPaper = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0);
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    const long darkPaper = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0);
    EXPECT_NE(darkPaper, lightPaper);
    const QStringList found = unreadableStyles(editor);
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

// The print preview's page is white paper: its header is black under any desktop palette.
TEST_F(DesktopLook, PrintedHeaderIsDarkOnTheWhitePage) {
    QApplication::setPalette(darkPalette());
    PlusMemoPrinter printer;
    printer.setText({"x"}, QFont("Liberation Mono", 10), 4);
    printer.Header = "HHHHHHHHHHHHHHHHHHHH";
    printer.HeaderYPos = 0.5;
    printer.layOut();
    const Print::Paper paper = printer.layout().paper();
    constexpr double kShrink = 8;
    QImage page(QSize(int(paper.size.width() / kShrink), int(paper.size.height() / kShrink)),
                QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.scale(1 / kShrink, 1 / kShrink);
        printer.paintPage(painter, 0);
    }
    // The header lies in the top part of the page, above the text.
    const QRect top(0, 0, page.width(), int(paper.dpi * 0.7 / kShrink));
    EXPECT_GE(strongestContrast(page, top, Qt::white), Readability::kTextContrast);
}

// Every caption of `window` that has less room than it asks for, every report-list column narrower than its
// texts, and every tool bar that had to fold buttons away behind its extension ("»").
static QStringList clippedIn(QWidget* window) {
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !bearsText(w))
            continue;
        const auto* label = qobject_cast<QLabel*>(w);
        const bool button =
            qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
        if (!label && !button)
            continue;
        QSize hint = w->sizeHint();
        // A push button's hint holds the style's least width for a button, wider than "..." needs;
        // its caption with the style's margins is enough.
        if (const auto* push = qobject_cast<QPushButton*>(w)) {
            const int margins = 2 * (w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                                     w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w));
            hint.setWidth(
                std::min(hint.width(),
                         w->fontMetrics().horizontalAdvance(QString(push->text()).remove('&')) + margins));
        }
        const bool fits = label && label->wordWrap()
                              ? w->height() >= label->heightForWidth(w->width())
                              : w->width() >= hint.width() && w->height() >= hint.height();
        if (!fits)
            clipped << QString("%1: %2x%3, needs %4x%5")
                           .arg(describe(w))
                           .arg(w->width())
                           .arg(w->height())
                           .arg(hint.width())
                           .arg(hint.height());
    }
    // Report lists: each column as wide as its caption and the texts of its rows.
    for (auto* list : window->findChildren<QTreeWidget*>()) {
        if (!list->isVisible())
            continue;
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int column = 0; column < list->columnCount(); ++column) {
            QStringList texts{list->headerItem()->text(column)};
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                texts << list->topLevelItem(row)->text(column);
            for (const QString& text : texts) {
                const int needs = list->fontMetrics().horizontalAdvance(text) + margins;
                if (list->columnWidth(column) < needs)
                    clipped << QString("%1 column %2 \"%3\": %4 wide, needs %5")
                                   .arg(describe(list))
                                   .arg(column)
                                   .arg(text)
                                   .arg(list->columnWidth(column))
                                   .arg(needs);
            }
        }
    }
    for (auto* bar : window->findChildren<QToolBar*>()) {
        const auto* fold = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
        if (bar->isVisible() && fold && fold->isVisible())
            clipped << QString("%1: buttons folded away").arg(describe(bar));
    }
    return clipped;
}

// With a font half as large again, every caption gets the room it asks for.
TEST_F(DesktopLook, NoCaptionIsClippedWithALargerFont) {
    QFont larger = QApplication::font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    QApplication::setFont(larger);
    AllWindows all;
    all.eachShown([](QWidget* window) {
        const QStringList clipped = clippedIn(window);
        EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
    });
}

// A font (or scale factor) twice the standard one: the Settings window stays on the screen with its
// buttons, and its pages scroll rather than squeeze their captions.
TEST_F(DesktopLook, SettingsWindowStaysOnTheScreenWithADoubleFont) {
    QFont larger = QApplication::font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    QApplication::setFont(larger);
    QTemporaryDir dir;
    RegistryStore store(dir.filePath("registry.sqlite"));
    MainWindow main(store);
    SettingsWindow settings(main, main.liveSettings(), &main);
    settings.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&settings));
    const QRect screen = settings.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(settings.frameGeometry()))
        << settings.frameGeometry().width() << "x" << settings.frameGeometry().height() << " on "
        << screen.width() << "x" << screen.height();
    for (const char* name : {"Button1", "Button2"}) {
        auto* button = settings.findChild<QPushButton*>(name);
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        EXPECT_TRUE(screen.contains(onScreen)) << name;
    }
    QTabWidget* pages = settings.ui().pages;
    for (int page = 0; page < pages->count(); ++page) {
        SCOPED_TRACE(pages->tabText(page).toStdString());
        pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QStringList clipped = clippedIn(&settings);
        EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
    }
}

// Tool bar pictures on a dark tool bar: each shows something that stands out from the bar.
TEST_F(DesktopLook, ToolBarPicturesStandOutFromADarkToolBar) {
    QApplication::setPalette(darkPalette());
    QTemporaryDir dir;
    RegistryStore store(dir.filePath("registry.sqlite"));
    MainWindow main(store);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    for (const char* name :
         {"ToolButton19", "ToolButton20", "ToolButton21", "ToolButton23", "ToolButton24"}) {
        auto* button = main.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        const QColor bar = backgroundBehind(button);
        QImage picture(button->iconSize(), QImage::Format_ARGB32);
        picture.fill(bar);
        {
            QPainter painter(&picture);
            button->icon().paint(&painter, picture.rect());
        }
        EXPECT_GE(strongestContrast(picture, picture.rect(), bar), Readability::kAccentContrast)
            << name << " on " << bar.name().toStdString();
    }
}

// Escape closes the register and the print preview from wherever the focus is, as it closes a dialog.
TEST_F(DesktopLook, EscapeClosesTheRegisterAndThePreview) {
    ScriptedDialogs noQuestions; // any question would be a fault, and is answered rather than waited on
    QTemporaryDir dir;
    RegistryStore store(dir.filePath("registry.sqlite"));
    BugsAndNotesWindow notes(nullptr, &store);
    notes.setProjectDir(dir.path() + "/");
    PlusMemoPrinter printer;
    printer.setText({"public class Hello {", "}"}, QFont("Liberation Mono", 10), 4);
    PrintPreviewWindow preview(printer);
    const std::pair<QWidget*, const char*> places[] = {
        {&notes, "ListView1"}, {&notes, "BitBtn3"}, {&preview, "cbZoom"}, {&preview, "ScrollBox1"}};
    for (const auto& [window, focus] : places) {
        SCOPED_TRACE(describe(window).toStdString() + " " + focus);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* target = window->findChild<QWidget*>(focus);
        ASSERT_NE(target, nullptr);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        window->hide();
    }
    EXPECT_EQ(noQuestions.problems(), "");
}

// A machine without Liberation fonts, where the font matcher answers the Windows families with a
// proportional one.
class ProportionalCouriers {
public:
    explicit ProportionalCouriers(const QString& proportional) {
        for (const QString& family : kFamilies)
            QFont::insertSubstitution(family, proportional);
    }
    ~ProportionalCouriers() {
        for (const QString& family : kFamilies)
            QFont::removeSubstitutions(family);
    }
    ProportionalCouriers(const ProportionalCouriers&) = delete;
    ProportionalCouriers& operator=(const ProportionalCouriers&) = delete;

private:
    inline static const QStringList kFamilies{QStringLiteral("Courier"), QStringLiteral("Courier New")};
};

TEST(FixedWidthText, StaysFixedPitchWhereTheWindowsFamiliesComeOutProportional) {
    const QFontInfo desktop(QApplication::font());
    if (desktop.fixedPitch())
        GTEST_SKIP() << "the desktop font is fixed-pitch";
    const QString sans = desktop.family();
    const ProportionalCouriers missing(sans);
    ASSERT_FALSE(QFontInfo(QFont("Courier New")).fixedPitch());
    ASSERT_FALSE(QFontInfo(QFont("Courier")).fixedPitch());

    SourceEditor editor;
    OutputWindow output;
    CompletionWindow completion(editor);
    PlusMemoPrinter printer;
    const std::pair<const char*, QFont> fonts[] = {{"editor", editor.font()},
                                                   {"output window", output.memo()->font()},
                                                   {"completion box", completion.m_typed->font()},
                                                   {"printed text", printer.font()}};
    for (const auto& [where, font] : fonts)
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << where << ": " << QFontInfo(font).family().toStdString();
}

TEST(EditorFont, TheEditorUsesAFixedPitchFontOfTenPoints) {
    SourceEditor editor;
    EXPECT_EQ(editor.font().family(), editorFontFamily());
    EXPECT_EQ(editor.font().pointSizeF(), 10.0);
    EXPECT_TRUE(QFontInfo(editor.font()).fixedPitch());
}
