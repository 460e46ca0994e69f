// The calculator on any typed expression. Its own errors (Error and the kinds derived from it)
// are answers; a crash, a sanitizer report or any other exception is a finding.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "calc/MathsParser.h"

#include <cmath>

namespace {

struct Outcome
{
    bool failed = false;
    QString message;
    double value = 0.0;

    bool operator==(const Outcome &other) const
    {
        return failed == other.failed && message == other.message
               && (value == other.value || (std::isnan(value) && std::isnan(other.value)));
    }
};

// Values for a..g and x other than 0, so that expressions over them take real paths.
void setVariables(MathsParser &parser)
{
    constexpr double values[] = {1.5, -2.0, 0.25, 3.0, 1e10, -7.0, 0.5, 2.0};
    for (int i = 0; i < 8; ++i)
        parser.setVariable(i + 1, values[i]);
}

Outcome calculate(MathsParser &parser, const QString &expression)
{
    Outcome outcome;
    try {
        parser.setExpression(expression);
    } catch (const Error &e) {
        // A failed compile leaves no expression: Value reads 0 and raises nothing.
        FUZZ_CHECK(parser.value() == 0.0);
        return {true, QStringLiteral("compile: ") + e.message(), 0.0};
    }
    try {
        outcome.value = parser.value();
    } catch (const Error &e) {
        return {true, QStringLiteral("value: ") + e.message(), 0.0};
    }
    // Reading Value again runs the same operations over the same slots.
    FUZZ_CHECK((Outcome{false, {}, parser.value()} == outcome));
    return outcome;
}

// Brackets of any of the three kinds that never close more than they opened.
bool isWellBracketed(const QString &text)
{
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(' || c == u'[' || c == u'{')
            ++depth;
        else if ((c == u')' || c == u']' || c == u'}') && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One parser lives across inputs, as the input line's does: nothing of an earlier
    // expression may change what a later one gives.
    static MathsParser reused;
    static const bool reusedReady = (setVariables(reused), true);
    (void)reusedReady;
    MathsParser fresh;
    setVariables(fresh);

    const QString expression = QString::fromUtf8(Fuzz::bytes(data, size));
    const Outcome first = calculate(reused, expression);
    FUZZ_CHECK(first == calculate(fresh, expression));
    // A bracket around the whole changes nothing.
    if (isWellBracketed(expression))
        FUZZ_CHECK(first == calculate(fresh, u'(' + expression + u')'));
    return 0;
}
