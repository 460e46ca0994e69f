#pragma once

// What every fuzz target shares: views of the input and the one check that counts as a finding.

#include <QByteArrayView>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Collation and locales want an application object; made once, on first use.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

} // namespace Fuzz
