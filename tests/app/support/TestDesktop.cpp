#include "TestDesktop.h"

TestDesktop::TestDesktop() : m_previous(Desktop::install(this)) {}

TestDesktop::~TestDesktop()
{
    Desktop::install(m_previous);
}

bool TestDesktop::openUrl(const QUrl &url)
{
    openedUrls.append(url);
    return result;
}

bool TestDesktop::startProgram(const QString &program, const QStringList &)
{
    startedPrograms.append(program);
    return result;
}
