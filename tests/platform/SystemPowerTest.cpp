#include "platform/SystemPower.h"
#include "CaseName.h"
#include "platform/fake/FakePower.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Step = FakePower::Step;

const QString PrivilegeMessage = QStringLiteral("特権の取得に失敗しました。");

struct OperationCase
{
    std::string name;
    std::function<void(SystemPower &)> run;
    PowerAction action;
    QString refusedMessage;
};

class SystemPowerTest : public testing::TestWithParam<OperationCase>
{
protected:
    // Runs the operation and answers the message of the refusal it reported, or empty.
    QString run()
    {
        QString refusal;
        QObject::connect(&systemPower, &SystemPower::refused,
                         [&](const QString &message) { refusal = message; });
        GetParam().run(systemPower);
        return refusal;
    }

    FakePower power;
    SystemPower systemPower{power};
};

TEST_P(SystemPowerTest, AsksThePrivilegeThenTheExitForItsOwnAction)
{
    EXPECT_EQ(run(), QString());
    const PowerAction action = GetParam().action;
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, action}, {Step::Exit, action}}));
}

TEST_P(SystemPowerTest, RefusedPrivilegeReportsThePrivilegeMessageWithoutExitCall)
{
    power.grantPrivilege = false;
    EXPECT_EQ(run(), PrivilegeMessage);
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, GetParam().action}}));
}

TEST_P(SystemPowerTest, ASystemThatDoesNotAnswerIsSaidSoWithoutExitCall)
{
    power.hung = true;
    EXPECT_EQ(run(), PrivilegeMessage + QStringLiteral("\nシステムが応答しません。"));
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, GetParam().action}}));
}

TEST_P(SystemPowerTest, RefusedExitReportsTheOperationsMessage)
{
    power.acceptExit = false;
    EXPECT_EQ(run(), GetParam().refusedMessage);
    EXPECT_EQ(power.calls.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SystemPowerTest,
    testing::Values(
        OperationCase{"PowerOff", &SystemPower::powerOff, PowerAction::PowerOff,
                      QStringLiteral("コンピュータの電源を切ることができませんでした。")},
        OperationCase{"Reboot", &SystemPower::reboot, PowerAction::Reboot,
                      QStringLiteral("Windows を再起動できませんでした。")}),
    CaseName());

} // namespace
