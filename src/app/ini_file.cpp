#include "app/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <optional>

#include "app/ini_file_text.h"

namespace orvanix {

namespace {

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a
    // failed delayed write).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Whole contents of a file; std::nullopt when it exists but cannot be read.
// A missing file reads as empty text.
std::optional<std::string> readWholeFile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) return contents;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

// The file that a write really replaces: the target of a symbolic link, so the
// link itself stays.
std::string replacedFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

// Writes `contents` to a new file beside `path` and renames it over `path`.
bool replaceFile(const std::string& path, std::string_view contents) {
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter.fetch_add(1));
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0666;
    FileDescriptor file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (file.get() < 0) return false;
    const bool written = writeAll(file.get(), contents) && ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

// Writers of this process take turns, so two writes never lose each other's value.
std::mutex& writeMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

std::string readIniValue(const std::string& path, std::string_view section, std::string_view key) {
    if (path.empty()) return {};
    const auto contents = readWholeFile(path);
    if (!contents) return {};
    return findIniValue(*contents, section, key).value_or(std::string());
}

bool writeIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (path.empty() || !isWritableIniName(section, key)) return false;
    std::lock_guard lock(writeMutex());
    const std::string file = replacedFile(path);
    const auto contents = readWholeFile(file);
    if (!contents) return false;  // never replace a file we could not read
    const std::string updated = withIniValue(*contents, section, key, value);
    if (updated == *contents) return true;
    return replaceFile(file, updated);
}

}  // namespace orvanix
