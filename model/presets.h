#pragma once

#include <QStringView>
#include <array>

#include "runtime/currency.h"

namespace model {

struct CollectorType {
    QStringView name;  // the row's text in the collector-type list
    rt::Currency eta0;
    rt::Currency a1;
    rt::Currency a2;
    bool typedCoefficients;  // the user types eta0, a1 and a2 in their boxes
};

using rt::Currency;

// The rows of the collector-type list, in list order. The custom row starts from the values of
// the selective flat-plate collector and remembers nothing typed earlier.
inline constexpr std::array<CollectorType, 6> kCollectorTypes{{
    {u"Vákumcsöves kollektor", Currency::literal("0.65"), Currency::literal("1.5"),
     Currency::literal("0.008"), false},
    {u"Vákumos síkkollektor", Currency::literal("0.8"), Currency::literal("2.6"),
     Currency::literal("0.008"), false},
    {u"Szelektív síkkollektor", Currency::literal("0.8"), Currency::literal("4"),
     Currency::literal("0.01"), false},
    {u"Nem szelektív síkkollektor", Currency::literal("0.75"), Currency::literal("6"),
     Currency::literal("0.02"), false},
    {u"Lefedés nélküli kollektor", Currency::literal("0.9"), Currency::literal("11"),
     Currency::literal("0.08"), false},
    {u"Egyedi kollektor", Currency::literal("0.8"), Currency::literal("4"),
     Currency::literal("0.01"), true},
}};

// What start-up stores after selecting the default row: a collector of its
// own, matching no preset. The values are those of the double constants
// 0.798, 4.17 and 0.011 once stored in Currency.
struct StartCoefficients {
    Currency eta0;
    Currency a1;
    Currency a2;
    Currency collectorArea;
};

inline constexpr StartCoefficients kStartCoefficients{
    Currency::literal("0.798"), Currency::literal("4.17"), Currency::literal("0.011"),
    Currency::literal("1")};

// The row start-up selects: the selective flat-plate collector.
inline constexpr int kStartRow = 2;

}  // namespace model
