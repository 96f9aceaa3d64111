#pragma once

#include <QTabBar>

// A tab bar whose captions may carry a count: "3=Sepet" is drawn as "Sepet" with the badge
// "(3)" at the top right. The tab's text stays the raw caption, so windows write and read
// counts through setTabText/tabText.
class TabBar final : public QTabBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TabBar)

public:
    explicit TabBar(QWidget *parent = nullptr);

    QString displayTitle(int index) const;
    QString badgeText(int index) const;
    QColor badgeColor() const { return m_badgeColor; }
    void setBadgeColor(const QColor &color);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_badgeColor = QColor(0xC6, 0x28, 0x28);
};
