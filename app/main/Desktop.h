#pragma once

#include <QString>
#include <QStringList>

class QUrl;

// Every program, document and web address the program opens goes through the
// installed Desktop, so window tests never start another program.
class Desktop {
public:
    virtual ~Desktop() = default;

    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program with an argument list; never through a shell.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;

    static Desktop &instance();
    static Desktop *install(Desktop *desktop);
};
