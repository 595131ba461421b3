// The register's rules that tests call without the window: F7, the value
// checks, the page loaders and the windows opened by name.

#include "contracts/uAssContCadRegras.h"

#include "contract_data/uDataTecCont.h"

#include "host/FaixaDigitada.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"

#include <cmath>
#include <stdexcept>
#include <tuple>

namespace uAssContCad {

using host::data::Dataset;

namespace {

QString situacaoDe(const Dataset& receber)
{
    return receber.fieldByName("SITUACAO_DOCUMENTO")->asString().trimmed().toUpper();
}

qint64 centavos(double valor) { return std::llround(valor * 100.0); }

// An instalment's place in time: its due date, then its document and sequence.
using PosicaoParcela = std::tuple<QDateTime, QString, int>;
PosicaoParcela posicaoParcela(const Dataset& receber)
{
    return {receber.fieldByName("DATA_VENCIMENTO")->asDateTime(),
            receber.fieldByName("NUMERO_DOCUMENTO")->asString().trimmed(),
            receber.fieldByName("SEQUENCIA")->asInteger()};
}

const QString kFormatoValor = "###,###,###,###,##0.00";

}  // namespace

// ---- F7 ----

ValoresParcela AplicaDesconto(double valorDocumento, double valorDesconto, double percentual)
{
    const double bruto = valorDocumento + valorDesconto;
    ValoresParcela novo;
    novo.desconto = Trunc2Casas(bruto * percentual / 100.0);
    novo.valor = Trunc2Casas(bruto - novo.desconto);
    return novo;
}

bool DescontoParcelaCorrente(Dataset& receber, double percentual)
{
    if (receber.isEmpty() || situacaoDe(receber) != "V")
        return false;
    host::data::Field* valor = receber.fieldByName("VALOR_DOCUMENTO");
    host::data::Field* desconto = receber.fieldByName("VALOR_DESCONTO");
    const ValoresParcela novo = AplicaDesconto(valor->asFloat(), desconto->asFloat(), percentual);
    receber.edit();
    desconto->setAsFloat(novo.desconto);
    valor->setAsFloat(novo.valor);
    SalvarAlteracoes(receber);
    return true;
}

namespace {

// The forecasts due after the given place, wherever the list shows them.
int descontoParcelasDepoisDe(Dataset& receber, double percentual, const PosicaoParcela& depoisDe)
{
    int alteradas = 0;
    for (receber.first(); !receber.eof(); receber.next())
        if (posicaoParcela(receber) > depoisDe && DescontoParcelaCorrente(receber, percentual))
            ++alteradas;
    return alteradas;
}

}  // namespace

// The current instalment discounted, the cursor moved on and, when asked,
// every forecast due after it; the message says whether any changed.
void AplicarDescontoParcelas(Dataset& receber)
{
    double percentual = 0;
    if (!SelecionaValorNumerico("Informe % Desconto", "Informe % Desconto", percentual))
        return;
    // Beyond 100 % an instalment would fall below zero.
    if (const QString recusa = host::RecusaDesconto(percentual, "% Desconto"); !recusa.isEmpty())
        dmGlobal->MostraAviso(recusa, true);
    const PosicaoParcela corrente = receber.isEmpty() ? PosicaoParcela{} : posicaoParcela(receber);
    int alteradas = int(DescontoParcelaCorrente(receber, percentual));
    receber.next();
    if (MostraPergunta("Deseja reajustar demais parcelas?", {"Sim", "Não"}) == "Sim" && !receber.isEmpty())
        alteradas += descontoParcelasDepoisDe(receber, percentual, corrente);
    dmGlobal->MostraAviso(alteradas > 0 ? QStringLiteral("Operação efetuada com sucesso!")
                                        : QStringLiteral("Nenhuma parcela alterada: só previsões recebem desconto."));
}

// ---- value checks ----

bool ValorClienteAlterado(double valorAnterior, double valorAtual, double parcelaAnterior, double parcelaAtual)
{
    return Trunc2Casas(valorAnterior) != Trunc2Casas(valorAtual) ||
           Trunc2Casas(parcelaAnterior) != Trunc2Casas(parcelaAtual);
}

bool ValorItensAlterado(double valorCalculado, double valorParcela)
{
    return centavos(valorCalculado) != centavos(valorParcela);
}

bool ConfirmaValorContrato(const QString& opcaoContrato) { return opcaoContrato.trimmed().toUpper() != "T"; }

QString PerguntaValorCliente(double valorAnterior, double valorCalculado)
{
    return "O valor dos itens foi alterado, deseja alterar valor do contrato?\rValor Anterior: " +
           host::data::formatFloat(kFormatoValor, valorAnterior) +
           "\rValor Calculado: " + host::data::formatFloat(kFormatoValor, valorCalculado);
}

QString PerguntaValorItens(double valorParcela, double valorCalculado)
{
    const QString formato = "###,###,###,###,##0.00##";
    return "O valor dos itens foi alterado, deseja alterar valor do contrato?\rValor da Parcela: R$ " +
           host::data::formatFloat(formato, valorParcela) +
           "\rValor Calculado: R$ " + host::data::formatFloat(formato, valorCalculado);
}

double TotalClientesAtivos(int contrato)
{
    return CarregaNumero("sum(it.ACITValor)", "aatc05AcIt it ",
                         "Where it.acCodigo =" + QuotedStr(QString::number(contrato)) +
                             " AND coalesce((select max(ss.acclAtivo) from AATC05ACCL ss where "
                             "it.accodigo=ss.accodigo and it.clcodigo=ss.clcodigo ),'S' ) = 'S'  ");
}

double TotalItensCliente(int contrato, const QString& cliente)
{
    return CarregaNumero("sum(ACITValor)", "aatc05AcIt",
                         "Where acCodigo =" + QuotedStr(QString::number(contrato)) +
                             " and clCodigo = " + QuotedStr(cliente));
}

// ---- pages ----

QString SqlHistoricoClientes(const QString& cliente)
{
    return "Select * from acrc5001 Where codigo_cliente = " + QuotedStr(cliente) + " order by data_vencimento desc ";
}

bool CarregaPagina(const QString& pagina, const ContextoPagina& contexto, host::data::Query* historico)
{
    TdmTecContrato& dm = *dmTecContrato;
    if (pagina == "tsContParcAberta")
        dm.CarregaContratoParcela(contexto.contrato);
    else if (pagina == "tsContAcompanhamento")
        dm.CarregaContratoContato(contexto.todosContatos ? 0 : contexto.contrato, "C",
                                  contexto.todosContatos ? contexto.cliente : QString());
    else if (pagina == "tsClientesCont")
        dm.CarregaContratoClientes(contexto.contrato);
    else if (pagina == "tsHistCR") {
        if (!historico)
            return false;
        historico->close();
        historico->setSql(SqlHistoricoClientes(contexto.cliente));
        historico->open();
    } else if (pagina == "tsItens")
        dm.CarregaContratoItem(contexto.cliente, QString::number(contexto.contrato));
    else if (pagina == "tsContEquip")
        CarregaContratoEquipamento(contexto.contrato);
    else if (pagina == "tsVeiculos")
        dm.CarregaContratoVeiculo(contexto.contrato, true);
    else
        return false;
    return true;
}

// ---- windows opened by name ----

namespace {
ShowJanelaRotina showJanela = nullptr;
}

void RegistrarShowJanela(ShowJanelaRotina rotina) { showJanela = rotina; }

void ShowJanela(const QString& nome)
{
    if (!showJanela)
        throw std::logic_error("the window dispatcher is not registered");
    showJanela(nome);
}

}  // namespace uAssContCad
