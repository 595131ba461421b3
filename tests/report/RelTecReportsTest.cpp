// TDmRelTec: its seven reports on the small service database, the item
// list's detail rules, the budgets' texts, variables and tags.

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "data/udmRelTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/HostLog.h"
#include "host/Udmglobal.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocacao.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/RelTecFixture.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

using reltectest::bands;

namespace {

class RelTec : public reltectest::RelTecTest {
protected:
    TDmRelTec& dm() { return *DmRelTec.create(nullptr); }

    // The order as the service-order window has it: header, items and lines.
    void carregaOrdem(int codigo)
    {
        CarregaOrdemServico(codigo);
        dmTec->CarregaOSAtributos(codigo, 0, true);
    }

    QString selecao(const QString& resposta)
    {
        dm().qSelecaoItemOS->close();
        dm().qSelecaoItemOS->open();
        dm().frSelecaoItemOS->setVariable("Resposta", "'" + resposta + "'");
        return previewed([&] { ExibirRelatorioFR(*dm().frSelecaoItemOS); });
    }

    void carregaNota()
    {
        dmGlobal->quMov->setSql("select * from ACEM1401 where DOCUMENTO = '000123'");
        dmGlobal->quMov->open();
        dmGlobal->quMovItem->setSql("select * from ACEM14IT where DOCUMENTO = '000123'");
        dmGlobal->quMovItem->open();
        dm().CarregaNotaReceber("00004", "000123");   // the report's own instalments
        dmGlobal->CarregaCliente("00004");
    }

    void carregaContrato()
    {
        dmTecContrato.create(nullptr);
        CarregaContrato(7);
        dmTecContrato->quCtrEquipLocacao->paramByName("ACCODIGO")->setAsInteger(7);
        dmTecContrato->quCtrEquipLocacao->open();
        dmTecContrato->quCtrAcessLocacao->paramByName("ACITCODIGO")->setAsInteger(1001);
        dmTecContrato->quCtrAcessLocacao->open();
        dmGlobal->CarregaCliente("00004");
    }
};

const QStringList kSelecaoBandas{"bnGrupoOS", "bnItem", "bnCabServico", "bnServico", "bnCabPeca", "bnPeca",
                                 "bnRodapeOS", "bnResumo"};

}  // namespace

// ---- the item list ----------------------------------------------------------------------

TEST_F(RelTec, ItemListGroupsOrdersWithTheItemsLinesAndRunningTotals)
{
    const QString dump = selecao("Serviço");
    EXPECT_EQ(bands(dump, {"bnTitulo", "bnColunas"}),
              (QStringList{"title bnTitulo: Assistência Técnica Exemplo Ltda. | Relatório de Ordem de Serviço | Por Seleção",
                           "columnHeader bnColunas: Cliente | Entrada | Saída | Equipamento | Nº de Série | Atendente | "
                           "Desconto | Valor"}));
    EXPECT_EQ(bands(dump, kSelecaoBandas),
              (QStringList{"groupHeader bnGrupoOS: Ordem de Serviço:  | 000000001",
                           "detail bnItem: Padaria Pão Quente Ltda. | 05/03/26 | Impressora laser | SN-123 | Carla | 5,00 | 545,40",
                           "groupHeader bnCabServico: Serviço | Vlr. Serviço",
                           "subDetail bnServico: Mão de obra técnica (hora) | 240,00",
                           "subDetail bnServico: Visita técnica | 30,00",
                           "subDetail bnServico: Limpeza e revisão preventiva | 150,00",
                           "groupHeader bnCabPeca: Peça | Vlr. Peça",
                           "subDetail bnPeca: Fonte de alimentação bivolt 110/220V | 89,90",
                           "subDetail bnPeca: 35,50",   // a parts line without a product still appears
                           // an item without lines: its detail bands stay empty
                           "detail bnItem: Padaria Pão Quente Ltda. | 05/03/26 | Notebook | SN-999 | Carla | 5,00 | 0,00",
                           "groupFooter bnRodapeOS: Valor Total:  | 545,40",
                           "groupHeader bnGrupoOS: Ordem de Serviço:  | 000000002",
                           "detail bnItem: José Antônio Ferreira | 06/03/26 | Ar-condicionado | AC-7 | 0,00 | 0,00",
                           "groupFooter bnRodapeOS: Valor Total:  | 0,00",
                           // each order counts once: parts, services, extras and travel of order 1
                           "summary bnResumo: Valor Total:   | 435,40 | Desp. Viagem:  | 30,00 | Desp. Extras:  | 10,00 | "
                           "Serviços:  | 270,00 | Peças:  | 125,40"}));
    EXPECT_TRUE(dump.contains(QRegularExpression("pageFooter bnRodape: Emissão: \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d \\| Página 1 de 1")));

    // A second preview starts its running totals again.
    EXPECT_EQ(bands(selecao("Serviço"), {"bnResumo"}), bands(dump, {"bnResumo"}));
}

TEST_F(RelTec, ItemListShowsProgressMinutesVehiclesAndTheCompanysDecimals)
{
    exec("update EMPRESA set TIPO_IMP = 'O', UGDECIMALVALORPROD = 3");
    dmGlobal->CarregaEmpresa();
    const QString dump = selecao("Andamento");
    EXPECT_EQ(bands(dump, {"bnColunas"}),
              QStringList{"columnHeader bnColunas: Cliente | Entrada | Saída | Veículo | Placa | Atendente | Andamento | Valor"});
    // The progress minutes of the order's records of origin "A" (45 + 15); the other origin counts nothing.
    EXPECT_EQ(bands(dump, {"bnItem"}),
              (QStringList{"detail bnItem: Padaria Pão Quente Ltda. | 05/03/26 | Impressora laser | ABC1234 | Carla | 60 | 545,400",
                           "detail bnItem: Padaria Pão Quente Ltda. | 05/03/26 | Notebook | Carla | 60 | 0,000",
                           "detail bnItem: José Antônio Ferreira | 06/03/26 | Ar-condicionado | 0 | 0,000"}));
    EXPECT_EQ(bands(dump, {"bnRodapeOS"})[0], "groupFooter bnRodapeOS: Valor Total:  | 545,400");
}

TEST_F(RelTec, ItemListDetailQueriesFollowTheCursorAtTwoStatementsPerItem)
{
    TDmRelTec& rel = dm();
    {
        testsupport::StatementCounter abertura;
        rel.qSelecaoItemOS->open();
        EXPECT_EQ(abertura.count(), 3);   // the list and the first item's two detail lists
    }
    EXPECT_EQ(rel.quServicoOSRel->recordCount(), 3);
    EXPECT_EQ(rel.quPecasOSRel->recordCount(), 2);
    EXPECT_EQ(rel.quServicoOSRel->sql(), " select prod.descricao, aavalortotal, AOCODIGO, AOITCODIGO \r from aatc01aa \r"
                                         " join acec1101 prod on(prcodigo = prod.codigo) \r where aocodigo =1\r and aoitcodigo =101");
    rel.qSelecaoItemOS->next();
    EXPECT_TRUE(rel.quServicoOSRel->isEmpty());
    EXPECT_TRUE(rel.quPecasOSRel->isEmpty());

    rel.frSelecaoItemOS->setVariable("Resposta", "'Serviço'");
    testsupport::StatementCounter relatorio;
    rel.frSelecaoItemOS->prepare();
    // Two per item, and two more when the cursor passes the last row (its
    // after-scroll runs at the edge too); nothing per line.
    EXPECT_EQ(relatorio.count(), 8);

    // Each open is logged under the query's name, with its text.
    QStringList log;
    for (const host::LogEntry& entry : host::logTrace())
        if (entry.origin == "[qSelecaoItemOSOpen]")
            log << entry.text;
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[0], "***INICIO");
    EXPECT_TRUE(log[1].contains("from aatc01aoit it"));
    EXPECT_EQ(log[2], "***FIM");
}

TEST_F(RelTec, AFailingDetailListShowsItsErrorAndTheListGoesOn)
{
    TDmRelTec& rel = dm();
    // A condition that leaves the order code empty makes the detail statements invalid.
    rel.qSelecaoItemOS->setSql(TDmRelTec::sqlSelecaoItemOS().replace("os.AOCODIGO,", "cast(null as integer) as AOCODIGO,"));
    dialogs->setAutoAcknowledgeMessages(true);
    const QString dump = selecao("Serviço");
    EXPECT_EQ(bands(dump, {"bnItem"}).size(), 3);
    EXPECT_EQ(bands(dump, {"bnServico", "bnPeca"}), QStringList{});
    int servicos = 0;
    int pecas = 0;
    for (const host::ui::DialogRequest& shown : dialogs->shown()) {
        if (shown.kind != host::ui::DialogKind::LongText)
            continue;
        EXPECT_EQ(shown.title, "Confirmação");
        servicos += shown.text.startsWith("Erro quServicoOSRel: ") ? 1 : 0;
        pecas += shown.text.startsWith("Erro quPecasOSRel: ") ? 1 : 0;
        EXPECT_TRUE(shown.detail.contains("where aocodigo =")) << shown.detail.toStdString();
    }
    EXPECT_GE(servicos, 3);
    EXPECT_EQ(servicos, pecas);
}

// ---- the summary budget -----------------------------------------------------------------

TEST_F(RelTec, SummaryBudgetPrintsTheOrderTextsTotalsAndExpensesByTheTotalsMode)
{
    carregaOrdem(1);
    QString dump;
    {
        testsupport::StatementCounter custo;
        dump = previewed([&] { dm().AbreFrOrdemServicoResumido(); });
        EXPECT_EQ(custo.count(), 5);   // the four texts and the payment terms' description
    }
    EXPECT_EQ(bands(dump, {"bnTitulo"}),
              QStringList{"title bnTitulo: Assistência Técnica Exemplo Ltda. | Rua das Acácias, 120 | São Paulo - SP  "
                          "CEP: 01234-000 | Fone: (11)3456-7890   CNPJ: 12.345.678/0001-95 | Relatório de Ordem de Serviço | "
                          "Resumido"});
    EXPECT_EQ(bands(dump, {"bnCliente", "bnItens", "bnServicos", "bnPecas", "bnTotais", "bnDespesas", "bnFechamento"}),
              (QStringList{"detail bnCliente: Orçamento Nº: | 000000001 | Data: | 05/03/2026 | Cliente: | Padaria Pão Quente Ltda. | "
                           "Endereço: | Avenida Paulista, 1500 - Bela Vista | Cidade: | São Paulo/SP  CEP: 01310-100 | Fone: | "
                           "(11)3333-4444 | Contato: | Sr. Paulo | Validade do orçamento: 10 dias.   ",
                           "subDetail bnItens: Impressora laser | HP | P1102 | SN-123",
                           "subDetail bnItens: Notebook | SN-999",
                           "subDetail bnServicos: S0001 | Mão de obra técnica (hora) | 2 | 120,00 | 240,00",
                           "subDetail bnServicos: S0002 | Visita técnica | 1 | 30,00 | 30,00",
                           "subDetail bnServicos: S0003 | Limpeza e revisão preventiva | 1 | 150,00 | 150,00",
                           "subDetail bnPecas: P0001 | Fonte de alimentação bivolt 110/220V | 1 | 89,90 | 89,90",
                           "subDetail bnPecas: 1 | 35,50 | 35,50",
                           "summary bnTotais: Total de Serviços: | 270,00 | Total de Peças: | 125,40",
                           "summary bnDespesas: Despesas de Viagem: | 30,00 | Despesas Extras: | 10,00 | Desconto: | 5,00",
                           "summary bnFechamento: Valor Total do Orçamento: | 430,40 | Condição de Pagamento: | 30/60 dias | "
                           "Atenciosamente, | Condições de pagamento: à vista ou 30/60 dias.    | Prazo de execução: até 5 dias "
                           "úteis após a aprovação.    | Garantia de 90 dias para peças e serviços.   "}));
    EXPECT_EQ(dm().frOrdemServResumido->variable("visibleDespesas"), "'1'");

    // Totals mode "P" hides the expenses and the discount; "0" and any other value show them.
    for (const auto& [modo, visivel] : {std::pair<QString, bool>{"P", false}, {"0", true}, {"T", true}}) {
        global->SetParametro("ATFORMULATOTALOS", modo);
        dump = previewed([&] { dm().AbreFrOrdemServicoResumido(); });
        EXPECT_EQ(bands(dump, {"bnDespesas"}).size(), visivel ? 1 : 0) << modo.toStdString();
        EXPECT_EQ(dm().frOrdemServResumido->variable("visibleDespesas"), visivel ? "'1'" : "'0'");
    }
    // One new row of texts per call.
    EXPECT_EQ(dm().jvOrdemServResumido->recordCount(), 4);
}

TEST_F(RelTec, SummaryBudgetWithoutText998ReadsAnEmptySelection)
{
    exec("delete from ALFC2601 where CODIGO = '998'");
    carregaOrdem(1);
    const QString dump = previewed([&] { dm().AbreFrOrdemServicoResumido(); });
    EXPECT_EQ(dm().jvOrdemServResumido->fieldByName("qrlaMensagem998")->asString(), "   ");
    EXPECT_EQ(dm().jvOrdemServResumido->fieldByName("qrlaMensagem999")->asString(),
              "Garantia de 90 dias para peças e serviços.   ");
    EXPECT_FALSE(dump.contains("Prazo de execução"));
}

// ---- the complete budget -----------------------------------------------------------------

TEST_F(RelTec, CompleteBudgetPrintsTheCustomerCallItemsLinesTotalsAndReport)
{
    carregaOrdem(1);
    QString dump;
    {
        testsupport::StatementCounter custo;
        dump = previewed([&] { dm().AbreFrOrdemServCompleto(); });
        EXPECT_EQ(custo.count(), 2);   // the customer's equipment and the first progress record
    }
    EXPECT_EQ(bands(dump, {"bnCliente", "bnItens", "bnServicos", "bnPecas", "bnTotais", "bnLaudo"}),
              (QStringList{"detail bnCliente: Cliente: | Padaria Pão Quente Ltda. | Endereço: | Avenida Paulista, 1500 - Bela Vista | "
                           "Cidade: | São Paulo/SP  CEP: 01310-100 | Fone: | (11)3333-4444 | Contato: | Sr. Paulo | "
                           "CNPJ: 23.456.789/0001-95 | Insc. Est.:  | Data Chamado: | 04/03/2026 | Hora: | 09:15",
                           "subDetail bnItens: Equipamento: | Impressora laser | Atendimento: | Externo | Defeito: | Não liga | "
                           "Nº de Série: | SN-123 | Garantia: | 2- Garantia do Serviço | Nota Fiscal: | 5544",
                           "subDetail bnItens: Equipamento: | Notebook | Atendimento: | Externo | Defeito: | Nº de Série: | "
                           "SN-999 | Garantia: | Nota Fiscal:",
                           // worked time: hour type, minutes, "Variado"; the unauthorised line is left out
                           "subDetail bnServicos: Hora técnica externa | 120 | Variado | 240,00",
                           "subDetail bnServicos: Visita técnica | 1 | 30,00 | 30,00",
                           "subDetail bnPecas: P0001 | Fonte de alimentação bivolt 110/220V | 1 | 89,90 | 89,90",
                           "subDetail bnPecas: 1 | 35,50 | 35,50",
                           "summary bnTotais: Total Peças: | 125,40 | Total Serviços: | 270,00 | Desp. Viagem: | 30,00 | "
                           "Total: | 430,40 | Validade do Orçamento: | 15/03/2026 | Previsão de Liberação: | Imediato",
                           "summary bnLaudo: Defeito Constatado: | Fonte queimada | Causa: | Surto de tensão | Solução: | "
                           "Troca da fonte | Observações: | Cliente aguarda\\nValores da Hora Técnica (Variada):    1ª Hora: "
                           "150,00   2ª Hora: 140,00   3ª Hora: 130,00   4ª Hora: 120,00   5ª Hora: 110,00"}));
    EXPECT_TRUE(bands(dump, {"bnTitulo"})[0].endsWith("| ORÇAMENTO | Nº 000000001"));
    // The customer's equipment, with both tables' key columns.
    ASSERT_EQ(dm().quEquipCliOS->recordCount(), 1);
    EXPECT_EQ(dm().quEquipCliOS->fieldByName("AECODIGO_1")->asInteger(), 1);
    EXPECT_TRUE(dm().quEquipCliOS->sql().endsWith("Where os.aocodigo = '1'"));
}

TEST_F(RelTec, CompleteBudgetCallDateComesFromTheFirstProgressRecordOrInVehicleModeFromTheEntry)
{
    // Order 2: a person, the only progress record of another origin, no report block.
    carregaOrdem(2);
    QString dump = previewed([&] { dm().AbreFrOrdemServCompleto(); });
    EXPECT_EQ(bands(dump, {"bnCliente"})[0].section("Contato: | ", 1),
              "CPF: 123.456.789-09 | RG:  | Data Chamado: | 01/03/2026 | Hora: | 16:40");
    EXPECT_EQ(dm().frOrdemServCompleto->variable("dataChamado"), "'01/03/2026'");
    EXPECT_EQ(dm().frOrdemServCompleto->variable("HoraChamado"), "'16:40'");
    EXPECT_TRUE(bands(dump, {"bnItens"})[0].contains("Atendimento: | Interno"));
    EXPECT_TRUE(bands(dump, {"bnTotais"})[0].endsWith("Previsão de Liberação: | 3 dia(s)"));
    EXPECT_EQ(bands(dump, {"bnLaudo", "bnServicos", "bnPecas"}), QStringList{});

    global->SetParametro("ATMODOVEICULO", "O");
    carregaOrdem(1);
    testsupport::StatementCounter custo;
    dump = previewed([&] { dm().AbreFrOrdemServCompleto(); });
    EXPECT_EQ(custo.count(), 1);
    EXPECT_EQ(dm().frOrdemServCompleto->variable("dataChamado"), "'05/03/26'");
    EXPECT_EQ(dm().frOrdemServCompleto->variable("HoraChamado"), "'14:30'");
}

TEST_F(RelTec, CompleteBudgetMarksTheOrderWithTag99AndRestoresItEvenWhenItFails)
{
    carregaOrdem(1);
    int durante = -1;
    int duranteItens = -1;
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form&) {
        durante = dmTec->quOS->tag();
        duranteItens = dmTec->quOSItem->tag();
    });
    dm().AbreFrOrdemServCompleto();
    EXPECT_EQ(durante, 99);
    EXPECT_EQ(duranteItens, 99);
    EXPECT_EQ(dmTec->quOS->tag(), 0);
    EXPECT_EQ(dmTec->quOSItem->tag(), 0);

    dmTec->quOS->setTag(8);
    dialogs->modal("fmVisualizadorRelatorio", [](host::ui::Form&) { throw std::runtime_error("impressora desligada"); });
    EXPECT_THROW(dm().AbreFrOrdemServCompleto(), std::runtime_error);
    EXPECT_EQ(dmTec->quOS->tag(), 0);
    EXPECT_EQ(dmTec->quOSItem->tag(), 0);
}

// ---- receipt and rental documents ---------------------------------------------------------

TEST_F(RelTec, OrderReceiptPrintsTheOrderItsItemsAndLines)
{
    carregaOrdem(1);
    const QString dump = previewed([&] { dm().frOrdemServComprovante->ShowReport(); });
    EXPECT_EQ(bands(dump, {"bnOrdem", "bnItensCabecalho", "bnServicosCabecalho", "bnPecasCabecalho", "bnResumo"}),
              (QStringList{"detail bnOrdem: Nº OS: | 000000001 | Entrada: | 05/03/2026 | 14:30 | Atendente: | Carla | Cliente: | "
                           "Padaria Pão Quente Ltda. | Endereço: | Avenida Paulista, 1500 - Bela Vista | Cidade: | São Paulo/SP  "
                           "CEP: 01310-100 | Fone: | (11)3333-4444 | Contato: | Sr. Paulo",
                           "groupHeader bnItensCabecalho: Equipamentos",
                           "groupHeader bnServicosCabecalho: Despesas com Serviços | Código | Descrição | Qtde. | Vlr. Unit. | Total",
                           "groupHeader bnPecasCabecalho: Despesas com Peças | Código | Descrição | Qtde. | Vlr. Unit. | Total",
                           "summary bnResumo: Valor Total: | 430,40 | Observação: | Cliente aguarda | Assinatura do Cliente"}));
    EXPECT_EQ(bands(dump, {"bnItens", "bnServicos", "bnPecas"}).size(), 7);
}

TEST_F(RelTec, RentalNotePrintsTheDocumentItsItemsAndReceivablesOnALandscapePage)
{
    carregaNota();
    const QString dump = previewed([&] { ExibirRelatorioFR(*dm().frxNotaLocacao); });
    EXPECT_TRUE(bands(dump, {"bnTitulo"})[0].endsWith("| NOTA DE LOCAÇÃO DE BENS MÓVEIS"));
    EXPECT_EQ(bands(dump, {"bnNota", "bnItens", "bnReceber", "bnAviso"}),
              (QStringList{"detail bnNota: Nota Nº: | 000123 | Data: | 10/03/2026 | Valor Total: | 750,00 | Cliente: | "
                           "Clínica Saúde & Vida S/A | CNPJ/CPF: | 34.567.890/0001-30 | Endereço: | Rua Conceição, 300 - "
                           "Cambuí - Campinas/SP",
                           "subDetail bnItens: Locação de equipamento LaserJet EV-1 (fevereiro) | 750,00",
                           "subDetail bnReceber: 000123/1 | 20/03/2026 | 750,00",
                           "summary bnAviso: Esta nota somente terá validade como recibo após o pagamento dos valores faturados."}));
    EXPECT_EQ(dm().frxNotaLocacao->prepared()->pages[0].size, QSizeF(297, 210));
    EXPECT_EQ(dm().dsNota->dataset(), dmGlobal->quMov);
}

TEST_F(RelTec, ContractAndDeliveryProtocolPrintTheLoadedContract)
{
    carregaContrato();
    QString dump = previewed([&] { dm().frxContrato->ShowReport(); });
    EXPECT_EQ(bands(dump, {"bnContrato", "bnEquipamentos", "bnAcessorios", "bnClausulas"}),
              (QStringList{"detail bnContrato: Nº Contrato: | LOC-0007 | Data Base: | 01/02/2026 | Cliente: | Clínica Saúde & "
                           "Vida S/A | CNPJ/CPF: | 34.567.890/0001-30 | Endereço: | Rua Conceição, 300 - Cambuí - Campinas/SP | "
                           "Objeto: | Locação de impressoras | Valor: | 500,00 | Validade: | 31/01/2027",
                           "subDetail bnEquipamentos: P0003 | LaserJet | HP | EV-1 | 250,00",
                           "subDetail bnAcessorios: P0005 | Cabo USB | Genérico | EV-2",
                           "summary bnClausulas: Cláusulas | Cláusula primeira: o locatário conserva os equipamentos."}));
    dump = previewed([&] { dm().frxEntregaEquipamentos->ShowReport(); });
    EXPECT_EQ(bands(dump, {"bnEquipamentos", "bnAssinaturas"}),
              (QStringList{"subDetail bnEquipamentos: P0003 | LaserJet | HP | EV-1 | 02/02/2026",
                           "summary bnAssinaturas: Entregue por | Recebido por"}));
    EXPECT_TRUE(bands(dump, {"bnTitulo"})[0].endsWith("| PROTOCOLO DE ENTREGA DE EQUIPAMENTOS"));

    // Without the contract module the documents print their frame and nothing of a contract.
    dmTecContrato.free();
    dump = previewed([&] { dm().frxContrato->ShowReport(); });
    EXPECT_EQ(bands(dump, {"bnEquipamentos", "bnAcessorios"}), QStringList{});
}

TEST_F(RelTec, EverySevenReportsWritesAValidPdf)
{
    carregaOrdem(1);
    carregaNota();
    carregaContrato();
    dm().qSelecaoItemOS->open();
    for (host::report::Report* relatorio :
         std::initializer_list<host::report::Report*>{dm().frSelecaoItemOS, dm().frOrdemServResumido,
                                                      dm().frOrdemServCompleto, dm().frOrdemServComprovante,
                                                      dm().frxNotaLocacao, dm().frxEntregaEquipamentos, dm().frxContrato}) {
        const QString pdf = testsupport::uniqueFile(relatorio->name(), ".pdf");
        relatorio->exportPdf(pdf);
        int code = -1;
        reporttest::run("qpdf", {"--check", pdf}, &code);
        EXPECT_EQ(code, 0) << relatorio->name().toStdString();
        EXPECT_TRUE(reporttest::run("pdftotext", {pdf, "-"}).contains("Assistência Técnica Exemplo Ltda."))
            << relatorio->name().toStdString();
        QFile::remove(pdf);
    }
}

// ---- creation ---------------------------------------------------------------------------

TEST_F(RelTec, TheRentalWindowsCreateTheReportModuleOnceAndItOpensNothing)
{
    // The rental register edits the contract data module's datasets.
    if (!dmTecContrato)
        dmTecContrato.create(nullptr);
    testsupport::StatementCounter custo;
    fmAssContFatLocEquip.create();
    ASSERT_TRUE(DmRelTec);
    TDmRelTec* primeiro = DmRelTec.get();
    EXPECT_EQ(custo.count(), 0);
    // The register opens only its empty header.
    testsupport::StatementCounter registro;
    fmAssContLocacao.create();
    EXPECT_EQ(DmRelTec.get(), primeiro);
    EXPECT_EQ(registro.count(), 1);
    EXPECT_FALSE(primeiro->qSelecaoItemOS->active());
    EXPECT_EQ(primeiro->findComponent("frxContrato"), primeiro->frxContrato);
    EXPECT_EQ(primeiro->frxdbCliente->userName(), "RelClienteContrato");
}
