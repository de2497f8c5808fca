// Feeds arbitrary bytes, read as UTF-8 and as UTF-16, through the whole entry path: the
// numeric test, the rounding and the range decision. Beyond "no crash" it checks each answer
// against a plain reference reading of the same text.

#include "runtime/NumberText.h"
#include "throws/ThrowRun.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition, const char *what, const QString &text)
{
    if (!condition) {
        qCritical("property broken: %s for %s", what, qPrintable(text.toHtmlEscaped()));
        std::abort();
    }
}

// The reference: optional sign, digits, one separator, digits; at least one digit.
bool referenceReads(const QString &text, const QLocale &locale)
{
    const QString separator = QRegularExpression::escape(locale.decimalPoint());
    const QRegularExpression number(
        QStringLiteral("\\A[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)\\z").arg(separator));
    return number.match(text.trimmed()).hasMatch();
}

void check(const QString &text, const QLocale &locale)
{
    const std::optional<qint64> rounded = NumberText::roundedValue(text, locale);
    const bool reads = rounded.has_value();
    require(reads == referenceReads(text, locale), "numeric test disagrees with reference", text);

    // Up to fifteen significant digits a double holds the value and its halves exactly, and
    // rounding to nearest-even is what the entry's rounding promises.
    const QString trimmed = text.trimmed();
    if (reads && std::ranges::count_if(trimmed, [](QChar c) { return c.isDigit(); }) <= 15) {
        QString plain = trimmed;
        plain.replace(locale.decimalPoint(), QStringLiteral("."));
        const double value = std::strtod(plain.toLatin1().constData(), nullptr);
        std::fesetround(FE_TONEAREST);
        const auto expected = static_cast<qint64>(std::nearbyint(value));
        require(*rounded == std::clamp(expected, -NumberText::saturation, NumberText::saturation),
                "rounded value disagrees with reference", text);
    }

    const EntryCheck entry = checkEntry(text, locale);
    switch (entry.verdict) {
    case EntryCheck::Verdict::NotANumber:
        require(!reads, "a number was refused as not a number", text);
        break;
    case EntryCheck::Verdict::TooManyThrows:
        require(reads && *rounded > MaxThrows, "a run within the limit was refused", text);
        break;
    case EntryCheck::Verdict::Throws:
        require(reads && *rounded <= MaxThrows, "a run past the limit was accepted", text);
        require(*rounded < -32768 ? entry.throwCount == -32768 : entry.throwCount == *rounded,
                "throw count differs from the entry's value", text);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale c = QLocale::c();
    static const QLocale greek(QLocale::Greek, QLocale::Greece);
    const auto *bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);

    const QString utf8 = QString::fromUtf8(bytes, length);
    const QString utf16 = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), length / 2);
    for (const QLocale *locale : {&c, &greek}) {
        check(utf8, *locale);
        check(utf16, *locale);
    }
    return 0;
}
