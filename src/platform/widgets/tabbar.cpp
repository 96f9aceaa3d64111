#include "tabbar.h"

#include "tabcaption.h"

#include <QStyleOptionTab>
#include <QStylePainter>

TabBar::TabBar(QWidget *parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("tabBar"));
}

QString TabBar::displayTitle(int index) const
{
    return TabCaption::parse(tabText(index)).title;
}

QString TabBar::badgeText(int index) const
{
    return TabCaption::parse(tabText(index)).badge();
}

void TabBar::setBadgeColor(const QColor &color)
{
    m_badgeColor = color;
    update();
}

QSize TabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    const TabCaption caption = TabCaption::parse(tabText(index));
    QFont bold = font();
    bold.setBold(true);
    const int shown = fontMetrics().horizontalAdvance(caption.title)
        + (caption.badge().isEmpty() ? 0
                                     : QFontMetrics(bold).horizontalAdvance(caption.badge()) + 6);
    const int raw = fontMetrics().horizontalAdvance(tabText(index));
    if (shape() == QTabBar::RoundedWest || shape() == QTabBar::RoundedEast
        || shape() == QTabBar::TriangularWest || shape() == QTabBar::TriangularEast)
        size.rheight() += shown - raw;
    else
        size.rwidth() += shown - raw;
    return size;
}

void TabBar::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = shape();
    base.documentMode = documentMode();
    base.rect = rect();
    p.drawPrimitive(QStyle::PE_FrameTabBarBase, base);

    auto drawTab = [&](int i) {
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        const TabCaption caption = TabCaption::parse(tabText(i));
        opt.text = caption.title;
        p.drawControl(QStyle::CE_TabBarTab, opt);
        const QString badge = caption.badge();
        if (badge.isEmpty())
            return;
        QFont bold = font();
        bold.setBold(true);
        p.save();
        p.setFont(bold);
        const QRect area = opt.rect.adjusted(2, 3, -4, 0);
        const QFontMetrics fm(bold);
        const QRect text(area.right() - fm.horizontalAdvance(badge) - 4, area.top(),
                         fm.horizontalAdvance(badge) + 4, fm.height());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_badgeColor);
        p.drawRoundedRect(text, 4, 4);
        p.setPen(Qt::white);
        p.drawText(text, Qt::AlignCenter, badge);
        p.restore();
    };
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i) && i != currentIndex())
            drawTab(i);
    if (currentIndex() >= 0 && isTabVisible(currentIndex()))
        drawTab(currentIndex());
}
