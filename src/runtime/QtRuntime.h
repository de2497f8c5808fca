// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Runtime.h"

// The runtime on a running QApplication.
class QtRuntime : public Runtime
{
public:
    QtRuntime();

    void PumpEvents() override;
    void ShowMessage(const QString &text) override;
    void EndProgram() override;
    bool programEnded() const override;
    QLocale locale() const override;

protected:
    quint64 clockReading() const override;

private:
    bool m_ended = false;
};
