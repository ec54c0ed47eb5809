#pragma once

#include <QStringView>
#include <array>

#include "runtime/fixed4.h"

namespace model {

struct CollectorType {
    QStringView name;  // the row's text in the collector-type list
    rt::Fixed4 eta0;
    rt::Fixed4 a1;
    rt::Fixed4 a2;
    bool typedCoefficients;  // the user types eta0, a1 and a2 in their boxes
};

using rt::Fixed4;

// The rows of the collector-type list, in list order. The custom row starts from the values of
// the selective flat-plate collector and remembers nothing typed earlier.
inline constexpr std::array<CollectorType, 6> kCollectorTypes{{
    {u"Vákumcsöves kollektor", Fixed4::literal("0.65"), Fixed4::literal("1.5"),
     Fixed4::literal("0.008"), false},
    {u"Vákumos síkkollektor", Fixed4::literal("0.8"), Fixed4::literal("2.6"),
     Fixed4::literal("0.008"), false},
    {u"Szelektív síkkollektor", Fixed4::literal("0.8"), Fixed4::literal("4"),
     Fixed4::literal("0.01"), false},
    {u"Nem szelektív síkkollektor", Fixed4::literal("0.75"), Fixed4::literal("6"),
     Fixed4::literal("0.02"), false},
    {u"Lefedés nélküli kollektor", Fixed4::literal("0.9"), Fixed4::literal("11"),
     Fixed4::literal("0.08"), false},
    {u"Egyedi kollektor", Fixed4::literal("0.8"), Fixed4::literal("4"), Fixed4::literal("0.01"),
     true},
}};

// What start-up stores after selecting the default row: a collector of its
// own, matching no preset. The values are those of the double constants
// 0.798, 4.17 and 0.011 once stored in Fixed4.
struct StartCoefficients {
    Fixed4 eta0;
    Fixed4 a1;
    Fixed4 a2;
    Fixed4 collectorArea;
};

inline constexpr StartCoefficients kStartCoefficients{
    Fixed4::literal("0.798"), Fixed4::literal("4.17"), Fixed4::literal("0.011"),
    Fixed4::literal("1")};

// The row start-up selects: the selective flat-plate collector.
inline constexpr int kStartRow = 2;

}  // namespace model
