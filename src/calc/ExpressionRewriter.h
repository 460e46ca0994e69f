#pragma once

#include "CompiledExpression.h"

#include <QString>

#include <array>

using VariableNames = std::array<QString, ValueTable::VariableCount>;

struct RewrittenExpression
{
    // Slot references, operators, brackets and function codes, wrapped in one outer bracket:
    // "2*(3+4)" becomes "(10*(11+12))".
    QString compiled;
    std::vector<double> literals; // for slots 10, 11, ...

    int base() const { return ValueTable::FirstLiteral + int(literals.size()); }
};

// The first half of the compile: moves the numbers of the typed text into the value table,
// replaces function and variable names by codes, and checks that nothing unknown is left.
class ExpressionRewriter
{
public:
    ExpressionRewriter(const VariableNames &names, int language);

    // Throws BracketError, SyntaxError, or Error with the not-a-number or overflow text.
    RewrittenExpression rewrite(const QString &text) const;

    // Clears every name that repeats an earlier one, so the first variable of a name wins.
    static void clearDuplicateNames(VariableNames &names);

    // Letters A-Z only: anything else, double-byte characters included, stays as it is.
    static QString asciiLower(const QString &text);

private:
    QString normalised(const QString &text) const;
    QString withVariableCodes(QString text) const;
    RewrittenExpression extractNumbers(const QString &text) const;
    void validate(const QString &compiled) const;

    const VariableNames &m_names;
    int m_language;
};
