#include "fonts.h"

#include <QApplication>

namespace ui {
namespace {

QFont face(const QString& family, qreal points, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

const QString kSans = QStringLiteral("Liberation Sans");
const QString kHeavySans = QStringLiteral("DejaVu Sans");

}  // namespace

QFont fontFor(FontKey key) {
    switch (key) {
        case FontKey::Default:
            return face(kSans, 8.25, false, false);
        case FontKey::A:
            return face(kSans, 9.75, true, false);
        case FontKey::B:
            return face(kSans, 12, true, false);
        case FontKey::C:
            return face(kSans, 8.25, true, false);
        case FontKey::D:
            return face(kHeavySans, 14.25, true, true);
        case FontKey::E:
            return face(kHeavySans, 15.75, true, true);
    }
    return face(kSans, 8.25, false, false);
}

void installDefaultFont() {
    QApplication::setFont(fontFor(FontKey::Default));
}

}  // namespace ui
