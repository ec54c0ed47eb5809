#include "datasheet_text.h"

#include <cmath>
#include <utility>

namespace present {
namespace {

// Each field's name as a problem's sentence starts with it, and its unit.
struct FieldWords {
    QStringView what;
    QStringView unit;
};

FieldWords wordsFor(model::DatasheetField field, model::PeakEfficiency peak) {
    using model::DatasheetField;
    switch (field) {
        case DatasheetField::Eta0:
            return {peak == model::PeakEfficiency::Beam
                        ? u"Az η0,b (optikai hatásfok direkt sugárzásra)"
                        : u"Az η0 (optikai hatásfok)",
                    {}};
        case DatasheetField::Kd:
            return {u"A Kd (a szórt sugárzás beesésiszög-módosítója)", {}};
        case DatasheetField::A1:
            return {u"Az a1 (elsőfokú hőveszteségi együttható)", u"W/(m²·K)"};
        case DatasheetField::A2:
            return {u"Az a2 (másodfokú hőveszteségi együttható)", u"W/(m²·K²)"};
        case DatasheetField::GrossArea:
            return {u"A bruttó felület", u"m²"};
        case DatasheetField::ApertureArea:
            return {u"Az apertúrafelület", u"m²"};
        case DatasheetField::DeltaT:
            return {u"Minden ΔT-érték", u"K"};
        case DatasheetField::Beam:
            return {u"A direkt sugárzás (Gb)", u"W/m²"};
        case DatasheetField::Diffuse:
            return {u"A szórt sugárzás (Gd)", u"W/m²"};
    }
    return {};
}

}  // namespace

QString rangeText(const model::Range& range, QStringView unit) {
    const auto number = [](double v) { return QString::number(v).replace(u'.', u','); };
    const QString highest =
        number(range.highest) + (unit.isEmpty() ? QString() : u' ' + unit.toString());
    return range.lowestIncluded
               ? QStringLiteral("%1 és %2 között").arg(number(range.lowest), highest)
               : QStringLiteral("%1-nál nagyobb és legfeljebb %2")
                     .arg(number(range.lowest), highest);
}

QString problemText(const model::DatasheetProblem& problem, model::PeakEfficiency peak) {
    using model::DatasheetFault;
    switch (problem.fault) {
        case DatasheetFault::OutOfRange: {
            const FieldWords words = wordsFor(problem.field, peak);
            return QStringLiteral("%1 %2 lehet.")
                .arg(words.what, rangeText(problem.range, words.unit));
        }
        case DatasheetFault::Missing:
            return problem.field == model::DatasheetField::GrossArea
                       ? QStringLiteral(
                             "A bruttó felületet meg kell adni: az együtthatók arra vonatkoznak.")
                       : QStringLiteral(
                             "Az apertúrafelületet meg kell adni: az együtthatók "
                             "arra vonatkoznak.");
        case DatasheetFault::ApertureAboveGross:
            return QStringLiteral("Az apertúrafelület nem lehet nagyobb a bruttó felületnél.");
        case DatasheetFault::NoDeltaT:
            return QStringLiteral("Legalább egy ΔT-értéket meg kell adni.");
        case DatasheetFault::NoIrradiance:
            return QStringLiteral(
                "A direkt és a szórt sugárzás összegének (Gb + Gd) 0-nál "
                "nagyobbnak kell lennie.");
    }
    return {};
}
namespace {

using model::ReferenceArea;

QString areaName(ReferenceArea area) {
    return area == ReferenceArea::Gross ? QStringLiteral("bruttó felület")
                                        : QStringLiteral("apertúrafelület");
}

QString htmlRow(const QStringList& cells, QStringView tag) {
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells) {
        row += QStringLiteral("<%1>%2</%1>").arg(tag, cell.toHtmlEscaped());
    }
    return row + QStringLiteral("</tr>\n");
}

QStringList header() {
    QStringList names;
    for (QStringView column : kDatasheetColumns) {
        names << column.toString();
    }
    return names;
}

QStringList shownCells(QStringList cells) {
    for (QString& cell : cells) {
        if (cell.isEmpty()) {
            cell = QStringLiteral("–");
        }
    }
    return cells;
}

}  // namespace

DatasheetNumbers::DatasheetNumbers(QLocale locale) : locale_(std::move(locale)) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString DatasheetNumbers::number(double value, int decimals) const {
    // Adding zero turns a rounded −0 into 0.
    return locale_.toString(model::roundHalfEven(value, decimals) + 0.0, 'f',
                            QLocale::FloatingPointShortest);
}

QString DatasheetNumbers::fixed(double value, int decimals) const {
    return locale_.toString(model::roundHalfEven(value, decimals) + 0.0, 'f', decimals);
}

QString DatasheetNumbers::coefficient(double value) const {
    if (value == 0 || std::abs(value) >= 1e-3) {
        return number(value, 6);
    }
    const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    QString power = QString::number(exponent);
    static const QString kSuperscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    for (QChar& c : power) {
        c = c == u'-' ? QChar(u'⁻') : kSuperscripts[c.digitValue()];
    }
    return number(value / std::pow(10.0, exponent), 4) + QStringLiteral("·10") + power;
}

QStringList DatasheetNumbers::cells(const model::DatasheetRow& row) const {
    const auto watts = [this](const std::optional<double>& value) {
        return value ? number(*value, 0) : QString();
    };
    // A percentage keeps its tenth, "74,0", so that a column reads alike.
    const auto percent = [this](const std::optional<double>& value) {
        return value ? fixed(*value * 100, 1) : QString();
    };
    return {number(row.deltaT),           number(row.perCollector, 0),
            watts(row.perGrossArea),      watts(row.perApertureArea),
            percent(row.efficiencyGross), percent(row.efficiencyAperture)};
}

QString modifierSource(const model::DatasheetInput& input, const DatasheetNumbers& numbers) {
    using Kind = model::IncidenceModifier::Kind;
    switch (input.beamModifier.kind()) {
        case Kind::None:
            return {};
        case Kind::B0: {
            const QString b0 =
                QStringLiteral("b0 = %1").arg(numbers.number(input.beamModifier.b0()));
            return input.k50 ? QStringLiteral("K50 = %1 (%2)").arg(numbers.number(*input.k50), b0)
                             : b0;
        }
        case Kind::Table:
            return QStringLiteral("táblázat");
        case Kind::Biaxial:
            return QStringLiteral("kéttengelyű (vákuumcsöves)");
    }
    return {};
}

QString modifierRowName(model::ModifierAxis axis) {
    switch (axis) {
        case model::ModifierAxis::Beam:
            return QStringLiteral("Kθb");
        case model::ModifierAxis::Transversal:
            return QStringLiteral("KθT (keresztirányú)");
        case model::ModifierAxis::Longitudinal:
            return QStringLiteral("KθL (hosszirányú)");
    }
    return {};
}

QStringList modifierAngles() {
    QStringList angles;
    for (const double angle : model::kModifierAngles) {
        angles << QStringLiteral("%1°").arg(angle);
    }
    return angles;
}

QStringList modifierCells(const model::ModifierRow& row, const DatasheetNumbers& numbers) {
    QStringList cells;
    for (const double value : row.values) {
        cells << numbers.number(value, 3);
    }
    return cells;
}

std::vector<NamedValue> quasiDynamicLines(const model::DatasheetInput& input,
                                          const DatasheetNumbers& numbers) {
    const struct {
        const std::optional<double>& value;
        const char* name;
        const char* unit;
    } terms[] = {
        {input.a3, "a3 – a hőveszteség szélsebesség-függése", " J/(m³·K)"},
        {input.a4, "a4 – a hosszúhullámú sugárzás együtthatója", ""},
        {input.a6, "a6 – az optikai hatásfok szélsebesség-függése", " s/m"},
        {input.a8, "a8 – a sugárzásos hőveszteség együtthatója", " W/(m²·K⁴)"},
    };
    std::vector<NamedValue> lines;
    for (const auto& term : terms) {
        if (term.value) {
            lines.push_back({QString::fromUtf8(term.name),
                             numbers.coefficient(*term.value) + QString::fromUtf8(term.unit)});
        }
    }
    return lines;
}

QString stagnationName() {
    return QStringLiteral(
        "Becsült stagnálási hőmérséklet (G = 1000 W/m², környezeti hőmérséklet 30 °C)");
}

QString stagnationText(const model::DatasheetResult& result, const DatasheetNumbers& numbers) {
    return result.stagnationEstimate
               ? numbers.number(*result.stagnationEstimate, 0) + QStringLiteral(" °C")
               : QStringLiteral("300 °C felett");
}

QString eta0Derivation(const model::DatasheetInput& input, const model::DatasheetResult& result,
                       const DatasheetNumbers& numbers) {
    if (!result.eta0Derived) {
        return numbers.number(result.eta0);
    }
    // The standard's split, or the one the table is computed at.
    if (input.beam == 850 && input.diffuse == 150) {
        return QStringLiteral("η0,b·(0,85 + 0,15·Kd) = %1").arg(numbers.number(result.eta0));
    }
    return QStringLiteral("η0,b·(Gb + Kd·Gd)/(Gb + Gd) = %1 (Gb %2 W/m², Gd %3 W/m²)")
        .arg(numbers.number(result.eta0InUse), numbers.number(input.beam),
             numbers.number(input.diffuse));
}

std::vector<NamedValue> datasheetLines(const model::DatasheetInput& input,
                                       const model::DatasheetResult& result,
                                       const DatasheetNumbers& numbers) {
    std::vector<NamedValue> lines;
    const auto add = [&](const char* name, const QString& value) {
        lines.push_back({QString::fromUtf8(name), value});
    };
    if (!input.collector.isEmpty()) {
        add("Kollektor", input.collector);
    }
    if (result.eta0Derived) {
        add("η0,b – optikai hatásfok direkt sugárzásra", numbers.number(input.eta0));
        add("Kd – a szórt sugárzás beesésiszög-módosítója", numbers.number(input.kd));
        add("η0 – optikai hatásfok, számított", eta0Derivation(input, result, numbers));
    } else {
        add("η0 – optikai hatásfok", numbers.number(input.eta0));
    }
    add("a1 – elsőfokú hőveszteségi együttható",
        numbers.number(input.a1) + QStringLiteral(" W/(m²·K)"));
    add("a2 – másodfokú hőveszteségi együttható",
        numbers.number(input.a2) + QStringLiteral(" W/(m²·K²)"));
    for (NamedValue& line : quasiDynamicLines(input, numbers)) {
        lines.push_back(std::move(line));
    }
    if (const QString source = modifierSource(input, numbers); !source.isEmpty()) {
        add("Beesésiszög-módosító (direkt sugárzás)", source);
        for (const model::ModifierRow& row : model::modifierRows(input.beamModifier)) {
            lines.push_back({modifierRowName(row.axis) + QStringLiteral(" 10°, 20° … 90°-nál"),
                             modifierCells(row, numbers).join(QStringLiteral("; "))});
        }
    }
    add("Az együtthatók vonatkoztatási felülete", areaName(input.reference));
    if (input.grossArea) {
        add("Bruttó felület", numbers.number(*input.grossArea) + QStringLiteral(" m²"));
    }
    if (input.apertureArea) {
        add("Apertúrafelület", numbers.number(*input.apertureArea) + QStringLiteral(" m²"));
    }
    if (const std::optional<model::Coefficients>& other = result.converted) {
        QString value;
        if (other->eta0b) {
            value += QStringLiteral("η0,b %1; ").arg(numbers.number(*other->eta0b));
        }
        value += QStringLiteral("η0 %1; a1 %2; a2 %3")
                     .arg(numbers.number(other->eta0), numbers.number(other->a1),
                          numbers.number(other->a2));
        lines.push_back({other->area == ReferenceArea::Gross
                             ? QStringLiteral("Együtthatók a bruttó felületre átszámítva")
                             : QStringLiteral("Együtthatók az apertúrafelületre átszámítva"),
                         value});
    }
    add("Besugárzás", QStringLiteral("Gb %1 W/m², Gd %2 W/m²")
                          .arg(numbers.number(input.beam), numbers.number(input.diffuse)));
    lines.push_back({stagnationName(), stagnationText(result, numbers)});
    return lines;
}

std::vector<QStringList> datasheetCells(const model::DatasheetResult& result,
                                        const DatasheetNumbers& numbers) {
    std::vector<QStringList> cells;
    for (const model::DatasheetRow& row : result.rows) {
        cells.push_back(numbers.cells(row));
    }
    return cells;
}

QString datasheetPlainText(const std::vector<NamedValue>& lines,
                           const std::vector<QStringList>& cells) {
    QString text = plainText(lines) + u'\n' + header().join(u'\t') + u'\n';
    for (const QStringList& row : cells) {
        text += shownCells(row).join(u'\t') + u'\n';
    }
    return text;
}

QString datasheetHtml(const std::vector<NamedValue>& lines, const std::vector<QStringList>& cells) {
    QString html = htmlTable(lines) + QStringLiteral("<table>\n") + htmlRow(header(), u"th");
    for (const QStringList& row : cells) {
        html += htmlRow(shownCells(row), u"td");
    }
    return html + QStringLiteral("</table>\n");
}

}  // namespace present
