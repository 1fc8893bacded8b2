// What the macro file code needs from the file system. Paths and names are bytes in the
// system ANSI code page. Production code uses Win32FileAccess; tests use an in-memory fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tappling {

// The entries a directory search for a path returns.
struct DirectorySearch {
    // The absolute directory the path lies in, ending in its separator ("C:\dir\"), so
    // directory + name is an entry's full path (also for a drive's root folder).
    std::string directory;
    std::vector<std::string> names;  // as stored on disk; may include "." and ".."
};

// A file open for reading; closed when destroyed.
class InputFile {
public:
    virtual ~InputFile() = default;
    // The size when it was opened; the reader never trusts a length beyond it.
    virtual uint64_t size() const = 0;
    // Reads up to maxBytes; returns the number read (0 at the end), or -1 on an I/O error.
    virtual int64_t read(char* buffer, size_t maxBytes) = 0;
};

class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual DirectorySearch search(const std::string& path) = 0;
    // nullptr when the file cannot be opened; errorText (UTF-8) then says why.
    virtual std::unique_ptr<InputFile> openForReading(const std::string& path, std::string& errorText) = 0;
    // Replaces the file with exactly these bytes, or leaves any old file as it was and
    // returns false with errorText (UTF-8).
    virtual bool writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) = 0;
};

}  // namespace tappling
