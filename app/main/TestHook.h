#pragma once

#include "main/Prompter.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <string>

class QSocketNotifier;
class TfrmMain;

// Started with --test-hook, the program takes commands on its standard input
// and answers its questions from there, so that a test can drive the real
// executable in a process of its own. One command per line:
//   type <control> <text>   types into a control of the page, key by key
//   tab                     leaves the field being edited
//   trigger <action>        triggers a menu item by its object name
//   answer yes|no|cancel|ok answers the next question
//   file <path>             answers the next file chooser
//   dump                    prints the case (see below)
//   ping                    prints "PONG"
//   quit                    closes the main window
// Each question is printed as "ASK <text>" (line breaks as "\n"), each file
// chooser as "CHOOSE <title>"; a question asked before its answer came waits
// for it. dump prints "FILE <name>", "CHANGED 0|1", the case as a client file
// and "END".
class TestHook final : public QObject, public Prompter {
    Q_OBJECT
public:
    TestHook();
    ~TestHook() override;
    void attach(TfrmMain &window) { m_window = &window; }

    QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestion,
                         const QString &filter) override;
    QString existingFolder(QWidget *parent, const QString &title, const QString &folder) override;
    int execDialog(QDialog &dialog) override;
    void beep() override;

private:
    void readable();
    // Reads what stdin holds, waiting for it; false at its end.
    bool readInput();
    void runCommands();
    void run(const QString &line);
    // Takes the next queued line that starts with word, reading on until one
    // comes; empty at the end of input.
    QString takeReply(const QString &word);
    void type(const QString &name, const QString &text);
    void dump();
    static void print(const QString &line);

    TfrmMain *m_window = nullptr;
    QSocketNotifier *m_notifier;
    Prompter *m_previous;
    std::string m_buffer;
    std::deque<QString> m_commands;
    std::deque<QString> m_replies;
    bool m_running = false;
};
