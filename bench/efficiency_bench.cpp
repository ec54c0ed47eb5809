// The costs of one slider event, piece by piece, next to the floor: what
// QPainter alone needs to draw the same chart. Each case runs at the start
// state (148 curve points), at the worst admitted collector (1,251) and at
// the worst collector with four kept curves of nearly its length.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "chart/chart_painter.h"
#include "chart/chart_procedures.h"
#include "model/evaluation.h"
#include "present/collector_names.h"
#include "ui/chart_box.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"
#include "ui/window_presenter.h"

namespace {

using rt::Fixed4;
using rt::Int16;

struct Collector {
    Fixed4 eta0, a1, a2;
    int irradiance[2];  // alternated where a case needs a change
    const char16_t* typed[3];
    bool fourKept = false;  // the kept collectors below are on the chart
};

// The longest kept curves beside the worst collector: the smallest losses
// the entry checks admit, and optical efficiencies just below its own.
const Collector kKept[] = {
    {Fixed4::literal("0.9998"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9998", u"0,8001", u"0,0001"}},
    {Fixed4::literal("0.9997"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9997", u"0,8001", u"0,0001"}},
    {Fixed4::literal("0.9996"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9996", u"0,8001", u"0,0001"}},
    {Fixed4::literal("0.9995"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9995", u"0,8001", u"0,0001"}},
};

// 0: the start state; 1: the longest search and curve the entry checks admit;
// 2: the same with four kept curves.
const Collector kCollectors[] = {
    {Fixed4::literal("0.798"),
     Fixed4::literal("4.17"),
     Fixed4::literal("0.011"),
     {800, 801},
     {u"0,798", u"4,17", u"0,011"}},
    {Fixed4::literal("0.9999"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9999", u"0,8001", u"0,0001"}},
    {Fixed4::literal("0.9999"),
     Fixed4::literal("0.8001"),
     Fixed4::literal("0.0001"),
     {1, 2},
     {u"0,9999", u"0,8001", u"0,0001"},
     true},
};

// The names the window gives them, for legend lines of the same widths.
QString customName(const Collector& c) {
    return present::customCollectorName(c.typed[0], c.typed[1], c.typed[2]);
}

void keepFour(model::Comparison& comparison) {
    for (const Collector& kept : kKept) {
        comparison.keep(customName(kept), kept.eta0, kept.a1, kept.a2);
    }
}

const rt::NumberFormat& hungarian() {
    static const rt::NumberFormat format{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    return format;
}

// The chart box's inner area: 8010 x 4905 twips.
const QSize kGrafInner(534, 327);

// The inputs as the evaluation leaves them.
model::Inputs inputsOf(const Collector& c) {
    model::Inputs inputs;
    inputs.eta0 = c.eta0;
    inputs.a1 = c.a1;
    inputs.a2 = c.a2;
    inputs.collectorArea = Fixed4::literal("1");
    inputs.collectorTemp = Int16{60};
    inputs.ambientTemp = Int16{20};
    inputs.irradiance = Int16::checked(c.irradiance[0]);
    if (c.fourKept) {
        keepFour(inputs.comparison);
    }
    return inputs;
}

// One chart run of a collector, from the inputs to the display list, as a
// temperature slider's event runs it and measured as the chart box measures.
struct Recorded {
    explicit Recorded(const Collector& c)
        : inputs(inputsOf(c)),
          presenter(hungarian(), [font = ui::fontFor(ui::FontKey::Default)](const QString& text) {
              return chart::textWidthInTwips(font, text);
          }) {
        list = *presenter.chartRun(inputs).chart;
    }
    model::Inputs inputs;
    ui::WindowPresenter presenter;
    chart::DisplayList list;
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
        const Int16 g = Int16::checked(c.irradiance[turn ^= 1]);
        benchmark::DoNotOptimize(model::characteristicEfficiency(c.eta0, c.a1, c.a2));
        benchmark::DoNotOptimize(
            model::zeroEfficiencyX(model::EfficiencyCurve(c.eta0, c.a1, c.a2, g)));
    }
}

void ChartRun(benchmark::State& state) {
    Recorded recorded(kCollectors[state.range(0)]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(recorded.presenter.chartRun(recorded.inputs));
    }
    state.counters["lines"] = static_cast<double>(recorded.list.lines.size());
}

void PaintRecorded(benchmark::State& state) {
    const Recorded recorded(kCollectors[state.range(0)]);
    QImage image = grafImage(static_cast<int>(state.range(1)));
    const QFont font = ui::fontFor(ui::FontKey::Default);
    chart::ChartPainter chartPainter;  // kept between paints, as the chart box keeps it
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(0, 0), kGrafInner), QColor(239, 239, 239));
        chartPainter.paint(painter, recorded.list, font);
    }
}

// One of the five captions a Scroll event changes (the irradiance and the
// four results), as the window shows it: its text in its font on its back
// colour, laid out ahead.
struct Caption {
    QRect area;
    QColor back;
    QFont font;
    QStaticText text;
};

// Where the window shows what a Scroll event draws: its size, the chart's
// inner area and the five captions, in the window's coordinates.
struct WindowPlaces {
    QSize window;
    QPoint chartInner;
    std::vector<Caption> captions;
};

// The floor: the same segments (in their widths), ticks, numbers and legend,
// and the five captions, drawn straight from prepared pixel coordinates and
// texts, nothing computed, into an image of the window's size and format at
// the places the window shows them, as the event draws into its backing store.
class FloorChart {
public:
    FloorChart(const Collector& collector, int scale, WindowPlaces places)
        : font_(ui::fontFor(ui::FontKey::Default)),
          image_(places.window * scale, QImage::Format_RGB32),
          chartInner_(places.chartInner),
          captions_(std::move(places.captions)) {
        image_.setDevicePixelRatio(scale);
        constexpr double perPixel = chart::kTwipsPerPixel;
        const Recorded recorded(collector);
        for (const chart::RecordedLine& l : recorded.list.lines) {
            const QColor color(rt::redOf(l.color), rt::greenOf(l.color), rt::blueOf(l.color));
            segments_.push_back(
                {QLineF(l.x1 / perPixel, l.y1 / perPixel, l.x2 / perPixel, l.y2 / perPixel),
                 QPen(color, l.width, Qt::SolidLine, Qt::SquareCap)});
        }
        const int ascent = QFontMetrics(font_).ascent();
        for (const chart::RecordedText& p : recorded.list.prints) {
            texts_.emplace_back(QPointF(p.x / perPixel, p.y / perPixel + ascent), p.text);
        }
    }

    void paint() {
        QPainter painter(&image_);
        for (const Caption& caption : captions_) {
            painter.fillRect(caption.area, caption.back);
            painter.setFont(caption.font);
            painter.drawStaticText(caption.area.topLeft(), caption.text);
        }
        painter.translate(chartInner_);
        painter.fillRect(QRect(QPoint(0, 0), kGrafInner), QColor(239, 239, 239));
        for (const Segment& s : segments_) {
            painter.setPen(s.pen);
            painter.drawLine(s.line);
        }
        painter.setPen(Qt::black);
        painter.setFont(font_);
        for (const auto& [at, text] : texts_) {
            painter.drawText(at, text);
        }
    }

private:
    struct Segment {
        QLineF line;
        QPen pen;
    };
    QFont font_;
    QImage image_;
    QPoint chartInner_;
    std::vector<Segment> segments_;
    std::vector<std::pair<QPointF, QString>> texts_;
    std::vector<Caption> captions_;
};

ui::MainWindow& window();
void enter(ui::MainWindow& w, const Collector& c);

// The window's places, with the five captions as it shows them for the collector.
WindowPlaces placesOf(const Collector& collector) {
    ui::MainWindow& w = window();
    enter(w, collector);
    const ui::Controls& c = w.controls();
    c.irradianceSlider->setValue(collector.irradiance[0]);
    QApplication::processEvents();
    std::vector<Caption> captions;
    for (const ui::Label* label : {c.irradianceLabel, c.efficiencyLabel, c.outputLabel,
                                   c.specificOutputLabel, c.operatingXLabel}) {
        QStaticText text(label->text());
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), label->font());
        captions.push_back({QRect(label->mapTo(&w, QPoint(0, 0)), label->size()),
                            label->palette().color(QPalette::Window), label->font(), text});
    }
    return {w.size(), c.chart->mapTo(&w, c.chart->innerArea().topLeft()), std::move(captions)};
}

void Floor(benchmark::State& state) {
    const Collector& collector = kCollectors[state.range(0)];
    FloorChart floor(collector, static_cast<int>(state.range(1)), placesOf(collector));
    for (auto _ : state) {
        floor.paint();
    }
}

// Counts the repaints of the chart box, to prove each event was painted.
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
std::unique_ptr<ui::MainWindow> theWindow;

ui::MainWindow& window() {
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
void enter(ui::MainWindow& w, const Collector& c) {
    const ui::Controls& controls = w.controls();
    if (w.state().eta0 == c.eta0 && w.state().a1 == c.a1 && w.state().a2 == c.a2) {
        return;
    }
    controls.collectorType->setListIndex(Int16{5});
    ui::TextBox* boxes[] = {controls.eta0Box, controls.a1Box, controls.a2Box};
    for (int i = 0; i < 3; ++i) {
        boxes[i]->setFocus(Qt::TabFocusReason);
        boxes[i]->setText(QString::fromUtf16(c.typed[i]));
        controls.chart->setFocus(Qt::TabFocusReason);  // leaving the box checks it
    }
    QApplication::processEvents();
}

// One Scroll event through the real window, until the chart box and the changed
// labels are painted into the window's backing store.
class ScrollEvents {
public:
    explicit ScrollEvents(const Collector& collector)
        : collector_(collector), window_(window()), slider_(window_.controls().irradianceSlider) {
        if (collector_.fourKept) {
            for (const Collector& kept : kKept) {
                enter(window_, kept);
                window_.keepCurrentCollector();
            }
        }
        enter(window_, collector_);
        slider_->setValue(collector_.irradiance[0]);
        QApplication::processEvents();
        window_.controls().chart->installEventFilter(&counter_);
        slider_->setSliderDown(true);
    }
    ~ScrollEvents() {
        slider_->setSliderDown(false);
        window_.controls().chart->removeEventFilter(&counter_);
        window_.forgetKeptCollectors();
    }

    // The kept curves, when the case has them, must be on the chart.
    void checkKept(benchmark::State& state) const {
        const std::size_t expected = collector_.fourKept ? std::size(kKept) : 0;
        if (window_.keptCollectors().size() != expected) {
            state.SkipWithError("the kept curves are not on the chart");
        }
    }

    void next() {
        slider_->setSliderPosition(collector_.irradiance[turn_ ^= 1]);  // one Scroll event
        QApplication::processEvents();  // the chart box and the changed labels repainted
    }

    [[nodiscard]] bool allPainted(long events) const { return counter_.paints == events; }

    // Every event must have been painted, or the figure means nothing.
    void check(benchmark::State& state, long events) const {
        if (!allPainted(events)) {
            state.SkipWithError(("painted " + std::to_string(counter_.paints) + " for " +
                                 std::to_string(events) + " events")
                                    .c_str());
        }
    }

    [[nodiscard]] qreal ratio() const { return window_.devicePixelRatioF(); }

private:
    const Collector& collector_;
    ui::MainWindow& window_;
    ui::ScrollBar* slider_;
    PaintCounter counter_;
    int turn_ = 0;
};

void ScrollEndToEnd(benchmark::State& state) {
    ScrollEvents events(kCollectors[state.range(0)]);
    for (auto _ : state) {
        events.next();
    }
    events.check(state, static_cast<long>(state.iterations()));
    events.checkKept(state);
    state.counters["dpr"] = events.ratio();
}

// The figure docs/performance.md leads with: a Scroll event's time over the floor's at
// the window's pixel ratio. The two alternate in short rounds, so that
// whatever else the machine does touches both alike, and the median of the
// rounds' ratios is taken.
double scrollOverFloor(const Collector& collector, int rounds) {
    constexpr int kPerRound = 16;
    FloorChart floor(collector, qRound(window().devicePixelRatioF()), placesOf(collector));
    ScrollEvents events(collector);
    std::vector<double> ratios;
    using Clock = std::chrono::steady_clock;
    for (int round = 0; round < rounds; ++round) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kPerRound; ++i) {
            floor.paint();
        }
        const Clock::time_point floorDone = Clock::now();
        for (int i = 0; i < kPerRound; ++i) {
            events.next();
        }
        const Clock::time_point scrollDone = Clock::now();
        ratios.push_back(std::chrono::duration<double>(scrollDone - floorDone).count() /
                         std::chrono::duration<double>(floorDone - start).count());
    }
    if (!events.allPainted(static_cast<long>(rounds) * kPerRound)) {
        qFatal("a Scroll event was not painted");
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

BENCHMARK(Evaluation)->ArgName("worst")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChartRun)->ArgName("worst")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintRecorded)
    ->ArgNames({"worst", "scale"})
    ->ArgsProduct({{0, 1, 2}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Floor)
    ->ArgNames({"worst", "scale"})
    ->ArgsProduct({{0, 1, 2}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ScrollEndToEnd)->ArgName("worst")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ui::setUpApplication();
    if (argc == 3 && std::strcmp(argv[1], "--scroll-over-floor") == 0) {
        const int rounds = std::atoi(argv[2]);
        std::printf("[");
        for (std::size_t i = 0; i < std::size(kCollectors); ++i) {
            std::printf("%s%.3f", i == 0 ? "" : ", ", scrollOverFloor(kCollectors[i], rounds));
        }
        std::printf("]\n");
        theWindow.reset();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
