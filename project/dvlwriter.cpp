#include "project/dvlfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace DvlFile {

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString saveError(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot save \"%1\": %2.").arg(shownPath(path), reason);
}

// The notation has no escape for a double quote, and a line break would end the
// value early; both would make the file unreadable, so they are replaced.
QByteArray quotedText(const QString &text)
{
    QString clean = text;
    clean.replace(QLatin1Char('"'), QLatin1Char('\''));
    clean.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return '"' + clean.toUtf8() + '"';
}

bool writableDate(const CaseDate &date)
{
    return date.date.isValid() && date.date.year() >= 1 && date.date.year() <= 9999
        && (!date.hasTime || date.time.isValid());
}

QByteArray dateText(const CaseDate &date)
{
    const QDate &d = date.date;
    QByteArray out = '#' + QByteArray::number(d.year()).rightJustified(4, '0') + '-'
        + QByteArray::number(d.month()).rightJustified(2, '0') + '-'
        + QByteArray::number(d.day()).rightJustified(2, '0');
    if (date.hasTime) {
        const QTime &t = date.time;
        out += ' ' + QByteArray::number(t.hour()).rightJustified(2, '0') + ':'
            + QByteArray::number(t.minute()).rightJustified(2, '0') + ':'
            + QByteArray::number(t.second()).rightJustified(2, '0');
    }
    return out + '#';
}

// Why the case cannot be written faithfully, or empty. Typed entries are always
// finite and the date windows only accept valid dates, so this is a last guard
// against writing a file that would not read back.
QString unwritableReason(const ProjectCase &c)
{
    const Inputs &e = c.entries;
    for (double v : {e.FlowRate, e.Density, e.Viscosity, e.InnerDiameter, e.PipeLength, e.Elevation,
             e.ExtraLoss, e.WallRoughness}) {
        if (!std::isfinite(v))
            return QStringLiteral("an entry is not a finite number");
    }
    if (!writableDate(c.date))
        return QStringLiteral("the project date is not a valid date");
    return {};
}

} // namespace

QByteArray numberText(double value)
{
    if (value == 0)
        return std::signbit(value) ? QByteArrayLiteral("-0") : QByteArrayLiteral("0");

    // Shortest round-trip digits in the form d.ddde±x, then laid out anew.
    char buffer[64];
    const auto r = std::to_chars(
        buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const QByteArray sci(buffer, int(r.ptr - buffer));
    const qsizetype ePos = sci.indexOf('e');
    QByteArray digits = sci.left(ePos);
    digits.replace(".", "");
    const int exponent = std::atoi(sci.constData() + ePos + 1);

    QByteArray out = value < 0 ? QByteArrayLiteral("-") : QByteArray();
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0)
            out += "0." + QByteArray(-exponent - 1, '0') + digits;
        else if (digits.size() <= exponent + 1)
            out += digits + QByteArray(exponent + 1 - digits.size(), '0');
        else
            out += digits.left(exponent + 1) + '.' + digits.mid(exponent + 1);
        return out;
    }
    out += digits.left(1);
    if (digits.size() > 1)
        out += '.' + digits.mid(1);
    out += exponent < 0 ? "E-" : "E+";
    out += QByteArray::number(std::abs(exponent)).rightJustified(2, '0');
    return out;
}

QByteArray format(const ProjectCase &c)
{
    const Inputs &e = c.entries;
    QByteArray out;
    out.reserve(512);
    for (double v : {e.FlowRate, e.Density, e.Viscosity, e.InnerDiameter, e.PipeLength, e.Elevation,
             e.ExtraLoss, e.WallRoughness})
        out += numberText(v) + LineEnd;
    for (const QString *text : {&c.fileName, &c.projectName, &c.pipeName, &c.owner})
        out += quotedText(*text) + LineEnd;
    out += dateText(c.date) + LineEnd;
    for (qint16 count : c.bendCounts)
        out += QByteArray::number(count) + LineEnd;
    for (qint16 count : c.valveCounts)
        out += QByteArray::number(count) + LineEnd;
    return out;
}

SaveResult save(const QString &path, const ProjectCase &projectCase)
{
    const QString reason = unwritableReason(projectCase);
    if (!reason.isEmpty())
        return {false, saveError(path, reason)};

    const QByteArray bytes = format(projectCase);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, saveError(path, file.errorString())};
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, saveError(path, why)};
    }
    if (!file.commit())
        return {false, saveError(path, file.errorString())};
    return {true, {}};
}

} // namespace DvlFile
