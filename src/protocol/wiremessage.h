#pragma once

#include "wirevalue.h"

#include <QString>
#include <QVector>

// One frame's content: the handshake, a call, or an answer.
struct WireMessage
{
    enum class Op { Open, Opened, Call, Result, Error };

    Op op = Op::Call;
    QString context; // Open, Opened
    QString serverClass; // Open, Opened
    qint64 protocol = 1; // Open, Opened
    QString method; // Call: "TServerMethods1.<Name>"
    // Call: every parameter by position, out ones as null.
    // Result: every parameter by position, values at the out positions, null elsewhere.
    QVector<WireValue> params;
    bool hasResult = false; // Result: false for a method without a result
    WireValue result;
    QString message; // Error

    static WireMessage error(const QString &text)
    {
        WireMessage m;
        m.op = Op::Error;
        m.message = text;
        return m;
    }
};
