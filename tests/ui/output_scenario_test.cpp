// What graf's menu puts on the clipboard and on the printed page, through the
// scenario runner: the same procedures the menu runs, in the real window.
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "scenario.h"
#include "test_printers.h"
#include "vector_files.h"

namespace {

struct ClipboardCase {
    const char* name;
    QStringList commands;  // the copy and a dump are appended
    const char* copy;
    QString expected;
};

void PrintTo(const ClipboardCase& c, std::ostream* out) {
    *out << c.name;
}

QString resultsWith(const char* collectorTemp, const char* operatingX, const char* efficiency,
                    const char* specific, const char* output) {
    return QStringLiteral(
               "Napkollektor típusa\tSzelektív síkkollektor\n"
               "η0 – optikai hatásfok\t0,798\n"
               "a1 – elsőfokú hőveszteségi együttható\t4,17\n"
               "a2 – másodfokú hőveszteségi együttható\t0,011\n"
               "A napkollektorok hasznos felülete (m²)\t1\n"
               "Napkollektor hőmérséklet\t%1 °C\n"
               "Környezeti hőmérséklet\t20 °C\n"
               "Napsugárzás intenzitás\t800 W/m²\n"
               "Jellemző hatásfok (ηx=0,05)\t0,567\n"
               "x\t%2\n"
               "Pillanatnyi kollektor hatásfok (η)\t%3\n"
               "Fajlagos teljesítmény (q̇)\t%4\n"
               "Kollektor teljesítmény (Q̇)\t%5\n"
               "x, ahol a hatásfok 0\t0,148\n")
        .arg(QString::fromUtf8(collectorTemp), QString::fromUtf8(operatingX),
             QString::fromUtf8(efficiency), QString::fromUtf8(specific), QString::fromUtf8(output));
}

const QString kTableHeader = QStringLiteral("ΔT [K]\tx\tη\tq̇ [W/m²]\tQ̇ [W]\n");

std::vector<ClipboardCase> clipboardCases() {
    return {
        {"results at start-up",
         {},
         "copy-results",
         resultsWith("60", "0,05", "56,7 %", "454 W/m2", "454 W")},
        {"results of a hot collector beyond the curve's zero",
         {"set 1 150"},
         "copy-results",
         resultsWith("150", "0,162", "0 %", "0 W/m2", "0 W")},
        {"power table of row 4 on 2,5 m²: reaches 0 at 50 K",
         {"select 4", "type 4 2,5"},
         "copy-table",
         kTableHeader + "0\t0\t90 %\t720\t1800\n"
                        "10\t0,012\t75,2 %\t602\t1505\n"
                        "20\t0,025\t58,5 %\t468\t1170\n"
                        "30\t0,037\t39,7 %\t318\t795\n"
                        "40\t0,05\t19 %\t152\t380\n"
                        "50\t0,062\t0 %\t0\t0\n"},
    };
}

class ClipboardScenario : public testing::TestWithParam<ClipboardCase> {};

TEST_P(ClipboardScenario, TheNextDumpHoldsTheClipboardText) {
    const ClipboardCase& c = GetParam();
    const ScenarioResult result =
        runScenario(QStringList(c.commands) << QString::fromLatin1(c.copy) << "dump");
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_EQ(result.output.size(), 1u);
    EXPECT_EQ(at(result.output[0], "clipboard").toString(), c.expected);
}

std::string caseName(const testing::TestParamInfo<ClipboardCase>& info) {
    return testNameOf(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Output, ClipboardScenario, testing::ValuesIn(clipboardCases()), caseName);

TEST(OutputScenario, OnlyTheDumpAfterACopyHasAClipboardMember) {
    const ScenarioResult result =
        runScenario({"dump", "copy-results", "set 2 10", "dump", "dump", "copy-table", "dump"});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_EQ(result.output.size(), 4u);
    EXPECT_FALSE(result.output[0].contains("clipboard"));
    EXPECT_TRUE(result.output[1].contains("clipboard"));
    EXPECT_FALSE(result.output[2].contains("clipboard"));
    EXPECT_TRUE(at(result.output[3], "clipboard").toString().startsWith(kTableHeader));
}

// Each row of the power table is what the window shows with the collector
// slider at ambient + ΔT.
TEST(OutputScenario, EachPowerTableRowIsWhatTheWindowShowsThere) {
    const struct {
        const char* setup;
        QStringList commands;
        int ambient;
    } setups[] = {
        {"start-up: ends at the first row at 0 %", {}, 20},
        {"custom collector, cold air, strong sun",
         {"select 5", "type 1 0,7", "type 2 3", "type 3 0,02", "set 2 -25", "set 3 1150"},
         -25},
        {"vacuum tubes at 50 °C: cut at the slider's 250 °C", {"select 0", "set 2 50"}, 50},
        {"1 W/m²: the second row is past the zero", {"set 3 1"}, 20},
    };
    for (const auto& s : setups) {
        ScenarioResult table = runScenario(QStringList(s.commands) << "copy-table"
                                                                   << "dump");
        ASSERT_EQ(table.exitCode, 0) << s.setup;
        QStringList rows = at(table.output.back(), "clipboard").toString().split(u'\n');
        ASSERT_GE(rows.size(), 3) << s.setup;
        rows = rows.mid(1, rows.size() - 2);  // no header, no empty end
        QStringList commands = s.commands;
        for (const QString& row : rows) {
            commands << QStringLiteral("set 1 %1").arg(s.ambient + row.section(u'\t', 0, 0).toInt())
                     << "dump";
        }
        const ScenarioResult window = runScenario(commands);
        ASSERT_EQ(window.output.size(), static_cast<std::size_t>(rows.size())) << s.setup;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QJsonObject& shown = window.output[static_cast<std::size_t>(i)];
            const QStringList expected = {
                rows[i].section(u'\t', 0, 0),
                at(shown, "Label12").toString(),
                at(shown, "Label2").toString(),
                at(shown, "Label4").toString().chopped(5),  // " W/m2"
                at(shown, "Label3").toString().chopped(2),  // " W"
            };
            EXPECT_EQ(rows[i], expected.join(u'\t')) << s.setup;
        }
        EXPECT_LE(s.ambient + rows.back().section(u'\t', 0, 0).toInt(), 250) << s.setup;
        EXPECT_EQ(rows.filter(QStringLiteral("\t0 %\t")).size(),
                  rows.back().contains(QStringLiteral("\t0 %\t")) ? 1 : 0)
            << s.setup << ": only the last row may show 0 %";
    }
}

TEST(OutputScenario, PrintWritesOnePageOfVectorsAndText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("oldal.pdf");
    const ScenarioResult result = runScenario({"set 1 80", "print " + path, "dump"});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(at(result.output.back(), "messages"), QJsonArray{});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_EQ(pdf.count("/Type /Page\n"), 1);
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    bool paths = false;
    for (const QByteArray& stream : testsupport::pdfStreams(pdf)) {
        paths = paths || (stream.contains(" m\n") && stream.contains(" l\n"));
    }
    EXPECT_TRUE(paths);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP()
            << "pdftotext (poppler-utils) is not installed: the page's words are unchecked";
    }
    QProcess extract;
    extract.start(pdftotext, {path, QStringLiteral("-")});
    ASSERT_TRUE(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    const QString date = QLocale(QLocale::Hungarian, QLocale::Hungary)
                             .toString(QDate::currentDate(), QLocale::LongFormat);
    for (const QString& words :
         {QStringLiteral("Helitra - Efficiency"), date, QStringLiteral("Napkollektor hőmérséklet"),
          QStringLiteral("80 °C"), QStringLiteral("Jellemző hatásfok (ηx=0,05)"),
          QStringLiteral("x, ahol a hatásfok 0")}) {
        EXPECT_TRUE(text.contains(words)) << words.toStdString() << "\n" << text.toStdString();
    }
}

}  // namespace
