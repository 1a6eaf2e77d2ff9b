// utlab: emulated UT game servers and a master server on 127.0.0.1 for demos and tests. See
// `utlab --help`.
#include "Config.h"
#include "Lab.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <pthread.h>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int kExitBind = 1;
constexpr int kExitConfig = 2;

} // namespace

int main(int argc, char** argv) {
    utlab::LabConfig config;
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        utlab::CommandLine commandLine = utlab::parseCommandLine(arguments);
        if (commandLine.help) {
            std::cout << utlab::usageText();
            return 0;
        }
        if (commandLine.servers.empty() && commandLine.many.count == 0 && !commandLine.master) {
            throw utlab::ConfigError(
                "no servers configured (use --config, --server, --many or --master)");
        }
        config = std::move(commandLine);
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
        const std::size_t configured = config.servers.size();
        utlab::Lab lab(std::move(config));
        lab.start();
        for (std::size_t i = 0; i < configured; ++i) {
            const utlab::Endpoint& endpoint = lab.endpoints()[i];
            std::cout << "server " << endpoint.gamePort << ' ' << endpoint.queryPort << ' '
                      << endpoint.name << '\n';
        }
        if (const utlab::ManyReport& many = lab.manyReport(); many.requested > 0) {
            std::cout << "many " << many.started << ' ' << many.requested << '\n';
            if (!many.shortfall.empty()) {
                std::cerr << "utlab: started " << many.started << " of " << many.requested
                          << " generated servers: " << many.shortfall << std::endl;
            }
        }
        if (const auto port = lab.masterPort()) {
            std::cout << "master " << *port << '\n';
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
