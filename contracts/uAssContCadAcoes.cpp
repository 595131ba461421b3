// The register's actions over the data module: the forecast of a contract
// (and of its complementary contracts), deleting every forecast, the period
// dates of option "P" and the meter readings of F10.

#include "contracts/uAssContCadRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"
#include "contract_data/uDataTecContRegras.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Cursors.h"
#include "host/db/Database.h"

#include <cmath>

using host::data::fieldText;

namespace uAssContCad {

using host::data::Dataset;
using host::data::Query;

namespace {

QString dataTexto(const QDateTime& data) { return data.toString("dd/MM/yyyy"); }

// The forecast of the complementary contracts of a principal one, with the
// same span and counter (options "F" and "V").
void PrevisaoComplementares(int contrato, const QString& inicio, const QString& fim, int& contador)
{
    if (VinculoContrato(contrato).toUpper() != "P")
        return;
    auto query = CriarIbQuery();
    AbreComplementaresDoPrincipal(*query, contrato);
    for (; !query->eof(); query->next()) {
        const Query& c = *query;
        InserirParcelasContrato(fieldText(c, "ACMODALIDADE"), inicio, fim, fieldText(c, "CLCODIGO"), false,
                                fieldText(c, "ACVENCIMENTO"), c.fieldByName("ACCODIGO")->asInteger(),
                                c.fieldByName("ACVALORPARCELA")->asFloat(), fieldText(c, "ACLOCAL"),
                                fieldText(c, "ACTIPOPAGAMENTO"), fieldText(c, "BCCODIGO"), inicio, fieldText(c, "ACPERIODO"),
                                contador, c.fieldByName("AJCODIGO")->asInteger(), fieldText(c, "ACLOCAL"),
                                fieldText(c, "OFCODIGO"), false, QString(), false, nullptr, 0, 0);
    }
}

// Under option "T" the forecasts come from the items: each one's
// receivables are made again.
void RegerarPorItens(TdmTecContrato& dm, int contrato, const QString& cliente)
{
    dm.CarregaContratoItem(cliente, QString::number(contrato));
    Dataset& itens = *dm.quCtrCadastroIt;
    for (itens.first(); !itens.eof(); itens.next())
        dm.RegerarContasReceberItens();
    dm.CarregaContratoParcela(contrato);
}

}  // namespace

// ---- forecast ----

int MesesDoPeriodo(const QString& periodo)
{
    const QString p = periodo.trimmed().toUpper();
    return QStringList{"B", "M", "T", "S", "A"}.contains(p) ? uDataTecContParcelas::MesesPeriodo(p) : 0;
}

QDateTime DataFinalPrevisao(const QDateTime& inicio, const QString& periodo, int quantidade, const QDateTime& padrao)
{
    const int meses = MesesDoPeriodo(periodo);
    if (meses == 0)
        return padrao;
    // The generator writes one instalment for each period that starts in a
    // month before the end's month, whatever the day: the end falls in the
    // month `meses x quantidade` after the start's, so that exactly the number
    // asked is made, from a month's last day too (the day after it would
    // be a month further) and retroactive ones included.
    const QDate alvo = inicio.date().addMonths(meses * quantidade);
    const QDate fim = alvo.addDays(1).month() == alvo.month() ? alvo.addDays(1) : alvo;
    return host::db::localDateTime(fim, inicio.time());
}

void GravarDataInicioFimVeiculos(Dataset& receber, int contrato, const QDateTime& implantacao)
{
    receber.disableControls();
    QDate dia = implantacao.date();
    try {
        for (receber.first(); !receber.eof(); receber.next()) {
            if (receber.fieldByName("AOCODIGO")->asInteger() != contrato)
                continue;
            const QDate fim = dia.addMonths(1).addDays(-1);
            try {
                receber.edit();
                receber.fieldByName("CREMISSAOINI")->setAsDateTime(host::db::localDateTime(dia));
                receber.fieldByName("CREMISSAOFIN")->setAsDateTime(host::db::localDateTime(fim));
                receber.post();
            } catch (const std::exception&) {
                if (receber.editing())
                    receber.cancel();
            }
            // The next period starts the day after this one ends.
            dia = fim.addDays(1);
        }
        commitRetaining();
    } catch (...) {
        receber.enableControls();
        throw;
    }
    receber.enableControls();
}

void GerarPrevisaoContrato()
{
    TdmTecContrato& dm = *dmTecContrato;
    Query& ctr = *dm.quCtrCadastro;
    if (!ContratoEmVigor(fieldText(ctr, "ACSITUACAO")))
        dmGlobal->MostraErro("Contrato não está ativo");
    if (fieldText(ctr, "ACLOCAL").trimmed().isEmpty())
        dmGlobal->MostraErro("Informa a U.N.");
    if (ctr.fieldByName("ACVALORPARCELA")->asFloat() <= 0)
        dmGlobal->MostraErro("Valor Inválido");
    SalvarAlteracoes(ctr);
    const int contrato = ctr.fieldByName("ACCODIGO")->asInteger();

    if (opcaoContrato() == "T") {
        RegerarPorItens(dm, contrato, fieldText(ctr, "CLCODIGO"));
        return;
    }

    QDateTime inicio = hoje();
    const QDateTime padrao = host::db::localDateTime(inicio.date().addMonths(12));
    int quantidade = 0;
    if (fieldText(ctr, "ACVALORFIXO").trimmed().toUpper() == "D")
        quantidade = int(std::trunc(ctr.fieldByName("ACQUANTIDADEPARCELA")->asFloat()));
    if (!SelecionaData("Início da Previsão de faturamento", "Informe a data Inicial da previsão do contas a receber",
                       inicio))
        return;
    // A count: shown and read as a whole number.
    if (quantidade <= 0 &&
        !SelecionaValorInteiro("Nº de Previsões", "Informe o número de parcelas para previsão do contas a receber",
                               quantidade))
        return;
    const QDateTime fim = DataFinalPrevisao(inicio, fieldText(ctr, "ACPERIODO"), quantidade, padrao);
    host::ui::WaitCursor ampulheta;
    const QString sInicio = dataTexto(inicio);
    const QString sFim = dataTexto(fim);
    int contador = 0;
    InserirParcelasContrato(fieldText(ctr, "ACMODALIDADE"), sInicio, sFim, fieldText(ctr, "CLCODIGO"), false,
                            fieldText(ctr, "ACVENCIMENTO"), contrato, ctr.fieldByName("ACVALORPARCELA")->asFloat(),
                            fieldText(ctr, "ACLOCAL"), fieldText(ctr, "ACTIPOPAGAMENTO"), fieldText(ctr, "BCCODIGO"), sInicio,
                            fieldText(ctr, "ACPERIODO"), contador, ctr.fieldByName("AJCODIGO")->asInteger(),
                            fieldText(ctr, "ACLOCAL"), fieldText(ctr, "OFCODIGO"), false, fieldText(ctr, "ACOBJETO"), true,
                            nullptr, ctr.fieldByName("PCCODIGODEBITO")->asInteger(),
                            ctr.fieldByName("PCCODIGOCREDITO")->asInteger());
    dm.CarregaContratoParcela(contrato);
    Dataset& receber = *dmGlobal->quReceber;
    if (opcaoContrato() == "P" && receber.active() && !receber.isEmpty())
        GravarDataInicioFimVeiculos(receber, contrato, ctr.fieldByName("ACDATAIMPLANTACAO")->asDateTime());
    if (opcaoContrato() == "F" || opcaoContrato() == "V")
        PrevisaoComplementares(contrato, sInicio, sFim, contador);
    dmGlobal->MostraAviso("Operação efetuada com sucesso! Parcelas criadas:" + QString::number(contador));
}

// ---- deleting every forecast ----

void ExcluirParcelasContrato(Dataset& receber, int contrato)
{
    const QString opcao = opcaoContrato();
    if (!UsuarioMestre() && opcao != "L" && opcao != "F")
        dmGlobal->MostraErro("Apenas usuário administrador pode excluir todas parcelas!");
    if (MostraPergunta("Tem certeza de que deseja excluir todas previsões?", {"Sim", "Não"}) != "Sim")
        return;
    if (receber.active())
        uDataTecContRegras::ExcluirTodasPrevisoes(receber, contrato);
}

// ---- F10 meter readings ----

namespace {

// The meter of an item's first reading: the only one registered, or the one
// chosen from the list. Without one the reading would name no meter and the
// list of the contract's readings would never show it. False: not chosen.
bool MedidorDaPrimeiraLeitura(QVariant& medidor)
{
    auto medidores = CriarIbQuery();
    medidores->setSql("select COCODIGO, CODESCRICAO from AATC05CO where COID = 'M' order by COCODIGO");
    medidores->open();
    QList<int> codigos;
    QStringList nomes;
    for (; !medidores->eof(); medidores->next()) {
        codigos << medidores->fieldByName("COCODIGO")->asInteger();
        nomes << medidores->fieldByName("COCODIGO")->asString() + " - " + fieldText(*medidores, "CODESCRICAO");
    }
    if (codigos.isEmpty())
        dmGlobal->MostraAviso("Nenhum medidor cadastrado: cadastre o medidor antes de lançar os contadores.", true);
    int escolhido = 0;
    if (codigos.size() > 1 &&
        !host::ui::Dialogs::pickFromList("Lançamento dos Contadores", "Informe o medidor", nomes, escolhido))
        return false;
    medidor = codigos.value(escolhido);
    return true;
}

}  // namespace

int LancarContadores(int contrato, const QDateTime& data)
{
    TdmTecContrato& dm = *dmTecContrato;
    Query& leituras = *dm.quCtrCadastroItCo;
    leituras.close();
    leituras.setSql(" Select CtrCo.*, CtrIt.prcodigo CodigoProduto, CtrIt.acitnumeroserie, co.codescricao,"
                    " pr.descricao  from AATC05ACITCO CtrCo"
                    " left join aatc05acit CtrIt on (CtrIt.acitcodigo = CtrCo.acitcodigo)"
                    " left join aatc05co co on (co.cocodigo = CtrCo.cocodigo)"
                    " left join acec1101 pr on (pr.codigo = CtrIt.prcodigo)"
                    " where Ctrit.accodigo =" +
                    QString::number(contrato) + " and co.coid='M' ");
    leituras.open();

    Dataset& itens = *dm.quCtrCadastroIt;
    auto ultima = CriarIbQuery();
    int lancadas = 0;
    if (itens.isEmpty())
        return 0;
    // From the selected item on, by position: an earlier walk left the
    // cursor at the end, and the item selected again is its last row.
    const int total = itens.recordCount();
    const int inicio = itens.recNo();
    for (int posicao = inicio; posicao >= 1 && posicao <= total; ++posicao) {
        itens.setRecNo(posicao);
        const int item = itens.fieldByName("ACITCODIGO")->asInteger();
        ultima->close();
        ultima->setSql(" select CtrCo.ACITCODIGO, CtrCo.EVCODIGO, CtrCo.ACITCODATA, CtrCo.ACITCOCONTADORTOTAL,"
                       " CtrCo.COCODIGO  from AATC05ACITCO CtrCo"
                       " left join aatc05acit CtrIt on (CtrIt.acitcodigo = CtrCo.acitcodigo)"
                       " where CtrCo.acitcocodigo in (select max(a.acitcocodigo) from AATC05ACITCO a where "
                       "a.acitcodigo=CtrCo.acitcodigo and coalesce(a.CMCODIGO, '') = '') and Ctrit.ACITCODIGO =" +
                       QString::number(item));
        ultima->open();
        const bool temLeitura = !ultima->isEmpty();
        double valor = temLeitura ? ultima->fieldByName("ACITCOCONTADORTOTAL")->asFloat() : 0.0;
        QVariant medidor = temLeitura ? ultima->fieldByName("COCODIGO")->value() : QVariant();
        const QVariant linha = temLeitura ? ultima->fieldByName("EVCODIGO")->value() : QVariant();
        ultima->close();
        if (medidor.toInt() <= 0 && !MedidorDaPrimeiraLeitura(medidor))
            break;
        // Offered as the register shows meter counts: every digit, no fixed decimals.
        if (!host::ui::Dialogs::inputNumber("Lançamento dos Contadores", "Informe o contador", valor, {}))
            break;
        leituras.append();
        leituras.fieldByName("ACITCODIGO")->setAsInteger(item);
        leituras.fieldByName("ACITCODATAFATURAMENTO")->setAsDateTime(data);
        leituras.fieldByName("ACITCODATA")->setAsDateTime(data);
        leituras.fieldByName("ACITCOCONTADORTOTAL")->setAsFloat(valor);
        leituras.fieldByName("COCODIGO")->setAsVariant(medidor);
        leituras.fieldByName("EVCODIGO")->setAsVariant(linha);
        leituras.post();
        ++lancadas;
    }
    // The selection stays where the user put it.
    itens.setRecNo(inicio);
    return lancadas;
}

void LancamentoContadores()
{
    QDateTime data = QDateTime::currentDateTime();
    if (!SelecionaData("Lançamento dos Contadores", "Informe a data", data))
        return;
    // Told whether a reading was really written.
    if (LancarContadores(dmTecContrato->quCtrCadastroACCODIGO->asInteger(), data) > 0)
        dmGlobal->MostraAviso("Operação efetuada com sucesso.");
    else
        dmGlobal->MostraAviso("Nenhum contador foi lançado.");
}

}  // namespace uAssContCad
