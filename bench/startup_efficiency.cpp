// The program's start-up, ending at its first painted frame.
#include <QApplication>

#include "first_frame.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::setUpApplication();
    ui::DesktopMessageBox messages;
    const auto window =
        ui::createWindow(QLocale::system(), messages, [](const QString&) { std::exit(1); });
    if (!window) {
        return 1;
    }
    messages.setParent(window.get());
    FirstFrame probe(*window);
    window->show();
    return ui::runEventLoop();
}
