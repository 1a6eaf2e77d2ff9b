#pragma once

#include "query/Records.h"
#include "serverlist/MasterFile.h"
#include "serverlist/MasterReply.h"
#include "serverlist/ServerListControls.h"
#include "toolkit/Platform.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace serverlist {

// The master server client: asks the master for its list over TCP, collects
// the reply into the master list, and keeps a reply in the list file.
class MasterClient {
public:
    // How long a connected master may stay silent before the request goes
    // out without a greeting to answer.
    static constexpr int kGreetingWaitMs = 1000;

    MasterClient(tk::Platform& platform, tk::TcpClientSocket& mastercon,
                 query::ServerRecords& records, ServerListControls controls,
                 std::filesystem::path masterFile = kMasterFile);
    MasterClient(const MasterClient&) = delete;
    MasterClient& operator=(const MasterClient&) = delete;

    // Installs the handlers of the connection, the timer and the actions.
    void wire();

    // "Query masterserver": empties the list and connects, or closes an open
    // connection.
    void actQueryMasterExecute();
    // The connection is made: waits for the master's greeting.
    void masterconConnect();
    void masterconRead(std::string_view chunk);
    void masterconError();
    void masterconDisconnect();
    // The master said nothing since the connection was made.
    void greetingTimerTimer();
    // "Open serverlist" and "Save serverlist": the list file.
    void actOpenServersExecute();
    void actSaveServersExecute();
    // Appends the entries of text to masterList from masterCount on and
    // returns the new count.
    [[nodiscard]] int ParseMasterReply(std::string_view key, std::string_view text);

    [[nodiscard]] const std::filesystem::path& masterFile() const { return m_masterFile; }

    std::vector<MasterEntry> masterList;
    int masterCount = 0;
    // What the master sent since the request, greeting left out.
    std::string masterReply;
    // The last complete reply or opened file: what "Save serverlist" writes.
    std::optional<std::string> lastMasterReply;
    tk::Timer greetingTimer;
    // A list is complete (a reply or an opened file): the sweep starts.
    std::function<void()> onListComplete;

private:
    enum class Phase { Idle, AwaitingGreeting, Receiving };

    void emptyList();
    bool sendRequest(std::string_view request);
    void collectReply(std::string_view data);
    void listComplete();

    tk::Platform& m_platform;
    tk::TcpClientSocket& m_mastercon;
    query::ServerRecords& m_records;
    ServerListControls m_controls;
    std::filesystem::path m_masterFile;
    Phase m_phase = Phase::Idle;
    std::string m_greeting; // the first bytes, until they are known
    bool m_connecting = false;
    bool m_failedAtOnce = false;
};

} // namespace serverlist
