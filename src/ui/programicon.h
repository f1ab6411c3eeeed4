#pragma once

#include <QIcon>

// The program's icon: a white command prompt sign on red shading to black,
// 32x32 in 16 colours at normal scale, with sharp larger images for scaled screens.
QIcon programIcon();
