#include "runtime/NumberText.h"
#include "runtime/QtRuntime.h"
#include "throws/ThrowRun.h"
#include "window/Appearance.h"
#include "window/Dice.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace {

const QLocale Greek(QLocale::Greek, QLocale::Greece);

// The window and the host in one: every call a run makes of either goes to the journal, in
// order. The pump presses the cancel or the exit button at a given pump; draws cycle through a
// given list; the clock stands still unless a test moves it.
struct Recorder final : Runtime, DiceSurface
{
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
    QString text;
    for (int i = 0; i < 6; ++i) {
        const QStringList pair = pairs.split(' ').value(i).split('/');
        text += labels[i] + " βγήκαν: " + pair.value(0) + " φορές. Ποσοστό:" + pair.value(1) +
                (i == 1 ? " %\r\n" : "%\r\n");
    }
    return text;
}

} // namespace

class QuilvaneTest : public QObject
{
    Q_OBJECT

    QtRuntime m_runtime;
    Dice m_dice{m_runtime};

private slots:
    void entry_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("verdict"); // the throws asked for, or why there are none
        QTest::newRow("greek fraction") << Greek << "2,7"
                                        << "3";
        QTest::newRow("tie to even, down") << Greek << "2,5"
                                           << "2";
        QTest::newRow("tie to even, up") << Greek << "3,5"
                                         << "4";
        QTest::newRow("negative tie") << Greek << "-2,5"
                                      << "-2";
        QTest::newRow("spaces and plus") << Greek << " \t+7 "
                                         << "7";
        QTest::newRow("point where it separates") << QLocale::c() << "2.7"
                                                  << "3";
        QTest::newRow("point in greek") << Greek << "2.7"
                                        << "not a number";
        QTest::newRow("empty") << Greek << ""
                               << "not a number";
        QTest::newRow("exponent") << Greek << "1e3"
                                  << "not a number";
        QTest::newRow("most throws") << Greek << "032766,5"
                                     << "32766";
        QTest::newRow("rounds past the most") << Greek << "32766,6"
                                              << "too many";
        QTest::newRow("one past the most") << Greek << "32767"
                                           << "too many";
        QTest::newRow("pasted megabyte") << Greek << QString(1'000'000, '9') << "too many";
        QTest::newRow("megabyte, letter")
            << Greek << QString(1'000'000, '9') + 'x' << "not a number";
        QTest::newRow("smallest short") << Greek << "-32768"
                                        << "-32768";
        QTest::newRow("below the short range") << Greek << "-99999999999999999999"
                                               << "-32768";
    }
    void entry()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        const EntryCheck check = checkEntry(text, locale);
        QTEST(check.verdict == EntryCheck::Verdict::NotANumber ? "not a number"
              : check.verdict == EntryCheck::Verdict::TooManyThrows
                  ? "too many"
                  : QString::number(check.throwCount),
              "verdict");
    }

    void singleToText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 17.0f << "17";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("hundred") << 100.0f << "100";
        QTest::newRow("one of six") << float(100.0 / 6) << "16,66667";
        QTest::newRow("one of 32766") << float(100.0 / 32766) << "0,003051944";
        QTest::newRow("carries a nine") << 1.9999999f << "2";
        QTest::newRow("carries into a new digit") << 1e-5f << "0,00001";
        QTest::newRow("large, no exponent") << 12345678.0f << "12345680";
        QTest::newRow("negative") << -2.5f << "-2,5";
    }
    void singleToText()
    {
        QFETCH(float, value);
        QTEST(NumberText::SingleToText(value, Greek), "text");
    }

    void run_data()
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
        const QString sixths = QString("%1/16,66667 ").repeated(6);
        const QString none = "0/0 0/0 0/0 0/0 0/0 0/0";
        QTest::newRow("hundred") << "100" << cycle << 0 << false << done << 100 << "123456"
                                 << "17/17 17/17 17/17 17/17 16/16 16/16";
        QTest::newRow("cancel at 31")
            << "32766" << cycle << 31 << false << done << 30 << "123456" << sixths.arg(5);
        QTest::newRow("negative") << "-5" << cycle << 0 << false << done << 0 << "" << none;
        QTest::newRow("not a number")
            << "abc" << cycle << 0 << false << "running log stats Δώσε Αριθμό idle" << 0 << ""
            << "";
        QTest::newRow("too many") << "32767" << cycle << 0 << false
                                  << "running log stats Ο μέγιστος αριθμός ρίψεων είναι 32766 idle"
                                  << 0 << ""
                                  << "";
        QTest::newRow("exit at 10")
            << "100" << cycle << 10 << true << "running log stats Ευχαριστώ Πολύ end" << 0 << ""
            << "";
        // The face is the whole part of r * 6 + 1 in double: in single precision 0.33333331
        // would give 3.
        for (const auto &[draw, face] : {std::pair{0.16666665f, 1},
                                         {0.16666667f, 2},
                                         {0.33333331f, 2},
                                         {std::nextafter(1.0f, 0.0f), 6}}) {
            QStringList stats(6, "0/0");
            stats[face - 1] = "1/100";
            QTest::addRow("draw %.8f", double(draw))
                << "1" << QList<float>{draw} << 0 << false << done << 1 << QString::number(face)
                << stats.join(' ');
        }
    }
    void run()
    {
        QFETCH(QString, entry);
        QFETCH(QList<float>, draws);
        QFETCH(int, clickAt);
        QFETCH(bool, exitClick);
        QFETCH(int, made);
        QFETCH(QString, faces);
        QFETCH(QString, stats);
        Recorder dice;
        std::tie(dice.entry, dice.draws, dice.clickAt, dice.exitClick) =
            std::tuple(entry, draws, clickAt, exitClick);
        ChangeNumOfThrows_Click(dice, dice);

        QTEST(dice.journal.join(' '), "journal");
        QString log;
        for (int n = 1; n <= made; ++n)
            log += QString("Ρίξιμο %1\u03bf: %2\r\n").arg(n).arg(faces[(n - 1) % faces.size()]);
        QCOMPARE(dice.log, log);
        QCOMPARE(dice.stats, stats.isEmpty() ? QString() : statsFor(stats));
    }

    // Chi-square over the six faces; 35.9 is the 5-degree-of-freedom value at p = 1e-6, and
    // the seed is fixed, so a sound generator cannot fail this while a skewed one does.
    void facesAreUniform()
    {
        Recorder runtime;
        std::array<double, 6> counts{};
        for (quint64 i = 0; i < 600'000; ++i) {
            runtime.clock = i * 1000;
            runtime.Reseed();
            ++counts.at(static_cast<std::size_t>(runtime.NextRandom() * 6));
        }
        double chiSquare = 0;
        for (const double count : counts)
            chiSquare += (count - 100'000) * (count - 100'000) / 100'000;
        QVERIFY2(chiSquare < 35.9, qPrintable(QString::number(chiSquare)));
    }

    void drawsMoveWithTheClockStill()
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
    void zeroSeedIsNotStuck()
    {
        Generator seeded({0, 0, 0, 0});
        QVERIFY((seeded.next() | seeded.next()) != 0);
        Generator mixed({0, 0, 0, 0});
        mixed.mix(0); // cancels the seed's own rescue
        QVERIFY((mixed.next() | mixed.next()) != 0);
    }

    // What the end-to-end suite cannot see through the accessibility tree follows.
    void initTestCase()
    {
        Appearance::configureApplication();
        m_dice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_dice));
    }

    void captionsFit_data()
    {
        QTest::addColumn<int>("id");
        for (const int id : {DiceDesign::Label1, DiceDesign::Label2, DiceDesign::Label3,
                             DiceDesign::Label4, DiceDesign::Label5, DiceDesign::ChangeNumOfThrows,
                             DiceDesign::Command1, DiceDesign::Command2})
            QTest::newRow(DiceDesign::controls.at(std::size_t(id)).name) << id;
    }
    // No glyph of a caption is cut off: every line fits the width, and all lines the height.
    void captionsFit()
    {
        QFETCH(int, id);
        QWidget *widget = m_dice.control(DiceDesign::ControlId(id));
        QStyleOptionButton option;
        option.initFrom(widget);
        option.features = QStyleOptionButton::AutoDefaultButton;
        auto *button = qobject_cast<QPushButton *>(widget);
        const QRect room =
            button ? button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                   : widget->contentsRect();
        const QStringList lines =
            button ? button->text().split('\n') : static_cast<QLabel *>(widget)->text().split(' ');
        const int height = button ? widget->fontMetrics().lineSpacing() * int(lines.size())
                                  : widget->heightForWidth(widget->width());
        QVERIFY(height <= room.height());
        for (const QString &line : lines)
            QVERIFY2(widget->fontMetrics().horizontalAdvance(line) <= room.width(),
                     qPrintable(line));
    }

    void labelsLieBeneath()
    {
        // The prompt's right edge runs under the entry box; the banner's lowest row under the
        // cancel button.
        QCOMPARE(m_dice.childAt(248, 130), m_dice.control(DiceDesign::NumOfThrows));
        m_dice.ShowRunningArrangement();
        QCOMPARE(m_dice.childAt(250, 136), m_dice.control(DiceDesign::Command1));
        QCOMPARE(m_dice.childAt(250, 120), m_dice.control(DiceDesign::Label3));
        m_dice.ShowIdleArrangement();
    }

    void boxesTakeLineBreaksAndLongText()
    {
        m_dice.SetLogText("one\r\ntwo\r\n");
        QCOMPARE(m_dice.control(DiceDesign::DicePool)->property("plainText"), "one\ntwo\n");
        auto *entry = static_cast<QLineEdit *>(m_dice.control(DiceDesign::NumOfThrows));
        entry->setText(QString(40'000, '7'));
        QCOMPARE(entry->text().size(), 40'000);
    }

    void messageBox()
    {
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                                   QString::number(box->buttons().size())}
                           .join('|');
                box->accept();
            }
        });
        m_runtime.ShowMessage("Δώσε Αριθμό");
        QCOMPARE(seen, "Quilvane|Δώσε Αριθμό|0|1"); // the program's title, no icon, one button
    }
};

QTEST_MAIN(QuilvaneTest)
#include "tst_quilvane.moc"
