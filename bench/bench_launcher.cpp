// The keyword store on the paths a user waits for: start-up's load, looking a keyword up,
// resolving a typed keyword to its entry file, and registering a keyword; and how far each
// keyword must be typed, worked out again on every move in the keyword order window.
#include "BenchKeywords.h"

#include "base/TextFile.h"
#include "keywords/KeywordReach.h"
#include "keywords/KeywordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct StoreFolder
{
    explicit StoreFolder(int count)
        : keywords(benchKeywords(count))
    {
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        TextFile::writeLines(folder() + QStringLiteral("data.lst"), keywords);
        TextFile::writeLines(folder() + QStringLiteral("data/zzzz-last"),
                             {QStringLiteral("/usr/bin/true"), QStringLiteral("last"), {}});
    }
    QString folder() const { return dir.path() + u'/'; }

    QTemporaryDir dir;
    QStringList keywords;
};

void LoadKeywordList(benchmark::State &state)
{
    StoreFolder folder(int(state.range(0)));
    KeywordStore store(folder.folder());
    for (auto _ : state) {
        store.load();
        benchmark::DoNotOptimize(store.keywords().size());
    }
}

void FindInListNoMatch(benchmark::State &state)
{
    StoreFolder folder(int(state.range(0)));
    KeywordStore store(folder.folder());
    store.load();
    const QString absent = QStringLiteral("zzzq");
    for (auto _ : state)
        benchmark::DoNotOptimize(store.find(absent));
}

void ResolveOtherCase(benchmark::State &state)
{
    StoreFolder folder(int(state.range(0)));
    KeywordStore store(folder.folder());
    store.load();
    const QString typed = QStringLiteral("ZZZZ-LAST"); // the last row, in other letter case
    for (auto _ : state)
        benchmark::DoNotOptimize(store.readEntry(typed));
}

void RegisterKeyword(benchmark::State &state)
{
    StoreFolder folder(int(state.range(0)));
    KeywordStore store(folder.folder());
    store.load();
    int n = 0;
    for (auto _ : state) {
        // A keyword of a middle group, so the rule gathers and moves a real group.
        store.insertKeyword(QStringLiteral("mobench%1").arg(n++),
                            {QStringLiteral("/usr/bin/true"), QStringLiteral("d"), {}});
    }
}

void ReachOfEveryKeyword(benchmark::State &state)
{
    const QStringList keywords = benchKeywords(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(KeywordReach::compute(keywords));
}

} // namespace

BENCHMARK(LoadKeywordList)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(FindInListNoMatch)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ResolveOtherCase)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegisterKeyword)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReachOfEveryKeyword)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
