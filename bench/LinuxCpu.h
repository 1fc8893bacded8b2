// CPU time of this Wine process and of the wineserver of its prefix, read from Linux's
// /proc through Wine's Z: drive: Windows' own process times under Wine are too coarse
// for a 1 % figure and do not see the wineserver at all.
#pragma once

#include <cstdint>
#include <optional>

namespace tappling::bench {

struct LinuxCpu {
    double programMs = 0;  // every thread of this process
    double serverMs = 0;   // the wineserver of WINEPREFIX
    bool serverFound = false;
};

// Now, cumulative. The wineserver is looked up once (by its WINEPREFIX) and remembered.
LinuxCpu linuxCpuNow();

// Resident memory of this process (Windows' private-bytes counter stays 0 under Wine).
double residentMegabytes();

}  // namespace tappling::bench
