#include "project/csvtable.h"

#include "calc/dotnumber.h"
#include "project/dvlfile.h"
#include "project/dvlnotation.h"
#include "project/regularfile.h"

#include <QDir>
#include <QVarLengthArray>

CsvTable::File CsvTable::readFile(const QString &path, QLatin1String kind)
{
    const QString shown = QDir::toNativeSeparators(path);
    RegularFile::Read read = RegularFile::read(path, MaxFileSize);
    if (read.status == RegularFile::Read::Status::TooLarge) {
        return {std::nullopt,
            QStringLiteral("%1 is too large to be %2: the limit is %3 MiB")
                .arg(shown, kind)
                .arg(MaxFileSize >> 20)};
    }
    if (!read.ok())
        return {std::nullopt, QStringLiteral("%1 cannot be read: %2").arg(shown, read.reason)};
    return {std::move(read.bytes), {}};
}

CsvTable::CsvTable(const QByteArray &bytes)
{
    // A byte order mark from a spreadsheet program.
    const QByteArray bom = QByteArrayLiteral("\xEF\xBB\xBF");
    m_text = DvlFile::decode(bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes);
}

bool CsvTable::next()
{
    const QStringView text = m_text;
    while (!m_fault && m_pos < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), m_pos);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(m_pos, end - m_pos);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int number = m_next++;
        m_pos = end + 1;
        if (line.trimmed().isEmpty())
            continue;
        m_line = number;
        m_fault = split(line);
        return !m_fault;
    }
    return false;
}

std::optional<CsvTable::Fault> CsvTable::split(QStringView line)
{
    m_buffer.resize(0); // keeps the capacity for the next line
    m_cells.clear();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    for (;;) {
        while (pos < n && line[pos].isSpace())
            ++pos;
        const qsizetype start = m_buffer.size();
        if (pos < n && line[pos] == QLatin1Char('"')) {
            for (++pos;; ++pos) {
                if (pos >= n)
                    return Fault{m_line, QStringLiteral("a double quote is not closed")};
                if (line[pos] != QLatin1Char('"'))
                    m_buffer += line[pos];
                else if (pos + 1 < n && line[pos + 1] == QLatin1Char('"'))
                    m_buffer += line[++pos];
                else
                    break;
            }
            ++pos;
            while (pos < n && line[pos].isSpace())
                ++pos;
            if (pos < n && line[pos] != QLatin1Char(',')) {
                return Fault{
                    m_line, QStringLiteral("unexpected characters after the closing double quote")};
            }
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            const qsizetype end = comma < 0 ? n : comma;
            m_buffer += line.mid(pos, end - pos);
            pos = end;
        }
        qsizetype first = start;
        qsizetype last = m_buffer.size();
        while (first < last && m_buffer[first].isSpace())
            ++first;
        while (last > first && m_buffer[last - 1].isSpace())
            --last;
        m_cells.emplace_back(first, last - first);
        if (pos >= n)
            return std::nullopt;
        ++pos; // the comma
    }
}

QStringView CsvTable::cell(qsizetype i) const
{
    const auto [start, length] = m_cells[size_t(i)];
    return QStringView(m_buffer).mid(start, length);
}

bool CsvTable::names(QStringView cell, QLatin1String name)
{
    return cell.toString().simplified().compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<double> CsvTable::number(QStringView cell)
{
    // A number is ASCII; any other character makes the cell no number.
    QVarLengthArray<char, 64> ascii(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const char16_t c = cell[i].unicode();
        if (c > 0x7F)
            return std::nullopt;
        ascii[i] = char(c);
    }
    return DotNumber::parse(QByteArrayView(ascii.constData(), ascii.size()));
}

QString CsvTable::quoted(QStringView cell)
{
    return DvlFile::quotedValue(cell, QLatin1Char('"'));
}

QString CsvTable::notANumber(QStringView cell)
{
    return QStringLiteral("%1 is not a number").arg(quoted(cell));
}

QString CsvTable::message(const QString &fileName, int line, const QString &what)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    if (line <= 0)
        return QStringLiteral("%1: %2").arg(shown, what);
    return QStringLiteral("%1, line %2: %3").arg(shown).arg(line).arg(what);
}
