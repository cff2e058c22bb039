#include "platform/text/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One iconv handle per direction and thread; iconv keeps shift state, so it is reset per call.
class Converter {
public:
    Converter(const char *to, const char *from) : m_handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_handle != iconv_t(-1))
            iconv_close(m_handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts all of `in`; false when a character cannot be converted.
    bool convert(const QByteArray &in, QByteArray &out)
    {
        out.clear();
        if (m_handle == iconv_t(-1))
            return false;
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char *src = const_cast<char *>(in.constData());
        size_t srcLeft = size_t(in.size());
        char buffer[256];
        while (srcLeft > 0) {
            char *dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(m_handle, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, qsizetype(sizeof buffer - dstLeft));
            if (r == size_t(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_handle;
};

Converter &toGbk()
{
    thread_local Converter c("GBK", "UTF-8");
    return c;
}

Converter &fromGbk()
{
    thread_local Converter c("UTF-8", "GBK");
    return c;
}

qsizetype charLength(const QString &text, qsizetype i)
{
    return (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
}

// How many GBK bytes the character of `len` units at `i` takes; one GBK cannot hold counts 2.
int gbkByteCount(const QString &text, qsizetype i, qsizetype len)
{
    const QByteArray bytes = GbkCharBytes(QStringView(text).mid(i, len));
    return bytes.isEmpty() ? 2 : int(bytes.size());
}

} // namespace

QByteArray GbkCharBytes(QStringView character)
{
    if (character.size() == 1 && character.at(0).unicode() < 0x80)
        return QByteArray(1, char(character.at(0).unicode()));
    QByteArray out;
    if (!toGbk().convert(character.toUtf8(), out))
        return QByteArray();
    return out;
}

QByteArray ToGbk(const QString &text)
{
    QByteArray out;
    if (toGbk().convert(text.toUtf8(), out))
        return out;
    // Slow path: convert character by character, "?" for what GBK lacks.
    out.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        const QByteArray bytes = GbkCharBytes(QStringView(text).mid(i, len));
        out += bytes.isEmpty() ? QByteArray("?") : bytes;
        i += len;
    }
    return out;
}

QString FromGbk(const QByteArray &bytes)
{
    QByteArray out;
    if (fromGbk().convert(bytes, out))
        return QString::fromUtf8(out);
    // Undecodable bytes become replacement characters rather than cutting the text short.
    QString result;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes.at(i));
        if (b < 0x80) {
            result += QChar(b);
            ++i;
            continue;
        }
        QByteArray one;
        if (i + 1 < bytes.size() && fromGbk().convert(bytes.mid(i, 2), one)) {
            result += QString::fromUtf8(one);
            i += 2;
        } else {
            result += QChar(QChar::ReplacementCharacter);
            ++i;
        }
    }
    return result;
}

int GbkLength(const QString &text)
{
    int total = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        total += gbkByteCount(text, i, len);
        i += len;
    }
    return total;
}

QString CutToGbkBytes(const QString &text, int maxBytes)
{
    int total = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        const int bytes = gbkByteCount(text, i, len);
        if (total + bytes > maxBytes)
            return text.left(i);
        total += bytes;
        i += len;
    }
    return text;
}
