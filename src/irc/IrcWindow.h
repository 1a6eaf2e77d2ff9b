#pragma once

#include "toolkit/Form.h"

namespace irc {

// The IRC window: the connection to the IRC server, its channels and the
// war reports posted there. It keeps its own copies of the settings it needs
// and of the war record.
class Tircform {
public:
    tk::Form form{"IRC War reporting", 540, 357};
};

} // namespace irc
