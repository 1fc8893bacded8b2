// The run commands the user steers with: run from the selected row, the speed and the
// stop-on-input choices (remembered), and the message of a refused window.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "commands/CommandRig.h"
#include "engine/IntegrityGate.h"
#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

struct MemoryStore : SettingsStore {
    std::optional<uint32_t> readNumber(const std::string& name) override {
        return values.count(name) ? std::optional(values[name]) : std::nullopt;
    }
    bool writeNumber(const std::string& name, uint32_t value) override { return values[name] = value, true; }
    std::map<std::string, uint32_t> values;
};

struct Refusing : WindowIntegrity {
    uintptr_t foregroundWindow() override { return 7; }
    std::optional<uint32_t> windowIntegrity(uintptr_t) override { return 0x3000; }
    std::optional<uint32_t> ownIntegrity() override { return 0x2000; }
    std::string windowTitle(uintptr_t) override { return "タスク マネージャー"; }
};

struct Rig : testing::CommandRig {
    Rig() {
        for (int i = 0; i < 4; ++i) player.actions().append(testing::record(ActionType::LeftClick, 0, 10, i, i));
        run.settings = &store;
    }
    void runTimer() {
        for (int i = 0; i < 100'000 && view.stepTimerOn; ++i) {
            fake.clock.advance(1);
            run.onStepTimer();
        }
    }
    MemoryStore store;
};

TEST(PlaybackChoices, RunFromTheSelectedRowOrSayWhatIsMissing) {
    Rig rig;
    rig.run.runFromSelectedRow();
    EXPECT_EQ(rig.view.messages, (testing::Calls{"レコードを選択してください"}));
    EXPECT_FALSE(rig.view.stepTimerOn);

    rig.view.selection = {2, 3};
    rig.run.runFromSelectedRow();
    rig.runTimer();
    EXPECT_EQ(rig.fake.input.buttons.size(), 4u);  // rows 3 and 4 only
    EXPECT_EQ(rig.view.messages.back(), "終了");
}

TEST(PlaybackChoices, ChoicesAreRememberedAndReadBackAtStartUp) {
    Rig rig;
    rig.run.chooseSpeed(PlaybackSpeed::Double);
    rig.run.toggleStopOnManualInput();
    EXPECT_EQ(rig.store.values["PlaybackSpeed"], 200u);
    EXPECT_EQ(rig.store.values["StopOnManualInput"], 1u);

    Rig restarted;
    restarted.store = rig.store;
    restarted.run.loadChoices();
    EXPECT_EQ(restarted.player.playbackSpeed, PlaybackSpeed::Double);
    EXPECT_TRUE(restarted.player.stopOnManualInput);
}

TEST(PlaybackChoices, AWindowThatDropsInputIsNamedInsteadOfTheStopMessage) {
    Rig rig;
    Refusing system;
    IntegrityGate gate(system);
    rig.player.integrityGate = &gate;
    rig.run.run();
    rig.runTimer();
    EXPECT_EQ(rig.view.messages, (testing::Calls{refusedInputMessage("タスク マネージャー")}));
    EXPECT_EQ(rig.player.resumable(), 1);
}

}  // namespace
}  // namespace tappling
