// Registry default values below one root key and a sub-key prefix (for example
// HKEY_CURRENT_USER and "Software\Classes\"), through the ANSI API so the bytes are
// taken in the system code page.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "installer/Registry.h"

namespace tappling::installer {

class Win32Registry : public Registry {
public:
    // The root is not owned: a predefined key, or one the caller keeps open.
    explicit Win32Registry(HKEY root = HKEY_CLASSES_ROOT, std::string prefix = {})
        : root_(root), prefix_(std::move(prefix)) {}

    // Opens the key for reading only, so it works without write rights and creates nothing.
    std::optional<std::string> readDefault(const std::string& key) override;
    bool writeDefault(const std::string& key, const std::string& text) override;

private:
    HKEY root_;
    std::string prefix_;
};

}  // namespace tappling::installer
