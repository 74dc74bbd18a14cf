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
    // The number of the line `next` returned last, from 1; 0 before the first.
    int number() const { return number_; }
    // True when the last line of the data has no line end and no Ctrl-Z ends the data: what
    // a file cut short looks like.
    bool endsMidLine() const { return endsMidLine_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int number_ = 0;
    bool endsMidLine_ = false;
};

// Optional sign and decimal digits, nothing else, within 32 bits.
std::optional<int32_t> StrictInt(std::string_view text);

// A piece of a file's text as a message quotes it: at most `limit` bytes of it (then "..."),
// and every control byte written as \xNN, so that no byte can cut the message short or
// disturb the box that shows it.
constexpr size_t kQuotedMax = 80;
std::string VisibleText(std::string_view text, size_t limit = kQuotedMax);

// What stops a load: the text is shown to the user as it stands.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// StrictInt, throwing "'text' is not a valid integer value" when the text is not one.
int32_t StrictIntOrThrow(std::string_view text);
// The text is quoted as VisibleText shows it.
std::string NotAnInteger(std::string_view text);

// The message for an error number met while reading: "File not found" for a missing file,
// else the platform's text.
std::string IOErrorText(int errorNumber);

struct FileBytes {
    bool ok = false;
    std::string bytes;
    std::string error;  // when not ok: a message that names the file
    std::string path;   // as given to ReadWholeFile
};
// Reads a regular file whole. Anything else (a pipe, a device, a folder) is refused before it
// is read, so that nothing can block; a file beyond 64 MiB fails with "File too large".
constexpr size_t kLargestTextFile = size_t{64} << 20;
FileBytes ReadWholeFile(const std::string& path, bool finnish = false);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only once
// every byte is on disk, so a failed save leaves the previous file as it was. A device (as
// /dev/null) is written in place; a pipe, socket or folder is refused, and so is a file
// that a plain write would not be allowed to change. Empty on success, else the message:
// the platform's, or one that names the file.
std::string ReplaceFile(const std::string& path, std::string_view bytes, bool finnish = false);

}  // namespace torvex
