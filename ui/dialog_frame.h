#pragma once

#include <QSize>

class QDialog;
class QWidget;

namespace ui {

// Lays a dialog out as a body above `buttons` (which may be null). The body
// scrolls where the screen is too small for it, so that the buttons below
// always stay in view. Returns the body, to lay the dialog's fields out on.
[[nodiscard]] QWidget* scrollingBody(QDialog& dialog, QWidget* buttons);

// Sizes the dialog to `preferred`, or to its body's natural size when that
// is not given, bounded by the available area of the screen it opens on.
void fitToScreen(QDialog& dialog, QSize preferred = {});

}  // namespace ui
