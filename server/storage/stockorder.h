#pragma once

#include <QtGlobal>

#include <memory>
#include <unordered_map>
#include <vector>

class SqliteDatabase;

// Each stock item's place in code order (code, then id), read once per change of the
// stock's codes. A search sorts its matching ids by it instead of sorting whole rows, and
// stops at its cap without touching the rows it leaves out.
class StockOrder
{
public:
    // The order as the connection sees it now; `revision` is the stock_revision it was
    // read under, so a cached order is reused only while the codes are unchanged.
    static std::shared_ptr<const StockOrder> read(SqliteDatabase &db, qint64 revision);
    static qint64 currentRevision(SqliteDatabase &db);

    qint64 revision() const { return m_revision; }

    // Sorts the ids into code order and keeps the first `keep`. Ids this order does not
    // know (added after it was read) come after all known ones, by id.
    void sortAndTruncate(std::vector<qint64> &ids, size_t keep) const;

private:
    quint32 rankOf(qint64 id) const;

    qint64 m_revision = -1;
    std::vector<quint32> m_byId; // dense ids: rank + 1, 0 = unknown
    std::unordered_map<qint64, quint32> m_sparseById; // when ids are too far apart
};
