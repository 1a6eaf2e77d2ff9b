#include "serverlist/MasterClient.h"

#include "serverlist/MasterHandshake.h"
#include "toolkit/Number.h"

#include <utility>

namespace serverlist {

namespace {

constexpr int kStatusPanelBytes = 2;
constexpr std::string_view kListKey = "ip";

constexpr const char* kCannotConnect = "Fehler beim Verbinden mit Masterserver";
constexpr const char* kConnectionFailed = "Fehler beim Verbinden mit dem Master Server";
constexpr const char* kCannotSend = "Query konnte nicht an Master Server gesendet werden!";
constexpr const char* kNothingToSave =
    "There is no server list to save yet: query the master server or open a server list first.";
constexpr const char* kReceiving = "Servers: Receiving...";

} // namespace

MasterClient::MasterClient(tk::Platform& platform, tk::TcpClientSocket& mastercon,
                           query::ServerRecords& records, ServerListControls controls,
                           std::filesystem::path masterFile)
    : masterList(static_cast<std::size_t>(kMasterListSize)),
      greetingTimer(platform, kGreetingWaitMs), m_platform(platform), m_mastercon(mastercon),
      m_records(records), m_controls(controls), m_masterFile(std::move(masterFile)) {}

void MasterClient::wire() {
    m_mastercon.onConnect = [this] { masterconConnect(); };
    m_mastercon.onRead = [this](std::string_view chunk) { masterconRead(chunk); };
    m_mastercon.onError = [this](const std::string&) { masterconError(); };
    m_mastercon.onDisconnect = [this] { masterconDisconnect(); };
    greetingTimer.onTimer = [this] { greetingTimerTimer(); };
    m_controls.actQueryMaster.onExecute = [this] { actQueryMasterExecute(); };
    m_controls.actOpenServers.onExecute = [this] { actOpenServersExecute(); };
    m_controls.actSaveServers.onExecute = [this] { actSaveServersExecute(); };
}

void MasterClient::emptyList() {
    masterCount = 0;
    m_records.serverRows = 0;
    tk::StringGrid& table = m_controls.servertable;
    for (int row = table.fixedRows(); row < table.rowCount(); ++row) {
        table.clearRow(row);
    }
    masterReply.clear();
}

void MasterClient::actQueryMasterExecute() {
    emptyList();
    greetingTimer.setEnabled(false);
    m_phase = Phase::Idle;
    m_greeting.clear();
    if (m_mastercon.state() == tk::TcpClientSocket::State::Connected) {
        m_mastercon.close();
        return;
    }
    if (m_mastercon.host().empty() || m_mastercon.port() == 0) {
        m_platform.showMessage(kCannotConnect);
        return;
    }
    // A connection that fails while it is being started reports here, once.
    m_connecting = true;
    m_failedAtOnce = false;
    m_mastercon.open();
    m_connecting = false;
    if (m_failedAtOnce) {
        m_platform.showMessage(kCannotConnect);
    }
}

void MasterClient::masterconConnect() {
    // Today's masters greet first and refuse a request that does not answer
    // the greeting; older ones wait for the request.
    m_phase = Phase::AwaitingGreeting;
    m_greeting.clear();
    greetingTimer.setInterval(kGreetingWaitMs);
    greetingTimer.setEnabled(true);
}

void MasterClient::greetingTimerTimer() {
    greetingTimer.setEnabled(false);
    if (m_phase != Phase::AwaitingGreeting) {
        return;
    }
    m_phase = Phase::Receiving;
    sendRequest(kPlainListRequest);
}

bool MasterClient::sendRequest(std::string_view request) {
    if (m_mastercon.send(request)) {
        return true;
    }
    m_platform.showMessage(kCannotSend);
    return false;
}

void MasterClient::masterconRead(std::string_view chunk) {
    m_records.totalBytes += static_cast<std::int64_t>(chunk.size());
    if (m_controls.statusBar.panelCount() > kStatusPanelBytes) {
        m_controls.statusBar.setPanelText(kStatusPanelBytes, tk::intText(m_records.totalBytes));
    }
    if (m_phase != Phase::AwaitingGreeting) {
        collectReply(chunk);
        return;
    }

    greetingTimer.setEnabled(false);
    m_greeting += chunk;
    const Greeting greeting = readGreeting(m_greeting);
    if (greeting.kind == Greeting::Kind::Incomplete) {
        m_controls.lblNumServers.setCaption(kReceiving);
        return;
    }
    m_phase = Phase::Receiving;
    std::string rest = std::move(m_greeting);
    m_greeting.clear();
    if (greeting.kind == Greeting::Kind::Secure) {
        // The greeting is no part of the list.
        rest.erase(0, greeting.length);
        if (sendRequest(greetingAnswer(greeting.challenge))) {
            (void)sendRequest(kListRequest);
        }
    } else {
        // A master that speaks first without a greeting wants no answer.
        (void)sendRequest(kPlainListRequest);
    }
    if (rest.empty()) {
        m_controls.lblNumServers.setCaption(kReceiving);
    } else {
        collectReply(rest);
    }
}

void MasterClient::collectReply(std::string_view data) {
    // The end marker may be cut between two chunks.
    const bool complete = endMarkerArrived(masterReply, data);
    masterReply += data;
    if (complete) {
        lastMasterReply = masterReply;
        masterCount = ParseMasterReply(kListKey, masterReply);
        listComplete();
    } else {
        m_controls.lblNumServers.setCaption(kReceiving);
    }
}

void MasterClient::masterconError() {
    greetingTimer.setEnabled(false);
    m_phase = Phase::Idle;
    m_greeting.clear();
    if (m_connecting) {
        m_failedAtOnce = true;
        return;
    }
    m_platform.showMessage(kConnectionFailed);
}

void MasterClient::masterconDisconnect() {
    greetingTimer.setEnabled(false);
    m_phase = Phase::Idle;
    m_greeting.clear();
}

void MasterClient::actOpenServersExecute() {
    MasterFileText file = readMasterFile(m_masterFile);
    if (!file.text) {
        m_platform.showMessage(file.error);
        return;
    }
    emptyList();
    masterReply = *file.text;
    lastMasterReply = std::move(*file.text);
    masterCount = ParseMasterReply(kListKey, masterReply);
    listComplete();
}

void MasterClient::actSaveServersExecute() {
    if (!lastMasterReply) {
        m_platform.showMessage(kNothingToSave);
        return;
    }
    if (const auto error = writeMasterFile(m_masterFile, *lastMasterReply)) {
        m_platform.showMessage(*error);
    }
}

int MasterClient::ParseMasterReply(std::string_view key, std::string_view text) {
    return parseMasterReply(key, text, masterList, masterCount);
}

void MasterClient::listComplete() {
    m_controls.lblNumServers.setCaption("Servers: " + tk::intText(masterCount));
    if (onListComplete) {
        onListComplete();
    }
}

} // namespace serverlist
