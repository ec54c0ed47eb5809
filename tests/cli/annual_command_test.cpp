// --annual run in-process on the shared test year; the figures are the
// model's own, called directly, as each format rounds them.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/command_line.h"
#include "model/annual_yield.h"
#include "model/datasheet.h"
#include "test_printers.h"
#include "tests/model/weather_test_data.h"
#include "tests/support/hungarian.h"

namespace {

const QString kData = QStringLiteral(EFFICIENCY_WEATHER_DATA "/");
const char* const kTube = "--eta0b 0.8 --kd 0.9 --a1 3.5 --a2 0.015 --area 2.3 --iam-b0 0.1";

cli::Outcome run(const QString& arguments) {
    QStringList argv{QStringLiteral("efficiency"), QStringLiteral("--annual")};
    argv += arguments.split(u' ', Qt::SkipEmptyParts);
    return cli::run(argv, testsupport::hungarianLocale());
}

std::vector<model::AnnualYield> modelYield(const std::string& file) {
    const model::ThermalCollector tube{.eta0b = 0.8,
                                       .kd = 0.9,
                                       .a1 = 3.5,
                                       .a2 = 0.015,
                                       .area = 2.3,
                                       .beamModifier = model::IncidenceModifier::fromB0(0.1)};
    const model::PreparedYear year = model::prepareYear(model::readWeather(weatherFile(file), file),
                                                        {.tilt = 35, .azimuth = -20});
    return model::annualYield(year, tube, std::vector<double>{25, 60});
}

QString tenth(double value, QChar decimal = u'.') {
    return QString::number(model::roundHalfEven(value, 1), 'f', 1).replace(u'.', decimal);
}

TEST(Annual, EachFormatWritesTheModelsYearOfBothFiles) {
    for (const std::string& file : {kPvgisCsv, kPvgisEpw}) {
        SCOPED_TRACE(file);
        const auto r = modelYield(file);
        const QString common = QStringLiteral(
                                   "--weather %1%2 --tilt 35 --azimuth -20 "
                                   "--mean-temps 25,60 %3 ")
                                   .arg(kData, QString::fromStdString(file), kTube);
        const struct {
            const char* format;
            QString expected;
        } cases[] = {
            {"", QStringLiteral("\nÉves hozam [kWh/m²]\t%1\t%2\nÉves hozam [kWh/kollektor]\t%3\t")
                     .arg(tenth(r[0].perSquareMetre, u','), tenth(r[1].perSquareMetre, u','),
                          tenth(r[0].perCollector, u','))},
            {"--csv", QStringLiteral("\r\nEgyedi kollektor,60,%1,%2,%3,")
                          .arg(tenth(r[1].perSquareMetre), tenth(r[1].perCollector),
                               tenth(r[1].efficiency * 100))},
            {"--csv-hu", QStringLiteral("\r\nEgyedi kollektor;25;%1;%2;%3;")
                             .arg(tenth(r[0].perSquareMetre, u','), tenth(r[0].perCollector, u','),
                                  tenth(r[0].efficiency * 100, u','))},
        };
        for (const auto& c : cases) {
            const cli::Outcome out = run(common + QString::fromUtf8(c.format));
            EXPECT_EQ(out.status, cli::kSuccess) << out.standardError.toStdString();
            EXPECT_TRUE(out.standardOutput.contains(c.expected))
                << out.standardOutput.toStdString();
        }
        const cli::Outcome json = run(common + QStringLiteral("--json"));
        ASSERT_EQ(json.standardOutput.count(u'\n'), 1);
        const QJsonObject o = QJsonDocument::fromJson(json.standardOutput.toUtf8()).object();
        EXPECT_EQ(o[u"site"][u"latitude"].toDouble(), 45);
        EXPECT_EQ(o[u"site"][u"elevation"].toDouble(), 250);
        EXPECT_EQ(o[u"plane"][u"azimuth"].toDouble(), -20);
        EXPECT_EQ(o[u"plane"][u"irradiation"].toDouble(), tenth(r[0].irradiation).toDouble());
        EXPECT_FALSE(o[u"hemisphericalEta0Only"].toBool());
        const QJsonArray rows = o[u"rows"].toArray();
        ASSERT_EQ(rows.size(), 2);
        for (qsizetype i = 0; i < 2; ++i) {
            const QJsonArray months = rows[i][u"monthlyPerArea"].toArray();
            ASSERT_EQ(months.size(), 12);
            EXPECT_EQ(rows[i][u"perArea"].toDouble(),
                      tenth(r[static_cast<std::size_t>(i)].perSquareMetre).toDouble());
            EXPECT_EQ(months[6].toDouble(),
                      tenth(r[static_cast<std::size_t>(i)].monthlyPerSquareMetre[6]).toDouble());
        }
    }
}

// The same two collectors from a table, from the library and from options:
// η0 alone is said to stand for η0,b; the library's and the file's agree.
TEST(Annual, ACollectorGivenByItsHemisphericalEta0IsMarked) {
    const QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("k.csv"));
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("name,eta0,eta0b,kd,a1,a2,area\nLap,0.75,,,3.5,0.015,2\nCső,,0.7,1.1,0.9,0.004,3\n");
    file.close();
    const QString weather =
        QStringLiteral("--json --weather ") + kData + QString::fromStdString(kPvgisCsv) + u' ';
    const QString library = QStringLiteral(" --library ") + dir.filePath(QStringLiteral("l.json"));
    ASSERT_EQ(cli::run({QStringLiteral("efficiency"), QStringLiteral("--import"), table,
                        QStringLiteral("--library"), dir.filePath(QStringLiteral("l.json"))},
                       testsupport::hungarianLocale())
                  .status,
              cli::kSuccess);
    const QStringList lines =
        run(weather + QStringLiteral("--input ") + table).standardOutput.split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\"hemisphericalEta0Only\": true")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"hemisphericalEta0Only\": false")));
    EXPECT_EQ(run(weather + QStringLiteral("--collector Cső") + library).standardOutput,
              lines[1] + u'\n');
    const QString options =
        run(weather + QStringLiteral("--eta0b 0,7 --kd 1,1 --a1 0,9 --a2 0,004 --area 3"))
            .standardOutput;
    const auto flagOn = [](const QString& line) { return line.mid(line.indexOf(u"\"hemi")); };
    EXPECT_EQ(flagOn(options), flagOn(lines[1]) + u'\n');
    const QString text = run(weather.mid(7) + QStringLiteral("--eta0 0,75")).standardOutput;
    EXPECT_TRUE(
        text.contains(QStringLiteral("\nMegjegyzés\tCsak a félgömbi η0 ismert, ezért a "
                                     "számítás η0,b = η0 és Kd = 1 értékkel készült.\n")));
}

TEST(Annual, RefusesBadOptionsAndWeatherFiles) {
    const QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("rossz.csv"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(weatherFile(kPvgisCsv))
                   .replace("20180105:0400,1.87,95.65,0.0,", "20180105:0400,1.87,95.65,9999,"));
    file.close();
    const QString year = QStringLiteral(" --weather ") + kData + QString::fromStdString(kPvgisCsv);
    const struct {
        QString arguments;
        QString message;
    } cases[] = {
        {QStringLiteral("--weather ") + broken, broken + QStringLiteral(":119:26: hiányzó érték")},
        {QStringLiteral("--weather nincs.csv"), QStringLiteral("nincs.csv: nincs ilyen fájl.")},
        {QStringLiteral("--tilt 30"),
         QStringLiteral("--annual: Meg kell adni mellé az időjárási fájlt (--weather FÁJL).")},
        {QStringLiteral("--tilt 91") + year,
         QStringLiteral("--tilt: A dőlésszög 0° és 90° között lehet.")},
        {QStringLiteral("--azimuth -180,5") + year,
         QStringLiteral("--azimuth: Az azimut −180° és 180° között lehet.")},
        {QStringLiteral("--albedo x") + year,
         QStringLiteral("--albedo: Adjon meg számot (tizedesponttal vagy -vesszővel).")},
        {QStringLiteral("--sky perez") + year,
         QStringLiteral("--sky: Értéke hay-davies vagy isotropic lehet.")},
        {QStringLiteral("--mean-temps 25;150,5") + year,
         QStringLiteral(
             "--mean-temps: Minden közepes folyadékhőmérséklet 0 és 150 °C között lehet.")},
        {QStringLiteral("--iam-b0 1,5") + year,
         QStringLiteral("--iam-b0: A b0-nak 0 és 1 között kell lennie.")},
        {QStringLiteral("--iam-table 0.9,-0.1") + year,
         QStringLiteral("--iam-table: A beesésiszög-módosító nem lehet negatív.")},
        {QStringLiteral("--iam-transversal 1,1,1 --iam-longitudinal 1,1,1,1,1,1,1,1,1,1") + year,
         QStringLiteral("--iam-longitudinal: Legfeljebb kilenc érték adható meg, 10° és 90° "
                        "között.")},
        {QStringLiteral("--iam-table=") + year,
         QStringLiteral("--iam-table: Legalább egy értéket meg kell adni.")},
        {QStringLiteral("--iam-transversal 1") + year,
         QStringLiteral("Az --iam-transversal és az --iam-longitudinal csak együtt adható meg!")},
        {QStringLiteral("--iam-b0 0.1 --iam-k50 0.9") + year,
         QStringLiteral("Az --iam-b0, az --iam-k50, az --iam-table és az --iam-transversal "
                        "közül csak az egyik adható meg!")},
        {QStringLiteral("--eta0b 0.7") + year,
         QStringLiteral("--eta0b: csak a --kd-vel együtt adható meg!")},
        {QStringLiteral("--a1 150") + year,
         QStringLiteral("--a1: Az a1 (elsőfokú hőveszteségi együttható) 0 és 100 W/(m²·K) "
                        "között lehet.")},
        {QStringLiteral("--delta-t 10") + year,
         QStringLiteral("--delta-t: az --annual mellett nem adható meg!")},
        {QStringLiteral("--input k.csv --eta0 0.7") + year,
         QStringLiteral("--eta0: az --input mellett nem adható meg, a kollektorokat a fájl "
                        "adja!")},
    };
    for (const auto& c : cases) {
        const cli::Outcome out = run(c.arguments);
        EXPECT_EQ(out.status, cli::kUsageError) << c.arguments.toStdString();
        EXPECT_TRUE(out.standardOutput.isEmpty()) << c.arguments.toStdString();
        EXPECT_EQ(out.standardError, c.message + u'\n');
    }
    const cli::Outcome out = cli::run(
        {QStringLiteral("efficiency"), QStringLiteral("--calc"), QStringLiteral("--tilt=30")},
        testsupport::hungarianLocale());
    EXPECT_EQ(out.standardError, QStringLiteral("--tilt: csak az --annual mellett adható meg!\n"));
    const QString help = run(QStringLiteral("--help")).standardOutput;
    for (const char* named : {"--weather FÁJL", "--mean-temps", "--iam-longitudinal", "--sky"}) {
        EXPECT_TRUE(help.contains(QString::fromUtf8(named))) << named;
    }
}

}  // namespace
