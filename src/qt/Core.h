#pragma once

// The core's headers, for the Qt side. Qt defines `emit` as an empty macro,
// and the core's tk::Signal has a member function of that name: every file
// here includes the core through this header, which hides the macro while
// the core's declarations are read.

#pragma push_macro("emit")
#undef emit

#include "app/QueryMain.h"
#include "toolkit/Action.h"
#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/Menu.h"
#include "toolkit/Platform.h"
#include "toolkit/Signal.h"
#include "toolkit/StringGrid.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#pragma pop_macro("emit")
