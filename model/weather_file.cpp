#include "weather_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "solar_position.h"

namespace model {

WeatherError::WeatherError(std::string file, int line, int column, WeatherProblem problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ":" + std::to_string(column)),
      file_(std::move(file)),
      line_(line),
      column_(column),
      problem_(std::move(problem)) {}

namespace {

struct Field {
    std::string_view text;
    int column;  // 1-based
};

enum class Quantity { Temperature, Irradiance, Infrared, Wind };

// A row's stamp as the calendar check needs it: hour 0 … 23 is the hour's
// start in the stamps' own time.
struct Stamp {
    int year, month, day, hour;
    int line;
};

class Reader {
public:
    Reader(std::string_view bytes, std::string_view fileName);

    [[noreturn]] void fail(int line, int column, WeatherProblem problem) const {
        throw WeatherError(file_, line, column, std::move(problem));
    }
    [[noreturn]] void fail(int line, int column, WeatherFault fault,
                           std::string_view text = {}) const {
        fail(line, column, WeatherProblem{fault, std::string(text)});
    }
    [[nodiscard]] std::size_t lineCount() const { return lines_.size(); }
    [[nodiscard]] std::string_view line(std::size_t index) const { return lines_[index]; }

    // The comma-separated fields of a line; double quotes enclose commas.
    const std::vector<Field>& fields(std::size_t index, std::size_t atLeast);
    double number(const Field& field, int line) const;
    double quantity(const Field& field, int line, Quantity quantity) const;
    int integer(std::string_view text, int line, int column) const;

private:
    std::string file_;
    std::vector<std::string_view> lines_;
    std::vector<Field> fields_;
};

Reader::Reader(std::string_view bytes, std::string_view fileName) : file_(fileName) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view text = bytes.substr(0, end);
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        lines_.push_back(text);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
}

const std::vector<Field>& Reader::fields(std::size_t index, std::size_t atLeast) {
    const std::string_view text = lines_[index];
    fields_.clear();
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"') {
            quoted = !quoted;
        } else if (i == text.size() || (text[i] == ',' && !quoted)) {
            std::string_view field = text.substr(start, i - start);
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
                field = field.substr(1, field.size() - 2);
            }
            fields_.push_back({field, static_cast<int>(start) + 1});
            start = i + 1;
        }
    }
    if (fields_.size() < atLeast) {
        fail(static_cast<int>(index) + 1, static_cast<int>(text.size()) + 1,
             {.fault = WeatherFault::TooFewFields,
              .expected = static_cast<int>(atLeast),
              .found = static_cast<int>(fields_.size())});
    }
    return fields_;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

double Reader::number(const Field& field, int line) const {
    const std::string_view text = trimmed(field.text);
    if (text.empty()) {
        fail(line, field.column, WeatherFault::MissingValue);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        fail(line, field.column, WeatherFault::NotANumber, text);
    }
    return value;
}

int Reader::integer(std::string_view text, int line, int column) const {
    text = trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        fail(line, column, WeatherFault::NotAWholeNumber, text);
    }
    return value;
}

// The files mark a missing value by a run of nines (or TMY3's −9900);
// ranges beyond any weather keep nonsense out of the sums.
struct Limits {
    double missingAbove, lowest, highest;
};

constexpr Limits limitsOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Temperature:
            return {99.9, -90, 70};
        case Quantity::Irradiance:
            return {9999, -1, 2000};
        case Quantity::Infrared:
            return {9999, 0, 1000};
        case Quantity::Wind:
            break;
    }
    return {999, 0, 100};
}

double Reader::quantity(const Field& field, int line, Quantity quantity) const {
    const double value = number(field, line);
    const Limits limits = limitsOf(quantity);
    if (value >= limits.missingAbove || value <= -9900) {
        fail(line, field.column, WeatherFault::MissingValue);
    }
    if (quantity == Quantity::Irradiance && value < limits.lowest) {
        fail(line, field.column, WeatherFault::IrradianceBelowLimit);
    }
    if (value < limits.lowest || value > limits.highest) {
        fail(line, field.column, WeatherFault::Implausible, trimmed(field.text));
    }
    return quantity == Quantity::Irradiance ? std::max(value, 0.0) : value;
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

void checkDate(const Reader& reader, const Stamp& s, int column) {
    if (s.month < 1 || s.month > 12 || s.day < 1 || s.day > daysIn(s.year, s.month) || s.hour < 0 ||
        s.hour > 23) {
        reader.fail(s.line, column, WeatherFault::InvalidTime);
    }
}

// Exactly one year of hours in calendar order; fills the day and hour.
void checkYear(const Reader& reader, const std::vector<Stamp>& stamps, int endLine,
               WeatherYear& year) {
    const std::size_t n = stamps.size();
    if (n != 8760 && n != 8784) {
        const int line = n > 8784 ? stamps[8784].line : endLine;
        reader.fail(line, 1, {.fault = WeatherFault::HourCount, .found = static_cast<int>(n)});
    }
    const int february = n == 8784 ? 29 : 28;
    year.dayOfYear.resize(n);
    year.hour.resize(n);
    std::size_t i = 0;
    for (int month = 1; month <= 12; ++month) {
        const int days = month == 2 ? february : daysIn(2001, month);
        for (int day = 1; day <= days; ++day) {
            for (int hour = 0; hour < 24; ++hour, ++i) {
                const Stamp& s = stamps[i];
                if (s.month != month || s.day != day || s.hour != hour) {
                    reader.fail(s.line, 1,
                                {.fault = WeatherFault::UnexpectedHour,
                                 .month = month,
                                 .day = day,
                                 .hour = hour});
                }
                year.dayOfYear[i] = static_cast<std::uint16_t>(i / 24 + 1);
                year.hour[i] = static_cast<std::uint8_t>(hour);
            }
        }
    }
}

// The weather columns a row gives, in the order of WeatherYear.
struct Columns {
    std::size_t temperature, ghi, dni, dhi, wind;
    std::optional<std::size_t> infrared;
};

void readQuantities(Reader& reader, const std::vector<Field>& f, int line, const Columns& c,
                    WeatherYear& year) {
    year.airTemperature.push_back(reader.quantity(f[c.temperature], line, Quantity::Temperature));
    year.ghi.push_back(reader.quantity(f[c.ghi], line, Quantity::Irradiance));
    year.dni.push_back(reader.quantity(f[c.dni], line, Quantity::Irradiance));
    year.dhi.push_back(reader.quantity(f[c.dhi], line, Quantity::Irradiance));
    if (c.infrared) {
        year.infrared.push_back(reader.quantity(f[*c.infrared], line, Quantity::Infrared));
    }
    year.wind.push_back(reader.quantity(f[c.wind], line, Quantity::Wind));
    year.month.push_back(0);
}

void finish(const Reader& reader, const std::vector<Stamp>& stamps, int endLine,
            WeatherYear& year) {
    checkYear(reader, stamps, endLine, year);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        year.month[i] = static_cast<std::uint8_t>(stamps[i].month - 1);
    }
}

void checkRange(const Reader& reader, double value, double lowest, double highest, int line,
                int column) {
    if (value < lowest || value > highest) {
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", value);
        reader.fail(line, column, WeatherFault::Implausible, text);
    }
}

// The value after "key:" on the PVGIS header line that starts with key, and
// that line.
struct HeaderValue {
    double value;
    int line;
};

std::optional<HeaderValue> pvgisHeader(const Reader& reader, std::size_t end,
                                       std::string_view key) {
    for (std::size_t i = 0; i < end; ++i) {
        const std::string_view text = reader.line(i);
        const std::size_t colon = text.find(':');
        if (text.starts_with(key) && colon != std::string_view::npos) {
            const int line = static_cast<int>(i) + 1;
            const Field value{text.substr(colon + 1), static_cast<int>(colon) + 2};
            return HeaderValue{reader.number(value, line), line};
        }
    }
    return std::nullopt;
}

std::size_t columnNamed(const Reader& reader, const std::vector<Field>& header, int line,
                        std::string_view name) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimmed(header[i].text) == name) {
            return i;
        }
    }
    reader.fail(line, 1, WeatherFault::MissingColumn, name);
}

std::optional<std::size_t> optionalColumn(const std::vector<Field>& header, std::string_view name) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimmed(header[i].text) == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t pvgisColumnLine(const Reader& reader) {
    for (std::size_t i = 0; i < reader.lineCount(); ++i) {
        if (reader.line(i).starts_with("time(UTC),")) {
            return i;
        }
    }
    reader.fail(static_cast<int>(reader.lineCount()) + 1, 1, WeatherFault::MissingColumnHeader);
}

void readPvgisSite(const Reader& reader, std::size_t columnLine, WeatherYear& year,
                   double& offset) {
    struct Key {
        std::string_view name;
        double lowest, highest;
    };
    constexpr Key kKeys[] = {{"Latitude", -90, 90},
                             {"Longitude", -180, 180},
                             {"Elevation", -1000, 9000},
                             {"Irradiance Time Offset", -1, 1}};
    double values[4];
    for (int k = 0; k < 4; ++k) {
        const auto header = pvgisHeader(reader, columnLine, kKeys[k].name);
        if (!header) {
            reader.fail(static_cast<int>(columnLine) + 1, 1, WeatherFault::MissingHeaderValue,
                        kKeys[k].name);
        }
        checkRange(reader, header->value, kKeys[k].lowest, kKeys[k].highest, header->line, 1);
        values[k] = header->value;
    }
    year.latitude = values[0];
    year.longitude = values[1];
    year.elevation = values[2];
    offset = values[3];
}

Stamp pvgisStamp(const Reader& reader, const Field& field, int line, double& minutes) {
    const std::string_view t = field.text;
    if (t.size() != 13 || t[8] != ':') {
        reader.fail(line, field.column, WeatherFault::InvalidTime, t);
    }
    Stamp s{reader.integer(t.substr(0, 4), line, field.column),
            reader.integer(t.substr(4, 2), line, field.column),
            reader.integer(t.substr(6, 2), line, field.column),
            reader.integer(t.substr(9, 2), line, field.column), line};
    minutes = reader.integer(t.substr(11, 2), line, field.column);
    if (minutes < 0 || minutes > 59) {
        reader.fail(line, field.column, WeatherFault::InvalidTime);
    }
    checkDate(reader, s, field.column);
    return s;
}

WeatherYear readPvgis(Reader& reader, WeatherYear year) {
    const std::size_t columnLine = pvgisColumnLine(reader);
    double offset = 0;
    readPvgisSite(reader, columnLine, year, offset);
    const auto header = reader.fields(columnLine, 1);
    const int headerLine = static_cast<int>(columnLine) + 1;
    const Columns c{columnNamed(reader, header, headerLine, "T2m"),
                    columnNamed(reader, header, headerLine, "G(h)"),
                    columnNamed(reader, header, headerLine, "Gb(n)"),
                    columnNamed(reader, header, headerLine, "Gd(h)"),
                    columnNamed(reader, header, headerLine, "WS10m"),
                    optionalColumn(header, "IR(h)")};
    const std::size_t width = header.size();
    year.hasInfrared = c.infrared.has_value();
    std::vector<Stamp> stamps;
    std::size_t i = columnLine + 1;
    // The rows end at the first empty line; the column legend follows.
    for (; i < reader.lineCount() && !trimmed(reader.line(i)).empty(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const auto& f = reader.fields(i, width);
        double minutes = 0;
        const Stamp s = pvgisStamp(reader, f[0], line, minutes);
        stamps.push_back(s);
        year.sunTime.push_back(julianDay(s.year, s.month, s.day, s.hour + minutes / 60 + offset));
        readQuantities(reader, f, line, c, year);
    }
    finish(reader, stamps, static_cast<int>(i) + 1, year);
    return year;
}

// The data rows after `first`: every line to the last non-empty one.
std::size_t dataEnd(const Reader& reader, std::size_t first) {
    std::size_t end = reader.lineCount();
    while (end > first && trimmed(reader.line(end - 1)).empty()) {
        --end;
    }
    return end;
}

// Where the first line gives the site's values, in the file's own order.
struct SiteFields {
    std::size_t count, latitude, longitude, timeZone, elevation;
};

void readSite(Reader& reader, WeatherYear& year, const SiteFields& at) {
    const auto& f = reader.fields(0, at.count);
    const struct {
        double& value;
        std::size_t field;
        double lowest, highest;
    } values[] = {{year.latitude, at.latitude, -90, 90},
                  {year.longitude, at.longitude, -180, 180},
                  {year.timeZone, at.timeZone, -12, 14},
                  {year.elevation, at.elevation, -1000, 9000}};
    for (const auto& v : values) {
        v.value = reader.number(f[v.field], 1);
    }
    for (const auto& v : values) {
        checkRange(reader, v.value, v.lowest, v.highest, 1, f[v.field].column);
    }
}

void readEpwSite(Reader& reader, WeatherYear& year) {
    readSite(reader, year,
             {.count = 10, .latitude = 6, .longitude = 7, .timeZone = 8, .elevation = 9});
    if (reader.lineCount() < 8 || !reader.line(7).starts_with("DATA PERIODS")) {
        reader.fail(8, 1, WeatherFault::NoDataPeriods);
    }
}

// Hour-ending local standard time: the hour's sun stands half an hour earlier.
double hourEndingSunTime(const Stamp& s, double timeZone) {
    return julianDay(s.year, s.month, s.day, s.hour + 0.5 - timeZone);
}

WeatherYear readEpw(Reader& reader, WeatherYear year) {
    readEpwSite(reader, year);
    year.hasInfrared = true;
    const Columns c{6, 13, 14, 15, 21, 12};
    std::vector<Stamp> stamps;
    const std::size_t end = dataEnd(reader, 8);
    for (std::size_t i = 8; i < end; ++i) {
        const int line = static_cast<int>(i) + 1;
        const auto& f = reader.fields(i, 22);
        Stamp s{reader.integer(f[0].text, line, f[0].column),
                reader.integer(f[1].text, line, f[1].column),
                reader.integer(f[2].text, line, f[2].column),
                reader.integer(f[3].text, line, f[3].column) - 1, line};
        checkDate(reader, s, f[3].column);
        stamps.push_back(s);
        year.sunTime.push_back(hourEndingSunTime(s, year.timeZone));
        readQuantities(reader, f, line, c, year);
    }
    finish(reader, stamps, static_cast<int>(end) + 1, year);
    return year;
}

void readTmy3Site(Reader& reader, WeatherYear& year) {
    readSite(reader, year,
             {.count = 7, .latitude = 4, .longitude = 5, .timeZone = 3, .elevation = 6});
}

// "MM/DD/YYYY" and "HH:MM", the hour ending 01:00 … 24:00.
Stamp tmy3Stamp(const Reader& reader, const Field& date, const Field& time, int line) {
    const std::string_view d = trimmed(date.text);
    const std::string_view t = trimmed(time.text);
    if (d.size() != 10 || d[2] != '/' || d[5] != '/' || t.size() != 5 || t[2] != ':' ||
        t.substr(3) != "00") {
        reader.fail(line, date.column, WeatherFault::InvalidTime);
    }
    Stamp s{reader.integer(d.substr(6), line, date.column),
            reader.integer(d.substr(0, 2), line, date.column),
            reader.integer(d.substr(3, 2), line, date.column),
            reader.integer(t.substr(0, 2), line, time.column) - 1, line};
    checkDate(reader, s, date.column);
    return s;
}

WeatherYear readTmy3(Reader& reader, WeatherYear year) {
    readTmy3Site(reader, year);
    const auto header = reader.fields(1, 2);
    const Columns c{columnNamed(reader, header, 2, "Dry-bulb (C)"),
                    columnNamed(reader, header, 2, "GHI (W/m^2)"),
                    columnNamed(reader, header, 2, "DNI (W/m^2)"),
                    columnNamed(reader, header, 2, "DHI (W/m^2)"),
                    columnNamed(reader, header, 2, "Wspd (m/s)"),
                    std::nullopt};
    const std::size_t date = columnNamed(reader, header, 2, "Date (MM/DD/YYYY)");
    const std::size_t time = columnNamed(reader, header, 2, "Time (HH:MM)");
    std::vector<Stamp> stamps;
    const std::size_t end = dataEnd(reader, 2);
    for (std::size_t i = 2; i < end; ++i) {
        const int line = static_cast<int>(i) + 1;
        const auto& f = reader.fields(i, header.size());
        const Stamp s = tmy3Stamp(reader, f[date], f[time], line);
        stamps.push_back(s);
        year.sunTime.push_back(hourEndingSunTime(s, year.timeZone));
        readQuantities(reader, f, line, c, year);
    }
    finish(reader, stamps, static_cast<int>(end) + 1, year);
    return year;
}

}  // namespace

WeatherYear readWeather(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() > kLargestWeatherFile) {
        throw WeatherError(std::string(fileName), 1, 1, {WeatherFault::TooLarge});
    }
    Reader reader(bytes, fileName);
    WeatherYear year;
    year.source = std::string(fileName);
    if (reader.lineCount() == 0) {
        reader.fail(1, 1, WeatherFault::Empty);
    }
    if (reader.line(0).starts_with("Latitude (decimal degrees):")) {
        year.format = WeatherFormat::PvgisCsv;
        return readPvgis(reader, std::move(year));
    }
    if (reader.line(0).starts_with("LOCATION,")) {
        year.format = WeatherFormat::Epw;
        return readEpw(reader, std::move(year));
    }
    if (reader.lineCount() > 1 && reader.line(1).starts_with("Date (MM/DD/YYYY),")) {
        year.format = WeatherFormat::Tmy3;
        return readTmy3(reader, std::move(year));
    }
    reader.fail(1, 1, WeatherFault::UnknownFormat);
}

}  // namespace model
