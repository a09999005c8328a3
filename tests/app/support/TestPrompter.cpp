#include "TestPrompter.h"

#include <QDialog>

TestPrompter::TestPrompter() : m_previous(Prompter::install(this)) {}

TestPrompter::~TestPrompter() { Prompter::install(m_previous); }

QMessageBox::StandardButton TestPrompter::ask(QWidget *, QMessageBox::Icon icon, const QString &title,
                                              const QString &text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton)
{
    questions.append({icon, title, text, buttons});
    if (answers.empty()) {
        ++unexpected;
        return QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

QString TestPrompter::nextFileName(const QString &title, const QString &start, const QString &filter)
{
    fileDialogTitles.append(title);
    fileDialogStarts.append(start);
    fileDialogFilters.append(filter);
    if (fileNames.empty()) {
        ++unexpected;
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString TestPrompter::openFileName(QWidget *, const QString &title, const QString &folder, const QString &filter)
{
    return nextFileName(title, folder, filter);
}

QString TestPrompter::saveFileName(QWidget *, const QString &title, const QString &suggestion, const QString &filter)
{
    return nextFileName(title, suggestion, filter);
}

QString TestPrompter::existingFolder(QWidget *, const QString &title, const QString &folder)
{
    return nextFileName(title, folder, QString());
}

int TestPrompter::execDialog(QDialog &dialog)
{
    dialogClasses.append(QString::fromLatin1(dialog.metaObject()->className()));
    if (dialogs.empty()) {
        ++unexpected;
        return QDialog::Rejected;
    }
    auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    return handler(dialog);
}

void TestPrompter::beep() { ++beeps; }
