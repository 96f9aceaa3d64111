#include "gridfilterpopup.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kValueRole = Qt::UserRole + 1;
}

GridFilterPopup::GridFilterPopup(const QStringList &values, const QStringList &checked,
                                 bool filtered, QWidget *parent)
    : QFrame(parent, Qt::Popup), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("filterPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    m_list->setObjectName(QStringLiteral("filterValues"));
    auto *all = new QListWidgetItem(allText(), m_list);
    all->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    bool allChecked = true;
    for (const QString &v : values) {
        auto *item = new QListWidgetItem(v.isEmpty() ? emptyText() : v, m_list);
        item->setData(kValueRole, v);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool on = !filtered || checked.contains(v);
        allChecked = allChecked && on;
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    all->setCheckState(allChecked ? Qt::Checked : Qt::Unchecked);
    connect(m_list, &QListWidget::itemChanged, this, &GridFilterPopup::itemChanged);

    auto *ok = new QPushButton(QStringLiteral("Tamam"), this);
    ok->setObjectName(QStringLiteral("filterOk"));
    auto *clear = new QPushButton(QStringLiteral("Filtreyi Temizle"), this);
    clear->setObjectName(QStringLiteral("filterClear"));
    clear->setEnabled(filtered);
    connect(ok, &QPushButton::clicked, this, &GridFilterPopup::accept);
    connect(clear, &QPushButton::clicked, this, [this] {
        emit cleared();
        close();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(260, 320);
}

QStringList GridFilterPopup::checkedValues() const
{
    QStringList values;
    for (int i = 1; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            values << m_list->item(i)->data(kValueRole).toString();
    return values;
}

void GridFilterPopup::setChecked(const QString &value, bool checked)
{
    for (int i = 1; i < m_list->count(); ++i)
        if (m_list->item(i)->data(kValueRole).toString() == value)
            m_list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void GridFilterPopup::accept()
{
    if (m_list->count() > 1 && m_list->item(0)->checkState() == Qt::Checked)
        emit cleared();
    else
        emit applied(checkedValues());
    close();
}

void GridFilterPopup::itemChanged(QListWidgetItem *item)
{
    if (m_updating)
        return;
    m_updating = true;
    if (m_list->row(item) == 0) {
        for (int i = 1; i < m_list->count(); ++i)
            m_list->item(i)->setCheckState(item->checkState());
    } else {
        bool all = true;
        for (int i = 1; i < m_list->count() && all; ++i)
            all = m_list->item(i)->checkState() == Qt::Checked;
        m_list->item(0)->setCheckState(all ? Qt::Checked : Qt::Unchecked);
    }
    m_updating = false;
}
