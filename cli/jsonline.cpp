#include "cli/jsonline.h"

#include <charconv>
#include <cmath>
#include <cstdio>

QByteArray JsonLine::number(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    char buffer[32];
    // The shortest text that reads back to the same double (JSON allows 1e-05).
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(r.ptr - buffer));
}

void JsonLine::appendString(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
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
}

QByteArray JsonLine::string(const QString &text)
{
    QByteArray out;
    appendString(out, text);
    return out;
}

void JsonLine::separate()
{
    if (!m_first)
        m_out += ',';
    m_first = false;
}

void JsonLine::key(const char *name)
{
    separate();
    // Member names are plain ASCII identifiers or digits: no escaping needed.
    if (name) {
        m_out += '"';
        m_out += name;
        m_out += "\":";
    }
}

JsonLine &JsonLine::beginObject(const char *name)
{
    key(name);
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
    key(name);
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
    key(name);
    appendString(m_out, text);
    return *this;
}

JsonLine &JsonLine::value(int name, const QString &text)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", name);
    key(digits);
    appendString(m_out, text);
    return *this;
}

JsonLine &JsonLine::value(const char *name, double number)
{
    key(name);
    m_out += JsonLine::number(number);
    return *this;
}

JsonLine &JsonLine::element(const QString &text)
{
    separate();
    appendString(m_out, text);
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
