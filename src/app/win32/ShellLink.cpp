#include "app/win32/ShellLink.h"

#include "model/win32/Win32ModulePath.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>

#include "win32/Handles.h"
#include "win32/Win32Text.h"

namespace tappling {

namespace {

// An item identifier list freed with the shell's allocator.
class ShellItemIdList {
public:
    explicit ShellItemIdList(IMalloc& allocator) : allocator_(allocator) {}
    ~ShellItemIdList() {
        if (list_ != nullptr) allocator_.Free(list_);
    }
    ShellItemIdList(const ShellItemIdList&) = delete;
    ShellItemIdList& operator=(const ShellItemIdList&) = delete;
    LPITEMIDLIST* put() { return &list_; }
    LPCITEMIDLIST get() const { return list_; }

private:
    IMalloc& allocator_;
    LPITEMIDLIST list_ = nullptr;
};

}  // namespace

bool writeShellLink(const std::string& linkPath, const std::string& description, const std::string& arguments,
                    const std::string& target) {
    ComInitialisation com;
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return false;
    link->SetArguments(arguments.c_str());
    if (FAILED(link->SetPath(target.c_str()))) return false;
    if (FAILED(link->SetDescription(description.c_str()))) return false;
    const std::wstring widePath = ansiToWide(linkPath);
    if (widePath.empty()) return false;
    return SUCCEEDED(file->Save(widePath.c_str(), TRUE));
}

std::optional<std::string> desktopFolderPath() {
    ComRef<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.put())) || !allocator) return std::nullopt;
    ShellItemIdList desktop(*allocator.operator->());
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.put()))) return std::nullopt;
    std::array<char, MAX_PATH> path{};
    if (!SHGetPathFromIDListA(desktop.get(), path.data())) return std::nullopt;
    return std::string(path.data());
}

std::optional<std::string> programPath() { return ownModulePath(); }

}  // namespace tappling
