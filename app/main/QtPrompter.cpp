#include "main/QtPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>

namespace {
Prompter *g_installed = nullptr;
}

Prompter &Prompter::instance()
{
    static QtPrompter real;
    return g_installed ? *g_installed : real;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = g_installed;
    g_installed = prompter;
    return previous;
}

QMessageBox::StandardButton QtPrompter::ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                            const QString &text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtPrompter::openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtPrompter::saveFileName(QWidget *parent, const QString &title, const QString &suggestion,
                                 const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestion, filter);
}

QString QtPrompter::existingFolder(QWidget *parent, const QString &title, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

int QtPrompter::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

void QtPrompter::beep()
{
    QApplication::beep();
}
