#pragma once

#include <QIcon>

// The program's icon: a white command prompt sign on red shading to black.
QIcon programIcon();
