#include "ClassWizard.h"

#include "app/WorkspaceHost.h"
#include "settings/FormSizeSave.h"
#include "ui/FontScale.h"
#include "ui/MessageDialog.h"
#include "ui/StyleIcons.h"
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
    connect(m_okButton, &QPushButton::clicked, this, &ClassWizard::generateClass);
    connect(m_cancelButton, &QPushButton::clicked, this, &ClassWizard::reject);
    connect(m_templateList, &QListWidget::itemDoubleClicked, this, &ClassWizard::generateClass);
    // The name is typed first: over the placeholder "unknown", not after it.
    m_className->setFocus();
    m_className->selectAll();
}

void ClassWizard::setupUi() {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Class Wizard"));

    m_templateList = new QListWidget;
    m_templateList->setObjectName(QStringLiteral("ListView1"));
    m_templateList->setViewMode(QListView::ListMode);
    m_templateList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_templateList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_className = new QLineEdit(QStringLiteral("unknown"));
    m_className->setObjectName(QStringLiteral("Edit1"));
    m_okButton = new QPushButton(QStringLiteral("OK"));
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    m_cancelButton->setObjectName(QStringLiteral("Button2"));

    auto* text = new QLabel(QStringLiteral("Select what you want to create. Click OK and a new file will be\n"
                                           "created."));
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Name:")));
    name->addWidget(m_className, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_templateList, 1);
    layout->addLayout(name);
    layout->addLayout(buttons);
    resize(FontScale::px(QSize(400, 320)));
}

void ClassWizard::fillTemplates() {
    m_templateList->clear();
    const QIcon icon = standardIconOfSize(QStyle::SP_FileIcon, styleIconSize(QStyle::PM_ListViewIconSize));
    // Already in caption order (case-blind), the order the list shows.
    for (const QString& name : ClassTemplate::templateDisplayNames(m_templateFolder))
        new QListWidgetItem(icon, name, m_templateList);
    if (m_templateList->count() > 0)
        m_templateList->setCurrentRow(0);
}

bool ClassWizard::runModal() {
    m_created = false;
    m_placement->restore();
    exec();
    return m_created;
}

void ClassWizard::generateClass() {
    const QString className = m_className->text();
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
    QListWidgetItem* chosen = m_templateList->currentItem();
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
