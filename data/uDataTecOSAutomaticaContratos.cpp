// Automatic mode of LancaOrdemServico: the periodic service order of each
// contract in force whose period has come, with the contract's equipment as
// its items and one service line.
//
// What every contract needs besides its own row is read once per run: the
// history of the contracts' orders (latest entry date and whether there is
// any), their equipment rows and the working-day calendar; a contract then
// costs no statement of its own until its order is made.

#include "data/uDataTecOSAutomatica.h"
#include "host/data/Format.h"
#include "data/uDataTecOSAutomaticaComum.h"

#include "data/uDataTec.h"

#include "host/Calendario.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Ulote.h"
#include "host/TravaExecucao.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <QHash>
#include <QStringBuilder>
#include <QVariant>

#include <vector>

using namespace uDataTecOSAutomatica::comum;
using namespace Qt::StringLiterals;

namespace uDataTecOSAutomatica {

namespace {

constexpr int kSemPeriodicidade = 999999;

const QDateTime kSemOrdem(QDate(1900, 1, 1), QTime(0, 0));
const QDateTime kLimiteSemOrdem(QDate(1901, 1, 1), QTime(0, 0));

const char* const kSqlContratos =
    " Select ACAPROVAIP,ACCODIGO,ACCONTRATANTE, ACCODIGOINTEGRACAO, ACDATAIMPLANTACAO, ACDATABASE from AATC05AC \r"
    " where ACDATAIMPLANTACAO   <= Current_TimeStamp \r"
    " and ACDATAVALIDADE >= Current_TimeStamp \r"
    " and coalesce(ACCODIGOINTEGRACAO,'')<>''";

// The orders that have an item of a contract.
struct Historico {
    QDateTime ultimaEntrada = kSemOrdem;
    int itens = 0;
};

struct Equipamento {
    QVariant equipamento, serie, garantia, dataCompra;
};

QHash<int, Historico> historicoContratos(host::data::Query& consulta)
{
    consulta.setSql("select i.ACCODIGO, max(os.AODATAENTRADA), count(*) from AATC01AO os"
                    " join AATC01AOIT i on i.AOCODIGO = os.AOCODIGO"
                    " where i.ACCODIGO is not null group by i.ACCODIGO");
    consulta.open();
    QHash<int, Historico> historico;
    for (; !consulta.eof(); consulta.next()) {
        Historico& h = historico[consulta.fields().at(0)->asInteger()];
        if (!consulta.fields().at(1)->isNull())
            h.ultimaEntrada = consulta.fields().at(1)->asDateTime();
        h.itens = consulta.fields().at(2)->asInteger();
    }
    consulta.close();
    return historico;
}

// Every equipment and service row of the contracts in force, by contract,
// in the order the server gives them.
QHash<int, std::vector<Equipamento>> equipamentosContratos(host::data::Query& consulta)
{
    consulta.setSql(" Select CtrEquip.ACCODIGO, CtrEquip.AECODIGO, CtrEquip.COSERIE, CtrEquip.COGARANTIA,"
                    " CtrEquip.CODATACOMPRA from AUGC03CO CtrEquip join AATC05AC Ctr on Ctr.ACCODIGO = CtrEquip.ACCODIGO"
                    " where Ctr.ACDATAIMPLANTACAO <= Current_TimeStamp and Ctr.ACDATAVALIDADE >= Current_TimeStamp"
                    " and coalesce(Ctr.ACCODIGOINTEGRACAO,'')<>''");
    consulta.open();
    QHash<int, std::vector<Equipamento>> equipamentos;
    for (; !consulta.eof(); consulta.next()) {
        const auto& campos = consulta.fields();
        equipamentos[campos.at(0)->asInteger()].push_back(
            {campos.at(1)->value(), campos.at(2)->value(), campos.at(3)->value(), campos.at(4)->value()});
    }
    consulta.close();
    return equipamentos;
}

// dd/MM/yyyy written digit by digit: two dates are logged for every
// contract, and a format string is parsed again on every call.
QString dataTexto(const QDateTime& data)
{
    if (!data.isValid())
        return {};
    const QDate dia = data.date();
    const int ano = dia.year();
    if (ano < 1 || ano > 9999)
        return data.toString(u"dd/MM/yyyy"_s);
    return host::data::dayMonthYear(dia, u"/", 4);
}

// The order of one contract: header, the contract's rows as items, the
// line. Returns its number.
int ordemDoContrato(int contrato, const QString& contratante, const QDateTime& vencimento,
                     const std::vector<Equipamento>& equipamentos)
{
    // The service line's own rule refuses an order with no item, but a new
    // header also shows the items that belong to no order, and the line
    // would take one of those: the contract is refused first, as that rule does.
    if (equipamentos.empty())
        dmGlobal->MostraAviso("Não há equipamento válido cadastrado", true);
    TdmTec& tec = *dmTec;
    CarregaOrdemServico(0);
    const int ordem = novaOrdem("C", contratante, vencimento);
    // The new header's after-scroll loaded the items attached to no order,
    // where the order's items are appended; only anything else is replaced.
    if (!tec.quOSItem->active() || tec.quOSItem->editing() || !tec.quOSItem->isEmpty())
        tec.CarregaOSItens(0, 0);
    tec.CarregaOSAndamento(ordem, 0);
    for (const Equipamento& e : equipamentos) {
        tec.quOSItem->append();
        tec.quOSItemAOITEQUIPCODIGO->setValue(e.equipamento);
        tec.quOSItemACCODIGO->setAsInteger(contrato);
        tec.quOSItemAOITSERIE->setValue(e.serie);
        tec.quOSItemAOITGARANTIA->setValue(e.garantia);
        tec.quOSItemAOITDATACOMPRA->setValue(e.dataCompra);
        tec.quOSItem->post();
    }
    novaLinhaServico(ordem);
    return ordem;
}

// A failure on one line of its own: the engine's texts come in several.
QString umaLinha(const QString& texto)
{
    return texto.simplified();
}

class Progresso {
    inline static const QString kIncrementar = u"Incrementar"_s;

public:
    explicit Progresso(int total) { dmGlobal->PreparaSplashForm(total, "Gerando ordens de serviço dos contratos...", "Mostrar"); }
    ~Progresso() { dmGlobal->PreparaSplashForm(0, {}, "Ocultar"); }
    void contrato(int codigo) { dmGlobal->PreparaSplashForm(1, u"Contrato " % QString::number(codigo), kIncrementar); }
};

}  // namespace

QString ResumoOrdensContratos(const host::ResultadoLote& resultado)
{
    return QString("%1 ordens geradas, %2 contratos com erro").arg(resultado.feitos.size()).arg(resultado.falhas.size());
}

int PeriodicidadeContrato(const QString& codigoIntegracao)
{
    bool numero = false;
    const int dias = codigoIntegracao.section('-', 0, 0).trimmed().toInt(&numero);
    return numero ? dias : kSemPeriodicidade;
}

QDateTime VencimentoContrato(const QDateTime& base, int periodicidade, bool primeiraAprovada,
                             const host::CalendarioDiasUteis& calendario)
{
    const QDateTime vencimento = base.addDays((primeiraAprovada ? 0 : qint64(periodicidade)) + 3);
    return calendario.proximoDiaUtil(vencimento);
}

void LancarOrdensContratos()
{
    log("Entrou no procedimento para geração da OS automaticamente através do contrato");
    host::ResultadoLote& resultado = host::ultimoResultadoLote();
    resultado = {};
    // Two runs at once would both find the same contracts due.
    const host::TravaExecucao trava("os-contratos");
    if (!trava.obtida()) {
        resultado.recusado = true;
        const QString aviso = "Outra geração de ordens de serviço periódicas está em andamento neste banco de dados."
                              " Nenhuma ordem foi gerada por esta.";
        log(aviso);
        dmGlobal->MostraAviso(aviso, false);
        return;
    }
    auto contratos = CriarIbQuery("quContratosOS");
    auto auxiliar = CriarIbQuery("quAuxiliarOS");
    contratos->setSql(QString::fromLatin1(kSqlContratos));
    contratos->open();
    const QHash<int, Historico> historico = historicoContratos(*auxiliar);
    const QHash<int, std::vector<Equipamento>> equipamentos = equipamentosContratos(*auxiliar);
    const host::CalendarioDiasUteis calendario = host::CalendarioDiasUteis::carregar();
    const QDateTime comparacao = host::db::localDateTime(QDate::currentDate().addDays(3));
    const QString linhaComparacao = "Data Comparção: " + dataTexto(comparacao);
    // The contract's columns found once, not by name for every contract.
    const host::data::Field& codigo = *contratos->fieldByName("ACCODIGO");
    const host::data::Field& integracao = *contratos->fieldByName("ACCODIGOINTEGRACAO");
    const host::data::Field& dataBase = *contratos->fieldByName("ACDATABASE");
    const host::data::Field& aprovaPrimeira = *contratos->fieldByName("ACAPROVAIP");
    const host::data::Field& contratante = *contratos->fieldByName("ACCONTRATANTE");
    {
        host::ExecucaoLote lote(kOrigem);
        // Situations, technicians, equipment models, products and their
        // groups are read, never written, by the orders a run makes.
        lote.tabelasFixas({"AATC01AS", "AATC06AT", "AATC03AE", "ACEC1101", "ACEC1201"});
        Progresso progresso(contratos->recordCount());
        for (contratos->first(); !contratos->eof(); contratos->next()) {
            const int contrato = codigo.asInteger();
            progresso.contrato(contrato);
            log(u"Vai lançar contrato " % QString::number(contrato));
            const int periodicidade = PeriodicidadeContrato(integracao.asString());
            const Historico h = historico.value(contrato);
            QDateTime base = h.ultimaEntrada;
            if (base < kLimiteSemOrdem)
                base = dataBase.asDateTime();
            log(u"DataBase Inicial: " % dataTexto(base));
            if (!base.isValid()) {
                // Without a base date the order would be dated in 1900, and
                // made again on every run. Not served: told as a failure.
                const QString aviso = "Não gerou OS, pois o contrato não tem data base.";
                log(aviso);
                resultado.falhas << "Contrato " + QString::number(contrato) + ": " + aviso;
            } else {
                const bool aprovada =
                    aprovaPrimeira.asString().left(1).toUpper() == "S" && h.itens == 0;
                const QDateTime vencimento = VencimentoContrato(base, periodicidade, aprovada, calendario);
                log(u"DataBase com dias de periodicidade: " % dataTexto(vencimento));
                log(linhaComparacao);
                if (comparacao.date() >= vencimento.date()) {
                    log(u"Vai Inserir Ordem de Serviço"_s);
                    const QString cliente = contratante.asString();
                    const std::vector<Equipamento> linhas = equipamentos.value(contrato);
                    QString falha;
                    int ordem = 0;
                    if (ordemInteira(lote, [&] { ordem = ordemDoContrato(contrato, cliente, vencimento, linhas); },
                                     falha))
                        resultado.feito(ordem);
                    else
                        resultado.falhas << "Contrato " + QString::number(contrato) + ": " + umaLinha(falha);
                }
            }
            log(u"terminou de lançar contrato " % QString::number(contrato));
        }
    }
    contratos->close();
    if (!resultado.falhas.isEmpty())
        dmGlobal->MostraAviso("Não foi possível Lançar ordem de serviço periódica.\r" + resultado.falhas.join("\r") +
                                  "\r" + ResumoOrdensContratos(resultado),
                              false);
}

}  // namespace uDataTecOSAutomatica
