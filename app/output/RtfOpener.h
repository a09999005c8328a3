#pragma once

#include <QString>
#include <QStringList>

// The program that previews and prints the work file where there is no MS Word:
// the desktop's program for RTF files, else LibreOffice Writer when it is
// installed. An empty program means "open the file with the desktop".
struct RtfOpener final {
    QString name;
    QString program;
    QStringList arguments(const QString &file) const;

    static RtfOpener find();
};
