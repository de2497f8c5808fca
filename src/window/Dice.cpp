// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Dice.h"

#include "Appearance.h"
#include "runtime/QtRuntime.h"
#include "throws/ThrowRun.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <climits>

using namespace DiceDesign;

namespace {

QPalette designPalette(const QWidget &widget, const Control &design)
{
    QPalette palette = widget.palette();
    const QPalette::ColorRole background =
        design.kind == Kind::CommandButton ? QPalette::Button : QPalette::Window;
    const QPalette::ColorRole text =
        design.kind == Kind::CommandButton ? QPalette::ButtonText : QPalette::WindowText;
    palette.setColor(background,
                     Appearance::colour(design.background, palette.color(background), palette));
    palette.setColor(text, Appearance::colour(design.text, palette.color(text), palette));
    return palette;
}

// A result box that takes a paste only when there is text to paste: Qt before 6.4.3
// (QTBUG-110070) crashes on a paste from an empty clipboard or selection.
class ResultBox : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override
    {
        return source && source->hasText();
    }
    void insertFromMimeData(const QMimeData *source) override
    {
        if (canInsertFromMimeData(source))
            QPlainTextEdit::insertFromMimeData(source);
    }
};

QWidget *createTextBox(const Control &design, QWidget *parent)
{
    if (design.kind == Kind::TextBox) {
        auto *edit = new QLineEdit(design.caption.toString(), parent);
        edit->setMaxLength(INT_MAX); // a line edit stops at 32767 characters unless told
        edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return edit;
    }
    auto *edit = new ResultBox(design.caption.toString(), parent);
    // The box's own ground is painted out to its frame: at 200 % Fusion's frame leaves a device
    // row inside it unpainted, where the label beneath would show through as a hairline.
    edit->setBackgroundRole(QPalette::Base);
    edit->setAutoFillBackground(true);
    edit->setTabChangesFocus(true);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(design.scrollBars == ScrollBars::VerticalBar
                                         ? Qt::ScrollBarAlwaysOn
                                         : Qt::ScrollBarAlwaysOff);
    return edit;
}

// How far into a label, in pixels from its right edge, a control shown with it lies over its
// right end across a line of its caption (the arrangements swap the controls that start hidden
// for some that start shown). A control that only overlaps a strip thinner than a line, as the
// result boxes do the headings' lowest 15 twips, covers no letter.
int coveredRight(const Control &label, int lineHeight)
{
    const int right = label.left + label.width;
    int covered = 0;
    for (const Control &other : controls) {
        const int across = toPixels(std::min(other.top + other.height, label.top + label.height)) -
                           toPixels(std::max(other.top, label.top));
        if (other.kind != Kind::Label && other.visible == label.visible && other.left < right &&
            other.left + other.width >= right && across >= lineHeight)
            covered = std::max(covered, toPixels(right - other.left));
    }
    return covered;
}

QWidget *createLabel(const Control &design, QWidget *parent)
{
    auto *label = new QLabel(design.caption.toString(), parent);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setAlignment(
        Qt::AlignTop | (design.alignment == Alignment::Centred ? Qt::AlignHCenter : Qt::AlignLeft));
    return label;
}

QWidget *createButton(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    // Enter presses the focused button, as on the desktops the program comes from; outside a
    // dialog this makes no button the window's default, so Enter elsewhere presses nothing.
    button->setAutoDefault(true);
    return button;
}

void wrapButtonCaption(QPushButton &button, const QString &caption)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    button.setText(Appearance::wrapped(caption, button.font(), contents.width()));
}

} // namespace

Dice::Dice(Runtime &runtime, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_runtime(runtime)
{
    setWindowTitle(windowDesign.title.toString());
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quilvane-16.png"));
    icon.addFile(QStringLiteral(":/icons/quilvane-32.png"));
    setWindowIcon(icon);
    setFont(Appearance::font(windowDesign.font));
    QPalette palette = this->palette();
    palette.setColor(
        QPalette::Window,
        Appearance::colour(windowDesign.background, palette.color(QPalette::Window), palette));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(toPixels(windowDesign.clientWidth), toPixels(windowDesign.clientHeight));

    // Made in the table's order, which is the tab order: Qt's focus chain follows it, and labels
    // take no focus.
    for (const Control &design : controls)
        m_controls[design.id] = createControl(design);

    // A screen reader names the boxes after the labels that head them.
    control<DicePool>()->setAccessibleName(controls[Label5].caption.toString());
    control<NumOfThrows>()->setAccessibleName(controls[Label1].caption.toString());
    control<Stats>()->setAccessibleName(controls[Label4].caption.toString());

    fitCaptions();
    connectClicks();
    control<DicePool>()->setFocus();
}

// Captions are fitted to the font as the window's screen draws it: a label that wraps its
// caption to more lines than it was drawn for (the prompt, in Arial's metrics) grows downwards
// rather than losing its last line, and a button's caption is broken into lines, which push
// buttons do not do themselves. Again on another screen, whose resolution can wrap them anew.
void Dice::fitCaptions()
{
    for (const Control &design : controls) {
        QWidget *widget = m_controls[design.id];
        if (design.kind == Kind::Label) {
            // The caption wraps short of a control over the label's right edge (the prompt runs
            // 15 twips under the entry box), or letters at the end of a line would be drawn
            // beneath it.
            const int lineHeight = QFontMetrics(widget->font()).lineSpacing();
            widget->setContentsMargins(0, 0, coveredRight(design, lineHeight), 0);
            widget->resize(widget->width(), std::max(toPixels(design.height),
                                                     widget->heightForWidth(widget->width())));
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            wrapButtonCaption(*button, design.caption.toString());
        }
    }
}

bool Dice::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        fitCaptions();
    return QWidget::event(event);
}

QWidget *Dice::createControl(const Control &design)
{
    QWidget *widget = nullptr;
    switch (design.kind) {
    case Kind::TextBox:
    case Kind::MultiLineTextBox:
        widget = createTextBox(design, this);
        break;
    case Kind::Label:
        widget = createLabel(design, this);
        break;
    case Kind::CommandButton:
        widget = createButton(this);
        break;
    }
    widget->setObjectName(QLatin1StringView(design.name));
    widget->setGeometry(toPixels(design.left), toPixels(design.top), toPixels(design.width),
                        toPixels(design.height));
    if (design.font.face != Font::Face::WindowDefault)
        widget->setFont(Appearance::font(design.font));
    widget->setPalette(designPalette(*widget, design));
    if (design.kind == Kind::Label)
        widget->lower(); // labels lie beneath the buttons and text boxes
    if (auto *button = qobject_cast<QPushButton *>(widget))
        button->setAccessibleName(design.caption.toString());
    widget->setVisible(design.visible);
    return widget;
}

void Dice::connectClicks()
{
    connect(control<ChangeNumOfThrows>(), &QPushButton::clicked, this,
            [this] { ChangeNumOfThrows_Click(*this, m_runtime); });
    connect(control<Command1>(), &QPushButton::clicked, this, [this] { Command1_Click(*this); });
    connect(control<Command2>(), &QPushButton::clicked, this,
            [this] { Command2_Click(m_runtime); });
}

void Dice::ShowRunningArrangement()
{
    control<Command1>()->setVisible(true);
    control<Label3>()->setVisible(true);
    control<Label1>()->setVisible(false);
    control<NumOfThrows>()->setVisible(false);
    control<ChangeNumOfThrows>()->setVisible(false);
}

void Dice::ShowIdleArrangement()
{
    control<Label3>()->setVisible(false);
    control<Label1>()->setVisible(true);
    control<NumOfThrows>()->setVisible(true);
    control<ChangeNumOfThrows>()->setVisible(true);
    control<Command1>()->setVisible(false);
}

QString Dice::GetEntryText() const
{
    return control<NumOfThrows>()->text();
}

// A text box takes "\r\n" as one line break, as the texts write them.
void Dice::SetLogText(const QString &text)
{
    control<DicePool>()->setPlainText(text);
}

void Dice::SetStatsText(const QString &text)
{
    control<Stats>()->setPlainText(text);
}

std::unique_ptr<Dice> makeProgramWindow(QtRuntime &runtime)
{
    Appearance::configureApplication();
    auto dice = std::make_unique<Dice>(runtime);
    runtime.setWindow(dice.get());
    return dice;
}

void Command2_Click(Runtime &runtime)
{
    runtime.ShowMessage(QStringLiteral("Ευχαριστώ Πολύ"));
    runtime.EndProgram();
}

// Closing from the title bar (the event is accepted as it comes) ends the program at once, also
// in the middle of a run.
void Dice::closeEvent(QCloseEvent * /*event*/)
{
    m_runtime.EndProgram();
}
