#include "SettingsWindow.h"

#include "app/SettingsBinder.h"
#include "app/SettingsRules.h"
#include "app/WorkspaceHost.h"
#include "settings/FormSizeSave.h"
#include "settings/LiveSettings.h"
#include "settings/SettingsValues.h"
#include "ui/FileDialogs.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>

using namespace SettingsRules;

namespace {

const QString kOldJava = QStringLiteral("Found oldjava.exe! Do you use JDK 1.3?");
// The Windows original offered "Executeables (*.exe)|*.exe"; programs here carry no suffix.
const QString kProgramFilter = QStringLiteral("Programs (*)|*");

} // namespace

SettingsWindow::SettingsWindow(WorkspaceHost& host, LiveSettings& live, QWidget* parent)
    : QDialog(parent), m_host(host), m_live(live) {
    setObjectName(QStringLiteral("Form5"));
    m_placement = new FormSizeSave(this, &m_host.store());
    connect(&m_live, &LiveSettings::changed, this, [this](const QString& name) {
        if (controlsMade() && name == LiveSettings::creatorIdName())
            showCreatorId();
    });
    FormShow();
}

void SettingsWindow::setVisible(bool visible) {
    if (visible)
        makeControls();
    QDialog::setVisible(visible);
}

void SettingsWindow::makeControls() {
    if (controlsMade())
        return;
    m_ui.setupUi(this);
    m_binder = new SettingsBinder(this, m_live);
    m_binder->pushAll();

    connect(m_ui.okButton, &QPushButton::clicked, this, &SettingsWindow::acceptSettings);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, &SettingsWindow::discardSettings);
    connect(m_ui.superWabaButton, &QPushButton::clicked, this, &SettingsWindow::chooseSuperWabaFolder);
    connect(m_ui.jdkButton, &QPushButton::clicked, this, &SettingsWindow::chooseJdkFolder);
    connect(m_ui.classPathButton, &QPushButton::clicked, this, &SettingsWindow::addToClassPath);
    connect(m_ui.emulatorButton, &QPushButton::clicked, this, &SettingsWindow::chooseEmulator);
    connect(m_ui.simulatorButton, &QPushButton::clicked, this, &SettingsWindow::chooseSimulator);
    connect(m_ui.installAtHotSync, &QCheckBox::clicked, this, &SettingsWindow::installAtHotSyncClicked);

    connect(m_ui.creatorId, &QLineEdit::textChanged, &m_live, &LiveSettings::setCreatorId);
    showCreatorId();
    showPalmUsers();
    m_ui.jdkPath->setPlaceholderText(detectJdkFolder());
    m_placement->restore();
}

bool SettingsWindow::runModal() {
    return exec() == QDialog::Accepted;
}

void SettingsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void SettingsWindow::FormShow() {
    // Without controls there is no size to place yet; making them restores the placement.
    if (controlsMade())
        m_placement->restore();

    const ToolPaths paths = m_host.toolPaths();
    m_live.setToolPaths(paths);
    m_superWabaAtShowing = paths.superWabaPath;
    m_host.setEmulatorToggleEnabled(programExists(m_live.text(u"PalmEmulatorPath")));

    ProjectValues& project = m_host.project();
    m_live.setCreatorId(project.CreatorID);

    // A damaged value is reported; the window still shows what could be read.
    if (const RegistryStatus status = m_live.readFromStore(m_host.store()); !status)
        reportFailure(status.error);
    m_host.setEditorTabWidth(m_live.number(u"Tabstops"));

    // Empty icon lines stay empty: filled in here, the program folder's icons would be written into the
    // project file by the next Save all, a path of this machine in a file that travels. The default
    // icons are the program folder's icon22.bmp and icon15.bmp wherever an icon is needed.

    // Quietly: a Palm Desktop that has gone was reported when the box was ticked, not at every showing.
    if (m_live.flag(u"Hotsync"))
        fillPalmUsers(m_host.readPalmUsers(false), m_live.number(u"PalmuserNo"));

    // Offered, never stored: the JDK found on this machine, until the user sets one.
    if (controlsMade())
        m_ui.jdkPath->setPlaceholderText(detectJdkFolder());

    rebuildRunTargets();
}

void SettingsWindow::showCreatorId() {
    const QString id = m_live.creatorId();
    if (m_ui.creatorId->text() != id)
        m_ui.creatorId->setText(id);
    m_ui.creatorIdIndicator->setChecked(m_live.creatorIdTicked());
}

// The HotSync box itself stays usable without users, so it can always be unticked.
void SettingsWindow::fillPalmUsers(const QStringList& users, int storedIndex) {
    m_palmUsersEnabled = !users.isEmpty();
    if (users.isEmpty()) {
        // The box keeps the users it showed, disabled.
        showPalmUsers();
        return;
    }
    m_palmUsers = users;
    m_palmUserIndex = storedIndex >= 0 && storedIndex < users.size() ? storedIndex : -1;
    showPalmUsers();
    m_live.setNumber(u"PalmuserNo", m_palmUserIndex);
}

void SettingsWindow::showPalmUsers() {
    if (!controlsMade() || !m_palmUsersEnabled)
        return;
    m_ui.hotSyncUser->setEnabled(*m_palmUsersEnabled);
    if (!*m_palmUsersEnabled)
        return;
    const QSignalBlocker quiet(m_ui.hotSyncUser);
    m_ui.hotSyncUser->clear();
    m_ui.hotSyncUser->addItems(m_palmUsers);
    m_ui.hotSyncUser->setCurrentIndex(m_palmUserIndex);
}

void SettingsWindow::installAtHotSyncClicked(bool checked) {
    if (!checked)
        return;
    const QStringList users = m_host.readPalmUsers(true);
    // Nothing to install to: the problem was just shown, and the box does not stay ticked.
    if (users.isEmpty()) {
        m_live.setFlag(u"Hotsync", false);
        m_palmUsersEnabled = false;
        m_ui.hotSyncUser->setEnabled(false);
        return;
    }
    fillPalmUsers(users, SettingsValues::readPalmUserNo(m_host.store()));
}

void SettingsWindow::rebuildRunTargets() {
    QComboBox* box = m_host.runTargetBox();
    if (!box)
        return;
    const QString before = box->currentText();
    const QStringList targets = runTargets(m_live.text(u"PalmEmulatorPath"), m_live.text(u"PalmSim"));
    {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(targets);
        box->setCurrentIndex(-1);
    }
    // Set with signals on, so the main window's handler sees the target shown now.
    box->setCurrentIndex(int(targets.indexOf(runTargetToShow(targets, before))));
}

QString SettingsWindow::chooseFolder(const QString& title, const QString& startFolder) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = title;
    request.folder = startFolder.isEmpty() ? m_dirName : startFolder;
    const QStringList chosen = chooseFiles(this, request);
    if (chosen.isEmpty())
        return {};
    m_dirName = chosen.first();
    return m_dirName;
}

QString SettingsWindow::chooseProgram(const QString& title, const QString& current) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = title;
    request.filter = kProgramFilter;
    request.folder = current.isEmpty() ? m_host.project().ProjectDir : QFileInfo(current).absolutePath();
    const QStringList chosen = chooseFiles(this, request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

// The folder loops stop when the picker is cancelled: there is no new folder to test then.
void SettingsWindow::chooseSuperWabaFolder() {
    for (;;) {
        const QString folder = chooseFolder(QStringLiteral("SuperWaba Path"), m_ui.superWabaPath->text());
        if (folder.isEmpty())
            return;
        if (isSuperWabaFolder(folder)) {
            m_ui.superWabaPath->setText(folder);
            return;
        }
        if (messageDialog(wrongFolderMessage(folder, QStringLiteral("lib/SuperWabaTools.jar")),
                          mtConfirmation, mbOKCancel) != mrOk)
            return;
    }
}

void SettingsWindow::chooseJdkFolder() {
    for (;;) {
        const QString start = m_ui.jdkPath->text().isEmpty() ? detectJdkFolder() : m_ui.jdkPath->text();
        const QString folder = chooseFolder(QStringLiteral("JDK Path"), start);
        if (folder.isEmpty())
            return;
        if (isJdkFolder(folder)) {
            m_live.setChoice(u"JavaExe", 0);
            m_ui.jdkPath->setText(folder);
            if (hasOldJava(folder))
                m_live.setChoice(u"JavaExe",
                                 messageDialog(kOldJava, mtConfirmation, mbYesNo) == mrYes ? 1 : 0);
            return;
        }
        if (messageDialog(wrongFolderMessage(folder, QStringLiteral("bin/java")), mtConfirmation,
                          mbOKCancel) != mrOk)
            return;
    }
}

void SettingsWindow::addToClassPath() {
    const QString folder = chooseFolder(QStringLiteral("Additional Classpath"), QString());
    if (!folder.isEmpty())
        m_ui.classPath->setText(appendClassPathFolder(m_ui.classPath->text(), folder));
}

void SettingsWindow::chooseEmulator() {
    const QString program =
        chooseProgram(QStringLiteral("Emulator.exe from POSE"), m_ui.emulatorPath->text());
    if (!program.isEmpty())
        m_ui.emulatorPath->setText(program);
}

void SettingsWindow::chooseSimulator() {
    const QString program =
        chooseProgram(QStringLiteral("PalmSim.exe from PalmSimulator"), m_ui.simulatorPath->text());
    if (!program.isEmpty())
        m_ui.simulatorPath->setText(program);
}

void SettingsWindow::acceptSettings() {
    m_host.setToolPaths(m_live.toolPaths());
    ProjectValues& project = m_host.project();
    // The creator ID lives in the project file, so a new one must be saved with the project.
    if (project.CreatorID != m_live.creatorId() && project.hasProject())
        project.ProjectModified = true;
    project.CreatorID = m_live.creatorId();
    m_host.setEditorTabWidth(m_live.number(u"Tabstops"));

    // The window stays open when the store cannot take the settings, so nothing typed is lost; they are
    // in effect for this session either way.
    if (const RegistryStatus status = m_live.writeToStore(m_host.store()); !status) {
        reportFailure(QStringLiteral("The settings were not saved. %1\nPress OK to try again, or Cancel to "
                                     "keep them for this session only.")
                          .arg(status.error));
        return;
    }

    if (const auto page = documentationToReload(m_superWabaAtShowing, m_host.toolPaths().superWabaPath))
        m_host.showDocumentation(*page);
    m_host.setEmulatorToggleEnabled(programExists(m_live.text(u"PalmEmulatorPath")));
    accept();
}

void SettingsWindow::discardSettings() {
    reject();
}

void SettingsWindow::done(int result) {
    rebuildRunTargets();
    m_placement->save();
    QDialog::done(result);
}

void SettingsWindow::reportFailure(const QString& message) {
    messageDialog(message, mtError, mbOK);
}
