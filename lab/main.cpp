// utlab: emulated UT game servers on 127.0.0.1 for demos and tests. See `utlab --help`.
#include "Config.h"
#include "Lab.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <pthread.h>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitBind = 1;
constexpr int kExitConfig = 2;

} // namespace

int main(int argc, char** argv) {
    std::vector<utlab::ServerOptions> servers;
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        utlab::CommandLine commandLine = utlab::parseCommandLine(arguments);
        if (commandLine.help) {
            std::cout << utlab::usageText();
            return 0;
        }
        if (commandLine.servers.empty()) {
            throw utlab::ConfigError("no servers configured (use --config or --server)");
        }
        servers = std::move(commandLine.servers);
    } catch (const utlab::ConfigError& error) {
        std::cerr << "utlab: " << error.what() << "\nTry 'utlab --help'.\n";
        return kExitConfig;
    }

    // Block the stop signals before the serving thread exists, so only sigwait() sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a reader that went away must not kill the servers

    try {
        utlab::Lab lab(std::move(servers));
        lab.start();
        for (const utlab::Endpoint& endpoint : lab.endpoints()) {
            std::cout << "server " << endpoint.gamePort << ' ' << endpoint.queryPort << ' '
                      << endpoint.name << '\n';
        }
        std::cout << "ready" << std::endl;
        int signal = 0;
        sigwait(&stopSignals, &signal);
    } catch (const utlab::ConfigError& error) {
        std::cerr << "utlab: " << error.what() << '\n';
        return kExitConfig;
    } catch (const std::exception& error) {
        std::cerr << "utlab: " << error.what() << '\n';
        return kExitBind;
    }
    return 0;
}
