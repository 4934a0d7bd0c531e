// The manual's library: the only code that links Qt's help engine. The program loads it when the manual
// is first opened (see MainWindow::openHelp).
#include "HelpWindow.h"
#include "app/HelpBackend.h"

namespace {

class HelpWindowBackend final : public HelpBackend {
public:
    HelpWindowBackend(QWidget* parent, const QString& helpFile)
        : m_window(new HelpWindow(helpFile, helpCollectionFile(), parent)) {
        // The backend goes with the window it speaks for.
        QObject::connect(m_window, &QObject::destroyed, [this] { delete this; });
    }
    QWidget* window() override { return m_window; }
    bool ready() const override { return m_window->ready(); }
    QString error() const override { return m_window->error(); }
    void showContents() override { m_window->showContents(); }
    void showSearch() override { m_window->showSearch(); }

private:
    HelpWindow* m_window;
};

} // namespace

extern "C" Q_DECL_EXPORT HelpBackend* handwrightCreateHelp(QWidget* parent, const QString& helpFile) {
    return new HelpWindowBackend(parent, helpFile);
}
