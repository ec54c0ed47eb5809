#include "program.h"

#include <QApplication>
#include <QByteArray>
#include <cstring>

#include "fonts.h"
#include "qt_translation.h"
#include "ui/version.h"

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
    QApplication::setApplicationName(QString::fromUtf8(product::kInternalName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(product::kDisplayName));
    QApplication::setOrganizationName(QString::fromUtf8(product::kCompany));
    QApplication::setApplicationVersion(QString::fromUtf8(product::kDisplayVersion));
    // Wayland compositors find the desktop entry, and so the icon, by this name.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(product::kAppId));
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
