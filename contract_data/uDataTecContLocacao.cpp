// The loaders and checks the rental screens call: the contract's rental
// receivables and items, the lines of a sales order, whether a unit is on a
// contract, whether invoicing is pending, reserved quantities, the unit's
// status and re-saving another contract's header.

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"

#include "host/PilvTra70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"
#include "host/ui/Errors.h"

#include <exception>

using host::data::Dataset;
using host::data::Query;

void TdmTecContrato::CarregaContratoParcelaLocEquip(int contrato, const QString& tipo)
{
    // The contract by parameter: the text stays the same from one contract
    // to the next, so a batch (the renewal) keeps it prepared.
    QString sql = sqlContratoParcela() + "Where rec.aoCodigo = :AOCODIGO";
    // A complementary contract is billed with its principals: their real
    // receivables are listed with its own.
    if (tipo == "C")
        sql += " or (rec.aoCodigo in (select accodigoprincipal from aatc05acvi where accodigocomplemento = :AOCODIGO))"
               " and coalesce(rec.situacao_documento, '') <> " + QuotedStr("V");
    sql += " Order by Rec.Data_vencimento, Rec.Numero_Documento ";
    Query* receber = dmGlobal->quReceber;
    receber->close();
    receber->setSql(sql);
    receber->paramByName("AOCODIGO")->setValue(contrato);
    if (contrato != 0)
        receber->open();
}

TdmTecContrato::UltimaParcelaLoc TdmTecContrato::UltimaParcelaLocEquip(int contrato)
{
    // Descending, the first row is the list's last (nulls come first going
    // up and last coming down). Among the instalments only: a fine or an
    // item's own receivable is no value nor period a renewal carries on.
    static const QString sql = "select first 1 VALOR_DOCUMENTO, CREMISSAOFIN, DATA_VENCIMENTO from ACRC5001 where AOCODIGO = :AOCODIGO"
                               " and " + uDataTecContParcelas::CondicaoParcelaDoContrato() +
                               " order by DATA_VENCIMENTO desc, NUMERO_DOCUMENTO desc";
    host::db::Statement& st = dmGlobal->ComandoPreparado(sql);
    st.setParam("AOCODIGO", contrato);
    st.execute();
    UltimaParcelaLoc ultima;
    if (st.fetch()) {
        ultima.existe = true;
        ultima.valor = st.value(0).toDouble();
        if (!st.isNull(1))
            ultima.fimCobertura = st.value(1).toDateTime();
        ultima.vencimento = st.value(2).toDateTime().date();
        st.closeCursor();
    }
    return ultima;
}

void TdmTecContrato::CarregaContratoItemEquipamento(int contrato, bool bComplementar, bool bEncerrado)
{
    quCtrCadastroIt->close();
    quCtrCadastroIt->setSql(sqlContratoItem());
    quCtrCadastroIt->addSql("Where it.ACCODIGO = " + QString::number(contrato));
    quCtrCadastroIt->addSql(QString("and coalesce(it.acitcomplemento, 'N') ") + (bComplementar ? "=" : "<>") +
                            " 'S'");
    quCtrCadastroIt->addSql(QString("and coalesce(it.acitencerrado, 'N') ") + (bEncerrado ? "=" : "<>") + " 'S'");
    quCtrCadastroIt->open();
    bItensComplementares_ = bComplementar;
}

void TdmTecContrato::CarregaEquipSolicitadosPedidoAss(const QString& pedido)
{
    quCtrEquipSol->close();
    quCtrEquipSol->setSql("select ve.cod, ve.codigo, ve.numero_pedido, ve.valor, ve.quantidade, ve.obs, ve.total_unit, "
                          "ve.veitnumeroserie, Prod.Descricao, Prod.UNIDADE_MEDIDA from AVEC85IT ve Left Outer Join "
                          "Acec1101 Prod On (ve.Codigo = Prod.Codigo) Where ve.numero_pedido = " +
                          QuotedStr(pedido));
    try {
        quCtrEquipSol->open();
    } catch (const std::exception&) {
        dmGlobal->MostraErro("Erro: " + host::ui::exceptionMessage(std::current_exception()));
    }
}

void TdmTecContrato::CarregaContratoEquipLocacao(int contrato)
{
    // Opening moves to the first row: the accessories are loaded once, after it.
    quCtrEquipLocacao->afterScroll = nullptr;
    quCtrEquipLocacao->close();
    quCtrEquipLocacao->paramByName("ACCODIGO")->setValue(contrato);
    quCtrEquipLocacao->open();
    CarregaAcessoriosEquipLocacao();
    quCtrEquipLocacao->afterScroll = [this](Dataset&) { CarregaAcessoriosEquipLocacao(); };
}

void TdmTecContrato::CarregaAcessoriosEquipLocacao()
{
    Query& equipamentos = *quCtrEquipLocacao;
    const int equipamento = equipamentos.active() && !equipamentos.isEmpty()
                                ? equipamentos.fieldByName("ACITCODIGO")->asInteger()
                                : 0;
    quCtrAcessLocacao->close();
    quCtrAcessLocacao->paramByName("ACITCODIGO")->setValue(equipamento);
    quCtrAcessLocacao->open();
}

bool TdmTecContrato::VerificaExisteVeiculo(int contrato, int veiculo, bool bSomenteAtivos)
{
    Query* auxiliar = dmGlobal->quAuxiliar;
    auxiliar->close();
    QString sql = "select * from AATC05ACEV where EVCODIGO = :EVCODIGO";
    if (contrato > 0)
        sql += " and ACCODIGO = :ACCODIGO";
    if (bSomenteAtivos)
        sql += " and ((ACEVSITUACAO <> 'I') or (ACEVSITUACAO is null))";
    auxiliar->setSql(sql);
    auxiliar->paramByName("EVCODIGO")->setAsInteger(veiculo);
    if (contrato > 0)
        auxiliar->paramByName("ACCODIGO")->setAsInteger(contrato);
    auxiliar->open();
    return !auxiliar->isEmpty();
}

bool TdmTecContrato::CtrAssVerificaPendenciaEmissaoNF(int contrato, int item, int esperado, const QString& produto)
{
    QString sql = "select count(*) from acem1401 nf\n"
                  "join acem14it ite on (ite.documento = nf.documento and ite.cod_cli = nf.cod_cli and "
                  "ite.cod_op = nf.operacao_doc and ite.serie = nf.serie_doc and ite.melocal = nf.local_doc)\n"
                  "left join aatc05acit ac on (ac.accodigo = nf.accodigo and ac.acitcodigo = ite.veitsequencia)\n"
                  "where nf.accodigo = :CONTRATO";
    QVariantMap parametros{{"CONTRATO", contrato}};
    if (esperado != 0) {
        sql += " and coalesce(ac.acitcomplemento, 'N') <> 'S'";
    } else {
        sql += " and ite.veitsequencia = :ITEM and ite.codigoproduto = :PRODUTO";
        parametros.insert("ITEM", item);
        parametros.insert("PRODUTO", produto.trimmed());
    }
    const int notas = host::db::selectValue(*dmGlobal->IBTransaction1, sql, parametros).toInt();
    return esperado != 0 ? notas != esperado : notas == 0;
}

void TdmTecContrato::AtualizaStatusVeiculoContrato(int veiculo)
{
    AtualizaStatusVeiculo(veiculo);
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTecContrato::EncerraLinhasVeiculo(int contrato, int veiculo, const EncerramentoVeiculo& encerramento)
{
    // The end hour as the column kept it when written as text: to the second.
    const QDateTime agora = QDateTime::currentDateTime();
    QVariantMap parametros{
        {"ADITIVO", encerramento.aditivo},
        {"FIM", encerramento.fim.isValid() ? QVariant(encerramento.fim) : QVariant()},
        {"HORAFIM", QDateTime(agora.date(), QTime(agora.time().hour(), agora.time().minute(), agora.time().second()))},
        {"CONTRATO", contrato},
        {"VEICULO", veiculo}};
    QString sql = "update AATC05ACEV set ACEVADITIVO = :ADITIVO, ACEVSITUACAO = 'I', ACEVDATAFIM = :FIM,"
                  " ACEVHORAFIM = :HORAFIM";
    if (encerramento.observacao) {
        sql += ", ACEVOBSERVACAO = :OBSERVACAO";
        parametros.insert("OBSERVACAO", *encerramento.observacao);
    }
    if (encerramento.numeroAditivo) {
        sql += ", ACEVADITIVONUMERO = :NUMERO";
        parametros.insert("NUMERO", *encerramento.numeroAditivo);
    }
    sql += " where ACCODIGO = :CONTRATO and EVCODIGO = :VEICULO and ((ACEVSITUACAO <> 'I') or (ACEVSITUACAO is null))";
    if (host::db::executeSql(*dmGlobal->IBTransaction1, sql, parametros) == 0)
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO veículo " + QString::number(veiculo) +
                                  " não tem linhas em aberto no contrato " + QString::number(contrato) + ".",
                              true);
}

QStringList TdmTecContrato::SeriaisProdutoContrato(int contrato, const QString& produto, int item)
{
    // Kept prepared: a printout asks it once per line. Two lines of one
    // product each print their own pieces, not both lines' pieces twice.
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(
        "select NSNUMERO from AUGC50NS ns where ns.ACCODIGO = :CONTRATO and ns.PRCODIGO = :PRODUTO"
        " and (ns.ACITCODIGO = :ITEM or (ns.ACITCODIGO is null and not exists (select 1 from AUGC50NS l"
        "   where l.ACCODIGO = :CONTRATO and l.PRCODIGO = :PRODUTO and l.ACITCODIGO = :ITEM)))"
        " group by ns.NSNUMERO");
    st->setParam("CONTRATO", contrato);
    st->setParam("PRODUTO", produto);
    st->setParam("ITEM", item);
    st->execute();
    QStringList seriais;
    while (st->fetch())
        seriais << st->value(0).toString();
    return seriais;
}

double TdmTecContrato::ReservaContrato(const QString& produto, bool bDesconsiderarAtual)
{
    QString sql = "select sum(coalesce(ACITQUANTIDADE, 0)) from AATC05ACIT"
                  " where PRCODIGO = :PRODUTO and ACITRESERVADO = 'S'";
    QVariantMap parametros{{"PRODUTO", produto.trimmed()}};
    // An item not stored yet has no key and nothing of it to leave out.
    const bool atual = bDesconsiderarAtual && quCtrCadastroIt->active() && !quCtrCadastroIt->isEmpty() &&
                       !quCtrCadastroItACITCODIGO->isNull();
    if (atual) {
        sql += " and not (coalesce(ACCODIGO, 0) = :CONTRATO and ACITCODIGO = :ITEM)";
        parametros.insert("CONTRATO", quCtrCadastroIt->fieldByName("ACCODIGO")->asInteger());
        parametros.insert("ITEM", quCtrCadastroItACITCODIGO->asInteger());
    }
    return host::db::selectValue(*dmGlobal->IBTransaction1, sql, parametros).toDouble();
}

void TdmTecContrato::CtrAtualizaValorContratoAcessorio(int recarregar, int regravar)
{
    CarregaContrato(regravar);
    // A contract that is not stored has no header to save (editing the
    // empty dataset would append one).
    if (!quCtrCadastro->isEmpty())
        RegravarContratoCorrente();
    CarregaContrato(recarregar);
}
