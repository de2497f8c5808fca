#pragma once

class QString;

// What a throw run needs of the main window.
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
