#include "program.h"

#include <unistd.h>
#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "fonts.h"
#include "library/collector_store.h"
#include "product/version.h"
#include "runtime/qt_translation.h"

namespace ui {

namespace {

// The platform plugin Qt is going to use: -platform, else QT_QPA_PLATFORM.
QByteArray requestedPlatform(int argc, char* argv[]) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) {
            platform = argv[i + 1];
        }
    }
    return platform;
}

}  // namespace

QString missingDisplayLine(int argc, char* argv[]) {
    const QByteArray platform = requestedPlatform(argc, argv);
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    // Only what the platform asked for was tried, so only that is named.
    if (platform.startsWith("xcb")) {
        return x11 ? QString()
                   : QStringLiteral("efficiency: nincs X-kijelző (a DISPLAY nincs beállítva)");
    }
    if (platform.startsWith("wayland")) {
        return wayland ? QString()
                       : QStringLiteral(
                             "efficiency: nincs Wayland-kijelző (a WAYLAND_DISPLAY nincs "
                             "beállítva)");
    }
    if (platform.isEmpty() && !x11 && !wayland) {
        return QStringLiteral(
            "efficiency: nincs kijelző (sem a DISPLAY, sem a WAYLAND_DISPLAY nincs beállítva)");
    }
    return {};  // offscreen, vnc, eglfs ... need no display server
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage>* heldMessages = nullptr;

// libwayland writes to the standard error itself, past Qt's message handler;
// while the report lives that goes to a temporary file instead.
int savedStderr = -1;
std::FILE* rawErrors = nullptr;

void captureRawErrors() {
    rawErrors = std::tmpfile();
    if (rawErrors == nullptr) {
        return;
    }
    std::fflush(stderr);
    savedStderr = ::dup(STDERR_FILENO);
    ::dup2(::fileno(rawErrors), STDERR_FILENO);
}

// Puts the standard error back; what was written meanwhile is passed on,
// except libwayland's own line about XDG_RUNTIME_DIR, which the failure
// line covers, when `passOn` is set.
void releaseRawErrors(bool passOn) {
    if (rawErrors == nullptr) {
        return;
    }
    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    std::rewind(rawErrors);
    char line[4096];
    while (passOn && std::fgets(line, sizeof line, rawErrors) != nullptr) {
        if (std::strncmp(line, "error: XDG_RUNTIME_DIR", 22) != 0) {
            std::fputs(line, stderr);
        }
    }
    std::fclose(rawErrors);
    rawErrors = nullptr;
}

// The plugin a "qt.qpa.plugin" message is about: the name Qt quotes.
QString quotedPlugin(const QString& text) {
    const qsizetype open = text.indexOf(u'"');
    const qsizetype close = open < 0 ? -1 : text.indexOf(u'"', open + 1);
    return close < 0 ? QString() : text.mid(open + 1, close - open - 1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages->append({type, QByteArray(context.category), text});
        return;
    }
    QStringList failed;
    for (const HeldMessage& message : std::as_const(*heldMessages)) {
        const QString plugin =
            message.category == "qt.qpa.plugin" ? quotedPlugin(message.text) : QString();
        if (!plugin.isEmpty() && !failed.contains(plugin)) {
            failed.append(plugin);
        }
    }
    releaseRawErrors(false);  // the promise is one line
    const QByteArray line = platformFailureLine(failed).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
    _exit(1);  // no abort, so no core dump
}

}  // namespace

PlatformFailureReport::PlatformFailureReport() {
    heldMessages = new QList<HeldMessage>;
    previousHandler = qInstallMessageHandler(holdMessage);
    captureRawErrors();
}

PlatformFailureReport::~PlatformFailureReport() {
    qInstallMessageHandler(previousHandler);
    releaseRawErrors(true);
    const QList<HeldMessage> held = std::move(*heldMessages);
    delete heldMessages;
    heldMessages = nullptr;
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

QString platformFailureLine(const QStringList& failedPlugins) {
    QStringList what;
    for (const QString& plugin : failedPlugins) {
        if (plugin.startsWith(u"xcb")) {
            const QString display = qEnvironmentVariable("DISPLAY");
            what.append(display.isEmpty()
                            ? QStringLiteral("az X-kijelző (a DISPLAY nincs beállítva)")
                            : QStringLiteral("az X-kijelző (%1)").arg(display));
        } else if (plugin.startsWith(u"wayland")) {
            const QString display = qEnvironmentVariable("WAYLAND_DISPLAY", "wayland-0");
            // A socket name is looked for in XDG_RUNTIME_DIR, which libwayland
            // requires to be an absolute path.
            const bool runtimeDirUsable = display.startsWith(u'/') ||
                                          qEnvironmentVariable("XDG_RUNTIME_DIR").startsWith(u'/');
            what.append(runtimeDirUsable ? QStringLiteral("a Wayland-kijelző (%1)").arg(display)
                                         : QStringLiteral("a Wayland-kijelző (%1; nincs érvényes "
                                                          "XDG_RUNTIME_DIR)")
                                               .arg(display));
        } else {
            what.append(QStringLiteral("a Qt platformbővítménye („%1”)").arg(plugin));
        }
    }
    what.removeDuplicates();
    if (what.isEmpty()) {
        what.append(QStringLiteral("a kijelző"));
    }
    const QString subject = what.size() == 1
                                ? what.front()
                                : QStringLiteral("sem ") + what.join(QStringLiteral(", sem "));
    return QStringLiteral("efficiency: %1 nem nyitható meg").arg(subject);
}

void setUpApplication() {
    // No display name: X11 and Wayland append it to every window title, and
    // the warning's title must read "HIBÁS ADAT" and nothing more.
    library::identifyApplication();
    QApplication::setApplicationVersion(QString::fromUtf8(product::kDisplayVersion));
    // Wayland compositors find the desktop entry, and so the icon, by this name.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(product::kAppId));
    installDefaultFont();
    rt::installQtTranslation(QLocale::system());
}

int runEventLoop() {
    const int status = QApplication::exec();
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    if (!QGuiApplication::clipboard()->ownsClipboard()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
#endif
    return status;
}

}  // namespace ui
