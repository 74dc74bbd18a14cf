// The About and Contact Details forms: every text shows whole, the full version number too,
// in both languages and with large fonts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/about_form.h"
#include "app/clickable_label.h"
#include "app/information_form.h"
#include "tests/support/layout_faults.h"
#include "ui/language.h"

namespace torvex::test {
namespace {

TEST(InformationForms, EveryTextShowsWholeInBothLanguagesAndWithLargeFonts) {
    const QFont normal = QApplication::font();
    for (bool finnish : {false, true}) {
        std::unique_ptr<FinnishTranslation> texts;
        if (finnish) {
            texts = std::make_unique<FinnishTranslation>();
            ASSERT_TRUE(texts->install());
        }
        for (bool largeFonts : {false, true}) {
            SCOPED_TRACE(std::string(finnish ? "fi" : "en") + (largeFonts ? " large fonts" : ""));
            // Large fonts draw the system font a quarter larger, as a 120-dpi screen does.
            QFont font = normal;
            font.setPointSizeF(normal.pointSizeF() * (largeFonts ? 1.25 : 1.0));
            QApplication::setFont(font);

            auto* about = new TfrmAbout(largeFonts, {}, {});
            about->show();
            EXPECT_EQ(about->windowTitle().toStdString(), finnish ? "Tietoja" : "About");
            EXPECT_EQ(LayoutFaults(about), std::vector<std::string>{});
            QTest::mouseDClick(about->findChild<QWidget*>(QStringLiteral("lblVersionNumber")),
                               Qt::LeftButton);
            EXPECT_EQ(LayoutFaults(about), std::vector<std::string>{}) << "3.0.20";
            about->close();

            auto* contact = new TfrmInformation({});
            contact->show();
            EXPECT_EQ(contact->windowTitle().toStdString(),
                      finnish ? "Yhteystiedot..." : "Contact Details...");
            EXPECT_EQ(LayoutFaults(contact), std::vector<std::string>{});
            contact->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    QApplication::setFont(normal);
}

}  // namespace
}  // namespace torvex::test
