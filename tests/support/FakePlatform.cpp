#include "support/FakePlatform.h"

#include "toolkit/Form.h"

#include <limits>

namespace fake {

void VirtualClock::arm(tk::Timer* timer, int intervalMs) {
    m_due[timer] = Due{m_now + static_cast<std::uint64_t>(intervalMs), intervalMs, m_order++};
    m_timers[timer] = timer;
}

void VirtualClock::disarm(tk::Timer* timer) {
    m_due.erase(timer);
    m_timers.erase(timer);
}

void VirtualClock::advance(std::uint64_t ms) {
    const std::uint64_t target = m_now + ms;
    for (;;) {
        const tk::Timer* next = nullptr;
        Due best{std::numeric_limits<std::uint64_t>::max(), 0, 0};
        for (const auto& [timer, due] : m_due) {
            if (due.at < best.at || (due.at == best.at && due.order < best.order)) {
                best = due;
                next = timer;
            }
        }
        if (next == nullptr || best.at > target) {
            break;
        }
        m_now = best.at;
        // Periodic: the next tick is one interval later, unless the handler
        // stops or re-arms the timer.
        m_due[next] =
            Due{best.at + static_cast<std::uint64_t>(best.interval), best.interval, m_order++};
        m_now = best.at + m_handlerDuration;
        m_timers[next]->fire();
        m_now = best.at;
    }
    m_now = target;
}

namespace {

class FakeTimerDriver : public tk::TimerDriver {
public:
    FakeTimerDriver(VirtualClock& clock, tk::Timer& timer) : m_clock(clock), m_timer(timer) {}
    ~FakeTimerDriver() override { m_clock.disarm(&m_timer); }
    void start(int intervalMs) override { m_clock.arm(&m_timer, intervalMs); }
    void stop() override { m_clock.disarm(&m_timer); }

private:
    VirtualClock& m_clock;
    tk::Timer& m_timer;
};

class FakeUdpDriverImpl : public tk::UdpDriver {
public:
    explicit FakeUdpDriverImpl(FakePlatform& p) : m_platform(p) {}
    [[nodiscard]] bool bind(std::uint16_t port) override {
        m_port = port;
        return m_platform.takenPorts.count(port) == 0;
    }
    [[nodiscard]] bool sendTo(const std::string& host, std::uint16_t port,
                              std::string_view bytes) override {
        if (m_platform.unreachableHosts.count(host) != 0) {
            return false;
        }
        m_platform.sent.push_back({m_port, host, port, std::string(bytes)});
        return true;
    }

private:
    FakePlatform& m_platform;
    std::uint16_t m_port = 0;
};

} // namespace

std::unique_ptr<tk::TimerDriver> FakePlatform::createTimerDriver(tk::Timer& t) {
    return std::make_unique<FakeTimerDriver>(clock, t);
}

std::unique_ptr<tk::UdpDriver> FakePlatform::createUdpDriver(tk::UdpSocket&) {
    return std::make_unique<FakeUdpDriverImpl>(*this);
}

std::unique_ptr<tk::TcpDriver> FakePlatform::createTcpDriver(tk::TcpClientSocket& s) {
    auto driver = std::make_unique<FakeTcpDriver>(*this, s);
    tcp[&s] = driver.get();
    return driver;
}

bool FakePlatform::confirm(std::string_view text) {
    confirmations.emplace_back(text);
    if (confirmAnswers.empty()) {
        return false;
    }
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

tk::ModalResult FakePlatform::showModal(tk::Form& form) {
    modalForms.push_back(form.caption());
    if (onModal) {
        onModal(form);
    }
    if (modalAnswers.empty()) {
        return tk::ModalResult::Cancel;
    }
    const auto answer = modalAnswers.front();
    modalAnswers.pop_front();
    return answer;
}

std::optional<tk::Color> FakePlatform::chooseColor(tk::Color initial) {
    colorDialogStarts.push_back(initial);
    if (colorAnswers.empty()) {
        return std::nullopt;
    }
    const auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakePlatform::readRegistryString(const std::string& key,
                                                            const std::string& name) {
    if (registryKeys.count(key) == 0) {
        return std::nullopt;
    }
    auto it = registry.find(key + "|" + name);
    return it == registry.end() ? std::string() : it->second;
}

tk::Color FakePlatform::systemColor(tk::SystemColor which) {
    switch (which) {
    case tk::SystemColor::Highlight:
        return 0x6A2400; // a dark blue
    case tk::SystemColor::HighlightText:
        return 0xFFFFFF;
    case tk::SystemColor::InfoBackground:
        return 0xE1FFFF;
    case tk::SystemColor::Window:
        return 0xFFFFFF;
    case tk::SystemColor::WindowText:
        return 0x000000;
    }
    return 0;
}

std::vector<SentDatagram> FakePlatform::sentFrom(std::uint16_t localPort) const {
    std::vector<SentDatagram> out;
    for (const auto& d : sent) {
        if (d.localPort == localPort) {
            out.push_back(d);
        }
    }
    return out;
}

} // namespace fake
