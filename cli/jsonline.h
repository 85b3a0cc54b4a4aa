#pragma once

#include <QByteArray>
#include <QString>

// A small writer for one JSON object per line, with members in the order written
// (a QJsonObject would sort them). Numbers read back bit-identical; values that are
// not finite become null.
class JsonLine
{
public:
    JsonLine() // one case's line is about 1.3 kB
        : m_out(m_own)
    {
        m_own.reserve(2048);
    }
    // Writes at the end of `target`, where a batch collects the lines of many files;
    // endLine() ends the line there.
    explicit JsonLine(QByteArray &target)
        : m_out(target)
    { }
    JsonLine(const JsonLine &) = delete;
    JsonLine &operator=(const JsonLine &) = delete;

    JsonLine &beginObject(const char *key = nullptr);
    JsonLine &endObject();
    JsonLine &beginArray(const char *key = nullptr);
    JsonLine &endArray();
    JsonLine &value(const char *key, const QString &text);
    JsonLine &value(int key, const QString &text); // a numeric member name

    JsonLine &value(const char *key, double number);
    JsonLine &flag(const char *key, bool value);
    JsonLine &element(const QString &text);

    // The finished line, ended by "\n".
    QByteArray take();
    void endLine();

    static QByteArray number(double value);
    static QByteArray string(const QString &text);

private:
    static void appendString(QByteArray &out, const QString &text);
    static void appendNumber(QByteArray &out, double value);
    void key(const char *name);
    // `,"name":` as far as it is due, into `prefix`; returns its length.
    static constexpr qsizetype MaxPrefix = 64;
    qsizetype memberPrefix(char *prefix, const char *name);
    void member(const char *name, const QString &text);

    QByteArray m_own;
    QByteArray &m_out;
    bool m_first = true;
};
