#include "FileOperations.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kursomatik {

int FileOperations::readFile(const std::filesystem::path& file, std::string& bytes) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    bytes.clear();
    char buffer[65536];
    int error = 0;
    for (;;) {
        const ssize_t part = ::read(descriptor, buffer, sizeof buffer);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) error = errno;
        if (part <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(part));
    }
    ::close(descriptor);
    return error;
}

int FileOperations::removeFile(const std::filesystem::path& file) {
    if (::unlink(file.c_str()) == 0 || errno == ENOENT) return 0;
    return errno;
}

int FileOperations::createFile(const std::filesystem::path& file, int& descriptor) {
    descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return descriptor < 0 ? errno : 0;
}

int FileOperations::writeAll(int descriptor, std::string_view bytes) {
    std::size_t put = 0;
    while (put < bytes.size()) {
        const ssize_t part = ::write(descriptor, bytes.data() + put, bytes.size() - put);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return errno;
        if (part == 0) return EIO;
        put += static_cast<std::size_t>(part);
    }
    return 0;
}

int FileOperations::syncFile(int descriptor) {
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

int FileOperations::closeFile(int descriptor) {
    return ::close(descriptor) == 0 ? 0 : errno;
}

int FileOperations::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOperations::syncFolder(const std::filesystem::path& folder) {
    const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    const int result = ::fsync(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return result;
}

FileOperations& systemFileOperations() {
    static FileOperations operations;
    return operations;
}

}  // namespace kursomatik
