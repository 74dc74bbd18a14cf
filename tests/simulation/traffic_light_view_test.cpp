// The Traffic Light's picture: a tooltip on every sensor and actuator, from the description;
// the buttons and the night switch worked with the mouse; no timer while nothing moves; and
// the plants' help pages made from the descriptions.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>
#include <set>

#include "simulation/plant_help.h"
#include "simulation/traffic_light_view.h"
#include "tests/support/qstring_print.h"

namespace torvex::test {
namespace {

using namespace Qt::StringLiterals;
using T = TrafficLight;

struct ViewTest : ::testing::Test {
    ViewTest() {
        plant.StartSimulation();
        view.reset(MakePlantView(plant));
        view->resize(2 * 189, 2 * 174);  // at 200 %
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
    void Exchange(uint16_t outputs) {
        plant.setOutputWord(outputs);
        plant.UpdateSimulation();
        view->refresh();
    }

    T plant{1};
    std::unique_ptr<PlantView> view;
};

TEST_F(ViewTest, EverySensorAndActuatorHasItsTooltipFromTheDescription) {
    ASSERT_NE(dynamic_cast<TrafficLightView*>(view.get()), nullptr);
    EXPECT_EQ(view->sizeHint(), QSize(189, 174));
    std::set<QString> expected;
    for (bool input : {true, false})
        for (int k = 0; k < kPoints; ++k) {
            const auto& p = (input ? T::Description().inputs : T::Description().outputs)[k];
            if (p.kind != PointKind::Unused)
                expected.insert(QString::fromStdString(PointName(input, k)) + u" \u2014 "_s +
                                QString::fromStdString(p.meaning.en));
        }
    std::set<QString> found;
    for (const auto& [text, at] : Spots()) found.insert(text);
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(found.count(u"IP2 \u2014 N/S walk request button"_s));

    T finnishPlant;
    const std::unique_ptr<PlantView> finnish(MakePlantView(finnishPlant, nullptr, true));
    EXPECT_EQ(finnish->pointText(false, T::NsGreen), u"OP2 \u2014 P/E vihreä"_s);
}

TEST_F(ViewTest, TheMouseWorksTheButtonsAndTheNightSwitch) {
    const std::map<QString, QPoint> spots = Spots();
    const QPoint button = spots.at(u"IP2 \u2014 N/S walk request button"_s);
    const QPoint night = spots.at(
        u"IP4 \u2014 Night switch: on asks for night operation (amber flashing both ways)"_s);
    QSignalSpy operated(view.get(), &PlantView::operated);

    QTest::mousePress(view.get(), Qt::LeftButton, {}, button);
    EXPECT_TRUE(plant.Input(T::NsWalkButton));
    for (int k = 0; k < 5; ++k) Exchange(0);
    EXPECT_TRUE(plant.Input(T::NsWalkButton));  // held
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, button);
    Exchange(0);
    EXPECT_FALSE(plant.Input(T::NsWalkButton));

    QTest::mouseClick(view.get(), Qt::LeftButton, {}, night);
    EXPECT_TRUE(plant.Input(T::NightSwitch));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, night);
    EXPECT_FALSE(plant.Input(T::NightSwitch));
    // A click elsewhere works nothing.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, spots.at(u"OP0 \u2014 N/S red"_s));

    const QList<QList<QVariant>> expected = {{T::NsWalkButton, true},
                                             {T::NsWalkButton, false},
                                             {T::NightSwitch, true},
                                             {T::NightSwitch, false}};
    EXPECT_EQ(QList<QList<QVariant>>(operated), expected);
}

TEST_F(ViewTest, AnimatesOnlyWhileSomethingMoves) {
    auto* timer = view->findChild<QTimer*>(QStringLiteral("tmrAnimate"));
    ASSERT_NE(timer, nullptr);
    Exchange(0);
    EXPECT_FALSE(timer->isActive());  // an empty junction
    // The first car comes into sight where it is, then drives on.
    while (plant.lanes()[0].empty() && plant.lanes()[1].empty() && plant.lanes()[2].empty() &&
           plant.lanes()[3].empty())
        Exchange(0);
    EXPECT_FALSE(timer->isActive());
    Exchange(0);
    EXPECT_TRUE(timer->isActive());
    // Without another exchange it arrives where the model has it, and the timer stops.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 1000));
}

TEST(PlantHelp, APageWithItsPictureInEitherLanguage) {
    const PlantRegistry plants = StandardPlants();
    const QVariant picture = PlantHelpResource(plants, u"traffic.png"_s, false);
    ASSERT_EQ(picture.typeId(), QMetaType::QImage);
    EXPECT_EQ(picture.value<QImage>().size(), QSize(4 * 189, 4 * 174));
    EXPECT_FALSE(PlantHelpResource(plants, u"lift.html"_s, false).isValid());
    const struct {
        bool finnish;
        const char* pieces[3];
    } cases[] = {
        {false,
         {"<td>IP2</td><td>push button</td><td>N/S walk request button</td>",
          "<td>plant.max_car_wait</td>", "<b>conflicting greens</b>"}},
        {true,
         {"<td>IP2</td><td>painike</td><td>P/E-jalankulkijoiden pyyntöpainike</td>",
          "<td>IP5 \u2026 IP15</td><td></td><td>ei käytössä</td>",
          "<b>ristiriitaiset vihreät</b>"}},
    };
    for (const auto& c : cases) {
        const QString page = PlantHelpResource(plants, u"traffic.html"_s, c.finnish).toString();
        for (const char* piece : c.pieces)
            EXPECT_TRUE(page.contains(QString::fromUtf8(piece))) << piece;
    }
}

}  // namespace
}  // namespace torvex::test
