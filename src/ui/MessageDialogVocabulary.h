#pragma once

#include <QList>
#include <QString>
#include <optional>

// Message types; the numbers are what callers and stored scripts know.
enum MsgDlgType : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// One bit per button, in the order the buttons appear from left to right.
enum MsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
};
using MsgDlgButtons = unsigned;

inline constexpr MsgDlgButtons mbYesNo = mbYes | mbNo;
inline constexpr MsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr MsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr MsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// What a dialog returns: the result of the button pressed.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// How a question is put: the message dialog, the same with access keys on Yes and No, the STOP box, or
// the message dialog with No as the button Enter presses (for a Yes that throws work away).
enum class DialogVariant { Standard, AccessKeys, StopBox, DefaultNo };

// Unknown type numbers are shown like mtCustom: no icon, the application title.
QString dialogTitle(int type);
bool dialogHasIcon(int type);

QString buttonCaption(MsgDlgBtn button);
QString buttonName(MsgDlgBtn button); // the button's objectName
int buttonResult(MsgDlgBtn button);   // mrNone for Help, which does not close the dialog

// The buttons of a set, left to right; bits beyond Help are ignored.
QList<MsgDlgBtn> dialogButtons(MsgDlgButtons buttons);

// The button Enter presses and the one Escape stands for, when the set holds one.
std::optional<MsgDlgBtn> defaultButton(MsgDlgButtons buttons);
std::optional<MsgDlgBtn> cancelButton(MsgDlgButtons buttons);

// The answer for Escape and the close box: the cancel button's result, else mrCancel.
int closeResult(MsgDlgButtons buttons);

// Whether a dialog with these buttons can answer `result` at all (a button of the set or closing it).
bool isPossibleResult(MsgDlgButtons buttons, int result);
