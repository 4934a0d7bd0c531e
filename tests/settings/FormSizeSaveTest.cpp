#include "settings/FormSizeSave.h"
#include "TempStore.h"
#include "settings/RegistryKey.h"
#include "settings/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString positionKey = QStringLiteral("\\SOFTWARE\\Kovrin\\Orrery 1.0\\position");

std::unique_ptr<QWidget> window(const char* name,
                                const QString& caption = QStringLiteral("Kovrin Handwright")) {
    auto w = std::make_unique<QWidget>();
    w->setObjectName(QString::fromLatin1(name));
    w->setWindowTitle(caption);
    return w;
}

std::optional<qint32> storedInteger(RegistryStore& s, const QString& name) {
    RegistryKey key(s);
    return key.openKey(positionKey, false) ? key.readInteger(name) : std::nullopt;
}

TEST(FormSizeSave, KeyLeavesOutBlankParts) {
    struct Case {
        QString company, product, subKey, expected;
    };
    const Case cases[] = {
        {"Kovrin", "Orrery 1.0", "position", "\\SOFTWARE\\Kovrin\\Orrery 1.0\\position\\"},
        {"Kovrin", "  ", "Position", "\\SOFTWARE\\Kovrin\\Position\\"},
        {"", "", "", "\\SOFTWARE\\"},
    };
    for (const Case& c : cases) {
        auto w = window("Form2");
        FormSizeSave saver(w.get());
        saver.setCompany(c.company);
        saver.setProductName(c.product);
        saver.setSubKey(c.subKey);
        EXPECT_EQ(saver.keyPath(), c.expected);
    }
}

TEST(FormSizeSave, NormalWindowRoundTripsItsPlacement) {
    TempStore s;
    auto w = window("Form1", "Kovrin Handwright - Hello");
    w->move(40, 50);
    w->resize(640, 480);
    w->show();
    FormSizeSave saver(w.get(), &*s);
    ASSERT_TRUE(saver.save().ok());
    EXPECT_EQ(storedInteger(*s, "Form1.Left"), w->x());
    EXPECT_EQ(storedInteger(*s, "Form1.Width"), 640);
    EXPECT_EQ(storedInteger(*s, "Form1.State"), 0);
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(positionKey, false));
    EXPECT_EQ(key.readString("Form1.Caption"), "Kovrin Handwright - Hello");
    EXPECT_EQ(key.valueNamesByWriteOrder(), (QStringList{"Form1.Left", "Form1.Top", "Form1.Width",
                                                         "Form1.Height", "Form1.Caption", "Form1.State"}));

    auto again = window("Form1");
    again->resize(100, 100);
    FormSizeSave restorer(again.get(), &*s);
    ASSERT_TRUE(restorer.restore().ok());
    again->show();
    EXPECT_EQ(again->pos(), w->pos());
    EXPECT_EQ(again->size(), QSize(640, 480));
    EXPECT_FALSE(again->isMaximized());
}

TEST(FormSizeSave, MaximisedWindowKeepsItsNormalPlacement) {
    TempStore s;
    auto w = window("Form7");
    w->move(30, 20);
    w->resize(300, 200);
    w->show();
    FormSizeSave saver(w.get(), &*s);
    ASSERT_TRUE(saver.save().ok());
    const QPoint normalPos = w->pos();

    w->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(w->isMaximized());
    ASSERT_NE(w->size(), QSize(300, 200));
    ASSERT_TRUE(saver.save().ok());
    EXPECT_EQ(storedInteger(*s, "Form7.State"), 2);
    EXPECT_EQ(storedInteger(*s, "Form7.Width"), 300);
    EXPECT_EQ(storedInteger(*s, "Form7.Left"), normalPos.x());

    auto again = window("Form7");
    FormSizeSave restorer(again.get(), &*s);
    ASSERT_TRUE(restorer.restore().ok());
    again->show();
    QApplication::processEvents();
    EXPECT_TRUE(again->isMaximized());
    again->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(again->size(), QSize(300, 200));
    EXPECT_EQ(again->pos(), normalPos);
}

TEST(FormSizeSave, ModesWriteAndApplyOnlyTheirValues) {
    TempStore s;
    auto w = window("Form4");
    w->move(70, 80);
    w->resize(500, 400);
    FormSizeSave saver(w.get(), &*s);
    saver.setSaveMode(FormSizeSave::smPositionOnly);
    ASSERT_TRUE(saver.save().ok());
    EXPECT_EQ(storedInteger(*s, "Form4.Left"), 70);
    EXPECT_EQ(storedInteger(*s, "Form4.Width"), std::nullopt);

    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(positionKey, false));
    ASSERT_TRUE(key.writeInteger("Form4.Width", 640));
    auto again = window("Form4");
    again->resize(123, 45);
    FormSizeSave restorer(again.get(), &*s);
    restorer.setSaveMode(FormSizeSave::smPositionOnly);
    ASSERT_TRUE(restorer.restore().ok());
    EXPECT_EQ(again->pos(), QPoint(70, 80));
    EXPECT_EQ(again->size(), QSize(123, 45)); // Width ignored in this mode

    auto sized = window("Form4");
    sized->move(5, 6);
    FormSizeSave sizeOnly(sized.get(), &*s);
    sizeOnly.setSaveMode(FormSizeSave::smSizeOnly);
    ASSERT_TRUE(sizeOnly.restore().ok());
    EXPECT_EQ(sized->pos(), QPoint(5, 6));
    EXPECT_EQ(sized->width(), 640);
}

TEST(FormSizeSave, SubKeySpellingsNameOneKeyAndBadInputIsReported) {
    TempStore s;
    auto w = window("Form11");
    w->move(11, 12);
    FormSizeSave lower(w.get(), &*s);
    ASSERT_TRUE(lower.save().ok());
    auto again = window("Form11");
    FormSizeSave upper(again.get(), &*s);
    upper.setSubKey("Position");
    ASSERT_TRUE(upper.restore().ok());
    EXPECT_EQ(again->pos(), QPoint(11, 12));

    auto unnamed = std::make_unique<QWidget>();
    FormSizeSave nameless(unnamed.get(), &*s);
    EXPECT_FALSE(nameless.save().ok());

    RegistryStore broken(QStringLiteral("/proc/version/registry.sqlite"));
    FormSizeSave failing(w.get(), &broken);
    EXPECT_FALSE(failing.save().ok());
    EXPECT_FALSE(failing.restore().ok());
}

TEST(FormSizeSave, DefaultsToTheProcessStore) {
    auto w = window("FormDefault");
    w->move(3, 4);
    FormSizeSave saver(w.get());
    ASSERT_TRUE(saver.save().ok());
    RegistryStore direct(qEnvironmentVariable("HANDWRIGHT_REGISTRY"));
    EXPECT_EQ(storedInteger(direct, "FormDefault.Left"), 3);
}

} // namespace

namespace {

TEST(WindowPlacement, WindowsStayOnAScreenAndNewOnesAreCentred) {
    const QList<QRect> screens{QRect(0, 0, 1280, 1000), QRect(1280, 0, 1024, 768)};
    const QRect anchor(100, 100, 800, 600);
    struct Case {
        const char* what;
        QRect frame;
        bool stored;
        std::optional<QRect> anchor;
        QRect expected;
    };
    const Case cases[] = {
        {"fits where it was", {40, 50, 640, 480}, true, anchor, {40, 50, 640, 480}},
        {"on the second screen", {1500, 100, 400, 300}, true, anchor, {1500, 100, 400, 300}},
        {"screen gone: onto the anchor's", {5000, 3000, 400, 300}, true, anchor, {880, 700, 400, 300}},
        {"screen gone, no anchor: primary", {-5000, 3000, 400, 300}, true, std::nullopt, {0, 700, 400, 300}},
        {"over the right edge", {2100, 600, 400, 300}, true, anchor, {1904, 468, 400, 300}},
        {"above and left of the screen", {-300, -200, 400, 300}, true, anchor, {0, 0, 400, 300}},
        {"larger than its screen", {10, 10, 1500, 1200}, true, anchor, {0, 0, 1280, 1000}},
        {"nothing stored: over the anchor", {0, 0, 200, 100}, false, anchor, {400, 350, 200, 100}},
        {"nothing stored, no anchor", {0, 0, 200, 100}, false, std::nullopt, {540, 450, 200, 100}},
        {"nothing stored, anchor at the edge",
         {0, 0, 400, 300},
         false,
         QRect(1100, 900, 100, 100),
         {880, 700, 400, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WindowPlacement::place(c.frame, c.stored, c.anchor, screens), c.expected);
    }
    EXPECT_EQ(WindowPlacement::place({-9, -9, 5, 5}, true, anchor, {}), QRect(-9, -9, 5, 5));
}

TEST(FormSizeSave, NewWindowsCentreOverTheMainWindowAndStoredOnesStayOnTheScreen) {
    TempStore s;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto main = window("Form1");
    main->resize(400, 300);
    main->move(screen.x() + 20, screen.y() + 30);
    main->show();

    QDialog owned(main.get());
    owned.setObjectName("Form5");
    owned.resize(200, 100);
    ASSERT_TRUE(FormSizeSave(&owned, &*s).restore().ok());
    EXPECT_LE((owned.geometry().center() - main->frameGeometry().center()).manhattanLength(), 2);

    auto loose = window("Form7"); // no parent: the main window is found by name
    loose->resize(100, 50);
    ASSERT_TRUE(FormSizeSave(loose.get(), &*s).restore().ok());
    EXPECT_LE((loose->geometry().center() - main->frameGeometry().center()).manhattanLength(), 2);

    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(positionKey, true));
    ASSERT_TRUE(key.writeInteger("Form6.Left", -3000));
    ASSERT_TRUE(key.writeInteger("Form6.Top", 9000));
    auto lost = window("Form6");
    lost->resize(150, 120);
    ASSERT_TRUE(FormSizeSave(lost.get(), &*s).restore().ok());
    EXPECT_TRUE(screen.contains(QRect(lost->pos(), lost->size()))) << lost->x() << "," << lost->y();
}

} // namespace
