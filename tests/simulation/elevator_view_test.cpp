// The Elevator's picture: a tooltip on every sensor and actuator, from the description; the
// hall and car buttons worked with the mouse; no timer while nothing moves; its help page.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>
#include <set>

#include "simulation/elevator_view.h"
#include "simulation/plant_help.h"
#include "tests/support/qstring_print.h"

namespace torvex::test {
namespace {

using namespace Qt::StringLiterals;
using E = Elevator;

struct ElevatorViewTest : ::testing::Test {
    ElevatorViewTest() {
        plant.StartSimulation();
        view.reset(MakePlantView(plant));
        view->resize(2 * 530, 2 * 348);  // at 200 %
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
    QString Text(bool input, int k) const { return view->pointText(input, k); }

    E plant{1};
    std::unique_ptr<PlantView> view;
};

TEST_F(ElevatorViewTest, EverySensorAndActuatorHasItsTooltipFromTheDescription) {
    ASSERT_NE(dynamic_cast<ElevatorView*>(view.get()), nullptr);
    EXPECT_EQ(view->sizeHint(), QSize(530, 348));
    std::set<QString> expected;
    for (bool input : {true, false})
        for (int k = 0; k < kPoints; ++k) {
            const auto& p = (input ? E::Description().inputs : E::Description().outputs)[k];
            if (p.kind != PointKind::Unused) expected.insert(Text(input, k));
        }
    std::set<QString> found;
    for (const auto& [text, at] : Spots()) found.insert(text);
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(
        found.count(u"IP14 \u2014 door obstruction (light curtain: someone in the doorway)"_s));

    E finnishPlant;
    const std::unique_ptr<PlantView> finnish(MakePlantView(finnishPlant, nullptr, true));
    EXPECT_EQ(finnish->pointText(true, E::HallCall1 + 2),
              u"IP6 \u2014 ulkokutsupainike, kerros 3"_s);
}

TEST_F(ElevatorViewTest, TheMouseWorksTheHallAndCarButtonsAndNothingElse) {
    const std::map<QString, QPoint> spots = Spots();
    QSignalSpy operated(view.get(), &PlantView::operated);
    const struct {
        int input;
        bool worked;
    } cases[] = {
        {E::HallCall1 + 3, true},
        {E::CarButton1 + 1, true},
        {E::Level1 + 2, false},
        {E::DoorClosed, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const QPoint at = spots.at(Text(true, c.input));
        const bool before = plant.Input(c.input);
        QTest::mousePress(view.get(), Qt::LeftButton, {}, at);
        EXPECT_EQ(plant.Input(c.input), c.worked || before);
        for (int k = 0; k < 4; ++k) Exchange(0);
        EXPECT_EQ(plant.Input(c.input), c.worked || before);  // held while pressed
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at);
        Exchange(0);
        EXPECT_EQ(plant.Input(c.input), before);
    }
    const QList<QList<QVariant>> expected = {{E::HallCall1 + 3, true},
                                             {E::HallCall1 + 3, false},
                                             {E::CarButton1 + 1, true},
                                             {E::CarButton1 + 1, false}};
    EXPECT_EQ(QList<QList<QVariant>>(operated), expected);
}

TEST_F(ElevatorViewTest, AnimatesOnlyWhileSomethingMoves) {
    auto* timer = view->findChild<QTimer*>(QStringLiteral("tmrAnimate"));
    ASSERT_NE(timer, nullptr);
    Exchange(0);
    EXPECT_FALSE(timer->isActive());  // the car at rest, nobody about yet
    Exchange(1u << E::MotorUp);
    EXPECT_TRUE(timer->isActive());
    // Without another exchange it arrives where the model has it, and the timer stops.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 1000));
    Exchange(1u << E::MotorUp | 1u << E::MotorDown);
    EXPECT_TRUE(plant.Stopped());
    EXPECT_FALSE(timer->isActive());
}

TEST(ElevatorHelp, APageWithItsPictureInEitherLanguage) {
    const PlantRegistry plants = StandardPlants();
    const QVariant picture = PlantHelpResource(plants, u"elevator.png"_s, false);
    ASSERT_EQ(picture.typeId(), QMetaType::QImage);
    EXPECT_EQ(picture.value<QImage>().size(), QSize(4 * 530, 4 * 348));
    const struct {
        bool finnish;
        const char* pieces[3];
    } cases[] = {
        {false,
         {"<td>IP4</td><td>push button</td><td>hall call button, floor 1</td>",
          "<td>plant.max_wait</td>", "<b>door closed on a passenger</b>"}},
        {true,
         {"<td>IP8</td><td>painike</td><td>korin painike kerrokseen 1</td>",
          "<td>IP15</td><td></td><td>ei käytössä</td>", "<b>yliajo</b>"}},
    };
    for (const auto& c : cases) {
        const QString page = PlantHelpResource(plants, u"elevator.html"_s, c.finnish).toString();
        for (const char* piece : c.pieces)
            EXPECT_TRUE(page.contains(QString::fromUtf8(piece))) << piece;
    }
}

}  // namespace
}  // namespace torvex::test
