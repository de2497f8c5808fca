// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures full runs through the real window (offscreen): click to idle, the throw loop, the
// loading of the log box, the loop's own cost per throw, and peak memory. Prints medians, then
// one JSON line with the figures.
//
// With --soak it makes 201 full runs of the most throws (32766) and 1000 cancelled runs in one
// process instead, and fails when resident memory grows by more than 5 % from the first run to the
// last, or when widgets or open file descriptors are left behind.

#include "runtime/QtRuntime.h"
#include "throws/DiceSurface.h"
#include "throws/ThrowRun.h"
#include "window/Appearance.h"
#include "window/Dice.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

// Notes when the run's loop begins (at its first pump), and can press the cancel button after
// a given number of pumps, as a user would during the run.
class TimedRuntime : public QtRuntime
{
public:
    void PumpEvents() override
    {
        if (loopStart < 0)
            loopStart = clock.nsecsElapsed();
        QtRuntime::PumpEvents();
        if (++pumps == cancelAtPump && cancel)
            cancel->click();
    }

    QElapsedTimer clock;
    qint64 loopStart = -1;
    int pumps = 0;
    int cancelAtPump = -1;
    QPushButton *cancel = nullptr;
};

// Notes how long the log box takes to load the finished log.
class TimedDice : public Dice
{
public:
    TimedDice(TimedRuntime &runtime)
        : Dice(runtime)
        , m_runtime(runtime)
    {}

    void SetLogText(const QString &text) override
    {
        if (text.isEmpty()) {
            Dice::SetLogText(text);
            return;
        }
        loopEnd = m_runtime.clock.nsecsElapsed();
        Dice::SetLogText(text);
        boxLoaded = m_runtime.clock.nsecsElapsed();
    }

    qint64 loopEnd = -1;
    qint64 boxLoaded = -1;

private:
    TimedRuntime &m_runtime;
};

// The loop alone: no events to pump, no widgets to fill.
class SilentRuntime : public QtRuntime
{
public:
    void PumpEvents() override {}
};

class NullSurface : public DiceSurface
{
public:
    void ShowRunningArrangement() override {}
    void ShowIdleArrangement() override {}
    QString GetEntryText() const override { return QString::number(MaxThrows); }
    void SetLogText(const QString & /*text*/) override {}
    void SetStatsText(const QString & /*text*/) override {}
};

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct RunFigures
{
    double clickToIdleMs, loopMs, boxLoadMs;
};

RunFigures measureRuns(TimedDice &dice, TimedRuntime &runtime, const QString &throws,
                       int repetitions)
{
    dice.control<DiceDesign::NumOfThrows>()->setText(throws);
    QPushButton *roll = dice.control<DiceDesign::ChangeNumOfThrows>();
    std::vector<double> total;
    std::vector<double> loop;
    std::vector<double> box;
    for (int i = 0; i < repetitions; ++i) {
        QCoreApplication::processEvents();
        runtime.loopStart = -1;
        runtime.clock.start();
        roll->click();
        const qint64 idle = runtime.clock.nsecsElapsed();
        total.push_back(static_cast<double>(idle) / 1e6);
        loop.push_back(static_cast<double>(dice.loopEnd - runtime.loopStart) / 1e6);
        box.push_back(static_cast<double>(dice.boxLoaded - dice.loopEnd) / 1e6);
    }
    return {median(total), median(loop), median(box)};
}

double loopNanosecondsPerThrow(int repetitions)
{
    SilentRuntime runtime;
    NullSurface surface;
    std::vector<double> perThrow;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        clock.start();
        ChangeNumOfThrows_Click(surface, runtime);
        perThrow.push_back(static_cast<double>(clock.nsecsElapsed()) / MaxThrows);
    }
    return median(perThrow);
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return static_cast<double>(fields.value(1).toLongLong() * 4096) / (1024.0 * 1024.0);
}

qsizetype openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size();
}

int soak(TimedDice &dice, TimedRuntime &runtime)
{
    QLineEdit *entry = dice.control<DiceDesign::NumOfThrows>();
    QPushButton *roll = dice.control<DiceDesign::ChangeNumOfThrows>();
    runtime.cancel = dice.control<DiceDesign::Command1>();
    const auto run = [&](int cancelAtPump) {
        runtime.pumps = 0;
        runtime.cancelAtPump = cancelAtPump;
        runtime.loopStart = -1;
        runtime.clock.start();
        roll->click();
        QCoreApplication::processEvents();
    };

    entry->setText(QString::number(MaxThrows));
    run(-1);
    const double firstRss = residentMegabytes();
    const qsizetype widgets = QApplication::allWidgets().size();
    const qsizetype descriptors = openDescriptors();
    for (int i = 1; i < 200; ++i)
        run(-1);
    for (int i = 0; i < 1000; ++i)
        run(1 + (i * 37) % 5000); // cancelled after a varying number of throws
    run(-1);
    const double lastRss = residentMegabytes();

    const double growth = (lastRss - firstRss) / firstRss * 100.0;
    const qsizetype widgetsAfter = QApplication::allWidgets().size();
    const qsizetype descriptorsAfter = openDescriptors();
    std::printf("soak: 201 full runs and 1000 cancelled runs\n");
    std::printf("resident memory after the first run %.1f MB, after the last %.1f MB (%+.2f %%)\n",
                firstRss, lastRss, growth);
    std::printf("widgets %lld -> %lld, open file descriptors %lld -> %lld\n",
                static_cast<long long>(widgets), static_cast<long long>(widgetsAfter),
                static_cast<long long>(descriptors), static_cast<long long>(descriptorsAfter));
    const QJsonObject figures{
        {QStringLiteral("rss_first_mb"), firstRss},
        {QStringLiteral("rss_last_mb"), lastRss},
        {QStringLiteral("rss_growth_percent"), growth},
        {QStringLiteral("widgets_before"), widgets},
        {QStringLiteral("widgets_after"), widgetsAfter},
        {QStringLiteral("fds_before"), descriptors},
        {QStringLiteral("fds_after"), descriptorsAfter},
    };
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    const bool sound = growth <= 5.0 && widgetsAfter == widgets && descriptorsAfter == descriptors;
    return sound ? 0 : 1;
}

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Appearance::configureApplication();

    TimedRuntime runtime;
    TimedDice dice(runtime);
    dice.show();
    QCoreApplication::processEvents();
    if (QCoreApplication::arguments().contains(QStringLiteral("--soak")))
        return soak(dice, runtime);

    const RunFigures small = measureRuns(dice, runtime, QStringLiteral("100"), 51);
    const RunFigures large = measureRuns(dice, runtime, QString::number(MaxThrows), 15);
    const double perThrow = loopNanosecondsPerThrow(15);
    const double peak = peakResidentMegabytes();

    std::printf("100 throws:    click to idle %8.3f ms\n", small.clickToIdleMs);
    std::printf("%d throws:  click to idle %8.3f ms (loop with pump %.3f ms, log box %.3f ms)\n",
                MaxThrows, large.clickToIdleMs, large.loopMs, large.boxLoadMs);
    std::printf("loop without pump or box: %.1f ns a throw\n", perThrow);
    std::printf("peak resident memory: %.1f MB\n", peak);

    const QJsonObject figures{
        {QStringLiteral("click_to_idle_ms_100"), small.clickToIdleMs},
        {QStringLiteral("click_to_idle_ms_32766"), large.clickToIdleMs},
        {QStringLiteral("loop_ms_32766"), large.loopMs},
        {QStringLiteral("box_load_ms_32766"), large.boxLoadMs},
        {QStringLiteral("loop_ns_per_throw_without_pump"), perThrow},
        {QStringLiteral("peak_rss_mb"), peak},
    };
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    return 0;
}
