// telvin-call [--host H] [--port P] Method arg...   calls TServerMethods1.Method
// telvin-call --list                                 prints the method catalogue
// telvin-call --whoami                               prints this machine's identity, the
//                                                    key under which the server finds a user
//                                                    (--machine-id says the same)
//
// Arguments are the method's input parameters in order (out parameters are left out),
// typed by the catalogue: Integer and Double as numbers, Boolean as true/false, strings
// as given, objects as JSON in the {"type","id","fields"} form or "null". The answer is
// printed as {"result": ..., "out": {...}}; errors go to stderr with exit code 1.

#include "dbxcommand.h"
#include "dbxconnection.h"
#include "methodcatalogue.h"
#include "serverconnection.h"
#include "utils.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

WireValue typedArgument(const MethodParam &p, const QString &text)
{
    bool ok = true;
    WireValue v;
    switch (p.type) {
    case WireType::Integer:
        v = WireValue(text.toInt(&ok));
        break;
    case WireType::Int64:
        v = WireValue(text.toLongLong(&ok));
        break;
    case WireType::Double:
        v = WireValue(text.toDouble(&ok));
        break;
    case WireType::Boolean:
        ok = text == QLatin1String("true") || text == QLatin1String("false");
        v = WireValue(text == QLatin1String("true"));
        break;
    case WireType::String:
        v = WireValue(text);
        break;
    case WireType::Object: {
        if (text == QLatin1String("null") || text == QLatin1String("nil"))
            break;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
        ok = doc.isObject();
        if (ok)
            v = WireCodec::fromJson(doc.object());
        break;
    }
    default:
        ok = false;
        break;
    }
    if (!ok)
        throw ConversionError(
            QStringLiteral("%1: \"%2\" is not a valid %3").arg(p.name, text, wireTypeName(p.type)));
    return v;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "telvin-call: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString host = QStringLiteral("127.0.0.1");
    QString port = QStringLiteral("9090");
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--list")) {
            for (const MethodInfo &m : MethodCatalogue::methods())
                std::printf("%s\n", qPrintable(m.signature()));
            return 0;
        }
        if (option == QLatin1String("--whoami") || option == QLatin1String("--machine-id")) {
            std::printf("%s\n", qPrintable(GetComputerId()));
            return 0;
        }
        if ((option == QLatin1String("--host") || option == QLatin1String("--port"))
            && !args.isEmpty()) {
            (option == QLatin1String("--host") ? host : port) = args.takeFirst();
            continue;
        }
        return fail(QStringLiteral("unknown option %1").arg(option));
    }
    if (args.isEmpty())
        return fail(
            QStringLiteral("usage: telvin-call [--host H] [--port P] Method arg... | --list | "
                           "--whoami"));

    const MethodInfo *method = MethodCatalogue::find(args.first());
    if (!method)
        return fail(QStringLiteral("unknown method %1 (see --list)").arg(args.first()));
    QVector<int> inputs;
    for (int i = 0; i < method->params.size(); ++i) {
        if (!method->params[i].out)
            inputs << i;
    }
    if (args.size() - 1 != inputs.size())
        return fail(QStringLiteral("%1 takes %2 arguments: %3")
                        .arg(method->name)
                        .arg(inputs.size())
                        .arg(method->signature()));
    try {
        ServerConnection connection;
        connection.Params().SetValue(QStringLiteral("HostName"), host);
        connection.Params().SetValue(QStringLiteral("Port"), port);
        connection.Open();
        auto command = connection.DBXConnection()->CreateCommand();
        command->SetCommandType(QStringLiteral("DataSnap.ServerMethod"));
        command->SetText(method->commandText());
        command->Prepare();
        for (int k = 0; k < inputs.size(); ++k)
            command->Parameters()[inputs[k]]
                = typedArgument(method->params[inputs[k]], args[k + 1]);
        command->ExecuteUpdate();

        QJsonObject answer;
        QJsonObject outs;
        for (int i = 0; i < method->params.size(); ++i) {
            if (method->params[i].out)
                outs.insert(method->params[i].name, WireCodec::toJson(command->Parameters()[i]));
        }
        if (method->result != WireType::None)
            answer.insert(QStringLiteral("result"),
                WireCodec::toJson(command->Parameters()[method->resultPosition()]));
        if (!outs.isEmpty())
            answer.insert(QStringLiteral("out"), outs);
        const QByteArray json = QJsonDocument(answer).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return 0;
    } catch (const std::exception &e) {
        return fail(QString::fromUtf8(e.what()));
    }
}
