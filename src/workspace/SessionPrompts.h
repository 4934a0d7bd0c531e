#pragma once

#include <QString>

// The buttons of a two-way question.
enum class SessionButtons { YesNo, OkCancel };

// A question with two answers, and which of them Enter gives.
struct SessionQuestion {
    QString text;
    SessionButtons buttons = SessionButtons::YesNo;
    bool defaultNo = false;  // Enter answers No (or Cancel): for a Yes that throws work away
    bool accessKeys = false; // the buttons read "&Yes" and "&No", so Alt+Y and Alt+N answer

    bool operator==(const SessionQuestion&) const = default;
};

enum class SessionAnswer { Yes, No, Cancel };

// How the open-file session asks and tells. Every question is a confirmation, every message modal: the
// main window shows them as message dialogs; tests answer them from a script.
class SessionPrompts {
public:
    virtual ~SessionPrompts() = default;

    // True for Yes (or OK).
    virtual bool confirm(const SessionQuestion& question) = 0;
    // Yes, No and Cancel; Enter gives Yes, the close box Cancel.
    virtual SessionAnswer confirmOrCancel(const QString& text) = 0;
    // An error with OK alone.
    virtual void error(const QString& text) = 0;
    // A confirmation box with OK alone: something the user should know before going on.
    virtual void notice(const QString& text) = 0;
};
