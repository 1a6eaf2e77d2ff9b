// The main window built offscreen around a real TQueryMain in a folder of its
// own: what it shows at start, and what it leaves in skarvell.ini at close.

#include "app/QueryMain.h"
#include "qt/MainWindow.h"
#include "qt/DisplayText.h"
#include "qt/NewsView.h"
#include "qt/QtPlatform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Two favourites; the second one's name is Latin-1 ("Björn"), as an older
// server would report it.
const char* const kSettings = "[Settings]\r\n"
                              "DoHTTP=%1\r\n"
                              "Health=1\r\n"
                              "Weapon=1\r\n"
                              "[Favorites]\r\n"
                              "FavHost[1]=Alpha Arena\r\n"
                              "FavIP[1]=192.0.2.10\r\n"
                              "FavPort[1]=7777\r\n"
                              "FavHost[2]=Bj\xf6rn's CTF\r\n"
                              "FavIP[2]=192.0.2.11\r\n"
                              "FavPort[2]=7787\r\n"
                              "FavCount=3\r\n";

// Closes any modal dialog that shows up and remembers its text: no message
// is expected here, and an unanswered one would block the test forever.
class ModalGuard {
public:
    ModalGuard() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_seen += modal->windowTitle();
                modal->close();
            }
        });
        m_timer.start(50);
    }
    [[nodiscard]] const QString& seen() const { return m_seen; }

private:
    QTimer m_timer;
    QString m_seen;
};

// The program as main() builds it, in a temporary working folder.
class MainWindowTest : public ::testing::Test {
protected:
    void start(bool doHttp) {
        ASSERT_TRUE(m_folder.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
        QFile ini(QStringLiteral("skarvell.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray(kSettings).replace("%1", doHttp ? "1" : "0"));
        ini.close();

        m_platform = std::make_unique<gui::QtPlatform>(QString::fromUtf8(app::kApplicationTitle));
        m_main = std::make_unique<app::TQueryMain>(*m_platform, cfg::kSettingsFile);
        m_main->FormCreate();
        m_window = std::make_unique<gui::MainWindow>(*m_main);
        m_platform->setMainWindow(m_window.get());
        m_window->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override {
        m_window.reset();
        m_main.reset();
        m_platform.reset();
        if (!m_previous.isEmpty()) {
            QDir::setCurrent(m_previous);
        }
        EXPECT_TRUE(m_guard.seen().isEmpty()) << m_guard.seen().toStdString();
    }

    template <typename T> T* find(const char* name) {
        T* widget = m_window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    [[nodiscard]] QString settingsText() const {
        QFile ini(QDir(m_folder.path()).filePath(QStringLiteral("skarvell.ini")));
        return ini.open(QIODevice::ReadOnly) ? QString::fromLatin1(ini.readAll()) : QString();
    }

    ModalGuard m_guard;
    QTemporaryDir m_folder;
    QString m_previous;
    std::unique_ptr<gui::QtPlatform> m_platform;
    std::unique_ptr<app::TQueryMain> m_main;
    std::unique_ptr<gui::MainWindow> m_window;
};

QString cellText(const QTableView* view, int row, int col) {
    return view->model()->index(row, col).data().toString();
}

QStringList headerTexts(const QTableView* view) {
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        texts << model->headerData(c, Qt::Horizontal).toString();
    }
    return texts;
}

TEST_F(MainWindowTest, ShowsTheCoreAndSavesAtClose) {
    start(false);
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Skarvell - UT Server querying [Beta]"));

    // Health and Weapon on: "Health" between "Frags" and "Ping", "Weapon" last.
    auto* rooster = find<QTableView>("Rooster");
    ASSERT_NE(rooster, nullptr);
    EXPECT_TRUE(rooster->horizontalHeader()->isVisible());
    EXPECT_EQ(headerTexts(rooster).join(QLatin1Char(',')),
              QStringLiteral("No.,Player,Frags,Health,Ping,Team,ngStats,Weapon"));

    // The favourites from the file, one row each; the Latin-1 name decoded.
    auto* favourites = find<QTableView>("favouritestable");
    ASSERT_NE(favourites, nullptr);
    ASSERT_EQ(favourites->model()->rowCount(), 2);
    EXPECT_EQ(cellText(favourites, 0, 1), QStringLiteral("Alpha Arena"));
    EXPECT_EQ(cellText(favourites, 0, 2), QStringLiteral("No response"));
    EXPECT_EQ(cellText(favourites, 0, 5), QStringLiteral("9999"));
    EXPECT_EQ(cellText(favourites, 1, 1), QString::fromUtf8("Bj\xc3\xb6rn's CTF"));

    // Selecting a row reaches the core: the details show that favourite.
    favourites->selectionModel()->setCurrentIndex(favourites->model()->index(1, 1),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    auto* infos = find<QTableView>("ServerInfos");
    ASSERT_NE(infos, nullptr);
    EXPECT_EQ(cellText(infos, 0, 0), QStringLiteral("Variable"));
    EXPECT_EQ(cellText(infos, 1, 1), QString::fromUtf8("Bj\xc3\xb6rn's CTF"));
    EXPECT_EQ(cellText(infos, 2, 1), QStringLiteral("192.0.2.11:7787"));

    const QStringList panels{QString(),
                             QStringLiteral("Bytes received:"),
                             QStringLiteral("0 Byte"),
                             QStringLiteral("Mode"),
                             QString(),
                             QStringLiteral("Skarvell 0.4b")};
    for (const int i : {1, 2, 3, 5}) {
        auto* panel = m_window->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
        ASSERT_NE(panel, nullptr) << i;
        EXPECT_EQ(panel->text(), panels[i]) << i;
    }

    // The user widens the favourites' server column; the close keeps it.
    favourites->horizontalHeader()->resizeSection(1, 157);
    bool closed = false;
    QObject::connect(m_window.get(), &gui::MainWindow::closed, [&closed] { closed = true; });
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(closed);

    const QString ini = settingsText();
    const qsizetype settings = ini.indexOf(QStringLiteral("[Settings]"));
    const qsizetype tableFav = ini.indexOf(QStringLiteral("[TableFav]"));
    ASSERT_GE(settings, 0) << ini.toStdString();
    ASSERT_GE(tableFav, 0) << ini.toStdString();
    EXPECT_GT(ini.indexOf(QStringLiteral("FirstRun=1"), settings), settings);
    const QString fav = ini.mid(tableFav);
    EXPECT_TRUE(fav.contains(QStringLiteral("Col0=20"))) << fav.toStdString();
    EXPECT_TRUE(fav.contains(QStringLiteral("Col1=157"))) << fav.toStdString();
    EXPECT_TRUE(fav.contains(QStringLiteral("Col5=65"))) << fav.toStdString();
}

class NewsTabTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NewsTabTest, NewsTabFollowsDoHttp) {
    const bool doHttp = GetParam();
    start(doHttp);
    ASSERT_FALSE(HasFatalFailure());
    auto* pages = find<QTabWidget>("ServerPages");
    ASSERT_NE(pages, nullptr);
    const auto visible = [pages](const QString& caption) {
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == caption) {
                return pages->isTabVisible(i);
            }
        }
        ADD_FAILURE() << "no tab " << caption.toStdString();
        return false;
    };
    EXPECT_EQ(visible(QStringLiteral("News && Infos")), doHttp);
    EXPECT_FALSE(visible(QStringLiteral("Favourite Servers")));
    EXPECT_TRUE(visible(QStringLiteral("Favorites")));
    EXPECT_TRUE(visible(QStringLiteral("All Servers")));

    // The news are the release notes bundled with the program.
    auto* news = m_window->findChild<gui::NewsView*>();
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(news->documentTitle().contains(QStringLiteral("release notes")), doHttp);
}

INSTANTIATE_TEST_SUITE_P(DoHttp, NewsTabTest, ::testing::Bool());

} // namespace
