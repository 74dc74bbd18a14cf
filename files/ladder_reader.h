// The llg reader: LoadFile and the helpers that take a file's sections apart.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/plc.h"
#include "files/cell_check.h"
#include "files/diagram_settings.h"
#include "files/io_comments.h"

namespace torvex {

// What a load tells the window layer. The model itself has been written directly. A load
// ends in one of three ways:
// - completed: the file was read (a file cut short is read as far as it goes, and a warning
//   says where it ends);
// - untouched (not completed): refused before anything was changed, because the file could
//   not be read, is not a regular file or is no diagram at all, or a legacy import failed;
//   the diagram, the memory image and the I/O comments are exactly as they were, and the
//   window keeps its file name, caption, DiagramChanged and view as they were;
// - neither: stopped part way; the model holds what was read so far (or, for a legacy file
//   that is too old, the new empty diagram).
struct LoadResult {
    // The caller may apply the comments-shown value, enter the control mode, clear
    // DiagramChanged, set CurrentFileName and the caption, and enter the file in the
    // recent-file list. When false, `error` says why (or, for a legacy file that is too old,
    // `warnings` does).
    bool completed = false;
    bool untouched = false;
    std::string error;
    // To be shown in order, each in a warning box; the load went on after each.
    std::vector<std::string> warnings;
    // The Control menu's mode to enter. Internal Simulation and External PLC come with a
    // simulation; a file naming External PLC without one comes back as the Debugger.
    ControlMenuMode controlMode = ControlMenuMode::Debugger;
    int simulation = 0;  // 1 ... 4, or 0 when the file names none
    bool commentsShown = false;
    // Cells whose operand lay outside its table, cleared (a warning names them too).
    std::vector<ClearedCell> clearedCells;

    // The settings a window holds after entering this result: a simulation named in the
    // file is open.
    DiagramSettings settingsAfterLoad() const;
};

// Position (1-based) of the last first occurrence of any digit in the line; 0 for none.
int MaxNum(std::string_view line);
// The section number of a banner: the token around the digit MaxNum finds, bounded by
// spaces or the line's ends. False when the line holds no digit; throws FileFormatError
// when the token is not an integer.
bool LineValue(std::string_view line, int32_t& number);
// Case-sensitive searches for words anywhere in the line.
bool Both(std::string_view word1, std::string_view word2, std::string_view line);
bool Singly(std::string_view word, std::string_view line);

// One row line of a rung block decoded into the row's cells, field by field. A missing or
// unknown mnemonic leaves its cell as it was; a Types or Indexes field that is not an
// integer throws FileFormatError.
void ControlsLine(RungRecord& rung, int row, std::string_view text);
void TypesLine(RungRecord& rung, int row, std::string_view text);
void IndexesLine(RungRecord& rung, int row, std::string_view text);
void LinksLine(RungRecord& rung, int row, std::string_view text);

// True for a line the reader takes as the banner of a section it knows (whatever its number):
// 40 characters framed by dashes.
bool IsSectionBanner(std::string_view line);

// Reads an llg file into the model after clearing it (Wipe). A file that cannot be read, or
// holds no section banner at all, is refused with the model untouched. Messages that name the
// file are in Finnish when `finnish` is set.
LoadResult LoadFile(Plc& plc, IOComments& comments, const std::string& fileName,
                    bool finnish = false);
// The same for a file's bytes already in memory; `fileName` names it in messages.
LoadResult LoadLadderText(Plc& plc, IOComments& comments, std::string_view text,
                          const std::string& fileName = {}, bool finnish = false);

}  // namespace torvex
