// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window suite: the window the program builds, driven as a user drives it. Clicks go
// through the window system's path, so that whatever control, modal box or menu is on top of a
// point answers it; keys go to the window, and so to its focused control. One suite for every
// platform: offscreen, at other scale factors, under a desktop's dark theme and under Windows.
#define QTEST_QPA_MOUSE_HANDLING

#include "runtime/QtRuntime.h"
#include "throws/ResultTexts.h"
#include "window/Dice.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QtMath>

#include <functional>

namespace {

// The window as it was designed, written out apart from the program's own table so that a wrong
// row there fails here: place and size in twips (15 to a pixel), the font (Arial; the window's
// own is 8 pt), ground and ink, and whether the control shows between runs and during one.
struct Designed
{
    const char *name;
    int left, top, width, height;
    double points;
    bool bold;
    QRgb ground, ink;
    bool idle, running;
};
constexpr QRgb Orange = 0xffff8000, Yellow = 0xffffff00, Pale = 0xffffff80, Cream = 0xffffffc0,
               Red = 0xffff0000, White = 0xffffffff, Black = 0xff000000, Grey = 0xffefefef;
const Designed Design[] = {
    {"DicePool", 0, 240, 1935, 3375, 9.75, false, White, Black, true, true},
    {"NumOfThrows", 3720, 1680, 975, 855, 12, false, White, Black, true, false},
    {"Label1", 2040, 1800, 1695, 615, 9.75, false, Orange, Yellow, true, false},
    {"ChangeNumOfThrows", 4680, 1680, 1215, 855, 9.75, false, Pale, Black, true, false},
    {"Label2", 2040, 3000, 1935, 615, 8, false, Orange, Cream, true, true},
    {"Stats", 1920, 240, 3975, 1455, 8, false, White, Black, true, true},
    {"Label3", 2400, 1680, 3135, 375, 14.25, true, Red, White, false, true},
    {"Label4", 2880, 0, 1935, 255, 9.75, false, Orange, Yellow, true, true},
    {"Label5", 0, 0, 1335, 255, 9.75, false, Orange, Yellow, true, true},
    {"Command1", 3240, 2040, 1215, 495, 8, false, Grey, Black, false, true},
    {"Command2", 4680, 3000, 1215, 615, 8, false, Grey, Black, true, true},
};

int distance(QRgb a, QRgb b)
{
    return std::max(
        {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}

// How many pixels of a part of an image, in the image's own (logical) pixels, are within the
// distance of the colour.
int count(const QImage &image, const QRect &part, QRgb colour, int within)
{
    const qreal scale = image.devicePixelRatio();
    // (the device pixels wholly inside the part)
    const QRect device = QRect(QPoint(qCeil(part.left() * scale), qCeil(part.top() * scale)),
                               QPoint(qFloor((part.right() + 1) * scale) - 1,
                                      qFloor((part.bottom() + 1) * scale) - 1)) &
                         image.rect();
    int found = 0;
    for (int x = device.left(); x <= device.right(); ++x) {
        for (int y = device.top(); y <= device.bottom(); ++y)
            found += distance(image.pixel(x, y), colour) <= within;
    }
    return found;
}

QRect pixels(const Designed &row)
{
    return {row.left / 15, row.top / 15, row.width / 15, row.height / 15};
}

template <typename Widget = QWidget> Widget *control(const Dice &dice, const char *name)
{
    return dice.findChild<Widget *>(QLatin1StringView(name));
}

QStringList results(const Dice &dice)
{
    return {control<QPlainTextEdit>(dice, "DicePool")->toPlainText(),
            control<QPlainTextEdit>(dice, "Stats")->toPlainText()};
}

void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

void press(QWidget *window, QKeyCombination key)
{
    QTest::keyClick(window->windowHandle(), key.key(), key.keyboardModifiers());
}

// As a user puts a text in the entry, pasted over what is there; then a click on the roll
// button, or the given keys.
void roll(Dice &dice, const QString &text, const QString &keys = {})
{
    QGuiApplication::clipboard()->setText(text);
    click(control(dice, "NumOfThrows"));
    press(&dice, Qt::ControlModifier | Qt::Key_A);
    press(&dice, Qt::ControlModifier | Qt::Key_V);
    const QKeySequence sequence(keys);
    for (int key = 0; key < sequence.count(); ++key)
        press(&dice, sequence[uint(key)]);
    if (keys.isEmpty())
        click(control(dice, "ChangeNumOfThrows"));
}

// What the user saw, as the watcher below finds it: each message box, and each popup menu's
// items.
QStringList boxes;
QList<QStringList> shownMenus;

// Run every few milliseconds, in every event loop: answers a message box with a click on its
// button, and closes a popup menu, each once it has been read. A box is owned by the window and
// written in the window's font.
void watch()
{
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        shownMenus << QStringList();
        for (const QAction *action : menu->actions())
            shownMenus.last() << action->text().remove(u'&').section(u'\t', 0, 0);
        shownMenus.last().removeAll(QString()); // the separators
        menu->close();
    } else if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        const auto *window = qobject_cast<const Dice *>(box->parentWidget());
        boxes << QStringLiteral("%1: %2 [%3]%4")
                     .arg(box->windowTitle(), box->text(),
                          box->buttons().constFirst()->text().remove(u'&'),
                          QString(box->buttons().size() - 1, u'+') +
                              (!window                         ? " (no parent)"
                               : box->font() == window->font() ? ""
                                                               : " (its own font)"));
        click(box->buttons().constFirst());
    }
}

// The throws in a run's results, or -1 where they disagree: the log numbered from 1, and the
// statistics of the faces as the log has them, each share of the throws a single. From 60
// throws on, the faces must pass a chi-square test (35.9: five degrees of freedom, p = 1e-6).
// (The box shows each line break as one character.)
int checkedThrows(const QStringList &results)
{
    QStringList lines = results[0].split(u'\n');
    FaceCounts counts{};
    for (int n = 0; n + 1 < lines.size(); ++n) {
        const int face = lines[n].back().digitValue();
        if (face < 1 || face > 6 ||
            lines[n] + QStringLiteral("\r\n") != ThrowLogLine(qint16(n + 1), qint16(face)))
            return -1;
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
        results[1] == StatsText(counts, shares, QLocale())
                          .replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
        return made;
    qWarning().noquote() << "Results that disagree:\n" << results[0].right(200) << results[1];
    return -1;
}

// A program of its own, as main() makes it, for what may end it: the user's steps run once its
// event loop does; gives the loop's status (-1 when the program did not end) and the results.
int runProgram(const std::function<void(Dice &)> &user, QStringList *written = nullptr)
{
    QtRuntime runtime;
    const std::unique_ptr<Dice> dice = makeProgramWindow(runtime);
    dice->show();
    QTimer::singleShot(0, dice.get(), [&] {
        user(*dice);
        // (-2: the program says it has ended, but its event loop goes on)
        QTimer::singleShot(0, dice.get(),
                           [&] { QCoreApplication::exit(runtime.programEnded() ? -2 : -1); });
    });
    const int status = QApplication::exec();
    if (written)
        *written = results(*dice);
    return status;
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
        QCOMPARE(m_dice->windowTitle(), QStringLiteral("Quilvane"));
        QCOMPARE(m_dice->size(), QSize(5970, 3645) / 15);
        QCOMPARE(m_dice->focusWidget(), control(*m_dice, "DicePool"));
        QCOMPARE(control<QLineEdit>(*m_dice, "NumOfThrows")->text(), QStringLiteral("100"));
        QCOMPARE(results(*m_dice), QStringList({"", ""}));
    }

    // Each control in its place with its font and colours, shown as its arrangement has it, its
    // caption in view; Tab walks the shown controls in the designed order.
    void design_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("tabChain"); // from the log on
        QTest::newRow("between runs") << false << "NumOfThrows ChangeNumOfThrows Stats Command2";
        QTest::newRow("during a run") << true << "Stats Command1 Command2";
    }
    void design()
    {
        QFETCH(bool, running);
        QFETCH(QString, tabChain);
        QImage window;
        QHash<QString, QImage> own; // each shown control's own painting, with nothing on top
        QStringList tabbed;
        const auto look = [&] {
            window = m_dice->grab().toImage();
            for (auto *widget : m_dice->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (widget->isVisible())
                    own[widget->objectName()] = widget->grab().toImage();
            }
            click(control(*m_dice, "DicePool"));
            for (int step = 0; step < 5; ++step) {
                press(m_dice.get(), Qt::Key_Tab);
                tabbed << m_dice->focusWidget()->objectName();
            }
        };
        QTimer pump; // seen at the run's first pump, then cancelled
        pump.callOnTimeout(m_dice.get(), [&] {
            if (control(*m_dice, "Command1")->isVisible() && tabbed.isEmpty()) {
                look();
                click(control(*m_dice, "Command1"));
            }
        });
        running ? pump.start(0), roll(*m_dice, QStringLiteral("32766")) : look();
        QCOMPARE(tabbed,
                 (tabChain + QStringLiteral(" DicePool ") + tabChain).split(u' ').mid(0, 5));
        const qreal scale = window.devicePixelRatio();
        QCOMPARE(window.pixel(QPoint(5, 242) * scale), Orange);
        for (const Designed &row : Design) {
            const QString name = QLatin1StringView(row.name);
            const auto named = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("That was %s.", row.name);
            });
            QCOMPARE(own.contains(name), running ? row.running : row.idle);
            if (!own.contains(name))
                continue;
            const QWidget *widget = control(*m_dice, row.name);
            const QImage &painted = own[name];
            const bool label = qobject_cast<const QLabel *>(widget);
            const bool button = qobject_cast<const QPushButton *>(widget);
            const QRect place = pixels(row);
            // (a label grows downwards to hold a caption that wraps to more lines)
            const int height = label ? widget->heightForWidth(place.width()) : 0;
            QCOMPARE(widget->geometry(),
                     place.adjusted(0, 0, 0, std::max(0, height - place.height())));
            const QFontInfo font(widget->font());
            QVERIFY2(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(font.family()) &&
                         qAbs(font.pointSizeF() - row.points) < 0.3 && font.bold() == row.bold,
                     qPrintable(name + u' ' + font.family()));
            // Its ground (Fusion shades a button's); where a control lies over a label, the
            // label's ground shows at most at the control's rounded corners.
            QVERIFY2(count(painted, widget->rect(), row.ground, button ? 64 : 24) * 10 >
                         painted.width() * painted.height(),
                     row.name);
            for (const Designed &other : Design) {
                const QRect over = pixels(other) & place;
                if (label && own.contains(QLatin1StringView(other.name)) && !over.isEmpty() &&
                    !QByteArray(other.name).startsWith("Label"))
                    QVERIFY2(count(window, over, row.ground, 0) * 4 < over.width() * over.height(),
                             qPrintable(name + u' ' + other.name));
            }
            // A scroll bar on the log only: its groove where the box's ground would be.
            if (qobject_cast<const QPlainTextEdit *>(widget))
                QCOMPARE(painted.pixel(QPoint(place.width() - 7, place.height() / 2) * scale) !=
                             White,
                         name == QStringLiteral("DicePool"));
            if (!label && !button)
                continue;
            // Every letter of a caption in view: each pixel of the control's own painting that is
            // ink is on screen as painted, and none is at its right edge (nor, on a button, at
            // its frame), where a line too long would be cut.
            const int edge = int((button ? 3 : 1) * scale);
            int left = painted.width();
            int right = 0;
            for (int x = 0; x < painted.width(); ++x) {
                for (int y = 0; y < painted.height(); ++y) {
                    if (distance(painted.pixel(x, y), row.ink) > 96)
                        continue;
                    const QRgb shown = window.pixel(widget->pos() * scale + QPoint(x, y));
                    QVERIFY2(x + edge < painted.width() && (label || y + edge < painted.height()) &&
                                 distance(shown, painted.pixel(x, y)) < 8,
                             qPrintable(QStringLiteral("%1 at %2, %3").arg(name).arg(x).arg(y)));
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            QVERIFY2(right > 0, row.name);
            if (name == QStringLiteral("Label4")) // the statistics' heading, centred
                QVERIFY(qAbs(left - (painted.width() - 1 - right)) <= 3 * scale);
        }
    }

    // A paste from an empty clipboard or selection into a result box pastes nothing; a paste of
    // text pastes it.
    void paste()
    {
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        for (const char *name : {"DicePool", "Stats"}) {
            auto *box = control<QPlainTextEdit>(*m_dice, name);
            box->setPlainText(QStringLiteral("kept"));
            click(box);
            press(m_dice.get(), Qt::ControlModifier | Qt::Key_V);
            press(m_dice.get(), Qt::ShiftModifier | Qt::Key_Insert);
            click(box, Qt::MiddleButton);
            QCOMPARE(box->toPlainText(), QStringLiteral("kept"));
        }
        QGuiApplication::clipboard()->setText(QStringLiteral(" and pasted"));
        press(m_dice.get(), Qt::ControlModifier | Qt::Key_V);
        QCOMPARE(results(*m_dice)[1], QStringLiteral("kept and pasted"));
    }

    // Qt's own menus in the window, as shown on a right click: seven items, each in Greek.
    void menus_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("the log") << "DicePool";
        QTest::newRow("the entry") << "NumOfThrows";
        QTest::newRow("the statistics") << "Stats";
        QTest::newRow("the log's scroll bar") << "";
    }
    void menus()
    {
        QFETCH(QString, control);
        auto *widget = m_dice->findChild<QWidget *>(control);
        shownMenus.clear();
        click(widget ? widget : ::control<QPlainTextEdit>(*m_dice, "DicePool")->verticalScrollBar(),
              Qt::RightButton);
        QTRY_COMPARE(shownMenus.size(), 1);
        QCOMPARE(shownMenus[0].size(), 7);
        for (const QString &item : std::as_const(shownMenus[0])) {
            QVERIFY2(
                std::all_of(item.begin(), item.end(),
                            [](QChar c) { return c == u' ' || c.script() == QChar::Script_Greek; }),
                qPrintable(item));
        }
    }

    // Runs as a user makes them, each in a program of its own: the entry pasted, then the roll
    // button clicked or keys pressed, and maybe the cancel or the exit button clicked, or the
    // window closed, at the run's 30th pump.
    void runs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("during"); // a button's name, or "close"
        QTest::addColumn<QString>("box");
        // The throws made, or -1: nothing written; after a cancelled run, those of a run of 5.
        QTest::addColumn<int>("throws");
        const auto row = [](const char *name, const QString &entry, const char *keys,
                            const char *during, const char *box, int throws) {
            QTest::newRow(name) << entry << QString(keys) << QString(during) << QString(box)
                                << throws;
        };
        const char *tooMany = "Quilvane: Ο μέγιστος αριθμός ρίψεων είναι 32766 [OK]";
        row("a Greek fraction", "2,7", "", "", "", 3);
        row("none", "0", "", "", "", 0);
        row("one", "1", "", "", "", 1);
        row("the most", "32766", "", "", "", 32766);
        row("one too many", "32767", "", "", tooMany, -1);
        row("40,000 digits, kept", QString(40'000, u'9'), "", "", tooMany, -1);
        row("not a number", "δώδεκα", "", "", "Quilvane: Δώσε Αριθμό [OK]", -1);
        row("Enter and Esc in the entry", "7", "Return, Num+Enter, Esc", "", "", -1);
        row("Enter on the roll button", "7", "Tab, Return", "", "", 7);
        row("keypad Enter on it", "7", "Tab, Num+Enter", "", "", 7);
        row("cancelled, then 5", "32766", "", "Command1", "", 5);
        row("exit", "32766", "", "Command2", "Quilvane: Ευχαριστώ Πολύ [OK]", -1);
        row("window closed", "32766", "", "close", "", -1);
    }
    void runs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(QString, during);
        QFETCH(int, throws);
        QFETCH(QString, box);
        QStringList written;
        QStringList cancelled;
        boxes.clear();
        QString kept;
        bool idle = true;
        const int status = runProgram(
            [&](Dice &dice) {
                int pumps = 0;
                QTimer pump; // fires once at each of the run's pumps
                pump.callOnTimeout(&dice, [&] {
                    if (!control(dice, "Command1")->isVisible() || ++pumps != 30)
                        return;
                    if (during == QStringLiteral("close"))
                        dice.windowHandle()->close();
                    else
                        click(dice.findChild<QWidget *>(during));
                });
                for (const char *name : {"DicePool", "Stats"}) // as an earlier run left them
                    control<QPlainTextEdit>(dice, name)->setPlainText(QStringLiteral("before"));
                if (!during.isEmpty())
                    pump.start(0);
                roll(dice, entry, keys);
                kept = control<QLineEdit>(dice, "NumOfThrows")->text();
                for (const Designed &row : Design) // the arrangement between runs, again
                    idle &= control(dice, row.name)->isVisible() == row.idle;
                if (during == QStringLiteral("Command1")) {
                    cancelled = results(dice);
                    roll(dice, QStringLiteral("5"));
                }
            },
            &written);
        const bool ends = during == QStringLiteral("Command2") || during == QStringLiteral("close");
        QCOMPARE(status, ends ? 0 : -1);
        QVERIFY(ends || idle);
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList(box));
        if (throws < 0) { // nothing written (the boxes as a run empties them, or as they were
            // where no run began), and the entry as it was typed
            const QString left = box.isEmpty() && !ends ? "before" : "";
            QCOMPARE(written, QStringList({left, left}));
            QVERIFY(ends || kept == entry);
        } else {
            QCOMPARE(checkedThrows(written), throws);
        }
        if (!cancelled.isEmpty()) {
            const int made = checkedThrows(cancelled);
            QVERIFY2(made > 0 && made < 32766, qPrintable(QString::number(made)));
        }
    }

    // Random clicks and keys, with a fixed seed, anywhere in the window, its boxes and menus,
    // also during runs; whenever the program ends, with status 0, another one starts.
    void randomInput()
    {
        QRandomGenerator random(20261207);
        const QStringList keys =
            QStringLiteral("Tab Return Esc Space Backspace Del 0 9 Ctrl+A Ctrl+C Ctrl+V Menu")
                .split(u' ');
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
        for (int events = 0; events < 600;) {
            const int status = runProgram([&](Dice &dice) {
                std::function<void()> next = [&] {
                    if (++events == 600)
                        return QCoreApplication::exit(-1);
                    QTimer::singleShot(1, &dice, next); // also while a box, menu or run is open
                    // Keys go to the box or the window, which hands them to an open menu (a
                    // key that closes a menu may take its window with it before the key is up).
                    QWidget *target = QApplication::activeModalWidget();
                    target = target ? target : &dice;
                    const auto pick = int(random.bounded(20));
                    if (pick < keys.size())
                        press(target, QKeySequence(keys[pick])[0]);
                    if (QApplication::activePopupWidget())
                        target = QApplication::activePopupWidget();
                    if (pick >= keys.size())
                        QTest::mouseClick(
                            target, buttons[pick % 3], {},
                            {random.bounded(target->width()), random.bounded(target->height())});
                };
                next();
                QEventLoop().exec(); // until the program ends
            });
            QVERIFY2(status == 0 || events == 600, qPrintable(QString::number(status)));
        }
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
