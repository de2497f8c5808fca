#pragma once

#include "runtime/Runtime.h"

#include <QLocale>
#include <QStringList>

#include <functional>

// A runtime whose pump, message box, end of program, clock and draws are scripted by a test.
// Everything the logic asks of it is written to the journal, in order.
class ScriptedRuntime final : public Runtime
{
public:
    explicit ScriptedRuntime(const QLocale &locale = QLocale::c())
        : Runtime(Generator({1, 2, 3, 4}))
        , m_locale(locale)
    {}

    void PumpEvents() override
    {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    void ShowMessage(const QString &text) override
    {
        journal << QStringLiteral("message: ") + text;
        if (onMessage)
            onMessage(text);
    }
    void EndProgram() override
    {
        journal << QStringLiteral("end");
        ended = true;
    }
    bool programEnded() const override { return ended; }
    QLocale locale() const override { return m_locale; }
    void Reseed() override
    {
        ++reseeds;
        Runtime::Reseed();
    }
    float NextRandom() override
    {
        if (!draws.isEmpty())
            return draws.takeFirst();
        return Runtime::NextRandom();
    }

    QStringList journal;
    int pumps = 0;
    int reseeds = 0;
    bool ended = false;
    quint64 clock = 0x5eed;
    std::function<void(int pumpNo)> onPump;
    std::function<void(const QString &)> onMessage;
    QList<float> draws; // taken first, then the real generator's

protected:
    quint64 clockReading() const override { return clock; }

private:
    QLocale m_locale;
};
