// Registry default values below one root key (HKEY_CLASSES_ROOT for the installer),
// through the ANSI API so the bytes are taken in the system code page.
#pragma once

#include <windows.h>

#include "installer/Registry.h"

namespace tappling::installer {

class Win32Registry : public Registry {
public:
    // The root is not owned: a predefined key, or one the caller keeps open.
    explicit Win32Registry(HKEY root = HKEY_CLASSES_ROOT) : root_(root) {}

    std::optional<std::string> readDefault(const std::string& key) override;
    bool writeDefault(const std::string& key, const std::string& text) override;

private:
    HKEY root_;
};

}  // namespace tappling::installer
