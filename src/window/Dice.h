// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DiceDesign.h"
#include "throws/DiceSurface.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Runtime;

// The program's one window, built from its design table.
class Dice : public QWidget, public DiceSurface
{
    Q_OBJECT

public:
    explicit Dice(Runtime &runtime, QWidget *parent = nullptr);

    void ShowRunningArrangement() override;
    void ShowIdleArrangement() override;
    QString GetEntryText() const override;
    void SetLogText(const QString &text) override;
    void SetStatsText(const QString &text) override;

    QWidget *control(DiceDesign::ControlId id) const { return m_controls[id]; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createControl(const DiceDesign::Control &design);
    void chainTabOrder();
    void connectClicks();

    Runtime &m_runtime;
    std::array<QWidget *, DiceDesign::ControlCount> m_controls{};
    QPlainTextEdit *m_dicePool = nullptr;
    QLineEdit *m_numOfThrows = nullptr;
    QPlainTextEdit *m_stats = nullptr;
};

// The exit button: thanks the user and ends the program, also in the middle of a run.
void Command2_Click(Runtime &runtime);
