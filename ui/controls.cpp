#include "controls.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>
#include <QtMath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "output_module.h"

namespace ui {

QImage readyPicture(const QString& resource) {
    const QResource file(resource);
    std::uint32_t size[2] = {0, 0};
    if (!file.isValid() || file.compressionAlgorithm() != QResource::NoCompression ||
        file.size() < static_cast<qint64>(sizeof size)) {
        return {};
    }
    std::memcpy(size, file.data(), sizeof size);
    const qint64 bytes = static_cast<qint64>(size[0]) * size[1] * 4;
    if (file.size() != static_cast<qint64>(sizeof size) + bytes) {
        return {};
    }
    QImage image(static_cast<int>(size[0]), static_cast<int>(size[1]),
                 QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), file.data() + sizeof size, static_cast<std::size_t>(bytes));
    return image;
}

namespace {

// Focus that the window or a popup takes away for a while and gives back.
bool isPassing(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

bool KeyboardFocusMark::focusIn(Qt::FocusReason reason) {
    if (!isPassing(reason)) {
        byKeyboard_ = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    }
    return byKeyboard_;
}

bool KeyboardFocusMark::focusOut(Qt::FocusReason reason) {
    const bool wasShown = byKeyboard_;
    if (!isPassing(reason)) {
        byKeyboard_ = false;
    }
    return wasShown;
}

void KeyboardFocusMark::paint(QPainter& painter, const QWidget& control, const QRect& rect) const {
    // The style's highlight colour, two pixels wide, as a focused text box
    // shows its frame: the style's own focus rectangle is a faint tint that
    // vanishes on the yellow panels, the sliders and the chart.
    painter.save();
    QPen pen(control.palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter.restore();
}

PictureBox::PictureBox(QWidget* parent, const char* picture, bool border)
    : QWidget(parent), picture_(picture), border_(border) {
    // Tab through the policy, the click by hand: Qt would otherwise hand the
    // focus to the box when a child label that never takes it is clicked.
    setFocusPolicy(Qt::TabFocus);
    // A box with a picture paints every pixel itself from its cache.
    setAutoFillBackground(picture_ == nullptr);
    setAttribute(Qt::WA_OpaquePaintEvent, picture_ != nullptr);
}

bool PictureBox::event(QEvent* event) {
    if (border_ && event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) {
            child->installEventFilter(this);
        }
    }
    return QWidget::event(event);
}

bool PictureBox::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        watched->isWidgetType() && watched->parent() == this) {
        auto* child = static_cast<QWidget*>(watched);
        const QRect inner = innerArea();
        const QRect place = child->geometry();
        if (inner.contains(place)) {
            child->clearMask();
        } else {
            child->setMask(QRegion((place & inner).translated(-place.topLeft())));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PictureBox::paintFrame(QPainter& painter) const {
    if (border_) {
        paintSunkenPanel(painter, rect(), palette());
    }
}

// The sunken panel of qDrawWinPanel, pixel for pixel at any device pixel
// ratio: its four one-device-pixel lines as fills, which cost a tenth of
// the style's polylines.
void paintSunkenPanel(QPainter& painter, const QRect& rect, const QPalette& palette) {
    const qreal ratio = painter.device()->devicePixelRatio();
    const int x = qRound(ratio * rect.x());
    const int y = qRound(ratio * rect.y());
    const int w = qRound(ratio * rect.width());
    const int h = qRound(ratio * rect.height());
    if (w < 2 || h < 2) {
        return;
    }
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);  // device pixels
    const auto corner = [&](int inset, const QColor& color) {
        painter.fillRect(QRect(x + inset, y + inset, 1, h - 1 - 2 * inset), color);
        painter.fillRect(QRect(x + inset, y + inset, w - 1 - 2 * inset, 1), color);
    };
    const auto opposite = [&](int inset, const QColor& color) {
        painter.fillRect(QRect(x + inset, y + h - 1 - inset, w - 2 * inset, 1), color);
        painter.fillRect(QRect(x + w - 1 - inset, y + inset, 1, h - 2 * inset), color);
    };
    corner(0, palette.dark().color());
    opposite(0, palette.light().color());
    if (w > 4 && h > 4) {
        corner(1, palette.shadow().color());
        opposite(1, palette.midlight().color());
    }
    painter.restore();
}

namespace {

// The picture as pixels at a device pixel ratio the build prepared nothing for.
QPixmap pictureAt(const char* picture, qreal ratio) {
    const OutputModule* output = outputModule();
    if (output == nullptr) {
        return {};
    }
    const QString file = QString::fromLatin1(picture);
    const QSize size = output->svgSize(file);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    output->renderSvg(painter, file, QRectF(QPointF(0, 0), size));
    return pixmap;
}

}  // namespace

const PreparedPixels* PictureBox::prepared(qreal ratio) {
    // Looked up again when the box moves to a screen of another ratio.
    if (!prepared_ || prepared_->scale != ratio) {
        prepared_ = preparedPixels(objectName().toLatin1().constData(), ratio);
    }
    const bool fits = prepared_ && prepared_->size() == size() &&
                      prepared_->back == palette().color(QPalette::Window).rgb();
    return fits ? &*prepared_ : nullptr;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_ == nullptr) {
        paintFrame(painter);
        paintFocusMark(painter);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (const PreparedPixels* ready = prepared(ratio)) {
        paintPrepared(painter, *ready);
        paintFocusMark(painter);
        return;
    }
    // The picture over the back colour, composed once: the boxes on the
    // chart are repainted with it on every slider event.
    const QColor back = palette().color(QPalette::Window);
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio || cachedSize_ != size() ||
        cachedBack_ != back) {
        // At a fractional ratio the box's edges fall inside device pixels, and
        // it can cover one pixel more than its size times the ratio, rounded.
        // The box paints opaque, so a pixel the cache leaves out would show
        // whatever the backing store held there (a black line at 1.25).
        cachedSize_ = size();
        cachedBack_ = back;
        cache_ = QPixmap(qCeil(width() * ratio) + 1, qCeil(height() * ratio) + 1);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(back);
        QPainter composer(&cache_);
        paintFrame(composer);
        composer.drawPixmap(borderWidth(), borderWidth(), pictureAt(picture_, ratio));
    }
    painter.drawPixmap(0, 0, cache_);
    paintFocusMark(painter);  // over the cache, never into it
}

void PictureBox::paintFocusMark(QPainter& painter) {
    // On a panel the mark takes the place of the sunken border, which no
    // child covers.
    if (focusMark_.shown(*this)) {
        focusMark_.paint(painter, *this, rect());
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

// A box looks the same with and without a focus that shows no mark, so
// only a change of the mark repaints it.
void PictureBox::focusInEvent(QFocusEvent* event) {
    if (focusMark_.focusIn(event->reason())) {
        repaintFocusMark();
    }
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
    if (focusMark_.focusOut(event->reason())) {
        repaintFocusMark();
    }
}

Label::Label(QWidget* parent, bool autoSize) : QLabel(parent), autoSize_(autoSize) {
    setTextFormat(Qt::PlainText);
}

void Label::usePrepared(const PreparedPixels& prepared) {
    prepared_ = prepared;
    resize(prepared.size());
}

void Label::paintEvent(QPaintEvent* event) {
    if (prepared_ && prepared_->scale == devicePixelRatioF()) {
        QPainter painter(this);
        paintPrepared(painter, *prepared_);
        return;
    }
    if (frameShape() != QFrame::NoFrame || textFormat() != Qt::PlainText || wordWrap() ||
        indent() > 0 || margin() != 0 || !isEnabled()) {
        QLabel::paintEvent(event);
        return;
    }
    // What QLabel draws for such a label, without its style options, frame
    // and layout rectangle, which change nothing here: the value labels are
    // repainted on every slider event.
    QPainter painter(this);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    painter.drawText(contentsRect(), alignment() | Qt::TextForceLeftToRight, text());
}

void Label::setCaption(const QString& caption) {
    if (caption == QLabel::text()) {
        return;  // an unchanged caption must not schedule a repaint
    }
    setText(caption);
    if (autoSize_) {
        adjustSize();
    }
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
    // QLineEdit silently cuts a text at 32767 characters, which can change
    // its value ("0,5000...0E2" would read as 0,5); the box keeps it whole.
    setMaxLength(std::numeric_limits<int>::max());
}

// Ctrl+K deletes to the end of the line here, as in the text boxes of the
// Linux desktops, rather than opening the window's collector library; done
// here because not every platform theme binds the key.
namespace {
bool isDeleteToEndOfLine(const QKeyEvent& key) {
    return key.keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_K);
}
}  // namespace

bool TextBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        isDeleteToEndOfLine(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (isDeleteToEndOfLine(*event)) {
        if (!isReadOnly()) {
            end(true);
            del();
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            emit lostFocus(event->reason());
            if (!hasFocus()) {
                home(false);  // a long entry is shown from its start, as desktops do
            }
            break;
        default:  // another window, a popup or a menu took the focus
            break;
    }
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { listIndex_ = rt::Int16{-1}; });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (qtMatchesTypedText_) {
            return;
        }
        listIndex_ = rt::Int16::checked(index);
        emit userPicked();
    });
}

void ComboBox::setListIndex(rt::Int16 index) {
    setCurrentIndex(index.value());
    if (index.value() >= 0) {
        setEditText(itemText(index.value()));  // also when the row was already current
    }
    listIndex_ = index;
    emit clicked();
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    qtMatchesTypedText_ = enter;
    QComboBox::keyPressEvent(event);
    qtMatchesTypedText_ = false;
}

void ComboBox::focusOutEvent(QFocusEvent* event) {
    qtMatchesTypedText_ = true;
    QComboBox::focusOutEvent(event);
    qtMatchesTypedText_ = false;
}

ScrollBar::ScrollBar(QWidget* parent, int min, int max, int value, int smallChange, int largeChange)
    : QScrollBar(Qt::Horizontal, parent) {
    setRange(min, max);
    setSingleStep(smallChange);
    setPageStep(largeChange);
    setValue(value);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setTracking(true);
    connect(this, &QScrollBar::sliderPressed, this,
            [this] { valueAtPress_ = QScrollBar::value(); });
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (isSliderDown()) {
            emit scrolled();
        } else {
            emit changed();
        }
    });
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (QScrollBar::value() != valueAtPress_) {
            emit changed();
        }
    });
}

QRect ScrollBar::thumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void ScrollBar::sliderChange(SliderChange change) {
    // A value that leaves the thumb on the same pixels looks the same: while
    // a long range is dragged most values do, and the bar would repaint
    // (gradients and all) for nothing on every Scroll event.
    if (change == SliderValueChange && thumbRect() == paintedThumb_ && isVisible()) {
        return;
    }
    paintedThumb_ = thumbRect();
    QScrollBar::sliderChange(change);
}

void ScrollBar::focusInEvent(QFocusEvent* event) {
    focusMark_.focusIn(event->reason());
    QScrollBar::focusInEvent(event);  // repaints
}

void ScrollBar::focusOutEvent(QFocusEvent* event) {
    focusMark_.focusOut(event->reason());
    QScrollBar::focusOutEvent(event);  // repaints
}

void ScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (focusMark_.shown(*this)) {
        QPainter painter(this);
        focusMark_.paint(painter, *this, rect());
    }
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
    // Explicit, because this Qt version inverts Left and Right by default.
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            triggerAction(SliderSingleStepSub);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            triggerAction(SliderSingleStepAdd);
            break;
        case Qt::Key_PageUp:
            triggerAction(SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            triggerAction(SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            triggerAction(SliderToMinimum);
            break;
        case Qt::Key_End:
            triggerAction(SliderToMaximum);
            break;
        default:
            QScrollBar::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace ui
