#include "files/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "files/file_messages.h"

namespace torvex {

TextLines::TextLines(std::string_view text) : text_(text.substr(0, text.find(kCtrlZ))) {
    endsMidLine_ = text_.size() == text.size() && !text_.empty() && text_.back() != '\n' &&
                   text_.back() != '\r';
}

std::string_view TextLines::next() {
    if (atEnd()) return {};
    ++number_;
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

std::string VisibleText(std::string_view text, size_t limit) {
    std::string_view shown = text.substr(0, std::min(limit, text.size()));
    // Not in the middle of a UTF-8 character.
    if (shown.size() < text.size())
        while (!shown.empty() && (static_cast<unsigned char>(text[shown.size()]) & 0xC0) == 0x80)
            shown.remove_suffix(1);
    std::string visible;
    visible.reserve(shown.size() + 3);
    for (char ch : shown) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7F) {
            visible += ch;
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        visible += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
    if (shown.size() < text.size()) visible += "...";
    return visible;
}

std::string NotAnInteger(std::string_view text) {
    return "'" + VisibleText(text) + "' is not a valid integer value";
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

// A device is written where it is, as a plain write would: it cannot be replaced.
std::string WriteInPlace(const std::string& path, std::string_view bytes, bool finnish) {
    // Non-blocking, so that a pipe put in the device's place meanwhile cannot hold us.
    Descriptor file{::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) return std::strerror(errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) return std::strerror(errno);
    if (!S_ISCHR(st.st_mode) && !S_ISBLK(st.st_mode)) return NotARegularFile(path, finnish);
    // A terminal may take its time; it is waited for as a plain write would.
    if (const int flags = ::fcntl(file.fd, F_GETFL);
        flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return std::strerror(errno);
    if (!WriteAll(file.fd, bytes)) return std::strerror(errno);
    if (file.release() != 0) return std::strerror(errno);
    return {};
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path, bool finnish) {
    FileBytes result;
    result.path = path;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        result.bytes.clear();
        return result;
    };
    // Looked at before it is opened: opening some devices does something, and opening a pipe
    // waits for a writer. The descriptor is checked again in case the file changed between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return fail(FileError(path, IOErrorText(errno)));
    if (!S_ISREG(st.st_mode)) return fail(NotARegularFile(path, finnish));
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) return fail(FileError(path, IOErrorText(errno)));
    if (::fstat(file.fd, &st) != 0) return fail(FileError(path, IOErrorText(errno)));
    if (!S_ISREG(st.st_mode)) return fail(NotARegularFile(path, finnish));
    // The largest diagram is under a megabyte: anything far larger is no diagram.
    if (static_cast<uint64_t>(st.st_size) > kLargestTextFile)
        return fail(FileError(path, std::strerror(EFBIG)));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(FileError(path, IOErrorText(errno)));
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<size_t>(n));
        if (result.bytes.size() > kLargestTextFile)
            return fail(FileError(path, std::strerror(EFBIG)));
    }
    result.ok = true;
    return result;
}

std::string ReplaceFile(const std::string& path, std::string_view bytes, bool finnish) {
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
    if (exists) {
        if (S_ISCHR(old.st_mode) || S_ISBLK(old.st_mode))
            return WriteInPlace(target, bytes, finnish);
        // A pipe would block, a socket cannot be written, a folder must not be replaced.
        if (!S_ISREG(old.st_mode)) return NotARegularFile(path, finnish);
        // Renaming needs only the folder's permission; the file's own is what a plain write
        // would meet, so a read-only file stays as it is.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return std::strerror(errno);
    }

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
