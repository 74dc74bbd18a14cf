// The messages of the file readers and writer that name a file, in English or Finnish. A file
// is named as the caller gave it; a piece of the file's own text is quoted with VisibleText.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvex {

// "'x.llg' is not a TORVEX diagram."
std::string NotADiagram(std::string_view file, bool finnish);
// "'x.llg' is not a regular file." (a pipe, a device, a folder)
std::string NotARegularFile(std::string_view file, bool finnish);
// "'x.llg': File not found": the platform's text after the file's name.
std::string FileError(std::string_view file, std::string_view platformText);

// The place put in front of a conversion error: "'x.llg', section 'Timer 3', line 412: "
// and, outside a section, "'x.llg', line 12: ".
std::string InSectionAtLine(std::string_view file, std::string_view section, int line,
                            bool finnish);
std::string AtLine(std::string_view file, int line, bool finnish);

// Where a file cut short ends.
std::string EndsInsideSection(std::string_view file, std::string_view section, bool finnish);
std::string EndsInsideRung(std::string_view file, int rung, bool finnish);
std::string EndsInsideTimerBlock(std::string_view file, int block, bool finnish);
std::string EndsMidLine(std::string_view file, int line, bool finnish);

// Rung comments of a file for rungs the diagram does not have.
std::string CommentsBeyondRungs(std::string_view file, const std::vector<int>& rungs, bool finnish);

}  // namespace torvex
