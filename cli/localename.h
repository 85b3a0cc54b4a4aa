#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The locale that a --locale name names ("nl_NL", "de", "nl_NL.UTF-8", "C"), or nothing
// when the locale data does not know it. QLocale itself falls back without a word: an
// unknown language gives "C" and an unknown territory the language's main one.
std::optional<QLocale> localeNamed(const QString &name);
