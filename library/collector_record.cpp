#include "collector_record.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <limits>

#include "model/datasheet.h"
#include "present/datasheet_text.h"

namespace library {

namespace {

// clang-format off
constexpr std::array<const char*, kFieldCount> kKeys = {
    "name", "maker", "model",
    "eta0", "eta0b", "kd", "a1", "a2", "a3", "a4", "a6", "a8",
    "iamB0", "iamK50", "iamTable", "iamTransversal", "iamLongitudinal",
    "reference", "grossArea", "apertureArea",
    "certificate", "testReport", "lab", "date", "note"};
// clang-format on

// A datasheet prints the modifier at 10°, 20° … 90°.
constexpr qsizetype kMaxAngles = 9;

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
        case Field::A3:
            return &c.a3;
        case Field::A4:
            return &c.a4;
        case Field::A6:
            return &c.a6;
        case Field::A8:
            return &c.a8;
        case Field::IamB0:
            return &c.iamB0;
        case Field::IamK50:
            return &c.iamK50;
        case Field::GrossArea:
            return &c.grossArea;
        case Field::ApertureArea:
            return &c.apertureArea;
        default:
            return nullptr;
    }
}

AngleValues* anglesMember(Collector& c, Field field) {
    switch (field) {
        case Field::IamTable:
            return &c.iamTable;
        case Field::IamTransversal:
            return &c.iamTransversal;
        case Field::IamLongitudinal:
            return &c.iamLongitudinal;
        default:
            return nullptr;
    }
}

// The datasheets' finite ranges; the window's narrower entry ranges do not
// apply to stored values.
QString rangeProblem(Field field, double v) {
    const model::Range* range = nullptr;
    QStringView unit;
    switch (field) {
        case Field::Eta0:
        case Field::Eta0b:
            range = &model::limits::kPeakEfficiency;
            break;
        case Field::Kd:
            range = &model::limits::kKd;
            break;
        case Field::A1:
            range = &model::limits::kA1;
            unit = u"W/(m²·K)";
            break;
        case Field::A2:
            range = &model::limits::kA2;
            unit = u"W/(m²·K²)";
            break;
        case Field::A3:
            range = &model::limits::kA3;
            unit = u"J/(m³·K)";
            break;
        case Field::A4:
            range = &model::limits::kA4;
            break;
        case Field::A6:
            range = &model::limits::kA6;
            unit = u"s/m";
            break;
        case Field::A8:
            range = &model::limits::kA8;
            unit = u"W/(m²·K⁴)";
            break;
        case Field::IamB0:
            range = &model::limits::kB0;
            break;
        case Field::IamK50:
            range = &model::limits::kK50;
            break;
        case Field::IamTable:
        case Field::IamTransversal:
        case Field::IamLongitudinal:
            range = &model::limits::kAngleModifier;
            break;
        case Field::GrossArea:
        case Field::ApertureArea:
            range = &model::limits::kArea;
            unit = u"m²";
            break;
        default:
            return {};
    }
    return range->contains(v) ? QString()
                              : present::rangeText(*range, unit) + QStringLiteral(" lehet.");
}

// Characters a single-line text never holds: controls, which a terminal or a
// table would act on, and the direction overrides and isolates, which make a
// name read as another.
bool isForbidden(char32_t c, bool lineBreaksAllowed) {
    if (lineBreaksAllowed && (c == u'\n' || c == u'\t' || c == u'\r')) {
        return false;
    }
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

const QString kNotANumber = QStringLiteral("nem szám (legfeljebb 15 értékes jegy).");

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

bool isAngleField(Field field) {
    Collector probe;
    return anglesMember(probe, field) != nullptr;
}

std::optional<AngleValues> parseAngles(QStringView text, QChar decimalSeparator) {
    AngleValues values;
    if (text.trimmed().isEmpty()) {
        return values;
    }
    for (const QStringView item : text.split(u';')) {
        const auto value = DecimalText::parse(item, decimalSeparator);
        if (!value) {
            return std::nullopt;
        }
        values.append(*value);
    }
    return values;
}

const AngleValues& anglesOf(const Collector& collector, Field field) {
    static const AngleValues kNone;
    const AngleValues* values = anglesMember(const_cast<Collector&>(collector), field);
    return values != nullptr ? *values : kNone;
}

void setAngles(Collector& collector, Field field, const AngleValues& values) {
    if (AngleValues* member = anglesMember(collector, field)) {
        *member = values;
    }
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
    if (const AngleValues* values = anglesMember(c, field)) {
        QStringList texts;
        for (const DecimalText& value : *values) {
            texts.append(value.text());
        }
        return texts.join(u';');
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
    if (AngleValues* values = anglesMember(collector, field)) {
        const auto read = parseAngles(text, decimalSeparator);
        if (read) {
            *values = *read;
        }
        return read.has_value();
    }
    // Blanks around a name or a maker are typing noise; a note keeps its own.
    *textMember(collector, field) =
        field == Field::Note ? text.toString() : text.trimmed().toString();
    return true;
}

Collector withFields(Collector stored, const Collector& row, const FieldSet& given) {
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (!given.test(static_cast<std::size_t>(f)) || field == Field::Name) {
            continue;
        }
        if (field == Field::Reference) {
            stored.reference = row.reference;
        } else if (isNumericField(field)) {
            setNumber(stored, field, numberOf(row, field));
        } else {
            static_cast<void>(setFieldText(stored, field, fieldText(row, field)));
        }
    }
    return stored;
}

void setNumber(Collector& collector, Field field, const DecimalText& value) {
    if (DecimalText* number = numberMember(collector, field)) {
        *number = value;
    }
}

QString checkNumberText(Field field, QStringView text, QChar decimalSeparator) {
    if (text.trimmed().isEmpty()) {
        return {};
    }
    const auto value = DecimalText::parse(text, decimalSeparator);
    if (value) {
        return rangeProblem(field, value->value());
    }
    return notANumberReason(text, decimalSeparator,
                            rangeProblem(field, std::numeric_limits<double>::infinity()));
}

QString checkAnglesText(Field field, QStringView text, QChar decimalSeparator) {
    if (text.trimmed().isEmpty()) {
        return {};
    }
    const QList<QStringView> items = text.split(u';');
    if (items.size() > kMaxAngles) {
        return QStringLiteral("legfeljebb 9 érték adható meg (10°, 20° … 90°).");
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        QString reason = items[i].trimmed().isEmpty()
                             ? QStringLiteral("hiányzik; az értékeket pontosvessző választja el.")
                             : checkNumberText(field, items[i], decimalSeparator);
        if (!reason.isEmpty()) {
            return QStringLiteral("%1. érték: %2").arg(i + 1).arg(reason);
        }
    }
    return {};
}

QString notANumberReason(QStringView text, QChar decimalSeparator, const QString& beyondRange) {
    const QChar other = decimalSeparator == u',' ? u'.' : u',';
    if (DecimalText::parse(text, other)) {
        return decimalSeparator == u',' ? QStringLiteral("tizedesvesszővel adja meg, pl. 0,745.")
                                        : QStringLiteral("tizedesponttal adja meg, pl. 0.745.");
    }
    // Digits with an exponent beyond a double's: out of range, not garbage.
    static const QRegularExpression kNumberShaped(
        QStringLiteral("^\\s*[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    if (kNumberShaped.match(text).hasMatch()) {
        const auto digits =
            std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        return digits > DecimalText::kMaxDigits && !text.contains(u'e') && !text.contains(u'E')
                   ? QStringLiteral("legfeljebb 15 értékes jegy adható meg.")
                   : beyondRange;
    }
    return kNotANumber;
}

namespace {

// The first problem found in each field, in the order found.
struct Problems {
    QList<FieldProblem> found;

    void add(Field field, const QString& reason) {
        for (const FieldProblem& p : found) {
            if (p.field == field) {
                return;
            }
        }
        found.append({field, reason});
    }
};

// The texts' characters and the numbers' ranges.
void checkValues(const Collector& c, Problems& problems) {
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (!isNumericField(field) && !isAngleField(field) && field != Field::Reference) {
            if (QString reason = textProblem(field, fieldText(c, field)); !reason.isEmpty()) {
                problems.add(field, reason);
            }
        }
    }
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (const DecimalText& number = numberOf(c, field); !number.isEmpty()) {
            if (QString reason = rangeProblem(field, number.value()); !reason.isEmpty()) {
                problems.add(field, reason);
            }
        }
        const AngleValues& values = anglesOf(c, field);
        if (values.size() > kMaxAngles) {
            problems.add(field, QStringLiteral("legfeljebb 9 érték adható meg (10°, 20° … 90°)."));
        }
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (QString reason = rangeProblem(field, values[i].value()); !reason.isEmpty()) {
                problems.add(field, QStringLiteral("%1. érték: %2").arg(i + 1).arg(reason));
            }
        }
    }
}

// The beam modifier in one form only, and the biaxial one with both tables.
void checkModifier(const Collector& c, Problems& problems) {
    const bool biaxial = !c.iamTransversal.isEmpty() || !c.iamLongitudinal.isEmpty();
    const std::pair<Field, bool> forms[] = {
        {Field::IamB0, !c.iamB0.isEmpty()},
        {Field::IamK50, !c.iamK50.isEmpty()},
        {Field::IamTable, !c.iamTable.isEmpty()},
        {c.iamTransversal.isEmpty() ? Field::IamLongitudinal : Field::IamTransversal, biaxial},
    };
    std::optional<Field> first;
    for (const auto& [field, given] : forms) {
        if (given && first) {
            problems.add(field, QStringLiteral("az %1 mellett nem adható meg: a "
                                               "beesésiszög-módosító csak egyféle alakban "
                                               "adható meg.")
                                    .arg(fieldKey(*first)));
        } else if (given) {
            first = field;
        }
    }
    if (biaxial && (c.iamTransversal.isEmpty() || c.iamLongitudinal.isEmpty())) {
        problems.add(c.iamTransversal.isEmpty() ? Field::IamTransversal : Field::IamLongitudinal,
                     QStringLiteral("kötelező mező: a kéttengelyű beesésiszög-módosítóhoz "
                                    "mindkét táblázat kell."));
    }
}

// The coefficients a collector needs, the pairs it may not have, and the
// area its coefficients refer to.
void checkRequired(const Collector& c, Problems& problems) {
    if (c.eta0.isEmpty() && c.eta0b.isEmpty()) {
        problems.add(Field::Eta0, QStringLiteral("az η0 vagy az η0,b megadása kötelező."));
    } else if (!c.eta0.isEmpty() && !c.eta0b.isEmpty()) {
        problems.add(Field::Eta0b,
                     QStringLiteral("az η0 és az η0,b közül csak az egyik adható meg."));
    } else if (!c.eta0b.isEmpty() && c.kd.isEmpty()) {
        problems.add(Field::Kd, QStringLiteral("az η0,b mellé a Kd is kell."));
    } else if (c.eta0b.isEmpty() && !c.kd.isEmpty()) {
        problems.add(Field::Kd, QStringLiteral("a Kd csak az η0,b mellett adható meg."));
    }
    if (c.a1.isEmpty()) {
        problems.add(Field::A1, QStringLiteral("kötelező mező."));
    }
    if (c.a2.isEmpty()) {
        problems.add(Field::A2, QStringLiteral("kötelező mező."));
    }
    // The coefficients mean nothing without the area they refer to.
    const Field reference = referenceAreaField(c.reference);
    if (numberOf(c, reference).isEmpty()) {
        problems.add(reference,
                     c.reference == Reference::Gross
                         ? QStringLiteral("kötelező mező: az együtthatók a bruttó felületre "
                                          "vonatkoznak.")
                         : QStringLiteral("kötelező mező: az együtthatók az apertúrafelületre "
                                          "vonatkoznak."));
    }
}

}  // namespace

QList<FieldProblem> check(const Collector& c) {
    Problems problems;
    if (c.name.trimmed().isEmpty()) {
        problems.add(Field::Name, QStringLiteral("kötelező mező."));
    }
    checkValues(c, problems);
    checkRequired(c, problems);
    checkModifier(c, problems);
    if (!c.date.isEmpty() && !QDate::fromString(c.date, Qt::ISODate).isValid()) {
        problems.add(Field::Date, QStringLiteral("ÉÉÉÉ-HH-NN alakú dátum kell."));
    }
    return problems.found;
}

QString textProblem(Field field, QStringView text) {
    // Every forbidden character lies in the Basic Multilingual Plane, so
    // UTF-16 units can be tested one by one.
    for (const QChar c : text) {
        if (isForbidden(c.unicode(), field == Field::Note)) {
            const QString code =
                QStringLiteral("%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
            return QStringLiteral("vezérlőkaraktert és írásirány-váltót nem tartalmazhat (U+%1).")
                .arg(code);
        }
    }
    return {};
}

QString nameKey(const QString& name) {
    return name.normalized(QString::NormalizationForm_C).simplified().toCaseFolded();
}

qsizetype indexOfName(const QList<Collector>& collectors, const QString& name) {
    const QString key = nameKey(name);
    for (qsizetype i = 0; i < collectors.size(); ++i) {
        if (nameKey(collectors[i].name) == key) {
            return i;
        }
    }
    return -1;
}

void normalizeName(Collector& collector) {
    collector.name = collector.name.normalized(QString::NormalizationForm_C).trimmed();
}

QList<FieldProblem> flaws(const Collector& collector, const QList<Collector>& library) {
    QList<FieldProblem> found = check(collector);
    if (found.isEmpty() &&
        collector.name != collector.name.normalized(QString::NormalizationForm_C)) {
        found.append({Field::Name, QStringLiteral("nem NFC formájú.")});
    }
    const QString key = nameKey(collector.name);
    const auto same = std::count_if(library.begin(), library.end(),
                                    [&](const Collector& c) { return nameKey(c.name) == key; });
    if (same > 1) {
        found.append({Field::Name, QStringLiteral("egy másik kollektor neve is ez.")});
    }
    return found;
}

Field referenceAreaField(Reference reference) {
    return reference == Reference::Gross ? Field::GrossArea : Field::ApertureArea;
}

const DecimalText& numberOf(const Collector& collector, Field field) {
    static const DecimalText kNone;
    const DecimalText* number = numberMember(const_cast<Collector&>(collector), field);
    return number != nullptr ? *number : kNone;
}

ModifierForm modifierForm(const Collector& c) {
    if (!c.iamB0.isEmpty()) {
        return ModifierForm::B0;
    }
    if (!c.iamK50.isEmpty()) {
        return ModifierForm::K50;
    }
    if (!c.iamTable.isEmpty()) {
        return ModifierForm::Table;
    }
    return c.iamTransversal.isEmpty() && c.iamLongitudinal.isEmpty() ? ModifierForm::None
                                                                     : ModifierForm::Biaxial;
}

QList<Field> modifierFields(ModifierForm form) {
    switch (form) {
        case ModifierForm::None:
            return {};
        case ModifierForm::B0:
            return {Field::IamB0};
        case ModifierForm::K50:
            return {Field::IamK50};
        case ModifierForm::Table:
            return {Field::IamTable};
        case ModifierForm::Biaxial:
            return {Field::IamTransversal, Field::IamLongitudinal};
    }
    return {};
}

double hemisphericalEta0(const Collector& c) {
    if (!c.eta0.isEmpty()) {
        return c.eta0.value();
    }
    return model::hemisphericalFromBeam(c.eta0b.value(), c.kd.value());
}

DecimalText referenceArea(const Collector& c) {
    return numberOf(c, referenceAreaField(c.reference));
}

}  // namespace library
