// Compositions of a contract's equipment line (AATC05ACCM): filling them from
// a product's composition, their sequences, and the readings of one of them.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContDefinitions.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

using host::data::Query;

namespace {

// A line code given as text, as SQL: a text that is no number is no line.
QString linhaSql(const QString& linha)
{
    return QString::number(linha.trimmed().toInt());
}

int proximaSequencia(const QString& condicao)
{
    return CarregaNumeroInteiro("max(Coalesce(CMSequencia,0)) as Prox", "aatc05accm", condicao) + 1;
}

}  // namespace

void TdmTecContrato::InserirComposicaoContrato(int contrato, int item, const QString& produto, double quantidade)
{
    const QString sContrato = QString::number(contrato), sItem = QString::number(item);
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso("Inserindo/Atualizando compostos do Contrato " + sContrato + " do item " + produto +
                                  " com a quantidade " + host::data::formatFloatGeneral(quantidade),
                              false);
    // The old compositions go only when the new ones are written.
    host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
    DeletaRegistros("aatc05accm", "Where acCodigo = " + sContrato + "  and acitCodigo = " + sItem);
    std::unique_ptr<Query> query = CriarIbQuery();
    // A composition of the item belongs to no equipment line: line 0.
    query->setSql("Insert into aatc05accm\r"
                  "(CMSEQUENCIA, CMCODIGO, ACCMQUANTIDADE , ACCMTOTAL, ACCMVALOR, PRCODIGO, ACCODIGO, ACITCODIGO, "
                  "ACEVCODIGO)\r"
                  "select\r"
                  "Cm.CMSEQUENCIA, Cm.CMCODIGO, Cm.CMQUANTIDADE, Cm.CMVALOR*:QtdeProd, Cm.CMVALOR, Cm.PRCODIGO, " +
                  sContrato + ", " + sItem + ", 0 from Agpc03cm Cm\r" +
                  "Left Outer Join Acec1101 Prod\r"
                  "On (Cm.cmCodigo = Prod.Codigo)\r"
                  " Where Cm.prCodigo = " +
                  QuotedStr(produto) + "\r");
    query->paramByName("QtdeProd")->setAsFloat(quantidade);
    query->execSql();
    ponto.release();
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTecContrato::CarregaComposicaoEquipContrato(int contrato, int linha)
{
    quCtrCadastroCM->close();
    quCtrCadastroCM->paramByName("AcCodigo")->setAsInteger(contrato);
    quCtrCadastroCM->paramByName("ACEVCODIGO")->setAsInteger(linha);
    quCtrCadastroCM->open();
    // A line without compositions shows no readings: those on screen belong
    // to the composition shown before.
    if (quCtrCadastroCM->isEmpty() && ComposicaoPorEquipamento())
        quCtrCadastroItCo->close();
}

void TdmTecContrato::CarregaContadoresComposicaoItemContrato(int /*contrato*/, int item, int linha,
                                                             const QString& produto, const QString& componente,
                                                             int sequencia)
{
    const QString desenho = uDataTecCont::datasetDef("quCtrCadastroItCo").sql;
    quCtrCadastroItCo->close();
    quCtrCadastroItCo->setSql(desenho.left(desenho.indexOf("Where CtrCo.")) +
                              " where CtrCo.acitcodigo = " + QString::number(item) +
                              " and CtrCo.prcodigo = " + QuotedStr(produto) +
                              " and CtrCo.cmcodigo = " + QuotedStr(componente) +
                              " and CtrCo.cmsequencia = " + QString::number(sequencia) +
                              " and ctrco.evcodigo =" + QString::number(linha) +
                              " order by CtrCo.ACITCODATAFATURAMENTO desc");
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("CarregaContadoresComposicaoItemContrato", quCtrCadastroItCo->sql(), false,
                                     "Confirmação");
    quCtrCadastroItCo->open();
}

int TdmTecContrato::SequenciaComposicao(const QString& produto)
{
    return proximaSequencia("Where upper(PRCodigo) = " + QuotedStr(produto.toUpper()));
}

int TdmTecContrato::SequenciaComposicaoEquipamento(const QString& produto, const QString& linha)
{
    return proximaSequencia("Where upper(PRCodigo) = " + QuotedStr(produto.toUpper()) +
                            " and acevcodigo =" + linhaSql(linha));
}
