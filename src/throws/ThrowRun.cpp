// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ThrowRun.h"

#include "DiceSurface.h"
#include "ResultTexts.h"
#include "runtime/NumberText.h"
#include "runtime/Runtime.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString NotANumberMessage = QStringLiteral("Δώσε Αριθμό");
const QString TooManyThrowsMessage = QStringLiteral("Ο μέγιστος αριθμός ρίψεων είναι 32766");

// The longest log line: "Ρίξιμο ", five digits, "ο: ", the face and the line break.
constexpr qsizetype LongestLogLine = 18;

// Counters are short integers; within MaxThrows they never overflow, and if they ever did the
// run must stop loudly rather than count on with a wrapped number.
void addOne(qint16 &counter)
{
    if (counter == std::numeric_limits<qint16>::max())
        qFatal("A throw counter overflowed");
    ++counter;
}

qint16 faceOf(float r)
{
    // Widened to double first: in single precision r * 6 + 1 can round up into the next face
    // (0.33333331 would give 3). The clamp keeps a generator that strays outside [0, 1) from
    // counting outside the six faces.
    const double face = std::floor(static_cast<double>(r) * 6.0 + 1.0);
    return static_cast<qint16>(std::clamp(face, 1.0, 6.0));
}

} // namespace

EntryCheck checkEntry(QStringView entry, const QLocale &locale)
{
    const std::optional<qint64> value = NumberText::roundedValue(entry, locale);
    if (!value)
        return {};
    if (*value > MaxThrows)
        return {EntryCheck::Verdict::TooManyThrows};
    const qint64 shortMin = std::numeric_limits<qint16>::min();
    return {EntryCheck::Verdict::Throws, static_cast<qint16>(std::max(*value, shortMin))};
}

void ChangeNumOfThrows_Click(DiceSurface &dice, Runtime &runtime)
{
    dice.StopThrows = false;
    dice.ShowRunningArrangement();
    dice.SetLogText(QString());
    QString PoolText;
    dice.SetStatsText(QString());

    const QLocale locale = runtime.locale();
    const EntryCheck check = checkEntry(dice.GetEntryText(), locale);
    if (check.verdict != EntryCheck::Verdict::Throws) {
        runtime.ShowMessage(check.verdict == EntryCheck::Verdict::NotANumber
                                ? NotANumberMessage
                                : TooManyThrowsMessage);
        dice.ShowIdleArrangement();
        return;
    }

    const qint16 ThrowCount = check.throwCount;
    FaceCounts FaceCount{};
    PoolText.reserve(std::max<qsizetype>(ThrowCount, 0) * LongestLogLine);
    qint16 ThrowNo = 1;
    while (ThrowNo <= ThrowCount) {
        runtime.PumpEvents();
        if (runtime.programEnded())
            return; // the program was ended (exit button, title-bar close): nothing more is shown
        if (dice.StopThrows)
            break;
        runtime.Reseed();
        const qint16 face = faceOf(runtime.NextRandom());
        addOne(FaceCount[static_cast<std::size_t>(face - 1)]);
        PoolText += ThrowLogLine(ThrowNo, face);
        addOne(ThrowNo);
    }

    // The log box is filled once, so it is not redrawn for every throw.
    dice.SetLogText(PoolText);

    const int made = ThrowNo - 1;
    FacePercents FacePercent{};
    if (made > 0) {
        for (std::size_t face = 0; face < FaceSides; ++face)
            FacePercent[face] =
                static_cast<float>(static_cast<double>(FaceCount[face]) / made * 100.0);
    }
    dice.SetStatsText(StatsText(FaceCount, FacePercent, locale));
    dice.ShowIdleArrangement();
}

void Command1_Click(DiceSurface &dice)
{
    dice.StopThrows = true;
}
