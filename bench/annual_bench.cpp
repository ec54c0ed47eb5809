// The annual yield's costs beside the floor: a plain loop that computes the
// same year's hours at three temperatures from the same arrays.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "library/collector_record.h"
#include "library/stored_calculation.h"
#include "model/annual_yield.h"

namespace {

const std::string& csvBytes() {
    static const std::string bytes = [] {
        std::ifstream in(EFFICIENCY_WEATHER_FILE, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    }();
    return bytes;
}

const model::PreparedYear& preparedYear() {
    static const model::PreparedYear year =
        model::prepareYear(model::readWeather(csvBytes(), "year.csv"), {});
    return year;
}

const model::ThermalCollector kFlatPlate{
    .eta0b = 0.8,
    .kd = 0.9,
    .a1 = 3.5,
    .a2 = 0.015,
    .area = 2.3,
    .beamModifier = model::IncidenceModifier::fromTable(model::AngleTable(
        {10, 20, 30, 40, 50, 60, 70, 80}, {1, 0.99, 0.98, 0.96, 0.93, 0.87, 0.76, 0.5}))};

void readWeather(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(model::readWeather(csvBytes(), "year.csv"));
    }
}
BENCHMARK(readWeather)->Unit(benchmark::kMillisecond);

void readAndPrepare(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            model::prepareYear(model::readWeather(csvBytes(), "year.csv"), {}));
    }
}
BENCHMARK(readAndPrepare)->Unit(benchmark::kMillisecond);

void collectorYear(benchmark::State& state) {
    const model::PreparedYear& year = preparedYear();
    for (auto _ : state) {
        benchmark::DoNotOptimize(model::annualYield(year, kFlatPlate));
    }
}
BENCHMARK(collectorYear)->Unit(benchmark::kMicrosecond);

void plainLoop(benchmark::State& state) {
    const model::PreparedYear& year = preparedYear();
    for (auto _ : state) {
        for (double tm : model::kDefaultFluidTemperatures) {
            double sum = 0;
            for (std::size_t i = 0; i < year.hours(); ++i) {
                const double dt = tm - year.airTemperature[i];
                const double q = kFlatPlate.eta0b * (year.beam[i] + year.diffuse[i]) -
                                 kFlatPlate.a1 * dt - kFlatPlate.a2 * dt * dt;
                sum += std::max(q, 0.0);
            }
            benchmark::DoNotOptimize(sum);
        }
    }
}
BENCHMARK(plainLoop)->Unit(benchmark::kMicrosecond);

// A library of 1,000 flat plates and tubes, each with its own coefficients,
// converted from the stored records and given a year at three temperatures.
void thousandLibraryCollectors(benchmark::State& state) {
    const model::PreparedYear& year = preparedYear();
    QList<library::Collector> stored;
    for (int i = 0; i < 1000; ++i) {
        library::Collector c;
        c.name = QStringLiteral("K%1").arg(i);
        const bool tube = i % 3 == 0;
        (void)library::setFieldText(
            c, library::Field::Eta0b,
            QString::number(tube ? 0.6 + i % 7 * 0.01 : 0.8 - i % 5 * 0.01));
        (void)library::setFieldText(c, library::Field::Kd, QStringLiteral("0.9"));
        (void)library::setFieldText(c, library::Field::A1,
                                    QString::number(tube ? 1.2 : 3.5 + i % 4 * 0.1));
        (void)library::setFieldText(c, library::Field::A2, QStringLiteral("0.012"));
        (void)library::setFieldText(c, library::Field::GrossArea, QStringLiteral("2.3"));
        stored.append(c);
    }
    for (auto _ : state) {
        double sum = 0;
        for (const library::Collector& c : stored) {
            const auto converted = library::thermalCollector(c);
            for (const model::AnnualYield& y :
                 model::annualYield(year, std::get<model::ThermalCollector>(converted))) {
                sum += y.perCollector;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(thousandLibraryCollectors)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
