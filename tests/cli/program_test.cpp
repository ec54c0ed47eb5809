// The program itself, as a script runs it: where its output goes, what a
// mistyped command does, and what the locale changes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "test_printers.h"

namespace {

struct Finished {
    bool finished = false;
    QProcess::ExitStatus exit = QProcess::CrashExit;
    int status = -1;
    QByteArray output, errors;
};

Finished runProgram(const QStringList& arguments, const QString& locale = QStringLiteral("C"),
                    const std::function<void()>& inChild = {}, int waitMs = 20000) {
    QProcess program;
    QStringList environment = QProcess::systemEnvironment();
    environment.removeIf([](const QString& entry) {
        return entry.startsWith(u"LC_") || entry.startsWith(u"LANG") ||
               entry.startsWith(u"DISPLAY=") || entry.startsWith(u"WAYLAND_DISPLAY=");
    });
    environment << QStringLiteral("LC_ALL=") + locale
                << QStringLiteral("QT_QPA_PLATFORM=offscreen");
    program.setEnvironment(environment);
    if (inChild) {
        program.setChildProcessModifier(inChild);
    }
    program.start(QStringLiteral(EFFICIENCY_PROGRAM), arguments);
    Finished run;
    run.finished = program.waitForFinished(waitMs);
    if (!run.finished) {
        program.kill();
        program.waitForFinished();
    }
    run.exit = program.exitStatus();
    run.status = program.exitCode();
    run.output = program.readAllStandardOutput();
    run.errors = program.readAllStandardError();
    return run;
}

// Standard output replaced in the child, after QProcess has set it up.
void closedOutput() {
    ::close(STDOUT_FILENO);
}
void fullDevice() {
    const int device = ::open("/dev/full", O_WRONLY);
    ::dup2(device, STDOUT_FILENO);
}
void pipeWithoutReader() {
    int ends[2];
    if (::pipe(ends) == 0) {
        ::close(ends[0]);
        ::dup2(ends[1], STDOUT_FILENO);
    }
}

TEST(CommandLineProgram, LostOutputIsNeverASuccess) {
    const QByteArray failed = "efficiency: a kimenet nem írható: ";
    const struct {
        const char* what;
        std::function<void()> inChild;
        const char* reason;  // nullptr: killed by SIGPIPE, saying nothing
    } cases[] = {
        {"closed", closedOutput, "a szabványos kimenet nincs megnyitva írásra"},
        {"/dev/full", fullDevice, "nincs több hely az eszközön"},
        {"broken pipe, SIGPIPE ignored",
         [] {
             std::signal(SIGPIPE, SIG_IGN);
             pipeWithoutReader();
         },
         "az olvasó fél bezárta a csővezetéket"},
        {"broken pipe",
         [] {
             std::signal(SIGPIPE, SIG_DFL);
             pipeWithoutReader();
         },
         nullptr},
    };
    for (const auto& c : cases) {
        for (const char* mode : {"--calc", "--table"}) {
            const Finished run =
                runProgram({QString::fromLatin1(mode), QStringLiteral("--json")}, {}, c.inChild);
            ASSERT_TRUE(run.finished) << c.what;
            if (c.reason == nullptr) {
                EXPECT_EQ(run.exit, QProcess::CrashExit) << c.what;
                continue;
            }
            EXPECT_EQ(run.exit, QProcess::NormalExit) << c.what;
            EXPECT_EQ(run.status, 1) << c.what;
            EXPECT_EQ(run.errors, failed + c.reason + '\n') << c.what;
        }
    }
}

// A window would keep the program running past the limit.
TEST(CommandLineProgram, MistypedCommandsAreRefusedWithoutAWindow) {
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"--type", "4", "--json"}, "Adja meg a --calc, a --table, a --datasheet vagy az --annual"},
        {{"-platform", "offscreen", "--json"}, "Adja meg a --calc"},
        {{"--tabel"}, "--tabel: ismeretlen kapcsoló!"},
        {{"--calc="}, "--calc: ehhez a kapcsolóhoz nem adható meg érték."},
        {{"-calc"}, "-calc: ismeretlen kapcsoló"},
        {{"kollektor.csv"}, "Ismeretlen argumentum: kollektor.csv"},
        {{"--list", "--jsn"}, "--jsn: ismeretlen kapcsoló!"},
        {{"--calc", "--collector"}, "--collector: hiányzik az értéke!"},
    };
    for (const auto& c : cases) {
        const Finished run = runProgram(c.arguments, QStringLiteral("hu_HU.UTF-8"), {}, 10000);
        ASSERT_TRUE(run.finished) << c.message;
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.errors.startsWith(c.message)) << run.errors.toStdString();
        EXPECT_TRUE(run.output.isEmpty()) << c.message;
    }
    // Without arguments the window opens and stays: nothing may end it within
    // the wait, which is why this one waits a fixed time.
    EXPECT_FALSE(runProgram({}, QStringLiteral("hu_HU.UTF-8"), {}, 1500).finished);
}

TEST(CommandLineProgram, JsonAndCsvAreTheSameBytesInEveryLocale) {
    const QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("kollektorok.csv"));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("name;eta0;a1;a2;area\nA;0,65;1,5;0,008;2\nB;0,75;6;0,02;3,5\n");
    file.close();
    const QStringList runs[] = {
        {"--calc", "--json", "--eta0", "0.7", "--a1", "3", "--area", "2.5"},
        {"--table", "--json", "--ambient-temp", "-5", "--step", "7"},
        {"--calc", "--csv", "--input", input, "--irradiance", "950"},
        {"--table", "--csv-hu", "--input", input},
        {"--calc", "--json", "--input", input, "--collector-temp", "10", "--ambient-temp", "30"},
    };
    for (const QStringList& arguments : runs) {
        // Numbers are typed in the locale's format, which only C and en_US share.
        const auto typed = [&](bool comma) {
            QStringList list = arguments;
            for (QString& a : list) {
                a = comma && a.front().isDigit() ? QString(a).replace(u'.', u',') : a;
            }
            return list;
        };
        const Finished c = runProgram(typed(false));
        ASSERT_EQ(c.status, 0) << c.errors.toStdString();
        ASSERT_FALSE(c.output.isEmpty());
        for (const char* locale : {"en_US.UTF-8", "hu_HU.UTF-8", "de_DE.UTF-8"}) {
            const bool comma = locale[0] != 'e';
            EXPECT_EQ(runProgram(typed(comma), QString::fromLatin1(locale)).output, c.output)
                << locale << " " << arguments.join(u' ').toStdString();
        }
    }
    // The text too is the same bytes under every locale, numbers read with a
    // point or a comma alike.
    for (const char* locale : {"C", "hu_HU.UTF-8", "de_DE.UTF-8"}) {
        EXPECT_EQ(runProgram({"--calc", "--eta0", "0.65"}, QString::fromLatin1(locale)).output,
                  runProgram({"--calc", "--eta0", "0,65"}).output)
            << locale;
    }
}

}  // namespace
