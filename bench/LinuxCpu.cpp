#include "LinuxCpu.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// utime + stime of /proc/PID/stat (fields 14 and 15, after the parenthesised name), ms.
double statCpuMs(const std::string& pid) {
    const std::string stat = readUnixFile("/proc/" + pid + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    unsigned long long utime = 0, stime = 0;
    // After ") ": state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime stime
    if (std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2) {
        return 0;
    }
    return static_cast<double>(utime + stime) * 1000.0 / 100.0;  // USER_HZ is 100 on Linux
}

std::string findWineserver() {
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
        if (readUnixFile("/proc/" + pid + "/comm").rfind("wineserver", 0) != 0) continue;
        const std::string environment = readUnixFile("/proc/" + pid + "/environ");
        for (size_t at = 0; at < environment.size(); at = environment.find('\0', at) + 1) {
            if (std::strcmp(environment.c_str() + at, wanted.c_str()) == 0) found = pid;
            if (environment.find('\0', at) == std::string::npos) break;
        }
    } while (found.empty() && FindNextFileA(find, &entry));
    FindClose(find);
    return found;
}

}  // namespace

LinuxCpu linuxCpuNow() {
    static const std::string server = findWineserver();
    LinuxCpu now;
    now.programMs = statCpuMs("self");
    if (!server.empty()) {
        now.serverMs = statCpuMs(server);
        now.serverFound = true;
    }
    return now;
}

}  // namespace tappling::bench
