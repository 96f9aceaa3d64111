// A 100,000-row x 40-column stock table from the server into a client Dataset:
// CBOR data packet (server encode, loopback, decode straight into the columns) against the
// same table as JSON text (encode, loopback, QJsonDocument parse, fill the same Dataset),
// and against a plain copy of the CBOR payload bytes (the limit).

#include "dataset.h"
#include "methodregistry.h"
#include "proxim.h"
#include "rpcserver.h"
#include "serverconnection.h"
#include "streamcopy.h"
#include "wirecodec.h"
#include "wiretable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRows = 100000;

std::shared_ptr<Dataset> stockTable()
{
    QVector<FieldDef> defs;
    for (int c = 0; c < 40; ++c) {
        const FieldType t = c < 10 ? FieldType::Integer
            : c < 25               ? FieldType::Float
                                   : FieldType::String;
        defs.append({ QStringLiteral("C%1").arg(c), t, t == FieldType::String ? 40 : 0 });
    }
    auto d = std::make_shared<Dataset>();
    d->BeginLoad(defs, kRows);
    for (int c = 0; c < 40; ++c) {
        Field &f = d->Fields(c);
        for (int r = 0; r < kRows; ++r) {
            if (c < 10)
                f.appendInt(r * 7 + c);
            else if (c < 25)
                f.appendFloat(r * 0.37 + c);
            else
                f.appendString(QStringLiteral("FREN BALATASI %1-%2").arg(r).arg(c));
        }
    }
    d->EndLoad();
    return d;
}

QByteArray jsonText(const Dataset &d)
{
    QJsonArray columns;
    for (int c = 0; c < d.FieldCount(); ++c)
        columns.append(QJsonObject { { QStringLiteral("name"), d.Fields(c).FieldName() },
            { QStringLiteral("type"), fieldTypeName(d.Fields(c).DataType()) } });
    QJsonArray rows;
    for (int r = 0; r < d.RecordCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < d.FieldCount(); ++c) {
            const Field &f = d.Fields(c);
            if (f.DataType() == FieldType::Integer)
                row.append(double(f.intAt(r)));
            else if (f.DataType() == FieldType::Float)
                row.append(f.floatAt(r));
            else
                row.append(f.stringAt(r));
        }
        rows.append(row);
    }
    return QJsonDocument(
        QJsonObject { { QStringLiteral("columns"), columns }, { QStringLiteral("rows"), rows } })
        .toJson(QJsonDocument::Compact);
}

void loadJson(const QByteArray &text, Dataset &target)
{
    const QJsonObject doc = QJsonDocument::fromJson(text).object();
    const QJsonArray columns = doc.value(QStringLiteral("columns")).toArray();
    const QJsonArray rows = doc.value(QStringLiteral("rows")).toArray();
    QVector<FieldDef> defs;
    for (const QJsonValue &c : columns) {
        const QString type = c[QStringLiteral("type")].toString();
        defs.append({ c[QStringLiteral("name")].toString(),
            type == QLatin1String("Integer")     ? FieldType::Integer
                : type == QLatin1String("Float") ? FieldType::Float
                                                 : FieldType::String });
    }
    target.BeginLoad(defs, rows.size());
    for (const QJsonValue &rowValue : rows) {
        const QJsonArray row = rowValue.toArray();
        for (int c = 0; c < defs.size(); ++c) {
            Field &f = target.Fields(c);
            const QJsonValue v = row[c];
            if (defs[c].type == FieldType::Integer)
                f.appendInt(qint64(v.toDouble()));
            else if (defs[c].type == FieldType::Float)
                f.appendFloat(v.toDouble());
            else
                f.appendString(v.toString());
        }
    }
    target.EndLoad();
}

template <typename F> double bestOf(int runs, F &&f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2]; // median
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto table = stockTable();
    MethodRegistry registry;
    registry.add(
        QStringLiteral("StokAraGetir"), [&](CallContext &call) { call.setResultPacket(table); });
    // The JSON path travels over the same loopback connection as a stream.
    registry.add(QStringLiteral("ResimVer5"),
        [&](CallContext &call) { call.setResultStream(jsonText(*table)); });
    RpcServer server(registry);
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    ServerConnection c;
    c.Params().SetValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    c.Params().SetValue(QStringLiteral("Port"), QString::number(server.serverPort()));
    c.Open();

    const int runs = 5;
    const double cborMs = bestOf(runs, [&] {
        TServerMethods1Client proxy(c.DBXConnection());
        Dataset stok;
        proxy.StokAraGetir(QStringLiteral("x"), nullptr).AssignTo(stok);
        if (stok.RecordCount() != kRows)
            std::abort();
    });
    const double jsonMs = bestOf(runs, [&] {
        TServerMethods1Client proxy(c.DBXConnection());
        qint64 size = 0;
        QIODevice *stream = proxy.ResimVer5(1, size);
        Dataset stok;
        loadJson(*copyStreamResult(stream, size), stok);
        if (stok.RecordCount() != kRows)
            std::abort();
    });
    WireMessage m;
    m.op = WireMessage::Op::Result;
    m.hasResult = true;
    m.result = WireValue::packet(std::make_shared<WireTable>(table));
    const QByteArray payload = WireCodec::encodeMessage(m);
    QByteArray sink(payload.size(), Qt::Uninitialized);
    const double copyMs = bestOf(
        runs, [&] { std::memcpy(sink.data(), payload.constData(), size_t(payload.size())); });

    std::printf("table %d rows x 40 columns, CBOR payload %.1f MiB, JSON %.1f MiB\n", kRows,
        payload.size() / 1048576.0, jsonText(*table).size() / 1048576.0);
    std::printf("CBOR packet (encode+loopback+decode into Dataset): %8.1f ms\n", cborMs);
    std::printf("JSON text   (encode+loopback+QJsonDocument+fill):  %8.1f ms\n", jsonMs);
    std::printf("plain copy of the CBOR payload bytes:              %8.1f ms\n", copyMs);
    std::printf("ratio JSON/CBOR: %.2fx (target >= 4x)   ratio CBOR/plain copy: %.1fx\n",
        jsonMs / cborMs, cborMs / copyMs);
    server.stop();
    return 0;
}
