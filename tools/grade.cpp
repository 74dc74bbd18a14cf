#include "tools/grade.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "files/ladder_reader.h"
#include "files/legacy_import.h"
#include "files/text_file.h"
#include "tools/grade_report.h"
#include "tools/torvex_run.h"

namespace torvex {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kDefaultTimeout = "30";
constexpr int kMostJobs = 256;

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(
        suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
        [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

struct GradeOptions {
    std::vector<std::string> inputs;
    std::string scenario;
    std::string plant;
    std::string seed;
    std::string jobs;
    std::string timeout;
    std::string report;
    bool help = false;
};

// Empty on success, else what is wrong with the command line.
std::string ParseGradeArguments(const std::vector<std::string>& args, GradeOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--grade") continue;
        if (a == "--help" || a == "-h") {
            o.help = true;
            return {};
        }
        std::string* slot = a == "--scenario"  ? &o.scenario
                            : a == "--plant"   ? &o.plant
                            : a == "--seed"    ? &o.seed
                            : a == "--jobs"    ? &o.jobs
                            : a == "--timeout" ? &o.timeout
                            : a == "--report"  ? &o.report
                                               : nullptr;
        if (slot) {
            if (i + 1 >= args.size() || args[i + 1].empty()) return a + " needs a value";
            if (!slot->empty()) return a + " is given twice";
            *slot = args[++i];
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return "unknown option " + a + " with --grade";
        o.inputs.push_back(a);
    }
    if (o.inputs.empty()) return "--grade needs the folders or diagram files to grade";
    if (o.scenario.empty()) return "--grade needs --scenario SCENARIO";
    if (!o.seed.empty() && o.plant.empty()) return "--seed needs --plant NAME";
    return {};
}

template <typename Number>
bool WholeNumber(const std::string& text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// A diagram to grade, or a folder that could not be searched for them.
struct GradeJob {
    std::string path;
    std::string name;
    std::string error;
};

bool IsDiagramName(const std::string& name) {
    return EndsWithIgnoringCase(name, ".llg") || EndsWithIgnoringCase(name, ".lld");
}

// Every .llg and .lld file in the folders (searched through, without following links to
// other folders) and every file named, each once, with the name the table gives it: its path
// within the folder given, or as given.
std::vector<GradeJob> FindDiagrams(const std::vector<std::string>& inputs) {
    std::vector<GradeJob> jobs;
    std::set<std::string> seen;
    auto add = [&](const fs::path& path, std::string name, std::string error = {}) {
        std::error_code ec;
        fs::path key = fs::weakly_canonical(path, ec);
        if (ec) key = path.lexically_normal();
        if (seen.insert(key.string()).second)
            jobs.push_back({path.string(), std::move(name), std::move(error)});
    };
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (!fs::is_directory(input, ec)) {
            add(input, input);
            continue;
        }
        const fs::path root(input);
        auto nameOf = [&](const fs::path& p) {
            return p.lexically_relative(root).generic_string();
        };
        std::vector<fs::path> folders = {root};
        while (!folders.empty()) {
            const fs::path folder = folders.back();
            folders.pop_back();
            fs::directory_iterator it(folder, ec);
            for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
                std::error_code kind;
                if (it->is_directory(kind)) {
                    if (!it->is_symlink(kind)) folders.push_back(it->path());
                } else if (IsDiagramName(it->path().filename().string())) {
                    add(it->path(), nameOf(it->path()));
                }
            }
            if (ec)
                add(folder, folder == root ? input : nameOf(folder) + "/",
                    "the folder cannot be read: " + ec.message());
        }
    }
    // Two files of the same name from different places are told apart by their paths.
    std::map<std::string, int> uses;
    for (const GradeJob& j : jobs) ++uses[j.name];
    for (GradeJob& j : jobs)
        if (uses[j.name] > 1) j.name = j.path;
    auto folded = [](const std::string& s) {
        std::string f = s;
        for (char& ch : f) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return f;
    };
    std::sort(jobs.begin(), jobs.end(), [&](const GradeJob& a, const GradeJob& b) {
        const std::string fa = folded(a.name), fb = folded(b.name);
        return fa != fb ? fa < fb : a.name < b.name;
    });
    return jobs;
}

// A point or figure a chart may show: every one an expectation names, and the plant's
// outputs, which show why it stopped.
struct ChartCandidate {
    std::string name;
    std::string meaning;
    std::optional<PlantPoint> point;  // else the figure of this index
    size_t figure = 0;
};

struct GradeSetup {
    const Scenario* scenario = nullptr;
    int64_t lastScan = 0;
    const PlantRegistry* plants = nullptr;
    const PlantDescription* plant = nullptr;
    uint64_t seed = 1;
    Clock::duration timeout{};
    std::string timeoutText;
    std::vector<std::string> figureNames;
    std::vector<ChartCandidate> candidates;
    std::vector<size_t> plantOutputs;  // candidates that are outputs the plant uses
};

std::vector<ChartCandidate> ChartCandidates(const Scenario& scenario, const PlantDescription* plant,
                                            std::vector<size_t>& plantOutputs) {
    std::vector<ChartCandidate> candidates;
    auto index = [&](const std::string& name) {
        return static_cast<size_t>(
            std::find_if(candidates.begin(), candidates.end(),
                         [&](const ChartCandidate& c) { return c.name == name; }) -
            candidates.begin());
    };
    auto addPoint = [&](const PlantPoint& p) {
        const size_t at = index(p.name);
        if (at < candidates.size()) return at;
        std::string meaning;
        if (plant && p.kind == PlantPoint::Input) meaning = plant->inputs[p.number].meaning.en;
        if (plant && p.kind == PlantPoint::Output) meaning = plant->outputs[p.number].meaning.en;
        candidates.push_back({p.name, meaning, p, 0});
        return candidates.size() - 1;
    };
    for (const ScenarioCommand& c : scenario.commands) {
        if (c.type != ScenarioCommand::Expect) continue;
        for (const ScenarioCommand::Assignment& a : c.assignments) addPoint(a.point);
        for (const FigureCheck& f : c.figures) {
            if (!plant || index("plant." + f.name) < candidates.size()) continue;
            const auto known = std::find_if(plant->figures.begin(), plant->figures.end(),
                                            [&](const PlantFigure& p) { return p.name == f.name; });
            if (known == plant->figures.end()) continue;
            candidates.push_back({"plant." + f.name, known->meaning.en, std::nullopt,
                                  static_cast<size_t>(known - plant->figures.begin())});
        }
    }
    if (plant)
        for (int k = 0; k < kPoints; ++k)
            if (plant->outputs[k].kind != PointKind::Unused)
                plantOutputs.push_back(addPoint(*FindPoint(PointName(false, k))));
    return candidates;
}

// Keeps the candidates' values of the last seconds of a run, and once the first failure has
// come, of the seconds after it, in a ring of fixed size: a chart costs no more for an hour's
// run than for a minute's.
class ChartRecorder final : public Trace {
public:
    static constexpr int64_t kCapacity = GradeChart::kScansBefore + GradeChart::kScansAfter + 1;

    explicit ChartRecorder(const GradeSetup& setup)
        : setup_(setup), width_(setup.candidates.size()), rows_(kCapacity * width_) {}

    void scan(int64_t scan, const MemoryImage& memory,
              const std::vector<double>& figures) override {
        last_ = scan;
        if (done_) return;
        double* row = rows_.data() + static_cast<size_t>(scan % kCapacity) * width_;
        for (size_t i = 0; i < width_; ++i) {
            const ChartCandidate& c = setup_.candidates[i];
            row[i] = c.point                     ? static_cast<double>(PointValue(memory, *c.point))
                     : c.figure < figures.size() ? figures[c.figure]
                                                 : 0.0;
        }
        if (!focus_)
            first_ = std::max<int64_t>(0, scan - GradeChart::kScansBefore);
        else if (scan >= windowEnd())
            done_ = true;
    }

    // A failure at `scan`; a failure after the end of the run is charted at the end.
    void failure(int64_t scan) {
        if (focus_ || last_ < 0) return;
        focus_ = std::min(scan, last_);
        first_ = std::max(first_, *focus_ - GradeChart::kScansBefore);
        done_ = last_ >= windowEnd();
    }

    int64_t lastScan() const { return last_; }

    std::optional<GradeChart> chart(const std::vector<GradeFailure>& failures) const {
        if (!focus_) return std::nullopt;
        std::vector<size_t> shown;
        auto show = [&](size_t candidate) {
            if (candidate < width_ &&
                std::find(shown.begin(), shown.end(), candidate) == shown.end())
                shown.push_back(candidate);
        };
        for (const GradeFailure& f : failures) {
            if (f.name == "plant stopped") {
                for (size_t c : setup_.plantOutputs) show(c);
                continue;
            }
            for (size_t c = 0; c < width_; ++c)
                if (setup_.candidates[c].name == f.name) show(c);
        }
        GradeChart chart;
        chart.focusScan = *focus_;
        chart.firstScan = std::max<int64_t>(0, *focus_ - GradeChart::kScansBefore);
        chart.lastScan = windowEnd();
        if (shown.size() > GradeChart::kMostSignals) {
            chart.omitted = shown.size() - GradeChart::kMostSignals;
            shown.resize(GradeChart::kMostSignals);
        }
        const int64_t end = std::min(last_, chart.lastScan);
        for (size_t c : shown) {
            const ChartCandidate& candidate = setup_.candidates[c];
            ChartSignal signal{
                candidate.name, candidate.meaning, candidate.point && candidate.point->isBit(), {}};
            for (int64_t s = first_; s <= end; ++s)
                signal.values.push_back(rows_[static_cast<size_t>(s % kCapacity) * width_ + c]);
            chart.signals.push_back(std::move(signal));
        }
        return chart;
    }

private:
    // Every chart spans the same time, also when the failure comes in the first seconds.
    int64_t windowEnd() const {
        return std::max(*focus_, GradeChart::kScansBefore) + GradeChart::kScansAfter;
    }

    const GradeSetup& setup_;
    size_t width_;
    std::vector<double> rows_;  // kCapacity rows of width_ values; scan s in row s % kCapacity
    int64_t first_ = 0;         // the oldest scan kept
    int64_t last_ = -1;         // the last scan run
    std::optional<int64_t> focus_;
    bool done_ = false;
};

class GradeWatch final : public RunWatch {
public:
    GradeWatch(Clock::time_point deadline, ChartRecorder& recorder,
               std::vector<GradeFailure>& failures)
        : deadline_(deadline), recorder_(recorder), failures_(failures) {}
    void failed(int64_t scan, const std::string& name, const std::string& line) override {
        failures_.push_back({scan, name, line});
        recorder_.failure(scan);
    }
    bool cut() override { return Clock::now() >= deadline_; }

private:
    Clock::time_point deadline_;
    ChartRecorder& recorder_;
    std::vector<GradeFailure>& failures_;
};

// One file, loaded and run exactly as a single torvex-run would, within the time allowed.
GradeResult GradeFile(const GradeJob& job, const GradeSetup& setup) {
    const Clock::time_point start = Clock::now();
    GradeResult r;
    r.name = job.name;
    r.path = job.path;
    r.error = job.error;
    // A hostile file may be one that exhausts memory: that is its failure, not the batch's.
    try {
        if (r.error.empty()) {
            VirtualTickSource clock(kRunStartTick);
            auto plc = std::make_unique<Plc>(clock);
            IOComments comments;
            const LoadResult loaded = EndsWithIgnoringCase(job.path, "lld")
                                          ? DoOldLoad(*plc, comments, job.path)
                                          : LoadFile(*plc, comments, job.path);
            r.warnings = loaded.warnings;
            if (!loaded.completed) {
                r.error = loaded.error;
                for (const std::string& w : loaded.warnings)
                    if (r.error.empty()) r.error = w;
                if (r.error.empty()) r.error = job.path + ": not read";
            } else {
                std::unique_ptr<Plant> plant;
                if (setup.plant) plant = setup.plants->make(setup.plant->number, setup.seed);
                ChartRecorder recorder(setup);
                GradeWatch watch(start + setup.timeout, recorder, r.failures);
                std::ostringstream out;
                const RunCounts counts = RunScenario(*plc, clock, *setup.scenario, setup.lastScan,
                                                     &recorder, out, plant.get(), &watch);
                r.passed = counts.passed;
                r.failed = counts.failed;
                r.output = out.str();
                if (counts.cut) {
                    r.outcome = GradeResult::TimedOut;
                    r.error = "timed out: still running after " + setup.timeoutText +
                              " s, at t=" + ScanTime(recorder.lastScan()) + " of the run";
                } else {
                    r.output += std::to_string(counts.passed) + " passed, " +
                                std::to_string(counts.failed) + " failed\n";
                    r.outcome = counts.failed > 0 ? GradeResult::Failed : GradeResult::Passed;
                }
                if (plant) {
                    if (plant->Stopped()) r.stopReason = plant->stopReason().en;
                    for (const std::string& name : setup.figureNames) {
                        double value = 0;
                        plant->figure(name, value);
                        r.figures.push_back(FigureText(value));
                    }
                }
                r.chart = recorder.chart(r.failures);
            }
        }
    } catch (const std::exception& e) {
        r = GradeResult{};
        r.name = job.name;
        r.path = job.path;
        r.error = job.path + ": the run failed: " + e.what();
    }
    if (!r.error.empty() && r.outcome != GradeResult::TimedOut) r.outcome = GradeResult::Error;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return r;
}

// Grades the jobs on `threads` threads, each taking the next file as it finishes one.
std::vector<GradeResult> GradeAll(const std::vector<GradeJob>& jobs, const GradeSetup& setup,
                                  int threads) {
    std::vector<GradeResult> results(jobs.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < jobs.size();)
            results[i] = GradeFile(jobs[i], setup);
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min<int64_t>(threads, static_cast<int64_t>(jobs.size())); ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // the threads there are share the work
        }
    }
    work();
    for (std::thread& t : helpers) t.join();
    return results;
}

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return text;
}

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
    return name;
}

// Empty when no report file is the scenario or a diagram of the batch (under any name).
std::string ReportOverwritesInput(const std::vector<std::string>& reports,
                                  const std::string& scenario, const std::vector<GradeJob>& jobs) {
    for (const std::string& report : reports) {
        struct stat target {};
        if (::stat(report.c_str(), &target) != 0) continue;
        auto same = [&](const std::string& path) {
            struct stat input {};
            return ::stat(path.c_str(), &input) == 0 && input.st_dev == target.st_dev &&
                   input.st_ino == target.st_ino;
        };
        if (same(scenario))
            return "the report " + report + " is the scenario; it would be overwritten";
        for (const GradeJob& j : jobs)
            if (same(j.path))
                return "the report " + report + " is the diagram " + j.path +
                       "; it would be overwritten";
    }
    return {};
}

}  // namespace

int GradeBatch::passedFiles() const {
    return static_cast<int>(std::count_if(results.begin(), results.end(), [](const auto& r) {
        return r.outcome == GradeResult::Passed;
    }));
}

int GradeBatch::failedFiles() const {
    return static_cast<int>(results.size()) - passedFiles();
}

const char* GradeHelp() {
    return R"(
Grading a class:
  torvex-run --grade DIR_OR_FILE... --scenario SCENARIO [--plant NAME [--seed N]]
             [--jobs N] [--timeout SECONDS] [--report OUT]

Runs every file ending in .llg or .lld (in any letter case) in the folders given and the
folders within them, and every file named, against the same scenario and plant, each exactly
as a single run would, several at a time (--jobs, default one per processor). A file that cannot be read
fails with the reader's message; a file still running after --timeout seconds of real time
(default 30) fails as timed out; neither stops the others.
Prints one row per file, sorted by name: its result (passed, failed, error, timed out), the
expectations passed and failed, with a plant why it stopped and the figures the scenario
names, and a note (the first failure or the error); then 'N passed, M failed' (files).
--report OUT writes OUT.csv (the table), OUT.xml (JUnit XML: one test case per file, each
failed expectation a failure) and OUT.html (one page with the table, and for each failing
file its failures and a timing chart of the points they name around the first failure).
Exit status: 0 when every file passed, 1 when one failed, 2 when the scenario or the command
line is wrong or a report cannot be written.
)";
}

int GradeMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    GradeOptions o;
    if (std::string problem = ParseGradeArguments(args, o); !problem.empty()) {
        err << "torvex-run: " << problem << "\nTry 'torvex-run --help'.\n";
        return kRunBadInput;
    }
    if (o.help) {
        out << GradeHelp();
        return kRunPassed;
    }

    GradeSetup setup;
    GradeBatch batch;
    const PlantRegistry plants = StandardPlants();
    setup.plants = &plants;
    if (!o.plant.empty()) {
        if (!ChoosePlant(plants, o.plant, o.seed, setup.plant, setup.seed, err))
            return kRunBadInput;
        batch.plant = setup.plant->name;
        batch.seed = setup.seed;
    }
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!o.jobs.empty() && (!WholeNumber(o.jobs, jobs) || jobs < 1 || jobs > kMostJobs)) {
        err << "torvex-run: --jobs " << o.jobs << " is not a whole number 1 ... " << kMostJobs
            << '\n';
        return kRunBadInput;
    }
    setup.timeoutText = o.timeout.empty() ? kDefaultTimeout : o.timeout;
    const std::optional<int64_t> timeout = ParseSeconds(setup.timeoutText);
    if (!timeout || *timeout == 0) {
        err << "torvex-run: --timeout " << o.timeout
            << " is not a time in seconds (more than 0, at most three decimals)\n";
        return kRunBadInput;
    }
    setup.timeout = std::chrono::milliseconds(*timeout);

    Scenario scenario;
    const FileBytes file = ReadWholeFile(o.scenario);
    if (!file.ok) {
        err << "torvex-run: " << file.error << '\n';
        return kRunBadInput;
    }
    ScenarioError problem;
    if (!ParseScenario(file.bytes, scenario, problem) ||
        !(problem = CheckAgainstPlant(scenario, setup.plant)).message.empty()) {
        err << "torvex-run: " << o.scenario << ':' << problem.line << ": " << problem.message
            << '\n';
        return kRunBadInput;
    }
    int64_t lastCommand = 0;
    for (const ScenarioCommand& c : scenario.commands) lastCommand = std::max(lastCommand, c.scan);
    setup.scenario = &scenario;
    setup.lastScan = scenario.endScan.value_or(lastCommand);
    setup.seed = batch.seed;
    if (setup.plant)
        for (const PlantFigure& f : setup.plant->figures)
            for (const ScenarioCommand& c : scenario.commands)
                if (std::any_of(c.figures.begin(), c.figures.end(),
                                [&](const FigureCheck& check) { return check.name == f.name; })) {
                    setup.figureNames.push_back(f.name);
                    break;
                }
    setup.candidates = ChartCandidates(scenario, setup.plant, setup.plantOutputs);

    std::string report = o.report;
    for (const char* extension : {".csv", ".xml", ".html"})
        if (EndsWithIgnoringCase(report, extension))
            report.resize(report.size() - std::char_traits<char>::length(extension));
    const std::vector<std::string> reports = {report + ".csv", report + ".xml", report + ".html"};
    if (!o.report.empty()) {
        // Found out now rather than after the whole class has been graded.
        const fs::path folder = fs::path(report).parent_path();
        std::error_code ec;
        if (!folder.empty() && !fs::is_directory(folder, ec)) {
            err << "torvex-run: the folder of the report does not exist: " << folder.string()
                << '\n';
            return kRunBadInput;
        }
    }

    const std::vector<GradeJob> found = FindDiagrams(o.inputs);
    if (found.empty()) {
        err << "torvex-run: no diagrams (.llg or .lld files) to grade in";
        for (const std::string& input : o.inputs) err << ' ' << input;
        err << '\n';
        return kRunBadInput;
    }
    if (!o.report.empty()) {
        if (std::string overwrite = ReportOverwritesInput(reports, o.scenario, found);
            !overwrite.empty()) {
            err << "torvex-run: " << overwrite << '\n';
            return kRunBadInput;
        }
    }

    batch.scenario = o.scenario;
    batch.figureNames = setup.figureNames;
    batch.timestamp = UtcNow();
    batch.hostname = HostName();
    const Clock::time_point start = Clock::now();
    batch.results = GradeAll(found, setup, jobs);
    batch.seconds = std::chrono::duration<double>(Clock::now() - start).count();

    out << GradeTable(batch);
    if (!o.report.empty()) {
        const std::string contents[] = {GradeCsv(batch), GradeJUnit(batch), GradeHtml(batch)};
        for (size_t i = 0; i < reports.size(); ++i)
            if (std::string failed = ReplaceFile(reports[i], contents[i]); !failed.empty()) {
                err << "torvex-run: " << reports[i] << ": " << failed << '\n';
                return kRunBadInput;
            }
    }
    return batch.failedFiles() > 0 ? kRunFailed : kRunPassed;
}

}  // namespace torvex
