// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window suite: the window the program builds, driven as a user drives it. Clicks go
// through the window system's path, so that whatever control, modal box or menu is on top of a
// point answers it; keys go to the window, and so to its focused control. One suite for every
// platform: offscreen, at other scale factors, under a desktop's dark theme and under Windows.
#define QTEST_QPA_MOUSE_HANDLING

#include "runtime/QtRuntime.h"
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
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

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
constexpr int Twips = 15;
const Designed Design[] = {
    // in tab order
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

QRect designedRect(const Designed &row)
{
    return {row.left / Twips, row.top / Twips, row.width / Twips, row.height / Twips};
}

template <typename Widget = QWidget> Widget *control(const Dice &dice, const char *name)
{
    return dice.findChild<Widget *>(QLatin1StringView(name));
}

QString text(const Dice &dice, const char *name)
{
    return control<QPlainTextEdit>(dice, name)->toPlainText();
}

void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// As a user puts a text in the entry: pasted over what is there.
void enter(Dice &dice, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    click(control(dice, "NumOfThrows"));
    press(&dice, Qt::Key_A, Qt::ControlModifier);
    press(&dice, Qt::Key_V, Qt::ControlModifier);
}

// What the window shows at one moment: its pixels, each shown label's own painting (what it
// would show with nothing on top), and the focus as Tab walks it from the log.
struct Look
{
    QImage window;
    QHash<QString, QImage> labels;
    QStringList shown, tabChain;
};

Look look(Dice &dice)
{
    Look look{dice.grab().toImage(), {}, {}, {}};
    for (const Designed &row : Design) {
        QWidget *widget = control(dice, row.name);
        if (widget->isVisible())
            look.shown << QLatin1StringView(row.name);
        if (widget->isVisible() && qobject_cast<QLabel *>(widget))
            look.labels[QLatin1StringView(row.name)] = widget->grab().toImage();
    }
    click(control(dice, "DicePool"));
    for (int step = 0; step < 6; ++step) {
        press(&dice, Qt::Key_Tab);
        look.tabChain << dice.focusWidget()->objectName();
    }
    return look;
}

// While it lives, answers each message box that opens with a click on its button, and closes
// each popup menu that opens; keeps what each one showed.
class Watcher : public QObject
{
public:
    explicit Watcher(const QWidget *window)
    {
        m_timer.callOnTimeout(this, [this, window] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                QStringList items;
                for (const QAction *action : menu->actions()) {
                    if (!action->isSeparator())
                        items << action->text().remove(u'&').section(u'\t', 0, 0);
                }
                menus << items;
                menu->close();
            } else if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                QStringList buttons;
                for (const QAbstractButton *button : box->buttons())
                    buttons << button->text().remove(u'&');
                boxes << QStringLiteral("%1: %2 [%3]%4")
                             .arg(box->windowTitle(), box->text(), buttons.join(u','),
                                  box->parentWidget() == window ? "" : " (no parent)");
                click(box->buttons().constFirst());
            }
        });
        m_timer.start(10);
    }
    QStringList boxes;
    QList<QStringList> menus;

private:
    QTimer m_timer;
};

// The throws in a run's results, or -1 where they disagree: the log numbered from 1, and for
// each face its count as the log has it and its share of the throws, a single in seven digits
// with the locale's separator. From 60 throws on, the faces must pass a chi-square test (35.9:
// five degrees of freedom, p = 1e-6).
int checkedThrows(const QString &log, const QString &stats)
{
    QStringList lines = log.split(u'\n');
    std::array<int, 6> counts{};
    if (!lines.takeLast().isEmpty()) // every line ends in a break
        return -1;
    for (int n = 0; n < lines.size(); ++n) {
        const int face = lines[n].back().digitValue();
        if (face < 1 || face > 6 ||
            lines[n] != QStringLiteral("Ρίξιμο %1ο: %2").arg(n + 1).arg(face))
            return -1;
        ++counts.at(face - 1);
    }
    const auto made = int(lines.size());
    const char *labels[] = {"Άσοι", "Δύο", "Τρία", "Τεσσάρια", "Πεντάρια", "Εξάρια"};
    QString expected;
    double chiSquare = 0;
    for (int face = 0; face < 6; ++face) {
        const auto share = made ? float(double(counts.at(face)) / made * 100) : 0.0f;
        expected += QStringLiteral("%1 βγήκαν: %2 φορές. Ποσοστό:%3%4%\n")
                        .arg(QString::fromUtf8(labels[face]))
                        .arg(counts.at(face))
                        .arg(QString::number(share, 'g', 7).replace(u'.', QLocale().decimalPoint()),
                             face == 1 ? " " : "");
        chiSquare += std::pow(counts.at(face) - made / 6.0, 2) / (made / 6.0);
    }
    if (stats == expected && (made < 60 || chiSquare < 35.9))
        return made;
    qWarning().noquote() << "Results that disagree:\n" << log.right(200) << stats;
    return -1;
}

// A program of its own, as main() makes it, for what may end it: the user's steps run once its
// event loop does; gives the loop's status (-1 when the program did not end) and the results.
int runProgram(const std::function<void(Dice &)> &user, QStringList *results = nullptr)
{
    QtRuntime runtime;
    const std::unique_ptr<Dice> dice = makeProgramWindow(runtime);
    dice->show();
    QTimer::singleShot(0, dice.get(), [&] {
        user(*dice);
        if (!runtime.programEnded())
            QCoreApplication::exit(-1);
    });
    const int status = QApplication::exec();
    if (results)
        *results = {text(*dice, "DicePool"), text(*dice, "Stats")};
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
    }

    void start()
    {
        QCOMPARE(m_dice->windowTitle(), QStringLiteral("Quilvane"));
        QCOMPARE(m_dice->size(), QSize(5970 / Twips, 3645 / Twips));
        QCOMPARE(m_dice->focusWidget(), control(*m_dice, "DicePool"));
        QCOMPARE(control<QLineEdit>(*m_dice, "NumOfThrows")->text(), QStringLiteral("100"));
        QCOMPARE(text(*m_dice, "DicePool") + text(*m_dice, "Stats"), QString());
    }

    // Each control in its place with its font and colours, shown as its arrangement has it, its
    // caption in view; Tab walks the shown controls in the designed order.
    void design_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("between runs") << false;
        QTest::newRow("during a run") << true;
    }
    void design()
    {
        QFETCH(bool, running);
        Look seen;
        if (running) { // seen at the run's first pump, then cancelled
            enter(*m_dice, QStringLiteral("32766"));
            QTimer::singleShot(0, m_dice.get(), [&] {
                seen = look(*m_dice);
                click(control(*m_dice, "Command1"));
            });
            click(control(*m_dice, "ChangeNumOfThrows"));
        } else {
            seen = look(*m_dice);
        }
        const QImage &window = seen.window;
        const qreal scale = window.devicePixelRatio();
        const auto at = [&](QPoint point) {
            return window.pixel(point * scale);
        };
        // How many pixels of a part of the window are within the distance of the colour.
        const auto near = [&](const QRegion &part, QRgb colour, int within) {
            int count = 0;
            for (const QRect &rect : part) {
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    for (int y = rect.top(); y <= rect.bottom(); ++y)
                        count += distance(at({x, y}), colour) <= within;
                }
            }
            return count;
        };
        QCOMPARE(at({5, 242}), Orange);

        QStringList shown, tabChain;
        for (const Designed &row : Design) {
            if (running ? row.running : row.idle)
                shown << QLatin1StringView(row.name);
            if ((running ? row.running : row.idle) && !QByteArray(row.name).startsWith("Label"))
                tabChain << QLatin1StringView(row.name);
        }
        tabChain << tabChain.takeFirst();
        QCOMPARE(seen.shown, shown);
        QCOMPARE(seen.tabChain, tabChain + tabChain.mid(0, 6 - tabChain.size()));

        for (const Designed &row : Design) {
            const QString name = QLatin1StringView(row.name);
            if (!shown.contains(name))
                continue;
            const QWidget *widget = control(*m_dice, row.name);
            const QRect place = designedRect(row);
            QCOMPARE(widget->pos(), place.topLeft());
            QCOMPARE(widget->width(), place.width());
            // (a label grows downwards to hold a caption that wraps to more lines)
            QVERIFY2(widget->height() == place.height() ||
                         (seen.labels.contains(name) && widget->height() > place.height()),
                     row.name);
            const QFontInfo font(widget->font());
            QVERIFY2(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(font.family()) &&
                         qAbs(font.pointSizeF() - row.points) < 0.3 && font.bold() == row.bold,
                     qPrintable(name + u' ' + font.family() + u' ' +
                                QString::number(font.pointSizeF())));

            // Its ground (which Fusion shades on a button), and the ink of its text, in the part
            // of it that no other shown control covers. Where a control lies over a label, the
            // label's ground shows at most at the control's rounded corners.
            QRegion own(place.adjusted(2, 2, -2, -2));
            for (const Designed &other : Design) {
                const QRect over = designedRect(other) & place;
                if (&other == &row || !shown.contains(QLatin1StringView(other.name)))
                    continue;
                own -= over;
                if (!over.isEmpty() && seen.labels.contains(name) &&
                    !seen.labels.contains(other.name))
                    QVERIFY2(near(over, row.ground, 0) * 4 < over.width() * over.height(),
                             qPrintable(name + u' ' + other.name));
            }
            const int shade = qobject_cast<const QPushButton *>(widget) ? 64 : 24;
            QVERIFY2(near(own, row.ground, shade) * 10 > near(own, 0, 255), row.name);
            QVERIFY2(widget->property("text").toString().isEmpty() || near(own, row.ink, 48) > 0,
                     row.name);
            // A scroll bar on the log only: its groove where the box's ground would be.
            if (qobject_cast<const QPlainTextEdit *>(widget))
                QCOMPARE(at(place.topRight() + QPoint(-7, place.height() / 2)) != White,
                         name == QStringLiteral("DicePool"));
        }

        // Every letter of a caption in view: the label is tall enough for its caption's lines,
        // each pixel of its own painting that is not its ground is on screen as painted, and
        // none touches its right edge, where a line too long would be cut.
        for (auto label = seen.labels.cbegin(); label != seen.labels.cend(); ++label) {
            const QImage &own = label.value();
            const QWidget *widget = control(*m_dice, qPrintable(label.key()));
            QVERIFY(widget->height() >= widget->heightForWidth(widget->width()));
            int left = own.width(), right = 0;
            for (int x = 0; x < own.width(); ++x) {
                for (int y = 0; y < own.height(); ++y) {
                    if (distance(own.pixel(x, y), own.pixel(0, 0)) < 8)
                        continue;
                    const QRgb onScreen = window.pixel(widget->pos() * scale + QPoint(x, y));
                    QVERIFY2(
                        x + 1 < own.width() && distance(onScreen, own.pixel(x, y)) < 8,
                        qPrintable(QStringLiteral("%1 at %2, %3").arg(label.key()).arg(x).arg(y)));
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            if (label.key() == QStringLiteral("Label4")) // the statistics' heading, centred
                QVERIFY(qAbs(left - (own.width() - 1 - right)) <= 2 * scale);
        }
        // A button's caption, broken into lines by the window, fits the room the button gives
        // it, and its lines make up the whole caption, as a screen reader reads it.
        for (auto *button : m_dice->findChildren<QPushButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.features = QStyleOptionButton::AutoDefaultButton;
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QSize needed = button->fontMetrics().boundingRect(room, 0, button->text()).size();
            QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                     qPrintable(button->text()));
            QCOMPARE(QString(button->text()).replace(u'\n', u' '), button->accessibleName());
        }
    }

    // Keys a user presses between runs: Enter in the entry and Esc anywhere press nothing;
    // Enter and the keypad's Enter press the focused roll button.
    void keys()
    {
        const Watcher watcher(m_dice.get());
        auto *stats = control<QPlainTextEdit>(*m_dice, "Stats");
        stats->clear();
        enter(*m_dice, QStringLiteral("7"));
        press(m_dice.get(), Qt::Key_Return);
        press(m_dice.get(), Qt::Key_Enter, Qt::KeypadModifier);
        press(m_dice.get(), Qt::Key_Escape);
        click(control(*m_dice, "DicePool"));
        press(m_dice.get(), Qt::Key_Escape);
        QCOMPARE(stats->toPlainText(), QString());
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            stats->clear();
            click(control(*m_dice, "NumOfThrows"));
            press(m_dice.get(), Qt::Key_Tab);
            press(m_dice.get(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(checkedThrows(text(*m_dice, "DicePool"), stats->toPlainText()), 7);
        }
        QCOMPARE(watcher.boxes, QStringList());
    }

    // A paste from an empty clipboard or selection into a result box (Ctrl+V, Shift+Insert, a
    // middle click) pastes nothing and leaves the program running.
    void pasteNothing()
    {
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        for (const char *name : {"DicePool", "Stats"}) {
            auto *box = control<QPlainTextEdit>(*m_dice, name);
            box->setPlainText(QStringLiteral("kept"));
            click(box);
            press(m_dice.get(), Qt::Key_V, Qt::ControlModifier);
            press(m_dice.get(), Qt::Key_Insert, Qt::ShiftModifier);
            click(box, Qt::MiddleButton);
            QCOMPARE(box->toPlainText(), QStringLiteral("kept"));
        }
    }

    // Qt's own menus in the window, as shown on a right click: seven items, each in Greek.
    void menus_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("the log") << "DicePool";
        QTest::newRow("the entry") << "NumOfThrows";
        QTest::newRow("the statistics") << "Stats";
        QTest::newRow("the log's scroll bar") << "scroll bar";
    }
    void menus()
    {
        QFETCH(QString, control);
        QWidget *widget = m_dice->findChild<QWidget *>(control);
        if (!widget)
            widget = ::control<QPlainTextEdit>(*m_dice, "DicePool")->verticalScrollBar();
        const Watcher watcher(m_dice.get());
        click(widget, Qt::RightButton);
        QTRY_COMPARE(watcher.menus.size(), 1);
        QCOMPARE(watcher.menus[0].size(), 7);
        for (const QString &item : watcher.menus[0]) {
            QVERIFY2(
                std::all_of(item.begin(), item.end(),
                            [](QChar c) { return c == u' ' || c.script() == QChar::Script_Greek; }),
                qPrintable(item));
        }
    }

    // Runs as a user makes them, each in a program of its own: the entry pasted, the roll button
    // clicked, and maybe the cancel or exit button clicked or the window closed during the run.
    void runs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("during"); // a button clicked, or "close"
        QTest::addColumn<int>("throws");     // made; for a cancelled run, those made after it
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("status");
        const QString tooMany = "Quilvane: Ο μέγιστος αριθμός ρίψεων είναι 32766 [OK]";
        QTest::newRow("a Greek fraction") << "2,7"
                                          << "" << 3 << "" << -1;
        QTest::newRow("none") << "0"
                              << "" << 0 << "" << -1;
        QTest::newRow("one") << "1"
                             << "" << 1 << "" << -1;
        QTest::newRow("the most") << "32766"
                                  << "" << 32766 << "" << -1;
        QTest::newRow("one too many") << "32767"
                                      << "" << 0 << tooMany << -1;
        QTest::newRow("40,000 digits, kept") << QString(40'000, u'9') << "" << 0 << tooMany << -1;
        QTest::newRow("not a number") << "δώδεκα"
                                      << "" << 0 << "Quilvane: Δώσε Αριθμό [OK]" << -1;
        QTest::newRow("cancelled, then 5") << "32766"
                                           << "Command1" << 5 << "" << -1;
        QTest::newRow("exit") << "32766"
                              << "Command2" << 0 << "Quilvane: Ευχαριστώ Πολύ [OK]" << 0;
        QTest::newRow("window closed") << "32766"
                                       << "close" << 0 << "" << 0;
    }
    void runs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, during);
        QFETCH(QString, box);
        QStringList boxes, results, cancelled;
        QString entryAfter;
        const int status = runProgram(
            [&](Dice &dice) {
                const Watcher watcher(&dice);
                QTimer pump; // fires once at each of the run's pumps
                int pumps = 0;
                pump.callOnTimeout(&dice, [&] {
                    if (++pumps == 30 && during == QStringLiteral("close"))
                        dice.windowHandle()->close();
                    else if (pumps == 30)
                        click(dice.findChild<QWidget *>(during));
                });
                enter(dice, entry);
                if (!during.isEmpty())
                    pump.start(0);
                click(control(dice, "ChangeNumOfThrows"));
                pump.stop();
                entryAfter = control<QLineEdit>(dice, "NumOfThrows")->text();
                if (during == QStringLiteral("Command1")) { // and a run after it
                    cancelled = {text(dice, "DicePool"), text(dice, "Stats")};
                    enter(dice, QStringLiteral("5"));
                    click(control(dice, "ChangeNumOfThrows"));
                }
                boxes = watcher.boxes;
            },
            &results);
        QTEST(status, "status");
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList(box));
        if (!box.isEmpty() || status == 0) { // nothing written, and the entry as it was typed
            QCOMPARE(results, QStringList({QString(), QString()}));
            QVERIFY(status == 0 || entryAfter == entry);
            return;
        }
        if (!cancelled.isEmpty()) {
            const int made = checkedThrows(cancelled[0], cancelled[1]);
            QVERIFY2(made > 0 && made < 32766, qPrintable(QString::number(made)));
        }
        QTEST(checkedThrows(results[0], results[1]), "throws");
    }

    // Random clicks and keys, with a fixed seed, anywhere in the window, its boxes and menus,
    // also during runs; whenever the program ends, with status 0, another one starts.
    void randomInput()
    {
        QRandomGenerator random(20261207);
        const Qt::Key keys[] = {Qt::Key_Tab,       Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
                                Qt::Key_Backspace, Qt::Key_Comma,  Qt::Key_0,      Qt::Key_9,
                                Qt::Key_A,         Qt::Key_C,      Qt::Key_V,      Qt::Key_Menu};
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
        int events = 0;
        while (events < 600) {
            const int status = runProgram([&](Dice &dice) {
                std::function<void()> next = [&] {
                    if (++events == 600)
                        return QCoreApplication::exit(-1);
                    QTimer::singleShot(1, &dice, next); // also while a box, menu or run is open
                    QWidget *target = QApplication::activePopupWidget();
                    target = target ? target : QApplication::activeModalWidget();
                    target = target ? target : &dice;
                    const int pick = random.bounded(20);
                    if (pick < 8)
                        QTest::mouseClick(
                            target, buttons[pick % 3], {},
                            {random.bounded(target->width()), random.bounded(target->height())});
                    else
                        press(target, keys[pick - 8],
                              pick % 3 ? Qt::NoModifier : Qt::ControlModifier);
                };
                next();
                QEventLoop().exec(); // until the program ends
            });
            QVERIFY2(status == 0 || events == 600, qPrintable(QString::number(status)));
        }
    }
};

// As QTEST_MAIN, but with the font resolution that the program itself gets, in a Greek
// classroom's locale.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
