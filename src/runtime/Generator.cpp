// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Generator.h"

#include <QRandomGenerator>

#include <bit>

namespace {

// SplitMix64's output step spreads every bit of a reading over the whole word.
quint64 splitMix(quint64 value)
{
    value += 0x9e3779b97f4a7c15ULL;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

} // namespace

Generator::Generator(const State &seed)
    : m_state(seed)
{
    // The all-zero state is the one state xoshiro never leaves.
    if (m_state == State{})
        m_state[0] = splitMix(0);
}

Generator Generator::fromEntropy()
{
    State seed;
    for (quint64 &word : seed)
        word = QRandomGenerator::system()->generate64();
    return Generator(seed);
}

quint64 Generator::next()
{
    const quint64 result = std::rotl(m_state[1] * 5, 7) * 9;
    const quint64 t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = std::rotl(m_state[3], 45);
    return result;
}

void Generator::mix(quint64 reading)
{
    m_state[0] ^= splitMix(reading);
    if (m_state == State{})
        m_state[0] = splitMix(reading + 1);
    next(); // carries the mixed word into the rest of the state
}

float Generator::nextFloat()
{
    constexpr float unit = 1.0f / 16777216.0f; // 2^-24: every 24-bit value is exact in a float
    return static_cast<float>(next() >> 40) * unit;
}
