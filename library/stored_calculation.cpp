#include "stored_calculation.h"

#include <array>

#include "model/entry_check.h"

namespace library {
namespace {

std::optional<double> valueOf(const DecimalText& text) {
    return text.isEmpty() ? std::nullopt : std::optional(text.value());
}

// A decimal into the window's fixed point, from its digits, as a typed value
// is stored.
rt::Currency currencyOf(const DecimalText& text) {
    static const rt::NumberFormat kPoint(QLocale::c());
    return kPoint.toCurrency(text.text());
}

// The derived η0 has more digits than any box holds; the window reads the 15
// significant digits a double shows, as it would read them typed.
DecimalText derivedEta0(const Collector& c) {
    return DecimalText::parse(QString::number(hemisphericalEta0(c), 'g', DecimalText::kMaxDigits))
        .value_or(DecimalText());
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
    std::array<rt::Currency, 4> stored{};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const model::EntryRule& rule = model::ruleFor(values[i].box);
        const double value = values[i].value.value();
        if (!(value > rule.lower && value < rule.upper)) {
            return NotCalculable{{values[i].field, rule.rangeMessage.toString()}, true};
        }
        stored[i] = currencyOf(values[i].value);
    }
    return model::Collector{c.name, stored[0], stored[1], stored[2], stored[3]};
}

QString describe(const NotCalculable& refusal) {
    return fieldKey(refusal.problem.field) + QStringLiteral(": ") + refusal.problem.reason;
}

}  // namespace library
