#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

#include "model/calculation.h"

// --input: a table of collectors, as a spreadsheet or a script writes it.
namespace cli {

// The columns a table may have; eta0, a1 and a2 it must have.
inline constexpr QStringView kInputColumns[] = {u"name", u"eta0", u"a1", u"a2", u"area"};

struct CollectorTable {
    std::vector<model::Collector> collectors;  // the accepted rows, in input order
    // One "<file>:<line>: <column>: <warning>" line for each refused value.
    QStringList refusals;
};

// Reads a CSV table (a header naming its columns, then a collector a row,
// separated by commas, or by semicolons with decimal commas allowed) or a
// JSON array of objects with the same keys. Each value passes the window's
// check of its box. A table that cannot be read at all gives the one line
// saying why, "<file>: <reason>".
[[nodiscard]] std::variant<CollectorTable, QString> readCollectors(const QByteArray& bytes,
                                                                   const QString& fileName);

}  // namespace cli
