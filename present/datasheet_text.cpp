#include "datasheet_text.h"

#include <utility>

namespace present {
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
    for (QStringView column : model::kDatasheetColumns) {
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
