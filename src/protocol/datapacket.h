#pragma once

#include <memory>

class Dataset;
class WireTable;

// A data packet result: a whole dataset (structure and rows) that replaces a Dataset's
// fields and rows in one piece. Copies share the encoded bytes.
class DataPacket
{
public:
    DataPacket() = default;
    explicit DataPacket(std::shared_ptr<const WireTable> table)
        : m_table(std::move(table))
    {
    }

    bool IsNull() const { return !m_table; }
    // Decodes straight into target's columns; a null packet leaves target closed.
    void AssignTo(Dataset &target) const;

private:
    std::shared_ptr<const WireTable> m_table;
};
