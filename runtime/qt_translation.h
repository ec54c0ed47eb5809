#pragma once

#include <QLocale>

namespace rt {

// Puts Qt's own wording (the text boxes' context menu, standard buttons) into
// Hungarian when the locale is Hungarian, from the catalogue Qt installs
// beside itself; any other locale keeps Qt's English. A second call replaces
// what the first installed. False when no catalogue was installed.
bool installQtTranslation(const QLocale& locale);

}  // namespace rt
