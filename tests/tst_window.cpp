// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window suite: the window the program builds, driven as a user drives it. Clicks go
// through the window system's path, so that whatever control, modal box or menu is on top of a
// point answers it; keys go to the window, and so to its focused control. One suite for every
// platform: offscreen, at other scale factors, under a desktop's dark theme and under Wine. The
// program's own design table says what each control must show; this suite checks that it
// reaches the screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "runtime/QtRuntime.h"
#include "throws/ResultTexts.h"
#include "window/Dice.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace DiceDesign;

namespace {

// What the user sees between runs, and during one, when the banner and the cancel button stand
// where the prompt, the entry and the roll button were.
const QStringList BetweenRuns = {"DicePool", "NumOfThrows", "Label1", "ChangeNumOfThrows", "Label2",
                                 "Stats",    "Label4",      "Label5", "Command2"};
const QStringList DuringRun = {"DicePool", "Label2", "Stats",    "Label3",
                               "Label4",   "Label5", "Command1", "Command2"};

// The loop's status where the program did not end it: the test's own exit (also where the program
// says it has ended while its loop goes on, which would leave a user's program hanging).
constexpr int StillRunning = 100;
// What a run's results hold in place of its throws: nothing, or throws that disagree.
constexpr int NothingWritten = -1, Disagreeing = -2;

int distance(QRgb a, QRgb b)
{
    return std::max(
        {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}

// How many pixels of a part of an image, given in the image's own (logical) pixels but for the
// outermost device pixels, which it may share with what lies around it, are within the distance
// of the colour.
int count(const QImage &image, const QRect &part, QRgb colour, int within)
{
    const qreal scale = image.devicePixelRatio();
    const QRect device =
        QRect(part.topLeft() * scale, part.size() * scale).adjusted(1, 1, -1, -1) & image.rect();
    int found = 0;
    for (int x = device.left(); x <= device.right(); ++x) {
        for (int y = device.top(); y <= device.bottom(); ++y)
            found += distance(image.pixel(x, y), colour) <= within;
    }
    return found;
}

template <typename Widget = QWidget> Widget *control(const Dice &dice, const char *name)
{
    return dice.findChild<Widget *>(QLatin1StringView(name));
}

QStringList shownControls(const Dice &dice)
{
    QStringList shown;
    for (const Control &design : controls) {
        if (control(dice, design.name)->isVisible())
            shown << QLatin1StringView(design.name);
    }
    return shown;
}

// As a user puts a text in the entry, pasted over what is there; then a click on the roll
// button, or the given keys.
void roll(Dice &dice, const QString &text, const QString &keys = {})
{
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(control(dice, "NumOfThrows"), Qt::LeftButton);
    QTest::keyClick(dice.windowHandle(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dice.windowHandle(), Qt::Key_V, Qt::ControlModifier);
    QTest::keySequence(dice.windowHandle(), QKeySequence(keys));
    if (keys.isEmpty())
        QTest::mouseClick(control(dice, "ChangeNumOfThrows"), Qt::LeftButton);
}

// What the user saw, as the watcher below finds it: each message box, and each popup menu's
// items.
QStringList boxes;
QStringList shownMenus;

// Run every few milliseconds, in every event loop: answers a message box with a click on its
// button, and closes a popup menu, each once it has been read.
void watch()
{
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        QString items; // each item's text, without its shortcut key
        for (const QAction *action : menu->actions())
            items += action->text().remove(u'&').section(u'\t', 0, 0) + u' ';
        shownMenus << items.simplified();
        menu->close();
    } else if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        // A box has one button, is owned by the window and is written in the window's font.
        const auto *window = qobject_cast<const Dice *>(box->parentWidget());
        const bool own = window && box->font() == window->font() && box->buttons().size() == 1;
        QAbstractButton *button = box->buttons().constFirst();
        boxes << box->windowTitle() + ": " + box->text() + " [" + button->text().remove(u'&') +
                     "]" + (own ? "" : " (not the window's own box)");
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

// The throws in a run's results as the boxes show them: none written, two empty boxes; or the log
// numbered from 1, and
// the statistics of the faces as the log has them, each share of the throws a single, as the
// program writes them. From 60 throws on, the faces must pass a chi-square test (35.9: five
// degrees of freedom, p = 1e-6). (The box shows each line break as one character.)
int checkedThrows(const Dice &dice)
{
    const QString log = control<QPlainTextEdit>(dice, "DicePool")->toPlainText();
    const QString stats = control<QPlainTextEdit>(dice, "Stats")->toPlainText();
    if (log.isEmpty() && stats.isEmpty())
        return NothingWritten;
    QStringList lines = log.split(u'\n');
    FaceCounts counts{};
    for (int n = 0; n + 1 < lines.size(); ++n) {
        const int face = lines[n].back().digitValue();
        if (face < 1 || face > 6 || lines[n] + "\r\n" != ThrowLogLine(qint16(n + 1), qint16(face)))
            return Disagreeing;
        ++counts.at(std::size_t(face - 1));
    }
    const auto made = int(lines.size() - 1);
    FacePercents shares{};
    double chiSquare = 0;
    for (std::size_t face = 0; face < counts.size(); ++face) {
        shares.at(face) = made ? float(double(counts.at(face)) / made * 100) : 0.0f;
        chiSquare += std::pow(counts.at(face) - made / 6.0, 2) / (made / 6.0);
    }
    if (lines.last().isEmpty() && (made < 60 || chiSquare < 35.9) &&
        stats == StatsText(counts, shares, QLocale()).replace("\r\n", "\n"))
        return made;
    return Disagreeing;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

    QtRuntime m_runtime;
    std::unique_ptr<Dice> m_dice;

private slots:
    void initTestCase()
    {
        m_dice = makeProgramWindow(m_runtime);
        m_dice->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dice.get()));
    }

    // Each arrangement as the design table has it: the controls shown, each in its font and
    // colours with its caption in view, and Tab walking them in the table's order.
    void arrangements_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("between runs") << false;
        QTest::newRow("during a run") << true;
    }
    void arrangements()
    {
        QFETCH(bool, running);
        const QStringList &shown = running ? DuringRun : BetweenRuns;
        if (running)
            m_dice->ShowRunningArrangement();
        const auto idle = qScopeGuard([&] { m_dice->ShowIdleArrangement(); });
        QCOMPARE(shownControls(*m_dice), shown);
        QStringList chain = shown; // those that take the focus, from the log round to it again
        chain.removeIf([](const QString &name) { return name.startsWith(u"Label"); });
        chain << chain.takeFirst();
        QTest::mouseClick(control(*m_dice, "DicePool"), Qt::LeftButton);
        QStringList tabbed;
        while (tabbed.size() < chain.size()) {
            QTest::keyClick(m_dice->windowHandle(), Qt::Key_Tab);
            tabbed << m_dice->focusWidget()->objectName();
        }
        QCOMPARE(tabbed, chain);

        const QImage window = m_dice->grab().toImage();
        // The window's ground, where no control lies: below the log, at the left.
        QCOMPARE(window.pixel(0, window.height() - 1), windowDesign.background.rgb);
        for (const Control &design : controls) {
            auto *widget = control(*m_dice, design.name);
            if (!widget->isVisible())
                continue;
            const auto named = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("That was %s.", design.name);
            });
            const QImage painted = widget->grab().toImage(); // with nothing on top
            const bool label = design.kind == Kind::Label;
            const bool button = design.kind == Kind::CommandButton;
            // Its font as Qt resolved it: a family with Arial's metrics, the size (to within the
            // 0.3 points that a pixel size rounds to) and the weight.
            const QFontInfo font(widget->font());
            QVERIFY2(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(font.family()) &&
                         qAbs(font.pointSizeF() - design.font.points) < 0.3 &&
                         font.bold() == design.font.bold,
                     qPrintable(font.family()));
            // Its colours from its palette: the design's, or where it leaves them to the system
            // light ones (grey 200 of 255 or more), whatever the desktop's theme. Its ground shows
            // on screen on a tenth of it at least: within 64 of the colour on a button, whose
            // ground Fusion shades, 24 elsewhere.
            const QRgb ground = widget->palette().color(widget->backgroundRole()).rgb();
            const QRgb ink = widget->palette().color(widget->foregroundRole()).rgb();
            QVERIFY(design.background.source == Colour::Source::Rgb
                        ? ground == design.background.rgb
                        : qGray(ground) > 200);
            QVERIFY(design.text.source != Colour::Source::Rgb || ink == design.text.rgb);
            QVERIFY(count(window, widget->geometry(), ground, button ? 64 : 24) * 10 >
                    painted.width() * painted.height());
            if (const auto *box = qobject_cast<const QPlainTextEdit *>(widget)) {
                QCOMPARE(box->verticalScrollBar()->isVisible(),
                         design.scrollBars == ScrollBars::VerticalBar);
                // Its own ground reaches its frame: no hairline of the orange beneath it.
                QCOMPARE(count(window, box->geometry(), windowDesign.background.rgb, 0), 0);
            }
            if (!label && !button)
                continue;
            QVERIFY(widget->height() >= widget->heightForWidth(widget->width()));
            // Every letter of its caption in view: each pixel of its own painting that is ink
            // (within 96 of it, for the letters' smoothed edges) is on screen as painted
            // (within 8), and none is at its right edge (nor, on a button, within its 3-pixel
            // frame), where a line too long would be cut.
            const qreal scale = window.devicePixelRatio();
            const int edge = int((button ? 3 : 1) * scale);
            bool inked = false;
            for (int x = 0; x < painted.width(); ++x) {
                for (int y = 0; y < painted.height(); ++y) {
                    if (distance(painted.pixel(x, y), ink) > 96)
                        continue;
                    const QRgb onScreen = window.pixel(widget->pos() * scale + QPoint(x, y));
                    QVERIFY(x + edge < painted.width() && (label || y + edge < painted.height()) &&
                            distance(onScreen, painted.pixel(x, y)) < 8);
                    inked = true;
                }
            }
            QVERIFY(inked);
        }
    }

    // A paste from an empty clipboard or selection into a result box pastes nothing; a paste of
    // text pastes it.
    void paste()
    {
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        auto *box = control<QPlainTextEdit>(*m_dice, "Stats");
        box->setPlainText(QStringLiteral("kept"));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(m_dice->windowHandle(), Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(box, Qt::MiddleButton);
        QCOMPARE(box->toPlainText(), QStringLiteral("kept"));
        QGuiApplication::clipboard()->setText(QStringLiteral(" and pasted"));
        QTest::keyClick(m_dice->windowHandle(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->toPlainText(), QStringLiteral("kept and pasted"));
    }

    // Qt's own menus in the window, as shown on a right click: every item in Greek.
    void menus_data()
    {
        QTest::addColumn<QWidget *>("widget");
        auto *log = control<QPlainTextEdit>(*m_dice, "DicePool");
        QTest::newRow("the log") << static_cast<QWidget *>(log);
        QTest::newRow("the entry") << control(*m_dice, "NumOfThrows");
        QTest::newRow("the log's scroll bar") << static_cast<QWidget *>(log->verticalScrollBar());
    }
    void menus()
    {
        QFETCH(QWidget *, widget);
        shownMenus.clear();
        QTest::mouseClick(widget, Qt::RightButton);
        // (QTest::qWaitFor, since QTRY_VERIFY trips -Wconversion in Qt 6.8's own code)
        QVERIFY(QTest::qWaitFor([] { return shownMenus.size() == 1; }));
        QVERIFY2(
            QRegularExpression(QStringLiteral("^[\\p{Greek} ]+$")).match(shownMenus[0]).hasMatch(),
            qPrintable(shownMenus[0]));
    }

    // Runs as a user makes them, each in a program of its own whose result boxes hold what an
    // earlier run left: the entry pasted, then the roll button clicked or keys pressed, and maybe
    // the cancel or the exit button clicked, or the window closed, at the run's 30th pump.
    void runs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("during"); // a button's name, or "close"
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("throws"); // after a cancelled run, those of a run of 5
        const auto row = [](const char *name, const QString &entry, const char *keys,
                            const char *during, const char *message, int throws) {
            QTest::newRow(name) << entry << QString(keys) << QString(during) << QString(message)
                                << throws;
        };
        row("a Greek fraction", "0,6", "", "", "", 1);
        row("none", "0", "", "", "", 0);
        row("the most", "32766", "", "", "", 32766);
        row("40,000 digits, kept", QString(40'000, u'9'), "", "",
            "Ο μέγιστος αριθμός ρίψεων είναι 32766", NothingWritten);
        row("not a number", "δώδεκα", "", "", "Δώσε Αριθμό", NothingWritten);
        row("Enter on the roll button", "7", "Tab, Return", "", "", 7);
        row("cancelled, then 5", "32766", "", "Command1", "", 5);
        row("exit", "32766", "", "Command2", "Ευχαριστώ Πολύ", NothingWritten);
        row("window closed", "32766", "", "close", "", NothingWritten);
    }
    void runs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(QString, during);
        QFETCH(QString, message);
        QFETCH(int, throws);
        const bool ends = during == "Command2" || during == "close";
        boxes.clear();
        // In a program of its own, as main() makes it, since the run may end it: the user's steps
        // once its event loop runs.
        QtRuntime runtime;
        const std::unique_ptr<Dice> dice = makeProgramWindow(runtime);
        dice->show();
        QTimer::singleShot(0, dice.get(), [&] {
            int pumps = 0;
            QTimer pump; // fires once at each of the run's pumps
            pump.callOnTimeout(dice.get(), [&] {
                if (!control(*dice, "Command1")->isVisible() || ++pumps != 30)
                    return;
                if (during == "close")
                    dice->windowHandle()->close();
                else
                    QTest::mouseClick(dice->findChild<QWidget *>(during), Qt::LeftButton);
            });
            for (const char *name : {"DicePool", "Stats"})
                control<QPlainTextEdit>(*dice, name)->setPlainText(QStringLiteral("before"));
            if (!during.isEmpty())
                pump.start(0);
            roll(*dice, entry, keys);
            QTimer::singleShot(0, dice.get(), [&] { QCoreApplication::exit(StillRunning); });
            if (ends)
                return;
            // Between runs again, the entry as it was typed.
            QCOMPARE(shownControls(*dice), BetweenRuns);
            QCOMPARE(dice->GetEntryText(), entry);
            if (during == "Command1") {
                const int made = checkedThrows(*dice);
                QVERIFY(made > 0 && made < 32766);
                roll(*dice, QStringLiteral("5"));
            }
        });
        const int status = QApplication::exec();
        QCOMPARE(status, ends ? 0 : StillRunning);
        QCOMPARE(boxes,
                 message.isEmpty() ? QStringList() : QStringList("Quilvane: " + message + " [OK]"));
        QCOMPARE(checkedThrows(*dice), throws);
    }
};

// As QTEST_MAIN, but with the font resolution the program itself gets, in a Greek classroom's
// locale, and with the watcher.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    QTimer watcher;
    watcher.callOnTimeout(&watch);
    watcher.start(10);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
