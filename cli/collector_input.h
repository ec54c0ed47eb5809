#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>

#include "model/annual_yield.h"
#include "model/calculation.h"

// --input: a table of collectors, as a spreadsheet, a script or the
// library's export writes it, read by the library's one reader.
namespace cli {

struct InputReport {
    int accepted = 0;
    // One "<file>:<line>: <column>: <reason>" line for each refusal.
    QStringList refusals;
    // What the run says of the whole file: an encoding it had to guess.
    QStringList notes;
};

// Hands each accepted row to `take` as it is read, in input order. Each row
// is converted as a stored collector is (library::windowCollector): the
// window's range of each box applies. A row without a name is the custom
// collector's; a file without an area column is 1 m² a collector.
[[nodiscard]] InputReport readCollectors(QIODevice& device, const QString& fileName,
                                         const std::function<void(const model::Collector&)>& take);

// The same rows as a year's yield takes them (library::thermalCollector):
// the library's ranges, η0,b and Kd where a row has them; with each its name.
[[nodiscard]] InputReport readThermalCollectors(
    QIODevice& device, const QString& fileName,
    const std::function<void(const QString& name, const model::ThermalCollector&)>& take);

}  // namespace cli
