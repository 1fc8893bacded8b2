// Helpers of the dialog tests: a check of a dialog's controls against a table of its
// template, and a second thread that plays the user on a modal dialog.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <thread>

namespace tappling::test {

// What a control is: its window class and the style bits that make it so.
enum Kind { Label, Edit, ReadOnlyEdit, Push, DefaultPush, Check, Line, Frame, DropList };

struct ControlRow {
    int id;  // -1 for labels without an id
    Kind kind;
    const wchar_t* text;      // not compared for a drop-down list (it answers its selection)
    int x, y, width, height;  // dialog units
};

inline std::wstring windowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

// Every row matches exactly one child in id, class, text, rectangle and style, and the
// dialog has no other children.
inline void expectControls(HWND dialog, std::span<const ControlRow> rows) {
    const struct {
        const wchar_t* windowClass;
        DWORD kindMask, style;  // the kind is a number in the low bits, the rest are flags
    } kinds[] = {{L"Static", SS_TYPEMASK, SS_LEFT},           {L"Edit", 0, ES_AUTOHSCROLL | WS_BORDER},
                 {L"Edit", 0, ES_AUTOHSCROLL | ES_READONLY | WS_BORDER}, {L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
                 {L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON}, {L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
                 {L"Static", SS_TYPEMASK, SS_ETCHEDHORZ},    {L"Static", SS_TYPEMASK, SS_GRAYFRAME},
                 {L"ComboBox", 0, CBS_DROPDOWNLIST}};
    size_t children = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, rows.size());
    for (const ControlRow& row : rows) {
        const auto& kind = kinds[row.kind];
        const DWORD flags = kind.style & ~kind.kindMask & ~WS_BORDER;
        RECT want{row.x, row.y, row.width, row.height};  // origin and size convert separately
        MapDialogRect(dialog, &want);
        int matches = 0;
        for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t windowClass[64] = {};
            GetClassNameW(c, windowClass, 64);
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
            const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(c, GWL_STYLE));
            // A combo box is as high as its closed box, a separator line sizes itself to its
            // edge, and the dialog manager may turn a border into a sunken client edge.
            const bool sized = row.kind == Line || (r.right - r.left == want.right &&
                                                    (row.kind == DropList || r.bottom - r.top == want.bottom));
            const bool bordered = !(kind.style & WS_BORDER) || (style & WS_BORDER) ||
                                  (GetWindowLongPtrW(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
            matches += static_cast<short>(GetDlgCtrlID(c)) == row.id && std::wstring(windowClass) == kind.windowClass &&
                       (row.kind == DropList || windowText(c) == row.text) && r.left == want.left &&
                       r.top == want.top && sized && (style & kind.kindMask) == (kind.style & kind.kindMask) &&
                       (style & flags) == flags && bordered;
        }
        EXPECT_EQ(matches, 1) << "id " << row.id << " \"" << row.text << "\" at " << row.x << "," << row.y;
    }
}

// Caption, the dialog font's face and its size in points, and the frame styles.
inline void expectDialogFrame(HWND dialog, const wchar_t* caption) {
    EXPECT_EQ(windowText(dialog), caption);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & frame, frame);
    EXPECT_NE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof logFont, &logFont), 0);
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
            return act(dialog);
        }
    });
}

inline void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
inline void click(HWND dialog, int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
inline void setText(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

}  // namespace tappling::test
