// The readjustment run: each contract of the selection raised in its steps
// (previous values kept, items, instalment and net value, hour value, value
// splits, forecasts, base date), its complementary contracts first; and the
// undo of the one level kept: every value a run changed goes back. Each
// contract is one unit: a failure undoes the failing contract's own steps
// (its forecasts deleted, its items raised without its header) and stops
// the run; earlier contracts stay done.

#include "contract_data/uDataTecContReajuste.h"
#include "contract_data/uDataTecContParcelas.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace uDataTecContReajuste {

namespace {

host::db::Transaction& transacao()
{
    return *dmGlobal->IBTransaction1;
}

void commit()
{
    transacao().commitRetaining();
}

// The steps commit as they go; held back here, so the savepoint can still
// undo all of them when a later one fails.
template <typename Passos>
void umContrato(Passos&& passos)
{
    host::db::CommitHold comites(transacao());
    host::db::Savepoint contrato(transacao());
    passos();
    contrato.release();
    comites.release();
}

QString textoData(const QDate& data)
{
    return data.toString("dd/MM/yyyy");
}

// Under option "E" the contract's value is what its instalments are
// forecast and billed at, and the register keeps it as its items' total:
// where it is that total, it follows the items up and back.
bool valorSegueItens(int contrato, double valorContrato)
{
    if (parametroMaiusculo("ATOPCAOCONTRATO") != "E" || valorContrato == 0)
        return false;
    return qRound64(dmTecContrato->CalculaTotalEquipamentos(contrato) * 100) == qRound64(valorContrato * 100);
}

void totalizaValorContrato(int contrato)
{
    host::db::executeSql(transacao(), "update AATC05AC set ACVALOR = :V where ACCODIGO = :C",
                         {{"V", dmTecContrato->CalculaTotalEquipamentos(contrato)}, {"C", contrato}});
}

}  // namespace

// A contract of the selection as it stood at the search.
struct Reajuste::Contrato {
    int codigo = 0;
    QString situacao, indice, valorFixo, operacao, modalidade, cliente, filial, tipoPagamento, banco, periodo, textoObjeto;
    QString vencimento;   // as text: a contract without a due day is due on the 1st, as elsewhere
    QDateTime dataBase;
    double valorParcela = 0, valorLiquido = 0, valorAnterior = 0, valorContrato = 0;
    int objeto = 0;

    explicit Contrato(host::data::Dataset& d)
    {
        auto texto = [&d](const char* nome) { return d.fieldByName(nome)->asString(); };
        auto numero = [&d](const char* nome) { return d.fieldByName(nome)->asFloat(); };
        codigo = d.fieldByName("ACCODIGO")->asInteger();
        situacao = texto("ACSITUACAO");
        indice = texto("ACMULTAINDICE");
        valorFixo = texto("ACVALORFIXO").trimmed().toUpper();
        operacao = texto("OFCODIGO");
        modalidade = texto("ACMODALIDADE");
        cliente = texto("CLCODIGO");
        filial = texto("ACLOCAL");
        tipoPagamento = texto("ACTIPOPAGAMENTO");
        banco = texto("BCCODIGO");
        periodo = texto("ACPERIODO");
        textoObjeto = texto("AJOBJETO");
        dataBase = d.fieldByName("ACDATABASE")->asDateTime();
        valorParcela = numero("ACVALORPARCELA");
        valorLiquido = numero("ACVALORPARCELALIQUIDO");
        // Without a previous value the undo leaves the instalment value as it is.
        valorAnterior = d.fieldByName("ACVALORANTERIOR")->isNull() ? valorParcela : numero("ACVALORANTERIOR");
        vencimento = texto("ACVENCIMENTO");
        valorContrato = numero("ACVALOR");
        objeto = d.fieldByName("AJCODIGO")->asInteger();
    }
};

Reajuste::Reajuste(const OpcoesReajuste& opcoes, host::data::Query& vinculados, QStringList& avisos)
    : opcoes_(opcoes), vinculados_(vinculados), avisos_(avisos), hoje_(QDate::currentDate())
{
}

double Reajuste::taxa(const Contrato& contrato) const
{
    switch (opcoes_.tipo) {
    case PorIndice:
        return CarregaNumero("media", "agpc7601",
                             "Where moeda = " + QuotedStr(contrato.indice) + " and ano_mes = " +
                                 QuotedStr(hoje_.toString("yyyyMM")));
    case PorMediaIndice:
        return CarregaMediaIndice(contrato.indice, hoje_, opcoes_.meses);
    default:
        return opcoes_.percentual;
    }
}

void Reajuste::ReajusteContrato(host::data::Query& contratos, bool bVinculado, bool bComplementares)
{
    if (opcoes_.atualizaDataBase) {
        QDateTime data;
        if (!host::data::parseDateTimeText(opcoes_.novaDataBase.trimmed(), data) || !data.isValid())
            dmGlobal->MostraErro("Data informada inválida.");
        novaBase_ = data.date();
    }
    if (opcoes_.tipo == PorItemContrato &&
        MostraPergunta("A opção \"Por Itens Contrato\" atualizará o valor unitário de cada item do contrato pelo "
                       "preço de venda contratual do cadastro do produto referente. Nessa opção, previsões de caixa "
                       "de contas a receber são descartadas.\rTem certeza de que deseja continuar?",
                       {"Sim", "Não"}) != "Sim")
        return;

    for (contratos.first(); !contratos.eof(); contratos.next())
        umContrato([&] { reajusta(Contrato(contratos), bVinculado, bComplementares); });
    if (bVinculado)
        return;
    dmGlobal->MostraAviso("Operação efetuada com sucesso! Total de contratos reajustados: " +
                              QString::number(contratos.recordCount()),
                          false);
    contratos.close();
    contratos.open();
}

void Reajuste::reajusta(const Contrato& contrato, bool bVinculado, bool bComplementares)
{
    const QString codigo = QString::number(contrato.codigo);
    if (opcoes_.tipo == PorIndice || opcoes_.tipo == PorMediaIndice) {
        // Index kinds raise a contract only in the month of its base date.
        const QString mesBase = contrato.dataBase.isValid() ? contrato.dataBase.toString("MMyy") : QString("1299");
        if (mesBase != hoje_.toString("MMyy")) {
            if (!bVinculado)
                dmGlobal->MostraAviso("Não foi possível reajustar contrato codigo " + QuotedStr(codigo) +
                                          " devido sua data base " + mesBase,
                                      false);
            return;
        }
    }
    // First, before its complementary contracts: one readjusted or
    // cancelled since the search (at another desk while the question was
    // open) is not raised a second time.
    if (!guardaValoresAnteriores(contrato)) {
        dmGlobal->MostraAviso("O contrato " + codigo +
                                  " foi reajustado ou alterado depois da pesquisa; não foi reajustado de novo.",
                              false);
        return;
    }
    if (opcoes_.tipo == PorItemContrato) {
        ContratoAtualizaItens(contrato.codigo, hoje_, contrato.operacao);
        return;
    }
    const double r = taxa(contrato);
    if (bVinculado)
        avisos_ << "Atualizado contrato vinculado " + codigo;
    host::db::Transaction& tr = transacao();
    const QVariantMap chave{{"C", contrato.codigo}};
    if (bComplementares &&
        host::db::selectValue(tr, "select count(*) from AATC05ACVI where ACCODIGOPRINCIPAL = :C"
                                  " and ACCODIGOPRINCIPAL <> ACCODIGOCOMPLEMENTO", chave)
                .toInt() > 0)
        ContratoReajustarVinculado(contrato.codigo);

    const bool valorDosItens = valorSegueItens(contrato.codigo, contrato.valorContrato);

    // The items and the hour value by the rate rounded to hundredths.
    const QString fator = "(1 + " + QString::number(Centesimos(r)) + "/10000.00)";
    host::db::executeSql(tr, "update AATC05ACIT set ACITVALORUNITARIO = cast(ACITVALORUNITARIO * " + fator +
                                 " as numeric(9,2)), ACITVALOR = cast(ACITVALOR * " + fator +
                                 " as numeric(9,2)) where ACCODIGO = :C", chave);
    if (valorDosItens)
        totalizaValorContrato(contrato.codigo);
    commit();

    TdmTecContrato& dm = *dmTecContrato;
    const double valor =
        contrato.valorFixo == "S" || contrato.valorFixo == "D"
            ? Trunc2Casas(contrato.valorParcela * (r / 100 + 1))
            : Trunc2Casas(dm.RetornaValorParcelaContrato(contrato.codigo, host::db::localDateTime(hoje_), true));
    const double liquido = dm.VerificaValorISSQNContrato(valor, contrato.operacao);
    host::db::executeSql(tr, "update AATC05AC set ACVALORPARCELA = :V, ACVALORPARCELALIQUIDO = :N,"
                             " ACHORAVALOR = ACHORAVALOR * " + fator + " where ACCODIGO = :C",
                         {{"V", valor}, {"N", liquido}, {"C", contrato.codigo}});
    commit();

    // The value splits follow the net value; a contract that had no value
    // gives them no base to scale from and keeps them.
    const double base = contrato.valorLiquido > 0 ? contrato.valorLiquido : contrato.valorParcela;
    if (contrato.codigo > 0 && base != 0)
        host::db::executeSql(tr, "update ACXC94XP set xpValor = cast((xpValor / cast(:B as double precision))"
                                 " * cast(:N as double precision) as numeric(9,2))"
                                 " where xpId = 'C' and acCodigo = :C",
                             {{"B", base}, {"N", liquido}, {"C", contrato.codigo}});

    // Where the value rule gives nothing (under "E" a contract without a
    // value of its own), the forecasts take the raised instalment.
    regeraPrevisoes(contrato, valor);

    if (opcoes_.atualizaDataBase) {
        host::db::executeSql(tr, "update AATC05AC set ACDATABASE = :D"
                                 " where ACCODIGO = :C",
                             {{"D", host::db::localDateTime(novaBase_)}, {"C", contrato.codigo}});
        commit();
    }
}

bool Reajuste::guardaValoresAnteriores(const Contrato& contrato)
{
    host::db::Transaction& tr = transacao();
    const double anterior = Centesimos(contrato.valorParcela) / 100.0;
    // Every value a run may change is kept, also those this run leaves as
    // they are: the undo then gives back this run's level, not an older one.
    // Only while the header is still as the search listed it (a raise
    // changes its instalment value or base date); the update holds it for
    // the rest of the contract's unit.
    const host::db::AffectedRows guardado = host::db::executeSql(
        tr, "update AATC05AC set ACVALORANTERIOR = :A, ACHORAVALORANTERIOR = ACHORAVALOR,"
            " ACDATABASEANTERIOR = ACDATABASE where ACCODIGO = :C and coalesce(ACSITUACAO, '') = :S"
            " and coalesce(ACVALORPARCELA, 0) = :P and ACDATABASE is not distinct from :D",
        {{"A", anterior}, {"C", contrato.codigo}, {"S", contrato.situacao}, {"P", contrato.valorParcela},
         {"D", contrato.dataBase.isValid() ? QVariant(contrato.dataBase) : QVariant()}});
    if (int(guardado) != 1)
        return false;
    host::db::executeSql(tr, "update AATC05ACIT set ACITVALORUNITARIO_ANTERIOR = ACITVALORUNITARIO,"
                             " ACITVALOR_ANTERIOR = ACITVALOR where ACCODIGO = :C",
                         {{"C", contrato.codigo}});
    commit();
    return true;
}

void Reajuste::regeraPrevisoes(const Contrato& contrato, double valorReserva)
{
    // The forecasts not yet due are made again at the new value, from the
    // first of them: over the span the existing ones cover, or the months
    // asked for. Nothing is made before the first forecast (so never before
    // the contract starts when its forecasts do not). One due today stays:
    // the generator writes no instalment already due. The earlier and later
    // ones stay, and so do the discounts typed on the ones made again.
    const QDate desde = hoje_.addDays(1);
    host::db::Transaction& tr = transacao();
    const QString previsao = " from ACRC5001 where AOCODIGO = :C and SITUACAO_DOCUMENTO = 'V' and " +
                             uDataTecContParcelas::CondicaoParcelaDoContrato() + " and DATA_VENCIMENTO >= :INICIO";
    QVariantMap chave{{"C", contrato.codigo}, {"INICIO", host::db::localDateTime(desde)}};
    host::db::Statement span(tr, "select min(DATA_VENCIMENTO), max(DATA_VENCIMENTO)" + previsao);
    span.setParam("C", contrato.codigo);
    span.setParam("INICIO", chave.value("INICIO"));
    span.execute();
    const bool lida = span.fetch();
    const QDateTime primeira = lida ? span.value(0).toDateTime() : QDateTime();
    const QDateTime ultima = lida ? span.value(1).toDateTime() : QDateTime();
    if (lida)
        span.closeCursor();
    // A contract without forecasts gets none.
    if (!ultima.isValid())
        return;
    // The span starts at the first forecast's due date, whatever the option:
    // each forecast made again falls on the day it had, in every modality
    // and periodicity (a span from the contract's start would put the
    // periods of an "Intermédio" contract a month early, and a quarterly
    // one out of step).
    const QDate inicio = primeira.date();
    const QDate mesInicio(inicio.year(), inicio.month(), 1), mesUltima(ultima.date().year(), ultima.date().month(), 1);
    const QDate fim = opcoes_.novasProvisoes ? mesInicio.addMonths(opcoes_.numeroProvisoes) : mesUltima.addMonths(1);
    chave["INICIO"] = host::db::localDateTime(inicio);
    QList<QPair<QString, double>> descontos;
    {
        host::db::Statement st(tr, "select NUMERO_DOCUMENTO, VALOR_DESCONTO" + previsao +
                                       " and DATA_VENCIMENTO < :FIM and coalesce(VALOR_DESCONTO, 0) <> 0");
        for (auto it = chave.begin(); it != chave.end(); ++it)
            st.setParam(it.key(), it.value());
        st.setParam("FIM", host::db::localDateTime(fim));
        st.execute();
        while (st.fetch())
            descontos.append({st.value(0).toString(), st.value(1).toDouble()});
    }
    CRDeletarParcelasContrato(contrato.codigo, inicio, fim);
    // Each one made again in the month it was due: the generator takes the
    // start of the period a due date bills.
    const auto periodo = [&contrato](const QDate& vencimento) {
        return textoData(uDataTecContParcelas::InicioPeriodoDoVencimento(contrato.modalidade, vencimento));
    };
    int contador = 0;
    InserirParcelasContrato(contrato.modalidade, periodo(inicio), periodo(fim), contrato.cliente,
                            false, contrato.vencimento, contrato.codigo, valorReserva,
                            contrato.filial, contrato.tipoPagamento, contrato.banco, textoData(hoje_), contrato.periodo,
                            contador, contrato.objeto, contrato.filial, contrato.operacao, false, contrato.textoObjeto,
                            false, &avisos_, 0, 0);
    for (const auto& [documento, desconto] : descontos)
        host::db::executeSql(tr, "update ACRC5001 set VALOR_DESCONTO = :D where AOCODIGO = :C and NUMERO_DOCUMENTO = :N"
                                 " and SITUACAO_DOCUMENTO = 'V'",
                             {{"D", desconto}, {"C", contrato.codigo}, {"N", documento}});
}

void Reajuste::ContratoReajustarVinculado(int principal)
{
    vinculados_.close();
    vinculados_.setSql(SqlContratosVinculados());
    vinculados_.paramByName("acCodigo")->setAsInteger(principal);
    vinculados_.open();
    ReajusteContrato(vinculados_, true, false);
    vinculados_.close();
}

void Reajuste::desfaz(const Contrato& contrato)
{
    host::db::Transaction& tr = transacao();
    const QVariantMap chave{{"C", contrato.codigo}};
    const bool valorDosItens = valorSegueItens(contrato.codigo, contrato.valorContrato);
    // The instalment, its net value and the value splits go back together.
    const double liquido = dmTecContrato->VerificaValorISSQNContrato(contrato.valorAnterior, contrato.operacao);
    host::db::executeSql(tr, "update AATC05AC set ACVALORPARCELA = ACVALORANTERIOR, ACVALORPARCELALIQUIDO = :N"
                             " where ACCODIGO = :C and ACVALORANTERIOR is not null",
                         {{"N", liquido}, {"C", contrato.codigo}});
    if (contrato.valorLiquido != 0 && contrato.valorAnterior != contrato.valorParcela)
        host::db::executeSql(tr, "update ACXC94XP set xpValor = cast((xpValor / cast(:B as double precision))"
                                 " * cast(:N as double precision) as numeric(9,2))"
                                 " where xpId = 'C' and acCodigo = :C",
                             {{"B", contrato.valorLiquido}, {"N", liquido}, {"C", contrato.codigo}});
    commit();
    host::db::executeSql(tr, "update AATC05ACIT set ACITVALORUNITARIO = coalesce(ACITVALORUNITARIO_ANTERIOR,"
                             " ACITVALORUNITARIO), ACITVALOR = coalesce(ACITVALOR_ANTERIOR, ACITVALOR)"
                             " where ACCODIGO = :C", chave);
    if (valorDosItens)
        totalizaValorContrato(contrato.codigo);
    host::db::executeSql(tr, "update AATC05AC set ACDATABASE = coalesce(ACDATABASEANTERIOR, ACDATABASE),"
                             " ACHORAVALOR = coalesce(ACHORAVALORANTERIOR, ACHORAVALOR) where ACCODIGO = :C",
                         chave);
    regeraPrevisoes(contrato, contrato.valorAnterior);
    commit();
}

void Reajuste::DesfazerReajusteContrato(host::data::Query& contratos)
{
    for (contratos.first(); !contratos.eof(); contratos.next())
        umContrato([&] { desfaz(Contrato(contratos)); });
    dmGlobal->MostraAviso("Operação efetuada com sucesso! Total de contratos desfeitos: " +
                              QString::number(contratos.recordCount()),
                          false);
    contratos.close();
    contratos.open();
}

}  // namespace uDataTecContReajuste
