// A thin base over a dialog template. The static dialog procedure keeps `this` in
// DWLP_USER from WM_INITDIALOG on and routes messages to virtual hooks whose defaults
// leave the message to the dialog manager. Hooks return true when they handled the
// message; nothing may throw out of them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "win32/Win32Text.h"

namespace tappling {

class Dialog {
public:
    Dialog(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the value given to end (-1 when it could not be created).
    INT_PTR runModal(HWND owner = nullptr);
    // Creates the dialog modeless (tests, tool windows); end() then destroys it.
    HWND createModeless(HWND owner = nullptr);
    // Ends a modal dialog with result, or destroys a modeless one.
    void end(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HINSTANCE instance() const { return instance_; }
    std::optional<INT_PTR> result() const { return result_; }

    // Typed helpers over the controls.
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    int32_t checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0; }
    void setChecked(int id, int32_t on) { CheckDlgButton(hwnd_, id, on == 1 ? BST_CHECKED : BST_UNCHECKED); }
    void setText(int id, const std::wstring& text) { SetDlgItemTextW(hwnd_, id, text.c_str()); }
    void setTextUtf8(int id, std::string_view utf8);
    std::wstring text(int id) const;
    int32_t textAsInt(int id) const;  // atoi semantics
    void enable(int id, bool on) { EnableWindow(item(id), on ? TRUE : FALSE); }

protected:
    virtual bool onInit() { return true; }  // true: let the dialog manager set the focus
    virtual bool onCommand(int /*id*/, int /*code*/) { return false; }
    virtual std::optional<LRESULT> onNotify(const NMHDR& /*header*/) { return std::nullopt; }
    virtual bool onTimer(UINT_PTR /*id*/) { return false; }
    virtual bool onSize(UINT /*type*/, int /*cx*/, int /*cy*/) { return false; }
    virtual bool onPaint() { return false; }
    virtual void onOk() { end(IDOK); }
    virtual void onCancel() { end(IDCANCEL); }
    virtual bool onClose() { return false; }  // default: the dialog manager sends IDCANCEL
    virtual bool onSysCommand(WPARAM /*command*/) { return false; }
    virtual bool onDropFiles(HDROP /*drop*/) { return false; }
    // Anything else; a value is the dialog procedure's result for the message.
    virtual std::optional<INT_PTR> onMessage(UINT /*message*/, WPARAM, LPARAM) { return std::nullopt; }

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    std::optional<INT_PTR> result_;
};

}  // namespace tappling
