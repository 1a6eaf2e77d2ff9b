#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Platform.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fake {

// Virtual time. advance() fires the timers that fall due, in time order, like
// the message loop would; a timer re-armed or stopped by a handler is honoured.
class VirtualClock {
public:
    [[nodiscard]] std::uint64_t now() const { return m_now; }
    // The platform's 32-bit tick count; starts at an arbitrary non-zero value.
    [[nodiscard]] std::uint32_t tickCount() const {
        return static_cast<std::uint32_t>(m_tickBase + m_now);
    }
    void setTickBase(std::uint64_t base) { m_tickBase = base; }
    // Virtual time a timer's handler takes (0 unless set): the tick count it
    // reads and the timers it starts count from this much after its tick, as
    // on a real machine, where a handler runs a moment after its tick.
    void setHandlerDuration(std::uint64_t ms) { m_handlerDuration = ms; }

    void advance(std::uint64_t ms);

    void arm(tk::Timer* timer, int intervalMs);
    void disarm(tk::Timer* timer);
    [[nodiscard]] bool armed(const tk::Timer* timer) const { return m_due.count(timer) != 0; }

private:
    struct Due {
        std::uint64_t at;
        int interval;
        std::uint64_t order;
    };
    std::uint64_t m_now = 0;
    std::uint64_t m_tickBase = 100000;
    std::uint64_t m_handlerDuration = 0;
    std::uint64_t m_order = 0;
    std::map<const tk::Timer*, Due> m_due;
    std::map<const tk::Timer*, tk::Timer*> m_timers;
};

struct SentDatagram {
    std::uint16_t localPort;
    std::string host;
    std::uint16_t port;
    std::string bytes;
};

// A canvas that records what is drawn, for the drawing handlers' tests.
class RecordingCanvas : public tk::Canvas {
public:
    struct Text {
        int x, y;
        std::string text;
        tk::Color color;
        int sizePt = 0; // the font of the text
        bool bold = false;
    };
    struct Fill {
        tk::Rect rect;
        tk::Color color;
    };
    struct Image {
        int x, y, index;
    };

    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Image> images;
    std::vector<std::pair<int, int>> lines;
    // Every line with its pen, in the order drawn.
    struct Segment {
        std::pair<int, int> from, to;
        tk::Color color;
        tk::PenStyle style;
        int width;
    };
    std::vector<Segment> segments;

    void setFontColor(tk::Color c) override { m_font = c; }
    [[nodiscard]] tk::Color fontColor() const override { return m_font; }
    void setFont(std::string_view, int sizePt, bool bold) override {
        m_fontSize = sizePt;
        m_bold = bold;
    }
    void setBrushColor(tk::Color c) override { m_brush = c; }
    [[nodiscard]] tk::Color brushColor() const override { return m_brush; }
    void setPen(tk::Color c, tk::PenStyle style, int width) override { m_pen = {c, style, width}; }
    void fillRect(const tk::Rect& r) override { fills.push_back({r, m_brush}); }
    void textRect(const tk::Rect&, int x, int y, std::string_view t) override {
        texts.push_back({x, y, std::string(t), m_font, m_fontSize, m_bold});
    }
    void textOut(int x, int y, std::string_view t) override {
        texts.push_back({x, y, std::string(t), m_font, m_fontSize, m_bold});
    }
    [[nodiscard]] int textWidth(std::string_view t) override {
        return static_cast<int>(t.size()) * 6;
    }
    [[nodiscard]] int textHeight(std::string_view) override { return 13; }
    void moveTo(int x, int y) override { m_pos = {x, y}; }
    void lineTo(int x, int y) override {
        lines.push_back(m_pos);
        lines.emplace_back(x, y);
        segments.push_back({m_pos, {x, y}, m_pen.color, m_pen.style, m_pen.width});
        m_pos = {x, y};
    }
    void drawImage(int x, int y, int index) override { images.push_back({x, y, index}); }

private:
    struct Pen {
        tk::Color color = 0;
        tk::PenStyle style = tk::PenStyle::Solid;
        int width = 1;
    };
    tk::Color m_font = 0;
    tk::Color m_brush = 0xFFFFFF;
    int m_fontSize = 0;
    bool m_bold = false;
    Pen m_pen;
    std::pair<int, int> m_pos{0, 0};
};

class FakeUdpDriver;
class FakeTcpDriver;

// The fake platform: virtual clock, recording sockets, scripted dialogs, an
// in-memory clipboard, registry and file set.
class FakePlatform : public tk::Platform {
public:
    VirtualClock clock;

    // Dialogs: every message shown, every confirmation asked; confirmations
    // and modal forms answer from queues (No / Cancel when empty).
    std::vector<std::string> messages;
    std::vector<std::string> confirmations;
    std::deque<bool> confirmAnswers;
    std::deque<tk::ModalResult> modalAnswers;
    std::vector<std::string> modalForms;
    // Runs while a modal form is "open", to let a test fill in its controls.
    std::function<void(tk::Form&)> onModal;
    // The colour dialog: the colour each opening started on; answers from
    // the queue (a colour for OK, nullopt for Cancel; Cancel when empty).
    std::vector<tk::Color> colorDialogStarts;
    std::deque<std::optional<tk::Color>> colorAnswers;

    std::set<std::string> files;
    std::map<std::string, std::string> registry; // "key|name" -> value
    std::set<std::string> registryKeys;
    std::string clipboard;

    std::vector<SentDatagram> sent;
    // Hosts whose sends fail (cannot be resolved).
    std::set<std::string> unreachableHosts;
    // Local ports that are already taken.
    std::set<std::uint16_t> takenPorts;

    // TCP: what was opened and sent, per socket.
    std::map<tk::TcpClientSocket*, FakeTcpDriver*> tcp;

    [[nodiscard]] std::uint32_t tickCount() override { return clock.tickCount(); }
    [[nodiscard]] std::unique_ptr<tk::TimerDriver> createTimerDriver(tk::Timer& t) override;
    [[nodiscard]] std::unique_ptr<tk::UdpDriver> createUdpDriver(tk::UdpSocket& s) override;
    [[nodiscard]] std::unique_ptr<tk::TcpDriver> createTcpDriver(tk::TcpClientSocket& s) override;

    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    [[nodiscard]] bool confirm(std::string_view text) override;
    tk::ModalResult showModal(tk::Form& form) override;
    [[nodiscard]] std::optional<tk::Color> chooseColor(tk::Color initial) override;

    [[nodiscard]] bool fileExists(const std::string& path) override {
        return files.count(path) != 0;
    }
    [[nodiscard]] std::optional<std::string> readRegistryString(const std::string& key,
                                                                const std::string& name) override;
    [[nodiscard]] std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    // Every process started: the program, then its arguments.
    std::vector<std::vector<std::string>> startedProcesses;
    bool startProcess(const std::string& program,
                      const std::vector<std::string>& arguments) override {
        std::vector<std::string> line{program};
        line.insert(line.end(), arguments.begin(), arguments.end());
        startedProcesses.push_back(std::move(line));
        return true;
    }
    [[nodiscard]] tk::Color systemColor(tk::SystemColor which) override;

    // Datagrams sent from the socket bound to localPort.
    [[nodiscard]] std::vector<SentDatagram> sentFrom(std::uint16_t localPort) const;
};

class FakeTcpDriver : public tk::TcpDriver {
public:
    FakeTcpDriver(FakePlatform& p, tk::TcpClientSocket& s) : m_platform(p), m_socket(s) {}
    ~FakeTcpDriver() override { m_platform.tcp.erase(&m_socket); }
    void open(const std::string& host, std::uint16_t port) override {
        openedHost = host;
        openedPort = port;
        ++opens;
    }
    [[nodiscard]] bool send(std::string_view bytes) override {
        sent += bytes;
        return true;
    }
    void close() override { ++closes; }

    std::string openedHost;
    std::uint16_t openedPort = 0;
    int opens = 0;
    int closes = 0;
    std::string sent;

private:
    FakePlatform& m_platform;
    tk::TcpClientSocket& m_socket;
};

} // namespace fake
