// Bounded random mutation of valid files: the reader must never crash, never report a
// failed load as Loaded, and never hold more records than the bytes could encode.
#include <gtest/gtest.h>

#include <random>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroBytes.h"
#include "model/MacroFile.h"
#include "model/MacroFileFormat.h"

namespace tappling {
namespace {

using namespace testbytes;

constexpr char kPath[] = "C:\\work\\mutated.TPM";

std::vector<std::string> seeds() {
    std::vector<std::string> out;
    RecordValues longComment;
    longComment.comment = std::string(300, 'c');
    for (int32_t version : {1000, 1100, 1101, 1200, 1201, 1202}) {
        const int items = itemsOf(version);
        out.push_back(header(version, 1, 1, 3, 3) + record({}, items) + record(longComment, items) + record({}, items));
    }
    return out;
}

std::string mutate(std::string bytes, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = random() % bytes.size();
        switch (random() % 6) {
            case 0: bytes[at] = static_cast<char>(random()); break;
            case 1: bytes[at] = '\xFF'; break;
            case 2: bytes.erase(at, 1 + random() % 8); break;
            case 3: bytes.insert(at, std::string(1 + random() % 8, static_cast<char>(random()))); break;
            case 4: bytes.resize(at); break;
            default: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
        }
    }
    return bytes;
}

TEST(MacroFileMutation, ReaderSurvivesThousandsOfMutations) {
    Cp932CodePage codePage;
    FakeFileAccess files;
    std::mt19937 random(20240601);
    const std::vector<std::string> valid = seeds();
    int loaded = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string bytes = mutate(valid[static_cast<size_t>(round) % valid.size()], random);
        files.put(kPath, bytes);
        Macro macro;
        macro.actions.append(ActionRecord{});
        const ReadMode mode = round % 2 ? ReadMode::Open : ReadMode::Import;
        const ReadOutcome outcome = readMacroFile(macro, kPath, mode, files, codePage);
        ASSERT_TRUE(outcome.result == ReadResult::Loaded || outcome.result == ReadResult::ReadError ||
                    outcome.result == ReadResult::FormatNotSupported ||
                    outcome.result == ReadResult::VersionNotSupported);
        if (outcome.result == ReadResult::ReadError) {
            ASSERT_FALSE(outcome.errorText.empty());
        }
        ASSERT_LE(static_cast<size_t>(macro.actions.size()), 2 + bytes.size() / static_cast<size_t>(minimumRecordSize(1000)));
        if (outcome.result == ReadResult::Loaded) ++loaded;
    }
    std::printf("mutations loaded cleanly: %d of 4000\n", loaded);
}

}  // namespace
}  // namespace tappling
