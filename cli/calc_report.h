#pragma once

#include <QLocale>
#include <QString>
#include <vector>

#include "model/calculation.h"

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
};

// The numbers are the shown digits: the window's display rules applied to
// the calculation's exact results. Only Text follows `locale`. Raises the
// runtime error of a result the calculation did not reach.
[[nodiscard]] QString calcReport(const std::vector<model::Collector>& collectors,
                                 const model::Conditions& conditions, const Report& report,
                                 const QLocale& locale);
[[nodiscard]] QString tableReport(const std::vector<model::Collector>& collectors,
                                  const model::Conditions& conditions, int stepKelvin,
                                  const Report& report, const QLocale& locale);

}  // namespace cli
