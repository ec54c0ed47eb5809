#pragma once

#include <QString>

#include "collector_store.h"

// Until every front end named the program alike, the command line kept its
// library in a folder of its own. Its collectors are brought over once.
namespace library {

// <data folder>/efficiency/collectors.json.
[[nodiscard]] QString earlierCommandLinePath();

// Adds the collectors of the file at `earlierPath` to `store`, then renames
// that file aside (asideName), never deleting it. A name the store has with
// other values is added as "<name> (parancssor)", numbered where needed; one
// it has with the same values is not added again. Returns the one line that
// says what was brought over, or why nothing was (the file then stays where
// it is); empty when there is no such file.
[[nodiscard]] QString adoptEarlierLibrary(CollectorStore& store, const QString& earlierPath);

}  // namespace library
