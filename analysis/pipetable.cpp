#include "analysis/pipetable.h"

#include "pickers/pickertables.h"
#include "project/dvlfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <charconv>
#include <cmath>

namespace PipeTable {

namespace {

// Larger files are not pipe tables; they are refused before they are read whole.
constexpr qint64 MaxFileSize = 1024 * 1024;

template<size_t N>
void appendRows(std::vector<PipeSize> &rows, const QString &standard,
    const std::array<double, N> &values, const std::array<const char *, N> &texts)
{
    for (size_t i = 0; i < N; ++i)
        rows.push_back({standard, QString::fromLatin1(texts[i]).trimmed(), values[i]});
}

QString cannotLoad(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot load the pipe table \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

struct Fault
{
    QString what;
};

// The size field: plain text up to the first comma, or a quoted text in which a
// doubled quote stands for one. `rest` receives what follows the separating comma.
std::optional<Fault> splitLine(const QString &line, QString &size, QString &rest)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('"'))) {
        const qsizetype comma = trimmed.indexOf(QLatin1Char(','));
        if (comma < 0)
            return Fault{QStringLiteral("the inner diameter is missing")};
        size = trimmed.left(comma).trimmed();
        rest = trimmed.mid(comma + 1);
        return std::nullopt;
    }
    size.clear();
    qsizetype i = 1;
    for (;; ++i) {
        if (i >= trimmed.size())
            return Fault{QStringLiteral("the size has no closing double quote")};
        if (trimmed[i] != QLatin1Char('"')) {
            size += trimmed[i];
        } else if (i + 1 < trimmed.size() && trimmed[i + 1] == QLatin1Char('"')) {
            size += QLatin1Char('"');
            ++i;
        } else {
            break;
        }
    }
    const QString after = trimmed.mid(i + 1).trimmed();
    if (!after.startsWith(QLatin1Char(',')))
        return Fault{QStringLiteral("the inner diameter is missing")};
    size = size.trimmed();
    rest = after.mid(1);
    return std::nullopt;
}

// A diameter in the file's notation: "." as decimal separator, an optional exponent.
std::optional<double> diameterValue(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    double value = 0;
    const char *end = latin.constData() + latin.size();
    const auto r = std::from_chars(latin.constData(), end, value);
    if (latin.isEmpty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Fault> parseRow(const QString &line, const QString &standard, PipeSize &pipe)
{
    QString size;
    QString rest;
    if (auto fault = splitLine(line, size, rest))
        return fault;
    if (size.isEmpty())
        return Fault{QStringLiteral("the size is missing")};
    rest = rest.trimmed();
    // Some programs quote every field of a CSV file.
    const bool quoted
        = rest.size() >= 2 && rest.startsWith(QLatin1Char('"')) && rest.endsWith(QLatin1Char('"'));
    if (quoted)
        rest = rest.mid(1, rest.size() - 2).trimmed();
    else if (rest.contains(QLatin1Char(',')))
        return Fault{QStringLiteral("more than two values (the decimal separator is \".\")")};
    if (rest.isEmpty())
        return Fault{QStringLiteral("the inner diameter is missing")};
    const std::optional<double> diameter = diameterValue(rest);
    if (!diameter)
        return Fault{QStringLiteral("\"%1\" is not a number").arg(rest)};
    if (!(*diameter > 0))
        return Fault{QStringLiteral("the inner diameter %1 is not above 0").arg(rest)};
    pipe = {standard, size, *diameter};
    return std::nullopt;
}

} // namespace

std::vector<PipeSize> builtIn(Standard standard)
{
    std::vector<PipeSize> rows;
    rows.reserve(IsoDiameterValues.size() + DinDiameterValues.size());
    if (standard != Standard::Din)
        appendRows(rows, IsoName, IsoDiameterValues, IsoDiameterTexts);
    if (standard != Standard::Iso)
        appendRows(rows, DinName, DinDiameterValues, DinDiameterTexts);
    return rows;
}

LoadResult parse(const QByteArray &bytes, const QString &path)
{
    QString text = DvlFile::decode(bytes);
    if (text.startsWith(QChar(0xfeff))) // a byte order mark from a spreadsheet
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QString standard = QFileInfo(path).fileName();

    if (lines.first().trimmed().compare(Header, Qt::CaseInsensitive) != 0) {
        return {std::nullopt,
            cannotLoad(path, QStringLiteral("line 1: the header \"%1\" is missing").arg(Header))};
    }
    std::vector<PipeSize> pipes;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        PipeSize pipe;
        if (const auto fault = parseRow(lines[i], standard, pipe)) {
            return {std::nullopt,
                cannotLoad(path, QStringLiteral("line %1: %2").arg(i + 1).arg(fault->what))};
        }
        pipes.push_back(pipe);
    }
    if (pipes.empty())
        return {std::nullopt, cannotLoad(path, QStringLiteral("the table holds no pipes"))};
    return {std::move(pipes), {}};
}

LoadResult load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, cannotLoad(path, file.errorString())};
    if (file.size() > MaxFileSize)
        return {
            std::nullopt, cannotLoad(path, QStringLiteral("it is too large to be a pipe table"))};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, cannotLoad(path, file.errorString())};
    return parse(bytes, path);
}

} // namespace PipeTable
