// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <array>

// xoshiro256** (Blackman and Vigna): small, fast and of published statistical quality.
// Its state can take in outside readings, which a seed-replacing generator cannot.
class Generator
{
public:
    using State = std::array<quint64, 4>;

    explicit Generator(const State &seed);

    // Seeded once from the operating system's entropy source.
    static Generator fromEntropy();

    quint64 next();

    // Mixes a reading into the state without replacing it: the same reading twice still
    // leaves the state moving on, so the draws that follow never repeat because of it.
    void mix(quint64 reading);

    // A float in [0, 1) from the top 24 bits of one draw; 1.0 is never returned.
    float nextFloat();

private:
    State m_state;
};
