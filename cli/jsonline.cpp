#include "cli/jsonline.h"

#include <charconv>
#include <cmath>

void JsonLine::appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    // The shortest text that reads back to the same double (JSON allows 1e-05).
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, r.ptr - buffer);
}

QByteArray JsonLine::number(double value)
{
    QByteArray out;
    appendNumber(out, value);
    return out;
}

void JsonLine::appendString(QByteArray &out, const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    const qsizetype n = text.size();
    const QChar *data = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        // A run of printable ASCII without quote or backslash is copied as it is.
        qsizetype plainEnd = i;
        while (plainEnd < n && data[plainEnd].unicode() >= 0x20 && data[plainEnd].unicode() < 0x7F
            && data[plainEnd] != u'"' && data[plainEnd] != u'\\')
            ++plainEnd;
        if (plainEnd > i) {
            const qsizetype at = out.size();
            out.resize(at + (plainEnd - i));
            char *dst = out.data() + at;
            for (qsizetype k = i; k < plainEnd; ++k)
                *dst++ = char(data[k].unicode());
            i = plainEnd - 1;
            continue;
        }
        const char16_t c = data[i].unicode();
        if (c >= 0x80) {
            // A run of other characters goes through Qt's UTF-8 encoder in one piece.
            qsizetype end = i + 1;
            while (end < n && text[end].unicode() >= 0x80)
                ++end;
            out += QStringView(text).mid(i, end - i).toUtf8();
            i = end - 1;
            continue;
        }
        switch (c) {
        case u'"':
            out += "\\\"";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += char(c);
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
    *std::to_chars(digits, digits + sizeof digits - 1, name).ptr = '\0';
    key(digits);
    appendString(m_out, text);
    return *this;
}

JsonLine &JsonLine::value(const char *name, double number)
{
    key(name);
    appendNumber(m_out, number);
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
    m_out = QByteArray();
    m_first = true;
    return out;
}

void JsonLine::endLine()
{
    m_out += '\n';
    m_first = true;
}
