// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

// What a throw run needs of the main window.
//
// Names spelled like the window's design (the handlers such as ChangeNumOfThrows_Click, the
// window operations below, StopThrows, PoolText, ThrowCount, the control names and the runtime
// services such as PumpEvents) are the design's own and keep its spelling wherever the design
// uses them; everything else follows Qt's camelCase.
class DiceSurface
{
public:
    virtual ~DiceSurface() = default;

    // The cancel button and the banner appear; the prompt, the entry and the roll button go.
    virtual void ShowRunningArrangement() = 0;
    virtual void ShowIdleArrangement() = 0;
    virtual QString GetEntryText() const = 0;
    virtual void SetLogText(const QString &text) = 0;
    virtual void SetStatsText(const QString &text) = 0;

    // Set by the cancel button, cleared by each run, read before every throw.
    bool StopThrows = false;

protected:
    DiceSurface() = default;
    DiceSurface(const DiceSurface &) = default;
    DiceSurface &operator=(const DiceSurface &) = default;
};
