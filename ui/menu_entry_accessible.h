#pragma once

class QAction;

namespace ui {

// Qt's own menu entries tell screen readers no description. An action given
// to this gets an accessible interface of its own that does: while the entry
// is disabled, its tooltip, which says why.
void describeWhenDisabled(QAction& action);

}  // namespace ui
