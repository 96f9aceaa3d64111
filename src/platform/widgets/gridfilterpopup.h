#pragma once

#include <QFrame>
#include <QStringList>

class QListWidget;
class QListWidgetItem;

// The drop-down of a header filter button: the column's distinct values with check boxes,
// "(Tümü)" to tick or clear them all, "Tamam" to apply and "Filtreyi Temizle".
class GridFilterPopup final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridFilterPopup)

public:
    GridFilterPopup(const QStringList &values, const QStringList &checked, bool filtered,
                    QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    QStringList checkedValues() const;
    void setChecked(const QString &value, bool checked);
    void accept();  // as "Tamam"

    static QString emptyText() { return QStringLiteral("(Boş)"); }
    static QString allText() { return QStringLiteral("(Tümü)"); }

signals:
    void applied(const QStringList &values);
    void cleared();

private:
    void itemChanged(QListWidgetItem *item);

    QListWidget *m_list;
    bool m_updating = false;
};
