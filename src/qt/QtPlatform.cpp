#include "qt/QtPlatform.h"

#include "qt/DisplayText.h"
#include "qt/QtTcpDriver.h"
#include "qt/QtTimerDriver.h"
#include "qt/QtUdpDriver.h"
#include "qt/RegistryReader.h"

#include "toolkit/Form.h"

#include <QApplication>
#include <QStringList>
#include <QFile>
#include <QProcess>
#include <QClipboard>
#include <QColorDialog>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPalette>

namespace gui {

QtPlatform::QtPlatform(QString title) : m_title(std::move(title)) {
    m_clock.start();
}

void QtPlatform::registerDialog(const tk::Form& form, QDialog* dialog) {
    m_dialogs[&form] = dialog;
}

std::uint32_t QtPlatform::tickCount() {
    // Milliseconds on the monotonic clock since its reference point (boot
    // time on most systems), cut to 32 bits: it wraps like the system's
    // tick count does, and every reader sees the same counter.
    const qint64 ms = m_clock.msecsSinceReference() + m_clock.elapsed();
    return static_cast<std::uint32_t>(static_cast<quint64>(ms));
}

std::unique_ptr<tk::TimerDriver> QtPlatform::createTimerDriver(tk::Timer& timer) {
    return std::make_unique<QtTimerDriver>(timer);
}

std::unique_ptr<tk::UdpDriver> QtPlatform::createUdpDriver(tk::UdpSocket& socket) {
    return std::make_unique<QtUdpDriver>(socket);
}

std::unique_ptr<tk::TcpDriver> QtPlatform::createTcpDriver(tk::TcpClientSocket& socket) {
    return std::make_unique<QtTcpDriver>(socket);
}

QWidget* QtPlatform::dialogParent() const {
    if (QWidget* active = QApplication::activeModalWidget()) {
        return active;
    }
    return m_mainWindow.data();
}

void QtPlatform::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, m_title, toDisplay(text), QMessageBox::Ok, dialogParent());
    box.exec();
}

bool QtPlatform::confirm(std::string_view text) {
    QMessageBox box(QMessageBox::Question, m_title, toDisplay(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

tk::ModalResult QtPlatform::showModal(tk::Form& form) {
    const auto found = m_dialogs.find(&form);
    if (found == m_dialogs.end() || found->second.isNull()) {
        return tk::ModalResult::Cancel;
    }
    QDialog* dialog = found->second.data();
    dialog->setWindowTitle(toDisplay(form.caption()));
    return dialog->exec() == QDialog::Accepted ? tk::ModalResult::Ok : tk::ModalResult::Cancel;
}

std::optional<tk::Color> QtPlatform::chooseColor(tk::Color initial) {
    const QColor chosen = QColorDialog::getColor(toQColor(initial), dialogParent());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return fromQColor(chosen);
}

bool QtPlatform::fileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    return QFileInfo(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()))).isFile();
}

std::optional<std::string> QtPlatform::readRegistryString(const std::string& key,
                                                          const std::string& name) {
    return readLocalMachineString(key, name);
}

std::string QtPlatform::clipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? toCore(clipboard->text()) : std::string();
}

void QtPlatform::setClipboardText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(toDisplay(text));
    }
}

bool QtPlatform::startProcess(const std::string& program,
                              const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list.append(QString::fromUtf8(argument.data(), static_cast<qsizetype>(argument.size())));
    }
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), list);
}

tk::Color QtPlatform::systemColor(tk::SystemColor which) {
    const QPalette palette = QApplication::palette();
    switch (which) {
    case tk::SystemColor::Highlight:
        return fromQColor(palette.color(QPalette::Active, QPalette::Highlight));
    case tk::SystemColor::HighlightText:
        return fromQColor(palette.color(QPalette::Active, QPalette::HighlightedText));
    case tk::SystemColor::InfoBackground:
        return fromQColor(palette.color(QPalette::ToolTipBase));
    case tk::SystemColor::Window:
        return fromQColor(palette.color(QPalette::Base));
    case tk::SystemColor::WindowText:
        return fromQColor(palette.color(QPalette::Text));
    }
    return tk::colors::kBlack;
}

} // namespace gui
