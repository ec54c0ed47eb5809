#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <optional>

#include "control_table.h"

// Pixels the build prepared for the window at 100 % and 200 %
// (ui/generators/render_pictures.cpp): every picture box composed over its back
// colour, and every fixed line of text over what lies beneath it, each
// exactly its control's size. Painting them is one blit with nothing laid
// out, decoded or composed; at any other scale the controls draw themselves.
namespace ui {

// The resource's layout: a header, an entry per control, then each entry's
// pixels as opaque 32-bit RGB, row after row.
inline constexpr std::uint32_t kPreparedMagic = 0x58504645;  // "EFPX"

struct PreparedHeader {
    std::uint32_t magic;
    std::uint32_t count;
};

struct PreparedEntry {
    char name[16];         // the control's row name
    std::uint32_t offset;  // of its pixels, from the start of the resource
    std::uint32_t width;   // in device pixels
    std::uint32_t height;
    QRgb back;  // the colour composed beneath
    QRgb fore;  // the text's colour; 0 for a picture
};

// A line of text that never changes and sizes itself to its text.
[[nodiscard]] constexpr bool isFixedText(const ControlRow& row) {
    return row.kind == Kind::Label && row.autoSize && !row.designText.isEmpty();
}

struct PreparedPixels {
    QImage pixels;  // a view of the resource's bytes, in device pixels
    int scale;
    QRgb back;
    QRgb fore;

    // The control's size in device-independent pixels.
    [[nodiscard]] QSize size() const { return pixels.size() / scale; }
};

// What the build prepared for the control at this device pixel ratio, if
// anything.
[[nodiscard]] std::optional<PreparedPixels> preparedPixels(const char* control, qreal ratio);

// Blits them with the painter's origin at the control's top-left corner.
void paintPrepared(QPainter& painter, const PreparedPixels& prepared);

}  // namespace ui
