#include "sizing/pipetable.h"

#include "calc/dotnumber.h"
#include "pickers/pickertables.h"
#include "project/csvtable.h"

#include <QFileInfo>

#include <algorithm>

namespace PipeTable {

namespace {

template<size_t N>
void appendRows(std::vector<PipeSize> &rows, const QString &standard, int pickerStandard,
    const std::array<double, N> &values, const std::array<const char *, N> &texts)
{
    for (size_t i = 0; i < N; ++i) {
        rows.push_back(
            {standard, QString::fromLatin1(texts[i]).trimmed(), values[i], pickerStandard, int(i)});
    }
}

// One pipe from a line of the table, or what is wrong with it.
std::optional<QString> pipeOf(const CsvTable &csv, const QString &standard, PipeSize &pipe)
{
    if (csv.size() < 2)
        return QStringLiteral("the inner diameter is missing");
    const QStringView size = csv.cell(0);
    if (size.isEmpty())
        return QStringLiteral("the size is missing");
    if (csv.size() > 2)
        return QStringLiteral("more than two values (the decimal separator is \".\")");
    const QStringView text = csv.cell(1);
    if (text.isEmpty())
        return QStringLiteral("the inner diameter is missing");
    const std::optional<double> diameter = CsvTable::number(text);
    if (!diameter)
        return CsvTable::notANumber(text);
    if (!(*diameter > 0)) {
        return QStringLiteral("the inner diameter %1 is not above 0")
            .arg(QString::fromLatin1(DotNumber::text(*diameter)));
    }
    pipe = {standard, size.toString(), *diameter};
    return std::nullopt;
}

} // namespace

std::vector<PipeSize> builtIn(Standard standard)
{
    std::vector<PipeSize> rows;
    rows.reserve(IsoDiameterValues.size() + DinDiameterValues.size());
    if (standard != Standard::Din)
        appendRows(rows, IsoName, 0, IsoDiameterValues, IsoDiameterTexts);
    if (standard != Standard::Iso)
        appendRows(rows, DinName, 1, DinDiameterValues, DinDiameterTexts);
    return rows;
}

LoadResult parse(const QByteArray &bytes, const QString &path)
{
    auto fail = [&](int line, const QString &what) {
        return LoadResult{std::nullopt, CsvTable::message(path, line, what)};
    };
    CsvTable csv(bytes);
    const bool hasLine = csv.next();
    if (const auto &fault = csv.fault())
        return fail(fault->line, fault->what);
    if (!hasLine || csv.size() != 2 || !CsvTable::names(csv.cell(0), QLatin1String("size"))
        || !CsvTable::names(csv.cell(1), QLatin1String("inner diameter [mm]"))) {
        return fail(
            std::max(csv.line(), 1), QStringLiteral("the header \"%1\" is missing").arg(Header));
    }
    const QString standard = QFileInfo(path).fileName();
    std::vector<PipeSize> pipes;
    while (csv.next()) {
        PipeSize pipe;
        if (const std::optional<QString> fault = pipeOf(csv, standard, pipe))
            return fail(csv.line(), *fault);
        pipes.push_back(std::move(pipe));
    }
    if (const auto &fault = csv.fault())
        return fail(fault->line, fault->what);
    if (pipes.empty())
        return fail(0, QStringLiteral("the table holds no pipes"));
    return {std::move(pipes), {}};
}

LoadResult load(const QString &path)
{
    CsvTable::File file = CsvTable::readFile(path, QLatin1String("a pipe table"));
    if (!file.bytes)
        return {std::nullopt, file.error};
    return parse(*file.bytes, path);
}

} // namespace PipeTable
