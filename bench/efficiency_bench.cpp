// The costs of one slider event, piece by piece, next to the floor: what
// QPainter alone needs to draw the same chart. Each case runs at the start
// state (148 curve points) and at the worst admitted collector (1,251).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "chart/chart_painter.h"
#include "chart/chart_procedures.h"
#include "model/evaluation.h"
#include "ui/fonts.h"
#include "ui/graf_box.h"
#include "ui/message_box.h"
#include "ui/program.h"

namespace {

using rt::Currency;
using rt::Integer;

struct Collector {
    Currency eta0, a1, a2;
    int irradiance[2];  // alternated where a case needs a change
    const char16_t* typed[3];
};

// 0: the start state; 1: the longest search and curve the entry checks admit.
const Collector kCollectors[] = {
    {Currency::literal("0.798"),
     Currency::literal("4.17"),
     Currency::literal("0.011"),
     {800, 801},
     {u"0,798", u"4,17", u"0,011"}},
    {Currency::literal("0.9999"),
     Currency::literal("0.8001"),
     Currency::literal("0.0001"),
     {1, 2},
     {u"0,9999", u"0,8001", u"0,0001"}},
};

const rt::NumberFormat& hungarian() {
    static const rt::NumberFormat format{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    return format;
}

// graf's inner area: 8010 x 4905 twips.
const QSize kGrafInner(534, 327);

struct NullLabel : rt::Label {
    void setCaption(const QString&) override {}
};

// A collector state as the evaluation leaves it.
model::CollectorState evaluated(const Collector& c) {
    model::CollectorState s;
    s.eta0 = c.eta0;
    s.a1 = c.a1;
    s.a2 = c.a2;
    s.collectorArea = Currency::literal("1");
    s.collectorTemp = Integer{60};
    s.ambientTemp = Integer{20};
    s.irradiance = Integer::checked(c.irradiance[0]);
    s.stagnationX =
        model::zeroEfficiencyX(model::EfficiencyCurve(s.eta0, s.a1, s.a2, s.irradiance));
    return s;
}

// One recorded chart run of a collector.
struct Recorded {
    explicit Recorded(const Collector& c) : state(evaluated(c)), surface(hungarian()) {
        chart::ChartProcedures(state, {surface, label, label, label, label}, hungarian())
            .Command2_Click();
    }
    model::CollectorState state;
    NullLabel label;
    chart::RecordingSurface surface;
};

QImage grafImage(int scale) {
    QImage image(kGrafInner * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    return image;
}

void Evaluation(benchmark::State& state) {
    const Collector& c = kCollectors[state.range(0)];
    int turn = 0;
    for (auto _ : state) {
        const Integer g = Integer::checked(c.irradiance[turn ^= 1]);
        benchmark::DoNotOptimize(model::characteristicEfficiency(c.eta0, c.a1, c.a2));
        benchmark::DoNotOptimize(
            model::zeroEfficiencyX(model::EfficiencyCurve(c.eta0, c.a1, c.a2, g)));
    }
}

void ChartRun(benchmark::State& state) {
    Recorded recorded(kCollectors[state.range(0)]);
    chart::ChartProcedures chart(
        recorded.state,
        {recorded.surface, recorded.label, recorded.label, recorded.label, recorded.label},
        hungarian());
    for (auto _ : state) {
        chart.Command2_Click();
    }
    state.counters["lines"] = static_cast<double>(recorded.surface.lines().size());
}

void PaintRecorded(benchmark::State& state) {
    const Recorded recorded(kCollectors[state.range(0)]);
    QImage image = grafImage(static_cast<int>(state.range(1)));
    const QFont font = ui::fontFor(ui::FontKey::Default);
    chart::ChartPainter chartPainter;  // kept between paints, as graf keeps it
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(0, 0), kGrafInner), QColor(239, 239, 239));
        chartPainter.paint(painter, recorded.surface, font);
    }
}

// The floor: the same segments, ticks and numbers drawn straight from
// prepared pixel coordinates and texts, nothing computed.
void Floor(benchmark::State& state) {
    const Recorded recorded(kCollectors[state.range(0)]);
    struct Segment {
        QLineF line;
        QPen pen;
    };
    std::vector<Segment> segments;
    for (const chart::RecordedLine& l : recorded.surface.lines()) {
        const QColor color(static_cast<int>(l.color & 0xff),
                           static_cast<int>((l.color >> 8) & 0xff),
                           static_cast<int>((l.color >> 16) & 0xff));
        segments.push_back({QLineF(l.x1 / 15.0, l.y1 / 15.0, l.x2 / 15.0, l.y2 / 15.0),
                            QPen(color, 2, Qt::SolidLine, Qt::SquareCap)});
    }
    const QFont font = ui::fontFor(ui::FontKey::Default);
    const int ascent = QFontMetrics(font).ascent();
    std::vector<std::pair<QPointF, QString>> texts;
    for (const chart::RecordedPrint& p : recorded.surface.prints()) {
        texts.emplace_back(QPointF(p.x / 15.0, p.y / 15.0 + ascent), p.text);
    }
    QImage image = grafImage(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(0, 0), kGrafInner), QColor(239, 239, 239));
        for (const Segment& s : segments) {
            painter.setPen(s.pen);
            painter.drawLine(s.line);
        }
        painter.setPen(Qt::black);
        painter.setFont(font);
        for (const auto& [at, text] : texts) {
            painter.drawText(at, text);
        }
    }
}

// Counts the repaints of graf, to prove each event was painted.
class PaintCounter : public QObject {
public:
    long paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// The real window, created on first use and closed before the application.
ui::DesktopMessageBox theMessages;
std::unique_ptr<ui::Efficiency> theWindow;

ui::Efficiency& window() {
    if (!theWindow) {
        theWindow = ui::createWindow(QLocale(QLocale::Hungarian, QLocale::Hungary), theMessages,
                                     [](const QString& error) { qFatal("%s", qPrintable(error)); });
        theWindow->show();
        QApplication::setActiveWindow(theWindow.get());
        QApplication::processEvents();
    }
    return *theWindow;
}

// Puts the window into a collector's state the way a user would.
void enter(ui::Efficiency& w, const Collector& c) {
    const ui::Controls& controls = w.controls();
    if (w.state().eta0 == c.eta0 && w.state().a1 == c.a1 && w.state().a2 == c.a2) {
        return;
    }
    controls.Combo1->setListIndex(Integer{5});
    ui::TextBox* boxes[] = {controls.Text1, controls.Text2, controls.Text3};
    for (int i = 0; i < 3; ++i) {
        boxes[i]->setFocus(Qt::TabFocusReason);
        boxes[i]->setText(QString::fromUtf16(c.typed[i]));
        controls.graf->setFocus(Qt::TabFocusReason);  // leaving the box checks it
    }
    QApplication::processEvents();
}

void ScrollEndToEnd(benchmark::State& state) {
    const Collector& c = kCollectors[state.range(0)];
    ui::Efficiency& w = window();
    enter(w, c);
    ui::ScrollBar* slider = w.controls().HScroll3;
    slider->setValue(c.irradiance[0]);
    QApplication::processEvents();
    PaintCounter counter;
    w.controls().graf->installEventFilter(&counter);
    slider->setSliderDown(true);
    int turn = 0;
    for (auto _ : state) {
        slider->setSliderPosition(c.irradiance[turn ^= 1]);  // one Scroll event
        QApplication::processEvents();  // graf and the changed labels repainted
    }
    slider->setSliderDown(false);
    w.controls().graf->removeEventFilter(&counter);
    if (counter.paints != state.iterations()) {
        state.SkipWithError(("painted " + std::to_string(counter.paints) + " for " +
                             std::to_string(state.iterations()))
                                .c_str());
    }
    state.counters["dpr"] = w.devicePixelRatioF();
}

BENCHMARK(Evaluation)->ArgName("worst")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChartRun)->ArgName("worst")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintRecorded)
    ->ArgNames({"worst", "scale"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Floor)
    ->ArgNames({"worst", "scale"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ScrollEndToEnd)->ArgName("worst")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ui::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
