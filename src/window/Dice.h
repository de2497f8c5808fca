// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DiceDesign.h"
#include "throws/DiceSurface.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QtRuntime;
class Runtime;

// The Qt class that shows each kind of control of the design.
template <DiceDesign::Kind> struct WidgetOf;
template <> struct WidgetOf<DiceDesign::TextBox>
{
    using type = QLineEdit;
};
template <> struct WidgetOf<DiceDesign::MultiLineTextBox>
{
    using type = QPlainTextEdit;
};
template <> struct WidgetOf<DiceDesign::Label>
{
    using type = QLabel;
};
template <> struct WidgetOf<DiceDesign::CommandButton>
{
    using type = QPushButton;
};
template <DiceDesign::ControlId Id>
using ControlWidget = typename WidgetOf<DiceDesign::controls[Id].kind>::type;

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

    // A control as the class its kind is shown with, so that using it as another kind fails to
    // compile. The caller includes that class's header.
    template <DiceDesign::ControlId Id> ControlWidget<Id> *control() const
    {
        return static_cast<ControlWidget<Id> *>(m_controls[Id]);
    }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createControl(const DiceDesign::Control &design);
    void fitCaptions();
    void connectClicks();

    Runtime &m_runtime;
    std::array<QWidget *, DiceDesign::ControlCount> m_controls{};
};

// The program's window, built as the program builds it: the application configured first (its
// style, palette, font and translation are what the window is made with), then the window,
// which owns the runtime's message boxes. The runtime must outlive it.
std::unique_ptr<Dice> makeProgramWindow(QtRuntime &runtime);

// The exit button: thanks the user and ends the program, also in the middle of a run.
void Command2_Click(Runtime &runtime);
