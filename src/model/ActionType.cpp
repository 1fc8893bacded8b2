#include "model/ActionType.h"

#include <array>

namespace tappling {

namespace {
constexpr std::array<std::string_view, kActionTypeCount> kTypeNames = {
    "左クリック",      "左ダブルクリック", "左UP",        "左DOWN",      "右クリック",
    "右ダブルクリック", "右UP",            "右DOWN",      "移動のみ",     "ウェイトのみ",
    "キーボード入力",   "Ctrl+C 押下",     "Ctrl+V 押下", "Ctrl+A 押下", "DELETE 押下",
    "ENTER 押下",      "TAB 押下",        "↑ 押下",      "↓ 押下",      "← 押下",
    "→ 押下",          "指定ファイル実行", "条件指定",     "スキップ",     "シャットダウン",
    "Ctrl+→ 押下",
};
}  // namespace

std::string_view typeName(ActionType type) {
    const int32_t c = code(type);
    if (c < 0 || c >= kActionTypeCount) return {};
    return kTypeNames[static_cast<size_t>(c)];
}

bool hasPosition(ActionType type) {
    const int32_t c = code(type);
    if (c < 0 || c >= kActionTypeCount) return true;
    return c <= code(ActionType::MoveOnly) || type == ActionType::Condition;
}

}  // namespace tappling
