#include "output/FontStandIns.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {
struct StandIn {
    const char *family;
    const char *standIn;
};

// Liberation Sans is metric-compatible with Arial; Open Sans is close to
// Segoe UI (DejaVu Sans, Qt's fallback, is far wider); DejaVu Sans carries
// the ballot boxes and check marks that the Wingdings glyphs show.
constexpr StandIn kStandIns[] = {
    {"Arial", "Liberation Sans"},
    {"Segoe UI", "Open Sans"},
    {"Wingdings", "DejaVu Sans"},
};
} // namespace

void FontStandIns::Install()
{
    const QStringList families = QFontDatabase::families();
    for (const StandIn &s : kStandIns) {
        const QString family = QString::fromLatin1(s.family);
        const QString standIn = QString::fromLatin1(s.standIn);
        if (!families.contains(family, Qt::CaseInsensitive) && families.contains(standIn, Qt::CaseInsensitive) &&
            !QFont::substitutes(family).contains(standIn))
            QFont::insertSubstitution(family, standIn);
    }
}

QString FontStandIns::Resolved(const QString &family)
{
    return QFontInfo(QFont(family)).family();
}
