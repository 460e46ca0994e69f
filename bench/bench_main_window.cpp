// The main window on the paths a user waits for: its start-up with every window made, and
// one keystroke in the input line (the completion and the launcher's change handler it runs:
// entry file read, icon looked up), through a real key event, with the real icons.
#include "BenchKeywords.h"

#include "app/CompositionRoot.h"
#include "base/QtInteraction.h"
#include "base/TextFile.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "platform/fake/FakeHotkeys.h"
#include "platform/fake/FakeKeyNames.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeWindowFrame.h"
#include "platform/linux/LinuxIcons.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Launcher
{
    explicit Launcher(int count, bool start = true)
    {
        const QString folder = dir.path() + u'/';
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        TextFile::writeLines(folder + QStringLiteral("data.lst"), benchKeywords(count));
        TextFile::writeLines(folder + QStringLiteral("data/zzzz-last"),
                             {QStringLiteral("/usr/bin/true"), QStringLiteral("the last"), {}});
        TextFile::writeLines(folder + QStringLiteral("tblaunch.ini"),
                             {QStringLiteral("[Setting]"), QStringLiteral("DustBoxName=dustbox"),
                              QStringLiteral("MydocName=mydocument")});
        context = std::make_unique<AppContext>(AppContext{.dataFolder = folder,
                                                          .settingsFile = folder + "tblaunch.ini",
                                                          .shell = shell,
                                                          .power = power,
                                                          .icons = icons,
                                                          .keyNames = keyNames,
                                                          .windowFrame = windowFrame,
                                                          .hotkeys = hotkeys,
                                                          .interaction = interaction,
                                                          .helpFile = folder + "tblaunch.chm"});
        if (start)
            root = std::make_unique<CompositionRoot>(*context);
    }

    void key(QChar c)
    {
        QKeyEvent event(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(&input(), &event);
    }

    KeywordLineEdit &input() const
    {
        return *root->mainWindow().findChild<KeywordLineEdit *>(QStringLiteral("input"));
    }

    QTemporaryDir dir;
    FakeShell shell;
    FakePower power;
    LinuxIcons icons;
    FakeKeyNames keyNames;
    FakeWindowFrame windowFrame;
    FakeHotkeys hotkeys;
    QtInteraction interaction;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<CompositionRoot> root;
};

void StartUp(benchmark::State &state)
{
    Launcher launcher(int(state.range(0)), false);
    for (auto _ : state) {
        launcher.root = std::make_unique<CompositionRoot>(*launcher.context);
        state.PauseTiming();
        launcher.root.reset();
        state.ResumeTiming();
    }
}

// "zz" is a prefix only the last keyword has: the scan runs the whole list, then the
// proposal's entry is read and its icon shown.
void KeystrokeLastRowProposed(benchmark::State &state)
{
    Launcher launcher(int(state.range(0)));
    KeywordLineEdit &line = launcher.input();
    for (auto _ : state) {
        state.PauseTiming();
        line.setText(QStringLiteral("z"));
        state.ResumeTiming();
        launcher.key(u'z');
    }
    if (line.text() != QStringLiteral("zzzz-last"))
        state.SkipWithError("no proposal");
}

// "zzzq" is no keyword's prefix: the scan runs the whole list, the character is inserted,
// and the change handler looks for an equal row in vain.
void KeystrokeNoMatch(benchmark::State &state)
{
    Launcher launcher(int(state.range(0)));
    KeywordLineEdit &line = launcher.input();
    for (auto _ : state) {
        state.PauseTiming();
        line.setText(QStringLiteral("zzz"));
        state.ResumeTiming();
        launcher.key(u'q');
    }
    if (line.text() != QStringLiteral("zzzq"))
        state.SkipWithError("unexpected text");
}

} // namespace

BENCHMARK(StartUp)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeLastRowProposed)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeNoMatch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
