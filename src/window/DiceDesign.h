// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>
#include <QStringView>

#include <array>

// The main window's design, in twips as it was drawn: every control with its caption, place,
// size, colours, font, tab position and visibility at start.
namespace DiceDesign {

inline constexpr int TwipsPerPixel = 15; // at 96 dots per inch

// The one place where design units become (device-independent) pixels.
constexpr int toPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

enum class Kind { TextBox, MultiLineTextBox, Label, CommandButton };
enum class ScrollBars { NoBars, VerticalBar };
enum class Alignment { TopLeft, Centred };

struct Colour
{
    enum class Source { Default, Rgb, HighlightedText };
    Source source = Source::Default;
    QRgb rgb = 0;
};

struct Font
{
    enum class Face { WindowDefault, Arial };
    Face face;
    double points;
    bool bold;
};

enum ControlId {
    DicePool,
    NumOfThrows,
    Label1,
    ChangeNumOfThrows,
    Label2,
    Stats,
    Label3,
    Label4,
    Label5,
    Command1,
    Command2,
    ControlCount
};

struct Control
{
    ControlId id; // the row's place in the table, checked below as the tab position is
    const char *name;
    Kind kind;
    ScrollBars scrollBars;
    Alignment alignment;
    QStringView caption;
    int left, top, width, height;
    Colour background, text;
    Font font;
    int tab;
    bool visible;
};

struct Window
{
    QStringView title;
    Colour background;
    int clientWidth, clientHeight;
    Font font;
};

inline constexpr Colour Default{};
inline constexpr Colour Orange{Colour::Source::Rgb, qRgb(0xFF, 0x80, 0x00)};
inline constexpr Colour Yellow{Colour::Source::Rgb, qRgb(0xFF, 0xFF, 0x00)};
inline constexpr Colour PaleYellow{Colour::Source::Rgb, qRgb(0xFF, 0xFF, 0x80)};
inline constexpr Colour Cream{Colour::Source::Rgb, qRgb(0xFF, 0xFF, 0xC0)};
inline constexpr Colour Red{Colour::Source::Rgb, qRgb(0xFF, 0x00, 0x00)};
inline constexpr Colour HighlightedText{Colour::Source::HighlightedText};

inline constexpr Font WindowFont{Font::Face::WindowDefault, 8, false};
inline constexpr Font Arial975{Font::Face::Arial, 9.75, false};
inline constexpr Font Arial12{Font::Face::Arial, 12, false};
inline constexpr Font Arial1425Bold{Font::Face::Arial, 14.25, true};

inline constexpr Window windowDesign{u"Quilvane", Orange, 5970, 3645, WindowFont};

using enum Kind;
using enum ScrollBars;
using enum Alignment;

// In tab order.
// clang-format off
inline constexpr std::array<Control, ControlCount> controls = {{
//   id                 name                 kind              scroll       align    caption                                     left  top   width height background  text             font           tab visible
    {DicePool,          "DicePool",          MultiLineTextBox, VerticalBar, TopLeft, u"",                                        0,    240,  1935, 3375,  Default,    Default,         Arial975,      0,  true},
    {NumOfThrows,       "NumOfThrows",       TextBox,          NoBars,      TopLeft, u"100",                                     3720, 1680, 975,  855,   Default,    Default,         Arial12,       1,  true},
    {Label1,            "Label1",            Label,            NoBars,      TopLeft, u"Πόσες φορές θέλεις να ρίξεις το ζάρι;",   2040, 1800, 1695, 615,   Orange,     Yellow,          Arial975,      2,  true},
    {ChangeNumOfThrows, "ChangeNumOfThrows", CommandButton,    NoBars,      Centred, u"Ρίξε το Ζάρι",                            4680, 1680, 1215, 855,   PaleYellow, Default,         Arial975,      3,  true},
    {Label2,            "Label2",            Label,            NoBars,      TopLeft, u"Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του",
                                                                                                                              2040, 3000, 1935, 615,   Orange,     Cream,           WindowFont,    4,  true},
    {Stats,             "Stats",             MultiLineTextBox, NoBars,      TopLeft, u"",                                        1920, 240,  3975, 1455,  Default,    Default,         WindowFont,    5,  true},
    {Label3,            "Label3",            Label,            NoBars,      TopLeft, u"Περιμένετε Παρακαλώ",                     2400, 1680, 3135, 375,   Red,        HighlightedText, Arial1425Bold, 6,  false},
    {Label4,            "Label4",            Label,            NoBars,      Centred, u"Στατιστική Κατανομή",                     2880, 0,    1935, 255,   Orange,     Yellow,          Arial975,      7,  true},
    {Label5,            "Label5",            Label,            NoBars,      TopLeft, u"Αποτελέσματα",                            0,    0,    1335, 255,   Orange,     Yellow,          Arial975,      8,  true},
    {Command1,          "Command1",          CommandButton,    NoBars,      Centred, u"Ακύρωση",                                 3240, 2040, 1215, 495,   Default,    Default,         WindowFont,    9,  false},
    {Command2,          "Command2",          CommandButton,    NoBars,      Centred, u"Έξοδος από το πρόγραμμα",                 4680, 3000, 1215, 615,   Default,    Default,         WindowFont,    10, true},
}};
// clang-format on

// Whether each row stands at the place that its field gives.
template <typename Field> constexpr bool inRowOrder(Field Control::*field)
{
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (controls[row].*field != static_cast<Field>(row))
            return false;
    }
    return true;
}
static_assert(inRowOrder(&Control::id), "each row of controls must stand at its ControlId");
// The window makes its controls in the table's order, and Qt's focus chain is that order.
static_assert(inRowOrder(&Control::tab), "each row of controls must stand at its tab position");

} // namespace DiceDesign
