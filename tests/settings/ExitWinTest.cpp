#include "platform/fake/FakePower.h"
#include "settings/ExitWin32.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Step = FakePower::Step;

const QString PrivilegeMessage = QStringLiteral("特権の取得に失敗しました。");

struct OperationCase
{
    std::string name;
    std::function<void(TExitWin &)> run;
    PowerAction action;
    QString refusedMessage;
};

std::string caseName(const testing::TestParamInfo<OperationCase> &info)
{
    return info.param.name;
}

class ExitWinTest : public testing::TestWithParam<OperationCase>
{
protected:
    // Runs the operation and answers the message of the EExitError it raised, or empty.
    QString run()
    {
        try {
            GetParam().run(exitWin);
        } catch (const EExitError &e) {
            return e.message();
        }
        return {};
    }

    FakePower power;
    TExitWin exitWin{power};
};

TEST_P(ExitWinTest, AsksThePrivilegeThenTheExitForItsOwnAction)
{
    EXPECT_EQ(run(), QString());
    const PowerAction action = GetParam().action;
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, action}, {Step::Exit, action}}));
}

TEST_P(ExitWinTest, RefusedPrivilegeRaisesThePrivilegeMessageWithoutExitCall)
{
    power.grantPrivilege = false;
    EXPECT_EQ(run(), PrivilegeMessage);
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, GetParam().action}}));
}

TEST_P(ExitWinTest, RefusedExitRaisesTheOperationsMessage)
{
    power.acceptExit = false;
    EXPECT_EQ(run(), GetParam().refusedMessage);
    EXPECT_EQ(power.calls.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ExitWinTest,
    testing::Values(
        OperationCase{"PowerOff", &TExitWin::PowerOff, PowerAction::PowerOff,
                      QStringLiteral("コンピュータの電源を切ることができませんでした。")},
        OperationCase{"Reboot", &TExitWin::Reboot, PowerAction::Reboot,
                      QStringLiteral("Windows を再起動できませんでした。")}),
    caseName);

} // namespace
