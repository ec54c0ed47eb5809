#include "control_table.h"

#include <array>

#include "model/operating_conditions.h"

namespace ui {
namespace {

constexpr QRgb kYellow = 0xffffff80;    // (255, 255, 128)
constexpr QRgb kDarkRed = 0xff800000;   // (128, 0, 0)
constexpr QRgb kDarkGrey = 0xff404040;  // (64, 64, 64)

constexpr Kind PictureBox = Kind::PictureBox;
constexpr Kind Label = Kind::Label;
constexpr Kind TextBox = Kind::TextBox;
constexpr Kind ComboBox = Kind::ComboBox;
constexpr Kind ScrollBar = Kind::ScrollBar;
constexpr Kind Button = Kind::CommandButton;
using F = FontKey;

// A picture box that shows one of the window's pictures.
constexpr ControlRow picture(int id, const char* name, const char* container, TwipRect place,
                             int tab, const char* file, QStringView wording, QRgb back = 0) {
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
            .wording = wording};
}

// A label that shows a value on an opaque background.
// Its design text is a placeholder that start-up or the chart replaces.
constexpr ControlRow valueLabel(int id, const char* name, const char* container, TwipRect place,
                                int tab, QStringView placeholder, FontKey font, QRgb back,
                                bool centred) {
    return {.id = id,
            .name = name,
            .kind = Label,
            .container = container,
            .place = place,
            .tabIndex = tab,
            .designText = placeholder,
            .font = font,
            .backColor = back,
            .centred = centred};
}

// A line of text straight on the background, sized to its text.
constexpr ControlRow creditLabel(int id, const char* name, const char* container, TwipRect place,
                                 int tab, QStringView text, FontKey font, QRgb fore) {
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

constexpr ControlRow textBox(int id, const char* name, TwipRect place, int tab, QStringView text) {
    return {.id = id,
            .name = name,
            .kind = TextBox,
            .container = "Picture18",
            .place = place,
            .tabIndex = tab,
            .designText = text,
            .font = F::Default,
            .centred = true};
}

constexpr ControlRow panel(int id, const char* name, TwipRect place, int tab, QRgb back) {
    return {.id = id,
            .name = name,
            .kind = PictureBox,
            .container = nullptr,
            .place = place,
            .tabIndex = tab,
            .designText = {},
            .font = F::Default,
            .backColor = back,
            .border = true};
}

// A slider over one operating condition: arrows step by 1, the track by 10.
constexpr ControlRow slider(int id, const char* name, TwipRect place, int tab,
                            model::ConditionRange condition) {
    return {.id = id,
            .name = name,
            .kind = ScrollBar,
            .container = "Picture3",
            .place = place,
            .tabIndex = tab,
            .designText = {},
            .font = F::Default,
            .range = {condition.min, condition.max, condition.start, 1, 10}};
}

constexpr ControlRow button(int id, const char* name, TwipRect place, int tab, QStringView text) {
    return {.id = id,
            .name = name,
            .kind = Button,
            .container = nullptr,
            .place = place,
            .tabIndex = tab,
            .designText = text,
            .font = F::Default,
            .hidden = true};
}

// The picture draws ö in hő and első; what a screen reader says is spelled right.
constexpr QStringView kFormulaWording =
    u"η = η0 − a1·x − a2·G·x², ahol: x := (T koll − T körny) / G; "
    u"T koll: napkollektor hőmérséklet [°C]; T körny: környezeti hőmérséklet [°C]; "
    u"G: napsugárzás intenzitás [W/m²]; η0: optikai hatásfok; "
    u"a1: elsőfokú hőveszteségi együttható; a2: másodfokú hőveszteségi együttható";

// clang-format off
constexpr std::array kControls{
    panel(1, "Picture18", {225, 1485, 5685, 3210}, 19, kYellow),
    picture(2, "Picture21", "Picture18", {3060, 2655, 780, 375}, 35,
            ":/pictures/eta-x005-caption.svg", u"ηx=0,05 =", kYellow),
    picture(3, "Picture1", "Picture18", {45, 45, 3345, 330}, 32,
            ":/pictures/collector-heading.svg", u"A napkollektor jellemzői", kYellow),
    ControlRow{.id = 4, .name = "Combo1", .kind = ComboBox, .container = "Picture18",
                .place = {450, 495, 3075, 315}, .tabIndex = 30,
                .designText = u"Napkollektor típusa", .font = F::Default},
    textBox(5, "Text3", {4005, 2205, 780, 285}, 29, u"0,011"),
    textBox(6, "Text2", {4005, 1845, 780, 285}, 28, u"4,17"),
    textBox(7, "Text1", {4005, 1485, 780, 285}, 27, u"0,798"),
    picture(8, "Picture6", "Picture18", {3510, 1440, 465, 420}, 26,
            ":/pictures/eta0-caption.svg", u"η0:", kYellow),
    picture(9, "Picture7", "Picture18", {3555, 1845, 330, 375}, 25,
            ":/pictures/a1-caption.svg", u"a1:", kYellow),
    picture(10, "Picture8", "Picture18", {3555, 2205, 330, 330}, 24,
            ":/pictures/a2-caption.svg", u"a2:", kYellow),
    picture(11, "Picture9", "Picture18", {180, 2700, 1815, 285}, 23,
            ":/pictures/characteristic-caption.svg", u"Jellemző hatásfok:", kYellow),
    textBox(12, "Text4", {4005, 900, 780, 330}, 22, u"1"),
    picture(13, "Picture14", "Picture18", {225, 1800, 2715, 285}, 21,
            ":/pictures/curve-parameters-caption.svg", u"A hatásfokgörbe paraméterei:", kYellow),
    picture(14, "Picture15", "Picture18", {225, 855, 3615, 375}, 20,
            ":/pictures/area-caption.svg", u"A napkollektorok hasznos felülete [m²]:", kYellow),
    valueLabel(15, "Label1", "Picture18", {4005, 2700, 780, 240}, 31, u"Label1", F::A, kYellow, true),
    picture(16, "Picture19", nullptr, {90, 90, 6030, 1095}, 15,
            ":/pictures/banner.svg", u"Helitra-Efficiency"),
    creditLabel(17, "Label32", "Picture19", {1380, 900, 1860, 210}, 16,
                u"Program verzió: 2010/1", F::C, 0),
    button(18, "Command2", {9675, 0, 1365, 285}, 10, u"Command2"),
    panel(19, "Picture3", {6210, 5535, 8070, 1815}, 3, kYellow),
    picture(20, "Picture20", "Picture3", {45, 45, 2265, 330}, 34,
            ":/pictures/operating-heading.svg", u"Üzemi paraméterek"),
    picture(21, "Picture12", "Picture3", {5715, 540, 2085, 285}, 14,
            ":/pictures/irradiance-caption.svg", u"Napsugárzás intenzitás"),
    picture(22, "Picture11", "Picture3", {3015, 540, 2085, 330}, 13,
            ":/pictures/ambient-temp-caption.svg", u"Környezeti hőmérséklet"),
    picture(23, "Picture10", "Picture3", {180, 495, 2265, 330}, 12,
            ":/pictures/collector-temp-caption.svg", u"Napkollektor hőmérséklet"),
    slider(24, "HScroll1", {225, 900, 2200, 240}, 6, model::kCollectorTempRange),
    slider(25, "HScroll2", {2925, 900, 2200, 240}, 5, model::kAmbientTempRange),
    slider(26, "HScroll3", {5625, 900, 2200, 240}, 4, model::kIrradianceRange),
    valueLabel(27, "Label9", "Picture3", {1035, 1215, 735, 330}, 9, u"Label9", F::A, kYellow, true),
    valueLabel(28, "Label10", "Picture3", {3690, 1260, 870, 240}, 8, u"Label10", F::A, kYellow, true),
    valueLabel(29, "Label13", "Picture3", {6165, 1260, 1230, 240}, 7, u"Label13", F::A, kYellow, true),
    panel(30, "Picture2", {270, 4950, 5640, 3660}, 2, kYellow),
    picture(31, "Picture5", "Picture2", {45, 45, 3840, 330}, 33,
            ":/pictures/formula-heading.svg", u"A napkollektor-hatásfok képlete", kYellow),
    picture(32, "Picture4", "Picture2", {360, 315, 4785, 3345}, 11,
            ":/pictures/formula.svg", kFormulaWording, kYellow),
    button(33, "Command1", {6300, 0, 1590, 330}, 1, u"Command1"),
    panel(34, "graf", {6210, 315, 8070, 4965}, 0, 0),
    picture(35, "Picture24", "graf", {585, 45, 285, 510}, 45,
            ":/pictures/axis-eta.svg", u"η"),
    picture(36, "Picture23", "graf", {6480, 4545, 1455, 330}, 41,
            ":/pictures/axis-x.svg", u"x=(T koll − T körny)/G"),
    picture(37, "Picture22", "graf", {3870, 675, 2535, 510}, 40,
            ":/pictures/output-per-area-caption.svg", u"Fajlagos teljesítmény : q̇ ="),
    picture(38, "Picture17", "graf", {3870, 1215, 2580, 600}, 39,
            ":/pictures/output-caption.svg", u"Kollektor teljesítmény : Q̇ ="),
    picture(39, "Picture16", "graf", {2565, 180, 3750, 420}, 38,
            ":/pictures/efficiency-caption.svg", u"Pillanatnyi kollektor hatásfok: η ="),
    picture(40, "Picture13", "graf", {3420, 4500, 375, 375}, 36,
            ":/pictures/x-caption.svg", u"x ="),
    valueLabel(41, "Label4", "graf", {6570, 900, 1230, 285}, 44, u"Label4", F::A, 0, false),
    valueLabel(42, "Label3", "graf", {6570, 1440, 1140, 285}, 43, u"Label3", F::A, 0, false),
    valueLabel(43, "Label2", "graf", {6570, 225, 1005, 240}, 42, u"Label2", F::B, 0, false),
    valueLabel(44, "Label12", "graf", {3825, 4590, 690, 330}, 37, u"Label12", F::A, 0, false),
    creditLabel(45, "Label5", nullptr, {6345, 8280, 4065, 405}, 46,
                u"Információ: Helitra Kft", F::D, kDarkRed),
    creditLabel(46, "Label33", nullptr, {11115, 8235, 3210, 450}, 18,
                u"www.helitra.hu", F::E, kDarkRed),
    creditLabel(47, "Label31", nullptr, {6255, 7785, 7965, 300}, 17, u"", F::B, kDarkGrey),
};
// clang-format on

}  // namespace

std::span<const ControlRow> controlTable() {
    return kControls;
}

}  // namespace ui
