// tpm's file system through POSIX calls, for the native tool.
#pragma once

#include "textform/TpmFileSystem.h"

namespace tappling {

class PosixTpmFiles final : public TpmFileSystem {
public:
    OpenedInput openInput(const std::string& path, std::string& errorText) override;
    OpenedInput standardInput() override;
    OutputTarget inspectOutput(const std::string& path) override;
    bool replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) override;
};

}  // namespace tappling
