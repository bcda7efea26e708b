// The single-instance rule against a scripted system: who runs, who ends, who takes over.
#include "app/SingleInstanceRule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "app/InstanceSystem.h"
#include "app/StartupUi.h"

namespace {

// A system with one other player whose mutex vanishes after a number of polls.
class FakeInstanceSystem : public InstanceSystem {
public:
    bool otherRunning = false;
    int pollsUntilOtherEnds = -1;  // -1: the other player never ends
    bool createFails = false;
    bool holding = false;
    std::vector<std::string> calls;
    int sleptMs = 0;

    bool OpenBootMutex() override {
        calls.push_back("open");
        if (otherRunning && pollsUntilOtherEnds == 0) {
            otherRunning = false;
        }
        holding = otherRunning;
        return otherRunning;
    }
    bool CreateBootMutex() override {
        calls.push_back("create");
        holding = !createFails;
        return !createFails;
    }
    void CloseBootMutex() override {
        holding = false;
        calls.push_back("close");
    }
    void ActivateRunningPlayer() override { calls.push_back("activate"); }
    void PostCloseToRunningPlayers() override { calls.push_back("post-close"); }
    void Sleep(int milliseconds) override {
        sleptMs += milliseconds;
        if (pollsUntilOtherEnds > 0) {
            --pollsUntilOtherEnds;
        }
    }
};

class ScriptedUi : public StartupUi {
public:
    std::deque<KillFailureChoice> answers;
    int asked = 0;
    void ShowCommandLineWarning(const std::string&) override {}
    KillFailureChoice AskKillFailed() override {
        ++asked;
        const KillFailureChoice answer = answers.empty() ? KillFailureChoice::kAbort : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
};

TEST(SingleInstanceRule, AloneCreatesTheMutexAndRuns) {
    FakeInstanceSystem system;
    ScriptedUi ui;
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, true, false), InstanceOutcome::kGoOn);
    EXPECT_TRUE(system.holding);
    system.createFails = true;
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, false, false), InstanceOutcome::kEnd);
}

TEST(SingleInstanceRule, SingleActivatesTheRunningPlayerAndEnds) {
    FakeInstanceSystem system;
    system.otherRunning = true;
    ScriptedUi ui;
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, true, false), InstanceOutcome::kEnd);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"open", "activate", "close"}));
}

TEST(SingleInstanceRule, MultiRunsBesideTheOtherPlayer) {
    FakeInstanceSystem system;
    system.otherRunning = true;
    ScriptedUi ui;
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, false, false), InstanceOutcome::kGoOn);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"open"}));
}

TEST(SingleInstanceRule, KillPollsEvery100msUntilTheOtherEndsThenTakesOver) {
    FakeInstanceSystem system;
    system.otherRunning = true;
    system.pollsUntilOtherEnds = 3;
    ScriptedUi ui;
    // kill wins over single and over multi alike
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, true, true), InstanceOutcome::kTookOver);
    EXPECT_EQ(system.sleptMs, 300);
    EXPECT_TRUE(system.holding);
    EXPECT_EQ(ui.asked, 0);
}

TEST(SingleInstanceRule, KillGivesUpAfter50PollsAndAsks) {
    struct Case {
        std::deque<KillFailureChoice> answers;
        InstanceOutcome outcome;
        int postCloses;
    };
    const Case cases[] = {
        {{KillFailureChoice::kAbort}, InstanceOutcome::kEnd, 1},
        {{KillFailureChoice::kIgnore}, InstanceOutcome::kGoOn, 1},
        {{KillFailureChoice::kRetry, KillFailureChoice::kAbort}, InstanceOutcome::kEnd, 2},
    };
    for (const Case& c : cases) {
        FakeInstanceSystem system;
        system.otherRunning = true;
        ScriptedUi ui;
        ui.answers = c.answers;
        EXPECT_EQ(ApplySingleInstanceRule(system, ui, false, true), c.outcome);
        EXPECT_EQ(system.sleptMs, 50 * 100 * c.postCloses);
        EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "post-close"), c.postCloses);
        // Neither giving up nor going on keeps the other player's mutex open.
        EXPECT_FALSE(system.holding);
    }
}

TEST(SingleInstanceRule, RetryThatSucceedsTakesOver) {
    ScriptedUi ui;
    ui.answers = {KillFailureChoice::kRetry};
    InstanceRuleLimits limits;
    limits.pollCount = 2;
    // The other player ends during the second round.
    struct EndingSystem : FakeInstanceSystem {
        int rounds = 0;
        void PostCloseToRunningPlayers() override {
            if (++rounds == 2)
                pollsUntilOtherEnds = 1;
        }
    } ending;
    ending.otherRunning = true;
    EXPECT_EQ(ApplySingleInstanceRule(ending, ui, false, true, limits), InstanceOutcome::kTookOver);
    EXPECT_EQ(ui.asked, 1);
}

TEST(SingleInstanceRule, TakeOverFailsWhenTheNewMutexCannotBeCreated) {
    FakeInstanceSystem system;
    system.otherRunning = true;
    system.pollsUntilOtherEnds = 1;
    system.createFails = true;
    ScriptedUi ui;
    EXPECT_EQ(ApplySingleInstanceRule(system, ui, false, true), InstanceOutcome::kEnd);
    EXPECT_EQ(ui.asked, 1);
}

}  // namespace
