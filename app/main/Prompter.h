#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

// Every modal question, chooser and dialog goes through the installed Prompter,
// so that window tests answer them instead of a person.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                            const QString &text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggestion,
                                 const QString &filter) = 0;
    virtual QString existingFolder(QWidget *parent, const QString &title, const QString &folder) = 0;
    virtual int execDialog(QDialog &dialog) = 0;
    virtual void beep() = 0;

    static Prompter &instance();
    // Installs a prompter (not owned) and returns the previous one; nullptr
    // restores the real one.
    static Prompter *install(Prompter *prompter);
};
