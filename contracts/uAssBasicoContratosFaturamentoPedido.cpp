// Per-customer service billing: the statements of the lists, the contract's
// allowance and the sales order.

#include "contracts/uAssBasicoContratosFaturamento.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

using host::data::fieldText;

namespace uAssBasicoContratosFaturamento {

namespace {

// Orders of the customer entered in the period: the whole final day counts,
// as in the totals (the next day is the bound, not included).
const char* const kPeriodo = "where Os.CLCODIGO = :clcodigo\n"
                             " and Os.AODATAENTRADA >= :pDI and Os.AODATAENTRADA < :pDF";

}  // namespace

QString SqlServicos()
{
    return "select Anda.AOCODIGO, Anda.AACODIGO, Anda.PRCODIGO, Prod.codigo, Prod.DESCRICAO, Anda.AAQUANTIDADE,\n"
           " Anda.AAVALOR, Anda.AAVALORTOTAL, Anda.AAAUTORIZADO, Anda.AATOTAL, It.AOITEQUIPDESCRICAO,\n"
           " Os.CLCODIGO, Os.AODATAENTRADA\n"
           "from AATC01AA Anda\n"
           " join AATC01AO Os on (Os.AOCODIGO = Anda.AOCODIGO)\n"
           " left outer join AATC01AOIT It on (It.AOITCODIGO = Anda.AOITCODIGO)\n"
           " left outer join ACEC1101 Prod on (Prod.CODIGO = Anda.PRCODIGO)\n" +
           QString::fromLatin1(kPeriodo) + "\norder by Anda.AOCODIGO, Anda.AACODIGO";
}

QString SqlPecas()
{
    return "select Pec.AOCODIGO, Pec.APSEQUENCIA, Pec.PRCODIGO, Prod.codigo, Prod.DESCRICAO, Pec.APQUANTIDADE,\n"
           " Pec.APVALUNITARIO, Pec.APVALTOTAL, Pec.APAUTORIZADO, It.AOITEQUIPDESCRICAO,\n"
           " Os.CLCODIGO, Os.AODATAENTRADA\n"
           "from AATC01AP Pec\n"
           " join AATC01AO Os on (Os.AOCODIGO = Pec.AOCODIGO)\n"
           " left outer join AATC01AOIT It on (It.AOITCODIGO = Pec.AOITCODIGO)\n"
           " left outer join ACEC1101 Prod on (Prod.CODIGO = Pec.PRCODIGO)\n" +
           QString::fromLatin1(kPeriodo) + "\norder by Pec.AOCODIGO, Pec.APSEQUENCIA";
}

QString SqlContrato()
{
    // The customer's basic contracts (those of the basic register, which
    // bill their service product) in force in some day of the period; the
    // first by code is the one the window shows.
    return "select Ct.ACCODIGO, Ct.ACNUMEROCONTRATO, Ct.ACLIMITE, Ct.ACLIMITEHORA, Ct.ACVALORCHAMADAEXCEDENTE,\n"
           " Ct.ACVALOR, Ct.CLCODIGO, Ct.PRCODIGO, Ct.ACTIPOCONTRATO, Cli.NOME as CLIENTE\n"
           "from AATC05AC Ct\n"
           " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = Ct.CLCODIGO)\n"
           "where Ct.CLCODIGO = :clcodigo and coalesce(Ct.PRCODIGO, '') <> ''\n"
           " and (Ct.ACDATAIMPLANTACAO is null or Ct.ACDATAIMPLANTACAO < :pDF)\n"
           " and (Ct.ACDATAVALIDADE is null or Ct.ACDATAVALIDADE >= :pDI)\n"
           "order by Ct.ACCODIGO";
}

QString AvisoSemContrato(const QString& cliente, const QDateTime& inicio, const QDateTime& depois)
{
    const std::shared_ptr<host::db::Statement> contrato = dmGlobal->IBTransaction1->prepared(
        "select first 1 Ct.ACNUMEROCONTRATO, coalesce(Ct.ACVALOR, 0) from AATC05AC Ct where Ct.CLCODIGO = :CLIENTE"
        " and (Ct.ACDATAIMPLANTACAO is null or Ct.ACDATAIMPLANTACAO < :DEPOIS)"
        " and (Ct.ACDATAVALIDADE is null or Ct.ACDATAVALIDADE >= :INICIO) order by Ct.ACCODIGO");
    contrato->setParam("CLIENTE", cliente);
    contrato->setParam("DEPOIS", depois);
    contrato->setParam("INICIO", inicio);
    contrato->execute();
    if (!contrato->fetch())
        return kSemContrato;
    const QString numero = contrato->value(0).toString().trimmed();
    const bool semValor = contrato->value(1).toDouble() <= 0;
    contrato->closeCursor();
    return "Aviso: operação abortada.\rO contrato " + numero + " do cliente não tem \"Código no Cadastro Serviço\"" +
           (semValor ? QString(" nem \"Valor do Contrato\"") : QString()) +
           " para ser faturado como contrato básico: nada foi faturado.";
}

std::vector<bool> ServicosCobrados(const Franquia& franquia, const std::vector<ServicoPeriodo>& servicos)
{
    std::vector<bool> cobrados;
    cobrados.reserve(servicos.size());
    // The worked time adds up in whole minutes against the limit in minutes:
    // summed as fractions of an hour, lines that fill the hours exactly came
    // out a hair over them and the last covered line was billed.
    long long minutos = 0;
    const double limiteMinutos = std::round(franquia.limiteHora * 60.0 * 1000.0) / 1000.0;
    double chamadas = 0;
    const bool porHora = franquia.limiteHora > 0;
    for (const ServicoPeriodo& servico : servicos) {
        if (porHora)
            minutos += servico.minutos;
        else if (franquia.limiteChamadas > 0)
            chamadas += 1;
        const bool acimaDasHoras = double(minutos) > limiteMinutos;
        const bool excede = (porHora && acimaDasHoras) ||
                            ((!porHora || !acimaDasHoras) && chamadas > franquia.limiteChamadas);
        cobrados.push_back(excede && servico.autorizado);
    }
    return cobrados;
}

namespace {

int linha(const QString& pedido, const QString& produto, double quantidade, double valor, int ordem,
          int sequenciaOrigem = 0)
{
    return dmGlobal->InseriProdutoPendencia(produto, pedido, quantidade, 0, false, false, valor, 0, 0, {}, ordem, {},
                                            false, {}, {}, {}, {}, {}, {}, sequenciaOrigem);
}

double numero(const host::data::Query& dataset, const char* campo) { return dataset.fieldByName(campo)->asFloat(); }

// The customer's allowance in the period: the hours and calls of all its contracts.
Franquia FranquiaDosContratos(host::data::Query& contratos)
{
    Franquia franquia;
    for (contratos.first(); !contratos.eof(); contratos.next()) {
        franquia.limiteHora += numero(contratos, "ACLIMITEHORA");
        franquia.limiteChamadas += numero(contratos, "ACLIMITE");
    }
    return franquia;
}

// The orders of the lists already billed by an earlier billing of the period.
using Ordens = QSet<int>;

int ordemDe(const host::data::Query& lista) { return lista.fieldByName("AOCODIGO")->asInteger(); }

// The service rows billed now, in list order: the allowance is spent by
// every row of the period, those billed before first in their order, and
// only rows of orders not yet billed are billed.
std::vector<bool> servicosACobrar(host::data::Query& contrato, host::data::Query& servicos, const Ordens& faturadas)
{
    std::vector<ServicoPeriodo> periodo;
    for (servicos.first(); !servicos.eof(); servicos.next())
        periodo.push_back({servicos.fieldByName("AATOTAL")->asInteger(), fieldText(servicos, "AAAUTORIZADO") == "S"});
    std::vector<bool> cobrados = ServicosCobrados(FranquiaDosContratos(contrato), periodo);
    size_t i = 0;
    for (servicos.first(); !servicos.eof(); servicos.next(), ++i)
        cobrados[i] = cobrados[i] && !faturadas.contains(ordemDe(servicos));
    return cobrados;
}

// The part rows billed now: the authorised parts of orders not yet billed,
// when no contract of the period covers parts.
std::vector<bool> pecasACobrar(host::data::Query& contrato, host::data::Query& pecas, const Ordens& faturadas)
{
    bool cobraPecas = true;
    for (contrato.first(); !contrato.eof(); contrato.next())
        cobraPecas = cobraPecas && fieldText(contrato, "ACTIPOCONTRATO") == "Sem Peça";
    std::vector<bool> cobradas;
    for (pecas.first(); !pecas.eof(); pecas.next())
        cobradas.push_back(cobraPecas && fieldText(pecas, "APAUTORIZADO") == "S" &&
                           !faturadas.contains(ordemDe(pecas)));
    return cobradas;
}

// The services, in list order; the order numbers of every row of an order
// billed now go into the reference.
void linhasServicos(const QString& pedido, host::data::Query& servicos, const std::vector<bool>& cobrados,
                    const Ordens& faturadas, QString& referencia)
{
    size_t i = 0;
    for (servicos.first(); !servicos.eof(); servicos.next(), ++i) {
        const int ordem = ordemDe(servicos);
        if (!faturadas.contains(ordem))
            referencia += "/" + QString::number(ordem);
        if (!cobrados[i])
            continue;
        // A line with worked time is priced at its total, which holds its
        // quantity already: it goes as one, as the service order bills it.
        if (servicos.fieldByName("AATOTAL")->asInteger() > 0)
            linha(pedido, fieldText(servicos, "PRCODIGO"), 1, numero(servicos, "AAVALORTOTAL"), ordem);
        else
            linha(pedido, fieldText(servicos, "PRCODIGO"), numero(servicos, "AAQUANTIDADE"),
                  numero(servicos, "AAVALOR"), ordem);
    }
}

void linhasPecas(const QString& pedido, host::data::Query& pecas, const std::vector<bool>& cobradas)
{
    size_t i = 0;
    for (pecas.first(); !pecas.eof(); pecas.next(), ++i)
        if (cobradas[i])
            linha(pedido, fieldText(pecas, "PRCODIGO"), numero(pecas, "APQUANTIDADE"), numero(pecas, "APVALUNITARIO"),
                  ordemDe(pecas));
}

// The period the lists were opened with: its first day and the day after its last.
struct PeriodoListado {
    QDateTime inicio;
    QDateTime depois;
};

PeriodoListado periodoListado(const host::data::Query& servicos)
{
    const QDateTime inicio = servicos.paramByName("pDI")->value().toDateTime();
    const QDateTime depois = servicos.paramByName("pDF")->value().toDateTime();
    if (!inicio.isValid() || !depois.isValid())
        dmGlobal->MostraErro("Informe um período válido");
    return {inicio, depois};
}

QString dia(const QDateTime& data) { return data.date().toString("dd/MM/yyyy"); }

// The contract's row is taken first, so a second desk billing the same
// contract waits for this one and then finds what it billed. A billed period
// that meets the listed one refuses the whole order, unless it is the very
// period listed: that one bills again only what it has not billed (an order
// entered after its billing). The text tells what is billed already.
QString PeriodoFaturado(host::data::Query& contrato, const PeriodoListado& periodo)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QVariantMap chave{{"CONTRATO", contrato.fieldByName("ACCODIGO")->asInteger()}};
    const host::db::RowsHeld tomado = host::db::holdRows(tr, u"AATC05AC", {{"ACCODIGO", chave.value("CONTRATO")}});
    if (tomado.elsewhere())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO contrato " + fieldText(contrato, "ACNUMEROCONTRATO") +
                                  " está em uso em outra estação neste momento; nada foi gerado.",
                              true);
    if (!tomado.one())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO contrato do cliente não existe mais.", true);
    const std::shared_ptr<host::db::Statement> faturado = tr.prepared(
        "select first 1 ACFADATAINICIAL, ACFADATAFINAL, NUMERO_PEDIDO from AATC05ACFA where ACCODIGO = :CONTRATO"
        " and ACFADATAINICIAL < :DEPOIS and ACFADATAFINAL >= :INICIO order by ACFADATAINICIAL");
    faturado->setParam("CONTRATO", chave.value("CONTRATO"));
    faturado->setParam("DEPOIS", periodo.depois);
    faturado->setParam("INICIO", periodo.inicio);
    faturado->execute();
    if (!faturado->fetch())
        return {};
    const QDateTime de = faturado->value(0).toDateTime(), ate = faturado->value(1).toDateTime();
    const QString aviso = "Aviso: operação abortada.\rO contrato " + fieldText(contrato, "ACNUMEROCONTRATO") +
                          " já foi faturado de " + dia(de) + " a " + dia(ate) + " no pedido de venda " +
                          faturado->value(2).toString().trimmed() + "; nada foi gerado.";
    faturado->closeCursor();
    if (de.date() != periodo.inicio.date() || ate.date() != periodo.depois.date().addDays(-1))
        dmGlobal->MostraAviso(aviso, true);
    return aviso;
}

Ordens OrdensFaturadas(const QString& cliente, const PeriodoListado& periodo)
{
    const std::shared_ptr<host::db::Statement> faturadas = dmGlobal->IBTransaction1->prepared(
        "select F.AOCODIGO from AATC05ACFO F join AATC01AO Os on (Os.AOCODIGO = F.AOCODIGO)"
        " where Os.CLCODIGO = :CLIENTE and Os.AODATAENTRADA >= :INICIO and Os.AODATAENTRADA < :DEPOIS");
    faturadas->setParam("CLIENTE", cliente);
    faturadas->setParam("INICIO", periodo.inicio);
    faturadas->setParam("DEPOIS", periodo.depois);
    faturadas->execute();
    Ordens ordens;
    while (faturadas->fetch())
        ordens.insert(faturadas->value(0).toInt());
    return ordens;
}

void MarcarPeriodoFaturado(host::data::Query& contrato, const PeriodoListado& periodo, const QString& pedido)
{
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "insert into AATC05ACFA (ACCODIGO, ACFADATAINICIAL, ACFADATAFINAL, NUMERO_PEDIDO)"
                         " values (:CONTRATO, :INICIO, :FIM, :PEDIDO)",
                         {{"CONTRATO", contrato.fieldByName("ACCODIGO")->asInteger()},
                          {"INICIO", periodo.inicio},
                          {"FIM", periodo.depois.addDays(-1)},
                          {"PEDIDO", pedido}});
}

// Every order of the period not billed before is billed by this one.
void MarcarOrdensFaturadas(const QString& cliente, const PeriodoListado& periodo, const QString& pedido)
{
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "insert into AATC05ACFO (AOCODIGO, NUMERO_PEDIDO) select Os.AOCODIGO, :PEDIDO"
                         " from AATC01AO Os where Os.CLCODIGO = :CLIENTE and Os.AODATAENTRADA >= :INICIO"
                         " and Os.AODATAENTRADA < :DEPOIS"
                         " and not exists (select 1 from AATC05ACFO F where F.AOCODIGO = Os.AOCODIGO)",
                         {{"PEDIDO", pedido},
                          {"CLIENTE", cliente},
                          {"INICIO", periodo.inicio},
                          {"DEPOIS", periodo.depois}});
}

// The contract and the lists as the database holds them now, not as they
// were when searched.
void LerNovamente(std::initializer_list<host::data::Query*> consultas)
{
    for (host::data::Query* consulta : consultas)
        if (consulta->active()) {
            consulta->close();
            consulta->open();
        }
}


// What this order bills: the contracts whose period is not billed yet, and
// the rows of orders not billed yet that the allowance leaves to bill.
struct Cobranca {
    QSet<int> contratosFaturados;
    QString avisoFaturado;   // what is told when nothing new is billed
    std::vector<bool> servicos;
    std::vector<bool> pecas;
};

bool cobraAlgo(const Cobranca& cobranca, int contratos)
{
    const auto algum = [](const std::vector<bool>& linhas) {
        return std::find(linhas.begin(), linhas.end(), true) != linhas.end();
    };
    return cobranca.contratosFaturados.size() < contratos || algum(cobranca.servicos) || algum(cobranca.pecas);
}

Cobranca LerCobranca(host::data::Query& contrato, host::data::Query& servicos, host::data::Query& pecas,
                     const PeriodoListado& periodo, Ordens& faturadas)
{
    Cobranca cobranca;
    for (contrato.first(); !contrato.eof(); contrato.next()) {
        const QString aviso = PeriodoFaturado(contrato, periodo);
        if (aviso.isEmpty())
            continue;
        cobranca.contratosFaturados.insert(contrato.fieldByName("ACCODIGO")->asInteger());
        if (cobranca.avisoFaturado.isEmpty())
            cobranca.avisoFaturado = aviso;
    }
    LerNovamente({&contrato, &servicos, &pecas});
    if (contrato.isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO contrato do cliente não existe mais.", true);
    faturadas = OrdensFaturadas(fieldText(contrato, "CLCODIGO"), periodo);
    if (servicos.active())
        cobranca.servicos = servicosACobrar(contrato, servicos, faturadas);
    if (pecas.active())
        cobranca.pecas = pecasACobrar(contrato, pecas, faturadas);
    if (!cobraAlgo(cobranca, contrato.recordCount()))
        dmGlobal->MostraAviso(cobranca.avisoFaturado, true);
    return cobranca;
}

bool faturado(const Cobranca& cobranca, host::data::Query& contrato)
{
    return cobranca.contratosFaturados.contains(contrato.fieldByName("ACCODIGO")->asInteger());
}

}  // namespace

QString GerarPedidoVenda(host::data::Query& contrato, host::data::Query& servicos, host::data::Query& pecas)
{
    const PeriodoListado periodo = periodoListado(servicos);
    if (contrato.isEmpty())
        dmGlobal->MostraAviso(kSemContrato, true);
    host::db::Savepoint pedidoInteiro(*dmGlobal->IBTransaction1);
    Ordens faturadas;
    const Cobranca cobranca = LerCobranca(contrato, servicos, pecas, periodo, faturadas);
    const QString cliente = fieldText(contrato, "CLCODIGO");
    const QString pedido = dmGlobal->InserirPedidoVenda(cliente, {}, {}, {}, {}, "00000", "S", {}, {},
                                                        dmGlobal->Parametro("ATLOCALPADRAO"), {}, 0, hoje(), {}, {});
    // One line for each contract at its value, once for its period.
    for (contrato.first(); !contrato.eof(); contrato.next())
        if (!faturado(cobranca, contrato))
            linha(pedido, fieldText(contrato, "PRCODIGO"), 1, numero(contrato, "ACVALOR"), 0, -1);
    QString referencia;
    if (servicos.active())
        linhasServicos(pedido, servicos, cobranca.servicos, faturadas, referencia);
    if (pecas.active())
        linhasPecas(pedido, pecas, cobranca.pecas);

    dmGlobal->CarregaPedidoVenda(pedido);
    host::data::Query& registro = *dmGlobal->quPedidoVenda;
    registro.edit();
    registro.fieldByName("VEREFERENTE")->setAsString("Referente à OS: " + referencia);
    registro.post();
    registro.close();
    // The lines went in without the order's total.
    dmGlobal->GravarTotalPedidoVenda(pedido);
    for (contrato.first(); !contrato.eof(); contrato.next())
        if (!faturado(cobranca, contrato))
            MarcarPeriodoFaturado(contrato, periodo, pedido);
    MarcarOrdensFaturadas(cliente, periodo, pedido);
    contrato.first();
    pedidoInteiro.release();
    dmGlobal->IBTransaction1->commitRetaining();
    return pedido;
}

}  // namespace uAssBasicoContratosFaturamento
