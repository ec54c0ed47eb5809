#include "scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <cctype>

ScenarioResult runScenario(const QStringList& commands, const QString& locale,
                           const QStringList& extraEnvironment) {
    QProcess process;
    QStringList environment = QProcess::systemEnvironment();
    environment.removeIf(
        [](const QString& entry) { return entry.startsWith(u"LC_") || entry.startsWith(u"LANG"); });
    environment << QStringLiteral("LANG=%1").arg(locale) << extraEnvironment;
    process.setEnvironment(environment);
    process.start(QStringLiteral(EFFICIENCY_SCENARIO_RUNNER), {});
    process.write(commands.join(u'\n').toUtf8() + '\n');
    process.closeWriteChannel();
    process.waitForFinished(120000);

    ScenarioResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.errors = QString::fromUtf8(process.readAllStandardError());
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty()) {
            result.output.push_back(QJsonDocument::fromJson(line).object());
        }
    }
    return result;
}

QJsonValue at(const QJsonObject& object, const QString& path) {
    QJsonValue value = object;
    for (const QString& key : path.split(u'/')) {
        bool index = false;
        const int i = key.toInt(&index);
        value = index && value.isArray() ? value.toArray().at(i) : value.toObject().value(key);
    }
    return value;
}

std::string testNameOf(const char* description) {
    std::string name;
    for (const char* c = description; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += *c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}
