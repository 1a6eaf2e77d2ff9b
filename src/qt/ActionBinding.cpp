#include "qt/ActionBinding.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"
#include "qt/ImageList.h"

#include "toolkit/Action.h"

#include <QAction>
#include <QPointer>

namespace gui {

namespace {

void show(QAction* qaction, const tk::Action& action, const std::string& caption) {
    qaction->setText(toDisplay(caption.empty() ? action.caption() : caption));
    qaction->setEnabled(action.enabled());
    // Checkable only while checked, so that menus show no empty check boxes.
    if (action.checked()) {
        qaction->setCheckable(true);
        qaction->setChecked(true);
    } else {
        qaction->setChecked(false);
        qaction->setCheckable(false);
    }
}

} // namespace

QAction* createBoundAction(tk::Action& action, const ImageList& images, QObject* parent,
                           const std::string& caption) {
    auto* qaction = new QAction(parent);
    qaction->setIcon(images.icon(action.imageIndex()));
    qaction->setIconVisibleInMenu(true);
    if (!action.hint().empty()) {
        const HintParts hint = splitHint(action.hint());
        qaction->setToolTip(hint.toolTip);
        qaction->setStatusTip(hint.statusTip);
    }
    show(qaction, action, caption);
    action.changed.connect(
        guarded(qaction, [qaction, &action, caption] { show(qaction, action, caption); }));
    QObject::connect(qaction, &QAction::triggered, qaction, [qaction, &action, caption] {
        const QPointer<QAction> self(qaction);
        action.execute();
        // Clicking a checked entry toggles it; the core's state is what counts.
        if (self) {
            show(qaction, action, caption);
        }
    });
    return qaction;
}

} // namespace gui
