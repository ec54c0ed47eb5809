// The datasheet's reports: text, JSON and both CSVs.
#include "cli/datasheet_report.h"

#include <gtest/gtest.h>

#include "test_printers.h"
#include "tests/support/hungarian.h"

namespace {

using cli::DatasheetFormat;

// q̇ = 800 − 4·ΔT − 0.01·ΔT² per m² of the 2 m² aperture; AG 2.5 m². At 10 K
// 759 W/m², 1518 W, 607.2 W/m² gross; at 200 K below 0: shown as 0. The root
// at 1000 W/m², (−4 + √48)/0.02 = 146.4 K, plus 30 °C.
const model::DatasheetInput kApertureReferred{.collector = QStringLiteral("Minta"),
                                              .eta0 = 0.8,
                                              .a1 = 4,
                                              .a2 = 0.01,
                                              .reference = model::ReferenceArea::Aperture,
                                              .grossArea = 2.5,
                                              .apertureArea = 2,
                                              .deltaT = {0, 10, 200}};
// Gross only, and no stagnation below 300 K: q̇(10) = 643.5 W/m², 1930.5 W.
const model::DatasheetInput kEvacuatedTube{
    .eta0 = 0.65, .a1 = 0.6, .a2 = 0.005, .grossArea = 3, .deltaT = {10}};

TEST(DatasheetReport, WritesEachFormat) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct {
        DatasheetFormat format;
        const model::DatasheetInput& input;
        QLocale locale;
        const char* expected;
    } cases[] = {
        {DatasheetFormat::Text, kApertureReferred, testsupport::hungarianLocale(),
         "Kollektor\tMinta\n"
         "η0 – optikai hatásfok\t0,8\n"
         "a1 – elsőfokú hőveszteségi együttható\t4 W/(m²·K)\n"
         "a2 – másodfokú hőveszteségi együttható\t0,01 W/(m²·K²)\n"
         "Az együtthatók vonatkoztatási felülete\tapertúrafelület\n"
         "Bruttó felület\t2,5 m²\n"
         "Apertúrafelület\t2 m²\n"
         "Együtthatók a bruttó felületre átszámítva\tη0 0,64; a1 3,2; a2 0,008\n"
         "Besugárzás\tGb 850 W/m², Gd 150 W/m²\n"
         "Becsült stagnálási hőmérséklet (G = 1000 W/m², környezeti hőmérséklet 30 °C)\t176 °C\n\n"
         "ΔT [K]\tQ̇ [W/kollektor]\tq̇ bruttó [W/m²]\tq̇ apertúra [W/m²]\tη bruttó [%]\t"
         "η apertúra [%]\n"
         "0\t1600\t640\t800\t64,0\t80,0\n10\t1518\t607\t759\t60,7\t75,9\n"
         "200\t0\t0\t0\t0,0\t0,0\n"},
        // The CSV's header is the JSON's keys, in both styles; percentages keep their tenths.
        {DatasheetFormat::Csv, kApertureReferred, testsupport::hungarianLocale(),
         "deltaT,perCollector,perGrossArea,perApertureArea,efficiencyGross,efficiencyAperture\r\n"
         "0,1600,640,800,64.0,80.0\r\n10,1518,607,759,60.7,75.9\r\n200,0,0,0,0.0,0.0\r\n"},
        {DatasheetFormat::CsvHungarian, kEvacuatedTube, english,
         "deltaT;perCollector;perGrossArea;perApertureArea;efficiencyGross;efficiencyAperture\r\n"
         "10;1930;644;;64,4;\r\n"},
        // Keys in the documented order, efficiencies in percent as --calc gives them.
        {DatasheetFormat::Json, kApertureReferred, testsupport::hungarianLocale(),
         "{\"collector\": \"Minta\", \"eta0\": 0.8, \"eta0Derived\": false, \"eta0b\": null, "
         "\"kd\": null, \"a1\": 4, \"a2\": 0.01, \"reference\": \"aperture\", \"grossArea\": 2.5, "
         "\"apertureArea\": 2, \"beam\": 850, \"diffuse\": 150, \"stagnationEstimate\": 176, "
         "\"rows\": [{\"deltaT\": 0, \"perCollector\": 1600, \"perGrossArea\": 640, "
         "\"perApertureArea\": 800, \"efficiencyGross\": 64.0, \"efficiencyAperture\": 80.0}, "
         "{\"deltaT\": 10, \"perCollector\": 1518, \"perGrossArea\": 607, \"perApertureArea\": "
         "759, \"efficiencyGross\": 60.7, \"efficiencyAperture\": 75.9}, {\"deltaT\": 200, "
         "\"perCollector\": 0, \"perGrossArea\": 0, \"perApertureArea\": 0, \"efficiencyGross\": "
         "0.0, \"efficiencyAperture\": 0.0}]}\n"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(cli::datasheetReport(row.input, model::computeDatasheet(row.input), row.format,
                                       row.locale),
                  QString::fromUtf8(row.expected))
            << static_cast<int>(row.format);
    }
}

}  // namespace
