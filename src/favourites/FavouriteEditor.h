#pragma once

#include "toolkit/Form.h"

namespace favourites {

// The editor of one favourite: its name, address and game port.
class TfrmFavourite {
public:
    tk::Form form{"Favourite Editor", 388, 216};
};

} // namespace favourites
