// The library's commands run in-process, each on a library of its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli/command_line.h"
#include "test_printers.h"
#include "tests/support/hungarian.h"

namespace {

class LibraryCommands : public testing::Test {
protected:
    cli::Outcome run(QStringList arguments) {
        arguments.prepend(QStringLiteral("efficiency"));
        arguments.replaceInStrings(QStringLiteral("LIB"), path(QStringLiteral("lib.json")));
        arguments.replaceInStrings(QStringLiteral("DIR/"), dir_.path() + u'/');
        return cli::run(arguments, testsupport::hungarianLocale());
    }
    QString path(const QString& name) { return dir_.filePath(name); }
    QByteArray read(const QString& name) {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir_;
};

TEST_F(LibraryCommands, ImportIsAllOrNothingAndExportRoundTrips) {
    write("good.csv",
          "name;eta0;a1;a2;area\nHelio 25;0,798;3,78;0,015;2,51\nCső 30;0,64;0,7;0,004;4\n");
    write("bad.csv", "name;eta0;a1;a2;area\nÚj;0,8;3;0,01;2\nRossz;0,8;-3;0,01;2\n");
    const struct {
        QStringList arguments;
        int status;
        const char* output;  // a part of stdout + stderr
    } steps[] = {
        {{"--import", "DIR/bad.csv", "--library", "LIB"},
         cli::kUsageError,
         "bad.csv:3: a1: 0 és 100 W/(m²·K) között lehet."},
        {{"--list", "--library", "LIB"}, cli::kSuccess, ""},
        {{"--import", "DIR/good.csv", "--library", "LIB"}, cli::kSuccess, "2 új"},
        {{"--import", "DIR/good.csv", "--library", "LIB"}, cli::kUsageError, "Már létező nevek"},
        {{"--import", "DIR/good.csv", "--replace", "--library", "LIB"}, cli::kSuccess, "2 cserélt"},
        {{"--list", "--library", "LIB"},
         cli::kSuccess,
         "Cső 30: η0 0,64; a1 0,7; a2 0,004; felület 4 m²"},
        {{"--export", "DIR/out.csv", "--library", "LIB"}, cli::kSuccess, ""},
        {{"--import", "DIR/out.csv", "--library", "DIR/copy.json"}, cli::kSuccess, "2 új"},
        {{"--export", "DIR/again.csv", "--library", "DIR/copy.json"}, cli::kSuccess, ""},
        {{"--export", "DIR/out.txt", "--library", "LIB"}, cli::kUsageError, ".csv vagy .json"},
        {{"--remove", "helio  25", "--library", "LIB"}, cli::kSuccess, ""},
        {{"--remove", "Helio 25", "--library", "LIB"}, cli::kUsageError, "Nincs ilyen nevű"},
        {{"--list", "--remove", "x", "--library", "LIB"}, cli::kUsageError, "pontosan egy"},
    };
    for (const auto& step : steps) {
        const cli::Outcome out = run(step.arguments);
        EXPECT_EQ(out.status, step.status) << step.arguments.join(u' ').toStdString();
        EXPECT_TRUE(
            (out.standardOutput + out.standardError).contains(QString::fromUtf8(step.output)))
            << (out.standardOutput + out.standardError).toStdString();
        if (step.status == cli::kUsageError && step.arguments.front() == u"--import") {
            EXPECT_FALSE(read("lib.json").contains("Új")) << "nothing written";
        }
    }
    EXPECT_EQ(read("again.csv"), read("out.csv"));
    EXPECT_EQ(run({"--list", "--json", "--library", "DIR/copy.json"}).standardOutput.toUtf8(),
              read("copy.json"));
}

TEST_F(LibraryCommands, AStoredCollectorComputesAsItsTypedCoefficients) {
    write("good.csv",
          "name;eta0;a1;a2;area\nHelio 25;0,798;3,78;0,015;2,51\nCső 30;0,64;0,7;0,004;4\n");
    ASSERT_EQ(run({"--import", "DIR/good.csv", "--library", "LIB"}).status, cli::kSuccess);
    const struct {
        QStringList stored;
        QStringList typed;
        int status;
    } cases[] = {
        {{"--calc", "--collector", "helio 25", "--library", "LIB"},
         {"--calc", "--eta0", "0,798", "--a1", "3,78", "--a2", "0,015", "--area", "2,51"},
         cli::kSuccess},
        {{"--table", "--collector", "Helio 25", "--area", "10", "--library", "LIB"},
         {"--table", "--eta0", "0,798", "--a1", "3,78", "--a2", "0,015", "--area", "10"},
         cli::kSuccess},
        // Below the window's a1 range: its own warning, naming the collector.
        {{"--calc", "--collector", "Cső 30", "--library", "LIB"},
         {"--calc", "--eta0", "0,64", "--a1", "0,7", "--a2", "0,004", "--area", "4"},
         cli::kUsageError},
    };
    for (const auto& c : cases) {
        const cli::Outcome stored = run(c.stored);
        const cli::Outcome typed = run(c.typed);
        EXPECT_EQ(stored.status, c.status) << c.stored.join(u' ').toStdString();
        EXPECT_EQ(stored.standardOutput, typed.standardOutput);
        EXPECT_TRUE(stored.standardError.contains(typed.standardError.section(u':', 1).trimmed()))
            << stored.standardError.toStdString();
    }
    EXPECT_EQ(run({"--calc", "--collector", "nincs", "--library", "LIB"}).status, cli::kUsageError);
}

TEST_F(LibraryCommands, AnExportedTableIsAnInputWhateverTheLocale) {
    write("datasheets.csv",
          "name;eta0;eta0b;kd;a1;a2;reference;grossArea;apertureArea;a8;iamTable\n"
          "Helio 25;0,798;;;3,78;0,015;gross;2,51;;;\n"
          "Nyaláb;;0,8;0,9;3,5;0,01;aperture;2,2;2;1e-8;\"0,99;0,97\"\n");
    ASSERT_EQ(run({"--import", "DIR/datasheets.csv", "--library", "LIB"}).status, cli::kSuccess);
    ASSERT_EQ(run({"--export", "DIR/out.csv", "--library", "LIB"}).status, cli::kSuccess);
    EXPECT_TRUE(read("out.csv").startsWith("\xEF\xBB\xBFname,eta0,a1,a2,area,"));
    EXPECT_EQ(run({"--list", "--csv", "--library", "LIB"}).standardOutput.toUtf8(),
              read("out.csv").mid(3));
    QString stored;
    for (const char* name : {"Helio 25", "Nyaláb"}) {
        stored += run({"--calc", "--json", "--collector", name, "--library", "LIB"}).standardOutput;
    }
    // Aperture coefficients with the aperture area, never the gross one.
    EXPECT_TRUE(
        stored.contains(u"\"collector\": \"Nyaláb\", \"eta0\": 0.788, \"a1\": 3.5, "
                        u"\"a2\": 0.01, \"area\": 2,"))
        << stored.toStdString();
    const cli::Outcome input = run({"--calc", "--json", "--input", "DIR/out.csv"});
    EXPECT_EQ(input.status, cli::kSuccess) << input.standardError.toStdString();
    EXPECT_EQ(input.standardOutput, stored);
    // The area written beside the one area given reads back as that one.
    ASSERT_EQ(run({"--import", "DIR/out.csv", "--library", "DIR/copy.json"}).status, cli::kSuccess);
    ASSERT_EQ(run({"--export", "DIR/again.csv", "--library", "DIR/copy.json"}).status,
              cli::kSuccess);
    EXPECT_EQ(read("again.csv"), read("out.csv"));
    EXPECT_TRUE(read("again.csv").contains(",0.00000001,,,0.99;0.97,")) << read("again.csv").data();
}

}  // namespace
