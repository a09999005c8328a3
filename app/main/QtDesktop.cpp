#include "main/QtDesktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {
Desktop *g_installed = nullptr;
}

Desktop &Desktop::instance()
{
    static QtDesktop real;
    return g_installed ? *g_installed : real;
}

Desktop *Desktop::install(Desktop *desktop)
{
    Desktop *previous = g_installed;
    g_installed = desktop;
    return previous;
}

bool QtDesktop::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
