#pragma once

#include <QLocale>
#include <QStringList>
#include <functional>
#include <memory>

namespace rt {
class MessageBox;
}

namespace ui {

class MainWindow;

// The line saying which display is missing for the platform Qt is going to
// use, or an empty string when it has one; Qt itself aborts with a core dump
// when there is none.
[[nodiscard]] QString missingDisplayLine(int argc, char* argv[]);

// While it lives, Qt's messages are held back; if Qt gives up because no
// platform plugin could reach its display, the program prints one line
// naming what it could not open and exits with status 1 (Qt would print a
// page of plugin text and abort with a core dump). Construct it before the
// QApplication; once it is destroyed, the held messages go out as usual.
class PlatformFailureReport {
public:
    PlatformFailureReport();
    ~PlatformFailureReport();
    PlatformFailureReport(const PlatformFailureReport&) = delete;
    PlatformFailureReport& operator=(const PlatformFailureReport&) = delete;
};

// The line printed when none of the named platform plugins could start,
// for example "efficiency: az X-kijelző (:59) nem nyitható meg".
[[nodiscard]] QString platformFailureLine(const QStringList& failedPlugins);

// The application-wide settings every run shares: fonts, names, version.
void setUpApplication();

// Runs the window's event loop to its end, and ends the process there when
// nothing is left to hand over: the collector library is written as each
// change is made, so only what the program put on the clipboard outlives it,
// through Qt's teardown, which passes it to the desktop's clipboard manager.
// Otherwise the widgets and Qt's caches are not taken down one by one.
// Sanitized builds always end the usual way, so that leaks are still found.
[[nodiscard]] int runEventLoop();

// The window as the program creates it: controls from the table, then the
// load procedure. Null when a runtime error ended the load.
[[nodiscard]] std::unique_ptr<MainWindow> createWindow(
    const QLocale& locale, rt::MessageBox& messageBox,
    std::function<void(const QString&)> reportError);

}  // namespace ui
