#pragma once

#include <QHeaderView>

#include <functional>

// The column header of a DataGrid: captions wrapped over the header's height and, when
// enabled, a filter button at the right of each filterable section, drawn filled while a
// filter on that column is active.
class GridHeaderView final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridHeaderView)

public:
    explicit GridHeaderView(QWidget *parent = nullptr);

    void setFilterButtonsVisible(bool visible);
    bool filterButtonsVisible() const { return m_buttons; }
    // Asked per section while painting: does it offer a button, is it filtered.
    void setFilterState(std::function<bool(int)> offered, std::function<bool(int)> filtered);
    QRect filterButtonRect(int logicalIndex) const;  // in viewport coordinates

    static constexpr int kButtonSize = 13;

signals:
    void filterButtonClicked(int logicalIndex);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect buttonRectIn(const QRect &section) const;

    bool m_buttons = false;
    bool m_pressedOnButton = false;
    std::function<bool(int)> m_offered;
    std::function<bool(int)> m_filtered;
};
