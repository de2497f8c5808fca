#include "runtime/QtRuntime.h"
#include "window/Appearance.h"
#include "window/Dice.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using DiceDesign::ChangeNumOfThrows;
using DiceDesign::Command1;
using DiceDesign::Command2;
using DiceDesign::DicePool;
using DiceDesign::NumOfThrows;
using DiceDesign::Stats;

namespace {

// Answers every message box that opens while it lives: hands it to the test, notes its text
// and presses its OK button, so that no test can hang on a box nobody closes.
class MessageBoxWatcher
{
public:
    explicit MessageBoxWatcher(const std::function<void(QMessageBox &)> &inspect = {})
    {
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this, inspect] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box == m_answering)
                return;
            m_answering = box;
            texts << box->text();
            if (inspect)
                inspect(*box);
            box->button(QMessageBox::Ok)->click();
            m_answering = nullptr;
        });
        m_poll.start(5);
    }

    QStringList texts;

private:
    QTimer m_poll;
    QMessageBox *m_answering = nullptr;
};

int logLines(const Dice &dice)
{
    const QString log = static_cast<QPlainTextEdit *>(dice.control(DicePool))->toPlainText();
    return static_cast<int>(log.count(u'\n'));
}

} // namespace

class QtRuntimeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pumpRunsPendingEvents();
    void messageBoxIsModalWithTitleAndOneButton();
    void badEntryMessageBlocksTheWindow();
    void realRunOfHundred();
    void realCancelledRun();
    void exitEndsEventLoopWithZero();
    void closingDuringRunEndsWithoutResults();

private:
    void roll(const QString &entry);

    std::unique_ptr<QtRuntime> m_runtime;
    std::unique_ptr<Dice> m_dice;
};

void QtRuntimeTest::initTestCase()
{
    Appearance::configureApplication();
}

void QtRuntimeTest::init()
{
    m_runtime = std::make_unique<QtRuntime>();
    m_dice = std::make_unique<Dice>(*m_runtime);
    m_dice->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dice.get()));
}

void QtRuntimeTest::cleanup()
{
    m_dice.reset();
    m_runtime.reset();
}

void QtRuntimeTest::roll(const QString &entry)
{
    static_cast<QLineEdit *>(m_dice->control(NumOfThrows))->setText(entry);
    QTest::mouseClick(m_dice->control(ChangeNumOfThrows), Qt::LeftButton);
}

void QtRuntimeTest::pumpRunsPendingEvents()
{
    int handled = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            m_dice.get(), [&] { ++handled; }, Qt::QueuedConnection);
    m_runtime->PumpEvents();
    QCOMPARE(handled, 3);
}

void QtRuntimeTest::messageBoxIsModalWithTitleAndOneButton()
{
    const MessageBoxWatcher watcher([](QMessageBox &box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("Quilvane"));
        QCOMPARE(box.text(), QStringLiteral("Γεια"));
        QCOMPARE(box.buttons().size(), 1);
        QCOMPARE(box.standardButtons(), QMessageBox::Ok);
        QCOMPARE(box.icon(), QMessageBox::NoIcon);
        QCOMPARE(box.windowModality(), Qt::ApplicationModal);
    });
    m_runtime->ShowMessage(QStringLiteral("Γεια"));
    QCOMPARE(watcher.texts, QStringList{QStringLiteral("Γεια")});
}

void QtRuntimeTest::badEntryMessageBlocksTheWindow()
{
    const MessageBoxWatcher watcher([&](QMessageBox &) {
        // A click on the exit button behind the box, as the window system delivers it.
        QWindow *window = m_dice->windowHandle();
        const QWidget *exit = m_dice->control(Command2);
        QTest::mouseClick(window, Qt::LeftButton, {}, exit->geometry().center());
    });
    roll(QStringLiteral("abc"));
    QCOMPARE(watcher.texts, QStringList{QStringLiteral("Δώσε Αριθμό")});
    QVERIFY(!m_runtime->programEnded());
    QCOMPARE(m_dice->GetEntryText(), QStringLiteral("abc"));
    QVERIFY(m_dice->control(ChangeNumOfThrows)->isVisible());

    // The same click with no box open does reach the button.
    QTest::mouseClick(m_dice->windowHandle(), Qt::LeftButton, {},
                      m_dice->control(Command2)->geometry().center());
    QVERIFY(m_runtime->programEnded());
}

void QtRuntimeTest::realRunOfHundred()
{
    roll(QStringLiteral("100"));
    QCOMPARE(logLines(*m_dice), 100);
    QVERIFY(m_dice->control(ChangeNumOfThrows)->isVisible());
}

void QtRuntimeTest::realCancelledRun()
{
    // A click that arrives through the real pump while a long run goes on.
    int fired = 0;
    QTimer clicker;
    connect(&clicker, &QTimer::timeout, this, [&] {
        if (++fired == 30)
            QTest::mouseClick(m_dice->control(Command1), Qt::LeftButton);
    });
    clicker.start(0);
    roll(QStringLiteral("32766"));
    clicker.stop();

    const int made = logLines(*m_dice);
    QVERIFY2(made >= 1 && made < 32766, qPrintable(QString::number(made)));
    const QString stats = static_cast<QPlainTextEdit *>(m_dice->control(Stats))->toPlainText();
    int counted = 0;
    for (const QString &line : stats.split(u'\n', Qt::SkipEmptyParts))
        counted += line.section(u' ', 2, 2).toInt();
    QCOMPARE(counted, made);
}

void QtRuntimeTest::exitEndsEventLoopWithZero()
{
    const MessageBoxWatcher watcher;
    QTimer::singleShot(0, this,
                       [&] { QTest::mouseClick(m_dice->control(Command2), Qt::LeftButton); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_runtime->programEnded());
    QCOMPARE(watcher.texts, QStringList{QStringLiteral("Ευχαριστώ Πολύ")});
}

void QtRuntimeTest::closingDuringRunEndsWithoutResults()
{
    QTimer::singleShot(0, this, [&] {
        // Handled by the run's first pump.
        QMetaObject::invokeMethod(m_dice.get(), &QWidget::close, Qt::QueuedConnection);
        roll(QStringLiteral("32766"));
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_runtime->programEnded());
    QCOMPARE(logLines(*m_dice), 0);
    QVERIFY(static_cast<QPlainTextEdit *>(m_dice->control(Stats))->toPlainText().isEmpty());
}

QTEST_MAIN(QtRuntimeTest)
#include "tst_qtruntime.moc"
