#pragma once

#include <QFontMetrics>

#include <vector>

class Field;
class GridColumn;
class GridProxyModel;

// Column widths: fitted to content, or shared out by weight.
class ColumnFitter
{
public:
    // unit = integer part of (gridWidth - 30) / sum of the weights; width = weight * unit.
    // Entries of hidden or weightless columns are -1 (left as they are); all -1 when the
    // weights sum to nothing or the grid is too narrow for a unit.
    static std::vector<int> weightedWidths(const std::vector<int> &weights,
                                           const std::vector<bool> &visible, int gridWidth);

    // The width that shows the widest cell of the column over the records the model lets
    // through, and its caption; -1 for custom-drawn columns, which keep their width.
    // Each distinct text is measured at most once: numbers by their extreme values, texts
    // by an estimate from cached character widths, then exactly for the few widest.
    static int bestFitWidth(const GridColumn &column, const GridProxyModel &model, int index,
                            const QFontMetrics &cellMetrics, int headerWidth);

    static constexpr int kMaxWidth = 800;
};
