#pragma once

#include <QFont>

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

} // namespace zeb
