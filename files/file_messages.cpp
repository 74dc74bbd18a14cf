#include "files/file_messages.h"

#include "files/cell_check.h"
#include "files/text_file.h"

namespace torvex {

namespace {

std::string InQuotes(std::string text) {
    text.insert(text.begin(), '\'');
    text.push_back('\'');
    return text;
}

// A file's name in quotes, whole: it is the user's own choice, not the file's content.
std::string Named(std::string_view file) {
    return InQuotes(VisibleText(file, std::string_view::npos));
}

std::string Quoted(std::string_view text) {
    return InQuotes(VisibleText(text));
}

}  // namespace

std::string NotADiagram(std::string_view file, bool finnish) {
    return Named(file) + (finnish ? " ei ole TORVEX-kaavio." : " is not a TORVEX diagram.");
}

std::string NotARegularFile(std::string_view file, bool finnish) {
    return Named(file) + (finnish ? " ei ole tavallinen tiedosto." : " is not a regular file.");
}

std::string FileError(std::string_view file, std::string_view platformText) {
    return Named(file) + ": " + std::string(platformText);
}

std::string InSectionAtLine(std::string_view file, std::string_view section, int line,
                            bool finnish) {
    return Named(file) + (finnish ? ", osa " : ", section ") + Quoted(section) +
           (finnish ? ", rivi " : ", line ") + std::to_string(line) + ": ";
}

std::string AtLine(std::string_view file, int line, bool finnish) {
    return Named(file) + (finnish ? ", rivi " : ", line ") + std::to_string(line) + ": ";
}

std::string EndsInsideSection(std::string_view file, std::string_view section, bool finnish) {
    if (finnish) return "Tiedosto " + Named(file) + " päättyy kesken osan " + Quoted(section) + ".";
    return "The file " + Named(file) + " ends inside section " + Quoted(section) + ".";
}

std::string EndsInsideRung(std::string_view file, int rung, bool finnish) {
    if (finnish)
        return "Tiedosto " + Named(file) + " päättyy kesken puolan " + std::to_string(rung) + ".";
    return "The file " + Named(file) + " ends inside rung " + std::to_string(rung) + ".";
}

std::string EndsInsideTimerBlock(std::string_view file, int block, bool finnish) {
    if (finnish)
        return "Tiedosto " + Named(file) + " päättyy kesken ajastinlohkon " +
               std::to_string(block) + ".";
    return "The file " + Named(file) + " ends inside timer block " + std::to_string(block) + ".";
}

std::string EndsMidLine(std::string_view file, int line, bool finnish) {
    if (finnish)
        return "Tiedosto " + Named(file) + " päättyy kesken rivin " + std::to_string(line) + ".";
    return "The file " + Named(file) + " ends in the middle of line " + std::to_string(line) + ".";
}

std::string CommentsBeyondRungs(std::string_view file, const std::vector<int>& rungs,
                                bool finnish) {
    std::vector<std::string> names;
    for (int rung : rungs) names.push_back((finnish ? "puola " : "rung ") + std::to_string(rung));
    if (finnish)
        return "Tiedostossa " + Named(file) +
               " on kommentteja puolille, joita kaaviossa ei ole; niitä ei säilytetä: " +
               ListNames(names, finnish);
    return "The file " + Named(file) +
           " holds comments for rungs the diagram does not have; they are not kept: " +
           ListNames(names, finnish);
}

}  // namespace torvex
