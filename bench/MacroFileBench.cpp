// Reading and writing large macro files through the program's own reader and writer,
// with the memory the loaded macro takes (it should grow in step with the count).
#include <cstdio>

#include "Bench.h"
#include "BenchMacros.h"
#include "LinuxCpu.h"
#include "model/MacroFile.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"

namespace tappling::bench {

void macroFiles() {
    Win32FileAccess files;
    Win32CodePage codePage;
    std::printf("\nmacro files: write and read through the program's reader and writer (best of 3)\n");
    std::printf("%8s %10s | %9s %9s | %s\n", "actions", "bytes", "write ms", "read ms", "memory after read");
    for (const int32_t count : {10000, 100000}) {
        const Macro macro = makeLargeMacro(count);
        // Measured from the second read on, when the heap holds no earlier macro's pages.
        const std::string path = tempPath("tappling_bench.TPM");
        double writeMs = 1e9, readMs = 1e9, grownMb = 0;
        bool ok = true;
        for (int run = 0; run < 3; ++run) {
            double t0 = nowMs();
            ok = writeMacroFile(macro, path, files).ok && ok;
            writeMs = std::min(writeMs, nowMs() - t0);
            const double before = residentMegabytes();
            Macro loaded;
            t0 = nowMs();
            ok = readMacroFile(loaded, path, ReadMode::Open, files, codePage).result == ReadResult::Loaded && ok;
            readMs = std::min(readMs, nowMs() - t0);
            if (run == 1) grownMb = residentMegabytes() - before;
            ok = ok && loaded.actions.records() == macro.actions.records();
        }
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
        std::printf("%8d %10lu | %9.1f %9.1f | +%.1f MB (%.0f bytes per action)%s\n", count,
                    static_cast<unsigned long>(attributes.nFileSizeLow), writeMs, readMs, grownMb,
                    grownMb * 1024 * 1024 / count, ok ? "" : "  MISMATCH");
        DeleteFileA(path.c_str());
    }
}

}  // namespace tappling::bench
