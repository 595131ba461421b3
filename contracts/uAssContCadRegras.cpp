// The register's rules that tests call without the window: F7, the value
// checks, the page loaders and which instalments may change.

#include "contracts/uAssContCadRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"
#include "data/uDataTec.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <cmath>
#include <stdexcept>
#include <tuple>

namespace uAssContCad {

using host::data::Dataset;

void ReceberAntesExcluir(Dataset& receber)
{
    if (!PodeExcluirParcela(receber.fieldByName("SITUACAO_DOCUMENTO")->asString()))
        dmGlobal->MostraErro("Não é possível excluir parcelas faturadas! ");
    dmGlobal->quReceberBeforeDelete(receber);
}

const QStringList& TiposPagamentoContrato()
{
    static const QStringList tipos = {"1 - Carnê", "2 - Duplicata/Boleto", "3 - Recibo", "4 - Cheque", "5 - Fundo",
        "6 - Endosso", "7 - R$", "8 - Cartão", "9 - CEntrega", "R - Reembolso Rodoviário",
        "P - Reembolso Postal", "V - Venda à Vista Com Vale", "D - Débito em Conta",
        "B - Depósito em Conta", "C - Carteira", "S - Cheque Surpresa", "O - Bônus",
        "N - Consignação", "E - Cheque Devolvido", "U - Custódia", "T - Protestado",
        "M - Cheque Descontado", "A - Duplicata Descontada", "CI - Cheque Incobrável",
        "DI - Duplicata Incobrável", "CA -Cheque à Vista", "BO - Boleto", "CR - Crédito"};
    return tipos;
}

QColor CorParcela(const QString& situacao, const QDateTime& vencimento, const QDate& hoje, bool selecionada,
                  const QColor& destaque)
{
    const QString s = situacao.trimmed().toUpper();
    if (selecionada)
        return destaque;
    if (s == "*")
        return QColor(166, 202, 240);
    if (s == "V")
        return QColor(255, 255, 213);
    if (vencimento.isValid() && hoje > vencimento.date())
        return QColor(255, 213, 213);
    return {};
}

void ReceberEmprestado::emprestar()
{
    host::data::Query& receber = *dmGlobal->quReceber;
    receber.beforeDelete = [](Dataset& d) { ReceberAntesExcluir(d); };
    receber.beforePost = nullptr;
    // A row left in the grid is stored, as the register's other grids store
    // theirs; one a routine writes under its savepoint goes with the routine.
    const auto guardar = [](Dataset&) {
        if (dmGlobal->IBTransaction1->savepointDepth() == 0)
            dmGlobal->IBTransaction1->commitRetaining();
    };
    receber.afterPost = guardar;
    receber.afterDelete = guardar;
    emprestado_ = true;
}

void ReceberEmprestado::devolver()
{
    if (!emprestado_ || !dmGlobal)
        return;
    host::data::Query& receber = *dmGlobal->quReceber;
    receber.beforePost = [](Dataset& d) { dmGlobal->quReceberBeforePost(d); };
    receber.beforeDelete = [](Dataset& d) { dmGlobal->quReceberBeforeDelete(d); };
    receber.afterPost = nullptr;
    receber.afterDelete = nullptr;
    emprestado_ = false;
}

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
    const PosicaoParcela corrente = receber.isEmpty() ? PosicaoParcela{} : posicaoParcela(receber);
    int alteradas = int(DescontoParcelaCorrente(receber, percentual));
    receber.next();
    if (MostraPergunta("Deseja reajustar demais parcelas?", {"Sim", "Não"}) == "Sim" && !receber.isEmpty())
        alteradas += descontoParcelasDepoisDe(receber, percentual, corrente);
    dmGlobal->MostraAviso(alteradas > 0 ? QStringLiteral("Operação efetuada com sucesso!")
                                        : QStringLiteral("Nenhuma parcela alterada: só previsões recebem desconto."));
}

// ---- instalments ----

bool PodeEditarParcela(const QString& opcaoContrato, const QString& situacao)
{
    const QString opcao = opcaoContrato.trimmed().toUpper();
    return opcao == "R" || opcao == "2" || situacao.trimmed().toUpper() == "V";
}

bool PodeExcluirParcela(const QString& situacao) { return situacao.trimmed().toUpper() == "V"; }

bool ExcluiNaExclusaoTotal(const ParcelaReceber& parcela, bool parcelaSemPrevisao)
{
    if (parcela.paga || parcela.oficializada || !parcela.doContrato)
        return false;
    const QString situacao = parcela.situacao.trimmed().toUpper();
    return situacao == "V" || (parcelaSemPrevisao && situacao != "*");
}

ParcelaReceber ParcelaDe(const Dataset& receber)
{
    auto texto = [&](const char* campo) {
        host::data::Field* f = receber.findField(campo);
        return f ? f->asString().trimmed() : QString();
    };
    auto numero = [&](const char* campo) {
        host::data::Field* f = receber.findField(campo);
        return f ? f->asFloat() : 0.0;
    };
    ParcelaReceber parcela;
    parcela.situacao = situacaoDe(receber);
    host::data::Field* pagamento = receber.findField("DATA_PAGAMENTO");
    parcela.paga = (pagamento && !pagamento->isNull()) || numero("VALOR_PAGO") > 0;
    parcela.oficializada = !texto("PEDIDO").isEmpty() || !texto("CRDOCUMENTOORIGINAL").isEmpty();
    parcela.doContrato = uDataTecContParcelas::ParcelaDoContrato(int(numero("ACITCODIGO")), texto("ORIGEM"));
    return parcela;
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

void ExigeModulosContrato()
{
    if (!dmTecContrato || !dmTec)
        throw std::runtime_error("O cadastro de contratos precisa do módulo de contratos.");
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
