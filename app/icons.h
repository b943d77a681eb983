#pragma once

#include <QIcon>
#include <QStyle>

namespace chanora {

// The program's own small pictures.
QIcon ApplicationIcon();
QIcon TvIcon();
QIcon RadioIcon();
QIcon SectionRowIcon();

// A command's icon from the desktop theme, else the style's own.
QIcon ThemeIcon(const char* themeName, const QStyle& style, QStyle::StandardPixmap fallback);

}  // namespace chanora
