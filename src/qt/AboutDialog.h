#pragma once

#include <QDialog>

namespace app {
class TAboutBox;
}

namespace gui {

class ImageList;

// The "Info" box: product name, version, contact and credits, and OK.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const app::TAboutBox& about, const ImageList& images, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace gui
