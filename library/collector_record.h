#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "decimal_text.h"

namespace library {

// The area the coefficients refer to.
enum class Reference { Gross, Aperture };

// One named collector as a datasheet gives it. Empty DecimalTexts are values
// the datasheet does not give. Either eta0 (hemispherical) is given, or eta0b
// with kd, from which the hemispherical value follows.
struct Collector {
    QString name;
    QString maker;
    QString model;
    DecimalText eta0;
    DecimalText eta0b;
    DecimalText kd;
    DecimalText a1;
    DecimalText a2;
    Reference reference = Reference::Gross;
    DecimalText grossArea;
    DecimalText apertureArea;
    QString certificate;
    QString testReport;
    QString lab;
    QString date;  // ISO 8601, yyyy-mm-dd
    QString note;

    friend bool operator==(const Collector&, const Collector&) = default;
};

// The fields by the names the files use, in the order they are written.
enum class Field {
    Name,
    Maker,
    Model,
    Eta0,
    Eta0b,
    Kd,
    A1,
    A2,
    Reference,
    GrossArea,
    ApertureArea,
    Certificate,
    TestReport,
    Lab,
    Date,
    Note,
};
inline constexpr int kFieldCount = 16;
[[nodiscard]] QString fieldKey(Field field);
[[nodiscard]] std::optional<Field> fieldFromKey(QStringView key);
[[nodiscard]] bool isNumericField(Field field);
[[nodiscard]] QString referenceKey(Reference reference);
[[nodiscard]] std::optional<Reference> referenceFromKey(QStringView key);

// Reads and writes one field as text; numbers with a point. Texts other
// than the note are stored without blanks around them.
[[nodiscard]] QString fieldText(const Collector& collector, Field field);
// False when a number field's text does not read as a decimal, or the
// reference is neither "gross" nor "aperture".
[[nodiscard]] bool setFieldText(Collector& collector, Field field, QStringView text,
                                QChar decimalSeparator = u'.');

// What is wrong with one field, in Hungarian.
struct FieldProblem {
    Field field;
    QString reason;
};
// Every rule a stored collector keeps, one problem per field at most.
[[nodiscard]] QList<FieldProblem> check(const Collector& collector);
// The reason a single number text would be refused for `field`, or empty.
[[nodiscard]] QString checkNumberText(Field field, QStringView text, QChar decimalSeparator);

// Names compare without regard to case or blanks: " Solar  X" == "solar x".
[[nodiscard]] QString nameKey(const QString& name);

// The hemispherical peak efficiency the window's curve uses:
// η0,hem = η0,b·(0.85 + 0.15·Kd) when only the beam value is given.
[[nodiscard]] double hemisphericalEta0(const Collector& collector);
// The area the coefficients refer to, or else the one area given.
[[nodiscard]] DecimalText workingArea(const Collector& collector);

}  // namespace library
