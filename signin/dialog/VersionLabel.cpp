#include "signin/dialog/VersionLabel.h"

#include <QLocale>

#ifndef ZEB_BUILD_EPOCH
#error "the build stamps ZEB_BUILD_EPOCH (seconds since 1970) on this file"
#endif
#ifndef ZEB_VERSION
#error "the build stamps ZEB_VERSION on this file"
#endif

namespace zeb {

QDateTime buildDateTime()
{
    return QDateTime::fromSecsSinceEpoch(ZEB_BUILD_EPOCH);
}

QString versionLabelText(const QDateTime& built)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QString stamp = russian.toString(built.date(), QStringLiteral("dd.MM.yyyy"));
    if (built.time() != QTime(0, 0))
        stamp += QLatin1Char(' ') + russian.toString(built.time(), QStringLiteral("H:mm:ss"));
    return QStringLiteral("V.") + QStringLiteral(ZEB_VERSION) + QStringLiteral("   [ ") + stamp +
           QStringLiteral(" ]");
}

} // namespace zeb
