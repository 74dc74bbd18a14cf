// The llg writer: the whole diagram as banner-headed sections of CR LF lines.
#pragma once

#include <string>
#include <string_view>

#include "engine/plc.h"
#include "files/diagram_settings.h"
#include "files/io_comments.h"

namespace torvex {

constexpr int kBannerLength = 40;
constexpr int kCommentPiece = 21;  // characters of a rung comment per line

// The title centred in dashes, 40 characters.
std::string MakeForty(std::string_view title);
// `text` repeated `count` times; empty for a count of 0 or less.
std::string Copies(int count, std::string_view text);

// Row lines of a rung block, without the line end.
std::string LineControls(const RungRecord& rung, int row);
std::string LineTypes(const RungRecord& rung, int row);
std::string LineIndexes(const RungRecord& rung, int row);
std::string LineLinks(const RungRecord& rung, int row);

// A comment as the file holds it. A CR or LF would split the line and a Ctrl-Z would end
// the data when the file is read again, so each of them is written as a space; every other
// byte is written as it is.
std::string FileSafeComment(std::string_view text);

// Builds the file's text one section at a time. A number outside its table writes nothing.
class LadderWriter {
public:
    LadderWriter(const Plc& plc, const IOComments& comments, const DiagramSettings& settings);

    void WriteRung(int rung);
    void WriteControls(int rung);
    void WriteTypes(int rung);
    void WriteIndexes(int rung);
    void WriteLinks(int rung);
    void WriteInputComment(int number);
    void WriteOutputComment(int number);
    void WriteFlagComment(int number);
    void WriteTimerComment(int number);
    void WriteCounterComment(int number);
    void WriteRegisterComment(int number);
    void WriteTimer(int number);
    void WriteOnDelay(int number);
    void WriteCounter(int number);
    void WriteSimulation();
    void WriteControl();
    void WriteComment(int rung);
    void WriteComments();

    // Every section of the diagram, in the order the file keeps them.
    void WriteAll();

    const std::string& text() const { return text_; }

private:
    void line(std::string_view text);
    void banner(std::string_view title);
    void rungBlock(int rung, const char* word, std::string (*rowLine)(const RungRecord&, int));
    void ioComment(int group, int number);

    const Plc& plc_;
    const IOComments& comments_;
    const DiagramSettings& settings_;
    std::string text_;
};

// The bytes of the file SaveLadder writes.
std::string LadderText(const Plc& plc, const IOComments& comments, const DiagramSettings& settings);

// Writes the whole diagram to `fileName`, replacing the file only once the new one is
// complete (ReplaceFile). Empty on success, else the message: the platform's, or one naming
// the file (in Finnish when `finnish` is set); on failure the previous file is as it was.
// The caller then sets CurrentFileName and clears DiagramChanged.
std::string SaveLadder(const Plc& plc, const IOComments& comments, const DiagramSettings& settings,
                       const std::string& fileName, bool finnish = false);

}  // namespace torvex
