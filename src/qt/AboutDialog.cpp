#include "qt/AboutDialog.h"

#include "qt/DisplayText.h"
#include "qt/FormDialog.h"
#include "qt/ImageList.h"

#include "qt/Core.h"

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

AboutDialog::AboutDialog(tk::Form& form, const ImageList& images, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(toDisplay(form.caption()));
    setFixedSize(form.width(), form.height());

    auto* logo = new QLabel(this);
    logo->setPixmap(images.appIcon().pixmap(kLogoSize, kLogoSize));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* product = new QLabel(QStringLiteral("Skarvell"), this);
    QFont big = product->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    product->setFont(big);

    auto* version = new QLabel(QStringLiteral("4th beta Version (minor update 1)"), this);
    const QString home = QString::fromUtf8(app::kHomePage);
    auto* contact = new QLabel(tr("Contact: <a href='%1'>%2</a>")
                                   .arg(home.toHtmlEscaped(), QUrl(home).host().toHtmlEscaped()),
                               this);
    contact->setOpenExternalLinks(true);
    auto* credits = new QLabel(tr("Thanks to the UT99 community and to 333networks for the "
                                  "master server."),
                               this);
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
