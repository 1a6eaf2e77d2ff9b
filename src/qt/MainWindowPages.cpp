// The pages of the main window: the top panel, the server pages on the left,
// the roster and the detail pages on the right.

#include "qt/ActionBinding.h"
#include "qt/ControlBindings.h"
#include "qt/DisplayText.h"
#include "qt/GridView.h"
#include "qt/InputBindings.h"
#include "qt/MainWindow.h"
#include "qt/MenuBuilder.h"
#include "qt/NewsView.h"
#include "qt/PaintBoxView.h"

#include "app/QueryMain.h"
#include "toolkit/Action.h"
#include "toolkit/Color.h"
#include "toolkit/Controls.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/Menu.h"
#include "toolkit/PaintBox.h"
#include "toolkit/StringGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace gui {

namespace {

constexpr int kTopPanelHeight = 35;
constexpr int kServerPagesWidth = 473;
constexpr int kRoosterHeight = 257;
constexpr QSize kDetailPagesMinimum(460, 230);
constexpr int kPageIconSize = 22;

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// The area a graph is drawn on.
QWidget* graphArea(const char* name, tk::PaintBox& box, const ImageList& images,
                   QWidget* parent) {
    auto* view = new PaintBoxView(box, images, parent);
    view->setObjectName(QLatin1String(name));
    return view;
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

QWidget* MainWindow::buildCentre() {
    auto* centre = new QWidget(this);
    auto* layout = pageLayout(centre);
    layout->addWidget(buildTopPanel());

    auto* split = new QSplitter(Qt::Horizontal, centre);
    split->setObjectName(QStringLiteral("SplitterLeftRight"));
    split->setChildrenCollapsible(false);
    split->addWidget(buildServerPages());
    split->addWidget(buildRightPanel());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({kServerPagesWidth, m_main.form.width() - kServerPagesWidth});

    auto* body = new QWidget(centre);
    auto* bodyLayout = pageLayout(body);
    bodyLayout->setContentsMargins(4, 2, 4, 2);
    bodyLayout->addWidget(split);
    layout->addWidget(body, 1);
    return centre;
}

QWidget* MainWindow::buildTopPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("toppanel"));
    panel->setFixedHeight(kTopPanelHeight);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(6);

    layout->addWidget(new QLabel(QStringLiteral("Fire next"), panel));
    auto* progtimer = new QProgressBar(panel);
    progtimer->setObjectName(QStringLiteral("progtimer"));
    progtimer->setTextVisible(false);
    progtimer->setFixedSize(150, 16);
    bindProgressBar(*progtimer, m_main.progtimer);
    layout->addWidget(progtimer);
    layout->addSpacing(24);

    layout->addWidget(new QLabel(QStringLiteral("Query Status"), panel));
    auto* txtLoss = new QLineEdit(panel);
    txtLoss->setObjectName(QStringLiteral("txtLoss"));
    txtLoss->setFixedWidth(90);
    txtLoss->setFocusPolicy(Qt::ClickFocus);
    bindEdit(*txtLoss, m_main.txtLoss);
    layout->addWidget(txtLoss);

    // Shown after a status query went unanswered, hidden at the next query.
    auto* imgConn = namedLabel("imgConn", panel);
    imgConn->setPixmap(m_images.pixmap(tk::images::kConnectionLost, 20));
    imgConn->setToolTip(tr("The watched server does not answer"));
    layout->addWidget(imgConn);
    bindVisibility(*imgConn, m_main.imgConn);

    layout->addStretch(1);
    return panel;
}

QToolBar* MainWindow::pageToolBar(const char* name) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

QTabWidget* MainWindow::buildServerPages() {
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("ServerPages"));
    pages->setMinimumWidth(300);
    pages->setDocumentMode(false);

    auto* news = new NewsView(m_main.wwwviewUrl, pages);
    news->setObjectName(QStringLiteral("wwwview"));
    auto* newsPage = new QWidget(pages);
    newsPage->setObjectName(QStringLiteral("NewsPage"));
    pageLayout(newsPage)->addWidget(news);

    // An older favourites page; its tab is never shown.
    auto* favouritesPage = new QWidget(pages);
    favouritesPage->setObjectName(QStringLiteral("FavouritesPage"));

    QWidget* favsPage = buildFavsPage();
    QWidget* serversPage = buildServersPage();

    pages->addTab(newsPage, m_images.icon(tk::images::kAbout),
                  toDisplay(m_main.NewsPage.caption()));
    pages->addTab(favouritesPage, toDisplay(m_main.FavouritesPage.caption()));
    pages->addTab(favsPage, m_images.pageIcon(PageIcon::Favourites),
                  toDisplay(m_main.FavsPage.caption()));
    pages->addTab(serversPage, m_images.icon(tk::images::kQueryMaster),
                  toDisplay(m_main.ServersPage.caption()));
    pages->setCurrentWidget(newsPage);

    bindTabVisible(*pages, *newsPage, m_main.NewsPage);
    bindTabVisible(*pages, *favouritesPage, m_main.FavouritesPage);
    bindTabVisible(*pages, *favsPage, m_main.FavsPage);
    bindTabVisible(*pages, *serversPage, m_main.ServersPage);
    return pages;
}

QWidget* MainWindow::buildTablePage(const char* name, tk::Menu& toolBar, tk::StringGrid& grid,
                                    const char* gridName, QMenu* popup) {
    auto* page = new QWidget(this);
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = pageLayout(page);

    QToolBar* bar = pageToolBar(toolBar.name.c_str());
    fillToolBar(*bar, toolBar, m_images);
    attachMenu(*bar, popup);
    layout->addWidget(bar);

    GridView::Options options;
    options.model.hideEmptyTail = true;
    auto* table = new GridView(grid, m_images, options, page);
    table->setObjectName(QString::fromLatin1(gridName));
    attachMenu(*table, popup);
    layout->addWidget(table, 1);
    return page;
}

QWidget* MainWindow::buildFavsPage() {
    return buildTablePage("FavsPage", m_main.ToolBar2, m_main.favouritestable, "favouritestable",
                          m_popFavourites);
}

QWidget* MainWindow::buildServersPage() {
    QWidget* page = buildTablePage("ServersPage", m_main.ToolBar3, m_main.servertable,
                                   "servertable", m_popServertable);
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 4, 6, 4);
    QLabel* count = namedLabel("lblNumServers", page);
    bindLabel(*count, m_main.lblNumServers);
    auto* progPing = new QProgressBar(page);
    progPing->setObjectName(QStringLiteral("progPing"));
    progPing->setFixedHeight(16);
    progPing->setTextVisible(false);
    bindProgressBar(*progPing, m_main.progPing);
    bottom->addWidget(count, 1);
    bottom->addWidget(progPing, 1);
    layout->addLayout(bottom);
    return page;
}

QWidget* MainWindow::buildRightPanel() {
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("panelright"));
    split->setChildrenCollapsible(false);

    GridView::Options options;
    options.model.hideEmptyTail = true;
    auto* rooster = new GridView(m_main.Rooster, m_images, options, split);
    rooster->setObjectName(QStringLiteral("Rooster"));
    split->addWidget(rooster);
    split->addWidget(buildDetailPages());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({kRoosterHeight, m_main.form.height() - kRoosterHeight});
    return split;
}

QTabWidget* MainWindow::buildDetailPages() {
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("DetailPages"));
    pages->setTabPosition(QTabWidget::East);
    pages->setMinimumSize(kDetailPagesMinimum);
    pages->setIconSize(QSize(kPageIconSize, kPageIconSize));

    GridView::Options infoOptions;
    infoOptions.model.boldFirstRow = true;
    infoOptions.model.hideEmptyTail = true;
    infoOptions.stretchLastColumn = true;
    auto* infos = new GridView(m_main.ServerInfos, m_images, infoOptions, pages);
    infos->setObjectName(QStringLiteral("ServerInfos"));
    auto* serverPage = new QWidget(pages);
    serverPage->setObjectName(QStringLiteral("ServerDetailPage"));
    pageLayout(serverPage)->addWidget(infos);

    auto* playerPage = new QWidget(pages);
    playerPage->setObjectName(QStringLiteral("PlayerDetailPage"));
    auto* playerLayout = pageLayout(playerPage);
    playerLayout->setContentsMargins(4, 4, 4, 4);
    playerLayout->addWidget(graphArea("imgPlayerStats", m_main.imgPlayerStats, m_images, playerPage));

    QWidget* teamsPage = buildTeamsPage();
    QWidget* warPage = buildWarPage();

    struct Page {
        QWidget* widget;
        tk::TabSheet& sheet;
        PageIcon icon;
    };
    for (const Page& page : {Page{serverPage, m_main.ServerDetailPage, PageIcon::ServerDetails},
                             Page{playerPage, m_main.PlayerDetailPage, PageIcon::PlayerGraph},
                             Page{teamsPage, m_main.TabSheet1, PageIcon::WarGraph},
                             Page{warPage, m_main.WarPage, PageIcon::War}}) {
        // Icons only; the caption is the tooltip. Tabs on the right are drawn
        // turned a quarter clockwise: the icons are turned back.
        const int index = pages->addTab(page.widget, m_images.pageIcon(page.icon, -1), QString());
        pages->setTabToolTip(index, toDisplay(page.sheet.caption()));
        bindTabVisible(*pages, *page.widget, page.sheet);
    }
    return pages;
}

QWidget* MainWindow::buildTeamsPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* layout = pageLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    // The team names of the war: both filled, they name red and blue.
    auto* teams = new QHBoxLayout;
    const auto teamEdit = [page](const char* name, const char* placeholder, tk::Edit& model,
                                 tk::Color colour) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QLatin1String(name));
        edit->setPlaceholderText(QLatin1String(placeholder));
        QFont font = edit->font();
        font.setBold(true);
        edit->setFont(font);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, toQColor(colour));
        edit->setPalette(palette);
        bindTextEdit(*edit, model);
        return edit;
    };
    teams->addWidget(teamEdit("txtTeamA", "Team A", m_main.txtTeamA, m_main.settings.TeamA));
    teams->addStretch(1);
    teams->addWidget(teamEdit("txtTeamB", "Team B", m_main.txtTeamB, m_main.settings.TeamB));
    layout->addLayout(teams);
    layout->addWidget(graphArea("imgStats", m_main.imgStats, m_images, page), 1);
    return page;
}

QWidget* MainWindow::buildWarPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("WarPage"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);

    // The clock: lime or red digits on black, its caption above it.
    QLabel* clockCaption = namedLabel("lblwar_TimeCaption", page);
    clockCaption->setAlignment(Qt::AlignCenter);
    bindLabel(*clockCaption, m_main.lblwar_TimeCaption);
    layout->addWidget(clockCaption);
    QLabel* clock = namedLabel("lblwar_Time", page);
    clock->setAlignment(Qt::AlignCenter);
    QFont font = clock->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 2.4);
    font.setStyleHint(QFont::Monospace);
    clock->setFont(font);
    clock->setFrameShape(QFrame::StyledPanel);
    clock->setFrameShadow(QFrame::Sunken);
    QPalette black = clock->palette();
    black.setColor(QPalette::Window, Qt::black);
    clock->setPalette(black);
    clock->setBackgroundRole(QPalette::Window);
    clock->setAutoFillBackground(true);
    clock->setMinimumHeight(clock->fontMetrics().height() + 16);
    bindLabel(*clock, m_main.lblwar_Time);
    layout->addWidget(clock);

    // The figures: one row each, red and blue side by side.
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(16);
    figures->setVerticalSpacing(4);
    const auto caption = [page](const QString& text) {
        auto* label = new QLabel(text, page);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    figures->addWidget(caption(QStringLiteral("Team Red")), 0, 1, Qt::AlignRight);
    figures->addWidget(caption(QStringLiteral("Team Blue")), 0, 2, Qt::AlignRight);
    const QString interpolHint = QStringLiteral(
        "Interpolated frags display the real teamscore after one was kicked off the server");
    struct Row {
        const char* caption;
        const char* redName;
        tk::Label& red;
        const char* blueName;
        tk::Label& blue;
        bool interpol = false;
    };
    const Row rows[] = {
        {"Players", "lblwar_rplayer", m_main.lblwar_rplayer, "lblwar_bplayer",
         m_main.lblwar_bplayer},
        {"Frags", "lblwar_rfrags", m_main.lblwar_rfrags, "lblwar_bfrags", m_main.lblwar_bfrags},
        {"Frags interpol", "lblwar_rinterpol", m_main.lblwar_rinterpol, "lblwar_binterpol",
         m_main.lblwar_binterpol, true},
        {"Frags needed", "lblwar_rspread", m_main.lblwar_rspread, "lblwar_bspread",
         m_main.lblwar_bspread},
        {"Avg. Frags", "lblwar_ravgfrags", m_main.lblwar_ravgfrags, "lblwar_bavgfrags",
         m_main.lblwar_bavgfrags},
        {"Avg. Ping", "lblwar_ravgping", m_main.lblwar_ravgping, "lblwar_bavgping",
         m_main.lblwar_bavgping},
    };
    int line = 1;
    for (const Row& row : rows) {
        const QString hint = row.interpol ? interpolHint : QString();
        auto* rowCaption = new QLabel(QLatin1String(row.caption), page);
        rowCaption->setToolTip(hint);
        figures->addWidget(rowCaption, line, 0);
        const auto value = [&](const char* name, tk::Label& model, int column) {
            QLabel* label = namedLabel(name, page);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setToolTip(hint);
            bindLabel(*label, model);
            figures->addWidget(label, line, column);
        };
        value(row.redName, row.red, 1);
        value(row.blueName, row.blue, 2);
        ++line;
    }
    figures->setColumnStretch(0, 1);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(2, 1);
    layout->addLayout(figures);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (tk::Action* action : {&m_main.actWarRecord, &m_main.actIRC, &m_main.actGraphsSave}) {
        auto* button = new QToolButton(page);
        button->setDefaultAction(createBoundAction(*action, m_images, button));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(16, 16));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(28);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    layout->addStretch(1);
    return page;
}

} // namespace gui
