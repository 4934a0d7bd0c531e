// The printing library: the only code that links Qt's print support. The program loads it at the first
// print (see MainWindow::printFile).
#include "PlusMemoPrinter.h"
#include "app/PrintBackend.h"

namespace {

class PreviewBackend final : public PrintBackend {
public:
    explicit PreviewBackend(PrintQuestionFunction ask)
        : m_printer([ask](const QString& text, MsgDlgType type, MsgDlgButtons buttons) {
              return ask(text, type, buttons);
          }) {}

    void preview(QWidget* parent, const PrintJob& job) override {
        m_printer.setText(job.lines, job.font, job.tabWidth);
        m_printer.LineNumbers = job.lineNumbers;
        m_printer.Header = job.header;
        m_printer.SourcePath = job.sourcePath;
        m_printer.PrintPreview(parent);
    }

private:
    PlusMemoPrinter m_printer;
};

} // namespace

extern "C" Q_DECL_EXPORT PrintBackend* handwrightCreatePrinter(PrintQuestionFunction ask) {
    return new PreviewBackend(ask);
}
