// What a screen reader finds in the window, asked in-process through Qt's
// accessibility interfaces (the same ones AT-SPI reads on Linux).
#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <set>

#include "shown_window.h"
#include "test_printers.h"
#include "ui/accessibility.h"

namespace {

using Role = QAccessible::Role;

struct TabStop {
    const char* control;
    Role role;
    const char* name;
    bool labelledByBuddy = false;
    bool customRowOnly = false;  // the coefficient boxes are disabled otherwise
};

constexpr Role kText = QAccessible::StaticText;

// clang-format off
const TabStop kTabStops[] = {
    {"graf", QAccessible::Chart, "Hatásfokgörbe"},
    {"Picture2", QAccessible::Grouping, "A napkollektor-hatásfok képlete"},
    {"Picture3", QAccessible::Grouping, "Üzemi paraméterek"},
    {"HScroll3", QAccessible::ScrollBar, "Napsugárzás intenzitás (W/m²)", true},
    {"HScroll2", QAccessible::ScrollBar, "Környezeti hőmérséklet (°C)", true},
    {"HScroll1", QAccessible::ScrollBar, "Napkollektor hőmérséklet (°C)", true},
    {"Picture4", QAccessible::Graphic,
     "η = η0 − a1·x − a2·G·x², ahol: x := (T koll − T körny) / G; "
     "T koll: napkollektor hőmérséklet [°C]; T körny: környezeti hőmérséklet [°C]; "
     "G: napsugárzás intenzitás [W/m²]; η0: optikai hatásfok; "
     "a1: elsőfokú hőveszteségi együttható; a2: másodfokú hőveszteségi együttható"},
    {"Picture10", kText, "Napkollektor hőmérséklet"},
    {"Picture11", kText, "Környezeti hőmérséklet"},
    {"Picture12", kText, "Napsugárzás intenzitás"},
    {"Picture19", QAccessible::Graphic, "Helitra-Efficiency"},
    {"Picture18", QAccessible::Grouping, "A napkollektor jellemzői"},
    {"Picture15", kText, "A napkollektorok hasznos felülete [m²]:"},
    {"Picture14", kText, "A hatásfokgörbe paraméterei:"},
    {"Text4", QAccessible::EditableText, "A napkollektorok hasznos felülete (m²)", true},
    {"Picture9", kText, "Jellemző hatásfok:"},
    {"Picture8", kText, "a2:"},
    {"Picture7", kText, "a1:"},
    {"Picture6", kText, "η0:"},
    {"Text1", QAccessible::EditableText, "η0 – optikai hatásfok", true, true},
    {"Text2", QAccessible::EditableText, "a1 – elsőfokú hőveszteségi együttható", true, true},
    {"Text3", QAccessible::EditableText, "a2 – másodfokú hőveszteségi együttható", true, true},
    {"Combo1", QAccessible::ComboBox, "Napkollektor típusa", true},
    {"Picture1", kText, "A napkollektor jellemzői"},
    {"Picture5", kText, "A napkollektor-hatásfok képlete"},
    {"Picture20", kText, "Üzemi paraméterek"},
    {"Picture21", QAccessible::Graphic, "ηx=0,05 ="},
    {"Picture13", QAccessible::Graphic, "x ="},
    {"Picture16", QAccessible::Graphic, "Pillanatnyi kollektor hatásfok: η ="},
    {"Picture17", QAccessible::Graphic, "Kollektor teljesítmény : Q̇ ="},
    {"Picture22", QAccessible::Graphic, "Fajlagos teljesítmény : q̇ ="},
    {"Picture23", kText, "x=(T koll − T körny)/G"},
    {"Picture24", kText, "η"},
};
// clang-format on

const TabStop* tabStop(const QString& control) {
    for (const TabStop& stop : kTabStops) {
        if (control == QLatin1String(stop.control)) {
            return &stop;
        }
    }
    return nullptr;
}

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr) << object->objectName().toStdString();
    return iface;
}

// Caption picture, its result label, and the label's value in each state.
struct Result {
    const char* caption;
    const char* label;
    const char* start;
    const char* warmer;  // the collector at 61 °C
    const char* vacuum;  // then the vacuum tube collector
};

const Result kResults[] = {
    {"Picture21", "Label1", "0,567", "0,567", "0,559"},
    {"Picture13", "Label12", "0,05", "0,051", "0,051"},
    {"Picture16", "Label2", "56,7 %", "56,1 %", "55,6 %"},
    {"Picture22", "Label4", "454 W/m2", "449 W/m2", "445 W/m2"},
    {"Picture17", "Label3", "454 W", "449 W", "445 W"},
};

class Accessibility : public ShownWindow {
protected:
    // Tabs once round the window from graf and checks every stop on the way.
    void checkTabRound(bool customRow) {
        ASSERT_EQ(focusName(), "graf");
        std::set<QString> visited;
        do {
            const QString name = focusName();
            SCOPED_TRACE(name.toStdString());
            const TabStop* stop = tabStop(name);
            ASSERT_NE(stop, nullptr) << "a Tab stop nobody described";
            visited.insert(name);
            QAccessibleInterface* iface = accessible(QApplication::focusWidget());
            ASSERT_NE(iface, nullptr);
            EXPECT_EQ(iface->role(), stop->role);
            EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
            EXPECT_TRUE(iface->state().focused);
            const auto labels = iface->relations(QAccessible::Label);
            if (stop->labelledByBuddy) {
                ASSERT_EQ(labels.size(), 1);
                EXPECT_EQ(labels[0].first->text(QAccessible::Name), QString::fromUtf8(stop->name));
                EXPECT_EQ(labels[0].first->role(), QAccessible::StaticText);
            }
            // On Linux Qt names an editable combo box by its current row.
            if (stop->role == QAccessible::ComboBox) {
                EXPECT_EQ(iface->text(QAccessible::Name), c().collectorType->currentText());
            } else {
                EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(stop->name));
            }
            user_->key(Qt::Key_Tab);
        } while (focusName() != "graf" && visited.size() < 40);
        for (const TabStop& stop : kTabStops) {
            const bool expected = customRow || !stop.customRowOnly;
            EXPECT_EQ(visited.count(QString::fromLatin1(stop.control)), expected ? 1u : 0u)
                << stop.control;
        }
    }

    void checkResults(const char* Result::*value) {
        for (const Result& result : kResults) {
            SCOPED_TRACE(result.caption);
            const QString shown = QString::fromUtf8(result.*value);
            QAccessibleInterface* caption = accessible(control(result.caption));
            QAccessibleInterface* label = accessible(control(result.label));
            ASSERT_EQ(window_->findChild<QLabel*>(QLatin1String(result.label))->text(), shown);
            EXPECT_EQ(caption->text(QAccessible::Description), shown);
            EXPECT_EQ(label->text(QAccessible::Name),
                      caption->text(QAccessible::Name) + u' ' + shown);
        }
    }

    [[nodiscard]] QString chartSays() const {
        return accessible(c().chart)->text(QAccessible::Description);
    }
};

TEST_F(Accessibility, EveryTabStopWithAPresetRowHasANameAndARole) {
    checkTabRound(false);
}

TEST_F(Accessibility, EveryTabStopWithTheCustomRowHasANameAndARole) {
    user_->pickRow(5);
    c().chart->setFocus(Qt::OtherFocusReason);
    checkTabRound(true);
}

TEST_F(Accessibility, TheWindowIsAFrameAndLabelsStayOutOfTheTabOrder) {
    QAccessibleInterface* window = accessible(window_.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Helitra - Efficiency");
    for (const Result& result : kResults) {
        EXPECT_EQ(control(result.label)->focusPolicy(), Qt::NoFocus) << result.label;
    }
}

TEST_F(Accessibility, ResultsFollowTheSlidersAndTheCollectorType) {
    checkResults(&Result::start);
    EXPECT_EQ(chartSays(), QStringLiteral("η0 0,798; a hatásfok x = 0,148-nál lesz nulla; "
                                          "üzemi pont: x = 0,05, η = 56,7 %"));

    c().collectorTempSlider->setFocus(Qt::TabFocusReason);
    user_->key(Qt::Key_Right);
    checkResults(&Result::warmer);
    EXPECT_EQ(chartSays(), QStringLiteral("η0 0,798; a hatásfok x = 0,148-nál lesz nulla; "
                                          "üzemi pont: x = 0,051, η = 56,1 %"));

    user_->pickRow(0);
    checkResults(&Result::vacuum);
    EXPECT_EQ(chartSays(), QStringLiteral("η0 0,65; a hatásfok x = 0,224-nél lesz nulla; "
                                          "üzemi pont: x = 0,051, η = 55,6 %"));
}

TEST_F(Accessibility, TheChartDescriptionFollowsATypedCoefficient) {
    user_->pickRow(5);
    user_->typeInto(c().eta0Box, QStringLiteral("0,9"));
    user_->click(c().chart, QPoint(20, 20));
    EXPECT_EQ(chartSays(), QStringLiteral("η0 0,9; a hatásfok x = 0,17-nél lesz nulla; "
                                          "üzemi pont: x = 0,05, η = 68 %"));
}

// Kept collectors follow the current one's values, by the legend's words and
// with their whole names; with none kept graf says what it said before.
TEST_F(Accessibility, TheChartDescriptionAddsTheKeptCollectors) {
    const QString current = QStringLiteral(
        "η0 0,8; a hatásfok x = 0,155-nél lesz nulla; üzemi pont: x = 0,05, η = 58 %");
    const struct {
        const char* what;
        std::function<void()> action;
        QString description;
        bool cutInLegend = false;  // the name is too long for its legend line
    } steps[] = {
        {"one kept",
         [&] {
             user_->pickRow(0);
             window_->keepCurrentCollector();
             user_->pickRow(2);
         },
         current + "; megtartott görbe: Vákumcsöves kollektor: 55,9 %, 447 W/m2"},
        {"two kept, one of them hot",
         [&] {
             user_->pickRow(4);
             window_->keepCurrentCollector();
             user_->pickRow(2);
             c().collectorTempSlider->setValue(120);
         },
         QStringLiteral(
             "η0 0,8; a hatásfok x = 0,155-nél lesz nulla; üzemi pont: x = 0,125, η = 17,5 %"
             "; megtartott görbék: Vákumcsöves kollektor: 36,2 %, 290 W/m2; "
             "Lefedés nélküli kollektor: 0 %, 0 W/m2")},
        {"a custom name, whole",
         [&] {
             window_->forgetKeptCollectors();
             c().collectorTempSlider->setValue(60);
             user_->pickRow(5);
             user_->typeInto(c().eta0Box,
                             QStringLiteral("0,70000000000000000000000000000000000000001"));
             user_->click(c().chart, QPoint(20, 20));
             window_->keepCurrentCollector();
             user_->pickRow(2);
         },
         current + "; megtartott görbe: Egyedi kollektor (η0 "
                   "0,70000000000000000000000000000000000000001; a1 4; a2 0,01): 48 %, 384 W/m2",
         true},
        {"forgotten", [&] { window_->forgetKeptCollectors(); }, current},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(chartSays(), step.description) << step.what;
        const bool cut = std::ranges::any_of(c().chart->list().prints, [](const auto& p) {
            return p.color.has_value() && p.text.contains(u'…');
        });
        EXPECT_EQ(cut, step.cutInLegend) << step.what;
    }
}

TEST_F(Accessibility, AWarningIsAnAlertWithItsTextAndOkFocused) {
    user_.reset();  // this test answers the box itself, after looking at it
    QString role;
    QString text;
    QString focused;
    QTimer look;
    look.setInterval(0);
    int waited = 0;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // The box takes the focus once it is the active window.
        if (box == nullptr || (QApplication::activeWindow() != box && ++waited < 1000)) {
            return;
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        role = iface->role() == QAccessible::AlertMessage ? "alert" : "other";
        text = iface->text(QAccessible::Description) + iface->text(QAccessible::Value);
        focused = QApplication::focusWidget() == box->button(QMessageBox::Ok) ? "OK" : "elsewhere";
        box->button(QMessageBox::Ok)->click();
    });
    look.start();
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      c().areaBox->mapTo(window_.get(), c().areaBox->rect().center()));
    c().areaBox->selectAll();
    QTest::keyClicks(c().areaBox, QStringLiteral("abc"));
    QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(role, "alert");
    EXPECT_TRUE(text.contains(QStringLiteral("Adjon meg számot!"))) << text.toStdString();
    EXPECT_EQ(focused, "OK");
}

// The suffix after a number follows the vowels of its last spoken word.
TEST(AtSuffix, FollowsTheLastWordReadOut) {
    const struct {
        const char* number;
        const char* expected;
    } cases[] = {
        {"0,148", "0,148-nál"},      // nyolc
        {"0,224", "0,224-nél"},      // négy
        {"0,17", "0,17-nél"},        // hét
        {"0,13", "0,13-nál"},        // három
        {"0,16", "0,16-nál"},        // hat
        {"0,15", "0,15-nél"},        // öt
        {"0,12", "0,12-nél"},        // kettő
        {"0,05", "0,05-nél"},        // öt, the zero before it unspoken
        {"0,1", "0,1-nél"},          // egy
        {"0,19", "0,19-nél"},        // kilenc
        {"0,3", "0,3-nál"},          // három
        {"0", "0-nál"},              // nulla
        {"1", "1-nél"},              // egy
        {"10", "10-nél"},            // tíz
        {"20", "20-nál"},            // húsz
        {"30", "30-nál"},            // harminc
        {"40", "40-nél"},            // negyven
        {"80", "80-nál"},            // nyolcvan
        {"100", "100-nál"},          // száz
        {"1000", "1000-nél"},        // ezer
        {"20000", "20000-nél"},      // húszezer
        {"3000000", "3000000-nál"},  // hárommillió
        {"5,0", "5,0-nél"},          // no fraction spoken: öt
        {"2,40", "2,40-nél"},        // negyven
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::withAtSuffix(QString::fromUtf8(c.number), u','),
                  QString::fromUtf8(c.expected))
            << c.number;
    }
    EXPECT_EQ(ui::withAtSuffix(QStringLiteral("0.148"), u'.'), "0.148-nál");
    EXPECT_EQ(ui::withAtSuffix(QStringLiteral("3.5"), u'.'), "3.5-nél");
}

}  // namespace
