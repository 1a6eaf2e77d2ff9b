#pragma once

#include "toolkit/Color.h"
#include "toolkit/Platform.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <map>

class QDialog;
class QWidget;

namespace gui {

// The machine as the core sees it, on Qt: timers, sockets, dialogs, the
// clipboard, the registry, the tick count. One instance lives as long as the
// program; everything runs on the user-interface thread.
class QtPlatform final : public tk::Platform {
public:
    // title: the application title, the caption of every message box.
    explicit QtPlatform(QString title);

    // The window message boxes belong to (the main window, once it exists).
    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    // The dialog that shows a form when the core asks for it modally.
    void registerDialog(const tk::Form& form, QDialog* dialog);

    [[nodiscard]] std::uint32_t tickCount() override;

    [[nodiscard]] std::unique_ptr<tk::TimerDriver> createTimerDriver(tk::Timer& timer) override;
    [[nodiscard]] std::unique_ptr<tk::UdpDriver> createUdpDriver(tk::UdpSocket& socket) override;
    [[nodiscard]] std::unique_ptr<tk::TcpDriver>
    createTcpDriver(tk::TcpClientSocket& socket) override;

    void showMessage(std::string_view text) override;
    [[nodiscard]] bool confirm(std::string_view text) override;
    tk::ModalResult showModal(tk::Form& form) override;
    [[nodiscard]] std::optional<tk::Color> chooseColor(tk::Color initial) override;

    [[nodiscard]] bool fileExists(const std::string& path) override;
    [[nodiscard]] std::optional<std::string> readRegistryString(const std::string& key,
                                                                const std::string& name) override;
    [[nodiscard]] std::string clipboardText() override;
    void setClipboardText(const std::string& text) override;
    [[nodiscard]] bool startProcess(const std::string& program,
                                    const std::vector<std::string>& arguments) override;

    [[nodiscard]] tk::Color systemColor(tk::SystemColor which) override;

private:
    [[nodiscard]] QWidget* dialogParent() const;

    QString m_title;
    QElapsedTimer m_clock;
    QPointer<QWidget> m_mainWindow;
    std::map<const tk::Form*, QPointer<QDialog>> m_dialogs;
};

} // namespace gui
