#include "runtime/NumberText.h"

#include <QLocale>
#include <QTest>

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readsAndRounds_data();
    void readsAndRounds();
    void int16ToText_data();
    void int16ToText();
    void singleToText_data();
    void singleToText();
};

namespace {

const QLocale C = QLocale::c();
const QLocale Greek(QLocale::Greek, QLocale::Greece);
constexpr qint64 NotANumber = std::numeric_limits<qint64>::min();

} // namespace

void NumberTextTest::readsAndRounds_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("rounded"); // NotANumber where the text does not read as one

    const qint64 saturation = NumberText::saturation;
    const struct
    {
        const char *name;
        const QLocale &locale;
        QString text;
        qint64 rounded;
    } rows[] = {
        {"digits", C, QStringLiteral("100"), 100},
        {"surrounding white space", C, QStringLiteral(" \t42\n "), 42},
        {"leading minus", C, QStringLiteral("-7"), -7},
        {"leading plus", C, QStringLiteral("+7"), 7},
        {"zero", C, QStringLiteral("0"), 0},
        {"leading zeros", C, QStringLiteral("0000000000000032766"), 32766},
        {"fraction rounds up", C, QStringLiteral("2.7"), 3},
        {"fraction rounds down", C, QStringLiteral("2.49999"), 2},
        {"tie to even, down", C, QStringLiteral("2.5"), 2},
        {"tie to even, up", C, QStringLiteral("3.5"), 4},
        {"negative tie to even", C, QStringLiteral("-2.5"), -2},
        {"negative tie, away", C, QStringLiteral("-3.5"), -4},
        {"half and a bit", C, QStringLiteral("2.5000001"), 3},
        {"tie of zeros", C, QStringLiteral("0.5"), 0},
        {"tie past the range", C, QStringLiteral("32767.5"), 32768},
        {"separator after digits", C, QStringLiteral("5."), 5},
        {"separator before digits", C, QStringLiteral(".5"), 0},
        {"huge", C, QStringLiteral("99999999999999999999999"), saturation},
        {"huge negative", C, QStringLiteral("-99999999999999999999999"), -saturation},
        {"pasted megabyte", C, QString(1'000'000, u'9'), saturation},
        {"greek separator", Greek, QStringLiteral("2,7"), 3},
        {"greek separator after digits", Greek, QStringLiteral("5,"), 5},
        {"greek separator before digits", Greek, QStringLiteral(",5"), 0},
        {"greek negative tie", Greek, QStringLiteral("-2,5"), -2},
        {"empty", C, QString(), NotANumber},
        {"only white space", C, QStringLiteral("   "), NotANumber},
        {"letters", C, QStringLiteral("abc"), NotANumber},
        {"trailing letter", C, QStringLiteral("12a"), NotANumber},
        {"only a sign", C, QStringLiteral("-"), NotANumber},
        {"only a separator", C, QStringLiteral("."), NotANumber},
        {"two signs", C, QStringLiteral("--5"), NotANumber},
        {"space after sign", C, QStringLiteral("- 5"), NotANumber},
        {"two separators", C, QStringLiteral("2.7.1"), NotANumber},
        {"group separator", C, QStringLiteral("1,000"), NotANumber},
        {"exponent", C, QStringLiteral("1e3"), NotANumber},
        {"arabic-indic digit", C, QStringLiteral("\u0663"), NotANumber},
        {"inner space", C, QStringLiteral("1 000"), NotANumber},
        {"pasted megabyte with a letter", C, QString(1'000'000, u'1') + u'x', NotANumber},
        {"point in greek", Greek, QStringLiteral("2.7"), NotANumber},
        {"greek group separator", Greek, QStringLiteral("1.000"), NotANumber},
        {"greek only a separator", Greek, QStringLiteral(","), NotANumber},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.locale << row.text << row.rounded;
}

void NumberTextTest::readsAndRounds()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(qint64, rounded);

    QCOMPARE(NumberText::readsAsNumber(text, locale), rounded != NotANumber);
    const std::optional<qint64> value = NumberText::roundedValue(text, locale);
    QCOMPARE(value.value_or(NotANumber), rounded);
}

void NumberTextTest::int16ToText_data()
{
    QTest::addColumn<qint16>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit") << qint16(7) << QStringLiteral("7");
    QTest::newRow("zero") << qint16(0) << QStringLiteral("0");
    QTest::newRow("five digits, no grouping") << qint16(32766) << QStringLiteral("32766");
    QTest::newRow("smallest") << qint16(-32768) << QStringLiteral("-32768");
}

void NumberTextTest::int16ToText()
{
    QFETCH(qint16, value);
    QFETCH(QString, text);
    // The Greek locale groups thousands with "."; the conversion must not.
    const QLocale previous;
    QLocale::setDefault(Greek);
    const QString result = NumberText::int16ToText(value);
    QLocale::setDefault(previous);
    QCOMPARE(result, text);
}

void NumberTextTest::singleToText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");

    const auto share = [](double count, double made) {
        return static_cast<float>(count / made * 100.0);
    };
    QTest::newRow("whole") << C << 17.0f << QStringLiteral("17");
    QTest::newRow("zero") << C << 0.0f << QStringLiteral("0");
    QTest::newRow("negative zero") << C << -0.0f << QStringLiteral("0");
    QTest::newRow("hundred") << C << 100.0f << QStringLiteral("100");
    QTest::newRow("one of six") << C << share(1, 6) << QStringLiteral("16.66667");
    QTest::newRow("one of six, greek") << Greek << share(1, 6) << QStringLiteral("16,66667");
    QTest::newRow("one of 32766") << C << share(1, 32766) << QStringLiteral("0.003051944");
    QTest::newRow("one of 32766, greek")
        << Greek << share(1, 32766) << QStringLiteral("0,003051944");
    QTest::newRow("half") << Greek << 0.5f << QStringLiteral("0,5");
    QTest::newRow("tiny, no exponent") << C << 1e-7f << QStringLiteral("0.0000001");
    QTest::newRow("rounding carries into a new digit") << C << 1e-5f << QStringLiteral("0.00001");
    QTest::newRow("rounding carries a nine") << C << 1.9999999f << QStringLiteral("2");
    QTest::newRow("seven digits kept") << C << 33.33333f << QStringLiteral("33.33333");
    QTest::newRow("large, no exponent, no grouping")
        << Greek << 12345678.0f << QStringLiteral("12345680");
    QTest::newRow("negative") << Greek << -2.5f << QStringLiteral("-2,5");
}

void NumberTextTest::singleToText()
{
    QFETCH(QLocale, locale);
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::singleToText(value, locale), text);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
