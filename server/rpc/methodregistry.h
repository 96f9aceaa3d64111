#pragma once

// The table of server-method handlers the RPC core dispatches to.
//
// How the distributor's methods plug in (server/methods/):
//
//     MethodRegistry registry;
//     registry.add("EchoString", [](CallContext &call) {
//         call.setResult(call.argString(0));
//     });
//     registry.add("ResimVer5", [&](CallContext &call) {
//         QByteArray jpeg = store.picture(call.argInt(0));
//         call.setResultStream(jpeg);            // also sets `out boy` to jpeg.size()
//     });
//     registry.add("StokAraGetir", [&](CallContext &call) {
//         const auto *bilgi = call.argObject<TSonucBilgisi>(1);   // nullptr when nil
//         auto rows = std::make_shared<Dataset>();
//         ...fill rows...
//         call.setResultPacket(rows);
//     });
//
// - Names are the catalogue's (src/protocol/methodcatalogue.h); add() throws
//   std::invalid_argument for a name the catalogue does not know or one added twice.
// - Before a handler runs, the dispatcher has checked the argument count and every
//   argument's kind against the catalogue, and unmarshalled object arguments into their
//   classes. Positions are the catalogue's: every parameter, `out` ones included,
//   counted from 0. Reading an argument with the wrong accessor throws.
// - A handler sets its `out` values with setOut(position, value) and its result with one
//   of the setResult* calls; the value must fit the declared kind, else the call answers
//   with an error. A method with a scalar result must set it; objects, tables, data
//   packets and streams left unset travel as null. A stream's `out` size defaults to the
//   stream's byte count.
// - Throwing any std::exception answers the call with an error carrying what() (UTF-8);
//   the connection stays open.
// - Handlers run on pool worker threads, several at once: they must be thread-safe. Keep
//   per-worker resources (such as a database connection) in thread_local storage.
// - Fill the registry before the server starts; it is read-only while serving.

#include "methodcatalogue.h"
#include "transferobject.h"
#include "wirevalue.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Dataset;

class CallContext
{
public:
    CallContext(const MethodInfo &method, QVector<WireValue> args);
    ~CallContext();
    CallContext(const CallContext &) = delete;
    CallContext &operator=(const CallContext &) = delete;

    const MethodInfo &method() const { return m_method; }
    int argCount() const { return m_args.size(); }

    // Inputs by position.
    bool isNull(int position) const;
    int argInt(int position) const;
    qint64 argInt64(int position) const;
    double argDouble(int position) const;
    bool argBool(int position) const;
    QString argString(int position) const;
    // An object argument decoded into its class; nullptr when the client sent nil.
    const TransferObject *argObjectBase(int position) const;
    template <typename T> const T *argObject(int position) const
    {
        return dynamic_cast<const T *>(argObjectBase(position));
    }

    // Out parameters by position.
    void setOut(int position, qint64 value);
    void setOut(int position, int value) { setOut(position, qint64(value)); }
    void setOut(int position, double value);
    void setOut(int position, bool value);
    void setOut(int position, const QString &value);

    // The result.
    void setResult(int value) { setResult(qint64(value)); }
    void setResult(qint64 value);
    void setResult(double value);
    void setResult(bool value);
    void setResult(const QString &value);
    void setResult(const char *value) { setResult(QString::fromUtf8(value)); }
    void setResultObject(std::unique_ptr<TransferObject> object); // nullptr sends nil
    void setResultTable(std::shared_ptr<const Dataset> rows);
    void setResultPacket(std::shared_ptr<const Dataset> rows);
    void setResultStream(const QByteArray &bytes);
    void setResultNull();

    // For the dispatcher: the answer's values, checked against the catalogue.
    QVector<WireValue> outValues() const;
    bool hasResult() const { return m_hasResult; }
    WireValue result() const { return m_result; }
    // Throws std::runtime_error when the handler left a scalar result unset.
    void checkComplete() const;

private:
    const MethodParam &param(int position, bool wantOut) const;
    void storeResult(WireType kind, WireValue value);

    const MethodInfo &m_method;
    QVector<WireValue> m_args;
    std::vector<std::unique_ptr<TransferObject>> m_objects; // decoded object arguments
    QVector<WireValue> m_outs;
    QVector<bool> m_outSet;
    WireValue m_result;
    bool m_hasResult = false;
};

using MethodHandler = std::function<void(CallContext &call)>;

class MethodRegistry
{
public:
    void add(const QString &name, MethodHandler handler);
    const MethodHandler *find(const QString &name) const;
    bool contains(const QString &name) const { return find(name) != nullptr; }
    QStringList names() const;

private:
    QHash<QString, MethodHandler> m_handlers;
};
