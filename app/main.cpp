#include <QApplication>
#include <QMessageBox>
#include <array>
#include <cstdio>
#include <optional>

#include "cli/command_line.h"
#include "product/version.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

// The version record, kept in a section of its own where `readelf -p
// .version_record` and package tools find it.
[[gnu::used, gnu::section(".version_record")]] const auto kVersionRecord =
    std::to_array(product::kVersionRecord);

int main(int argc, char* argv[]) {
    // Any argument but Qt's own is a command-line run, which needs no display
    // and never opens the window.
    if (cli::asksForCommandLine(argc, argv)) {
        return cli::runMain(argc, argv);
    }
    if (const QString missing = ui::missingDisplayLine(argc, argv); !missing.isEmpty()) {
        std::fputs(qPrintable(missing + u'\n'), stderr);
        return 1;
    }
    std::optional<ui::PlatformFailureReport> platformFailure(std::in_place);
    QApplication app(argc, argv);
    platformFailure.reset();
    ui::setUpApplication();

    ui::DesktopMessageBox messages;
    const auto reportError = [](const QString& message) {
        QMessageBox::critical(nullptr, QString::fromUtf8(product::kDisplayName),
                              QStringLiteral("Futásidejű hiba: %1").arg(message));
        QCoreApplication::exit(1);
    };
    const auto window = ui::createWindow(QLocale::system(), messages, reportError);
    if (!window) {
        return 1;
    }
    messages.setParent(window.get());
    window->show();
    return ui::runEventLoop();
}
