#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

// The CSV files of the analyses (pump files, pipe tables), all read by the same rules:
// UTF-8 text (Windows-1252 where the bytes are not UTF-8), with or without a byte order
// mark; lines ended by LF or CR LF, blank lines skipped; cells separated by commas, blanks
// around a cell ignored. A cell in double quotes may hold commas, and "" in it stands for
// one double quote. Numbers take "." as decimal separator whatever the locale.
//
// The table is read line by line, so that a large file is never held as cells whole:
//
//     CsvTable csv(bytes);
//     while (csv.next())
//         ... csv.line(), csv.size(), csv.cell(i) ...
//     if (csv.fault()) ...
class CsvTable
{
public:
    // Far more than any pump curve or pipe table; larger files are refused unread.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    struct Fault
    {
        int line = 0;
        QString what;
    };

    struct File
    {
        std::optional<QByteArray> bytes;
        QString error; // names the file and the reason, when there are no bytes
    };

    // Reads a file of at most MaxFileSize bytes without waiting on a named pipe or a
    // device; `kind` says what it should hold in the message for a larger file
    // ("a pump curve").
    static File readFile(const QString &path, QLatin1String kind);

    explicit CsvTable(const QByteArray &bytes);

    // Moves to the next line that is not blank. False at the end of the text, or at a
    // line that cannot be split into cells, which fault() then describes.
    bool next();
    const std::optional<Fault> &fault() const { return m_fault; }

    // The current line's number, from 1; at the end, the last line that was not blank
    // (0 for a text without one).
    int line() const { return m_line; }
    qsizetype size() const { return qsizetype(m_cells.size()); }
    // The cell without its quotes and the blanks around it; valid until next().
    QStringView cell(qsizetype i) const;

    // Whether a header cell names the column `name`, whatever the case and the blanks.
    static bool names(QStringView cell, QLatin1String name);
    // A cell as a number with "." as decimal separator; nothing unless it is a finite one.
    static std::optional<double> number(QStringView cell);
    // A cell as messages show it: in double quotes, at most 40 characters, control
    // characters escaped.
    static QString quoted(QStringView cell);
    // "\"abc\" is not a number"
    static QString notANumber(QStringView cell);
    // Every message about such a file: "pump.csv, line 3: what", or "pump.csv: what"
    // for a fault of no line (`line` 0).
    static QString message(const QString &fileName, int line, const QString &what);

private:
    std::optional<Fault> split(QStringView line);

    QString m_text;
    qsizetype m_pos = 0;
    int m_next = 1; // the number of the line at m_pos
    int m_line = 0;
    std::optional<Fault> m_fault;
    QString m_buffer; // the current line's cells, one after the other
    std::vector<std::pair<qsizetype, qsizetype>> m_cells; // start and length in m_buffer
};
