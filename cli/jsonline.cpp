#include "cli/jsonline.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Appends raw bytes: one size check instead of QByteArray's general insert.
char *grow(QByteArray &out, qsizetype size)
{
    const qsizetype at = out.size();
    out.resize(at + size);
    return out.data() + at;
}

void put(QByteArray &out, const char *text, qsizetype size)
{
    std::memcpy(grow(out, size), text, size_t(size));
}

void put(QByteArray &out, char c)
{
    *grow(out, 1) = c;
}

} // namespace

void JsonLine::appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        put(out, "null", 4);
        return;
    }
    char buffer[32];
    // The shortest text that reads back to the same double (JSON allows 1e-05).
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    put(out, buffer, r.ptr - buffer);
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
    put(out, '"');
    const qsizetype n = text.size();
    const QChar *data = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        // A run of printable ASCII without quote or backslash is copied as it is.
        qsizetype plainEnd = i;
        while (plainEnd < n && data[plainEnd].unicode() >= 0x20 && data[plainEnd].unicode() < 0x7F
            && data[plainEnd] != u'"' && data[plainEnd] != u'\\')
            ++plainEnd;
        if (plainEnd > i) {
            char *dst = grow(out, plainEnd - i);
            for (qsizetype k = i; k < plainEnd; ++k)
                *dst++ = char(data[k].unicode());
            i = plainEnd - 1;
            continue;
        }
        const char16_t c = data[i].unicode();
        if (c >= 0x80) {
            // A run of other characters goes through Qt's UTF-8 encoder in one piece.
            qsizetype end = i + 1;
            while (end < n && data[end].unicode() >= 0x80)
                ++end;
            out += QStringView(text).mid(i, end - i).toUtf8();
            i = end - 1;
            continue;
        }
        switch (c) {
        case u'"':
            put(out, "\\\"", 2);
            break;
        case u'\\':
            put(out, "\\\\", 2);
            break;
        case u'\n':
            put(out, "\\n", 2);
            break;
        case u'\r':
            put(out, "\\r", 2);
            break;
        case u'\t':
            put(out, "\\t", 2);
            break;
        default: // the other control characters
            const char escaped[6] = {'\\', 'u', '0', '0', hex[(c >> 4) & 0xF], hex[c & 0xF]};
            put(out, escaped, 6);
        }
    }
    put(out, '"');
}

QByteArray JsonLine::string(const QString &text)
{
    QByteArray out;
    appendString(out, text);
    return out;
}

void JsonLine::key(const char *name)
{
    char prefix[MaxPrefix];
    put(m_out, prefix, memberPrefix(prefix, name));
}

qsizetype JsonLine::memberPrefix(char *prefix, const char *name)
{
    char *dst = prefix;
    if (!m_first)
        *dst++ = ',';
    m_first = false;
    // Member names are plain ASCII identifiers or digits: no escaping needed.
    if (name) {
        const size_t length = std::min(std::strlen(name), size_t(MaxPrefix - 4));
        *dst++ = '"';
        dst = std::copy_n(name, length, dst);
        *dst++ = '"';
        *dst++ = ':';
    }
    return dst - prefix;
}

void JsonLine::member(const char *name, const QString &text)
{
    char prefix[MaxPrefix];
    const qsizetype prefixSize = memberPrefix(prefix, name);
    const qsizetype n = text.size();
    const QChar *data = text.constData();
    const bool plain = std::all_of(data, data + n, [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'"' && c != u'\\';
    });
    if (!plain) { // escapes or characters beyond ASCII: the general way
        put(m_out, prefix, prefixSize);
        appendString(m_out, text);
        return;
    }
    // The common case in one piece: the member name and the text within its quotes.
    char *dst = grow(m_out, prefixSize + n + 2);
    dst = std::copy(prefix, prefix + prefixSize, dst);
    *dst++ = '"';
    for (qsizetype i = 0; i < n; ++i)
        *dst++ = char(data[i].unicode());
    *dst = '"';
}

JsonLine &JsonLine::beginObject(const char *name)
{
    key(name);
    put(m_out, '{');
    m_first = true;
    return *this;
}

JsonLine &JsonLine::endObject()
{
    put(m_out, '}');
    m_first = false;
    return *this;
}

JsonLine &JsonLine::beginArray(const char *name)
{
    key(name);
    put(m_out, '[');
    m_first = true;
    return *this;
}

JsonLine &JsonLine::endArray()
{
    put(m_out, ']');
    m_first = false;
    return *this;
}

JsonLine &JsonLine::value(const char *name, const QString &text)
{
    member(name, text);
    return *this;
}

JsonLine &JsonLine::value(int name, const QString &text)
{
    char digits[16];
    *std::to_chars(digits, digits + sizeof digits - 1, name).ptr = '\0';
    member(digits, text);
    return *this;
}

JsonLine &JsonLine::value(const char *name, double number)
{
    char text[MaxPrefix + 32];
    char *dst = text + memberPrefix(text, name);
    if (std::isfinite(number)) {
        // The shortest text that reads back to the same double (JSON allows 1e-05).
        dst = std::to_chars(dst, text + sizeof text, number).ptr;
    } else {
        dst = std::copy_n("null", 4, dst);
    }
    put(m_out, text, dst - text);
    return *this;
}

JsonLine &JsonLine::flag(const char *name, bool value)
{
    key(name);
    if (value)
        put(m_out, "true", 4);
    else
        put(m_out, "false", 5);
    return *this;
}

JsonLine &JsonLine::element(const QString &text)
{
    member(nullptr, text);
    return *this;
}

QByteArray JsonLine::take()
{
    QByteArray out = std::move(m_out);
    put(out, '\n');
    m_out = QByteArray();
    m_first = true;
    return out;
}

void JsonLine::endLine()
{
    put(m_out, '\n');
    m_first = true;
}
