// The help and news pages: which page the news view shows and when its tab
// is visible; and the window's fixed texts, which point nowhere.

#include "app/QueryMain.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct MainWindow {
    fake::TempFolder folder;
    fake::FakePlatform platform;
    std::unique_ptr<app::TQueryMain> main;

    app::TQueryMain& start(bool doHttp) {
        fake::writeFile(folder.file("skarvell.ini"),
                        std::string("[Settings]\r\nDoHTTP=") + (doHttp ? "1" : "0") + "\r\n");
        main = std::make_unique<app::TQueryMain>(platform, folder.file("skarvell.ini").string());
        main->FormCreate();
        return *main;
    }
};

TEST(HelpAndNews, HelpShowsTheBundledHelpWhateverDoHTTPSays) {
    for (const bool doHttp : {false, true}) {
        SCOPED_TRACE(doHttp);
        MainWindow w;
        auto& m = w.start(doHttp);
        ASSERT_TRUE(m.actHelp.enabled());
        m.actHelp.execute();
        EXPECT_TRUE(m.NewsPage.tabVisible());
        EXPECT_EQ(m.wwwviewUrl.caption(), app::kHelpPage);
        EXPECT_TRUE(w.platform.messages.empty());
    }
}

// Each step and what the tab and the view show afterwards.
TEST(HelpAndNews, TheNewsTabFollowsDoHTTPAtEachApply) {
    MainWindow w;
    auto& m = w.start(false);
    EXPECT_FALSE(m.NewsPage.tabVisible());
    EXPECT_TRUE(m.wwwviewUrl.caption().empty());

    m.actHelp.execute();
    EXPECT_TRUE(m.NewsPage.tabVisible());

    // Applying with DoHTTP off hides the help again.
    m.ApplySettings();
    EXPECT_FALSE(m.NewsPage.tabVisible());

    // On: the release notes replace the help.
    m.actHelp.execute();
    m.settings.DoHTTP = true;
    m.ApplySettings();
    EXPECT_TRUE(m.NewsPage.tabVisible());
    EXPECT_EQ(m.wwwviewUrl.caption(), app::kNewsPage);

    // Help while the news are on, then apply again: back to the news.
    m.actHelp.execute();
    EXPECT_EQ(m.wwwviewUrl.caption(), app::kHelpPage);
    m.ApplySettings();
    EXPECT_TRUE(m.NewsPage.tabVisible());
    EXPECT_EQ(m.wwwviewUrl.caption(), app::kNewsPage);

    m.settings.DoHTTP = false;
    m.ApplySettings();
    EXPECT_FALSE(m.NewsPage.tabVisible());
}

TEST(HelpAndNews, TheCaptionStatusBarAndAboutBoxNameNoWebAddress) {
    MainWindow w;
    auto& m = w.start(true);
    EXPECT_EQ(m.form.caption(), "Skarvell - UT Server querying [Beta]");
    EXPECT_EQ(m.StatusBar.panel(5).text, "Skarvell 0.4b");
    EXPECT_TRUE(m.aboutBox.contact.empty());
}

} // namespace
