// Golden scenarios: commands through the real window, expected values of the
// dump that follows them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

#include "scenario.h"
#include "test_printers.h"

namespace {

struct Expect {
    const char* path;
    QJsonValue value;
};

struct Golden {
    const char* name;
    QStringList commands;  // a dump is appended
    std::vector<Expect> expected;
};

// A failure names the scenario, not its bytes.
void PrintTo(const Golden& golden, std::ostream* out) {
    *out << golden.name;
}

// `count` warning boxes with this text, as the dump lists them.
QJsonValue warning(const char* text, int count = 1) {
    QJsonArray boxes;
    for (int i = 0; i < count; ++i) {
        boxes.append(QJsonObject{{"title", QStringLiteral("HIBÁS ADAT")},
                                 {"text", QString::fromUtf8(text)},
                                 {"style", 48}});
    }
    return boxes;
}

const QJsonValue kNoMessages = QJsonArray{};

// A line of the chart as the dump lists it: single-precision end points.
QJsonValue line(double x1, double y1, double x2, double y2, const char* color) {
    const auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    return QJsonArray{single(x1), single(y1), single(x2), single(y2), color};
}

QJsonValue printed(double x, double y, const char* text) {
    return QJsonArray{static_cast<double>(static_cast<float>(x)),
                      static_cast<double>(static_cast<float>(y)), text};
}

constexpr const char* kBlack = "#000000";
constexpr const char* kRed = "#fa0000";
constexpr const char* kGreen = "#00c800";
constexpr const char* kBlue = "#0000ff";     // the first kept curve
constexpr const char* kMagenta = "#c000c0";  // the second

// A kept collector as the dump lists it.
QJsonValue kept(const char* name, const char* eta0, const char* a1, const char* a2,
                const char* efficiency, const char* specificOutput) {
    return QJsonObject{{"name", QString::fromUtf8(name)},
                       {"eta0", eta0},
                       {"a1", a1},
                       {"a2", a2},
                       {"efficiency", efficiency},
                       {"specificOutput", specificOutput}};
}

const QJsonValue kVacuumKept =
    kept("Vákumcsöves kollektor", "0.65", "1.5", "0.008", "55,9 %", "447 W/m2");
// In the start state's chart, lines 0 and 1 are the axes, 2 to 9 the eight
// x ticks, 10 to 19 the y ticks, 20 to 166 the curve and 167, 168 the marker.

std::vector<Golden> goldens() {
    return {
        {"start-up",
         {},
         {{"Combo1/ListIndex", 2},
          {"Combo1/Text", QStringLiteral("Szelektív síkkollektor")},
          {"Text1/Text", "0,798"},
          {"Text2/Text", "4,17"},
          {"Text3/Text", "0,011"},
          {"Text1/Enabled", false},
          {"Text2/Enabled", false},
          {"Text3/Enabled", false},
          {"Text4/Text", "1"},
          {"Text4/Enabled", true},
          {"Label1", "0,567"},
          {"Label9", QStringLiteral("60 °C")},
          {"Label10", QStringLiteral("20 °C")},
          {"Label13", "800 W/m2"},
          {"HScroll1", 60},
          {"HScroll2", 20},
          {"HScroll3", 800},
          {"state/collectorTemp", 60},
          {"state/ambientTemp", 20},
          {"state/irradiance", 800},
          {"state/stagnationX", "0.148"},
          {"state/eta0", "0.798"},
          {"state/a1", "4.17"},
          {"state/a2", "0.011"},
          {"state/collectorArea", "1"},
          {"messages", kNoMessages}}},
        {"row 0 shows its preset, boxes stay disabled",
         {"select 0"},
         {{"Combo1/ListIndex", 0},
          {"Combo1/Text", QStringLiteral("Vákumcsöves kollektor")},
          {"Text1/Text", "0,65"},
          {"Text2/Text", "1,5"},
          {"Text3/Text", "0,008"},
          {"Text1/Enabled", false},
          {"Label1", "0,559"},
          {"state/stagnationX", "0.224"},
          {"Text4/Text", "1"}}},
        {"row 5 enables the boxes",
         {"select 5"},
         {{"Text1/Text", "0,8"},
          {"Text2/Text", "4"},
          {"Text3/Text", "0,01"},
          {"Text1/Enabled", true},
          {"Text2/Enabled", true},
          {"Text3/Enabled", true},
          {"Label1", "0,58"},
          {"state/stagnationX", "0.155"}}},
        {"a later row disables the boxes and replaces typed values",
         {"select 5", "type 1 0,5", "select 3"},
         {{"Text1/Text", "0,75"},
          {"Text1/Enabled", false},
          {"state/eta0", "0.75"},
          {"Label1", "0,41"},
          {"messages", kNoMessages}}},
        {"picking the custom row again starts it from its preset",
         {"select 5", "type 2 7", "select 5"},
         {{"Text2/Text", "4"}, {"state/a1", "4"}}},
        {"a valid entry is kept as typed",
         {"select 5", "type 1 0,5"},
         {{"Text1/Text", "0,5"},
          {"state/eta0", "0.5"},
          {"Label1", "0,28"},
          {"messages", kNoMessages}}},
        {"0,99999 is accepted and stored as 1",
         {"select 5", "type 1 0,99999"},
         {{"Text1/Text", "0,99999"}, {"state/eta0", "1"}, {"messages", kNoMessages}}},
        {"an empty box",
         {"type 4 "},
         {{"Text4/Text", "1"},
          {"state/collectorArea", "1"},
          {"messages", warning("Adjon meg számot!")}}},
        {"a decimal point is not a number here",
         {"type 4 2.5"},
         {{"Text4/Text", "1"}, {"messages", warning("Adjon meg számot!")}}},
        {"150 in Text4",
         {"type 4 150"},
         {{"Text4/Text", "1"},
          {"state/collectorArea", "1"},
          {"messages", warning("A napkollektor felület 0 és 100 között kell legyen!")}}},
        {"a negative area",
         {"type 4 -2"},
         {{"Text4/Text", "1"},
          {"messages", warning("A napkollektor felület 0 és 100 között kell legyen!")}}},
        {"eta0 at its upper bound",
         {"select 5", "type 1 1"},
         {{"Text1/Text", "0,8"},
          {"state/eta0", "0.8"},
          {"messages", warning("Az optikai hatásfok 0 és 1 között kell legyen!")}}},
        {"a1 at its lower bound",
         {"select 5", "type 2 0,8"},
         {{"Text2/Text", "4"},
          {"messages", warning("Az elsőfokú paraméter 0.8 és 15 között kell legyen!")}}},
        {"a1 at its upper bound",
         {"select 5", "type 2 15"},
         {{"messages", warning("Az elsőfokú paraméter 0.8 és 15 között kell legyen!")}}},
        {"a2 at its lower bound",
         {"select 5", "type 3 0"},
         {{"Text3/Text", "0,01"},
          {"messages", warning("A másodfokú paraméter 0 és 100 között kell legyen!")}}},
        {"a2 at its upper bound",
         {"select 5", "type 3 100"},
         {{"messages", warning("A másodfokú paraméter 0 és 100 között kell legyen!")}}},
        {"area at its bounds, one warning each",
         {"type 4 0", "type 4 100"},
         {{"Text4/Text", "1"},
          {"messages", warning("A napkollektor felület 0 és 100 között kell legyen!", 2)}}},
        {"0,00001 in Text4 is stored as 0",
         {"type 4 0,00001"},
         {{"Text4/Text", "0,00001"}, {"state/collectorArea", "0"}, {"messages", kNoMessages}}},
        {"a good area is taken over",
         {"type 4 2,5"},
         {{"Text4/Text", "2,5"}, {"state/collectorArea", "2.5"}}},
        {"the start state's chart",
         {},
         {{"state/operatingX", "0.05"},
          {"Label12", "0,05"},
          {"Label2", "56,7 %"},
          {"Label3", "454 W"},
          {"Label4", "454 W/m2"},
          {"chart/lines/0", line(500, 100, 500, 4500, kBlack)},
          {"chart/lines/1", line(300, 4150, 7800, 4150, kBlack)},
          {"chart/lines/9",
           line(500 + 7000 * 0.16 / 0.148, 4150, 500 + 7000 * 0.16 / 0.148, 4250, kBlack)},
          {"chart/lines/19", line(400, 100, 500, 100, kBlack)},
          {"chart/lines/20", line(547, 935, 500, 918, kRed)},
          {"chart/lines/166", line(7453, 4171, 7405, 4144, kRed)},
          {"chart/lines/167",
           line(500 + 7000 * 0.05 / 0.148, 4150, 500 + 7000 * 0.05 / 0.148, 1851.625, kGreen)},
          {"chart/lines/168", line(500 + 7000 * 0.05 / 0.148, 1851.625, 500, 1851.625, kGreen)},
          {"chart/lines/169", QJsonValue::Undefined},
          {"chart/prints/0", printed(500 + 7000 * 0.02 / 0.148 - 150, 4300, "0,02")},
          {"chart/prints/7", printed(500 + 7000 * 0.16 / 0.148 - 150, 4300, "0,16")},
          {"chart/prints/8", printed(100, 3645, "0,1")},
          {"chart/prints/17", printed(100, 0, "1")}}},
        {"a hot collector: the operating point lies beyond the curve",
         {"set 1 150"},
         {{"Label9", QStringLiteral("150°C")},
          {"state/collectorTemp", 150},
          {"state/operatingX", "0.1625"},
          {"Label12", "0,162"},
          {"Label2", "0 %"},
          {"Label3", "0 W"},
          {"Label4", "0 W/m2"},
          {"Label1", "0,567"},
          {"state/stagnationX", "0.148"},
          {"chart/lines/167", line(7500, 4150, 7500, 4150, kGreen)},
          {"chart/lines/168", line(7500, 4150, 500, 4150, kGreen)}}},
        {"twice the area doubles the output only",
         {"type 4 2"},
         {{"Label3", "908 W"}, {"Label2", "56,7 %"}, {"Label4", "454 W/m2"}}},
        {"a cold collector: the marker sits on the axis at eta0",
         {"set 1 10"},
         {{"Label9", QStringLiteral("10°C")},
          {"state/operatingX", "-0.0125"},
          {"Label12", "-0,013"},
          {"Label2", "79,8 %"},
          {"Label4", "638 W/m2"},
          {"chart/lines/167", line(500, 4150, 500, 918.1, kGreen)}}},
        {"the ambient slider at its minimum",
         {"set 2 -30"},
         {{"Label10", QStringLiteral("-30°C")}, {"state/ambientTemp", -30}}},
        {"dragging the collector temperature moves only the operating point",
         {"drag 1 65"},
         {{"HScroll1", 65},
          {"Label9", QStringLiteral("65°C")},
          {"state/collectorTemp", 65},
          {"Label1", "0,567"},
          {"state/stagnationX", "0.148"}}},
        {"the irradiance at its minimum",
         {"drag 3 1"},
         {{"Label13", "1 W/m2"}, {"state/irradiance", 1}, {"state/stagnationX", "0.193"}}},
        {"a drag ends at the value let go at: up",
         {"drag 3 900"},
         {{"HScroll3", 900},
          {"Label13", "900 W/m2"},
          {"state/irradiance", 900},
          {"state/stagnationX", "0.144"},  // as "set 3 900" gives
          {"state/operatingX", "0.0444"},
          {"Label12", "0,044"}}},
        {"a drag ends at the value let go at: down",
         {"drag 3 450"},
         {{"HScroll3", 450},
          {"Label13", "450 W/m2"},
          {"state/irradiance", 450},
          {"state/stagnationX", "0.162"},
          {"state/operatingX", "0.0889"},
          {"Label12", "0,088"}}},
        {"the irradiance at its maximum",
         {"set 3 1300"},
         {{"Label13", "1300 W/m2"}, {"state/stagnationX", "0.133"}, {"Label1", "0,567"}}},
        {"a repaint draws the same chart",
         {"paint"},
         {{"chart/lines/20", line(547, 935, 500, 918, kRed)},
          {"chart/lines/168", line(500 + 7000 * 0.05 / 0.148, 1851.625, 500, 1851.625, kGreen)},
          {"chart/prints/17", printed(100, 0, "1")}}},
        {"no kept member before a keep or a forget",
         {"select 0"},
         {{"kept", QJsonValue::Undefined}}},
        // Row 2's collector is current (x scale 0.155, eight x ticks): the
        // kept curves follow the y ticks, the legend the scales' numbers.
        {"a kept preset: its curve in blue and its legend line",
         {"select 0", "keep", "select 2"},
         {{"kept", QJsonArray{kVacuumKept}},
          {"chart/lines/19", line(400, 100, 500, 100, kBlack)},
          {"chart/lines/20", line(545, 1524, 500, 1518, kBlue)},
          // Its 162nd segment ends beyond 7800 twips: the last blue one.
          {"chart/lines/181", line(7816, 3182, 7771, 3167, kBlue)},
          {"chart/lines/182/4", kRed},
          {"chart/prints/17", printed(100, 0, "1")},
          {"chart/prints/18", printed(540, 3950, "Vákumcsöves kollektor: 55,9 % · 447 W/m2")},
          {"chart/prints/19", QJsonValue::Undefined}}},
        {"keeping the same collector twice keeps it once",
         {"select 0", "keep", "select 2", "select 0", "keep", "select 2"},
         {{"kept", QJsonArray{kVacuumKept}}, {"chart/prints/19", QJsonValue::Undefined}}},
        {"four kept collectors, in keeping order and colour",
         {"select 0", "keep", "select 1", "keep", "select 3", "keep", "select 4", "keep",
          "select 2"},
         {{"kept",
           QJsonArray{kVacuumKept,
                      kept("Vákumos síkkollektor", "0.8", "2.6", "0.008", "65,4 %", "523 W/m2"),
                      kept("Nem szelektív síkkollektor", "0.75", "6", "0.02", "41 %", "328 W/m2"),
                      kept("Lefedés nélküli kollektor", "0.9", "11", "0.08", "19 %", "152 W/m2")}},
          {"chart/lines/20", line(545, 1524, 500, 1518, kBlue)},
          {"chart/lines/182", line(545, 921, 500, 910, kMagenta)},
          {"chart/prints/18", printed(540, 3410, "Vákumcsöves kollektor: 55,9 % · 447 W/m2")},
          {"chart/prints/19", printed(540, 3590, "Vákumos síkkollektor: 65,4 % · 523 W/m2")},
          {"chart/prints/20", printed(540, 3770, "Nem szelektív síkkollektor: 41 % · 328 W/m2")},
          {"chart/prints/21", printed(540, 3950, "Lefedés nélküli kollektor: 19 % · 152 W/m2")}}},
        {"a fifth keep does nothing",
         {"select 0", "keep", "select 1", "keep", "select 3", "keep", "select 4", "keep",
          "select 2", "keep"},
         {{"kept/3/name", QStringLiteral("Lefedés nélküli kollektor")},
          {"kept/4", QJsonValue::Undefined},
          {"chart/prints/22", QJsonValue::Undefined}}},
        {"forget clears every kept collector",
         {"select 0", "keep", "select 1", "keep", "select 2", "forget"},
         {{"kept", QJsonArray{}},
          {"chart/lines/20/4", kRed},
          {"chart/prints/18", QJsonValue::Undefined}}},
        {"a kept custom collector is named by its boxes as they show them",
         {"select 5", "type 1 0,50", "keep"},
         {{"kept/0/name", QStringLiteral("Egyedi kollektor (η0 0,50; a1 4; a2 0,01)")},
          {"kept/0/eta0", "0.5"},
          {"kept/0/a1", "4"},
          {"kept/0/a2", "0.01"}}},
        {"the legend follows the irradiance slider",
         {"select 0", "keep", "select 2", "drag 3 400"},
         {{"kept/0/efficiency", "46,8 %"},
          {"kept/0/specificOutput", "187 W/m2"},
          // The x scale now reaches 0.172: nine x ticks.
          {"state/stagnationX", "0.172"},
          {"chart/prints/19", printed(540, 3950, "Vákumcsöves kollektor: 46,8 % · 187 W/m2")}}},
        {"typing into a disabled box changes nothing",
         {"type 2 7"},
         {{"Text2/Text", "4,17"}, {"state/a1", "4.17"}}},
    };
}

// Each golden scenario is a test of its own, named after its description.
class GoldenScenario : public testing::TestWithParam<Golden> {};

TEST_P(GoldenScenario, DumpHoldsTheExpectedValues) {
    const Golden& golden = GetParam();
    const ScenarioResult result = runScenario(QStringList(golden.commands) << "dump");
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_FALSE(result.output.empty());
    const QJsonObject& dump = result.output.back();
    for (const Expect& e : golden.expected) {
        EXPECT_EQ(at(dump, QString::fromLatin1(e.path)), e.value) << e.path;
    }
}

std::string testName(const testing::TestParamInfo<Golden>& info) {
    return testNameOf(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Scenario, GoldenScenario, testing::ValuesIn(goldens()), testName);

TEST(Scenario, TypingIntoADisabledBoxIsReported) {
    const ScenarioResult result = runScenario({"type 1 0,5"});
    ASSERT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.output.size(), 1u);
    EXPECT_EQ(result.output[0].value("error").toString(), u"Text1 is disabled");
}

TEST(Scenario, AnUnknownCommandEndsWithStatusTwo) {
    for (const char* command : {"jump 3", "select 9", "set 4 10", "drag 1 x", "dump extra"}) {
        const ScenarioResult result = runScenario({command, "dump"});
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_TRUE(result.output.empty()) << command;
        EXPECT_FALSE(result.errors.isEmpty()) << command;
    }
}

}  // namespace

namespace {

// The same window under a region with a decimal point.
TEST(Scenario, EnglishFormatShowsAndReadsADecimalPoint) {
    const ScenarioResult result =
        runScenario({"dump", "select 5", "type 1 0,5", "type 1 0.5", "type 4 2.5", "dump"},
                    QStringLiteral("en_US.UTF-8"));
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_EQ(result.output.size(), 2u);
    const QJsonObject& start = result.output[0];
    EXPECT_EQ(at(start, "Text1/Text"), "0.798");
    EXPECT_EQ(at(start, "Text2/Text"), "4.17");
    EXPECT_EQ(at(start, "Label1"), "0.567");
    EXPECT_EQ(at(start, "Label2"), "56.7 %");
    EXPECT_EQ(at(start, "chart/prints/0/2"), "0.02");
    const QJsonObject& after = result.output[1];
    EXPECT_EQ(at(after, "messages"), warning("Adjon meg számot!"));  // "0,5" is not a number here
    EXPECT_EQ(at(after, "state/eta0"), "0.5");
    EXPECT_EQ(at(after, "Text1/Text"), "0.5");
    EXPECT_EQ(at(after, "state/collectorArea"), "2.5");
    EXPECT_EQ(at(after, "Label3"), "560 W");  // 800 W/m2 x 0.28 x 2.5 m2
}

TEST(Program, WithoutADisplayItSaysSoAndExits) {
    QProcess program;
    QStringList environment = QProcess::systemEnvironment();
    environment.removeIf([](const QString& entry) {
        return entry.startsWith(u"DISPLAY=") || entry.startsWith(u"WAYLAND_DISPLAY=") ||
               entry.startsWith(u"QT_QPA_PLATFORM=");
    });
    program.setEnvironment(environment);
    program.start(QStringLiteral(EFFICIENCY_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(errors.count(u'\n'), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(u"nincs kijelző")) << errors.toStdString();
}

// Every way of missing the display: one line naming it, status 1, no abort.
TEST(Program, ADisplayThatCannotBeReachedIsNamedInOneLine) {
    QTemporaryDir runtimeDir;  // an XDG_RUNTIME_DIR without a Wayland socket
    ASSERT_TRUE(runtimeDir.isValid());
    int unused = 59;  // an X display number with no server behind it
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused))) {
        ++unused;
    }
    const QString deadX = QStringLiteral(":%1").arg(unused);
    const struct {
        const char* what;
        QStringList environment;
        QString line;
    } cases[] = {
        {"X display without a server",
         {"DISPLAY=" + deadX},
         "efficiency: az X-kijelző (" + deadX + ") nem nyitható meg"},
        {"xcb asked for by name",
         {"DISPLAY=" + deadX, "QT_QPA_PLATFORM=xcb"},
         "efficiency: az X-kijelző (" + deadX + ") nem nyitható meg"},
        {"Wayland socket missing, no DISPLAY",
         {"WAYLAND_DISPLAY=wayland-59"},
         "efficiency: sem a Wayland-kijelző (wayland-59), sem az X-kijelző (a DISPLAY nincs "
         "beállítva) nem nyitható meg"},
        {"wayland asked for by name",
         {"WAYLAND_DISPLAY=wayland-59", "QT_QPA_PLATFORM=wayland"},
         "efficiency: a Wayland-kijelző (wayland-59) nem nyitható meg"},
        {"a platform plugin that is not installed",
         {"DISPLAY=" + deadX, "QT_QPA_PLATFORM=nosuchplatform"},
         "efficiency: a Qt platformbővítménye („nosuchplatform”) nem nyitható meg"},
        {"no display at all",
         {},
         "efficiency: nincs kijelző (sem a DISPLAY, sem a WAYLAND_DISPLAY nincs beállítva)"},
        {"wayland asked for, only DISPLAY set",
         {"DISPLAY=" + deadX, "QT_QPA_PLATFORM=wayland"},
         "efficiency: nincs Wayland-kijelző (a WAYLAND_DISPLAY nincs beállítva)"},
        {"no XDG_RUNTIME_DIR: libwayland's own line is not printed",
         {"WAYLAND_DISPLAY=wayland-59", "QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR="},
         "efficiency: a Wayland-kijelző (wayland-59; nincs érvényes XDG_RUNTIME_DIR) nem nyitható "
         "meg"},
    };
    for (const auto& c : cases) {
        QStringList environment = QProcess::systemEnvironment();
        environment.removeIf([](const QString& entry) {
            return entry.startsWith(u"DISPLAY=") || entry.startsWith(u"WAYLAND_DISPLAY=") ||
                   entry.startsWith(u"QT_QPA_PLATFORM=") || entry.startsWith(u"XDG_RUNTIME_DIR=");
        });
        environment << "XDG_RUNTIME_DIR=" + runtimeDir.path() << c.environment;  // the last wins
        QProcess program;
        program.setEnvironment(environment);
        program.start(QStringLiteral(EFFICIENCY_PROGRAM), {});
        ASSERT_TRUE(program.waitForFinished(30000)) << c.what;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.what;  // no SIGABRT
        EXPECT_EQ(program.exitCode(), 1) << c.what;
        EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()), c.line + u'\n') << c.what;
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty()) << c.what;
    }
}

}  // namespace
