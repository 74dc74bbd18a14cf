// The Annunciator's and the Car Park's pictures: a tooltip on every sensor and actuator, from
// the description; every operator control worked with the mouse; a timer only while
// something moves.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>
#include <set>

#include "simulation/annunciator_view.h"
#include "simulation/car_park_view.h"
#include "simulation/plant_help.h"
#include "tests/support/qstring_print.h"

namespace torvex::test {
namespace {

struct PlantViews : ::testing::TestWithParam<int> {
    PlantViews() : plant(StandardPlants().make(GetParam())) {
        plant->StartSimulation();
        view.reset(MakePlantView(*plant));
        const QSize size = view->sizeHint();
        view->resize(2 * size);  // at 200 %
        view->show();
    }
    // Where on the picture each tooltip is found, by its text.
    std::map<QString, QPoint> Spots() const {
        std::map<QString, QPoint> spots;
        for (int y = 0; y < view->height(); ++y)
            for (int x = 0; x < view->width(); ++x) {
                const QString text = view->toolTipAt(QPointF(x, y));
                if (!text.isEmpty()) spots.emplace(text, QPoint(x, y));
            }
        return spots;
    }
    QString Text(bool input, int k) const {
        const auto& points = input ? plant->description().inputs : plant->description().outputs;
        return QString::fromStdString(PointName(input, k)) + QStringLiteral(" \u2014 ") +
               QString::fromStdString(points[k].meaning.en);
    }

    std::unique_ptr<Plant> plant;
    std::unique_ptr<PlantView> view;
};

TEST_P(PlantViews, EverySensorAndActuatorHasItsTooltipAndEveryControlWorksByMouse) {
    ASSERT_NE(view, nullptr);
    const std::map<QString, QPoint> spots = Spots();
    std::set<QString> expected, found;
    for (bool input : {true, false})
        for (int k = 0; k < kPoints; ++k)
            if ((input ? plant->description().inputs : plant->description().outputs)[k].kind !=
                PointKind::Unused)
                expected.insert(Text(input, k));
    for (const auto& [text, at] : spots) found.insert(text);
    EXPECT_EQ(found, expected);

    QSignalSpy operated(view.get(), &PlantView::operated);
    int worked = 0;
    for (int k = 0; k < kPoints; ++k) {
        const PointKind kind = plant->description().inputs[k].kind;
        if (!IsOperatorControl(kind)) continue;
        SCOPED_TRACE(k);
        const QPoint at = spots.at(Text(true, k));
        const bool before = plant->Input(k);
        if (kind == PointKind::Switch) {
            QTest::mouseClick(view.get(), Qt::LeftButton, {}, at);
            EXPECT_NE(plant->Input(k), before);
            QTest::mouseClick(view.get(), Qt::LeftButton, {}, at);
            EXPECT_EQ(plant->Input(k), before);
        } else {
            QTest::mousePress(view.get(), Qt::LeftButton, {}, at);
            for (int e = 0; e < 4; ++e) plant->UpdateSimulation();
            EXPECT_TRUE(plant->Input(k));  // held
            QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at);
            for (int e = 0; e < 2; ++e) plant->UpdateSimulation();
            EXPECT_FALSE(plant->Input(k));
        }
        worked += 2;
    }
    EXPECT_EQ(operated.count(), worked);
    // A click on an actuator works nothing.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, spots.at(Text(false, 0)));
    EXPECT_EQ(operated.count(), worked);
}

INSTANTIATE_TEST_SUITE_P(AnnunciatorAndCarPark, PlantViews, ::testing::Values(2, 3),
                         [](const auto& info) {
                             return info.param == 2 ? "Annunciator" : "CarPark";
                         });

TEST(AnnunciatorView, TurnsTheBeaconOnlyWhileTheHornOrTheBeaconIsOn) {
    Annunciator plant;
    plant.StartSimulation();
    AnnunciatorView view(plant, false);
    auto* timer = view.findChild<QTimer*>(QStringLiteral("tmrAnimate"));
    ASSERT_NE(timer, nullptr);
    const struct {
        uint16_t outputs;
        bool animated;
    } cases[] = {{0, false},
                 {1u << Annunciator::Horn, true},
                 {0x3F, false},
                 {1u << Annunciator::Beacon, true},
                 {0, false}};
    for (const auto& c : cases) {
        plant.setOutputWord(c.outputs);
        plant.UpdateSimulation();
        view.refresh();
        EXPECT_EQ(timer->isActive(), c.animated) << c.outputs;
    }
}

TEST(CarParkView, AnimatesOnlyWhileSomethingMoves) {
    CarPark plant(1);
    plant.StartSimulation();
    CarParkView view(plant, false);
    auto* timer = view.findChild<QTimer*>(QStringLiteral("tmrAnimate"));
    ASSERT_NE(timer, nullptr);
    auto exchange = [&](uint16_t outputs) {
        plant.setOutputWord(outputs);
        plant.UpdateSimulation();
        view.refresh();
    };
    exchange(1u << CarPark::SpacesSign);
    EXPECT_FALSE(timer->isActive());  // an empty car park
    // The first car drives up to the barrier and waits there.
    while (plant.cars().empty()) exchange(1u << CarPark::SpacesSign);
    exchange(1u << CarPark::SpacesSign);
    EXPECT_TRUE(timer->isActive());
    auto standing = [&] {
        for (const CarPark::Car* car : plant.cars())
            if (car->speed > 0) return false;
        return true;
    };
    while (!plant.Input(CarPark::EntryWaiting) || !standing()) exchange(1u << CarPark::SpacesSign);
    exchange(1u << CarPark::SpacesSign);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 1000));
    // The barrier rising moves.
    exchange(1u << CarPark::SpacesSign | 1u << CarPark::EntryRaise);
    EXPECT_TRUE(timer->isActive());
}

TEST(PlantHelp, SaysWhetherAndWhenAPlantStopsTheRun) {
    const PlantRegistry plants = StandardPlants();
    const struct {
        const char* page;
        bool finnish;
        const char* piece;
    } cases[] = {
        {"annunciator.html", false, "<p>This plant never stops the run.</p>"},
        {"annunciator.html", true, "<p>Tämä laitos ei koskaan pysäytä ajoa.</p>"},
        {"carpark.html", false, "<li><b>car park overfilled</b>: a car is let in"},
        {"carpark.html", true, "<li><b>pysäköintialue ylitäytetty</b>: auto päästetään"},
    };
    for (const auto& c : cases) {
        const QString page =
            PlantHelpResource(plants, QString::fromUtf8(c.page), c.finnish).toString();
        EXPECT_TRUE(page.contains(QString::fromUtf8(c.piece))) << c.page << c.finnish;
        EXPECT_EQ(page.contains(QStringLiteral("When the plant stops the run")), !c.finnish);
    }
    for (const char* picture : {"annunciator.png", "carpark.png"})
        EXPECT_FALSE(
            PlantHelpResource(plants, QString::fromUtf8(picture), false).value<QImage>().isNull())
            << picture;
}

}  // namespace
}  // namespace torvex::test
