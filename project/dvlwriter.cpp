#include "project/dvlfile.h"

#include "calc/entrytable.h"
#include "project/regularfile.h"
#include "project/shownpath.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace DvlFile {

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

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
    for (double v : entryValues(c.entries)) {
        if (!std::isfinite(v))
            return QStringLiteral("an entry is not a finite number");
    }
    if (!writableDate(c.date))
        return QStringLiteral("the project date is not a valid date");
    return {};
}

// QSaveFile writes a new file and gives it the old one's permissions as Qt sees them,
// which for root include write access to a read-only file, and the owner of whoever
// saves. The new file takes the old one's mode and, where the system lets it, its owner
// and group; the owner first, since changing it may clear the set-ID bits.
bool keepOwnerAndMode(int fd, const struct stat &old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not the owner and not in the group: the file becomes the user's, as any
        // editor's would.
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
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
    QByteArray out;
    out.reserve(512);
    for (double v : entryValues(c.entries))
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

    // A link counts as the file it names, as QSaveFile follows it too. Only a regular
    // file is replaced: a pipe or a device would become a plain file.
    struct stat old;
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (exists) {
        if (const QString notRegular = RegularFile::notRegularReason(old.st_mode);
            !notRegular.isEmpty())
            return {false, saveError(path, notRegular)};
    }

    const QByteArray bytes = format(projectCase);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, saveError(path, file.errorString())};
    auto failed = [&](const QString &why) {
        file.cancelWriting();
        return SaveResult{false, saveError(path, why)};
    };
    if (exists && !keepOwnerAndMode(file.handle(), old))
        return failed(qt_error_string(errno));
    // write() only fills Qt's buffer: the data reaches the file system in flush(), and a
    // full disk shows there, or on some file systems only in fsync(). Qt 6.4's commit()
    // reports neither and would put an empty file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failed(file.errorString());
    if (::fsync(file.handle()) != 0)
        return failed(qt_error_string(errno));
    if (!file.commit())
        return {false, saveError(path, file.errorString())};
    return {true, {}};
}

} // namespace DvlFile
