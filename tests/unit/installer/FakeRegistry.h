// An in-memory registry of default values that logs every write, in order.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/Registry.h"

namespace tappling::installer {

class FakeRegistry : public Registry {
public:
    std::map<std::string, std::string> values;  // key -> default value
    std::set<std::string> unreadableKeys;       // reads of these fail although a value exists
    std::set<std::string> failingKeys;          // writes to these fail
    bool denyWrites = false;                    // every write fails, as without administrator rights
    std::vector<std::string> readLog;
    std::vector<std::pair<std::string, std::string>> writeLog;  // every attempted write

    std::optional<std::string> readDefault(const std::string& key) override {
        readLog.push_back(key);
        if (unreadableKeys.count(key)) return std::nullopt;
        auto found = values.find(key);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }

    bool writeDefault(const std::string& key, const std::string& text) override {
        writeLog.emplace_back(key, text);
        if (denyWrites || failingKeys.count(key)) return false;
        values[key] = text;
        return true;
    }
};

}  // namespace tappling::installer
