// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/Generator.h"
#include "runtime/NumberText.h"
#include "throws/ResultTexts.h"
#include "throws/ThrowRun.h"

#include <QTest>

const QLocale Greek(QLocale::Greek, QLocale::Greece);
constexpr int NotANumber = -100'000, TooMany = 100'000; // entry verdicts that make no throws

// What the logic can be asked directly: the entry's reading at its edges, the percentages'
// digits, the texts' words and signs, and the generator's draws. (The window suite makes the
// runs.)
class QuilvaneTest : public QObject
{
    Q_OBJECT

private slots:
    void entry_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("throws"); // or NotANumber, or TooMany
        QTest::newRow("tie to even, up") << Greek << "3,5" << 4;
        QTest::newRow("past the tie") << Greek << "2,500001" << 3;
        QTest::newRow("a tie with zeros, down") << Greek << "2,500" << 2;
        QTest::newRow("spaces and plus") << Greek << " \t+7 " << 7;
        QTest::newRow("point where it separates") << QLocale::c() << "2.7" << 3;
        QTest::newRow("point in greek") << Greek << "2.7" << NotANumber;
        QTest::newRow("most throws") << Greek << "032766,5" << 32766;
        QTest::newRow("rounds past the most") << Greek << "32766,6" << TooMany;
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
        QTest::newRow("one of six") << float(100.0 / 6) << "16,66667";
        QTest::newRow("one of 32766") << float(100.0 / 32766) << "0,003051944";
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
    // code): xoshiro256**'s published vector from the state 1, 2, 3, 4; and from the all-zero
    // state, which is left through SplitMix64's first output from 0, 0xe220a8397b1dcdaf.
    void generator()
    {
        const auto draws = [](const Generator::State &seed) {
            Generator generator(seed);
            QList<quint64> drawn;
            for (int n = 0; n < 4; ++n)
                drawn << generator.next();
            return drawn;
        };
        QCOMPARE(draws({1, 2, 3, 4}), QList<quint64>({11520, 0, 1509978240, 1215971899390074240}));
        QCOMPARE(draws({}),
                 QList<quint64>({0, 0xdec90d521e93e35d, 0xdec90d521e93e35d, 0x3d4340b5f593e3a5}));
        // A clock reading is mixed into the state, never put in place of part of it: two states
        // that differ only in the word it lands on stay apart after the same reading.
        const auto mixed = [](Generator generator) {
            generator.mix(7);
            return generator.next();
        };
        QVERIFY(mixed(Generator({1, 2, 3, 4})) != mixed(Generator({5, 2, 3, 4})));
    }
};

QTEST_MAIN(QuilvaneTest)
#include "tst_quilvane.moc"
