#include "model/ModulePath.h"

namespace tappling {

std::optional<std::string> completeModulePath(const char* buffer, uint32_t bufferBytes, uint32_t returnedLength) {
    if (returnedLength == 0 || returnedLength >= bufferBytes) return std::nullopt;
    return std::string(buffer, returnedLength);
}

}  // namespace tappling
