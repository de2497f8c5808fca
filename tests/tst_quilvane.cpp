// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/Generator.h"
#include "runtime/NumberText.h"
#include "throws/ResultTexts.h"
#include "throws/ThrowRun.h"

#include <QTest>

namespace {

const QLocale Greek(QLocale::Greek, QLocale::Greece);
constexpr int NotANumber = -100'000, TooMany = 100'000; // entry verdicts that make no throws

} // namespace

// What the logic can be asked directly: the entry's reading at its edges, the percentages'
// digits (values no run makes among them), and the generator's draws. (The window suite makes
// the runs.)
class QuilvaneTest : public QObject
{
    Q_OBJECT

private slots:
    void entry_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("throws"); // or NotANumber, or TooMany
        QTest::newRow("tie to even, down") << Greek << "2,5" << 2;
        QTest::newRow("tie to even, up") << Greek << "3,5" << 4;
        QTest::newRow("past the tie") << Greek << "2,500001" << 3;
        QTest::newRow("a tie with zeros") << Greek << "2,500" << 2;
        QTest::newRow("negative tie") << Greek << "-2,5" << -2;
        QTest::newRow("spaces and plus") << Greek << " \t+7 " << 7;
        QTest::newRow("ASCII minus, the locale's own") << QLocale(QLocale::Swedish) << "-3" << -3;
        QTest::newRow("point where it separates") << QLocale::c() << "2.7" << 3;
        QTest::newRow("point in greek") << Greek << "2.7" << NotANumber;
        QTest::newRow("most throws") << Greek << "032766,5" << 32766;
        QTest::newRow("rounds past the most") << Greek << "32766,6" << TooMany;
        QTest::newRow("pasted megabyte") << Greek << QString(1'000'000, '9') << TooMany;
        QTest::newRow("and a letter") << Greek << QString(1'000'000, '9') + 'x' << NotANumber;
        QTest::newRow("below the short range") << Greek << "-99999999999999999999" << -32768;
    }
    void entry()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        const EntryCheck check = checkEntry(text, locale);
        QTEST(check.verdict == EntryCheck::Verdict::NotANumber      ? NotANumber
              : check.verdict == EntryCheck::Verdict::TooManyThrows ? TooMany
                                                                    : int(check.throwCount),
              "throws");
    }

    void singleToText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("negative") << -0.5f << "-0,5";
        QTest::newRow("one of six") << float(100.0 / 6) << "16,66667";
        QTest::newRow("one of 32766") << float(100.0 / 32766) << "0,003051944";
        QTest::newRow("carries a nine") << 1.9999999f << "2";
        QTest::newRow("carries into a new digit") << 1e-5f << "0,00001";
        QTest::newRow("large, no exponent") << 12345678.0f << "12345680";
    }
    void singleToText()
    {
        QFETCH(float, value);
        QTEST(NumberText::SingleToText(value, Greek), "text");
    }

    // The texts of a run of 100 throws, as the design gives them: a log line, and the statistics
    // with the second line's spaced percent sign.
    void texts()
    {
        QCOMPARE(ThrowLogLine(12, 3), QStringLiteral("Ρίξιμο 12ο: 3\r\n"));
        QCOMPARE(StatsText({17, 15, 18, 16, 17, 17}, {17, 15, 18, 16, 17, 17}, Greek),
                 QStringLiteral("Άσοι βγήκαν: 17 φορές. Ποσοστό:17%\r\n"
                                "Δύο βγήκαν: 15 φορές. Ποσοστό:15 %\r\n"
                                "Τρία βγήκαν: 18 φορές. Ποσοστό:18%\r\n"
                                "Τεσσάρια βγήκαν: 16 φορές. Ποσοστό:16%\r\n"
                                "Πεντάρια βγήκαν: 17 φορές. Ποσοστό:17%\r\n"
                                "Εξάρια βγήκαν: 17 φορές. Ποσοστό:17%\r\n"));
    }

    // Draws as the published xoshiro256** and SplitMix64 give them (computed apart from this
    // code): the all-zero state is left through SplitMix64(0) = 0xe220a8397b1dcdaf, and a clock
    // reading is mixed in as word 0 ^= SplitMix64(reading), then one draw; a reading that would
    // zero the state makes word 0 SplitMix64(reading + 1) instead.
    void generator_data()
    {
        QTest::addColumn<QList<quint64>>("seed");
        QTest::addColumn<QList<quint64>>("readings");
        QTest::addColumn<QList<quint64>>("draws");
        QTest::newRow("published vector")
            << QList<quint64>{1, 2, 3, 4} << QList<quint64>{}
            << QList<quint64>{11520, 0, 1509978240, 1215971899390074240};
        QTest::newRow("all-zero state")
            << QList<quint64>{0, 0, 0, 0} << QList<quint64>{}
            << QList<quint64>{0, 0xdec90d521e93e35d, 0xdec90d521e93e35d, 0x3d4340b5f593e3a5};
        QTest::newRow("a reading mixed in")
            << QList<quint64>{1, 2, 3, 4} << QList<quint64>{12345}
            << QList<quint64>{0x89f4caece00c92fd, 0x89f4caed3a0d037d, 0x1194852dc00d30e0};
        QTest::newRow("a reading that would zero the state")
            << QList<quint64>{0xe220a8397b1dcdaf, 0, 0, 0} << QList<quint64>{0}
            << QList<quint64>{0x65094a0ab526fa3a, 0x65094a0ab526fa3a, 0x911de8434826fad3};
    }
    void generator()
    {
        QFETCH(QList<quint64>, seed);
        QFETCH(QList<quint64>, readings);
        QFETCH(QList<quint64>, draws);
        Generator generator({seed[0], seed[1], seed[2], seed[3]});
        for (const quint64 reading : readings)
            generator.mix(reading);
        QList<quint64> drawn;
        while (drawn.size() < draws.size())
            drawn << generator.next();
        QCOMPARE(drawn, draws);
    }
};

QTEST_MAIN(QuilvaneTest)
#include "tst_quilvane.moc"
