#include "runtime/Generator.h"
#include "runtime/NumberText.h"
#include "runtime/Runtime.h"
#include "throws/DiceSurface.h"
#include "throws/ThrowRun.h"
#include "window/Dice.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {

const QLocale Greek(QLocale::Greek, QLocale::Greece);

// The window and the host in one: every call a run makes of either goes to the journal, in
// order. The pump presses the cancel or the exit button at a given pump; draws cycle through a
// given list; the clock stands still unless a test moves it.
class Recorder final : public Runtime, public DiceSurface
{
public:
    Recorder()
        : Runtime(Generator({1, 2, 3, 4}))
    {}

    void ShowRunningArrangement() override { journal << "running"; }
    void ShowIdleArrangement() override { journal << "idle"; }
    QString GetEntryText() const override { return entry; }
    void SetLogText(const QString &text) override { journal << (log = text, "log"); }
    void SetStatsText(const QString &text) override { journal << (stats = text, "stats"); }
    void PumpEvents() override
    {
        if (++pumps == clickAt)
            exitClick ? Command2_Click(*this) : Command1_Click(*this);
    }
    void ShowMessage(const QString &text) override { journal << text; }
    void EndProgram() override { journal << "end"; }
    bool programEnded() const override { return journal.endsWith("end"); }
    QLocale locale() const override { return Greek; }
    float NextRandom() override
    {
        return draws.isEmpty() ? Runtime::NextRandom() : draws[drawn++ % draws.size()];
    }
    quint64 clockReading() const override { return clock; }

    QString entry, log, stats;
    QStringList journal;
    QList<float> draws;
    qsizetype drawn = 0;
    int pumps = 0, clickAt = 0;
    bool exitClick = false;
    quint64 clock = 0x5eed;
};

// The statistics as they must read, from six "count/percent" pairs.
QString statsFor(const QString &pairs)
{
    const QStringList labels = {"Άσοι", "Δύο", "Τρία", "Τεσσάρια", "Πεντάρια", "Εξάρια"};
    const QStringList faces = pairs.split(' ');
    QString text;
    for (int i = 0; i < 6; ++i) {
        const QStringList pair = faces.value(i).split('/');
        text += labels[i] + " βγήκαν: " + pair.value(0) + " φορές. Ποσοστό:" + pair.value(1) +
                (i == 1 ? " %\r\n" : "%\r\n");
    }
    return text;
}

} // namespace

class LogicTest : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void singleToText_data();
    void singleToText();
    void run_data();
    void run();
    void facesAreUniform();
    void drawsMoveWithTheClockStill();
    void zeroSeedIsNotStuck();
};

void LogicTest::entry_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("verdict"); // the throws asked for, or why there are none
    const QString no = "not a number", tooMany = "too many";
    const struct
    {
        const char *name;
        QLocale locale;
        QString text, verdict;
    } rows[] = {
        {"greek fraction", Greek, "2,7", "3"},
        {"tie to even, down", Greek, "2,5", "2"},
        {"tie to even, up", Greek, "3,5", "4"},
        {"negative tie", Greek, "-2,5", "-2"},
        {"just past a tie", Greek, "2,5000001", "3"},
        {"spaces and plus", Greek, " \t+7 ", "7"},
        {"separator first", Greek, ",5", "0"},
        {"separator last", Greek, "5,", "5"},
        {"point where it is the separator", QLocale::c(), "2.7", "3"},
        {"point in greek", Greek, "2.7", no},
        {"only a separator", Greek, ",", no},
        {"empty", Greek, "", no},
        {"letters", Greek, "abc", no},
        {"exponent", Greek, "1e3", no},
        {"two signs", Greek, "--5", no},
        {"space after the sign", Greek, "- 5", no},
        {"most throws", Greek, "0000000000000032766", "32766"},
        {"tie below the limit", Greek, "32766,5", "32766"},
        {"rounds past the limit", Greek, "32766,6", tooMany},
        {"one past the limit", Greek, "32767", tooMany},
        {"pasted megabyte", Greek, QString(1'000'000, '9'), tooMany},
        {"pasted megabyte and a letter", Greek, QString(1'000'000, '9') + 'x', no},
        {"smallest short", Greek, "-32768", "-32768"},
        {"below the short range", Greek, "-99999999999999999999", "-32768"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.locale << row.text << row.verdict;
}

void LogicTest::entry()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, verdict);
    const EntryCheck check = checkEntry(text, locale);
    QCOMPARE(check.verdict == EntryCheck::Verdict::NotANumber ? "not a number"
             : check.verdict == EntryCheck::Verdict::TooManyThrows
                 ? "too many"
                 : QString::number(check.throwCount),
             verdict);
}

void LogicTest::singleToText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 17.0f << "17";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("hundred") << 100.0f << "100";
    QTest::newRow("one of six") << float(100.0 / 6) << "16,66667";
    QTest::newRow("one of 32766") << float(100.0 / 32766) << "0,003051944";
    QTest::newRow("carries a nine") << 1.9999999f << "2";
    QTest::newRow("carries into a new digit") << 1e-5f << "0,00001";
    QTest::newRow("tiny, no exponent") << 1e-7f << "0,0000001";
    QTest::newRow("large, no exponent") << 12345678.0f << "12345680";
    QTest::newRow("negative") << -2.5f << "-2,5";
}

void LogicTest::singleToText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::SingleToText(value, Greek), text);
}

void LogicTest::run_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<int>("clickAt"); // the pump at which a button is pressed; 0: none
    QTest::addColumn<bool>("exitClick");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<int>("made");
    QTest::addColumn<QString>("faces"); // the log's faces, repeated as often as needed
    QTest::addColumn<QString>("stats");

    const QList<float> cycle = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.9999f};
    const QString done = "running log stats log stats idle";
    const QString sixths =
        "%1/16,66667 %1/16,66667 %1/16,66667 %1/16,66667 %1/16,66667 %1/16,66667";
    const QString none = "0/0 0/0 0/0 0/0 0/0 0/0";
    QTest::newRow("hundred throws") << "100" << cycle << 0 << false << done << 100 << "123456"
                                    << "17/17 17/17 17/17 17/17 16/16 16/16";
    QTest::newRow("six throws") << "6" << cycle << 0 << false << done << 6 << "123456"
                                << sixths.arg(1);
    QTest::newRow("greek fraction") << "2,7" << cycle << 0 << false << done << 3 << "123"
                                    << "1/33,33333 1/33,33333 1/33,33333 0/0 0/0 0/0";
    QTest::newRow("largest run") << "32766" << cycle << 0 << false << done << 32766 << "123456"
                                 << sixths.arg(5461);
    QTest::newRow("cancelled after thirty")
        << "32766" << cycle << 31 << false << done << 30 << "123456" << sixths.arg(5);
    QTest::newRow("cancelled before the first throw")
        << "32766" << cycle << 1 << false << done << 0 << "" << none;
    QTest::newRow("zero") << "0" << cycle << 0 << false << done << 0 << "" << none;
    QTest::newRow("negative") << "-5" << cycle << 0 << false << done << 0 << "" << none;
    QTest::newRow("not a number") << "abc" << cycle << 0 << false
                                  << "running log stats Δώσε Αριθμό idle" << 0 << ""
                                  << "";
    QTest::newRow("too many") << "32767" << cycle << 0 << false
                              << "running log stats Ο μέγιστος αριθμός ρίψεων είναι 32766 idle" << 0
                              << ""
                              << "";
    QTest::newRow("exit during the run")
        << "100" << cycle << 10 << true << "running log stats Ευχαριστώ Πολύ end" << 0 << ""
        << "";
    // The face is the whole part of r * 6 + 1 worked out in double: in single precision
    // 0.33333331 would give 3.
    for (const auto &[draw, face] : {std::pair{0.16666665f, 1},
                                     {0.16666667f, 2},
                                     {0.33333331f, 2},
                                     {std::nextafter(1.0f, 0.0f), 6}}) {
        QStringList stats(6, "0/0");
        stats[face - 1] = "1/100";
        QTest::addRow("draw %.8f", double(draw)) << "1" << QList<float>{draw} << 0 << false << done
                                                 << 1 << QString::number(face) << stats.join(' ');
    }
}

void LogicTest::run()
{
    QFETCH(QString, entry);
    QFETCH(QList<float>, draws);
    QFETCH(int, clickAt);
    QFETCH(bool, exitClick);
    QFETCH(QString, journal);
    QFETCH(int, made);
    QFETCH(QString, faces);
    QFETCH(QString, stats);

    Recorder dice;
    dice.entry = entry;
    dice.draws = draws;
    dice.clickAt = clickAt;
    dice.exitClick = exitClick;
    ChangeNumOfThrows_Click(dice, dice);

    QCOMPARE(dice.journal.join(' '), journal);
    QString log;
    for (int n = 1; n <= made; ++n)
        log += QStringLiteral("Ρίξιμο %1\u03bf: %2\r\n").arg(n).arg(faces[(n - 1) % faces.size()]);
    QCOMPARE(dice.log, log);
    QCOMPARE(dice.stats, stats.isEmpty() ? QString() : statsFor(stats));
}

// Chi-square over the six faces; 35.9 is the 5-degree-of-freedom value at p = 1e-6, and the
// seed is fixed, so a sound generator cannot fail this while a skewed one does.
void LogicTest::facesAreUniform()
{
    Recorder runtime;
    std::array<double, 6> counts{};
    constexpr int draws = 600'000;
    for (int i = 0; i < draws; ++i) {
        runtime.clock = static_cast<quint64>(i) * 1000;
        runtime.Reseed();
        ++counts.at(static_cast<std::size_t>(runtime.NextRandom() * 6));
    }
    double chiSquare = 0;
    for (const double count : counts)
        chiSquare += (count - draws / 6.0) * (count - draws / 6.0) / (draws / 6.0);
    QVERIFY2(chiSquare < 35.9, qPrintable(QString::number(chiSquare)));
}

void LogicTest::drawsMoveWithTheClockStill()
{
    Recorder runtime;
    QSet<float> seen;
    for (int i = 0; i < 1000; ++i) {
        runtime.Reseed();
        seen.insert(runtime.NextRandom());
    }
    QVERIFY2(seen.size() > 990, qPrintable(QString::number(seen.size())));
}

// The all-zero state is the one xoshiro never leaves: it draws zeros for ever.
void LogicTest::zeroSeedIsNotStuck()
{
    Generator seeded({0, 0, 0, 0});
    QVERIFY((seeded.next() | seeded.next()) != 0);
    Generator mixed({0, 0, 0, 0});
    mixed.mix(0); // cancels the seed's own rescue
    QVERIFY((mixed.next() | mixed.next()) != 0);
}

QTEST_APPLESS_MAIN(LogicTest)
#include "tst_logic.moc"
