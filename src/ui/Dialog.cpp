#include "ui/Dialog.h"

#include "ui/logic/NumberText.h"

namespace tappling {

Dialog::~Dialog() {
    if (hwnd_ != nullptr && !modal_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::runModal(HWND owner) {
    modal_ = true;
    result_.reset();
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, dialogProc,
                                           reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

HWND Dialog::createModeless(HWND owner) {
    modal_ = false;
    result_.reset();
    return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, dialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::end(INT_PTR result) {
    result_ = result;
    if (hwnd_ == nullptr) return;
    if (modal_) {
        EndDialog(hwnd_, result);
    } else {
        HWND window = hwnd_;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

void Dialog::setTextUtf8(int id, std::string_view utf8) { setText(id, utf8ToWide(utf8)); }

std::wstring Dialog::text(int id) const {
    HWND control = item(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring value(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, value.data(), length + 1);
    value.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return value;
}

int32_t Dialog::textAsInt(int id) const {
    // Digits, blanks and signs are ASCII, so any other character just ends the number.
    const std::wstring wide = text(id);
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t c : wide) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '\x7f');
    return parseLeadingInt(narrow);
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT, ...)
    return self->dispatch(message, wParam, lParam);
}

INT_PTR Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return onInit() ? TRUE : FALSE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (onCommand(id, code)) return TRUE;
            if (id == IDOK && code == BN_CLICKED) return onOk(), TRUE;
            if (id == IDCANCEL && code == BN_CLICKED) return onCancel(), TRUE;
            return FALSE;
        }
        case WM_NOTIFY: {
            const std::optional<LRESULT> handled = onNotify(*reinterpret_cast<const NMHDR*>(lParam));
            if (!handled) return FALSE;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *handled);
            return TRUE;
        }
        case WM_TIMER:
            return onTimer(wParam) ? TRUE : FALSE;
        case WM_SIZE:
            return onSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)) ? TRUE : FALSE;
        case WM_PAINT:
            return onPaint() ? TRUE : FALSE;
        case WM_CLOSE:
            return onClose() ? TRUE : FALSE;
        case WM_SYSCOMMAND:
            return onSysCommand(wParam) ? TRUE : FALSE;
        case WM_DROPFILES:
            return onDropFiles(reinterpret_cast<HDROP>(wParam)) ? TRUE : FALSE;
        default: {
            const std::optional<INT_PTR> handled = onMessage(message, wParam, lParam);
            return handled ? *handled : FALSE;
        }
    }
}

}  // namespace tappling
