#include "tpm/posix/PosixFileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tappling {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

class PosixInputFile final : public InputFile {
public:
    PosixInputFile(int fd, uint64_t size) : fd_(fd), size_(size) {}
    uint64_t size() const override { return size_; }
    int64_t read(char* buffer, size_t maxBytes) override {
        while (true) {
            const ssize_t got = ::read(fd_.get(), buffer, maxBytes);
            if (got >= 0 || errno != EINTR) return got;
        }
    }

private:
    Descriptor fd_;
    uint64_t size_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

DirectorySearch PosixFileAccess::search(const std::string&) { return {}; }

std::unique_ptr<InputFile> PosixFileAccess::openForReading(const std::string& path, std::string& errorText) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errorText = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        errorText = S_ISDIR(info.st_mode) ? "is a directory" : std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixInputFile>(fd, static_cast<uint64_t>(info.st_size));
}

bool PosixFileAccess::writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) {
    // A temporary file beside the target replaces it in one rename: a failure leaves the old file.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = path + ".~" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            errorText = std::strerror(errno);
            return false;
        }
        const bool ok = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
        const int error = errno;
        if (!fd.close() || !ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
            errorText = std::strerror(ok ? errno : error);
            ::unlink(temporary.c_str());
            return false;
        }
        return true;
    }
    errorText = std::strerror(EEXIST);
    return false;
}

}  // namespace tappling
