#pragma once

#include <QFont>

// The windows are laid out for MS Sans Serif; the nearest face this desktop
// has stands in for it at the same point sizes.
QFont windowFont(qreal pointSize, bool bold = false);

namespace Fonts {

// The face windowFont() draws in: the first installed of MS Sans Serif,
// Liberation Sans, Arial and DejaVu Sans, unless another was chosen.
QString windowFamily();
// Windows built from now on are drawn in `family`; the layout is checked
// under each face the package brings.
void chooseWindowFamily(const QString &family);
// Menus, buttons, message boxes and help use the desktop's font. Where that
// resolves to a typewriter face (fontconfig does so for sans-serif when only
// the Liberation fonts are installed), the window face stands in at the
// desktop's size.
void avoidFixedPitchApplicationFont();

} // namespace Fonts
