// The command line against the window: one generator makes each input set
// both as scenario-runner commands and as arguments of `efficiency --calc
// --json`; the window's labels and warnings must equal the command line's.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <iostream>
#include <optional>
#include <random>

#include "model/entry_check.h"
#include "model/presets.h"
#include "runtime/number_text.h"
#include "scenario.h"
#include "test_printers.h"

namespace {

struct InputSet {
    std::optional<int> row;                  // --type, or the row picked for custom coefficients
    std::optional<QString> coefficients[3];  // eta0, a1, a2 as typed
    std::optional<QString> area;
    int collectorTemp = 0;
    int ambientTemp = 0;
    int irradiance = 0;
    bool typeGiven = false;
};

class Generator {
public:
    Generator(unsigned seed, QChar decimal) : random_(seed), decimal_(decimal) {}

    InputSet next() {
        InputSet set;
        const bool custom = chance(35);
        if (custom) {
            set.typeGiven = chance(30);
            set.row = 5;
            bool any = false;
            for (int k = 0; k < 3; ++k) {
                if (chance(70)) {
                    set.coefficients[k] = value(model::kEntryRules[static_cast<std::size_t>(k)]);
                    any = true;
                }
            }
            if (!any) {
                set.coefficients[1] = value(model::kEntryRules[1]);
            }
        } else if (chance(75)) {
            set.typeGiven = true;
            set.row = whole(0, 5);
        }
        if (chance(60)) {
            set.area = value(model::kEntryRules[3]);
        }
        set.ambientTemp = whole(-30, 50);
        // Mostly near the ambient, where the curve is above zero; sometimes anywhere.
        set.collectorTemp =
            chance(70) ? std::clamp(set.ambientTemp + whole(-10, 80), 0, 250) : whole(0, 250);
        set.irradiance = chance(10) ? whole(1, 50) : whole(300, 1300);
        return set;
    }

private:
    bool chance(int percent) { return whole(0, 99) < percent; }
    int whole(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    // Mostly a number within the rule's range, with up to five decimals;
    // sometimes a bound, a number beyond, or a text that is no number.
    QString value(const model::EntryRule& rule) {
        const int kind = whole(0, 99);
        if (kind < 6) {
            static const char* const kJunk[] = {"abc", "", "1,2,3", "1e400", "--", "1.5", "1,5"};
            return QString::fromUtf8(kJunk[whole(0, 6)]);
        }
        if (kind < 12) {
            const double bound = chance(50) ? rule.lower : rule.upper;
            return number(bound + (chance(50) ? 0.0 : (bound == rule.lower ? -1.5 : 2.5)), 0);
        }
        const double span = rule.upper - rule.lower;
        const double v =
            rule.lower + span * std::uniform_real_distribution(0.0001, 0.9999)(random_);
        return number(v, whole(0, 5));
    }

    // Whole part, the decimal separator and `decimals` digits cut off (not rounded).
    QString number(double v, int decimals) {
        const bool negative = v < 0;
        const double magnitude = negative ? -v : v;
        const long long whole = static_cast<long long>(magnitude);
        QString text = (negative ? QStringLiteral("-") : QString()) + QString::number(whole);
        if (decimals > 0) {
            double fraction = magnitude - static_cast<double>(whole);
            text += decimal_;
            for (int i = 0; i < decimals; ++i) {
                fraction *= 10;
                const int digit = std::min(9, static_cast<int>(fraction));
                text += QChar(u'0' + digit);
                fraction -= digit;
            }
        }
        return text;
    }

    std::mt19937 random_;
    QChar decimal_;
};

// The set as a user gives it to the window, which carries the previous set's
// state: every set picks its row, types its area and moves all three sliders.
QStringList runnerCommands(const InputSet& set, const rt::NumberFormat& format) {
    QStringList commands;
    commands << QStringLiteral("select %1").arg(set.row.value_or(5));
    if (!set.row) {
        // The start coefficients, which no row holds.
        const QString start[] = {format.text(model::kStartCoefficients.eta0),
                                 format.text(model::kStartCoefficients.a1),
                                 format.text(model::kStartCoefficients.a2)};
        for (int k = 0; k < 3; ++k) {
            commands << QStringLiteral("type %1 %2").arg(k + 1).arg(start[k]);
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (set.coefficients[k]) {
            commands << QStringLiteral("type %1 %2").arg(k + 1).arg(*set.coefficients[k]);
        }
    }
    commands << QStringLiteral("type 4 %1").arg(set.area.value_or(QStringLiteral("1")))
             << QStringLiteral("set 1 %1").arg(set.collectorTemp)
             << QStringLiteral("set 2 %1").arg(set.ambientTemp)
             << QStringLiteral("set 3 %1").arg(set.irradiance) << QStringLiteral("dump");
    return commands;
}

QStringList cliArguments(const InputSet& set) {
    QStringList arguments{QStringLiteral("--calc"), QStringLiteral("--json")};
    if (set.typeGiven) {
        arguments << QStringLiteral("--type=%1").arg(*set.row);
    }
    const char* const names[] = {"eta0", "a1", "a2"};
    for (int k = 0; k < 3; ++k) {
        if (set.coefficients[k]) {
            arguments << QStringLiteral("--%1=%2").arg(QLatin1String(names[k]),
                                                       *set.coefficients[k]);
        }
    }
    if (set.area) {
        arguments << QStringLiteral("--area=") + *set.area;
    }
    arguments << QStringLiteral("--collector-temp=%1").arg(set.collectorTemp)
              << QStringLiteral("--ambient-temp=%1").arg(set.ambientTemp)
              << QStringLiteral("--irradiance=%1").arg(set.irradiance);
    return arguments;
}

struct CliResult {
    int status = -1;
    QString output;  // the JSON text as written, its numbers' digits kept
    QString errors;
};

// The digits of a number member as the JSON text writes them.
QString jsonDigits(const QString& json, const char* key) {
    const QRegularExpression member(
        QStringLiteral("\"%1\": (-?[0-9.]+)[,}]").arg(QLatin1String(key)));
    return member.match(json).captured(1);
}

// The program itself, with no display to reach.
CliResult runCli(const QStringList& arguments, const QString& locale) {
    QProcess program;
    QStringList environment = QProcess::systemEnvironment();
    environment.removeIf([](const QString& entry) {
        return entry.startsWith(u"LC_") || entry.startsWith(u"LANG") ||
               entry.startsWith(u"DISPLAY=") || entry.startsWith(u"WAYLAND_DISPLAY=") ||
               entry.startsWith(u"QT_QPA_PLATFORM=");
    });
    environment << QStringLiteral("LC_ALL=%1").arg(locale);
    program.setEnvironment(environment);
    program.start(QStringLiteral(EFFICIENCY_PROGRAM), arguments);
    program.waitForFinished(30000);
    CliResult result;
    result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.output = QString::fromUtf8(program.readAllStandardOutput());
    result.errors = QString::fromUtf8(program.readAllStandardError());
    return result;
}

void compareWithWindow(unsigned seed, int count, const QString& locale, const QLocale& region) {
    const rt::NumberFormat format(region);
    const rt::NumberFormat exact(QLocale::c());
    Generator generator(seed, format.decimalSeparator());
    std::vector<InputSet> sets;
    QStringList commands;
    for (int i = 0; i < count; ++i) {
        sets.push_back(generator.next());
        commands += runnerCommands(sets.back(), format);
    }
    const ScenarioResult window = runScenario(commands, locale);
    ASSERT_EQ(window.exitCode, 0) << window.errors.toStdString();
    ASSERT_EQ(window.output.size(), sets.size());

    int refused = 0;
    int zeroEfficiency = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const QStringList arguments = cliArguments(sets[i]);
        const std::string what =
            "set " + std::to_string(i) + ": " + arguments.join(u' ').toStdString();
        const QJsonObject& dump = window.output[i];
        const CliResult cli = runCli(arguments, locale);
        const QJsonArray warnings = dump.value(u"messages").toArray();
        // The command line reads a decimal point and a decimal comma under
        // every locale; the window reads its region's alone.
        const QString otherSeparator =
            format.decimalSeparator() == u',' ? QStringLiteral("1.5") : QStringLiteral("1,5");
        if (arguments.join(u' ').contains(u'=' + otherSeparator)) {
            continue;
        }
        if (!warnings.isEmpty()) {
            ++refused;
            EXPECT_EQ(cli.status, 2) << what;
            // The option refused, then the window's warning.
            const QString warning = at(dump, QStringLiteral("messages/0/text")).toString();
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^--(eta0|a1|a2|area): "))
                            .match(cli.errors)
                            .hasMatch())
                << what << cli.errors.toStdString();
            EXPECT_TRUE(cli.errors.endsWith(QStringLiteral(": ") + warning + u'\n')) << what;
            continue;
        }
        ASSERT_EQ(cli.status, 0) << what << cli.errors.toStdString();
        const struct {
            const char* key;
            const char* label;
        } pairs[] = {{"characteristic", "Label1"},
                     {"x", "Label12"},
                     {"efficiency", "Label2"},
                     {"specificOutput", "Label4"},
                     {"output", "Label3"}};
        // Each label's digits, its unit left off and a decimal point for the
        // comma, are the JSON number's.
        for (const auto& [key, label] : pairs) {
            const QString shown = dump.value(QLatin1String(label)).toString();
            const QString digits =
                shown.section(u' ', 0, 0).replace(format.decimalSeparator(), u'.');
            EXPECT_EQ(jsonDigits(cli.output, key), digits) << what << " " << key;
        }
        const QString zeroEfficiencyX =
            exact.text(exact.toFixed4(at(dump, QStringLiteral("state/stagnationX")).toString()));
        EXPECT_EQ(jsonDigits(cli.output, "zeroEfficiencyX"), zeroEfficiencyX) << what;
        zeroEfficiency += dump.value(u"Label2").toString() == u"0 %" ? 1 : 0;
    }
    // The generator reaches every kind of outcome.
    std::cout << count << " sets: " << refused << " refused, " << zeroEfficiency << " at 0 %\n";
    EXPECT_GT(refused, count / 20);
    EXPECT_GT(zeroEfficiency, count / 20);
    EXPECT_GT(count - refused - zeroEfficiency, count / 4);
}

TEST(CommandLineAgainstWindow, SameLabelsAndWarningsUnderHungarian) {
    compareWithWindow(12, 240, QStringLiteral("hu_HU.UTF-8"),
                      QLocale(QLocale::Hungarian, QLocale::Hungary));
}

TEST(CommandLineAgainstWindow, SameLabelsAndWarningsUnderEnglish) {
    compareWithWindow(1212, 60, QStringLiteral("en_US.UTF-8"),
                      QLocale(QLocale::English, QLocale::UnitedStates));
}

// The annual yield of each collector type and of a typed one: the window's
// dialog and `--annual --json` give the same year, to the tenth they print.
TEST(CommandLineAgainstWindow, SameAnnualYield) {
    const QString weather = QStringLiteral(EFFICIENCY_WEATHER_DATA "/pvgis-tmy-45.000N-8.000E.csv");
    const QStringList base{QStringLiteral("--annual"), QStringLiteral("--weather"), weather,
                           QStringLiteral("--json")};
    std::vector<std::pair<QStringList, QStringList>> cases;
    for (int row = 0; row < 5; ++row) {
        cases.push_back({{QStringLiteral("select %1").arg(row)},
                         {QStringLiteral("--type"), QString::number(row)}});
    }
    cases.push_back({{"select 5", "type 1 0,7", "type 2 3", "type 3 0,01", "type 4 2,5"},
                     {"--eta0", "0.7", "--a1", "3", "--a2", "0.01", "--area", "2.5"}});
    for (const auto& [commands, options] : cases) {
        const ScenarioResult window =
            runScenario(commands + QStringList{QStringLiteral("annual ") + weather});
        ASSERT_FALSE(window.output.empty()) << window.errors.toStdString();
        const QJsonArray shown = window.output.back().value(u"annual").toArray();
        const CliResult cli = runCli(base + options, QStringLiteral("hu_HU.UTF-8"));
        ASSERT_EQ(cli.status, 0) << cli.errors.toStdString();
        const QJsonArray printed =
            QJsonDocument::fromJson(cli.output.toUtf8()).object().value(u"rows").toArray();
        ASSERT_EQ(shown.size(), printed.size()) << options.join(u' ').toStdString();
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QJsonObject w = shown[i].toObject();
            const QJsonObject c = printed[i].toObject();
            for (const char* key : {"meanTemperature", "perArea", "perCollector"}) {
                EXPECT_NEAR(w.value(QLatin1String(key)).toDouble(),
                            c.value(QLatin1String(key)).toDouble(), 0.05 + 1e-9)
                    << key << ' ' << options.join(u' ').toStdString();
            }
            EXPECT_NEAR(w.value(u"annualEfficiency").toDouble() * 100,
                        c.value(u"annualEfficiency").toDouble(), 0.05 + 1e-9);
        }
    }
}

}  // namespace
