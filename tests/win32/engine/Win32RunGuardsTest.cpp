// The Win32 sides of the run's guards and of the remembered settings, in the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32InputHooks.h"
#include "engine/win32/Win32SettingsStore.h"
#include "engine/win32/Win32WindowIntegrity.h"

namespace tappling {
namespace {

using test::pumpUntil;
using test::TestWindow;

TEST(Win32SettingsStore, ReadsBackWhatItWroteAndNothingElse) {
    Win32SettingsStore store;
    EXPECT_EQ(store.readNumber("NoSuchValue"), std::nullopt);
    ASSERT_TRUE(store.writeNumber("PlaybackSpeed", 200));
    EXPECT_EQ(store.readNumber("PlaybackSpeed"), 200u);
    const char text[] = "200";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Tappling", "PlaybackSpeed", REG_SZ, text, sizeof text),
              ERROR_SUCCESS);
    EXPECT_EQ(store.readNumber("PlaybackSpeed"), std::nullopt);  // not a number: the default applies
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Tappling", "PlaybackSpeed");
}

TEST(Win32InputHooks, SeeAMoveThatIsNotTheProgramsOwnAndPassTheProgramsClicks) {
    TestWindow window{120, 90, 300, 200};
    window.activate();
    Win32Input input;
    Win32InputHooks hooks;
    ManualInputWatch watch(hooks);
    watch.arm({10, 10}, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    ASSERT_TRUE(watch.armed());

    watch.ownMove({200, 150});
    input.setCursorPos(200, 150);
    input.mouseButton(0x0002);
    input.mouseButton(0x0004);
    pumpUntil([] { return false; }, 300);
    EXPECT_FALSE(watch.tripped());

    // A move the watch was not told of, far from where the program put the pointer: the
    // hooks must pass it on, whatever its flag says. (Wine reports a warp of the pointer
    // only over a window of its own.)
    SetCursorPos(380, 250);
    EXPECT_TRUE(pumpUntil([&] { return watch.tripped(); }, 2000));
    watch.disarm();
}

TEST(Win32WindowIntegrity, ThisProcessDoesNotRefuseItsOwnWindow) {
    TestWindow window{120, 90, 300, 200};
    window.activate();
    Win32WindowIntegrity system;
    const auto own = system.ownIntegrity();
    EXPECT_EQ(system.windowIntegrity(reinterpret_cast<uintptr_t>(window.hwnd())), own);
    IntegrityGate gate(system);
    EXPECT_EQ(gate.refusingWindow(), std::nullopt);
}

}  // namespace
}  // namespace tappling
