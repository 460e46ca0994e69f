#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// What a compile leaves behind: operation records over a table of 100 double slots.
//
//   slot 0            never written, reads 0.0
//   slots 1..8        the variables V1..V8, copied in at each evaluation
//   slot 9            unused
//   slots 10..base-1  the literals of the expression
//   slot base         unused
//   slots base+k      the result of operation k (k = 1..count)
//
// In the compiled text every operand is a slot number written with exactly two digits, which is
// why the table has 100 slots and a compile may use at most 89 of them for literals and
// operations together.
namespace ValueTable {
inline constexpr int SlotCount = 100;
inline constexpr int LastSlot = SlotCount - 1;
inline constexpr int VariableCount = 8;
inline constexpr int FirstLiteral = 10;
inline constexpr int MaxLiteralsAndOperations = LastSlot - FirstLiteral;
} // namespace ValueTable

using Slots = std::array<double, ValueTable::SlotCount>;

enum class OpCode : std::int8_t {
    Power = 1,
    Multiply,
    Divide,
    Add,
    Subtract,
    Exp,
    Ln,
    Log10,
    Sin,
    Cos,
    Tan,
    Abs,
    ArcSin,
    ArcCos,
    ArcTan,
    Erf,
    Erfc,
    Sqrt,
};

// One step of the compiled expression; its result goes to slot base + its number.
struct Operation
{
    OpCode code = OpCode::Add;
    std::int8_t left = 0;  // left operand, or the argument of a function
    std::int8_t right = 0; // right operand of the five operators
    std::int8_t sign = 1;  // -1 when the right operand was written with a leading minus

    friend bool operator==(const Operation &, const Operation &) = default;
};

struct CompiledProgram
{
    int base = ValueTable::FirstLiteral;
    std::vector<double> literals; // for slots 10, 11, ...
    std::vector<Operation> operations;
    int result = 0; // the slot holding the whole expression's value
};

struct FunctionCode
{
    std::u16string_view name;
    std::u16string_view code;
    OpCode operation;
};

// Function names are replaced by codes that cannot clash with numbers, operators or variable
// names. The order matters: a name that contains another (arcsin, sin; erfc, erf) comes first.
inline constexpr std::array<FunctionCode, 13> FunctionCodes = {{
    {u"log10", u"@@@", OpCode::Log10},
    {u"sqrt", u"@@#", OpCode::Sqrt},
    {u"ln", u"@@$", OpCode::Ln},
    {u"exp", u"@#@", OpCode::Exp},
    {u"arcsin", u"@##", OpCode::ArcSin},
    {u"arccos", u"@#$", OpCode::ArcCos},
    {u"arctan", u"@$@", OpCode::ArcTan},
    {u"sin", u"@$#", OpCode::Sin},
    {u"cos", u"@$$", OpCode::Cos},
    {u"tan", u"#@@", OpCode::Tan},
    {u"abs", u"#@#", OpCode::Abs},
    {u"erfc", u"#@$", OpCode::Erfc},
    {u"erf", u"##@", OpCode::Erf},
}};

// A slot number as it stands in the compiled text: "01", "10", "99". Every slot of the table has
// exactly two digits, so they are written directly instead of through the general formatting.
inline std::array<QChar, 2> slotDigits(int slot)
{
    Q_ASSERT(slot >= 0 && slot <= ValueTable::LastSlot);
    return {QChar(u'0' + slot / 10), QChar(u'0' + slot % 10)};
}

inline QString slotText(int slot)
{
    const std::array<QChar, 2> digits = slotDigits(slot);
    return QString(digits.data(), qsizetype(digits.size()));
}

// A text as a standard view: its searches and comparisons are plain inline loops, quicker than
// the general ones of QString on texts as short as a typed line.
inline std::u16string_view standardView(QStringView text)
{
    return {text.utf16(), std::size_t(text.size())};
}
