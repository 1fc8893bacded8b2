// libFuzzer entry: any bytes as a macro file. A load may fail, but never crash, never
// over-allocate, and a file that loads must survive a save and a second load unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SameMacro.h"
#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroFile.h"

namespace {

constexpr char kPath[] = "C:\\fuzz\\input.TPM";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tappling;
    static const Cp932CodePage codePage;
    FakeFileAccess files;
    files.put(kPath, std::string(reinterpret_cast<const char*>(data), size));

    Macro imported;
    imported.actions.append(ActionRecord{});
    const ReadOutcome importOutcome = readMacroFile(imported, kPath, ReadMode::Import, files, codePage);

    Macro opened;
    const ReadOutcome outcome = readMacroFile(opened, kPath, ReadMode::Open, files, codePage);
    if (outcome.result != importOutcome.result) std::abort();
    if (outcome.result == ReadResult::ReadError && outcome.errorText.empty()) std::abort();
    if (outcome.result != ReadResult::Loaded) return 0;
    if (imported.actions.size() != opened.actions.size() + 2) std::abort();

    if (!writeMacroFile(opened, kPath, files).ok) std::abort();
    Macro again;
    if (readMacroFile(again, kPath, ReadMode::Open, files, codePage).result != ReadResult::Loaded) std::abort();
    if (!sameMacro(opened, again)) std::abort();
    return 0;
}
