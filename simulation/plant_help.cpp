#include "simulation/plant_help.h"

#include <QPainter>
#include <memory>

#include "simulation/plant_view.h"

namespace torvex {

namespace {

QString Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

// The page's own words, in both languages.
struct Words {
    const char* en;
    const char* fi;
    QString in(bool finnish) const { return QString::fromUtf8(finnish ? fi : en); }
};
const Words kContents{"Contents", "Sisällys"};
const Words kSimulations{"Simulations", "Simulaatiot"};
const Words kSimulation{"Simulation %1 in the Simulations menu; in torvex-run --plant %2.",
                        "Simulaatio %1 Simuloi-valikossa; torvex-run-ohjelmassa --plant %2."};
const Words kInputsOutputs{"Inputs and outputs", "Tulot ja lähdöt"};
const Words kPoint{"Point", "Piste"};
const Words kKind{"Kind", "Laji"};
const Words kMeaning{"Meaning", "Merkitys"};
const Words kControls{"Operator controls", "Käyttäjän ohjaimet"};
const Words kControlsText{
    "Work them on the picture with the mouse: press and hold a push button, click a switch to "
    "turn it on or off. A press shows on its input for at least 200 ms, so a scan never misses "
    "it. In a torvex-run scenario, <i>at T set IPk=1</i> presses or switches on and "
    "<i>=0</i> releases or switches off.",
    "Niitä käytetään kuvassa hiirellä: painiketta painetaan ja pidetään pohjassa, kytkintä "
    "napsautetaan päälle tai pois. Painallus näkyy tulossa vähintään 200 ms, joten yksikään "
    "kierros ei ohita sitä. torvex-run-skenaariossa <i>at T set IPk=1</i> painaa tai kytkee "
    "päälle ja <i>=0</i> vapauttaa tai kytkee pois."};
const Words kNoControls{"This plant has none.", "Tällä laitoksella ei ole niitä."};
const Words kFigures{"Figures", "Tunnusluvut"};
const Words kFiguresText{
    "What the plant counts while it runs. torvex-run checks them in a scenario with "
    "<i>at T expect plant.NAME&lt;OP&gt;VALUE</i>, OP one of = &lt; &lt;= &gt; &gt;=, for "
    "example <i>plant.stopped=0</i>.",
    "Mitä laitos laskee ajon aikana. torvex-run tarkistaa ne skenaariossa rivillä "
    "<i>at T expect plant.NIMI&lt;OP&gt;ARVO</i>, OP jokin merkeistä = &lt; &lt;= &gt; &gt;=, "
    "esimerkiksi <i>plant.stopped=0</i>."};
const Words kName{"Name", "Nimi"};
const Words kStops{"When the plant stops the run", "Milloin laitos pysäyttää ajon"};
const Words kStopsText{"The run ends at once; the picture and the information bar say why.",
                       "Ajo päättyy heti; kuva ja tietopalkki kertovat syyn."};
const Words kNeverStops{"This plant never stops the run.", "Tämä laitos ei koskaan pysäytä ajoa."};
const Words kNotUsed{"not used", "ei käytössä"};

void PointRows(QString& html, const std::array<PointDescription, kPoints>& points, bool input,
               bool finnish) {
    for (int k = 0; k < kPoints; ++k) {
        QString name = QString::fromStdString(PointName(input, k));
        if (points[k].kind == PointKind::Unused) {
            int last = k;
            while (last + 1 < kPoints && points[last + 1].kind == PointKind::Unused) ++last;
            if (last > k)
                name += QStringLiteral(" \u2026 ") + QString::fromStdString(PointName(input, last));
            html += QStringLiteral("<tr><td>%1</td><td></td><td>%2</td></tr>\n")
                        .arg(name, kNotUsed.in(finnish));
            k = last;
            continue;
        }
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(name, Html(KindName(points[k].kind).in(finnish)),
                         Html(points[k].meaning.in(finnish)));
    }
}

}  // namespace

QString PlantHelpHtml(const PlantDescription& d, bool finnish, const QString& picture) {
    const QString name = Html(d.name);
    QString html = QStringLiteral(
                       "<html><head><title>%1</title></head><body>\n"
                       "<p class=\"nav\"><a href=\"../index.html\">%2</a> \u00b7 "
                       "<a href=\"../simulations.html\">%3</a></p>\n<h1>%1</h1>\n")
                       .arg(name, kContents.in(finnish), kSimulations.in(finnish));
    html += QStringLiteral("<p>%1</p>\n<p><i>%2</i></p>\n")
                .arg(Html(d.summary.in(finnish)),
                     kSimulation.in(finnish).arg(d.number).arg(Html(d.key)));
    html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"></p>\n")
                .arg(picture.toHtmlEscaped())
                .arg(2 * d.width)
                .arg(2 * d.height)
                .arg(name);

    html += QStringLiteral(
                "<h2>%1</h2>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
                "<tr><th>%2</th><th>%3</th><th>%4</th></tr>\n")
                .arg(kInputsOutputs.in(finnish), kPoint.in(finnish), kKind.in(finnish),
                     kMeaning.in(finnish));
    PointRows(html, d.inputs, true, finnish);
    PointRows(html, d.outputs, false, finnish);
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<h2>%1</h2>\n<p>%2</p>\n")
                .arg(kControls.in(finnish), kControlsText.in(finnish));
    QString controls;
    for (int k = 0; k < kPoints; ++k)
        if (IsOperatorControl(d.inputs[k].kind))
            controls += QStringLiteral("<li><b>%1</b> (%2): %3</li>\n")
                            .arg(QString::fromStdString(PointName(true, k)),
                                 Html(KindName(d.inputs[k].kind).in(finnish)),
                                 Html(d.inputs[k].meaning.in(finnish)));
    html += controls.isEmpty() ? QStringLiteral("<p>%1</p>\n").arg(kNoControls.in(finnish))
                               : QStringLiteral("<ul>\n%1</ul>\n").arg(controls);

    html += QStringLiteral(
                "<h2>%1</h2>\n<p>%2</p>\n<table border=\"1\" cellspacing=\"0\" "
                "cellpadding=\"3\">\n<tr><th>%3</th><th>%4</th></tr>\n")
                .arg(kFigures.in(finnish), kFiguresText.in(finnish), kName.in(finnish),
                     kMeaning.in(finnish));
    for (const PlantFigure& f : d.figures)
        html += QStringLiteral("<tr><td>plant.%1</td><td>%2</td></tr>\n")
                    .arg(Html(f.name), Html(f.meaning.in(finnish)));
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<h2>%1</h2>\n").arg(kStops.in(finnish));
    if (d.stopReasons.empty()) {
        html += QStringLiteral("<p>%1</p>\n").arg(kNeverStops.in(finnish));
    } else {
        html += QStringLiteral("<p>%1</p>\n<ul>\n").arg(kStopsText.in(finnish));
        for (const PlantStopReason& s : d.stopReasons)
            html += QStringLiteral("<li><b>%1</b>: %2</li>\n")
                        .arg(Html(s.reason.in(finnish)), Html(s.when.in(finnish)));
        html += QStringLiteral("</ul>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html;
}

QImage PlantPicture(const PlantRegistry& plants, int number, bool finnish, qreal scale,
                    qreal pixelRatio) {
    const PlantDescription* d = plants.description(number);
    std::unique_ptr<Plant> plant = plants.make(number);
    if (!d || !plant) return {};
    plant->StartSimulation();
    for (const auto& [input, on] : d->pictureControls) plant->operate(input, on);
    for (int k = 0; k < d->pictureSeconds * 1000 / Plant::kExchangeMs && !plant->Stopped(); ++k) {
        plant->setOutputWord(d->pictureOutputs);
        plant->UpdateSimulation();
    }
    std::unique_ptr<PlantView> view(MakePlantView(*plant, nullptr, finnish));
    if (!view) return {};
    view->resize(qRound(d->width * scale), qRound(d->height * scale));
    view->refresh();
    QImage image(view->size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    {
        QPainter painter(&image);
        view->render(&painter);
    }
    return image;
}

QVariant PlantHelpResource(const PlantRegistry& plants, const QString& name, bool finnish) {
    for (const PlantDescription* d : plants.all()) {
        const QString key = QString::fromStdString(d->key);
        if (name == key + QStringLiteral(".html"))
            return PlantHelpHtml(*d, finnish, key + QStringLiteral(".png"));
        if (name == key + QStringLiteral(".png")) {
            const QImage picture = PlantPicture(plants, d->number, finnish);
            return picture.isNull() ? QVariant() : QVariant(picture);
        }
    }
    return {};
}

}  // namespace torvex
