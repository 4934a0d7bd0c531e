#include "NewProjectWindow.h"

#include "app/WorkspaceHost.h"
#include "settings/FormSizeSave.h"
#include "settings/LiveSettings.h"
#include "settings/ProductSettings.h"
#include "ui/FileDialogs.h"
#include "ui/FontScale.h"
#include "ui/MessageDialog.h"
#include "ui/StopBox.h"
#include "workspace/ClassTemplate.h"
#include "workspace/PathHelpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kNoSpaces = QStringLiteral("Space characters are not allowed in project names!");

// A tab or another blank pasted in is as much a space as the one typed.
bool holdsBlank(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
}

QLabel* note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

NewProjectWindow::NewProjectWindow(WorkspaceHost& host, QWidget* parent, const QString& templateFolder)
    : QDialog(parent), m_host(host),
      m_templateFolder(templateFolder.isEmpty() ? programFolder() : templateFolder) {
    setupUi();
    // Read before the placement is restored: restoring creates the product key.
    m_parentFolder->setText(initialProjectsFolder(m_host));
    m_placement = new FormSizeSave(this, &m_host.store());
    m_placement->restore();
    connect(m_projectName, &QLineEdit::textChanged, this, &NewProjectWindow::inputChanged);
    connect(m_parentFolder, &QLineEdit::textChanged, this, &NewProjectWindow::inputChanged);
    connect(m_okButton, &QPushButton::clicked, this, &NewProjectWindow::createProject);
    connect(m_browseButton, &QPushButton::clicked, this, &NewProjectWindow::chooseParentFolder);
    connect(m_cancelButton, &QPushButton::clicked, this, &NewProjectWindow::reject);
    inputChanged();
    // The name is typed first: over the placeholder "unknown", not after it.
    m_projectName->setFocus();
    m_projectName->selectAll();
}

void NewProjectWindow::setupUi() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("New Project"));

    m_projectName = new QLineEdit(QStringLiteral("unknown"));
    m_projectName->setObjectName(QStringLiteral("Edit1"));
    m_parentFolder = new QLineEdit(QStringLiteral("/"));
    m_parentFolder->setObjectName(QStringLiteral("Edit2"));
    m_createMainClass = new QCheckBox(QStringLiteral("Create MainWindow Class"));
    m_createMainClass->setObjectName(QStringLiteral("CheckBox1"));
    m_createMainClass->setChecked(true);
    m_okButton = new QPushButton(QStringLiteral("OK"));
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    m_okButton->setEnabled(false);
    m_browseButton = new QPushButton(QStringLiteral("..."));
    m_browseButton->setObjectName(QStringLiteral("Button2"));
    m_browseButton->setMaximumWidth(FontScale::px(32));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    m_cancelButton->setObjectName(QStringLiteral("Button3"));

    auto* grid = new QGridLayout;
    grid->addWidget(note(QStringLiteral("Choose a name for the project:")), 0, 0, 1, 2);
    grid->addWidget(m_projectName, 1, 0, 1, 2);
    grid->addWidget(note(QStringLiteral(
                        "Select the path in which the project directory for all project files is created:")),
                    2, 0, 1, 2);
    grid->addWidget(m_parentFolder, 3, 0);
    grid->addWidget(m_browseButton, 3, 1);
    grid->addWidget(m_createMainClass, 4, 0, 1, 2);
    grid->addWidget(
        note(QStringLiteral("Tick \"Create MainWindow Class\" for a MainWindow based on the standard "
                            "MainWindow template. Use \"File/New...\" from the main menu for other "
                            "classes.")),
        5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(FontScale::px(QSize(420, 240)));
}

QString NewProjectWindow::initialProjectsFolder(WorkspaceHost& host) {
    const std::optional<QString> stored = ProductSettings::readProjects(host.store());
    if (!stored)
        return QStringLiteral("/");
    if (stored->isEmpty())
        return withBackslash(QDir::homePath()) + QStringLiteral("Projects/");
    return *stored;
}

bool NewProjectWindow::runModal() {
    m_created = false;
    m_placement->restore();
    exec();
    return m_created;
}

void NewProjectWindow::inputChanged() {
    if (holdsBlank(m_projectName->text())) {
        const QString typed = m_projectName->text();
        const int cursor = m_projectName->cursorPosition();
        stopBox(kNoSpaces);
        // Only the blanks go; the rest of the name and the cursor's place in it stay.
        QString kept;
        int keptCursor = 0;
        for (qsizetype i = 0; i < typed.size(); ++i) {
            if (typed.at(i).isSpace())
                continue;
            kept += typed.at(i);
            if (i < cursor)
                ++keptCursor;
        }
        m_projectName->setText(kept); // comes back here with a name without blanks
        m_projectName->setCursorPosition(keptCursor);
        return;
    }
    const QString name = m_projectName->text();
    m_okButton->setEnabled(!name.isEmpty() && name != QLatin1String("unknown") &&
                           !m_parentFolder->text().isEmpty());
}

void NewProjectWindow::chooseParentFolder() {
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = QStringLiteral("Project Path");
    request.folder = m_parentFolder->text();
    const QStringList chosen = chooseFiles(this, request);
    if (!chosen.isEmpty())
        m_parentFolder->setText(chosen.first());
}

// The session creates the folder and resets the open project; the window checks the name and stores the
// parent folder first.
void NewProjectWindow::createProject() {
    if (!m_okButton->isEnabled())
        return;
    const QString name = m_projectName->text();
    // The name becomes the folder, the project file and the main class: it must be a Java class name.
    if (const QString problem = javaClassNameProblem(name); !problem.isEmpty()) {
        messageDialog(problem, mtError, mbOK);
        return;
    }
    // "~/Projects" or "work" typed by hand: the folder must not depend on the current folder, or the
    // project could not be found again at the next start.
    const QString path = absoluteUserPath(m_parentFolder->text());
    ProductSettings::writeProjects(m_host.store(), path);
    const QString mainClass =
        m_createMainClass->isChecked()
            ? ClassTemplate::templatePath(m_templateFolder, QStringLiteral("MainWindow"))
            : QString();
    if (!m_host.session().newProject(path, name, mainClass).ok())
        return;
    m_host.liveSettings().setCreatorId(QString());
    m_host.clearClassBrowser();
    m_created = true;
    accept();
}

void NewProjectWindow::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
