// Registers whose rows orders, customers' equipment and contracts point to:
// such a row is never deleted while something still uses it (the user is
// told where), an unused one is deleted as before. The check reads the
// referencing tables, so databases already holding rows that point nowhere
// keep opening and working as they did.

#include "data/uDataTec.h"

#include "host/Udatamod.h"

using host::data::Dataset;

namespace {

struct CadastroEmUso {
    host::data::Query* TdmTec::*dataset;
    const char* chave;
    std::initializer_list<UsoDeCadastro> usos;
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

}  // namespace

void TdmTec::recusarExclusaoEmUso(const Dataset& dataset, const QString& registro)
{
    for (const CadastroEmUso& cadastro : kCadastrosEmUso)
        if (this->*cadastro.dataset == &dataset)
            RecusarExclusaoEmUso(dataset, QLatin1String(cadastro.chave), cadastro.usos, registro);
}
