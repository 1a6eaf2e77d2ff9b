#pragma once

// The core's headers that the Qt side binds to.

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
