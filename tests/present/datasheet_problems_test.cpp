// The datasheet's input checked by the model and worded by the presentation.
#include <gtest/gtest.h>

#include "model/datasheet.h"
#include "present/datasheet_text.h"

namespace {

using model::DatasheetField;
using model::DatasheetInput;
using model::PeakEfficiency;
using model::ReferenceArea;

DatasheetInput withBeam(DatasheetInput input, double kd) {
    input.peak = PeakEfficiency::Beam;
    input.kd = kd;
    input.beam = 850;
    input.diffuse = 150;
    return input;
}

const DatasheetInput kMadeUp{.eta0 = 0.8,
                             .a1 = 4,
                             .a2 = 0.01,
                             .reference = ReferenceArea::Aperture,
                             .grossArea = 2.5,
                             .apertureArea = 2};

TEST(DatasheetProblems, RefusesValuesOutsideTheirRangesNamingTheField) {
    const auto with = [](auto change) {
        DatasheetInput input = kMadeUp;
        change(input);
        return input;
    };
    const struct {
        DatasheetInput input;
        std::vector<DatasheetField> fields;
        const char* firstMessage;
    } cases[] = {
        {kMadeUp, {}, ""},
        {with([](DatasheetInput& i) { i.eta0 = 1.01; }),
         {DatasheetField::Eta0},
         "Az η0 (optikai hatásfok) 0-nál nagyobb és legfeljebb 1 lehet."},
        {withBeam(with([](DatasheetInput& i) { i.eta0 = 0; }), 2.2),
         {DatasheetField::Eta0, DatasheetField::Kd},
         "Az η0,b (optikai hatásfok direkt sugárzásra) 0-nál nagyobb és legfeljebb 1 lehet."},
        {with([](DatasheetInput& i) { i.a1 = -0.1; }),
         {DatasheetField::A1},
         "Az a1 (elsőfokú hőveszteségi együttható) 0 és 100 W/(m²·K) között lehet."},
        {with([](DatasheetInput& i) { i.a2 = std::nan(""); }),
         {DatasheetField::A2},
         "Az a2 (másodfokú hőveszteségi együttható) 0 és 1 W/(m²·K²) között lehet."},
        {with([](DatasheetInput& i) { i.apertureArea.reset(); }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelületet meg kell adni: az együtthatók arra vonatkoznak."},
        {with([](DatasheetInput& i) { i.grossArea = 0; }),
         {DatasheetField::GrossArea},
         "A bruttó felület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.grossArea = 1e-300; }),
         {DatasheetField::GrossArea},
         "A bruttó felület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.apertureArea = 1e300; }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.grossArea = 2.0, i.apertureArea = 2.5; }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelület nem lehet nagyobb a bruttó felületnél."},
        {with([](DatasheetInput& i) { i.deltaT.push_back(300.5); }),
         {DatasheetField::DeltaT},
         "Minden ΔT-érték 0 és 300 K között lehet."},
        // Said once, however many are outside.
        {with([](DatasheetInput& i) { i.deltaT.push_back(-1), i.deltaT.push_back(400); }),
         {DatasheetField::DeltaT},
         "Minden ΔT-érték 0 és 300 K között lehet."},
        {with([](DatasheetInput& i) { i.deltaT.clear(); }),
         {DatasheetField::DeltaT},
         "Legalább egy ΔT-értéket meg kell adni."},
        {with([](DatasheetInput& i) { i.diffuse = -1; }),
         {DatasheetField::Diffuse},
         "A szórt sugárzás (Gd) 0 és 1500 W/m² között lehet."},
        {with([](DatasheetInput& i) { i.beam = 1e308; }),
         {DatasheetField::Beam},
         "A direkt sugárzás (Gb) 0 és 1500 W/m² között lehet."},
        {with([](DatasheetInput& i) { i.beam = i.diffuse = 0; }),
         {DatasheetField::Beam},
         "A direkt és a szórt sugárzás összegének (Gb + Gd) 0-nál nagyobbnak kell lennie."},
    };
    for (const auto& row : cases) {
        const std::vector<model::DatasheetProblem> problems = model::checkDatasheet(row.input);
        std::vector<DatasheetField> fields;
        for (const model::DatasheetProblem& problem : problems) {
            fields.push_back(problem.field);
        }
        EXPECT_EQ(fields, row.fields) << row.firstMessage;
        EXPECT_EQ(
            problems.empty() ? QString() : present::problemText(problems.front(), row.input.peak),
            QString::fromUtf8(row.firstMessage));
    }
}

}  // namespace

namespace {

// A stored collector's modifier and quasi-dynamic terms beside the table:
// as given, at 10° … 90°, with units and a tiny a8 readable.
TEST(DatasheetLines, ShowTheModifierAndTheQuasiDynamicTerms) {
    DatasheetInput input = kMadeUp;
    input.beamModifier = model::IncidenceModifier::fromK50(0.94);
    input.k50 = 0.94;
    input.a8 = 5.67e-8;
    QStringList shown;
    const present::DatasheetNumbers numbers(QLocale(QLocale::Hungarian));
    for (const present::NamedValue& line :
         present::datasheetLines(input, model::computeDatasheet(input), numbers)) {
        shown << line.name + u'=' + line.value;
    }
    const QString text = shown.join(u'|');
    EXPECT_TRUE(
        text.contains(u"a8 – a sugárzásos hőveszteség együtthatója=5,67·10⁻⁸ W/(m²·K⁴)|"
                      u"Beesésiszög-módosító (direkt sugárzás)=K50 = 0,94 (b0 = 0,108)|"
                      u"Kθb 10°, 20° … 90°-nál=0,998; 0,993; 0,983; 0,967; 0,94; 0,892; "
                      u"0,792; 0,486; 0|"))
        << text.toStdString();
    const auto tubes = model::modifierRows(model::IncidenceModifier::biaxial(
        model::AngleTable::everyTenDegrees(std::vector{1.02, 1.05}),
        model::AngleTable::everyTenDegrees(std::vector{0.99})));
    ASSERT_EQ(tubes.size(), 2U);
    EXPECT_EQ(present::modifierCells(tubes[0], numbers).mid(0, 3),
              (QStringList{"1,02", "1,05", "0,9"}));
    EXPECT_EQ(present::modifierRowName(tubes[1].axis), QStringLiteral("KθL (hosszirányú)"));
}

}  // namespace
