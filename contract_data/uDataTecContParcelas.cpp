// The instalment value of a contract, the taxes its operation withholds and
// the forecast-instalment generator.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContParcelas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

#include <algorithm>

namespace P = uDataTecContParcelas;

namespace {

QString texto(const host::db::Statement& st, int coluna)
{
    return st.isNull(coluna) ? QString() : st.value(coluna).toString();
}

// The columns of the contract's read, by position: a batch reads one
// contract after another, and looking each column up by its name cost more
// than converting its value.
enum ColunaDadosValor {
    kAcValor,
    kAcPeriodo,
    kAcValorFixo,
    kAcModalidade,
    kAcValorParcela,
    kAcQuantidadeParcela,
    kAcVinculo,
    kValorDiario,
    kVeiculos,
    kVeiculosAtivos,
    kComplementares,
};

}  // namespace

namespace uDataTecContParcelas {

DadosValor CarregaDadosValor(TdmTecContrato& dm, int contrato)
{
    DadosValor dados;
    const QString contratoOpcao = parametroMaiusculo("ATOPCAOCONTRATO");
    dados.situacaoPorItem = parametroMaiusculo("ATSITUACAOPORITEM");
    host::db::Statement& st = dmGlobal->ComandoPreparado("select ac.ACVALOR, ac.ACPERIODO, ac.ACVALORFIXO, ac.ACMODALIDADE, ac.ACVALORPARCELA,"
        " ac.ACQUANTIDADEPARCELA, ac.ACVINCULO,"
        " (select first 1 aj.AJVALORDIARIO from AATC11AJ aj where aj.AJCODIGO = ac.AJCODIGO) VALORDIARIO,"
        " (select sum(ev.ACEVVALOR) from AATC05ACEV ev where ev.ACCODIGO = ac.ACCODIGO) VEICULOS,"
        " (select sum(ev.ACEVVALOR) from AATC05ACEV ev where ev.ACCODIGO = ac.ACCODIGO"
        "   and (ev.ACEVSITUACAO is null or ev.ACEVSITUACAO <> 'I')) VEICULOSATIVOS,"
        // A divided complement adds one instalment (its whole, the greater
        // of its two values, cut in whole cents), not its whole.
        " (select sum(case when c.ACVALORFIXO = 'D' and c.ACQUANTIDADEPARCELA > 0"
        "   then trunc(round(maxvalue(coalesce(c.ACVALORPARCELA, 0), coalesce(c.ACVALOR, 0)) * 100)"
        "     / c.ACQUANTIDADEPARCELA) / 100.0"
        "   else c.ACVALORPARCELA end)"
        "   from AATC05ACVI vi join AATC05AC c on c.ACCODIGO = vi.ACCODIGOCOMPLEMENTO"
        "   where vi.ACCODIGOPRINCIPAL = ac.ACCODIGO) COMPLEMENTARES"
        " from AATC05AC ac where ac.ACCODIGO = :C");
    st.setParam("C", contrato);
    st.execute();
    if (!st.fetch())
        return dados;
    dados.acValor = st.value(kAcValor).toDouble();
    dados.valorContrato = contratoOpcao == u'E';
    dados.periodo = texto(st, kAcPeriodo);
    // The register's open row wins: its period, and under "E" its value (the
    // equipment's total, set just before the row is saved again), may not be
    // saved yet.
    if (dm.quCtrCadastro->active() && !dm.quCtrCadastro->isEmpty() &&
        dm.quCtrCadastroACCODIGO->asInteger() == contrato) {
        dados.periodo = dm.quCtrCadastro->fieldByName("ACPERIODO")->asString();
        if (dados.valorContrato)
            dados.acValor = dm.quCtrCadastro->fieldByName("ACVALOR")->asFloat();
    }
    dados.valorFixo = texto(st, kAcValorFixo).trimmed().toUpper();
    dados.modalidade = texto(st, kAcModalidade);
    dados.valorParcela = st.value(kAcValorParcela).toDouble();
    dados.quantidadeParcela = st.value(kAcQuantidadeParcela).toInt();
    if (dados.valorFixo == u'D')
        dados.valorParcela = ValorInteiroDividido(dados.valorParcela, dados.acValor);
    const bool todosVeiculos = texto(st, kValorDiario).trimmed().toUpper() == u'S';
    dados.veiculos = st.value(todosVeiculos ? kVeiculos : kVeiculosAtivos).toDouble();
    if (texto(st, kAcVinculo).trimmed().toUpper() == u'P' && contratoOpcao != u'F' && contratoOpcao != u'V')
        dados.complementares = st.value(kComplementares).toDouble();
    st.closeCursor();
    if (dados.valorContrato)
        return dados;

    if (dados.valorFixo == u'P') {
        host::db::Statement& pmc = dmGlobal->ComandoPreparado("select PMDATA, PMVALORTOTAL from ACOC81PM where ACCODIGO = :C");
        pmc.setParam("C", contrato);
        pmc.execute();
        while (pmc.fetch())
            if (!pmc.isNull(0))
                dados.pmc.emplace_back(pmc.value(0).toDateTime().date(), pmc.value(1).toDouble());
        return dados;
    }
    if (dados.valorFixo == u'S' || dados.valorFixo == u'D' || (dados.valorFixo == u'N' && dados.situacaoPorItem == u'S'))
        return dados;
    // A line counts while its contractual customer is active: the greatest
    // ACCLATIVO of its rows is "S", or it has none.
    host::db::Statement& itens = dmGlobal->ComandoPreparado("select it.ACITVALOR, it.ACITGARANTIA, it.ACITGARANTIADATA, it.ACITGARANTIAPERCENTUAL,"
        " (select max(cl.ACCLATIVO) from AATC05ACCL cl where cl.ACCODIGO = it.ACCODIGO"
        "   and cl.CLCODIGO = it.CLCODIGO) ATIVO"
        " from AATC05ACIT it where it.ACCODIGO = :C");
    itens.setParam("C", contrato);
    itens.execute();
    while (itens.fetch()) {
        ItemValor item;
        item.valor = itens.value(0).toDouble();
        item.garantia = itens.isNull(1) ? QString() : itens.value(1).toString().trimmed().toUpper();
        if (!itens.isNull(2))
            item.garantiaData = itens.value(2).toDateTime();
        item.garantiaPercentual = itens.value(3).toDouble();
        item.clienteAtivo = itens.isNull(4) || itens.value(4).toString().trimmed().toUpper() == u'S';
        dados.itens.push_back(item);
    }
    return dados;
}

TaxasOperacao CarregaTaxasOperacao(const QString& operacao)
{
    TaxasOperacao taxas;
    host::db::Statement& st = dmGlobal->ComandoPreparado("select OFCALCISSQN, OFISSQN, OFCALCIRRF, OFIRRF, OFCALCINSS, OFINSS, OFCALCCOFINS,"
                           " OFCOFINS, OFCALCCSLL, OFCSLL, OFCALCPIS, OFPIS from AFVC0901 where COD_OP = :OP");
    st.setParam("OP", operacao.trimmed());
    st.execute();
    if (!st.fetch())
        return taxas;
    QString* flags[] = {&taxas.calcIssqn, &taxas.calcIrrf, &taxas.calcInss,
                        &taxas.calcCofins, &taxas.calcCsll, &taxas.calcPis};
    double* taxasPct[] = {&taxas.issqn, &taxas.irrf, &taxas.inss, &taxas.cofins, &taxas.csll, &taxas.pis};
    for (int i = 0; i < 6; ++i) {
        *flags[i] = st.isNull(2 * i) ? QString() : st.value(2 * i).toString();
        *taxasPct[i] = st.value(2 * i + 1).toDouble();
    }
    st.closeCursor();
    return taxas;
}

std::vector<ReceberExistente> CarregaReceberCliente(const QString& cliente)
{
    std::vector<ReceberExistente> linhas;
    host::db::Statement& st = dmGlobal->ComandoPreparado("select NUMERO_DOCUMENTO, CODIGO_FILIAL, SITUACAO_DOCUMENTO, SEQUENCIA, AOCODIGO,"
                           " ACITCODIGO, DATA_VENCIMENTO from ACRC5001 where CODIGO_CLIENTE = :CLI");
    st.setParam("CLI", cliente.trimmed());
    st.execute();
    while (st.fetch()) {
        ReceberExistente r;
        r.documento = st.value(0).toString().trimmed();
        r.filial = st.value(1).toString().trimmed();
        r.situacao = st.isNull(2) ? QString() : st.value(2).toString();
        r.sequencia = st.value(3).toDouble();
        r.contrato = st.value(4).toInt();
        r.item = st.value(5).toInt();
        if (!st.isNull(6))
            r.vencimento = st.value(6).toDateTime();
        linhas.push_back(r);
    }
    return linhas;
}

}  // namespace uDataTecContParcelas

double TdmTecContrato::RetornaValorParcelaContrato(int contrato, const QDateTime& data, bool bAcumular)
{
    return P::ValorParcela(P::CarregaDadosValor(*this, contrato), data.date(), bAcumular);
}

double TdmTecContrato::VerificaValorISSQNContrato(double valor, const QString& operacao)
{
    return P::ValorLiquido(P::CarregaTaxasOperacao(operacao), valor);
}

QDateTime TdmTecContrato::RetornaDataIncrementada(const QDateTime& data, const QString& periodo)
{
    return host::db::localDateTime(P::IncMonth(data.date(), P::MesesPeriodo(periodo)).addDays(1), data.time());
}

QDateTime RetornaPrimeiroDiaSemanaMes(int diaSemana, const QString& mes, int primeiroDia)
{
    const QStringList partes = mes.trimmed().split('/');
    const int m = partes.value(0).toInt();
    int ano = partes.value(1).toInt();
    if (partes.value(1).trimmed().size() <= 2)
        ano += ano < 50 ? 2000 : 1900;
    return host::db::localDateTime(P::PrimeiroDiaSemana(diaSemana, QDate(ano, m, 1), primeiroDia));
}
