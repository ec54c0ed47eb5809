// A year's results as the dialog copies and exports them: plain values in,
// the same figures in every format out.
#include "present/annual_texts.h"

#include <gtest/gtest.h>

#include "test_printers.h"
#include "tests/support/hungarian.h"

namespace {

model::AnnualYield row(double temperature, double perArea, bool hemispherical) {
    model::AnnualYield r{.meanFluidTemperature = temperature,
                         .perSquareMetre = perArea,
                         .perCollector = perArea * 2.5,
                         .irradiation = 1500,
                         .efficiency = perArea / 1500,
                         .fromHemisphericalEta0 = hemispherical};
    r.monthlyPerSquareMetre.fill(perArea / 12);
    return r;
}

// Cape Town, west of Greenwich and south of the equator on purpose: the
// signs become compass letters; a name with the separators is quoted.
const present::AnnualResults kResults{
    {QStringLiteral("fok.epw"), -33.9249, -18.4241, 42},
    {.tilt = 30, .azimuth = 180, .sky = model::SkyModel::Isotropic},
    1500.04,
    {{QStringLiteral("Sík; \"A\""), {row(25, 900.25, false), row(50, 600.35, false)}},
     {QStringLiteral("Cső"), {row(25, 800, true)}}}};

TEST(AnnualTexts, EachFormatCarriesTheSameFigures) {
    const struct {
        QString text;
        std::vector<QStringView> parts;
        int lines;
    } cases[] = {
        {present::annualPlainText(kResults, testsupport::hungarianLocale()),
         {u"Földrajzi szélesség\t33,9249° D\n", u"Földrajzi hosszúság\t18,4241° Ny\n",
          u"Égboltmodell\tizotróp\n", u"\t1500,0 kWh/m²\n", u"Éves hozam [kWh/m²]\t900,2\t600,4\n",
          u"Éves hatásfok [%]\t60,0\t40,0\n", u"December [kWh/m²]\t75,0\t50,0\n",
          u"\nNapkollektor\tCső\nMegjegyzés\tCsak a félgömbi η0 ismert"},
         9 + 2 * 17 + 2 + 1},
        {present::annualCsv(kResults, present::AnnualCsvStyle::Point),
         {u"\r\n\"Sík; \"\"A\"\"\",50,600.4,1500.9,40.0,50.0,", u",false,-33.9249,-18.4241,42,",
          u"\r\nCső,25,800.0,2000.0,53.3,66.7,", u",true,", u",30,180,0.2,isotropic,1500.0\r\n"},
         4},
        {present::annualCsv(kResults, present::AnnualCsvStyle::Hungarian),
         {u"\r\n\"Sík; \"\"A\"\"\";25;900,2;2250,6;60,0;75,0;", u";isotropic;1500,0\r\n"},
         4},
        {present::annualJson(kResults),
         {u"{\"site\": {\"latitude\": -33.9249, \"longitude\": -18.4241, \"elevation\": 42, "
          u"\"source\": \"fok.epw\"}, \"plane\": {\"tilt\": 30, \"azimuth\": 180, ",
          u"\"collector\": \"Sík; \\\"A\\\"\", \"hemisphericalEta0Only\": false, \"rows\": "
          u"[{\"meanTemperature\": 25, \"perArea\": 900.2, \"perCollector\": 2250.6, "
          u"\"annualEfficiency\": 60.0, \"monthlyPerArea\": [75.0, ",
          u"\"hemisphericalEta0Only\": true"},
         2},
    };
    for (const auto& c : cases) {
        for (QStringView part : c.parts) {
            EXPECT_TRUE(c.text.contains(part)) << part.toString().toStdString() << "\n"
                                               << c.text.toStdString();
        }
        EXPECT_EQ(c.text.count(u'\n'), c.lines) << c.text.toStdString();
    }
}

}  // namespace
