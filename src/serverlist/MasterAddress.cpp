#include "serverlist/MasterAddress.h"

#include "toolkit/Number.h"

namespace serverlist {

MasterAddress splitMasterserverURI(std::string_view uri) {
    MasterAddress out;
    const auto colon = uri.find(':');
    std::string_view portText;
    if (colon == std::string_view::npos) {
        portText = uri.substr(0, 5);
    } else {
        out.host = std::string(uri.substr(0, colon));
        portText = uri.substr(colon + 1, 5);
    }
    const auto port = tk::parseInt(portText);
    if (port && *port > 0 && *port <= 65535) {
        out.port = static_cast<std::uint16_t>(*port);
    }
    return out;
}

} // namespace serverlist
