// The running program's own path, as the system's module-name query hands it back into
// a fixed buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tappling {

// The path the query wrote, or nothing when it failed (0) or filled the whole buffer:
// then the path was cut, and a cut path names the wrong folder.
std::optional<std::string> completeModulePath(const char* buffer, uint32_t bufferBytes, uint32_t returnedLength);

}  // namespace tappling
