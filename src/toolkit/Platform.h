#pragma once

#include "toolkit/Color.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class Timer;
class TimerDriver;
class UdpSocket;
class UdpDriver;
class TcpClientSocket;
class TcpDriver;
class Form;

enum class ModalResult { None, Ok, Cancel, Yes, No };

// What the core needs of the machine it runs on. The Qt backend implements it
// for the real program, the fake backend of the tests with a virtual clock.
// Everything is called on the one user-interface thread.
class Platform {
public:
    virtual ~Platform() = default;

    // The 32-bit millisecond tick count: monotonic, wrapping at 2^32.
    [[nodiscard]] virtual std::uint32_t tickCount() = 0;

    // Drivers behind the components. Each component owns its driver.
    [[nodiscard]] virtual std::unique_ptr<TimerDriver> createTimerDriver(Timer& timer) = 0;
    [[nodiscard]] virtual std::unique_ptr<UdpDriver> createUdpDriver(UdpSocket& socket) = 0;
    [[nodiscard]] virtual std::unique_ptr<TcpDriver> createTcpDriver(TcpClientSocket& socket) = 0;

    // Dialogs. They run a nested message loop: timers and sockets go on.
    virtual void showMessage(std::string_view text) = 0;
    // A Yes/No confirmation; true for Yes.
    [[nodiscard]] virtual bool confirm(std::string_view text) = 0;
    // Shows a form modally and returns how it was closed.
    virtual ModalResult showModal(Form& form) = 0;
    // The colour dialog, opened on `initial`: the chosen colour, or nullopt
    // when it is cancelled.
    [[nodiscard]] virtual std::optional<Color> chooseColor(Color initial) = 0;

    // Files and the system.
    [[nodiscard]] virtual bool fileExists(const std::string& path) = 0;
    // A string value under HKEY_LOCAL_MACHINE; nullopt when the key does not
    // open (always, off Windows). An empty optional value gives "".
    [[nodiscard]] virtual std::optional<std::string>
    readRegistryString(const std::string& key, const std::string& name) = 0;
    [[nodiscard]] virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // Starts a program as a process of its own, its arguments handed over as
    // they are (no shell), and does not wait for it. False when it could not
    // be started.
    [[nodiscard]] virtual bool startProcess(const std::string& program,
                                            const std::vector<std::string>& arguments) = 0;

    [[nodiscard]] virtual Color systemColor(SystemColor which) = 0;
};

} // namespace tk
