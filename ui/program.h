#pragma once

#include <QLocale>
#include <memory>

#include "efficiency_window.h"

namespace ui {

// Whether Qt will find a display for the platform it is going to use; Qt
// itself aborts with a core dump when there is none.
[[nodiscard]] bool displayAvailable(int argc, char* argv[]);

// The application-wide settings every run shares: fonts, names, version, and
// Qt's own wording in the user's language.
void setUpApplication();

// The window as the program creates it: controls from the table, then the
// load procedure. Null when a runtime error ended the load.
[[nodiscard]] std::unique_ptr<Efficiency> createWindow(const QLocale& locale,
                                                       rt::MessageBox& messageBox,
                                                       Efficiency::ErrorReport reportError);

}  // namespace ui
