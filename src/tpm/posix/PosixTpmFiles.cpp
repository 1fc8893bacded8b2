#include "tpm/posix/PosixTpmFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tappling {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd, bool owned = true) : fd_(fd), owned_(owned) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const bool ok = fd_ < 0 || !owned_ || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
    bool owned_;
};

class PosixInputFile final : public InputFile {
public:
    PosixInputFile(int fd, bool owned, uint64_t size) : fd_(fd, owned), size_(size) {}
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

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

// A regular file knows its size and identity; a pipe or device is read to its end.
OpenedInput openedFrom(int fd, bool owned, std::string& errorText) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        errorText = std::strerror(errno);
        if (owned) ::close(fd);
        return {};
    }
    if (S_ISDIR(info.st_mode)) {
        errorText = "is a directory";
        if (owned) ::close(fd);
        return {};
    }
    if (!S_ISREG(info.st_mode)) return {std::make_unique<PosixInputFile>(fd, owned, kUnknownSize), std::nullopt};
    return {std::make_unique<PosixInputFile>(fd, owned, static_cast<uint64_t>(info.st_size)), identityOf(info)};
}

// The path a chain of symbolic links ends at (the path itself when it is no link), so the
// new file replaces the link's target rather than the link. Relative links count from
// their own folder.
std::string throughLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length < 0) return path;
        const std::string link(target, static_cast<size_t>(length));
        const size_t slash = path.rfind('/');
        path = link.starts_with('/') || slash == std::string::npos ? link : path.substr(0, slash + 1) + link;
    }
    return path;
}

}  // namespace

OpenedInput PosixTpmFiles::openInput(const std::string& path, std::string& errorText) {
    // A FIFO opens once its writer does, as with any reader.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errorText = std::strerror(errno);
        return {};
    }
    return openedFrom(fd, true, errorText);
}

OpenedInput PosixTpmFiles::standardInput() {
    std::string errorText;
    return openedFrom(STDIN_FILENO, false, errorText);
}

OutputTarget PosixTpmFiles::inspectOutput(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {S_ISREG(info.st_mode) ? OutputKind::Regular : OutputKind::NotRegular, identityOf(info)};
}

bool PosixTpmFiles::replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) {
    const std::string target = throughLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A temporary file beside the target replaces it in one rename: a failure leaves the old file.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = target + ".~" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            errorText = std::strerror(errno);
            return false;
        }
        const bool ok = (!exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0) && writeAll(fd.get(), bytes) &&
                        ::fsync(fd.get()) == 0;
        const int error = errno;
        if (!fd.close() || !ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
            errorText = std::strerror(ok ? errno : error);
            ::unlink(temporary.c_str());
            return false;
        }
        return true;
    }
    errorText = std::strerror(EEXIST);
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace tappling
