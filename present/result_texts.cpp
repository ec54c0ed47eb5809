#include "result_texts.h"

#include "model/operating_conditions.h"

namespace present {
namespace {

QString withUnit(const rt::NumberFormat& format, rt::Int16 value, QStringView unit) {
    return format.text(value) + unit.toString();
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

QString efficiencyTextOf(const model::OperatingPoint& point, const rt::NumberFormat& format) {
    return format.text(model::percentTenthsDown(point.eta)) + QStringLiteral(" %");
}

QString specificOutputTextOf(const model::OperatingPoint& point, const rt::NumberFormat& format) {
    return format.text(model::wattsDown(point.specificOutput)) + QStringLiteral(" W/m2");
}

}  // namespace

const model::Reached<QString>& valueOf(const ResultTexts& texts, Result result) {
    switch (result) {
        case Result::Characteristic:
            return texts.characteristic;
        case Result::OperatingX:
            return texts.operatingX;
        case Result::Efficiency:
            return texts.efficiency;
        case Result::SpecificOutput:
            return texts.specificOutput;
        case Result::Output:
            return texts.output;
        case Result::ZeroEfficiencyX:
            break;
    }
    return texts.zeroEfficiencyX;
}

ResultTexts formatResults(const model::Results& results, const rt::NumberFormat& format,
                          const TextsWanted& wanted) {
    const auto efficiencyText = [&](const model::OperatingPoint& point) {
        return efficiencyTextOf(point, format);
    };
    const auto specificOutputText = [&](const model::OperatingPoint& point) {
        return specificOutputTextOf(point, format);
    };
    ResultTexts texts{
        .characteristic = {},
        .operatingX = results.operatingX.map(
            [&](rt::Fixed4 x) { return format.text(model::thousandthsDown(x)); }),
        .efficiency = results.operating.map(efficiencyText),
        .specificOutput = results.operating.map(specificOutputText),
        .output = results.operating.map([&](const model::OperatingPoint& point) {
            return format.text(model::wattsDown(point.output)) + QStringLiteral(" W");
        }),
        .zeroEfficiencyX = {},
    };
    if (wanted.characteristic) {
        texts.characteristic = results.characteristic.map(
            [&](rt::Fixed4 eta) { return format.text(model::thousandthsDown(eta)); });
    }
    if (wanted.zeroEfficiencyX) {
        texts.zeroEfficiencyX =
            results.zeroEfficiencyX.map([&](rt::Fixed4 x) { return format.text(x); });
    }
    return texts;
}

KeptResult keptResult(const QString& name, const model::OperatingPoint& point,
                      const rt::NumberFormat& format) {
    return {name, efficiencyTextOf(point, format), specificOutputTextOf(point, format)};
}

std::vector<NamedValue> resultLines(const InputTexts& inputs, const ResultTexts& results,
                                    const std::vector<KeptResult>& kept,
                                    const rt::NumberFormat& format) {
    const QString inputTexts[] = {
        inputs.collectorType,
        inputs.eta0,
        inputs.a1,
        inputs.a2,
        inputs.collectorArea,
        withUnit(format, inputs.conditions.collectorTemp, u" °C"),
        withUnit(format, inputs.conditions.ambientTemp, u" °C"),
        withUnit(format, inputs.conditions.irradiance, u" W/m²"),
    };
    std::vector<NamedValue> lines;
    for (std::size_t i = 0; i < kInputNames.size(); ++i) {
        lines.push_back({kInputNames[i].toString(), inputTexts[i]});
    }
    for (std::size_t i = 0; i < kResultNames.size(); ++i) {
        lines.push_back(
            {kResultNames[i].toString(), valueOf(results, static_cast<Result>(i)).get()});
    }
    for (const KeptResult& collector : kept) {
        lines.push_back({collector.name + QStringLiteral(" (η)"), collector.efficiency});
        lines.push_back({collector.name + QStringLiteral(" (q̇)"), collector.specificOutput});
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

std::vector<PowerRow> powerTable(const model::Collector& collector,
                                 const model::Conditions& conditions,
                                 const rt::NumberFormat& format, int stepKelvin) {
    std::vector<PowerRow> rows;
    if (stepKelvin <= 0) {
        return rows;
    }
    const model::ConditionRange& range = model::kCollectorTempRange;
    const int ambient = conditions.ambientTemp.value();
    for (int deltaT = 0; ambient + deltaT <= range.max; deltaT += stepKelvin) {
        if (!range.contains(ambient + deltaT)) {
            continue;
        }
        model::Conditions at = conditions;
        at.collectorTemp = rt::Int16::checked(ambient + deltaT);
        const model::Results results = model::calculate(collector, at);
        const ResultTexts texts = formatResults(results, format);
        rows.push_back({deltaT, texts.operatingX.get(), texts.efficiency.get(),
                        texts.specificOutput.get(), texts.output.get()});
        if (model::showsNoEfficiency(results.operating.get())) {
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

}  // namespace present
