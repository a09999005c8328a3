#pragma once

#include "main/Desktop.h"

#include <QList>
#include <QUrl>

// Records what the program asks the desktop to open and answers with the
// result the test sets; nothing is started.
class TestDesktop final : public Desktop {
public:
    TestDesktop();
    ~TestDesktop() override;

    bool result = true;
    QList<QUrl> openedUrls;
    QStringList startedPrograms;

    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

private:
    Desktop *m_previous;
};
