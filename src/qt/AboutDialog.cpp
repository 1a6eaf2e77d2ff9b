#include "qt/AboutDialog.h"

#include "qt/DisplayText.h"
#include "qt/FormDialog.h"
#include "qt/ImageList.h"

#include "app/AboutBox.h"
#include "toolkit/Form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace gui {

namespace {
constexpr int kLogoSize = 48;
} // namespace

AboutDialog::AboutDialog(const app::TAboutBox& about, const ImageList& images, QWidget* parent)
    : QDialog(parent) {
    const tk::Form& form = about.form;
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(toDisplay(form.caption()));
    setFixedSize(form.width(), form.height());

    auto* logo = new QLabel(this);
    logo->setPixmap(images.appIcon().pixmap(kLogoSize, kLogoSize));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* product = new QLabel(toDisplay(about.product), this);
    QFont big = product->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    product->setFont(big);

    auto* version = new QLabel(toDisplay(about.version), this);
    const QString home = toDisplay(about.contact);
    auto* contact = new QLabel(tr("Contact: <a href='%1'>%2</a>")
                                   .arg(home.toHtmlEscaped(), QUrl(home).host().toHtmlEscaped()),
                               this);
    contact->setOpenExternalLinks(true);
    contact->setVisible(!home.isEmpty());
    auto* credits = new QLabel(toDisplay(about.credits), this);
    credits->setWordWrap(true);
    QFont small = credits->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    credits->setFont(small);
    contact->setFont(small);

    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(contact);
    text->addWidget(credits);
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void AboutDialog::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

} // namespace gui
