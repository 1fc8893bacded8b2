// The two registry operations the installer needs: the unnamed (default) value of a
// key, read or written as ANSI bytes. Failures are silent to the caller's user.
#pragma once

#include <optional>
#include <string>

namespace tappling::installer {

class Registry {
public:
    virtual ~Registry() = default;
    // The key's default value, or nothing when it is missing or cannot be read.
    virtual std::optional<std::string> readDefault(const std::string& key) = 0;
    // Creates the key when missing and sets its default value; false on any failure.
    virtual bool writeDefault(const std::string& key, const std::string& text) = 0;
};

}  // namespace tappling::installer
