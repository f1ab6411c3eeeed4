#pragma once

#include <QRect>
#include <QWidget>

// The windows' positions are given in twips: 15 to a pixel at 96 dots per inch.
constexpr int twips(int value)
{
    return value / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}
