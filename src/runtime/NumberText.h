// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <optional>

class QLocale;
class QString;
class QStringView;

// Conversions between numbers and the texts a user reads and types, taking nothing from any
// widget. Digits are ASCII both ways. Where a locale is given, it gives the decimal separator
// and, in a text read, signs besides the ASCII "+" and "-"; a text written has an ASCII "-".
namespace NumberText {

// The numeric test and the conversion in one reading of the text. A number is optional white
// space around an optional sign, digits, and at most one decimal separator with a digit on at
// least one side; anything else gives no value. The value is rounded half to even to a whole
// number; one beyond +/-saturation comes back as +/-saturation, so a text of any length stays
// cheap.
inline constexpr qint64 saturation = 1'000'000'000;
std::optional<qint64> roundedValue(QStringView text, const QLocale &locale);

// Plain decimal digits, "-" before a negative value, never a group separator.
QString Int16ToText(qint16 value);

// Seven significant digits, the locale's decimal separator, no trailing zeros, a zero before
// the separator for values below 1, and never an exponent.
QString SingleToText(float value, const QLocale &locale);

} // namespace NumberText
