#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "model/calculation.h"
#include "runtime/number_text.h"

// What --calc and --table write for one or more collectors at the same
// operating conditions.
namespace cli {

enum class ReportFormat {
    Text,          // the window's names and texts, in the locale's format
    Json,          // one object a line, numbers as JSON numbers, no units
    Csv,           // RFC 4180: a header, comma, decimal point, CRLF
    CsvHungarian,  // the same with semicolons and decimal commas
};

struct Report {
    ReportFormat format = ReportFormat::Text;
    // Text only: several collectors, each block led by its name.
    bool named = false;
    // --table's step in kelvin; none for --calc.
    std::optional<int> tableStep{};
};

// Writes a report a collector at a time, so that a long input is written as
// it is read. The numbers are the shown digits: the window's display rules
// applied to the calculation's exact results. Only Text follows `locale`.
// Raises the runtime error of a result the calculation did not reach.
class ReportWriter {
public:
    ReportWriter(const model::Conditions& conditions, const Report& report, const QLocale& locale);

    // The CSV header; empty for the other formats.
    [[nodiscard]] QString header() const;
    // One collector's lines.
    [[nodiscard]] QString collector(const model::Collector& collector);

private:
    [[nodiscard]] QString calcLines(const model::Collector& collector) const;
    [[nodiscard]] QString tableLines(const model::Collector& collector) const;

    model::Conditions conditions_;
    Report report_;
    rt::NumberFormat textFormat_;
    // The three conditions' whole numbers, the same in every format and row.
    std::array<QString, 3> conditionTexts_;
    bool first_ = true;
};

// The whole report for a list of collectors.
[[nodiscard]] QString calcReport(const std::vector<model::Collector>& collectors,
                                 const model::Conditions& conditions, const Report& report,
                                 const QLocale& locale);
[[nodiscard]] QString tableReport(const std::vector<model::Collector>& collectors,
                                  const model::Conditions& conditions, int stepKelvin,
                                  const Report& report, const QLocale& locale);

}  // namespace cli
