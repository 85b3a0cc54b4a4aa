#include "project/dvlfile.h"

#include "appendages/fittings.h"
#include "calc/entrytable.h"
#include "calc/fieldtable.h"
#include "project/dvlnotation.h"
#include "project/regularfile.h"
#include "project/shownpath.h"

#include <QStringDecoder>

#include <cmath>
#include <limits>
#include <vector>

namespace DvlFile {

namespace {

// A project file is well under a kilobyte; anything far larger is not one.
constexpr qint64 MaxFileSize = 1 << 20;

enum class ValueKind { Number, Text, Date, Count };

enum class TokenKind { Bare, Quoted, Hashed };

struct Token
{
    QStringView text;
    TokenKind kind;
    int line;
};

struct ParseError
{
    int line = 0;
    QString subject; // what the value means, when known
    QString what;
};

ValueKind kindOf(int value)
{
    if (value < 8)
        return ValueKind::Number;
    if (value < 12)
        return ValueKind::Text;
    if (value == 12)
        return ValueKind::Date;
    return ValueKind::Count;
}

// What the value at a position means, for messages.
QString valueName(int value)
{
    static constexpr int EntryFields[8] = {1, 2, 3, 4, 5, 6, 7, 23};
    static const char *const InfoNames[5]
        = {"project file name", "project name", "pipe name", "owner", "date"};
    if (value < 8)
        return QString::fromLatin1(fieldInfo(EntryFields[value])->caption);
    if (value < 13)
        return QString::fromLatin1(InfoNames[value - 8]);
    if (value < 19)
        return QString::fromLatin1(BendTable[size_t(value - 13)].label);
    return QString::fromLatin1(ValveTable[size_t(value - 19)].label);
}

QString loadError(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot load \"%1\": %2.").arg(shownPath(path), reason);
}

QString decodeWindows1252(const QByteArray &bytes)
{
    // 0x80..0x9F differ from Latin-1; the five unassigned codes keep their value.
    static constexpr char16_t High[32]
        = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(High[b - 0x80]) : QChar(b);
    }
    return out;
}

// "Unicode" in Windows editors: a byte order mark, or digits each followed or preceded
// by a zero byte. A project file starts with a number, so its first two bytes are never
// zero, and half of its first two only in UTF-16.
bool isUtf16(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    return bytes.size() >= 2 && (bytes[0] == 0) != (bytes[1] == 0);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Splits the text into values: a value ends at a comma outside quotes or at the end
// of a line; blanks before a value are skipped; "..." and #...# may hold commas.
std::optional<ParseError> tokenize(QStringView text, std::vector<Token> &tokens)
{
    const qsizetype n = text.size();
    qsizetype pos = 0;
    int line = 1;
    while (pos < n) {
        while (pos < n && isBlank(text[pos]))
            ++pos;
        Token token{{}, TokenKind::Bare, line};
        const QChar open = pos < n ? text[pos] : QChar();
        if (open == QLatin1Char('"') || open == QLatin1Char('#')) {
            token.kind = open == QLatin1Char('"') ? TokenKind::Quoted : TokenKind::Hashed;
            const qsizetype start = ++pos;
            while (pos < n && text[pos] != open && !isLineEnd(text[pos]))
                ++pos;
            if (pos >= n || text[pos] != open) {
                return ParseError{line, {},
                    open == QLatin1Char('"')
                        ? QStringLiteral("the text has no closing double quote")
                        : QStringLiteral("the date has no closing #")};
            }
            token.text = text.mid(start, pos - start);
            ++pos;
            while (pos < n && isBlank(text[pos]))
                ++pos;
            if (pos < n && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
                return ParseError{line, {},
                    QStringLiteral("unexpected characters after the closing %1").arg(open)};
        } else {
            const qsizetype start = pos;
            while (pos < n && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
                ++pos;
            token.text = text.mid(start, pos - start).trimmed();
        }
        tokens.push_back(token);

        if (pos < n && text[pos] == QLatin1Char(',')) {
            ++pos;
            // A comma at the very end of the text still announces an (empty) value.
            if (pos == n)
                tokens.push_back({{}, TokenKind::Bare, line});
        } else if (pos < n) {
            if (text[pos] == QLatin1Char('\r') && pos + 1 < n && text[pos + 1] == QLatin1Char('\n'))
                ++pos;
            ++pos;
            ++line;
        }
    }
    return std::nullopt;
}

std::optional<ParseError> store(int value, const Token &token, ProjectCase &c)
{
    // Messages are built only when there is a fault to report.
    auto fault = [&](const QString &what) {
        return ParseError{token.line, valueName(value), what};
    };
    auto shownValue = [&] {
        return quotedValue(
            token.text, token.kind == TokenKind::Hashed ? QLatin1Char('#') : QLatin1Char('"'));
    };

    switch (kindOf(value)) {
    case ValueKind::Number: {
        if (token.kind != TokenKind::Bare)
            return fault(QStringLiteral("%1 stands where a number belongs").arg(shownValue()));
        const FileNumber number = fileNumber(token.text);
        if (number.status == NumberStatus::OutOfRange)
            return fault(QStringLiteral("%1 is out of range: numbers here are 0 or range in size "
                                        "from 4.9E-324 to 1.8E+308")
                             .arg(shownValue()));
        if (number.status != NumberStatus::Ok)
            return fault(token.text.isEmpty()
                    ? QStringLiteral("the number is missing")
                    : QStringLiteral("%1 is not a number").arg(shownValue()));
        c.entries.*EntryTable[size_t(value)].member = number.value;
        return std::nullopt;
    }
    case ValueKind::Text: {
        if (token.kind == TokenKind::Hashed)
            return fault(QStringLiteral("%1 stands where a text belongs").arg(shownValue()));
        QString *const texts[4] = {&c.fileName, &c.projectName, &c.pipeName, &c.owner};
        *texts[value - 8] = token.text.toString();
        return std::nullopt;
    }
    case ValueKind::Date: {
        const std::optional<CaseDate> date
            = token.kind == TokenKind::Quoted ? std::nullopt : fileDate(token.text);
        if (!date)
            return fault(QStringLiteral("%1 is not a date of the form #yyyy-mm-dd# or "
                                        "#yyyy-mm-dd hh:mm:ss#")
                             .arg(shownValue()));
        c.date = *date;
        return std::nullopt;
    }
    case ValueKind::Count: {
        if (token.kind != TokenKind::Bare)
            return fault(QStringLiteral("%1 stands where a count belongs").arg(shownValue()));
        const FileNumber number = fileNumber(token.text);
        if (number.status == NumberStatus::NotANumber)
            return fault(token.text.isEmpty()
                    ? QStringLiteral("the count is missing")
                    : QStringLiteral("%1 is not a count").arg(shownValue()));
        // A negative count would take its fittings' length off the pipe run, so the
        // pressure drop would come out too low, or negative.
        if (number.status == NumberStatus::OutOfRange || number.value < 0
            || number.value > std::numeric_limits<qint16>::max())
            return fault(QStringLiteral("the count %1 lies outside 0 to 32767").arg(shownValue()));
        if (number.value != std::floor(number.value))
            return fault(QStringLiteral("the count %1 is not a whole number").arg(shownValue()));
        const auto count = qint16(number.value);
        if (value < 19)
            c.bendCounts[size_t(value - 13)] = count;
        else
            c.valveCounts[size_t(value - 19)] = count;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return decodeWindows1252(bytes);
    return text;
}

LoadResult parse(const QByteArray &bytes, const QString &path)
{
    if (isUtf16(bytes)) {
        return {std::nullopt,
            loadError(path,
                QStringLiteral("it is UTF-16 text; a project file is UTF-8 or Windows-1252 "
                               "text"))};
    }
    const QString text = decode(bytes);
    std::vector<Token> tokens;
    tokens.reserve(ValueCount + 2);
    auto failed = [&](const ParseError &e) {
        const QString where = e.subject.isEmpty()
            ? QStringLiteral("line %1").arg(e.line)
            : QStringLiteral("line %1 (%2)").arg(e.line).arg(e.subject);
        QString reason = where + QStringLiteral(": ") + e.what;
        // A comma outside quotes (a decimal comma, say) shifts every later value,
        // so the fault shows up further on; point at its cause as well.
        for (size_t i = 1; i < tokens.size() && tokens[i].line <= e.line; ++i) {
            if (tokens[i].line == tokens[i - 1].line) {
                reason += QStringLiteral("; line %1 holds more than one value (a comma outside "
                                         "double quotes separates values)")
                              .arg(tokens[i].line);
                break;
            }
        }
        return LoadResult{std::nullopt, loadError(path, reason)};
    };
    if (const auto error = tokenize(text, tokens))
        return failed(*error);

    // The date is one of the values every file holds: today's is not needed.
    ProjectCase c{CaseDate{}};
    for (int value = 0; value < ValueCount; ++value) {
        if (size_t(value) >= tokens.size()) {
            const int line = tokens.empty() ? 1 : tokens.back().line + 1;
            return failed({line, valueName(value),
                QStringLiteral("the value is missing; the file ends after %1 of the %2 values")
                    .arg(tokens.size())
                    .arg(ValueCount)});
        }
        if (const auto error = store(value, tokens[size_t(value)], c))
            return failed(*error);
    }
    // Blank lines at the end are harmless; any further value means the file is not
    // laid out as this program writes it, and guessing which 32 values count could
    // load a wrong case without anyone noticing.
    for (size_t extra = ValueCount; extra < tokens.size(); ++extra) {
        const Token &token = tokens[extra];
        if (token.kind != TokenKind::Bare || !token.text.isEmpty())
            return failed({token.line, {},
                QStringLiteral("a project file ends after its %1 values, but more follow")
                    .arg(ValueCount)});
    }
    return {std::move(c), {}};
}

LoadResult load(const QString &path)
{
    const RegularFile::Read read = RegularFile::read(path, MaxFileSize);
    if (read.status == RegularFile::Read::Status::TooLarge)
        return {
            std::nullopt, loadError(path, QStringLiteral("it is too large to be a project file"))};
    if (!read.ok())
        return {std::nullopt, loadError(path, read.reason)};
    return parse(read.bytes, path);
}

} // namespace DvlFile
