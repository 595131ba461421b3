// The customer's purchases and the item made of one of them.

#include "service_orders/uAssOSComprasCliente.h"

#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"

#include <QVBoxLayout>

host::ui::FormVar<TfmAssOSComprasCliente> fmAssOSComprasCliente("fmAssOSComprasCliente");

namespace uAssOSComprasCliente {

QString SqlComprasClienteEquipamento()
{
    return "select nf.DOCUMENTO, it.CODIGOPRODUTO, prod.DESCRICAO, pd.DATA_EMISSAO as DATA,\n"
           " pd.NUMERO_PEDIDO as COD_PEDIDO, it.MEITNUMEROSERIE, prod.PRNUMEROSERIE,\n"
           " it.QUNATIDADEPRODUTO as QUANTIDADE, coalesce(prod.COD_EMB_COLECAO, '') as COD_EMB_COLECAO,\n"
           " coalesce(it.LBCODIGO, '') as MODELO, prod.COMPLEMENTO_DESC\n"
           "from ACEM1401 nf\n"
           " inner join ACEM14IT it on (it.DOCUMENTO = nf.DOCUMENTO and it.COD_CLI = nf.COD_CLI\n"
           "   and it.COD_OP = nf.OPERACAO_DOC and it.SERIE = nf.SERIE_DOC and it.MELOCAL = nf.LOCAL_DOC)\n"
           " inner join AATC03AE eq on (eq.PRCODIGO = it.CODIGOPRODUTO)\n"
           " inner join ACEC1101 prod on (prod.CODIGO = it.CODIGOPRODUTO)\n"
           " inner join AVEC8501 pd on (nf.COD_PEDIDO = pd.NUMERO_PEDIDO)\n"
           "where nf.COD_CLI = :cliente\n"
           " and coalesce(nf.OPERACAOP, '') <> 'CA'\n"
           " and coalesce(it.BAIXA, '') <> 'C'\n"
           "group by nf.DOCUMENTO, it.CODIGOPRODUTO, prod.DESCRICAO, pd.DATA_EMISSAO, pd.NUMERO_PEDIDO,\n"
           " it.MEITNUMEROSERIE, prod.PRNUMEROSERIE, it.QUNATIDADEPRODUTO, coalesce(prod.COD_EMB_COLECAO, ''),\n"
           " coalesce(it.LBCODIGO, ''), prod.COMPLEMENTO_DESC\n"
           "order by 1 desc, 3";
}

}  // namespace uAssOSComprasCliente

TfmAssOSComprasCliente::TfmAssOSComprasCliente(QWidget* parent)
    : host::ui::Form(parent),
      dsOSComprasCli_(
          std::make_unique<host::data::DataSource>(nullptr, "dsOSComprasCli", dmTec ? dmTec->quOSComprasCli : nullptr))
{
    setCaption("Produtos Comprados pelo Cliente");
    setStayOnTop(true);
    setCentered(true);
    dbgdComprasCliente = new host::ui::DataGrid("dbgdComprasCliente");
    dbgdComprasCliente->setDataSource(dsOSComprasCli_.get());
    dbgdComprasCliente->setReadOnlyGrid(true);
    dbgdComprasCliente->setRowSelect(true);
    dbgdComprasCliente->addColumn("DOCUMENTO", "Documento", 80);
    dbgdComprasCliente->addColumn("CODIGOPRODUTO", "Cód. Produto", 90);
    dbgdComprasCliente->addColumn("DESCRICAO", "Descrição", 260);
    dbgdComprasCliente->addColumn("DATA", "Data Compra", 90);
    dbgdComprasCliente->addColumn("COD_PEDIDO", "Pedido", 80);
    dbgdComprasCliente->addColumn("MEITNUMEROSERIE", "Nº Série", 120);
    dbgdComprasCliente->addColumn("QUANTIDADE", "Qtde", 60);
    dbgdComprasCliente->onDblClick = [this] { host::ui::runGuarded([this] { dbgdComprasClienteDblClick(); }); };
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(dbgdComprasCliente);
    resize(820, 420);
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TfmAssOSComprasCliente::~TfmAssOSComprasCliente()
{
    // The grid goes before the data source it shows.
    delete dbgdComprasCliente;
}

void TfmAssOSComprasCliente::CarregarComprasCliente(const QString& cliente)
{
    host::data::Query& compras = *dmTec->quOSComprasCli;
    ordem_ = dmTec->quOS->active() ? dmTec->quOSAOCODIGO->asInteger() : 0;
    cliente_ = cliente.trimmed();
    try {
        compras.close();
        compras.setSql(dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 18
                           ? uAssOSComprasCliente::SqlComprasClienteEquipamento()
                           : uDataTec::consultaArmazenada("quOSComprasCli"));
        compras.paramByName("cliente")->setAsString(cliente);
        compras.open();
    } catch (const host::db::DbError& e) {
        dmGlobal->MostraAviso("Ocorreu um problema ao carregar as compras do cliente:\r" +
                                  dmGlobal->TextoErroBanco(e, "[CarregarComprasCliente]"),
                              true);
    } catch (const std::exception& e) {
        dmGlobal->MostraAviso("Ocorreu um problema ao carregar as compras do cliente:\rException\r" +
                                  QString::fromUtf8(e.what()),
                              true);
    }
}

void TfmAssOSComprasCliente::dbgdComprasClienteDblClick()
{
    host::data::Query& compras = *dmTec->quOSComprasCli;
    if (!compras.active() || compras.isEmpty())
        return;
    recusarOutraOrdem();
    const QString produto = compras.fieldByName("CODIGOPRODUTO")->asString();
    const QString condicaoProduto = "where prcodigo = " + QuotedStr(produto);
    if (CarregaNumeroInteiro("count(*)", "aatc03ae", condicaoProduto) == 0) {
        if (MostraPergunta("Não há equipamento vinculado a este produto, deseja criar?", {"Sim", "Não"}) != "Sim")
            dmGlobal->MostraAviso("Operação abortada!", true);
        const QString marca = compras.fieldByName("COD_EMB_COLECAO")->asString();
        const QString modelo = compras.fieldByName("MODELO")->asString();
        std::unique_ptr<host::data::Query> insercao = CriarIbQuery();
        insercao->setSql("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AEOBSERVACAO, AETIPO,"
                         " AEIDENTIFICADOR, AEATIVO, PRCODIGO) values (:AECODIGO, :AEDESCRICAO, :AEMARCA,"
                         " :AEMODELO, :AEOBSERVACAO, :AETIPO, :AEIDENTIFICADOR, :AEATIVO, :PRCODIGO)");
        const int codigo = dmTec->CodigoDisponivelEquipamento();
        insercao->paramByName("AECODIGO")->setAsInteger(codigo);
        insercao->paramByName("AEDESCRICAO")->setAsString(compras.fieldByName("DESCRICAO")->asString());
        insercao->paramByName("AEMARCA")->setAsString(
            marca.isEmpty() ? QString()
                            : CarregaDado("coalesce(MARCA,'')", "ACEC1301", "WHERE CODIGO = " + QuotedStr(marca)));
        insercao->paramByName("AEMODELO")->setAsString(
            modelo.isEmpty()
                ? QString()
                : CarregaDado("coalesce(LBDESCRICAO,'')", "AUGC05LB", "WHERE LBCODIGO = " + QuotedStr(modelo)));
        insercao->paramByName("AEOBSERVACAO")->setAsString(compras.fieldByName("COMPLEMENTO_DESC")->asString());
        insercao->paramByName("AETIPO")->setAsString(QString());
        insercao->paramByName("AEIDENTIFICADOR")->setAsString("E");
        insercao->paramByName("AEATIVO")->setAsString("S");
        insercao->paramByName("PRCODIGO")->setAsString(produto);
        insercao->execSql();
        dmGlobal->IBTransaction1->commitRetaining();
        // The code this desk stored, not the largest: another desk may have stored one since.
        dmGlobal->MostraAviso("Equipamento criado com sucesso!\rEquipamento código " + QString::number(codigo));
    }
    std::unique_ptr<host::data::Query> equipamento = CriarIbQuery();
    equipamento->setSql("select first 1 * from aatc03ae " + condicaoProduto);
    equipamento->open();

    // The item keeps the key its new-record handler drew from the generator:
    // a key read as the table's largest plus one could be one the generator
    // hands out later, to another desk's item.
    host::data::Query& itens = *dmTec->quOSItem;
    itens.append();
    itens.fieldByName("AOITSERIE")->setAsString(compras.fieldByName("MEITNUMEROSERIE")->asString());
    itens.fieldByName("AOCODIGO")->setAsInteger(dmTec->quOSAOCODIGO->asInteger());
    itens.fieldByName("AOITEQUIPCODIGO")->setAsInteger(equipamento->fieldByName("AECODIGO")->asInteger());
    itens.fieldByName("AOITEQUIPDESCRICAO")->setAsString(equipamento->fieldByName("AEDESCRICAO")->asString());
    itens.fieldByName("AOITMARCA")->setAsString(equipamento->fieldByName("AEMARCA")->asString());
    itens.fieldByName("AOITMODELO")->setAsString(equipamento->fieldByName("AEMODELO")->asString());
    itens.fieldByName("AOITQUANTIDADE")->setAsFloat(1);
    itens.fieldByName("AOITDEFEITO")->setAsString(QString());
    itens.fieldByName("AOITDATACOMPRA")->setValue(compras.fieldByName("DATA")->value());
    itens.fieldByName("AOITNUMERONFREMESSA")->setAsString(compras.fieldByName("COD_PEDIDO")->asString());
    itens.fieldByName("AOITNUMERONOTAFISCAL")->setAsString(compras.fieldByName("DOCUMENTO")->asString());
    itens.post();
    close();
}

// The purchases are one customer's, listed for one order: another order
// shown since in the order window takes none of them.
void TfmAssOSComprasCliente::recusarOutraOrdem() const
{
    const host::data::Query& os = *dmTec->quOS;
    const bool mesma = os.active() && !os.isEmpty() && dmTec->quOSAOCODIGO->asInteger() == ordem_ &&
                       dmTec->quOSCLCODIGO->asString().trimmed() == cliente_;
    if (!mesma)
        dmGlobal->MostraAviso("Estes produtos foram listados para a O.S. " + QString::number(ordem_) + " (cliente " +
                                  cliente_ + "), que não é mais a exibida. Abra novamente os produtos comprados"
                                  " pelo cliente da O.S. exibida.",
                              true);
}

void AbrirComprasClienteOrdemAtual()
{
    const QString cliente =
        dmTec && dmTec->quOS->active() && !dmTec->quOS->isEmpty() ? dmTec->quOSCLCODIGO->asString().trimmed() : QString();
    if (cliente.isEmpty())
        dmGlobal->MostraAviso("Para ver os produtos comprados pelo cliente é necessário abrir uma Ordem de Serviço "
                              "com cliente.",
                              true);
    TfmAssOSComprasCliente* janela = fmAssOSComprasCliente.create();
    janela->CarregarComprasCliente(cliente);
    janela->showNonModal();
}
