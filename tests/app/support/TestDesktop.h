#pragma once

#include "main/Desktop.h"

#include <QList>
#include <QStringList>

// Records every program and document the program would open, and starts
// nothing; `succeed` is what each request reports.
class TestDesktop final : public Desktop {
public:
    TestDesktop();
    ~TestDesktop() override;

    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

    bool succeed = true;
    QStringList opened; // local files of the opened URLs
    QStringList programs;
    QList<QStringList> argumentLists;

private:
    Desktop *m_previous;
};
