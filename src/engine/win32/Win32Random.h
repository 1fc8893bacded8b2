// The C library generator, seeded with the calendar time when constructed.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Random final : public RandomSource {
public:
    Win32Random();
    int next() override;
};

}  // namespace tappling
