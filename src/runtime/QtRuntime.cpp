#include "QtRuntime.h"

#include "window/DiceDesign.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <chrono>

QtRuntime::QtRuntime()
    : Runtime(Generator::fromEntropy())
{}

void QtRuntime::PumpEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtRuntime::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, DiceDesign::windowDesign.title.toString(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtRuntime::EndProgram()
{
    // The event loop ends as soon as control returns to it; a run that is pumping events
    // sees programEnded() and returns first, writing nothing.
    m_ended = true;
    QCoreApplication::exit(0);
}

bool QtRuntime::programEnded() const
{
    return m_ended;
}

QLocale QtRuntime::locale() const
{
    return QLocale();
}

quint64 QtRuntime::clockReading() const
{
    return static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
}
