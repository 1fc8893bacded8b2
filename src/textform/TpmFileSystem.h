// What tpm needs of the file system: inputs that may be pipes or standard input, the
// identity of a file (so an output never overwrites its own input under another name), and
// an output that is replaced atomically.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/FileAccess.h"

namespace tappling {

// The size an input reports when it cannot know it before the end (a pipe, a terminal).
inline constexpr uint64_t kUnknownSize = UINT64_MAX;

// Device and inode on Linux, volume serial number and file index on Windows.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct OpenedInput {
    std::unique_ptr<InputFile> file;      // nullptr when it cannot be opened
    std::optional<FileIdentity> identity;  // none for a pipe or standard input
};

enum class OutputKind { Absent, Regular, NotRegular };

struct OutputTarget {
    OutputKind kind = OutputKind::Absent;
    std::optional<FileIdentity> identity;  // of the file a link leads to
};

class TpmFileSystem {
public:
    virtual ~TpmFileSystem() = default;
    // A file, pipe or device to read to its end; errorText (UTF-8) says why when it fails.
    virtual OpenedInput openInput(const std::string& path, std::string& errorText) = 0;
    virtual OpenedInput standardInput() = 0;
    // What writing to path would replace, through symbolic links.
    virtual OutputTarget inspectOutput(const std::string& path) = 0;
    // Replaces the file (a link's target) with exactly these bytes in one step, keeping an
    // existing file's permissions; on failure the old file stays as it was.
    virtual bool replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) = 0;
};

}  // namespace tappling
