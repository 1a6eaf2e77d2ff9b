#pragma once

#include "toolkit/Form.h"

#include <string>

namespace app {

// The about box: the product, its version, a contact and the credits.
class TAboutBox {
public:
    tk::Form form{"Info", 305, 199};
    std::string product = "Skarvell";
    std::string version = "4th beta Version (minor update 1)";
    std::string contact; // a web address; empty for none
    std::string credits =
        "Thanks to the UT99 community and to 333networks for the master server.";
};

} // namespace app
