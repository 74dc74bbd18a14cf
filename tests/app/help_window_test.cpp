// The help window: the plants' pages, made from their descriptions, open from the contents.

#include "app/help_window.h"

#include <gtest/gtest.h>

#include <QTextBrowser>

#include "tests/support/qstring_print.h"

namespace torvex::test {
namespace {

using namespace Qt::StringLiterals;

TEST(HelpWindow, OpensAPlantsPageWithItsPictureFromTheSimulationsPage) {
    for (bool finnish : {false, true}) {
        HelpWindow help(nullptr, finnish);
        help.showContents();
        QTextBrowser& browser = *help.browser();
        browser.setSource(browser.source().resolved(u"simulations.html"_s));
        EXPECT_EQ(browser.documentTitle(), u"Simulations"_s);
        browser.setSource(browser.source().resolved(u"plants/traffic.html"_s));
        EXPECT_EQ(browser.documentTitle(), u"Traffic Light"_s);
        EXPECT_EQ(browser.toPlainText().contains(u"P/E-jalankulkijoiden pyyntöpainike"_s), finnish);
        const QVariant picture = browser.document()->resource(QTextDocument::ImageResource,
                                                              u"qrc:/help/plants/traffic.png"_s);
        EXPECT_EQ(picture.typeId(), QMetaType::QImage);
        browser.backward();
        EXPECT_EQ(browser.documentTitle(), u"Simulations"_s);
    }
}

}  // namespace
}  // namespace torvex::test
