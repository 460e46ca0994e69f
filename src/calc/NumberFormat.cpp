#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

namespace {

constexpr int Precision = 15;

} // namespace

QString formatGeneral(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0"); // -0 too

    // "d.dddddddddddddde±xx". The rounding to 15 digits decides the notation, so
    // 999999999999999.9 comes out as 1E15.
    char buffer[32]; // the longest, "d.dddddddddddddde-308", fits with room to spare
    const char *end = std::to_chars(buffer, std::end(buffer), std::fabs(value),
                                    std::chars_format::scientific, Precision - 1)
                          .ptr;
    const std::string_view text(buffer, end);
    const std::size_t e = text.find('e');
    QString digits = QString::fromLatin1(text.substr(0, e)).remove(QLatin1Char('.'));
    const char *exponentStart = buffer + e + 1;
    if (*exponentStart == '+')
        ++exponentStart;
    int exponent = 0;
    std::from_chars(exponentStart, end, exponent);
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString result = value < 0 ? QStringLiteral("-") : QString();
    const int integerDigits = exponent + 1;
    if (integerDigits > Precision || integerDigits < -3) {
        result += digits.front();
        if (digits.size() > 1)
            result += decimalSeparator + digits.mid(1);
        result += QLatin1Char('E') + QString::number(exponent);
    } else if (integerDigits <= 0) {
        result += QLatin1Char('0') + QString(decimalSeparator)
                  + QString(-integerDigits, QLatin1Char('0')) + digits;
    } else if (digits.size() <= integerDigits) {
        result += digits + QString(integerDigits - digits.size(), QLatin1Char('0'));
    } else {
        result += digits.left(integerDigits) + decimalSeparator + digits.mid(integerDigits);
    }
    return result;
}
