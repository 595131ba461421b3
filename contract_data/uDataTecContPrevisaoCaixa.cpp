// The cash forecast and the observation of a contract's receivable instalment.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContParcelas.h"
#include "host/UCXPrevisao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

#include <optional>

namespace P = uDataTecContParcelas;
using host::data::Dataset;

namespace {

host::db::Transaction& transacao()
{
    return *dmGlobal->IBTransaction1;
}

// The template rows of the contract at the branch, in the order written.
std::vector<std::pair<QString, double>> lerModelo(int contrato, const QString& filial)
{
    std::vector<std::pair<QString, double>> modelo;
    host::db::Statement& st = dmGlobal->ComandoPreparado("select XCCODIGO, XPVALOR from ACXC94XP where XPID = 'C'"
                                        " and ACCODIGO = :C and XPLOCAL = :L order by XPCHAVE");
    st.setParam("C", contrato);
    st.setParam("L", TdmGlobal::CodigoFilialCurto(filial));
    st.execute();
    while (st.fetch())
        modelo.emplace_back(st.value(0).toString(), st.value(1).toDouble());
    return modelo;
}

// The template made again from the items: the value split over the product
// cash accounts in the items' proportions.
void reconstroiModelo(P::ContextoCaixa& contexto, int contrato, const QString& filial, double valor)
{
    host::db::executeSql(transacao(), "delete from ACXC94XP where XPID = 'C' and ACCODIGO = :C and XPLOCAL = :L",
                         {{"C", contrato}, {"L", TdmGlobal::CodigoFilialCurto(filial)}});
    dmGlobal->IBTransaction1->commitRetaining();
    double total = 0;
    for (const auto& grupo : contexto.grupos)
        total += grupo.second;
    const double fator = valor > 0 && total > 0 ? valor / total : 0;
    contexto.modelo.clear();
    for (const auto& [conta, soma] : contexto.grupos) {
        if (conta.trimmed().isEmpty())
            continue;
        const double parte = Trunc2Casas(soma * fator);
        dmGlobal->InserirCXPrevisao({}, {}, filial, "C", {}, conta, {}, 0, parte, false, {}, contrato, -1);
        contexto.modelo.emplace_back(conta, parte);
    }
}

// The rows just written no longer add up to the value: each takes its share
// of it, the last the cents left; the user may review them.
void reescalonaReceber(const QString& documento, const QString& cliente, const QString& filial, int sequencia,
                       int contrato, double valor, double soma, bool bRevisar, QStringList* mensagens)
{
    host::data::Query& receber = *dmGlobal->quReceber;
    host::data::Query& cxPrev = *dmGlobal->quCXPrev;
    dmGlobal->CarregaParcelasReceber(cliente, documento,
                                     QString(" and SEQUENCIA = %1 and CODIGO_FILIAL = %2")
                                         .arg(sequencia)
                                         .arg(QuotedStr(TdmGlobal::CodigoFilialCurto(filial))));
    dmGlobal->CarregaCXPrevisao(documento, cliente, sequencia, filial);
    std::vector<double> valores;
    for (cxPrev.first(); !cxPrev.eof(); cxPrev.next())
        valores.push_back(cxPrev.fieldByName("XPVALOR")->asFloat());
    const std::vector<double> novos = P::Reescalona(valores, soma, valor);
    size_t i = 0;
    for (cxPrev.first(); !cxPrev.eof(); cxPrev.next(), ++i) {
        cxPrev.edit();
        cxPrev.fieldByName("XPVALOR")->setAsFloat(novos[i]);
        cxPrev.post();
    }
    if (bRevisar)
        SelecionaCXPrevisao("R", receber);
    if (mensagens)
        mensagens->append(QString("Previsão do Contrato %1 da Data %2 foi alterada.")
                              .arg(contrato)
                              .arg(receber.fieldByName("DATA_VENCIMENTO")->asDateTime().toString("dd/MM/yyyy")));
    cxPrev.close();
    receber.close();
}

}  // namespace

namespace uDataTecContParcelas {

ContextoCaixa CarregaContextoCaixa(int contrato, const QString& filial, int objeto)
{
    ContextoCaixa contexto;
    host::db::Statement& conta = dmGlobal->ComandoPreparado("select CXCODIGO from AATC11AJ where AJCODIGO = :O");
    conta.setParam("O", objeto);
    conta.execute();
    if (conta.fetch()) {
        contexto.contaObjeto = conta.value(0).toString();
        conta.closeCursor();
    }
    contexto.ativo = parametroMaiusculo("ATPREVISAOCAIXA") == "S";
    if (!contexto.ativo)
        return contexto;
    contexto.reconstroi = parametroMaiusculo("ATCONTAPREVISAOPRODUTO") == "P";
    if (contexto.reconstroi) {
        host::db::Statement& st = dmGlobal->ComandoPreparado("select Prod.XCCODIGO, sum(It.ACITVALOR) from AATC05ACIT It"
                                            " left join ACEC1101 Prod on Prod.CODIGO = It.PRCODIGO"
                                            " where It.ACCODIGO = :C group by Prod.XCCODIGO");
        st.setParam("C", contrato);
        st.execute();
        while (st.fetch())
            contexto.grupos.emplace_back(st.isNull(0) ? QString() : st.value(0).toString(), st.value(1).toDouble());
    } else {
        contexto.modelo = lerModelo(contrato, filial);
    }
    return contexto;
}

void GravaPrevisaoCaixa(ContextoCaixa& contexto, const QString& documento, const QString& cliente,
                        const QString& filial, int sequencia, int contrato, double valor, bool bRevisar,
                        QStringList* mensagens)
{
    if (!contexto.ativo)
        return;
    // Rows rescaled for a message list are not questioned on close.
    std::optional<host::data::DetachHandler<Dataset::Event>> semAviso;
    if (mensagens)
        semAviso.emplace(dmGlobal->quCXPrev->beforeClose);
    if (contexto.reconstroi)
        reconstroiModelo(contexto, contrato, filial, valor);
    double soma = 0;
    for (const auto& [conta, parte] : contexto.modelo) {
        dmGlobal->InserirCXPrevisao(documento, cliente, filial, "R", {}, conta, {}, sequencia, parte, false, {}, 0, -1);
        soma += Trunc2Casas(parte);
    }
    if (!contexto.modelo.empty()) {
        if (Trunc2Casas(soma) != Trunc2Casas(valor))
            reescalonaReceber(documento, cliente, filial, sequencia, contrato, valor, soma, bRevisar, mensagens);
        return;
    }
    if (contexto.contaObjeto.trimmed().isEmpty()) {
        dmGlobal->MostraAviso(QString("Não foi possível lançar previsão de caixa da parcela %1/%2 do contrato %3.\r"
                                      "Não foi encontrada conta relacionada no contrato e/ou objeto.")
                                  .arg(documento)
                                  .arg(sequencia)
                                  .arg(contrato));
        return;
    }
    dmGlobal->InserirCXPrevisao(documento, cliente, filial, "R", {}, contexto.contaObjeto, {}, sequencia, valor, false,
                                {}, 0, -1);
}

}  // namespace uDataTecContParcelas

void TdmTecContrato::InserirProvisaoCaixaContrato(const QString& documento, const QString& cliente,
                                                  const QString& filial, int sequencia, int contrato, double valor,
                                                  int objeto, bool bRevisar, QStringList* mensagens)
{
    P::ContextoCaixa contexto = P::CarregaContextoCaixa(contrato, filial, objeto);
    P::GravaPrevisaoCaixa(contexto, documento, cliente, filial, sequencia, contrato, valor, bRevisar, mensagens);
}

void TdmTecContrato::GravaMensagemContratoContaReceber(int objeto, int contrato, int sequencia, const QString& chave,
                                                       const QDateTime& vencimento, const QString& texto,
                                                       bool bAcrescentar)
{
    const QString mensagem = RetornarTextoContratoObjeto(objeto, contrato, sequencia, vencimento, texto);
    if (mensagem.isEmpty())
        return;
    // An observation that cannot be written is given up quietly: the
    // instalment stands without it.
    try {
        dmGlobal->GravaObservacao(chave, "R", 0, mensagem, bAcrescentar);
    } catch (const host::db::DbError& erro) {
        dmGlobal->Log("[GravaMensagemContratoContaReceber]", " EXCEPTION --> " + erro.message());
    }
}
