#include "ResultTexts.h"

#include "runtime/Runtime.h"

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
    return u"Ρίξιμο " % Runtime::Int16ToText(throwNo) % u"ο: " % Runtime::Int16ToText(face) %
           LineBreak;
}

qsizetype throwLogLength(qint16 throwCount)
{
    constexpr qsizetype fixedPart = 13; // "Ρίξιμο ", "ο: ", the face and the line break
    qsizetype length = 0;
    for (qsizetype digits = 1, first = 1; first <= throwCount; ++digits, first *= 10) {
        const qsizetype last = std::min<qsizetype>(throwCount, first * 10 - 1);
        length += (last - first + 1) * (fixedPart + digits);
    }
    return length;
}

QString StatsText(const FaceCounts &faceCount, const FacePercents &facePercent,
                  const Runtime &runtime)
{
    QString text;
    for (std::size_t face = 0; face < FaceSides; ++face) {
        text += FaceLabels[face].label % Runtime::Int16ToText(faceCount[face]) %
                u" φορές. Ποσοστό:" % runtime.SingleToText(facePercent[face]) %
                FaceLabels[face].percentSign % LineBreak;
    }
    return text;
}
