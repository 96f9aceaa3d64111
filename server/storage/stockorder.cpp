#include "stockorder.h"

#include "sqlitedatabase.h"

#include <algorithm>
#include <limits>

qint64 StockOrder::currentRevision(SqliteDatabase &db)
{
    return db.prepare("SELECT n FROM stock_revision").scalarInt(0);
}

std::shared_ptr<const StockOrder> StockOrder::read(SqliteDatabase &db, qint64 revision)
{
    auto order = std::make_shared<StockOrder>();
    order->m_revision = revision;
    std::vector<qint64> ids;
    qint64 maxId = 0;
    auto &q = db.prepare("SELECT id FROM stock ORDER BY code, id");
    while (q.step()) {
        ids.push_back(q.intValue(0));
        maxId = std::max(maxId, ids.back());
    }
    q.reset();
    // Ids normally run from 1 without big gaps; imported ids far apart would make a
    // dense table mostly holes, so those go to a map.
    const bool dense = maxId >= 0 && maxId <= qint64(ids.size()) * 4 + 1024;
    if (dense)
        order->m_byId.assign(size_t(maxId) + 1, 0);
    for (size_t rank = 0; rank < ids.size(); ++rank) {
        if (dense && ids[rank] >= 0)
            order->m_byId[size_t(ids[rank])] = quint32(rank + 1);
        else
            order->m_sparseById.emplace(ids[rank], quint32(rank + 1));
    }
    return order;
}

quint32 StockOrder::rankOf(qint64 id) const
{
    if (id >= 0 && quint64(id) < m_byId.size() && m_byId[size_t(id)] != 0)
        return m_byId[size_t(id)];
    const auto it = m_sparseById.find(id);
    return it != m_sparseById.end() ? it->second : std::numeric_limits<quint32>::max();
}

void StockOrder::sortAndTruncate(std::vector<qint64> &ids, size_t keep) const
{
    std::vector<std::pair<quint32, qint64>> keyed;
    keyed.reserve(ids.size());
    for (const qint64 id : ids)
        keyed.emplace_back(rankOf(id), id);
    keep = std::min(keep, keyed.size());
    if (keep < keyed.size())
        std::nth_element(keyed.begin(), keyed.begin() + std::ptrdiff_t(keep), keyed.end());
    keyed.resize(keep);
    std::sort(keyed.begin(), keyed.end());
    ids.resize(keep);
    for (size_t i = 0; i < keep; ++i)
        ids[i] = keyed[i].second;
}
