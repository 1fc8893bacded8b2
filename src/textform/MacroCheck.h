// Finds what would surprise a user when the macro runs, each with its action number and
// field: jumps that leave the list, conditions that spin without waiting, unknown type
// codes, shutdowns, file runs without a file, texts the code page cannot hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ActionList.h"
#include "textform/CodePageText.h"

namespace tappling {

enum class Severity { Warning, Error };

struct Finding {
    Severity severity;
    int32_t action;          // 1-based
    std::string_view field;  // the record field's name in the text form
    std::string message;
};

std::vector<Finding> checkMacro(const Macro& macro, const CodePageText& codePage);

// 0 clean, 1 warnings only, 2 any error.
int checkExitStatus(const std::vector<Finding>& findings);

}  // namespace tappling
