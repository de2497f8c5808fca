// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Appearance.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QStyleFactory>
#include <QTextLayout>
#include <QTranslator>

namespace Appearance {

void configureApplication()
{
    QApplication::setApplicationName(DiceDesign::windowDesign.title.toString());
    // The desktop ties the window to its menu entry and icon by these names: on X11 by the
    // class in WM_CLASS (the application name, the entry's StartupWMClass), on Wayland by the
    // entry's file name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quilvane.Quilvane"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Fusion's own palette follows a desktop theme that has one, a dark one say; the window is
    // drawn for the usual light colours: grey buttons, white boxes, black text.
    QApplication::setPalette(QPalette(QColor(0xef, 0xef, 0xef)));
    QApplication::setFont(font(DiceDesign::windowDesign.font));
    // Qt's own words in Greek whatever the locale, as the program's are: the context menus of the
    // boxes and of the log's scroll bar, and the role and action names a screen reader reads. The
    // locale gives only the decimal separator. Left as they are: the name Quilvane in the title
    // bars and the message boxes' one button, OK.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qt_el.qm")))
        QCoreApplication::installTranslator(translator);
}

QFont font(const DiceDesign::Font &font)
{
    QFont result;
    // Arial where it is installed, else its metric-compatible stand-ins; all carry Greek.
    const QStringList families = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                  QStringLiteral("Arimo")};
    result.setFamilies(families);
    result.setStyleHint(QFont::SansSerif);
    result.setPointSizeF(font.points);
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    return result;
}

QColor colour(const DiceDesign::Colour &colour, const QColor &fallback, const QPalette &system)
{
    switch (colour.source) {
    case DiceDesign::Colour::Source::Rgb:
        return QColor::fromRgb(colour.rgb);
    case DiceDesign::Colour::Source::HighlightedText:
        return system.color(QPalette::HighlightedText);
    case DiceDesign::Colour::Source::Default:
        break;
    }
    return fallback;
}

QString wrapped(const QString &caption, const QFont &font, int width)
{
    QTextLayout layout(caption, font); // wraps at word boundaries unless told otherwise
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << caption.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(u'\n');
}

} // namespace Appearance
