// The printed assistance orders (production and rental) and the delivery
// protocol, read back as text dumps of the laid-out pages: the line groups,
// the value and serial rules, the description by mode, the change log at the
// foot, the protocol's lines as printed through its entry routine, the
// statements a print runs, and each order as a valid PDF.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/report/Report.h"
#include "host/report/ReportTypes.h"
#include "module/uPackageAss.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QProcess>

namespace moduletest {
namespace {

using namespace uAssVendasImpRegras;

QString rodaPedidoImp(const QString& programa, const QStringList& argumentos, int* codigo)
{
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(30000);
    *codigo = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The band lines of the dump whose band is named so.
QStringList bandasPedidoImp(const QString& dump, const QString& banda)
{
    QStringList linhas;
    for (const QString& linha : dump.split('\n'))
        if (linha.contains(" " + banda + ":"))
            linhas << linha.mid(linha.indexOf(banda + ":") + banda.size() + 1).trimmed();
    return linhas;
}

TEST(PedidoImpRegras, DescriptionByModeGenericAndConfigurationText)
{
    auto d = [](const char* modo, bool generico, const char* texto, const char* cadastro = "Cadastro") {
        return Descricao({modo, generico, "  Comercial Complemento ", texto, cadastro});
    };
    // mode, generic, line text -> description
    EXPECT_EQ(d("E", false, " Configurado "), "Configurado");
    EXPECT_EQ(d("C", false, " Configurado "), "Comercial Complemento Configurado");
    EXPECT_EQ(d("E", false, "   "), "Cadastro") << "the register's description, not the commercial one";
    EXPECT_EQ(d("C", false, ""), "Comercial Complemento");
    EXPECT_EQ(d("", false, "Configurado"), "  Comercial Complemento ") << "other modes: unchanged";
    EXPECT_EQ(d("S", false, "Configurado"), "  Comercial Complemento ");
    EXPECT_EQ(d("", true, "Texto genérico"), "Texto genérico") << "generic product in any mode";
    EXPECT_EQ(d("E", true, ""), "");
    EXPECT_EQ(Descricao({"E", false, "", QString(10000, 'x'), ""}).size(), 9999);

    EXPECT_TRUE(ProdutoGenerico(" G1 ", "G1", "G2"));
    EXPECT_TRUE(ProdutoGenerico("G2", "", "G2 ")) << "either code";
    EXPECT_FALSE(ProdutoGenerico("", "", "")) << "no generic product configured";
    EXPECT_FALSE(ValorImpresso("P1", "S", "G1", "G2")) << "a complement prints no value";
    EXPECT_FALSE(ValorImpresso("G1", "N", "G1", "G2"));
    EXPECT_TRUE(ValorImpresso("P1", "N", "G1", "G2"));

    EXPECT_EQ(SequenciaTextoLinha(TipoSolicitados(), 3), 3);
    EXPECT_EQ(SequenciaTextoLinha(kTipoConfigurados, 3), -3) << "a configured line's text is stored under -COD";
    EXPECT_EQ(TipoSolicitados().size(), 25);

    EXPECT_EQ(LinhaControleAlteracao(QDateTime(QDate(2024, 3, 5), QTime(0, 0)),
                                     QDateTime(QDate(1899, 12, 30), QTime(14, 7, 59)), "MARIA", "Alterou status"),
              "05/03/24 14:07 MARIA Alterou status");
    EXPECT_EQ(AlturaControleAlteracoes(0), 25);
    EXPECT_EQ(AlturaControleAlteracoes(5), 150);
}

class PedidoImpressaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        uPackageAss::CriarDataTec();
        parametro("ATMODOPEDIDOASSISTENCIA", "");
        parametro("ATPRODUTOGENERICO1", "");
        parametro("ATPRODUTOGENERICO2", "P0005");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANTELEFONE) values (901, 'Ana Contato', '(19)1111-2222')");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME) values (902, 'Gil Gerente')");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME) values (903, 'Edu Entrega')");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME) values (904, 'Cris Cobrança')");
        exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, ANCODIGOCONTATO, ANCODIGOGERENTE,"
             " ANCODIGOENTREGA, ANCODIGOCOBRANCA, VEDATANEGOCIACAO, VEENVIACONTRATO, VECONTRATO, VALOR_TOTAL,"
             " VESUPRIMENTOS, VEVALORSUPRIMENTOS) values ('000777', '00003', 901, 902, 903, 904, '2024-03-05',"
             " 'S', 'CT-77', 1234.5, 'Toner', 80)");
        texto("000777", 100, "Rua da Entrega, 10");
        texto("000777", 101, "Rua da Cobrança, 20");
        solicitado(1, "P0001", 2, 179.8, "N", "");
        solicitado(2, "P0003", 1, 50, "S", "");
        configurado(1, "P0002", 1, 450, "N", "<selecionado>");
        configurado(2, "P0004", 1, 980, "S", "");
        configurado(3, "P0005", 1, 10, "N", "");
        texto("000777", -3, "Item genérico configurado");
        texto("000777", 3, "Texto de outra linha");
        serie(1, "P0002", "B2");
        serie(2, "P0002", "A1");
        serie(3, "P0002", "A1");
        exec("update ACEC1101 set PRDESCRICAOCOMERCIAL = 'Com. ' || DESCRICAO, COMPLEMENTO_DESC = ' (compl.)'"
             " where CODIGO in ('P0001', 'P0002')");
    }
    void solicitado(int cod, const QString& produto, double qtde, double total, const QString& complemento,
                    const QString& serie, const QString& pedido = "000777")
    {
        exec(QString("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, TOTAL_UNIT, VEITCOMPLEMENTO,"
                     " VEITNUMEROSERIE) values ('%1', %2, '%3', %4, %5, '%6', '%7')")
                 .arg(pedido)
                 .arg(cod)
                 .arg(produto)
                 .arg(qtde)
                 .arg(total)
                 .arg(complemento, serie));
    }
    void configurado(int cod, const QString& produto, double qtde, double total, const QString& complemento,
                     const QString& serie)
    {
        exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, TOTAL_UNIT, VEITCOMPLEMENTO,"
                     " VEITNUMEROSERIE) values ('000777', %1, '%2', %3, %4, '%5', '%6')")
                 .arg(cod)
                 .arg(produto)
                 .arg(qtde)
                 .arg(total)
                 .arg(complemento, serie));
    }
    void texto(const QString& codigo, int sequencia, const QString& texto, const QString& id = "V")
    {
        exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:C, :I, :S, :T)",
             {{"C", codigo}, {"I", id}, {"S", sequencia}, {"T", texto}});
    }
    void serie(int codigo, const QString& produto, const QString& numero, const QString& pedido = "000777",
               int contrato = 0)
    {
        exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, VECODIGO, ACCODIGO) values (:N, :S, :P, :V, :A)",
             {{"N", codigo}, {"S", numero}, {"P", produto}, {"V", pedido}, {"A", contrato ? QVariant(contrato) : QVariant()}});
    }
    void log(int n)
    {
        for (int i = 0; i < n; ++i)
            exec(QString("insert into ARQLOG (DATA, HORA, USUARIO, ACAO, TABELA, OBSERVACAO) values ('2024-03-0%1',"
                         " '1899-12-30 10:0%1:00', 'MARIA', 'Ação %1', 'AVEC8501', '000777')")
                     .arg(i + 1));
    }
    QString producao(const QString& pedido = "000777")
    {
        VisualizarPedidoProducaoAssVenda(pedido);
        return qrAssVendasImp->QuickRep1->prepared()->textDump();
    }
    QString locacao()
    {
        VisualizarPedidoLocacaoAssVenda("000777");
        return qrAssVendasImp2->QuickRep1->prepared()->textDump();
    }
};

TEST_F(PedidoImpressaoTest, ProductionOrderGroupsValuesSerialsAndTheGenericText)
{
    const QString dump = producao();
    const QString cabecalho = bandasPedidoImp(dump, "qrbnCabecalho").value(0);
    EXPECT_TRUE(cabecalho.contains("| Pedido de Locação |")) << dump.toStdString();
    EXPECT_TRUE(cabecalho.contains("| Pedido 000777 |"));
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnGrupo"),
              (QStringList{"Equipamentos | Qtde. | Descrição",
                           "Equipamentos Configurados | Qtde. | Descrição | Nro. Série | Valor"}));
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnEquipamentos"),
              (QStringList{"2 | Com. Fonte de alimentação bivolt 110/220V (compl.) | 179,80", "1",
                           "1 | Com. Placa-mãe para notebook (compl.) | A1\\nB2 | 450,00", "1",
                           "1 | Item genérico configurado"}))
        << "a complement and the generic product print no value; serials once each";
    const QString titulo = bandasPedidoImp(dump, "qrbnTitulo").value(0);
    for (const char* parte : {"Cliente | José Antônio Ferreira", "Contato | Ana Contato", "Gerente Conta | Gil Gerente",
                              "Data Negociação | 05/03/2024", "Contato Entrega | Edu Entrega",
                              "End. Entrega | Rua da Entrega, 10", "Valor | 80,00"})
        EXPECT_TRUE(titulo.contains(QString::fromUtf8(parte))) << parte << "\n" << titulo.toStdString();
    for (const QString& origem : {QString("[quImpPedidoOpen]"), QString("[quImpEquipOpen]")}) {
        const QStringList linhas = logDe(origem);
        ASSERT_EQ(linhas.size(), 3) << origem.toStdString();
        EXPECT_EQ(linhas.first(), "***INICIO");
        EXPECT_TRUE(linhas[1].contains("000777"));
        EXPECT_EQ(linhas.last(), "***FIM");
    }
}

// Mode "E" prints the configuration text alone (the register's description
// without one); mode "C" the product's text before it. A configured line's
// text is the one under its negative sequence, never the requested line's.
TEST_F(PedidoImpressaoTest, DescriptionTableOfTheOrderByMode)
{
    texto("000777", 1, "Fonte configurada");
    texto("000777", -1, "Placa configurada");
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    EXPECT_EQ(bandasPedidoImp(producao(), "qrbnEquipamentos"),
              (QStringList{"2 | Fonte configurada | 179,80", "1 | Cartucho de toner preto",
                           "1 | Placa configurada | A1\\nB2 | 450,00", "1 | Compressor de ar-condicionado 12000 BTUs",
                           "1 | Item genérico configurado"}))
        << "without a text, the register's description";
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    const QStringList c = bandasPedidoImp(producao(), "qrbnEquipamentos");
    ASSERT_EQ(c.size(), 5);
    EXPECT_EQ(c[0], "2 | Com. Fonte de alimentação bivolt 110/220V (compl.) Fonte configurada | 179,80");
    EXPECT_EQ(c[2], "1 | Com. Placa-mãe para notebook (compl.) Placa configurada | A1\\nB2 | 450,00");
    EXPECT_EQ(c[3], "1") << "no text under -2, no commercial description";
    // The product's own text replaces its descriptions.
    texto("P0003", -1, "Toner com texto próprio", "P");
    parametro("ATMODOPEDIDOASSISTENCIA", "");
    EXPECT_EQ(bandasPedidoImp(producao(), "qrbnEquipamentos").value(1), "1 | Toner com texto próprio");
}

TEST_F(PedidoImpressaoTest, FiveChangeLogEntriesGiveFiveFooterLinesOneHundredFiftyHigh)
{
    log(5);
    const QString dump = producao();
    const QStringList rodape = bandasPedidoImp(dump, "qrbnRodape");
    ASSERT_EQ(rodape.size(), 1) << dump.toStdString();
    EXPECT_EQ(rodape[0], "01/03/24 10:01 MARIA Ação 1\\n02/03/24 10:02 MARIA Ação 2\\n03/03/24 10:03 MARIA Ação 3"
                         "\\n04/03/24 10:04 MARIA Ação 4\\n05/03/24 10:05 MARIA Ação 5");
    EXPECT_DOUBLE_EQ(qrAssVendasImp->qrrtControleAlteracao->height(), host::report::fromScreenUnits(150));
}

TEST_F(PedidoImpressaoTest, RentalOrderAddsBillingAndValueAndNeverPrintsLineValues)
{
    const QString dump = locacao();
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnCabecalho").value(0).contains("Pedido de Locação e Serviço"));
    const QString titulo = bandasPedidoImp(dump, "qrbnTitulo").value(0);
    for (const char* parte : {"Enviar Contrato | Sim", "Contrato | CT-77", "End. Cobrança | Rua da Cobrança, 20",
                              "Contato Cobrança | Cris Cobrança", "Valor do Pedido: R$ | 1.234,50"})
        EXPECT_TRUE(titulo.contains(QString::fromUtf8(parte))) << parte << "\n" << titulo.toStdString();
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnGrupo"),
              (QStringList{"Equipamentos | Qtde. | Descrição", "Equipamentos Configurados | Qtde. | Descrição"}));
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnEquipamentos").value(2), "1 | Com. Placa-mãe para notebook (compl.) | A1\\nB2");
    EXPECT_TRUE(logDe("[quImpPedidoOpen]").isEmpty()) << "the rental order does not log its queries";
    exec("update AVEC8501 set VEENVIACONTRATO = 'N'");
    EXPECT_TRUE(bandasPedidoImp(locacao(), "qrbnTitulo").value(0).contains("Enviar Contrato | Não"));
}

// A print reads the order, its lines, their texts and the log once, and
// runs one serial query per line that has serials.
TEST_F(PedidoImpressaoTest, PrintingRunsAFixedNumberOfStatementsPlusOneSerialQueryPerLine)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE) values ('000900', '00003')");
    auto imprime = [this](int linhas) {
        exec("delete from AVEC85IT where NUMERO_PEDIDO = '000900'");
        for (int i = 1; i <= linhas; ++i)
            solicitado(i, "P0001", 1, 10, "N", "<selecionado>", "000900");
        testsupport::StatementCounter custo;
        const QString dump = producao("000900");
        EXPECT_EQ(bandasPedidoImp(dump, "qrbnEquipamentos").size(), linhas);
        return custo.count();
    };
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    imprime(1);   // the report is made once
    const int dez = imprime(10);
    const int vinte = imprime(20);
    EXPECT_EQ(vinte - dez, 10);
    EXPECT_EQ(vinte, 5 + 20) << "order, lines, line texts, descriptions and log once; one serial query a line";
}

TEST_F(PedidoImpressaoTest, AProtocolOfTwentyLinesRunsAFixedNumberOfStatementsPlusOneSerialQueryPerLine)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO) values (971, 'L-971', '00003')");
    auto imprime = [this](int linhas) {
        exec("delete from AATC05ACIT where ACCODIGO = 971");
        for (int i = 1; i <= linhas; ++i)
            exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE,"
                         " ACITNUMEROSERIE) values (%1, 971, '00003', 'P0001', 1, '<selecionado>')")
                     .arg(i));
        testsupport::StatementCounter custo;
        VisualizarProtocoloEntregaContrato(971, "Entrega");
        EXPECT_EQ(bandasPedidoImp(qrAssCheckoutProtocolo->QuickRep1->prepared()->textDump(), "qrbnEquipamentos").size(),
                  linhas);
        return custo.count();
    };
    imprime(1);
    EXPECT_EQ(imprime(20), 2 + 20) << "the contract and its lines once; one serial query a line";
}

TEST_F(PedidoImpressaoTest, ProtocolBandsByKindReceiptTextSerialsAndSignature)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTATO, ACCOMPROVANTE, ACNFREMESSA)"
         " values (970, 'L-970', '00003', 901, 'N', '000123')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITCOMPLEMENTO, ACITNUMEROSERIE)"
         " values (1, 970, '00003', 'P0003', 1, 'S', '')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITCOMPLEMENTO, ACITNUMEROSERIE)"
         " values (2, 970, '00003', 'P0002', 1, 'N', '<selecionado>')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITCOMPLEMENTO, ACITNUMEROSERIE)"
         " values (3, 970, '00003', 'P0001', 2, 'N', '')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITCOMPLEMENTO)"
         " values (4, 970, '00003', 'P0005', 1, 'N')");
    texto("970", -1, "Nota do contrato", "U");
    serie(10, "P0002", "NS-2", {}, 970);
    serie(11, "P0002", "NS-1", {}, 970);

    VisualizarProtocoloEntregaContrato(970, "Retirada");
    QString dump = qrAssCheckoutProtocolo->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnCabecalho").value(0).contains("Protocolo de Retirada"));
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnRetirada").value(0).contains("Documento | Nota Fiscal")) << dump.toStdString();
    EXPECT_TRUE(bandasPedidoImp(dump, "chbnEntrega").isEmpty());
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnAssinatura").isEmpty());
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnGrupo"),
              (QStringList{"Equipamentos | Qtde. | Código | Descrição | Nro. Série",
                           "Complementos | Qtde. | Código | Descrição | Nro. Série"}));
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnEquipamentos"),
              (QStringList{"1 | P0002 | Placa-mãe para notebook   (compl.) | NS-1\\nNS-2",
                           "2 | P0001 | Fonte de alimentação bivolt 110/220V   (compl.)", "1 | P0005 | Nota do contrato",
                           "1 | P0003 | Cartucho de toner preto"}))
        << "equipment before complements; a line without serial text prints none after one with";

    VisualizarProtocoloEntregaContrato(970, "Entrega");
    dump = qrAssCheckoutProtocolo->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnCabecalho").value(0).contains("Protocolo de Entrega"));
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnRetirada").isEmpty());
    EXPECT_TRUE(bandasPedidoImp(dump, "chbnEntrega").value(0).contains("Nota Remessa | 000123"));
    EXPECT_EQ(bandasPedidoImp(dump, "qrbnAssinatura").value(0),
              "Assinatura | RG: | " + uAssCheckoutProtocolo::LocalData(
                                          dmGlobal->quEmpresa->fieldByName("CIDADE")->asString(), QDate::currentDate()));

    // A contract that does not exist prints the layout and no line.
    VisualizarProtocoloEntregaContrato(4242, "Entrega");
    dump = qrAssCheckoutProtocolo->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(bandasPedidoImp(dump, "qrbnEquipamentos").isEmpty());
    EXPECT_FALSE(bandasPedidoImp(dump, "chbnEntrega").isEmpty());
}

TEST_F(PedidoImpressaoTest, EachDocumentIsAValidPdf)
{
    VisualizarPedidoProducaoAssVenda("000777");
    VisualizarPedidoLocacaoAssVenda("000777");
    for (host::report::Report* r : {qrAssVendasImp->QuickRep1.get(), qrAssVendasImp2->QuickRep1.get()}) {
        const QString pdf = testsupport::uniqueFile("documento", ".pdf");
        r->exportPdf(pdf);
        int codigo = -1;
        rodaPedidoImp("qpdf", {"--check", pdf}, &codigo);
        EXPECT_EQ(codigo, 0) << r->title().toStdString();
        EXPECT_EQ(r->page().paperSize(), QSizeF(210, 279));
        QFile::remove(pdf);
    }
}

}  // namespace
}  // namespace moduletest
