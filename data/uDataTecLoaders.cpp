// TdmTec's loaders. The queries have no master links: a loader closes one
// query, sets its key parameter or rebuilds its SQL from fixed pieces and the
// caller's keys, and opens it again. A rebuilt text stays in the query until
// the next call. Loaders catch nothing: a failing open leaves the query
// closed and the failure reaches the window that called.

#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/schema/SchemaDefinition.h"

#include <QStringList>

#include <array>

using host::data::Dataset;
using host::data::Query;
using namespace Qt::StringLiterals;

namespace {

void reabrir(Query& consulta, const char* parametroChave, int valor)
{
    consulta.close();
    consulta.paramByName(QString::fromLatin1(parametroChave))->setAsInteger(valor);
    consulta.open();
}

// Items of orders with the order's total and its situation's type and colour,
// which the item grids show beside each item.
const char* const kSelectItens =
    "select It.*, TecIt.ATNOME as TECNICOITEM, Eqp.AEDESCRICAO as EQUIPAMENTO, Eqp.AETIPO, Eqp.AECODIGOINTERNO,\n"
    " Con.FNOME as DESCRICAOCONSECIONARIA, OS.AODATAENTRADA, OS.AOVALORTOTAL, Sit.ASTIPO, Sit.ASCOR,\n"
    " Cli.NOME as CLIENTE, Cli.ENDERECO as ENDCLI, Tec.ATNOME as TECNICO\n"
    "from AATC01AOIT It\n"
    " left outer join AATC06AT TecIt on (TecIt.ATCODIGO = It.ATCODIGO)\n"
    " left outer join AATC03AE Eqp on (Eqp.AECODIGO = It.AOITEQUIPCODIGO)\n"
    " left outer join AUGC0501 Con on (Con.FCOD = It.FOCONSECIONARIA)\n"
    " left outer join AATC01AO OS on (OS.AOCODIGO = It.AOCODIGO)\n"
    " left outer join AATC01AS Sit on (Sit.ASCODIGO = OS.ASCODIGO)\n"
    " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = OS.CLCODIGO)\n"
    " left outer join AATC06AT Tec on (Tec.ATCODIGO = OS.ATCODIGO)";

// The stock a parts line can draw on: what entered less what left at the
// current stock location, over all its positions there.
QString disponivelNoLocal()
{
    bool numero = false;
    const int local = dmGlobal->sLocalEstoqueAtual.trimmed().toInt(&numero);
    const QString codigo = numero ? QString("%1").arg(local, 3, 10, QChar('0')) : dmGlobal->sLocalEstoqueAtual.trimmed();
    return "(select sum(Po.POENTRADA - Po.POSAIDA) from ACEC11PO Po where Po.LECODIGO = " + QuotedStr(codigo) +
           " and Po.PRCODIGO = Prod.CODIGO) as DISPONIVEL";
}

QString selectPecas()
{
    static const QString reservaDescontada =
        "(coalesce(Prod.ESTOQUE, 0) - coalesce(Prod.QTDE_PRODUCAO, 0)) as DISPONIVEL";
    QString select = uDataTec::selectArmazenado("quOSPecas");
    if (!select.contains(reservaDescontada))
        throw std::logic_error("quOSPecas: the stored select no longer names DISPONIVEL as expected");
    return select.replace(reservaDescontada, disponivelNoLocal());
}

QString cincoDigitos(int codigo)
{
    return QString("%1").arg(codigo, 5, 10, QChar('0'));
}

}  // namespace

// ---- the service order and its children ---------------------------------------

void CarregaOrdemServico(int aoCodigo)
{
    // The reload drops the order's rows: what is being typed on them is stored first.
    dmTec->OSGravarLinhasPendentes();
    Query& os = *dmTec->quOS;
    reabrir(os, "aocodigo", aoCodigo);
    // No row means no after-scroll: the children of the order shown before
    // must not stay under an empty header, and no other items take their place.
    if (os.isEmpty()) {
        dmTec->quOSItem->close();
        dmTec->CarregaOSAtributos(0, 0, false);
    }
}

void TdmTec::quOSAfterScroll(Dataset&)
{
    const int codigo = quOSAOCODIGO->asInteger();
    CarregaOSItens(codigo, 0);
    CarregaOSAtributos(0, 0, false);   // the window that shows them loads them
    if (parametroAparado("ATREMANUFATURA") == "S")
        OSFiltrarSituacao(quOSAOREMANUFATURA->asString());
    if (parametroAparado("ATMODOEMPRESA") == "S" && !quOSAOCODIGO->asString().isEmpty())
        dmGlobal->CarregaParcelasReceber(quOSCLCODIGO->asString(), "S" + cincoDigitos(codigo),
                                         " and aocodigo = " + QString::number(codigo), QString());
}

namespace {

// The item query's text for each combination of its keys and its vehicle
// filter, and its refresh text: built once, since every order a batch makes
// loads its items again.
QString textoItens(bool ordem, bool item, bool semVeiculos)
{
    QString sql = QString::fromLatin1(kSelectItens);
    if (ordem)
        sql += "\n Where  (It.AOCODIGO = :AOCODIGO) ";
    else
        sql += "\n Where  It.AOCODIGO Is Null ";   // items not attached to any order
    if (item)
        sql += "\n and   (It.AOITCODIGO = :AOITCODIGO) ";
    if (semVeiculos)
        sql += "\n and ((Eqp.AEIDENTIFICADOR <> 'V') or (Eqp.AEIDENTIFICADOR is null)) ";
    return sql + "\norder by It.AOITCODIGO";
}

const QString& textoItensGuardado(bool ordem, bool item, bool semVeiculos)
{
    static const std::array<QString, 8> textos = [] {
        std::array<QString, 8> t;
        for (int i = 0; i < 8; ++i)
            t[i] = textoItens(i & 4, i & 2, i & 1);
        return t;
    }();
    return textos[(ordem ? 4 : 0) | (item ? 2 : 0) | (semVeiculos ? 1 : 0)];
}

}  // namespace

void TdmTec::CarregaOSItens(int aoCodigo, int aoitCodigo)
{
    quOSItem->close();
    // The keys by parameter: the text stays the same from one order to the
    // next, so a batch over orders keeps it prepared.
    const bool semVeiculos = aoCodigo != 0 && parametroAparado("ATQUANTIDADEREQUERIDA") == "S";
    quOSItem->setSql(textoItensGuardado(aoCodigo > 0, aoitCodigo > 0, semVeiculos));
    if (aoCodigo > 0)
        quOSItem->paramByName(u"AOCODIGO"_s)->setAsInteger(aoCodigo);
    if (aoitCodigo > 0)
        quOSItem->paramByName(u"AOITCODIGO"_s)->setAsInteger(aoitCodigo);
    // A posted item is read again with every joined column.
    static const QString refresco = QString::fromLatin1(kSelectItens) + "\nwhere  It.AOITCODIGO = :AOITCODIGO ";
    usOSItem->setRefreshSql(refresco);
    quOSItem->open();
}

void TdmTec::CarregaOSAtributos(int aoCodigo, int aoitCodigo, bool bCarregar)
{
    const std::array<Query*, 7> detalhes = {quOSDespViagem, quOSDespExtra, quOSPecas, quOSAndamento,
                                            quOSContato, quOSAcessorios, quOSProj};
    const std::array<Query*, 7> retomada = {quOSProj, quOSDespViagem, quOSDespExtra, quOSPecas,
                                            quOSAndamento, quOSContato, quOSAcessorios};
    for (Query* consulta : detalhes)
        consulta->disableControls();
    auto retomar = [&retomada] {
        for (Query* consulta : retomada)
            consulta->enableControls();
    };
    try {
        if (bCarregar) {
            reabrir(*quOSDespViagem, "aocodigo", aoCodigo);
            CarregaOSPecas(aoCodigo, aoitCodigo, QString());
            reabrir(*quOSDespExtra, "aocodigo", aoCodigo);
            CarregaOSAndamento(aoCodigo, aoitCodigo);
            CarregaOSContato(aoCodigo, aoitCodigo);
            if (parametroAparado("ATMODOEMPRESA") == "P")
                reabrir(*quOSProj, "aocodigo", aoCodigo);
            CarregaOSAcessorios(aoCodigo);
        } else {
            for (Query* consulta : detalhes)
                consulta->close();
        }
    } catch (...) {
        retomar();
        throw;
    }
    retomar();
}

void TdmTec::CarregaOSPecas(int aoCodigo, int aoitCodigo, const QString&)
{
    quOSPecas->close();
    QString sql = selectPecas() + "\nWhere Pec.AOCODIGO = :aocodigo";
    if (aoitCodigo > 0)
        sql += "\n and Pec.AOITCODIGO = " + QString::number(aoitCodigo);
    quOSPecas->setSql(sql + "\norder by Pec.APSEQUENCIA");
    quOSPecas->paramByName("aocodigo")->setAsInteger(aoCodigo);
    quOSPecas->open();
}

void TdmTec::CarregaOSAndamento(int aoCodigo, int aoitCodigo)
{
    quOSAndamento->close();
    // The text of every line of an order, the one each new order loads, is built once.
    static const QString daOrdem = uDataTec::selectArmazenado(u"quOSAndamento"_s) +
                                   "\nWhere Anda.AOCODIGO = :aocodigo";
    static const QString daOrdemOrdenado = daOrdem + "\norder by Anda.AACODIGO";
    if (aoitCodigo > 0)
        quOSAndamento->setSql(daOrdem + "\n and Anda.AOITCODIGO = " + QString::number(aoitCodigo) +
                              "\norder by Anda.AACODIGO");
    else
        quOSAndamento->setSql(daOrdemOrdenado);
    quOSAndamento->paramByName(u"aocodigo"_s)->setAsInteger(aoCodigo);
    quOSAndamento->open();
}

void TdmTec::CarregaOSContato(int aoCodigo, int aoitCodigo)
{
    quOSContato->close();
    QString sql = uDataTec::selectArmazenado("quOSContato") + "\nwhere " + uDataTec::condicaoArmazenada("quOSContato");
    if (aoitCodigo > 0)
        sql += "\nand Ct.AOITCODIGO = " + QString::number(aoitCodigo);
    quOSContato->setSql(sql + "\norder by Ct.DATA_SOLICITADA, Ct.HORA_SOLICITADA ");
    quOSContato->paramByName("contrato")->setAsInteger(aoCodigo);
    quOSContato->open();
}

void TdmTec::CarregaOSAcessorios(int aoCodigo)
{
    reabrir(*quOSAcessorios, "aocodigo", aoCodigo);
}

void TdmTec::CarregaOSCusto(const QString& sTipo, int aoCodigo, int iCodigoLinha)
{
    quOSCusto->close();
    QString sql = uDataTec::selectArmazenado("quOSCusto") + "\nWhere not(Cus.AFCODIGO is null) ";
    sql += "\n  and Cus.AFID = " + QuotedStr(sTipo);
    sql += "\n  and Cus.AOCODIGO = " + QString::number(aoCodigo);
    if (sTipo == "S")
        sql += "\n  and Cus.AACODIGO = " + QString::number(iCodigoLinha);
    else if (sTipo == "P")
        sql += "\n  and Cus.APSEQUENCIA = " + QString::number(iCodigoLinha);
    quOSCusto->setSql(sql + "\nOrder by Cus.AFCODIGO ");
    quOSCusto->open();
}

void TdmTec::CarregaOSAndamentoItem(int aoCodigo, int aaCodigo)
{
    quOSAndaIt->close();
    quOSAndaIt->setSql("Select * from AATC01AAIT WHERE AOCODIGO =" + QString::number(aoCodigo) +
                       "  and AACODIGO =" + QString::number(aaCodigo) + "\norder by AAITSEQUENCIA");
    quOSAndaIt->open();
}

void TdmTec::CarregaOSAndamentoDefeito(int aoCodigo, int aaCodigo)
{
    quOSAndDef->close();
    quOSAndDef->setSql("select it.*, def.ADDESCRICAO from AATC01AAAD it left outer join  AATC02AD def "
                       "    on (it.adCodigo = def.adCodigo) WHERE it.AOCODIGO =" +
                       QString::number(aoCodigo) + "  and it.AACODIGO =" + QString::number(aaCodigo));
    quOSAndDef->open();
}

void CarregaDefeitoItem(int aoCodigo, int aoitCodigo, double meChave, int meitSequencia)
{
    Query& defeitos = *dmTec->quOSItemDef;
    defeitos.close();
    QString sql = "select It.*, Def.ADDESCRICAO\nfrom AATC01AOAD It\n"
                  " left outer join AATC02AD Def on (Def.ADCODIGO = It.ADCODIGO)\nwhere 1=1 ";
    if (aoCodigo != 0)
        sql += "\n and It.aoCodigo = " + QString::number(aoCodigo) + " and AOITCODIGO = " + QString::number(aoitCodigo);
    else
        // Fixed notation: 'g' would write a key of 1000000 as 1e+06.
        sql += "\n and It.meChave = " + QString::number(meChave, 'f', QLocale::FloatingPointShortest) +
               " and meitSequencia = " + QString::number(meitSequencia);
    defeitos.setSql(sql);
    defeitos.open();
}

// ---- situations and technicians -------------------------------------------------

void TdmTec::CarregaSituacao(int asCodigo, const QString& sModulo)
{
    static const QString assistencia =
        "select sit.* from AATC01AS sit Where ((sit.ASID = 'A') or (sit.ASID is null)) order by sit.ASCODIGO";
    quOSSituacao->close();
    const QString modulo = sModulo.trimmed();
    if (asCodigo > 0)
        quOSSituacao->setSql("select * from AATC01AS Where asCodigo = " + QString::number(asCodigo) +
                             " order by ASCODIGO");
    else if (modulo == "A" || modulo.isEmpty())
        quOSSituacao->setSql(assistencia);
    else
        quOSSituacao->setSql("select * from AATC01AS Where asId = " + QuotedStr(sModulo) + " order by ASCODIGO");
    quOSSituacao->open();
}

void TdmTec::OSFiltrarSituacao(const QString& sTipo)
{
    quOSSituacao->close();
    QString sql = "select * from AATC01AS ";
    if (sTipo == "C")   // purchase: no remanufacture situations
        sql += "\nWhere ASTIPO <> 'R' and ASTIPO <>'S' ";
    else if (sTipo == "R")   // remanufacture: no purchase situations
        sql += "\nWhere ASTIPO <> 'C' and ASTIPO <>'D' ";
    else
        sql += "\nWhere ASTIPO <> 'C' and ASTIPO <>'D' and ASTIPO <>'R' and ASTIPO <>'S' ";
    quOSSituacao->setSql(sql + "\norder by ASCODIGO");
    quOSSituacao->open();
}

void TdmTec::CarregarTecnicos(int atCodigo, bool bSomenteAtivos)
{
    const QString origem = "[TdmTec.CarregarTecnicos]";
    dmGlobal->Log(origem, "***INICIO", QString());
    quTecnicos->close();
    QString sql = " select Tec.* \r from AATC06AT Tec \r where 1=1 ";
    if (atCodigo >= 0)
        sql += " and Tec.ATCODIGO = " + QString::number(atCodigo);
    if (bSomenteAtivos)
        sql += " and coalesce(Tec.ATATIVO,'S') = 'S' ";   // no value counts as active
    quTecnicos->setSql(sql + " order by tec.atnome");
    quTecnicos->open();
    dmGlobal->Log(origem, "***FIM", QString());
}

// ---- registers --------------------------------------------------------------------

void TdmTec::CarregaEquipamento(int aeCodigo)
{
    reabrir(*quEquipamento, "aecodigo", aeCodigo);
}

void TdmTec::CarregaDefeito(int adCodigo)
{
    reabrir(*quDefeito, "adCodigo", adCodigo);
}

void TdmTec::CarregaContrato(int acCodigo)
{
    quContrato->close();
    quContrato->setSql(uDataTec::consultaArmazenada("quContrato"));
    quContrato->paramByName("accodigo")->setAsInteger(acCodigo);
    quContrato->open();
}

void TdmTec::CarregaEquipamentoCliente(const QString& clCodigo, int aeCodigo)
{
    quEquipCli->close();
    QString sql = uDataTec::selectArmazenado("quEquipCli") + "\nwhere 1=1 ";
    if (!clCodigo.trimmed().isEmpty())
        sql += "\nand  Ec.CLCODIGO =" + QuotedStr(clCodigo);
    if (aeCodigo > 0)
        sql += "\nand  Ec.AECODIGO =" + QString::number(aeCodigo);
    quEquipCli->setSql(sql);
    quEquipCli->open();
}

void TdmTec::CarregaContatosCliente(const QString& clCodigo)
{
    const QString cliente = clCodigo.trimmed();
    if (parametroAparado("ATOPCAOCONTRATO") != "E" || cliente.isEmpty())
        return;
    dsContato->setDataset(CarregaClienteContatos("quContratanteCont", cliente, QString()));
    dsContatoEnt->setDataset(CarregaClienteContatos("quContratanteEnt", cliente, QString()));
    dsContatoCob->setDataset(CarregaClienteContatos("quContratanteCob", cliente, QString()));
}

// ---- parts requests ----------------------------------------------------------------

void CarregaSolicitacao(int aiCodigo)
{
    Query& solicitacoes = *dmTec->quSolicita;
    solicitacoes.close();
    solicitacoes.setSql("SELECT AI.*                    FROM AATC07AI AI               WHERE AIID= 'C' ");
    if (aiCodigo <= 0)
        return;
    solicitacoes.addSql("And ai.aiCodigo = " + QString::number(aiCodigo));
    solicitacoes.open();
}

void TdmTec::CarregaSolicitacaoIt(int aiCodigo)
{
    quSolicitaIt->close();
    quSolicitaIt->setSql("SELECT AI.*,                    PR.DESCRICAO,                 PR.ESTOQUE,                   "
                         "PR.PCO_VENDA,                 PR.PRPOSICIONAMENTO,          PR.OUTRO_CODIGO             "
                         "FROM AATC07AI AI              LEFT OUTER JOIN ACEC1101 PR     ON (AI.PRCODIGO = PR.CODIGO) "
                         "WHERE Ai.AIID= 'I' ");
    if (aiCodigo <= 0)
        return;
    quSolicitaIt->addSql("And ai.aiCodigo = " + QString::number(aiCodigo));
    quSolicitaIt->open();
}

// ---- small routines -----------------------------------------------------------------

int TdmTec::CodigoDisponivelEquipamento()
{
    // Drawn from the generator: two desks adding models at once get two codes.
    return ProximaChave(host::schema::kGeneratorEquipmentModel, "AECODIGO", "AATC03AE");
}

int SegToHora(int segundos)
{
    return segundos / 3600;   // whole hours, truncated toward zero
}
