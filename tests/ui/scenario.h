#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// Runs the scenario runner on `commands` under a forced locale and returns
// every JSON line it printed, in order.
struct ScenarioResult {
    std::vector<QJsonObject> output;
    int exitCode = -1;
    QString errors;
};

ScenarioResult runScenario(const QStringList& commands,
                           const QString& locale = QStringLiteral("hu_HU.UTF-8"),
                           const QStringList& extraEnvironment = {});

// The value at a slash-separated path such as "Text1/Text" or "state/eta0".
QJsonValue at(const QJsonObject& object, const QString& path);

// A test's name from its description: "row 0 shows its preset, boxes stay
// disabled" becomes row_0_shows_its_preset_boxes_stay_disabled.
std::string testNameOf(const char* description);
