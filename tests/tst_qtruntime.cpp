#include "DiceFixture.h"
#include "runtime/QtRuntime.h"
#include "window/Appearance.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using DiceDesign::Command2;

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
    void exitEndsEventLoopWithZero();

private:
    DiceFixture<QtRuntime> m_window;
};

void QtRuntimeTest::initTestCase()
{
    Appearance::configureApplication();
}

void QtRuntimeTest::init()
{
    QVERIFY(m_window.open());
}

void QtRuntimeTest::cleanup()
{
    m_window.close();
}

void QtRuntimeTest::pumpRunsPendingEvents()
{
    int handled = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            m_window.dice.get(), [&] { ++handled; }, Qt::QueuedConnection);
    m_window.runtime->PumpEvents();
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
    m_window.runtime->ShowMessage(QStringLiteral("Γεια"));
    QCOMPARE(watcher.texts, QStringList{QStringLiteral("Γεια")});
}

void QtRuntimeTest::exitEndsEventLoopWithZero()
{
    const MessageBoxWatcher watcher;
    QTimer::singleShot(
        0, this, [&] { QTest::mouseClick(m_window.dice->control(Command2), Qt::LeftButton); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_window.runtime->programEnded());
    QCOMPARE(watcher.texts, QStringList{QStringLiteral("Ευχαριστώ Πολύ")});
}

QTEST_MAIN(QtRuntimeTest)
#include "tst_qtruntime.moc"
