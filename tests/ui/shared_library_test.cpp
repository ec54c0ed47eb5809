// The user's own collector library as every front end finds it: the command
// line and the window, started as a user starts them, with no --library and
// a data folder of the test's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "scenario.h"

namespace {

class SharedLibrary : public testing::Test {
protected:
    struct Run {
        int status = -1;
        QString output;
        QString errors;
    };

    Run program(const QStringList& arguments) const {
        QProcess process;
        process.setEnvironment(environment());
        process.start(QStringLiteral(EFFICIENCY_PROGRAM), arguments);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QStringList environment() const {
        QStringList variables = QProcess::systemEnvironment();
        variables.removeIf([](const QString& v) {
            return v.startsWith(u"XDG_DATA_HOME=") || v.startsWith(u"HOME=");
        });
        return variables << QStringLiteral("XDG_DATA_HOME=") + data()
                         << QStringLiteral("HOME=") + home_.path();
    }
    QString data() const { return home_.filePath(QStringLiteral("data")); }
    void write(const QString& path, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The window's dump after `commands`, in the test's data folder.
    QJsonObject window(const QStringList& commands) const {
        const ScenarioResult run = runScenario(
            commands + QStringList{QStringLiteral("dump")}, QStringLiteral("hu_HU.UTF-8"),
            {QStringLiteral("XDG_DATA_HOME=") + data(), QStringLiteral("HOME=") + home_.path()});
        return run.output.empty() ? QJsonObject{{"errors", run.errors}} : run.output.back();
    }
    // The window's boxes after the library's Betöltés of `name`.
    QStringList loaded(const QString& name) const {
        const QJsonObject dump = window({QStringLiteral("load ") + name});
        QStringList boxes;
        for (const char* box : {"Text1/Text", "Text2/Text", "Text3/Text", "Text4/Text"}) {
            boxes << at(dump, QString::fromLatin1(box)).toString();
        }
        return boxes;
    }

    QTemporaryDir home_;
};

TEST_F(SharedLibrary, WhatTheCommandLineImportsTheWindowLoads) {
    const QString table = home_.filePath(QStringLiteral("gyujtes.csv"));
    write(table,
          "name;eta0;a1;a2;reference;grossArea;apertureArea\n"
          "Sík A;0,78;3,5;0,012;gross;2,5;\nCső B;0,74;1,2;0,004;aperture;2,9;1,9\n");
    const Run imported = program({QStringLiteral("--import"), table});
    ASSERT_EQ(imported.status, 0) << imported.errors.toStdString();
    EXPECT_TRUE(
        QFile::exists(data() + QStringLiteral("/Helitra Kft./Helitra_Efficiency/collectors.json")));
    EXPECT_EQ(loaded(QStringLiteral("Sík A")), QStringList({"0,78", "3,5", "0,012", "2,5"}));
    // One evaluation leaves what typing the values into the custom row does.
    EXPECT_EQ(window({QStringLiteral("load Sík A")}),
              window({QStringLiteral("select 5"), QStringLiteral("type 1 0,78"),
                      QStringLiteral("type 2 3,5"), QStringLiteral("type 3 0,012"),
                      QStringLiteral("type 4 2,5")}));
    // Aperture coefficients come with the aperture area.
    EXPECT_EQ(loaded(QStringLiteral("Cső B")), QStringList({"0,74", "1,2", "0,004", "1,9"}));
}

TEST_F(SharedLibrary, TheEarlierCommandLineLibraryIsBroughtOverOnce) {
    const QString earlier = data() + QStringLiteral("/efficiency/collectors.json");
    write(earlier,
          "{\"format\": \"efficiency-collector-library\", \"version\": 1, \"collectors\": ["
          "{\"name\": \"Régi\", \"eta0\": 0.8, \"a1\": 3, \"a2\": 0.01, \"grossArea\": 2}]}");
    const Run listed = program({QStringLiteral("--list")});
    ASSERT_EQ(listed.status, 0) << listed.errors.toStdString();
    EXPECT_TRUE(listed.output.startsWith(u"Régi: η0 0,8;")) << listed.output.toStdString();
    EXPECT_EQ(listed.errors.count(u'\n'), 1);
    EXPECT_TRUE(listed.errors.startsWith(u"Átvéve a korábbi parancssori kollektorkönyvtárból"));
    EXPECT_FALSE(QFile::exists(earlier));
    EXPECT_EQ(QDir(QFileInfo(earlier).path())
                  .entryList({QStringLiteral("collectors.json.*")}, QDir::Files)
                  .size(),
              1);
    EXPECT_EQ(loaded(QStringLiteral("Régi")), QStringList({"0,8", "3", "0,01", "2"}));
    EXPECT_TRUE(program({QStringLiteral("--list")}).errors.isEmpty());
}

}  // namespace
