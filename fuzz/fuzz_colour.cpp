// Colour texts as skin.ini holds them. The input is a text (UTF-8) read as a colour; its first
// four bytes are also taken as a colour value, written as text and read back.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "skins/SkinColours.h"

#include <QPalette>

#include <optional>

namespace {

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool sameAsciiCase(const QString &a, const QString &b)
{
    return isAscii(a) && isAscii(b) && a.toLatin1().toLower() == b.toLatin1().toLower();
}

bool isHexText(const QString &text)
{
    if (text.size() != 9 || text[0] != u'$')
        return false;
    for (QChar c : text.sliced(1)) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

void checkValue(quint32 value)
{
    const QString text = SkinColours::toText(value);
    FUZZ_CHECK(isHexText(text) || text.startsWith(u"cl"));
    FUZZ_CHECK(SkinColours::fromText(text) == value);
    FUZZ_CHECK(SkinColours::fromText(text.toUpper()) == value);
    FUZZ_CHECK(SkinColours::fromText(text.toLower()) == value);

    static const QPalette palette(Qt::darkCyan);
    const QColor colour = SkinColours::toColor(value, palette);
    if (value == SkinColours::None || value == SkinColours::Default)
        FUZZ_CHECK(!colour.isValid());
    else if (value <= 0xFFFFFF)
        FUZZ_CHECK(colour.isValid() && colour.red() == int(value & 0xFF)
                   && colour.green() == int((value >> 8) & 0xFF)
                   && colour.blue() == int(value >> 16));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(Fuzz::bytes(data, size));
    const std::optional<int> integer =
        isAscii(text) ? Fuzz::integerByLibrary(text, true) : std::nullopt;
    FUZZ_CHECK(SkinColours::parseInteger(text) == integer);

    try {
        const quint32 value = SkinColours::fromText(text);
        // A name (the value's own, all names differ) or an integer.
        if (integer)
            FUZZ_CHECK(value == quint32(*integer));
        else
            FUZZ_CHECK(sameAsciiCase(SkinColours::toText(value), text));
        checkValue(value);
    } catch (const Error &e) {
        FUZZ_CHECK(!integer);
        FUZZ_CHECK(e.message() == Messages::notAnInteger(text));
    }

    if (size >= 4)
        checkValue(quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16
                   | quint32(data[3]) << 24);
    return 0;
}
