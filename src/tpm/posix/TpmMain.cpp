// tpm on Linux: code page 932 through iconv, files through POSIX.
#include <cstdio>
#include <string>
#include <vector>

#include "textform/TpmCommands.h"
#include "tpm/posix/IconvCodePage.h"
#include "tpm/posix/PosixFileAccess.h"

int main(int argc, char** argv) {
    using namespace tappling;
    const IconvCodePage codePage;
    if (!codePage.usable()) {
        std::fputs("tpm: this system's iconv has no converter for code page 932\n", stderr);
        return 2;
    }
    PosixFileAccess files;
    TpmOutput output;
    const int status = runTpm(std::vector<std::string>(argv + 1, argv + argc), files, codePage, output);
    std::fwrite(output.out.data(), 1, output.out.size(), stdout);
    std::fwrite(output.err.data(), 1, output.err.size(), stderr);
    return std::fflush(stdout) == 0 ? status : 2;
}
