// The command line run in-process: options in, status and output out.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "test_printers.h"
#include "tests/support/hungarian.h"

namespace {

const QLocale kHungarian = testsupport::hungarianLocale();
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

cli::Outcome run(const QString& arguments, const QLocale& locale = kHungarian) {
    QStringList argv{QStringLiteral("efficiency")};
    argv += arguments.split(u' ', Qt::SkipEmptyParts);
    return cli::run(argv, locale);
}

// The end of a --calc --json object: the results' digits as JSON numbers.
QString json(const char* characteristic, const char* x, const char* efficiency,
             const char* specificOutput, const char* output, const char* zero) {
    return QStringLiteral(
               "\"characteristic\": %1, \"x\": %2, \"efficiency\": %3, \"specificOutput\": %4, "
               "\"output\": %5, \"zeroEfficiencyX\": %6}\n")
        .arg(QString::fromUtf8(characteristic), QString::fromUtf8(x), QString::fromUtf8(efficiency),
             QString::fromUtf8(specificOutput), QString::fromUtf8(output), QString::fromUtf8(zero));
}

TEST(CommandLine, CalcWritesTheResultsAsTheLabelsShowThem) {
    const cli::Outcome out = run(QStringLiteral("--calc"));
    EXPECT_EQ(out.status, cli::kSuccess);
    EXPECT_EQ(out.standardOutput, QStringLiteral("Jellemző hatásfok (ηx=0,05): 0,567\n"
                                                 "x: 0,05\n"
                                                 "Pillanatnyi kollektor hatásfok (η): 56,7 %\n"
                                                 "Fajlagos teljesítmény (q̇): 454 W/m2\n"
                                                 "Kollektor teljesítmény (Q̇): 454 W\n"
                                                 "x, ahol a hatásfok 0: 0,148\n"));
    EXPECT_TRUE(out.standardError.isEmpty());
}

TEST(CommandLine, CalcJsonForPresetsCustomCollectorsAndOperatingPoints) {
    const struct {
        const char* arguments;
        const QLocale& locale;
        QString expected;
    } cases[] = {
        {"", kHungarian, json("0.567", "0.05", "56.7", "454", "454", "0.148")},
        {"", kEnglish, json("0.567", "0.05", "56.7", "454", "454", "0.148")},
        // Row 2 picked: its preset, no longer the start coefficients.
        {"--type 2", kHungarian, json("0.58", "0.05", "58", "464", "464", "0.155")},
        {"--type 0", kHungarian, json("0.559", "0.05", "55.9", "447", "447", "0.224")},
        {"--eta0 0,7 --a1 3 --a2 0,02 --area 2,5 --collector-temp 95 --ambient-temp -5 "
         "--irradiance 950",
         kHungarian, json("0.51", "0.105", "17.3", "164", "411", "0.13")},
        {"--type 5 --eta0 0.7 --a1 3 --a2 0.02 --area 2.5 --collector-temp 95 "
         "--ambient-temp=-5 --irradiance 950",
         kEnglish, json("0.51", "0.105", "17.3", "164", "411", "0.13")},
        // The hot point: beyond the curve's zero everything reads 0.
        {"--type 2 --collector-temp 150", kHungarian,
         json("0.58", "0.162", "0", "0", "0", "0.155")},
        // Colder than the surroundings: no loss, the optical efficiency.
        {"--collector-temp 0 --ambient-temp 50", kHungarian,
         json("0.567", "-0.063", "79.8", "638", "638", "0.148")},
    };
    for (const auto& c : cases) {
        const cli::Outcome out =
            run(QStringLiteral("--calc --json ") + QString::fromUtf8(c.arguments), c.locale);
        EXPECT_EQ(out.status, cli::kSuccess) << c.arguments;
        EXPECT_TRUE(out.standardOutput.endsWith(c.expected)) << out.standardOutput.toStdString();
        EXPECT_TRUE(out.standardError.isEmpty()) << c.arguments << out.standardError.toStdString();
    }
}

TEST(CommandLine, CustomCoefficientsNotGivenKeepTheCustomRowsValues) {
    // The custom row starts from 0,8 / 4 / 0,01: only a1 changes. The
    // numbers from "eta0" on, the collector's name aside.
    const auto numbers = [](const char* arguments) {
        const QString out =
            run(QStringLiteral("--calc --json ") + QString::fromUtf8(arguments)).standardOutput;
        return out.mid(out.indexOf(QStringLiteral("\"eta0\"")));
    };
    EXPECT_EQ(numbers("--a1 4"), numbers("--type 5"));
    EXPECT_EQ(numbers("--a1 4"), numbers("--type 2"));
    EXPECT_NE(numbers("--a1 5"), numbers("--type 5"));
}

TEST(CommandLine, TableAsJson) {
    const cli::Outcome json = run(QStringLiteral("--table --json --type 4 --step 25"), kEnglish);
    EXPECT_EQ(json.status, cli::kSuccess);
    EXPECT_EQ(
        json.standardOutput,
        QStringLiteral("{\"collector\": \"Lefedés nélküli kollektor\", \"rows\": ["
                       "{\"deltaT\": 0, \"x\": 0, \"efficiency\": 90, \"specificOutput\": "
                       "720, \"output\": 720}, {\"deltaT\": 25, \"x\": 0.031, \"efficiency\": "
                       "49.4, \"specificOutput\": 395, \"output\": 395}, {\"deltaT\": 50, "
                       "\"x\": 0.062, \"efficiency\": 0, \"specificOutput\": 0, \"output\": "
                       "0}]}\n"));
    // The default step is 10 K.
    EXPECT_EQ(run(QStringLiteral("--table")).standardOutput.count(u'\n'), 14);
}

// The user guide's Ebner EMEK202 sheet from η0,b and Kd; an evacuated tube the
// window refuses (a1 = 0,6); --area as the aperture the coefficients refer to.
TEST(CommandLine, DatasheetInEachFormat) {
    const struct {
        const char* arguments;
        const QLocale& locale;
        const char* expectedEnd;
    } cases[] = {
        {"--eta0b 0,75 --kd 0,91 --a1 3,27 --a2 0,016 --gross-area 2 --aperture-area 1,88 "
         "--delta-t 0,70",
         kHungarian, "\n0\t1480\t740\t787\t74,0\t78,7\n70\t865\t433\t460\t43,3\t46,0\n"},
        {"--json --eta0 0.65 --a1 0.6 --a2 0.005 --area 3 --delta-t 10", kEnglish,
         "{\"collector\": \"Egyedi kollektor\", \"eta0\": 0.65, \"eta0Derived\": false, "
         "\"eta0b\": null, \"kd\": null, \"a1\": 0.6, \"a2\": 0.005, \"reference\": \"gross\", "
         "\"grossArea\": 3, \"apertureArea\": null, \"beam\": 850, \"diffuse\": 150, "
         "\"stagnationEstimate\": 336, \"rows\": [{\"deltaT\": 10, \"perCollector\": 1930, "
         "\"perGrossArea\": 644, \"perApertureArea\": null, \"efficiencyGross\": 64.4, "
         "\"efficiencyAperture\": null}]}\n"},
        {"--csv --reference aperture --area 2 --gross-area 2.5 --eta0 0.8 --a1 4 --a2 0.01 "
         "--delta-t 10",
         QLocale::c(),
         "deltaT,perCollector,perGrossArea,perApertureArea,efficiencyGross,efficiencyAperture\r\n"
         "10,1518,607,759,60.7,75.9\r\n"},
    };
    for (const auto& c : cases) {
        const cli::Outcome out =
            run(QStringLiteral("--datasheet ") + QString::fromUtf8(c.arguments), c.locale);
        EXPECT_EQ(out.status, cli::kSuccess) << c.arguments << out.standardError.toStdString();
        EXPECT_TRUE(out.standardOutput.endsWith(QString::fromUtf8(c.expectedEnd)))
            << out.standardOutput.toStdString();
    }
}

TEST(CommandLine, ARefusedValueExitsWithTheWarningsText) {
    const struct {
        const char* arguments;
        const QLocale& locale;
        const char* warning;
    } cases[] = {
        {"--eta0 1,5", kHungarian, "Az optikai hatásfok 0 és 1 között kell legyen!"},
        {"--eta0 0", kHungarian, "Az optikai hatásfok 0 és 1 között kell legyen!"},
        {"--a1 0,8", kHungarian, "Az elsőfokú paraméter 0.8 és 15 között kell legyen!"},
        // The evacuated tube --datasheet admits.
        {"--a1 0,6", kHungarian, "Az elsőfokú paraméter 0.8 és 15 között kell legyen!"},
        {"--a2 100 --type 5", kHungarian, "A másodfokú paraméter 0 és 100 között kell legyen!"},
        {"--area 0", kHungarian, "A napkollektor felület 0 és 100 között kell legyen!"},
        {"--area -1", kHungarian, "A napkollektor felület 0 és 100 között kell legyen!"},
        // A point or a comma under every locale, and nothing else.
        {"--eta0 0,5.1", kHungarian, "Adjon meg számot!"},
        {"--eta0 1.000,5", kEnglish, "Adjon meg számot!"},
        {"--area abc", kHungarian, "Adjon meg számot!"},
        {"--area=", kHungarian, "Adjon meg számot!"},
        {"--a1 nan", kHungarian, "Adjon meg számot!"},
        // The first refused value ends the run.
        {"--eta0 2 --area 0", kHungarian, "Az optikai hatásfok 0 és 1 között kell legyen!"},
    };
    for (const auto& c : cases) {
        for (const char* mode : {"--calc ", "--table "}) {
            const cli::Outcome out =
                run(QString::fromUtf8(mode) + QString::fromUtf8(c.arguments), c.locale);
            EXPECT_EQ(out.status, cli::kUsageError) << mode << c.arguments;
            // The option the value was given to, then the window's warning.
            const QString named =
                QString::fromUtf8(c.arguments).section(u' ', 0, 0).section(u'=', 0, 0);
            EXPECT_EQ(out.standardError,
                      named + QStringLiteral(": ") + QString::fromUtf8(c.warning) + u'\n')
                << mode << c.arguments;
            EXPECT_TRUE(out.standardOutput.isEmpty()) << mode << c.arguments;
        }
    }
}

TEST(CommandLine, BadOptionsExitWithStatusTwo) {
    const struct {
        const char* arguments;
        const char* message;  // nullptr: Qt's parser message, not checked here
    } cases[] = {
        {"--calc --eta0b 0,7", "--eta0b: csak a --datasheet vagy az --annual mellett adható meg!"},
        {"--table --kd 0,9", "--kd: csak a --datasheet vagy az --annual mellett adható meg!"},
        {"--datasheet --eta0b 0,7 --kd 2,2",
         "--kd: A Kd (a szórt sugárzás beesésiszög-módosítója) 0 és 2 között lehet."},
        {"--datasheet --eta0b 0,7 --kd 0.9.1",
         "--kd: Adjon meg számot (tizedesponttal vagy -vesszővel)."},
        {"--datasheet --gross-area 1e308",
         "--gross-area: A bruttó felület 0,01 és 100 m² között lehet."},
        {"--datasheet --beam 1e308 --diffuse 1e308",
         "--beam: A direkt sugárzás (Gb) 0 és 1500 W/m² között lehet."},
        {"--datasheet --eta0b 0,7", "--eta0b: csak a --kd-vel együtt adható meg!"},
        {"--datasheet --a1 -0,1",
         "--a1: Az a1 (elsőfokú hőveszteségi együttható) 0 és 100 W/(m²·K) között lehet."},
        {"--datasheet --area 0", "--area: A bruttó felület 0,01 és 100 m² között lehet."},
        {"--datasheet --reference aperture --gross-area 2",
         "--aperture-area: Az apertúrafelületet meg kell adni: az együtthatók arra vonatkoznak."},
        {"--datasheet --delta-t 10,301", "--delta-t: Minden ΔT-érték 0 és 300 K között lehet."},
        {"--datasheet --step 5", "--step: a --datasheet mellett nem adható meg!"},
        {"--calc --collector-temp 251",
         "--collector-temp: adjon meg 0 és 250 közötti egész számot!"},
        {"--calc --collector-temp -1",
         "--collector-temp: adjon meg 0 és 250 közötti egész számot!"},
        {"--calc --collector-temp 60,5",
         "--collector-temp: adjon meg 0 és 250 közötti egész számot!"},
        {"--calc --collector-temp 1e2",
         "--collector-temp: adjon meg 0 és 250 közötti egész számot!"},
        {"--calc --ambient-temp -31", "--ambient-temp: adjon meg -30 és 50 közötti egész számot!"},
        {"--calc --ambient-temp 51", "--ambient-temp: adjon meg -30 és 50 közötti egész számot!"},
        {"--calc --irradiance 0", "--irradiance: adjon meg 1 és 1300 közötti egész számot!"},
        {"--calc --irradiance 99999999999",
         "--irradiance: adjon meg 1 és 1300 közötti egész számot!"},
        {"--calc --type 6", "--type: adjon meg 0 és 5 közötti egész számot!"},
        {"--calc --type -1", "--type: adjon meg 0 és 5 közötti egész számot!"},
        {"--calc --type egyedi", "--type: adjon meg 0 és 5 közötti egész számot!"},
        {"--table --step 0", "--step: adjon meg 1 és 250 közötti egész számot!"},
        {"--table --step 251", "--step: adjon meg 1 és 250 közötti egész számot!"},
        {"--calc --step 10", "A --step csak a --table mellett adható meg!"},
        {"--calc --type 2 --eta0 0,5",
         "Az --eta0, --a1 és --a2 csak az egyedi kollektorhoz (--type 5) adható meg!"},
        {"--calc --table", "A --calc és a --table közül csak az egyik adható meg!"},
        {"--json",
         "Adja meg a --calc, a --table, a --datasheet vagy az --annual kapcsolót (a többit a "
         "--help sorolja fel)!"},
        {"--type 4 --json",
         "Adja meg a --calc, a --table, a --datasheet vagy az --annual kapcsolót (a többit a "
         "--help sorolja fel)!"},
        {"--calc 60", "Ismeretlen argumentum: 60"},
        {"--calc --hőmérséklet 60", "--hőmérséklet: ismeretlen kapcsoló!"},
        {"--tabel", "--tabel: ismeretlen kapcsoló!"},
        {"--calc=", "--calc: ehhez a kapcsolóhoz nem adható meg érték."},
        {"-calc",
         "-calc: ismeretlen kapcsoló; a hosszú kapcsolók két kötőjellel kezdődnek: --calc"},
        {"--calc --area", "--area: hiányzik az értéke!"},
        {"--calc --json --csv", "A --json, a --csv és a --csv-hu közül csak az egyik adható meg!"},
        {"--calc --input x.csv --a1 4",
         "--a1: az --input mellett nem adható meg, a kollektorokat a fájl adja!"},
        {"--calc --input nincs.csv", "nincs.csv: nincs ilyen fájl."},
    };
    for (const auto& c : cases) {
        const cli::Outcome out = run(QString::fromUtf8(c.arguments));
        EXPECT_EQ(out.status, cli::kUsageError) << c.arguments;
        EXPECT_TRUE(out.standardOutput.isEmpty()) << c.arguments;
        EXPECT_TRUE(out.standardError.endsWith(u'\n')) << c.arguments;
        EXPECT_EQ(out.standardError.count(u'\n'), 1) << c.arguments;
        if (c.message != nullptr) {
            EXPECT_EQ(out.standardError, QString::fromUtf8(c.message) + u'\n') << c.arguments;
        }
    }
}

TEST(CommandLine, HelpAndVersion) {
    for (const char* option : {"--version", "-v", "--calc --version"}) {
        const cli::Outcome out = run(QString::fromUtf8(option));
        EXPECT_EQ(out.status, cli::kSuccess) << option;
        EXPECT_EQ(out.standardOutput, u"1.00\n") << option;
    }
    for (const char* option : {"--help", "-h", "--table -h"}) {
        const cli::Outcome out = run(QString::fromUtf8(option));
        EXPECT_EQ(out.status, cli::kSuccess) << option;
        EXPECT_TRUE(out.standardOutput.startsWith(u"Használat:")) << option;
        for (const char* named :
             {"--calc",   "--table",     "--type",           "--eta0",          "--a1",
              "--a2",     "--area",      "--collector-temp", "--ambient-temp",  "--irradiance",
              "--step",   "--json",      "Egyedi kollektor", "--datasheet",     "--eta0b",
              "--kd",     "--reference", "--gross-area",     "--aperture-area", "--delta-t",
              "--beam",   "--diffuse",   "--csv-hu",         "--input",         "0,8 és 15",
              "W/(m²·K)", "Kilépési kód"}) {
            EXPECT_TRUE(out.standardOutput.contains(QString::fromUtf8(named))) << named;
        }
    }
}

TEST(CommandLine, OnlyItsOwnOptionsLeaveTheWindow) {
    const struct {
        std::vector<const char*> argv;
        bool commandLine;
    } cases[] = {
        {{"efficiency"}, false},
        {{"efficiency", "-platform", "offscreen"}, false},
        {{"efficiency", "-platform", "offscreen", "-reverse", "--style=fusion"}, false},
        {{"efficiency", "--type", "2"}, true},
        {{"efficiency", "-platform", "offscreen", "--json"}, true},
        {{"efficiency", "-tabel"}, true},
        {{"efficiency", "--calc"}, true},
        {{"efficiency", "--type", "2", "--table"}, true},
        {{"efficiency", "-h"}, true},
        {{"efficiency", "--help"}, true},
        {{"efficiency", "-v"}, true},
        {{"efficiency", "--version"}, true},
        {{"efficiency", "--calculate"}, true},
        {{"efficiency", "--datasheet"}, true},
        {{"efficiency", "--list"}, true},
        {{"efficiency", "-platform", "offscreen", "--library", "x.json"}, true},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv;
        for (const char* argument : c.argv) {
            argv.push_back(const_cast<char*>(argument));
        }
        EXPECT_EQ(cli::asksForCommandLine(static_cast<int>(argv.size()), argv.data()),
                  c.commandLine)
            << c.argv.back();
    }
}

// Several collectors from a file: a refused row is reported by its line and
// column, the rows around it are still computed, in input order.
TEST(CommandLine, InputTablesComputeEveryAcceptedRow) {
    const struct {
        const char* content;
        const char* arguments;
        int status;
        const char* output;
        const char* errors;  // %1 is the file
    } cases[] = {
        {"name,eta0,a1,a2,area\nA,0.8,4,0.01,2\nB,0.8,0.5,0.01,1\n\"C, "
         "\"\"új\"\"\",0.65,1.5,0.008,1\n",
         "--calc --csv", 2,
         "collector,eta0,a1,a2,area,collectorTemp,ambientTemp,irradiance,characteristic,x,"
         "efficiency,specificOutput,output,zeroEfficiencyX\r\n"
         "A,0.8,4,0.01,2,60,20,800,0.58,0.05,58,464,928,0.155\r\n"
         "\"C, \"\"új\"\"\",0.65,1.5,0.008,1,60,20,800,0.559,0.05,55.9,447,447,0.224\r\n",
         "%1:3: a1: Az elsőfokú paraméter 0.8 és 15 között kell legyen!\n"},
        // As a Hungarian spreadsheet saves it: semicolons, decimal commas, CRLF.
        {"\xEF\xBB\xBFname;eta0;a1;a2;area\r\nA;0,8;4;0,01;2,5\r\n",
         "--calc --csv-hu --irradiance 400", 0,
         "collector;eta0;a1;a2;area;collectorTemp;ambientTemp;irradiance;characteristic;x;"
         "efficiency;specificOutput;output;zeroEfficiencyX\r\n"
         "A;0,8;4;0,01;2,5;60;20;400;0,58;0,1;36;144;360;0,172\r\n",
         ""},
        {"[\n{\"name\": \"A\", \"eta0\": 0.8, \"a1\": 4, \"a2\": 0.01},\n"
         "  {\"eta0\": 1.2, \"a2\": \"0,01\"}\n]\n",
         "--table --json --step 100", 2,
         "{\"collector\": \"A\", \"rows\": [{\"deltaT\": 0, \"x\": 0, \"efficiency\": 80, "
         "\"specificOutput\": 640, \"output\": 640}, {\"deltaT\": 100, \"x\": 0.125, "
         "\"efficiency\": 17.5, \"specificOutput\": 140, \"output\": 140}, {\"deltaT\": 200, "
         "\"x\": 0.25, \"efficiency\": 0, \"specificOutput\": 0, \"output\": 0}]}\n",
         "%1:3: 2. elem: a1: kötelező mező.\n"},
        {"name,eta0,a1,a2\nA,0.8,4\n", "--calc", 2, "",
         "%1:2: 3 mező van benne, a fejléc szerint 4 kell.\n"},
        {"name,eta0,a1,a2,szín\nA,0.8,4,0.01,kék\n", "--calc", 2, "",
         "%1:1: szín: ismeretlen oszlop.\n"},
        {"name,eta0,a1\n", "--calc", 2, "", "%1: nincs benne kollektor.\n"},
        {"[{\"eta0\": 0.8}, 3]", "--calc", 2, "",
         "%1:1: 1. elem: a1: kötelező mező.\n%1:1: 2. elem: nem objektum.\n"},
        // Excel's Hungarian CSV is Windows-1250: read, and said.
        {"name;eta0;a1;a2\r\n\xD5rs\xE9gi;0,8;4;0,01\r\n", "--calc --json", 0,
         "{\"collector\": \"Őrségi\", \"eta0\": 0.8, \"a1\": 4, \"a2\": 0.01, \"area\": 1, "
         "\"collectorTemp\": 60, \"ambientTemp\": 20, \"irradiance\": 800, \"characteristic\": "
         "0.58, \"x\": 0.05, \"efficiency\": 58, \"specificOutput\": 464, \"output\": 464, "
         "\"zeroEfficiencyX\": 0.155}\n",
         "%1: a fájl nem UTF-8, Windows-1250 kódolásúként olvasva.\n"},
    };
    const QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("kollektorok"));
    for (const auto& c : cases) {
        QFile table(file);
        ASSERT_TRUE(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
        table.write(c.content);
        table.close();
        const cli::Outcome out =
            run(QString::fromUtf8(c.arguments) + QStringLiteral(" --input ") + file);
        EXPECT_EQ(out.status, c.status) << c.content;
        EXPECT_EQ(out.standardOutput, QString::fromUtf8(c.output)) << c.content;
        EXPECT_EQ(out.standardError, QString::fromUtf8(c.errors).arg(file)) << c.content;
    }
}

}  // namespace
