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
const QString kExists = QStringLiteral("This project already exists. Do you really want to proceed?");

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
    Edit2->setText(initialProjectsFolder(m_host));
    m_placement = new FormSizeSave(this, &m_host.store());
    m_placement->restore();
    connect(Edit1, &QLineEdit::textChanged, this, &NewProjectWindow::inputChanged);
    connect(Edit2, &QLineEdit::textChanged, this, &NewProjectWindow::inputChanged);
    connect(Button1, &QPushButton::clicked, this, &NewProjectWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &NewProjectWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &NewProjectWindow::reject);
    inputChanged();
    // The name is typed first: over the placeholder "unknown", not after it.
    Edit1->setFocus();
    Edit1->selectAll();
}

void NewProjectWindow::setupUi() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("New Project"));

    Edit1 = new QLineEdit(QStringLiteral("unknown"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(QStringLiteral("/"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    CheckBox1 = new QCheckBox(QStringLiteral("Create MainWindow Class"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setEnabled(false);
    Button2 = new QPushButton(QStringLiteral("..."));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setMaximumWidth(fontscale::px(32));
    Button3 = new QPushButton(QStringLiteral("Cancel"));
    Button3->setObjectName(QStringLiteral("Button3"));

    auto* grid = new QGridLayout;
    grid->addWidget(note(QStringLiteral("Choose a name for the project:")), 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0, 1, 2);
    grid->addWidget(note(QStringLiteral(
                        "Select the path in which the project directory for all project files is created:")),
                    2, 0, 1, 2);
    grid->addWidget(Edit2, 3, 0);
    grid->addWidget(Button2, 3, 1);
    grid->addWidget(CheckBox1, 4, 0, 1, 2);
    grid->addWidget(
        note(QStringLiteral("Tick \"Create MainWindow Class\" for a MainWindow based on the standard "
                            "MainWindow template. Use \"File/New...\" from the main menu for other "
                            "classes.")),
        5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(fontscale::px(QSize(420, 240)));
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
    if (holdsBlank(Edit1->text())) {
        const QString typed = Edit1->text();
        const int cursor = Edit1->cursorPosition();
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
        Edit1->setText(kept); // comes back here with a name without blanks
        Edit1->setCursorPosition(keptCursor);
        return;
    }
    const QString name = Edit1->text();
    Button1->setEnabled(!name.isEmpty() && name != QLatin1String("unknown") && !Edit2->text().isEmpty());
}

void NewProjectWindow::Button2Click() {
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = QStringLiteral("Project Path");
    request.folder = Edit2->text();
    const QStringList chosen = chooseFiles(this, request);
    if (!chosen.isEmpty())
        Edit2->setText(chosen.first());
}

// The open project changes only once the new folder exists: a No to the question or a folder that
// cannot be created leaves the open project as it was.
void NewProjectWindow::Button1Click() {
    if (!Button1->isEnabled())
        return;
    const QString name = Edit1->text();
    // The name becomes the folder, the project file and the main class: it must be a Java class name.
    if (const QString problem = javaClassNameProblem(name); !problem.isEmpty()) {
        messageDialog(problem, mtError, mbOK);
        return;
    }
    // "~/Projects" or "work" typed by hand: the folder must not depend on the current folder, or the
    // project could not be found again at the next start.
    const QString path = absoluteUserPath(Edit2->text());
    const QString dir = newProjectDir(path, name);

    ProductSettings::writeProjects(m_host.store(), path);

    if (QFileInfo(dir).isDir() && messageDialogWithAccessKeys(kExists, mtConfirmation, mbYesNo) != mrYes)
        return;
    if (const FileResult created = forceDirectories(dir); !created) {
        messageDialog(created.error, mtError, mbOK);
        return;
    }

    ProjectValues& project = m_host.project();
    project.ProjectDir = dir;
    project.Icon22Path.clear();
    project.Icon15Path.clear();
    project.CreatorID.clear();
    m_host.liveSettings().setCreatorId(QString());
    m_host.clearClassBrowser();
    project.ProjectName = name;
    project.ProjectFileName = name + QStringLiteral(".hwp");
    project.ProjectFileFormat = {}; // the old project's encoding is no reason for the new one's
    m_host.files().loescheListe();

    if (CheckBox1->isChecked()) {
        const FileResult generated = m_host.createFileFromTemplate(
            ClassTemplate::templatePath(m_templateFolder, QStringLiteral("MainWindow")), name);
        if (!generated)
            messageDialog(generated.error, mtError, mbOK);
    } else {
        m_host.clearEditor();
    }
    m_created = true;
    accept();
}

void NewProjectWindow::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
