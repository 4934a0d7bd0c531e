#include "MessageDialogVocabulary.h"

#include "ApplicationTitle.h"

#include <array>

namespace {

struct ButtonInfo {
    const char* caption;
    const char* name;
    int result;
};

constexpr std::array<ButtonInfo, 11> kButtons{{
    {"Yes", "Yes", mrYes},
    {"No", "No", mrNo},
    {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},
    {"Abort", "Abort", mrAbort},
    {"Retry", "Retry", mrRetry},
    {"Ignore", "Ignore", mrIgnore},
    {"All", "All", mrAll},
    {"No to all", "NoToAll", mrNoToAll},
    {"Yes to all", "YesToAll", mrYesToAll},
    {"Help", "Help", mrNone},
}};

const ButtonInfo& info(MsgDlgBtn button) {
    for (size_t i = 0; i < kButtons.size(); ++i) {
        if (button == (1u << i))
            return kButtons[i];
    }
    return kButtons.back(); // not a single button bit: behave like Help, which answers nothing
}

std::optional<MsgDlgBtn> firstPresent(MsgDlgButtons buttons, std::initializer_list<MsgDlgBtn> candidates) {
    for (MsgDlgBtn b : candidates) {
        if (buttons & b)
            return b;
    }
    return std::nullopt;
}

} // namespace

QString dialogTitle(int type) {
    switch (type) {
    case mtWarning:
        return QStringLiteral("Warning");
    case mtError:
        return QStringLiteral("Error");
    case mtInformation:
        return QStringLiteral("Information");
    case mtConfirmation:
        return QStringLiteral("Confirm");
    default:
        return applicationTitle();
    }
}

bool dialogHasIcon(int type) {
    return type >= mtWarning && type < mtCustom;
}

QString buttonCaption(MsgDlgBtn button) {
    return QString::fromLatin1(info(button).caption);
}
QString buttonName(MsgDlgBtn button) {
    return QString::fromLatin1(info(button).name);
}
int buttonResult(MsgDlgBtn button) {
    return info(button).result;
}

QList<MsgDlgBtn> dialogButtons(MsgDlgButtons buttons) {
    QList<MsgDlgBtn> result;
    for (size_t i = 0; i < kButtons.size(); ++i) {
        if (buttons & (1u << i))
            result.append(static_cast<MsgDlgBtn>(1u << i));
    }
    return result;
}

std::optional<MsgDlgBtn> defaultButton(MsgDlgButtons buttons) {
    return firstPresent(buttons, {mbOK, mbYes, mbRetry});
}

std::optional<MsgDlgBtn> cancelButton(MsgDlgButtons buttons) {
    return firstPresent(buttons, {mbCancel, mbNo, mbOK});
}

int closeResult(MsgDlgButtons buttons) {
    const auto button = cancelButton(buttons);
    return button ? buttonResult(*button) : int(mrCancel);
}

bool isPossibleResult(MsgDlgButtons buttons, int result) {
    if (result == closeResult(buttons))
        return true;
    for (MsgDlgBtn b : dialogButtons(buttons)) {
        if (b != mbHelp && buttonResult(b) == result)
            return true;
    }
    return false;
}
