#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Signal.h"

#include <functional>

namespace tk {

// A surface the core paints on. The core asks for a repaint with
// invalidate(); the backend then calls onPaint, as it does whenever the
// surface is uncovered or resized, with a canvas covering the whole surface
// and its width and height in pixels. The backend paints off-screen and
// shows the result in one piece.
class PaintBox {
public:
    void invalidate() { changed.notify(); }

    // Paints what the surface shows: canvas, width, height.
    std::function<void(Canvas&, int, int)> onPaint;
    Signal<> changed;
};

} // namespace tk
