// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Generator.h"

#include <QtGlobal>

class QLocale;
class QString;

// Everything the program's logic takes from its host: the event pump, the message box, the
// end of the program, the clock, the generator and the locale. The program and the window suite
// run on the Qt implementation, QtRuntime; the benchmark derives timed and silent ones from it.
class Runtime
{
public:
    virtual ~Runtime();

    // Handles pending window events until none is left; click handlers may run inside it.
    virtual void PumpEvents() = 0;
    // An application-modal message box with one OK button; returns when it is closed.
    virtual void ShowMessage(const QString &text) = 0;
    // Ends the program: once called, the logic touches the window no more.
    virtual void EndProgram() = 0;
    virtual bool programEnded() const = 0;
    // Where the decimal separator of entries and percentages comes from.
    virtual QLocale locale() const = 0;

    // Mixes the clock's reading into the generator before a draw.
    virtual void Reseed();
    // The generator's next number r, 0 <= r < 1.
    virtual float NextRandom();

protected:
    explicit Runtime(const Generator &generator);
    // A high-resolution clock reading; any unit will do, as long as it moves.
    virtual quint64 clockReading() const = 0;

private:
    Generator m_generator;
};
