#include "engine/IntegrityGate.h"

namespace tappling {

IntegrityComparison compareIntegrity(std::optional<uint32_t> own, std::optional<uint32_t> other) {
    if (!own || !other) return IntegrityComparison::Unknown;
    if (*other > *own) return IntegrityComparison::Higher;
    if (*other < *own) return IntegrityComparison::Lower;
    return IntegrityComparison::Equal;
}

std::optional<std::string> IntegrityGate::refusingWindow() {
    const uintptr_t window = system_.foregroundWindow();
    if (window == 0) return std::nullopt;
    if (!cacheValid_ || window != cachedWindow_) {
        if (!own_) own_ = system_.ownIntegrity();
        cachedRefuses_ = compareIntegrity(*own_, system_.windowIntegrity(window)) == IntegrityComparison::Higher;
        cachedWindow_ = window;
        cacheValid_ = true;
    }
    if (!cachedRefuses_) return std::nullopt;
    return system_.windowTitle(window);
}

std::string refusedInputMessage(const std::string& windowTitleUtf8) {
    return "管理者として実行中のウィンドウ「" + windowTitleUtf8 +
           "」には入力できません。Tappling を管理者として実行するか、別のウィンドウを前面にしてから再開してください。";
}

}  // namespace tappling
