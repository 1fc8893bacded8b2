#include "LinuxCpu.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace tappling::bench {

namespace {

std::string readUnixFile(const std::string& unixPath) {
    std::string windowsPath = "Z:" + unixPath;
    for (char& c : windowsPath)
        if (c == '/') c = '\\';
    FILE* file = std::fopen(windowsPath.c_str(), "rb");
    if (file == nullptr) return {};
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) text.append(buffer, got);
    std::fclose(file);
    return text;
}

// Run time of every thread of the process (the first field of each task's schedstat, ns).
double cpuMs(const std::string& pid) {
    WIN32_FIND_DATAA entry{};
    const std::string tasks = "Z:\\proc\\" + pid + "\\task\\*";
    HANDLE find = FindFirstFileA(tasks.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    double ns = 0;
    do {
        if (entry.cFileName[0] == '.') continue;
        const std::string schedstat = readUnixFile("/proc/" + pid + "/task/" + entry.cFileName + "/schedstat");
        ns += std::strtod(schedstat.c_str(), nullptr);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return ns / 1e6;
}

// The process whose program name (argv[0]) holds `marker` and whose WINEPREFIX is ours. Wine opens
// files through the wineserver, so /proc/self would be the server: the program is found
// by its command line instead.
std::string findProcess(const char* marker) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr) return {};
    const std::string wanted = std::string("WINEPREFIX=") + prefix;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        const std::string pid = entry.cFileName;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string commandLine = readUnixFile("/proc/" + pid + "/cmdline");
        if (std::string_view(commandLine.c_str()).find(marker) == std::string_view::npos) continue;
        const std::string environment = readUnixFile("/proc/" + pid + "/environ");
        for (size_t at = 0; at < environment.size(); at += std::strlen(environment.c_str() + at) + 1) {
            if (wanted == environment.c_str() + at) {
                found = pid;
                break;
            }
        }
    } while (found.empty() && FindNextFileA(find, &entry));
    FindClose(find);
    return found;
}

}  // namespace

const std::string& programPid() {
    static const std::string program = findProcess("tappling_bench");
    return program;
}

double residentMegabytes() {
    if (programPid().empty()) return 0;
    const std::string statm = readUnixFile("/proc/" + programPid() + "/statm");
    unsigned long long size = 0, resident = 0;
    if (std::sscanf(statm.c_str(), "%llu %llu", &size, &resident) != 2) return 0;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

std::string findWineProcess(const char* commandLineText) { return findProcess(commandLineText); }

LinuxCpu linuxCpuOf(const std::string& pid) {
    static const std::string server = findProcess("wineserver");
    LinuxCpu now;
    now.programMs = pid.empty() ? 0 : cpuMs(pid);
    now.serverMs = server.empty() ? 0 : cpuMs(server);
    now.serverFound = !server.empty() && !pid.empty();
    return now;
}

LinuxCpu linuxCpuNow() { return linuxCpuOf(programPid()); }

}  // namespace tappling::bench
