#pragma once

#include <QString>

namespace ui {

// Loads a module of the program's own (beside the program in the build
// tree, one folder over beside the tests and tools, or where the package
// installs it) and returns the function exported as `entry`; null when the
// module cannot be found or loaded. Loaded modules stay for good.
[[nodiscard]] void* moduleEntry(const QString& fileName, const char* entry);

}  // namespace ui
