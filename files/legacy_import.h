// The one-way import of diagrams of the previous generation: an "lld" diagram file with its
// "LCD" file of rung comments beside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/plc.h"
#include "files/io_comments.h"
#include "files/ladder_reader.h"
#include "files/text_file.h"

namespace torvex {

// The value of a control's letter: O 1, C 2, T 3, F 4, B 5, D 6, E 7, G 8, R 9, others 0.
int OldLetterValue(char letter);

// One cell line ("P0I  5" between quotes and the like) decoded into control column `column`
// (0 ... 9), row `row`. Throws FileFormatError when the family digit or the number is not
// an integer.
void OldCellLine(RungRecord& rung, int column, int row, std::string_view line);

// The data-bit source code of a rung's bit-shift box applied to the box in the output
// column; a rung without a bit-shift box there is left alone.
void ApplyOldShiftSource(RungRecord& rung, int32_t source);

// Draws a parallel branch in `row` between link columns a and b. False, with nothing
// drawn, when the branch would leave the grid; true otherwise (also when nothing needed
// drawing because the row holds no control between the columns).
bool AddOldBranch(RungRecord& rung, int row, int a, int b);

// The output column as the current format keeps it: a box's second row becomes its box
// bottom, and rows 1 ... 3 that hold controls are wired in parallel.
void RebuildOldOutputs(RungRecord& rung);

// The comment file beside a diagram file: the name with its last three characters replaced
// by "LCD", or a file of that name in another letter case when only such a one exists.
std::string OldCommentFileName(const std::string& diagramFileName);

// Imports an lld file and its comment file into the model. The diagram is read aside and
// taken over only when the import succeeds: an import that fails (a file that cannot be read,
// a value that is not an integer) leaves the model untouched. A header that is too old leaves
// the new empty diagram (Wipe) and a warning. The result leaves the control mode at the
// Debugger; the imported diagram is untitled. Messages that name a file are in Finnish when
// `finnish` is set.
LoadResult DoOldLoad(Plc& plc, IOComments& comments, const std::string& fileName,
                     bool finnish = false);
// The same for the two files' contents already read; `commentFile` not ok stands for a
// comment file that could not be read (its error is the import's). `fileName` names the
// diagram file in messages.
LoadResult ImportOldText(Plc& plc, IOComments& comments, std::string_view diagram,
                         const FileBytes& commentFile, const std::string& fileName = {},
                         bool finnish = false);

}  // namespace torvex
