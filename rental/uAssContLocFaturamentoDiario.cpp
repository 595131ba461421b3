// Daily billing of a rental contract: every equipment row charged its value
// per whole day between delivery and closing, one rental receipt with a
// line per row, the receivables by the contract's due-date table, and the
// receipt shown. The register's "Faturar" button runs it.

#include "rental/uAssContLocFaturamento.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <cstdlib>

namespace uAssContLocFaturamento {

int DiasLocacao(const QDateTime& entrega, const QDateTime& encerramento)
{
    return std::abs(DiasInteirosEntre(entrega, encerramento));
}

double ValorLinhaDiaria(const LinhaDiaria& linha)
{
    return DiasLocacao(linha.entrega, linha.encerramento) * linha.valor;
}

QString TextoPeriodoDiario(const LinhaDiaria& linha)
{
    return "Período: " + host::data::formatDateTime("dd/mm/yy", linha.entrega) + " a " +
           host::data::formatDateTime("dd/mm/yy", linha.encerramento);
}

QString FaturarDiarias(const ContratoDiario& c, const std::vector<LinhaDiaria>& linhas)
{
    double total = 0;
    for (const LinhaDiaria& linha : linhas)
        total += ValorLinhaDiaria(linha);
    if (total <= 0)
        return {};
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // The receipt stands with its receivables: a refused due-date table
    // leaves no document behind.
    host::db::CommitHold espera(tr);
    host::db::Savepoint ponto(tr);
    std::vector<LinhaRecibo> recibo;
    for (const LinhaDiaria& linha : linhas)
        recibo.push_back({ValorLinhaDiaria(linha), TextoPeriodoDiario(linha)});
    const QString numero = InserirReciboLocacao(c.contrato, c.local, c.cliente, total, recibo);
    DesdobramentoReceber receber;
    receber.valorTotal = total;
    receber.tabelaVencimento = c.tabelaVencimento;
    receber.documento = numero;
    receber.cliente = c.cliente;
    receber.vendedor = c.vendedor;
    receber.dataEmissao = hoje();
    receber.operacao = kOperacaoRecibo;
    receber.filial = c.local;
    // Rental receivables belong to their contract.
    receber.aoCodigo = c.contrato;
    dmGlobal->DesdobraContasReceber(receber);
    ponto.release();
    tr.commitRetaining();
    espera.release();
    return numero;
}

}  // namespace uAssContLocFaturamento

using namespace uAssContLocFaturamento;

void TfmAssContLocacao::bbFaturarClick()
{
    const QString origem = "[TfmAssContLocacao.bbFaturarClick]";
    auto fim = [&origem] { dmGlobal->Log(origem, "***FIM"); };
    dmGlobal->Log(origem, "***INICIO");
    host::data::Query& cab = *dmTecContrato->quCtrCadastro;
    auto texto = [&cab](const char* campo) { return cab.fieldByName(campo)->asString().trimmed(); };
    if (texto("ACLOCAL").isEmpty()) {
        fim();
        dmGlobal->MostraErro("Informa Local do Contrato");
    }
    SalvarAlteracoes(cab);
    if (cab.editing()) {
        fim();
        return;
    }
    if (cab.fieldByName("ACPERIODODESC")->asString() != "Diária") {
        fim();
        dmGlobal->MostraAviso("Para contratos com período diferente de diária, utiliza o faturamento de contratos.");
        return;
    }
    ContratoDiario contrato{cab.fieldByName("ACCODIGO")->asInteger(), texto("ACLOCAL"), texto("CLCODIGO"),
                            texto("ACVENDEDOR"), texto("TVCODIGO")};
    // The rows billed are the contract's own, whatever page the register shows.
    host::data::Query& equipamentos = *dmTecContrato->quCtrEquipLocacao;
    if (!equipamentos.active() || equipamentos.paramByName("ACCODIGO")->value().toInt() != contrato.contrato)
        dmTecContrato->CarregaContratoEquipLocacao(contrato.contrato);
    std::vector<LinhaDiaria> linhas;
    {
        host::data::DetachHandler<host::data::Dataset::Event> semAcessorios(equipamentos.afterScroll);
        host::data::ControlsDisabled controles(equipamentos);
        const host::data::Bookmark onde = equipamentos.bookmark();
        for (equipamentos.first(); !equipamentos.eof(); equipamentos.next()) {
            host::data::Field* encerramento = equipamentos.fieldByName("ACITDATAENCERRAMENTO");
            // A row reopened in older versions keeps the zero date: open too.
            if (encerramento->isNull() || uDataTecContLocacao::dataVazia(encerramento->asDateTime())) {
                fim();
                dmGlobal->MostraAviso("Existem equipamentos que ainda não foram entregues. Marque todos "
                                      "equipamentos como entregues antes de prosseguir.",
                                      true);
            }
            host::data::Field* entrega = equipamentos.fieldByName("ACITDATAENTREGA");
            linhas.push_back({entrega->isNull() ? QDateTime() : entrega->asDateTime(), encerramento->asDateTime(),
                              equipamentos.fieldByName("ACITVALOR")->asFloat()});
        }
        if (equipamentos.bookmarkValid(onde))
            equipamentos.gotoBookmark(onde);
    }
    const QString numero = FaturarDiarias(contrato, linhas);
    ImprimeRecibo(numero, contrato.cliente, contrato.local);
    fim();
}
