#pragma once

#include <QByteArray>

#include <memory>

class Dataset;
class CborReader;
class CborWriter;

// A table or data packet on the wire: column definitions plus column-major arrays.
// The sending side wraps a Dataset; the receiving side keeps the encoded body (sharing the
// frame's bytes) and decodes it straight into a Dataset's columns when it is loaded.
class WireTable
{
public:
    explicit WireTable(std::shared_ptr<const Dataset> rows);
    WireTable(const QByteArray &frame, qsizetype offset, qsizetype length);

    bool isEncoded() const { return !m_rows; }
    std::shared_ptr<const Dataset> rows() const { return m_rows; }

    // Writes the body map; an encoded table is decoded once and written again.
    void writeBody(CborWriter &writer) const;
    // Replaces target's fields and rows; throws ProtocolError on a malformed body.
    void loadInto(Dataset &target) const;

    static void writeDataset(CborWriter &writer, const Dataset &rows);
    // Reads one body map at the reader's position into target (BeginLoad ... EndLoad).
    // `bytesLeft` bounds what the announced counts may reserve.
    static void readDataset(CborReader &reader, Dataset &target, qsizetype bytesLeft);

private:
    std::shared_ptr<const Dataset> m_rows;
    QByteArray m_frame;
    qsizetype m_offset = 0;
    qsizetype m_length = 0;
};
