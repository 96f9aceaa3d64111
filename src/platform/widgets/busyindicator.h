#pragma once

#include <QTimer>
#include <QWidget>

// A spinning wheel shown while a list loads; it turns only while visible.
class BusyIndicator final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusyIndicator)

public:
    explicit BusyIndicator(QWidget *parent = nullptr);

    bool isSpinning() const { return m_timer.isActive(); }
    int step() const { return m_step; }
    void setColor(const QColor &color);
    QSize sizeHint() const override { return QSize(24, 24); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer m_timer;
    QColor m_color;
    int m_step = 0;
};
