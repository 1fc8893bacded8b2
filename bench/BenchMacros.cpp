#include "BenchMacros.h"

namespace tappling::bench {

Macro makeLargeMacro(int32_t count) {
    static constexpr ActionType kinds[] = {ActionType::LeftClick, ActionType::WaitOnly, ActionType::Condition,
                                           ActionType::MoveOnly, ActionType::RightClick};
    Macro macro;
    macro.loopEnabled = 1;
    macro.loopLimited = 1;
    macro.loopCount = 3;
    for (int32_t i = 0; i < count; ++i) {
        ActionRecord r;
        r.actionType = kinds[i % 5];
        r.x = i % 1920;
        r.y = i % 1080;
        r.preWaitMs = 100 + i % 900;
        r.comment = (i % 3 == 0) ? "\x83\x81\x83\x82 " + std::to_string(i) : std::string();  // "メモ" in 932
        if (i % 7 == 0) r.inputText = "typed text " + std::to_string(i);
        r.conditionColor = 0x00123456;
        r.firstLoopOnly = i % 11 == 0 ? 1 : 0;
        macro.actions.append(std::move(r));
    }
    return macro;
}

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::string tempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace tappling::bench
