#pragma once

#include <QLocale>
#include <QString>

#include "model/datasheet.h"

// The datasheet's table as the command line writes it.
namespace cli {

enum class DatasheetFormat {
    Text,          // the named lines, then the table tab-separated, in the locale's digits
    Json,          // one object; numbers as JSON numbers, absent values null
    Csv,           // RFC 4180: comma, decimal point, CRLF, the header first
    CsvHungarian,  // semicolon and decimal comma, as Hungarian spreadsheets read it
};

// `result` is computeDatasheet(input). Only Text follows `locale`; the others
// are the same in every locale.
[[nodiscard]] QString datasheetReport(const model::DatasheetInput& input,
                                      const model::DatasheetResult& result, DatasheetFormat format,
                                      const QLocale& locale);

}  // namespace cli
