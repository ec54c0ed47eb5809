#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "library/collector_import.h"
#include "library/collector_store.h"
#include "library/earlier_library.h"
#include "library/library_document.h"
#include "library/stored_calculation.h"
#include "runtime/number_text.h"
#include "tests/test_printers.h"

namespace {

using library::AngleValues;
using library::Collector;
using library::CollectorStore;
using library::DecimalText;
using library::Field;

DecimalText dec(const char16_t* text) {
    return DecimalText::parse(QStringView(text)).value_or(DecimalText());
}

Collector collector(const QString& name, const char16_t* eta0 = u"0.798") {
    Collector c;
    c.name = name;
    c.eta0 = dec(eta0);
    c.a1 = dec(u"3.78");
    c.a2 = dec(u"0.015");
    c.grossArea = dec(u"2.51");
    return c;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(DecimalText, KeepsTheTypedDecimalInOneCanonicalForm) {
    const struct {
        const char16_t* text;
        char16_t separator;
        const char16_t* canonical;  // nullptr: refused
    } cases[] = {
        {u"0.798", u'.', u"0.798"},
        {u" 0,7980 ", u',', u"0.798"},
        {u"1E-3", u'.', u"0.001"},
        {u"-2.50", u'.', u"-2.5"},
        {u"007", u'.', u"7"},
        {u"0.000", u'.', u"0"},
        {u"1,5e2", u',', u"150"},
        {u".5", u'.', u"0.5"},
        {u"+1.5E+2", u'.', u"150"},
        {u"-12.5e-1", u'.', u"-1.25"},
        {u"12345678901234500000", u'.', u"12345678901234500000"},  // zeros past 15 digits
        {u"0,5", u'.', nullptr},
        {u"1.2.3", u'.', nullptr},
        {u"", u'.', nullptr},
        {u"1e", u'.', nullptr},
        {u"1e400", u'.', nullptr},
        {u"abc", u'.', nullptr},
        {u"0.1234567890123456", u'.', nullptr},  // 16 digits: no exact double
    };
    for (const auto& c : cases) {
        const auto parsed = DecimalText::parse(QStringView(c.text), QChar(c.separator));
        EXPECT_EQ(parsed ? parsed->text() : QStringLiteral("<refused>"),
                  c.canonical ? QString::fromUtf16(c.canonical) : QStringLiteral("<refused>"))
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(LibraryDocument, CoefficientsReadBackAsTheSameDecimals) {
    QList<Collector> list;
    for (const char16_t* value :
         {u"0.798", u"0.1", u"0.123456789012345", u"0.0000001", u"123456789012345", u"0.3", u"1"}) {
        Collector c = collector(QString::fromUtf16(value));
        c.a1 = dec(value);
        list.append(c);
    }
    const QByteArray bytes = library::writeDocument(list);
    EXPECT_TRUE(bytes.contains("\"a1\": 0.798,")) << bytes.toStdString();
    const library::ReadDocument read = library::readDocument(bytes);
    ASSERT_EQ(read.error, QString());
    EXPECT_EQ(read.collectors, list);
    EXPECT_EQ(library::writeDocument(read.collectors), bytes);
}

TEST(CollectorRules, EachBrokenRuleNamesItsField) {
    const struct {
        const char* what;
        void (*edit)(Collector&);
        Field field;
    } cases[] = {
        {"no name", [](Collector& c) { c.name = QStringLiteral("  "); }, Field::Name},
        {"eta0 0", [](Collector& c) { c.eta0 = dec(u"0"); }, Field::Eta0},
        {"eta0 above 1", [](Collector& c) { c.eta0 = dec(u"1.01"); }, Field::Eta0},
        {"a1 negative", [](Collector& c) { c.a1 = dec(u"-0.1"); }, Field::A1},
        {"a2 missing", [](Collector& c) { c.a2 = {}; }, Field::A2},
        {"no area", [](Collector& c) { c.grossArea = {}; }, Field::GrossArea},
        {"aperture 0", [](Collector& c) { c.apertureArea = dec(u"0"); }, Field::ApertureArea},
        {"eta0 and eta0b", [](Collector& c) { c.eta0b = dec(u"0.8"), c.kd = dec(u"0.9"); },
         Field::Eta0b},
        {"eta0b without kd", [](Collector& c) { c.eta0 = {}, c.eta0b = dec(u"0.8"); }, Field::Kd},
        {"kd above 2", [](Collector& c) { c.eta0 = {}, c.eta0b = dec(u"0.8"), c.kd = dec(u"2.5"); },
         Field::Kd},
        {"a1 above 100", [](Collector& c) { c.a1 = dec(u"100.1"); }, Field::A1},
        {"area above 100", [](Collector& c) { c.grossArea = dec(u"1e3"); }, Field::GrossArea},
        {"aperture reference, gross area only",
         [](Collector& c) { c.reference = library::Reference::Aperture; }, Field::ApertureArea},
        {"bad date", [](Collector& c) { c.date = QStringLiteral("2024-13-01"); }, Field::Date},
        {"tab in a name", [](Collector& c) { c.name = QStringLiteral("A\tB"); }, Field::Name},
        {"direction override", [](Collector& c) { c.maker = QStringLiteral("x\u202Ey"); },
         Field::Maker},
        {"a3 negative", [](Collector& c) { c.a3 = dec(u"-0.1"); }, Field::A3},
        {"a8 above its limit", [](Collector& c) { c.a8 = dec(u"0.01"); }, Field::A8},
        {"b0 and K50", [](Collector& c) { c.iamB0 = dec(u"0.1"), c.iamK50 = dec(u"0.9"); },
         Field::IamK50},
        {"table and biaxial",
         [](Collector& c) { c.iamTable = c.iamTransversal = c.iamLongitudinal = {dec(u"0.9")}; },
         Field::IamTransversal},
        {"across without along", [](Collector& c) { c.iamTransversal = {dec(u"1.1")}; },
         Field::IamLongitudinal},
        {"K50 whose b0 passes 1", [](Collector& c) { c.iamK50 = dec(u"0.4"); }, Field::IamK50},
        {"table value above 1.5",
         [](Collector& c) {
             c.iamTable = {dec(u"1"), dec(u"1.6")};
         },
         Field::IamTable},
        {"ten table values", [](Collector& c) { c.iamTable = AngleValues(10, dec(u"0.5")); },
         Field::IamTable},
    };
    EXPECT_TRUE(library::check(collector(QStringLiteral("ok"), u"1")).isEmpty());
    for (const auto& c : cases) {
        Collector broken = collector(QStringLiteral("x"));
        c.edit(broken);
        const auto problems = library::check(broken);
        ASSERT_EQ(problems.size(), 1) << c.what;
        EXPECT_EQ(problems.front().field, c.field) << c.what;
        EXPECT_FALSE(problems.front().reason.isEmpty());
    }
}

TEST(CollectorRules, BeamEfficiencyGivesTheHemisphericalOne) {
    Collector c = collector(QStringLiteral("x"));
    c.eta0 = {};
    c.eta0b = dec(u"0.8");
    c.kd = dec(u"0.9");
    EXPECT_DOUBLE_EQ(library::hemisphericalEta0(c), 0.8 * (0.85 + 0.15 * 0.9));
    c.reference = library::Reference::Aperture;
    EXPECT_TRUE(library::referenceArea(c).isEmpty());  // never the gross area in its place
    c.apertureArea = dec(u"2.3");
    EXPECT_EQ(library::referenceArea(c).text(), QStringLiteral("2.3"));
}

// One name, however it is typed: NFC, blanks and case; but "AB" is not "A B".
TEST(CollectorRules, NamesCompareAfterNfcBlanksAndCase) {
    const QString precomposed = QStringLiteral("Sík \u00E9");
    const QString combining = QStringLiteral(" sík  e\u0301 ");
    EXPECT_EQ(library::nameKey(precomposed), library::nameKey(combining));
    EXPECT_NE(library::nameKey(QStringLiteral("AB")), library::nameKey(QStringLiteral("A B")));
    // Stored before the rule, both are read and marked, never refused.
    const QList<Collector> stored = {collector(precomposed), collector(combining.trimmed())};
    const library::ReadDocument read = library::readDocument(library::writeDocument(stored));
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.collectors, stored);
    EXPECT_FALSE(library::flaws(read.collectors[1], read.collectors).isEmpty());
}

class StoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("sub/collectors.json"));
};

TEST_F(StoreTest, NothingIsWrittenUntilSomethingIsStoredAndThePreviousFileIsKept) {
    CollectorStore store(path_);
    store.reload();
    EXPECT_TRUE(store.collectors().isEmpty());
    EXPECT_FALSE(QDir(dir_.filePath(QStringLiteral("sub"))).exists());
    ASSERT_TRUE(store.add(collector(QStringLiteral("A"))).ok);
    const QByteArray first = readAll(path_);
    ASSERT_TRUE(store.add(collector(QStringLiteral("B"))).ok);
    EXPECT_EQ(readAll(path_ + QStringLiteral(".bak")), first);
    ASSERT_TRUE(store.remove(QStringLiteral(" a")).ok);
    EXPECT_EQ(store.collectors(), QList<Collector>{collector(QStringLiteral("B"))});
}

TEST_F(StoreTest, ANameDifferingOnlyInCaseOrBlanksIsADuplicate) {
    CollectorStore store(path_);
    ASSERT_TRUE(store.add(collector(QStringLiteral("Solar X 2.5"))).ok);
    ASSERT_TRUE(store.add(collector(QStringLiteral("Other"))).ok);
    for (const char* name : {"solar x 2.5", " Solar  X 2.5 ", "SOLAR  X 2.5"}) {
        const auto outcome = store.add(collector(QString::fromUtf8(name)));
        EXPECT_FALSE(outcome.ok) << name;
        EXPECT_TRUE(outcome.message.contains(u"Már van ilyen nevű")) << name;
        EXPECT_FALSE(store.replace(QStringLiteral("other"), collector(QString::fromUtf8(name))).ok);
    }
    EXPECT_EQ(store.collectors().size(), 2);
}

TEST_F(StoreTest, AnUnreadableFileIsNeverOverwritten) {
    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"corrupt", "{\"format\": \"efficiency-collector-library\", \"version\": 1, x}",
         "nem érvényes JSON"},
        {"truncated", library::writeDocument({collector(QStringLiteral("A"))}).left(90), "csonka"},
        {"empty", "", "üres"},
        {"binary",
         QByteArray("\x7f"
                    "ELF\x02\x01\x00\x00\xff\xfe",
                    10),
         "bináris"},
        {"newer",
         "{\"format\": \"efficiency-collector-library\", \"version\": 3, \"collectors\": []}",
         "újabb formátumverziójú (3)"},
        {"not a library", "[1, 2]", "nem kollektorkönyvtár"},
        {"bad version",
         "{\"format\": \"efficiency-collector-library\", \"version\": 1.5, \"collectors\": []}",
         "hibás formátumverzió"},
        {"no list", "{\"format\": \"efficiency-collector-library\", \"version\": 1}",
         "kollektorok listája"},
        {"bad record",
         "{\"format\": \"efficiency-collector-library\", \"version\": 1, \"collectors\": "
         "[{\"name\": \"A\", \"eta0\": \"2\", \"a1\": 1, \"a2\": 0, \"grossArea\": 2}]}",
         "1. kollektor hibás: eta0"},
    };
    for (const auto& c : cases) {
        QDir().mkpath(dir_.filePath(QStringLiteral("sub")));
        writeAll(path_, c.bytes);
        CollectorStore store(path_);
        store.reload();
        EXPECT_TRUE(store.isReadOnly()) << c.what;
        EXPECT_TRUE(store.problem().contains(QString::fromUtf8(c.reason)))
            << store.problem().toStdString();
        EXPECT_TRUE(store.problem().contains(QDir::toNativeSeparators(path_))) << c.what;
        const auto outcome = store.add(collector(QStringLiteral("New")));
        EXPECT_FALSE(outcome.ok) << c.what;
        EXPECT_EQ(readAll(path_), c.bytes) << c.what;
        EXPECT_FALSE(QFile::exists(path_ + QStringLiteral(".bak"))) << c.what;

        QString aside;
        ASSERT_TRUE(store.startNewLibrary(&aside).ok) << c.what;
        EXPECT_EQ(readAll(aside), c.bytes) << c.what;
        EXPECT_FALSE(QFile::exists(path_)) << c.what;
        EXPECT_TRUE(store.add(collector(QStringLiteral("New"))).ok) << c.what;
        QFile::remove(path_);
    }
}

// A version 1 file is read as it is and stays so until a change writes it
// as version 2, with the new fields.
TEST_F(StoreTest, AVersion1FileIsRewrittenOnlyByAChange) {
    const QByteArray v1 =
        "{\"format\": \"efficiency-collector-library\", \"version\": 1, \"collectors\": "
        "[{\"name\": "
        "\"A\", \"eta0\": 0.798, \"a1\": 3.78, \"a2\": 0.015, \"grossArea\": 2.51}]}";
    QDir().mkpath(dir_.filePath(QStringLiteral("sub")));
    writeAll(path_, v1);
    CollectorStore store(path_);
    store.reload();
    EXPECT_EQ(store.collectors(), QList<Collector>{collector(QStringLiteral("A"))});
    EXPECT_EQ(readAll(path_), v1);
    Collector tube = collector(QStringLiteral("B"));
    tube.iamTable = {dec(u"0.99"), dec(u"0.97")};
    tube.a8 = dec(u"1e-8");
    ASSERT_TRUE(store.add(tube).ok);
    const QByteArray v2 = readAll(path_);
    EXPECT_TRUE(v2.contains("\"version\": 2,") && v2.contains("\"iamTable\": [0.99, 0.97]") &&
                v2.contains("\"a8\": 0.00000001"))
        << v2.toStdString();
    EXPECT_EQ(library::readDocument(v2).collectors,
              (QList<Collector>{collector(QStringLiteral("A")), tube}));
}

TEST_F(StoreTest, AnUnwritableFolderLosesNothingInMemory) {
    CollectorStore store(path_);
    ASSERT_TRUE(store.add(collector(QStringLiteral("A"))).ok);
    // Root ignores permissions; a file where the folder was stops everyone.
    const QString folder = dir_.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().rename(folder, dir_.filePath(QStringLiteral("gone"))));
    writeAll(folder, "not a folder");
    const auto outcome = store.add(collector(QStringLiteral("B")));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.message.contains(u"nem írható")) << outcome.message.toStdString();
    EXPECT_TRUE(outcome.message.contains(QDir::toNativeSeparators(folder)));
    EXPECT_EQ(store.collectors(), QList<Collector>{collector(QStringLiteral("A"))});
    EXPECT_FALSE(store.isReadOnly());
}

TEST(Import, ReadsEachFormatAndRefusesRowsWithLineColumnAndReason) {
    const struct {
        const char* what;
        QByteArray bytes;
        int rows;
        QList<library::Refusal> refusals;  // reason: a part of it
    } cases[] = {
        {"comma, point",
         "name,eta0,a1,a2,area\nA,0.798,3.78,0.015,2.51\n\"B, C\",0.7,1,0,2\n",
         2,
         {}},
        {"semicolon, comma, trailing separators",
         "\xEF\xBB\xBFname;eta0;a1;a2;area\r\nA;0,798;3,78;0,015;2,51;;\r\n;;;;;;\r\n",
         1,
         {}},
        {"json array",
         "[\n {\"name\": \"A\", \"eta0\": 0.798, \"a1\": 3.78, \"a2\": 0.015, \"area\": 2.51},\n"
         " {\"name\": \"B\", \"eta0\": 7, \"a1\": 1, \"a2\": 0, \"area\": 1}\n]",
         1,
         {{3, 2, "eta0", "legfeljebb 1"}}},
        {"compact json array names the element",
         "[{\"name\": \"A\", \"eta0\": 0.8, \"a1\": 3, \"a2\": 0}, {\"name\": \"B\", \"a1\": 3, "
         "\"a2\": 0}]",
         1,
         {{1, 2, "eta0", "kötelező"}}},
        {"json lines",
         "{\"name\": \"A\", \"eta0\": 0.8, \"a1\": 3, \"a2\": 0}\n\n{\"name\": \"B\", \"eta0\": "
         "0.8, \"a1\": -1, \"a2\": 0}\n",
         1,
         {{3, 2, "a1", "0 és 100"}}},
        {"library", library::writeDocument({collector(QStringLiteral("A"))}), 1, {}},
        {"bad rows",
         "name;eta0;a1;a2;area\nA;0.8;3;0;2\nB;0,8;-3;0;2\nb;0,8;3;0;2\nC;0,8;3;0\n"
         "D;0,8;3;0;0\n",
         2,
         {{3, 0, "a1", "0 és 100"},
          {5, 0, "", "a fejléc szerint 5"},
          {6, 0, "area", "0,01 és 100"}}},
        {"aperture coefficients need the aperture area",
         "name,eta0,a1,a2,reference,grossArea\nA,0.7,1,0.01,aperture,2.5\n",
         0,
         {{2, 0, "apertureArea", "kötelező"}}},
        {"duplicate in file",
         "name,eta0,a1,a2,area\nA,0.8,3,0,2\n a ,0.8,3,0,2\n",
         1,
         {{3, 0, "name", "korábban már szerepel"}}},
        {"control character",
         "name,eta0,a1,a2\n\"A\x01\",0.8,3,0\n",
         0,
         {{2, 0, "", "nem szöveg"}}},
        {"header", "name,eta0,colour,a1\n", 0, {{1, 0, "colour", "ismeretlen oszlop"}}},
        {"open quote", "name,eta0\n\"A,0.8\n", 0, {{2, 0, "", "lezáratlan idézőjel"}}},
        {"bad json", "[{\"name\": }]", 0, {{1, 0, "", "nem érvényes JSON"}}},
        {"json lines, a bad line",
         "{\"name\": \"A\", \"eta0\": 0.8, \"a1\": 3, \"a2\": 0}\n{\"name\" 1}\n",
         1,
         {{2, 2, "", "nem érvényes JSON (1. sor"}}},
        {"one object over lines",
         "{\n\"name\": \"A\"\n}\n",
         0,
         {{0, 0, "", "nem kollektorkönyvtár"}}},
        {"json array of a number", "[1]", 0, {{1, 1, "", "nem objektum"}}},
        {"modifier table with decimal commas",
         "name;eta0;a1;a2;area;iamTable\nA;0,8;3;0;2;\"0,99; 0,97\"\n",
         1,
         {}},
        {"modifier table with a value no number",
         "name,eta0,a1,a2,area,iamTable\nA,0.8,3,0,2,0.99;;0.9\n",
         0,
         {{2, 0, "iamTable", "2. érték: hiányzik"}}},
        {"json biaxial modifier, an array and a text",
         "[{\"name\": \"A\", \"eta0\": 0.8, \"a1\": 3, \"a2\": 0, \"iamTransversal\": [1.02], "
         "\"iamLongitudinal\": \"0,98\"}]",
         1,
         {}},
        {"utf-16 without a byte-order mark",
         QByteArray("n\0a\0m\0e\0\n\0", 10),
         0,
         {{1, 0, "", "nem szöveg"}}},
    };
    for (const auto& c : cases) {
        const library::ImportFile file = library::parseImport(c.bytes);
        EXPECT_EQ(file.rows.size(), c.rows) << c.what;
        ASSERT_EQ(file.refusals.size(), c.refusals.size()) << c.what;
        for (qsizetype i = 0; i < c.refusals.size(); ++i) {
            const library::Refusal& got = file.refusals[i];
            EXPECT_EQ(std::tuple(got.line, got.element, got.column),
                      std::tuple(c.refusals[i].line, c.refusals[i].element, c.refusals[i].column))
                << c.what << " #" << i;
            EXPECT_TRUE(got.reason.contains(c.refusals[i].reason)) << got.reason.toStdString();
        }
    }
}

// Excel's Hungarian CSV is Windows-1250; a file without an area column is
// 1 m² of the reference area; both are said.
TEST(Import, ReadsWindows1250AndAssumesAnAreaWhereNoneIsGiven) {
    const library::ImportFile file = library::parseImport(
        QByteArray("name;eta0;a1;a2\r\n\xD5rs\xE9gi \xDB-kollektor;0,7;3;0,01\r\n"));
    ASSERT_EQ(file.rows.size(), 1);
    EXPECT_EQ(file.rows[0].name, QStringLiteral("Őrségi Ű-kollektor"));
    EXPECT_EQ(file.rows[0].grossArea.text(), QStringLiteral("1"));
    EXPECT_TRUE(file.windows1250);
    EXPECT_TRUE(file.areaAssumed);
    // A file that is UTF-8 before its bad line is neither.
    EXPECT_EQ(library::parseImport(QByteArray("name,eta0,a1,a2\n\xC3\xA9,0.7,3,0\n\xD5,0.7,3,0\n"))
                  .refusals.front()
                  .line,
              3);
}

TEST_F(StoreTest, ExportImportExportGivesTheSameBytes) {
    Collector rich = collector(QStringLiteral("Árvíztűrő \"TB\"; 2,5"));
    rich.maker = QStringLiteral("Gyártó, Kft.");
    rich.eta0 = {};
    rich.eta0b = dec(u"0.812");
    rich.kd = dec(u"0.93");
    rich.reference = library::Reference::Aperture;
    rich.apertureArea = dec(u"2.3");
    rich.date = QStringLiteral("2021-03-04");
    rich.note = QStringLiteral(" két sor\nés egy tab\t ");
    rich.a3 = dec(u"0.012");
    rich.a4 = dec(u"0.4");
    rich.a6 = dec(u"0.025");
    rich.a8 = dec(u"5.67e-9");
    rich.iamTransversal = {dec(u"1.01"), dec(u"1.04"), dec(u"0.9")};
    rich.iamLongitudinal = {dec(u"0.99"), dec(u"0.97")};
    const QList<Collector> all = {rich, collector(QStringLiteral("Plain"), u"0.1")};
    using Export = QByteArray (*)(const QList<Collector>&);
    const Export exports[] = {
        [](const QList<Collector>& l) { return exportCsv(l, library::CsvStyle::CommaPoint); },
        [](const QList<Collector>& l) { return exportCsv(l, library::CsvStyle::SemicolonComma); },
        library::exportJson,
    };
    int n = 0;
    for (const Export exportTo : exports) {
        const QByteArray first = exportTo(all);
        const library::ImportFile file = library::parseImport(first);
        ASSERT_TRUE(file.refusals.isEmpty()) << file.refusals.front().reason.toStdString();
        CollectorStore empty(dir_.filePath(QStringLiteral("round%1.json").arg(++n)));
        ASSERT_TRUE(empty.importRows(file.rows, library::ExistingNames::Refuse).ok);
        EXPECT_EQ(empty.collectors(), all);
        EXPECT_EQ(exportTo(empty.collectors()), first) << first.toStdString();
    }
}

// The coefficients travel with the area they refer to, into the datasheet
// and the window alike; what cannot be calculated says which field.
TEST(StoredCalculation, CoefficientsKeepTheirReferenceArea) {
    Collector tube = collector(QStringLiteral("VT"));
    tube.eta0 = {};
    tube.eta0b = dec(u"0.62");
    tube.kd = dec(u"0.95");
    tube.a1 = dec(u"0.6");
    tube.reference = library::Reference::Aperture;
    tube.grossArea = dec(u"2.9");
    tube.apertureArea = dec(u"1.9");
    const auto input = std::get<model::DatasheetInput>(library::datasheetInput(tube));
    const model::DatasheetRow row = model::computeDatasheet(input).rows.front();
    EXPECT_EQ(std::lround(*row.perGrossArea), 403);
    EXPECT_EQ(std::lround(*row.perApertureArea), 615);
    EXPECT_EQ(input.collector, QStringLiteral("VT"));

    const auto refusal = [](const Collector& c) {
        const auto converted = library::windowCollector(c);
        const auto* why = std::get_if<library::NotCalculable>(&converted);
        return why ? std::pair(why->problem.field, why->outsideWindow)
                   : std::pair(Field::Note, false);
    };
    EXPECT_EQ(refusal(tube), std::pair(Field::A1, true));  // the window's range, not the record's
    // The year takes the record's own values: beam with Kd, on the aperture.
    const auto year = std::get<model::ThermalCollector>(library::thermalCollector(tube));
    EXPECT_EQ(std::tuple(year.eta0b, year.kd, year.hemisphericalOnly, year.a1, year.area),
              std::tuple(0.62, 0.95, false, 0.6, 1.9));
    // The quasi-dynamic terms, 0 where not given, and the modifier in each form.
    tube.a3 = dec(u"0.02");
    tube.a8 = dec(u"1e-9");
    const auto terms = std::get<model::ThermalCollector>(library::thermalCollector(tube));
    EXPECT_EQ(std::tuple(terms.a3, terms.a4, terms.a6, terms.a8), std::tuple(0.02, 0, 0, 1e-9));
    const struct {
        void (*form)(Collector&);
        double theta, transversal, longitudinal, k;
    } modifiers[] = {
        {[](Collector&) {}, 80, 0, 0, 1},
        {[](Collector& c) { c.iamB0 = dec(u"0.05"); }, 22.5, 0, 0, 0.99588039},
        {[](Collector& c) { c.iamB0 = dec(u"0.05"); }, 67.5, 0, 0, 0.9193437},
        {[](Collector& c) { c.iamK50 = dec(u"0.94"); }, 50, 0, 0, 0.94},
        {[](Collector& c) {
             c.iamTable = {dec(u"1"), dec(u"0.98"), dec(u"0.94")};
         },
         25, 0, 0, 0.96},
        {[](Collector& c) { c.iamTransversal = {dec(u"1.1")}, c.iamLongitudinal = {dec(u"0.9")}; },
         0, 10, 5, 1.1 * 0.95},
    };
    for (const auto& m : modifiers) {
        Collector c = tube;
        m.form(c);
        const auto withModifier = std::get<model::ThermalCollector>(library::thermalCollector(c));
        EXPECT_NEAR(withModifier.beamModifier(m.theta, m.transversal, m.longitudinal), m.k, 1e-7)
            << m.k;
    }
    tube.iamK50 = dec(u"0.94");
    EXPECT_NEAR(
        std::get<model::ThermalCollector>(library::thermalCollector(tube)).beamModifier.b0(),
        0.107967, 1e-6);
    tube.iamK50 = dec(u"0.2");
    const auto refused = library::thermalCollector(tube);
    EXPECT_EQ(std::get<library::NotCalculable>(refused).problem.field, Field::IamK50);
    tube.iamK50 = {};
    tube.a1 = dec(u"1.5");
    EXPECT_EQ(refusal(tube), std::pair(Field::Note, false));
    EXPECT_EQ(std::get<model::Collector>(library::windowCollector(tube)).area.toDouble(), 1.9);
    tube.apertureArea = {};
    EXPECT_EQ(refusal(tube), std::pair(Field::ApertureArea, false));

    // Stored as the box stores a typed value: four decimals, a half to even.
    const rt::NumberFormat typed(QLocale::c());
    for (const char16_t* a2 :
         {u"0.00125", u"0.00135", u"0.001251", u"0.0125", u"12.34565", u"0.5"}) {
        Collector c = collector(QStringLiteral("x"));
        c.a2 = dec(a2);
        EXPECT_EQ(std::get<model::Collector>(library::windowCollector(c)).a2,
                  typed.toFixed4(QStringView(a2)))
            << QString::fromUtf16(a2).toStdString();
    }
}

// The command line's earlier library comes over once: new names as they
// are, a name taken with other values under a name of its own, and the
// old file set aside, not deleted.
TEST_F(StoreTest, TheEarlierLibraryIsBroughtOverOnce) {
    CollectorStore store(path_);
    ASSERT_TRUE(store.add(collector(QStringLiteral("A"))).ok);
    ASSERT_TRUE(store.add(collector(QStringLiteral("B"))).ok);
    const QString earlier = dir_.filePath(QStringLiteral("efficiency/collectors.json"));
    QDir().mkpath(QFileInfo(earlier).path());
    writeAll(earlier, library::writeDocument({collector(QStringLiteral("a")),
                                              collector(QStringLiteral("B"), u"0.5"),
                                              collector(QStringLiteral("C"))}));
    const QString said = library::adoptEarlierLibrary(store, earlier);
    EXPECT_TRUE(said.contains(QStringLiteral("2 kollektor, 1 közülük új néven")))
        << said.toStdString();
    store.reload();
    QStringList names;
    for (const Collector& c : store.collectors()) {
        names.append(c.name);
    }
    EXPECT_EQ(names, QStringList({"A", "B", "B (parancssor)", "C"}));
    EXPECT_FALSE(QFile::exists(earlier));
    EXPECT_EQ(QDir(QFileInfo(earlier).path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(library::adoptEarlierLibrary(store, earlier).isEmpty());
    writeAll(earlier, "{ broken");
    EXPECT_TRUE(
        library::adoptEarlierLibrary(store, earlier).contains(QStringLiteral("helyén maradt")));
    EXPECT_TRUE(QFile::exists(earlier));
}

TEST_F(StoreTest, ImportTreatsExistingNamesAsChosen) {
    CollectorStore store(path_);
    ASSERT_TRUE(store.add(collector(QStringLiteral("A"))).ok);
    const QList<Collector> rows = {collector(QStringLiteral("a"), u"0.5"),
                                   collector(QStringLiteral("B"))};
    library::ImportFile file;
    file.rows = rows;
    file.given = {library::FieldSet().set(), library::FieldSet().set()};
    const auto preview = library::previewImport(file, store.collectors());
    EXPECT_EQ(preview.existing.size(), 1);
    EXPECT_EQ(preview.additions.size(), 1);
    const QByteArray before = readAll(path_);
    EXPECT_FALSE(store.importRows(rows, library::ExistingNames::Refuse).ok);
    EXPECT_EQ(readAll(path_), before);
    const auto skipped = store.importRows(rows, library::ExistingNames::Skip);
    EXPECT_EQ(std::tuple(skipped.added, skipped.skipped), std::tuple(1, 1));
    const auto replaced = store.importRows(rows, library::ExistingNames::Replace);
    EXPECT_EQ(std::tuple(replaced.added, replaced.replaced), std::tuple(0, 2));
    EXPECT_EQ(store.collectors().front().eta0.text(), QStringLiteral("0.5"));
    EXPECT_EQ(store.collectors().front().name, QStringLiteral("A"));  // the stored spelling
}

// Two windows editing one collector: each save changes only its own fields
// on the record as it is then; a field both changed is reported, not lost.
TEST_F(StoreTest, AnEditKeepsWhatAnotherWindowSavedMeanwhile) {
    CollectorStore a(path_);
    CollectorStore b(path_);
    ASSERT_TRUE(a.add(collector(QStringLiteral("Sík A"))).ok);
    b.reload();
    const Collector opened = a.collectors().front();
    Collector byB = opened;
    byB.maker = QStringLiteral("B-gyártó");
    QList<CollectorStore::Conflict> conflicts;
    ASSERT_TRUE(b.edit(opened, byB, &conflicts).ok);
    Collector byA = opened;
    byA.a1 = dec(u"4.1");
    ASSERT_TRUE(a.edit(opened, byA, &conflicts).ok);
    EXPECT_EQ(a.collectors().front().maker, QStringLiteral("B-gyártó"));
    EXPECT_EQ(a.collectors().front().a1.text(), QStringLiteral("4.1"));

    Collector againByB = opened;
    againByB.a1 = dec(u"4");
    const QByteArray before = readAll(path_);
    EXPECT_FALSE(b.edit(opened, againByB, &conflicts).ok);
    ASSERT_EQ(conflicts.size(), 1);
    EXPECT_EQ(std::tuple(conflicts[0].field, conflicts[0].stored, conflicts[0].edited),
              std::tuple(Field::A1, QStringLiteral("4.1"), QStringLiteral("4")));
    EXPECT_EQ(readAll(path_), before);
    library::FieldSet overwrite;
    overwrite.set(static_cast<std::size_t>(Field::A1));
    ASSERT_TRUE(b.edit(opened, againByB, &conflicts, overwrite).ok);
    EXPECT_EQ(b.collectors().front().a1.text(), QStringLiteral("4"));
    EXPECT_EQ(b.collectors().front().maker, QStringLiteral("B-gyártó"));
}

// The last deletion outlives the program that made it: another store on the
// file, after other changes, puts the collectors back where they were.
TEST_F(StoreTest, TheLastDeletionCanBeRestoredLater) {
    CollectorStore store(path_);
    for (const char* name : {"A", "B", "C", "D"}) {
        ASSERT_TRUE(store.add(collector(QString::fromUtf8(name))).ok);
    }
    const QList<Collector> all = store.collectors();
    ASSERT_TRUE(store.removeNames({QStringLiteral("D"), QStringLiteral("b")}).ok);
    ASSERT_TRUE(store.add(collector(QStringLiteral("E"))).ok);

    CollectorStore later(path_);
    later.reload();
    EXPECT_EQ(later.restorable(), (QList<Collector>{all[3], all[1]}));
    ASSERT_TRUE(later.add(all[3]).ok);  // taken meanwhile
    EXPECT_EQ(later.restorable(), QList<Collector>{all[1]});
    const auto outcome = later.restoreDeleted({QStringLiteral("B"), QStringLiteral("D")});
    EXPECT_EQ(std::pair(outcome.added, outcome.skipped), std::pair(1, 1));
    later.reload();
    EXPECT_EQ(later.collectors(),
              (QList<Collector>{all[0], all[1], all[2], collector(QStringLiteral("E")), all[3]}));
    ASSERT_TRUE(later.remove(QStringLiteral("E")).ok);  // only the last deletion counts
    EXPECT_EQ(later.restorable(), QList<Collector>{collector(QStringLiteral("E"))});
}

// A replacing import changes only the columns its file has, on the record as
// the file holds it then; each of several such imports keeps its change.
TEST_F(StoreTest, AReplacingImportChangesOnlyItsColumns) {
    CollectorStore store(path_);
    Collector stored = collector(QStringLiteral("Helio Sík 25"));
    stored.maker = QStringLiteral("Helio");
    stored.lab = QStringLiteral("ITW");
    ASSERT_TRUE(store.add(stored).ok);
    const library::ImportFile a1 =
        library::parseImport(QByteArray("name;a1\nhelio sík 25;3,6\n"), store.collectors());
    const library::ImportFile maker = library::parseImport(
        QByteArray("name,maker\nHELIO SÍK 25,Helio Kft.\n"), store.collectors());
    ASSERT_TRUE(a1.refusals.isEmpty() && maker.refusals.isEmpty());
    for (const library::ImportFile* file : {&a1, &maker}) {
        ASSERT_TRUE(store.importRows(file->rows, library::ExistingNames::Replace, file->given).ok);
    }
    stored.a1 = dec(u"3.6");
    stored.maker = QStringLiteral("Helio Kft.");
    EXPECT_EQ(store.collectors(), QList<Collector>{stored});
    // The beam modifier given in another form replaces the stored one whole.
    for (const char* file :
         {"name;iamB0\nHelio Sík 25;0,1\n", "name;iamK50\nHelio Sík 25;0,95\n"}) {
        const library::ImportFile modifier =
            library::parseImport(QByteArray(file), store.collectors());
        ASSERT_TRUE(modifier.refusals.isEmpty()) << modifier.refusals.front().reason.toStdString();
        ASSERT_TRUE(
            store.importRows(modifier.rows, library::ExistingNames::Replace, modifier.given).ok);
    }
    EXPECT_EQ(std::pair(store.collectors().front().iamB0, store.collectors().front().iamK50),
              std::pair(DecimalText(), dec(u"0.95")));
    // A name the library lacks must bring every required column.
    EXPECT_FALSE(library::parseImport(QByteArray("name;a1\nÚj;3,6\n"), store.collectors())
                     .refusals.isEmpty());
}

}  // namespace

namespace {

// A typed number that is refused says what to type instead.
TEST(CollectorRules, ARefusedNumberSaysWhatToTypeInstead) {
    const struct {
        const char16_t* typed;
        const char* reason;  // a part of it
    } cases[] = {
        {u"0.8", "tizedesvesszővel adja meg, pl. 0,745"},
        {u"1e400", "0-nál nagyobb és legfeljebb 1"},
        {u"0,12345678901234567", "legfeljebb 15 értékes jegy"},
        {u"abc", "nem szám"},
    };
    for (const auto& c : cases) {
        const QString reason = library::checkNumberText(Field::Eta0, QStringView(c.typed), u',');
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reason))) << reason.toStdString();
    }
}

}  // namespace
