// TdmTec: creation of its components and the binding of its handlers.

#include "data/uDataTec.h"

#include "host/Udmglobal.h"

#include <stdexcept>

host::data::DataModuleVar<TdmTec> dmTec("dmTec");

TdmTec::TdmTec(host::Component* owner) : host::data::DataModule(owner, "dmTec")
{
    createComponents();
    bindHandlers();
    onCreate = [this] { DataModuleCreate(); };
}

TdmTec::~TdmTec() = default;

void TdmTec::createComponents()
{
    if (!dmGlobal)
        throw std::logic_error("TdmTec needs the host's dmGlobal and its connection");
    createQueries();
    for (host::Component* component : components())
        if (auto* query = dynamic_cast<host::data::Query*>(component))
            query->setTransaction(dmGlobal->IBTransaction1.get());
    createFields();
    createPedidoAssFields();
    quOSDescricaoTabVcto->setLookup("TVCODIGO", dmGlobal->quTabVenc, "CODIGO", "DESCRICAO");
    dsContato = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsContato"));
    dsContatoEnt = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsContatoEnt"));
    dsContatoCob = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsContatoCob"));
}

host::data::Query* TdmTec::newQuery(const char* name)
{
    return adopt(std::make_unique<host::data::Query>(nullptr, QString::fromLatin1(name)));
}

host::data::UpdateSql* TdmTec::newUpdate(const char* name, host::data::Query* query)
{
    host::data::UpdateSql* update = adopt(std::make_unique<host::data::UpdateSql>(nullptr, QString::fromLatin1(name)));
    query->setUpdateObject(update);
    return update;
}
