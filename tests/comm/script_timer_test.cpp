// The two script timers: one-shot and periodic expiry, KillTimer, and their end with the
// connection.
#include "script_fixture.h"

#include "periodtimer.h"

namespace {

const char kTimerLogger[] = R"(
function OnTimer(id) Logput(1, 'timer' .. id) end
function OnDisConnected() end
)";

int Count(const std::vector<std::string>& texts, const std::string& text)
{
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

} // namespace

TEST_F(ScriptTest, OneShotTimerExpiresOnce)
{
    Run(std::string(kTimerLogger) + "function OnConnected() SetTimer(1, 50, 1) Logput(1, 'ready') end");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    frame.Pump(300);
    EXPECT_EQ(1, Count(Texts(10039), "timer1"));
    EXPECT_EQ(0, Count(Texts(10039), "timer0"));
}

TEST_F(ScriptTest, PeriodicTimerRunsUntilKillTimer)
{
    Run(std::string(kTimerLogger) + R"(
n = 0
function OnConnected() SetTimer(30) Logput(1, 'ready') end
function OnTimer(id)
    Logput(1, 'timer' .. id)
    n = n + 1
    if n == 3 then KillTimer() Logput(1, 'killed') end
end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    ASSERT_TRUE(WaitForLog(10039, "killed"));
    frame.Pump(150);
    EXPECT_EQ(3, Count(Texts(10039), "timer0"));
}

TEST_F(ScriptTest, TimerThatRunsKeepsItsPeriod)
{
    Run(std::string(kTimerLogger) + "function OnConnected() SetTimer(0, 2000) SetTimer(0, 20) Logput(1, 'ready') end");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    frame.Pump(200);
    EXPECT_EQ(0, Count(Texts(10039), "timer0"));
}

TEST_F(ScriptTest, TimerWithoutAPeriodRunsEveryMillisecond)
{
    Run(R"(
n = 0
function OnConnected() SetTimer(1, -5) Logput(1, 'ready') end
function OnTimer(id) n = n + 1 if n == 5 then KillTimer(1) Logput(1, 'five' .. id) end end
function OnDisConnected() end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    // A period of its own would take seconds for five.
    ASSERT_TRUE(WaitForLog(10039, "five1", 5000));
}

TEST_F(ScriptTest, TimersEndWithTheConnection)
{
    const int before = GetLivePeriodTimerCount();
    Run(std::string(kTimerLogger) + "function OnConnected() SetTimer(0, 10) SetTimer(1, 10) Logput(1, 'ready') end");
    ASSERT_TRUE(WaitForLog(10039, "timer1"));
    ASSERT_TRUE(WaitForLog(10039, "timer0"));
    EXPECT_EQ(before + 2, GetLivePeriodTimerCount());
    ASSERT_TRUE(Stop());
    EXPECT_EQ(before, GetLivePeriodTimerCount());
}
