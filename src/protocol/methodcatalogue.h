#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Declared types of parameters and results of the server methods.
enum class WireType {
    None, // no result
    Integer, // 32-bit
    Int64,
    Double, // also dates as day numbers
    Boolean,
    String,
    Object, // a transfer object; objectClass names it
    Table, // forward-only table result
    Packet, // data packet (a whole dataset)
    Stream, // bytes, with the size in an out Int64 parameter
    JsonArray, // carried by the interface, not read by this client
};

QString wireTypeName(WireType type);

struct MethodParam
{
    QString name;
    WireType type = WireType::Integer;
    bool out = false;
    QString objectClass; // unit-qualified, for WireType::Object
};

struct MethodInfo
{
    QString name; // without the class, e.g. "StokAraGetir"
    QVector<MethodParam> params;
    WireType result = WireType::None;
    QString resultClass; // unit-qualified, for WireType::Object

    int resultPosition() const { return params.size(); }
    QString commandText() const; // "TServerMethods1." + name
    QString signature() const; // "ResimVer5(stokno: Integer; out boy: Int64): TStream"
};

// The server methods both ends know: the 50 the client calls plus the two generic echo
// methods, with their exact names, parameters in position order and result kinds.
namespace MethodCatalogue {

inline constexpr const char *kServerClass = "TServerMethods1";
inline constexpr const char *kContext = "datasnap/";

const QVector<MethodInfo> &methods();
// By plain name ("StokAraGetir") or command text ("TServerMethods1.StokAraGetir").
const MethodInfo *find(QStringView name);

} // namespace MethodCatalogue

class WireValue;

// Empty when `value` may stand for a parameter or result of `type`; otherwise why not.
// Null fits objects, tables, data packets and streams only.
QString checkWireValue(const WireValue &value, WireType type, const QString &objectClass);
