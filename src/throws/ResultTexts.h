#pragma once

#include <QtGlobal>

#include <array>

class QString;
class Runtime;

inline constexpr int FaceSides = 6;
using FaceCounts = std::array<qint16, FaceSides>;
using FacePercents = std::array<float, FaceSides>;

// "Ρίξιμο 12ο: 3" and a line break: one line of the throw log.
QString ThrowLogLine(qint16 throwNo, qint16 face);

// The log's length in code units for a run of the given number of throws.
qsizetype throwLogLength(qint16 throwCount);

// Six lines, one per face, of its count and its share of the throws.
QString StatsText(const FaceCounts &faceCount, const FacePercents &facePercent,
                  const Runtime &runtime);
