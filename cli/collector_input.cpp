#include "collector_input.h"

#include <variant>

#include "library/collector_import.h"
#include "library/stored_calculation.h"
#include "model/presets.h"

namespace cli {
namespace {

// Reads every row, converts the accepted ones with `convert` (to a
// std::variant of the calculation's collector and library::NotCalculable)
// and hands each to `take` with its name.
template <typename Convert, typename Take>
InputReport readRows(QIODevice& device, const QString& fileName, const Convert& convert,
                     const Take& take) {
    InputReport table;
    library::CollectorReader reader(device);
    const QString customName = model::kCollectorTypes.back().name.toString();
    const auto refuse = [&](const library::Refusal& refusal) {
        table.refusals << library::describe(refusal, fileName);
    };
    while (std::optional<library::ReadRow> row = reader.next()) {
        for (const library::Refusal& refusal : row->refusals) {
            refuse(refusal);
        }
        if (!row->refusals.isEmpty()) {
            continue;
        }
        if (row->collector.name.trimmed().isEmpty()) {
            row->collector.name = customName;
        }
        auto converted = convert(row->collector);
        if (auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
            refuse({row->line, row->element, library::columnOf(*row, refusal->problem.field),
                    refusal->problem.reason});
            continue;
        }
        ++table.accepted;
        take(row->collector.name, std::get<0>(converted));
    }
    if (const auto& refusal = reader.fileRefusal()) {
        refuse(*refusal);
    }
    if (reader.decodedAsWindows1250()) {
        table.notes << QStringLiteral("%1: a fájl nem UTF-8, Windows-1250 kódolásúként olvasva.")
                           .arg(fileName);
    }
    return table;
}

}  // namespace

InputReport readCollectors(QIODevice& device, const QString& fileName,
                           const std::function<void(const model::Collector&)>& take) {
    return readRows(device, fileName, library::windowCollector,
                    [&](const QString&, const model::Collector& collector) { take(collector); });
}

InputReport readThermalCollectors(
    QIODevice& device, const QString& fileName,
    const std::function<void(const QString& name, const model::ThermalCollector&)>& take) {
    return readRows(device, fileName, library::thermalCollector, take);
}

}  // namespace cli
