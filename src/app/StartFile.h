// Finds the macro file a start-up command line names. The grammar cuts the path at the
// first "-", which breaks folders such as "OneDrive - Company"; and a path dragged onto
// the program or given through "Open with" arrives in quotation marks. Both are mended
// here, above the grammar, by asking which reading names an existing file.
#pragma once

#include <string>
#include <string_view>

#include "app/CommandLine.h"

namespace tappling {

class FileProbe {
public:
    virtual ~FileProbe() = default;
    // True when path names an existing file (not a folder).
    virtual bool isFile(const std::string& path) const = 0;
};

// Tries, in order: the grammar's own split; the text before the last "-" with the option
// after it; the whole text with no option. Each path loses one pair of enclosing
// quotation marks. The first that names an existing file wins; when none does, the
// grammar's split is returned unchanged (so the load fails as it always did).
StartOptions findStartFile(std::string_view rawCommandLine, const CodePage& codePage, const FileProbe& files);

}  // namespace tappling
