#include "cli/localename.h"

#include <QStringList>

std::optional<QLocale> localeNamed(const QString &name)
{
    // The codeset and the modifier ("nl_NL.UTF-8@euro") do not change the formats.
    const QString base = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (base == QLatin1String("C") || base == QLatin1String("POSIX"))
        return QLocale::c();
    const QLocale locale(base);
    if (locale.language() == QLocale::C)
        return std::nullopt;
    // Language, optional script, optional territory: each part named must have been taken.
    QStringList parts
        = QString(base).replace(QLatin1Char('-'), QLatin1Char('_')).split(QLatin1Char('_'));
    if (parts.first().compare(QLocale::languageToCode(locale.language()), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (parts.size() > 1
        && parts.last().compare(QLocale::territoryToCode(locale.territory()), Qt::CaseInsensitive)
            != 0)
        return std::nullopt;
    return locale;
}
