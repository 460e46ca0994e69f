// The program's command line, run without a display: what it cannot use is refused before the
// toolkit would look for one.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TB_PROGRAM), arguments);
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(CommandLine, AnswersHelpAndVersionAndRefusesTheRestWithoutADisplay)
{
    struct Case
    {
        QStringList arguments;
        int status;
        const char *out; // in the standard output
        const char *err; // in the standard error
    };
    // The summon command beside the program, by its absolute path.
    const std::string program = TB_PROGRAM;
    const std::string summon =
        program.substr(0, program.rfind('/')) + "/tblaunch-summon --toggle\n";
    const Case cases[] = {
        {{"--help"}, 0, "Usage: tblaunch", ""},
        {{"-v"}, 0, "tblaunch 1.2.0.5", ""},
        {{"-platform", "offscreen", "--version"}, 0, "tblaunch 1.2.0.5", ""},
        {{"--bogus"}, 2, "", "tblaunch: unknown option '--bogus'\nUsage: tblaunch"},
        {{"-x"}, 2, "", "unknown option '-x'"},
        {{"notes.txt"}, 2, "", "unexpected argument 'notes.txt'"},
        {{"--help=yes"}, 2, "", "unknown option '--help=yes'"},
        {{"-display"}, 2, "", "missing value for '-display'"},
        {{"-style", "fusion", "--frobnicate"}, 2, "", "unknown option '--frobnicate'"},
        {{"--help"}, 0, "--toggle   put it away when it is shown with the focus", ""},
        {{"--toggle", "--hidden"}, 2, "", "unknown option '--hidden'"},
        {{"--show", "now"}, 2, "", "unexpected argument 'now'"},
        {{"--help"}, 0, "--shortcut-help", ""},
        {{"--shortcut-help"}, 0, summon.c_str(), ""},
        {{"--hidden"}, 2, "", "--shortcut-help"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.out))) << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.err))) << result.err.toStdString();
        if (c.status == 0)
            EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        else
            EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    }
}

} // namespace
