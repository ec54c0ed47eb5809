#pragma once

#include <QLocale>
#include <algorithm>
#include <iterator>
#include <vector>

#include "chart/chart_procedures.h"
#include "chart/recording_surface.h"
#include "tests/model/fake_controls.h"

namespace charttest {

inline constexpr rt::Color kBlack = rt::rgb(0, 0, 0);
inline constexpr rt::Color kRed = rt::rgb(250, 0, 0);
inline constexpr rt::Color kGreen = rt::rgb(0, 200, 0);

// The chart procedures over a recording surface and fake labels, in the
// state start-up leaves (stagnationX as the evaluation finds it).
struct Chart {
    model::CollectorState state;
    rt::NumberFormat format{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    chart::RecordingSurface graf{format};
    fake::Label label12, label2, label3, label4;
    chart::ChartProcedures procedures{state, {graf, label12, label2, label3, label4}, format};

    Chart() {
        state.eta0 = rt::Currency::literal("0.798");
        state.a1 = rt::Currency::literal("4.17");
        state.a2 = rt::Currency::literal("0.011");
        state.collectorArea = rt::Currency::literal("1");
        state.collectorTemp = rt::Integer{60};
        state.ambientTemp = rt::Integer{20};
        state.irradiance = rt::Integer{800};
        state.stagnationX = rt::Currency::literal("0.148");
    }

    [[nodiscard]] std::vector<chart::RecordedLine> linesIn(rt::Color color) const {
        std::vector<chart::RecordedLine> out;
        std::copy_if(graf.lines().begin(), graf.lines().end(), std::back_inserter(out),
                     [color](const chart::RecordedLine& l) { return l.color == color; });
        return out;
    }
};

}  // namespace charttest
