// What the file tests share: a model to load into, the test data folder, byte helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/plc.h"
#include "files/diagram_settings.h"
#include "files/io_comments.h"

namespace torvex::test {

struct Model {
    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    IOComments comments;
    DiagramSettings settings;

    Diagram& diagram() { return plc->diagram; }
    MemoryImage& memory() { return plc->memory; }
};

// The folder tests/data of the source tree.
std::string DataPath(const std::string& name);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Lines joined with CR LF, each line ended by one.
std::string Crlf(const std::vector<std::string>& lines);

// Empty when the two models hold the same diagram, I/O comments, and the presets and flags
// of the timers and counters in use; else the first difference.
std::string ModelDifference(Model& a, Model& b);

// A model holding a little of everything: two rungs, I/O and rung comments, a timer and a
// counter in use.
void FillModel(Model& m);

// What a refused load must leave exactly as it was: the diagram and comments as a save
// writes them, and the whole memory image.
struct ModelState {
    std::string text;
    MemoryImage memory;
};
ModelState StateOf(Model& m);
// Empty when the model is in that state, else what differs.
std::string StateDifference(Model& m, const ModelState& before);

// A folder of its own under the temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

}  // namespace torvex::test
