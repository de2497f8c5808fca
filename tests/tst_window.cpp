#include "DiceFixture.h"
#include "ScriptedRuntime.h"
#include "window/Appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>

using DiceDesign::Command2;
using DiceDesign::DicePool;
using DiceDesign::Label2;
using DiceDesign::NumOfThrows;
using DiceDesign::Stats;

// The window as drawn, in pixels (15 twips to a pixel), written out here on its own so that a
// slip in the design table shows up against it.
struct Expected
{
    const char *name;
    const char *className;
    QString caption;
    QRect geometry;
    QRgb background; // 0: the control's usual colour
    QRgb text;       // 0: usual; 1: the system's highlighted-text colour
    double points;   // 0: the window's font
    bool bold;
    bool visibleAtStart;
};

namespace {

constexpr QRgb Orange = 0xFFFF8000;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb PaleYellow = 0xFFFFFF80;
constexpr QRgb Cream = 0xFFFFFFC0;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Highlighted = 1;

const QList<Expected> &expectedControls()
{
    static const QList<Expected> controls = {
        {"DicePool", "QPlainTextEdit", {}, {0, 16, 129, 225}, 0, 0, 9.75, false, true},
        {"NumOfThrows", "QLineEdit", "100", {248, 112, 65, 57}, 0, 0, 12, false, true},
        // 41 pixels high as drawn; the third line of the prompt needs 45 in Arial's metrics.
        {"Label1",
         "QLabel",
         "Πόσες φορές θέλεις να ρίξεις το ζάρι;",
         {136, 120, 113, 45},
         Orange,
         Yellow,
         9.75,
         false,
         true},
        {"ChangeNumOfThrows",
         "QPushButton",
         "Ρίξε το Ζάρι",
         {312, 112, 81, 57},
         PaleYellow,
         0,
         9.75,
         false,
         true},
        {"Label2", "QLabel", {}, {136, 200, 129, 41}, Orange, Cream, 0, false, true},
        {"Stats", "QPlainTextEdit", {}, {128, 16, 265, 97}, 0, 0, 0, false, true},
        {"Label3",
         "QLabel",
         "Περιμένετε Παρακαλώ",
         {160, 112, 209, 25},
         Red,
         Highlighted,
         14.25,
         true,
         false},
        {"Label4",
         "QLabel",
         "Στατιστική Κατανομή",
         {192, 0, 129, 17},
         Orange,
         Yellow,
         9.75,
         false,
         true},
        {"Label5", "QLabel", "Αποτελέσματα", {0, 0, 89, 17}, Orange, Yellow, 9.75, false, true},
        {"Command1", "QPushButton", "Ακύρωση", {216, 136, 81, 33}, 0, 0, 0, false, false},
        {"Command2",
         "QPushButton",
         "Έξοδος από το πρόγραμμα",
         {312, 200, 81, 41},
         0,
         0,
         0,
         false,
         true},
    };
    return controls;
}

QString captionOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text().replace(u'\n', u' ');
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    return static_cast<const QPlainTextEdit *>(widget)->toPlainText();
}

QMap<QString, bool> visibility(const Dice &dice)
{
    QMap<QString, bool> result;
    for (const Expected &control : expectedControls()) {
        const auto *widget = dice.findChild<QWidget *>(QLatin1StringView(control.name));
        result.insert(QLatin1StringView(control.name), widget->isVisibleTo(&dice));
    }
    return result;
}

QStringList allTexts(const Dice &dice)
{
    QStringList texts;
    for (const Expected &control : expectedControls())
        texts << captionOf(dice.findChild<QWidget *>(QLatin1StringView(control.name)));
    return texts;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowProperties();
    void controls_data();
    void controls();
    void captionsFit_data();
    void captionsFit();
    void labelsLieBeneath();
    void startState();
    void tabChain_data();
    void tabChain();
    void arrangementsRoundTrip();
    void resultBoxesShowLineBreaks();
    void textBoxesTakeLongText();
    void exitCommandThanksThenEnds();
    void closingEndsWithoutThanks();

private:
    DiceFixture<ScriptedRuntime> m_window;
};

void WindowTest::initTestCase()
{
    Appearance::configureApplication();
}

void WindowTest::init()
{
    QVERIFY(m_window.open());
}

void WindowTest::cleanup()
{
    m_window.close();
}

void WindowTest::windowProperties()
{
    QCOMPARE(m_window.dice->windowTitle(), QStringLiteral("Quilvane"));
    QCOMPARE(m_window.dice->minimumSize(), QSize(398, 243));
    QCOMPARE(m_window.dice->maximumSize(), QSize(398, 243));
    QVERIFY(!(m_window.dice->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window.dice->windowFlags() & Qt::WindowCloseButtonHint);
    const QList<QSize> iconSizes = m_window.dice->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(32, 32)));
    // The window's own ground, where no control covers it.
    QCOMPARE(m_window.dice->grab().toImage().pixel(300, 5), Orange);
}

void WindowTest::controls_data()
{
    QTest::addColumn<Expected>("expected");
    for (const Expected &control : expectedControls())
        QTest::newRow(control.name) << control;
}

void WindowTest::controls()
{
    QFETCH(Expected, expected);
    auto *widget = m_window.dice->findChild<QWidget *>(QLatin1StringView(expected.name));
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), expected.className);
    QCOMPARE(widget->geometry(), expected.geometry);
    QCOMPARE(widget->isVisibleTo(m_window.dice.get()), expected.visibleAtStart);
    if (!expected.caption.isNull())
        QCOMPARE(captionOf(widget), expected.caption);

    const QFont font = widget->font();
    const QFontInfo resolved(font);
    QVERIFY2(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(resolved.family()),
             qPrintable(resolved.family()));
    QVERIFY(QFontDatabase::writingSystems(resolved.family()).contains(QFontDatabase::Greek));
    QCOMPARE(font.pointSizeF(), expected.points == 0 ? 8.0 : expected.points);
    QCOMPARE(font.bold(), expected.bold);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());

    const bool isButton = qobject_cast<QPushButton *>(widget);
    const QPalette &palette = widget->palette();
    if (expected.background != 0) {
        QCOMPARE(palette.color(isButton ? QPalette::Button : QPalette::Window).rgba(),
                 expected.background);
    }
    if (expected.text == Highlighted) {
        QCOMPARE(palette.color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::HighlightedText));
    } else if (expected.text != 0) {
        QCOMPARE(palette.color(QPalette::WindowText).rgba(), expected.text);
    }
    if (qobject_cast<QLabel *>(widget)) {
        // What the screen shows: the label's ground in its bottom right corner.
        QCOMPARE(widget->grab().toImage().pixel(widget->width() - 1, widget->height() - 1),
                 expected.background);
        QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
    }
    QVERIFY(!widget->accessibleName().isEmpty() || qobject_cast<QLabel *>(widget));
}

void WindowTest::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"})
        QTest::newRow(name) << QString::fromLatin1(name);
    for (const char *name : {"ChangeNumOfThrows", "Command1", "Command2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// No glyph of a caption is cut off: every word fits the width, and all lines fit the height.
void WindowTest::captionsFit()
{
    QFETCH(QString, name);
    auto *widget = m_window.dice->findChild<QWidget *>(name);
    const QFontMetrics metrics = widget->fontMetrics();
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QVERIFY2(
            label->heightForWidth(label->width()) <= label->height(),
            qPrintable(QStringLiteral("needs %1 px").arg(label->heightForWidth(label->width()))));
        for (const QString &word : label->text().split(u' '))
            QVERIFY2(metrics.horizontalAdvance(word) <= label->width(), qPrintable(word));
        return;
    }
    auto *button = qobject_cast<QPushButton *>(widget);
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QStringList lines = button->text().split(u'\n');
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= contents.width(), qPrintable(line));
    QVERIFY(metrics.lineSpacing() * lines.size() <= contents.height());
    QCOMPARE(button->accessibleName(), button->text().replace(u'\n', u' '));
}

void WindowTest::labelsLieBeneath()
{
    // Label1's right edge runs under the entry box.
    QCOMPARE(m_window.dice->childAt(248, 130)->objectName(), QStringLiteral("NumOfThrows"));
    m_window.dice->ShowRunningArrangement();
    // The banner's lowest row runs under the cancel button.
    QCOMPARE(m_window.dice->childAt(250, 136)->objectName(), QStringLiteral("Command1"));
    QCOMPARE(m_window.dice->childAt(250, 120)->objectName(), QStringLiteral("Label3"));
}

void WindowTest::startState()
{
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DicePool"));
    QCOMPARE(m_window.dice->GetEntryText(), QStringLiteral("100"));
    QCOMPARE(captionOf(m_window.dice->control(DicePool)), QString());
    QCOMPARE(captionOf(m_window.dice->control(Stats)), QString());
    QVERIFY(!m_window.dice->StopThrows);
    QCOMPARE(m_window.dice->control(DicePool)->accessibleName(), QStringLiteral("Αποτελέσματα"));
    QCOMPARE(m_window.dice->control(Stats)->accessibleName(),
             QStringLiteral("Στατιστική Κατανομή"));
    QCOMPARE(m_window.dice->control(NumOfThrows)->accessibleName(),
             QStringLiteral("Πόσες φορές θέλεις να ρίξεις το ζάρι;"));
    QVERIFY(!captionOf(m_window.dice->control(Label2)).isEmpty());
}

void WindowTest::tabChain_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("idle") << false
                          << QStringList{"NumOfThrows", "ChangeNumOfThrows", "Stats", "Command2",
                                         "DicePool"};
    QTest::newRow("running") << true << QStringList{"Stats", "Command1", "Command2", "DicePool"};
}

void WindowTest::tabChain()
{
    QFETCH(bool, running);
    QFETCH(QStringList, chain);
    if (running)
        m_window.dice->ShowRunningArrangement();
    m_window.dice->control(DicePool)->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, chain);
}

void WindowTest::arrangementsRoundTrip()
{
    static_cast<QLineEdit *>(m_window.dice->control(NumOfThrows))->setText(QStringLiteral("abc"));
    const QMap<QString, bool> atStart = visibility(*m_window.dice);
    const QStringList textsAtStart = allTexts(*m_window.dice);

    m_window.dice->ShowRunningArrangement();
    QMap<QString, bool> running = atStart;
    running[QStringLiteral("Command1")] = true;
    running[QStringLiteral("Label3")] = true;
    running[QStringLiteral("Label1")] = false;
    running[QStringLiteral("NumOfThrows")] = false;
    running[QStringLiteral("ChangeNumOfThrows")] = false;
    QCOMPARE(visibility(*m_window.dice), running);

    m_window.dice->ShowIdleArrangement();
    QCOMPARE(visibility(*m_window.dice), atStart);
    QCOMPARE(allTexts(*m_window.dice), textsAtStart);
}

void WindowTest::resultBoxesShowLineBreaks()
{
    m_window.dice->SetLogText(QStringLiteral("one\r\ntwo\r\n"));
    const auto *log = static_cast<QPlainTextEdit *>(m_window.dice->control(DicePool));
    QCOMPARE(log->document()->blockCount(), 3); // two lines and the empty one after the last break
    QCOMPARE(log->document()->findBlockByNumber(1).text(), QStringLiteral("two"));
    QVERIFY(!log->toPlainText().contains(u'\r'));
    m_window.dice->SetLogText(QString());
    QCOMPARE(log->toPlainText(), QString());
}

void WindowTest::textBoxesTakeLongText()
{
    auto *entry = static_cast<QLineEdit *>(m_window.dice->control(NumOfThrows));
    entry->setFocus();
    entry->clear();
    const QString pasted(100'000, u'7');
    entry->insert(pasted);
    QCOMPARE(entry->text(), pasted);
    QTest::keyClicks(entry, QStringLiteral("12"));
    QCOMPARE(entry->text().size(), 100'002);
}

void WindowTest::exitCommandThanksThenEnds()
{
    QTest::mouseClick(m_window.dice->control(Command2), Qt::LeftButton);
    QCOMPARE(m_window.runtime->journal, QStringList({"message: Ευχαριστώ Πολύ", "end"}));
}

void WindowTest::closingEndsWithoutThanks()
{
    QVERIFY(m_window.dice->close());
    QCOMPARE(m_window.runtime->journal, QStringList({"end"}));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
