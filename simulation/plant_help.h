// The help page of each plant, made from its description: what the plant is, its picture,
// its inputs and outputs, operator controls, figures and the reasons it stops a run, in
// English or Finnish. Written once in the description, shown here, in the tooltips and by
// `torvex-run --describe`.
#pragma once

#include <QImage>
#include <QString>
#include <QVariant>

#include "simulation/plants/plant.h"

namespace torvex {

// The page, as HTML; its picture is the resource named `picture`.
QString PlantHelpHtml(const PlantDescription& description, bool finnish, const QString& picture);

// The plant's picture as its help page shows it: its view at `scale` times its size at
// 100 %, at the pixel ratio `pixelRatio`, the plant staged as its description says. A null
// image when the program has no view of it.
QImage PlantPicture(const PlantRegistry& plants, int number, bool finnish, qreal scale = 2,
                    qreal pixelRatio = 2);

// The help resources of the plants, as a help browser loads them: "traffic.html" (the page
// of the plant whose key is "traffic") and "traffic.png" (its picture). Null for any other
// name.
QVariant PlantHelpResource(const PlantRegistry& plants, const QString& name, bool finnish);

}  // namespace torvex
