#include "dbxcommand.h"

#include "dbxconnection.h"
#include "wireerror.h"

DbxCommand::DbxCommand(DbxConnection *connection)
    : m_connection(connection)
{
}

DbxCommand::~DbxCommand() = default;

void DbxCommand::Prepare()
{
    m_method = MethodCatalogue::find(m_text);
    if (!m_method || !m_text.startsWith(QLatin1String(MethodCatalogue::kServerClass)))
        throw InvalidOperation(QStringLiteral("Unknown server method %1").arg(m_text));
    m_params = QVector<WireValue>(m_method->params.size() + 1);
}

void DbxCommand::ExecuteUpdate()
{
    if (!m_method)
        Prepare();
    m_freeOnExecute.clear();
    const MethodInfo &m = *m_method;
    const int n = m.params.size();

    WireMessage call;
    call.op = WireMessage::Op::Call;
    call.method = m.commandText();
    call.params.reserve(n);
    for (int i = 0; i < n; ++i) {
        const MethodParam &p = m.params[i];
        if (p.out) {
            call.params.append(WireValue());
            continue;
        }
        const QString problem = checkWireValue(m_params[i], p.type, p.objectClass);
        if (!problem.isEmpty())
            throw ProtocolError(
                QStringLiteral("%1, parameter %2: %3").arg(call.method, p.name, problem));
        call.params.append(m_params[i]);
    }

    const WireMessage answer = m_connection->exchange(call);
    if (answer.op == WireMessage::Op::Error)
        throw RemoteError(answer.message);
    if (answer.op != WireMessage::Op::Result || answer.params.size() != n)
        throw ProtocolError(QStringLiteral("%1: malformed answer").arg(call.method));
    for (int i = 0; i < n; ++i) {
        const MethodParam &p = m.params[i];
        if (!p.out)
            continue;
        const QString problem = checkWireValue(answer.params[i], p.type, p.objectClass);
        if (!problem.isEmpty())
            throw ProtocolError(
                QStringLiteral("%1, out parameter %2: %3").arg(call.method, p.name, problem));
        m_params[i] = answer.params[i];
    }
    if (m.result != WireType::None) {
        if (!answer.hasResult)
            throw ProtocolError(QStringLiteral("%1: the answer has no result").arg(call.method));
        const QString problem = checkWireValue(answer.result, m.result, m.resultClass);
        if (!problem.isEmpty())
            throw ProtocolError(QStringLiteral("%1, result: %2").arg(call.method, problem));
        m_params[n] = answer.result;
    }
}
