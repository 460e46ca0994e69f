#pragma once

#include "calc/CalcErrors.h"
#include "calc/MathsParser.h"

#include <string>

// Which error a step raised and with what text, as one readable string: "SyntaxError: ...".
template <typename Step> std::string failureOf(Step &&step)
{
    try {
        step();
    } catch (const BracketError &e) {
        return "BracketError: " + e.message().toStdString();
    } catch (const SyntaxError &e) {
        return "SyntaxError: " + e.message().toStdString();
    } catch (const Error &e) {
        return "Error: " + e.message().toStdString();
    }
    return "no error";
}

// The calculator as the main window holds it: Japanese messages, every variable 0.
struct JapaneseParser : MathsParser
{
    JapaneseParser() { setLanguage(1); }

    double calc(const QString &text)
    {
        setExpression(text);
        return value();
    }
};

inline const std::string kBracketFailure =
    "BracketError: 括弧の数が一致していません。式を再点検してください。";
inline const std::string kSyntaxFailure = "SyntaxError: 誤った表記が見られます。修正して下さい。";
