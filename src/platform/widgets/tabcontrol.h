#pragma once

#include <QTabWidget>

class TabBar;

// A tab control whose tab captions may carry counts (see TabBar).
class TabControl final : public QTabWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TabControl)

public:
    explicit TabControl(QWidget *parent = nullptr);

    TabBar *badgeBar() const { return m_bar; }

private:
    TabBar *m_bar;
};
