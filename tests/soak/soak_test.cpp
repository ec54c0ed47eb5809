// Random user actions through the real window, with the window's results
// recomputed independently after each one. Reproducible from its seed:
//   EFFICIENCY_SOAK_SEED=N EFFICIENCY_SOAK_ACTIONS=M build/default/tests/soak_tests
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "chart/chart_procedures.h"
#include "chart/recording_surface.h"
#include "model/entry_check.h"
#include "model/evaluation.h"
#include "model/presets.h"
#include "present/entry_messages.h"
#include "test_printers.h"
#include "tests/support/fake_controls.h"
#include "tools/window_driver.h"
#include "ui/chart_box.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"
#include "ui/window_presenter.h"

namespace {

using rt::Fixed4;

unsigned long fromEnvironment(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : fallback;
}

class Soak : public testing::Test {
protected:
    void SetUp() override {
        window_ = ui::createWindow(QLocale(QLocale::Hungarian, QLocale::Hungary), messages_,
                                   [this](const QString& m) { errors_.push_back(m); });
        ASSERT_NE(window_, nullptr);
        messages_.setParent(window_.get());
        window_->show();
        user_ = std::make_unique<driver::WindowDriver>(*window_);
        user_->activate();
        watchEntries();
        for (std::size_t k = 0; k < ui::kSliders.size(); ++k) {
            QObject::connect(c().*ui::kSliders[k].slider, &QScrollBar::valueChanged,
                             [this, k] { moved_[k] = true; });
        }
    }

    [[nodiscard]] const ui::Controls& c() const { return window_->controls(); }
    [[nodiscard]] model::CollectorState state() const { return window_->state(); }
    [[nodiscard]] const rt::NumberFormat& format() const { return window_->format(); }

    // After a message box nothing is active offscreen; the user's next
    // action would activate the window again.
    void activate() { user_->activate(); }
    void click(QWidget* widget, QPoint point) { user_->click(widget, point); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        user_->key(k, modifiers);
    }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    QPoint anywhereIn(QWidget* w) { return {pick(0, w->width() - 1), pick(0, w->height() - 1)}; }

    // Every LostFocus of a box is checked against checkEntry on the text the
    // box held when it lost the focus: one warning and the old value kept for
    // a refused entry, no warning and the text stored for an accepted one.
    void watchEntries() {
        for (const ui::EntryBoxRow& row : ui::kEntryBoxes) {
            ui::TextBox* box = c().*row.box;
            box->installEventFilter(&focusOuts_);
            QObject::connect(box, &ui::TextBox::lostFocus, box, [this, box, entry = row.entry] {
                const model::EntryRule& rule = model::ruleFor(entry);
                const FocusOuts::Held& held = focusOuts_.held.at(box);
                const QString text = held.text;
                const Fixed4 before = held.stored;
                const std::size_t warningsBefore = held.warnings;
                const auto verdict = model::checkEntry(text, rule, format());
                const bool refused = verdict != model::EntryVerdict::Accepted;
                entries_ += 1;
                refused_ += refused ? 1 : 0;
                ASSERT_EQ(user_->answered().size() - warningsBefore, refused ? 1u : 0u)
                    << box->objectName().toStdString() << " lost the focus holding "
                    << text.left(80).toStdString();
                if (refused) {
                    const driver::AnsweredBox& warning = user_->answered().back();
                    EXPECT_EQ(warning.title, present::kEntryTitle);
                    EXPECT_EQ(warning.icon, QMessageBox::Warning);
                    EXPECT_EQ(warning.text, present::refusal(verdict, entry));
                    EXPECT_EQ(state().*rule.field, before);
                    EXPECT_EQ(box->QLineEdit::text(), format().text(before));
                } else {
                    EXPECT_EQ(state().*rule.field, format().toFixed4(text));
                    EXPECT_TRUE(box->QLineEdit::text() == text) << "the box was rewritten";
                }
            });
        }
    }

    QString randomText();
    void typeEntry();
    void pickRow();
    void moveSlider();
    void act();
    void checkInvariants();

    // What a box held as it lost the focus, before the window's LostFocus
    // procedure ran: an event filter sees the event before the box does.
    struct FocusOuts : QObject {
        explicit FocusOuts(Soak& soak) : soak_(soak) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::FocusOut) {
                auto* box = static_cast<ui::TextBox*>(watched);
                for (const ui::EntryBoxRow& row : ui::kEntryBoxes) {
                    if (soak_.c().*row.box == box) {
                        held[box] = {box->QLineEdit::text(),
                                     soak_.state().*model::ruleFor(row.entry).field,
                                     soak_.user_->answered().size()};
                    }
                }
            }
            return false;
        }
        struct Held {
            QString text;
            Fixed4 stored;
            std::size_t warnings = 0;
        };
        Soak& soak_;
        std::map<const ui::TextBox*, Held> held;
    };

    ui::DesktopMessageBox messages_;
    std::unique_ptr<ui::MainWindow> window_;
    std::unique_ptr<driver::WindowDriver> user_;
    std::vector<QString> errors_;
    std::array<bool, 3> moved_{};  // a slider has written its label since start-up
    std::mt19937 rng_;
    std::string action_;
    long entries_ = 0;
    long refused_ = 0;
    FocusOuts focusOuts_{*this};
};

QString Soak::randomText() {
    static const QString pool = QStringLiteral("0123456789,,..+-eE  \txa%\u00a0\u0661\uff11\u00e9");
    const auto digits = [this](int n) {
        QString s;
        for (int i = 0; i < n; ++i) {
            s += QChar(u'0' + pick(0, 9));
        }
        return s;
    };
    switch (pick(0, 9)) {
        case 0: {  // garbage
            QString s;
            for (int n = pick(0, 12); n > 0; --n) {
                s += pool[pick(0, static_cast<int>(pool.size()) - 1)];
            }
            return s;
        }
        case 1:
        case 2:
        case 3: {  // a number, well or badly formed
            QString s = QString(pick(0, 3) == 0 ? pick(1, 2) : 0, u' ');
            s += QStringList{"", "", "+", "-"}[pick(0, 3)] + digits(pick(0, 3));
            s += QStringList{",", ",", ",", "."}[pick(0, 3)] + digits(pick(0, 8));
            if (pick(0, 4) == 0) {
                s += QStringList{"E", "e", "E-", "E+"}[pick(0, 3)] + digits(pick(0, 3));
            }
            return s;
        }
        case 4:
        case 5: {  // next to a bound of some box
            const model::EntryRule& rule = model::kEntryRules[static_cast<std::size_t>(pick(0, 3))];
            const double deltas[] = {0, 1e-9, 1e-5, 4e-5, 5e-5, 6e-5, 1e-4, 0.01};
            const double value = (pick(0, 1) == 0 ? rule.lower : rule.upper) +
                                 (pick(0, 1) == 0 ? -1 : 1) * deltas[pick(0, 7)];
            QString s = QString::number(value, 'f', 10);
            return pick(0, 9) == 0 ? s : s.replace(u'.', u',');
        }
        case 6: {  // 100,000 characters, pasted
            const QString heads[] = {"", "0,", "-", "1E", "x"};
            return heads[pick(0, 4)] + digits(100000);
        }
        case 7: {  // digits of other scripts
            const char16_t zeros[] = {u'\u0660', u'\u06f0', u'\u0966', u'\uff10'};
            QString s;
            for (int n = pick(1, 4); n > 0; --n) {
                s += QChar(zeros[pick(0, 3)] + pick(0, 9));
            }
            return pick(0, 1) == 0 ? s : s.insert(1, u',');
        }
        default: {
            const QString special[] = {"",      "   ",    " 0,5 ",   "\t2",    "nan",     "inf",
                                       "1E400", "1E-400", "0,99999", "1,5E-3", "99,99999"};
            return special[pick(0, 10)];
        }
    }
}

// Into an enabled box by a click, typed key by key (or pasted when long),
// then left by Tab, Shift+Tab or a click elsewhere.
void Soak::typeEntry() {
    std::vector<ui::TextBox*> enabled;
    for (const ui::EntryBoxRow& row : ui::kEntryBoxes) {
        if (ui::TextBox* box = c().*row.box; box->isEnabled()) {
            enabled.push_back(box);
        }
    }
    ui::TextBox* box =
        enabled[static_cast<std::size_t>(pick(0, static_cast<int>(enabled.size()) - 1))];
    const QString text = randomText();
    action_ = "type into " + box->objectName().toStdString() + ": " + text.left(40).toStdString();
    user_->typeInto(box, text);
    ASSERT_TRUE(box->hasFocus());
    EXPECT_TRUE(box->QLineEdit::text() == text) << "the box holds " << box->QLineEdit::text().size()
                                                << " of " << text.size() << " characters";
    switch (pick(0, 5)) {
        case 0:
            key(Qt::Key_Tab);
            break;
        case 1:
            key(Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case 2:
            click(c().collectorTempSlider, anywhereIn(c().collectorTempSlider));
            break;
        case 3:
            click(window_->findChild<QWidget*>(QStringLiteral("Picture15")), {5, 5});
            break;
        default:
            click(c().chart, anywhereIn(c().chart));
            break;
    }
}

// A row from the list, as the runner picks it: the arrow opens the list,
// Enter takes the row. The row's preset is then in force.
void Soak::pickRow() {
    // The custom row half the time, so that all four boxes see many entries.
    const int last = static_cast<int>(model::kCollectorTypes.size()) - 1;
    const int row = pick(0, 1) == 0 ? last : pick(0, last);
    action_ = "pick row " + std::to_string(row);
    ui::ComboBox* combo = c().collectorType;
    user_->pickRow(row);
    const model::CollectorType& type = model::kCollectorTypes[static_cast<std::size_t>(row)];
    EXPECT_EQ(combo->listIndex().value(), row);
    EXPECT_EQ(state().eta0, type.eta0);
    EXPECT_EQ(state().a1, type.a1);
    EXPECT_EQ(state().a2, type.a2);
    EXPECT_EQ(c().eta0Box->QLineEdit::text(), format().text(type.eta0));
}

// Keys, a drag of the thumb, a click on an arrow or the track, or a value set
// as by the runner.
void Soak::moveSlider() {
    ui::ScrollBar* bar = c().*ui::kSliders[static_cast<std::size_t>(pick(0, 2))].slider;
    const int how = pick(0, 3);
    action_ = "slider " + bar->objectName().toStdString() + " way " + std::to_string(how);
    const auto inWindow = [&](QPoint p) { return bar->mapTo(window_.get(), p); };
    switch (how) {
        case 0: {
            click(bar, bar->thumbRect().center());
            activate();
            const Qt::Key keys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                                    Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};
            for (int n = pick(1, 5); n > 0; --n) {
                key(keys[pick(0, 5)]);
            }
            break;
        }
        case 1: {
            QPoint point = bar->thumbRect().center();
            QTest::mousePress(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              inWindow(point));
            activate();
            const int step = pick(0, 1) == 0 ? -3 : 3;
            for (int n = pick(1, 15); n > 0; --n) {
                point.rx() += step;
                QTest::mouseMove(window_->windowHandle(), inWindow(point));
                QApplication::processEvents();
            }
            QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                inWindow(point));
            QApplication::processEvents();
            break;
        }
        case 2:
            click(bar, anywhereIn(bar));
            break;
        default:
            bar->setFocus(Qt::MouseFocusReason);
            activate();
            bar->setValue(pick(bar->minimum(), bar->maximum()));
            break;
    }
}

void Soak::act() {
    activate();
    const int what = pick(0, 19);
    if (what < 9) {
        typeEntry();
    } else if (what < 12) {
        pickRow();
    } else if (what < 17) {
        moveSlider();
    } else if (what < 18) {
        action_ = "tab";
        key(pick(0, 1) == 0 ? Qt::Key_Tab : Qt::Key_Backtab);
    } else {
        action_ = "repaint graf";
        c().chart->repaint();
    }
    QApplication::processEvents();
}

void Soak::checkInvariants() {
    ASSERT_TRUE(errors_.empty()) << errors_.front().toStdString();
    const model::CollectorState s = state();
    for (const model::EntryRule& rule : model::kEntryRules) {
        EXPECT_LE(Fixed4::fromDouble(rule.lower), s.*rule.field);
        EXPECT_LE(s.*rule.field, Fixed4::fromDouble(rule.upper));
    }
    const bool custom = c().collectorType->listIndex().value() == 5;
    for (const ui::TextBox* box : {c().eta0Box, c().a1Box, c().a2Box}) {
        EXPECT_EQ(box->isEnabled(), custom);
    }

    // The sliders, their variables and labels.
    for (std::size_t k = 0; k < ui::kSliders.size(); ++k) {
        const ui::SliderRow& slider = ui::kSliders[k];
        const int value = (c().*slider.slider)->QScrollBar::value();
        EXPECT_EQ((s.*slider.variable).value(), value);
        const QString unit = k == 2      ? QStringLiteral(" W/m2")
                             : moved_[k] ? QStringLiteral("°C")
                                         : QStringLiteral(" °C");
        EXPECT_EQ((c().*slider.valueLabel)->text(), QString::number(value) + unit);
    }

    // The evaluation, recomputed.
    EXPECT_EQ(
        c().characteristicEfficiencyLabel->text(),
        format().text(model::thousandthsDown(model::characteristicEfficiency(s.eta0, s.a1, s.a2))));
    EXPECT_EQ(s.zeroEfficiencyX,
              model::zeroEfficiencyX(model::EfficiencyCurve(s.eta0, s.a1, s.a2, s.irradiance)));

    // The chart, run again from the inputs by a presenter of its own.
    ui::WindowPresenter presenter(
        format(), [chart = c().chart](const QString& text) { return chart->textWidth(text); });
    const ui::WindowView view = presenter.chartRun(s);
    ASSERT_TRUE(view.chart && !view.error);
    EXPECT_EQ(presenter.operatingX(), s.operatingX);
    EXPECT_EQ(c().operatingXLabel->text(), view.run.point.operatingX);
    EXPECT_EQ(c().efficiencyLabel->text(), view.run.point.efficiency);
    EXPECT_EQ(c().outputLabel->text(), view.run.point.output);
    EXPECT_EQ(c().specificOutputLabel->text(), view.run.point.specificOutput);
    const chart::DisplayList& shown = c().chart->list();
    const chart::DisplayList& graf = *view.chart;
    EXPECT_TRUE(shown.lines == graf.lines) << "graf's lines differ";
    ASSERT_EQ(shown.prints.size(), graf.prints.size());
    for (std::size_t i = 0; i < graf.prints.size(); ++i) {
        EXPECT_EQ(shown.prints[i].text, graf.prints[i].text);
        EXPECT_EQ(shown.prints[i].x, graf.prints[i].x);
        EXPECT_EQ(shown.prints[i].y, graf.prints[i].y);
    }

    // Every warning came from a refused entry, one each.
    EXPECT_EQ(static_cast<long>(user_->answered().size()), refused_);
}

TEST_F(Soak, RandomUserActionsKeepTheWindowConsistent) {
    const auto seed = static_cast<unsigned>(fromEnvironment("EFFICIENCY_SOAK_SEED", 20240611));
    const unsigned long actions = fromEnvironment("EFFICIENCY_SOAK_ACTIONS", 1500);
    rng_.seed(seed);
    QElapsedTimer clock;
    clock.start();
    checkInvariants();
    for (unsigned long n = 1; n <= actions && !HasFailure(); ++n) {
        SCOPED_TRACE("action " + std::to_string(n) + ", seed " + std::to_string(seed));
        act();
        SCOPED_TRACE(action_);
        checkInvariants();
    }
    std::printf("soak: seed %u, %lu actions, %ld entries (%ld refused), %.1f s\n", seed, actions,
                entries_, refused_, static_cast<double>(clock.elapsed()) / 1000.0);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Thousands of message boxes would each log what the offscreen platform lacks.
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& where, const QString& m) {
        if (!m.startsWith(QLatin1String("This plugin does not support"))) {
            standard(type, where, m);
        }
    });
    QApplication app(argc, argv);
    ui::setUpApplication();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
