#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Helitra - Efficiency"));
    window.setFixedSize(968, 591);
    window.show();
    return QApplication::exec();
}
