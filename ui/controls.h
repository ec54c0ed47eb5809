#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <optional>

#include "prepared_pixels.h"
#include "runtime/control_interfaces.h"

// The window's controls: Qt widgets that behave like the classic controls
// the procedures were written for, each implementing its runtime interface.
namespace ui {

// One of the icon's sizes as the build rendered it (see
// ui/generators/render_pictures.cpp), or a null image when the resource is missing
// or not such a picture.
[[nodiscard]] QImage readyPicture(const QString& resource);

// The sunken border of a panel, one logical pixel of dark and shadow at the
// top and left, of light and midlight at the bottom and right.
void paintSunkenPanel(QPainter& painter, const QRect& rect, const QPalette& palette);

// The focus mark of a control whose style draws none: shown while the
// control holds a focus that Tab or Backtab gave it, never after a click or
// at start-up. Another window or a popup taking the focus for a while
// hides it until the focus comes back.
class KeyboardFocusMark {
public:
    // Each tells whether the control must repaint.
    bool focusIn(Qt::FocusReason reason);
    bool focusOut(Qt::FocusReason reason);

    [[nodiscard]] bool shown(const QWidget& control) const {
        return byKeyboard_ && control.hasFocus();
    }
    // Draws the mark on top of the control's own painting.
    void paint(QPainter& painter, const QWidget& control, const QRect& rect) const;

private:
    bool byKeyboard_ = false;
};

// A picture box: an optional sunken border, a back colour, and a picture
// drawn from the top-left corner of its inner area at its own pixel size,
// clipped at the box's edges. Children are clipped to the inner area, so
// that none covers the border. Takes the focus by Tab and by click.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const char* picture, bool border);

    // The sunken border of a panel, on each side.
    static constexpr int kBorderPixels = 2;

    // The offset of the inner area, where children and drawing are placed.
    [[nodiscard]] int borderWidth() const { return border_ ? kBorderPixels : 0; }
    // The area inside the border, in the box's own coordinates.
    [[nodiscard]] QRect innerArea() const {
        const int border = borderWidth();
        return rect().adjusted(border, border, -border, -border);
    }
    // The resource path of the SVG picture it shows; null for none.
    [[nodiscard]] const char* picture() const { return picture_; }
    // The sunken border, if the box has one.
    void paintFrame(QPainter& painter) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintFocusMark(QPainter& painter);
    // Asks for the repaint that shows or hides the focus mark.
    virtual void repaintFocusMark() { update(); }

private:
    // The prepared pixels, if the build made them for this box at this ratio
    // over the box's back colour.
    [[nodiscard]] const PreparedPixels* prepared(qreal ratio);

    const char* picture_;
    bool border_;
    std::optional<PreparedPixels> prepared_;
    QPixmap cache_;  // the picture rendered at any other device pixel ratio
    QSize cachedSize_;
    QColor cachedBack_;
    KeyboardFocusMark focusMark_;
};

class Label : public QLabel, public rt::Label {
    Q_OBJECT
public:
    Label(QWidget* parent, bool autoSize);
    void setCaption(const QString& caption) override;
    // Shows the text from pixels the build prepared over what lies beneath
    // the label, at their ratio, and takes their size; the text stays the
    // label's, for screen readers.
    void usePrepared(const PreparedPixels& prepared);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click on a label is the label's: its container does not take the focus.
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

private:
    bool autoSize_;
    std::optional<PreparedPixels> prepared_;
};

// A single-line text box. LostFocus is raised only when the focus moves to
// another control of the window, not when another window takes it.
class TextBox : public QLineEdit, public rt::TextBox {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

    [[nodiscard]] QString text() const override { return QLineEdit::text(); }
    void setText(const QString& text) override { QLineEdit::setText(text); }
    void setEnabled(bool enabled) override { QWidget::setEnabled(enabled); }

signals:
    // LostFocus, with how the focus left.
    void lostFocus(Qt::FocusReason reason);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// An editable drop-down list. Typing never adds a row, and Click runs for
// every pick from the list (the selected row too) and for every selection
// made from code, before that assignment returns.
class ComboBox : public QComboBox, public rt::ComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);

    void addItem(const QString& text) override { QComboBox::addItem(text); }
    [[nodiscard]] rt::Int16 listIndex() const override { return listIndex_; }
    void setListIndex(rt::Int16 index) override;

signals:
    // Click, raised as part of the selection.
    void clicked();
    // The same for the user's picks; they enter from the event loop.
    void userPicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    rt::Int16 listIndex_{-1};
    // Set while Qt itself selects a row whose text was typed exactly.
    bool qtMatchesTypedText_ = false;
};

// A horizontal scroll bar. Scroll runs for each value the thumb passes while
// it is dragged; Change after an arrow, a track click, a key or a drag.
class ScrollBar : public QScrollBar, public rt::ScrollBar {
    Q_OBJECT
public:
    ScrollBar(QWidget* parent, int min, int max, int value, int smallChange, int largeChange);

    [[nodiscard]] rt::Int16 value() const override {
        return rt::Int16::checked(QScrollBar::value());
    }

    // Where the thumb is drawn, in the bar's own coordinates.
    [[nodiscard]] QRect thumbRect() const;

signals:
    void changed();   // Change
    void scrolled();  // Scroll

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void sliderChange(SliderChange change) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int valueAtPress_ = 0;
    QRect paintedThumb_;  // where the last repaint put the thumb
    KeyboardFocusMark focusMark_;
};

}  // namespace ui
