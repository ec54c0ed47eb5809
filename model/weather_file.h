#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Hourly weather of one year from the files solar tools exchange: a PVGIS
// TMY CSV, an EPW file or an NSRDB TMY3 CSV, told apart by their content.
namespace model {

enum class WeatherFormat { PvgisCsv, Epw, Tmy3 };

// A column per quantity, one entry per hour in the file's order: the year
// loop reads one quantity across all hours at a time.
struct WeatherYear {
    WeatherFormat format = WeatherFormat::PvgisCsv;
    std::string source;    // the file's name
    double latitude = 0;   // °, north positive
    double longitude = 0;  // °, east positive
    double elevation = 0;  // m
    double timeZone = 0;   // h east of UTC of the stamps' time
    bool hasInfrared = false;

    std::vector<double> sunTime;           // Julian day (UT) the hour's sun is taken at
    std::vector<std::uint8_t> month;       // 0 … 11
    std::vector<std::uint16_t> dayOfYear;  // 1 … 366
    std::vector<std::uint8_t> hour;        // 0 … 23, the hour's start in the stamps' time
    std::vector<double> airTemperature;    // °C
    std::vector<double> ghi;               // global horizontal, W/m²
    std::vector<double> dni;               // direct normal, W/m²
    std::vector<double> dhi;               // diffuse horizontal, W/m²
    std::vector<double> infrared;          // horizontal long-wave, W/m²; empty without
    std::vector<double> wind;              // m/s

    [[nodiscard]] std::size_t hours() const { return sunTime.size(); }
};

// Why a file was refused; the presentation words it.
enum class WeatherFault {
    Empty,
    TooLarge,  // more than kLargestWeatherFile bytes
    UnknownFormat,
    TooFewFields,  // `expected` fields wanted, `found` given
    MissingValue,
    NotANumber,            // `text`
    NotAWholeNumber,       // `text`
    IrradianceBelowLimit,  // below −1 W/m²
    Implausible,           // `text`, the value
    InvalidTime,           // `text` where the stamp is not even shaped as one
    HourCount,             // `found` hours, not 8,760 or 8,784
    UnexpectedHour,        // the hour due is `month`-`day` `hour` h
    MissingColumn,         // `text`, the column's name
    MissingColumnHeader,   // PVGIS's "time(UTC),…" line
    MissingHeaderValue,    // `text`, the PVGIS header's key
    NoDataPeriods,         // EPW's eighth line
};

struct WeatherProblem {
    WeatherFault fault = WeatherFault::Empty;
    std::string text{};  // as the file writes it
    int expected = 0;
    int found = 0;
    int month = 0, day = 0, hour = 0;  // 1-based month and day
};

// Why a file was refused and where: line and column count from 1; what()
// reads "file:line:column" only, as the words are the presentation's.
class WeatherError : public std::runtime_error {
public:
    WeatherError(std::string file, int line, int column, WeatherProblem problem);

    [[nodiscard]] const std::string& file() const { return file_; }
    [[nodiscard]] int line() const { return line_; }
    [[nodiscard]] int column() const { return column_; }
    [[nodiscard]] const WeatherProblem& problem() const { return problem_; }

private:
    std::string file_;
    int line_;
    int column_;
    WeatherProblem problem_;
};

// More than a year of hours can take in any of the formats, by far; the
// front ends read no more than one byte beyond it.
inline constexpr std::size_t kLargestWeatherFile = 64 * 1024 * 1024;

// Reads a whole file's bytes. Refuses, with a WeatherError, anything but
// exactly one year of hours (8,760, or 8,784 with 29 February) in calendar
// order, a missing value, irradiance below −1 W/m² and implausible values;
// irradiance between −1 and 0 W/m² reads as 0.
[[nodiscard]] WeatherYear readWeather(std::string_view bytes, std::string_view fileName);

}  // namespace model
