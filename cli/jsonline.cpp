#include "cli/jsonline.h"

#include <charconv>
#include <cmath>

QByteArray JsonLine::number(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    char buffer[32];
    // The shortest text that reads back to the same double (JSON allows 1e-05).
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(r.ptr - buffer));
}

QByteArray JsonLine::string(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void JsonLine::separate()
{
    if (!m_first)
        m_out += ',';
    m_first = false;
}

void JsonLine::key(const QByteArray &name)
{
    separate();
    if (!name.isNull())
        m_out += string(QString::fromUtf8(name)) + ':';
}

JsonLine &JsonLine::beginObject(const char *name)
{
    key(QByteArray(name));
    m_out += '{';
    m_first = true;
    return *this;
}

JsonLine &JsonLine::endObject()
{
    m_out += '}';
    m_first = false;
    return *this;
}

JsonLine &JsonLine::beginArray(const char *name)
{
    key(QByteArray(name));
    m_out += '[';
    m_first = true;
    return *this;
}

JsonLine &JsonLine::endArray()
{
    m_out += ']';
    m_first = false;
    return *this;
}

JsonLine &JsonLine::value(const char *name, const QString &text)
{
    key(QByteArray(name));
    m_out += string(text);
    return *this;
}

JsonLine &JsonLine::value(const QString &name, const QString &text)
{
    key(name.toUtf8());
    m_out += string(text);
    return *this;
}

JsonLine &JsonLine::value(const char *name, double number)
{
    key(QByteArray(name));
    m_out += JsonLine::number(number);
    return *this;
}

JsonLine &JsonLine::element(const QString &text)
{
    separate();
    m_out += string(text);
    return *this;
}

QByteArray JsonLine::take()
{
    QByteArray out = std::move(m_out);
    out += '\n';
    m_out.clear();
    m_first = true;
    return out;
}
