// The file-run worker: a short-lived thread that makes one shell call to open a file
// (ExecuteFile), so a slow shell never blocks the playback timer. The thread owns its
// data through shared state, so disposing of the worker never frees memory it uses.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "engine/Platform.h"

namespace tappling {

class CFileRun {
public:
    enum class Disposal { Joined, Detached };

    // Starts the thread at once. Throws std::system_error when no thread can be created.
    // The shell must outlive the call it is given.
    CFileRun(Shell& shell, std::string filePath, int32_t startMaximized);
    // Joins a finished thread; detaches one still inside the shell call.
    ~CFileRun();
    CFileRun(const CFileRun&) = delete;
    CFileRun& operator=(const CFileRun&) = delete;

    bool finished() const;
    Disposal dispose();  // what the destructor does; later calls do nothing

private:
    struct Shared {
        std::string filePath;
        int32_t startMaximized = 0;
        std::atomic<bool> done{false};
    };
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace tappling
