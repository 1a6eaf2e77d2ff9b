#include "qt/PreferencesWindow.h"

#include "qt/ControlBindings.h"
#include "qt/DisplayText.h"
#include "qt/FormDialog.h"
#include "qt/Guarded.h"
#include "qt/InputBindings.h"

#include "app/PreferencesDialog.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>
#include <vector>

namespace gui {

namespace {

QLabel* label(QWidget* parent, tk::Label& model) {
    auto* widget = new QLabel(parent);
    bindLabel(*widget, model);
    return widget;
}

QLineEdit* edit(QWidget* parent, const char* name, tk::Edit& model) {
    auto* widget = new QLineEdit(parent);
    widget->setObjectName(QString::fromLatin1(name));
    bindTextEdit(*widget, model);
    return widget;
}

QComboBox* combo(QWidget* parent, const char* name, tk::ComboBox& model) {
    auto* widget = new QComboBox(parent);
    widget->setObjectName(QString::fromLatin1(name));
    bindComboBox(*widget, model);
    return widget;
}

QCheckBox* check(QWidget* parent, const char* name, tk::CheckBox& model) {
    auto* widget = new QCheckBox(parent);
    widget->setObjectName(QString::fromLatin1(name));
    bindCheckBox(*widget, model);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, tk::Button& model) {
    auto* widget = new QPushButton(parent);
    widget->setObjectName(QString::fromLatin1(name));
    bindButton(*widget, model);
    return widget;
}

// A row of widgets, left-aligned.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    layout->addStretch(1);
    return layout;
}

// The preview of the graph colours: the graph area, a grid line, two axis
// labels and a short line of each team's graph.
class ColourPreview final : public QWidget {
public:
    ColourPreview(app::TfrmPref& pref, QWidget* parent) : QWidget(parent), m_pref(pref) {
        setObjectName(QStringLiteral("gfx_preview"));
        setFixedSize(180, 90);
        auto repaint = guarded(this, [this] { update(); });
        for (tk::Shape* shape :
             {&pref.gfx_background, &pref.gfx_line, &pref.gfx_red, &pref.gfx_blue}) {
            shape->changed.connect(repaint);
        }
        pref.gfx_label1.changed.connect(repaint);
        pref.gfx_label2.changed.connect(repaint);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), toQColor(m_pref.gfx_background.brushColor()));
        painter.setPen(QPen(toQColor(m_pref.gfx_line.penColor()), 1));
        painter.drawLine(30, 8, 30, height() - 8);
        painter.setPen(toQColor(m_pref.gfx_label1.fontColor()));
        painter.drawText(6, 24, toDisplay(m_pref.gfx_label1.caption()));
        painter.setPen(toQColor(m_pref.gfx_label2.fontColor()));
        painter.drawText(6, 60, toDisplay(m_pref.gfx_label2.caption()));
        painter.setPen(QPen(toQColor(m_pref.gfx_red.penColor()), 2));
        painter.drawLine(40, 30, 150, 30);
        painter.setPen(QPen(toQColor(m_pref.gfx_blue.penColor()), 2));
        painter.drawLine(40, 55, 150, 55);
    }

private:
    app::TfrmPref& m_pref;
};

QWidget* queryingPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    QLabel* intro = label(page, p.lblQuerying);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    grid->addWidget(label(page, p.lblQueryInterval), 0, 0);
    grid->addWidget(combo(page, "pref_QueryInterval", p.pref_QueryInterval), 0, 1);
    grid->addWidget(label(page, p.lblQueryIntervalUnit), 0, 2);
    grid->addWidget(label(page, p.lblQueryTimeout), 1, 0);
    grid->addWidget(edit(page, "pref_QueryTimeout", p.pref_QueryTimeout), 1, 1);
    grid->addWidget(label(page, p.lblQueryTimeoutUnit), 1, 2);
    grid->addWidget(label(page, p.lblMaxTimeout), 2, 0);
    grid->addWidget(combo(page, "pref_MaxTimeout", p.pref_MaxTimeout), 2, 1);
    grid->addWidget(label(page, p.lblMaxTimeoutUnit), 2, 2);
    grid->addWidget(label(page, p.lblPorts), 3, 0);
    grid->addLayout(row({edit(page, "pref_PortsBegin", p.pref_PortsBegin),
                         label(page, p.lblPortsDash), edit(page, "txtPortsEnd", p.txtPortsEnd)}),
                    3, 1, 1, 2);
    grid->setColumnStretch(3, 1);

    auto* extra = new QGroupBox(toDisplay(p.grpExtraInfo.caption()), page);
    auto* extraLayout = new QGridLayout(extra);
    extraLayout->addWidget(check(extra, "pref_bQryHealth", p.pref_bQryHealth), 0, 0);
    extraLayout->addWidget(check(extra, "pref_bQryWeapon", p.pref_bQryWeapon), 0, 1);
    extraLayout->addWidget(check(extra, "pref_bQrySpree", p.pref_bQrySpree), 1, 0);
    extraLayout->addWidget(check(extra, "pref_bQryInventory", p.pref_bQryInventory), 1, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addWidget(extra, 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(check(page, "pref_qryFavsOnStartup", p.pref_qryFavsOnStartup));
    layout->addLayout(row({check(page, "pref_AutoPingFavs", p.pref_AutoPingFavs),
                           edit(page, "pref_AutoPingFavsInterval", p.pref_AutoPingFavsInterval),
                           label(page, p.lblAutoPingFavsUnit)}));
    layout->addWidget(check(page, "pref_AutoUpdateHost", p.pref_AutoUpdateHost));
    layout->addStretch(1);
    return page;
}

QWidget* masterPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* radio = new QGroupBox(page);
    radio->setObjectName(QStringLiteral("pref_qryMasterOnStartup"));
    bindRadioGroup(*radio, p.pref_qryMasterOnStartup);
    layout->addWidget(radio);
    auto* grid = new QGridLayout;
    grid->addWidget(label(page, p.lblPingInterval), 0, 0);
    grid->addLayout(row({edit(page, "pref_PingInterval", p.pref_PingInterval),
                         label(page, p.lblPingIntervalUnit)}),
                    0, 1);
    grid->addWidget(label(page, p.lblMasterserverURI), 1, 0);
    grid->addWidget(edit(page, "pref_MasterserverURI", p.pref_MasterserverURI), 1, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

QWidget* gamePage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label(page, p.lblUTPath));
    layout->addWidget(edit(page, "pref_UTPath", p.pref_UTPath));
    layout->addSpacing(12);
    layout->addWidget(label(page, p.lblUTINIBackup));
    layout->addWidget(check(page, "pref_UTINIBackup", p.pref_UTINIBackup));
    layout->addStretch(1);
    return page;
}

QWidget* statisticsPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label(page, p.lblColours));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(button(page, "cmd_colBackground", p.cmd_colBackground));
    buttons->addWidget(button(page, "cmd_colred", p.cmd_colred));
    buttons->addWidget(button(page, "cmd_colblue", p.cmd_colblue));
    buttons->addWidget(button(page, "cmd_colGrid", p.cmd_colGrid));
    buttons->addWidget(button(page, "cmd_colFont", p.cmd_colFont));
    buttons->addStretch(1);
    auto* both = new QHBoxLayout;
    both->addWidget(new ColourPreview(p, page), 0, Qt::AlignTop);
    both->addLayout(buttons);
    both->addStretch(1);
    layout->addLayout(both);
    layout->addStretch(1);
    return page;
}

QWidget* miscellaneousPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(check(page, "pref_DoHTTP", p.pref_DoHTTP));
    layout->addWidget(check(page, "pref_usePlayerColor", p.pref_usePlayerColor));
    layout->addStretch(1);
    return page;
}

QWidget* webServerPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(toDisplay(p.grpAutoSave.caption()), page);
    auto* grid = new QGridLayout(group);
    grid->addLayout(row({check(group, "pref_AutoSaveStats", p.pref_AutoSaveStats),
                         combo(group, "pref_SaveStatsInterval", p.pref_SaveStatsInterval),
                         label(group, p.lblSaveStatsIntervalUnit)}),
                    0, 0, 1, 2);
    grid->addWidget(label(group, p.lblStatsSaveDir), 1, 0);
    grid->addWidget(edit(group, "pref_StatsSaveDir", p.pref_StatsSaveDir), 1, 1);
    grid->addLayout(
        row({label(group, p.lblStatsWidth), edit(group, "pref_StatsWidth", p.pref_StatsWidth),
             label(group, p.lblStatsHeight), edit(group, "pref_StatsHeight", p.pref_StatsHeight)}),
        2, 0, 1, 2);
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget* ircPage(app::TfrmPref& p, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    grid->addWidget(label(page, p.lblIRCServer), 0, 0);
    grid->addWidget(edit(page, "pref_IRCServer", p.pref_IRCServer), 0, 1);
    grid->addWidget(label(page, p.lblIRCServerExample), 0, 2);
    grid->addWidget(label(page, p.lblIRCPort), 1, 0);
    grid->addWidget(edit(page, "pref_IRCPort", p.pref_IRCPort), 1, 1);
    grid->addWidget(label(page, p.lblIRCPortNote), 1, 2);
    grid->addWidget(label(page, p.lblIRCChannel), 2, 0);
    grid->addWidget(edit(page, "pref_IRCChannel", p.pref_IRCChannel), 2, 1);
    grid->addWidget(label(page, p.lblIRCNick), 3, 0);
    grid->addWidget(edit(page, "pref_IRCNick", p.pref_IRCNick), 3, 1);
    grid->addWidget(label(page, p.lblIRCNickNote), 3, 2);
    layout->addLayout(grid);
    layout->addWidget(check(page, "pref_IRCQuery", p.pref_IRCQuery));
    layout->addStretch(1);
    return page;
}

} // namespace

PreferencesWindow::PreferencesWindow(app::TfrmPref& pref, QWidget* parent)
    : QDialog(parent), m_pref(pref), m_pages(new QTabWidget(this)) {
    setObjectName(QStringLiteral("frmPref"));
    setWindowTitle(toDisplay(pref.form.caption()));
    resize(pref.form.width(), pref.form.height());
    m_pages->setObjectName(QStringLiteral("PrefPages"));
    // Seven pages fit on one line of tabs at the dialog's width only in
    // part: scroll buttons stand in for several lines of tabs.
    m_pages->setUsesScrollButtons(true);

    using PageBuilder = QWidget* (*)(app::TfrmPref&, QWidget*);
    const PageBuilder builders[] = {queryingPage,      masterPage,    gamePage, statisticsPage,
                                    miscellaneousPage, webServerPage, ircPage};
    const std::vector<tk::TabSheet*> sheets = pref.pages();
    for (std::size_t i = 0; i < sheets.size() && i < std::size(builders); ++i) {
        QWidget* page = builders[i](pref, m_pages);
        m_pages->addTab(page, toDisplay(sheets[i]->caption()));
        bindTabVisible(*m_pages, *page, *sheets[i]);
    }
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        const std::vector<tk::TabSheet*> sheets = m_pref.pages();
        if (index >= 0 && index < static_cast<int>(sheets.size())) {
            sheets[static_cast<std::size_t>(index)]->show();
        }
    });

    QPushButton* save = button(this, "cmd_PrefClose", pref.cmd_PrefClose);
    QPushButton* discard = button(this, "cmd_PrefCancel", pref.cmd_PrefCancel);
    save->setDefault(true);
    for (tk::Button* model : {&pref.cmd_PrefClose, &pref.cmd_PrefCancel}) {
        QPushButton* widget = model == &pref.cmd_PrefClose ? save : discard;
        const bool ok = model->modalResult() == tk::ModalResult::Ok;
        connect(widget, &QPushButton::clicked, this, ok ? &QDialog::accept : &QDialog::reject);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(discard);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
}

void PreferencesWindow::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QDialog::showEvent(event);
    // The page in view comes into view again with the dialog.
    const std::vector<tk::TabSheet*> sheets = m_pref.pages();
    const int index = m_pages->currentIndex();
    if (index >= 0 && index < static_cast<int>(sheets.size())) {
        sheets[static_cast<std::size_t>(index)]->show();
    }
}

} // namespace gui
