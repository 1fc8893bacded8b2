#include "engine/win32/Win32Random.h"

#include <cstdlib>
#include <ctime>

namespace tappling {

Win32Random::Win32Random() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

int Win32Random::next() { return std::rand(); }

}  // namespace tappling
