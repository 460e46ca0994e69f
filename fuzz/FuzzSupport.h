#pragma once

// What every fuzz target shares: views of the input and the one check that counts as a finding.

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QString>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

// A broken invariant is a finding like a crash: abort, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

inline QByteArrayView bytes(const uint8_t *data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input cut at every LF; seeds stay readable text files with one field a line.
inline QList<QByteArrayView> lines(QByteArrayView input)
{
    QList<QByteArrayView> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (input[i] == '\n') {
            pieces.append(input.sliced(start, i - start));
            start = i + 1;
        }
    }
    pieces.append(input.sliced(start));
    return pieces;
}

// A file of exactly these bytes, for the readers that take a path.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

// Collation and locales want an application object; made once, on first use.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// An integer as the profile readers take it, by the C++ library's own parser: an optional
// sign, then decimal digits, or hexadecimal digits after "$", "0x" or "0X". With skinRules,
// as skin.ini's colours are read: leading blanks, and a bare "x" or "X" as well.
inline std::optional<int> integerByLibrary(const QString &text, bool skinRules)
{
    const QByteArray latin = text.toLatin1();
    std::string_view rest(latin.constData(), size_t(latin.size()));
    while (skinRules && (rest.starts_with(' ') || rest.starts_with('\t')))
        rest.remove_prefix(1);
    const bool negative = rest.starts_with('-');
    if (negative || rest.starts_with('+'))
        rest.remove_prefix(1);
    int base = 10;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    } else if (rest.starts_with('$')
               || (skinRules && (rest.starts_with('x') || rest.starts_with('X')))) {
        base = 16;
        rest.remove_prefix(1);
    }
    // from_chars takes no sign of its own here: a second one is no number.
    if (rest.empty() || rest.front() == '-' || rest.front() == '+')
        return std::nullopt;
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    if (ec != std::errc() || end != rest.data() + rest.size())
        return std::nullopt;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
        const auto bits = quint32(magnitude);
        return int(negative ? quint32(0) - bits : bits);
    }
    const long long limit = std::numeric_limits<int>::max() + (negative ? 1LL : 0LL);
    if (magnitude > (unsigned long long)limit)
        return std::nullopt;
    return int(negative ? -(long long)magnitude : (long long)magnitude);
}

} // namespace Fuzz
