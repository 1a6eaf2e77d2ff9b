// The preferences dialog: how its controls are filled from the settings and
// read back, its checks, its colour buttons, and the main window's command
// that shows it, stores, writes and applies the settings.

#include "app/PreferencesDialog.h"
#include "app/QueryMain.h"
#include "settings/SettingsFields.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// A block with a value different from the default in every field the dialog
// edits.
cfg::SettingsBlock unusualSettings() {
    cfg::SettingsBlock s;
    s.FirstRun = false;
    s.QueryInterval = 45;
    s.QueryTimeout = 3500;
    s.MaxTimeout = 2;
    s.qryFavsOnStartup = true;
    s.qryMasterOnStartup = false;
    s.LoadListOnStartup = true;
    s.PingInterval = 35;
    s.usePlayerColor = false;
    s.UTDir = "/games/ut";
    s.DoHTTP = false;
    s.UTINIBackup = false;
    s.MasterserverURI = "master.example.net:27900";
    s.AutoPingFavs = false;
    s.AutoInterval = 17;
    s.Background = 0x101010;
    s.Grid = 0x202020;
    s.Font = 0x303030;
    s.TeamA = 0x404040;
    s.TeamB = 0x505050;
    s.AutoSaveStats = true;
    s.SaveStatsInterval = 90;
    s.StatsWidth = 640;
    s.StatsHeight = 480;
    s.SaveTo = "/srv/www/stats";
    s.server = "irc.example.org";
    s.Port = 6669;
    s.channel = "#clan";
    s.nickname = "reporter";
    s.HostAutoUpdate = false;
    s.Spree = true;
    s.Health = false;
    s.Weapon = true;
    s.Inventory = true;
    s.Ports = 40000;
    return s;
}

// Every written setting of two blocks, compared through the settings table,
// so that a field added to the table is compared too.
void expectSameSettings(const cfg::SettingsBlock& actual, const cfg::SettingsBlock& expected) {
    for (const cfg::SettingsField& field : cfg::settingsFields()) {
        if (!field.written) {
            continue; // the player colours: checked on their own
        }
        EXPECT_EQ(field.valueText(actual), field.valueText(expected))
            << "[" << field.section << "] " << field.key;
    }
}

struct Dialog {
    fake::FakePlatform platform;
    app::TfrmPref pref{platform};
};

TEST(Preferences, FilledFromSettingsTheControlsShowThemAndGiveThemBack) {
    Dialog d;
    auto& p = d.pref;
    const cfg::SettingsBlock settings = unusualSettings();
    p.FillFromSettings(settings);

    // A few controls by hand, so that two settings swapped both ways show.
    EXPECT_EQ(p.pref_QueryInterval.text(), "45");
    EXPECT_EQ(p.pref_MaxTimeout.itemIndex(), 1);
    EXPECT_EQ(p.txtPortsEnd.text(), "40002");
    EXPECT_EQ(p.pref_qryMasterOnStartup.itemIndex(), 1);
    EXPECT_FALSE(p.pref_bQryHealth.checked());
    EXPECT_TRUE(p.pref_bQryWeapon.checked());
    EXPECT_TRUE(p.pref_bQrySpree.checked());
    EXPECT_EQ(p.pref_IRCChannel.text(), "#clan");
    EXPECT_EQ(p.pref_IRCNick.text(), "reporter");
    EXPECT_EQ(p.pref_SaveStatsInterval.text(), "90");
    EXPECT_EQ(p.pref_SaveStatsInterval.itemIndex(), 12);
    EXPECT_EQ(p.Grid, 0x202020);
    EXPECT_EQ(p.Font, 0x303030);

    cfg::SettingsBlock target; // defaults everywhere
    target.Player[20] = 255;
    p.WriteToSettings(target);
    expectSameSettings(target, settings);
    EXPECT_EQ(target.Player[20], 255);
}

TEST(Preferences, ConfirmingTurnsFirstRunOffAndKeepsThePlayerColours) {
    Dialog d;
    cfg::SettingsBlock target;
    for (std::size_t slot = 0; slot < target.Player.size(); ++slot) {
        target.Player[slot] = static_cast<tk::Color>(slot * 1000 + 7);
    }
    const auto before = target.Player;
    ASSERT_TRUE(target.FirstRun);
    d.pref.FillFromSettings(target);
    d.pref.WriteToSettings(target);
    EXPECT_FALSE(target.FirstRun);
    EXPECT_EQ(target.Player, before);
}

TEST(Preferences, TextThatIsNoNumberStoresTheFallbackAndOtherNumbersAsTyped) {
    struct Case {
        tk::Edit app::TfrmPref::*edit;
        std::int32_t cfg::SettingsBlock::*setting;
        std::int32_t fallback;
    };
    using P = app::TfrmPref;
    using S = cfg::SettingsBlock;
    const Case cases[] = {
        {&P::pref_QueryTimeout, &S::QueryTimeout, 2000},
        {&P::pref_PingInterval, &S::PingInterval, 20},
        {&P::pref_AutoPingFavsInterval, &S::AutoInterval, 5},
        {&P::pref_StatsWidth, &S::StatsWidth, 400},
        {&P::pref_StatsHeight, &S::StatsHeight, 300},
        {&P::pref_IRCPort, &S::Port, 6667},
    };
    for (const Case& c : cases) {
        Dialog d;
        d.pref.FillFromSettings(unusualSettings());
        cfg::SettingsBlock target;
        for (const char* text : {"abc", "", "12x", "99999999999"}) {
            SCOPED_TRACE(text);
            (d.pref.*c.edit).setText(text);
            d.pref.WriteToSettings(target);
            EXPECT_EQ(target.*c.setting, c.fallback);
        }
        for (const std::int32_t typed : {0, -5, 7}) {
            (d.pref.*c.edit).setText(std::to_string(typed));
            d.pref.WriteToSettings(target);
            EXPECT_EQ(target.*c.setting, typed);
        }
    }

    Dialog d;
    d.pref.FillFromSettings(unusualSettings());
    d.pref.pref_QueryInterval.setText("x");
    d.pref.pref_SaveStatsInterval.setText("soon");
    cfg::SettingsBlock target;
    d.pref.WriteToSettings(target);
    EXPECT_EQ(target.QueryInterval, 2);
    EXPECT_EQ(target.SaveStatsInterval, 60);
}

TEST(Preferences, RetriesOutsideTheListShowNoItemAndStoreThree) {
    for (const std::int32_t stored : {7, 0, -1}) {
        SCOPED_TRACE(stored);
        Dialog d;
        cfg::SettingsBlock settings;
        settings.MaxTimeout = stored;
        d.pref.FillFromSettings(settings);
        EXPECT_EQ(d.pref.pref_MaxTimeout.itemIndex(), -1);
        EXPECT_EQ(d.pref.pref_MaxTimeout.text(), "");
        d.pref.WriteToSettings(settings);
        EXPECT_EQ(settings.MaxTimeout, 3);
    }
    Dialog d;
    cfg::SettingsBlock settings;
    settings.MaxTimeout = 5;
    d.pref.FillFromSettings(settings);
    EXPECT_EQ(d.pref.pref_MaxTimeout.text(), "5");
    d.pref.pref_MaxTimeout.setItemIndex(0);
    d.pref.WriteToSettings(settings);
    EXPECT_EQ(settings.MaxTimeout, 1);
}

TEST(Preferences, LeavingEitherBoxPutsAnUnusableQueryIntervalBackToTwo) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {{"0", "2"},     {"601", "2"}, {"abc", "2"}, {"", "2"},   {"-1", "2"},
                          {"600", "600"}, {"1", "1"},   {"45", "45"}, {" 7", " 7"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        for (tk::ComboBox app::TfrmPref::*left :
             {&app::TfrmPref::pref_QueryInterval, &app::TfrmPref::pref_MaxTimeout}) {
            Dialog d;
            d.pref.pref_QueryInterval.setText(c.typed);
            (d.pref.*left).exit();
            EXPECT_EQ(d.pref.pref_QueryInterval.text(), c.kept);
        }
    }
}

TEST(Preferences, TheLastLocalPortShowsThePortThatWillBeUsed) {
    struct Case {
        const char* typed;
        const char* last;
        std::int32_t stored;
    };
    const Case cases[] = {
        {"1000", "1002", 1000},    {"1", "3", 1},
        {"65533", "65535", 65533}, {"abc", "54323", 54321},
        {"", "54323", 54321},      {"0", "54323", 54321},
        {"-3", "54323", 54321},    {"65534", "54323", 54321},
        {"70000", "54323", 54321},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Dialog d;
        d.pref.pref_PortsBegin.setText(c.typed);
        EXPECT_EQ(d.pref.txtPortsEnd.text(), c.last);
        cfg::SettingsBlock target;
        d.pref.WriteToSettings(target);
        EXPECT_EQ(target.Ports, c.stored);
    }
}

TEST(Preferences, TheRadioGroupStoresTheServerListAction) {
    struct Case {
        int item;
        bool master, load;
    };
    const Case cases[] = {
        {0, true, false}, {1, false, true}, {2, false, false}, {-1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Dialog d;
        cfg::SettingsBlock target;
        target.qryMasterOnStartup = true;
        target.LoadListOnStartup = true;
        d.pref.FillFromSettings(target);
        EXPECT_EQ(d.pref.pref_qryMasterOnStartup.itemIndex(), 0); // master wins
        d.pref.pref_qryMasterOnStartup.setItemIndex(c.item);
        d.pref.WriteToSettings(target);
        EXPECT_EQ(target.qryMasterOnStartup, c.master);
        EXPECT_EQ(target.LoadListOnStartup, c.load);
    }
}

TEST(Preferences, TextBoxesTakeNoMoreThanTheirSettingKeeps) {
    struct Case {
        tk::Edit app::TfrmPref::*edit;
        const char* section;
        const char* key;
    };
    using P = app::TfrmPref;
    const Case cases[] = {
        {&P::pref_MasterserverURI, "Settings", "MasterserverURI"},
        {&P::pref_UTPath, "Settings", "UTDir"},
        {&P::pref_StatsSaveDir, "Web-Server", "SaveTo"},
        {&P::pref_IRCServer, "IRC", "server"},
        {&P::pref_IRCChannel, "IRC", "channel"},
        {&P::pref_IRCNick, "IRC", "nickname"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const cfg::SettingsField* field = cfg::findSettingsField(c.section, c.key);
        ASSERT_NE(field, nullptr);
        Dialog d;
        tk::Edit& edit = d.pref.*c.edit;
        EXPECT_EQ(edit.maxLength(), field->capacity);
        const std::string exact(field->capacity, 'a');
        edit.setText(exact + "bcd");
        EXPECT_EQ(edit.text(), exact);
        cfg::SettingsBlock target;
        d.pref.WriteToSettings(target);
        EXPECT_EQ(field->valueText(target), exact);
    }
    Dialog d;
    EXPECT_EQ(d.pref.pref_QueryInterval.maxLength(), 3u);
}

TEST(Preferences, ColourButtonsOpenOnTheLastChoiceAndCancelChangesNothing) {
    Dialog d;
    auto& p = d.pref;
    cfg::SettingsBlock settings = unusualSettings();
    p.FillFromSettings(settings);
    p.TabSheet6.show();
    EXPECT_EQ(p.gfx_background.brushColor(), 0x101010);
    EXPECT_EQ(p.gfx_line.penColor(), 0x202020);
    EXPECT_EQ(p.gfx_label1.fontColor(), 0x303030);
    EXPECT_EQ(p.gfx_label2.fontColor(), 0x303030);
    EXPECT_EQ(p.gfx_red.penColor(), 0x404040);
    EXPECT_EQ(p.gfx_blue.penColor(), 0x505050);

    struct Step {
        tk::Button app::TfrmPref::*button;
        std::optional<tk::Color> answer;
    };
    using P = app::TfrmPref;
    const Step steps[] = {
        {&P::cmd_colBackground, 0x0000AA}, {&P::cmd_colred, std::nullopt},
        {&P::cmd_colred, 0x0000BB},        {&P::cmd_colblue, 0x0000CC},
        {&P::cmd_colGrid, 0x0000DD},       {&P::cmd_colFont, 0x0000EE},
    };
    for (const Step& step : steps) {
        d.platform.colorAnswers.push_back(step.answer);
        (p.*step.button).click();
    }
    // Each opening starts on the colour last chosen, not on the member's.
    const std::vector<tk::Color> starts = {0, 0x0000AA, 0x0000AA, 0x0000BB, 0x0000CC, 0x0000DD};
    EXPECT_EQ(d.platform.colorDialogStarts, starts);
    EXPECT_EQ(p.gfx_background.brushColor(), 0x0000AA);
    EXPECT_EQ(p.gfx_red.penColor(), 0x0000BB);
    EXPECT_EQ(p.gfx_blue.penColor(), 0x0000CC);
    EXPECT_EQ(p.gfx_line.penColor(), 0x0000DD);
    EXPECT_EQ(p.gfx_label1.fontColor(), 0x0000EE);

    p.WriteToSettings(settings);
    EXPECT_EQ(settings.Background, 0x0000AA);
    EXPECT_EQ(settings.TeamA, 0x0000BB);
    EXPECT_EQ(settings.TeamB, 0x0000CC);
    EXPECT_EQ(settings.Grid, 0x0000DD);
    EXPECT_EQ(settings.Font, 0x0000EE);

    // A cancelled dialog leaves the colour where it was.
    d.platform.colorAnswers.push_back(std::nullopt);
    p.cmd_colGrid.click();
    EXPECT_EQ(p.Grid, 0x0000DD);
}

// The main window on the fake platform, its settings file in a fresh folder.
struct MainWindow {
    fake::TempFolder folder;
    fake::FakePlatform platform;
    std::unique_ptr<app::TQueryMain> main;

    app::TQueryMain& start() {
        main = std::make_unique<app::TQueryMain>(platform, folder.file("skarvell.ini").string());
        main->FormCreate();
        return *main;
    }
    [[nodiscard]] bool written() const {
        return std::filesystem::exists(folder.file("skarvell.ini"));
    }
    [[nodiscard]] std::string ini() const {
        return fake::readFile(folder.file("skarvell.ini").string());
    }
    // Answers the next showing of the dialog after changing its controls.
    void answer(tk::ModalResult result, std::function<void(app::TfrmPref&)> edit) {
        platform.modalAnswers.push_back(result);
        platform.onModal = [this, edit = std::move(edit)](tk::Form& form) {
            ASSERT_EQ(&form, &main->frmPref.form);
            edit(main->frmPref);
        };
    }
};

void editSome(app::TfrmPref& p) {
    p.pref_QueryInterval.setText("7");
    p.pref_PortsBegin.setText("41000");
    p.pref_PingInterval.setText("55");
    p.pref_MasterserverURI.setText("list.example.org:28901");
    p.pref_SaveStatsInterval.setText("240");
    p.pref_qryMasterOnStartup.setItemIndex(2);
    p.pref_bQrySpree.setChecked(true);
}

TEST(Preferences, DiscardingChangesNothingWritesNothingAndAppliesNothing) {
    MainWindow w;
    auto& m = w.start();
    const cfg::SettingsBlock before = m.settings;
    for (const auto result : {tk::ModalResult::Cancel, tk::ModalResult::None}) {
        w.answer(result, editSome);
        m.actPreferences.execute();
        expectSameSettings(m.settings, before);
        EXPECT_TRUE(m.settings.FirstRun);
        EXPECT_FALSE(w.written());
        EXPECT_EQ(m.watch.statusQuery.udpsock.localPort(), 54322);
        EXPECT_EQ(m.progtimer.max(), 2);
    }
    EXPECT_EQ(w.platform.modalForms, (std::vector<std::string>{"Preferences", "Preferences"}));
    EXPECT_TRUE(w.platform.messages.empty());

    // The next showing starts from the settings again, not from the edits.
    w.platform.onModal = [&m](tk::Form&) {
        EXPECT_EQ(m.frmPref.pref_QueryInterval.text(), "2");
        EXPECT_EQ(m.frmPref.pref_PortsBegin.text(), "54321");
        EXPECT_EQ(m.frmPref.pref_qryMasterOnStartup.itemIndex(), 2);
        EXPECT_FALSE(m.frmPref.pref_bQrySpree.checked());
    };
    m.actPreferences.execute();
}

TEST(Preferences, ConfirmingStoresWritesAndPutsEverySettingIntoEffect) {
    MainWindow w;
    auto& m = w.start();
    m.settings.Player[20] = 255;
    w.answer(tk::ModalResult::Ok, editSome);
    m.actPreferences.execute();

    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_FALSE(m.settings.FirstRun);
    EXPECT_EQ(m.settings.QueryInterval, 7);
    EXPECT_EQ(m.settings.Ports, 41000);
    EXPECT_TRUE(m.settings.Spree);
    EXPECT_EQ(m.settings.Player[20], 255);

    const std::string ini = w.ini();
    for (const char* line : {"FirstRun=0\r\n", "QueryInterval=7\r\n", "Ports=41000\r\n",
                             "MasterserverURI=list.example.org:28901\r\n", "Spree=1\r\n",
                             "SaveStatsInterval=240\r\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    }
    // In effect at once: sockets on the new ports, the progress of the query
    // interval, the master address, the ping and save intervals, the roster
    // with its spree column.
    EXPECT_EQ(m.favouriteServers.udpfavping.localPort(), 41000);
    EXPECT_EQ(m.watch.statusQuery.udpsock.localPort(), 41001);
    EXPECT_EQ(m.serverList.udpping.localPort(), 41002);
    EXPECT_EQ(m.progtimer.max(), 7);
    EXPECT_EQ(m.serverList.mastercon.host(), "list.example.org");
    EXPECT_EQ(m.serverList.mastercon.port(), 28901);
    EXPECT_EQ(m.serverList.pingtimer.interval(), 55);
    EXPECT_EQ(m.warRecorder.timerStatsSave.interval(), 240000);
    bool spreeColumn = false;
    for (int c = 0; c < m.Rooster.colCount(); ++c) {
        spreeColumn = spreeColumn || m.Rooster.cell(c, 0) == "Spree";
    }
    EXPECT_TRUE(spreeColumn);
}

TEST(Preferences, AFailedWriteIsReportedAndTheSettingsApplyAllTheSame) {
    MainWindow w;
    // A folder where the file should be: it can be neither read nor written.
    w.folder.addFolder("skarvell.ini");
    auto& m = w.start();
    w.answer(tk::ModalResult::Ok, editSome);
    m.actPreferences.execute();
    EXPECT_EQ(w.platform.messages, (std::vector<std::string>{"Error while reading INI-File!!!",
                                                             "Error while writing INI-File!!!"}));
    EXPECT_EQ(m.settings.QueryInterval, 7);
    EXPECT_EQ(m.watch.statusQuery.udpsock.localPort(), 41001);
    EXPECT_EQ(m.progtimer.max(), 7);
}

} // namespace
