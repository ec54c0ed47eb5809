#include "message_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "output_module.h"

namespace ui {

namespace {

// The toolkit's warning icon is a 32-pixel bitmap that a scaled screen blows
// up; this box draws its own from a vector picture at the screen's pixels.
class WarningBox : public QMessageBox {
public:
    WarningBox(const QString& title, const QString& prompt, QWidget* parent)
        : QMessageBox(QMessageBox::Warning, title, prompt, QMessageBox::Ok, parent) {
        // Some platform themes put an icon on dialog buttons; a desktop's OK has none.
        button(QMessageBox::Ok)->setIcon(QIcon());
    }

protected:
    // After polishing, which puts the toolkit's bitmap back; icon() stays
    // Warning, so the box remains a warning to the desktop.
    void showEvent(QShowEvent* event) override {
        if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
            label->setPixmap(sharpIcon());
        }
        QMessageBox::showEvent(event);
    }

private:
    [[nodiscard]] QPixmap sharpIcon() const {
        // The size the toolkit's own icon takes, so that the box keeps its layout.
        const int metric = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        const QSize size = style()
                               ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                               .actualSize(QSize(metric, metric));
        const qreal ratio = devicePixelRatioF();
        QPixmap pixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        const OutputModule* output = outputModule();
        if (output == nullptr) {
            return style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size);
        }
        QPainter painter(&pixmap);
        output->renderSvg(painter, QStringLiteral(":/icons/warning.svg"),
                          QRectF(QPointF(0, 0), QSizeF(size)));
        return pixmap;
    }
};

}  // namespace

void DesktopMessageBox::show(const QString& prompt, int style, const QString& title) {
    if (style == kWarningOk) {
        WarningBox(title, prompt, parent_).exec();
    } else {
        QMessageBox(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent_).exec();
    }
}

}  // namespace ui
