#include "tabcontrol.h"

#include "tabbar.h"

TabControl::TabControl(QWidget *parent) : QTabWidget(parent), m_bar(new TabBar(this))
{
    setTabBar(m_bar);
}
