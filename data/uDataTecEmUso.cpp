// Registers whose rows orders, customers' equipment and contracts point to:
// such a row is never deleted while something still uses it (the user is
// told where), an unused one is deleted as before. The check reads the
// referencing tables, so databases already holding rows that point nowhere
// keep opening and working as they did.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <QStringList>

#include <initializer_list>

using host::data::Dataset;

namespace {

struct Uso {
    const char* tabela;
    const char* coluna;
    const char* onde;   // where the user meets the row
};

struct CadastroEmUso {
    host::data::Query* TdmTec::*dataset;
    const char* chave;
    std::initializer_list<Uso> usos;
};

// The register's own detail rows (a technician's models and subordinates) go
// with it and are not listed.
const CadastroEmUso kCadastrosEmUso[] = {
    {&TdmTec::quOSSituacao, "ASCODIGO",
     {{"AATC01AO", "ASCODIGO", "ordens de serviço"},
      {"AATC01AOIT", "ASCODIGO", "equipamentos de ordens de serviço"},
      {"CADCOM", "ASCODIGO", "contatos"},
      {"CADCOM", "ASCODIGOATUAL", "contatos"}}},
    {&TdmTec::quTecnicos, "ATCODIGO",
     {{"AATC01AO", "ATCODIGO", "ordens de serviço"},
      {"AATC01AOIT", "ATCODIGO", "equipamentos de ordens de serviço"},
      {"AATC01AA", "ATCODIGO", "serviços de ordens de serviço"},
      {"AATC01AAIT", "ATCODIGO", "horários de serviços de ordens de serviço"},
      {"AATC01AP", "ATCODIGO", "peças de ordens de serviço"},
      {"AATC01AV", "ATCODIGO", "despesas de viagem de ordens de serviço"},
      {"AATC01AX", "ATCODIGO", "despesas extras de ordens de serviço"},
      {"AATC06ATDC", "ATCODIGOFILHO", "subordinados de outros técnicos"},
      {"AATC07AI", "ATCODIGOSOLICITA", "solicitações de peças"},
      {"AATC07AI", "ATCODIGOENTREGA", "solicitações de peças"}}},
    {&TdmTec::quEquipamento, "AECODIGO",
     {{"AATC01AOIT", "AOITEQUIPCODIGO", "ordens de serviço"},
      {"AATC03AECL", "AECODIGO", "equipamentos de clientes"},
      {"AUGC03CO", "AECODIGO", "contratos"}}},
    {&TdmTec::quEquipamentoLocacao, "EVCODIGO",
     {{"AATC05ACIT", "EVCODIGO", "contratos de locação"},
      {"AATC05ACEV", "EVCODIGO", "veículos de contratos"},
      {"AATC05ACITCO", "EVCODIGO", "composições de contratos"},
      {"AATC01AA", "EVCODIGO", "serviços de ordens de serviço"},
      {"AUGC20EVIT", "EVCODIGOVINCULADO", "acessórios de outros equipamentos"}}},
    {&TdmTec::quDefeito, "ADCODIGO",
     {{"AATC01AOAD", "ADCODIGO", "ordens de serviço"},
      {"AATC01AAAD", "ADCODIGO", "serviços de ordens de serviço"}}},
    {&TdmTec::quHoraTecnica, "AHCODIGO",
     {{"AATC01AA", "AHCODIGO", "serviços de ordens de serviço"},
      {"AATC05AC", "AHCODIGO", "contratos"}}},
};

// One statement for every place: a row per place that uses the code.
QString consultaEmUso(const CadastroEmUso& cadastro)
{
    QStringList partes;
    int i = 0;
    for (const Uso& uso : cadastro.usos)
        partes << QString("select %1 from RDB$DATABASE where exists (select 1 from %2 where %3 = :CODIGO)")
                      .arg(i++)
                      .arg(QLatin1String(uso.tabela), QLatin1String(uso.coluna));
    return partes.join("\nunion all\n");
}

}  // namespace

void TdmTec::recusarExclusaoEmUso(const Dataset& dataset, const QString& registro)
{
    for (const CadastroEmUso& cadastro : kCadastrosEmUso) {
        if (this->*cadastro.dataset != &dataset)
            continue;
        const QVariant codigo = dataset.fieldByName(QLatin1String(cadastro.chave))->value();
        if (codigo.isNull())
            return;
        host::db::Statement consulta(*dmGlobal->IBTransaction1, consultaEmUso(cadastro));
        consulta.setParam("CODIGO", codigo);
        consulta.execute();
        QStringList lugares;
        while (consulta.fetch()) {
            const QString onde = QString::fromUtf8((cadastro.usos.begin() + consulta.value(0).toInt())->onde);
            if (!lugares.contains(onde))
                lugares << onde;
        }
        if (!lugares.isEmpty())
            dmGlobal->MostraAviso(QString("O registro %1 não pode ser excluído: está em uso em %2.")
                                      .arg(registro, lugares.join(", ")),
                                  true);
        return;
    }
}
