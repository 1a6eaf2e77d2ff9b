#include "serverlist/ServerList.h"

#include "serverlist/MasterAddress.h"
#include "settings/SettingsBlock.h"

namespace serverlist {

ServerList::ServerList(tk::Platform& platform)
    : pingtimer(platform, 30), udpping(platform), mastercon(platform) {}

void ServerList::applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort) {
    const MasterAddress master = splitMasterserverURI(settings.MasterserverURI.view());
    mastercon.setHost(master.host);
    mastercon.setPort(master.port);
    pingtimer.setInterval(settings.PingInterval);
    (void)udpping.setLocalPort(localPort);
}

} // namespace serverlist
