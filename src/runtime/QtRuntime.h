// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Runtime.h"

#include <QPointer>

class QWidget;

// The runtime on a running QApplication.
class QtRuntime : public Runtime
{
public:
    QtRuntime();

    // The window that owns the message boxes. A box's parent must be given: on Wayland a new
    // window may not be active yet, and a parentless box is placed anywhere, apart from it.
    void setWindow(QWidget *window);

    void PumpEvents() override;
    void ShowMessage(const QString &text) override;
    void EndProgram() override;
    bool programEnded() const override;
    QLocale locale() const override;

protected:
    quint64 clockReading() const override;

private:
    bool m_ended = false;
    QPointer<QWidget> m_window;
};
