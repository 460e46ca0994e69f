// Shift-JIS decoding of any bytes, and encoding of any UTF-16 text (lone surrogates included).

#include "FuzzSupport.h"

#include "base/ShiftJis.h"

#include <QtEndian>

namespace {

void checkDecode(QByteArrayView bytes)
{
    const QString text = ShiftJis::decode(bytes);
    // A character takes one or two bytes, and a bad byte becomes one U+FFFD: none is lost.
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(text.size() >= (bytes.size() + 1) / 2);

    // The ini reader finds line ends in the bytes and decodes each line alone; that must give
    // what decoding the whole text gives, CR and LF included.
    QString lineWise;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lineWise += ShiftJis::decode(bytes.sliced(start, i - start));
        if (i < bytes.size())
            lineWise += QLatin1Char(bytes[i]);
        start = i + 1;
    }
    FUZZ_CHECK(lineWise == text);
}

void checkEncode(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());

    // The code page is stateless: the text encodes exactly when each of its characters does,
    // to their bytes one after the other.
    QByteArray byCharacter;
    bool encodable = true;
    for (qsizetype i = 0; i < text.size() && encodable; ++i) {
        const qsizetype n =
            i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const std::optional<QByteArray> one = ShiftJis::encode(QStringView(text).mid(i, n));
        encodable = one.has_value();
        if (one)
            byCharacter += *one;
        i += n - 1;
    }
    const std::optional<QByteArray> encoded = ShiftJis::encode(text);
    FUZZ_CHECK(encoded.has_value() == encodable);
    if (!encoded)
        return;
    FUZZ_CHECK(*encoded == byCharacter);
    FUZZ_CHECK(ShiftJis::decode(*encoded) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input = Fuzz::bytes(data, size);
    checkDecode(input);
    checkEncode(input);
    return 0;
}
