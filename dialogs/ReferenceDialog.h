#pragma once

#include <QFont>
#include <QString>

namespace zeb {

// The reference dialogs' font: "MS Sans Serif" at 11 pixels (fontconfig picks its stand-in).
inline QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// A fixed frame with the system menu and the close box only.
constexpr Qt::WindowFlags referenceDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                 Qt::MSWindowsFixedSizeDialogHint;

// A control with the name tests and style sheets find it by.
template <typename Widget> Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace zeb
