#pragma once

#include <QApplication>

#include <functional>

// The one wrapper around every event handler: an exception that a command does
// not catch ends that command only, and is shown in a critical message box; the
// silent abort ends it without a word.
class KelvoxApplication final : public QApplication {
    Q_OBJECT
public:
    KelvoxApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs a piece of work under the same rule, for callers outside an event.
    static void guarded(const std::function<void()> &work);
    static void reportException(std::exception_ptr error);

Q_SIGNALS:
    // An exception is about to be reported: a command ended half way.
    void commandFailed();
};
