#include "SettingsWindowUi.h"

#include "app/UpDown.h"
#include "ui/FontScale.h"
#include "ui/Readability.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QCheckBox* checkBox(const QString& name, const QString& caption) {
    return named(new QCheckBox(caption), name);
}

QRadioButton* radio(const QString& name, const QString& caption) {
    return named(new QRadioButton(caption), name);
}

QLineEdit* lineEdit(const QString& name) {
    return named(new QLineEdit, name);
}

// A check box with the edit that holds its argument.
QWidget* withEdit(QWidget* first, QWidget* edit) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(first);
    layout->addWidget(edit, 1);
    return row;
}

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QWidget* page(const QList<QWidget*>& parts) {
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    for (QWidget* part : parts)
        layout->addWidget(part);
    layout->addStretch(1);
    return sheet;
}

// An edit for a whole number with its up-down beside it; only digits can be typed or pasted.
QWidget* numberEdit(const QString& editName, const QString& upDownName, int minimum, int maximum, int step,
                    QLineEdit** editOut = nullptr, UpDown** upDownOut = nullptr) {
    auto* edit = lineEdit(editName);
    edit->setValidator(new DigitsOnlyValidator(edit));
    edit->setMaximumWidth(FontScale::px(60));
    auto* upDown = named(new UpDown, upDownName);
    upDown->setRange(minimum, maximum);
    upDown->setIncrement(step);
    upDown->associate(edit);
    if (editOut)
        *editOut = edit;
    if (upDownOut)
        *upDownOut = upDown;
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit);
    layout->addWidget(upDown);
    layout->addStretch(1);
    return row;
}

// A caption in its own colour (red: needed, green: optional), kept readable on the window's background:
// under a dark palette the same hue, lighter.
class ColouredLabel : public QLabel {
public:
    ColouredLabel(const QString& text, const QColor& colour) : QLabel(text), m_colour(colour) { follow(); }

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::PaletteChange)
            follow();
    }

private:
    void follow() {
        const QColor wanted =
            Readability::readableOn(m_colour, palette().color(QPalette::Window), Readability::kTextContrast);
        // Setting the palette raises another change, which then finds the colour in place.
        if (palette().color(QPalette::WindowText) == wanted)
            return;
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, wanted);
        setPalette(colours);
    }

    QColor m_colour;
};

QLabel* colouredLabel(const QString& text, const char* colour) {
    return new ColouredLabel(text, QColor(QLatin1String(colour)));
}

} // namespace

void SettingsWindowUi::setupUi(QDialog* form) {
    form->setObjectName(QStringLiteral("Form5"));
    form->setWindowTitle(QStringLiteral("Settings"));

    pages = named(new QTabWidget, QStringLiteral("PageControl1"));
    pages->addTab(named(exegenPage(), QStringLiteral("TabSheet1")), QStringLiteral("Exegen"));
    pages->addTab(named(warpPage(), QStringLiteral("TabSheet2")), QStringLiteral("Warp"));
    pages->addTab(named(jdkPage(), QStringLiteral("TabSheet3")), QStringLiteral("JDK"));
    pages->addTab(named(pathsPage(), QStringLiteral("TabSheet4")), QStringLiteral("Paths"));
    pages->addTab(named(appletPage(), QStringLiteral("TabSheet5")), QStringLiteral("Applet"));
    pages->addTab(named(otherPage(), QStringLiteral("TabSheet6")), QStringLiteral("Other"));
    pages->setCurrentIndex(0);
    // The pages are drawn in the window's colour, which the captions' colours are chosen against; some
    // styles paint the tab frame in a shade of the button colour instead.
    for (int page = 0; page < pages->count(); ++page)
        pages->widget(page)->setAutoFillBackground(true);
    // A page that does not fit (a large font, a small or highly scaled screen) scrolls instead of being
    // squeezed or pushing the buttons out of reach.
    for (int page = 0; page < pages->count(); ++page) {
        const QString caption = pages->tabText(page);
        QWidget* sheet = pages->widget(page);
        pages->removeTab(page);
        auto* scroll = new QScrollArea;
        scroll->setObjectName(sheet->objectName() + QStringLiteral("Scroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(sheet);
        pages->insertTab(page, scroll, caption);
    }
    pages->setCurrentIndex(0);

    okButton = named(new QPushButton(QStringLiteral("OK")), QStringLiteral("Button1"));
    okButton->setDefault(true);
    cancelButton = named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(form);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    QSize size = FontScale::px(QSize(520, 520));
    // The whole window, title bar included, stays on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    form->resize(size);
    form->setMinimumSize(size);
    form->setMaximumSize(size);
}

QWidget* SettingsWindowUi::exegenPage() {
    creatorIdIndicator = checkBox(QStringLiteral("CheckBox5"), QString());
    creatorIdIndicator->setEnabled(false);
    creatorId = lineEdit(QStringLiteral("edit9"));
    auto* creatorRow = new QWidget;
    auto* creatorLayout = new QHBoxLayout(creatorRow);
    creatorLayout->setContentsMargins(0, 0, 0, 0);
    creatorLayout->addWidget(creatorIdIndicator);
    creatorLayout->addWidget(new QLabel(QStringLiteral("Set your own CreatorID:")));
    creatorLayout->addWidget(creatorId, 1);

    auto* list = new QWidget;
    auto* rows = new QVBoxLayout(list);
    rows->addWidget(checkBox(QStringLiteral("CheckBox8"), QStringLiteral("Copy protection (Palm)")));
    rows->addWidget(withEdit(checkBox(QStringLiteral("CheckBox19"), QStringLiteral("Version (Palm):")),
                             lineEdit(QStringLiteral("Edit12"))));
    rows->addWidget(creatorRow);
    rows->addWidget(
        checkBox(QStringLiteral("CheckBox20"), QStringLiteral("Create .exe-files for Windows CE")));
    rows->addWidget(
        withEdit(checkBox(QStringLiteral("CheckBox21"), QStringLiteral("CE Application Folder (/P)")),
                 lineEdit(QStringLiteral("Edit13"))));
    rows->addWidget(checkBox(QStringLiteral("CheckBox22"), QStringLiteral("Create Cab Files for CE (/Z)")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox24"),
                             QStringLiteral("Minimize window instead of closing  for CE (/M)")));
    rows->addWidget(
        withEdit(checkBox(QStringLiteral("CheckBox23"), QStringLiteral("Set window title for CE:")),
                 lineEdit(QStringLiteral("Edit16"))));
    rows->addWidget(
        checkBox(QStringLiteral("CheckBox26"), QStringLiteral("This app can run in 16bpp screens (/16)")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox27"), QStringLiteral("Hide CE menu (/t)")));
    rows->addWidget(
        withEdit(checkBox(QStringLiteral("CheckBox28"), QStringLiteral("Epoc/Symbian creator id")),
                 lineEdit(QStringLiteral("Edit17"))));
    rows->addWidget(checkBox(QStringLiteral("CheckBox29"),
                             QStringLiteral("Windows CE and Pocket PC full-screen application")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox30"),
                             QStringLiteral("Create the install.exe file to install on Palm OS devices")));
    rows->addWidget(
        checkBox(QStringLiteral("CheckBox31"), QStringLiteral("Generate .lnk file for Windows 98 or newer")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox32"), QStringLiteral("Creates the Linux script file")));
    rows->addWidget(
        checkBox(QStringLiteral("CheckBox33"), QStringLiteral("Create the Symbian Install System")));

    // The memory model has no visible control; its buttons only hold the stored choice.
    auto* memoryModel = new QWidget(list);
    auto* models = new QHBoxLayout(memoryModel);
    const char* modelNames[] = {"Small", "Medium", "Large", "Huge"};
    for (int i = 0; i < 4; ++i) {
        QRadioButton* button =
            radio(QStringLiteral("RadioButton%1").arg(i + 1), QLatin1String(modelNames[i]));
        models->addWidget(button);
        button->hide();
    }
    memoryModel->hide();

    auto* scroll = new QScrollArea;
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    auto* inGroup = new QVBoxLayout;
    inGroup->addWidget(scroll);
    return page({checkBox(QStringLiteral("CheckBox3"), QStringLiteral("Start Exegen")),
                 group(QStringLiteral(" Exegen Parameter "), inGroup)});
}

QWidget* SettingsWindowUi::warpPage() {
    auto* rows = new QVBoxLayout;
    rows->addWidget(checkBox(QStringLiteral("CheckBox6"), QStringLiteral("Set PalmOS copy protection")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox7"), QStringLiteral("recurse any subdirs")));
    rows->addWidget(checkBox(QStringLiteral("CheckBox9"), QStringLiteral("Specify Local Extension Library")));
    rows->addWidget(
        checkBox(QStringLiteral("CheckBox10"), QStringLiteral("Specify Global Extension Library")));
    rows->addWidget(withEdit(checkBox(QStringLiteral("CheckBox16"), QStringLiteral("Exclude (/x)")),
                             lineEdit(QStringLiteral("Edit3"))));
    return page({checkBox(QStringLiteral("CheckBox4"), QStringLiteral("Start Warp")),
                 group(QStringLiteral(" Warp Parameter "), rows)});
}

QWidget* SettingsWindowUi::jdkPage() {
    auto* version = new QVBoxLayout;
    version->addWidget(
        radio(QStringLiteral("RadioButton14"), QStringLiteral("Use java.exe (for most JDK versions)")));
    version->addWidget(
        radio(QStringLiteral("RadioButton15"), QStringLiteral("Use oldjava.exe (for use with JDK 1.3)")));
    auto* compiler = new QVBoxLayout;
    compiler->addWidget(
        checkBox(QStringLiteral("CheckBox1"), QStringLiteral("Generate all debugging infos")));
    compiler->addWidget(checkBox(QStringLiteral("CheckBox2"), QStringLiteral("Optimize")));
    return page(
        {group(QStringLiteral(" JDK Version "), version), group(QStringLiteral(" Compiler "), compiler)});
}

QWidget* SettingsWindowUi::pathsPage() {
    auto* grid = new QGridLayout;
    struct Row {
        const char* caption;
        const char* colour;
        QLineEdit** edit;
        const char* editName;
        QPushButton** button;
        const char* buttonName;
        const char* buttonCaption;
    };
    const Row rows[] = {
        {"SuperWaba Path:", "red", &superWabaPath, "Edit1", &superWabaButton, "Button3", "..."},
        {"JDK Path:", "red", &jdkPath, "Edit4", &jdkButton, "Button5", "..."},
        {"Additional Classpath:", "green", &classPath, "Edit5", &classPathButton, "Button6", ".+."},
        {"Emulator.exe from POSE", "green", &emulatorPath, "Edit6", &emulatorButton, "Button7", "..."},
        {"PalmSim.exe from PalmSimulator", "green", &simulatorPath, "Edit14", &simulatorButton, "Button4",
         "..."},
    };
    int line = 0;
    for (const Row& row : rows) {
        *row.edit = lineEdit(QLatin1String(row.editName));
        *row.button = named(new QPushButton(QLatin1String(row.buttonCaption)), QLatin1String(row.buttonName));
        (*row.button)->setMaximumWidth(FontScale::px(32));
        grid->addWidget(colouredLabel(QLatin1String(row.caption), row.colour), line++, 0, 1, 2);
        grid->addWidget(*row.edit, line, 0);
        grid->addWidget(*row.button, line++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Red = is needed. Green = optional")), line, 0, 1, 2);
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(grid);
    layout->addStretch(1);
    return sheet;
}

QWidget* SettingsWindowUi::appletPage() {
    auto* start = new QFormLayout;
    start->addRow(QStringLiteral("X:"),
                  numberEdit(QStringLiteral("Edit7"), QStringLiteral("UpDown1"), 0, 10000, 10, &appletX));
    start->addRow(QStringLiteral("Y:"),
                  numberEdit(QStringLiteral("Edit8"), QStringLiteral("UpDown2"), 0, 10000, 10, &appletY));
    start->addRow(QStringLiteral("Width:"), numberEdit(QStringLiteral("Edit10"), QStringLiteral("UpDown3"), 0,
                                                       10000, 10, &appletWidth));
    start->addRow(QStringLiteral("Height:"), numberEdit(QStringLiteral("Edit11"), QStringLiteral("UpDown4"),
                                                        0, 10000, 10, &appletHeight));

    auto* colour = checkBox(QStringLiteral("CheckBox15"), QStringLiteral("Enable Color"));
    colour->setEnabled(false);
    colour->setVisible(false);

    auto* scale = new QHBoxLayout;
    scale->addWidget(new QLabel(QStringLiteral("Scale:")));
    for (int i = 0; i < 4; ++i)
        scale->addWidget(radio(QStringLiteral("RadioButton%1").arg(10 + i), QString::number(i + 1)));
    scale->addStretch(1);

    auto* depth = new QHBoxLayout;
    depth->addWidget(new QLabel(QStringLiteral("Color depth:")));
    const char* depths[] = {"2", "4", "8", "16", "24"};
    for (int i = 0; i < 5; ++i) {
        QRadioButton* button = radio(QStringLiteral("RadioButton%1").arg(5 + i), QLatin1String(depths[i]));
        if (i >= 3)
            button->hide(); // 16 and 24 are reachable only through a stored value
        depth->addWidget(button);
    }
    depth->addStretch(1);

    auto* viewer = new QVBoxLayout;
    viewer->addWidget(checkBox(QStringLiteral("CheckBox14"), QStringLiteral("PalmOS UI Style")));
    viewer->addWidget(colour);
    viewer->addLayout(scale);
    viewer->addLayout(depth);
    viewer->addWidget(checkBox(QStringLiteral("CheckBox17"), QStringLiteral("Use Sony Fonts")));
    viewer->addWidget(checkBox(QStringLiteral("CheckBox25"), QStringLiteral("Use CreatorID")));
    auto* commandLine = new QFormLayout;
    commandLine->addRow(QStringLiteral("CmdLine:"), lineEdit(QStringLiteral("Edit15")));
    viewer->addLayout(commandLine);

    return page({group(QStringLiteral(" Start application at  "), start),
                 group(QStringLiteral(" waba.applet.Applet Settings "), viewer)});
}

QWidget* SettingsWindowUi::otherPage() {
    auto* editor = new QVBoxLayout;
    auto* tabs = new QFormLayout;
    tabs->addRow(QStringLiteral("Tab Stops:"), numberEdit(QStringLiteral("Edit2"), QStringLiteral("UpDown5"),
                                                          1, 16, 1, &tabStops, &tabStopsUpDown));
    tabStops->setReadOnly(true);
    editor->addLayout(tabs);
    editor->addWidget(checkBox(QStringLiteral("CheckBox12"), QStringLiteral("Auto Format")));
    editor->addWidget(checkBox(QStringLiteral("CheckBox18"), QStringLiteral("Auto Comments")));
    editor->addWidget(checkBox(QStringLiteral("CheckBox11"), QStringLiteral("Open Output Window")));
    editor->addWidget(checkBox(QStringLiteral("CheckBoxWarmCompiler"),
                               QStringLiteral("Compile in a JVM kept running (warm compiler)")));
    editor->addWidget(checkBox(QStringLiteral("CheckBoxClassArchive"),
                               QStringLiteral("Start the applet viewer with a class-data archive")));

    hotSyncUser = named(new QComboBox, QStringLiteral("ComboBox3"));
    installAtHotSync =
        checkBox(QStringLiteral("CheckBox13"), QStringLiteral("Install the application at Hotsync"));
    auto* hotsync = new QFormLayout;
    hotsync->addRow(QStringLiteral("User:"), hotSyncUser);
    hotsync->addRow(installAtHotSync);

    startupDelay = named(new QSlider(Qt::Horizontal), QStringLiteral("TrackBar1"));
    startupDelay->setRange(0, 9);
    startupDelay->setPageStep(1);
    startupDelay->setTickPosition(QSlider::TicksBelow);
    startupDelay->setTickInterval(1);
    auto* ends = new QHBoxLayout;
    ends->addWidget(new QLabel(QStringLiteral("1")));
    ends->addStretch(1);
    ends->addWidget(new QLabel(QStringLiteral("10")));
    auto* emulator = new QVBoxLayout;
    emulator->addWidget(new QLabel(QStringLiteral("Delay in seconds at statup:")));
    emulator->addWidget(startupDelay);
    emulator->addLayout(ends);

    return page({group(QStringLiteral(" Editor "), editor),
                 group(QStringLiteral(" Hotsync (Only available if you create a pdb/prc) "), hotsync),
                 group(QStringLiteral(" Emulator "), emulator)});
}
