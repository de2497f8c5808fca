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
const QString Thanks = QStringLiteral("Quilvane: Ευχαριστώ Πολύ [OK]");

int distance(QRgb a, QRgb b)
{
    return std::max(
        {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}

// How many of the counted pixels are within the distance of the colour.
int share(const QHash<QRgb, int> &colours, QRgb colour, int within)
{
    int count = 0;
    for (auto it = colours.cbegin(); it != colours.cend(); ++it)
        count += distance(it.key(), colour) <= within ? it.value() : 0;
    return count;
}

QRect designedRect(const Designed &row)
{
    return {row.left / Twips, row.top / Twips, row.width / Twips, row.height / Twips};
}

// What the window shows at one moment: its pixels, each shown label's own painting (what it
// would show with nothing on top), and the focus as Tab walks it from the log.
struct Look
{
    QImage window;
    QHash<QString, QImage> labels;
    QStringList shown, withText, tabChain;
};

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
    click(dice.findChild<QWidget *>(QStringLiteral("NumOfThrows")));
    press(&dice, Qt::Key_A, Qt::ControlModifier);
    press(&dice, Qt::Key_V, Qt::ControlModifier);
}

Look look(Dice &dice)
{
    Look look{dice.grab().toImage(), {}, {}, {}, {}};
    for (const Designed &row : Design) {
        auto *widget = dice.findChild<QWidget *>(QLatin1StringView(row.name));
        if (widget->isVisible())
            look.shown << QLatin1StringView(row.name);
        if (!widget->property("text").toString().isEmpty() ||
            !widget->property("plainText").toString().isEmpty())
            look.withText << QLatin1StringView(row.name);
        if (widget->isVisible() && qobject_cast<QLabel *>(widget))
            look.labels[QLatin1StringView(row.name)] = widget->grab().toImage();
    }
    click(dice.findChild<QWidget *>(QStringLiteral("DicePool")));
    for (int step = 0; step < 6; ++step) {
        press(&dice, Qt::Key_Tab);
        look.tabChain << dice.focusWidget()->objectName();
    }
    return look;
}

// Answers every message box that opens while it lives with a click on the box's button, and
// keeps what each one showed.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(const QWidget *window)
    {
        m_timer.callOnTimeout(this, [this, window] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QStringList buttons;
            for (const QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            shown << QStringLiteral("%1: %2 [%3]%4")
                         .arg(box->windowTitle(), box->text(), buttons.join(u','),
                              box->parentWidget() == window ? QString() : QStringLiteral(" alone"));
            click(box->buttons().constFirst());
        });
        m_timer.start(10);
    }
    QStringList shown;

private:
    QTimer m_timer;
};

// The items of the next popup menu that opens, read as it is shown, then closed.
class MenuReader : public QObject
{
public:
    MenuReader()
    {
        m_timer.callOnTimeout(this, [this] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (const QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    items << action->text().remove(u'&').section(u'\t', 0, 0);
            }
            menu->close();
            m_timer.stop();
        });
        m_timer.start(10);
    }
    QStringList items;

private:
    QTimer m_timer;
};

// What a run's results must say: the log numbered from 1, and for each face its count as the
// log has it and its share of the throws, a single in seven digits with the Greek separator.
// From 60 throws on, the faces must pass a chi-square test (35.9: five degrees of freedom,
// p = 1e-6). Gives the number of throws in the log.
int checkedThrows(const QString &log, const QString &stats)
{
    QStringList lines = log.split(u'\n');
    if (!lines.takeLast().isEmpty()) // every line ends in a break
        return -1;
    std::array<int, 6> counts{};
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const auto line = QRegularExpression(QStringLiteral("Ρίξιμο (\\d+)ο: ([1-6])"))
                              .match(lines[n], 0, QRegularExpression::NormalMatch,
                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (!line.hasMatch() || line.capturedLength() != lines[n].size() ||
            line.captured(1).toInt() != n + 1)
            return -1;
        ++counts.at(line.captured(2).toUInt() - 1);
    }
    const auto made = int(lines.size());
    const char16_t *labels[] = {u"Άσοι", u"Δύο", u"Τρία", u"Τεσσάρια", u"Πεντάρια", u"Εξάρια"};
    QString expected;
    double chiSquare = 0;
    for (int face = 0; face < 6; ++face) {
        const auto share = made ? float(double(counts.at(face)) / made * 100) : 0.0f;
        expected += QStringLiteral("%1 βγήκαν: %2 φορές. Ποσοστό:%3%4%\n")
                        .arg(QStringView(labels[face]))
                        .arg(counts.at(face))
                        .arg(QString::number(share, 'g', 7).replace(u'.', QLocale().decimalPoint()),
                             face == 1 ? QStringLiteral(" ") : QString());
        chiSquare += std::pow(counts.at(face) - made / 6.0, 2) / (made / 6.0);
    }
    if (stats == expected && (made < 60 || chiSquare < 35.9))
        return made;
    qWarning().noquote() << "Results that disagree:\n" << log.right(200) << stats;
    return -2;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

    QtRuntime m_runtime;
    std::unique_ptr<Dice> m_dice;

    template <typename Widget = QWidget> Widget *control(const char *name) const
    {
        return m_dice->findChild<Widget *>(QLatin1StringView(name));
    }

    // A program of its own, as main() makes it, for what may end it: the user's steps run once
    // its event loop does, and the loop's status comes back (-1 when the program did not end).
    static int runProgram(const std::function<void(Dice &)> &user, QStringList *results = nullptr)
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
        if (results) {
            *results = {
                dice->findChild<QPlainTextEdit *>(QStringLiteral("DicePool"))->toPlainText(),
                dice->findChild<QPlainTextEdit *>(QStringLiteral("Stats"))->toPlainText()};
        }
        return status;
    }

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
        QCOMPARE(m_dice->focusWidget(), control("DicePool"));
        QCOMPARE(control<QLineEdit>("NumOfThrows")->text(), QStringLiteral("100"));
        QVERIFY(control<QPlainTextEdit>("DicePool")->toPlainText().isEmpty());
        QVERIFY(control<QPlainTextEdit>("Stats")->toPlainText().isEmpty());
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
                click(control("Command1"));
            });
            click(control("ChangeNumOfThrows"));
        } else {
            seen = look(*m_dice);
        }
        const QImage &window = seen.window;
        const qreal scale = window.devicePixelRatio();
        const auto at = [&](QPoint point) {
            return window.pixel((QPointF(point) * scale).toPoint());
        };
        // How often each colour shows in a part of the window.
        const auto colours = [&](const QRegion &part) {
            QHash<QRgb, int> count;
            for (const QRect &rect : part) {
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    for (int y = rect.top(); y <= rect.bottom(); ++y)
                        ++count[at({x, y})];
                }
            }
            return count;
        };
        QCOMPARE(at(QPoint(5, 242)), Orange);

        QStringList shown, tabChain;
        for (const Designed &row : Design) {
            if (running ? row.running : row.idle)
                shown << QLatin1StringView(row.name);
        }
        for (const QString &name : shown) {
            if (!name.startsWith(QStringLiteral("Label")))
                tabChain << name;
        }
        tabChain << tabChain.takeFirst();
        QCOMPARE(seen.shown, shown);
        QCOMPARE(seen.tabChain, tabChain + tabChain.mid(0, 6 - tabChain.size()));

        for (const Designed &row : Design) {
            const QString name = QLatin1StringView(row.name);
            if (!shown.contains(name))
                continue;
            const QWidget *widget = control(row.name);
            const QRect place = designedRect(row);
            QCOMPARE(widget->pos(), place.topLeft());
            QCOMPARE(widget->width(), place.width());
            // (a label grows downwards to hold a caption that wraps to more lines)
            QVERIFY2(widget->height() == place.height() ||
                         (seen.labels.contains(name) && widget->height() > place.height()),
                     row.name);
            const QFontInfo font(widget->font());
            QVERIFY2(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(font.family()),
                     qPrintable(name + u' ' + font.family()));
            QVERIFY2(qAbs(font.pointSizeF() - row.points) < 0.3 && font.bold() == row.bold,
                     qPrintable(name + u' ' + QString::number(font.pointSizeF())));

            // Its ground, and its ink where it shows text, in the part of it that no other shown
            // control covers (Fusion shades a button's ground); where a control lies over a
            // label, not the label's ground but at the control's rounded corners.
            QRegion own(place.adjusted(2, 2, -2, -2));
            for (const Designed &other : Design) {
                if (&other == &row || !shown.contains(QLatin1StringView(other.name)))
                    continue;
                own -= designedRect(other);
                if (seen.labels.contains(name) && !seen.labels.contains(other.name) &&
                    designedRect(other).intersects(place)) {
                    const QHash<QRgb, int> over = colours(designedRect(other) & place);
                    QVERIFY2(over.value(row.ground) * 4 < share(over, row.ground, 255),
                             qPrintable(name + u' ' + other.name));
                }
            }
            const QHash<QRgb, int> painted = colours(own);
            const int shade = qobject_cast<const QPushButton *>(widget) ? 64 : 24;
            QVERIFY2(share(painted, row.ground, shade) * 10 > share(painted, row.ground, 255),
                     row.name);
            QVERIFY2(!seen.withText.contains(name) || share(painted, row.ink, 48) > 0, row.name);
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
            const QWidget *widget = control(qPrintable(label.key()));
            QVERIFY(widget->height() >= widget->heightForWidth(widget->width()));
            const QPoint origin = widget->pos() * scale;
            const QRgb ground = own.pixel(0, 0);
            int left = own.width(), right = 0;
            for (int x = 0; x < own.width(); ++x) {
                for (int y = 0; y < own.height(); ++y) {
                    if (distance(own.pixel(x, y), ground) < 8)
                        continue;
                    QVERIFY2(
                        x + 1 < own.width() &&
                            distance(window.pixel(origin + QPoint(x, y)), own.pixel(x, y)) < 8,
                        qPrintable(QStringLiteral("%1 at %2, %3").arg(label.key()).arg(x).arg(y)));
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            if (label.key() == QStringLiteral("Label4")) // the statistics' heading, centred
                QVERIFY2(qAbs(left - (own.width() - 1 - right)) <= 2 * scale,
                         qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
        }
        // A button's caption, broken into lines by the window, fits the room the button gives
        // it, and its lines make up the whole caption, as a screen reader reads it.
        for (auto *button : m_dice->findChildren<QPushButton *>()) {
            if (!button->isVisible())
                continue;
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
        BoxAnswerer boxes(m_dice.get());
        auto *stats = control<QPlainTextEdit>("Stats");
        stats->clear();
        enter(*m_dice, QStringLiteral("7"));
        press(m_dice.get(), Qt::Key_Return);
        press(m_dice.get(), Qt::Key_Enter, Qt::KeypadModifier);
        press(m_dice.get(), Qt::Key_Escape);
        click(control("DicePool"));
        press(m_dice.get(), Qt::Key_Escape);
        QVERIFY(stats->toPlainText().isEmpty());
        for (const auto &[key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                             std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
            stats->clear();
            click(control("NumOfThrows"));
            press(m_dice.get(), Qt::Key_Tab);
            press(m_dice.get(), key, modifiers);
            QCOMPARE(checkedThrows(control<QPlainTextEdit>("DicePool")->toPlainText(),
                                   stats->toPlainText()),
                     7);
        }
        QCOMPARE(boxes.shown, QStringList());
    }

    // A paste from an empty clipboard or selection into a result box (Ctrl+V, Shift+Insert, a
    // middle click) pastes nothing and leaves the program running.
    void pasteNothing()
    {
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        for (const char *name : {"DicePool", "Stats"}) {
            auto *box = control<QPlainTextEdit>(name);
            box->setPlainText(QStringLiteral("kept"));
            click(box);
            press(m_dice.get(), Qt::Key_V, Qt::ControlModifier);
            press(m_dice.get(), Qt::Key_Insert, Qt::ShiftModifier);
            click(box, Qt::MiddleButton);
            QCOMPARE(box->toPlainText(), QStringLiteral("kept"));
        }
    }

    // Qt's own menus in the window, as shown: every item in Greek.
    void menus_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("scrollBar");
        QTest::newRow("the log") << "DicePool" << false;
        QTest::newRow("the entry") << "NumOfThrows" << false;
        QTest::newRow("the statistics") << "Stats" << false;
        QTest::newRow("the log's scroll bar") << "DicePool" << true;
    }
    void menus()
    {
        QFETCH(QString, control);
        QFETCH(bool, scrollBar);
        auto *widget = m_dice->findChild<QWidget *>(control);
        if (scrollBar)
            widget = qobject_cast<QPlainTextEdit *>(widget)->verticalScrollBar();
        MenuReader menu;
        click(widget, Qt::RightButton);
        QTRY_VERIFY(!menu.items.isEmpty());
        QCOMPARE(menu.items.size(), 7);
        for (const QString &item : std::as_const(menu.items)) {
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
        QTest::addColumn<int>("throws");     // made, or -1: fewer than asked
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("status");
        const QString tooMany =
            QStringLiteral("Quilvane: Ο μέγιστος αριθμός ρίψεων είναι 32766 [OK]");
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
        QTest::newRow("40,000 digits, kept whole")
            << QString(40'000, u'9') << "" << 0 << tooMany << -1;
        QTest::newRow("not a number") << "δώδεκα"
                                      << "" << 0 << "Quilvane: Δώσε Αριθμό [OK]" << -1;
        QTest::newRow("cancelled, then 5") << "32766"
                                           << "Command1" << -1 << "" << -1;
        QTest::newRow("exit during a run") << "32766"
                                           << "Command2" << 0 << Thanks << 0;
        QTest::newRow("window closed during a run") << "32766"
                                                    << "close" << 0 << "" << 0;
    }
    void runs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, during);
        QFETCH(int, throws);
        QFETCH(QString, box);
        QStringList shownBoxes, results, again;
        QString entryAfter;
        const int status = runProgram(
            [&](Dice &dice) {
                BoxAnswerer boxes(&dice);
                QTimer pump; // fires once at each of the run's pumps
                int pumps = 0;
                pump.callOnTimeout(&dice, [&] {
                    if (++pumps != 30)
                        return;
                    if (during == QStringLiteral("close"))
                        dice.windowHandle()->close();
                    else
                        click(dice.findChild<QWidget *>(during));
                });
                enter(dice, entry);
                if (!during.isEmpty())
                    pump.start(0);
                click(dice.findChild<QWidget *>(QStringLiteral("ChangeNumOfThrows")));
                pump.stop();
                entryAfter = dice.findChild<QLineEdit *>(QStringLiteral("NumOfThrows"))->text();
                if (during == QStringLiteral("Command1")) { // a run after a cancelled one
                    again = {
                        dice.findChild<QPlainTextEdit *>(QStringLiteral("DicePool"))->toPlainText(),
                        dice.findChild<QPlainTextEdit *>(QStringLiteral("Stats"))->toPlainText()};
                    enter(dice, QStringLiteral("5"));
                    click(dice.findChild<QWidget *>(QStringLiteral("ChangeNumOfThrows")));
                }
                shownBoxes = boxes.shown;
            },
            &results);
        QTEST(status, "status");
        QCOMPARE(shownBoxes, box.isEmpty() ? QStringList() : QStringList(box));
        if (!box.isEmpty() || status == 0) { // nothing written, and the entry as it was typed
            QCOMPARE(results, QStringList({QString(), QString()}));
            QVERIFY(status == 0 || entryAfter == entry);
        } else if (throws < 0) {
            const int made = checkedThrows(again.value(0), again.value(1));
            QVERIFY2(made >= 0 && made < 32766, qPrintable(QString::number(made)));
            QCOMPARE(checkedThrows(results[0], results[1]), 5);
        } else {
            QCOMPARE(checkedThrows(results[0], results[1]), throws);
        }
    }

    // Random clicks (any button) and keys, with a fixed seed, anywhere in the window, its boxes
    // and menus; whenever the program ends, it must end with status 0, and another one starts.
    void randomInput()
    {
        QRandomGenerator random(20261207);
        const Qt::Key keys[] = {Qt::Key_Tab,       Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
                                Qt::Key_Backspace, Qt::Key_Down,   Qt::Key_Comma,  Qt::Key_0,
                                Qt::Key_9,         Qt::Key_A,      Qt::Key_C,      Qt::Key_V,
                                Qt::Key_X,         Qt::Key_Z,      Qt::Key_Insert, Qt::Key_Menu};
        const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier,
                                                   Qt::ShiftModifier};
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::MiddleButton,
                                           Qt::RightButton};
        int events = 0;
        while (events < 600) {
            const int status = runProgram([&](Dice &dice) {
                std::function<void()> next = [&] {
                    if (++events == 600)
                        return QCoreApplication::exit(-1);
                    QTimer::singleShot(1, &dice, next); // also while a box, menu or run is open
                    QWidget *target = QApplication::activePopupWidget();
                    if (!target)
                        target = QApplication::activeModalWidget();
                    if (!target)
                        target = &dice;
                    if (random.bounded(10) < 4) {
                        const QPoint point(random.bounded(target->width()),
                                           random.bounded(target->height()));
                        QTest::mouseClick(target, buttons[random.bounded(4)], {}, point);
                    } else {
                        press(target, keys[random.bounded(16)], modifiers[random.bounded(3)]);
                    }
                };
                next();
                QEventLoop().exec(); // until the program ends
            });
            QVERIFY2(status == 0 || events == 600, qPrintable(QString::number(status)));
        }
    }
};

// As QTEST_MAIN, but with the font resolution that the program itself gets.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); // as in a Greek classroom
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
