// The window of a simulation: an MDI child that holds one plant and its picture, remembers
// where the user left it, and makes the exchanges of a run with the plant.
#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "engine/run_host.h"
#include "simulation/plants/plant.h"

namespace torvex {

class PlantView;
struct Workspace;

class TfrmSimulation : public QMdiSubWindow {
    Q_OBJECT
public:
    // Simulation `plant->description().number`, placed at the top right of a main window
    // whose client area is `mainClientWidth` wide unless the settings keep another place.
    // Starts the plant (StartSimulation) and sets SimulationOpen and CurrentSimulation.
    TfrmSimulation(Workspace& workspace, std::unique_ptr<Plant> plant, int mainClientWidth,
                   QWidget* parent = nullptr);
    ~TfrmSimulation() override;

    int number() const { return number_; }
    Plant& plant() { return *plant_; }

    // The run's exchanges, on the user-interface thread.
    void SimulationStart();
    void SimulationReadInputs(PointStates& sensors) const;
    // Writes the actuators, advances the plant one exchange and answers its stop request.
    bool SimulationWriteOutputs(const PointStates& outputs);

signals:
    // The plant asked to end the run, for this reason (in the program's language).
    void plantStopped(const QString& reason);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPoint defaultPlace() const;
    QString section() const;

    Workspace& ws_;
    std::unique_ptr<Plant> plant_;
    PlantView* view_ = nullptr;
    int number_;
    int mainClientWidth_;
    bool placed_ = false;
};

}  // namespace torvex
