#include "ScriptedRuntime.h"
#include "throws/ResultTexts.h"

#include <QTest>

class ResultTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void throwLogLine_data();
    void throwLogLine();
    void logLength_data();
    void logLength();
    void statsText_data();
    void statsText();
};

void ResultTextsTest::throwLogLine_data()
{
    QTest::addColumn<qint16>("throwNo");
    QTest::addColumn<qint16>("face");
    QTest::addColumn<QString>("line");
    // "\u03bf" is the Greek omicron that makes the number an ordinal, not a Latin o.
    QTest::newRow("first") << qint16(1) << qint16(6)
                           << QStringLiteral("\u03a1\u03af\u03be\u03b9\u03bc\u03bf 1\u03bf: 6\r\n");
    QTest::newRow("twelfth") << qint16(12) << qint16(3) << QStringLiteral("Ρίξιμο 12ο: 3\r\n");
    QTest::newRow("last, five digits")
        << qint16(32766) << qint16(1) << QStringLiteral("Ρίξιμο 32766ο: 1\r\n");
}

void ResultTextsTest::throwLogLine()
{
    QFETCH(qint16, throwNo);
    QFETCH(qint16, face);
    QFETCH(QString, line);
    const QString result = ThrowLogLine(throwNo, face);
    QCOMPARE(result, line);
    QVERIFY(!result.contains(u'o')); // no Latin o anywhere
}

void ResultTextsTest::logLength_data()
{
    QTest::addColumn<qint16>("throws");
    QTest::newRow("none") << qint16(0);
    QTest::newRow("negative") << qint16(-5);
    QTest::newRow("one") << qint16(1);
    QTest::newRow("digit boundary") << qint16(10);
    QTest::newRow("hundred") << qint16(100);
    QTest::newRow("most") << qint16(32766);
}

void ResultTextsTest::logLength()
{
    QFETCH(qint16, throws);
    QString log;
    for (qint16 n = 1; n <= throws; ++n)
        log += ThrowLogLine(n, 4);
    QCOMPARE(throwLogLength(throws), log.size());
    if (throws == 32766)
        QCOMPARE(log.size(), 578'682);
}

void ResultTextsTest::statsText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<FaceCounts>("counts");
    QTest::addColumn<FacePercents>("percents");
    QTest::addColumn<QString>("text");

    QTest::newRow("hundred throws") << QLocale::c() << FaceCounts{17, 15, 18, 16, 17, 17}
                                    << FacePercents{17, 15, 18, 16, 17, 17}
                                    << QStringLiteral("Άσοι βγήκαν: 17 φορές. Ποσοστό:17%\r\n"
                                                      "Δύο βγήκαν: 15 φορές. Ποσοστό:15 %\r\n"
                                                      "Τρία βγήκαν: 18 φορές. Ποσοστό:18%\r\n"
                                                      "Τεσσάρια βγήκαν: 16 φορές. Ποσοστό:16%\r\n"
                                                      "Πεντάρια βγήκαν: 17 φορές. Ποσοστό:17%\r\n"
                                                      "Εξάρια βγήκαν: 17 φορές. Ποσοστό:17%\r\n");
    const auto sixth = static_cast<float>(1.0 / 6.0 * 100.0);
    QTest::newRow("six throws, greek separator")
        << QLocale(QLocale::Greek, QLocale::Greece) << FaceCounts{1, 1, 1, 1, 1, 1}
        << FacePercents{sixth, sixth, sixth, sixth, sixth, sixth}
        << QStringLiteral("Άσοι βγήκαν: 1 φορές. Ποσοστό:16,66667%\r\n"
                          "Δύο βγήκαν: 1 φορές. Ποσοστό:16,66667 %\r\n"
                          "Τρία βγήκαν: 1 φορές. Ποσοστό:16,66667%\r\n"
                          "Τεσσάρια βγήκαν: 1 φορές. Ποσοστό:16,66667%\r\n"
                          "Πεντάρια βγήκαν: 1 φορές. Ποσοστό:16,66667%\r\n"
                          "Εξάρια βγήκαν: 1 φορές. Ποσοστό:16,66667%\r\n");
    QTest::newRow("no throws") << QLocale::c() << FaceCounts{} << FacePercents{}
                               << QStringLiteral("Άσοι βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                                                 "Δύο βγήκαν: 0 φορές. Ποσοστό:0 %\r\n"
                                                 "Τρία βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                                                 "Τεσσάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                                                 "Πεντάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                                                 "Εξάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n");
    const auto rare = static_cast<float>(1.0 / 32766.0 * 100.0);
    QTest::newRow("smallest share")
        << QLocale::c() << FaceCounts{32765, 1, 0, 0, 0, 0}
        << FacePercents{100.0f - rare, rare, 0, 0, 0, 0}
        << QStringLiteral("Άσοι βγήκαν: 32765 φορές. Ποσοστό:99.99695%\r\n"
                          "Δύο βγήκαν: 1 φορές. Ποσοστό:0.003051944 %\r\n"
                          "Τρία βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                          "Τεσσάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                          "Πεντάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n"
                          "Εξάρια βγήκαν: 0 φορές. Ποσοστό:0%\r\n");
}

void ResultTextsTest::statsText()
{
    QFETCH(QLocale, locale);
    QFETCH(FaceCounts, counts);
    QFETCH(FacePercents, percents);
    QFETCH(QString, text);
    const ScriptedRuntime runtime(locale);
    QCOMPARE(StatsText(counts, percents, runtime), text);
}

QTEST_APPLESS_MAIN(ResultTextsTest)
#include "tst_resulttexts.moc"
