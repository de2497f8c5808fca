#include "DiceFixture.h"
#include "ScriptedRuntime.h"
#include "window/Appearance.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using DiceDesign::ChangeNumOfThrows;
using DiceDesign::Command1;
using DiceDesign::Command2;
using DiceDesign::DicePool;
using DiceDesign::Label1;
using DiceDesign::Label3;
using DiceDesign::NumOfThrows;
using DiceDesign::Stats;

namespace {

const QString NotANumber = QStringLiteral("message: Δώσε Αριθμό");
const QString TooMany = QStringLiteral("message: Ο μέγιστος αριθμός ρίψεων είναι 32766");

struct Results
{
    QList<int> faces; // the log's faces, in order
    QList<int> counts;
    QStringList percents;
};

} // namespace

class ThrowRunTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void hundredThrows();
    void entries_data();
    void entries();
    void cancel_data();
    void cancel();
    void largestRun();
    void exitDuringRun();
    void twoRunsInARow();
    void faceRule_data();
    void faceRule();
    void percentagesAreSharesOfThrowsMade();

private:
    void roll(const QString &entry);
    bool idle() const;
    Results results() const;
    QString logText() const;
    QString statsText() const;

    DiceFixture<ScriptedRuntime> m_window;
};

void ThrowRunTest::initTestCase()
{
    Appearance::configureApplication();
}

void ThrowRunTest::init()
{
    QVERIFY(m_window.open(QLocale(QLocale::Greek, QLocale::Greece)));
}

void ThrowRunTest::cleanup()
{
    m_window.close();
}

void ThrowRunTest::roll(const QString &entry)
{
    static_cast<QLineEdit *>(m_window.dice->control(NumOfThrows))->setText(entry);
    QTest::mouseClick(m_window.dice->control(ChangeNumOfThrows), Qt::LeftButton);
}

bool ThrowRunTest::idle() const
{
    return m_window.dice->control(Label1)->isVisible() &&
           m_window.dice->control(NumOfThrows)->isVisible() &&
           m_window.dice->control(ChangeNumOfThrows)->isVisible() &&
           !m_window.dice->control(Label3)->isVisible() &&
           !m_window.dice->control(Command1)->isVisible();
}

QString ThrowRunTest::logText() const
{
    return static_cast<QPlainTextEdit *>(m_window.dice->control(DicePool))->toPlainText();
}

QString ThrowRunTest::statsText() const
{
    return static_cast<QPlainTextEdit *>(m_window.dice->control(Stats))->toPlainText();
}

// Reads the boxes back, checking the form of every line on the way.
Results ThrowRunTest::results() const
{
    Results results;
    QStringList lines = logText().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    static const QRegularExpression logLine(QStringLiteral("^Ρίξιμο (\\d+)ο: ([1-6])$"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = logLine.match(lines[i]);
        if (!match.hasMatch() || match.captured(1).toInt() != i + 1) {
            qWarning() << "bad log line" << lines[i];
            return {};
        }
        results.faces << match.captured(2).toInt();
    }
    static const QRegularExpression statsLine(
        QStringLiteral("^\\S+ βγήκαν: (\\d+) φορές\\. Ποσοστό:([\\d,]+)( ?)%$"));
    const QStringList stats = statsText().split(u'\n');
    for (qsizetype i = 0; i < 6; ++i) {
        const QRegularExpressionMatch match = statsLine.match(stats.value(i));
        if (!match.hasMatch() || (match.captured(3) == u" ") != (i == 1)) {
            qWarning() << "bad statistics line" << stats.value(i);
            return {};
        }
        results.counts << match.captured(1).toInt();
        results.percents << match.captured(2);
    }
    return results;
}

void ThrowRunTest::hundredThrows()
{
    bool runningSeen = true;
    m_window.runtime->onPump = [&](int) {
        runningSeen = runningSeen && !idle() && m_window.dice->control(Command1)->isVisible() &&
                      m_window.dice->control(Label3)->isVisible() && logText().isEmpty() &&
                      statsText().isEmpty();
    };
    roll(QStringLiteral("100"));

    QVERIFY(runningSeen);
    QVERIFY(idle());
    QCOMPARE(m_window.runtime->pumps, 100);
    QCOMPARE(m_window.runtime->reseeds, 100);
    const Results r = results();
    QCOMPARE(r.faces.size(), 100);
    QCOMPARE(r.counts.size(), 6);
    for (int face = 1; face <= 6; ++face) {
        QCOMPARE(r.counts[face - 1], r.faces.count(face));
        QCOMPARE(r.percents[face - 1], QString::number(r.counts[face - 1]));
    }
    QCOMPARE(std::accumulate(r.counts.begin(), r.counts.end(), 0), 100);
    QCOMPARE(m_window.runtime->journal, QStringList());
}

void ThrowRunTest::entries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("throws"); // -1: refused with a message
    QTest::addColumn<QString>("message");

    QTest::newRow("letters") << QStringLiteral("abc") << -1 << NotANumber;
    QTest::newRow("empty box") << QString() << -1 << NotANumber;
    QTest::newRow("point in greek") << QStringLiteral("2.7") << -1 << NotANumber;
    QTest::newRow("exponent") << QStringLiteral("1e3") << -1 << NotANumber;
    QTest::newRow("one past the most") << QStringLiteral("32767") << -1 << TooMany;
    QTest::newRow("rounds past the most") << QStringLiteral("32766,6") << -1 << TooMany;
    QTest::newRow("far past the short range")
        << QStringLiteral("99999999999999999999") << -1 << TooMany;
    QTest::newRow("greek fraction rounds up") << QStringLiteral("2,7") << 3 << QString();
    QTest::newRow("tie rounds to even") << QStringLiteral("2,5") << 2 << QString();
    QTest::newRow("surrounded by spaces") << QStringLiteral(" 7 ") << 7 << QString();
    QTest::newRow("plus sign") << QStringLiteral("+4") << 4 << QString();
    QTest::newRow("zero") << QStringLiteral("0") << 0 << QString();
    QTest::newRow("negative") << QStringLiteral("-5") << 0 << QString();
    QTest::newRow("smallest short") << QStringLiteral("-32768") << 0 << QString();
    QTest::newRow("below the short range") << QStringLiteral("-99999999999") << 0 << QString();
    QTest::newRow("rounds to zero") << QStringLiteral("0,4") << 0 << QString();
}

void ThrowRunTest::entries()
{
    QFETCH(QString, entry);
    QFETCH(int, throws);
    QFETCH(QString, message);

    m_window.runtime->onMessage = [&](const QString &) {
        QVERIFY(!idle());
    }; // shown over the run's look
    roll(entry);

    QVERIFY(idle());
    QCOMPARE(m_window.dice->GetEntryText(), entry);
    QCOMPARE(m_window.runtime->pumps, std::max(throws, 0));
    if (throws < 0) {
        QCOMPARE(m_window.runtime->journal, QStringList{message});
        QCOMPARE(logText(), QString());
        QCOMPARE(statsText(), QString());
        return;
    }
    QCOMPARE(m_window.runtime->journal, QStringList());
    const Results r = results();
    QCOMPARE(r.faces.size(), throws);
    QCOMPARE(std::accumulate(r.counts.begin(), r.counts.end(), 0), throws);
    if (throws == 0)
        QCOMPARE(r.percents, QStringList(6, QStringLiteral("0")));
}

void ThrowRunTest::cancel_data()
{
    QTest::addColumn<int>("clickAtPump");
    QTest::newRow("waiting before the first throw") << 1;
    QTest::newRow("after thirty throws") << 31;
}

// The click arrives through the pump before throw clickAtPump, which is then not made; the
// results are those of the throws made so far, and shares of them.
void ThrowRunTest::cancel()
{
    QFETCH(int, clickAtPump);
    m_window.runtime->onPump = [&](int pumpNo) {
        if (pumpNo == clickAtPump)
            QTest::mouseClick(m_window.dice->control(Command1), Qt::LeftButton);
    };
    roll(QStringLiteral("32766"));

    const int made = clickAtPump - 1;
    QVERIFY(idle());
    QVERIFY(m_window.dice->StopThrows);
    QCOMPARE(m_window.runtime->pumps, clickAtPump);
    QCOMPARE(m_window.runtime->reseeds, made);
    const Results r = results();
    QCOMPARE(r.faces.size(), made);
    QCOMPARE(std::accumulate(r.counts.begin(), r.counts.end(), 0), made);
    for (int face = 1; face <= 6; ++face) {
        const int count = r.counts[face - 1];
        QCOMPARE(count, r.faces.count(face));
        const float share = made == 0 ? 0.0f : static_cast<float>(count / double(made) * 100.0);
        QCOMPARE(r.percents[face - 1], m_window.runtime->SingleToText(share));
    }
}

void ThrowRunTest::largestRun()
{
    roll(QStringLiteral("32766"));
    const Results r = results();
    QCOMPARE(r.faces.size(), 32766);
    QVERIFY(logText().endsWith(QStringLiteral("Ρίξιμο 32766ο: %1\n").arg(r.faces.last())));
    QCOMPARE(std::accumulate(r.counts.begin(), r.counts.end(), 0), 32766);
}

void ThrowRunTest::exitDuringRun()
{
    m_window.runtime->onPump = [&](int pumpNo) {
        if (pumpNo == 10)
            QTest::mouseClick(m_window.dice->control(Command2), Qt::LeftButton);
    };
    roll(QStringLiteral("100"));

    QCOMPARE(m_window.runtime->journal,
             QStringList({QStringLiteral("message: Ευχαριστώ Πολύ"), QStringLiteral("end")}));
    QCOMPARE(m_window.runtime->pumps, 10);
    QCOMPARE(m_window.runtime->reseeds, 9);
    QCOMPARE(logText(), QString());
    QCOMPARE(statsText(), QString());
    QVERIFY(!idle()); // the run ended with the program, not back in the idle look
}

void ThrowRunTest::twoRunsInARow()
{
    roll(QStringLiteral("100"));
    QCOMPARE(results().faces.size(), 100);

    bool clearedAtStart = false;
    m_window.runtime->pumps = 0;
    m_window.runtime->onPump = [&](int pumpNo) {
        if (pumpNo == 1)
            clearedAtStart = logText().isEmpty() && statsText().isEmpty();
    };
    roll(QStringLiteral("5"));
    QVERIFY(clearedAtStart);
    const Results r = results();
    QCOMPARE(r.faces.size(), 5);
    QCOMPARE(std::accumulate(r.counts.begin(), r.counts.end(), 0), 5);
}

void ThrowRunTest::faceRule_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<int>("face");
    QTest::newRow("zero") << 0.0f << 1;
    QTest::newRow("just under a sixth") << 0.16666665f << 1;
    QTest::newRow("a sixth") << 0.16666667f << 2;
    // In single precision r * 6 + 1 would round up to 3; widened to double it stays below.
    QTest::newRow("just under a third") << 0.33333331f << 2;
    QTest::newRow("half") << 0.5f << 4;
    QTest::newRow("largest draw") << std::nextafter(1.0f, 0.0f) << 6;
}

void ThrowRunTest::faceRule()
{
    QFETCH(float, draw);
    QFETCH(int, face);
    m_window.runtime->draws = {draw};
    roll(QStringLiteral("1"));
    QCOMPARE(results().faces, QList<int>{face});
}

void ThrowRunTest::percentagesAreSharesOfThrowsMade()
{
    // Six throws, one of each face but two sixes and no five: shares of 6, in Greek digits.
    m_window.runtime->draws = {0.0f, 0.2f, 0.4f, 0.6f, 0.9f, 0.95f};
    roll(QStringLiteral("6"));
    const Results r = results();
    QCOMPARE(r.faces, QList<int>({1, 2, 3, 4, 6, 6}));
    QCOMPARE(r.counts, QList<int>({1, 1, 1, 1, 0, 2}));
    QCOMPARE(r.percents,
             QStringList({"16,66667", "16,66667", "16,66667", "16,66667", "0", "33,33333"}));
}

QTEST_MAIN(ThrowRunTest)
#include "tst_throwrun.moc"
