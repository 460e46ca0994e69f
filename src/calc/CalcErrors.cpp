#include "CalcErrors.h"

BracketError::BracketError(int language)
    : Error(language == 1
                ? QStringLiteral("括弧の数が一致していません。式を再点検してください。")
                : QStringLiteral("Number of bracket is miss-matching. Review your expression."))
{
}

SyntaxError::SyntaxError(int language)
    : Error(language == 1 ? QStringLiteral("誤った表記が見られます。修正して下さい。")
                          : QStringLiteral("The expression is improper. Please check it."))
{
}
