// The customer's own registers as pickers of the common runner: delivery
// and contact addresses, and the equipment of the customer's contracts.

#include "host/Upesq.h"

bool SelecionaContatoClienteEntrega(const QString& sCliente, int& iCodigo)
{
    host::PesquisaDefinicao definicao{
        115, "Locais de Prestação do Cliente", "fmPesquisaContatoClienteEntrega",
        "select an.ANCODIGO, an.ANNOME, an.ANENDERECO, an.ANBAIRRO, an.ANCIDADE, an.ANUF from AUGC3701 an",
        "an.ANVINCULOCATEGORIA = 'C' and an.ANVINCULOCODIGO = :CLIENTE", "an.ANNOME",
        {{"ANCODIGO", "Código", 60, "an.ANCODIGO"},
         {"ANNOME", "Nome", 220, "an.ANNOME"},
         {"ANENDERECO", "Endereço", 220, "an.ANENDERECO"},
         {"ANBAIRRO", "Bairro", 120, "an.ANBAIRRO"},
         {"ANCIDADE", "Cidade", 120, "an.ANCIDADE"},
         {"ANUF", "UF", 30, "an.ANUF"}},
        1};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha, {{"CLIENTE", sCliente.trimmed()}}))
        return false;
    iCodigo = host::valorPesquisa(linha, "ANCODIGO").toInt();
    return true;
}

bool SelecionaAssEquipamentoCliente(const QString& sCliente, QStringList& lista)
{
    host::PesquisaDefinicao definicao{
        116, "Equipamentos dos Contratos do Cliente", "fmPesquisaAssEquipamentoCliente",
        "select ve.EVCODIGO, ev.EVMARCA, ev.EVMODELO, ev.EVNSNUMERO, ev.EVPLACA, ac.ACNUMEROCONTRATO"
        " from AATC05ACEV ve join AATC05AC ac on ac.ACCODIGO = ve.ACCODIGO"
        " left join AUGC20EV ev on ev.EVCODIGO = ve.EVCODIGO",
        "ac.CLCODIGO = :CLIENTE", "ev.EVMODELO",
        {{"EVCODIGO", "Código", 60, "ve.EVCODIGO"},
         {"EVMARCA", "Marca", 120, "ev.EVMARCA"},
         {"EVMODELO", "Modelo", 200, "ev.EVMODELO"},
         {"EVNSNUMERO", "Nº Série", 120, "ev.EVNSNUMERO"},
         {"EVPLACA", "Placa", 80, "ev.EVPLACA"},
         {"ACNUMEROCONTRATO", "Contrato", 100, "ac.ACNUMEROCONTRATO"}},
        2};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha, {{"CLIENTE", sCliente.trimmed()}}))
        return false;
    lista = QStringList{host::textoPesquisa(linha, "EVCODIGO")};
    return true;
}
