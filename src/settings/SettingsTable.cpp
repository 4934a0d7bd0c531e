#include "SettingsTable.h"

#include <algorithm>

namespace {

using K = SettingKey;

SettingDecl text(const char* name, K key, const char* control, int order) {
    SettingDecl d;
    d.name = QString::fromLatin1(name);
    d.key = key;
    d.control = QString::fromLatin1(control);
    d.writeOrder = order;
    return d;
}

SettingDecl toolPath(const char* name, const char* control, int order, bool folder) {
    SettingDecl d = text(name, K::Paths, control, order);
    d.readOnShow = false;
    d.folder = folder;
    return d;
}

SettingDecl flag(const char* name, K key, const char* control, bool initial, int order) {
    SettingDecl d = text(name, key, control, order);
    d.encoding = SettingEncoding::Flag;
    d.initial = initial ? QStringLiteral("on") : QStringLiteral("off");
    d.missing = QStringLiteral("off");
    return d;
}

// A switch of this program's own, on unless switched off: an older store, whose key lacks the value,
// reads it as on too.
SettingDecl ownFlag(const char* name, const char* control, int order) {
    SettingDecl d = flag(name, K::Settings, control, true, order);
    d.missing = QStringLiteral("on");
    return d;
}

SettingDecl number(const char* name, const char* control, const char* companion, int initial, int missing,
                   int order) {
    SettingDecl d = text(name, K::Settings, control, order);
    d.encoding = SettingEncoding::Number;
    d.companion = QString::fromLatin1(companion);
    d.initial = QString::number(initial);
    d.missing = QString::number(missing);
    return d;
}

SettingDecl chosen(const char* name, K key, SettingEncoding encoding, const char* initial,
                   const char* missing, int order) {
    SettingDecl d = text(name, key, "", order);
    d.encoding = encoding;
    d.choice = d.name;
    d.initial = QString::fromLatin1(initial);
    d.missing = QString::fromLatin1(missing);
    return d;
}

SettingDecl choiceFlag(const char* name, const char* control, int button, bool initial, int order) {
    SettingDecl d = flag(name, K::Settings, control, initial, order);
    d.choice = QStringLiteral("JavaExe");
    d.button = button;
    return d;
}

SettingDecl paneSize(const char* name, const char* pane) {
    SettingDecl d = text(name, K::Product, pane, -1);
    d.encoding = SettingEncoding::StrictNumber;
    return d;
}

QList<SettingDecl> buildTable() {
    SettingDecl tabstops = number("Tabstops", "Edit2", "UpDown5", 4, 4, 9);
    tabstops.minimum = 1;
    tabstops.maximum = 16;
    tabstops.zeroReadsAsMissing = true;
    SettingDecl delay = number("Delay", "TrackBar1", "", 0, 0, 10);
    delay.minimum = 0;
    delay.maximum = 9;

    return {
        // Product key: written by the main window and the New Project window, not by OK.
        text("LastProject", K::Product, "", -1),
        text("Projects", K::Product, "", -1),
        paneSize("Splitter1", "ListBox1"),
        paneSize("Splitter2", "Panel1"),
        paneSize("Splitter3", "Panel3"),
        paneSize("Splitter4", "TreeView1"),

        toolPath("SuperWabaPath", "Edit1", 0, true),
        toolPath("JDKPath", "Edit4", 1, true),
        toolPath("Classpath", "Edit5", 2, false),
        toolPath("PalmEmulatorPath", "Edit6", 3, false),
        text("PalmSim", K::Paths, "Edit14", 4),

        number("x", "Edit7", "UpDown1", 100, 0, 5),
        number("y", "Edit8", "UpDown2", 100, 0, 6),
        number("width", "Edit10", "UpDown3", 160, 0, 7),
        number("height", "Edit11", "UpDown4", 160, 0, 8),
        tabstops,
        delay,
        number("PalmuserNo", "ComboBox3", "", -1, 0, 11),
        text("ExcludeText", K::Settings, "Edit3", 12),
        text("CmdLine", K::Settings, "Edit15", 13),
        chosen("ColorDepth", K::Settings, SettingEncoding::StrictNumber, "8", "16", 25),
        chosen("Scale", K::Settings, SettingEncoding::StrictNumber, "1", "1", 26),
        flag("useID", K::Settings, "CheckBox25", false, 14),
        flag("Autoformat", K::Settings, "CheckBox12", true, 15),
        flag("AutoComment", K::Settings, "CheckBox18", true, 29),
        flag("OpenOutputWindow", K::Settings, "CheckBox11", false, 17),
        flag("Exefiles", K::Settings, "CheckBox20", false, 16),
        flag("Exclude", K::Settings, "CheckBox16", false, 18),
        flag("UseSonyFonts", K::Settings, "CheckBox17", false, 19),
        flag("Debug", K::Settings, "CheckBox1", true, 20),
        flag("Optimize", K::Settings, "CheckBox2", false, 21),
        flag("Hotsync", K::Settings, "CheckBox13", false, 22),
        flag("PalmOSStyle", K::Settings, "CheckBox14", false, 23),
        flag("Color", K::Settings, "CheckBox15", false, 24),
        choiceFlag("JavaExe", "RadioButton14", 0, true, 27),
        choiceFlag("OldjavaExe", "RadioButton15", 1, false, 28),
        flag("AppFolder", K::Settings, "CheckBox21", false, 30),
        text("AppFolderValue", K::Settings, "Edit13", 31),
        flag("CabFiles", K::Settings, "CheckBox22", false, 32),
        text("EpocSymbianID", K::Settings, "Edit17", 33),
        flag("EpocSymbianIDAct", K::Settings, "CheckBox28", false, 34),
        flag("Fullscreen", K::Settings, "CheckBox29", false, 35),
        flag("InstallerPalm", K::Settings, "CheckBox30", false, 36),
        flag("CreateLink", K::Settings, "CheckBox31", false, 37),
        flag("CreateLinuxScript", K::Settings, "CheckBox32", false, 38),
        flag("CreateSymbianInstall", K::Settings, "CheckBox33", false, 39),
        ownFlag("WarmCompiler", "CheckBoxWarmCompiler", 40),
        ownFlag("ViewerClassArchive", "CheckBoxClassArchive", 41),

        flag("Exegen", K::WarpExegen, "CheckBox3", false, 50),
        flag("Warp", K::WarpExegen, "CheckBox4", false, 51),
        flag("ExegenCopyProtection", K::WarpExegen, "CheckBox8", false, 42),
        flag("WarpCopyProtection", K::WarpExegen, "CheckBox6", false, 46),
        flag("WarpRecurse", K::WarpExegen, "CheckBox7", false, 47),
        flag("LEL", K::WarpExegen, "CheckBox9", false, 48),
        flag("GEL", K::WarpExegen, "CheckBox10", false, 49),
        flag("Version", K::WarpExegen, "CheckBox19", false, 53),
        text("VersionText", K::WarpExegen, "Edit12", 52),
        flag("minimizeCE", K::WarpExegen, "CheckBox24", false, 54),
        flag("16bpp", K::WarpExegen, "CheckBox26", false, 55),
        flag("HideCEMenu", K::WarpExegen, "CheckBox27", false, 56),
        flag("WindowTitle", K::WarpExegen, "CheckBox23", false, 43),
        text("WindowTitleName", K::WarpExegen, "Edit16", 44),
        chosen("MemoryModel", K::WarpExegen, SettingEncoding::Text, "Large", "", 45),
    };
}

QList<SettingChoice> buildChoices() {
    return {
        {QStringLiteral("ColorDepth"),
         {{QStringLiteral("RadioButton5"), QStringLiteral("2")},
          {QStringLiteral("RadioButton6"), QStringLiteral("4")},
          {QStringLiteral("RadioButton7"), QStringLiteral("8")},
          {QStringLiteral("RadioButton8"), QStringLiteral("16"), true},
          {QStringLiteral("RadioButton9"), QStringLiteral("24"), true}},
         3,
         QString()},
        {QStringLiteral("Scale"),
         {{QStringLiteral("RadioButton10"), QStringLiteral("1")},
          {QStringLiteral("RadioButton11"), QStringLiteral("2")},
          {QStringLiteral("RadioButton12"), QStringLiteral("3")},
          {QStringLiteral("RadioButton13"), QStringLiteral("4")}},
         4,
         QString()},
        {QStringLiteral("MemoryModel"),
         {{QStringLiteral("RadioButton1"), QStringLiteral("Small"), true},
          {QStringLiteral("RadioButton2"), QStringLiteral("Medium"), true},
          {QStringLiteral("RadioButton3"), QStringLiteral("Large"), true},
          {QStringLiteral("RadioButton4"), QStringLiteral("Huge"), true}},
         3,
         QStringLiteral("Huge")},
        // Stored as the two flags JavaExe and OldjavaExe rather than as one caption.
        {QStringLiteral("JavaExe"),
         {{QStringLiteral("RadioButton14"), QStringLiteral("Use java.exe (for most JDK versions)")},
          {QStringLiteral("RadioButton15"), QStringLiteral("Use oldjava.exe (for use with JDK 1.3)")}},
         0,
         QString()},
    };
}

} // namespace

QString settingKeyPath(SettingKey key) {
    const QString product = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\");
    switch (key) {
    case SettingKey::Product:
        return product;
    case SettingKey::Paths:
        return product + QStringLiteral("Paths");
    case SettingKey::Settings:
        return product + QStringLiteral("Settings");
    case SettingKey::WarpExegen:
        return product + QStringLiteral("Settings\\WarpExegen");
    }
    return product;
}

int SettingChoice::indexOfCaption(const QString& caption) const {
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i].caption == caption)
            return i;
    }
    return -1;
}

const QList<SettingDecl>& settingsTable() {
    static const QList<SettingDecl> table = buildTable();
    return table;
}

const QList<SettingChoice>& settingChoices() {
    static const QList<SettingChoice> choices = buildChoices();
    return choices;
}

const SettingDecl* findSetting(QStringView name) {
    for (const SettingDecl& decl : settingsTable()) {
        if (QStringView(decl.name).compare(name, Qt::CaseInsensitive) == 0)
            return &decl;
    }
    return nullptr;
}

const SettingChoice* findChoice(QStringView name) {
    for (const SettingChoice& choice : settingChoices()) {
        if (QStringView(choice.name).compare(name, Qt::CaseInsensitive) == 0)
            return &choice;
    }
    return nullptr;
}

QList<const SettingDecl*> settingsWriteOrder() {
    QList<const SettingDecl*> order;
    for (const SettingDecl& decl : settingsTable()) {
        if (decl.writeOrder >= 0)
            order << &decl;
    }
    std::sort(order.begin(), order.end(),
              [](const SettingDecl* a, const SettingDecl* b) { return a->writeOrder < b->writeOrder; });
    return order;
}
