#pragma once

#include "Config.h"
#include "ServerOptions.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace utlab {

// Where a started server can be reached (always 127.0.0.1).
struct Endpoint {
    std::string name;
    std::uint16_t gamePort = 0;
    std::uint16_t queryPort = 0; // gamePort + 1
};

// How many servers of the crowd started, and why not all when they did not.
struct ManyReport {
    int requested = 0;
    int started = 0;
    std::string shortfall; // empty when all started
};

// Runs emulated servers and a master server on 127.0.0.1, all served by one background thread,
// so it can sit beside any event loop in the same process:
//
//     utlab::Lab lab({options1, options2});
//     lab.start();                       // binds every socket, throws on failure
//     auto port = lab.endpoints()[0].queryPort;
//     ...                                // the destructor stops the thread
class Lab {
public:
    // Throws ConfigError when an option is out of range (see completed()).
    explicit Lab(std::vector<ServerOptions> servers);
    // The configured servers, the crowd of generated ones and, when set, the master server
    // listing them all.
    explicit Lab(LabConfig config);
    ~Lab();
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;

    // Binds the game and query port of every server and the master's port and starts serving.
    // Throws std::system_error when a port cannot be bound (nothing runs then) and
    // std::logic_error when already running. After stop() it may start again, on fresh ports
    // where they were 0. The crowd starts as far as it can: see manyReport(). With a crowd the
    // limit of open files is raised as far as allowed.
    void start();
    // Stops serving and joins the thread; datagrams still held back are dropped. Idempotent.
    void stop();

    // One entry per server in configuration order, then the crowd's, with the ports in use;
    // filled by start().
    [[nodiscard]] const std::vector<Endpoint>& endpoints() const;
    // The master server's TCP port once started; nullopt without a master server.
    [[nodiscard]] std::optional<std::uint16_t> masterPort() const { return m_masterPort; }
    [[nodiscard]] const ManyReport& manyReport() const { return m_manyReport; }

private:
    class Loop;
    std::vector<ServerOptions> m_servers;
    std::optional<MasterOptions> m_master;
    ManyOptions m_many;
    std::vector<Endpoint> m_endpoints;
    std::optional<std::uint16_t> m_masterPort;
    ManyReport m_manyReport;
    std::unique_ptr<Loop> m_loop;
};

} // namespace utlab
