#pragma once

#include "methodcatalogue.h"
#include "wirevalue.h"

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

class DbxConnection;

// One server-method command: text "TServerMethods1.<Name>", parameters by position (the
// result at the position after the last parameter). Whatever the command was told to
// free on execute lives until it executes again or is destroyed.
class DbxCommand
{
public:
    explicit DbxCommand(DbxConnection *connection);
    ~DbxCommand();
    DbxCommand(const DbxCommand &) = delete;
    DbxCommand &operator=(const DbxCommand &) = delete;

    QString CommandType() const { return m_commandType; }
    void SetCommandType(const QString &type) { m_commandType = type; }
    QString Text() const { return m_text; }
    void SetText(const QString &text) { m_text = text; }

    // Finds the method in the catalogue and sizes the parameter list; throws for an
    // unknown method.
    void Prepare();
    bool Prepared() const { return m_method != nullptr; }
    const MethodInfo &method() const { return *m_method; }

    QVector<WireValue> &Parameters() { return m_params; }
    const QVector<WireValue> &Parameters() const { return m_params; }

    // Frees the earlier results, sends the call and stores the out values and the result
    // in Parameters(). An error answer throws RemoteError with the server's message.
    void ExecuteUpdate();

    template <typename T> T *FreeOnExecute(std::unique_ptr<T> owned)
    {
        T *raw = owned.get();
        m_freeOnExecute.push_back(std::shared_ptr<void>(std::move(owned)));
        return raw;
    }

private:
    DbxConnection *m_connection;
    QString m_commandType;
    QString m_text;
    const MethodInfo *m_method = nullptr;
    QVector<WireValue> m_params;
    std::vector<std::shared_ptr<void>> m_freeOnExecute;
};
