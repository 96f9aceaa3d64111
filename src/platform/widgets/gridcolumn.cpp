#include "gridcolumn.h"

#include "datagrid.h"
#include "dataset.h"

namespace {

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool okA = false;
    bool okB = false;
    const double da = a.toDouble(&okA);
    const double db = b.toDouble(&okB);
    if (okA && okB)
        return da == db;
    return a.toString() == b.toString();
}

}  // namespace

GridColumn::GridColumn(DataGrid *grid, const QString &fieldName, const QString &caption)
    : m_grid(grid), m_fieldName(fieldName), m_caption(caption)
{
}

QString GridColumn::displayCaption() const
{
    return m_caption.trimmed().isEmpty() ? m_fieldName : m_caption;
}

void GridColumn::changed(bool layout)
{
    if (m_grid)
        m_grid->columnChanged(this, layout);
}

GridColumn &GridColumn::setCaption(const QString &caption)
{
    m_caption = caption;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setTag(int weight)
{
    m_tag = weight;
    return *this;
}

GridColumn &GridColumn::setVisible(bool visible)
{
    m_visible = visible;
    changed(true);
    return *this;
}

GridColumn &GridColumn::setCustomizable(bool customizable)
{
    m_customizable = customizable;
    return *this;
}

GridColumn &GridColumn::setWidth(int width)
{
    m_width = width;
    changed(true);
    return *this;
}

GridColumn &GridColumn::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    if (!(alignment & Qt::AlignVertical_Mask))
        m_alignment |= Qt::AlignVCenter;
    m_hasAlignment = true;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setFocusable(bool focusable)
{
    m_focusable = focusable;
    return *this;
}

GridColumn &GridColumn::setFilterable(bool filterable)
{
    m_filterable = filterable;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setKind(ColumnKind kind)
{
    m_kind = kind;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setCheckBox(const QVariant &checkedValue, const QVariant &uncheckedValue)
{
    m_kind = ColumnKind::CheckBox;
    m_checked = checkedValue;
    m_unchecked = uncheckedValue;
    if (!m_hasAlignment)
        m_alignment = Qt::AlignCenter;
    changed(false);
    return *this;
}

GridColumn &GridColumn::setImages(const QVector<GridImageItem> &items, bool showDescription)
{
    m_kind = ColumnKind::ImageByValue;
    m_images = items;
    m_showDescription = showDescription;
    if (!m_hasAlignment)
        m_alignment = Qt::AlignCenter;
    changed(false);
    return *this;
}

const GridImageItem *GridColumn::imageFor(const QVariant &value) const
{
    for (const GridImageItem &item : m_images)
        if (sameValue(item.value, value))
            return &item;
    return nullptr;
}

GridColumn &GridColumn::setCustomDraw(GridCustomDraw draw)
{
    m_kind = ColumnKind::Custom;
    m_customDraw = std::move(draw);
    changed(false);
    return *this;
}

Qt::CheckState GridColumn::checkStateOf(const QVariant &value) const
{
    if (sameValue(value, m_checked))
        return Qt::Checked;
    if (sameValue(value, m_unchecked))
        return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

QString GridColumn::textAt(const Field &field, int row) const
{
    if (m_kind == ColumnKind::ImageByValue) {
        const GridImageItem *item = imageFor(field.valueAt(row));
        return item && !item->description.isEmpty() ? item->description
                                                    : field.displayTextAt(row);
    }
    return field.displayTextAt(row);
}
