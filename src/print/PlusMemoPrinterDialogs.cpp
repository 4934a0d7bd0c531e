// The printer's questions through the program's own dialogs. Apart from the rest, so that the printing
// library can take the program's dialogs instead of linking a copy of its own.
#include "PlusMemoPrinter.h"
#include "ui/MessageDialog.h"

PlusMemoPrinter::PlusMemoPrinter()
    : PlusMemoPrinter([](const QString& text, MsgDlgType type, MsgDlgButtons buttons) {
          return messageDialog(text, type, buttons);
      }) {}
