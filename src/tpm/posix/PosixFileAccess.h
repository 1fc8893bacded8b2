// The file system through POSIX calls, for the native tool.
#pragma once

#include "model/FileAccess.h"

namespace tappling {

class PosixFileAccess final : public FileAccess {
public:
    DirectorySearch search(const std::string& path) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path, std::string& errorText) override;
    bool writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) override;
};

}  // namespace tappling
