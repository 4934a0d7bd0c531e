#include "FindReplaceDialogs.h"

#include "FindCommands.h"
#include "SourceEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchDialog::SearchDialog(bool replacing, QWidget* parent) : QDialog(parent) {
    setObjectName(replacing ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    setModal(false);

    auto* grid = new QGridLayout(this);
    findWhat = new QLineEdit(this);
    findWhat->setObjectName(QStringLiteral("findWhat"));
    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(findWhat);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findWhat, 0, 1);
    int row = 1;
    if (replacing) {
        replaceWith = new QLineEdit(this);
        replaceWith->setObjectName(QStringLiteral("replaceWith"));
        auto* replaceLabel = new QLabel(tr("Re&place with:"), this);
        replaceLabel->setBuddy(replaceWith);
        grid->addWidget(replaceLabel, row, 0);
        grid->addWidget(replaceWith, row, 1);
        ++row;
    }

    auto* checks = new QVBoxLayout;
    wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    wholeWord->setObjectName(QStringLiteral("wholeWord"));
    matchCase = new QCheckBox(tr("Match &case"), this);
    matchCase->setObjectName(QStringLiteral("matchCase"));
    checks->addWidget(wholeWord);
    checks->addWidget(matchCase);
    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    up = new QRadioButton(tr("&Up"), direction);
    up->setObjectName(QStringLiteral("up"));
    down = new QRadioButton(tr("&Down"), direction);
    down->setObjectName(QStringLiteral("down"));
    down->setChecked(true);
    directionLayout->addWidget(up);
    directionLayout->addWidget(down);
    options->addWidget(direction);
    grid->addLayout(options, row, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    findNextButton = new QPushButton(tr("&Find Next"), this);
    findNextButton->setObjectName(QStringLiteral("findNext"));
    findNextButton->setDefault(true);
    buttons->addWidget(findNextButton);
    if (replacing) {
        replaceButton = new QPushButton(tr("&Replace"), this);
        replaceButton->setObjectName(QStringLiteral("replace"));
        replaceAllButton = new QPushButton(tr("Replace &All"), this);
        replaceAllButton->setObjectName(QStringLiteral("replaceAll"));
        buttons->addWidget(replaceButton);
        buttons->addWidget(replaceAllButton);
    }
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, row + 1, 1);

    // As in the Windows dialogs, nothing can be searched for until there is something to search for.
    const auto enableButtons = [this] {
        const bool any = !findWhat->text().isEmpty();
        for (QPushButton* button : {findNextButton, replaceButton, replaceAllButton})
            if (button)
                button->setEnabled(any);
    };
    enableButtons();
    connect(findWhat, &QLineEdit::textChanged, this, enableButtons);
    connect(findNextButton, &QPushButton::clicked, this, &SearchDialog::findNextPressed);
    if (replacing) {
        connect(replaceButton, &QPushButton::clicked, this, &SearchDialog::replacePressed);
        connect(replaceAllButton, &QPushButton::clicked, this, &SearchDialog::replaceAllPressed);
    }
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString SearchDialog::searchText() const {
    return findWhat->text();
}

QString SearchDialog::replacement() const {
    return replaceWith ? replaceWith->text() : QString();
}

SearchOptions SearchDialog::options() const {
    return {down->isChecked(), wholeWord->isChecked(), matchCase->isChecked()};
}

FindReplace::FindReplace(SourceEditor& editor, QWidget* dialogParent)
    : QObject(dialogParent), beep([] { QApplication::beep(); }), m_editor(editor),
      m_find(new SearchDialog(false, dialogParent)), m_replace(new SearchDialog(true, dialogParent)) {
    connect(m_find, &SearchDialog::findNextPressed, this, [this] { findNextFrom(*m_find); });
    connect(m_replace, &SearchDialog::findNextPressed, this, [this] { findNextFrom(*m_replace); });
    connect(m_replace, &SearchDialog::replacePressed, this,
            [this] { replaceSelection(m_editor, m_replace->replacement()); });
    connect(m_replace, &SearchDialog::replaceAllPressed, this, [this] {
        const int count =
            replaceAll(m_editor, m_replace->searchText(), m_replace->replacement(), m_replace->options());
        beep();
        emit replacedAll(count);
    });
}

void FindReplace::showFind(const QRect& mainWindowFrame) {
    m_find->move(findDialogPlace(mainWindowFrame));
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void FindReplace::showReplace() {
    m_replace->show();
    m_replace->raise();
    m_replace->activateWindow();
}

void FindReplace::findNextFrom(const SearchDialog& dialog) {
    if (!findNext(m_editor, dialog.searchText(), dialog.options()))
        beep();
}
