#include "model/win32/Win32FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "win32/Win32Text.h"

namespace tappling {

std::optional<ChosenFile> Win32FileDialogs::choose(ChooseMode mode, const std::string& initialName) {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring initial = ansiToWide(initialName);
    if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());

    static constexpr wchar_t kFilter[] = L"TPM Files(*.TPM)\0*.TPM\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = L"TPM";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    BOOL chosen = FALSE;
    if (mode == ChooseMode::AnyFile) {
        ofn.lpstrFilter = nullptr;
        ofn.nFilterIndex = 0;
        ofn.lpstrDefExt = nullptr;
        chosen = GetOpenFileNameW(&ofn);
    } else if (mode == ChooseMode::Open) {
        ofn.lpstrTitle = L"TPMファイルの読み込み";
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameW(&ofn);
    } else {
        ofn.lpstrTitle = L"TPMファイルに名前をつけて保存";
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameW(&ofn);
    }
    if (!chosen) return std::nullopt;
    // No best-fit look-alikes: a converted name must be the chosen one or be refused.
    const std::optional<std::string> exact = wideToAnsiExactly(file.data());
    if (!exact) return ChosenFile{wideToAnsi(file.data()), false};
    return ChosenFile{*exact, true};
}

}  // namespace tappling
