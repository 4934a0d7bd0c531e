#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>

class ClassBrowser;
class ConsoleRunner;
class QTemporaryDir;
class QTimer;
struct MainWindowUi;

// The class browser of the main window: runs the outline program on the editor's text (one parse at a
// time, within a time limit of the program's own time), fills the tree from its lines, sorts it and
// leads a click to the declaration. Every replacement of the editor's text brings a tree of the new text.
class ClassBrowserRun : public QObject {
    Q_OBJECT
public:
    ClassBrowserRun(MainWindowUi& ui, ConsoleRunner& parser, QObject* parent);
    ~ClassBrowserRun() override;

    // A tree of the editor's text as it is now (unsaved edits included; no file is read).
    void refresh();
    // An empty tree, and what a running parse still says is dropped.
    void clear();
    const ClassBrowser& browser() const { return *m_browser; }
    // Where the outline program lies; the program folder unless told otherwise.
    void setParserFolder(const QString& folder) { m_parserFolder = folder; }
    // How long one parse may take, in milliseconds of the outline program's own time.
    void setParseTimeLimit(int milliseconds) { m_parseTimeLimitMs = milliseconds; }

public slots:
    void itemClicked();
    void sort();
    void inSourceOrder();
    void toggleVariables();
    void toggleMethods();

private:
    void startParse();
    void parseLine(const QString& line);
    void parseDone();
    void checkDeadline();
    void refreshReplacedText();
    // Says why no parse could start.
    void parseFailed(const QString& error);

    MainWindowUi& m_ui;
    ConsoleRunner& m_parser;
    std::unique_ptr<ClassBrowser> m_browser;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_parserFolder;
    QTimer* m_deadline = nullptr;
    QElapsedTimer m_clock;
    qint64 m_handlerNs = 0; // spent in the line handler: the program waits meanwhile
    int m_parseTimeLimitMs = 0;
    bool m_stopped = false;
    bool m_stale = false; // the editor's text was replaced and no refresh has read it yet
};
