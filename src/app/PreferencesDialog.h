#pragma once

#include "settings/SettingsBlock.h"
#include "toolkit/ColorDialog.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Platform.h"

#include <vector>

namespace app {

// The preferences dialog, the one editor of the settings block. It is filled
// from a copy of the block, and only WriteToSettings hands the edited values
// back. The dialog is kept for the program's whole run, so it shows the page
// last looked at.
class TfrmPref {
public:
    explicit TfrmPref(tk::Platform& platform);
    TfrmPref(const TfrmPref&) = delete;
    TfrmPref& operator=(const TfrmPref&) = delete;

    // Shows a copy of the settings in the controls and the colour members.
    void FillFromSettings(cfg::SettingsBlock settings);
    // Builds a settings block from the controls and replaces target with it
    // in one step; the player colours stay those of target.
    void WriteToSettings(cfg::SettingsBlock& target) const;

    // Handlers.
    void pref_QueryIntervalExit();
    void pref_PortsBeginChange();
    void cmd_colBackgroundClick();
    void cmd_colredClick();
    void cmd_colblueClick();
    void cmd_colGridClick();
    void cmd_colFontClick();
    void TabSheet6Show();

    tk::Form form{"Preferences", 520, 420};

    // --- Pages, in their order ------------------------------------------
    tk::TabSheet tabQuerying{"Querying"};
    tk::TabSheet tabMasterserver{"Masterserver"};
    tk::TabSheet tabUnreal{"Unreal Tournament"};
    tk::TabSheet TabSheet6{"Statistics"};
    tk::TabSheet tabMiscellaneous{"Miscellaneous"};
    tk::TabSheet tabWebServer{"Web-Server"};
    tk::TabSheet tabIrc{"IRC Reporting"};
    [[nodiscard]] std::vector<tk::TabSheet*> pages();

    tk::Button cmd_PrefClose{"Save settings", tk::ModalResult::Ok};
    tk::Button cmd_PrefCancel{"Discard changes", tk::ModalResult::Cancel};

    // --- Querying -------------------------------------------------------
    tk::Label lblQuerying{
        "Define the behaviour of Skarvell for querying the unreal masterserver or "
        "any UT-Server in your list. Choose your values carefully to ensure "
        "Skarvell will work properly."};
    tk::Label lblQueryInterval{"Time between queries"};
    tk::ComboBox pref_QueryInterval{tk::ComboBox::Style::DropDown,
                                    {"1", "2", "5", "10", "15", "20", "30", "45", "60", "120"},
                                    "Value between 1 and 600 (in seconds)"};
    tk::Label lblQueryIntervalUnit{"sec"};
    tk::Label lblQueryTimeout{"Timeout after"};
    tk::Edit pref_QueryTimeout;
    tk::Label lblQueryTimeoutUnit{"ms"};
    tk::Label lblMaxTimeout{"Retries before unreachable"};
    tk::ComboBox pref_MaxTimeout{
        tk::ComboBox::Style::DropDownList,
        {"1", "2", "3", "4", "5"},
        "How often shall Skarvell try to connect a server before marking it as being offline?"};
    tk::Label lblMaxTimeoutUnit{"times"};
    tk::Label grpExtraInfo{"Extra information"};
    tk::CheckBox pref_bQryHealth{"Health"};
    tk::CheckBox pref_bQryWeapon{"Weapon"};
    tk::CheckBox pref_bQrySpree{"Sprees"};
    tk::CheckBox pref_bQryInventory{"Specials"};
    tk::Label lblPorts{"Local ports"};
    tk::Edit pref_PortsBegin;
    tk::Label lblPortsDash{"-"};
    tk::Edit txtPortsEnd;
    tk::CheckBox pref_qryFavsOnStartup{
        "Query all favorite servers on program start automatically?",
        "Check this if you want Skarvell to check all your favourite servers directly after "
        "starting it."};
    tk::CheckBox pref_AutoPingFavs{"Query favorites every"};
    tk::Edit pref_AutoPingFavsInterval;
    tk::Label lblAutoPingFavsUnit{"seconds"};
    tk::CheckBox pref_AutoUpdateHost{"Automatically update host name in favorites table"};

    // --- Masterserver ---------------------------------------------------
    tk::RadioGroup pref_qryMasterOnStartup{
        "Get server list on start",
        {"Get list from masterserver", "Load saved list from disk", "Perform no action"},
        2};
    tk::Label lblPingInterval{"Ping intervall"};
    tk::Edit pref_PingInterval;
    tk::Label lblPingIntervalUnit{"ms"};
    tk::Label lblMasterserverURI{"Address of masterserver"};
    tk::Edit pref_MasterserverURI;

    // --- Unreal Tournament ----------------------------------------------
    tk::Label lblUTPath{"Your Unreal Tournament directory:"};
    tk::Edit pref_UTPath;
    tk::Label lblUTINIBackup{"Favorites export and import options"};
    tk::CheckBox pref_UTINIBackup{"Make backup of unrealtournament.ini"};

    // --- Statistics: the colours and their preview ----------------------
    tk::Label lblColours{"Statistics color setup:"};
    tk::Button cmd_colBackground{"Background"};
    tk::Button cmd_colred{"Red graph"};
    tk::Button cmd_colblue{"Blue graph"};
    tk::Button cmd_colGrid{"Grid"};
    tk::Button cmd_colFont{"Font"};
    tk::ColorDialog colorpicker;
    tk::Shape gfx_background; // the graph area: its fill
    tk::Shape gfx_line;       // a grid line
    tk::Shape gfx_red;        // the red team's graph
    tk::Shape gfx_blue;       // the blue team's graph
    tk::Label gfx_label1{"20"};
    tk::Label gfx_label2{"10"};
    // The edited colours.
    tk::Color Background = 0;
    tk::Color Grid = 0;
    tk::Color Font = 0;
    tk::Color TeamA = 0;
    tk::Color TeamB = 0;

    // --- Miscellaneous --------------------------------------------------
    tk::CheckBox pref_DoHTTP{"Display Skarvell website in browser"};
    tk::CheckBox pref_usePlayerColor{"Display player list using the team colors"};

    // --- Web-Server -----------------------------------------------------
    tk::Label grpAutoSave{"Statistic auto saving"};
    tk::CheckBox pref_AutoSaveStats{"Save graphs automtically every"};
    tk::ComboBox pref_SaveStatsInterval{tk::ComboBox::Style::DropDown,
                                        {"5", "10", "15", "20", "25", "30", "35", "40", "45", "50",
                                         "55", "60", "90", "120", "240", "300"}};
    tk::Label lblSaveStatsIntervalUnit{"seconds"};
    tk::Label lblStatsSaveDir{"into this dir"};
    tk::Edit pref_StatsSaveDir;
    tk::Label lblStatsWidth{"Image width"};
    tk::Edit pref_StatsWidth;
    tk::Label lblStatsHeight{"height"};
    tk::Edit pref_StatsHeight;

    // --- IRC Reporting --------------------------------------------------
    tk::Label lblIRCServer{"IRC Server"};
    tk::Edit pref_IRCServer;
    tk::Label lblIRCServerExample{"for example: irc.quakenet.org"};
    tk::Label lblIRCPort{"IRC Port"};
    tk::Edit pref_IRCPort;
    tk::Label lblIRCPortNote{"normally 6667 - 6670"};
    tk::Label lblIRCChannel{"Channel"};
    tk::Edit pref_IRCChannel;
    tk::Label lblIRCNick{"Nick"};
    tk::Edit pref_IRCNick;
    tk::Label lblIRCNickNote{"an unique nickname for the reporter"};
    tk::CheckBox pref_IRCQuery{"ignore queries"}; // never enabled, neither stored nor read

private:
    void wire();
    // Opens the colour dialog for one colour member; on OK the member takes
    // the chosen colour and the preview shows it.
    void pickColour(tk::Color& member);

    tk::Platform& m_platform;
};

} // namespace app
