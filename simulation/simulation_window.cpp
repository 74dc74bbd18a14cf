#include "simulation/simulation_window.h"

#include <QCloseEvent>
#include <QLabel>

#include "files/settings_store.h"
#include "simulation/plant_view.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"

namespace torvex {

TfrmSimulation::TfrmSimulation(Workspace& workspace, std::unique_ptr<Plant> plant,
                               int mainClientWidth, QWidget* parent)
    : QMdiSubWindow(parent),
      ws_(workspace),
      plant_(std::move(plant)),
      number_(plant_->description().number),
      mainClientWidth_(mainClientWidth) {
    setObjectName(QStringLiteral("frmSimulation%1").arg(number_));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed border and no caption buttons: the window closes only through the commands.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWindowIcon(GlyphIcon(Glyph::Application));
    const PlantDescription& d = plant_->description();
    // The simulations' names are the same in both languages.
    setWindowTitle(QString::fromStdString(d.name));
    view_ = MakePlantView(*plant_, this, ws_.shell.FinnishTexts);
    if (!view_) {
        auto* none = new QLabel(QString::fromStdString(d.name), this);
        none->setAlignment(Qt::AlignCenter);
        setWidget(none);
    } else {
        setWidget(view_);
    }
    widget()->setFixedSize(d.width, d.height);
    ws_.shell.SimulationOpen = true;
    ws_.shell.CurrentSimulation = number_;
    plant_->StartSimulation();
    if (view_) view_->refresh();
}

TfrmSimulation::~TfrmSimulation() {
    // A window closed by its parent's end closes without its close event.
    if (ws_.shell.CurrentSimulation == number_) ws_.shell.SimulationOpen = false;
}

QString TfrmSimulation::section() const {
    return SettingsStore::simulationSection(number_);
}

QPoint TfrmSimulation::defaultPlace() const {
    // The top right corner of the main window's client area, 6 pixels in.
    return {mainClientWidth_ - width() - 6, 0};
}

void TfrmSimulation::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    adjustSize();
    QPoint where = defaultPlace();
    const SettingsStore::Place place = ws_.settings.readPlace(section());
    if (!place.error.isEmpty())
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    else if (place.moved)
        where = PlaceInArea(*this, QPoint(place.left, place.top), where);
    move(where);
}

void TfrmSimulation::closeEvent(QCloseEvent* event) {
    ws_.shell.SimulationOpen = false;
    ws_.settings.writePlace(section(), x(), y());
    QMdiSubWindow::closeEvent(event);
}

void TfrmSimulation::SimulationStart() {
    setFocus();
    raise();
    plant_->StartSimulation();
    if (view_) view_->refresh();
}

void TfrmSimulation::SimulationReadInputs(PointStates& sensors) const {
    for (int k = 0; k < kPoints; ++k) sensors[k] = plant_->Input(k);
}

bool TfrmSimulation::SimulationWriteOutputs(const PointStates& outputs) {
    for (int k = 0; k < kPoints; ++k) plant_->setOutput(k, outputs[k]);
    plant_->UpdateSimulation();
    if (view_) view_->refresh();
    const bool stopped = plant_->Stopped();
    if (stopped)
        emit plantStopped(QString::fromStdString(plant_->stopReason().in(ws_.shell.FinnishTexts)));
    return stopped;
}

}  // namespace torvex
