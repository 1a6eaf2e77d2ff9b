#include "app/PreferencesDialog.h"

#include "app/PreferenceValues.h"
#include "settings/SettingsFields.h"
#include "toolkit/Number.h"

#include <string>

namespace app {

namespace {

// The most characters the settings file keeps for a text setting: its box
// takes no more.
std::size_t capacityOf(std::string_view section, std::string_view key) {
    const cfg::SettingsField* field = cfg::findSettingsField(section, key);
    return field ? field->capacity : 0;
}

std::string numberText(std::int32_t value) {
    return std::to_string(value);
}

} // namespace

TfrmPref::TfrmPref(tk::Platform& platform) : m_platform(platform) {
    pref_QueryInterval.setMaxLength(3);
    pref_QueryTimeout.setHint("Specifies the time Skarvell waits for an answer from a server "
                              "(recommended 2000 and higher for bad connections)");
    pref_PingInterval.setHint("Specifies the time Skarvell waits between two pings while "
                              "querying the servers retrieved from the master server");
    txtPortsEnd.setReadOnly(true);
    pref_IRCQuery.setEnabled(false);

    pref_MasterserverURI.setMaxLength(capacityOf("Settings", "MasterserverURI"));
    pref_UTPath.setMaxLength(capacityOf("Settings", "UTDir"));
    pref_StatsSaveDir.setMaxLength(capacityOf("Web-Server", "SaveTo"));
    pref_IRCServer.setMaxLength(capacityOf("IRC", "server"));
    pref_IRCChannel.setMaxLength(capacityOf("IRC", "channel"));
    pref_IRCNick.setMaxLength(capacityOf("IRC", "nickname"));
    wire();
    FillFromSettings(cfg::SettingsBlock{});
}

void TfrmPref::wire() {
    pref_QueryInterval.onExit = [this] { pref_QueryIntervalExit(); };
    pref_MaxTimeout.onExit = [this] { pref_QueryIntervalExit(); };
    pref_PortsBegin.changed.connect([this] { pref_PortsBeginChange(); });
    cmd_colBackground.onClick = [this] { cmd_colBackgroundClick(); };
    cmd_colred.onClick = [this] { cmd_colredClick(); };
    cmd_colblue.onClick = [this] { cmd_colblueClick(); };
    cmd_colGrid.onClick = [this] { cmd_colGridClick(); };
    cmd_colFont.onClick = [this] { cmd_colFontClick(); };
    TabSheet6.onShow = [this] { TabSheet6Show(); };
}

std::vector<tk::TabSheet*> TfrmPref::pages() {
    return {&tabQuerying,      &tabMasterserver, &tabUnreal, &TabSheet6,
            &tabMiscellaneous, &tabWebServer,    &tabIrc};
}

void TfrmPref::FillFromSettings(cfg::SettingsBlock settings) {
    pref_QueryInterval.setText(numberText(settings.QueryInterval));
    pref_PortsBegin.setText(numberText(settings.Ports));
    // The box of the last port follows through pref_PortsBeginChange.
    pref_QueryTimeout.setText(numberText(settings.QueryTimeout));
    // Items 1 to 5; any other value selects none.
    pref_MaxTimeout.setItemIndex(settings.MaxTimeout - 1);
    pref_qryFavsOnStartup.setChecked(settings.qryFavsOnStartup);
    pref_qryMasterOnStartup.setItemIndex(settings.qryMasterOnStartup  ? 0
                                         : settings.LoadListOnStartup ? 1
                                                                      : 2);
    pref_PingInterval.setText(numberText(settings.PingInterval));
    pref_MasterserverURI.setText(settings.MasterserverURI.str());
    pref_UTPath.setText(settings.UTDir.str());

    pref_usePlayerColor.setChecked(settings.usePlayerColor);
    pref_DoHTTP.setChecked(settings.DoHTTP);
    pref_UTINIBackup.setChecked(settings.UTINIBackup);
    pref_AutoPingFavs.setChecked(settings.AutoPingFavs);
    pref_AutoSaveStats.setChecked(settings.AutoSaveStats);
    pref_bQryHealth.setChecked(settings.Health);
    pref_bQryWeapon.setChecked(settings.Weapon);
    pref_bQrySpree.setChecked(settings.Spree);
    pref_bQryInventory.setChecked(settings.Inventory);
    pref_AutoUpdateHost.setChecked(settings.HostAutoUpdate);

    pref_AutoPingFavsInterval.setText(numberText(settings.AutoInterval));
    pref_StatsWidth.setText(numberText(settings.StatsWidth));
    pref_StatsHeight.setText(numberText(settings.StatsHeight));
    pref_SaveStatsInterval.setText(numberText(settings.SaveStatsInterval));
    pref_StatsSaveDir.setText(settings.SaveTo.str());
    pref_IRCServer.setText(settings.server.str());
    pref_IRCChannel.setText(settings.channel.str());
    pref_IRCNick.setText(settings.nickname.str());
    pref_IRCPort.setText(numberText(settings.Port));

    Background = settings.Background;
    Grid = settings.Grid;
    Font = settings.Font;
    TeamA = settings.TeamA;
    TeamB = settings.TeamB;
}

void TfrmPref::WriteToSettings(cfg::SettingsBlock& target) const {
    using tk::toIntDef;
    cfg::SettingsBlock s;
    s.FirstRun = false;
    s.QueryInterval = toIntDef(pref_QueryInterval.text(), 2);
    s.QueryTimeout = toIntDef(pref_QueryTimeout.text(), 2000);
    // No item selected has no text, which gives 3.
    s.MaxTimeout = toIntDef(pref_MaxTimeout.text(), 3);
    s.qryFavsOnStartup = pref_qryFavsOnStartup.checked();
    s.qryMasterOnStartup = pref_qryMasterOnStartup.itemIndex() == 0;
    s.LoadListOnStartup = pref_qryMasterOnStartup.itemIndex() == 1;
    s.PingInterval = toIntDef(pref_PingInterval.text(), 20);
    s.MasterserverURI = pref_MasterserverURI.text();
    s.UTDir = pref_UTPath.text();
    s.SaveTo = pref_StatsSaveDir.text();
    s.server = pref_IRCServer.text();
    s.channel = pref_IRCChannel.text();
    s.nickname = pref_IRCNick.text();
    s.usePlayerColor = pref_usePlayerColor.checked();
    s.DoHTTP = pref_DoHTTP.checked();
    s.UTINIBackup = pref_UTINIBackup.checked();
    s.AutoPingFavs = pref_AutoPingFavs.checked();
    s.AutoSaveStats = pref_AutoSaveStats.checked();
    s.Health = pref_bQryHealth.checked();
    s.Weapon = pref_bQryWeapon.checked();
    s.Spree = pref_bQrySpree.checked();
    s.Inventory = pref_bQryInventory.checked();
    s.HostAutoUpdate = pref_AutoUpdateHost.checked();
    s.AutoInterval = toIntDef(pref_AutoPingFavsInterval.text(), 5);
    s.SaveStatsInterval = toIntDef(pref_SaveStatsInterval.text(), 60);
    s.StatsWidth = toIntDef(pref_StatsWidth.text(), 400);
    s.StatsHeight = toIntDef(pref_StatsHeight.text(), 300);
    s.Port = toIntDef(pref_IRCPort.text(), 6667);
    s.Ports = firstLocalPort(pref_PortsBegin.text());
    s.Background = Background;
    s.Grid = Grid;
    s.Font = Font;
    s.TeamA = TeamA;
    s.TeamB = TeamB;
    s.Player = target.Player;
    target = s;
}

void TfrmPref::pref_QueryIntervalExit() {
    pref_QueryInterval.setText(checkedQueryInterval(pref_QueryInterval.text()));
}

void TfrmPref::pref_PortsBeginChange() {
    txtPortsEnd.setText(lastLocalPortText(pref_PortsBegin.text()));
}

void TfrmPref::pickColour(tk::Color& member) {
    if (!colorpicker.execute(m_platform)) {
        return;
    }
    member = colorpicker.color();
    TabSheet6Show();
}

void TfrmPref::cmd_colBackgroundClick() {
    pickColour(Background);
}

void TfrmPref::cmd_colredClick() {
    pickColour(TeamA);
}

void TfrmPref::cmd_colblueClick() {
    pickColour(TeamB);
}

void TfrmPref::cmd_colGridClick() {
    pickColour(Grid);
}

void TfrmPref::cmd_colFontClick() {
    pickColour(Font);
}

void TfrmPref::TabSheet6Show() {
    gfx_background.setBrushColor(Background);
    gfx_background.setPenColor(Background); // no outline
    gfx_line.setPenColor(Grid);
    gfx_red.setPenColor(TeamA);
    gfx_blue.setPenColor(TeamB);
    gfx_label1.setFontColor(Font);
    gfx_label2.setFontColor(Font);
}

} // namespace app
