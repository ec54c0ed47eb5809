#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "evaluation.h"
#include "runtime/fixed4.h"
#include "runtime/int16.h"
#include "runtime/runtime_error.h"

// The calculation core: from a collector and the operating conditions to the
// results, as numbers. It knows no controls; every front end formats the same
// results (result_texts.h).
namespace model {

struct Collector {
    QString name;  // as the list or the legend names it
    rt::Fixed4 eta0;
    rt::Fixed4 a1;    // W/(m²·K)
    rt::Fixed4 a2;    // W/(m²·K²)
    rt::Fixed4 area;  // m²
};

// The three sliders' values.
struct Conditions {
    rt::Int16 collectorTemp;  // °C
    rt::Int16 ambientTemp;    // °C
    rt::Int16 irradiance;     // W/m²
};

// A result, or the runtime error that kept the calculation from it. Reading a
// result that was not reached raises the error there, so that a front end
// stops where the step-by-step procedure would have stopped, keeping what it
// stored, wrote and drew before.
template <typename T>
class Reached {
public:
    Reached() = default;
    Reached(T value) : value_(std::move(value)) {}  // NOLINT: a result converts implicitly
    [[nodiscard]] static Reached failed(rt::ErrorKind kind) {
        Reached result;
        result.error_ = kind;
        return result;
    }
    // Runs `compute`; a runtime error becomes the result.
    template <typename F>
    [[nodiscard]] static Reached of(F&& compute) {
        try {
            return Reached(compute());
        } catch (const rt::RuntimeError& error) {
            return failed(error.kind());
        }
    }

    [[nodiscard]] const T& get() const {
        if (error_) {
            throw rt::RuntimeError(*error_);
        }
        return value_;
    }
    [[nodiscard]] std::optional<rt::ErrorKind> error() const { return error_; }

    // The same error, or `f` of the value.
    template <typename F>
    [[nodiscard]] auto map(F&& f) const -> Reached<decltype(f(std::declval<const T&>()))> {
        using U = decltype(f(std::declval<const T&>()));
        if (error_) {
            return Reached<U>::failed(*error_);
        }
        return Reached<U>::of([&] { return f(value_); });
    }

private:
    T value_{};
    std::optional<rt::ErrorKind> error_;
};

// One point of the curve: x = k · kCurveStep and the efficiency there.
struct CurvePoint {
    double x;
    rt::Fixed4 eta;
};

// The curve from x = 0 up to and with its first point at zero efficiency or
// below. A runtime error ends it early, after the points computed before.
struct Curve {
    std::vector<CurvePoint> points;
    std::optional<rt::ErrorKind> error;
};

// Which rule decides what the results at the operating point show. The
// tests are made in this order and a later one that holds overrides an
// earlier one; at least one always holds.
enum class OperatingRule {
    OpticalEfficiency,  // not warmer than the surroundings: no heat loss
    BeyondZero,         // at or beyond the curve's zero: nothing is gained
    OnCurve,
};

struct OperatingPoint {
    OperatingRule rule{};
    rt::Fixed4 curveEta;        // the operating equation's value at x
    rt::Fixed4 eta;             // what the results show: eta0, curveEta or 0
    rt::Fixed4 specificOutput;  // W/m², irradiance · eta
    rt::Fixed4 output;          // W, specificOutput · area
};

// Each value is the exact one its display rule is applied to.
struct Results {
    // At x = 0.05 and 800 W/m², before its cut to thousandths.
    Reached<rt::Fixed4> characteristic;
    // One search step beyond the curve's zero: the end of the chart's x scale.
    Reached<rt::Fixed4> zeroEfficiencyX;
    Curve curve;
    // (collector − ambient temperature) / irradiance, m²·K/W.
    Reached<rt::Fixed4> operatingX;
    Reached<OperatingPoint> operating;
};

// What a caller reads of the results, so that the calculation leaves out
// what nobody reads. A chart run repeats it on every slider move.
struct Scope {
    // Without the search, zeroEfficiencyX is left at 0 and must not be read.
    bool zeroEfficiencyX = true;
    // The curve may also end after its first point with x beyond this.
    std::optional<double> curveEndX;
};

// The one calculation. It never throws: a runtime error is held by the
// result it kept from being reached.
[[nodiscard]] Results calculate(const Collector& collector, const Conditions& conditions,
                                const Scope& scope = {});

// The roundings and cuts the shown digits depend on, each named once.

// The characteristic efficiency and x are shown cut to three decimals toward
// minus infinity, Int(1000 · v) / 1000, so that no value shows above itself.
[[nodiscard]] double thousandthsDown(rt::Fixed4 value);
// The efficiency is shown in percent with one decimal, cut toward minus
// infinity: Int(1000 · eta) / 10.
[[nodiscard]] double percentTenthsDown(rt::Fixed4 eta);
// The outputs are shown in whole watts, cut toward minus infinity.
[[nodiscard]] rt::Fixed4 wattsDown(rt::Fixed4 watts);
// Whether the efficiency shows as 0 %: where the power table stops.
[[nodiscard]] bool showsNoEfficiency(const OperatingPoint& point);

}  // namespace model
