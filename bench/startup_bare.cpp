// A bare Qt Widgets window of the program's size with one painted child,
// ending at its first painted frame: the yardstick for start-up. Built a
// second time with BARE_WITH_TEXT, where the child also draws one line of
// text, as any window with words must: that start includes the font set-up.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "first_frame.h"

namespace {

class Painted : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawLine(0, 0, width(), height());
#ifdef BARE_WITH_TEXT
        painter.drawText(10, 20, QStringLiteral("Helitra - Efficiency"));
#endif
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(968, 591);
    Painted child(&window);
    child.setGeometry(414, 21, 538, 331);
    FirstFrame probe(window);
    window.show();
    return QApplication::exec();
}
