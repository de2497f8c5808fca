// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtRuntime.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QWidget>

#include <chrono>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

QtRuntime::QtRuntime()
    : Runtime(Generator::fromEntropy())
{
#if defined(__GLIBC__)
    // A long run's log is over a megabyte. glibc would raise its mmap threshold once the first
    // such buffer is freed and keep the later ones in the heap, so the program would hold on
    // to a few megabytes more from its second run on; a fixed threshold hands them back.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void QtRuntime::setWindow(QWidget *window)
{
    m_window = window;
}

void QtRuntime::PumpEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtRuntime::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, m_window);
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
    return {};
}

quint64 QtRuntime::clockReading() const
{
    return static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
}
