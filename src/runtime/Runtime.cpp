// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Runtime.h"

Runtime::Runtime(const Generator &generator)
    : m_generator(generator)
{}

Runtime::~Runtime() = default;

void Runtime::Reseed()
{
    m_generator.mix(clockReading());
}

float Runtime::NextRandom()
{
    return m_generator.nextFloat();
}
