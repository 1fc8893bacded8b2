// tpm's file system through POSIX calls, for the native tool.
#pragma once

#include <string_view>

#include "textform/TpmFileSystem.h"

namespace tappling {

class PosixTpmFiles final : public TpmFileSystem {
public:
    OpenedInput openInput(const std::string& path, std::string& errorText) override;
    OpenedInput standardInput() override;
    OutputTarget inspectOutput(const std::string& path) override;
    bool replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) override;
};

// False with errno set when the stream does not take every byte (a full disk, a closed pipe).
bool writeAll(int fd, std::string_view bytes);

}  // namespace tappling
