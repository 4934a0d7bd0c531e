#include "ProjectSearchDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ProjectSearchDialog::ProjectSearchDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindInProjectDialog"));
    setWindowTitle(tr("Find in Project"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    findWhat = new QLineEdit(this);
    findWhat->setObjectName(QStringLiteral("findWhat"));
    form->addRow(tr("Fi&nd what:"), findWhat);
    layout->addLayout(form);
    regularExpression = new QCheckBox(tr("&Regular expression"), this);
    regularExpression->setObjectName(QStringLiteral("regularExpression"));
    matchCase = new QCheckBox(tr("Match &case"), this);
    matchCase->setObjectName(QStringLiteral("matchCase"));
    wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    wholeWord->setObjectName(QStringLiteral("wholeWord"));
    for (QCheckBox* box : {regularExpression, matchCase, wholeWord})
        layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    findButton = buttons->addButton(tr("&Find"), QDialogButtonBox::AcceptRole);
    findButton->setObjectName(QStringLiteral("find"));
    findButton->setDefault(true);
    layout->addWidget(buttons);

    findButton->setEnabled(false);
    connect(findWhat, &QLineEdit::textChanged, this,
            [this](const QString& text) { findButton->setEnabled(!text.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (findWhat->text().isEmpty())
            return;
        hide();
        emit searchRequested(query());
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
}

ProjectSearchQuery ProjectSearchDialog::query() const {
    return {findWhat->text(), regularExpression->isChecked(), matchCase->isChecked(), wholeWord->isChecked()};
}

void ProjectSearchDialog::showWith(const QString& text) {
    if (!text.isEmpty())
        findWhat->setText(text);
    findWhat->selectAll();
    findWhat->setFocus();
    show();
    raise();
    activateWindow();
}
