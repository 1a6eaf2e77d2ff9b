#pragma once

#include "toolkit/Color.h"

#include <string_view>

namespace tk {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] int width() const { return right - left; }
    [[nodiscard]] int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class PenStyle { Solid, Dot };

// A drawing surface with a font colour, a brush and a pen, handed to the
// drawing handlers by the backend.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setFontColor(Color c) = 0;
    [[nodiscard]] virtual Color fontColor() const = 0;
    virtual void setFont(std::string_view name, int sizePt, bool bold) = 0;
    virtual void setBrushColor(Color c) = 0;
    [[nodiscard]] virtual Color brushColor() const = 0;
    virtual void setPen(Color c, PenStyle style, int width) = 0;

    virtual void fillRect(const Rect& r) = 0;
    // Writes text with its top-left corner at (x, y), clipped to clip.
    virtual void textRect(const Rect& clip, int x, int y, std::string_view text) = 0;
    virtual void textOut(int x, int y, std::string_view text) = 0;
    [[nodiscard]] virtual int textWidth(std::string_view text) = 0;
    [[nodiscard]] virtual int textHeight(std::string_view text) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Draws an image of the main image list with its top-left corner at (x, y).
    virtual void drawImage(int x, int y, int imageIndex) = 0;
};

} // namespace tk
