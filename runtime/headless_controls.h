#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

#include "control_interfaces.h"

// Controls without a window: they hold what the procedures write, so that the
// same procedures can run where there is no display (the command line).
namespace rt {

class HeadlessLabel final : public Label {
public:
    void setCaption(const QString& caption) override { caption_ = caption; }
    [[nodiscard]] const QString& caption() const { return caption_; }

private:
    QString caption_;
};

class HeadlessTextBox final : public TextBox {
public:
    explicit HeadlessTextBox(QString text = {}) : text_(std::move(text)) {}

    [[nodiscard]] QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    [[nodiscard]] bool isEnabled() const { return enabled_; }

private:
    QString text_;
    bool enabled_ = true;
};

class HeadlessComboBox final : public ComboBox {
public:
    void addItem(const QString& text) override { rows_.append(text); }
    [[nodiscard]] Integer listIndex() const override { return Integer::checked(index_); }
    // An index outside -1 ... rows - 1 throws std::out_of_range, as setting
    // an invalid property value fails on the real box.
    void setListIndex(Integer index) override;

    // The selected row's text; empty when none is selected.
    [[nodiscard]] QString text() const;
    [[nodiscard]] const QStringList& rows() const { return rows_; }

    // The box's Click procedure.
    std::function<void()> onClick;

private:
    QStringList rows_;
    int index_ = -1;
};

class HeadlessScrollBar final : public ScrollBar {
public:
    explicit HeadlessScrollBar(int value) : value_(value) {}

    [[nodiscard]] Integer value() const override { return Integer::checked(value_); }
    void setValue(int value) { value_ = value; }

private:
    int value_;
};

// Draws nothing: the results are in the labels.
class NullSurface final : public Surface {
public:
    void cls() override {}
    void setDrawWidth(int) override {}
    void line(float, float, float, float, Color) override {}
    void box(float, float, float, float, Color) override {}
    void setCurrentX(float) override {}
    void setCurrentY(float) override {}
    void setFontName(const QString&) override {}
    void print(double) override {}
    void print(const QString&, Color) override {}
    // Nothing is shown, so every text fits.
    [[nodiscard]] double textWidth(const QString&) const override { return 0; }
};

// Remembers every prompt it was asked to show and returns at once, as if the
// user had closed the box.
class RememberingMessageBox final : public MessageBox {
public:
    void show(const QString& prompt, int style, const QString& title) override;
    [[nodiscard]] const QStringList& prompts() const { return prompts_; }

private:
    QStringList prompts_;
};

}  // namespace rt
