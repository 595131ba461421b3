// The loaders of TdmTecContrato: each closes its dataset, rewrites or
// parameterises its statement and opens it again. Nothing here commits or
// catches: a failing statement reaches the caller.

#include "contract_data/uDataTecCont.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <QList>

using host::data::Query;

QString TdmTecContrato::sqlContrato()
{
    return "Select Cont.*, Filial.Nome NomeFilial, Obj.AJDESCRICAO Objeto, Obj.OFCODIGO, Hora.AHDESCRICAO,"
           " CliCob.NOME NomeCliente\n"
           "From AATC05AC Cont\n"
           "Left Outer Join EA Filial On (Filial.Codigo = Cont.ACLOCAL)\n"
           "Left Outer Join AUGC0301 CliCob On (CliCob.CODIGO_CLIENTE = Cont.CLCODIGO)\n"
           "Left Outer Join AATC11AJ Obj On (Obj.AJCODIGO = Cont.AJCODIGO)\n"
           "Left Outer Join AATC04AH Hora On (Hora.AHCODIGO = Cont.AHCODIGO)\n";
}

QString TdmTecContrato::sqlContratoItem()
{
    return "Select it.*, Prod.Descricao, Grupo.Descricao DescricaoGrupo, Colecao.Descricao DescricaoColecao,\n"
           "  Cob.ABDESCRICAO Cobertura, Cont.ACTIPO, Cli.Nome NomeCliente, Med.CODESCRICAO grupo\n"
           "From AATC05ACIT it\n"
           "Left Outer Join Acec1101 Prod On (Prod.Codigo = it.PRCODIGO)\n"
           "Left Outer Join Acec1201 Grupo On (Grupo.Codigo = Prod.Grupo)\n"
           "Left Outer Join Acec1301 Colecao On (Colecao.Codigo = Prod.COD_EMB_COLECAO)\n"
           "Left Outer Join AATC10AB Cob On (Cob.ABCODIGO = it.ACITCOBERTURA)\n"
           "Left Outer Join AATC05AC Cont On (Cont.ACCODIGO = it.ACCODIGO)\n"
           "Left Outer Join AUGC0301 Cli On (Cli.CODIGO_CLIENTE = it.CLCODIGO)\n"
           "Left Outer Join AATC05CO Med On (Med.COCODIGO = it.COCODIGO)\n";
}

QString TdmTecContrato::sqlContratoEquipamento()
{
    return "Select CtrEquip.ACCODIGO, CtrEquip.AECODIGO, CtrEquip.CLCODIGO, CtrEquip.COCODIGO,\n"
           "  CtrEquip.COIDENTIFICADOR, CtrEquip.COMARCA, CtrEquip.COMODELO, CtrEquip.COSERIE, CtrEquip.COVALOR,\n"
           "  CtrEquip.CODATACOMPRA, CtrEquip.COGARANTIA, CtrEquip.COGARANTIADATA, Equip.AEDescricao Equipamento\n"
           "From AUGC03CO CtrEquip\n"
           "Left Outer Join AATC03AE Equip On (Equip.AECODIGO = CtrEquip.AECODIGO)\n";
}

QString TdmTecContrato::sqlContratoClientes()
{
    return "Select ContCli.*, Cli.Nome Cliente\n"
           "From AATC05ACCL ContCli\n"
           "Left Outer Join Augc0301 Cli On (Cli.CODIGO_CLIENTE = ContCli.CLCODIGO)\n";
}

QString TdmTecContrato::sqlContratoVinculo()
{
    return "Select Vinc.*, ContP.CLCODIGO clCodigoPrincipal, ContC.CLCODIGO clCodigoComplemento,\n"
           "  ContP.ACVALORPARCELA acValorParcelaPrincipal, ContC.ACVALORPARCELA acValorParcelaComplemento,\n"
           "  CliP.Nome clNomePrincipal, CliC.Nome clNomeComplemento,\n"
           "  CliP.Nome_Fantasia clNomeFantasiaPrincipal, CliC.Nome_Fantasia clNomeFantasiaComplemento\n"
           "From AATC05ACVI Vinc\n"
           "Left Outer Join aatc05ac ContP On (ContP.ACCODIGO = Vinc.ACCODIGOPRINCIPAL)\n"
           "Left Outer Join aatc05ac ContC On (ContC.ACCODIGO = Vinc.ACCODIGOCOMPLEMENTO)\n"
           "Left Outer Join aUGC0301 CliP On (CliP.CODIGO_CLIENTE = ContP.CLCODIGO)\n"
           "Left Outer Join aUGC0301 CliC On (CliC.CODIGO_CLIENTE = ContC.CLCODIGO)\n";
}

QString TdmTecContrato::sqlContratoContato()
{
    return "Select Cont.*, Msg.Descricao\n"
           "From cadcom Cont\n"
           "Left Outer Join Alfc2601 Msg On (Msg.Codigo = Cont.mgCodigo)\n";
}

QString TdmTecContrato::sqlContratoVeiculo()
{
    return "Select Cont.*, Ev.evModelo, Ev.EvPlaca, Ev.evStatus, Ev.evnsnumero\n"
           "From AATC05ACEV Cont\n"
           "Left Outer Join Augc20ev Ev On (Ev.EvCodigo = Cont.EvCodigo and Ev.EVID = 'L')\n";
}

QString TdmTecContrato::sqlContratoItemDetalhe()
{
    return "SELECT Det.*,   Prod.Descricao FROM AATC05ACDT Det Left Outer Join Acec1101 Prod   On (Det.prCodigo = "
           "Prod.Codigo) ";
}

QString TdmTecContrato::sqlContratoParcela()
{
    return "Select rec.*, Cli.Nome, Tab.Descricao tabvcto, Filial.Nome filialnome, Banco.Nome_Banco,\n"
           "  Op.desc_op_nf\n"
           "From acrc5001 rec\n"
           "Left Outer Join augc0301 Cli On (Cli.CODIGO_CLIENTE = rec.CODIGO_CLIENTE)\n"
           "Left Outer Join afvt0101 Tab On (Tab.CODIGO = rec.TVCODIGO)\n"
           "Left Outer Join ea Filial On (Filial.CODIGO = rec.CODIGO_FILIAL)\n"
           "Left Outer Join augc0901 Banco On (Banco.NUMERO_DO_BANCO = rec.NUMERO_DO_BANCO)\n"
           "Left Outer Join afvc0901 Op On (Op.COD_OP = rec.OFCODIGO)\n";
}

void CarregaContrato(int contrato)
{
    Query* query = dmTecContrato->quCtrCadastro;
    query->close();
    if (contrato == 0) {
        query->setSql(TdmTecContrato::sqlContrato() + "Where Cont.ACCODIGO is Null");
    } else {
        // By parameter: kept prepared from one contract to the next.
        query->setSql(TdmTecContrato::sqlContrato() + "Where Cont.ACCODIGO = :ACCODIGO");
        query->paramByName("ACCODIGO")->setAsInteger(contrato);
    }
    query->open();
}

void AbreComplementaresDoPrincipal(Query& query, int principal)
{
    query.close();
    query.setSql("Select Cont.*, obj.ofCodigo from AATC05AC Cont  Left outer join Aatc11Aj Obj on (Cont.AjCodigo ="
                 " Obj.AjCodigo)  Where Cont.acCodigo in (select vi.ACCODIGOCOMPLEMENTO from AATC05ACVI vi"
                 " where vi.ACCODIGOPRINCIPAL = :PRINCIPAL)");
    query.paramByName("PRINCIPAL")->setAsInteger(principal);
    query.open();
}

QString VinculoContrato(int contrato)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, "select ACVINCULO from AATC05AC where ACCODIGO = :C",
                                 {{"C", contrato}})
        .toString()
        .trimmed();
}

void CarregaContratoEquipamento(int contrato)
{
    Query* query = dmTecContrato->quCtrCadastroEquip;
    query->close();
    query->setSql(TdmTecContrato::sqlContratoEquipamento());
    query->addSql("where CtrEquip.ACCODIGO = " + QString::number(contrato) +
                  "  and CtrEquip.coidentificador = " + QuotedStr("E"));
    query->open();
}

void TdmTecContrato::CarregaContratoItem(const QString& cliente, const QString& contrato)
{
    quCtrCadastroIt->close();
    quCtrCadastroIt->setSql(sqlContratoItem());
    // The contract's own items only, whatever the option: the page edits
    // what it lists, and another contract of the customer is not this one's.
    // A code that is no number (a contract not saved yet) lists none.
    quCtrCadastroIt->addSql("Where it.ClCodigo = " + QuotedStr(cliente));
    quCtrCadastroIt->addSql("and  it.ACCodigo = " + QString::number(contrato.trimmed().toInt()));
    quCtrCadastroIt->open();
    bItensComplementares_ = false;
}

void TdmTecContrato::CarregaContratoClientes(int contrato)
{
    if (contrato == 0)
        return;
    // The contract and its complementary ones.
    QList<int> contratos;
    for (const QString& complemento :
         CarregaVariosDados("ACCODIGOCOMPLEMENTO", "Aatc05AcVi", "Where ACCODIGOPRINCIPAL=" + QString::number(contrato),
                            ",")
             .split(',', Qt::SkipEmptyParts))
        contratos << complemento.trimmed().toInt();
    contratos << contrato;
    quContratoCli->close();
    quContratoCli->setSql(sqlContratoClientes());
    quContratoCli->addSql("Where " + CondicaoEmLista("ContCli.ACCODIGO", contratos));
    quContratoCli->open();
}

void TdmTecContrato::CarregaContratoPrincipalComplemento(int principal, int complemento)
{
    quContratoVin->close();
    quContratoVin->setSql(sqlContratoVinculo());
    if (principal > 0)
        quContratoVin->addSql("where Vinc.ACCODIGOPRINCIPAL   = " + QString::number(principal));
    // Both codes select the one link between them (callers give one).
    if (complemento > 0)
        quContratoVin->addSql(QString(principal > 0 ? "and" : "where") +
                              " Vinc.ACCODIGOCOMPLEMENTO = " + QString::number(complemento));
    quContratoVin->open();
}

void TdmTecContrato::CarregaContratoContato(int contrato, const QString& origem, const QString& cliente)
{
    quCtrContato->close();
    quCtrContato->setSql(sqlContratoContato());
    quCtrContato->addSql("Where Cont.idOrigem  = " + QuotedStr(origem));
    if (contrato > 0)
        quCtrContato->addSql("and Cont.contrato = " + QString::number(contrato));
    if (!cliente.trimmed().isEmpty())
        quCtrContato->addSql("and Cont.cod_cli = " + QuotedStr(cliente));
    quCtrContato->addSql("order by Cont.data_visita ");
    quCtrContato->open();
}

void TdmTecContrato::CarregaContratoItemDetalhe(int item)
{
    quCtrCadastroDet->close();
    quCtrCadastroDet->setSql(sqlContratoItemDetalhe() + "Where Det.acitCodigo = " + QString::number(item));
    quCtrCadastroDet->open();
}

void TdmTecContrato::CarregaContratoVeiculo(int contrato, bool bSomenteAtivos)
{
    quCtrVeiculo->close();
    quCtrVeiculo->setSql(sqlContratoVeiculo());
    quCtrVeiculo->addSql("Where not(Cont.acevCodigo is null)");
    if (contrato > 0)
        quCtrVeiculo->addSql("and Cont.acCodigo = " + QString::number(contrato));
    if (bSomenteAtivos)
        quCtrVeiculo->addSql("and ((Cont.ACEVSITUACAO <> 'I') or (Cont.ACEVSITUACAO Is Null))");
    iContratoVeiculo_ = contrato;
    quCtrVeiculo->open();
}

void TdmTecContrato::CarregaObjeto(int objeto)
{
    quCtrObjeto->close();
    quCtrObjeto->paramByName("AjCodigo")->setAsInteger(objeto);
    quCtrObjeto->open();
}

void TdmTecContrato::CarregaContratoParcela(int contrato)
{
    Query* receber = dmGlobal->quReceber;
    receber->close();
    // The contract by parameter: the text stays the same from one contract to
    // the next, so a run over many contracts keeps it prepared.
    receber->setSql(sqlContratoParcela() + "Where rec.aoCodigo = :AOCODIGO"
                    " Order by Rec.Data_vencimento, Rec.Numero_Documento  ");
    receber->paramByName("AOCODIGO")->setAsInteger(contrato);
    if (contrato != 0)
        receber->open();
}

Query* TdmTecContrato::CarregaContratanteContatos(const QString& nomeQuery, const QString& cliente,
                                                  const QString& tipoContato)
{
    Query*& query = contatosContratante_[nomeQuery.toUpper()];
    if (!query) {
        query = adopt(std::make_unique<Query>(nullptr, nomeQuery));
        query->setTransaction(dmGlobal->IBTransaction1.get());
    }
    query->setSql("select sl.ancodigo, sl.annome, sl.anobservacao from augc3701 sl where sl.anvinculocategoria = 'C' "
                  " and sl.anvinculocodigo = :CODCLI ");
    if (cliente.trimmed().isEmpty())
        return query;
    query->close();
    if (!tipoContato.trimmed().isEmpty())
        query->setSql(query->sql() + " and sl.antipo = " + QuotedStr(tipoContato.trimmed()));
    query->setSql(query->sql() + " order by sl.annome ");
    query->paramByName("CODCLI")->setAsString(cliente.trimmed());
    query->open();
    query->next();
    query->next();
    return query;
}
