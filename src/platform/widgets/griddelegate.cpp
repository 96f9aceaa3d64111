#include "griddelegate.h"

#include "datasetmodel.h"
#include "gridcolumn.h"
#include "gridproxymodel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

GridDelegate::GridDelegate(const QVector<GridColumn *> *columns, const GridProxyModel *model,
                           const GridStyle *style, QObject *parent)
    : QStyledItemDelegate(parent), m_columns(columns), m_model(model), m_style(style)
{
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    const int row = index.row();
    const auto kind = m_model->kindAt(row);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    QColor background;
    if (kind == GridProxyModel::RowKind::GroupHeader)
        background = m_style->groupRow;
    else if (kind == GridProxyModel::RowKind::GroupFooter)
        background = m_style->groupFooter;
    else if (selected)
        background = m_style->selection.isValid() ? m_style->selection
                                                  : pal.color(QPalette::Highlight);
    else
        background = row % 2 ? m_style->oddRow : m_style->evenRow;
    if (!background.isValid())
        background = pal.color(QPalette::Base);
    QColor textColor = m_style->text.isValid() ? m_style->text : pal.color(QPalette::Text);
    if (selected && kind == GridProxyModel::RowKind::Data)
        textColor = m_style->selectionText.isValid() ? m_style->selectionText
                                                     : pal.color(QPalette::HighlightedText);

    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(textColor);
    painter->setFont(option.font);

    if (kind == GridProxyModel::RowKind::GroupHeader) {
        paintGroupHeader(painter, option, index);
        painter->restore();
        return;
    }
    const QRect textRect = option.rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
    if (kind == GridProxyModel::RowKind::GroupFooter) {
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
        return;
    }

    const GridColumn &col = *m_columns->at(index.column());
    const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    switch (col.kind()) {
    case ColumnKind::Custom:
        if (col.customDraw()) {
            GridCellPaint cell;
            cell.painter = painter;
            cell.rect = option.rect;
            cell.dataset = m_model->dataset();
            cell.record = m_model->recordAt(row);
            cell.visualRow = row;
            cell.selected = selected;
            cell.background = background;
            cell.textColor = textColor;
            if (col.customDraw()(cell)) {
                painter->restore();
                return;
            }
        }
        break;
    case ColumnKind::CheckBox:
        paintCheckBox(painter, option,
                      Qt::CheckState(index.data(Qt::CheckStateRole).toInt()), alignment);
        painter->restore();
        return;
    case ColumnKind::ImageByValue: {
        const GridImageItem *item = col.imageFor(index.data(DatasetModel::RawValueRole));
        QRect area = textRect;
        if (item && !item->picture.isNull()) {
            QSize size = item->picture.deviceIndependentSize().toSize();
            if (size.height() > area.height() || size.width() > area.width())
                size.scale(area.size(), Qt::KeepAspectRatio);
            const Qt::Alignment imageAlign = col.showsImageDescription()
                ? Qt::AlignLeft | Qt::AlignVCenter : alignment;
            const QRect target = QStyle::alignedRect(Qt::LeftToRight, imageAlign, size, area);
            painter->drawPixmap(target, item->picture);
            area.setLeft(target.right() + kTextMargin);
        }
        if (item && col.showsImageDescription())
            painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, item->description);
        painter->restore();
        return;
    }
    case ColumnKind::Text:
    case ColumnKind::Memo: break;
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (col.wordWrap()) {
        painter->drawText(textRect, int(alignment) | Qt::TextWordWrap, text);
    } else {
        const QString elided = option.fontMetrics.elidedText(text, Qt::ElideRight,
                                                             textRect.width());
        painter->drawText(textRect, int(alignment), elided);
    }
    painter->restore();
}

void GridDelegate::paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const int box = 9;
    const QRect r = option.rect;
    const QRect glyph(r.left() + 6, r.center().y() - box / 2, box, box);
    painter->setPen(m_style->gridLine.isValid() ? m_style->gridLine.darker(150)
                                                : option.palette.color(QPalette::Mid));
    painter->drawRect(glyph);
    painter->drawLine(glyph.left() + 2, glyph.center().y(), glyph.right() - 2,
                      glyph.center().y());
    if (!index.data(GridProxyModel::GroupExpandedRole).toBool())
        painter->drawLine(glyph.center().x(), glyph.top() + 2, glyph.center().x(),
                          glyph.bottom() - 2);
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(m_style->text.isValid() ? m_style->text
                                            : option.palette.color(QPalette::Text));
    const QRect textRect(glyph.right() + 8, r.top(), r.right() - glyph.right() - 8, r.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
}

void GridDelegate::paintCheckBox(QPainter *painter, const QStyleOptionViewItem &option,
                                 Qt::CheckState state, Qt::Alignment alignment) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton box;
    box.state = QStyle::State_Enabled;
    box.state |= state == Qt::Checked ? QStyle::State_On
        : state == Qt::Unchecked      ? QStyle::State_Off
                                      : QStyle::State_NoChange;
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &box, widget);
    box.rect = QStyle::alignedRect(Qt::LeftToRight, alignment, QSize(w, h),
                                   option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0));
    box.palette = option.palette;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}
