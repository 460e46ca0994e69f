#pragma once

#include "CalcErrors.h"
#include "CompiledExpression.h"
#include "Evaluator.h"
#include "ExpressionRewriter.h"

#include <QObject>
#include <QString>

// The calculator behind the input line. Assigning Expression compiles the text once into
// operation records over a table of 100 slots; reading Value runs them for the current V1..V8.
//
// Its arithmetic has its own precedence: "^" binds tightest, then "/" before "*", then "-"
// before "+"; every operator is left-associative and a minus after an operator is the sign of
// the right operand. So 2^3^2 is 64, 2*6/3 is 2*(6/3), and 0.1+0.2-0.3 is 0.1+(0.2-0.3).
//
// Errors are exceptions (BracketError, SyntaxError, Error); a failed compile leaves no
// expression, so Value then reads 0 until the next compile succeeds.
class MathsParser : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double V1 READ v1 WRITE setV1)
    Q_PROPERTY(double V2 READ v2 WRITE setV2)
    Q_PROPERTY(double V3 READ v3 WRITE setV3)
    Q_PROPERTY(double V4 READ v4 WRITE setV4)
    Q_PROPERTY(double V5 READ v5 WRITE setV5)
    Q_PROPERTY(double V6 READ v6 WRITE setV6)
    Q_PROPERTY(double V7 READ v7 WRITE setV7)
    Q_PROPERTY(double V8 READ v8 WRITE setV8)
    Q_PROPERTY(QString V1Name READ v1Name WRITE setV1Name)
    Q_PROPERTY(QString V2Name READ v2Name WRITE setV2Name)
    Q_PROPERTY(QString V3Name READ v3Name WRITE setV3Name)
    Q_PROPERTY(QString V4Name READ v4Name WRITE setV4Name)
    Q_PROPERTY(QString V5Name READ v5Name WRITE setV5Name)
    Q_PROPERTY(QString V6Name READ v6Name WRITE setV6Name)
    Q_PROPERTY(QString V7Name READ v7Name WRITE setV7Name)
    Q_PROPERTY(QString V8Name READ v8Name WRITE setV8Name)
    Q_PROPERTY(int Language READ language WRITE setLanguage)
    Q_PROPERTY(QString Expression READ expression WRITE setExpression)
    Q_PROPERTY(double Value READ value)

public:
    // Language is 1 when the system has the Japanese font, else 0.
    explicit MathsParser(QObject *owner = nullptr);

    // 1 when "Fonts/MSMINCHO.TTC" exists below the given Windows directory, else 0.
    static int languageFor(const QString &windowsDirectory);

    // Variables by number, 1..8.
    double variable(int number) const;
    void setVariable(int number, double value);
    QString variableName(int number) const;
    // Throws Error for a name that would clash with the compiled text: digits, ".", operators,
    // brackets, spaces, the code characters ! & % @ # $, or 10 characters and more. An empty
    // name leaves the variable unused.
    void setVariableName(int number, const QString &name);

    int language() const { return m_language; }
    void setLanguage(int language) { m_language = language; }

    QString expression() const { return m_expression; }
    // Compiles; throws BracketError, SyntaxError or Error.
    void setExpression(const QString &text);

    // Evaluates the last successful compile; throws Error on an invalid operation, a division
    // by zero or an overflow.
    double value();

    double v1() const { return variable(1); }
    double v2() const { return variable(2); }
    double v3() const { return variable(3); }
    double v4() const { return variable(4); }
    double v5() const { return variable(5); }
    double v6() const { return variable(6); }
    double v7() const { return variable(7); }
    double v8() const { return variable(8); }
    void setV1(double value) { setVariable(1, value); }
    void setV2(double value) { setVariable(2, value); }
    void setV3(double value) { setVariable(3, value); }
    void setV4(double value) { setVariable(4, value); }
    void setV5(double value) { setVariable(5, value); }
    void setV6(double value) { setVariable(6, value); }
    void setV7(double value) { setVariable(7, value); }
    void setV8(double value) { setVariable(8, value); }

    QString v1Name() const { return variableName(1); }
    QString v2Name() const { return variableName(2); }
    QString v3Name() const { return variableName(3); }
    QString v4Name() const { return variableName(4); }
    QString v5Name() const { return variableName(5); }
    QString v6Name() const { return variableName(6); }
    QString v7Name() const { return variableName(7); }
    QString v8Name() const { return variableName(8); }
    void setV1Name(const QString &name) { setVariableName(1, name); }
    void setV2Name(const QString &name) { setVariableName(2, name); }
    void setV3Name(const QString &name) { setVariableName(3, name); }
    void setV4Name(const QString &name) { setVariableName(4, name); }
    void setV5Name(const QString &name) { setVariableName(5, name); }
    void setV6Name(const QString &name) { setVariableName(6, name); }
    void setV7Name(const QString &name) { setVariableName(7, name); }
    void setV8Name(const QString &name) { setVariableName(8, name); }

private:
    Variables m_variables{};
    VariableNames m_names;
    bool m_namesChecked = false; // no duplicates among m_names since they last changed
    int m_language = 0;
    QString m_expression;
    CompiledProgram m_program;
    Slots m_slots{};
};
