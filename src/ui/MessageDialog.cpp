#include "MessageDialog.h"

#include "MessageDialogLayout.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cstdio>

namespace {

bool toStandardError = false;

std::function<void(int)>& helpHandler() {
    static std::function<void(int)> handler;
    return handler;
}

QRect screenRect(const QWidget* parent) {
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QStyle::StandardPixmap iconFor(MsgDlgType type) {
    switch (type) {
    case mtWarning:
        return QStyle::SP_MessageBoxWarning;
    case mtError:
        return QStyle::SP_MessageBoxCritical;
    case mtInformation:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

QString captionFor(MsgDlgBtn button, DialogVariant variant) {
    if (variant == DialogVariant::AccessKeys && button == mbYes)
        return QStringLiteral("&Yes");
    if (variant == DialogVariant::AccessKeys && button == mbNo)
        return QStringLiteral("&No");
    return buttonCaption(button);
}

int showOrScript(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                 DialogVariant variant) {
    if (toStandardError) {
        std::fprintf(stderr, "handwright: %s: %s\n", qUtf8Printable(dialogTitle(type)), qUtf8Printable(text));
        std::fflush(stderr);
        return closeResult(buttons);
    }
    if (ScriptedDialogs* script = ScriptedDialogs::current())
        return script->respond(text, type, buttons, dialogTitle(type), variant);
    MessageDialog dialog(text, type, buttons, helpContext, variant, QApplication::activeWindow());
    return dialog.exec();
}

} // namespace

MessageDialog::MessageDialog(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                             DialogVariant variant, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_buttons(buttons), m_helpContext(helpContext) {
    setModal(true);
    setWindowTitle(dialogTitle(type));
    setFont(QApplication::font("QMessageBox"));

    const QFontMetrics fm(font());
    const int cx =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const MessageDialogMetrics metrics = messageDialogMetrics(cx, fm.height());
    const QRect screen = screenRect(parent);
    const int wrapWidth = messageWrapWidth(screen.width());
    // A word wider than the wrap width (a long path) is broken too, or it would widen the dialog.
    const QString shown = breakLongWords(text, font(), wrapWidth);
    const QSize textSize =
        fm.boundingRect(QRect(0, 0, wrapWidth, 0), Qt::AlignLeft | Qt::TextWordWrap, shown).size();
    const bool hasIcon = dialogHasIcon(type);
    const MessageDialogGeometry geometry =
        layoutMessageDialog(metrics, textSize, hasIcon, int(dialogButtons(buttons).size()));

    if (hasIcon) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(
            style()->standardIcon(iconFor(type), nullptr, this).pixmap(geometry.iconRect.size()));
        image->setGeometry(geometry.iconRect);
    }
    auto* message = new QLabel(this);
    message->setObjectName(QStringLiteral("Message"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setText(shown);
    message->setGeometry(geometry.textRect);

    addButtons(geometry.buttonRects, variant);

    setFixedSize(geometry.clientSize);
    move(centredOn(screen, geometry.clientSize));
}

void MessageDialog::addButtons(const QList<QRect>& rects, DialogVariant variant) {
    const QList<MsgDlgBtn> buttons = dialogButtons(m_buttons);
    const std::optional<MsgDlgBtn> enterButton = variant == DialogVariant::DefaultNo && (m_buttons & mbNo)
                                                     ? std::optional(mbNo)
                                                     : defaultButton(m_buttons);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const MsgDlgBtn kind = buttons[i];
        auto* button = new QPushButton(captionFor(kind, variant), this);
        button->setObjectName(buttonName(kind));
        button->setGeometry(rects[i]);
        if (kind == mbHelp) {
            // Help shows its topic and leaves the question open.
            connect(button, &QPushButton::clicked, this, [this] {
                if (helpHandler())
                    helpHandler()(m_helpContext);
            });
        } else {
            const int result = buttonResult(kind);
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        }
        // QDialog gives the default button the focus when shown.
        if (enterButton == kind)
            button->setDefault(true);
    }
}

void MessageDialog::reject() {
    done(closeResult(m_buttons));
}

void MessageDialog::setHelpHandler(std::function<void(int)> handler) {
    helpHandler() = std::move(handler);
}

void sendMessagesToStandardError() {
    toStandardError = true;
}

int messageDialog(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext) {
    return showOrScript(text, type, buttons, helpContext, DialogVariant::Standard);
}

int messageDialogDefaultNo(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext) {
    return showOrScript(text, type, buttons, helpContext, DialogVariant::DefaultNo);
}

int messageDialogWithAccessKeys(const QString& text, MsgDlgType type, MsgDlgButtons buttons,
                                int helpContext) {
    return showOrScript(text, type, buttons, helpContext, DialogVariant::AccessKeys);
}
