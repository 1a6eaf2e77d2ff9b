#include "serverlist/ServerList.h"

#include "serverlist/MasterAddress.h"
#include "settings/SettingsBlock.h"

#include <utility>

namespace serverlist {

ServerList::ServerList(tk::Platform& platform, std::filesystem::path masterFile)
    : pingtimer(platform, 30), udpping(platform), mastercon(platform), m_platform(platform),
      m_masterFile(std::move(masterFile)) {}

void ServerList::wire(query::ServerRecords& records, ServerListControls controls,
                      SweepControls sweepControls) {
    master.emplace(m_platform, mastercon, records, controls, m_masterFile);
    master->wire();
    sweep.emplace(m_platform, pingtimer, udpping, *master, records, controls, sweepControls);
    sweep->wire();
    master->onListComplete = [this] { sweep->start(); };
}

void ServerList::applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort) {
    const MasterAddress address = splitMasterserverURI(settings.MasterserverURI.view());
    mastercon.setHost(address.host);
    mastercon.setPort(address.port);
    pingtimer.setInterval(settings.PingInterval);
    (void)udpping.setLocalPort(localPort);
}

} // namespace serverlist
