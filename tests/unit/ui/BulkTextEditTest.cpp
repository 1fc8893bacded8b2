#include "ui/logic/BulkTextEdit.h"

#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

ActionList listOf(std::string_view types) {
    ActionList list;
    for (char t : types) {
        ActionRecord record;
        record.actionType = t == 'K' ? ActionType::KeyboardInput : ActionType::LeftClick;
        record.inputText = "old";
        list.append(record);
    }
    return list;
}

// Per case: the action types (K keyboard input, L left click), the typed number list, which
// actions get the new text and the done message.
TEST(BulkTextEdit, ChangesTheListedKeyboardInputsAndReports) {
    const struct {
        const char *types, *numbers, *changed, *message;
    } cases[] = {
        {"KKK", "3", "001", "編集終了  ( 3 )"},        {"KKL", "3", "000", "編集不可"},
        {"LKL", "1,2,3", "010", "編集終了  ( 2, )"},   {"KKK", "0", "000", "編集不可"},
        {"KKK", "-1", "000", "編集不可"},              {"KKK", "4", "000", "編集不可"},
        {"KKK", "", "000", "編集不可"},                {"KKK", "abc", "000", "編集不可"},
        {"KKK", "2,2", "010", "編集終了  ( 2,2 )"},    {"KKKK", "1,,3,4", "1010", "編集終了  ( 1,3,4 )"},
        {"KKK", "1,2,", "110", "編集終了  ( 1,2, )"},  {"KKKKK", "2, 5", "01001", "編集終了  ( 2, 5 )"},
        {"KKK", ",3", "001", "編集終了  ( 3 )"},       {"KKK", "1,x,3", "101", "編集終了  ( 1,3 )"},
    };
    const Cp932CodePage cp932;
    for (const auto& c : cases) {
        ActionList list = listOf(c.types);
        const BulkEditOutcome outcome = applyBulkTextEdit(list, c.numbers, "new", cp932);
        for (int32_t i = 0; i < list.size(); ++i)
            EXPECT_EQ(list.at(i).inputText, c.changed[i] == '1' ? "new" : "old") << c.numbers << " action " << i + 1;
        EXPECT_EQ(bulkEditMessage(outcome.done), c.message) << c.numbers;
        EXPECT_EQ(outcome.changes > 0, std::string_view(c.changed).find('1') != std::string_view::npos);
    }
}

TEST(BulkTextEdit, CommaSearchSkipsTrailBytes) {
    const Cp932CodePage cp932;
    // 0x81 0x2C is one double-byte character whose second byte is the code of ','.
    EXPECT_EQ(findComma("\x81\x2c" "1,2", cp932), 3u);
    EXPECT_EQ(findComma("12", cp932), std::string_view::npos);
    EXPECT_EQ(findComma(",", cp932), 0u);
    EXPECT_EQ(findComma("\x81", cp932), std::string_view::npos);  // a lone lead byte at the end

    ActionList list = listOf("KK");
    const BulkEditOutcome outcome = applyBulkTextEdit(list, "2\x81\x2c" "1", "new", cp932);
    EXPECT_EQ(outcome.done, "2\x81\x2c" "1");  // one token: "2" then a character, reads as 2
    EXPECT_EQ(list.at(0).inputText, "old");
    EXPECT_EQ(list.at(1).inputText, "new");
}

}  // namespace
}  // namespace tappling
