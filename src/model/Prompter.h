// Message boxes as the logic sees them (caption "Tappling"), so tests can script the
// user's answers. Texts are UTF-8.
#pragma once

#include <string_view>

namespace tappling {

enum class Answer { Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void inform(std::string_view text) = 0;                // OK only
    virtual Answer askYesNoCancel(std::string_view question) = 0;  // Yes, No, Cancel
    virtual bool askOkCancel(std::string_view question) = 0;       // true for OK
};

}  // namespace tappling
