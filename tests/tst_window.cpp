#include "runtime/QtRuntime.h"
#include "window/Appearance.h"
#include "window/Dice.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

// What the end-to-end suite cannot see through the accessibility tree.
class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void captionsFit_data();
    void captionsFit();
    void labelsLieBeneath();
    void boxesShowLineBreaksAndLongText();
    void messageBox();

private:
    QWidget *control(DiceDesign::ControlId id) const { return m_dice->control(id); }

    std::unique_ptr<QtRuntime> m_runtime;
    std::unique_ptr<Dice> m_dice;
};

void WindowTest::initTestCase()
{
    Appearance::configureApplication();
    m_runtime = std::make_unique<QtRuntime>();
    m_dice = std::make_unique<Dice>(*m_runtime);
    m_dice->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dice.get()));
}

void WindowTest::captionsFit_data()
{
    QTest::addColumn<int>("id");
    for (const DiceDesign::ControlId id :
         {DiceDesign::Label1, DiceDesign::Label2, DiceDesign::Label3, DiceDesign::Label4,
          DiceDesign::Label5, DiceDesign::ChangeNumOfThrows, DiceDesign::Command1,
          DiceDesign::Command2})
        QTest::newRow(DiceDesign::controls[id].name) << int(id);
}

// No glyph of a caption is cut off: every line fits the width, and all lines the height.
void WindowTest::captionsFit()
{
    QFETCH(int, id);
    QWidget *widget = control(DiceDesign::ControlId(id));
    const QFontMetrics metrics = widget->fontMetrics();
    QRect room = widget->contentsRect();
    QStringList lines;
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        lines = label->text().split(' ');
    } else {
        auto *button = static_cast<QPushButton *>(widget);
        QStyleOptionButton option;
        option.initFrom(button);
        option.features |= QStyleOptionButton::AutoDefaultButton;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        lines = button->text().split('\n');
        QVERIFY(metrics.lineSpacing() * lines.size() <= room.height());
    }
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(line));
}

void WindowTest::labelsLieBeneath()
{
    // The prompt's right edge runs under the entry box; the banner's lowest row under the
    // cancel button.
    QCOMPARE(m_dice->childAt(248, 130), control(DiceDesign::NumOfThrows));
    m_dice->ShowRunningArrangement();
    QCOMPARE(m_dice->childAt(250, 136), control(DiceDesign::Command1));
    QCOMPARE(m_dice->childAt(250, 120), control(DiceDesign::Label3));
    m_dice->ShowIdleArrangement();
}

void WindowTest::boxesShowLineBreaksAndLongText()
{
    m_dice->SetLogText("one\r\ntwo\r\n");
    const auto *log = static_cast<QPlainTextEdit *>(control(DiceDesign::DicePool));
    QCOMPARE(log->toPlainText(), "one\ntwo\n");
    auto *entry = static_cast<QLineEdit *>(control(DiceDesign::NumOfThrows));
    entry->setText(QString(40'000, '7'));
    QCOMPARE(entry->text().size(), 40'000);
}

void WindowTest::messageBox()
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
    m_runtime->ShowMessage("Δώσε Αριθμό");
    QCOMPARE(seen, "Quilvane|Δώσε Αριθμό|0|1"); // the program's title, no icon, one button
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
