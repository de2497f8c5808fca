// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ResultTexts.h"

#include "runtime/NumberText.h"

#include <QString>
#include <QStringBuilder>

namespace {

constexpr QStringView LineBreak = u"\r\n";

struct FaceLabel
{
    QStringView label;
    QStringView percentSign;
};

// The second line's sign stands apart from its number, as it always has.
constexpr std::array<FaceLabel, FaceSides> FaceLabels = {{
    {u"Άσοι βγήκαν: ", u"%"},
    {u"Δύο βγήκαν: ", u" %"},
    {u"Τρία βγήκαν: ", u"%"},
    {u"Τεσσάρια βγήκαν: ", u"%"},
    {u"Πεντάρια βγήκαν: ", u"%"},
    {u"Εξάρια βγήκαν: ", u"%"},
}};

} // namespace

QString ThrowLogLine(qint16 throwNo, qint16 face)
{
    return u"Ρίξιμο " % NumberText::Int16ToText(throwNo) % u"ο: " % NumberText::Int16ToText(face) %
           LineBreak;
}

QString StatsText(const FaceCounts &faceCount, const FacePercents &facePercent,
                  const QLocale &locale)
{
    QString text;
    for (std::size_t face = 0; face < FaceSides; ++face) {
        text += FaceLabels[face].label % NumberText::Int16ToText(faceCount[face]) %
                u" φορές. Ποσοστό:" % NumberText::SingleToText(facePercent[face], locale) %
                FaceLabels[face].percentSign % LineBreak;
    }
    return text;
}
