// The delivery and pick-up protocol by text dump on fixture contracts: the
// bands of each kind, the order of the groups, the serial column line by
// line, the date line, the generic product, the PDF and its statements.

#include "tests/module/CheckoutFixture.h"

#include "host/report/Report.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>

namespace moduletest {
namespace {

using host::report::PlacedBand;

TqrAssCheckoutProtocolo& protocolo(int contrato, const QString& tipo)
{
    TqrAssCheckoutProtocolo* p = qrAssCheckoutProtocolo;
    if (!p)
        p = qrAssCheckoutProtocolo.create();
    p->Preparar(contrato, tipo);
    return *p;
}

std::vector<const PlacedBand*> bandas(const host::report::PreparedReport& paginas, const QString& nome)
{
    std::vector<const PlacedBand*> achadas;
    for (const auto& pagina : paginas.pages)
        for (const PlacedBand& b : pagina.bands)
            if (b.name == nome)
                achadas.push_back(&b);
    return achadas;
}

TEST_F(CheckoutTest, ProtocolBandsFollowTheKind)
{
    contratoProtocolo(7501, 2);
    TqrAssCheckoutProtocolo& p = protocolo(7501, "Entrega");
    QString texto = p.QuickRep1->textDump();
    EXPECT_TRUE(texto.contains("Protocolo de Entrega")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("chbnEntrega"));
    EXPECT_TRUE(texto.contains("qrbnAssinatura"));
    EXPECT_FALSE(texto.contains("qrbnRetirada"));
    EXPECT_TRUE(texto.contains("LOC-7501"));
    EXPECT_TRUE(texto.contains("Contato 2")) << "the delivery contact";

    p.Preparar(7501, "Retirada");
    texto = p.QuickRep1->textDump();
    EXPECT_TRUE(texto.contains("Protocolo de Retirada"));
    EXPECT_TRUE(texto.contains("qrbnRetirada"));
    EXPECT_FALSE(texto.contains("chbnEntrega"));
    EXPECT_FALSE(texto.contains("qrbnAssinatura"));
    EXPECT_TRUE(texto.contains("Documento | Nota Fiscal")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Contato 3")) << "the pick-up contact";

    p.Preparar(7501, "outro");   // keeps the pick-up layout
    EXPECT_TRUE(p.QuickRep1->textDump().contains("Protocolo de Retirada"));
}

TEST_F(CheckoutTest, ProtocolPrintsEquipmentBeforeComplementsAndEachLineItsOwnSerials)
{
    contratoProtocolo(7502, 2);
    TqrAssCheckoutProtocolo& p = protocolo(7502, "Entrega");
    p.QuickRep1->prepare();
    const host::report::PreparedReport& paginas = *p.QuickRep1->prepared();
    const QStringList linhas = paginas.bandLines();
    const int equipamentos = linhas.indexOf(QRegularExpression(".*qrbnGrupo.*Equipamentos.*"));
    const int complementos = linhas.indexOf(QRegularExpression(".*qrbnGrupo.*Complementos.*"));
    ASSERT_GE(equipamentos, 0);
    EXPECT_GT(complementos, equipamentos);

    const auto itens = bandas(paginas, "qrbnEquipamentos");
    ASSERT_EQ(itens.size(), 3u);
    ASSERT_NE(itens[0]->item("qrmeSerie"), nullptr);
    EXPECT_EQ(itens[0]->item("qrmeSerie")->text, "A1\nB2");
    const host::report::PlacedItem* segunda = itens[1]->item("qrmeSerie");
    EXPECT_TRUE(!segunda || segunda->text.isEmpty()) << "a line without serial text after one with";
    EXPECT_TRUE(itens[1]->item("qrmeDescricao")->text.startsWith("Placa-mãe para notebook"));
}

TEST_F(CheckoutTest, ProtocolDateLineDocumentTextsAndAMissingContract)
{
    using namespace uAssCheckoutProtocolo;
    EXPECT_EQ(LocalData(" Campinas ", QDate(2024, 3, 5)), "Campinas, 05 de março de 2024");
    EXPECT_EQ(TextoComprovante("R"), "Recibo");
    EXPECT_EQ(TextoComprovante("C"), "Carta de Devolução");
    EXPECT_EQ(TextoComprovante("X"), "");

    TqrAssCheckoutProtocolo& p = protocolo(999999, "Entrega");
    p.QuickRep1->prepare();
    EXPECT_EQ(p.QuickRep1->pageCount(), 1);
    EXPECT_TRUE(bandas(*p.QuickRep1->prepared(), "qrbnEquipamentos").empty());
    EXPECT_FALSE(bandas(*p.QuickRep1->prepared(), "qrbnCabecalho").empty());
}

TEST_F(CheckoutTest, ProtocolDescribesAGenericProductByTheContractNoteAndAddsTheComposition)
{
    parametro("ATPRODUTOGENERICO1", "P0009");
    parametro("ATPRODUTOGENERICO2", "P0002");   // either parameter names a generic product
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contratoProtocolo(7503, 2, false);
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('7503', 'U', -1, 'Kit sob medida')");
    exec("insert into AGPC03CM (CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, PRCODIGO) values (1, 'P0005', 1, 'P0001')");
    exec("update ACEC1101 set PRDESCRICAOCOMERCIAL = 'Correia reforçada' where CODIGO = 'P0005'");
    tr().commitRetaining();
    TqrAssCheckoutProtocolo& p = protocolo(7503, "Entrega");
    p.QuickRep1->prepare();
    const auto itens = bandas(*p.QuickRep1->prepared(), "qrbnEquipamentos");
    ASSERT_EQ(itens.size(), 2u);
    EXPECT_EQ(itens[1]->item("qrmeDescricao")->text, "Kit sob medida");
    EXPECT_TRUE(itens[0]->item("qrmeDescricao")->text.endsWith("\nItens Composição: \nP0005 - Correia reforçada"))
        << itens[0]->item("qrmeDescricao")->text.toStdString();
}

TEST_F(CheckoutTest, ProtocolExportsAValidPdf)
{
    contratoProtocolo(7504, 3);
    TqrAssCheckoutProtocolo& p = protocolo(7504, "Entrega");
    const QString pdf = testsupport::uniqueFile("protocolo", ".pdf");
    p.QuickRep1->exportPdf(pdf);
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess qpdf;
    qpdf.start("qpdf", {"--check", pdf});
    ASSERT_TRUE(qpdf.waitForFinished(30000));
    EXPECT_EQ(qpdf.exitCode(), 0) << qpdf.readAllStandardOutput().toStdString();
    EXPECT_EQ(p.QuickRep1->page().paperSize(), QSizeF(210, 279));
    QFile::remove(pdf);
}

// 20 lines cost one serial query for each line with serial text, nothing else per line.
TEST_F(CheckoutTest, ProtocolRunsOneSerialQueryPerLineWithSerials)
{
    contratoProtocolo(7505, 2, false);
    contratoProtocolo(7506, 20, false);
    auto contar = [](int contrato) {
        TqrAssCheckoutProtocolo& p = protocolo(contrato, "Entrega");
        testsupport::StatementCounter contador;
        p.Preparar(contrato, "Entrega");
        p.QuickRep1->prepare();
        return std::pair{contador.count(), contador.prepares()};
    };
    contar(7505);   // the first use prepares what later ones keep
    const auto dois = contar(7505);
    const auto vinte = contar(7506);
    EXPECT_EQ(vinte.first - dois.first, 9) << "10 lines with serials against 1";
    EXPECT_EQ(vinte.second, dois.second);
    EXPECT_EQ(dois.first, 2 + 1);
}

}  // namespace
}  // namespace moduletest
