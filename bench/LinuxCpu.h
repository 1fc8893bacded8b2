// CPU time of Wine processes and of the wineserver of their prefix, read from Linux's
// /proc through Wine's Z: drive: Windows' own process times under Wine are too coarse
// for a 1 % figure and do not see the wineserver at all.
#pragma once

#include <cstdint>
#include <string>

namespace tappling::bench {

struct LinuxCpu {
    double programMs = 0;  // every thread of the measured process
    double serverMs = 0;   // the wineserver of WINEPREFIX
    bool serverFound = false;
};

// Now, cumulative, for this process. The wineserver is looked up once (by its WINEPREFIX)
// and remembered.
LinuxCpu linuxCpuNow();

// The same for another Wine process of this prefix, found by a text of its command line
// (its Linux process id; empty when none runs).
std::string findWineProcess(const char* commandLineText);
LinuxCpu linuxCpuOf(const std::string& pid);

// Resident memory of this process (Windows' private-bytes counter stays 0 under Wine).
double residentMegabytes();

}  // namespace tappling::bench
