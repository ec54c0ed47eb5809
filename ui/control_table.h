#pragma once

#include <QAccessible>
#include <QColor>
#include <QRect>
#include <QStringView>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "chart/chart_painter.h"
#include "model/operating_conditions.h"

class QPushButton;

// The window's layout as data: every control in creation order, with its
// place in twips (15 to the pixel at 96 dpi) inside its container's inner
// area, what a screen reader calls it, and the handle the code reaches it
// by. Nothing else in the program positions or names a control: adding one
// is adding a row here (and, if the code needs it, a field of Controls).
//
// This is the one file where the form's control IDs meet the names by
// meaning; the rows say which is which.
namespace ui {

class ComboBox;
class ChartBox;
class Label;
class ScrollBar;
class TextBox;

// The controls the procedures use, by what they are. The builder fills every
// field from the table's handles; the checks at the end of this file make a
// field that no row fills, or two rows filling one, a compile error.
struct Controls {
    ComboBox* collectorType = nullptr;
    TextBox* eta0Box = nullptr;
    TextBox* a1Box = nullptr;
    TextBox* a2Box = nullptr;
    TextBox* areaBox = nullptr;
    ScrollBar* collectorTempSlider = nullptr;
    ScrollBar* ambientTempSlider = nullptr;
    ScrollBar* irradianceSlider = nullptr;
    Label* characteristicEfficiencyLabel = nullptr;
    Label* efficiencyLabel = nullptr;
    Label* outputLabel = nullptr;
    Label* specificOutputLabel = nullptr;
    Label* operatingXLabel = nullptr;
    Label* collectorTempLabel = nullptr;
    Label* ambientTempLabel = nullptr;
    Label* irradianceLabel = nullptr;
    ChartBox* chart = nullptr;
    QPushButton* evaluateButton = nullptr;
    QPushButton* redrawButton = nullptr;
};

// The field of Controls a row's widget goes into, typed by the widget.
using Handle = std::variant<std::monostate, ComboBox * Controls::*, TextBox * Controls::*,
                            ScrollBar * Controls::*, Label * Controls::*, ChartBox * Controls::*,
                            QPushButton * Controls::*>;

enum class Kind { PictureBox, Label, TextBox, ComboBox, ScrollBar, CommandButton };

// The window's fonts, by the letters the design gives them.
enum class FontKey { Default, A, B, C, D, E };

// Every control of the form, in creation order, one row each: its ID, the
// helper that makes its row, and that helper's arguments. ControlId and the
// table (table::kControls) are both made from this one list, so that a
// control is named in one place.
// clang-format off
#define EFFICIENCY_CONTROLS(X) \
    X(Picture18, panel, {225, 1485, 5685, 3210}, 19, kYellow, \
        u"A napkollektor jellemzői") \
    X(Picture21, resultCaption, Id::Picture18, {3060, 2655, 780, 375}, 35, \
        ":/pictures/eta-x005-caption.svg", u"ηx=0,05 =", Id::Label1, kYellow) \
    X(Picture1, picture, Id::Picture18, {45, 45, 3345, 330}, 32, \
        ":/pictures/collector-heading.svg", u"A napkollektor jellemzői", Text, kYellow) \
    X(Combo1, EFFICIENCY_ROW_FIELDS, .kind = ComboBox, .container = Id::Picture18, \
        .place = {450, 495, 3075, 315}, .tabIndex = 30, \
        .designText = u"Napkollektor típusa", .font = F::Default, \
        .handle = &C::collectorType, .spokenName = u"Napkollektor típusa") \
    X(Text3, textBox, {4005, 2205, 780, 285}, 29, u"0,011", \
        u"a2 – másodfokú hőveszteségi együttható", &C::a2Box) \
    X(Text2, textBox, {4005, 1845, 780, 285}, 28, u"4,17", \
        u"a1 – elsőfokú hőveszteségi együttható", &C::a1Box) \
    X(Text1, textBox, {4005, 1485, 780, 285}, 27, u"0,798", \
        u"η0 – optikai hatásfok", &C::eta0Box) \
    X(Picture6, picture, Id::Picture18, {3510, 1440, 465, 420}, 26, \
        ":/pictures/eta0-caption.svg", u"η0:", Text, kYellow) \
    X(Picture7, picture, Id::Picture18, {3555, 1845, 330, 375}, 25, \
        ":/pictures/a1-caption.svg", u"a1:", Text, kYellow) \
    X(Picture8, picture, Id::Picture18, {3555, 2205, 330, 330}, 24, \
        ":/pictures/a2-caption.svg", u"a2:", Text, kYellow) \
    X(Picture9, picture, Id::Picture18, {180, 2700, 1815, 285}, 23, \
        ":/pictures/characteristic-caption.svg", u"Jellemző hatásfok:", Text, kYellow) \
    X(Text4, textBox, {4005, 900, 780, 330}, 22, u"1", \
        u"A napkollektorok hasznos felülete (m²)", &C::areaBox) \
    X(Picture14, picture, Id::Picture18, {225, 1800, 2715, 285}, 21, \
        ":/pictures/curve-parameters-caption.svg", u"A hatásfokgörbe paraméterei:", Text, \
        kYellow) \
    X(Picture15, picture, Id::Picture18, {225, 855, 3615, 375}, 20, \
        ":/pictures/area-caption.svg", u"A napkollektorok hasznos felülete [m²]:", Text, \
        kYellow) \
    X(Label1, valueLabel, Id::Picture18, {4005, 2700, 780, 240}, 31, u"Label1", F::A, \
        kYellow, true, &C::characteristicEfficiencyLabel) \
    X(Picture19, picture, std::nullopt, {90, 90, 6030, 1095}, 15, \
        ":/pictures/banner.svg", u"Helitra-Efficiency", Graphic)  /* the emblem and title */ \
    X(Label32, creditLabel, Id::Picture19, {1380, 900, 1860, 210}, 16, \
        u"Program verzió: 2010/1", F::C, 0) \
    X(Command2, button, {9675, 0, 1365, 285}, 10, u"Command2", &C::redrawButton) \
    X(Picture3, panel, {6210, 5535, 8070, 1815}, 3, kYellow, u"Üzemi paraméterek") \
    X(Picture20, picture, Id::Picture3, {45, 45, 2265, 330}, 34, \
        ":/pictures/operating-heading.svg", u"Üzemi paraméterek", Text) \
    X(Picture12, picture, Id::Picture3, {5715, 540, 2085, 285}, 14, \
        ":/pictures/irradiance-caption.svg", u"Napsugárzás intenzitás", Text) \
    X(Picture11, picture, Id::Picture3, {3015, 540, 2085, 330}, 13, \
        ":/pictures/ambient-temp-caption.svg", u"Környezeti hőmérséklet", Text) \
    X(Picture10, picture, Id::Picture3, {180, 495, 2265, 330}, 12, \
        ":/pictures/collector-temp-caption.svg", u"Napkollektor hőmérséklet", Text) \
    X(HScroll1, slider, {225, 900, 2200, 240}, 6, model::kCollectorTempRange, \
        u"Napkollektor hőmérséklet (°C)", &C::collectorTempSlider) \
    X(HScroll2, slider, {2925, 900, 2200, 240}, 5, model::kAmbientTempRange, \
        u"Környezeti hőmérséklet (°C)", &C::ambientTempSlider) \
    X(HScroll3, slider, {5625, 900, 2200, 240}, 4, model::kIrradianceRange, \
        u"Napsugárzás intenzitás (W/m²)", &C::irradianceSlider) \
    X(Label9, valueLabel, Id::Picture3, {1035, 1215, 735, 330}, 9, u"Label9", F::A, \
        kYellow, true, &C::collectorTempLabel) \
    X(Label10, valueLabel, Id::Picture3, {3690, 1260, 870, 240}, 8, u"Label10", F::A, \
        kYellow, true, &C::ambientTempLabel) \
    X(Label13, valueLabel, Id::Picture3, {6165, 1260, 1230, 240}, 7, u"Label13", F::A, \
        kYellow, true, &C::irradianceLabel) \
    X(Picture2, panel, {270, 4950, 5640, 3660}, 2, kYellow, \
        u"A napkollektor-hatásfok képlete") \
    X(Picture5, picture, Id::Picture2, {45, 45, 3840, 330}, 33, \
        ":/pictures/formula-heading.svg", u"A napkollektor-hatásfok képlete", Text, kYellow) \
    X(Picture4, picture, Id::Picture2, {360, 315, 4785, 3345}, 11, \
        ":/pictures/formula.svg", kFormulaWording, Graphic, kYellow)  /* and its legend */ \
    X(Command1, button, {6300, 0, 1590, 330}, 1, u"Command1", &C::evaluateButton) \
    X(graf, EFFICIENCY_ROW_FIELDS, .kind = PictureBox, .container = {}, \
        .place = {6210, 315, 8070, 4965}, .tabIndex = 0, .font = F::Default, \
        .border = true, .handle = &C::chart, .spokenName = u"Hatásfokgörbe", \
        .role = QAccessible::Chart) \
    X(Picture24, picture, Id::graf, {585, 45, 285, 510}, 45, \
        ":/pictures/axis-eta.svg", u"η", Text) \
    X(Picture23, picture, Id::graf, {6480, 4545, 1455, 330}, 41, \
        ":/pictures/axis-x.svg", u"x=(T koll − T körny)/G", Text) \
    X(Picture22, resultCaption, Id::graf, {3870, 675, 2535, 510}, 40, \
        ":/pictures/output-per-area-caption.svg", u"Fajlagos teljesítmény : q̇ =", \
        Id::Label4) \
    X(Picture17, resultCaption, Id::graf, {3870, 1215, 2580, 600}, 39, \
        ":/pictures/output-caption.svg", u"Kollektor teljesítmény : Q̇ =", Id::Label3) \
    X(Picture16, resultCaption, Id::graf, {2565, 180, 3750, 420}, 38, \
        ":/pictures/efficiency-caption.svg", u"Pillanatnyi kollektor hatásfok: η =", \
        Id::Label2) \
    X(Picture13, resultCaption, Id::graf, {3420, 4500, 375, 375}, 36, \
        ":/pictures/x-caption.svg", u"x =", Id::Label12) \
    X(Label4, valueLabel, Id::graf, {6570, 900, 1230, 285}, 44, u"Label4", F::A, 0, \
        false, &C::specificOutputLabel) \
    X(Label3, valueLabel, Id::graf, {6570, 1440, 1140, 285}, 43, u"Label3", F::A, 0, \
        false, &C::outputLabel) \
    X(Label2, valueLabel, Id::graf, {6570, 225, 1005, 240}, 42, u"Label2", F::B, 0, \
        false, &C::efficiencyLabel) \
    X(Label12, valueLabel, Id::graf, {3825, 4590, 690, 330}, 37, u"Label12", F::A, 0, \
        false, &C::operatingXLabel) \
    X(Label5, creditLabel, std::nullopt, {6345, 8280, 4065, 405}, 46, \
        u"Információ: Helitra Kft", F::D, kDarkRed) \
    X(Label33, creditLabel, std::nullopt, {11115, 8235, 3210, 450}, 18, \
        u"www.helitra.hu", F::E, kDarkRed) \
    X(Label31, creditLabel, std::nullopt, {6255, 7785, 7965, 300}, 17, u"", F::B, \
        kDarkGrey)
// clang-format on

// A row's position in the table is its ID's value.
enum class ControlId {
#define EFFICIENCY_CONTROL_ID(id, ...) id,
    EFFICIENCY_CONTROLS(EFFICIENCY_CONTROL_ID)
#undef EFFICIENCY_CONTROL_ID
};

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ScrollRange {
    int min;
    int max;
    int value;
    int smallChange;
    int largeChange;
};

struct ControlRow {
    ControlId id;
    const char* name;  // the form's ID, the widget's object name
    Kind kind;
    std::optional<ControlId> container;  // none: the window itself
    TwipRect place;
    int tabIndex;
    QStringView designText{};
    FontKey font;
    // Settings that differ from the control type's defaults.
    QRgb backColor = 0;  // 0: the platform default
    QRgb foreColor = 0;  // 0: the platform default
    bool centred = false;
    bool transparent = false;  // a label that shows its container through
    bool autoSize = false;     // a label that sizes itself to its text
    bool border = false;       // a picture box with the sunken panel border
    bool hidden = false;
    const char* picture = nullptr;  // resource path of the picture it shows
    ScrollRange range{};
    Handle handle{};
    // For screen readers: what a picture says, a panel's group name, or an
    // input's name (given through a hidden buddy label: Qt on Linux ignores
    // the accessible name of an editable combo box, and a buddy gives the
    // labelled-by relation).
    QStringView spokenName{};
    // NoRole: the widget's own. Qt calls picture boxes fillers otherwise.
    QAccessible::Role role = QAccessible::NoRole;
    // A result's caption picture: the label whose value it reads out.
    std::optional<ControlId> resultLabel{};
};

namespace table {

constexpr Kind PictureBox = Kind::PictureBox;
constexpr Kind Label = Kind::Label;
constexpr Kind TextBox = Kind::TextBox;
constexpr Kind ComboBox = Kind::ComboBox;
constexpr Kind ScrollBar = Kind::ScrollBar;
constexpr Kind Button = Kind::CommandButton;
using F = FontKey;
using Id = ControlId;
using C = Controls;
constexpr QAccessible::Role Text = QAccessible::StaticText;
constexpr QAccessible::Role Graphic = QAccessible::Graphic;

constexpr QRgb kYellow = 0xffffff80;    // (255, 255, 128)
constexpr QRgb kDarkRed = 0xff800000;   // (128, 0, 0)
constexpr QRgb kDarkGrey = 0xff404040;  // (64, 64, 64)

// A picture box that shows one of the window's pictures; what it says is
// also what a screen reader reads.
constexpr ControlRow picture(Id id, const char* name, std::optional<Id> container, TwipRect place,
                             int tab, const char* file, QStringView wording, QAccessible::Role role,
                             QRgb back = 0) {
    return {.id = id,
            .name = name,
            .kind = PictureBox,
            .container = container,
            .place = place,
            .tabIndex = tab,
            .designText = {},
            .font = F::Default,
            .backColor = back,
            .picture = file,
            .spokenName = wording,
            .role = role};
}

// The caption picture of a result. A graphic, not static text: Orca reads no
// description of a label, and the caption's description is the value.
constexpr ControlRow resultCaption(Id id, const char* name, Id container, TwipRect place, int tab,
                                   const char* file, QStringView wording, Id label, QRgb back = 0) {
    ControlRow row = picture(id, name, container, place, tab, file, wording, Graphic, back);
    row.resultLabel = label;
    return row;
}

// A label that shows a value on an opaque background.
// Its design text is a placeholder that start-up or the chart replaces.
constexpr ControlRow valueLabel(Id id, const char* name, Id container, TwipRect place, int tab,
                                QStringView placeholder, FontKey font, QRgb back, bool centred,
                                ui::Label* Controls::*handle) {
    return {.id = id,
            .name = name,
            .kind = Label,
            .container = container,
            .place = place,
            .tabIndex = tab,
            .designText = placeholder,
            .font = font,
            .backColor = back,
            .centred = centred,
            .handle = handle};
}

// A line of text straight on the background, sized to its text.
constexpr ControlRow creditLabel(Id id, const char* name, std::optional<Id> container,
                                 TwipRect place, int tab, QStringView text, FontKey font,
                                 QRgb fore) {
    return {.id = id,
            .name = name,
            .kind = Label,
            .container = container,
            .place = place,
            .tabIndex = tab,
            .designText = text,
            .font = font,
            .foreColor = fore,
            .transparent = true,
            .autoSize = true};
}

constexpr ControlRow textBox(Id id, const char* name, TwipRect place, int tab, QStringView text,
                             QStringView spokenName, ui::TextBox* Controls::*handle) {
    return {.id = id,
            .name = name,
            .kind = TextBox,
            .container = Id::Picture18,
            .place = place,
            .tabIndex = tab,
            .designText = text,
            .font = F::Default,
            .centred = true,
            .handle = handle,
            .spokenName = spokenName};
}

// A panel with the sunken border, announced as a named group.
constexpr ControlRow panel(Id id, const char* name, TwipRect place, int tab, QRgb back,
                           QStringView groupName) {
    return {.id = id,
            .name = name,
            .kind = PictureBox,
            .container = std::nullopt,
            .place = place,
            .tabIndex = tab,
            .designText = {},
            .font = F::Default,
            .backColor = back,
            .border = true,
            .spokenName = groupName,
            .role = QAccessible::Grouping};
}

// A slider over one operating condition: arrows step by 1, the track by 10.
// The unit is in its spoken name: Qt 6.4 has no way to give a value's text.
constexpr ControlRow slider(Id id, const char* name, TwipRect place, int tab,
                            model::ConditionRange condition, QStringView spokenName,
                            ui::ScrollBar* Controls::*handle) {
    return {.id = id,
            .name = name,
            .kind = ScrollBar,
            .container = Id::Picture3,
            .place = place,
            .tabIndex = tab,
            .designText = {},
            .font = F::Default,
            .range = {condition.min, condition.max, condition.start, 1, 10},
            .handle = handle,
            .spokenName = spokenName};
}

// A hidden button: code presses it to run its Click procedure.
constexpr ControlRow button(Id id, const char* name, TwipRect place, int tab, QStringView text,
                            QPushButton* Controls::*handle) {
    return {.id = id,
            .name = name,
            .kind = Button,
            .container = std::nullopt,
            .place = place,
            .tabIndex = tab,
            .designText = text,
            .font = F::Default,
            .hidden = true,
            .handle = handle};
}

// The picture draws ö in hő and első; what a screen reader says is spelled right.
constexpr QStringView kFormulaWording =
    u"η = η0 − a1·x − a2·G·x², ahol: x := (T koll − T körny) / G; "
    u"T koll: napkollektor hőmérséklet [°C]; T körny: környezeti hőmérséklet [°C]; "
    u"G: napsugárzás intenzitás [W/m²]; η0: optikai hatásfok; "
    u"a1: elsőfokú hőveszteségi együttható; a2: másodfokú hőveszteségi együttható";

// clang-format off
inline constexpr std::array kControls{
#define EFFICIENCY_CONTROL_ROW(id, make, ...) make(Id::id, #id, __VA_ARGS__),
#define EFFICIENCY_ROW_FIELDS(id_, name_, ...) ControlRow{.id = id_, .name = name_, __VA_ARGS__}
    EFFICIENCY_CONTROLS(EFFICIENCY_CONTROL_ROW)
#undef EFFICIENCY_ROW_FIELDS
#undef EFFICIENCY_CONTROL_ROW
};
// clang-format on

}  // namespace table

inline constexpr std::size_t kControlCount = table::kControls.size();

[[nodiscard]] constexpr std::span<const ControlRow> controlTable() {
    return table::kControls;
}

[[nodiscard]] constexpr const ControlRow& rowOf(ControlId id) {
    return table::kControls[static_cast<std::size_t>(id)];
}

// The row whose control has this object name; null for none.
[[nodiscard]] const ControlRow* rowNamed(QStringView name);

// The window's own settings.
inline constexpr int kClientWidthTwips = 14520;
inline constexpr int kClientHeightTwips = 8865;
inline constexpr QStringView kWindowCaption = u"Helitra - Efficiency";

[[nodiscard]] constexpr int toPixels(int twips) {
    using chart::kTwipsPerPixel;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

[[nodiscard]] inline QRect toPixels(const TwipRect& r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

// What the table must hold, checked while compiling.
namespace table {

// The kinds a handle may have: the widget the builder makes for the kind.
constexpr bool handleFits(const ControlRow& row) {
    switch (row.handle.index()) {
        case 0:
            return true;
        case 1:
            return row.kind == Kind::ComboBox;
        case 2:
            return row.kind == Kind::TextBox;
        case 3:
            return row.kind == Kind::ScrollBar;
        case 4:
            return row.kind == Kind::Label;
        case 5:
            return row.kind == Kind::PictureBox;
        default:
            return row.kind == Kind::CommandButton;
    }
}

constexpr bool sameHandle(const Handle& a, const Handle& b) {
    return a.index() != 0 && a.index() == b.index() &&
           std::visit(
               [&b](auto field) {
                   using Field = decltype(field);
                   if constexpr (std::is_same_v<Field, std::monostate>) {
                       return false;
                   } else {
                       return std::get<Field>(b) == field;
                   }
               },
               a);
}

constexpr bool wellFormed() {
    std::size_t handles = 0;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlRow& row = kControls[i];
        if (static_cast<std::size_t>(row.id) != i || !handleFits(row)) {
            return false;
        }
        // A container is a picture box made before the control.
        if (row.container && (static_cast<std::size_t>(*row.container) >= i ||
                              rowOf(*row.container).kind != Kind::PictureBox)) {
            return false;
        }
        if (row.resultLabel && rowOf(*row.resultLabel).kind != Kind::Label) {
            return false;
        }
        handles += row.handle.index() != 0 ? 1 : 0;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::string_view(kControls[j].name) == row.name ||
                sameHandle(kControls[j].handle, row.handle)) {
                return false;
            }
        }
    }
    // Every field of Controls is a pointer: one handle for each, none left out.
    return handles * sizeof(void*) == sizeof(Controls);
}

static_assert(wellFormed(),
              "every row in ID order, containers made first, names and handles unique, "
              "and every field of Controls filled by exactly one row");

}  // namespace table

}  // namespace ui
