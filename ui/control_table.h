#pragma once

#include <QColor>
#include <QRect>
#include <QStringView>
#include <span>

#include "chart/chart_painter.h"

// The window's layout as data: every control in creation order, with its
// place in twips (15 to the pixel at 96 dpi) inside its container's inner
// area. Nothing else in the program positions a control.
namespace ui {

enum class Kind { PictureBox, Label, TextBox, ComboBox, ScrollBar, CommandButton };

// The window's fonts, by the letters the design gives them.
enum class FontKey { Default, A, B, C, D, E };

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ScrollRange {
    int min;
    int max;
    int value;
    int smallChange;
    int largeChange;
};

struct ControlRow {
    int id;
    const char* name;
    Kind kind;
    const char* container;  // nullptr: the window itself
    TwipRect place;
    int tabIndex;
    QStringView designText{};
    FontKey font;
    // Settings that differ from the control type's defaults.
    QRgb backColor = 0;  // 0: the platform default
    QRgb foreColor = 0;  // 0: the platform default
    bool centred = false;
    bool transparent = false;  // a label that shows its container through
    bool autoSize = false;     // a label that sizes itself to its text
    bool border = false;       // a picture box with the sunken panel border
    bool hidden = false;
    const char* picture = nullptr;  // resource path of the picture it shows
    QStringView wording{};          // what the picture says, for screen readers
    ScrollRange range{};
};

[[nodiscard]] std::span<const ControlRow> controlTable();

// The window's own settings.
inline constexpr int kClientWidthTwips = 14520;
inline constexpr int kClientHeightTwips = 8865;
inline constexpr QRgb kWindowBackColor = 0xffffc080;  // (255, 192, 128)
inline constexpr QStringView kWindowCaption = u"Helitra - Efficiency";
inline constexpr const char* kBackgroundPicture = ":/pictures/background.svg";

[[nodiscard]] constexpr int toPixels(int twips) {
    using chart::kTwipsPerPixel;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

[[nodiscard]] inline QRect toPixels(const TwipRect& r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

}  // namespace ui
