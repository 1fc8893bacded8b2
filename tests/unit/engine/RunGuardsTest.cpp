// What stops a run besides the stop keys: the user's own hand, a foreground window that
// would drop the input; and the remembered playback choices.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/IntegrityGate.h"
#include "engine/ManualInputWatch.h"
#include "engine/PlaybackSettings.h"
#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

using testing::record;

struct FakeHooks : InputHooks {
    bool install(ManualInputWatch& w) override {
        watch = &w;
        return !failInstall;
    }
    void remove() override { watch = nullptr; }
    bool failInstall = false;
    ManualInputWatch* watch = nullptr;
};

TEST(ManualInputWatch, TellsTheUsersHandFromTheProgramsOwnInput) {
    enum Op { Own, Real, Injected, RealButton, InjectedButton, RealKey, InjectedKey };
    struct Step {
        Op op;
        Point p;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool tripped;
    };
    const Case cases[] = {
        {"own move echoed without the flag", {{Own, {500, 400}}, {Real, {500, 400}}}, false},
        {"own move echoed with the flag", {{Own, {500, 400}}, {Injected, {500, 400}}}, false},
        {"late echo of an earlier own move", {{Own, {500, 400}}, {Own, {900, 100}}, {Real, {500, 400}}}, false},
        {"injected move elsewhere", {{Injected, {10, 10}}}, false},
        {"real move within the threshold", {{Own, {500, 400}}, {Real, {504, 396}}}, false},
        {"real move past the threshold", {{Own, {500, 400}}, {Real, {505, 400}}}, true},
        {"real move from the start point", {{Real, {100, 106}}}, true},
        {"echo of a point the screen clipped", {{Own, {5000, -20}}, {Real, {1919, 0}}}, false},
        {"real button", {{RealButton, {}}}, true},
        {"injected button", {{InjectedButton, {}}}, false},
        {"real key", {{RealKey, {}}}, true},
        {"injected key", {{InjectedKey, {}}}, false},
    };
    for (const Case& c : cases) {
        FakeHooks hooks;
        ManualInputWatch watch(hooks);
        watch.arm({100, 100}, {0, 0, 1920, 1080});
        ASSERT_EQ(hooks.watch, &watch);
        for (const Step& s : c.steps) {
            switch (s.op) {
                case Own: watch.ownMove(s.p); break;
                case Real: watch.observe({InputKind::Move, false, s.p}); break;
                case Injected: watch.observe({InputKind::Move, true, s.p}); break;
                case RealButton: watch.observe({InputKind::ButtonDown, false, s.p}); break;
                case InjectedButton: watch.observe({InputKind::ButtonDown, true, s.p}); break;
                case RealKey: watch.observe({InputKind::KeyDown, false, s.p}); break;
                case InjectedKey: watch.observe({InputKind::KeyDown, true, s.p}); break;
            }
        }
        EXPECT_EQ(watch.tripped(), c.tripped) << c.name;
        watch.disarm();
        EXPECT_EQ(hooks.watch, nullptr) << c.name;
    }
}

TEST(ManualInputWatch, WithoutHooksOrDisarmedItNeverStopsARun) {
    FakeHooks hooks;
    hooks.failInstall = true;
    ManualInputWatch watch(hooks);
    watch.arm({0, 0}, {0, 0, 100, 100});
    EXPECT_FALSE(watch.armed());
    watch.observe({InputKind::KeyDown, false, {}});
    EXPECT_FALSE(watch.tripped());
    hooks.failInstall = false;
    watch.arm({0, 0}, {0, 0, 100, 100});
    watch.observe({InputKind::KeyDown, false, {}});
    watch.disarm();
    EXPECT_FALSE(watch.tripped());
}

struct FakeIntegrity : WindowIntegrity {
    uintptr_t foregroundWindow() override { return foreground; }
    std::optional<uint32_t> windowIntegrity(uintptr_t window) override {
        ++reads;
        return levels.count(window) ? levels[window] : std::nullopt;
    }
    std::optional<uint32_t> ownIntegrity() override { return own; }
    std::string windowTitle(uintptr_t window) override { return "窓" + std::to_string(window); }
    uintptr_t foreground = 1;
    std::optional<uint32_t> own = 0x2000;  // medium
    std::map<uintptr_t, std::optional<uint32_t>> levels;
    int reads = 0;
};

TEST(IntegrityGate, OnlyAHigherLevelRefusesAndEachWindowIsReadOnce) {
    struct Case {
        std::optional<uint32_t> own, other;
        IntegrityComparison comparison;
    };
    const Case cases[] = {
        {0x2000, 0x1000, IntegrityComparison::Lower},    {0x2000, 0x2000, IntegrityComparison::Equal},
        {0x2000, 0x3000, IntegrityComparison::Higher},   {0x2000, std::nullopt, IntegrityComparison::Unknown},
        {std::nullopt, 0x3000, IntegrityComparison::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareIntegrity(c.own, c.other), c.comparison);
        FakeIntegrity system;
        system.own = c.own;
        system.levels[1] = c.other;
        IntegrityGate gate(system);
        const bool refuses = c.comparison == IntegrityComparison::Higher;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(gate.refusingWindow(), refuses ? std::optional<std::string>("窓1") : std::nullopt);
        EXPECT_EQ(system.reads, 1);
        system.foreground = 2;  // another window: read afresh
        gate.refusingWindow();
        EXPECT_EQ(system.reads, 2);
    }
}

struct GuardedRig {
    fake::FakePlatform fake;
    MacroPlayer player{fake.platform};
    FakeHooks hooks;
    ManualInputWatch watch{hooks};
    FakeIntegrity system;
    IntegrityGate gate{system};
    GuardedRig() {
        player.manualInputWatch = &watch;
        player.integrityGate = &gate;
        for (int i = 0; i < 3; ++i) player.actions().append(record(ActionType::LeftClick, 0, 100, 10 * i, 20));
    }
    StepResult stepUntilClicks(size_t n) {
        for (int i = 0; i < 10'000; ++i) {
            fake.clock.advance(1);
            const StepResult r = player.step();
            if (r != StepResult::Continue && r != StepResult::RecordDone) return r;
            if (fake.input.buttons.size() >= 2 * n) return r;
        }
        return StepResult::Continue;
    }
};

TEST(RunGuards, TheUsersMoveStopsTheRunAsEscapeDoesTheProgramsOwnNever) {
    GuardedRig rig;
    rig.player.beginRun(0);
    EXPECT_EQ(rig.hooks.watch, nullptr);  // unticked: no hooks at all
    rig.player.stopOnManualInput = true;
    rig.player.beginRun(0);
    ASSERT_EQ(rig.hooks.watch, &rig.watch);
    rig.stepUntilClicks(1);
    rig.watch.observe({InputKind::Move, false, {0, 20}});  // the player's own move coming back
    EXPECT_EQ(rig.stepUntilClicks(2), StepResult::Continue);  // the second click went out
    rig.watch.observe({InputKind::Move, false, {300, 300}});
    EXPECT_EQ(rig.stepUntilClicks(3), StepResult::Aborted);
    EXPECT_EQ(rig.player.resumable(), 1);
    EXPECT_EQ(rig.hooks.watch, nullptr);  // hooks only while a run plays

    rig.player.beginRun(1);  // resumed: the earlier move no longer counts
    EXPECT_EQ(rig.hooks.watch, &rig.watch);
    EXPECT_EQ(rig.stepUntilClicks(10), StepResult::Finished);
    EXPECT_EQ(rig.fake.input.buttons.size(), 6u);
}

TEST(RunGuards, AWindowThatWouldDropTheInputStopsTheRunBeforeTheAction) {
    GuardedRig rig;
    rig.system.levels[1] = 0x3000;
    rig.player.actions().at(0).actionType = ActionType::WaitOnly;  // sends nothing: not checked
    rig.player.beginRun(0);
    EXPECT_EQ(rig.stepUntilClicks(1), StepResult::Aborted);
    EXPECT_EQ(rig.player.currentIndex, 1);
    EXPECT_EQ(rig.player.resumable(), 1);
    EXPECT_EQ(rig.player.refusedWindowTitle, "窓1");
    EXPECT_TRUE(rig.fake.input.buttons.empty());
    EXPECT_EQ(refusedInputMessage("窓1"),
              "管理者として実行中のウィンドウ「窓1」には入力できません。Tappling を管理者として実行するか、"
              "別のウィンドウを前面にしてから再開してください。");

    rig.system.foreground = 2;  // the user brings another window to the front and resumes
    rig.player.beginRun(1);
    EXPECT_TRUE(rig.player.refusedWindowTitle.empty());
    EXPECT_EQ(rig.stepUntilClicks(10), StepResult::Finished);
    EXPECT_EQ(rig.fake.input.buttons.size(), 4u);
}

struct FakeStore : SettingsStore {
    std::optional<uint32_t> readNumber(const std::string& name) override {
        return values.count(name) ? std::optional(values[name]) : std::nullopt;
    }
    bool writeNumber(const std::string& name, uint32_t value) override {
        if (failWrites) return false;
        values[name] = value;
        return true;
    }
    std::map<std::string, uint32_t> values;
    bool failWrites = false;
};

TEST(PlaybackSettings, MissingOrStrangeValuesMeanTheDefaults) {
    struct Case {
        std::map<std::string, uint32_t> values;
        PlaybackSettings expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{{"PlaybackSpeed", 25}, {"StopOnManualInput", 1}}, {PlaybackSpeed::Quarter, true}},
        {{{"PlaybackSpeed", 400}, {"StopOnManualInput", 0}}, {PlaybackSpeed::Quadruple, false}},
        {{{"PlaybackSpeed", 150}, {"StopOnManualInput", 2}}, {}},
    };
    for (const Case& c : cases) {
        FakeStore store;
        store.values = c.values;
        EXPECT_EQ(loadPlaybackSettings(store), c.expected);
    }
    for (const PlaybackSpeed speed : kPlaybackSpeeds) {
        FakeStore store;
        ASSERT_TRUE(savePlaybackSettings(store, {speed, true}));
        EXPECT_EQ(loadPlaybackSettings(store), (PlaybackSettings{speed, true}));
        store.failWrites = true;
        EXPECT_FALSE(savePlaybackSettings(store, {}));
    }
    EXPECT_EQ(speedCaptionSuffix(PlaybackSpeed::Double), " [×2]");
    EXPECT_EQ(speedCaptionSuffix(PlaybackSpeed::Quarter), " [×0.25]");
    EXPECT_EQ(speedCaptionSuffix(PlaybackSpeed::Normal), "");
}

}  // namespace
}  // namespace tappling
