#pragma once

#include "toolkit/Form.h"

namespace app {

// The preferences dialog. It works on a copy of the settings block and
// hands it back when confirmed.
class TfrmPref {
public:
    tk::Form form{"Preferences", 520, 420};
};

} // namespace app
