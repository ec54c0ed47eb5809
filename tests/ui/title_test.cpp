// The titles the window manager gets: what the X11 platform writes into
// _NET_WM_NAME, read back from a private Xvfb server. Skipped without Xvfb.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "test_printers.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

namespace {

bool onXvfb = false;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window's _NET_WM_NAME as the server holds it.
QString netWmName(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_flush(connection);
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, static_cast<xcb_window_t>(window->winId()), atom(connection, "_NET_WM_NAME"),
        atom(connection, "UTF8_STRING"), 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

TEST(PlatformTitle, TheWindowAndTheWarningCarryTheirOwnTitlesOnly) {
    if (!onXvfb) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    ui::DesktopMessageBox messages;
    const auto window = ui::createWindow(
        QLocale(QLocale::Hungarian, QLocale::Hungary), messages,
        [](const QString& message) { FAIL() << "runtime error: " << message.toStdString(); });
    ASSERT_NE(window, nullptr);
    messages.setParent(window.get());
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(netWmName(window.get()), QStringLiteral("Helitra - Efficiency"));

    QString boxTitle;
    QTimer poll;  // the box's own event loop runs this
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            boxTitle = netWmName(box);
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start();
    messages.show(QStringLiteral("Adjon meg számot!"), rt::MessageBox::kWarningOk,
                  QStringLiteral("HIBÁS ADAT"));
    EXPECT_EQ(boxTitle, QStringLiteral("HIBÁS ADAT"));
}

}  // namespace

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    QProcess server;
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (!xvfb.isEmpty()) {
        // -displayfd: the server picks a free display and prints its number.
        server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
        QByteArray number;
        while (server.waitForReadyRead(10000)) {
            number += server.readAllStandardOutput();
            if (number.endsWith('\n')) {
                break;
            }
        }
        onXvfb = !number.trimmed().isEmpty();
        if (onXvfb) {
            qputenv("DISPLAY", ":" + number.trimmed());
        }
    }
    qputenv("QT_QPA_PLATFORM", onXvfb ? "xcb" : "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        ui::setUpApplication();
        result = RUN_ALL_TESTS();
    }
    server.terminate();
    server.waitForFinished(5000);
    return result;
}
