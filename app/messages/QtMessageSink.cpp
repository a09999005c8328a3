#include "messages/QtMessageSink.h"

#include "main/Prompter.h"
#include "messages/TfrmErrorDlg.h"

#include <QApplication>

void QtMessageSink::Show(std::uint16_t code, const std::string &callerText, const kelvox::ComposedMessage &message)
{
    Prompter::instance().beep();
    TfrmErrorDlg dialog(code, QString::fromStdString(callerText), message, QApplication::activeWindow());
    Prompter::instance().execDialog(dialog);
}
