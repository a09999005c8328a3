#pragma once

#include "main/Prompter.h"

class QtPrompter final : public Prompter {
public:
    QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestion,
                         const QString &filter) override;
    QString existingFolder(QWidget *parent, const QString &title, const QString &folder) override;
    int execDialog(QDialog &dialog) override;
    void beep() override;
};
