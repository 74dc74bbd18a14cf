#include "tools/grade_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "tools/scenario.h"
#include "tools/trace.h"

namespace torvex {

namespace {

std::string Hex(unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
}

// Characters as a terminal and a spreadsheet count them.
size_t Width(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

// At most `limit` characters of clean text, then "...".
std::string Shortened(const std::string& clean, size_t limit) {
    if (Width(clean) <= limit) return clean;
    size_t at = 0;
    for (size_t seen = 0; at < clean.size(); ++at)
        if ((static_cast<unsigned char>(clean[at]) & 0xC0) != 0x80 && seen++ == limit) break;
    return clean.substr(0, at) + "...";
}

std::string Fixed(double value, int decimals) {
    char text[48];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// Escaped for XML and HTML, in text and in attributes alike.
std::string Markup(std::string_view text, bool keepLineEnds = false) {
    std::string escaped;
    for (char ch : CleanText(text, keepLineEnds)) {
        switch (ch) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += ch;
        }
    }
    return escaped;
}

const char* OutcomeText(GradeResult::Outcome outcome) {
    switch (outcome) {
        case GradeResult::Passed:
            return "passed";
        case GradeResult::Failed:
            return "failed";
        case GradeResult::TimedOut:
            return "timed out";
        case GradeResult::Error:
            break;
    }
    return "error";
}

// Why a file did not pass, in one line: the error, or the first failure.
std::string Note(const GradeResult& r) {
    if (!r.error.empty()) return r.error;
    if (!r.failures.empty())
        return r.failures.front().message +
               (r.failures.size() > 1 ? " (+" + std::to_string(r.failures.size() - 1) + " more)"
                                      : "");
    return r.warnings.empty() ? "" : r.warnings.front();
}

bool RanToTheEnd(const GradeResult& r) {
    return r.outcome == GradeResult::Passed || r.outcome == GradeResult::Failed;
}

struct Column {
    std::string title;
    bool number;
};

// The table's cells, clean: one row of titles, then one per file.
std::vector<Column> Columns(const GradeBatch& batch) {
    std::vector<Column> columns = {
        {"file", false}, {"result", false}, {"passed", true}, {"failed", true}};
    if (!batch.plant.empty()) {
        columns.push_back({"stop", false});
        for (const std::string& f : batch.figureNames) columns.push_back({"plant." + f, true});
    }
    columns.push_back({"note", false});
    return columns;
}

std::vector<std::string> Cells(const GradeBatch& batch, const GradeResult& r) {
    const bool ran = r.outcome != GradeResult::Error;
    std::vector<std::string> cells = {CleanText(r.name), OutcomeText(r.outcome),
                                      ran ? std::to_string(r.passed) : "",
                                      ran ? std::to_string(r.failed) : ""};
    if (!batch.plant.empty()) {
        cells.push_back(CleanText(r.stopReason));
        for (size_t i = 0; i < batch.figureNames.size(); ++i)
            cells.push_back(i < r.figures.size() ? r.figures[i] : "");
    }
    cells.push_back(CleanText(Note(r)));
    return cells;
}

std::string Summary(const GradeBatch& batch) {
    return std::to_string(batch.passedFiles()) + " passed, " + std::to_string(batch.failedFiles()) +
           " failed";
}

// A spreadsheet must not take a student's file name for a formula.
std::string CsvField(const std::string& text, bool number) {
    std::string field = text;
    if (!number && !field.empty() && std::string_view("=+-@").find(field[0]) != std::string::npos)
        field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\n\r") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char ch : field) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string CleanText(std::string_view text, bool keepLineEnds) {
    std::string clean;
    clean.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            const bool lineEnd = byte == '\n' || byte == '\r' || byte == '\t';
            if ((byte < 0x20 && !(keepLineEnds && lineEnd)) || byte == 0x7F)
                clean += Hex(byte);
            else
                clean += static_cast<char>(byte);
            ++i;
            continue;
        }
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
        uint32_t code = byte & (0x7F >> length);
        bool valid = length > 0 && byte < 0xF5 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        // Overlong forms, surrogates, non-characters and the C1 controls are not text.
        valid = valid && code >= kSmallest[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF &&
                !(code >= 0x80 && code <= 0x9F);
        if (!valid) {
            clean += Hex(byte);
            ++i;
            continue;
        }
        clean.append(text.substr(i, length));
        i += length;
    }
    return clean;
}

std::string GradeTable(const GradeBatch& batch) {
    const std::vector<Column> columns = Columns(batch);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> titles;
    for (const Column& c : columns) titles.push_back(c.title);
    rows.push_back(titles);
    for (const GradeResult& r : batch.results) rows.push_back(Cells(batch, r));
    std::vector<size_t> widths(columns.size(), 0);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - Width(row[c]), ' ');
            if (c > 0) line += "  ";
            line += columns[c].number ? pad + row[c] : row[c] + (c + 1 < row.size() ? pad : "");
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        table += line + '\n';
    }
    return table + Summary(batch) + '\n';
}

std::string GradeCsv(const GradeBatch& batch) {
    const std::vector<Column> columns = Columns(batch);
    std::string csv;
    for (size_t c = 0; c < columns.size(); ++c)
        csv += (c ? "," : "") + CsvField(columns[c].title, false);
    csv += '\n';
    for (const GradeResult& r : batch.results) {
        const std::vector<std::string> cells = Cells(batch, r);
        for (size_t c = 0; c < cells.size(); ++c)
            csv += (c ? "," : "") + CsvField(cells[c], columns[c].number);
        csv += '\n';
    }
    return csv;
}

std::string GradeJUnit(const GradeBatch& batch) {
    int failures = 0, errors = 0;
    for (const GradeResult& r : batch.results) {
        failures += r.outcome == GradeResult::Failed;
        errors += r.outcome == GradeResult::Error || r.outcome == GradeResult::TimedOut;
    }
    const std::string tests = std::to_string(batch.results.size());
    const std::string counts = " tests=\"" + tests + "\" failures=\"" + std::to_string(failures) +
                               "\" errors=\"" + std::to_string(errors) + "\"";
    std::string suite = BaseName(batch.scenario);
    std::string classname = suite.substr(0, suite.rfind('.'));
    if (classname.empty()) classname = "scenario";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites name=\"torvex-run --grade\"" + counts + " time=\"" +
           Fixed(batch.seconds, 3) + "\">\n";
    xml += "  <testsuite name=\"" + Markup(suite) + "\"" + counts + " skipped=\"0\" time=\"" +
           Fixed(batch.seconds, 3) + "\" timestamp=\"" + batch.timestamp + "\" hostname=\"" +
           Markup(batch.hostname) + "\">\n";
    xml += "    <properties>\n";
    auto property = [&](const std::string& name, const std::string& value) {
        xml += "      <property name=\"" + name + "\" value=\"" + Markup(value) + "\"/>\n";
    };
    property("scenario", batch.scenario);
    if (!batch.plant.empty()) {
        property("plant", batch.plant);
        property("seed", std::to_string(batch.seed));
    }
    xml += "    </properties>\n";
    for (const GradeResult& r : batch.results) {
        xml += "    <testcase name=\"" + Markup(r.name) + "\" classname=\"" + Markup(classname) +
               "\" time=\"" + Fixed(r.seconds, 3) + "\">\n";
        if (!r.error.empty()) {
            const char* type = r.outcome == GradeResult::TimedOut ? "timeout" : "file";
            xml += "      <error type=\"" + std::string(type) + "\" message=\"" + Markup(r.error) +
                   "\">" + Markup(r.error) + "</error>\n";
        }
        for (const GradeFailure& f : r.failures) {
            const char* type = f.name == "plant stopped" ? "stop" : "expectation";
            xml += "      <failure type=\"" + std::string(type) + "\" message=\"" +
                   Markup(f.message) + "\">" + Markup(f.message) + "</failure>\n";
        }
        if (!r.output.empty())
            xml += "      <system-out>" + Markup(r.output, true) + "</system-out>\n";
        if (!r.warnings.empty()) {
            std::string warnings;
            for (const std::string& w : r.warnings) warnings += w + '\n';
            xml += "      <system-err>" + Markup(warnings, true) + "</system-err>\n";
        }
        xml += "    </testcase>\n";
    }
    xml += "  </testsuite>\n</testsuites>\n";
    return xml;
}

std::string ChartSvg(const GradeResult& result, const GradeChart& chart) {
    constexpr double kWidth = 880, kLabel = 190, kRight = 14, kTop = 34, kRow = 38, kBand = 22;
    const double plotWidth = kWidth - kLabel - kRight;
    const double height = kTop + kRow * static_cast<double>(chart.signals.size()) + 8;
    const double slots = static_cast<double>(chart.lastScan - chart.firstScan + 1);
    auto x = [&](int64_t scan) {
        return kLabel + static_cast<double>(scan - chart.firstScan) * plotWidth / slots;
    };
    auto n = [](double v) { return Fixed(v, 1); };
    const int64_t ran =
        chart.signals.empty()
            ? chart.lastScan
            : chart.firstScan + static_cast<int64_t>(chart.signals.front().values.size()) - 1;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + n(kWidth) +
                      "\" height=\"" + n(height) + "\" viewBox=\"0 0 " + n(kWidth) + " " +
                      n(height) +
                      "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\" "
                      "aria-label=\"timing chart of " +
                      Markup(result.name) + "\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    // Seconds: a grid line and a label each, fewer labels when they would crowd.
    const double perSecond = plotWidth * 10 / slots;
    const int64_t labelEvery = perSecond >= 40 ? 10 : perSecond >= 20 ? 20 : 50;
    for (int64_t s = (chart.firstScan + 9) / 10 * 10; s <= chart.lastScan + 1; s += 10) {
        svg += "<line x1=\"" + n(x(s)) + "\" y1=\"" + n(kTop - 6) + "\" x2=\"" + n(x(s)) +
               "\" y2=\"" + n(height - 8) + "\" stroke=\"#e2e2e2\"/>\n";
        if (s % labelEvery == 0)
            svg += "<text x=\"" + n(x(s)) + "\" y=\"" + n(kTop - 10) +
                   "\" text-anchor=\"middle\" fill=\"#666666\">" + std::to_string(s / 10) +
                   " s</text>\n";
    }
    if (ran < chart.lastScan) {
        svg += "<rect x=\"" + n(x(ran + 1)) + "\" y=\"" + n(kTop - 6) + "\" width=\"" +
               n(x(chart.lastScan + 1) - x(ran + 1)) + "\" height=\"" + n(height - kTop - 2) +
               "\" fill=\"#f0f0f0\"/>\n";
        svg += "<text x=\"" + n((x(ran + 1) + x(chart.lastScan + 1)) / 2) + "\" y=\"" +
               n(height - 12) + "\" text-anchor=\"middle\" fill=\"#888888\">run ended</text>\n";
    }
    // The first failure, across every row.
    const double focus = (x(chart.focusScan) + x(chart.focusScan + 1)) / 2;
    svg += "<line x1=\"" + n(focus) + "\" y1=\"" + n(kTop - 6) + "\" x2=\"" + n(focus) +
           "\" y2=\"" + n(height - 8) + "\" stroke=\"#cc0000\" stroke-dasharray=\"4 3\"/>\n";
    svg += "<text x=\"" + n(focus - 4) + "\" y=\"12\" text-anchor=\"end\" fill=\"#cc0000\">" +
           "first failure, t=" + ScanTime(chart.focusScan) + " s</text>\n";

    for (size_t row = 0; row < chart.signals.size(); ++row) {
        const ChartSignal& signal = chart.signals[row];
        const double top = kTop + kRow * static_cast<double>(row) + 4;
        const double bottom = top + kBand;
        if (row % 2 == 1)
            svg += "<rect x=\"0\" y=\"" + n(top - 4) + "\" width=\"" + n(kWidth) + "\" height=\"" +
                   n(kRow) + "\" fill=\"#000000\" fill-opacity=\"0.03\"/>\n";
        svg += "<text x=\"8\" y=\"" + n(top + 9) + "\" font-weight=\"bold\">" +
               Markup(signal.name) + "</text>\n";
        if (signal.values.empty()) continue;
        const auto [low, high] = std::minmax_element(signal.values.begin(), signal.values.end());
        // A number's range, then what the point stands for, in full on hovering.
        std::string caption = signal.meaning;
        if (!signal.bit)
            caption = FigureText(*low) + (*low == *high ? "" : " ... " + FigureText(*high)) +
                      (caption.empty() ? "" : ": " + caption);
        if (!caption.empty())
            svg += "<text x=\"8\" y=\"" + n(top + 23) + "\" font-size=\"10\" fill=\"#555555\">" +
                   "<title>" + Markup(caption) + "</title>" +
                   Markup(Shortened(CleanText(caption), 32)) + "</text>\n";
        auto y = [&](double v) {
            if (signal.bit) return v != 0 ? top + 2 : bottom - 2;
            if (*high == *low) return (top + bottom) / 2;
            return bottom - 2 - (v - *low) / (*high - *low) * (kBand - 4);
        };
        // The trace as steps, and the time a bit is on shaded beneath it.
        std::string path = "M" + n(x(chart.firstScan)) + " " + n(y(signal.values[0]));
        for (size_t i = 1; i < signal.values.size(); ++i)
            if (signal.values[i] != signal.values[i - 1])
                path += "H" + n(x(chart.firstScan + static_cast<int64_t>(i))) + "V" +
                        n(y(signal.values[i]));
        path += "H" + n(x(ran + 1));
        if (signal.bit)
            svg += "<path d=\"" + path + "V" + n(bottom - 2) + "H" + n(x(chart.firstScan)) +
                   "Z\" fill=\"#2e7d32\" fill-opacity=\"0.15\" stroke=\"none\"/>\n";
        svg += "<path d=\"" + path + "\" fill=\"none\" stroke=\"#1b5e20\" stroke-width=\"1.5\"/>\n";
        // Each failure of this point in the window, at the level a bit was expected to have,
        // with its message.
        for (const GradeFailure& f : result.failures) {
            if (f.name != signal.name || f.scan < chart.firstScan || f.scan > chart.lastScan)
                continue;
            const double at = (x(f.scan) + x(f.scan + 1)) / 2;
            const size_t expected = f.message.find(": expected ");
            const double level = signal.bit && expected != std::string::npos
                                     ? y(f.message.compare(expected + 11, 1, "1") == 0)
                                     : (top + bottom) / 2;
            svg += "<circle cx=\"" + n(at) + "\" cy=\"" + n(level) +
                   "\" r=\"5\" fill=\"#cc0000\" fill-opacity=\"0.8\"><title>" + Markup(f.message) +
                   "</title></circle>\n";
        }
    }
    svg += "</svg>\n";
    return svg;
}

std::string GradeHtml(const GradeBatch& batch) {
    const std::string scenario = Markup(BaseName(batch.scenario));
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Grades: " +
        scenario +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 16px; color: #222222; }\n"
        "h1 { font-size: 20px; color: #12265a; }\n"
        "h2 { font-size: 16px; color: #12265a; margin-top: 28px; }\n"
        "table { border-collapse: collapse; }\n"
        "td, th { border: 1px solid #bbbbbb; padding: 3px 8px; text-align: left; "
        "vertical-align: top; }\n"
        "th { background: #e8e8f0; }\n"
        "td.number { text-align: right; }\n"
        "tr.passed td.result { background: #d8f0d8; }\n"
        "tr.failed td.result { background: #f6d5d5; }\n"
        ".summary { font-weight: bold; }\n"
        ".meta { color: #555555; }\n"
        "ul.failures { font-family: monospace; }\n"
        "svg { border: 1px solid #cccccc; }\n"
        "</style>\n</head>\n<body>\n";
    html += "<h1>Grades: " + scenario + "</h1>\n";
    html += "<p class=\"meta\">Scenario " + Markup(batch.scenario);
    if (!batch.plant.empty())
        html += ", plant " + Markup(batch.plant) + " (seed " + std::to_string(batch.seed) + ")";
    html += "; " + std::to_string(batch.results.size()) + " files graded " + batch.timestamp +
            " UTC in " + Fixed(batch.seconds, 1) + " s.</p>\n";
    html += "<p class=\"summary\">" + Summary(batch) + "</p>\n";

    const std::vector<Column> columns = Columns(batch);
    html += "<table>\n<tr>";
    for (const Column& c : columns) html += "<th>" + Markup(c.title) + "</th>";
    html += "</tr>\n";
    for (size_t i = 0; i < batch.results.size(); ++i) {
        const GradeResult& r = batch.results[i];
        const std::vector<std::string> cells = Cells(batch, r);
        html += std::string("<tr class=\"") +
                (r.outcome == GradeResult::Passed ? "passed" : "failed") + "\">";
        for (size_t c = 0; c < cells.size(); ++c) {
            std::string cell = Markup(cells[c]);
            if (c == 0 && r.outcome != GradeResult::Passed)
                cell = "<a href=\"#file-" + std::to_string(i + 1) + "\">" + cell + "</a>";
            html += std::string("<td") +
                    (columns[c].number ? " class=\"number\""
                     : c == 1          ? " class=\"result\""
                                       : "") +
                    ">" + cell + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n";

    constexpr size_t kMostListed = 50;
    for (size_t i = 0; i < batch.results.size(); ++i) {
        const GradeResult& r = batch.results[i];
        if (r.outcome == GradeResult::Passed) continue;
        html += "<h2 id=\"file-" + std::to_string(i + 1) + "\">" + Markup(r.name) + ": " +
                OutcomeText(r.outcome) + "</h2>\n";
        if (!r.error.empty()) html += "<p>" + Markup(r.error) + "</p>\n";
        if (RanToTheEnd(r) || r.outcome == GradeResult::TimedOut) {
            html += "<p>" + std::to_string(r.failed) + " of " +
                    std::to_string(r.passed + r.failed) + " expectations failed";
            if (!r.stopReason.empty())
                html += "; the plant stopped the run: " + Markup(r.stopReason);
            html += ".</p>\n";
        }
        if (!r.failures.empty()) {
            html += "<ul class=\"failures\">\n";
            for (size_t k = 0; k < r.failures.size() && k < kMostListed; ++k)
                html += "<li>" + Markup(r.failures[k].message) + "</li>\n";
            if (r.failures.size() > kMostListed)
                html += "<li>... and " + std::to_string(r.failures.size() - kMostListed) +
                        " more</li>\n";
            html += "</ul>\n";
        }
        for (const std::string& w : r.warnings) html += "<p>Reader: " + Markup(w) + "</p>\n";
        if (r.chart) {
            html +=
                "<p>The points these failures name, from 10 s before the first failure to "
                "5 s after it:</p>\n";
            html += ChartSvg(r, *r.chart);
            if (r.chart->omitted > 0)
                html +=
                    "<p>" + std::to_string(r.chart->omitted) + " more points are not shown.</p>\n";
        }
    }
    html += "</body>\n</html>\n";
    return html;
}

}  // namespace torvex
