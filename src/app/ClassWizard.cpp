#include "ClassWizard.h"

#include "app/WorkspaceHost.h"
#include "settings/FormSizeSave.h"
#include "ui/FontScale.h"
#include "ui/MessageDialog.h"
#include "workspace/ClassTemplate.h"
#include "workspace/PathHelpers.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kClassExists = QStringLiteral("This classname already exists. Please use another name.");

} // namespace

ClassWizard::ClassWizard(WorkspaceHost& host, QWidget* parent, const QString& templateFolder)
    : QDialog(parent), m_host(host),
      m_templateFolder(templateFolder.isEmpty() ? programFolder() : templateFolder) {
    setupUi();
    m_placement = new FormSizeSave(this, &m_host.store());
    m_placement->setSaveMode(FormSizeSave::smPositionOnly);
    m_placement->restore();
    fillTemplates();
    connect(Button1, &QPushButton::clicked, this, &ClassWizard::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ClassWizard::reject);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &ClassWizard::Button1Click);
    // The name is typed first: over the placeholder "unknown", not after it.
    Edit1->setFocus();
    Edit1->selectAll();
}

void ClassWizard::setupUi() {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Class Wizard"));

    ListView1 = new QListWidget;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    Edit1 = new QLineEdit(QStringLiteral("unknown"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"));
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* text = new QLabel(QStringLiteral("Select what you want to create. Click OK and a new file will be\n"
                                           "created."));
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Name:")));
    name->addWidget(Edit1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ListView1, 1);
    layout->addLayout(name);
    layout->addLayout(buttons);
    resize(fontscale::px(QSize(400, 320)));
}

void ClassWizard::fillTemplates() {
    ListView1->clear();
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    // Already in caption order (case-blind), the order the list shows.
    for (const QString& name : ClassTemplate::templateDisplayNames(m_templateFolder))
        new QListWidgetItem(icon, name, ListView1);
    if (ListView1->count() > 0)
        ListView1->setCurrentRow(0);
}

bool ClassWizard::runModal() {
    m_created = false;
    m_placement->restore();
    exec();
    return m_created;
}

void ClassWizard::Button1Click() {
    const QString className = Edit1->text();
    // The name becomes a file in the project folder and the class inside it: only a Java class name can
    // be both, and it can never lead out of the folder.
    if (const QString problem = javaClassNameProblem(className); !problem.isEmpty()) {
        messageDialog(problem, mtError, mbOK);
        return;
    }
    // A class file already in the project folder would be overwritten by the next save.
    const QString fileName = className + QStringLiteral(".java");
    const QString projectDir = m_host.project().ProjectDir;
    if (m_host.files().isInProject(fileName) ||
        (!projectDir.isEmpty() && QFileInfo::exists(projectDir + fileName))) {
        messageDialog(kClassExists, mtError, mbOK);
        return;
    }
    QListWidgetItem* chosen = ListView1->currentItem();
    if (!chosen || !chosen->isSelected())
        return;
    const FileResult generated = m_host.createFileFromTemplate(
        ClassTemplate::templatePath(m_templateFolder, chosen->text()), className);
    if (!generated) {
        messageDialog(generated.error, mtError, mbOK);
        return;
    }
    m_created = true;
    accept();
}

void ClassWizard::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
