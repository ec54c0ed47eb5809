#include "program.h"

#include <QApplication>
#include <QByteArray>
#include <cstring>

#include "fonts.h"
#include "qt_translation.h"

namespace ui {

bool displayAvailable(int argc, char* argv[]) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) {
            platform = argv[i + 1];
        }
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty()) {
        return x11 || wayland;
    }
    if (platform.startsWith("xcb")) {
        return x11;
    }
    if (platform.startsWith("wayland")) {
        return wayland;
    }
    return true;  // offscreen, vnc, eglfs ... need no display server
}

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Helitra_Efficiency"));
    QApplication::setApplicationDisplayName(QStringLiteral("Helitra - Efficiency"));
    QApplication::setOrganizationName(QStringLiteral("Helitra Kft."));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Wayland compositors find the desktop entry, and so the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.helitra.Efficiency"));
    installDefaultFont();
    installQtTranslation(QLocale::system());
}

std::unique_ptr<Efficiency> createWindow(const QLocale& locale, rt::MessageBox& messageBox,
                                         Efficiency::ErrorReport reportError) {
    auto window = std::make_unique<Efficiency>(locale, messageBox, std::move(reportError));
    if (!window->load()) {
        return nullptr;
    }
    return window;
}

}  // namespace ui
