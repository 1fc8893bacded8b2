#include "engine/win32/Win32SettingsStore.h"

#include <windows.h>

namespace tappling {
namespace {

constexpr const char* kSettingsKey = "Software\\Tappling";

}  // namespace

std::optional<uint32_t> Win32SettingsStore::readNumber(const std::string& name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    // Missing, or of another type than a DWORD: no value.
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

bool Win32SettingsStore::writeNumber(const std::string& name, uint32_t value) {
    const DWORD data = value;
    // Creates the key when it is missing.
    return RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_DWORD, &data, sizeof data) ==
           ERROR_SUCCESS;
}

}  // namespace tappling
