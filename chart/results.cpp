#include "results.h"

#include "chart_procedures.h"
#include "model/operating_conditions.h"
#include "runtime/headless_controls.h"

namespace chart {
namespace {

QString withUnit(const rt::NumberFormat& format, int value, QStringView unit) {
    return format.text(rt::Integer::checked(value)) + unit.toString();
}

QString withoutUnit(const QString& caption, QStringView unit) {
    return caption.endsWith(unit) ? caption.chopped(unit.size()) : caption;
}

QString htmlRow(const QStringList& cells, QStringView tag) {
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells) {
        row += QStringLiteral("<%1>%2</%1>").arg(tag, cell.toHtmlEscaped());
    }
    return row + QStringLiteral("</tr>\n");
}

const QStringList kPowerHeader{QStringLiteral("ΔT [K]"), QStringLiteral("x"), QStringLiteral("η"),
                               QStringLiteral("q̇ [W/m²]"), QStringLiteral("Q̇ [W]")};

QStringList powerCells(const PowerRow& row) {
    return {QString::number(row.deltaT), row.operatingX, row.efficiency,
            withoutUnit(row.specificOutput, u" W/m2"), withoutUnit(row.output, u" W")};
}

}  // namespace

const QString& valueOf(const ShownResults& shown, Result result) {
    switch (result) {
        case Result::Characteristic:
            return shown.characteristic;
        case Result::OperatingX:
            return shown.operatingX;
        case Result::Efficiency:
            return shown.efficiency;
        case Result::SpecificOutput:
            return shown.specificOutput;
        case Result::Output:
            return shown.output;
        case Result::ZeroEfficiencyX:
            break;
    }
    return shown.zeroEfficiencyX;
}

QString zeroEfficiencyXText(const model::CollectorState& state, const rt::NumberFormat& format) {
    return format.text(state.stagnationX);
}

std::vector<NamedValue> resultLines(const ShownResults& shown, const rt::NumberFormat& format) {
    const QString inputs[] = {
        shown.collectorType,
        shown.eta0,
        shown.a1,
        shown.a2,
        shown.collectorArea,
        withUnit(format, shown.collectorTemp, u" °C"),
        withUnit(format, shown.ambientTemp, u" °C"),
        withUnit(format, shown.irradiance, u" W/m²"),
    };
    std::vector<NamedValue> lines;
    for (std::size_t i = 0; i < kInputNames.size(); ++i) {
        lines.push_back({kInputNames[i].toString(), inputs[i]});
    }
    for (std::size_t i = 0; i < kResultNames.size(); ++i) {
        lines.push_back({kResultNames[i].toString(), valueOf(shown, static_cast<Result>(i))});
    }
    for (const KeptResult& kept : shown.kept) {
        lines.push_back({kept.name + QStringLiteral(" (η)"), kept.efficiency});
        lines.push_back({kept.name + QStringLiteral(" (q̇)"), kept.specificOutput});
    }
    return lines;
}

QString plainText(const std::vector<NamedValue>& lines) {
    QString text;
    for (const NamedValue& line : lines) {
        text += line.name + u'\t' + line.value + u'\n';
    }
    return text;
}

QString htmlTable(const std::vector<NamedValue>& lines) {
    QString html = QStringLiteral("<table>\n");
    for (const NamedValue& line : lines) {
        html += htmlRow({line.name, line.value}, u"td");
    }
    return html + QStringLiteral("</table>\n");
}

std::vector<PowerRow> powerTable(const model::CollectorState& state, const rt::NumberFormat& format,
                                 int stepKelvin) {
    std::vector<PowerRow> rows;
    if (stepKelvin <= 0) {
        return rows;
    }
    const model::ConditionRange& range = model::kCollectorTempRange;
    const int ambient = state.ambientTemp.value();
    for (int deltaT = 0; ambient + deltaT <= range.max; deltaT += stepKelvin) {
        if (!range.contains(ambient + deltaT)) {
            continue;
        }
        model::CollectorState at = state;
        at.collectorTemp = rt::Integer::checked(ambient + deltaT);
        rt::NullSurface surface;
        rt::HeadlessLabel operatingX, efficiency, output, specificOutput;
        ChartProcedures chart(at,
                              {.surface = surface,
                               .operatingXLabel = operatingX,
                               .efficiencyLabel = efficiency,
                               .outputLabel = output,
                               .specificOutputLabel = specificOutput},
                              format);
        chart.redraw();
        rows.push_back({deltaT, operatingX.caption(), efficiency.caption(),
                        specificOutput.caption(), output.caption()});
        if (efficiency.caption() == kNoEfficiencyText) {
            break;
        }
    }
    return rows;
}

QString powerTablePlainText(const std::vector<PowerRow>& rows) {
    QString text = kPowerHeader.join(u'\t') + u'\n';
    for (const PowerRow& row : rows) {
        text += powerCells(row).join(u'\t') + u'\n';
    }
    return text;
}

QString powerTableHtml(const std::vector<PowerRow>& rows) {
    QString html = QStringLiteral("<table>\n") + htmlRow(kPowerHeader, u"th");
    for (const PowerRow& row : rows) {
        html += htmlRow(powerCells(row), u"td");
    }
    return html + QStringLiteral("</table>\n");
}

}  // namespace chart
