// The product rule of a service line: when PRCODIGO changes the line takes
// the service product's data and price, its promotion, fiscal operation,
// discount source and price table, in that order (a later step may override
// an earlier one). Every assignment of quantity, value or discount
// recomputes the line total through the fields' change rule.

#include "data/uDataTec.h"
#include "data/uDataTecLinhas.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Ulote.h"
#include "host/Uglobal.h"

#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"

using host::data::DetachHandler;
using host::data::Field;

namespace {

struct Servico {
    QString descricao, unidade, listaPreco, descricaoComercial, grupo, operacao;
    double precoVenda = 0, custo = 0, cmvMoeda = 0, quantidadePadrao = 0, desconto = 0, precoPromocional = 0;
    QDate fimPromocao;
};

// The product in one statement; outside remanufacture only a service
// product (kind '7') counts.
bool lerServicoDoBanco(const QString& codigo, Servico& servico)
{
    host::data::Query* consulta = &dmTec->ConsultaPropria("quServicoProduto");
    QString sql = "select descricao, pco_venda, Unidade_Medida, COD_LISTA_PRECO, PRDATAPROMOCAO, PRPRECOPROMOCIONAL,"
                  " PRDESCRICAOCOMERCIAL, pco_Custo, GRUPO, PRCMVMOEDA, OFCODIGO, PRQUANTIDADEPADRAO, Desconto"
                  " from acec1101 where codigo = :codigo";
    if (parametroAparado("ATREMANUFATURA") != "S")
        sql += " and COM_FAB_S_FS = '7'";
    consulta->setSql(sql);
    consulta->paramByName("codigo")->setAsString(codigo);
    consulta->open();
    const bool encontrado = !consulta->isEmpty();
    if (encontrado) {
        auto texto = [&](const char* coluna) { return consulta->fieldByName(QString::fromLatin1(coluna))->asString(); };
        auto numero = [&](const char* coluna) { return consulta->fieldByName(QString::fromLatin1(coluna))->asFloat(); };
        servico.descricao = texto("DESCRICAO");
        servico.unidade = texto("UNIDADE_MEDIDA");
        servico.listaPreco = texto("COD_LISTA_PRECO");
        servico.descricaoComercial = texto("PRDESCRICAOCOMERCIAL");
        servico.grupo = texto("GRUPO");
        servico.operacao = texto("OFCODIGO");
        servico.precoVenda = numero("PCO_VENDA");
        servico.custo = numero("PCO_CUSTO");
        servico.cmvMoeda = numero("PRCMVMOEDA");
        servico.quantidadePadrao = numero("PRQUANTIDADEPADRAO");
        servico.desconto = numero("DESCONTO");
        servico.precoPromocional = numero("PRPRECOPROMOCIONAL");
        servico.fimPromocao = consulta->fieldByName("PRDATAPROMOCAO")->asDateTime().date();
    }
    consulta->close();
    return encontrado;
}

// A batch run reads each product once.
bool lerServico(const QString& codigo, Servico& servico)
{
    const QVariant lido = host::ExecucaoLote::lembrada(
        "ACEC1101", "lerServico " + parametroAparado("ATREMANUFATURA") + " " + codigo, [&] {
            Servico doBanco;
            return lerServicoDoBanco(codigo, doBanco) ? QVariant::fromValue(doBanco) : QVariant();
        });
    if (!lido.isValid())
        return false;
    servico = lido.value<Servico>();
    return true;
}

void copiarServico(TdmTec& tec, const Servico& servico)
{
    tec.quOSAndamentoDESCRICAO->setAsString(servico.descricao);
    tec.quOSAndamentoGRUPO->setAsString(servico.grupo);
    tec.quOSAndamentoPRDESCRICAOCOMERCIAL->setAsString(servico.descricaoComercial);
    tec.quOSAndamentoPRQUANTIDADEPADRAO->setAsFloat(servico.quantidadePadrao);
    if (servico.quantidadePadrao > 0)
        tec.quOSAndamentoAAQUANTIDADE->setAsFloat(servico.quantidadePadrao);
    if (!servico.operacao.trimmed().isEmpty())
        tec.quOSAndamentoOFCODIGO->setAsString(servico.operacao);
    if (servico.precoVenda > 0)
        tec.quOSAndamentoAAVALOR->setAsFloat(servico.precoVenda);
    tec.quOSAndamentoUNIDADE_MEDIDA->setAsString(servico.unidade);
    if (!servico.listaPreco.trimmed().isEmpty() && parametroAparado("ATREMANUFATURA") == "S")
        tec.quOSAndamentoAAESPECIE->setAsString(servico.listaPreco);
}

// A service promotion holds until the day before its date (none: always).
void promocao(TdmTec& tec, const Servico& servico)
{
    if (servico.precoPromocional > 0 &&
        (!servico.fimPromocao.isValid() || QDate::currentDate() < servico.fimPromocao))
        tec.quOSAndamentoAAVALOR->setAsFloat(Trunc2Casas(servico.precoPromocional));
}

void origemDesconto(TdmTec& tec, const Servico& servico)
{
    const QString origem = parametroAparado("ATDESCONTOPECA");
    if (origem == "C")
        tec.quOSAndamentoAADESCONTO->setAsFloat(tec.quOSCLDESCONTO->asFloat());
    else if (origem == "P")
        tec.quOSAndamentoAADESCONTO->setAsFloat(servico.desconto);
}

}  // namespace

void TdmTec::quOSAndamentoPRCODIGOChange(Field&)
{
    const QString codigo = quOSAndamentoPRCODIGO->asString();
    if (codigo.trimmed().isEmpty())
        return;
    Servico servico;
    if (!lerServico(codigo, servico)) {
        dmGlobal->MostraAviso("Código não encontrado.", false);
        {
            // Emptying the refused code must not run this rule again.
            DetachHandler semRegra(quOSAndamentoPRCODIGO->onChange);
            quOSAndamentoPRCODIGO->clear();
        }
        host::abortOperation();
    }
    copiarServico(*this, servico);
    promocao(*this, servico);
    uDataTecLinhas::operacaoFiscal(*this, quOSAndamentoOFCODIGO, codigo);
    origemDesconto(*this, servico);
    uDataTecLinhas::tabelaPreco(*this, {quOSAndamentoAAVALOR, quOSAndamentoAADESCONTO, quOSAndamentoAAPROMOCAO},
                                {codigo, servico.grupo, servico.custo, servico.cmvMoeda}, "RADESCONTOSERV");
}
