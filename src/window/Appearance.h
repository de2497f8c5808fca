// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DiceDesign.h"

class QColor;
class QFont;
class QPalette;
class QString;

// How the design's units become Qt's: fonts, colours, and captions wrapped to their box.
namespace Appearance {

// The names the desktop knows the program by, one style, palette and font everywhere, whatever
// the desktop's theme, and Qt's own words in Greek whatever the locale.
void configureApplication();

QFont font(const DiceDesign::Font &font);

// A design colour, or the given palette's own where the design leaves it to the system.
QColor colour(const DiceDesign::Colour &colour, const QColor &fallback, const QPalette &system);

// The caption broken at word boundaries into lines no wider than width pixels.
QString wrapped(const QString &caption, const QFont &font, int width);

} // namespace Appearance
