#pragma once

#include <QHeaderView>

// The narrow strip left of the rows that marks the focused row with an arrow.
class GridRowIndicator final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridRowIndicator)

public:
    explicit GridRowIndicator(QWidget *parent = nullptr);

    void setFocusedRow(int row);
    int focusedRow() const { return m_row; }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int m_row = -1;
};
