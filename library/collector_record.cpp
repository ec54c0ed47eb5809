#include "collector_record.h"

#include <QDate>
#include <array>

namespace library {

namespace {

constexpr std::array<const char*, kFieldCount> kKeys = {
    "name",      "maker",     "model",        "eta0",        "eta0b",      "kd",  "a1",   "a2",
    "reference", "grossArea", "apertureArea", "certificate", "testReport", "lab", "date", "note"};

QString* textMember(Collector& c, Field field) {
    switch (field) {
        case Field::Name:
            return &c.name;
        case Field::Maker:
            return &c.maker;
        case Field::Model:
            return &c.model;
        case Field::Certificate:
            return &c.certificate;
        case Field::TestReport:
            return &c.testReport;
        case Field::Lab:
            return &c.lab;
        case Field::Date:
            return &c.date;
        case Field::Note:
            return &c.note;
        default:
            return nullptr;
    }
}

DecimalText* numberMember(Collector& c, Field field) {
    switch (field) {
        case Field::Eta0:
            return &c.eta0;
        case Field::Eta0b:
            return &c.eta0b;
        case Field::Kd:
            return &c.kd;
        case Field::A1:
            return &c.a1;
        case Field::A2:
            return &c.a2;
        case Field::GrossArea:
            return &c.grossArea;
        case Field::ApertureArea:
            return &c.apertureArea;
        default:
            return nullptr;
    }
}

// The physical range of each coefficient; the window's narrower entry
// ranges do not apply to stored datasheet values.
QString rangeProblem(Field field, double v) {
    switch (field) {
        case Field::Eta0:
        case Field::Eta0b:
            return v > 0 && v <= 1 ? QString()
                                   : QStringLiteral("0-nál nagyobb és legfeljebb 1 lehet");
        case Field::Kd:
            return v >= 0 && v <= 1 ? QString() : QStringLiteral("0 és 1 között lehet");
        case Field::A1:
        case Field::A2:
            return v >= 0 ? QString() : QStringLiteral("nem lehet negatív");
        case Field::GrossArea:
        case Field::ApertureArea:
            return v > 0 ? QString() : QStringLiteral("0-nál nagyobbnak kell lennie");
        default:
            return {};
    }
}

const QString kNotANumber = QStringLiteral("nem szám (legfeljebb 15 értékes jegy)");

}  // namespace

QString fieldKey(Field field) {
    return QString::fromLatin1(kKeys[static_cast<std::size_t>(field)]);
}

std::optional<Field> fieldFromKey(QStringView key) {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (key == QLatin1StringView(kKeys[i])) {
            return static_cast<Field>(i);
        }
    }
    return std::nullopt;
}

bool isNumericField(Field field) {
    Collector probe;
    return numberMember(probe, field) != nullptr;
}

QString referenceKey(Reference reference) {
    return reference == Reference::Gross ? QStringLiteral("gross") : QStringLiteral("aperture");
}

std::optional<Reference> referenceFromKey(QStringView key) {
    if (key == u"gross") {
        return Reference::Gross;
    }
    if (key == u"aperture") {
        return Reference::Aperture;
    }
    return std::nullopt;
}

QString fieldText(const Collector& collector, Field field) {
    auto& c = const_cast<Collector&>(collector);
    if (field == Field::Reference) {
        return referenceKey(c.reference);
    }
    if (const DecimalText* number = numberMember(c, field)) {
        return number->text();
    }
    return *textMember(c, field);
}

bool setFieldText(Collector& collector, Field field, QStringView text, QChar decimalSeparator) {
    if (field == Field::Reference) {
        const auto reference = referenceFromKey(text.trimmed());
        if (reference) {
            collector.reference = *reference;
        }
        return reference.has_value();
    }
    if (DecimalText* number = numberMember(collector, field)) {
        if (text.trimmed().isEmpty()) {
            *number = DecimalText();
            return true;
        }
        const auto value = DecimalText::parse(text, decimalSeparator);
        if (value) {
            *number = *value;
        }
        return value.has_value();
    }
    // Blanks around a name or a maker are typing noise; a note keeps its own.
    *textMember(collector, field) =
        field == Field::Note ? text.toString() : text.trimmed().toString();
    return true;
}

QString checkNumberText(Field field, QStringView text, QChar decimalSeparator) {
    if (text.trimmed().isEmpty()) {
        return {};
    }
    const auto value = DecimalText::parse(text, decimalSeparator);
    return value ? rangeProblem(field, value->value()) : kNotANumber;
}

QList<FieldProblem> check(const Collector& c) {
    QList<FieldProblem> found;
    const auto add = [&found](Field field, const QString& reason) {
        for (const FieldProblem& p : found) {
            if (p.field == field) {
                return;
            }
        }
        found.append({field, reason});
    };
    if (c.name.trimmed().isEmpty()) {
        add(Field::Name, QStringLiteral("a név kötelező"));
    }
    const std::array<std::pair<Field, const DecimalText*>, 7> numbers = {{
        {Field::Eta0, &c.eta0},
        {Field::Eta0b, &c.eta0b},
        {Field::Kd, &c.kd},
        {Field::A1, &c.a1},
        {Field::A2, &c.a2},
        {Field::GrossArea, &c.grossArea},
        {Field::ApertureArea, &c.apertureArea},
    }};
    for (const auto& [field, number] : numbers) {
        if (!number->isEmpty()) {
            if (QString reason = rangeProblem(field, number->value()); !reason.isEmpty()) {
                add(field, reason);
            }
        }
    }
    if (c.eta0.isEmpty() && c.eta0b.isEmpty()) {
        add(Field::Eta0, QStringLiteral("az η0 vagy az η0,b kötelező"));
    } else if (!c.eta0.isEmpty() && !c.eta0b.isEmpty()) {
        add(Field::Eta0b, QStringLiteral("az η0 és az η0,b közül csak az egyik adható meg"));
    } else if (!c.eta0b.isEmpty() && c.kd.isEmpty()) {
        add(Field::Kd, QStringLiteral("az η0,b mellé a Kd is kell"));
    } else if (c.eta0b.isEmpty() && !c.kd.isEmpty()) {
        add(Field::Kd, QStringLiteral("a Kd csak az η0,b mellett adható meg"));
    }
    if (c.a1.isEmpty()) {
        add(Field::A1, QStringLiteral("az a1 kötelező"));
    }
    if (c.a2.isEmpty()) {
        add(Field::A2, QStringLiteral("az a2 kötelező"));
    }
    if (c.grossArea.isEmpty() && c.apertureArea.isEmpty()) {
        add(Field::GrossArea, QStringLiteral("legalább az egyik felület kötelező"));
    }
    if (!c.date.isEmpty() && !QDate::fromString(c.date, Qt::ISODate).isValid()) {
        add(Field::Date, QStringLiteral("ÉÉÉÉ-HH-NN alakú dátum kell"));
    }
    return found;
}

QString nameKey(const QString& name) {
    return name.simplified().toCaseFolded();
}

double hemisphericalEta0(const Collector& c) {
    if (!c.eta0.isEmpty()) {
        return c.eta0.value();
    }
    return c.eta0b.value() * (0.85 + 0.15 * c.kd.value());
}

DecimalText workingArea(const Collector& c) {
    const DecimalText& reference = c.reference == Reference::Gross ? c.grossArea : c.apertureArea;
    if (!reference.isEmpty()) {
        return reference;
    }
    return c.grossArea.isEmpty() ? c.apertureArea : c.grossArea;
}

}  // namespace library
