#include "app/SettingsWindow.h"
#include "FakeWorkspaceHost.h"
#include "TestFiles.h"
#include "app/SettingsBinder.h"
#include "app/SettingsRules.h"
#include "app/UpDown.h"
#include "settings/SettingsTable.h"
#include "settings/TempStore.h"
#include "ui/FileDialogs.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>

namespace {

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { host = std::make_unique<FakeWorkspaceHost>(dir.filePath("registry.sqlite")); }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(dialogs.problems(), "");
        EXPECT_EQ(fileDialogs.problems(), "");
    }
    SettingsWindow& open() {
        form = std::make_unique<SettingsWindow>(*host, host->live);
        form->show();
        return *form;
    }
    template <typename T = QWidget> T* control(const QString& name) {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    // "on"/"off" for buttons, the text of an edit, the value of a slider, the index of a combo box.
    QString state(const QString& name) {
        QWidget* widget = control(name);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return button->isChecked() ? "on" : "off";
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text();
        if (auto* slider = qobject_cast<QSlider*>(widget))
            return QString::number(slider->value());
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            return QString::number(combo->currentIndex());
        return "<unknown control>";
    }
    // "CheckBox1=on Edit7=100 Edit3=": the states expected, in the form state() gives them.
    void expectStates(const QString& expected) {
        for (const QString& pair : expected.split(' ')) {
            const QString name = pair.section('=', 0, 0);
            EXPECT_EQ(state(name), pair.section('=', 1)) << name.toStdString();
        }
    }
    void setText(const QString& name, const QString& text) { control<QLineEdit>(name)->setText(text); }
    QString makeFolder(const QString& name, const QStringList& files = {}) {
        for (const QString& file : files) {
            QDir().mkpath(QFileInfo(dir.filePath(name + "/" + file)).absolutePath());
            writeBytes(dir.filePath(name + "/" + file), "x");
        }
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<FakeWorkspaceHost> host;
    std::unique_ptr<SettingsWindow> form;
};

} // namespace

TEST_F(SettingsWindowTest, FirstRunShowsTheInitialStates) {
    SettingsWindow& f = open();
    EXPECT_EQ(f.binder().unboundControls(), QStringList{});
    EXPECT_EQ(f.ui().pages->tabText(0), "Exegen");
    EXPECT_EQ(f.ui().pages->currentIndex(), 0);
    expectStates(
        "CheckBox1=on CheckBox12=on CheckBox18=on CheckBox2=off CheckBox11=off CheckBox3=off CheckBox13=off "
        "RadioButton14=on RadioButton15=off RadioButton7=on RadioButton10=on RadioButton3=on Edit7=100 "
        "Edit8=100 Edit10=160 Edit11=160 Edit2=4 TrackBar1=0 ComboBox3=-1 Edit3=");
    EXPECT_EQ(host->tabWidths.last(), 4);
    for (int n : {1, 2, 3, 4, 8, 9})
        EXPECT_TRUE(control(QString("RadioButton%1").arg(n))->isHidden()) << n;
    EXPECT_TRUE(control("CheckBox15")->isHidden());
    EXPECT_FALSE(control("CheckBox5")->isEnabled());
}

TEST_F(SettingsWindowTest, StoredValuesOfEveryEncodingReachTheControls) {
    const std::tuple<QString, QString, QString> stored[] = {
        {kSettingsKey, "x", "250"},         {kSettingsKey, "Tabstops", "0"},
        {kSettingsKey, "Delay", "7"},       {kSettingsKey, "ExcludeText", "a"},
        {kSettingsKey, "Optimize", "on"},   {kSettingsKey, "Debug", "On"},
        {kSettingsKey, "ColorDepth", "4"},  {kSettingsKey, "Scale", "3"},
        {kSettingsKey, "JavaExe", "off"},   {kSettingsKey, "OldjavaExe", "on"},
        {kPathsKey, "PalmSim", "/opt/sim"}, {kPathsKey, "SuperWabaPath", "/s/"},
        {kWarpExegenKey, "Exegen", "on"},   {kWarpExegenKey, "MemoryModel", "Small"},
    };
    for (const auto& [key, name, text] : stored)
        host->setStoreText(key, name, text);
    host->paths.superWabaPath = "/memory/sdk/"; // tool paths come from memory, not from the store
    open();                                     // Edit8 and CheckBox12: the key holds no value for them
    expectStates("Edit7=250 Edit8=0 Edit2=4 TrackBar1=7 Edit3=a CheckBox2=on CheckBox1=off RadioButton6=on "
                 "RadioButton7=off RadioButton12=on RadioButton15=on Edit14=/opt/sim Edit1=/memory/sdk/ "
                 "CheckBox3=on RadioButton1=on CheckBox12=off");
}

TEST_F(SettingsWindowTest, OkWritesTheListedValuesInOrderAndTheToolPaths) {
    host->setStoreText(kSettingsKey, "Delay", "2"); // ColorDepth absent: it reads as the hidden 16
    SettingsWindow& f = open();
    EXPECT_EQ(state("RadioButton8"), "on");
    setText("Edit1", "/opt/sdk");
    setText("Edit5", "/a:/b");
    setText("edit9", "WXYZ");
    control<UpDown>("UpDown5")->stepUp();
    QTest::mouseClick(f.ui().okButton, Qt::LeftButton);

    // The table's order, with no ColorDepth at all.
    const auto tableOrder = [](SettingKey key) {
        QStringList names;
        for (const SettingDecl* d : settingsWriteOrder())
            if (d->key == key && d->name != u"ColorDepth")
                names << d->name;
        return names;
    };
    EXPECT_EQ(host->storeNamesInWriteOrder(kPathsKey), tableOrder(SettingKey::Paths));
    EXPECT_EQ(host->storeNamesInWriteOrder(kSettingsKey), tableOrder(SettingKey::Settings));
    EXPECT_EQ(host->storeNamesInWriteOrder(kWarpExegenKey), tableOrder(SettingKey::WarpExegen));
    EXPECT_EQ(host->storeText(kPathsKey, "SuperWabaPath"), "/opt/sdk/");
    EXPECT_EQ(host->storeText(kSettingsKey, "Tabstops"), "5");
    EXPECT_EQ(host->storeText(kSettingsKey, "PalmuserNo"), "0"); // as read: there is no user list
    EXPECT_EQ(host->paths, (ToolPaths{"/opt/sdk/", "", "/a:/b", ""}));
    EXPECT_EQ(host->projectValues.CreatorID, "WXYZ");
    EXPECT_EQ(host->tabWidths.last(), 5);
}

TEST_F(SettingsWindowTest, CancelWritesNothingButTheChangeCountsUntilTheNextShowing) {
    host->setStoreText(kSettingsKey, "Optimize", "off");
    SettingsWindow& f = open();
    control<QCheckBox>("CheckBox2")->click();
    EXPECT_TRUE(host->live.flag(u"Optimize"));
    f.ui().cancelButton->click();
    f.close(); // the close box too
    EXPECT_EQ(host->storeNamesInWriteOrder(kSettingsKey), QStringList{"Optimize"});
    EXPECT_EQ(host->storeText(kSettingsKey, "Optimize"), "off");
    EXPECT_TRUE(host->live.flag(u"Optimize"));
    f.show();
    EXPECT_EQ(state("CheckBox2"), "off");
    EXPECT_FALSE(host->live.flag(u"Optimize"));
}

TEST_F(SettingsWindowTest, ADamagedNumberIsReportedTheRestReadAndOkLeavesItAlone) {
    host->setStoreText(kSettingsKey, "Delay", "3");
    host->setStoreText(kSettingsKey, "ColorDepth", "deep");
    host->setStoreText(kSettingsKey, "Scale", "3");        // read after ColorDepth
    host->setStoreText(kSettingsKey, "Autoformat", "off"); // likewise; initially on
    dialogs.answer(mrOk, "ColorDepth")
        .answer(mrOk, "'deep' ist kein gültiger Integerwert"); // creation, showing
    SettingsWindow& f = open();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(state("TrackBar1"), "3");
    EXPECT_EQ(host->runTargets.count(), 1);
    expectStates("RadioButton12=on CheckBox12=off RadioButton7=on");
    f.acceptSettings();
    EXPECT_EQ(host->storeText(kSettingsKey, "ColorDepth"), "deep");
    EXPECT_EQ(host->storeText(kSettingsKey, "Autoformat"), "off");
    EXPECT_EQ(host->storeText(kSettingsKey, "Scale"), "3");
}

TEST_F(SettingsWindowTest, CreatorIdIndicatorTicksAtExactlyFourCharacters) {
    host->projectValues.CreatorID = "HeLo";
    open();
    expectStates("edit9=HeLo CheckBox5=on");
    auto* edit = control<QLineEdit>("edit9");
    for (const auto& [typed, ticked] :
         {std::pair("abc", false), std::pair("abcd", true), std::pair("abcde", false)}) {
        edit->clear();
        QTest::keyClicks(edit, typed);
        EXPECT_EQ(state("CheckBox5"), ticked ? "on" : "off") << typed;
        EXPECT_EQ(host->live.creatorIdTicked(), ticked) << typed;
    }
    QTest::mouseClick(control("CheckBox5"), Qt::LeftButton);
    EXPECT_EQ(state("CheckBox5"), "off");
}

TEST_F(SettingsWindowTest, RunTargetsFollowTheEmulatorPathsOnClosing) {
    const std::tuple<QString, QString, QString, QStringList> cases[] = {
        {"", "", "Palm Emulator", {"Java"}},
        {"/pose/emu", "", "Palm Emulator", {"Java", "Palm Emulator"}},
        {"/pose/emu", "/sim", "Palm Simulator", {"Java", "Palm Emulator", "Palm Simulator"}},
        {"", "/sim", "Palm Emulator", {"Java", "Palm Simulator"}},
    };
    SettingsWindow& f = open();
    for (const auto& [emulator, simulator, shownBefore, entries] : cases) {
        f.show();
        host->runTargets.clear();
        host->runTargets.addItems({"Java", "Palm Emulator", "Palm Simulator"});
        host->runTargets.setCurrentText(shownBefore);
        setText("Edit6", emulator);
        setText("Edit14", simulator);
        f.ui().cancelButton->click();
        QStringList shown;
        for (int i = 0; i < host->runTargets.count(); ++i)
            shown << host->runTargets.itemText(i);
        EXPECT_EQ(shown, entries);
        const QString expected = entries.contains(shownBefore) ? shownBefore : "Java";
        EXPECT_EQ(host->runTargets.currentText(), expected);
        EXPECT_EQ(host->shownTargets.last(), expected); // the main window's handler heard it
    }
}

TEST_F(SettingsWindowTest, PositionAndSizeTakeDigitsOnlyAndTabStopsOnlyTheirUpDown) {
    open();
    for (const char* name : {"Edit7", "Edit8", "Edit10", "Edit11"}) {
        auto* edit = control<QLineEdit>(name);
        edit->clear();
        QTest::keyClicks(edit, "1a2-3 ");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QApplication::clipboard()->setText("9x");
        edit->paste();
        EXPECT_EQ(edit->text(), "12") << name;
    }
    auto* x = control<QLineEdit>("Edit7");
    x->setText("9995");
    control<UpDown>("UpDown1")->stepUp();
    control<UpDown>("UpDown1")->stepUp();
    EXPECT_EQ(x->text(), "10000");
    EXPECT_EQ(host->live.number(u"x"), 10000);

    QTest::keyClicks(control("Edit2"), "9");
    EXPECT_EQ(state("Edit2"), "4");
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(control<UpDown>("UpDown5")->upButton(), Qt::LeftButton);
    EXPECT_EQ(host->live.number(u"Tabstops"), 16);
}

TEST_F(SettingsWindowTest, FolderButtonsCheckWhatWasPicked) {
    const QString wrong = makeFolder("wrong");
    const QString sdk = makeFolder("sdk", {"lib/SuperWabaTools.jar"});
    const QString jdk = makeFolder("jdk17", {"bin/java"});
    const QString jdk13 = makeFolder("jdk13", {"bin/java", "bin/oldjava"});
    const QString wrongFolder = "This is not the correct folder. Try it again.";
    SettingsWindow& f = open();

    fileDialogs.choose(wrong).choose(sdk).choose(wrong).cancel();
    dialogs.answer(mrOk, wrongFolder).answer(mrCancel, wrongFolder);
    f.chooseSuperWabaFolder(); // wrong, try again, right
    EXPECT_EQ(state("Edit1"), sdk);
    setText("Edit1", "/typed");
    f.chooseSuperWabaFolder(); // wrong, give up
    f.chooseSuperWabaFolder(); // picker cancelled: no folder to test, no message
    EXPECT_EQ(state("Edit1"), "/typed");
    ASSERT_EQ(dialogs.asked().size(), 2);
    // The refusal names the file the folder lacks.
    EXPECT_EQ(dialogs.asked()[0].text,
              wrongFolder + "\n\nThe file " + wrong + "/lib/SuperWabaTools.jar is missing.");

    const QString oldJava = "Found oldjava.exe! Do you use JDK 1.3?";
    fileDialogs.choose(wrong).choose(jdk13).choose(jdk).choose(jdk13);
    dialogs.answer(mrOk, wrongFolder).answer(mrYes, oldJava).answer(mrNo, oldJava);
    f.chooseJdkFolder();
    EXPECT_EQ(dialogs.asked()[2].text, wrongFolder + "\n\nThe file " + wrong + "/bin/java is missing.");
    EXPECT_EQ(state("RadioButton15"), "on");
    f.chooseJdkFolder(); // java alone: no question
    EXPECT_EQ(state("RadioButton14"), "on");
    control<QRadioButton>("RadioButton15")->click();
    f.chooseJdkFolder();
    EXPECT_EQ(state("RadioButton14"), "on");
    EXPECT_EQ(state("Edit4"), jdk13);
    EXPECT_EQ(dialogs.asked().size(), 5);

    // An empty JDK path offers the JDK of this machine without storing it.
    setText("Edit4", "");
    fileDialogs.cancel();
    f.chooseJdkFolder();
    EXPECT_EQ(fileDialogs.requests().last().folder, SettingsRules::detectJdkFolder());
    EXPECT_EQ(control<QLineEdit>("Edit4")->placeholderText(), SettingsRules::detectJdkFolder());
    EXPECT_EQ(host->storeText(kPathsKey, "JDKPath"), "<no key>");

    fileDialogs.choose("/lib/one").choose("/lib/two");
    f.addToClassPath();
    f.addToClassPath();
    EXPECT_EQ(host->live.text(u"Classpath"), "/lib/one:/lib/two");
}

// The stand-in SDK beside the program: build/sdk for build/bin, share/handwright/sdk for an installed
// lib/handwright; no other folder counts, and one without the tools is no SDK.
TEST_F(SettingsWindowTest, TheBundledSdkIsFoundBesideTheProgram) {
    makeFolder("build/sdk", {"lib/SuperWabaTools.jar"});
    makeFolder("build/bin");
    makeFolder("usr/share/handwright/sdk", {"lib/SuperWabaTools.jar"});
    makeFolder("usr/lib/handwright");
    makeFolder("bare/sdk", {"lib/other.jar"});
    makeFolder("bare/bin");
    makeFolder("tests");
    makeFolder("sdk", {"lib/SuperWabaTools.jar"});
    // program folder | the SDK found
    const std::pair<QString, QString> rows[] = {
        {"build/bin", dir.filePath("build/sdk/")},
        {"usr/lib/handwright", dir.filePath("usr/share/handwright/sdk/")},
        {"bare/bin", ""},
        {"tests", ""},
    };
    for (const auto& [program, sdk] : rows)
        EXPECT_EQ(SettingsRules::bundledSdkFolder(dir.filePath(program)), sdk) << program.toStdString();
}

TEST_F(SettingsWindowTest, EmulatorToggleAndDocumentationFollowOk) {
    const QString emulator = makeFolder("pose", {"emulator"}) + "/emulator";
    const QString sdk1 = makeFolder("sdk1", {"doc/index.html"});
    const QString sdk2 = makeFolder("sdk2", {"doc/index.html"});
    host->paths = {sdk1 + "/", "", "", emulator};
    SettingsWindow& f = open();
    EXPECT_EQ(host->emulatorToggle.last(), true);

    fileDialogs.choose("/opt/sim/palmsim");
    f.chooseSimulator();
    EXPECT_EQ(fileDialogs.requests().last().filter, "Programs (*)|*");
    setText("Edit6", emulator + "-gone");
    f.acceptSettings(); // SDK path unchanged
    EXPECT_EQ(host->emulatorToggle.last(), false);
    EXPECT_EQ(host->storeText(kPathsKey, "PalmSim"), "/opt/sim/palmsim");

    for (const QString& next : {makeFolder("bare"), sdk2}) {
        f.show();
        setText("Edit1", next);
        f.acceptSettings();
    }
    EXPECT_EQ(host->documentation, QStringList{QUrl::fromLocalFile(sdk2 + "/doc/index.html").toString()});
}

TEST_F(SettingsWindowTest, HotsyncOffersThePalmUsers) {
    host->setStoreText(kSettingsKey, "PalmUserNo", "2");
    host->palmUsers = {"Ann", "Bob", "Cy"};
    SettingsWindow& f = open();
    auto* users = control<QComboBox>("ComboBox3");
    EXPECT_EQ(users->count(), 0); // not ticked: no list
    const int reads = host->palmReads;
    control<QCheckBox>("CheckBox13")->click();
    EXPECT_EQ(host->palmReads, reads + 1);
    EXPECT_EQ(users->count(), 3);
    EXPECT_EQ(users->currentIndex(), 2);
    users->setCurrentIndex(1);
    f.acceptSettings();
    EXPECT_EQ(host->storeText(kSettingsKey, "PalmuserNo"), "1");

    f.show(); // ticked and stored: the list is read on showing
    EXPECT_EQ(users->currentIndex(), 1);
    f.close();
    host->palmUsers.clear();
    f.show();
    EXPECT_FALSE(users->isEnabled());
    EXPECT_TRUE(control("CheckBox13")->isEnabled());
}

// Creation reads what the main window needs at once; the controls, made at the first showing, then show
// what it read.
TEST_F(SettingsWindowTest, ControlsComeWithTheFirstShowingAndShowWhatCreationRead) {
    struct Row {
        QString storedUser;
        QStringList users;
        int user;     // PalmuserNo after creation, the box's index once shown
        bool enabled; // the box, once shown
    };
    const Row rows[] = {
        {"2", {"Ann", "Bob", "Cy"}, 2, true},
        {"7", {"Ann", "Bob", "Cy"}, -1, true},
        {"1", {}, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.storedUser.toStdString());
        SetUp();
        host->setStoreText(kSettingsKey, "Hotsync", "on");
        host->setStoreText(kSettingsKey, "PalmUserNo", row.storedUser);
        host->palmUsers = row.users;
        form = std::make_unique<SettingsWindow>(*host, host->live);
        EXPECT_FALSE(form->controlsMade());
        EXPECT_EQ(form->findChild<QComboBox*>("ComboBox3"), nullptr);
        EXPECT_EQ(host->live.number(u"PalmuserNo"), row.user);
        form->show();
        ASSERT_TRUE(form->controlsMade());
        auto* users = control<QComboBox>("ComboBox3");
        EXPECT_EQ(users->count(), row.users.size());
        EXPECT_EQ(users->currentIndex(), row.users.isEmpty() ? -1 : row.user);
        EXPECT_EQ(users->isEnabled(), row.enabled);
        EXPECT_EQ(state("CheckBox13"), "on");
        form.reset();
    }
}

TEST_F(SettingsWindowTest, HotsyncWithoutPalmDesktopComplainsOnceWhenTickedAndCanAlwaysBeUnticked) {
    host->setStoreText(kSettingsKey, "Hotsync", "on"); // Palm Desktop has gone since
    SettingsWindow& f = open();
    f.close();
    f.show();
    EXPECT_EQ(host->palmProblemsShown, 0); // neither at creation nor at a showing
    EXPECT_EQ(state("CheckBox13"), "on");
    EXPECT_TRUE(control("CheckBox13")->isEnabled());
    EXPECT_FALSE(control("ComboBox3")->isEnabled());

    auto* box = control<QCheckBox>("CheckBox13");
    box->click();
    EXPECT_EQ(state("CheckBox13"), "off");
    EXPECT_FALSE(host->live.flag(u"Hotsync"));
    EXPECT_EQ(host->palmProblemsShown, 0);
    box->click(); // ticking it again says why it cannot stay ticked
    EXPECT_EQ(host->palmProblemsShown, 1);
    EXPECT_EQ(state("CheckBox13"), "off");
    EXPECT_TRUE(box->isEnabled());
    f.acceptSettings();
    EXPECT_EQ(host->storeText(kSettingsKey, "Hotsync"), "off");
}

TEST_F(SettingsWindowTest, ANewCreatorIdOnOkMarksTheProjectModified) {
    host->projectValues.ProjectName = "Hello";
    host->projectValues.CreatorID = "HeLo";
    SettingsWindow& f = open();
    f.acceptSettings();
    EXPECT_FALSE(host->projectValues.ProjectModified); // unchanged

    f.show();
    setText("edit9", "WXYZ");
    f.discardSettings();
    EXPECT_EQ(host->projectValues.CreatorID, "HeLo");
    EXPECT_FALSE(host->projectValues.ProjectModified);

    f.show();
    setText("edit9", "WXYZ");
    f.acceptSettings();
    EXPECT_EQ(host->projectValues.CreatorID, "WXYZ");
    EXPECT_TRUE(host->projectValues.ProjectModified);
}

// The program folder's icons are defaults, not project data: showing the window and OK leave empty icon
// lines empty, so the project file does not gain this machine's paths.
TEST_F(SettingsWindowTest, EmptyIconPathsStayEmpty) {
    host->projectValues.ProjectName = "Hello";
    host->projectValues.Icon15Path = "/own/icon15.bmp";
    SettingsWindow& f = open();
    f.acceptSettings();
    EXPECT_EQ(host->projectValues.Icon22Path, "");
    EXPECT_EQ(host->projectValues.Icon15Path, "/own/icon15.bmp");
    EXPECT_FALSE(host->projectValues.ProjectModified);
}

TEST_F(SettingsWindowTest, OkWithTheStoreHeldElsewhereKeepsTheWindowOpenAndLosesNothing) {
    SettingsWindow& f = open();
    control<QCheckBox>("CheckBox2")->click();
    {
        OtherConnection other(host->store().path());
        ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
        dialogs.answer(mrOk, "another program holds it locked");
        f.acceptSettings();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(state("CheckBox2"), "on");
        EXPECT_EQ(host->storeText(kSettingsKey, "Optimize"), "<no key>");
        ASSERT_TRUE(other.exec("COMMIT"));
    }
    f.acceptSettings();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(host->storeText(kSettingsKey, "Optimize"), "on");
}

TEST_F(SettingsWindowTest, ControlsAndLiveSettingsFollowEachOther) {
    SettingsWindow& f = open();
    host->live.setFlag(u"Exegen", true); // as the build chain does
    host->live.setChoice(u"Scale", 2);
    host->live.setNumber(u"Delay", 5);
    host->live.setChoice(u"MemoryModel", -1);
    expectStates("CheckBox3=on RadioButton12=on RadioButton10=off TrackBar1=5 RadioButton3=off");

    control<QCheckBox>("CheckBox11")->click();
    EXPECT_TRUE(host->live.flag(u"OpenOutputWindow"));
    host->live.setFlag(u"OpenOutputWindow", false); // "Close and don't open again"
    EXPECT_EQ(state("CheckBox11"), "off");
    control<QRadioButton>("RadioButton5")->click();
    EXPECT_EQ(host->live.choiceText(u"ColorDepth"), "2");

    f.ui().pages->setCurrentIndex(3);
    f.close();
    f.show();
    EXPECT_EQ(f.ui().pages->currentIndex(), 3);
    f.acceptSettings();
    EXPECT_EQ(host->storeText(kWarpExegenKey, "MemoryModel"), "Huge");
}
