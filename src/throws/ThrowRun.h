// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

class DiceSurface;
class QLocale;
class QStringView;
class Runtime;

// The most throws one run makes: the throw number must still count one past the last throw
// in a short integer.
inline constexpr qint16 MaxThrows = 32766;

struct EntryCheck
{
    enum class Verdict { NotANumber, TooManyThrows, Throws };
    Verdict verdict = Verdict::NotANumber;
    qint16 throwCount = 0; // with Verdict::Throws; 0 or less makes no throw
};

// What an entry asks for: a number rounds to whole throws, and a number below the short
// range asks for no throws like any other negative number.
EntryCheck checkEntry(QStringView entry, const QLocale &locale);

// The roll button: checks the entry, throws the die, shows the log and the statistics.
void ChangeNumOfThrows_Click(DiceSurface &dice, Runtime &runtime);

// The cancel button: asks a running run to stop before its next throw.
void Command1_Click(DiceSurface &dice);
