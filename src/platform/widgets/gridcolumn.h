#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

class DataGrid;
class Dataset;
class Field;
class QPainter;

// What a cell of a column shows.
enum class ColumnKind {
    Text,          // the field's display text
    Memo,          // long text; wrapped like text
    CheckBox,      // a check box: checked/unchecked values compared with the raw value
    ImageByValue,  // a picture chosen by the raw value from the column's image list
    Custom,        // drawn by the column's callback
};

// One entry of an image-by-value column.
struct GridImageItem
{
    QVariant value;
    QPixmap picture;
    QString description;  // the cell's text for filters, search and export
};

// What a custom-draw callback gets for one data cell.
struct GridCellPaint
{
    QPainter *painter = nullptr;
    QRect rect;
    const Dataset *dataset = nullptr;
    int record = -1;        // row of the dataset
    int visualRow = 0;      // row in the grid, for odd/even colouring
    bool selected = false;
    QColor background;      // the colour the grid would fill the cell with
    QColor textColor;
};

// Returns true when the callback drew the whole cell; false lets the grid draw the text.
using GridCustomDraw = std::function<bool(const GridCellPaint &cell)>;

// A column of a DataGrid, bound to a field by name. Setters return the column, so a window
// declares a column in one statement. Changes after the grid is shown take effect at once.
class GridColumn
{
public:
    GridColumn(DataGrid *grid, const QString &fieldName, const QString &caption);

    const QString &fieldName() const { return m_fieldName; }
    const QString &caption() const { return m_caption; }
    // The header text: the caption, or the field name when the caption is blank.
    QString displayCaption() const;

    GridColumn &setCaption(const QString &caption);
    // The weight used by FitColumnsByTag.
    int tag() const { return m_tag; }
    GridColumn &setTag(int weight);
    bool isVisible() const { return m_visible; }
    GridColumn &setVisible(bool visible);
    // Offered in the column chooser.
    bool isCustomizable() const { return m_customizable; }
    GridColumn &setCustomizable(bool customizable);
    int width() const { return m_width; }
    GridColumn &setWidth(int width);
    void rememberWidth(int width) { m_width = width; }  // the grid reports a resize
    Qt::Alignment alignment() const { return m_alignment; }
    bool hasAlignment() const { return m_hasAlignment; }
    GridColumn &setAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return m_wordWrap; }
    GridColumn &setWordWrap(bool wrap);
    bool isFocusable() const { return m_focusable; }
    GridColumn &setFocusable(bool focusable);
    // A header filter button is offered for this column (when the grid shows them).
    bool isFilterable() const { return m_filterable; }
    GridColumn &setFilterable(bool filterable);

    ColumnKind kind() const { return m_kind; }
    GridColumn &setKind(ColumnKind kind);
    GridColumn &setCheckBox(const QVariant &checkedValue, const QVariant &uncheckedValue);
    const QVariant &checkedValue() const { return m_checked; }
    const QVariant &uncheckedValue() const { return m_unchecked; }
    GridColumn &setImages(const QVector<GridImageItem> &items, bool showDescription = false);
    const QVector<GridImageItem> &images() const { return m_images; }
    bool showsImageDescription() const { return m_showDescription; }
    const GridImageItem *imageFor(const QVariant &value) const;
    GridColumn &setCustomDraw(GridCustomDraw draw);
    const GridCustomDraw &customDraw() const { return m_customDraw; }

    // Check state of a raw value: Qt::Checked, Qt::Unchecked or Qt::PartiallyChecked.
    Qt::CheckState checkStateOf(const QVariant &value) const;
    // The text a cell stands for in filters, search, best fit and export.
    QString textAt(const Field &field, int row) const;

private:
    void changed(bool layout);

    DataGrid *m_grid;
    QString m_fieldName;
    QString m_caption;
    int m_tag = 1;
    bool m_visible = true;
    bool m_customizable = true;
    int m_width = 84;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_hasAlignment = false;
    bool m_wordWrap = true;
    bool m_focusable = true;
    bool m_filterable = true;
    ColumnKind m_kind = ColumnKind::Text;
    QVariant m_checked = 1;
    QVariant m_unchecked = 0;
    QVector<GridImageItem> m_images;
    bool m_showDescription = false;
    GridCustomDraw m_customDraw;
};
