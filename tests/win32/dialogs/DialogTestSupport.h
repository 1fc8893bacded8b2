// Helpers of the dialog tests: a check of a dialog's controls against a table of its
// template (id, window class, text, position in dialog units, the style bits that make
// the control what it is), and a second thread that plays the user on a modal dialog.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tappling::test {

struct ControlRow {
    int id;  // -1 for labels without an id
    const wchar_t* windowClass;
    const wchar_t* text;  // nullptr: not compared (a drop-down list answers its selection)
    int x, y, width, height;
    DWORD style;  // bits that must be set
};

inline std::wstring windowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

inline std::wstring className(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetClassNameW(hwnd, buffer, 64);
    return buffer;
}

// Every row has exactly one child with its id, class, text, rectangle and style; and the
// dialog has no other children.
inline void expectControls(HWND dialog, std::span<const ControlRow> rows) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    EXPECT_EQ(children.size(), rows.size());
    for (const ControlRow& row : rows) {
        // The dialog manager converts the origin and the size separately.
        RECT origin{row.x, row.y, row.width, row.height};
        MapDialogRect(dialog, &origin);
        const RECT expected{origin.left, origin.top, origin.left + origin.right, origin.top + origin.bottom};
        int matches = 0;
        std::ostringstream seen;
        for (HWND child : children) {
            const int id = static_cast<int>(static_cast<short>(GetDlgCtrlID(child)));
            if (id != row.id || className(child) != row.windowClass) continue;
            if (row.text != nullptr && windowText(child) != row.text) continue;
            RECT actual{};
            GetWindowRect(child, &actual);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
            // A combo box is as high as its closed box; a separator line sizes itself to its edge.
            const bool comboBox = std::wstring(row.windowClass) == L"ComboBox";
            const bool line = std::wstring(row.windowClass) == L"Static" && (row.style & SS_TYPEMASK) == SS_ETCHEDHORZ;
            if (actual.left != expected.left || actual.top != expected.top || (!line && actual.right != expected.right) ||
                (!comboBox && !line && actual.bottom != expected.bottom)) {
                seen << ' ' << actual.left << ',' << actual.top << '-' << actual.right << ',' << actual.bottom;
                continue;
            }
            ++matches;
            // The kind of a button or static is a number in the low bits, the rest are flags.
            const std::wstring kind = row.windowClass;
            const DWORD kindMask = kind == L"Button" ? BS_TYPEMASK : kind == L"Static" ? SS_TYPEMASK : 0;
            const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
            EXPECT_EQ(style & kindMask, row.style & kindMask) << "id " << row.id << " style " << std::hex << style;
            const DWORD flags = row.style & ~kindMask & ~WS_BORDER;
            EXPECT_EQ(style & flags, flags) << "id " << row.id << " style " << std::hex << style;
            // The dialog manager may turn a border into a sunken client edge.
            if (row.style & WS_BORDER) {
                const bool bordered = (style & WS_BORDER) != 0 ||
                                      (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
                EXPECT_TRUE(bordered) << "id " << row.id;
            }
        }
        EXPECT_EQ(matches, 1) << "id " << row.id << " at " << row.x << "," << row.y << " expected " << expected.left
                              << "," << expected.top << "-" << expected.right << "," << expected.bottom << " seen" << seen.str();
    }
}

// Caption, the dialog font's face and its size in points, and the frame styles.
inline void expectDialogFrame(HWND dialog, const wchar_t* caption) {
    EXPECT_EQ(windowText(dialog), caption);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(style & frame, frame);
    EXPECT_NE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ Ｐゴシック");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-logFont.lfHeight, MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

// Waits on a second thread for the shown top-level dialog with the caption (any dialog
// when null), then acts on it; join() it after the modal call returned.
inline std::thread userOn(const wchar_t* caption, std::function<void(HWND)> act) {
    return std::thread([caption, act] {
        for (int i = 0; i < 400; ++i, Sleep(25)) {
            HWND dialog = FindWindowW(L"#32770", caption);
            if (dialog == nullptr || !IsWindowVisible(dialog)) continue;
            Sleep(100);  // let it finish its start-up
            act(dialog);
            return;
        }
    });
}

inline void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace tappling::test
