// The rental billing window's searches, its billing runs and the receipts'
// printing. The writes are uAssContLocFaturamento's.

#include "rental/uAssContFatLocEquip.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/StatusBar.h"
#include "rental/uAssContLocFaturamento.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <map>
#include <set>
#include <tuple>

using namespace uAssContFatLocEquip;
using uAssContLocFaturamento::ParcelaLocacao;

namespace {

QString totalRegistrosFatLocEquip(host::data::Dataset& d)
{
    return "Total de Registros: " + QString::number(d.active() ? d.recordCount() : 0);
}

// The statement is shown first while the host looks for SQL faults.
void mostraSqlFatLocEquip(const host::data::Query& query)
{
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("ConsultaContratoFaturar", query.sql(), false, "Confirmação");
}

// The contract's variable costs, shown before its first instalment is
// billed; kept prepared, since a run reads them for contract after contract.
QString custosVariaveisFatLocEquip(int contrato)
{
    host::db::Statement& st = dmGlobal->ComandoPreparado(
        "select coalesce(substring(ACCUSTOSVAR from 1 for 9999), '') from AATC05AC where ACCODIGO = :ACCODIGO");
    st.setParam("ACCODIGO", contrato);
    st.execute();
    QString custos;
    if (st.fetch()) {
        custos = st.value(0).toString().trimmed();
        st.closeCursor();
    }
    return custos;
}

// The complement rows of every principal of a run, read straight from the
// statement (two or more per instalment billed): only the columns the run
// takes are converted, and no dataset keeps the rows.
std::multimap<int, ParcelaLocacao> vinculosFatLocEquip(const QString& sql)
{
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(sql);
    st->execute();
    const uAssContLocFaturamento::ColunasComando colunas{st.get()};
    const int principal = colunas.coluna("PRINCIPAL");
    const uAssContLocFaturamento::LeitorParcelaDe<uAssContLocFaturamento::ColunasComando> leitor(colunas);
    std::multimap<int, ParcelaLocacao> vinculos;
    while (st->fetch())
        vinculos.emplace(int(colunas.numero(principal)), leitor.le());
    return vinculos;
}

// Whatever happens, the listing ends on its first row with its display back.
struct ListagemRestaurada {
    explicit ListagemRestaurada(host::data::Dataset& d) : listagem(d) { listagem.disableControls(); }
    ~ListagemRestaurada()
    {
        if (listagem.active())
            listagem.first();
        listagem.enableControls();
    }
    host::data::Dataset& listagem;
};

}  // namespace

FiltrosFatLocEquip TfmAssContFatLocEquip::Filtros(const QString& dataIni, const QString& dataFin) const
{
    FiltrosFatLocEquip f;
    f.opcao = rgOpcao->itemIndex();
    f.periodo = rgPeriodo->itemIndex();
    f.dataIni = dataIni;
    f.dataFin = dataFin;
    f.filial = edFilial->text();
    f.codCliente = edCodCliente->text();
    f.cliente = edCliente->text();
    f.pedido = edPedido->text();
    f.codContrato = edCodContrato->text();
    return f;
}

void TfmAssContFatLocEquip::Pesquisar(const QString& dataIni, const QString& dataFin)
{
    quConsulta->close();
    quConsultaVinc->close();
    principalCarregado_ = -1;
    quConsulta->setSql(SqlConsultaFatLocEquip(Filtros(dataIni, dataFin)));
    quConsultaVinc->setSql(SqlConsultaVincFatLocEquip(Filtros(dataIni, dataFin)));
    mostraSqlFatLocEquip(*quConsulta);
    quConsulta->open();
    quConsulta->fetchAll();
    stConsulta->setPanelText(0, totalRegistrosFatLocEquip(*quConsulta));
    if (quConsulta->isEmpty())
        stConsultaVinc->setPanelText(0, totalRegistrosFatLocEquip(*quConsultaVinc));
}

void TfmAssContFatLocEquip::CarregaContratosVinculados(int principal, const QString& dataIni,
                                                       const QString& dataFin)
{
    quConsultaVinc->close();
    const QString sql = SqlConsultaVincFatLocEquip(Filtros(dataIni, dataFin));
    if (quConsultaVinc->sql() != sql)
        quConsultaVinc->setSql(sql);
    quConsultaVinc->paramByName("ACCODIGO")->setAsInteger(principal);
    quConsultaVinc->open();
    quConsultaVinc->fetchAll();
    principalCarregado_ = principal;
    stConsultaVinc->setPanelText(0, totalRegistrosFatLocEquip(*quConsultaVinc));
}

// The lower grid follows the upper one's contract; rows of the same
// contract share its complements.
void TfmAssContFatLocEquip::quConsultaMudouLinha()
{
    if (quConsulta->isEmpty())
        return;
    const int principal = quConsulta->fieldByName("ACCODIGO")->asInteger();
    if (principal != principalCarregado_ || !quConsultaVinc->active())
        CarregaContratosVinculados(principal, deDataIni->dateText(), deDataFin->dateText());
}

void TfmAssContFatLocEquip::FaturarContratosLocacaoEquipamento() { FaturarListagem(false); }

void TfmAssContFatLocEquip::FaturarContratosLocacaoControleEquipamento() { FaturarListagem(true); }

void TfmAssContFatLocEquip::FaturarListagem(bool comRecibo)
{
    host::ui::requireTypedDates({deDataIni, deDataFin});
    ListagemRestaurada restaurada(*quConsulta);
    if (!quConsulta->active() || quConsulta->isEmpty())
        return;
    // The rows the lower grid shows for each principal, read for all of
    // them at once; the walk does not reload the grid row by row. A row
    // folded into one instalment is not offered to the next.
    host::data::DetachHandler<host::data::Dataset::Event> semVinculos(quConsulta->afterScroll);
    std::multimap<int, ParcelaLocacao> vinculos;
    bool vinculosLidos = false;
    std::set<std::tuple<QString, QString, double, QString>> dobradas;
    auto chave = [](const ParcelaLocacao& p) { return std::tuple(p.cliente, p.documento, p.sequencia, p.filial); };
    std::map<int, QString> custos;   // read once per contract in a run
    int contador = 0;
    const uAssContLocFaturamento::LeitorParcela listagem(*quConsulta);
    for (quConsulta->first(); !quConsulta->eof(); quConsulta->next()) {
        const ParcelaLocacao listada = listagem.le();
        if (!listada.previsao())
            continue;
        // The list may be older than the rows: what counts is the row now.
        const std::optional<ParcelaLocacao> atual = uAssContLocFaturamento::ParcelaAtual(listada);
        if (!atual || !atual->previsao())
            continue;
        const ParcelaLocacao& principal = *atual;
        if (principal.banco.isEmpty())
            dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo Banco não informado!", true);
        ++contador;
        auto custo = custos.find(principal.contrato);
        if (custo == custos.end())
            custo = custos.emplace(principal.contrato, custosVariaveisFatLocEquip(principal.contrato)).first;
        if (!custo->second.isEmpty())
            dmGlobal->MostraAvisoExtenso("Custos Variáveis - Código Contrato: " + QString::number(principal.contrato),
                                         custo->second, false, "Confirmação");
        if (!vinculosLidos) {
            vinculos = vinculosFatLocEquip(
                SqlVinculosFaturarFatLocEquip(Filtros(deDataIni->dateText(), deDataFin->dateText())));
            vinculosLidos = true;
        }
        std::vector<ParcelaLocacao> vinculadas;
        auto [de, ate] = vinculos.equal_range(principal.contrato);
        for (auto it = de; it != ate; ++it)
            if (!dobradas.count(chave(it->second)))
                vinculadas.push_back(it->second);
        uAssContLocFaturamento::FaturarParcela(principal, vinculadas, comRecibo);
        for (const ParcelaLocacao& v : uAssContLocFaturamento::ParcelasDoMes(principal, vinculadas))
            dobradas.insert(chave(v));
    }
    if (contador == 0)
        dmGlobal->MostraAviso("Aviso: não existe(m) Previsão(ões) para Faturamento do(s) Contrato(s).");
}

void TfmAssContFatLocEquip::bbPesquisarClick()
{
    host::ui::requireTypedDates({deDataIni, deDataFin});
    Pesquisar(deDataIni->dateText(), deDataFin->dateText());
}

void TfmAssContFatLocEquip::bbGerarClick()
{
    if (dmGlobal->MostraPergunta("Confirma o Faturamento dos Contratos?", {"Sim", "Não"}) != "Sim")
        return;
    // The list shows what was billed also when the run was refused part-way.
    try {
        if (parametroAparado("ATOPCAOCONTRATO") == "Q")
            FaturarContratosLocacaoControleEquipamento();
        else
            FaturarContratosLocacaoEquipamento();
    } catch (...) {
        bbPesquisar->click();
        throw;
    }
    bbPesquisar->click();
}

void TfmAssContFatLocEquip::bbImprimirClick()
{
    // Choosing "Faturados" searches again (the option's click).
    if (rgOpcao->itemIndex() == Faturados)
        bbPesquisar->click();
    else
        rgOpcao->setItemIndex(Faturados);
    if (!quConsulta->active())
        return;
    ListagemRestaurada restaurada(*quConsulta);
    for (quConsulta->first(); !quConsulta->eof(); quConsulta->next()) {
        const ParcelaLocacao p = uAssContLocFaturamento::LeParcela(*quConsulta);
        uAssContLocFaturamento::ImprimeRecibo(p.documento, p.cliente, p.local);
    }
}

void TfmAssContFatLocEquip::sbPesqClienteClick()
{
    QString nome, codigo, fantasia;
    if (!SelecionaCliente(nome, codigo, fantasia))
        return;
    edCodCliente->setText(codigo);
    edCliente->setText(nome);
}

void TfmAssContFatLocEquip::edFilialChange()
{
    const QString filial = edFilial->text().trimmed();
    laEmpresa->setText(filial.size() == 2 ? CarregaDado("NOME", "EA", " where CODIGO = " + QuotedStr(filial))
                                          : QString());
}

void TfmAssContFatLocEquip::rgOpcaoClick() { bbPesquisar->click(); }
