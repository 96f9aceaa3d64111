#pragma once

#include <QString>
#include <QVector>

#include <vector>

class GridColumn;
class GridProxyModel;

// Writes what a grid shows to an .xlsx workbook: the given columns with their captions, every
// record that passes the filters in grid order (groups expanded, each after its group row),
// and the footer summaries. Numbers stay numbers with the grid's display format, dates stay
// dates. The file appears complete or not at all (QSaveFile); failures throw
// std::runtime_error with a message for the user.
class GridXlsxExporter
{
public:
    struct ColumnOut
    {
        int column;       // index into the grid's columns
        int pixelWidth;   // for the sheet's column width
    };

    static void write(const GridProxyModel &model, const QVector<GridColumn *> &columns,
                      const std::vector<ColumnOut> &shown, const QString &path);

    // "#,###,##0.00" -> "#,##0.00": the spreadsheet form of a display picture.
    static QString excelNumberFormat(const QString &displayFormat);
};
