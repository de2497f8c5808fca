// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NumberText.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cmath>

namespace {

struct ParsedNumber
{
    bool negative = false;
    QStringView wholeDigits;
    QStringView fractionDigits;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype digitRun(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - from;
}

std::optional<ParsedNumber> parse(QStringView text, const QLocale &locale)
{
    text = text.trimmed();
    ParsedNumber number;
    qsizetype at = 0;
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        number.negative = text.front() == u'-';
        at = 1;
    } else if (!minus.isEmpty() && text.startsWith(minus)) {
        number.negative = true;
        at = minus.size();
    } else if (!plus.isEmpty() && text.startsWith(plus)) {
        at = plus.size();
    }

    const qsizetype wholeLength = digitRun(text, at);
    number.wholeDigits = text.sliced(at, wholeLength);
    at += wholeLength;

    const QString separator = locale.decimalPoint();
    if (!separator.isEmpty() && text.sliced(at).startsWith(separator)) {
        at += separator.size();
        const qsizetype fractionLength = digitRun(text, at);
        number.fractionDigits = text.sliced(at, fractionLength);
        at += fractionLength;
    }

    if (at != text.size() || number.wholeDigits.size() + number.fractionDigits.size() == 0)
        return std::nullopt;
    return number;
}

// Half to even: a fraction of exactly one half goes to the even neighbour.
bool roundsUp(QStringView fraction, qint64 whole)
{
    if (fraction.isEmpty() || fraction.front() < u'5')
        return false;
    if (fraction.front() > u'5')
        return true;
    for (const QChar c : fraction.sliced(1)) {
        if (c != u'0')
            return true;
    }
    return whole % 2 != 0;
}

} // namespace

namespace NumberText {

std::optional<qint64> roundedValue(QStringView text, const QLocale &locale)
{
    const std::optional<ParsedNumber> number = parse(text, locale);
    if (!number)
        return std::nullopt;

    qint64 whole = 0;
    for (const QChar c : number->wholeDigits) {
        whole = whole * 10 + (c.unicode() - u'0');
        if (whole >= saturation)
            return number->negative ? -saturation : saturation;
    }
    if (roundsUp(number->fractionDigits, whole))
        ++whole;
    return number->negative ? -whole : whole;
}

QString Int16ToText(qint16 value)
{
    return QString::number(value);
}

QString SingleToText(float value, const QLocale &locale)
{
    const double exact = value; // widening is exact
    if (!std::isfinite(exact))
        return QString::number(exact);

    // Seven significant digits and their exponent, then placed without an exponent.
    const QString scientific = QString::number(std::abs(exact), 'e', 6); // "d.dddddde+XX"
    const qsizetype e = scientific.indexOf(u'e');
    const QString digits = scientific.first(1) + scientific.sliced(2, e - 2);
    const int exponent = scientific.sliced(e + 1).toInt();

    QString whole;
    QString fraction;
    if (exponent < 0) {
        whole = QStringLiteral("0");
        fraction = QString(-exponent - 1, u'0') + digits;
    } else if (exponent < digits.size()) {
        whole = digits.first(exponent + 1);
        fraction = digits.sliced(exponent + 1);
    } else {
        whole = digits + QString(exponent + 1 - digits.size(), u'0');
    }
    while (fraction.endsWith(u'0'))
        fraction.chop(1);

    QString text = std::signbit(exact) && !(whole == u"0" && fraction.isEmpty())
                       ? QStringLiteral("-") + whole
                       : whole;
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

} // namespace NumberText
