#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroBytes.h"
#include "model/MacroFile.h"

namespace tappling {
namespace {

using namespace testbytes;

constexpr char kPath[] = "C:\\work\\saved.TPM";

ActionRecord everyFieldSet(int32_t seed) {
    ActionRecord r;
    r.x = seed + 1;
    r.y = -(seed + 2);
    r.reserved2 = 0x7FFF0000 + seed;
    r.actionType = static_cast<ActionType>(seed % 30 - 2);
    r.preWaitMs = seed * 10;
    r.postWaitMs = INT32_MAX - seed;
    r.repeatCount = seed + 3;
    r.inputText = std::string(static_cast<size_t>(seed) * 37 % 400, 'i') + "\x93\xFA";
    r.newlineAfterInput = seed & 1;
    r.comment = "comment " + std::to_string(seed);
    r.filePath = "C:\\\x95\x5C\\file" + std::to_string(seed) + ".txt";
    r.startMaximized = 1;
    r.firstLoopOnly = (seed + 1) & 1;
    r.conditionColor = 0x00C0FFEE ^ seed;
    r.invertCondition = 1;
    r.trueJump = -seed - 5;
    r.falseJump = INT32_MIN + seed;
    r.searchRangeX = seed * 2;
    r.searchRangeY = seed * 3;
    r.offsetEnabled = seed & 1;
    r.offsetRef = -seed;
    return r;
}

class MacroFileWrite : public ::testing::Test {
protected:
    Cp932CodePage codePage;
    FakeFileAccess files;
};

TEST_F(MacroFileWrite, EmptyListGivesThe32ByteFile) {
    Macro macro;
    macro.loopEnabled = 1;
    macro.loopLimited = 1;
    macro.loopCount = 258;
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    const std::string expected = std::string("\x0BMouseAction", 12) + std::string("\xB2\x04\0\0", 4) + std::string("\x01\0\0\0", 4) +
                                 std::string("\x01\0\0\0", 4) + std::string("\x02\x01\0\0", 4) + std::string(4, '\0');
    ASSERT_EQ(files.content(kPath)->size(), 32u);
    EXPECT_EQ(*files.content(kPath), expected);
}

TEST_F(MacroFileWrite, RecordBytesFollowTheItemOrder) {
    Macro macro;
    macro.loopCount = 9;
    RecordValues v;
    ActionRecord r;
    r.x = v.x; r.y = v.y; r.reserved2 = v.reserved2; r.actionType = static_cast<ActionType>(v.type);
    r.preWaitMs = v.pre; r.postWaitMs = v.post; r.repeatCount = v.repeat; r.inputText = v.input;
    r.newlineAfterInput = v.newline; r.comment = v.comment; r.filePath = v.file; r.startMaximized = v.maximized;
    r.firstLoopOnly = v.firstOnly; r.conditionColor = v.colour; r.invertCondition = v.invert;
    r.trueJump = v.trueJump; r.falseJump = v.falseJump; r.searchRangeX = v.rangeX; r.searchRangeY = v.rangeY;
    r.offsetEnabled = v.offsetEnabled; r.offsetRef = v.offsetRef;
    r.foundDx = 1234;  // never stored
    r.foundDy = 5678;
    macro.actions.append(r);
    macro.actions.append(r);
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    EXPECT_EQ(*files.content(kPath), header(1202, 0, 0, 9, 2) + record(v, 21) + record(v, 21));
}

struct LengthCase {
    size_t length;
    std::string prefix;
};

class WrittenPrefix : public MacroFileWrite, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(WrittenPrefix, UsesTheShortestFormForTheLength) {
    Macro macro;
    ActionRecord r;
    r.comment = std::string(GetParam().length, 'x');
    macro.actions.append(r);
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    const std::string& bytes = *files.content(kPath);
    const size_t at = 32 + 28 + 1 + 4;  // header, seven int32, empty inputText, newlineAfterInput
    EXPECT_EQ(bytes.substr(at, GetParam().prefix.size()), GetParam().prefix);
    EXPECT_EQ(bytes.substr(at + GetParam().prefix.size(), GetParam().length), r.comment);

    Macro back;
    files.put(kPath, bytes);
    ASSERT_EQ(readMacroFile(back, kPath, ReadMode::Open, files, codePage).result, ReadResult::Loaded);
    EXPECT_EQ(back.actions.at(0).comment, r.comment);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, WrittenPrefix,
                         ::testing::Values(LengthCase{0, le(0, 1)}, LengthCase{254, le(254, 1)},
                                           LengthCase{255, "\xFF" + le(255, 2)},
                                           LengthCase{300, std::string("\xFF\x2C\x01", 3)},
                                           LengthCase{65533, "\xFF" + le(65533, 2)},
                                           LengthCase{65534, "\xFF\xFF\xFF" + le(65534, 4)},
                                           LengthCase{70000, "\xFF\xFF\xFF" + le(70000, 4)}));

TEST_F(MacroFileWrite, RoundTripReproducesEverySavedField) {
    Macro macro;
    macro.loopEnabled = 1;
    macro.loopLimited = 0;
    macro.loopCount = -7;
    // Enough records for several read buffers, so values straddle the refills.
    constexpr int32_t kRecords = 1000;
    for (int32_t i = 0; i < kRecords; ++i) macro.actions.append(everyFieldSet(i));
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    Macro back;
    back.loopLimited = 1;
    ASSERT_EQ(readMacroFile(back, kPath, ReadMode::Open, files, codePage).result, ReadResult::Loaded);
    EXPECT_EQ(back.loopEnabled, 1);
    EXPECT_EQ(back.loopLimited, 0);
    EXPECT_EQ(back.loopCount, -7);
    ASSERT_EQ(back.actions.size(), kRecords);
    for (int32_t i = 0; i < kRecords; ++i) {
        ActionRecord expected = everyFieldSet(i);
        EXPECT_EQ(back.actions.at(i), expected) << i;
    }
}

TEST_F(MacroFileWrite, FoundDisplacementIsNotSaved) {
    Macro macro;
    ActionRecord r;
    r.foundDx = 3;
    r.foundDy = 4;
    macro.actions.append(r);
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    Macro back;
    ASSERT_EQ(readMacroFile(back, kPath, ReadMode::Open, files, codePage).result, ReadResult::Loaded);
    EXPECT_EQ(back.actions.at(0).foundDx, 0);
    EXPECT_EQ(back.actions.at(0).foundDy, 0);
}

TEST_F(MacroFileWrite, WideStringIsSavedAgainInTheAnsiForm) {
    const std::string ints = i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7);
    files.put(kPath, header(1201, 0, 0, 1, 1) + ints + "\xFF\xFE\xFF\x02" + le(u'日', 2) + le(u'本', 2) + i32(0) +
                         str("") + str("") + std::string(40, '\0'));
    Macro macro;
    ASSERT_EQ(readMacroFile(macro, kPath, ReadMode::Open, files, codePage).result, ReadResult::Loaded);
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    const std::string& bytes = *files.content(kPath);
    EXPECT_EQ(bytes.substr(32 + 28, 5), "\x04\x93\xFA\x96\x7B");
    EXPECT_EQ(bytes.find("\xFF\xFE"), std::string::npos);
}

TEST_F(MacroFileWrite, FailedSaveKeepsTheOldFileAndReportsTheError) {
    files.put(kPath, "old content");
    files.failWrites = true;
    Macro macro;
    macro.actions.append(ActionRecord{});
    const WriteOutcome outcome = writeMacroFile(macro, kPath, files);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.errorText, "disk full");
    EXPECT_EQ(*files.content(kPath), "old content");
}

TEST_F(MacroFileWrite, SaveGoesThroughOneAtomicWrite) {
    Macro macro;
    ASSERT_TRUE(writeMacroFile(macro, kPath, files).ok);
    EXPECT_EQ(files.writeCount, 1);
}

}  // namespace
}  // namespace tappling
