#pragma once

#include <string>

class QAction;
class QObject;

namespace tk {
class Action;
}

namespace gui {

class ImageList;

// A QAction that shows a core action: caption (with "&" accelerators), hint
// ("short|long": tooltip and status tip), image, enabled and checked state.
// Triggering it executes the core action. caption, when not empty, replaces
// the action's own caption for this one entry.
[[nodiscard]] QAction* createBoundAction(tk::Action& action, const ImageList& images,
                                         QObject* parent, const std::string& caption = {});

} // namespace gui
