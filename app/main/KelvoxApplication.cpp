#include "main/KelvoxApplication.h"

#include "main/Prompter.h"
#include "messages/Messages.h"
#include "output/FontStandIns.h"

#include <exception>

KelvoxApplication::KelvoxApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kelvox"));
    setOrganizationName(QStringLiteral("Harrowgate"));
    setApplicationVersion(QStringLiteral(KELVOX_VERSION));
    FontStandIns::Install();
}

bool KelvoxApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

void KelvoxApplication::guarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (...) {
        reportException(std::current_exception());
    }
}

void KelvoxApplication::reportException(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const kelvox::SilentAbort &) {
        return;
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown exception.");
    }
    if (auto *app = qobject_cast<KelvoxApplication *>(QCoreApplication::instance()))
        Q_EMIT app->commandFailed();
    Prompter::instance().ask(activeWindow(), QMessageBox::Critical, applicationName(), text, QMessageBox::Ok,
                             QMessageBox::Ok);
}
