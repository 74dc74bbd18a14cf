// What --grade makes of a batch: the table on the terminal, and the reports a teacher and a
// CI server read (CSV, JUnit XML, one self-contained HTML page with timing charts).
//
// File names, messages and comments come from students: everything is written through
// CleanText, and the markup escaped, so no name can break a row, a terminal or a page.
#pragma once

#include <string>
#include <string_view>

#include "tools/grade.h"

namespace torvex {

// The text as valid UTF-8 with every control character (line ends too unless `keepLineEnds`)
// and every byte that is not UTF-8 written as \xNN.
std::string CleanText(std::string_view text, bool keepLineEnds = false);

// One row per file, columns aligned, then "N passed, M failed".
std::string GradeTable(const GradeBatch& batch);
std::string GradeCsv(const GradeBatch& batch);
std::string GradeJUnit(const GradeBatch& batch);
std::string GradeHtml(const GradeBatch& batch);
// The chart of a failing file as an inline SVG element.
std::string ChartSvg(const GradeResult& result, const GradeChart& chart);

}  // namespace torvex
