// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <array>

class QLocale;
class QString;

inline constexpr int FaceSides = 6;
using FaceCounts = std::array<qint16, FaceSides>;
using FacePercents = std::array<float, FaceSides>;

// "Ρίξιμο 12ο: 3" and a line break: one line of the throw log.
QString ThrowLogLine(qint16 throwNo, qint16 face);

// Six lines, one per face, of its count and its share of the throws.
QString StatsText(const FaceCounts &faceCount, const FacePercents &facePercent,
                  const QLocale &locale);
