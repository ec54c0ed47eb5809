// A second process on a library, for the fault tests: writes in a loop to be
// killed at any moment, or imports a file while others do the same.
//   library_writer FILE add PREFIX FROM TO   stores PREFIX<FROM> ... PREFIX<TO - 1>
//   library_writer FILE import CSV
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "library/collector_import.h"
#include "library/collector_store.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        return 2;
    }
    library::CollectorStore store(args[1]);
    const auto fail = [](const QString& message) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return 1;
    };
    if (args[2] == u"add" && args.size() == 6) {
        for (int i = args[4].toInt(); i < args[5].toInt(); ++i) {
            library::Collector c;
            c.name = args[3] + QString::number(i);
            c.eta0 = *library::DecimalText::parse(u"0.798");
            c.a1 = *library::DecimalText::parse(u"3.78");
            c.a2 = *library::DecimalText::parse(u"0.015");
            c.grossArea = *library::DecimalText::parse(u"2.5");
            if (const auto outcome = store.add(c); !outcome.ok) {
                return fail(outcome.message);
            }
            std::printf("%d\n", i);  // the test kills only once a write is done
            std::fflush(stdout);
        }
        return 0;
    }
    if (args[2] == u"import") {
        QFile file(args[3]);
        if (!file.open(QIODevice::ReadOnly)) {
            return fail(file.errorString());
        }
        const library::ImportFile parsed = library::parseImport(file.readAll());
        if (!parsed.refusals.isEmpty()) {
            return fail(parsed.refusals.front().reason);
        }
        const auto outcome = store.importRows(parsed.rows, library::ExistingNames::Refuse);
        return outcome.ok ? 0 : fail(outcome.message);
    }
    return 2;
}
