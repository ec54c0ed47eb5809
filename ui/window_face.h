#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <array>

namespace ui {

// The window's face: a flat fill and its lighter top and left edge.
struct FaceFill {
    QRectF area;
    QRgb color;
};
inline constexpr std::array kWindowFace{
    FaceFill{QRectF(0, 0, 1081, 736), 0xffffc20d},
    FaceFill{QRectF(0, 0, 1081, 1), 0xffffe080},
    FaceFill{QRectF(0, 0, 1, 736), 0xffffe080},
};

// Paints the face. The edges are antialiased, as the vector picture they
// came from was drawn: at 125 % an edge covers a quarter of the next device
// pixel. The first fill covers the whole window and needs no antialiasing.
inline void paintWindowFace(QPainter& painter) {
    painter.fillRect(kWindowFace[0].area, QColor::fromRgb(kWindowFace[0].color));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 1; i < kWindowFace.size(); ++i) {
        painter.fillRect(kWindowFace[i].area, QColor::fromRgb(kWindowFace[i].color));
    }
    painter.restore();
}

}  // namespace ui
