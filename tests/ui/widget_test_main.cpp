// The main of the widget tests: a QApplication set up as the program's own,
// offscreen whatever the environment says.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/main_window.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setUpApplication();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
