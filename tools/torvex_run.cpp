#include "tools/torvex_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <limits>
#include <memory>

#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "files/legacy_import.h"
#include "tools/grade.h"
#include "tools/realtime.h"
#include "torvex_version.h"

namespace torvex {

namespace {

constexpr const char* kHelp = R"(Usage:
  torvex-run DIAGRAM [SCENARIO] [--plant NAME [--seed N]] [--trace FILE.csv | --trace FILE.vcd]
             [--end SECONDS]
  torvex-run DIAGRAM --save OUT.llg
  torvex-run --plant NAME --describe
  torvex-run DIAGRAM --realtime --io INTERFACE [--for SECONDS]
  torvex-run --plant NAME [--seed N] --realtime --io INTERFACE [--for SECONDS]
  torvex-run --grade DIR_OR_FILE... --scenario SCENARIO [OPTIONS]   (see 'Grading a class')
  torvex-run --help | --version

Loads DIAGRAM (an llg file; a name ending in lld, in any letter case, is imported from the
old format with its LCD comment file), starts a run and scans it on a virtual clock: scan k
runs at t = k x 0.1 s with ScanTick = 100 k ms, so timers behave exactly as in a real run
and an hour of plant time takes well under a second. No windows are opened.

--save OUT.llg writes the loaded diagram in the current format without running it (the
control mode, the simulation and whether comments are shown are kept as the file gives them).

Scenario: plain text, one command per line; '#' starts a comment; blank lines are ignored; a
control character other than tab, CR and LF is an error. Times are in
seconds from the first scan, read to the millisecond (0 to 1000000); a command acts at the
first scan at or after its time, so 'at 2.05' acts at scan 21, t = 2.1.
  at T set P=V [P=V ...]     before that scan, input P's raw value becomes V (0 or 1);
                             only IP0 ... IP15 can be set
  at T expect P=V [P=V ...]  after that scan, point P must have the value V
  end T                      the run ends after that scan
Without 'end' or --end the run ends after the last command's time; --end overrides 'end'.
An expectation after the end of the run counts as failed.

--plant NAME puts a plant in the loop (NAME: traffic, annunciator, carpark, elevator, or the
simulation's number 1 ... 4), coupled as a run in Internal Simulation couples it: each scan
reads the plant's sensors into the inputs, scans, writes the outputs to its actuators and
advances the plant by 100 ms. --seed N (default 1) chooses its random arrivals; one seed
always gives the same run. With a plant:
  at T set IPk=V             works the operator control wired to input k (1 presses or
                             switches on, 0 releases or switches off); an input the plant
                             drives itself cannot be set
  at T expect plant.NAME<OP>VALUE
                             checks one of the plant's figures, OP one of = < <= > >=, e.g.
                             plant.cars>=100; points and figures may share a line
When the plant stops the run ('t=12.3 plant stopped: conflicting greens'), the run ends at
that scan and later expectations are checked against the state it ended in. The stop counts
as a failure unless an expectation names plant.stopped.
--describe prints the plant's inputs and outputs, operator controls, figures and the reasons
it stops a run.

Points for expect:
  IP0 ... IP15     input image                   OP0 ... OP15   output state
  F0 ... F15       flag state                    R1/0 ... R4/15 register bit
  T1/DN ... T8/DN  timer done bit                T1 ... T8      timer elapsed, ms
  C1/UP ... C8/UP  counter up-done bit           C1/DN ... C8/DN counter down-done bit
  C1 ... C8        counter count (signed)

Output: one line per failed expectation, e.g. 't=2.0 OP0: expected 1, got 0', then
'N passed, M failed'.

--trace FILE.csv: a header row, then one row per scan with these columns:
  t                 scan time in seconds (0.0, 0.1, ...)
  IP0 ... IP15      input image, 0 or 1
  OP0 ... OP15      output state, 0 or 1
  F0 ... F15        flag state, 0 or 1
  R1 ... R4         shift register as a number 0 ... 65535, bit i = register bit i
  T1/DN ... T8/DN   timer done bit, 0 or 1
  T1 ... T8         timer elapsed time in milliseconds
  C1 ... C8         counter count (signed)
  C1/UP ... C8/UP   counter up-done bit, 0 or 1
  C1/DN ... C8/DN   counter down-done bit, 0 or 1
  plant.NAME        with --plant, each figure of the plant after the scan
The trace file is created or replaced; one that is the diagram, its comment file or the
scenario is refused.
--trace FILE.vcd: the same signals as a value change dump (timescale 1 ms) for a waveform
viewer such as GTKWave; '/' in a name is written as '_' (T1_DN), registers are 16-bit
vectors, the elapsed times and counts 32-bit integers and the figures reals (plant_cars).

--realtime runs on the real clock instead: the diagram on the run thread every 100 ms, its
inputs read from and its outputs written to the interface that INTERFACE names, as the External Device
mode does; or, with --plant NAME instead of a diagram, the plant served to an external PLC
through the interface with no diagram scanned, as the External PLC mode does (the sensors are
written to the interface, what it reads drives the actuators). It runs until SIGINT or SIGTERM
or for --for SECONDS, printing each change of the link's state ('t=0.0 Modbus
127.0.0.1:1502 — 1 client'); the outputs are set to 0 on the way out.
  modbus-client:HOST[:PORT][,unit=N][,di=A][,coils=B]
                   TORVEX is the client of a remote I/O device (port 502, unit 1, first
                   discrete input and first coil 0 unless given): each scan's inputs are its
                   16 discrete inputs from A (function 02), its outputs the 16 coils from B
                   (function 15); polled every 50 ms, answers awaited 100 ms, reconnecting by
                   itself; inputs read 0 while the last answer is older than 0.5 s
  modbus-server:[ADDRESS:]PORT
                   TORVEX is the server (on 127.0.0.1 unless ADDRESS is given; any other
                   address lets every machine on that network drive the outputs): the outputs
                   are discrete inputs 0-15 and input register 0 (bit k: point k), the inputs
                   what a client writes to coils 0-15 or holding register 0, 0 when no client
                   has written for 1 s; any unit id, at most 4 clients at once, exception 02
                   outside that map; PORT 0 takes any free port (the link's line names it)
Exit status with --realtime: 0, or 1 when the plant stopped the run.

Exit status: 0 when every expectation held, 1 when one failed, 2 for a file, scenario or
command-line error (with the reader's message, or the scenario's line and what is wrong).
)";

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(
        suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
        [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

struct Options {
    std::string diagram;
    std::string scenario;
    std::string trace;
    std::string save;
    std::string end;
    std::string plant;
    std::string seed;
    std::string io;
    std::string forSeconds;
    bool realtime = false;
    bool describe = false;
    bool help = false;
    bool version = false;
};

// Empty on success, else what is wrong with the command line.
std::string ParseArguments(const std::vector<std::string>& args, Options& o) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            return {};
        }
        if (a == "--version") {
            o.version = true;
            return {};
        }
        if (a == "--describe" || a == "--realtime") {
            (a == "--describe" ? o.describe : o.realtime) = true;
            continue;
        }
        if (a == "--trace" || a == "--save" || a == "--end" || a == "--plant" || a == "--seed" ||
            a == "--io" || a == "--for") {
            if (i + 1 >= args.size()) return a + " needs a value";
            std::string& slot = a == "--trace"   ? o.trace
                                : a == "--save"  ? o.save
                                : a == "--end"   ? o.end
                                : a == "--plant" ? o.plant
                                : a == "--io"    ? o.io
                                : a == "--for"   ? o.forSeconds
                                                 : o.seed;
            if (!slot.empty()) return a + " is given twice";
            slot = args[++i];
            if (slot.empty()) return a + " needs a value";
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return "unknown option " + a;
        positional.push_back(a);
    }
    if (o.describe) {
        if (o.plant.empty()) return "--describe needs --plant NAME";
        if (!positional.empty() || !o.trace.empty() || !o.save.empty() || !o.end.empty() ||
            !o.seed.empty())
            return "--describe takes only --plant NAME";
        return {};
    }
    if (!o.seed.empty() && o.plant.empty()) return "--seed needs --plant NAME";
    if (!o.realtime && (!o.io.empty() || !o.forSeconds.empty()))
        return (o.io.empty() ? "--for" : "--io") + std::string(" needs --realtime");
    if (o.realtime) {
        if (o.io.empty()) return "--realtime needs --io INTERFACE";
        if (!o.trace.empty() || !o.save.empty() || !o.end.empty())
            return "--realtime takes no --trace, --save or --end";
        if (o.plant.empty() && positional.size() != 1)
            return "--realtime runs one diagram, or a plant with --plant NAME";
        if (!o.plant.empty() && !positional.empty())
            return "--realtime --plant serves the plant to a PLC with no diagram: " + positional[0];
        if (!positional.empty()) o.diagram = positional[0];
        return {};
    }
    if (positional.empty()) return "a diagram file is needed";
    if (positional.size() > 2) return "too many files: " + positional[2];
    o.diagram = positional[0];
    if (positional.size() == 2) o.scenario = positional[1];
    if (!o.save.empty() &&
        (!o.scenario.empty() || !o.trace.empty() || !o.end.empty() || !o.plant.empty()))
        return "--save takes no scenario, --trace, --end or --plant";
    if (!o.trace.empty() && !EndsWithIgnoringCase(o.trace, ".csv") &&
        !EndsWithIgnoringCase(o.trace, ".vcd"))
        return "the trace file's name must end in .csv or .vcd: " + o.trace;
    return {};
}

// Empty when writing the trace cannot destroy an input of the run; else why it would. The
// same file under another name (a link, another path) counts as the same file.
std::string TraceOverwritesInput(const Options& o) {
    struct stat trace {};
    if (::stat(o.trace.c_str(), &trace) != 0) return {};  // a new file
    const bool legacy = EndsWithIgnoringCase(o.diagram, "lld");
    const std::pair<std::string, const char*> inputs[] = {
        {o.diagram, "the diagram"},
        {legacy ? OldCommentFileName(o.diagram) : std::string(), "the diagram's comment file"},
        {o.scenario, "the scenario"},
    };
    for (const auto& [path, what] : inputs) {
        struct stat input {};
        if (path.empty() || ::stat(path.c_str(), &input) != 0) continue;
        if (input.st_dev == trace.st_dev && input.st_ino == trace.st_ino)
            return "the trace file " + o.trace + " is " + what + " (" + path +
                   "); it would be overwritten";
    }
    return {};
}

int64_t LastCommandScan(const Scenario& scenario) {
    int64_t last = 0;
    for (const ScenarioCommand& c : scenario.commands) last = std::max(last, c.scan);
    return last;
}

// Loads the diagram (an lld one too) into `plc`; false, with the reason written, when it
// cannot be run.
bool Load(Plc& plc, IOComments& comments, const std::string& diagram, std::ostream& err,
          LoadResult& loaded) {
    const bool legacy = EndsWithIgnoringCase(diagram, "lld");
    loaded = legacy ? DoOldLoad(plc, comments, diagram) : LoadFile(plc, comments, diagram);
    // Messages that concern a file name it; the others concern the one diagram.
    for (const std::string& warning : loaded.warnings) err << "torvex-run: " << warning << '\n';
    if (!loaded.completed && !loaded.error.empty()) err << "torvex-run: " << loaded.error << '\n';
    return loaded.completed;
}

int RealtimeMain(const Options& o, const PlantRegistry& plants,
                 const PlantDescription* plantDescription, uint64_t seed, std::ostream& out,
                 std::ostream& err) {
    std::optional<int64_t> forMs;
    if (!o.forSeconds.empty() && !(forMs = ParseSeconds(o.forSeconds))) {
        err << "torvex-run: --for " << o.forSeconds
            << " is not a time in seconds (0 to 1000000, at most three decimals)\n";
        return kRunBadInput;
    }
    std::string problem;
    std::unique_ptr<IoInterface> io = MakeInterface(o.io, problem);
    if (!io) {
        err << "torvex-run: " << problem << '\n';
        return kRunBadInput;
    }
    // The real clock: timers run on the time that passes.
    auto plc = std::make_unique<Plc>();
    std::unique_ptr<Plant> plant;
    if (plantDescription) {
        plant = plants.make(plantDescription->number, seed);
    } else {
        IOComments comments;
        LoadResult loaded;
        if (!Load(*plc, comments, o.diagram, err, loaded)) return kRunBadInput;
    }
    return RunRealtime(*plc, plant.get(), std::move(io), forMs, out, err);
}

}  // namespace

RunCounts RunScenario(Plc& plc, VirtualTickSource& clock, const Scenario& scenario,
                      int64_t lastScan, Trace* trace, std::ostream& out, Plant* plant,
                      RunWatch* watch) {
    std::vector<const ScenarioCommand*> order;
    for (const ScenarioCommand& c : scenario.commands) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](auto* a, auto* b) { return a->scan < b->scan; });

    std::vector<double> figures;
    auto takeFigures = [&] {
        figures.clear();
        if (plant)
            for (const auto& [name, value] : plant->figures()) figures.push_back(value);
    };
    RunCounts counts;
    auto check = [&](const ScenarioCommand& c, bool reached, int64_t scan) {
        auto failed = [&](const std::string& name, const std::string& expected,
                          const std::string& got) {
            ++counts.failed;
            const std::string line =
                "t=" + ScanTime(c.scan) + ' ' + name + ": expected " + expected +
                (reached ? ", got " + got : ", not reached: the run ended at t=" + ScanTime(scan));
            out << line << '\n';
            if (watch) watch->failed(c.scan, name, line);
        };
        for (const ScenarioCommand::Assignment& a : c.assignments) {
            const int64_t got = PointValue(plc.memory, a.point);
            if (reached && got == a.value)
                ++counts.passed;
            else
                failed(a.point.name, std::to_string(a.value), std::to_string(got));
        }
        for (const FigureCheck& f : c.figures) {
            double got = 0;
            const bool known = plant && plant->figure(f.name, got);
            if (reached && known && f.holds(got))
                ++counts.passed;
            else
                failed("plant." + f.name, f.text.substr(f.compare == FigureCheck::Equal),
                       FigureText(got));
        }
    };

    const bool stopExpected = std::any_of(order.begin(), order.end(), [](auto* c) {
        return std::any_of(c->figures.begin(), c->figures.end(),
                           [](const FigureCheck& f) { return f.name == "stopped"; });
    });

    plc.StartRun();
    if (plant) plant->StartSimulation();
    size_t next = 0;
    bool stopped = false;
    int64_t k = 0;
    for (; k <= lastScan; ++k) {
        if (watch && k % RunWatch::kWatchScans == 0 && k > 0 && watch->cut()) {
            counts.cut = true;
            if (trace) trace->finish(k - 1);
            plc.EndRun();
            return counts;
        }
        size_t after = next;
        for (; after < order.size() && order[after]->scan == k; ++after)
            if (order[after]->type == ScenarioCommand::Set)
                for (const ScenarioCommand::Assignment& a : order[after]->assignments) {
                    if (plant)
                        plant->operate(a.point.number, a.value != 0);
                    else
                        plc.memory.Inputs[a.point.number].Raw = a.value != 0;
                }
        if (plant)
            for (int i = 0; i < kPoints; ++i) plc.memory.Inputs[i].Raw = plant->Input(i);
        clock.set(kRunStartTick + static_cast<uint32_t>(k * kScanMilliseconds));
        plc.RunStep();
        if (plant) {
            for (int i = 0; i < kPoints; ++i) plant->setOutput(i, plc.memory.Outputs[i].State);
            plant->UpdateSimulation();
            stopped = plant->Stopped();
        }
        takeFigures();
        if (trace) trace->scan(k, plc.memory, figures);
        for (; next < after; ++next)
            if (order[next]->type == ScenarioCommand::Expect) check(*order[next], true, k);
        if (stopped) {
            const std::string line =
                "t=" + ScanTime(k) + " plant stopped: " + plant->stopReason().en;
            out << line << '\n';
            if (watch && !stopExpected) watch->failed(k, "plant stopped", line);
            break;
        }
    }
    const int64_t last = std::min(k, lastScan);
    if (trace) trace->finish(last);
    // After a stop the run is over but its end state stands: later expectations see it.
    for (; next < order.size(); ++next)
        if (order[next]->type == ScenarioCommand::Expect) check(*order[next], stopped, last);
    if (stopped && !stopExpected) ++counts.failed;
    plc.EndRun();
    return counts;
}

ScenarioError CheckAgainstPlant(const Scenario& scenario, const PlantDescription* plant) {
    std::string controls;
    if (plant)
        for (int k = 0; k < kPoints; ++k)
            if (IsOperatorControl(plant->inputs[k].kind))
                controls += (controls.empty() ? "" : ", ") + PointName(true, k);
    for (const ScenarioCommand& c : scenario.commands) {
        for (const FigureCheck& f : c.figures) {
            if (!plant) return {c.line, "plant." + f.name + " needs a plant: --plant NAME"};
            const bool known = std::any_of(plant->figures.begin(), plant->figures.end(),
                                           [&](const PlantFigure& p) { return p.name == f.name; });
            if (!known) {
                std::string names;
                for (const PlantFigure& p : plant->figures)
                    names += (names.empty() ? "" : ", ") + p.name;
                return {c.line, "the " + plant->name + " has no figure '" + f.name +
                                    "'; its figures are " + names};
            }
        }
        if (c.type != ScenarioCommand::Set || !plant) continue;
        for (const ScenarioCommand::Assignment& a : c.assignments) {
            const PointDescription& p = plant->inputs[a.point.number];
            if (IsOperatorControl(p.kind)) continue;
            const std::string what =
                p.kind == PointKind::Unused
                    ? " is not used by the " + plant->name
                    : " is driven by the " + plant->name + " (" + p.meaning.en + ")";
            return {c.line, a.point.name + what + "; a scenario can set only its operator " +
                                "controls " + (controls.empty() ? "(none)" : controls)};
        }
    }
    return {};
}

bool ChoosePlant(const PlantRegistry& plants, const std::string& name, const std::string& seedText,
                 const PlantDescription*& plant, uint64_t& seed, std::ostream& err) {
    plant = plants.description(plants.find(name));
    if (!plant) {
        std::string known;
        for (const PlantDescription* d : plants.all())
            known += (known.empty() ? "" : ", ") + d->key + " (" + std::to_string(d->number) + ")";
        err << "torvex-run: there is no plant '" << name << "'; this torvex-run has "
            << (known.empty() ? "none" : known) << '\n';
        return false;
    }
    seed = 1;
    const auto [end, error] =
        std::from_chars(seedText.data(), seedText.data() + seedText.size(), seed);
    if (!seedText.empty() && (error != std::errc() || end != seedText.data() + seedText.size())) {
        err << "torvex-run: --seed " << seedText << " is not a whole number 0 ... "
            << std::numeric_limits<uint64_t>::max() << '\n';
        return false;
    }
    return true;
}

int TorvexRunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (std::find(args.begin(), args.end(), "--grade") != args.end())
        return GradeMain(args, out, err);
    Options o;
    if (std::string problem = ParseArguments(args, o); !problem.empty()) {
        err << "torvex-run: " << problem << "\nTry 'torvex-run --help'.\n";
        return kRunBadInput;
    }
    if (o.help) {
        out << kHelp << GradeHelp();
        return kRunPassed;
    }
    if (o.version) {
        out << "torvex-run " << kTorvexVersion << '\n';
        return kRunPassed;
    }
    const PlantRegistry plants = StandardPlants();
    const PlantDescription* plantDescription = nullptr;
    uint64_t seed = 1;
    if (!o.plant.empty()) {
        if (!ChoosePlant(plants, o.plant, o.seed, plantDescription, seed, err)) return kRunBadInput;
    }
    if (o.describe) {
        out << DescriptionText(*plantDescription);
        return kRunPassed;
    }
    if (o.realtime) return RealtimeMain(o, plants, plantDescription, seed, out, err);
    if (!o.trace.empty()) {
        if (std::string problem = TraceOverwritesInput(o); !problem.empty()) {
            err << "torvex-run: " << problem << '\n';
            return kRunBadInput;
        }
    }

    // Read first, so that a broken scenario is reported before the diagram is loaded.
    Scenario scenario;
    if (!o.scenario.empty()) {
        const FileBytes file = ReadWholeFile(o.scenario);
        if (!file.ok) {
            err << "torvex-run: " << file.error << '\n';
            return kRunBadInput;
        }
        ScenarioError problem;
        if (!ParseScenario(file.bytes, scenario, problem) ||
            !(problem = CheckAgainstPlant(scenario, plantDescription)).message.empty()) {
            err << "torvex-run: " << o.scenario << ':' << problem.line << ": " << problem.message
                << '\n';
            return kRunBadInput;
        }
    }
    int64_t lastScan = scenario.endScan.value_or(LastCommandScan(scenario));
    if (!o.end.empty()) {
        const std::optional<int64_t> ms = ParseSeconds(o.end);
        if (!ms) {
            err << "torvex-run: --end " << o.end
                << " is not a time in seconds (0 to 1000000, at most three decimals)\n";
            return kRunBadInput;
        }
        lastScan = FirstScanAt(*ms);
    }

    VirtualTickSource clock(kRunStartTick);
    auto plc = std::make_unique<Plc>(clock);
    IOComments comments;
    LoadResult loaded;
    if (!Load(*plc, comments, o.diagram, err, loaded)) return kRunBadInput;

    if (!o.save.empty()) {
        if (std::string problem = SaveLadder(*plc, comments, loaded.settingsAfterLoad(), o.save);
            !problem.empty()) {
            err << "torvex-run: " << o.save << ": " << problem << '\n';
            return kRunBadInput;
        }
        return kRunPassed;
    }

    std::ofstream traceFile;
    std::unique_ptr<Trace> trace;
    if (!o.trace.empty()) {
        traceFile.open(o.trace, std::ios::binary | std::ios::trunc);
        if (!traceFile) {
            err << "torvex-run: " << o.trace << ": cannot be written\n";
            return kRunBadInput;
        }
        std::vector<std::string> figures;
        if (plantDescription)
            for (const PlantFigure& f : plantDescription->figures) figures.push_back(f.name);
        trace = EndsWithIgnoringCase(o.trace, ".vcd") ? MakeVcdTrace(traceFile, figures)
                                                      : MakeCsvTrace(traceFile, figures);
    }
    std::unique_ptr<Plant> plant;
    if (plantDescription) plant = plants.make(plantDescription->number, seed);
    const RunCounts counts =
        RunScenario(*plc, clock, scenario, lastScan, trace.get(), out, plant.get());
    if (traceFile.is_open()) {
        traceFile.close();
        if (!traceFile) {
            err << "torvex-run: " << o.trace << ": the trace could not be written\n";
            return kRunBadInput;
        }
    }
    out << counts.passed << " passed, " << counts.failed << " failed\n";
    return counts.failed > 0 ? kRunFailed : kRunPassed;
}

}  // namespace torvex
