// tpm's file system through the ANSI Win32 API: identity by volume and file index, so a
// name differing in case or a hard link is known as the same file.
#pragma once

#include "textform/TpmFileSystem.h"

namespace tappling {

class Win32TpmFiles final : public TpmFileSystem {
public:
    OpenedInput openInput(const std::string& path, std::string& errorText) override;
    OpenedInput standardInput() override;
    OutputTarget inspectOutput(const std::string& path) override;
    bool replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) override;
};

}  // namespace tappling
