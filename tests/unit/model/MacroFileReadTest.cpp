#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroFile.h"
#include "model/MacroBytes.h"

namespace tappling {
namespace {

using namespace testbytes;

constexpr char kPath[] = "C:\\work\\m.TPM";

class MacroFileRead : public ::testing::Test {
protected:
    ReadOutcome read(const std::string& bytes, ReadMode mode = ReadMode::Open) {
        files.put(kPath, bytes);
        return readMacroFile(macro, kPath, mode, files, codePage);
    }
    void giveMacroThreeRecords() {
        for (int i = 0; i < 3; ++i) {
            ActionRecord r;
            r.x = 100 + i;
            macro.actions.append(r);
        }
        macro.loopEnabled = 1;
        macro.loopLimited = 1;
        macro.loopCount = 5;
    }
    Cp932CodePage codePage;
    FakeFileAccess files;
    Macro macro;
};

struct VersionCase {
    int32_t version;
    int items;
};

class EveryVersion : public MacroFileRead, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(EveryVersion, ReadsTheItemsItStoresAndDefaultsTheRest) {
    const auto [version, items] = GetParam();
    RecordValues v;
    v.type = code(ActionType::Condition);
    const std::string bytes = header(version, 1, 1, 9, 2) + record(v, items) + record(v, items);
    const ReadOutcome outcome = read(bytes);
    ASSERT_EQ(outcome.result, ReadResult::Loaded) << outcome.errorText;
    ASSERT_EQ(macro.actions.size(), 2);
    const ActionRecord& r = macro.actions.at(1);
    const ActionRecord d = makeDefaultRecord();
    EXPECT_EQ(r.x, 11);
    EXPECT_EQ(r.y, 22);
    EXPECT_EQ(r.reserved2, 33);
    EXPECT_EQ(r.actionType, ActionType::Condition);
    EXPECT_EQ(r.preWaitMs, 44);
    EXPECT_EQ(r.postWaitMs, 55);
    EXPECT_EQ(r.repeatCount, 66);
    EXPECT_EQ(r.inputText, "in");
    EXPECT_EQ(r.newlineAfterInput, 1);
    EXPECT_EQ(r.comment, "cm");
    EXPECT_EQ(r.filePath, items >= 13 ? "C:\\f.txt" : d.filePath);
    EXPECT_EQ(r.startMaximized, items >= 13 ? 1 : d.startMaximized);
    EXPECT_EQ(r.firstLoopOnly, items >= 13 ? 1 : d.firstLoopOnly);
    EXPECT_EQ(r.conditionColor, items >= 19 ? 0x00123456 : d.conditionColor);
    EXPECT_EQ(r.invertCondition, items >= 19 ? 1 : d.invertCondition);
    EXPECT_EQ(r.trueJump, items >= 19 ? -2 : d.trueJump);
    EXPECT_EQ(r.falseJump, items >= 19 ? 3 : d.falseJump);
    EXPECT_EQ(r.searchRangeX, items >= 19 ? 7 : d.searchRangeX);
    EXPECT_EQ(r.searchRangeY, items >= 19 ? 8 : d.searchRangeY);
    EXPECT_EQ(r.offsetEnabled, items >= 21 ? 1 : 0);
    EXPECT_EQ(r.offsetRef, items >= 21 ? -1 : 0);
    EXPECT_EQ(macro.loopEnabled, 1);
    if (version != 1000) {
        EXPECT_EQ(macro.loopLimited, 1);
        EXPECT_EQ(macro.loopCount, 9);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, EveryVersion,
                         ::testing::Values(VersionCase{1000, 10}, VersionCase{1100, 13}, VersionCase{1101, 13},
                                           VersionCase{1200, 19}, VersionCase{1201, 21}, VersionCase{1202, 21}));

struct TypeMapCase {
    int32_t version;
    int32_t stored;
    ActionType loaded;
};

class TypeMapping : public MacroFileRead, public ::testing::WithParamInterface<TypeMapCase> {};

TEST_P(TypeMapping, OnlyVersion1100MapsSeventeen) {
    RecordValues v;
    v.type = GetParam().stored;
    ASSERT_EQ(read(header(GetParam().version, 0, 0, 1, 1) + record(v, itemsOf(GetParam().version))).result,
              ReadResult::Loaded);
    EXPECT_EQ(macro.actions.at(0).actionType, GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TypeMapping,
    ::testing::Values(TypeMapCase{1100, 17, ActionType::ExecuteFile}, TypeMapCase{1101, 17, ActionType::UpKey},
                      TypeMapCase{1000, 17, ActionType::UpKey}, TypeMapCase{1202, 17, ActionType::UpKey},
                      TypeMapCase{1100, 21, ActionType::ExecuteFile}, TypeMapCase{1100, 16, ActionType::TabKey},
                      TypeMapCase{1000, 99, static_cast<ActionType>(99)},
                      TypeMapCase{1202, -5, static_cast<ActionType>(-5)}));

TEST_F(MacroFileRead, Version1000KeepsLoopLimitedAndLoopCount) {
    giveMacroThreeRecords();
    macro.loopEnabled = 0;
    ASSERT_EQ(read(header(1000, 1, 0, 0, 0)).result, ReadResult::Loaded);
    EXPECT_EQ(macro.loopEnabled, 1);
    EXPECT_EQ(macro.loopLimited, 1);
    EXPECT_EQ(macro.loopCount, 5);
    EXPECT_TRUE(macro.actions.empty());
}

TEST_F(MacroFileRead, OpenReplacesTheListAndTheLoopValues) {
    giveMacroThreeRecords();
    ASSERT_EQ(read(header(1202, 0, 0, 3, 1) + record({}, 21)).result, ReadResult::Loaded);
    EXPECT_EQ(macro.actions.size(), 1);
    EXPECT_EQ(macro.loopEnabled, 0);
    EXPECT_EQ(macro.loopLimited, 0);
    EXPECT_EQ(macro.loopCount, 3);
}

TEST_F(MacroFileRead, ImportAppendsBehindTheMarker) {
    giveMacroThreeRecords();
    RecordValues v;
    v.trueJump = 1;
    const ReadOutcome outcome = read(header(1202, 0, 0, 7, 2) + record(v, 21) + record(v, 21), ReadMode::Import);
    ASSERT_EQ(outcome.result, ReadResult::Loaded);
    ASSERT_EQ(macro.actions.size(), 3 + 1 + 2);
    EXPECT_EQ(macro.actions.at(2).x, 102);
    const ActionRecord& marker = macro.actions.at(3);
    EXPECT_EQ(marker.actionType, ActionType::WaitOnly);
    EXPECT_EQ(marker.preWaitMs, 0);
    EXPECT_EQ(marker.postWaitMs, 0);
    EXPECT_EQ(marker.comment, "\x81\xA1\x83\x43\x83\x93\x83\x7C\x81\x5B\x83\x67\x81\xA1");  // ■インポート■ in 932
    EXPECT_EQ(marker.repeatCount, 1);
    EXPECT_EQ(marker.trueJump, 1);
    EXPECT_EQ(macro.actions.at(4).trueJump, 1);  // imported jumps are not renumbered
    EXPECT_EQ(macro.loopEnabled, 0);
    EXPECT_EQ(macro.loopLimited, 0);
    EXPECT_EQ(macro.loopCount, 7);
}

TEST_F(MacroFileRead, UnknownVersionAfterImportLeavesTheMarker) {
    giveMacroThreeRecords();
    EXPECT_EQ(read(header(999, 0, 0, 2, 0), ReadMode::Import).result, ReadResult::VersionNotSupported);
    ASSERT_EQ(macro.actions.size(), 4);
    EXPECT_EQ(macro.actions.at(3).actionType, ActionType::WaitOnly);
    EXPECT_EQ(macro.loopEnabled, 1);
    EXPECT_EQ(macro.loopCount, 5);
}

TEST_F(MacroFileRead, UnknownVersionAfterOpenLeavesTheListEmpty) {
    giveMacroThreeRecords();
    for (int32_t version : {999, 0, -1202, 1203, 1001, 2000}) {
        macro.actions.append(ActionRecord{});
        EXPECT_EQ(read(header(version, 0, 0, 2, 0)).result, ReadResult::VersionNotSupported) << version;
        EXPECT_TRUE(macro.actions.empty());
        EXPECT_EQ(macro.loopEnabled, 1);
        EXPECT_EQ(macro.loopLimited, 1);
        EXPECT_EQ(macro.loopCount, 5);
    }
}

TEST_F(MacroFileRead, WrongTagChangesNothing) {
    giveMacroThreeRecords();
    for (const std::string& bytes : {str("MouseActioN") + i32(1202), str("MouseAction ") + i32(1202),
                                     str("") + i32(1202), str("Mouse") + i32(1202) + i32(0) + i32(0)}) {
        for (ReadMode mode : {ReadMode::Open, ReadMode::Import}) {
            EXPECT_EQ(read(bytes, mode).result, ReadResult::FormatNotSupported);
            EXPECT_EQ(macro.actions.size(), 3);
            EXPECT_EQ(macro.loopCount, 5);
        }
    }
}

TEST_F(MacroFileRead, TagAndVersionAreBothReadBeforeTheTagIsCompared) {
    giveMacroThreeRecords();
    const ReadOutcome outcome = read(str("Other") + "\x01\x02");
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
    EXPECT_FALSE(outcome.errorText.empty());
    EXPECT_EQ(macro.actions.size(), 3);
}

TEST_F(MacroFileRead, EmptyOrTooShortFileIsAReadError) {
    for (const std::string& bytes : {std::string(), std::string("\x0B"), tag(), tag() + "\xB2\x04"}) {
        const ReadOutcome outcome = read(bytes);
        EXPECT_EQ(outcome.result, ReadResult::ReadError) << bytes.size();
        EXPECT_EQ(outcome.errorText, "ファイルが壊れています（途中で終わっています）。");
    }
}

TEST_F(MacroFileRead, MissingFileOrWrongNameIsNotSupported) {
    giveMacroThreeRecords();
    const std::string valid = header(1202, 0, 0, 1, 0);
    EXPECT_EQ(readMacroFile(macro, "C:\\work\\none.TPM", ReadMode::Open, files, codePage).result,
              ReadResult::FormatNotSupported);
    files.put("C:\\work\\a.tpm", valid);
    EXPECT_EQ(readMacroFile(macro, "C:\\work\\a.TPM", ReadMode::Open, files, codePage).result,
              ReadResult::FormatNotSupported);
    files.put("C:\\work\\b.TPM", valid);
    EXPECT_EQ(readMacroFile(macro, "b.TPM", ReadMode::Open, files, codePage).result, ReadResult::FormatNotSupported);
    EXPECT_EQ(macro.actions.size(), 3);
    EXPECT_EQ(readMacroFile(macro, "c:\\WORK\\b.tpm", ReadMode::Open, files, codePage).result, ReadResult::Loaded);
}

TEST_F(MacroFileRead, OpenFailureIsAReadErrorWithTheSystemText) {
    files.failOpen = true;
    const ReadOutcome outcome = read(header(1202, 0, 0, 1, 0));
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
    EXPECT_EQ(outcome.errorText, "cannot open C:\\work\\m.TPM");
}

TEST_F(MacroFileRead, IoErrorStopsTheLoadAndKeepsWhatWasRead) {
    const std::string first = header(1202, 1, 1, 4, 3) + record({}, 21);
    files.ioErrorAfter = static_cast<int64_t>(first.size());
    const ReadOutcome outcome = read(first + record({}, 21) + record({}, 21));
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
    EXPECT_EQ(outcome.errorText, "ファイルの読み込み中にエラーが発生しました。");
    // The fake fails whole refills, so what was buffered before the error is kept.
    EXPECT_EQ(macro.actions.size(), 1);
    EXPECT_EQ(macro.loopCount, 4);
}

TEST_F(MacroFileRead, LoopValuesAreStoredAsSoonAsTheyAreRead) {
    giveMacroThreeRecords();
    macro.loopEnabled = 0;
    const std::string full = header(1202, 1, 0, 8, 0);
    const ReadOutcome outcome = read(full.substr(0, 16 + 4 + 4));  // loopEnabled and loopLimited only
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
    EXPECT_TRUE(macro.actions.empty());
    EXPECT_EQ(macro.loopEnabled, 1);
    EXPECT_EQ(macro.loopLimited, 0);
    EXPECT_EQ(macro.loopCount, 5);
}

TEST_F(MacroFileRead, CountAtOrBelowZeroReadsNoRecordAndExtraBytesAreIgnored) {
    for (int32_t count : {0, -1, INT32_MIN}) {
        EXPECT_EQ(read(header(1202, 0, 0, 1, count) + record({}, 21)).result, ReadResult::Loaded);
        EXPECT_TRUE(macro.actions.empty());
    }
    EXPECT_EQ(read(header(1202, 0, 0, 1, 1) + record({}, 21) + "trailing garbage").result, ReadResult::Loaded);
    EXPECT_EQ(macro.actions.size(), 1);
}

TEST_F(MacroFileRead, CountLargerThanTheFileCanHoldIsAReadError) {
    for (int32_t count : {2, 1000, INT32_MAX}) {
        const ReadOutcome outcome = read(header(1202, 0, 0, 1, count) + record({}, 21));
        EXPECT_EQ(outcome.result, ReadResult::ReadError) << count;
        EXPECT_FALSE(outcome.errorText.empty());
        EXPECT_EQ(macro.actions.size(), 1) << "the record before the cut stays";
    }
    // Exactly the smallest records that fit: all strings empty.
    RecordValues small;
    small.input = small.comment = small.file = "";
    EXPECT_EQ(read(header(1202, 0, 0, 1, 2) + record(small, 21) + record(small, 21)).result, ReadResult::Loaded);
    EXPECT_EQ(read(header(1000, 0, 0, 1, 2) + record(small, 10) + record(small, 10)).result, ReadResult::Loaded);
}

TEST_F(MacroFileRead, StringLongerThanTheRestOfTheFileIsAReadError) {
    const std::string lead = header(1202, 0, 0, 1, 2) + record({}, 21);
    const std::string ints = i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7);
    for (const std::string& prefix : {le(200, 1), "\xFF" + le(60000, 2), "\xFF\xFF\xFF" + le(0x7FFFFFF0, 4),
                                      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(0x7FFFFFFF, 8),
                                      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(0x80000000ull, 8),
                                      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(~0ull, 8),
                                      "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(0x40000000, 4)}) {
        const ReadOutcome outcome = read(lead + ints + prefix + std::string(100, 'a'));
        EXPECT_EQ(outcome.result, ReadResult::ReadError);
        EXPECT_EQ(macro.actions.size(), 1);  // the record before stays
    }
}

struct PrefixCase {
    const char* name;
    std::string prefix;
    size_t length;
};

class StringPrefixes : public MacroFileRead, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(StringPrefixes, EveryAnsiFormReadsTheBytes) {
    RecordValues v;
    const std::string text(GetParam().length, 'q');
    std::string bytes = header(1202, 0, 0, 1, 1) + i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7) +
                        GetParam().prefix + text + record(v, 21).substr(28 + 3);
    ASSERT_EQ(read(bytes).result, ReadResult::Loaded) << GetParam().name;
    EXPECT_EQ(macro.actions.at(0).inputText, text);
    EXPECT_EQ(macro.actions.at(0).comment, "cm");
    EXPECT_EQ(macro.actions.at(0).offsetRef, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, StringPrefixes,
    ::testing::Values(PrefixCase{"byte0", le(0, 1), 0}, PrefixCase{"byte254", le(254, 1), 254},
                      PrefixCase{"word255", "\xFF" + le(255, 2), 255}, PrefixCase{"word3", "\xFF" + le(3, 2), 3},
                      PrefixCase{"word65533", "\xFF" + le(65533, 2), 65533},
                      PrefixCase{"dword65534", "\xFF\xFF\xFF" + le(65534, 4), 65534},
                      PrefixCase{"dword5", "\xFF\xFF\xFF" + le(5, 4), 5},
                      PrefixCase{"qword6", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(6, 8), 6}),
    [](const auto& info) { return std::string(info.param.name); });

std::string utf16le(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += le(c, 2);
    return out;
}

TEST_F(MacroFileRead, WideFormsAreConvertedToTheCodePage) {
    const std::u16string text = u"日本語A";
    const std::string wide = utf16le(text);
    const std::string sjis = "\x93\xFA\x96\x7B\x8C\xEA" "A";
    const std::string ints = i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7);
    for (const std::string& prefix : {"\xFF\xFE\xFF" + le(4, 1), "\xFF\xFE\xFF\xFF" + le(4, 2),
                                      "\xFF\xFE\xFF\xFF" "\xFE\xFF" + std::string(),  // 0xFFFE is a length here
                                      "\xFF\xFE\xFF\xFF\xFF\xFF" + le(4, 4),
                                      "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(4, 8)}) {
        const bool hugeLength = prefix.size() == 6 && prefix[4] == '\xFE';
        const std::string body = hugeLength ? std::string() : wide;
        const ReadOutcome outcome =
            read(header(1202, 0, 0, 1, 1) + ints + prefix + body + i32(0) + str("c") + str("") + std::string(40, '\0'));
        if (hugeLength) {
            EXPECT_EQ(outcome.result, ReadResult::ReadError);  // 65534 characters are not there
            continue;
        }
        ASSERT_EQ(outcome.result, ReadResult::Loaded) << prefix.size();
        EXPECT_EQ(macro.actions.at(0).inputText, sjis);
        EXPECT_EQ(macro.actions.at(0).comment, "c");
    }
}

TEST_F(MacroFileRead, WideCharacterOutsideTheCodePageBecomesQuestionMark) {
    const std::string ints = i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7);
    const std::string wide = utf16le(u"a\u0E01b");  // a Thai letter has no place in 932
    ASSERT_EQ(read(header(1202, 0, 0, 1, 1) + ints + "\xFF\xFE\xFF\x03" + wide + str("") + i32(0) + str("") + str("") +
                   std::string(40, '\0'))
                  .result,
              ReadResult::Loaded);
    EXPECT_EQ(macro.actions.at(0).inputText, "a?b");
}

TEST_F(MacroFileRead, WideLengthAbove31BitsIsAReadError) {
    const std::string ints = i32(1) + i32(2) + i32(3) + i32(4) + i32(5) + i32(6) + i32(7);
    const ReadOutcome outcome =
        read(header(1202, 0, 0, 1, 1) + ints + "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + le(0x80000001ull, 8) +
             std::string(200, 'a'));
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
}

// A file of several records, cut at every byte: never a crash, never Loaded, and what
// was appended is always a prefix of the full load.
TEST_F(MacroFileRead, TruncationAtEveryOffsetIsAReadError) {
    RecordValues a, b, c;
    b.comment = std::string(300, 'c');
    c.input = "\x93\xFA\x96\x7B";
    const std::string full = header(1202, 1, 1, 3, 3) + record(a, 21) + record(b, 21) + record(c, 21);
    ASSERT_EQ(read(full).result, ReadResult::Loaded);
    const std::vector<ActionRecord> complete = macro.actions.records();
    for (size_t cut = 0; cut < full.size(); ++cut) {
        macro = Macro{};
        const ReadOutcome outcome = read(full.substr(0, cut));
        ASSERT_EQ(outcome.result, ReadResult::ReadError) << "cut at " << cut;
        ASSERT_FALSE(outcome.errorText.empty());
        ASSERT_LE(macro.actions.size(), 3);
        for (int32_t i = 0; i < macro.actions.size(); ++i) ASSERT_EQ(macro.actions.at(i), complete[size_t(i)]);
    }
}

}  // namespace
}  // namespace tappling
