// Reading one value from a settings file of 200 lines, as every keystroke's icon lookup
// does.
#include "base/ShiftJis.h"
#include "settings/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Ten sections of nineteen entries with comments and Shift-JIS values; the key read is
// the last entry of the last section.
QByteArray settingsText()
{
    QString text;
    for (int s = 0; s < 10; ++s) {
        text += QStringLiteral("[Section%1]\r\n").arg(s);
        for (int k = 0; k < 19; ++k)
            text += k % 5 == 4 ? QStringLiteral("; 設定の説明 %1\r\n").arg(k)
                               : QStringLiteral("Key%1=値ソ表%2\r\n").arg(k).arg(s * 100 + k);
    }
    return ShiftJis::encodeOrThrow(text);
}

void BM_ReadStringFrom200Lines(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kw.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(settingsText()) < 0) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();

    const IniFile ini(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.readString(u"section9", u"key18", u""));
    state.counters["lines"] = 200;
}
BENCHMARK(BM_ReadStringFrom200Lines)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
