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
