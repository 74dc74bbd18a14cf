// The text conventions both diagram formats share: CR LF lines of 8-bit text ending at a
// Ctrl-Z, strict integer conversion, and reading and replacing whole files.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace torvex {

constexpr char kCtrlZ = 26;

// Lines of a text held in memory. A line ends at CR LF, or at a lone LF or CR as files
// edited elsewhere have them; a Ctrl-Z ends the data. Past the end every line reads empty.
class TextLines {
public:
    explicit TextLines(std::string_view text);

    bool atEnd() const { return pos_ >= text_.size(); }
    std::string_view next();

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// Optional sign and decimal digits, nothing else, within 32 bits.
std::optional<int32_t> StrictInt(std::string_view text);

// What stops a load: the text is shown to the user as it stands.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// StrictInt, throwing "'text' is not a valid integer value" when the text is not one.
int32_t StrictIntOrThrow(std::string_view text);
std::string NotAnInteger(std::string_view text);

// The message for an error number met while reading: "File not found" for a missing file,
// else the platform's text.
std::string IOErrorText(int errorNumber);

struct FileBytes {
    bool ok = false;
    std::string bytes;
    std::string error;  // when not ok
};
// Fails with "File too large" beyond 64 MiB.
constexpr size_t kLargestTextFile = size_t{64} << 20;
FileBytes ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only once
// every byte is on disk, so a failed save leaves the previous file as it was. A target that
// exists and is not a regular file (a device, a pipe) is written in place. Empty on success,
// else the platform's message.
std::string ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace torvex
