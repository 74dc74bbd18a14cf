#include "files/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace torvex {

TextLines::TextLines(std::string_view text) : text_(text.substr(0, text.find(kCtrlZ))) {}

std::string_view TextLines::next() {
    if (atEnd()) return {};
    const size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
        std::string_view line = text_.substr(pos_);
        pos_ = text_.size();
        return line;
    }
    std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return line;
}

std::optional<int32_t> StrictInt(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    for (char ch : digits)
        if (ch < '0' || ch > '9') return std::nullopt;
    int64_t value = 0;
    for (char ch : digits) {
        value = value * 10 + (ch - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string NotAnInteger(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

int32_t StrictIntOrThrow(std::string_view text) {
    if (std::optional<int32_t> value = StrictInt(text)) return *value;
    throw FileFormatError(NotAnInteger(text));
}

std::string IOErrorText(int errorNumber) {
    if (errorNumber == ENOENT) return "File not found";
    return std::strerror(errorNumber);
}

namespace {

// Closes the descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    // Closes now, reporting the error the close gave.
    int release() {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string WriteInPlace(const std::string& path, std::string_view bytes) {
    Descriptor file{::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
    if (file.fd < 0) return std::strerror(errno);
    if (!WriteAll(file.fd, bytes)) return std::strerror(errno);
    if (file.release() != 0) return std::strerror(errno);
    return {};
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes result;
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        result.error = IOErrorText(errno);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = IOErrorText(errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<size_t>(n));
        // The largest diagram is under a megabyte: anything far larger (a device) is no diagram.
        if (result.bytes.size() > kLargestTextFile) {
            result.error = std::strerror(EFBIG);
            result.bytes.clear();
            return result;
        }
    }
    result.ok = true;
    return result;
}

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    // A link stays a link: the file it points to is the one replaced.
    std::string target = path;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved.string();
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return WriteInPlace(target, bytes);

    // Created as a new file would be (the umask applies), then given the old file's mode.
    const fs::path targetPath(target);
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : ".";
    std::random_device random;
    std::string tempName;
    Descriptor temp;
    for (int attempt = 0; attempt < 100 && temp.fd < 0; ++attempt) {
        tempName = (folder / ("." + targetPath.filename().string() + "." +
                              std::to_string(random() % 1000000) + ".tmp"))
                       .string();
        temp.fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (temp.fd < 0 && errno != EEXIST) return std::strerror(errno);
    }
    if (temp.fd < 0) return std::strerror(EEXIST);
    auto fail = [&](int errorNumber) {
        ::unlink(tempName.c_str());
        return std::strerror(errorNumber);
    };
    if (exists && ::fchmod(temp.fd, old.st_mode & 07777) != 0) return fail(errno);
    if (!WriteAll(temp.fd, bytes)) return fail(errno);
    if (::fsync(temp.fd) != 0) return fail(errno);
    if (temp.release() != 0) return fail(errno);
    if (::rename(tempName.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

}  // namespace torvex
