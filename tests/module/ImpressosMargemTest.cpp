// Printed forms of a customer whose name, tax number and address are as long
// as real ones, printed through the windows' print buttons on the
// demonstration company: every word of the PDF, as poppler reads it back,
// lies between the page's margins, and no field prints over another.

#include "tests/module/ImpressosLocacaoFixture.h"
#include "tests/module/PalavrasPdf.h"

#include "contracts/uAssBasicoContratos.h"
#include "contracts/uAssContCad.h"
#include "contracts/uAssContObj.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/schema/HostSchema.h"
#include "host/ui/ScriptedDialogs.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

namespace moduletest {
namespace {

using host::report::PreparedReport;

class ImpressosMargemTest : public ImpressosLocacaoTest {
protected:
    void SetUp() override
    {
        ImpressosLocacaoTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate::currentDate()));
        // As a real company's register holds them: names and addresses at
        // the length the register allows.
        for (const char* cliente : {"00002", "00003", "00004", "00005"})
            exec("update AUGC0301 set NOME = :NOME, CGC_CNPJ = :CNPJ, ENDERECO = :ENDERECO, BAIRRO = :BAIRRO,"
                 " CIDADE = :CIDADE where CODIGO_CLIENTE = :CLIENTE",
                 {{"NOME", QString::fromUtf8("Companhia Paulista de Equipamentos Médicos e Hospitalares SA")},
                  {"CNPJ", kCnpj},
                  {"ENDERECO", QString::fromUtf8("Avenida Governador Carvalho Pinto de Albuquerque, 12345 s8")},
                  {"BAIRRO", QString::fromUtf8("Jardim Residencial Sta. Mônica")},
                  {"CIDADE", QString::fromUtf8("São José do Rio Preto")},
                  {"CLIENTE", QString::fromLatin1(cliente)}});
        tr().commitRetaining();
    }
    // The answers to the questions the button asks, and the questions.
    using Respostas = std::vector<std::pair<QString, QString>>;
    // The pages of the viewer the click opens: modal, or left open.
    std::shared_ptr<const PreparedReport> imprime(const Respostas& respostas, QPushButton* botao, bool modal)
    {
        for (const auto& [resposta, pergunta] : respostas)
            dialogs->answer(resposta, pergunta);
        if (!modal) {
            botao->click();
            return previa();
        }
        std::shared_ptr<const PreparedReport> paginas;
        dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
            paginas = std::make_shared<PreparedReport>(static_cast<TfmVisualizadorRelatorio&>(janela).pages());
            janela.close();
        });
        botao->click();
        return paginas;
    }
    // The viewer's pages written to PDF and read back: they hold the text
    // and nothing of it is out of place.
    void confere(const Respostas& respostas, QPushButton* botao, bool modal, const QString& nome,
                 const QString& contem)
    {
        const auto paginas = imprime(respostas, botao, modal);
        ASSERT_TRUE(paginas) << nome.toStdString();
        const QString pdf = testsupport::uniqueFile(nome, ".pdf");
        paginas->exportPdf(pdf);
        QStringList textos;
        QStringList achados;
        int numero = 0;
        ultimasPaginas = palavrasDoPdf(pdf);
        for (const PaginaPdf& pagina : ultimasPaginas) {
            achados << foraDoLugar(pagina, ++numero, paginas->page.margins);
            for (const PalavraPdf& p : pagina.palavras)
                textos << p.texto;
        }
        EXPECT_GT(numero, 0) << nome.toStdString();
        EXPECT_TRUE(textos.join(' ').contains(contem)) << nome.toStdString() << ": " << textos.join(' ').toStdString();
        EXPECT_EQ(achados, QStringList{}) << nome.toStdString();
        QFile::remove(pdf);
    }
    // The words of the pages last checked.
    std::vector<PaginaPdf> ultimasPaginas;
    // Words printed smaller than a reader reads, or cut short ("…").
    QStringList ilegiveis() const
    {
        constexpr double kMenorAltura = 6;   // points: a 7-point text's box
        QStringList achados;
        for (const PaginaPdf& pagina : ultimasPaginas)
            for (const PalavraPdf& p : pagina.palavras)
                if (p.caixa.height() < kMenorAltura || p.texto.contains(QChar(0x2026)))
                    achados << QString("\"%1\" de %2 pt").arg(p.texto).arg(p.caixa.height(), 0, 'f', 1);
        return achados;
    }
    static inline const QString kCnpj = QStringLiteral("12.345.678/0001-90");
};

TEST_F(ImpressosMargemTest, TheRentalContractAndProtocolOfBothRegistersKeepALongCustomerInside)
{
    const QString tipo = "Selecione o tipo de documento que deseja imprimir:";
    const QString modelo = "Qual modelo de Protocolo deseja imprimir?";
    parametro("ATOPCAOCONTRATO", "Q");
    TfmAssContLocacao& locacao = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(3);
    confere({{"Contrato", tipo}}, locacao.btImprimir, true, "contrato-locacao", kCnpj);
    confere({{"Protocolo", tipo}, {"Entrega", modelo}}, locacao.btImprimir, true, "protocolo-entrega", kCnpj);
    locacao.close();

    const QString tipoEquipamentos = "Selecione o Tipo de Documento que deseja imprimir:";
    TfmAssContCadLocEquip& equipamentos = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    CarregaContrato(3);
    confere({{"Contrato", tipoEquipamentos}}, equipamentos.btImprimir, false, "contrato-equipamentos",
            "Companhia Paulista");
    confere({{"Protocolo", tipoEquipamentos}, {"Entrega", modelo}}, equipamentos.btImprimir, false,
            "protocolo-equipamentos", "Companhia Paulista");
}

TEST_F(ImpressosMargemTest, TheServiceContractKeepsALongCustomerInItsColumn)
{
    TfmAssBasicoContratos& form = abrirJanela(fmAssBasicoContratos, "fmAssContratos");
    dmTec->CarregaContrato(1);
    confere({{"Completo", "Deseja imprimir o relatório resumido ou completo?"}}, form.bbRelatorio, true,
            "contrato-servico", "Companhia Paulista");
}

// The listing of a register's query ("Relatório"): the columns it prints are
// readable and whole, the first ones (the record's number among them)
// included, inside the margins.
TEST_F(ImpressosMargemTest, TheRegistersListingsPrintReadableWholeColumnsInsideTheMargins)
{
    TfmAssContCad& contratos = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(1);
    const QString numero = dmTecContrato->quCtrCadastro->fieldByName("ACNUMEROCONTRATO")->asString();
    ASSERT_FALSE(numero.isEmpty());
    confere({}, contratos.bbRelatorio, true, "relatorio-contratos", numero);
    EXPECT_EQ(ilegiveis(), QStringList{});
    contratos.close();

    TfmAssContObj& objetos = abrirJanela(fmAssContObj, "fmAssContObj");
    dmTecContrato->CarregaObjeto(1);
    const QString objeto = dmTecContrato->quCtrObjeto->fieldByName("AJCODIGO")->asString();
    confere({}, objetos.bbRelatorio, true, "relatorio-objetos", objeto);
    EXPECT_EQ(ilegiveis(), QStringList{});
}

// The order's receipt and both budgets, from the order window's buttons.
TEST_F(ImpressosMargemTest, TheOrdersReceiptAndBudgetsKeepALongCustomerInside)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    confere({}, form->bbImprimir, true, "comprovante-ordem", "Companhia Paulista");
    const QString qual = "Deseja imprimir Orçamento Resumido ou Completo?";
    confere({{"Completo", qual}}, form->bbOrcamento, true, "orcamento-completo", "Companhia Paulista");
    confere({{"Resumido", qual}}, form->bbOrcamento, true, "orcamento-resumido", "Companhia Paulista");
}

}  // namespace
}  // namespace moduletest
