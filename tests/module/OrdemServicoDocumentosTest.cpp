// The printed documents of order 42 as the print dispatcher shows them,
// read back from the viewer's pages: the receipt's rules and modes, the
// narrow receipt, the histories and the receipt note, the workshop
// histories, the collection form and the budgets; and a PDF of each.

#include "tests/module/OrdemServicoImpressaoFixture.h"

#include "data/uDataTec.h"
#include "host/Urelatorio.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOSComprovante.h"
#include "service_orders/uAssOSComprovanteEqto.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>

namespace moduletest {
namespace {

class OrdemServicoDocumentosTest : public OrdemServicoImpressaoTest {
protected:
    // The document the answer to the print question gives.
    QString documento(TfmAssOrdemServico& form, const QString& resposta, const QString& pdf = {})
    {
        dialogs->answer(resposta);
        return previsto([&] { form.bbImprimir->click(); }, pdf);
    }
    QString orcamento(TfmAssOrdemServico& form, const QString& resposta, const QString& pdf = {})
    {
        dialogs->answer(resposta, "Deseja imprimir Orçamento Resumido ou Completo?");
        return previsto([&] { form.bbOrcamento->click(); }, pdf);
    }
    static bool tem(const QString& dump, const QString& texto) { return dump.contains(texto); }
};

TEST_F(OrdemServicoDocumentosTest, TheReceiptJoinsThePhonesNamesThePersonsDocumentsAndShowsAccessoriesWhenThereAreAny)
{
    exec("update AUGC0301 set TELEFONE1 = '1111', TELEFONE2 = '2222' where CODIGO_CLIENTE = '00002'");
    TfmAssOrdemServico& form = abrir();
    QString dump = documento(form, "Comprovante");
    const QString cliente = linhasDe(dump, "qrbnCliente").value(0);
    EXPECT_TRUE(tem(cliente, "Fone: | 1111 / 2222 |")) << cliente.toStdString();
    EXPECT_TRUE(tem(cliente, "CGC: | 23.456.789/0001-95 | Insc. Est.: |")) << cliente.toStdString();
    EXPECT_FALSE(tem(cliente, "Faturar para:")) << "no billing customer";
    EXPECT_TRUE(linhasDe(dump, "qrsdAcessorios").isEmpty());
    EXPECT_FALSE(tem(cliente, "Acessórios"));
    EXPECT_FALSE(tem(dump, "Despesas com Serviços")) << "services print under the print model \"P\" only";

    exec("update AUGC0301 set PESSOA_FISICAOUJURIDICA = 'F', NUMERO_IDENTIDADE = '12.345.678-9', TELEFONE2 = ''"
         " where CODIGO_CLIENTE = '00002'");
    exec("update AATC01AO set CLCODIGOCLIENTECOBRANCA = '00003' where AOCODIGO = 42");
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, AOITCODIGO, ARDESCRICAO) values (42, 1, 421, 'Porta-filtro')");
    CarregaOrdemServico(42);
    dump = documento(form, "Comprovante");
    const QString pessoa = linhasDe(dump, "qrbnCliente").value(0);
    EXPECT_TRUE(tem(pessoa, "Fone: | 1111 | CPF: | 23.456.789/0001-95 | RG: | 12.345.678-9 |")) << pessoa.toStdString();
    EXPECT_TRUE(tem(pessoa, "Faturar para: | José Antônio Ferreira")) << pessoa.toStdString();
    EXPECT_TRUE(tem(pessoa, "Acessórios"));
    EXPECT_EQ(linhasDe(dump, "qrsdAcessorios"), QStringList{"subDetail qrsdAcessorios: 1 | Porta-filtro"});
}

TEST_F(OrdemServicoDocumentosTest, TheInternalOrderLeavesEarlierByTheConfiguredMinutes)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    parametro("ATMINUTOSSAIDAOSINTERNA", "30");
    exec("update AATC01AO set AOHORASAIDA = '1899-12-30 17:45:00' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    QString dump = previsto([&] { form.bbOSInterna->click(); });
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0), "Hora Saída: | 17:15")) << dump.toStdString();
    dump = previsto([&] { form.bbImprimir->click(); });
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0), "Hora Saída: | 17:45")) << "mode 20 as stored";
}

TEST_F(OrdemServicoDocumentosTest, PrintModelPPreparesOnceWithServicesPartsAndTheStoredPagePosition)
{
    parametro("ATMODOIMPRESSAOOS", "P");
    GravaPosicionamentoPagina(20, 5, 2);
    TfmAssOrdemServico& form = abrir();
    (void)form;
    TqrAssOSComprovante* receipt = qrAssOSComprovante.create();
    receipt->setModo(7);
    const QString dump = receipt->QuickRep->textDump();
    EXPECT_EQ(receipt->modo(), 20) << "an unknown mode prints as 20";
    EXPECT_TRUE(receipt->preparado());
    EXPECT_TRUE(tem(dump, "groupHeader qrbnCabServico: Despesas com Serviços")) << dump.toStdString();
    EXPECT_TRUE(tem(dump, "subDetail qrbnPeca: P0005 | Correia de transmissão | 1,00 | 35,50 | 35,50"));
    const host::report::PageSetup& pagina = receipt->QuickRep->page();
    EXPECT_EQ(pagina.paper, host::report::PaperSize::Custom);
    EXPECT_DOUBLE_EQ(pagina.margins.left, 15);
    receipt->QuickRep->textDump();
    EXPECT_DOUBLE_EQ(receipt->QuickRep->page().margins.left, 15) << "prepared once: the position applies once";
    receipt->release();
    qrAssOSComprovante.clear();

    parametro("ATMODOIMPRESSAOOS", "");
    receipt = qrAssOSComprovante.create();
    receipt->setModo(7);
    receipt->QuickRep->textDump();
    EXPECT_EQ(receipt->modo(), 7) << "outside the model only the exit time reads the mode";
    receipt->release();
    qrAssOSComprovante.clear();
}

TEST_F(OrdemServicoDocumentosTest, AnOpenRemanufactureOrderUnderModelPPrintsNoServiceQuantitiesOrTotals)
{
    parametro("ATMODOIMPRESSAOOS", "P");
    parametro("ATOPCAODOCUMENTOOS", "S");
    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Não", "Deseja Centralizar Página?");
    int modo = 0;
    double margem = -1;
    QString dump;
    aguardarPrevia(dump, {}, [&] {
        modo = qrAssOSComprovante->modo();
        margem = qrAssOSComprovante->QuickRep->page().margins.left;
    });
    form.bbImprimir->click();
    EXPECT_EQ(modo, 21);
    EXPECT_DOUBLE_EQ(margem, 0) << "\"Não\" prints without margins";
    EXPECT_EQ(linhasDe(dump, "qrbnServico"),
              (QStringList{"subDetail qrbnServico: S0001 | Mão de obra técnica (hora)",
                           "subDetail qrbnServico: S0003 | Limpeza e revisão preventiva"}));
    EXPECT_EQ(linhasDe(dump, "qrbnCabServico"),
              QStringList{"groupHeader qrbnCabServico: Despesas com Serviços | Código | Descrição"});
}

TEST_F(OrdemServicoDocumentosTest, TheNarrowReceiptPrintsTheInternalCodeWithoutSerialAndPaddedPartValues)
{
    exec("update AATC01AOIT set AOITSERIE = null, AOITCODIGOINTERNO = 'INT-77', AOITGARANTIA = '1'"
         " where AOITCODIGO = 421");
    exec("update AATC01AP set APQUANTIDADE = 12, APVALUNITARIO = 1234.5, APVALTOTAL = 14814 where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    (void)form;
    TqrAssOSComprovanteEqto* narrow = qrAssOSComprovanteEqto.create();
    const QString dump = narrow->QuickRep->textDump();
    EXPECT_EQ(linhasDe(dump, "qrsdEquipamentos").value(0),
              "subDetail qrsdEquipamentos: Equipamento: Máquina de café expresso | Modelo: Lirika | "
              "Cód. Int.: INT-77 | Marca: Saeco | Status: Garantia Fábrica");
    EXPECT_EQ(linhasDe(dump, "qrsdPecas"),
              QStringList{"subDetail qrsdPecas: P0005    Correia de transmissão | "
                          "Qtde: 12,00  Unit.: 1.234,50  Total: 14.814,00"});
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnTitulo").value(0), "Endereço: Avenida Paulista, 1500 - Bela Vista"));
    narrow->release();
    qrAssOSComprovanteEqto.clear();
}

TEST_F(OrdemServicoDocumentosTest, HistoriesLeaveOutUnauthorisedLinesWhereTheOptionSaysAndTheReceiptNoteKeepsThem)
{
    parametro("ATOPCAODOCUMENTOOS", "O");
    parametro("ATPRODUTOGENERICO1", "S0001");
    exec("update AATC01AP set APAUTORIZADO = 'N' where AOCODIGO = 42");
    exec("update AATC01AA set AAOBSERVACAO = 'Troca do pressostato' where AOCODIGO = 42 and AACODIGO = 1");
    exec("update AUGC0301 set CLENDERECO = 'Rua B', CLENDNUMERO = '45', CLENDCOMPLEMENTO = ' ap 3'"
         " where CODIGO_CLIENTE = '00002'");
    TfmAssOrdemServico& form = abrir();
    QString dump = documento(form, "Histórico");
    EXPECT_TRUE(linhasDe(dump, "qrsdDespPecas").isEmpty()) << dump.toStdString();
    EXPECT_EQ(linhasDe(dump, "qrsdServico").value(0),
              "subDetail qrsdServico: S0001 | Troca do pressostato | 1,00 | 120,00 | 120,00")
        << "a generic product prints the line's note";
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0),
                    "Endereço: | Avenida Paulista, 1500 | Rua B, 45 ap 3, Bela Vista, São Paulo/SP"));

    dump = documento(form, "Recibo");
    EXPECT_EQ(linhasDe(dump, "qrsdDespPecas"),
              QStringList{"subDetail qrsdDespPecas: P0005 | Correia de transmissão | 1,00 | 35,50 | 35,50"});

    parametro("ATMODOVEICULO", "O");
    dump = documento(form, "Histórico");
    EXPECT_TRUE(linhasDe(dump, "qrsdPecas").isEmpty()) << dump.toStdString();
    parametro("ATHISTORICOOFICINANF", "A");
    dump = documento(form, "Histórico");
    EXPECT_EQ(linhasDe(dump, "qrsdPecas").size(), 1) << "the NA variant prints every line";
}

TEST_F(OrdemServicoDocumentosTest, AHistoryWithoutPartsHasNoPartsCaption)
{
    exec("delete from AATC01AP where AOCODIGO = 42");
    exec("update AATC01AO set AOVALORPECAS = 0 where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    const QString dump = documento(form, "Histórico");
    EXPECT_FALSE(tem(dump, "Despesas com Peças")) << dump.toStdString();
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0), "Status: | Serviço em Andamento"))
        << "the open order's status in words, not its code";
    EXPECT_EQ(linhasDe(dump, "qrsdServico").size(), 2);
}

TEST_F(OrdemServicoDocumentosTest, WorkshopHistoriesPrintNetUnitValuesTheStockMarkAndTheMunicipalRegistration)
{
    parametro("ATMODOVEICULO", "O");
    parametro("ATPRECOUNITARIOLIQUIDOOS", "2");
    exec("update AATC01AP set APQUANTIDADE = 2, APVALUNITARIO = 40, APVALTOTAL = 71 where AOCODIGO = 42");
    exec("update ACEC1101 set ESTOQUE = -1, PRDESCRICAOCOMERCIAL = 'Correia PU 5mm' where CODIGO = 'P0005'");
    exec("update AUGC0301 set INSCRICAO_MUNICIPAL = '998877' where CODIGO_CLIENTE = '00002'");
    TfmAssOrdemServico& form = abrir();
    QString dump = documento(form, "Histórico");
    EXPECT_EQ(linhasDe(dump, "qrsdPecas"),
              QStringList{"subDetail qrsdPecas: P0005 | Correia de transmissão | 2,00 | 35,50 | 71,00"});
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0), "CNPJ:  | 23.456.789/0001-95 | Insc. Est.:  |"))
        << dump.toStdString();
    EXPECT_FALSE(tem(dump, "998877"));

    parametro("ATHISTORICOOFICINANF", "A");
    dump = documento(form, "Histórico");
    EXPECT_EQ(linhasDe(dump, "qrsdPecas"),
              QStringList{"subDetail qrsdPecas: P0005 |  * Correia PU 5mm | 2,00 | 35,50 | 71,00"});
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnCliente").value(0), "Insc. Mun.: | 998877"));
}

TEST_F(OrdemServicoDocumentosTest, TheCollectionFormPrintsTwoPagesPerLineOfTheCarrierAsked)
{
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('T0001', 'Rápido Sul Transportes', 'T')");
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('T0002', 'Outra Transportadora', 'T')");
    for (int i = 1; i <= 4; ++i)
        exec(QString("insert into AATC01AX (AOCODIGO, AXCODIGO, AXNUMERO, AXVALOR, FOCODIGOTRANSPORTADOR, AXTIPO)"
                     " values (42, %1, '00%1', 10, '%2', 'Coleta')")
                 .arg(i)
                 .arg(i == 2 ? "T0002" : "T0001"));
    TfmAssOrdemServico& form = abrir();
    form.pcOrdemServico->setActivePage(form.tsDespesaExtra);
    form.pcOrdemServicoChange();
    dmTec->quOSDespExtra->first();
    dialogs->answer("Sim", "Deseja imprimir controle de distribuição para esse transportador?");
    const QString dump = previsto([&] { form.dbgdOrdemServicoDespExtra->onDblClick(); }, "qrAssOSColetaImp_42.pdf");
    EXPECT_TRUE(tem(dump, "== page 6/6 ==")) << dump.toStdString();
    EXPECT_FALSE(tem(dump, "Outra Transportadora")) << "only the carrier asked about";
    const QStringList primeiras = linhasDe(dump, "QRBand1");
    ASSERT_EQ(primeiras.size(), 3);
    EXPECT_TRUE(primeiras[0].startsWith("detail QRBand1: Controle de Distribuição | 1ª. VIA | Assistência Técnica")) << primeiras[0].toStdString();
    EXPECT_TRUE(tem(primeiras[0], "Forma de Pgto: | À vista")) << primeiras[0].toStdString();
    EXPECT_EQ(linhasDe(dump, "ChildBand2").size(), 3);
}

TEST_F(OrdemServicoDocumentosTest, TheBudgetsPrintTheForecastTheHourPricesAndTheStandardTexts)
{
    exec("delete from ALFC2601 where CODIGO = '997'");
    exec("update AATC01AO set AOPREVLIBERACAO = 5 where AOCODIGO = 42");
    exec("update AATC04AH set AHHORA3 = 99 where AHCODIGO = 1");
    TfmAssOrdemServico& form = abrir();
    QString dump = orcamento(form, "Resumido");
    const QString total = linhasDe(dump, "qrbnTotal").value(0);
    EXPECT_TRUE(tem(total, "Condições de Pagamento: | À vista | Prazo de execução")) << total.toStdString();
    EXPECT_FALSE(tem(total, "30/60")) << "text 997 is missing: an empty text";
    EXPECT_TRUE(total.endsWith("Garantia de 90 dias para peças e serviços.    | Atenciosamente,"));

    dump = orcamento(form, "Completo");
    EXPECT_TRUE(tem(linhasDe(dump, "qrbnRodItens").value(0), "aprovação: | 5 | dias |")) << dump.toStdString();
    const QStringList servicos = linhasDe(dump, "qrsdServicos");
    ASSERT_EQ(servicos.size(), 2);
    EXPECT_TRUE(tem(servicos[0], "Variado")) << servicos[0].toStdString();
    EXPECT_TRUE(tem(servicos[0], "Valores da Hora Técnica (Variada): 120,00  120,00  99,00")) << servicos[0].toStdString();

    exec("update AATC04AH set AHHORA3 = AHHORA1 where AHCODIGO = 1");
    exec("update AATC01AO set AOPREVLIBERACAO = 0, AOIMPRIMIRLAUDO = 'N' where AOCODIGO = 42");
    CarregaOrdemServico(42);
    dump = orcamento(form, "Completo");
    const QString rodape = linhasDe(dump, "qrbnRodItens").value(0);
    EXPECT_TRUE(tem(rodape, "aprovação: | Imediato")) << rodape.toStdString();
    EXPECT_FALSE(tem(rodape, "Causa:")) << "no technical-report block";
    EXPECT_TRUE(tem(rodape, "Produtos Utilizados (Peças) | Código")) << rodape.toStdString();
    EXPECT_TRUE(tem(linhasDe(dump, "qrsdServicos").value(0), "Hora técnica normal | 120,00 |"));
    EXPECT_FALSE(tem(dump, "Variado"));
}

// A tax number typed only for the branch prints on the budget, as on the
// other documents.
TEST_F(OrdemServicoDocumentosTest, TheBudgetPrintsTheBranchsTaxNumber)
{
    exec("update EA set CNPJ = '12.345.678/0001-90'");
    exec("update EMPRESA set CICCGC = null");
    dmGlobal->CarregaEmpresa();
    TfmAssOrdemServico& form = abrir();
    EXPECT_TRUE(tem(orcamento(form, "Completo"), "12.345.678/0001-90"));
}

TEST_F(OrdemServicoDocumentosTest, ACompleteBudgetWithoutLinesHasNoPartsHeader)
{
    exec("delete from AATC01AP where AOCODIGO = 42");
    exec("delete from AATC01AA where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    const QString dump = orcamento(form, "Completo");
    EXPECT_FALSE(tem(dump, "Produtos Utilizados")) << dump.toStdString();
}

TEST_F(OrdemServicoDocumentosTest, AReportTextLongerThanAPageGoesOnAcrossPages)
{
    QStringList palavras;
    for (int i = 1; i <= 900; ++i)
        palavras << "palavra" + QString::number(i);
    exec("update AATC01AO set AODESCRICAOLAUDO = '" + palavras.join(' ') + "' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    const QString dump = documento(form, "Comprovante");
    // The text goes on across pages: every word once, in order.
    const QStringList partes = linhasDe(dump, "qrbnObservacao");
    EXPECT_GE(partes.size(), 2);
    const QString laudo = partes.join('\n');
    EXPECT_TRUE(tem(partes.value(0), "palavra1 palavra2")) << dump.left(400).toStdString();
    EXPECT_TRUE(tem(partes.value(partes.size() - 1), "palavra900"));
    EXPECT_EQ(laudo.count("palavra"), 900);
    EXPECT_LT(laudo.indexOf("palavra450 "), laudo.indexOf("palavra451 "));
}

TEST_F(OrdemServicoDocumentosTest, TheHeaderPhotoComesFromThePhotoTableOfTheStockLocationInVehicleCaptions)
{
    QImage foto(40, 20, QImage::Format_RGB32);
    foto.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    foto.save(&buffer, "BMP");
    exec("insert into FOTO (FTCODIGO, FTID, FTSEQUENCIA, FTFOTO) values ('OSSERVICO', 'A', 0, :foto)",
         {{"foto", bytes}});
    parametro("ATMODOVEICULO", "O");
    TfmAssOrdemServico& form = abrir();
    (void)form;
    TqrAssOSComprovante* receipt = qrAssOSComprovante.create();
    receipt->qrimLogoTipo2->setEnabled(true);
    const QString dump = receipt->QuickRep->textDump();
    const QString arquivo = QDir(systemFolder).filePath("FotoTmpPV.bmp");
    EXPECT_TRUE(QFile::exists(arquivo)) << "no row for the location \"001\": the plain code's photo";
    EXPECT_EQ(QImage(arquivo).size(), QSize(40, 20));
    const QString item = linhasDe(dump, "qrsdItensOS").value(0);
    EXPECT_TRUE(item.startsWith("subDetail qrsdItensOS: Chassi: | SAE-LR-20931 | Veículo: | Máquina de café expresso"))
        << item.toStdString();
    EXPECT_TRUE(tem(item, "Placa:"));
    EXPECT_FALSE(tem(item, "Defeito:")) << "vehicles have no defect caption";
    EXPECT_FALSE(tem(item, "Quantidade:"));
    receipt->release();
    qrAssOSComprovante.clear();
}

TEST_F(OrdemServicoDocumentosTest, AFailingPreviewLeavesThePrintButtonOnAndTheDetailsClosed)
{
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Comprovante");
    dialogs->modal("fmVisualizadorRelatorio",
                   [](host::ui::Form&) { throw host::report::ReportError("Falha ao desenhar a página"); });
    dialogs->acknowledge("Falha ao desenhar a página");
    form.bbImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(form.bbImprimir->isEnabled()) << "on again after a failing document";
    EXPECT_EQ(qrAssOSComprovante.get(), nullptr) << "freed";
    EXPECT_FALSE(dmTec->quOSPecas->active()) << "the details closed";
}

// Every document of order 42 as a PDF beside the test program.
TEST_F(OrdemServicoDocumentosTest, EveryDocumentOfOrder42AsAPdf)
{
    TfmAssOrdemServico& form = abrir();
    QStringList arquivos;
    auto pdf = [&arquivos](const QString& nome) {
        arquivos << nome;
        return nome;
    };
    documento(form, "Comprovante", pdf("qrAssOSComprovante_42.pdf"));
    documento(form, "Histórico", pdf("qrAssOSHistorico_42.pdf"));
    documento(form, "Recibo", pdf("qrAssOSRecibo_42.pdf"));
    orcamento(form, "Resumido", pdf("qrAssOSOrcamento_42.pdf"));
    orcamento(form, "Completo", pdf("qrAssOSOrcamentoCompleto_42.pdf"));
    dialogs->acknowledge("Selecione").cancel().answer("Courier New");
    previsto([&] { form.sbImpRapida->click(); }, pdf("qrAssOSComprovanteEqto_42.pdf"));
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    previsto([&] { form.bbOSInterna->click(); }, pdf("qrAssOSComprovante_42_interna.pdf"));
    parametro("ATIMPRIMECOMPROVANTEOS", "");
    parametro("ATMODOVEICULO", "O");
    documento(form, "Histórico", pdf("qrAssOSHistoricoOficina_42.pdf"));
    parametro("ATHISTORICOOFICINANF", "A");
    documento(form, "Histórico", pdf("qrAssOSHistoricoOficinaNA_42.pdf"));
    for (const QString& nome : arquivos) {
        const QString caminho = arquivoArtefato(nome);
        QProcess qpdf;
        qpdf.start("qpdf", {"--check", caminho});
        ASSERT_TRUE(qpdf.waitForFinished(30000));
        EXPECT_EQ(qpdf.exitCode(), 0) << nome.toStdString();
        QProcess texto;
        texto.start("pdftotext", {caminho, "-"});
        ASSERT_TRUE(texto.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(texto.readAllStandardOutput()).contains("000000042") ||
                    nome.contains("Eqto"))
            << nome.toStdString();
    }
}

}  // namespace
}  // namespace moduletest
