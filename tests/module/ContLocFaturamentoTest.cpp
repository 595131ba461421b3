// Billing rental instalments through the billing window: the month's
// complement forecasts folded in and deleted with their cash rows and
// notes, the billed receivable, its note and collection, the refusals, the
// all-or-nothing instalment, the receipt document under option "Q" and its
// printing, and the statements a billed instalment costs.

#include "tests/module/ContLocFaturamentoFixture.h"
#include "tests/support/ScopedTimeZone.h"

#include "host/Udatamod.h"
#include "host/data/Format.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

#include <functional>
#include <utility>

namespace moduletest {
namespace {

using uAssContLocFaturamento::ParcelaLocacao;

const QString kContratos = "Contrato(s): 801, 802, 803";
const QString kVencimentos = "Vcto.(s): 10/03/24, 15/03/24, 20/03/24";
const QString kValores = "Vlr.(s): 200,00, 100,01, 50,00";

TEST_F(ContLocFatTest, BillingFoldsTheMonthsComplementsIntoThePrincipalAndDeletesThemWithTheirCashRows)
{
    TfmAssContFatLocEquip& form = pesquisado();
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Não"});
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 2");
    gerar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    // Each value cut to cents before adding: 200 + 100.00 + 50.
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(802), QStringList{});
    EXPECT_EQ(receber(803), QStringList{});
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPDOCUMENTO in ('000102', '000103')"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from AUGC70OB where OBCODIGO in ('000102000041', '000103000041')"),
              QStringList{"0"});
    // The short note cut at 80, the full lists in the note of key document + customer + sequence.
    const QString resumo = kContratos + "\r" + kVencimentos + "\r" + kValores;
    ASSERT_GT(resumo.size(), 80);
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where NUMERO_DOCUMENTO = '000101'"), QStringList{resumo.left(80)});
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'R' and OBSEQUENCIA = 4 and OBCODIGO = '000101000041'"),
              QStringList{kContratos + "\r" + kVencimentos + "\r" + kValores});
    const QString hoje = QDate::currentDate().toString("yyyy-MM-dd") + "T00:00:00.000";
    EXPECT_EQ(lido("select CRDATABOLETO from ACRC5001 where NUMERO_DOCUMENTO = '000101'"), QStringList{hoje});
    EXPECT_EQ(lido("select CRBORDERODATA from ACRC5001 where NUMERO_DOCUMENTO = '000101'"), QStringList{hoje});
    // The collection of that instalment, once, with the texts the billing passed.
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) || '|' || FBBANCO || '|' || FBTEXTO1 || '|' || FBTEXTO2 || '|' ||"
                   " FBTEXTO3 from ACRC50FB"),
              QStringList{"000101|001|\r" + kContratos + "|" + kVencimentos + "|" + kValores});
    EXPECT_EQ(lido("select NUMERO_DO_BANCO || '|' || NOSSO_NUMERO from ACRC5001 where NUMERO_DOCUMENTO = '000101'"),
              QStringList{"001|01000101001"});
    // The window searched again: the row billed reads "Sim".
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Sim"});
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "VALOR_DOCUMENTO"), QStringList{"350,00"});
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 2") << "complements without instalments";

    // A second run bills nothing.
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Aviso: não existe(m) Previsão(ões) para Faturamento do(s) Contrato(s).");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(lido("select count(*) from ACRC50FB"), QStringList{"1"});
}

TEST_F(ContLocFatTest, OnlyTheMonthsComplementForecastsAreFoldedBilledOnesAndOtherMonthsStay)
{
    // Under "Todos" with no period the lower grid also lists a billed
    // complement instalment and April's forecast.
    parcela("000104", "", 70, 802, "2024-03-25");
    parcela("000105", "V", 30, 803, "2024-04-20");
    // The contract's variable costs are shown before its instalment is billed.
    exec("update AATC05AC set ACCUSTOSVAR = 'Combustível: 40,00' where ACCODIGO = 801");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 4");
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Custos Variáveis - Código Contrato: 801");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().back().detail, "Combustível: 40,00");
    EXPECT_EQ(dialogs->shown().back().title, "Confirmação");
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(802), QStringList{"000104|7000|"});
    EXPECT_EQ(receber(803), QStringList{"000105|3000|V"});
}

// An instalment issued and due on a day whose midnight the zone skipped,
// kept at 00:00 as another program writes it (read here as 01:00), gets its
// collection: the billing finds it again by its days.
TEST_F(ContLocFatTest, AnInstalmentOfADayWithoutMidnightGetsItsCollection)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    exec("update ACRC5001 set DATA_EMISSAO = '2018-11-04 00:00', DATA_VENCIMENTO = '2018-11-04 00:00'"
         " where NUMERO_DOCUMENTO = '000101'");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    dialogs->setAutoAcknowledgeMessages(true);
    gerar(form);
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) || '|' || FBBANCO from ACRC50FB"), QStringList{"000101|001"});
    EXPECT_EQ(lido("select NUMERO_DO_BANCO from ACRC5001 where NUMERO_DOCUMENTO = '000101'"), QStringList{"001"});
}

TEST_F(ContLocFatTest, AComplementRowIsFoldedIntoOneInstalmentOnly)
{
    // A second March instalment of the principal comes after the first.
    parcela("000106", "V", 40, 801, "2024-03-28");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    gerar(form);
    EXPECT_EQ(receber(801), (QStringList{"000101|35000|", "000106|4000|"}));
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where NUMERO_DOCUMENTO = '000106'"),
              QStringList{"Contrato(s): 801\rVcto.(s): 28/03/24\rVlr.(s): 40,00"});
}

TEST_F(ContLocFatTest, TheListShowingOnlyBilledInstalmentsBillsNothing)
{
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '' where NUMERO_DOCUMENTO = '000101'");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado(uAssContFatLocEquip::Faturados);
    EXPECT_EQ(form.quConsulta->recordCount(), 1);
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Aviso: não existe(m) Previsão(ões) para Faturamento do(s) Contrato(s).");
    form.bbGerar->click();
    EXPECT_EQ(receber(802), QStringList{"000102|10001|V"}) << "the complement is not folded into a billed row";
    EXPECT_EQ(lido("select count(*) from ACRC50FB"), QStringList{"0"});
}

TEST_F(ContLocFatTest, AMissingBankStopsTheRunWithEarlierInstalmentsBilled)
{
    contrato(804, "ACVINCULO", "'P'");
    parcela("000201", "V", 90, 804, "2024-03-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    ASSERT_EQ(coluna(form.dbgdAssContFatLocEquip, "ACCODIGO"), (QStringList{"801", "804"}));
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Aviso: operação abortada.\nCódigo Banco não informado!");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(804), QStringList{"000201|9000|V"});
    // The run stopped, and the list shows what it billed.
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), (QStringList{"Sim", "Não"}));
    const QString nota = lido("select OBTEXTO from AUGC70OB where OBID = 'R' and OBSEQUENCIA = 4").join('|');

    // Pressed again after the refusal: 801 is not billed a second time, 804 is refused again.
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Código Banco não informado!");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(804), QStringList{"000201|9000|V"});
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where NUMERO_DOCUMENTO = '000101'"),
              QStringList{(kContratos + "\r" + kVencimentos + "\r" + kValores).left(80)});
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'R' and OBSEQUENCIA = 4").join('|'), nota);
    EXPECT_EQ(lido("select count(*) from ACRC50FB"), QStringList{"1"});
}

TEST_F(ContLocFatTest, AnInstalmentBilledAfterTheListWasReadIsNotBilledAgain)
{
    TfmAssContFatLocEquip& form = pesquisado();
    ASSERT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Não"});
    // Another desk bills it (its complements folded) while this list shows it as a forecast.
    exec("delete from ACRC5001 where NUMERO_DOCUMENTO in ('000102', '000103')");
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '', VALOR_DOCUMENTO = 350 where NUMERO_DOCUMENTO = '000101'");
    dmGlobal->IBTransaction1->commitRetaining();
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Aviso: não existe(m) Previsão(ões) para Faturamento do(s) Contrato(s).");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(lido("select count(*) from ACRC50FB"), QStringList{"0"});
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Sim"});
}

TEST_F(ContLocFatTest, AFailureAfterTheDeletesLeavesThatInstalmentAsItWas)
{
    // The collection of 000101 is refused by the database, after its deletes and update.
    exec("create exception EX_FATURA_RECUSADA 'cobrança recusada'");
    exec("create trigger TR_FATURA_RECUSADA for ACRC50FB before insert as begin"
         " if (new.NUMERO_DOCUMENTO = '000101') then exception EX_FATURA_RECUSADA; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    EXPECT_THROW(form.FaturarContratosLocacaoEquipamento(), std::exception);
    EXPECT_EQ(receber(801), QStringList{"000101|20000|V"});
    EXPECT_EQ(receber(802), QStringList{"000102|10001|V"});
    EXPECT_EQ(receber(803), QStringList{"000103|5000|V"});
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPDOCUMENTO in ('000102', '000103')"), QStringList{"2"});
    EXPECT_EQ(lido("select count(*) from AUGC70OB where OBID = 'R'"), QStringList{"2"});
    EXPECT_EQ(form.quConsulta->recNo(), 1);
}

TEST_F(ContLocFatTest, AComplementGoneSinceTheRunReadItRefusesItsPrincipal)
{
    contrato(805, "ACVINCULO, BCCODIGO", "'P', '001'");
    contrato(806, "ACVINCULO", "'C'");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (805, 806)");
    parcela("000301", "V", 100, 805, "2024-03-10");
    parcela("000302", "V", 40, 806, "2024-03-12");
    // 806's forecast is deleted elsewhere while 801 is being billed, after the run read it.
    exec("create trigger TR_OUTRA_MESA for ACRC5001 after update as begin"
         " if (new.NUMERO_DOCUMENTO = '000101') then delete from ACRC5001 where NUMERO_DOCUMENTO = '000302'; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    ASSERT_EQ(coluna(form.dbgdAssContFatLocEquip, "ACCODIGO"), (QStringList{"801", "805"}));
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("A parcela 000302 do contrato 806 não existe mais");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(805), QStringList{"000301|10000|V"}) << "not billed with a value that is no longer there";
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC50FB"), QStringList{"000101"});
}

// Runs the action (once) when a dialog with that text comes up, before the
// script answers it: what another desk does while this one waits.
class OutraMesaNoAviso : public host::ui::DialogBackend {
public:
    OutraMesaNoAviso(QString texto, std::function<void()> acao) : texto_(std::move(texto)), acao_(std::move(acao))
    {
        anterior_ = host::ui::Dialogs::setBackend(this);
    }
    ~OutraMesaNoAviso() override { host::ui::Dialogs::setBackend(anterior_); }
    host::ui::DialogReply ask(const host::ui::DialogRequest& pedido) override
    {
        if (acao_ && pedido.text.contains(texto_))
            std::exchange(acao_, {})();
        return anterior_->ask(pedido);
    }
    bool runModal(host::ui::Form& janela) override { return anterior_->runModal(janela); }

private:
    QString texto_;
    std::function<void()> acao_;
    host::ui::DialogBackend* anterior_ = nullptr;
};

TEST_F(ContLocFatTest, AComplementBilledByAnotherDeskWhileTheRunWaitsStaysBilledWithItsRows)
{
    contrato(805, "ACVINCULO, BCCODIGO, ACCUSTOSVAR", "'P', '001', 'Pedágio: 12,00'");
    contrato(806, "ACVINCULO", "'C'");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (805, 806)");
    parcela("000301", "V", 100, 805, "2024-03-10");
    parcela("000302", "V", 40, 806, "2024-03-12");
    exec("insert into ACXC94XP (XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA) values"
         " ('R', '01', '000302', '00004', 1)");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('000302000041', 'R', 1, 'mensagem')");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    ASSERT_EQ(coluna(form.dbgdAssContFatLocEquip, "ACCODIGO"), (QStringList{"801", "805"}));
    // While this desk reads 805's variable costs (the complements already
    // read with 801), another desk bills 806's instalment and commits.
    OutraMesaNoAviso outraMesa("Custos Variáveis - Código Contrato: 805", [this] {
        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction faturamento(conexao);
        host::db::executeSql(faturamento, "update ACRC5001 set SITUACAO_DOCUMENTO = '', OBS10 = 'outra mesa'"
                                          " where NUMERO_DOCUMENTO = '000302'");
        faturamento.commit();
    });
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Custos Variáveis - Código Contrato: 805");
    dialogs->acknowledge("A parcela 000302 do contrato 806 não existe mais como previsão");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|35000|"});
    EXPECT_EQ(receber(806), QStringList{"000302|4000|"}) << "the other desk's receivable is kept";
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where NUMERO_DOCUMENTO = '000302'"), QStringList{"outra mesa"});
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPDOCUMENTO = '000302'"), QStringList{"1"});
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBCODIGO = '000302000041'"), QStringList{"mensagem"});
    EXPECT_EQ(receber(805), QStringList{"000301|10000|V"}) << "not billed with a value billed elsewhere";
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC50FB"), QStringList{"000101"});
}

TEST_F(ContLocFatTest, AnInstalmentWhoseCollectionIsNotMadeStaysAForecast)
{
    // A collection row left under the instalment's key by a receivable deleted long ago.
    exec("insert into ACRC50FB (CODIGO_FILIAL, NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, FBBANCO) values"
         " ('01', '000101', '00004', 1, '001')");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("A cobrança do documento 000101 do contrato 801 não foi gerada.");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), QStringList{"000101|20000|V"});
    EXPECT_EQ(receber(802), QStringList{"000102|10001|V"});
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Não"});
}

TEST_F(ContLocFatTest, TheReceiptOfAnInstalmentBilledWithoutReceiptDocumentShowsItsNumberDateAndTotal)
{
    // Billed under the default option: no receipt document is recorded.
    TfmAssContFatLocEquip& form = pesquisado();
    gerar(form);
    ASSERT_EQ(receber(801), QStringList{"000101|35000|"});
    const QStringList dumps = previas([&] { form.bbImprimir->click(); });
    ASSERT_EQ(dumps.size(), 1);
    const QString hoje = QDate::currentDate().toString("dd/MM/yyyy");
    for (const QString& trecho : {QString("Nota Nº: | 000101 | Data: | ") + hoje + " | Valor Total: | 350,00",
                                  QString("000101/1 | 10/03/2024 | 350,00")})
        EXPECT_TRUE(dumps.first().contains(trecho)) << trecho.toStdString() << "\n" << dumps.first().toStdString();
}

TEST_F(ContLocFatTest, TheCollectionTakesItsThirteenArgumentsFromTheListedRow)
{
    ParcelaLocacao p;
    p.contrato = 801;
    p.filial = "01";
    p.documento = "000101";
    p.cliente = "00004";
    p.banco = "001";
    p.emissao = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    p.vencimento = QDateTime(QDate(2024, 3, 10), QTime(0, 0));
    p.pedidoCliente = " PC-77 ";
    p.valor = 200;
    const auto resumo = uAssContLocFaturamento::ResumoParcela(p, {});
    const FaturaBoletoLocacao f = uAssContLocFaturamento::ArgumentosFaturaBoleto(p, "000555", resumo);
    EXPECT_EQ(QStringList({f.filial, f.documentoIni, f.documentoFim, f.clienteIni, f.clienteFim, f.banco}),
              (QStringList{"01", "000555", "000555", "00004", "00004", "001"}));
    EXPECT_EQ(f.emissaoIni, p.emissao);
    EXPECT_EQ(f.emissaoFim, p.emissao);
    EXPECT_EQ(f.vencimentoIni, p.vencimento);
    EXPECT_EQ(f.vencimentoFim, p.vencimento);
    EXPECT_EQ(QStringList({f.texto1, f.texto2, f.texto3}),
              (QStringList{"PC-77\rContrato(s): 801", "Vcto.(s): 10/03/24", "Vlr.(s): 200,00"}));
    EXPECT_EQ(resumo.total, 200);
}

// The note's values are written as the money format writes them, whatever
// the value: grouped thousands, negatives, values between cents and ones
// past the cents, whose rounding is the format's.
TEST_F(ContLocFatTest, TheNotesValuesAreWrittenAsTheMoneyFormatWritesThem)
{
    const QList<double> valores{0,       0.05,      0.1 + 0.2,  1.005,      0.125,       -0.004, -0.0,
                                -12.5,   999.995,   1000,       12345.67,   -1234567.89, 100000, 999999.99,
                                1e9 + 0.01, 2.675,  1234.5678,  -0.5,       7e11,        1e13,   0.01};
    for (double valor : valores) {
        ParcelaLocacao principal;
        principal.contrato = 801;
        principal.valor = valor;
        principal.vencimento = QDateTime(QDate(2024, 3, 10), QTime(0, 0));
        ParcelaLocacao dobrada = principal;
        dobrada.valor = -valor / 3;
        const auto resumo = uAssContLocFaturamento::ResumoParcela(principal, {dobrada});
        EXPECT_EQ(resumo.valores, "Vlr.(s): " + host::data::formatFloat("###,###,##0.00", valor) + ", " +
                                      host::data::formatFloat("###,###,##0.00", -valor / 3))
            << valor;
    }
}

TEST_F(ContLocFatTest, EachInstalmentCostsItsOwnWritesOnly)
{
    // Three principals with one instalment and two complements' each; the
    // statements of billing two and of billing three differ by one instalment's.
    auto principais = [this](int primeiro, int quantos) {
        for (int c = primeiro; c < primeiro + quantos; ++c) {
            contrato(c, "ACVINCULO, BCCODIGO", "'P', '001'");
            parcela(QString("%1").arg(c * 10, 6, 10, QChar('0')), "V", 100, c, "2024-05-10");
            for (int k = 1; k <= 2; ++k) {
                contrato(c * 10 + k, "ACVINCULO", "'C'");
                exec(QString("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (%1, %2)")
                         .arg(c)
                         .arg(c * 10 + k));
                parcela(QString("%1").arg(c * 10 + k, 6, 10, QChar('0')), "V", 10, c * 10 + k, "2024-05-15");
            }
        }
        dmGlobal->IBTransaction1->commitRetaining();
    };
    auto medir = [this](bool comRecibo) {
        TfmAssContFatLocEquip& form = abrirFat();
        form.edCodContrato->clear();
        form.deDataIni->setDate(QDateTime(QDate(2024, 5, 1), QTime(0, 0)));
        form.deDataFin->setDate(QDateTime(QDate(2024, 5, 31), QTime(0, 0)));
        form.rgOpcao->setItemIndex(uAssContFatLocEquip::NaoFaturados);
        form.bbPesquisar->click();
        testsupport::StatementCounter custo;
        comRecibo ? form.FaturarContratosLocacaoControleEquipamento() : form.FaturarContratosLocacaoEquipamento();
        return std::pair{custo.count(), custo.prepares()};
    };
    principais(901, 2);
    const auto dois = medir(false);
    principais(951, 3);
    const auto tres = medir(false);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO > 900 and SITUACAO_DOCUMENTO = 'V'"),
              QStringList{"0"});
    // Per instalment: its row read again (the list may be stale), the
    // variable costs, two deletes of three statements (cash rows, note,
    // receivable), the update, the note, the collection's read, insert and
    // update (13), and two savepoints taken and released (the instalment's,
    // the collection's). The complements are read once per run.
    const int porParcela = (tres.first - dois.first);
    EXPECT_EQ(porParcela, 17) << dois.first << " " << tres.first;
    EXPECT_EQ(tres.second, 0) << "every statement is kept prepared from the first run";

    // With the receipt (contracts without items) six more: the header with
    // its number, the number checked free among the customer's receivables,
    // the items read, the cash row and notes renumbered.
    principais(981, 2);
    const auto reciboDois = medir(true);
    principais(991, 3);
    const auto reciboTres = medir(true);
    EXPECT_EQ(reciboTres.first - reciboDois.first, 17 + 6) << reciboDois.first << " " << reciboTres.first;
    EXPECT_EQ(reciboTres.second, 0);
}

// ---- with the receipt document (option "Q") ----------------------------------------------

class ContLocFatReciboTest : public ContLocFatTest {
protected:
    void SetUp() override
    {
        ContLocFatTest::SetUp();
        parametro("ATOPCAOCONTRATO", "Q");
        for (int i = 1; i <= 3; ++i)
            item(7100 + i, 801, "P0004", "N", "ACITVALOR", QString::number(100 * i));
        dmGlobal->IBTransaction1->commitRetaining();
    }
};

TEST_F(ContLocFatReciboTest, TheBilledInstalmentTakesTheNumberOfItsReceiptWithOneLinePerItem)
{
    // The forecast's collection message and cash row go with it.
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('000101000041', 'R', 0, 'Mensagem')");
    exec("insert into ACXC94XP (XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA) values ('R', '01', '000101',"
         " '00004', 1)");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    gerar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    const QStringList documentos = lido("select DOCUMENTO from ACEM1401 where SERIE_DOC = 'RC'");
    ASSERT_EQ(documentos.size(), 1);
    const QString numero = documentos.first().trimmed();
    EXPECT_EQ(receber(801), QStringList{numero + "|35000|"});
    // The header carries the contract's value, not the lines' sum.
    EXPECT_EQ(lido("select COD_CLI || '|' || OPERACAO_DOC || '|' || LOCAL_DOC || '|' || cast(TOTAL_DOC * 100 as"
                   " integer) from ACEM1401 where SERIE_DOC = 'RC'"),
              QStringList{"00004|00001|01|50000"});
    EXPECT_EQ(lido("select SEQUENCIA || '|' || cast(QUNATIDADEPRODUTO as integer) || '|' || CODIGOPRODUTO || '|' ||"
                   " cast(VALOR_TOTAL_UNIT * 100 as integer) || '|' || OBSERVACAO_PRODUTO || '|' || ACCODIGO"
                   " from ACEM14IT where SERIE = 'RC' order by SEQUENCIA"),
              (QStringList{"1|1|999|10000|período: março/2024|801", "2|1|999|20000|período: março/2024|801",
                           "3|1|999|30000|período: março/2024|801"}));
    EXPECT_EQ(lido("select count(*) from AUGC70OB where OBID = 'R' and OBSEQUENCIA = 4 and OBCODIGO = '" + numero +
                   "000041'"),
              QStringList{"1"});
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC50FB"), QStringList{numero});
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBSEQUENCIA = 0 and OBCODIGO = '" + numero + "000041'"),
              QStringList{"Mensagem"});
    EXPECT_EQ(lido("select trim(XPDOCUMENTO) from ACXC94XP where XPEMITENTE = '00004' and XPID = 'R'"),
              QStringList{numero});

    // The receipt of the billed row: the number, the three lines, the
    // receivable and the customer.
    const QStringList dumps = previas([&] { form.bbImprimir->click(); });
    ASSERT_EQ(dumps.size(), 1);
    const QString& dump = dumps.first();
    EXPECT_EQ(form.rgOpcao->itemIndex(), uAssContFatLocEquip::Faturados);
    for (const QString& trecho :
         {"Nota Nº: | " + numero, QString("Valor Total: | 500,00"), QString("Clínica Saúde & Vida S/A"),
          QString("Locação de equipamento período: março/2024 | 300,00"), numero + "/1 | 10/03/2024 | 350,00"})
        EXPECT_TRUE(dump.contains(trecho)) << trecho.toStdString() << "\n" << dump.toStdString();
}

// The receipts' series goes past 999.999: the instalment billed under a
// seven-digit receipt takes its cash row along, and the next one too.
TEST_F(ContLocFatReciboTest, ReceiptsPastSixDigitsAreBilledWithTheirCashRows)
{
    exec("insert into ACEM1401 (SERIE_DOC, LOCAL_DOC, DOCUMENTO) values ('RC', '01', '999999')");
    exec("insert into ACXC94XP (XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA) values ('R', '01', '000101',"
         " '00004', 1)");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    gerar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select trim(DOCUMENTO) from ACEM1401 where SERIE_DOC = 'RC' order by 1"),
              (QStringList{"1000000", "999999"}));
    EXPECT_EQ(receber(801), QStringList{"1000000|35000|"});
    EXPECT_EQ(lido("select trim(XPDOCUMENTO) from ACXC94XP where XPEMITENTE = '00004' and XPID = 'R'"),
              QStringList{"1000000"});
}

TEST_F(ContLocFatReciboTest, AReceiptNumberTheCustomerAlreadyHoldsIsPassedOverAndNamedInTheNote)
{
    // The customer already holds receivable 000001 (an invoice's), the
    // number the receipts' series gives first: the receivables' next number
    // is taken instead, which no receivable holds.
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO) values ('000001', '00004', 1, '01', 'A', 10,"
         " '2024-01-05', '2024-02-05')");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    gerar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select trim(DOCUMENTO) from ACEM1401 where SERIE_DOC = 'RC'"), QStringList{"000104"});
    EXPECT_EQ(receber(801), QStringList{"000104|35000|"});
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' ||"
                   " coalesce(NOSSO_NUMERO, '-') from ACRC5001 where CODIGO_CLIENTE = '00004' and AOCODIGO is null"),
              QStringList{"000001|1000|-"})
        << "the customer's own receivable is left alone";
    // The collection is made for the billed instalment.
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC50FB"), QStringList{"000104"});
    EXPECT_EQ(lido("select NOSSO_NUMERO from ACRC5001 where NUMERO_DOCUMENTO = '000104'"),
              QStringList{"01000104001"});
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'R' and OBSEQUENCIA = 4 and OBCODIGO = '000104000041'"),
              QStringList{kContratos + "\r" + kVencimentos + "\r" + kValores +
                          "\rDocumento 000104: o número 000001 já era de outro título do cliente."});
    // The receipt of the billed row prints under its number.
    const QStringList dumps = previas([&] { form.bbImprimir->click(); });
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_TRUE(dumps.first().contains("Nota Nº: | 000104")) << dumps.first().toStdString();
}

// The customer holds the number the receipts' series gives next, and the
// 28 after it or none: billing its instalment costs as many statements.
TEST_F(ContLocFatReciboTest, AReceiptCostsTheSameWhateverNumbersTheCustomerHolds)
{
    auto conta = [this](int contratoConta, int ate) {
        for (int n = 1; n <= ate; ++n)
            exec("update or insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL)"
                 " values (:N, '00004', 1, '01') matching (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL)",
                 {{"N", QString::number(n).rightJustified(6, '0')}});
        contrato(contratoConta, "ACVINCULO, BCCODIGO", "'P', '001'");
        parcela(QString::number(contratoConta * 10).rightJustified(6, '0'), "V", 100, contratoConta, "2024-05-10");
        dmGlobal->IBTransaction1->commitRetaining();
        TfmAssContFatLocEquip& form = abrirFat();
        form.edCodContrato->setText(QString::number(contratoConta));
        form.deDataIni->setDate(QDateTime(QDate(2024, 5, 1), QTime(0, 0)));
        form.deDataFin->setDate(QDateTime(QDate(2024, 5, 31), QTime(0, 0)));
        form.rgOpcao->setItemIndex(uAssContFatLocEquip::NaoFaturados);
        form.bbPesquisar->click();
        const testsupport::StatementCounter custo;
        gerar(form);
        return custo.count();
    };
    conta(900, 1);   // what only a first bill runs
    const int umNumero = conta(901, 2);
    const int muitos = conta(902, 30);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(muitos, umNumero);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO in (900, 901, 902) and SITUACAO_DOCUMENTO = 'V'"),
              QStringList{"0"});
}

TEST_F(ContLocFatReciboTest, PressingAgainAfterARefusalWritesNoSecondReceipt)
{
    contrato(804, "ACVINCULO", "'P'");
    parcela("000201", "V", 90, 804, "2024-03-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    for (int vez = 1; vez <= 2; ++vez) {
        dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
        dialogs->acknowledge("Código Banco não informado!");
        form.bbGerar->click();
        EXPECT_EQ(dialogs->pending(), 0) << vez;
    }
    const QStringList documentos = lido("select trim(DOCUMENTO) from ACEM1401 where SERIE_DOC = 'RC'");
    ASSERT_EQ(documentos.size(), 1) << "one receipt, for 801";
    EXPECT_EQ(receber(801), QStringList{documentos.first() + "|35000|"});
    EXPECT_EQ(receber(804), QStringList{"000201|9000|V"});
    EXPECT_EQ(lido("select count(*) from ACEM14IT where SERIE = 'RC'"), QStringList{"3"});
}

TEST_F(ContLocFatReciboTest, AnInstalmentBilledWhileItsReceiptIsWrittenLeavesNoReceipt)
{
    // Another desk bills 000101 at the moment this desk records its receipt.
    exec("create trigger TR_OUTRA_MESA for ACEM1401 after insert as begin"
         " update ACRC5001 set SITUACAO_DOCUMENTO = '' where NUMERO_DOCUMENTO = '000101'; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("não é mais uma previsão");
    form.bbGerar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from ACEM1401 where SERIE_DOC = 'RC'"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from ACEM14IT where SERIE = 'RC'"), QStringList{"0"});
    EXPECT_EQ(receber(801), QStringList{"000101|20000|V"}) << "the run left nothing (the trigger ran in its transaction)";
    EXPECT_EQ(receber(802), QStringList{"000102|10001|V"});
}

TEST_F(ContLocFatReciboTest, BilledInstalmentsListedUnderTodosGetNoDocumentAndAnEmptyListPrintsNothing)
{
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '' where NUMERO_DOCUMENTO = '000101'");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    dialogs->acknowledge("Aviso: não existe(m) Previsão(ões) para Faturamento do(s) Contrato(s).");
    form.bbGerar->click();
    EXPECT_EQ(lido("select count(*) from ACEM1401 where SERIE_DOC = 'RC'"), QStringList{"0"});
    form.edCodContrato->setText("999");
    form.bbImprimir->click();
    EXPECT_EQ(form.quConsulta->recordCount(), 0);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocFatReciboTest, AFailureAfterTheReceiptLeavesNoDocumentAndTheInstalmentAsItWas)
{
    exec("create exception EX_FATURA_RECUSADA 'cobrança recusada'");
    exec("create trigger TR_FATURA_RECUSADA for ACRC50FB before insert as begin exception EX_FATURA_RECUSADA; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    EXPECT_THROW(form.FaturarContratosLocacaoControleEquipamento(), std::exception);
    EXPECT_EQ(lido("select count(*) from ACEM1401 where SERIE_DOC = 'RC'"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from ACEM14IT where SERIE = 'RC'"), QStringList{"0"});
    EXPECT_EQ(receber(801), QStringList{"000101|20000|V"});
}

}  // namespace
}  // namespace moduletest
