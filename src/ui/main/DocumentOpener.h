// Opens a document or a URL through the shell (help, the version dialog's links). The
// window tests pass a recording one.
#pragma once

#include <string>

namespace tappling {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // The "open" verb, normal window; the result is not checked.
    virtual void open(const std::wstring& target) = 0;
};

class ShellDocumentOpener final : public DocumentOpener {
public:
    void open(const std::wstring& target) override;
};

}  // namespace tappling
