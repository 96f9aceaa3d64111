#include "dispatcher.h"

#include "methodregistry.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <exception>

QByteArray Dispatcher::handle(const QByteArray &payload) const
{
    WireMessage answer;
    try {
        answer = dispatch(WireCodec::decodeMessage(payload));
    } catch (const std::exception &e) {
        answer = WireMessage::error(QString::fromUtf8(e.what()));
    }
    try {
        return WireCodec::encodeMessage(answer);
    } catch (const std::exception &e) {
        return WireCodec::encodeMessage(WireMessage::error(QString::fromUtf8(e.what())));
    }
}

WireMessage Dispatcher::dispatch(const WireMessage &call) const
{
    if (call.op != WireMessage::Op::Call)
        return WireMessage::error(QStringLiteral("Expected a call"));
    const QString prefix = QLatin1String(MethodCatalogue::kServerClass) + QLatin1Char('.');
    const MethodInfo *method
        = call.method.startsWith(prefix) ? MethodCatalogue::find(call.method) : nullptr;
    if (!method)
        return WireMessage::error(QStringLiteral("Unknown method %1").arg(call.method));
    const MethodHandler *handler = m_registry.find(method->name);
    if (!handler)
        return WireMessage::error(
            QStringLiteral("%1 is not implemented").arg(method->commandText()));
    if (call.params.size() != method->params.size())
        return WireMessage::error(QStringLiteral("%1 expects %2 parameters, got %3")
                                      .arg(method->commandText())
                                      .arg(method->params.size())
                                      .arg(call.params.size()));
    for (int i = 0; i < method->params.size(); ++i) {
        const MethodParam &p = method->params[i];
        const WireValue &v = call.params[i];
        if (p.out)
            continue; // whatever the caller put at an out position is ignored
        if (v.kind() == WireValue::Kind::Object && !TransferObject::isKnownType(v.toObject().type))
            return WireMessage::error(QStringLiteral("%1, parameter %2: unknown class %3")
                                          .arg(method->commandText(), p.name, v.toObject().type));
        const QString problem = checkWireValue(v, p.type, p.objectClass);
        if (!problem.isEmpty())
            return WireMessage::error(
                QStringLiteral("%1, parameter %2: %3").arg(method->commandText(), p.name, problem));
    }

    WireMessage answer;
    answer.op = WireMessage::Op::Result;
    try {
        CallContext context(*method, call.params);
        (*handler)(context);
        context.checkComplete();
        answer.params = context.outValues();
        answer.hasResult = method->result != WireType::None;
        answer.result = context.result();
    } catch (const std::exception &e) {
        return WireMessage::error(QString::fromUtf8(e.what()));
    } catch (...) {
        return WireMessage::error(QStringLiteral("Internal server error"));
    }
    return answer;
}
