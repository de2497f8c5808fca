#include "Runtime.h"

#include "NumberText.h"

#include <QLocale>
#include <QString>

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

bool Runtime::ReadsAsNumber(QStringView text) const
{
    return NumberText::readsAsNumber(text, locale());
}

qint16 Runtime::TextToInt16(QStringView text) const
{
    const std::optional<qint64> value = NumberText::roundedValue(text, locale());
    Q_ASSERT(value && *value >= -32768 && *value <= 32767);
    return static_cast<qint16>(value.value_or(0));
}

QString Runtime::Int16ToText(qint16 value)
{
    return NumberText::int16ToText(value);
}

QString Runtime::SingleToText(float value) const
{
    return NumberText::singleToText(value, locale());
}
