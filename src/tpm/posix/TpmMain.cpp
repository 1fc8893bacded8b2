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
