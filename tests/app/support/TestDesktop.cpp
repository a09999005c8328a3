#include "TestDesktop.h"

#include <QUrl>

TestDesktop::TestDesktop() : m_previous(Desktop::install(this)) {}

TestDesktop::~TestDesktop()
{
    Desktop::install(m_previous);
}

bool TestDesktop::openUrl(const QUrl &url)
{
    opened << url.toLocalFile();
    return succeed;
}

bool TestDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    programs << program;
    argumentLists << arguments;
    return succeed;
}
