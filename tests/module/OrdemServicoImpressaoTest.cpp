// The print dispatcher of the service-order window, driven through its
// buttons on order 42: which document each button, parameter and answer
// prints, the "Cancelar" way out, the rapid receipt's printer, and the
// statements each document costs.

#include "tests/module/OrdemServicoImpressaoFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Impressoras.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOSComprovante.h"
#include "service_orders/uAssOSComprovanteEqto.h"
#include "service_orders/uAssOrdemServicoImpressao.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QPushButton>

#include <optional>

namespace moduletest {
namespace {

TEST_F(OrdemServicoImpressaoTest, TheReceiptParameterPrintsTheReceiptAtOnceInTheModeOfTheOrder)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    exec("update AATC01AO set AOREMANUFATURA = 'C' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    int modo = 0;
    QString dump;
    aguardarPrevia(dump, {}, [&modo] { modo = qrAssOSComprovante->modo(); });
    form.bbImprimir->click();
    EXPECT_EQ(modo, 21) << "a purchase order prints in mode 21, without a question";
    EXPECT_EQ(linhasDe(dump, "qrbnCliente").size(), 1);
    EXPECT_EQ(qrAssOSComprovante.get(), nullptr) << "freed once the viewer is closed";
    EXPECT_TRUE(form.bbImprimir->isEnabled());

    aguardarPrevia(dump, {}, [&modo] { modo = qrAssOSComprovante->modo(); });
    form.bbOSInterna->click();
    EXPECT_EQ(modo, 22);

    dialogs->answer("Resumido", "Deseja imprimir Orçamento Resumido ou Completo?");
    dump = previsto([&] { form.bbOrcamento->click(); });
    EXPECT_EQ(linhasDe(dump, "qrbnOrcamento").size(), 1) << "the budget still asks which one";
    EXPECT_TRUE(form.bbOrcamento->isEnabled());
    EXPECT_EQ(sEmailDestino, "compras@paoquente.com.br") << dump.toStdString();
}

TEST_F(OrdemServicoImpressaoTest, WithoutThePrintParametersTheInternalOrderAndTheReceiptNoteKindPrintNothing)
{
    TfmAssOrdemServico& form = abrir();
    form.bbOSInterna->click();
    ImprimirOrdemdeServico(iosRecibo);
    EXPECT_TRUE(dialogs->shown().empty()) << dialogs->texts().join(" / ").toStdString();
    EXPECT_FALSE(dmTec->quOSPecas->active()) << "the details are closed again";
}

TEST_F(OrdemServicoImpressaoTest, CancelLeavesTheOrderSavedThePrintButtonOnAndTheActiveTabReopened)
{
    TfmAssOrdemServico& form = abrir();
    form.pcOrdemServico->setActivePage(form.tsServico);
    form.pcOrdemServicoChange();
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Dona Rita");
    dialogs->answer("Cancelar", "Deseja imprimir Comprovante, Histórico ou Recibo");
    form.bbImprimir->click();
    EXPECT_EQ(dialogs->texts(), QStringList{"Deseja imprimir Comprovante, Histórico ou Recibo"});
    EXPECT_TRUE(form.bbImprimir->isEnabled());
    EXPECT_EQ(gravado("select AOCONTATO from AATC01AO where AOCODIGO = 42").toString(), "Dona Rita")
        << "saved before any document";
    EXPECT_TRUE(dmTec->quOSAndamento->active()) << "the services tab has its lines back";
    EXPECT_FALSE(dmTec->quOSPecas->active());
    EXPECT_FALSE(dmTec->quOSDespViagem->active());
}

TEST_F(OrdemServicoImpressaoTest, ADoubleClickOnTheAccessoriesPrintsThermalLabelsOfTheSavedOrder)
{
    const QString porta = systemFolder + "/etiquetas.prn";
    QFile ini(systemFolder + "/ACfgImpT.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Configuração_Impressora_Térmica]\n" + porta + "\n").toUtf8());
    ini.close();
    TfmAssOrdemServico& form = abrir();
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Dona Rita");
    dialogs->answer("Equipamento", "Deseja imprimir etiqueta para equipamento ou para acessório?")
        .enter("1", "Informe a quantidade de etiquetas");
    form.dbgdAcessorios->onDblClick();
    EXPECT_EQ(dialogs->pending(), 0);
    QFile arquivo(porta);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arquivo.readAll().contains("Solicitante: Dona Rita")) << "the label shows the saved order";
    EXPECT_EQ(gravado("select AOCONTATO from AATC01AO where AOCODIGO = 42").toString(), "Dona Rita");
    EXPECT_FALSE(dmTec->quOSPecas->active()) << "the details closed again";
}

class ImpressorasDeTeste {
public:
    ImpressorasDeTeste()
    {
        host::report::definirImpressorasInstaladas(QStringList{"Laser Escritório", "Térmica Balcão"});
        host::report::selecionaImpressora(0);
    }
    ~ImpressorasDeTeste() { host::report::definirImpressorasInstaladas(std::nullopt); }
};

TEST_F(OrdemServicoImpressaoTest, TheRapidReceiptAsksItsPrinterOnceAndPutsTheSystemPrinterBack)
{
    ImpressorasDeTeste impressoras;
    TfmAssOrdemServico& form = abrir();
    const QString ini = QDir(systemFolder).filePath("ACIOS40.INI");

    // A cancelled printer dialog writes nothing and prints on the current printer.
    dialogs->acknowledge("Selecione a impressora padrão para OS Modo Rápido").cancel();
    dialogs->answer("Courier New", "Deseja imprimir comprovante com fonte Draft ou Courier New?");
    QString durante;
    QString dump;
    aguardarPrevia(dump, {}, [&durante] { durante = host::report::impressoraAtual(); });
    form.sbImpRapida->click();
    EXPECT_FALSE(QFile::exists(ini));
    EXPECT_EQ(durante, "Laser Escritório");
    EXPECT_EQ(linhasDe(dump, "qrsdEquipamentos").size(), 2);

    dialogs->acknowledge("Selecione a impressora padrão").enter("Térmica Balcão").answer("Courier New");
    aguardarPrevia(dump, {}, [&durante] {
        durante = host::report::impressoraAtual();
        const host::report::Label* os = qrAssOSComprovanteEqto->qrlaOS;
        EXPECT_EQ(os->font().family(), "Courier New");
        EXPECT_NEAR(os->left(), host::report::fromScreenUnits(193), 1e-9);
    });
    form.sbImpRapida->click();
    QFile arquivo(ini);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromUtf8(arquivo.readAll()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"[Impressora_Padrao_Ordem_de_Servico_Modo_Rapido]", "Térmica Balcão"}));
    EXPECT_EQ(durante, "Térmica Balcão") << "the kept printer prints the rapid receipt";
    EXPECT_EQ(host::report::impressoraAtual(), "Laser Escritório") << "and the one before comes back";

    // Known printer: no question about it; "Draft" goes straight to it.
    dialogs->answer("Draft");
    dialogs->acknowledge("Impressora não encontrada: Térmica Balcão");
    form.sbImpRapida->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(host::report::impressoraAtual(), "Laser Escritório") << "put back after a failed print too";
    EXPECT_EQ(qrAssOSComprovanteEqto.get(), nullptr);
}

// Statements of each document of an order, with 2 service lines and 1 part,
// then with 20 of each: only the complete budget reads something per line
// (the hour type of each service line).
TEST_F(OrdemServicoImpressaoTest, EachDocumentCostsTheSameWithTwentyServiceAndTwentyPartsLines)
{
    TfmAssOrdemServico& form = abrir();
    struct Documento {
        const char* nome;
        std::function<void()> imprimir;
    };
    auto resposta = [&](const char* r, QPushButton* botao) {
        return [this, r, botao] {
            dialogs->answer(r);
            QString dump;
            aguardarPrevia(dump);
            botao->click();
        };
    };
    const std::vector<Documento> documentos = {
        {"receipt", resposta("Comprovante", form.bbImprimir)},
        {"history", resposta("Histórico", form.bbImprimir)},
        {"receipt note", resposta("Recibo", form.bbImprimir)},
        {"workshop history", [&, historico = resposta("Histórico", form.bbImprimir)] {
             parametro("ATMODOVEICULO", "O");
             historico();
             parametro("ATMODOVEICULO", "");
         }},
        {"workshop history NA", [&, historico = resposta("Histórico", form.bbImprimir)] {
             parametro("ATMODOVEICULO", "O");
             parametro("ATHISTORICOOFICINANF", "A");
             historico();
             parametro("ATMODOVEICULO", "");
             parametro("ATHISTORICOOFICINANF", "");
         }},
        {"short budget", resposta("Resumido", form.bbOrcamento)},
        {"complete budget", resposta("Completo", form.bbOrcamento)},
        {"rapid receipt", [&] {
             QFile ini(QDir(systemFolder).filePath("ACIOS40.INI"));
             ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
             ini.write("[Impressora_Padrao_Ordem_de_Servico_Modo_Rapido]\n\n");
             ini.close();
             dialogs->answer("Courier New");
             QString dump;
             aguardarPrevia(dump);
             form.sbImpRapida->click();
         }},
    };
    // Each round prints every document once before counting, so that what
    // only a first print does (storing the order's recomputed totals, first
    // preparations) weighs on neither round.
    auto medir = [&] {
        for (const Documento& d : documentos)
            d.imprimir();
        std::vector<std::pair<int, int>> custos;
        for (const Documento& d : documentos) {
            testsupport::StatementCounter contador;
            d.imprimir();
            custos.emplace_back(contador.count(), contador.prepares());
        }
        return custos;
    };
    const auto poucas = medir();
    for (int i = 3; i <= 20; ++i)
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                     " AAVALORTOTAL, AHCODIGO, AAAUTORIZADO) values (42, %1, 421, 'S0001', 1, 10, 10, 1, 'S')")
                 .arg(i));
    for (int i = 2; i <= 20; ++i)
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE,"
                     " APVALUNITARIO, APVALTOTAL, APAUTORIZADO) values (42, %1, 421, 'P0005', 1, 5, 5, 'S')")
                 .arg(i));
    const auto muitas = medir();
    for (size_t i = 0; i < documentos.size(); ++i) {
        std::printf("[ cost ] %s of order 42: %d statements, %d prepared (2 services, 1 part); %d, %d (20 and 20)\n",
                    documentos[i].nome, poucas[i].first, poucas[i].second, muitas[i].first, muitas[i].second);
        const int porLinha = QByteArray(documentos[i].nome) == "complete budget" ? 18 : 0;
        EXPECT_EQ(muitas[i].first, poucas[i].first + porLinha) << documentos[i].nome;
        EXPECT_EQ(muitas[i].second, poucas[i].second) << documentos[i].nome << ": nothing prepared per line";
    }
}

}  // namespace
}  // namespace moduletest
