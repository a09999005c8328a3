#include "output/RtfOpener.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>

namespace {

const QStringList kRtfTypes{QStringLiteral("application/rtf"), QStringLiteral("text/rtf")};

QString FirstEntry(const QString &value)
{
    return value.split(u';', Qt::SkipEmptyParts).value(0).trimmed();
}

// Reads "key=value" lines of one [section] of an XDG list file.
QString ValueIn(const QString &path, const QString &section, const QStringList &keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    bool inSection = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            inSection = line == u'[' + section + u']';
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && keys.contains(line.left(eq).trimmed())) {
            const QString entry = FirstEntry(line.mid(eq + 1));
            if (!entry.isEmpty())
                return entry;
        }
    }
    return QString();
}

QString DesktopEntryName(const QString &id, const QStringList &applicationDirs)
{
    for (const QString &dir : applicationDirs) {
        const QString path = QDir(dir).filePath(id);
        if (QFile::exists(path)) {
            const QString name = ValueIn(path, QStringLiteral("Desktop Entry"), {QStringLiteral("Name")});
            return name.isEmpty() ? id : name;
        }
    }
    return QString();
}

} // namespace

QStringList RtfOpener::arguments(const QString &file) const
{
    return program.isEmpty() ? QStringList{file} : QStringList{QStringLiteral("--writer"), file};
}

RtfOpener RtfOpener::find()
{
    const QStringList applicationDirs = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    QStringList lists;
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString &dir : applicationDirs)
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString &list : lists) {
        const QString id = ValueIn(list, QStringLiteral("Default Applications"), kRtfTypes);
        const QString name = id.isEmpty() ? QString() : DesktopEntryName(id, applicationDirs);
        if (!name.isEmpty())
            return {name, QString()};
    }
    for (const QString &dir : applicationDirs) {
        const QString id =
            ValueIn(QDir(dir).filePath(QStringLiteral("mimeinfo.cache")), QStringLiteral("MIME Cache"), kRtfTypes);
        const QString name = id.isEmpty() ? QString() : DesktopEntryName(id, applicationDirs);
        if (!name.isEmpty())
            return {name, QString()};
    }
    for (const QString &exe : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString path = QStandardPaths::findExecutable(exe);
        if (!path.isEmpty())
            return {QStringLiteral("LibreOffice Writer"), path};
    }
    return {QStringLiteral("the desktop's program for RTF files"), QString()};
}
