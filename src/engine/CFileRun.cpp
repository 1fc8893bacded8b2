#include "engine/CFileRun.h"

#include <utility>

namespace tappling {

CFileRun::CFileRun(Shell& shell, std::string filePath, int32_t startMaximized)
    : shared_(std::make_shared<Shared>()) {
    shared_->filePath = std::move(filePath);
    shared_->startMaximized = startMaximized;
    // The thread keeps its own reference to the shared data: it may outlive this object.
    thread_ = std::thread([&shell, shared = shared_] {
        try {
            shell.open(shared->filePath, shared->startMaximized == 1);
        } catch (...) {
            // Nothing may escape a thread; the shell reports its own failures.
        }
        shared->done.store(true, std::memory_order_release);
    });
}

CFileRun::~CFileRun() { dispose(); }

bool CFileRun::finished() const { return shared_->done.load(std::memory_order_acquire); }

CFileRun::Disposal CFileRun::dispose() {
    if (!thread_.joinable()) return Disposal::Joined;
    if (finished()) {
        thread_.join();  // the thread has only its last instructions left
        return Disposal::Joined;
    }
    thread_.detach();  // still inside the shell call: never wait for it
    return Disposal::Detached;
}

}  // namespace tappling
