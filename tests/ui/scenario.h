#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
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
