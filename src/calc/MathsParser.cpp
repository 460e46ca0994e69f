#include "MathsParser.h"

#include "OperationReducer.h"
#include "platform/WindowsDirectory.h"

#include "base/Error.h"

#include <QFileInfo>

namespace {

constexpr int MaxNameLength = 9;

const QString ForbiddenNameCharacters = QStringLiteral("0123456789.^*/+-()[]{}!&%@#$ ");

std::size_t indexOf(int number)
{
    if (number < 1 || number > ValueTable::VariableCount)
        throw Error(QStringLiteral("変数の番号 %1 は 1 から 8 の範囲にありません。").arg(number));
    return std::size_t(number - 1);
}

} // namespace

MathsParser::MathsParser(QObject *owner)
    : QObject(owner)
    , m_names{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
              QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("x")}
    , m_language(languageFor(windowsDirectory()))
{
}

int MathsParser::languageFor(const QString &windowsDirectory)
{
    if (windowsDirectory.isEmpty())
        return 0;
    return QFileInfo::exists(windowsDirectory + QStringLiteral("/Fonts/MSMINCHO.TTC")) ? 1 : 0;
}

double MathsParser::variable(int number) const
{
    return m_variables[indexOf(number)];
}

void MathsParser::setVariable(int number, double value)
{
    m_variables[indexOf(number)] = value;
}

QString MathsParser::variableName(int number) const
{
    return m_names[indexOf(number)];
}

void MathsParser::setVariableName(int number, const QString &name)
{
    const std::size_t index = indexOf(number);
    // Such names would be taken apart by the compile or would clash with the codes it writes.
    for (const QChar c : name) {
        if (ForbiddenNameCharacters.contains(c)) {
            throw Error(QStringLiteral("変数名 \"%1\" は使えません。数字、演算子、括弧、空白と記号 "
                                       ". ! & % @ # $ は変数名に含められません。")
                            .arg(name));
        }
    }
    if (name.size() > MaxNameLength) {
        throw Error(QStringLiteral("変数名 \"%1\" は長すぎます。変数名は %2 文字までです。")
                        .arg(name)
                        .arg(MaxNameLength));
    }
    m_names[index] = name;
    m_namesChecked = false;
}

void MathsParser::setExpression(const QString &text)
{
    m_expression = text;
    // Whatever happens below, the previous expression is gone.
    m_program = CompiledProgram{};
    // Cleared duplicates stay cleared even when the compile fails. Only a new name can make a
    // new duplicate, so the names are checked again only after one is set.
    if (!m_namesChecked) {
        ExpressionRewriter::clearDuplicateNames(m_names);
        m_namesChecked = true;
    }

    RewrittenExpression rewritten = ExpressionRewriter(m_names, m_language).rewrite(text);
    CompiledProgram program;
    program.base = rewritten.base();
    program.literals = std::move(rewritten.literals);
    OperationReducer(program.base, m_language).reduce(rewritten.compiled, program);

    std::copy(program.literals.begin(), program.literals.end(),
              m_slots.begin() + ValueTable::FirstLiteral);
    m_program = std::move(program);
}

double MathsParser::value()
{
    return Evaluator::run(m_program, m_variables, m_slots);
}
