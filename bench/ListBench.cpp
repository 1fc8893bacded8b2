// The main window with large macros: the rebuild of its list (refreshList, up to the
// painted window), a macro file opened to the shown window against an empty one, and as
// the comparison the former rebuild that filled a plain list view row by row.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <utility>

#include "Bench.h"
#include "BenchMacros.h"
#include "engine/win32/Win32Platform.h"
#include "model/MacroFile.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"
#include "ui/logic/ListRows.h"
#include "ui/main/MainDialog.h"

namespace tappling::bench {

namespace {

// refreshList alone, and with the paint of the window that follows it; best of three.
std::pair<double, double> rebuildMs(MainDialog& window) {
    double rebuild = 1e9, painted = 1e9;
    for (int run = 0; run < 3; ++run) {
        const double t0 = nowMs();
        window.refreshList();
        const double t1 = nowMs();
        UpdateWindow(window.hwnd());
        rebuild = std::min(rebuild, t1 - t0);
        painted = std::min(painted, nowMs() - t0);
    }
    return {rebuild, painted};
}

// The former refreshList: every row inserted and every cell set in a list view that
// stores its rows.
double rowByRowFillMs(const Macro& macro) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 600, 300, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < kListColumnCount; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = kListColumns[static_cast<size_t>(i)].width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    const double t0 = nowMs();
    for (int32_t i = 0; i < macro.actions.size(); ++i) {
        LVITEMW row{};
        row.mask = LVIF_TEXT;
        row.iItem = i;
        row.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
        const auto cells = rowTexts(macro.actions.at(i), i);
        for (int column = 0; column < kListColumnCount; ++column) {
            const std::string& cell = cells[static_cast<size_t>(column)];
            std::wstring text = column == kCommentColumn ? ansiToWide(cell) : utf8ToWide(cell);
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text.data();
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
    }
    UpdateWindow(list);
    const double ms = nowMs() - t0;
    DestroyWindow(list);
    return ms;
}

// From reading the file to the painted main window.
double openMs(Win32Platform& win32, const std::string& path) {
    Win32FileAccess files;
    Win32CodePage codePage;
    const double t0 = nowMs();
    MainDialog window(GetModuleHandleW(nullptr), win32.platform());
    readMacroFile(window.player().macro, path, ReadMode::Open, files, codePage);
    window.currentFilePath = path;
    HWND hwnd = window.createModeless();
    UpdateWindow(hwnd);
    const double ms = nowMs() - t0;
    window.end(IDCANCEL);
    pumpFor(50);
    return ms;
}

}  // namespace

void largeMacros() {
    Win32Platform win32;
    std::printf("\nmain window list rebuild (refreshList and the paint after it), ms, best of 3\n");
    {
        MainDialog window(GetModuleHandleW(nullptr), win32.platform());
        window.createModeless();
        UpdateWindow(window.hwnd());
        for (const int32_t count : {1000, 10000, 100000}) {
            window.player().macro = makeLargeMacro(count);
            const auto [rebuild, painted] = rebuildMs(window);
            std::printf("  %7d actions: refreshList %8.2f ms, with the paint %8.2f ms\n", count, rebuild, painted);
        }
        window.end(IDCANCEL);
        pumpFor(50);
    }
    for (const int32_t count : {1000}) {
        std::printf("  comparison, row-by-row fill of a stored list, %5d actions: %8.1f ms\n", count,
                    rowByRowFillMs(makeLargeMacro(count)));
    }

    Win32FileAccess files;
    const std::string emptyPath = tempPath("tappling_bench_empty.TPM");
    const std::string largePath = tempPath("tappling_bench_10000.TPM");
    writeMacroFile(Macro{}, emptyPath, files);
    writeMacroFile(makeLargeMacro(10000), largePath, files);
    openMs(win32, emptyPath);  // first window: classes and fonts loaded once
    double empty = 1e9, large = 1e9;
    for (int run = 0; run < 3; ++run) {
        empty = std::min(empty, openMs(win32, emptyPath));
        large = std::min(large, openMs(win32, largePath));
    }
    std::printf("open to the painted main window (read, create, paint), best of 3: empty %.1f ms, "
                "10000 actions %.1f ms (+%.1f ms)\n", empty, large, large - empty);
    DeleteFileA(emptyPath.c_str());
    DeleteFileA(largePath.c_str());
}

}  // namespace tappling::bench
