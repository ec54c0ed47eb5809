#include "collector_input.h"

#include <variant>

#include "library/collector_import.h"
#include "library/stored_calculation.h"
#include "model/presets.h"

namespace cli {

InputReport readCollectors(QIODevice& device, const QString& fileName,
                           const std::function<void(const model::Collector&)>& take) {
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
        auto converted = library::windowCollector(row->collector);
        if (auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
            refuse({row->line, row->element, library::columnOf(*row, refusal->problem.field),
                    refusal->problem.reason});
            continue;
        }
        ++table.accepted;
        take(std::get<model::Collector>(converted));
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

}  // namespace cli
