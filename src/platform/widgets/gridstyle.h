#pragma once

#include <QColor>

// Colours of a DataGrid; an invalid colour takes the palette's.
struct GridStyle
{
    QColor evenRow = QColor(0xFF, 0xFF, 0xFF);
    QColor oddRow = QColor(0xF4, 0xF6, 0xF9);
    QColor selection = QColor(0x3D, 0x7E, 0xC9);
    QColor selectionText = QColor(0xFF, 0xFF, 0xFF);
    QColor text;
    QColor groupRow = QColor(0xE4, 0xE9, 0xF0);
    QColor groupFooter = QColor(0xEE, 0xF1, 0xF5);
    QColor footer = QColor(0xEE, 0xF1, 0xF5);
    QColor gridLine = QColor(0xD8, 0xDD, 0xE4);
};
