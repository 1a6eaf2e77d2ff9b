#pragma once

#include "ServerOptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace utlab {

// Where a started server can be reached (always 127.0.0.1).
struct Endpoint {
    std::string name;
    std::uint16_t gamePort = 0;
    std::uint16_t queryPort = 0; // gamePort + 1
};

// Runs emulated servers on 127.0.0.1, all served by one background thread, so it can sit
// beside any event loop in the same process:
//
//     utlab::Lab lab({options1, options2});
//     lab.start();                       // binds every socket, throws on failure
//     auto port = lab.endpoints()[0].queryPort;
//     ...                                // the destructor stops the thread
class Lab {
public:
    // Throws ConfigError when an option is out of range (see completed()).
    explicit Lab(std::vector<ServerOptions> servers);
    ~Lab();
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;

    // Binds the game and query port of every server and starts serving. Throws
    // std::system_error when a port cannot be bound (nothing runs then) and std::logic_error
    // when already running. After stop() it may start again, on fresh ports where they were 0.
    void start();
    // Stops serving and joins the thread; datagrams still held back are dropped. Idempotent.
    void stop();

    // One entry per server in configuration order, with the ports in use; filled by start().
    [[nodiscard]] const std::vector<Endpoint>& endpoints() const;

private:
    class Loop;
    std::vector<ServerOptions> m_servers;
    std::vector<Endpoint> m_endpoints;
    std::unique_ptr<Loop> m_loop;
};

} // namespace utlab
