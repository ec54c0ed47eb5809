#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "runtime/control_interfaces.h"

// Test doubles of the controls: they remember what the procedures did.
namespace fake {

struct Label : rt::Label {
    QString caption;
    int writes = 0;
    void setCaption(const QString& c) override {
        caption = c;
        ++writes;
    }
};

struct TextBox : rt::TextBox {
    QString value;
    bool enabled = true;
    QString text() const override { return value; }
    void setText(const QString& t) override { value = t; }
    void setEnabled(bool e) override { enabled = e; }
};

struct ComboBox : rt::ComboBox {
    std::vector<QString> items;
    int index = -1;
    std::function<void()> click;
    void addItem(const QString& t) override { items.push_back(t); }
    rt::Int16 listIndex() const override { return rt::Int16::checked(index); }
    void setListIndex(rt::Int16 i) override {
        index = i.value();
        if (click) {
            click();
        }
    }
};

struct ScrollBar : rt::ScrollBar {
    int position = 0;
    explicit ScrollBar(int start) : position(start) {}
    rt::Int16 value() const override { return rt::Int16::checked(position); }
};

struct Message {
    QString prompt;
    int style;
    QString title;
};

struct MessageBox : rt::MessageBox {
    std::vector<Message> shown;
    void show(const QString& prompt, int style, const QString& title) override {
        shown.push_back({prompt, style, title});
    }
};

}  // namespace fake
