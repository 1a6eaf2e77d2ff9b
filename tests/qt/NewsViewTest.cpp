// The news view: the program's own addresses show the bundled pages, and a
// link that leaves the program goes to the desktop's browser, never in place.

#include "qt/NewsView.h"

#include "toolkit/Controls.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct NewsViewRig {
    tk::Label address;
    std::vector<QUrl> opened;
    gui::NewsView view{address};

    NewsViewRig() {
        view.setExternalOpener([this](const QUrl& link) { opened.push_back(link); });
    }
};

TEST(NewsView, TheProgramsAddressesShowTheBundledPages) {
    struct Case {
        const char* address;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"skarvell:help", "Skarvell Help", "Recording a war"},
        {"skarvell:news", "Skarvell 0.4b release notes", "War recording"},
    };
    NewsViewRig rig;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        rig.address.setCaption(c.address);
        EXPECT_EQ(rig.view.documentTitle(), QString::fromLatin1(c.title));
        EXPECT_TRUE(rig.view.toPlainText().contains(QString::fromLatin1(c.text)));
        EXPECT_EQ(rig.view.url().scheme(), QStringLiteral("qrc"));
    }
    EXPECT_TRUE(rig.opened.empty());
}

TEST(NewsView, AnUnknownPageOfTheProgramSaysSoAndAnEmptyAddressClears) {
    NewsViewRig rig;
    rig.address.setCaption("skarvell:nowhere");
    EXPECT_TRUE(rig.view.toPlainText().contains(QStringLiteral("no page \"skarvell:nowhere\"")));
    rig.address.setCaption("");
    EXPECT_TRUE(rig.view.toPlainText().isEmpty());
    EXPECT_TRUE(rig.view.url().isEmpty());
}

TEST(NewsView, LinksLeavingTheProgramOpenInTheBrowserAnchorsInPlace) {
    NewsViewRig rig;
    rig.address.setCaption("skarvell:help");
    const QUrl help = rig.view.source();

    const QUrl outside(QStringLiteral("https://en.wikipedia.org/wiki/Unreal_Tournament"));
    emit rig.view.anchorClicked(outside);
    ASSERT_EQ(rig.opened.size(), 1U);
    EXPECT_EQ(rig.opened[0], outside);
    EXPECT_EQ(rig.view.source(), help);
    EXPECT_EQ(rig.view.documentTitle(), QStringLiteral("Skarvell Help"));

    // An anchor of the page and another bundled page stay in the program.
    emit rig.view.anchorClicked(QUrl(QStringLiteral("#war")));
    EXPECT_EQ(rig.view.source().fragment(), QStringLiteral("war"));
    emit rig.view.anchorClicked(QUrl(QStringLiteral("skarvell:news")));
    EXPECT_EQ(rig.view.documentTitle(), QStringLiteral("Skarvell 0.4b release notes"));
    EXPECT_EQ(rig.opened.size(), 1U);
}

TEST(NewsView, AWebAddressIsOfferedAsALinkNotFetched) {
    NewsViewRig rig;
    rig.address.setCaption("https://example.org/news");
    EXPECT_TRUE(rig.view.source().isEmpty());
    EXPECT_TRUE(rig.view.toHtml().contains(QStringLiteral("https://example.org/news")));
    emit rig.view.anchorClicked(rig.view.url());
    ASSERT_EQ(rig.opened.size(), 1U);
    EXPECT_TRUE(rig.view.source().isEmpty());
}

} // namespace
