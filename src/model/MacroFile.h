// Reading and writing macro files (".TPM"). The writer always writes version 1202; the
// reader accepts 1000, 1100, 1101, 1200, 1201 and 1202.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ActionList.h"
#include "model/CodePage.h"

namespace tappling {

class FileAccess;
class InputFile;

enum class ReadMode : int32_t { Import = 0, Open = 1 };
enum class ReadResult : int32_t { ReadError = 0, Loaded = 1, FormatNotSupported = -1, VersionNotSupported = -2 };

struct ReadOutcome {
    ReadResult result;
    std::string errorText;  // UTF-8, set for ReadError
};

struct WriteOutcome {
    bool ok;
    std::string errorText;  // UTF-8, set when !ok
};

inline constexpr int32_t kMacroFileVersion = 1202;
inline constexpr char kMacroFileTag[] = "MouseAction";

// Open replaces the list, Import appends to it behind a marker record. A read error keeps
// what was read up to that point.
ReadOutcome readMacroFile(Macro& macro, const std::string& path, ReadMode mode, FileAccess& files,
                          const CodePage& codePage);

// Where a read ended, for tools that name the byte a file goes wrong at.
struct ReadDetails {
    int32_t version = 0;      // as stored (0 when the file ends before it)
    uint64_t endOffset = 0;   // bytes consumed when the read stopped
    int32_t count = -1;       // records announced; -1 while in the header
    int32_t recordsRead = 0;  // records appended (the import marker not counted)
    std::vector<uint64_t>* recordStarts = nullptr;  // when given: each record's first byte
};

// readMacroFile on a file already open, without the check of its name.
ReadOutcome readMacroContent(Macro& macro, InputFile& file, ReadMode mode, const CodePage& codePage,
                             ReadDetails* details = nullptr);

// As readMacroFile, but all or nothing: the macro changes only when the file is Loaded.
// The file commands read through this, so a file that cannot be read never costs the
// user the macro being edited.
ReadOutcome loadMacroFile(Macro& macro, const std::string& path, ReadMode mode, FileAccess& files,
                          const CodePage& codePage);

// Saving replaces the file atomically: on failure the old file is left as it was.
WriteOutcome writeMacroFile(const Macro& macro, const std::string& path, FileAccess& files);

// True when path (absolute) names an existing entry whose on-disk name ends in "TPM".
bool macroFileExists(const std::string& path, FileAccess& files, const CodePage& codePage);

// The marker record put in front of an imported block.
ActionRecord makeImportMarker(const CodePage& codePage);

}  // namespace tappling
