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
