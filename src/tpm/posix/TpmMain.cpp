// tpm on Linux: code page 932 through iconv, files through POSIX.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "textform/TpmCommands.h"
#include "tpm/posix/IconvCodePage.h"
#include "tpm/posix/PosixTpmFiles.h"

namespace {

// False with errno set when the stream does not take every byte (a full disk, a closed pipe).
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tappling;
    const IconvCodePage codePage;
    if (!codePage.usable()) {
        std::fputs("tpm: this system's iconv has no converter for code page 932\n", stderr);
        return 2;
    }
    PosixTpmFiles files;
    TpmOutput output;
    int status = runTpm(std::vector<std::string>(argv + 1, argv + argc), files, codePage, output);
    if (!writeAll(STDOUT_FILENO, output.out)) {
        output.err += std::string("tpm: standard output: cannot write: ") + std::strerror(errno) + "\n";
        status = 2;
    }
    writeAll(STDERR_FILENO, output.err);
    return status;
}
