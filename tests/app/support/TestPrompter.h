#pragma once

#include "main/Prompter.h"

#include <QStringList>

#include <deque>
#include <functional>

// Answers every modal question from queues the test fills, and records what
// was asked. An unexpected question fails loudly instead of blocking the test.
class TestPrompter final : public Prompter {
public:
    TestPrompter();
    ~TestPrompter() override;

    struct Question {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> fileNames;
    // Each modal dialog is handed to the next function; with none queued the
    // dialog is rejected and counted as unexpected.
    std::deque<std::function<int(QDialog &)>> dialogs;

    QList<Question> questions;
    QStringList fileDialogTitles;
    QStringList fileDialogStarts;
    QStringList fileDialogFilters;
    QStringList dialogClasses;
    int beeps = 0;
    int unexpected = 0;

    QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestion,
                         const QString &filter) override;
    QString existingFolder(QWidget *parent, const QString &title, const QString &folder) override;
    int execDialog(QDialog &dialog) override;
    void beep() override;

private:
    QString nextFileName(const QString &title, const QString &start, const QString &filter);
    Prompter *m_previous;
};
