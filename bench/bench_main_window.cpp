// The main window on the paths a user waits for: its start-up with every window made, and
// one keystroke in the input line (the completion and the launcher's change handler it runs:
// entry file read, icon looked up), through a real key event, with the real icons. Beside
// them what reaching keywords by their readings costs, and the keystrokes after a keyword
// that takes words: a keystroke with the readings on and
// off, the readings' own making on their thread, and the interface's worst stall while the
// list changes under them with every core busy.
#include "BenchKeywords.h"

#include "app/CompositionRoot.h"
#include "base/QtInteraction.h"
#include "base/TextFile.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/KeywordOrderDialog.h"
#include "dialogs/RegistrationDialog.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/SpecialItemsDialog.h"
#include "keywords/ApplicationIndex.h"
#include "keywords/KanjiReading.h"
#include "keywords/KeywordReading.h"
#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"
#include "mainwindow/ApplicationOffer.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "platform/fake/FakeApplications.h"
#include "platform/fake/FakeHotkeys.h"
#include "platform/fake/FakeKeyNames.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeWindowFrame.h"
#include "platform/linux/HelperApplications.h"
#include "platform/linux/LinuxIcons.h"
#include "skineditor/SkinChooser.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Launcher
{
    explicit Launcher(int count, bool start = true)
        : Launcher(benchKeywords(count), {}, start)
    {
    }

    // The keywords in list order, and lines added to the settings file's Setting section.
    Launcher(const QStringList &keywords, const QStringList &settings, bool start = true)
    {
        const QString folder = dir.path() + u'/';
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        TextFile::writeLines(folder + QStringLiteral("data.lst"), keywords);
        TextFile::writeLines(folder + QStringLiteral("data/zzzz-last"),
                             {QStringLiteral("/usr/bin/true"), QStringLiteral("the last"), {}});
        if (keywords.contains(benchJapaneseLast))
            TextFile::writeLines(
                folder + QStringLiteral("data/") + benchJapaneseLast,
                {QStringLiteral("/usr/bin/true"), QStringLiteral("by reading"), {}});
        TextFile::writeLines(folder + QStringLiteral("tblaunch.ini"),
                             QStringList{QStringLiteral("[Setting]"),
                                         QStringLiteral("DustBoxName=dustbox"),
                                         QStringLiteral("MydocName=mydocument")}
                                 + settings);
        context = std::make_unique<AppContext>(AppContext{.dataFolder = folder,
                                                          .settingsFile = folder + "tblaunch.ini",
                                                          .shell = shell,
                                                          .power = power,
                                                          .icons = icons,
                                                          .keyNames = keyNames,
                                                          .windowFrame = windowFrame,
                                                          .hotkeys = hotkeys,
                                                          .interaction = interaction,
                                                          .helpFile = folder + "tblaunch.chm",
                                                          .applications = applications});
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

    QLabel &description() const
    {
        return *root->mainWindow().findChild<QLabel *>(QStringLiteral("description"));
    }

    // The readings the window started, made ready outside any timed loop.
    bool readingsReady() const { return waitReady(root->readings()); }

    static bool waitReady(KeywordReadings &readings)
    {
        if (!readings.ready()) {
            QEventLoop loop;
            QObject::connect(&readings, &KeywordReadings::readingsReady, &loop, &QEventLoop::quit);
            QTimer::singleShot(120'000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return readings.ready();
    }

    QTemporaryDir dir;
    FakeShell shell;
    FakePower power;
    LinuxIcons icons;
    FakeKeyNames keyNames;
    FakeWindowFrame windowFrame;
    FakeHotkeys hotkeys;
    FakeApplications applications;
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

// Each keystroke's own time, for the median: the mean moves with a few slow keys when
// the machine is not idle.
class KeyTimes
{
public:
    template <typename Key> void time(Key key)
    {
        const auto start = std::chrono::steady_clock::now();
        key();
        m_times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }

    void report(benchmark::State &state)
    {
        if (m_times.empty())
            return;
        std::ranges::nth_element(m_times, m_times.begin() + m_times.size() / 2);
        state.counters["median_us"] = m_times[m_times.size() / 2];
    }

private:
    std::vector<double> m_times;
};

// Keywords a tenth of them Japanese, with the readings on (second argument 1) or off;
// with them on, the keystrokes wait for the readings to be made.
Launcher readingLauncher(benchmark::State &state)
{
    return Launcher(benchKeywordsJapanese(int(state.range(0))),
                    {state.range(1) ? QStringLiteral("Readings=1") : QStringLiteral("Readings=0")});
}

// One key typed after the text, over and over, with the readings on or off; the line after
// it, and whether a keyword was shown, for the check.
struct ReadingKey
{
    QString line;
    bool shown;
    QString description;
};
ReadingKey timeReadingKey(benchmark::State &state, const QString &before, char16_t key)
{
    Launcher launcher = readingLauncher(state);
    if (state.range(1) && !launcher.readingsReady()) {
        state.SkipWithError("readings not ready");
        return {};
    }
    KeywordLineEdit &line = launcher.input();
    KeyTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        line.setText(before);
        state.ResumeTiming();
        times.time([&] { launcher.key(key); });
    }
    times.report(state);
    const QString description = launcher.description().text();
    return {line.text(), description.startsWith(benchJapaneseLast), description};
}

// "zzzq" completes nothing and no keyword's reading begins with it: both scans of the list
// run to their end, the reading's after the literal one.
void KeystrokeReadingNoMatch(benchmark::State &state)
{
    const ReadingKey after = timeReadingKey(state, QStringLiteral("zzz"), u'q');
    if (after.line != QStringLiteral("zzzq") || after.shown)
        state.SkipWithError("unexpected text");
}

// "piyopiyoden" completes nothing; its reading reaches the last Japanese keyword, ten rows
// from the end, whose entry is then read and shown. With the readings off nothing is reached.
void KeystrokeReadingLastJapanese(benchmark::State &state)
{
    const ReadingKey after = timeReadingKey(state, QStringLiteral("piyopiyode"), u'n');
    if (after.line != QStringLiteral("piyopiyoden") || after.shown != bool(state.range(1)))
        state.SkipWithError("unexpected offer");
}

// A plain completion in the same list, to set the keystrokes after a keyword against: "t"
// completes the last keyword literally, whose entry is read and shown.
void KeystrokeCompletesLast(benchmark::State &state)
{
    const ReadingKey after = timeReadingKey(state, QStringLiteral("zzzz-las"), u't');
    if (after.line != QStringLiteral("zzzz-last") || after.description != u"the last")
        state.SkipWithError("no completion");
}

// The space after the last keyword, and a letter among the words after it: nothing completes
// and no reading reaches the line, and the keyword before the blank is found, its entry read
// and shown with the words.
void KeystrokeAfterKeyword(benchmark::State &state)
{
    const ReadingKey after = timeReadingKey(state, QStringLiteral("zzzz-last"), u' ');
    if (after.line != QStringLiteral("zzzz-last ") || after.description != u"the last")
        state.SkipWithError("the keyword was not shown");
}

void KeystrokeAmongWords(benchmark::State &state)
{
    const ReadingKey after = timeReadingKey(state, QStringLiteral("zzzz-last ab"), u'c');
    if (after.line != QStringLiteral("zzzz-last abc") || after.description != u"the last — abc")
        state.SkipWithError("the words were not shown");
}

// The bytes the program has taken from the heap, in every thread's arena and in mapped blocks.
size_t heapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The readings of every keyword made on their thread, from start() to readingsReady: what
// the list costs after start-up and after each change, never on a keystroke. Then what they
// keep: the heap one more set of readings holds once made (the dictionary already loaded),
// and the table's size from the readings' lengths (two bytes a character, an offset a row).
void ReadingsBuild(benchmark::State &state)
{
    Launcher launcher(benchKeywordsJapanese(int(state.range(0))), {}, false);
    KeywordStore store(launcher.dir.path() + u'/');
    store.load();
    for (auto _ : state) {
        KeywordReadings readings(store);
        readings.start();
        if (!Launcher::waitReady(readings)) {
            state.SkipWithError("readings not ready");
            return;
        }
    }
    const size_t before = heapInUse();
    KeywordReadings kept(store);
    kept.start();
    Launcher::waitReady(kept);
    QCoreApplication::processEvents(); // the finished thread deleted
    state.counters["heap_MiB"] = double(heapInUse() - before) / (1 << 20);
    qsizetype characters = 0;
    for (const QStringView keyword : store.keywords())
        characters += KeywordReading::of(KanjiReading::hiraganaOf(keyword)).size();
    state.counters["table_MiB"] =
        double(characters * 2 + store.keywords().size() * qsizetype(sizeof(qsizetype))) / (1 << 20);
}

// A busy process on every core, for as long as it lives.
class BusyCores
{
public:
    BusyCores()
    {
        for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~BusyCores()
    {
        for (const pid_t pid : m_pids) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    BusyCores(const BusyCores &) = delete;
    BusyCores &operator=(const BusyCores &) = delete;

private:
    std::vector<pid_t> m_pids;
};

// The interface thread's worst stall while keywords are registered in a row, 20 ms apart,
// with every core busy: how much later than asked a 1 ms timer fires at worst. Each
// registration changes the list, and its readings are made again.
void RegisteringStall(benchmark::State &state)
{
    Launcher launcher(benchKeywordsJapanese(int(state.range(0))), {QStringLiteral("Readings=1")});
    if (!launcher.readingsReady()) {
        state.SkipWithError("readings not ready");
        return;
    }
    KeywordStore &store = launcher.root->store();
    const BusyCores busy;
    double worst = 0;
    int registered = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            worst = std::max(worst, double(now - last) / 1e6 - 1);
            last = now;
        });
        QTimer registration;
        registration.setInterval(20);
        int rounds = 0;
        QObject::connect(&registration, &QTimer::timeout, [&] {
            store.insertKeyword(QStringLiteral("登録%1").arg(++registered),
                                Entry{QStringLiteral("/usr/bin/true"), {}, {}});
            if (++rounds == 10)
                loop.quit();
        });
        tick.start();
        registration.start();
        loop.exec();
    }
    state.counters["worst_stall_ms"] = worst;
}

// 2,000 applications as a desktop has them: Latin names with a comment and keywords, a tenth
// of them Japanese; the last one's name begins with "qq", which no keyword does.
QList<InstalledApplication> benchApplications()
{
    QList<InstalledApplication> applications;
    for (int i = 0; i < 2000; ++i) {
        InstalledApplication application;
        application.file =
            QStringLiteral("/usr/share/applications/org.example.App%1.desktop").arg(i);
        application.name = i % 10 == 0 ? QStringLiteral("画像ビューアー%1").arg(i)
                                       : QStringLiteral("Application %1").arg(i);
        application.comment = QStringLiteral("Does what application %1 does").arg(i);
        application.genericName = QStringLiteral("Tool");
        application.keywords = {QStringLiteral("example"), QStringLiteral("thing%1").arg(i)};
        application.program = QStringLiteral("app%1").arg(i);
        applications.append(application);
    }
    applications.last().name = QStringLiteral("qqapp last");
    return applications;
}

// A key that reaches no keyword, literally or by reading, and falls through to the
// applications (second argument 1), against the same key with the Applications key off.
void KeystrokeToApplications(benchmark::State &state)
{
    Launcher launcher(benchKeywordsJapanese(int(state.range(0))),
                      {QStringLiteral("Readings=1"), state.range(1)
                                                         ? QStringLiteral("Applications=1")
                                                         : QStringLiteral("Applications=0")},
                      false);
    launcher.applications.setApplications(benchApplications());
    launcher.root = std::make_unique<CompositionRoot>(*launcher.context);
    ApplicationIndex &index = launcher.root->mainWindow().findChild<ApplicationOffer *>()->index();
    if (state.range(1)) {
        index.start();
        QEventLoop loop;
        QObject::connect(&index, &ApplicationIndex::applicationsReady, &loop, &QEventLoop::quit);
        QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
        if (!index.ready())
            loop.exec();
    }
    if (!launcher.readingsReady() || index.ready() != bool(state.range(1))) {
        state.SkipWithError("not ready");
        return;
    }
    KeywordLineEdit &line = launcher.input();
    KeyTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        line.setText(QStringLiteral("qqap"));
        state.ResumeTiming();
        times.time([&] { launcher.key(u'p'); });
    }
    times.report(state);
    if (launcher.description().text().startsWith(QStringLiteral("qqapp")) != bool(state.range(1)))
        state.SkipWithError("unexpected offer");
}

// 2,000 desktop entries read through GLib and indexed, on the index's thread, from start() to
// ready; then the index's own size.
void ApplicationsRead(benchmark::State &state)
{
    QTemporaryDir folder;
    for (const InstalledApplication &application : benchApplications()) {
        QFile file(folder.filePath(QFileInfo(application.file).fileName()));
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nComment=%2\n"
                                  "GenericName=%3\nKeywords=%4;\nExec=true %5\n")
                       .arg(application.name, application.comment, application.genericName,
                            application.keywords.join(u';'), application.program)
                       .toUtf8());
    }
    HelperApplications source({folder.path()}, QStringLiteral(TB_APPLICATIONS_HELPER));
    qsizetype bytes = 0;
    qsizetype read = 0;
    for (auto _ : state) {
        ApplicationIndex index(source);
        QEventLoop loop;
        QObject::connect(&index, &ApplicationIndex::applicationsReady, &loop, &QEventLoop::quit);
        index.start();
        loop.exec();
        bytes = index.memoryUsed();
        read = index.size();
    }
    state.counters["index_KiB"] = double(bytes) / 1024;
    state.counters["applications"] = double(read);
}

// The first opening of each window, made then (as the program makes them): from the command
// to the window shown and its first paint done, over 10,000 and 100,000 keywords. Most are
// modal, so the time is taken from within their own loop, and the window closed.
void FirstOpening(benchmark::State &state)
{
    Launcher launcher(int(state.range(1)));
    const auto open = [&](CompositionRoot &root) {
        switch (state.range(0)) {
        case 0:
            return root.settingsDialog().openAt({100, 100});
        case 1:
            return root.specialItemsDialog().openItems();
        case 2:
            return root.keywordOrderDialog().openAt({100, 100});
        case 3:
            return root.registrationDialog().openNew();
        case 4:
            return root.skinChooser().openAt({100, 100});
        default:
            return root.aboutDialog().openModal();
        }
    };
    for (auto _ : state) {
        launcher.root = std::make_unique<CompositionRoot>(*launcher.context);
        QCoreApplication::processEvents();
        QElapsedTimer opening;
        double seconds = -1;
        const auto shown = [&] {
            QWidget *window = QApplication::activeModalWidget();
            if (!window)
                window = QApplication::activeWindow();
            if (!window || window == &launcher.root->mainWindow())
                return;
            window->repaint();
            seconds = double(opening.nsecsElapsed()) / 1e9;
            window->close();
        };
        QTimer::singleShot(0, shown);
        opening.start();
        open(*launcher.root);
        const QDeadlineTimer deadline(5000);
        while (seconds < 0 && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (seconds < 0)
                shown();
        }
        if (seconds < 0)
            state.SkipWithError("not shown");
        state.SetIterationTime(seconds);
        launcher.root.reset();
    }
}

} // namespace

BENCHMARK(FirstOpening)
    ->ArgNames({"window", "keywords"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {10000, 100000}})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeToApplications)
    ->ArgNames({"keywords", "applications"})
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ApplicationsRead)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUp)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeLastRowProposed)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeNoMatch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
// 10,000 and 100,000 keywords, with the readings off and on side by side.
void readingArgs(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({"keywords", "readings"})
        ->ArgsProduct({{10000, 100000}, {0, 1}})
        ->Unit(benchmark::kMicrosecond);
}
BENCHMARK(KeystrokeReadingNoMatch)->Apply(readingArgs);
BENCHMARK(KeystrokeReadingLastJapanese)->Apply(readingArgs);
BENCHMARK(KeystrokeCompletesLast)->Apply(readingArgs);
BENCHMARK(KeystrokeAfterKeyword)->Apply(readingArgs);
BENCHMARK(KeystrokeAmongWords)->Apply(readingArgs);
BENCHMARK(RegisteringStall)
    ->Arg(10000)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadingsBuild)->Arg(100000)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
