#include "stored_calculation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "model/entry_check.h"
#include "present/entry_messages.h"

namespace library {
namespace {

std::optional<double> valueOf(const DecimalText& text) {
    return text.isEmpty() ? std::nullopt : std::optional(text.value());
}

// A decimal into the window's fixed point, from its digits, as a typed value
// is stored: four decimals, a half to the even neighbour. The canonical text
// has no trailing zeros, so a half is a fifth decimal of 5 alone.
rt::Fixed4 fixed4Of(const DecimalText& decimal) {
    const QString& text = decimal.text();
    if (std::abs(decimal.value()) >= 1e9) {  // beyond the boxes' ranges anyway
        static const rt::NumberFormat kPoint(QLocale::c());
        return kPoint.toFixed4(text);
    }
    const bool negative = text.startsWith(u'-');
    std::int64_t units = 0;
    int decimals = -1;  // none before the point
    qsizetype i = negative ? 1 : 0;
    for (; i < text.size() && decimals < 4; ++i) {
        if (text[i] == u'.') {
            decimals = 0;
            continue;
        }
        units = units * 10 + (text[i].unicode() - u'0');
        decimals += decimals >= 0 ? 1 : 0;
    }
    for (int d = std::max(decimals, 0); d < 4; ++d) {
        units *= 10;
    }
    if (i < text.size()) {  // digits beyond the fourth decimal
        const QStringView rest = QStringView(text).mid(i);
        const bool half = rest == u"5";
        if (rest[0] > u'5' || (rest[0] == u'5' && !half) || (half && units % 2 != 0)) {
            ++units;
        }
    }
    return rt::Fixed4::fromRaw(negative ? -units : units);
}

// The derived η0 has more digits than any box holds; the window reads the 15
// significant digits a double shows, as it would read them typed.
DecimalText derivedEta0(const Collector& c) {
    return DecimalText::parse(QString::number(hemisphericalEta0(c), 'g', DecimalText::kMaxDigits))
        .value_or(DecimalText());
}

std::vector<double> valuesOf(const AngleValues& values) {
    std::vector<double> numbers;
    for (const DecimalText& value : values) {
        numbers.push_back(value.value());
    }
    return numbers;
}

// For a record check() admits, which keeps every value within the model's.
model::IncidenceModifier beamModifier(const Collector& c) {
    using model::AngleTable;
    switch (modifierForm(c)) {
        case ModifierForm::None:
            break;
        case ModifierForm::B0:
            return model::IncidenceModifier::fromB0(c.iamB0.value());
        case ModifierForm::K50:
            return model::IncidenceModifier::fromK50(c.iamK50.value());
        case ModifierForm::Table:
            return model::IncidenceModifier::fromTable(
                AngleTable::everyTenDegrees(valuesOf(c.iamTable)));
        case ModifierForm::Biaxial:
            return model::IncidenceModifier::biaxial(
                AngleTable::everyTenDegrees(valuesOf(c.iamTransversal)),
                AngleTable::everyTenDegrees(valuesOf(c.iamLongitudinal)));
    }
    return model::IncidenceModifier::none();
}

}  // namespace

std::variant<model::DatasheetInput, NotCalculable> datasheetInput(const Collector& c) {
    if (const QList<FieldProblem> problems = check(c); !problems.isEmpty()) {
        return NotCalculable{problems.front()};
    }
    const bool beam = c.eta0.isEmpty();
    model::DatasheetInput input{
        .collector = c.name,
        .peak = beam ? model::PeakEfficiency::Beam : model::PeakEfficiency::Hemispherical,
        .eta0 = beam ? c.eta0b.value() : c.eta0.value(),
        .a1 = c.a1.value(),
        .a2 = c.a2.value(),
        .reference = c.reference == Reference::Aperture ? model::ReferenceArea::Aperture
                                                        : model::ReferenceArea::Gross,
        .grossArea = valueOf(c.grossArea),
        .apertureArea = valueOf(c.apertureArea),
    };
    if (beam) {
        input.kd = c.kd.value();
    }
    input.beamModifier = beamModifier(c);
    input.k50 = valueOf(c.iamK50);
    input.a3 = valueOf(c.a3);
    input.a4 = valueOf(c.a4);
    input.a6 = valueOf(c.a6);
    input.a8 = valueOf(c.a8);
    return input;
}

std::variant<model::Collector, NotCalculable> windowCollector(const Collector& c) {
    // The window's own ranges, not the library's, decide the values it takes.
    const auto windowRange = [&c](const FieldProblem& p) {
        const bool windowField = p.field == Field::Eta0 || p.field == Field::A1 ||
                                 p.field == Field::A2 || p.field == referenceAreaField(c.reference);
        return windowField && !numberOf(c, p.field).isEmpty();
    };
    for (const FieldProblem& problem : check(c)) {
        if (!windowRange(problem)) {
            return NotCalculable{problem};
        }
    }
    const struct {
        Field field;
        model::EntryBox box;
        DecimalText value;
    } values[] = {
        {c.eta0.isEmpty() ? Field::Eta0b : Field::Eta0, model::EntryBox::Eta0,
         c.eta0.isEmpty() ? derivedEta0(c) : c.eta0},
        {Field::A1, model::EntryBox::A1, c.a1},
        {Field::A2, model::EntryBox::A2, c.a2},
        {referenceAreaField(c.reference), model::EntryBox::CollectorArea, referenceArea(c)},
    };
    std::array<rt::Fixed4, 4> stored{};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const model::EntryRule& rule = model::ruleFor(values[i].box);
        const double value = values[i].value.value();
        if (!(value > rule.lower && value < rule.upper)) {
            return NotCalculable{{values[i].field, present::rangeMessage(values[i].box).toString()},
                                 true};
        }
        stored[i] = fixed4Of(values[i].value);
    }
    return model::Collector{c.name, stored[0], stored[1], stored[2], stored[3]};
}

std::variant<model::ThermalCollector, NotCalculable> thermalCollector(const Collector& c) {
    if (const QList<FieldProblem> problems = check(c); !problems.isEmpty()) {
        return NotCalculable{problems.front()};
    }
    const bool beam = c.eta0.isEmpty();
    return model::ThermalCollector{
        .eta0b = beam ? c.eta0b.value() : c.eta0.value(),
        .kd = beam ? c.kd.value() : 1.0,
        .hemisphericalOnly = !beam,
        .a1 = c.a1.value(),
        .a2 = c.a2.value(),
        .a3 = valueOf(c.a3).value_or(0),
        .a4 = valueOf(c.a4).value_or(0),
        .a6 = valueOf(c.a6).value_or(0),
        .a8 = valueOf(c.a8).value_or(0),
        .area = referenceArea(c).value(),
        .beamModifier = beamModifier(c),
    };
}

QString describe(const NotCalculable& refusal) {
    return fieldKey(refusal.problem.field) + QStringLiteral(": ") + refusal.problem.reason;
}

}  // namespace library
