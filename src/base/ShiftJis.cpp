#include "ShiftJis.h"

#include "Error.h"
#include "Messages.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// iconv descriptors are costly to open, and each serves one thread at a time: one per
// direction and thread lives for the whole run.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t get() const
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw Error(QStringLiteral("文字コード CP932 の変換を開けません"));
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

const Converter &decoder()
{
    thread_local const Converter c("UTF-16LE", "CP932");
    return c;
}

const Converter &encoder()
{
    thread_local const Converter c("CP932", "UTF-16LE");
    return c;
}

} // namespace

namespace ShiftJis {

bool isAscii(QByteArrayView bytes)
{
    // Blocks of 64 bytes, eight words or-ed together and tested once, so that the check of a
    // long keyword list at start-up runs at the speed of memory.
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    constexpr quint64 HighBits = 0x8080808080808080u;
    for (; left >= 64; p += 64, left -= 64) {
        quint64 any = 0;
        for (int i = 0; i < 8; ++i) {
            quint64 word;
            std::memcpy(&word, p + 8 * i, sizeof word);
            any |= word;
        }
        if (any & HighBits)
            return false;
    }
    for (; left > 0; ++p, --left)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    return true;
}

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

QString decode(QByteArrayView bytes)
{
    // The code page agrees with ASCII below 0x80, which most keyword files are.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());

    iconv_t cd = decoder().get();
    QByteArray out(bytes.size() * 2 + 8, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // Not a character of the code page: one replacement character per bad byte.
            qToLittleEndian<char16_t>(u'\uFFFD', outPtr);
            outPtr += 2;
            outLeft -= 2;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            break; // E2BIG cannot happen: every byte yields at most one UTF-16 unit.
        }
    }
    const qsizetype units = (outPtr - out.data()) / 2;
    QString text(units, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(out.constData(), units, text.data());
    return text;
}

std::optional<QByteArray> encode(QStringView text)
{
    if (isAscii(text))
        return QString::fromRawData(text.data(), text.size()).toLatin1();

    iconv_t cd = encoder().get();
    QByteArray in(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), in.data());
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return std::nullopt;
    out.truncate(outPtr - out.data());
    // The converter writes a few characters as look-alikes (the yen sign as a backslash,
    // U+301C as the full-width tilde): such text would not read back as what was stored,
    // and a keyword would no longer name its own entry file.
    if (decode(out) != text)
        return std::nullopt;
    return out;
}

QByteArray encodeOrThrow(QStringView text)
{
    std::optional<QByteArray> bytes = encode(text);
    if (!bytes)
        throw Error(Messages::unencodableText(text.toString()));
    return *bytes;
}

} // namespace ShiftJis
