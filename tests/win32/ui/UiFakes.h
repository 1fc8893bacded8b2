// Scripted stand-ins for the main window's tests: a platform that touches no real input,
// message boxes that record their texts, file dialogs that answer from a script.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/MacroPlayer.h"
#include "engine/Platform.h"
#include "model/MacroFileChooser.h"
#include "model/Prompter.h"

namespace tappling {

// The flags as earlier commands and runs would have left them.
struct MacroPlayerTestAccess {
    static void setModified(MacroPlayer& player, int32_t modified) { player.modified_ = modified; }
    static void setResumable(MacroPlayer& player, int32_t resumable) { player.resumable_ = resumable; }
};

class TestClock final : public Clock {
public:
    uint32_t tickCount() override { return GetTickCount(); }
};

class TestInput final : public InputSink {
public:
    void setCursorPos(int32_t, int32_t) override {}
    void clipCursorFree() override {}
    std::optional<Point> cursorPos() override { return Point{}; }
    void mouseButton(uint32_t) override {}
    void key(uint8_t, uint32_t) override {}
};

class TestKeys final : public KeyState {
public:
    bool escDown = false;
    bool f2Down = false;
    int queries = 0;
    uint16_t asyncKeyState(uint8_t vk) override {
        ++queries;
        if (vk == kVkEscape) return escDown ? 0x8000 : 0;
        if (vk == kVkF2) return f2Down ? 0x8000 : 0;
        return 0;
    }
};

class TestScreen final : public Screen {
public:
    ScreenRect virtualScreen() override { return {0, 0, 1024, 768}; }
    std::optional<PixelCapture> capture(const ScreenRect&) override { return std::nullopt; }
    std::optional<uint32_t> pixelAt(int32_t, int32_t) override { return std::nullopt; }
    uint32_t doubleClickTime() override { return 500; }
    Point doubleClickSize() override { return {4, 4}; }
};

class TestClipboard final : public Clipboard {
public:
    bool setText(const std::string&) override { return true; }
};

class TestShell final : public Shell {
public:
    void open(const std::string&, bool) override {}
};

class TestPower final : public SystemPower {
public:
    void shutdown() override {}
};

class TestRandom final : public RandomSource {
public:
    int next() override { return 0; }
};

struct TestPlatform {
    TestClock clock;
    TestInput input;
    TestKeys keys;
    TestScreen screen;
    TestClipboard clipboard;
    TestShell shell;
    TestPower power;
    TestRandom random;
    Platform platform{clock, input, keys, screen, clipboard, shell, power, random};
};

class TestPrompter final : public Prompter {
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    Answer answer = Answer::No;
    bool ok = false;  // the answer to an OK/Cancel question
    void inform(std::string_view text) override { messages.emplace_back(text); }
    Answer askYesNoCancel(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }
    bool askOkCancel(std::string_view question) override {
        questions.emplace_back(question);
        return ok;
    }
};

class TestFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> answer;
    int calls = 0;
    std::optional<ChosenFile> choose(ChooseMode, const std::string&) override {
        ++calls;
        if (!answer) return std::nullopt;
        return ChosenFile{*answer};
    }
};

}  // namespace tappling
