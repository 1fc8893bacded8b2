// The file system through the ANSI Win32 API.
#pragma once

#include "model/FileAccess.h"

namespace tappling {

class Win32FileAccess final : public FileAccess {
public:
    DirectorySearch search(const std::string& path) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path, std::string& errorText) override;
    bool writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) override;
};

// "<what>\n<path>\n<the system's text for the error>" in UTF-8.
std::string describeFileError(const char* what, const std::string& path, unsigned long errorCode);

}  // namespace tappling
