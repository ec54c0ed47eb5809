#pragma once

#include <QString>
#include <cstdint>

#include "int16.h"

// What the window's procedures need from the controls, the drawing surface
// and the message box. The widgets implement these; tests use doubles.
// A failed operation raises rt::RuntimeError like any other runtime error.
namespace rt {

class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(const QString& caption) = 0;
};

class TextBox {
public:
    virtual ~TextBox() = default;
    [[nodiscard]] virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // A disabled box takes neither the focus nor input.
    virtual void setEnabled(bool enabled) = 0;
};

class ComboBox {
public:
    virtual ~ComboBox() = default;
    virtual void addItem(const QString& text) = 0;
    // The selected row from 0, or -1 when none is selected.
    [[nodiscard]] virtual Int16 listIndex() const = 0;
    // Selects a row and runs the box's Click procedure before returning.
    virtual void setListIndex(Int16 index) = 0;
};

class ScrollBar {
public:
    virtual ~ScrollBar() = default;
    [[nodiscard]] virtual Int16 value() const = 0;
};

// A colour as RGB(red, green, blue) gives it: red + 256 * green + 65536 * blue.
using Color = std::uint32_t;

[[nodiscard]] constexpr Color rgb(int red, int green, int blue) {
    return static_cast<Color>(red) + 256u * static_cast<Color>(green) +
           65536u * static_cast<Color>(blue);
}

// The three components back, for painting and printing a colour.
[[nodiscard]] constexpr int redOf(Color color) {
    return static_cast<int>(color & 0xFFu);
}

[[nodiscard]] constexpr int greenOf(Color color) {
    return static_cast<int>((color >> 8) & 0xFFu);
}

[[nodiscard]] constexpr int blueOf(Color color) {
    return static_cast<int>((color >> 16) & 0xFFu);
}

// A picture box used as a chart: coordinates in twips of its inner area.
class Surface {
public:
    virtual ~Surface() = default;
    // Erases every line and printed text.
    virtual void clear() = 0;
    // Pen width in pixels for the lines that follow.
    virtual void setDrawWidth(int pixels) = 0;
    virtual void line(float x1, float y1, float x2, float y2, Color color) = 0;
    // A rectangle filled with the surface's back colour, which hides what
    // was drawn under it, and framed one pixel wide in `frame`.
    virtual void box(float x1, float y1, float x2, float y2, Color frame) = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    // Assigns the name of the surface's font.
    virtual void setFontName(const QString& name) = 0;
    // Writes the number's text at the current position, in the surface's
    // own text colour.
    virtual void drawText(double value) = 0;
    // Writes a text at the current position in a colour of its own.
    virtual void drawText(const QString& text, Color color) = 0;
    // How wide, in twips, the text would print in the surface's own font.
    [[nodiscard]] virtual double textWidth(const QString& text) const = 0;
};

// The modal message box. `style` 48 is one OK button with the warning icon.
class MessageBox {
public:
    static constexpr int kWarningOk = 48;

    virtual ~MessageBox() = default;
    // Returns when the user has closed the box.
    virtual void show(const QString& prompt, int style, const QString& title) = 0;
};

}  // namespace rt
