#include "message_box.h"

#include <QMessageBox>

namespace ui {

void DesktopMessageBox::show(const QString& prompt, int style, const QString& title) {
    const QMessageBox::Icon icon = style == kWarningOk ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace ui
