// The real preferences dialog, offscreen, opened by the main window's
// command: a value changed on each page, the settings saved, the file
// written and the new settings in effect without a restart.

#include "qt/PreferencesWindow.h"
#include "app/QueryMain.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// Runs `step` once the dialog is open: queued, it runs inside its modal loop.
void whileOpen(std::function<void()> step) {
    QTimer::singleShot(0, qApp, std::move(step));
}

class PreferencesWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_path = QDir(m_folder.path()).filePath(QStringLiteral("skarvell.ini"));
        QFile ini(m_path);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\r\nDoHTTP=0\r\n[Favorites]\r\nFavCount=1\r\n");
        ini.close();
        m_platform = std::make_unique<gui::QtPlatform>(QString::fromUtf8(app::kApplicationTitle));
        m_main = std::make_unique<app::TQueryMain>(*m_platform, m_path.toStdString());
        m_main->FormCreate();
        m_dialog = std::make_unique<gui::PreferencesWindow>(m_main->frmPref);
        m_platform->registerDialog(m_main->frmPref.form, m_dialog.get());
        // A stuck step must not hang the test: after the deadline every
        // modal window is closed.
        QObject::connect(&m_deadline, &QTimer::timeout, [] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "still open: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        m_deadline.start(20000);
    }

    template <typename T> T* find(const char* name) {
        T* widget = m_dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Replaces the text of an edit box by typing.
    void type(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void showPage(int index) { find<QTabWidget>("PrefPages")->setCurrentIndex(index); }

    [[nodiscard]] std::string settingsText() const {
        QFile ini(m_path);
        return ini.open(QIODevice::ReadOnly) ? ini.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_folder;
    QString m_path;
    QTimer m_deadline;
    std::unique_ptr<gui::QtPlatform> m_platform;
    std::unique_ptr<app::TQueryMain> m_main;
    std::unique_ptr<gui::PreferencesWindow> m_dialog;
};

TEST_F(PreferencesWindowTest, SavedSettingsAreWrittenAndInEffectAtOnce) {
    const int firstPort = 20000 + static_cast<int>(QCoreApplication::applicationPid() % 20000);
    const QString longNick(40, QLatin1Char('n'));

    whileOpen([&] {
        ASSERT_TRUE(m_dialog->isVisible());
        // Querying: an interval out of range goes back to 2 when left; the
        // last port follows the first.
        showPage(0);
        auto* interval = find<QComboBox>("pref_QueryInterval");
        ASSERT_NE(interval, nullptr);
        type(interval->lineEdit(), QStringLiteral("700"));
        EXPECT_EQ(interval->currentText(), QStringLiteral("700").left(3));
        // Leaving the box: the focus goes to the next one.
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        interval->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(interval->hasFocus());
        find<QLineEdit>("pref_QueryTimeout")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(interval->currentText(), QStringLiteral("2"));
        type(interval->lineEdit(), QStringLiteral("7"));
        type(find<QLineEdit>("pref_PortsBegin"), QString::number(firstPort));
        EXPECT_EQ(find<QLineEdit>("txtPortsEnd")->text(), QString::number(firstPort + 2));
        find<QCheckBox>("pref_bQrySpree")->click();
        // Masterserver.
        showPage(1);
        auto* radio = find<QGroupBox>("pref_qryMasterOnStartup");
        ASSERT_NE(radio, nullptr);
        radio->findChildren<QRadioButton*>().at(2)->click();
        type(find<QLineEdit>("pref_MasterserverURI"), QStringLiteral("127.0.0.1:28999"));
        type(find<QLineEdit>("pref_PingInterval"), QStringLiteral("33"));
        // Unreal Tournament.
        showPage(2);
        type(find<QLineEdit>("pref_UTPath"), QStringLiteral("/games/ut"));
        // Statistics: the red graph's colour from the colour dialog.
        showPage(3);
        whileOpen([] {
            auto* colours = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(colours, nullptr);
            colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colours->accept();
        });
        find<QPushButton>("cmd_colred")->click();
        // Miscellaneous.
        showPage(4);
        find<QCheckBox>("pref_usePlayerColor")->click();
        // Web-Server.
        showPage(5);
        type(find<QComboBox>("pref_SaveStatsInterval")->lineEdit(), QStringLiteral("240"));
        // IRC Reporting: a nickname longer than the setting keeps.
        showPage(6);
        type(find<QLineEdit>("pref_IRCNick"), longNick);
        EXPECT_EQ(find<QLineEdit>("pref_IRCNick")->text(), longNick.left(29));

        find<QPushButton>("cmd_PrefClose")->click();
    });
    m_main->actPreferences.execute();
    EXPECT_FALSE(m_dialog->isVisible());

    const auto& s = m_main->settings;
    EXPECT_FALSE(s.FirstRun);
    EXPECT_EQ(s.QueryInterval, 7);
    EXPECT_EQ(s.Ports, firstPort);
    EXPECT_TRUE(s.Spree);
    EXPECT_FALSE(s.qryMasterOnStartup);
    EXPECT_FALSE(s.LoadListOnStartup);
    EXPECT_EQ(s.UTDir.view(), "/games/ut");
    EXPECT_EQ(s.TeamA, tk::rgb(0x12, 0x34, 0x56));
    EXPECT_FALSE(s.usePlayerColor);
    EXPECT_EQ(s.SaveStatsInterval, 240);
    EXPECT_EQ(s.nickname.view(), std::string(29, 'n'));

    const std::string ini = settingsText();
    for (const std::string& line :
         {std::string("FirstRun=0\r\n"), std::string("QueryInterval=7\r\n"),
          "Ports=" + std::to_string(firstPort) + "\r\n",
          std::string("MasterserverURI=127.0.0.1:28999\r\n"), std::string("UTDir=/games/ut\r\n"),
          "TeamA=" + std::to_string(tk::rgb(0x12, 0x34, 0x56)) + "\r\n",
          std::string("usePlayerColor=0\r\n"), std::string("SaveStatsInterval=240\r\n"),
          "nickname=" + std::string(29, 'n') + "\r\n", std::string("FavCount=1\r\n")}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
    }

    // In effect without a restart.
    EXPECT_EQ(m_main->favouriteServers.udpfavping.localPort(), firstPort);
    EXPECT_EQ(m_main->watch.statusQuery.udpsock.localPort(), firstPort + 1);
    EXPECT_EQ(m_main->serverList.udpping.localPort(), firstPort + 2);
    EXPECT_EQ(m_main->progtimer.max(), 7);
    EXPECT_EQ(m_main->serverList.mastercon.host(), "127.0.0.1");
    EXPECT_EQ(m_main->serverList.mastercon.port(), 28999);
    EXPECT_EQ(m_main->serverList.pingtimer.interval(), 33);
}

TEST_F(PreferencesWindowTest, DiscardingLeavesSettingsAndFileAlone) {
    const std::string before = settingsText();
    whileOpen([&] {
        type(find<QLineEdit>("pref_PortsBegin"), QStringLiteral("1000"));
        EXPECT_EQ(find<QLineEdit>("txtPortsEnd")->text(), QStringLiteral("1002"));
        find<QPushButton>("cmd_PrefCancel")->click();
    });
    m_main->actPreferences.execute();
    EXPECT_EQ(m_main->settings.Ports, 54321);
    EXPECT_TRUE(m_main->settings.FirstRun);
    EXPECT_EQ(settingsText(), before);

    // Shown again, it starts from the settings, not from the discarded edit.
    whileOpen([&] {
        EXPECT_EQ(find<QLineEdit>("pref_PortsBegin")->text(), QStringLiteral("54321"));
        EXPECT_EQ(find<QLineEdit>("txtPortsEnd")->text(), QStringLiteral("54323"));
        m_dialog->reject();
    });
    m_main->actPreferences.execute();
}

} // namespace
