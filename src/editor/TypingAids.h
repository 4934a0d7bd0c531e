#pragma once

#include <QString>
#include <QStringView>
#include <Qt>
#include <optional>

class QKeyEvent;
class SourceEditor;

// Auto Format and Auto Comments: rewrite the text around the caret when a key is released in the editor,
// after the editor has handled the key (its auto-indent included).
namespace TypingAids {

// Windows virtual-key codes the aids react to.
constexpr int kEnterKey = 13;
constexpr int kZeroKey = 48;

// The virtual-key code of a Qt key event: 13 for Enter and the keypad's Enter, 48 for the key carrying
// the digit 0 (not the keypad's 0), recognised by its X key code where the layout puts another symbol
// there; 0 for every other key.
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);
int windowsKeyCode(const QKeyEvent& event);
// Whether the event typed "}", whichever key carries it.
bool typesClosingBrace(const QKeyEvent& event);

struct Switches {
    bool autoFormat = true;
    bool autoComments = true;
};

// The opening-brace rule: the line above ends with "{" as its very last character.
bool opensBlock(QStringView lineAbove);
// The closing-brace rule looks only at lines made of blanks, tabs and "}".
bool onlyBlanksAndClosingBraces(QStringView line);

// The comment skeleton for a "/**" line above `declaration`, with a CR before every line after the
// first; nothing when the line above holds no "/**".
std::optional<QString> commentSkeleton(QStringView lineAbove, QStringView declaration);

// The key-release handler: the Auto Format rules, then the Auto Comments rule, each while switched on.
// `closingBrace` says the key typed "}" (on layouts where "}" is not on the 0 key).
void keyUp(SourceEditor& editor, int windowsKey, bool closingBrace, const Switches& switches);

} // namespace TypingAids
