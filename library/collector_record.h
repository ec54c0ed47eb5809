#pragma once

#include <QList>
#include <QString>
#include <bitset>
#include <optional>

#include "decimal_text.h"

namespace library {

// The area the coefficients refer to.
enum class Reference { Gross, Aperture };

// A modifier's values at 10°, 20° … 90°, as many as the datasheet prints
// (at most nine); empty where it gives none.
using AngleValues = QList<DecimalText>;

// How the datasheet gives the beam incidence-angle modifier: not at all, by
// b0 or K50, by a table, or by a table across and one along the tubes of an
// evacuated-tube collector whose tubes run up the slope.
enum class ModifierForm { None, B0, K50, Table, Biaxial };

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
    // The quasi-dynamic terms; empty ones are 0 in a calculation.
    DecimalText a3;  // J/(m³·K)
    DecimalText a4;
    DecimalText a6;  // s/m
    DecimalText a8;  // W/(m²·K⁴)
    // At most one form of the beam modifier; none means Kθb = 1.
    DecimalText iamB0;
    DecimalText iamK50;
    AngleValues iamTable;
    AngleValues iamTransversal;
    AngleValues iamLongitudinal;
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
    A3,
    A4,
    A6,
    A8,
    IamB0,
    IamK50,
    IamTable,
    IamTransversal,
    IamLongitudinal,
    Reference,
    GrossArea,
    ApertureArea,
    Certificate,
    TestReport,
    Lab,
    Date,
    Note,
};
inline constexpr int kFieldCount = 25;
// A set of fields, such as those a file gives a value for.
using FieldSet = std::bitset<kFieldCount>;
[[nodiscard]] QString fieldKey(Field field);
[[nodiscard]] std::optional<Field> fieldFromKey(QStringView key);
[[nodiscard]] bool isNumericField(Field field);
// The modifier's tables: decimals separated by ";", at 10°, 20° … 90°.
[[nodiscard]] bool isAngleField(Field field);
[[nodiscard]] QString referenceKey(Reference reference);
[[nodiscard]] std::optional<Reference> referenceFromKey(QStringView key);

// Reads and writes one field as text; numbers with a point, a table's
// numbers separated by ";". Texts other than the note are stored without
// blanks around them.
[[nodiscard]] QString fieldText(const Collector& collector, Field field);
// False when a number field's text (or one of a table's) does not read as a
// decimal, or the reference is neither "gross" nor "aperture".
[[nodiscard]] bool setFieldText(Collector& collector, Field field, QStringView text,
                                QChar decimalSeparator = u'.');

// What is wrong with one field, in Hungarian.
struct FieldProblem {
    Field field;
    QString reason;
};
// Every rule a collector keeps before it is stored, one problem per field at
// most. A collector already stored may break a rule added since: see flaws().
[[nodiscard]] QList<FieldProblem> check(const Collector& collector);
// `stored` with the fields of `given` taken from `row`; the stored name's
// spelling stays. An import that replaces a collector changes only the
// columns its file has.
[[nodiscard]] Collector withFields(Collector stored, const Collector& row, const FieldSet& given);

// Sets a number field to a decimal already read.
void setNumber(Collector& collector, Field field, const DecimalText& value);
// The reason a single number text would be refused for `field`, or empty: a
// decimal separator of the other kind, too many digits, a range.
[[nodiscard]] QString checkNumberText(Field field, QStringView text, QChar decimalSeparator);
// The same for a table's text: the first value refused, by its place
// ("3. érték: …"), or more values than nine.
[[nodiscard]] QString checkAnglesText(Field field, QStringView text, QChar decimalSeparator);
// A table's values from "0.99; 0.97", each read as a CSV cell or a typed
// number is; none where one does not read.
[[nodiscard]] std::optional<AngleValues> parseAngles(QStringView text, QChar decimalSeparator);
// A table's values, or empty for another field.
[[nodiscard]] const AngleValues& anglesOf(const Collector& collector, Field field);
void setAngles(Collector& collector, Field field, const AngleValues& values);

// Why a text that does not read as a number is refused: the other decimal
// separator is named; number-shaped digits beyond a double are
// `beyondRange`.
[[nodiscard]] QString notANumberReason(QStringView text, QChar decimalSeparator,
                                       const QString& beyondRange);

// Why a text field's text cannot be stored (control characters, direction
// overrides; a note may hold line breaks and tabs), or empty.
[[nodiscard]] QString textProblem(Field field, QStringView text);

// Names compare after Unicode NFC, trimming, folding runs of blanks into one
// and folding case: " Solar  X" == "solar x", but "AB" != "A B".
[[nodiscard]] QString nameKey(const QString& name);
// Where the collector named `name` (by nameKey) stands in `collectors`; -1
// where none does.
[[nodiscard]] qsizetype indexOfName(const QList<Collector>& collectors, const QString& name);
// A name as it is stored: NFC, without blanks around it. Applied to what is
// entered or imported; a stored name is read as it is.
void normalizeName(Collector& collector);
// What is wrong with a collector already stored, beside the rules check()
// applies to new ones: a name not in NFC, or one that another collector of
// `library` shares. Such collectors are kept and shown, never refused.
[[nodiscard]] QList<FieldProblem> flaws(const Collector& collector,
                                        const QList<Collector>& library);

// The form the record gives its beam modifier in: the first one given, in
// the order of ModifierForm.
[[nodiscard]] ModifierForm modifierForm(const Collector& collector);
// The fields of each form; the biaxial one has two.
[[nodiscard]] QList<Field> modifierFields(ModifierForm form);

// The hemispherical peak efficiency the window's curve uses, derived from
// η0,b and Kd when only the beam value is given.
[[nodiscard]] double hemisphericalEta0(const Collector& collector);
// The area field the coefficients refer to, and its value (empty when the
// record lacks it, which check() refuses).
[[nodiscard]] Field referenceAreaField(Reference reference);
[[nodiscard]] DecimalText referenceArea(const Collector& collector);
// A number field's value; empty for a text field.
[[nodiscard]] const DecimalText& numberOf(const Collector& collector, Field field);

}  // namespace library
