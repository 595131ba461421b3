// The print button of the rental registers, pressed on registers opened
// through the dispatcher: the questions by mode, the delivery protocol, the
// contract reports of the equipment-control register, and the shipment
// invoice of the equipment register with the host's invoice window issuing
// it or closed before it could: the refusals, the temporary order's lines by
// mode, the line texts with their serials, the contract, the invoice's note
// and marks, and no temporary order left behind either way.

#include "tests/module/ContLocFixture.h"
#include "tests/module/FechaJanelaNota.h"

#include "host/Udmglobal.h"
#include "host/Uobservacao.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/data/Format.h"
#include "host/Unotafiscal.h"
#include "host/db/EngineWatcher.h"
#include "host/report/Uvisualrel.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocNotaRemessa.h"
#include "rental/uAssContratoLocEquip.h"
#include "rental/uAssContLocacao.h"

namespace moduletest {
namespace {

using namespace uAssContLocNotaRemessa;

TEST(NotaRemessaLocRegras, TextValueAndNoteOfTheInvoice)
{
    EXPECT_EQ(TextoLinha("Notebook  -  Dell Latitude; Notebook  -  carregador", "Notebook", true, {"A1", "B2"}),
              "Dell Latitude; carregador\rNº Série: A1, B2");
    EXPECT_EQ(TextoLinha("Notebook - sem o separador exato", "Notebook", false, {}),
              "Notebook - sem o separador exato\r");
    EXPECT_DOUBLE_EQ(ValorUnitario("E", 12.349, 99, 10), 12.34);
    EXPECT_DOUBLE_EQ(ValorUnitario("", 12.349, 280, 10), 308);
    EXPECT_DOUBLE_EQ(ValorUnitario("C", 0, 70, 0.004), 70) << "a percentage cut to 0 adds nothing";
    EXPECT_DOUBLE_EQ(ValorUnitario("", 0, 33.333, 10), 36.66);

    const QVariantMap p = ParametrosLinha({"P0002", 8901, 3, 10, "obs", "N"}, 7, 100, "UNID", " 000042 ", 970,
                                          QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(p["TOTAL_UNIT"].toDouble(), 270) << "quantity x value x (1 - discount)";
    EXPECT_EQ(p["NUMERO_PEDIDO"].toString(), "000042");
    EXPECT_EQ(p["VEITUNIDADE"].toString(), "UN");
    EXPECT_EQ(p["COD"].toInt(), 7);

    DadosObservacao d{"  Rua A, 1 ", "Lia", "L-970", "PR-9", QDateTime(QDate(2026, 1, 5), QTime(0, 0)),
                      QDateTime(QDate(2027, 1, 4), QTime(0, 0)), 1500.5};
    EXPECT_EQ(ObservacaoNota(d), "Entrega: Rua A, 1\r\nContato: Lia\r\nNº Contrato: L-970\r\nProposta: PR-9\r\n"
                                 "Vigência de: 05/01/26 até: 04/01/27\r\nValor Mensal R$: 1.500,50");
}

class NotaRemessaLocacaoTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        parametro("ATMODOPEDIDOASSISTENCIA", "");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('R6', 'Remessa', '6')");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME) values (905, 'Lia Entrega')");
        contrato(970, "ACENDENTREGA, ACCONTENTREGA, ACPROPOSTA, ACDATAIMPLANTACAO, ACDATAVALIDADE, ACVALORPARCELA,"
                      " ACPEDIDO",
                 "' Rua da Obra, 5 ', 905, 'PR-9', '2026-01-05', '2027-01-04', 1500.5, '000555'");
        item(8901, 970, "P0002", "N", "ACITVALORUNITARIO, ACITDESCONTO", "300.129, 10");
        item(8902, 970, "P0003", "S", "ACITVALORUNITARIO", "20");
        exec("update AATC05ACIT set ACITQUANTIDADE = 2 where ACITCODIGO = 8902");
        item(8903, 970, "P0001", "N");
        exec("update AATC05ACIT set ACITENCERRADO = 'S' where ACITCODIGO = 8903");
        exec("update ACEC1101 set DESCRICAO = 'Notebook', PRGERANS = 'O', PCO_CUSTO = 280, PCOCUSTOACRESCIMO = 10"
             " where CODIGO = 'P0002'");
        exec("update ACEC1101 set PCO_CUSTO = 70, PCOCUSTOACRESCIMO = 0 where CODIGO = 'P0003'");
        exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('970', 'Y', 8901,"
             " 'Notebook  -  Dell Latitude')");
        int ns = 1;
        for (const char* numero : {"B2", "A1", "A1"})
            exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, ACCODIGO) values (%1, '%2', 'P0002',"
                         " 970)")
                     .arg(ns++)
                     .arg(numero));
        // The line texts of the temporary order, kept as they were written.
        exec("create table TEXTOS_PEDIDO (SEQ integer, TEXTO varchar(500))");
        exec("create trigger TG_TEXTOS_PEDIDO for AUGC70OB after insert or update as begin"
             " if (new.OBID = 'V') then insert into TEXTOS_PEDIDO values (new.OBSEQUENCIA,"
             " substring(new.OBTEXTO from 1 for 500)); end");
        tr().commitRetaining();
        pedidos_ = contar("AVEC8501");
    }
    int contar(const QString& tabela) { return one("select count(*) from " + tabela).toInt(); }
    TfmAssContCadLocEquip& registro()
    {
        TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
        CarregaContrato(970);
        return form;
    }
    // The print button answered with "Nota Fiscal", the header saved, the
    // operation R6 chosen (or the search cancelled, or not reached), and the
    // message that ends it.
    enum class Operacao { R6, Cancelada, NaoPedida };
    void notaFiscal(TfmAssContCadLocEquip& form, const QString& aviso, Operacao operacao = Operacao::R6)
    {
        if (parametroModo() == "E")
            dialogs->answer("Nota Fiscal", "Deseja Imprimir Contrato de Locação ou Nota Fiscal?");
        else
            dialogs->answer("Nota Fiscal", "Selecione o Tipo de Documento que deseja imprimir:");
        dialogs->answer("Sim", "Deseja salvar as alterações ?");
        if (operacao == Operacao::R6)
            pesquisa("COD_OP", "R6");
        else if (operacao == Operacao::Cancelada)
            dialogs->modal("fmPesquisa", {});
        dialogs->acknowledge(aviso);
        form.btImprimir->click();
        EXPECT_EQ(dialogs->pending(), 0) << aviso.toStdString();
    }
    static QString parametroModo() { return dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA"); }
    QString remessa() const
    {
        return lido("select coalesce(ACNFREMESSA, '') from AATC05AC where ACCODIGO = 970").value(0);
    }
    void semPedidoTemporario()
    {
        EXPECT_EQ(contar("AVEC8501"), pedidos_) << "no temporary order left";
        EXPECT_EQ(contar("AVEC85IT where AOCODIGO = 970"), 0);
        EXPECT_EQ(lido("select count(*) from AVEC8501").value(0).toInt(), pedidos_) << "committed";
    }
    int pedidos_ = 0;
};

TEST_F(NotaRemessaLocacaoTest, CostModeNumbersTheLinesRecordsTheInvoiceAndRemovesTheOrder)
{
    TfmAssContCadLocEquip& form = registro();
    notaFiscal(form, "gerado com Sucesso!");
    const QString nota = remessa();
    ASSERT_FALSE(nota.isEmpty());
    EXPECT_EQ(dialogs->texts().last(), "Documento \"" + nota + "\" gerado com Sucesso!");
    EXPECT_TRUE(lido("select ACNFREMESSAEMISSAO from AATC05AC where ACCODIGO = 970")
                    .value(0)
                    .startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
    // The invoice's lines: numbered 1, 2 in the order of the contract lines,
    // the cost plus its percentage, less the discount.
    EXPECT_EQ(lido("select VEITSEQUENCIA || ':' || CODIGOPRODUTO || ':' || cast(VALOR_TOTAL_UNIT as numeric(9,2))"
                   " from ACEM14IT where DOCUMENTO = '" + nota + "' order by VEITSEQUENCIA"),
              (QStringList{"1:P0002:277.20", "2:P0003:140.00"}));
    EXPECT_EQ(lido("select SEQ || '|' || replace(TEXTO, ascii_char(13), '<CR>') from TEXTOS_PEDIDO order by SEQ"),
              (QStringList{"1|Dell Latitude<CR>Nº Série: A1, B2", "2|<CR>"}))
        << "the description and its separator removed; each serial once, after a line break";
    EXPECT_EQ(lido("select FRETE1_2 || '|' || ACCODIGO || '|' || COD_PEDIDO || '|' || COD_CLI || '|' || OPERACAO_DOC"
                   " from ACEM1401 where DOCUMENTO = '" + nota + "'"),
              QStringList{"1|970|000555|00004|R6"});
    const QString chave = lido("select LOCAL_DOC || DOCUMENTO || SERIE_DOC || OPERACAO_DOC || COD_CLI from ACEM1401"
                               " where DOCUMENTO = '" + nota + "'")
                              .value(0);
    // The monthly value as the header's save left it.
    const QString mensal = host::data::formatFloat(
        "###,###,##0.00", lido("select ACVALORPARCELA from AATC05AC where ACCODIGO = 970").value(0).toDouble());
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'M' and OBSEQUENCIA = -1 and OBCODIGO = '" + chave + "'"),
              QStringList{"Entrega: Rua da Obra, 5\r\nContato: Lia Entrega\r\nNº Contrato: L970\r\nProposta: PR-9\r\n"
                          "Vigência de: 05/01/26 até: 04/01/27\r\nValor Mensal R$: " + mensal});
    semPedidoTemporario();
    EXPECT_EQ(lido("select count(*) from AUGC70OB where OBID = 'V' and OBCODIGO not in ('000777')").value(0), "0");
    EXPECT_EQ(fmNotaFiscal.get(), nullptr) << "the invoice window is released";
}

// Mode "E": each order line carries its contract line's code and value; a
// second invoice is refused while nothing is pending, and a new line is
// invoiced alone.
TEST_F(NotaRemessaLocacaoTest, RentalModeCarriesTheContractLinesAndInvoicesOnlyPendingOnes)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssContCadLocEquip& form = registro();
    auto imprime = [&](const QString& aviso) {
        notaFiscal(form, aviso, aviso.contains("Sucesso") ? Operacao::R6 : Operacao::NaoPedida);
    };
    imprime("gerado com Sucesso!");
    const QString nota = remessa();
    EXPECT_EQ(dialogs->shown()[0].options, (QStringList{"Contrato", "Nota Fiscal"}));
    EXPECT_EQ(lido("select VEITSEQUENCIA || ':' || cast(VALOR_TOTAL_UNIT as numeric(9,2)) from ACEM14IT"
                   " where DOCUMENTO = '" + nota + "' order by VEITSEQUENCIA"),
              (QStringList{"8901:270.11", "8902:40.00"}))
        << "the line's own value cut to cents, less the discount";
    semPedidoTemporario();

    imprime("Contrato já possui Documento: " + nota + ".");
    EXPECT_EQ(remessa(), nota);

    item(8904, 970, "P0005", "N", "ACITVALORUNITARIO", "15");
    imprime("gerado com Sucesso!");
    EXPECT_NE(remessa(), nota);
    EXPECT_EQ(lido("select VEITSEQUENCIA from ACEM14IT where DOCUMENTO = '" + remessa() + "'"),
              QStringList{"8904"});
}

// The cost mode numbers the invoice's lines 1, 2: those numbers name no line
// of this contract, even where another contract's complementary line has
// the code 2, so both count and the contract's one line is seen pending.
TEST_F(NotaRemessaLocacaoTest, AnotherContractsLinesNeverTellWhatThisContractHasInvoiced)
{
    contrato(971);
    item(2, 971, "P0003", "S");
    tr().commitRetaining();
    TfmAssContCadLocEquip& form = registro();
    notaFiscal(form, "gerado com Sucesso!");
    const QString primeira = remessa();
    ASSERT_EQ(lido("select VEITSEQUENCIA from ACEM14IT where DOCUMENTO = '" + primeira + "' order by VEITSEQUENCIA"),
              (QStringList{"1", "2"}));
    CarregaContrato(970);
    notaFiscal(form, "gerado com Sucesso!");
    EXPECT_NE(remessa(), primeira);
    semPedidoTemporario();
}

TEST_F(NotaRemessaLocacaoTest, ConfigurationModeInvoicesEveryOpenLineInvoicedOrNot)
{
    // Line 8901 is already on an invoice of the contract (under its own code).
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, ACCODIGO) values ('900001',"
         " '01', '00004', 'R6', '01', 970)");
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA, AOCODIGO,"
         " VEITSEQUENCIA) values ('900001', '01', '00004', 'R6', '01', 'P0002', 1, 970, 8901)");
    TfmAssContCadLocEquip& form = registro();
    notaFiscal(form, "gerado com Sucesso!");
    EXPECT_EQ(lido("select list(CODIGOPRODUTO) from ACEM14IT where DOCUMENTO = '" + remessa() + "'"),
              QStringList{"P0003"})
        << "outside modes C and E an invoiced line is skipped";

    exec("update AATC05AC set ACNFREMESSA = null where ACCODIGO = 970");
    exec("delete from ACEM14IT where DOCUMENTO <> '900001'");
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    CarregaContrato(970);
    notaFiscal(form, "gerado com Sucesso!");
    EXPECT_EQ(lido("select CODIGOPRODUTO from ACEM14IT where DOCUMENTO = '" + remessa() + "' order by SEQUENCIA"),
              (QStringList{"P0002", "P0003"}));
    semPedidoTemporario();
}

TEST_F(NotaRemessaLocacaoTest, TheThreeRefusalsWriteNothing)
{
    TfmAssContCadLocEquip& form = registro();
    // Every open equipment line invoiced and a document recorded.
    exec("update AATC05AC set ACNFREMESSA = '000321' where ACCODIGO = 970");
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, ACCODIGO) values ('000321',"
         " '01', '00004', 'R6', '01', 970)");
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA, AOCODIGO,"
         " VEITSEQUENCIA) values ('000321', '01', '00004', 'R6', '01', 'P0002', 1, 970, 8901)");
    CarregaContrato(970);
    notaFiscal(form, "Contrato já possui Documento: 000321.", Operacao::NaoPedida);

    exec("update AATC05AC set ACNFREMESSA = null where ACCODIGO = 970");
    exec("update AATC05ACIT set ACITENCERRADO = 'S' where ACITCODIGO = 8901");
    CarregaContrato(970);
    notaFiscal(form, "Não existem itens para Emissão S/Remessa!", Operacao::NaoPedida);

    exec("update AATC05ACIT set ACITENCERRADO = 'N' where ACITCODIGO = 8901");
    CarregaContrato(970);
    notaFiscal(form, "Código da Operação Inválido!", Operacao::Cancelada);
    semPedidoTemporario();
    EXPECT_EQ(contar("TEXTOS_PEDIDO"), 0);
}

TEST_F(NotaRemessaLocacaoTest, WindowClosedBeforeTheInvoiceLeavesNoOrderAndNoSuccess)
{
    TfmAssContCadLocEquip& form = registro();
    {
        FechaJanelaNota fecha;
        notaFiscal(form, "Nota Fiscal não emitida.");
    }
    for (const QString& texto : dialogs->texts())
        EXPECT_FALSE(texto.contains("Sucesso")) << texto.toStdString();
    EXPECT_TRUE(remessa().isEmpty());
    EXPECT_EQ(contar("ACEM1401"), 0);
    EXPECT_EQ(contar("TEXTOS_PEDIDO"), 2) << "the lines had been written";
    semPedidoTemporario();
}

TEST_F(NotaRemessaLocacaoTest, AFailedLineOrARefusedEmissionRemoveTheTemporaryOrder)
{
    TfmAssContCadLocEquip& form = registro();
    exec("alter table AVEC85IT add constraint CK_TESTE_REMESSA_LOC check (CODIGO <> 'P0003')");
    tr().commitRetaining();
    notaFiscal(form, "Erro ao Gerar Nota Fiscal.");
    semPedidoTemporario();
    exec("alter table AVEC85IT drop constraint CK_TESTE_REMESSA_LOC");

    exec("alter table ACEM1401 add constraint CK_TESTE_NOTA_LOC check (COD_CLI <> '00004')");
    tr().commitRetaining();
    notaFiscal(form, "Atenção: verificar faturamento contrato 970 no pedido ");
    EXPECT_TRUE(dialogs->texts().last().contains("Código do Erro: "));
    semPedidoTemporario();
    EXPECT_TRUE(remessa().isEmpty());
}

// Another desk takes the contract row, uncommitted, once the invoice window
// looks the order up (the header already saved).
class OutraMesaNaEmissao : public FechaJanelaNota {
public:
    explicit OutraMesaNaEmissao(host::db::Transaction& mesa) : mesa_(mesa) {}
    void prepared(std::uint64_t, std::uint64_t, const QByteArray& sql) override
    {
        if (!feito_ && sql.contains("Ped.AUX1, Ped.IMPRESSO_NF")) {
            feito_ = true;
            host::db::executeSql(mesa_, "update AATC05AC set ACVALOR = 101 where ACCODIGO = 970");
        }
    }

private:
    host::db::Transaction& mesa_;
    bool feito_ = false;
};

// The contract held at another desk while the invoice is recorded on it:
// the refusal reads in words, and neither the invoice nor the temporary order
// is left, not even pending in this desk's transaction.
TEST_F(NotaRemessaLocacaoTest, TheContractHeldAtAnotherDeskLeavesNoInvoice)
{
    TfmAssContCadLocEquip& form = registro();
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction mesa(outra);
    {
        OutraMesaNaEmissao outraMesa(mesa);
        notaFiscal(form, "Código do Erro: O registro está sendo alterado por outro usuário. Tente de novo em instantes.");
    }
    mesa.rollback();
    tr().commitRetaining();
    EXPECT_EQ(contar("ACEM1401"), 0);
    semPedidoTemporario();
    EXPECT_TRUE(remessa().isEmpty());
}

TEST_F(NotaRemessaLocacaoTest, ProtocolAndCancelOnTheEquipmentRegister)
{
    TfmAssContCadLocEquip& form = registro();
    dialogs->answer("Protocolo", "Selecione o Tipo de Documento que deseja imprimir:");
    dialogs->answer("Entrega", "Qual modelo de Protocolo deseja imprimir?");
    form.btImprimir->click();
    ASSERT_NE(qrAssCheckoutProtocolo.get(), nullptr);
    EXPECT_EQ(qrAssCheckoutProtocolo->qrlaTitulo->caption(), "Protocolo de Entrega");
    EXPECT_TRUE(qrAssCheckoutProtocolo->QuickRep1->prepared()->textDump().contains("| P0002 |"));
    EXPECT_EQ(dialogs->shown()[0].options, (QStringList{"Contrato", "Nota Fiscal", "Protocolo", "Cancelar"}));

    dialogs->answer("Cancelar");
    form.btImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    semPedidoTemporario();
}

TEST_F(NotaRemessaLocacaoTest, ContractOnTheEquipmentRegisterPrintsTheContractWithItsInstalments)
{
    parcela("000971", "V", 250.5, 970);
    TfmAssContCadLocEquip& form = registro();
    dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
    form.btImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_NE(qrAssContratoLocEquip.get(), nullptr);
    const QString dump = qrAssContratoLocEquip->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(dump.contains("child chbnEntrega: Dados do Contrato de Locação | Nº Contrato | L970")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("| P0002 |")) << dump.toStdString();
    // The register loaded the contract's instalments for the table.
    EXPECT_TRUE(dump.contains("10/02/2024")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("250,50            Não")) << dump.toStdString();
    semPedidoTemporario();
}

TEST_F(NotaRemessaLocacaoTest, EquipmentControlRegisterShowsTheContractAndTheDeliveryReports)
{
    parametro("ATOPCAOCONTRATO", "Q");
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(970);
    QStringList titulos;
    auto visualizador = [&titulos](host::ui::Form& janela) {
        const auto& paginas = static_cast<TfmVisualizadorRelatorio&>(janela).pages();
        titulos << paginas.textDump().section('\n', 1, 1);
    };
    dialogs->answer("Contrato", "Selecione o tipo de documento que deseja imprimir:");
    dialogs->modal("fmVisualizadorRelatorio", visualizador);
    form.btImprimir->click();
    dialogs->answer("Protocolo");
    dialogs->answer("Devolução", "Qual modelo de Protocolo deseja imprimir?");
    dialogs->modal("fmVisualizadorRelatorio", visualizador);
    form.btImprimir->click();
    dialogs->answer("Cancelar");
    form.btImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(titulos.size(), 2);
    QStringList perguntas;
    for (const host::ui::DialogRequest& pedido : dialogs->shown())
        perguntas << pedido.text + " " + pedido.options.join('/');
    EXPECT_EQ(perguntas.filter("imprimir").first(), "Selecione o tipo de documento que deseja imprimir: Contrato/Protocolo/Cancelar");
    EXPECT_EQ(perguntas.filter("modelo").first(), "Qual modelo de Protocolo deseja imprimir? Entrega/Devolução");
    EXPECT_TRUE(titulos[1].contains("PROTOCOLO DE ENTREGA DE EQUIPAMENTOS")) << titulos[1].toStdString();
    EXPECT_EQ(dmTecContrato->quCtrEquipLocacao->fieldByName("ACCODIGO")->asInteger(), 970)
        << "the equipment loaded for the reports";
}

// A complement's note typed through its text button in the register is
// printed with its line on the shipment invoice.
TEST_F(NotaRemessaLocacaoTest, AComplementsNoteTypedInTheRegisterGoesOnItsInvoiceLine)
{
    TfmAssContCadLocEquip& form = registro();
    aba(form, form.tsComplementos);
    host::ui::DataGrid* grade = form.dbgdAssContCadLocEquipCompl;
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 8902));
    dialogs->modal("fmObservacao", [](host::ui::Form& janela) {
        auto& obs = static_cast<TfmObservacao&>(janela);
        obs.dbmeObservacao->setFocus();
        QTest::keyClicks(obs.dbmeObservacao, "Cabo de 20 m");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    grade->setSelectedIndex(grade->columnByField("DESCRICAO")->index());
    grade->editButtonClick();
    notaFiscal(form, "gerado com Sucesso!");
    EXPECT_EQ(lido("select SEQ || '|' || replace(TEXTO, ascii_char(13), '<CR>') from TEXTOS_PEDIDO order by SEQ"),
              (QStringList{"1|Dell Latitude<CR>Nº Série: A1, B2", "2|Cabo de 20 m<CR>"}));
    semPedidoTemporario();
}

}  // namespace
}  // namespace moduletest
