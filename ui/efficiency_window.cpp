#include "efficiency_window.h"

#include <QApplication>
#include <QHash>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "accessibility.h"
#include "chart/chart_procedures.h"
#include "control_table.h"
#include "fonts.h"
#include "graf_box.h"

namespace ui {
namespace {

template <typename T>
T* named(const QHash<QString, QWidget*>& widgets, const char* name) {
    auto* widget = qobject_cast<T*>(widgets.value(QString::fromLatin1(name)));
    Q_ASSERT_X(widget != nullptr, "Efficiency", name);
    return widget;
}

// Whether the colour is filled in is each control's own affair: a picture
// box with a picture paints it under the picture once, in its cache.
void setBackColor(QWidget* widget, QRgb color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(color));
    widget->setPalette(palette);
}

void setForeColor(QWidget* widget, QRgb color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(color));
    widget->setPalette(palette);
}

// Eats one mouse press: the click that moved the focus out of a box whose
// entry was refused has been answered by the warning already.
class PressSwallower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            deleteLater();
            return true;
        }
        return false;
    }
};

}  // namespace

QIcon applicationIcon() {
    // The sizes title bars and task switchers use; QIcon decodes each file
    // as it is added, and the large one would cost a millisecond of start-up.
    QIcon icon;
    for (int pixels : {16, 32, 48}) {
        icon.addPixmap(QPixmap::fromImage(
            readyPicture(QStringLiteral(":/rendered/icon-%1.pixels").arg(pixels))));
    }
    return icon;
}

// Counts the warnings so that the window knows whether one interrupted a click.
struct Efficiency::CountingBox : rt::MessageBox {
    explicit CountingBox(rt::MessageBox& target) : target_(target) {}
    void show(const QString& prompt, int style, const QString& title) override {
        ++shown;
        target_.show(prompt, style, title);
    }
    int shown = 0;

private:
    rt::MessageBox& target_;
};

Efficiency::Efficiency(const QLocale& locale, rt::MessageBox& messageBox, ErrorReport reportError)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      format_(locale),
      messageBox_(std::make_unique<CountingBox>(messageBox)),
      reportError_(std::move(reportError)) {
    setObjectName(QStringLiteral("Efficiency"));
    setWindowTitle(kWindowCaption.toString());
    setWindowIcon(applicationIcon());
    setFixedSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    installAccessibleRoles();
    buildControls();
    nameControls(*this);

    collector_ = std::make_unique<model::CollectorProcedures>(
        state_,
        model::CollectorControls{.collectorType = *controls_.Combo1,
                                 .eta0Box = *controls_.Text1,
                                 .a1Box = *controls_.Text2,
                                 .a2Box = *controls_.Text3,
                                 .areaBox = *controls_.Text4,
                                 .collectorTempSlider = *controls_.HScroll1,
                                 .ambientTempSlider = *controls_.HScroll2,
                                 .irradianceSlider = *controls_.HScroll3,
                                 .characteristicEfficiencyLabel = *controls_.Label1,
                                 .messageBox = *messageBox_},
        format_, [this] { Command2_Click(); });
    chart_ = std::make_unique<chart::ChartProcedures>(
        state_,
        chart::ChartControls{.surface = controls_.graf->surface(),
                             .operatingXLabel = *controls_.Label12,
                             .efficiencyLabel = *controls_.Label2,
                             .outputLabel = *controls_.Label3,
                             .specificOutputLabel = *controls_.Label4},
        format_);
    wireEvents();
}

Efficiency::~Efficiency() = default;

void Efficiency::buildControls() {
    QHash<QString, QWidget*> widgets;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& control : controlTable()) {
        QWidget* container = control.container
                                 ? widgets.value(QString::fromLatin1(control.container))
                                 : static_cast<QWidget*>(this);
        const int offset =
            control.container ? static_cast<PictureBox*>(container)->borderWidth() : 0;
        QWidget* widget = nullptr;
        bool takesFocus = false;
        switch (control.kind) {
            case Kind::PictureBox: {
                PictureBox* box = qstrcmp(control.name, "graf") == 0
                                      ? new GrafBox(container, format_)
                                      : new PictureBox(container, control.picture, control.border);
                widget = box;
                takesFocus = true;
                break;
            }
            case Kind::Label: {
                auto* label = new Label(container, control.autoSize);
                label->setText(control.designText.toString());
                label->setAlignment((control.centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                                    Qt::AlignTop);
                label->setAutoFillBackground(!control.transparent);
                widget = label;
                break;
            }
            case Kind::TextBox: {
                auto* box = new TextBox(container);
                box->setText(control.designText.toString());
                widget = box;
                takesFocus = true;
                break;
            }
            case Kind::ComboBox: {
                auto* combo = new ComboBox(container);
                combo->setEditText(control.designText.toString());
                widget = combo;
                takesFocus = true;
                break;
            }
            case Kind::ScrollBar:
                widget = new ScrollBar(container, control.range.min, control.range.max,
                                       control.range.value, control.range.smallChange,
                                       control.range.largeChange);
                takesFocus = true;
                break;
            case Kind::CommandButton: {
                auto* button = new QPushButton(control.designText.toString(), container);
                button->setFocusPolicy(Qt::NoFocus);
                widget = button;
                break;
            }
        }
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setFont(fontFor(control.font));
        widget->setGeometry(toPixels(control.place).translated(offset, offset));
        if (control.backColor != 0) {
            setBackColor(widget, control.backColor);
        }
        if (control.foreColor != 0) {
            setForeColor(widget, control.foreColor);
        }
        if (control.autoSize) {
            widget->adjustSize();
        }
        widget->setVisible(!control.hidden);
        widgets.insert(widget->objectName(), widget);
        if (takesFocus) {
            tabOrder.emplace_back(control.tabIndex, widget);
        }
    }

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }

    controls_.Combo1 = named<ComboBox>(widgets, "Combo1");
    controls_.Text1 = named<TextBox>(widgets, "Text1");
    controls_.Text2 = named<TextBox>(widgets, "Text2");
    controls_.Text3 = named<TextBox>(widgets, "Text3");
    controls_.Text4 = named<TextBox>(widgets, "Text4");
    controls_.HScroll1 = named<ScrollBar>(widgets, "HScroll1");
    controls_.HScroll2 = named<ScrollBar>(widgets, "HScroll2");
    controls_.HScroll3 = named<ScrollBar>(widgets, "HScroll3");
    controls_.Label1 = named<Label>(widgets, "Label1");
    controls_.Label2 = named<Label>(widgets, "Label2");
    controls_.Label3 = named<Label>(widgets, "Label3");
    controls_.Label4 = named<Label>(widgets, "Label4");
    controls_.Label9 = named<Label>(widgets, "Label9");
    controls_.Label10 = named<Label>(widgets, "Label10");
    controls_.Label12 = named<Label>(widgets, "Label12");
    controls_.Label13 = named<Label>(widgets, "Label13");
    controls_.graf = named<GrafBox>(widgets, "graf");
    controls_.Command1 = named<QPushButton>(widgets, "Command1");
    controls_.Command2 = named<QPushButton>(widgets, "Command2");
    controls_.graf->setFocus(Qt::OtherFocusReason);  // the first in the tab order
}

void Efficiency::wireEvents() {
    const Controls& c = controls_;
    c.Combo1->onClick = [this] { collector_->collectorTypeChosen(); };
    c.Combo1->onUserPick = [this] { run([this] { collector_->collectorTypeChosen(); }); };

    const std::pair<TextBox*, model::EntryBox> boxes[] = {
        {c.Text1, model::EntryBox::Eta0},
        {c.Text2, model::EntryBox::A1},
        {c.Text3, model::EntryBox::A2},
        {c.Text4, model::EntryBox::CollectorArea},
    };
    for (const auto& [box, entry] : boxes) {
        box->onLostFocus = [this, entry = entry](Qt::FocusReason reason) {
            textLostFocus(entry, reason);
        };
    }

    c.HScroll1->onChange = [this] { run([this] { HScroll1_Change(); }); };
    c.HScroll1->onScroll = [this] { run([this] { HScroll1_Scroll(); }); };
    c.HScroll2->onChange = [this] { run([this] { HScroll2_Change(); }); };
    c.HScroll2->onScroll = [this] { run([this] { HScroll2_Scroll(); }); };
    c.HScroll3->onChange = [this] { run([this] { HScroll3_Change(); }); };
    c.HScroll3->onScroll = [this] { run([this] { HScroll3_Scroll(); }); };

    c.graf->onPaint = [this] { run([this] { chart_->repaint(); }); };
    for (const AccessibleRow& row : accessibleTable()) {
        if (row.resultLabel != nullptr) {
            Label* label = findChild<Label*>(QLatin1String(row.resultLabel));
            QWidget* caption = findChild<QWidget*>(QLatin1String(row.control));
            label->onCaptionChanged = [caption, label] { describeResult(*caption, *label); };
        }
    }
    connect(c.Command1, &QPushButton::clicked, this, [this] { run([this] { Command1_Click(); }); });
    connect(c.Command2, &QPushButton::clicked, this, [this] { run([this] { Command2_Click(); }); });
}

bool Efficiency::load() {
    run([this] { Form_Load(); });
    return !ended_;
}

void Efficiency::Command1_Click() {
    collector_->evaluate();
}

void Efficiency::Command2_Click() {
    chart_->redraw();
    describeChart();
}

// Every change of the curve or the operating point ends in a chart run.
void Efficiency::describeChart() {
    const QString description = chartDescription(
        format_.text(state_.eta0), format_.text(state_.stagnationX), controls_.Label12->text(),
        controls_.Label2->text(), format_.decimalSeparator());
    if (controls_.graf->accessibleDescription() != description) {
        controls_.graf->setAccessibleDescription(description);
    }
}

void Efficiency::textLostFocus(model::EntryBox box, Qt::FocusReason reason) {
    if (inLostFocus_) {
        return;  // focus moves caused by the warning box itself
    }
    const QScopedValueRollback guard(inLostFocus_, true);
    const int warningsBefore = messageBox_->shown;
    run([this, box] { collector_->entryLeft(box); });
    if (reason == Qt::MouseFocusReason && messageBox_->shown != warningsBefore) {
        swallowNextMousePress();
    }
}

void Efficiency::swallowNextMousePress() {
    auto* swallower = new PressSwallower(qApp);
    qApp->installEventFilter(swallower);
    // The press is being delivered right now; never wait for a later one.
    QTimer::singleShot(0, swallower, &QObject::deleteLater);
}

void Efficiency::run(const std::function<void()>& procedure) {
    if (ended_) {
        return;
    }
    try {
        procedure();
    } catch (const std::exception& error) {  // rt::RuntimeError among them
        ended_ = true;
        reportError_(QString::fromUtf8(error.what()));
    }
}

void Efficiency::paintEvent(QPaintEvent* event) {
    // A few flat rectangles: drawn from the vector picture on each paint,
    // which is cheaper than keeping a window-sized pixmap.
    static QSvgRenderer background{QString::fromLatin1(kBackgroundPicture)};
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(rect(), QColor::fromRgb(kWindowBackColor));
    background.render(&painter, QRectF(QPointF(0, 0), background.defaultSize()));
}

void Efficiency::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}

}  // namespace ui
