// The checkout window opened from its list through the dispatcher: the
// validation, the status steps by mode, reopening, the menu by mode, the
// back-order lines and the invoice of the contract pressed on its register.

#include "tests/module/CheckoutFixture.h"
#include "tests/module/PaletasDesenhadas.h"

#include "rental/uAssCheckoutRegras.h"

#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

namespace moduletest {
namespace {

TEST_F(CheckoutTest, ValidarCheckoutComparesQuantitiesWithoutComplementsAndRefusesAllOnBackOrder)
{
    bool perguntar = true;
    QString mensagem = "x";
    pedido("00601", "1");
    linha("00601", 1, 2, 2);
    linha("00601", 2, 3, 0, "S");   // a requested complement does not count
    asscheckout::ValidarCheckout("00601", perguntar, mensagem);
    EXPECT_EQ(mensagem, "");
    EXPECT_FALSE(perguntar);

    pedido("00602", "1");
    linha("00602", 1, 2, 1);
    asscheckout::ValidarCheckout("00602", perguntar, mensagem);
    EXPECT_EQ(mensagem, "A quantidade Solicitada é diferente da Selecionada.\rConfirma o Checkout?");
    EXPECT_TRUE(perguntar);

    pedido("00603", "1");
    linha("00603", 1, 0, 2);   // no requested line: the difference reads 0
    asscheckout::ValidarCheckout("00603", perguntar, mensagem);
    EXPECT_EQ(mensagem, "");

    pedido("00604", "1");
    linha("00604", 1, 3, 1, "N", "00999");
    asscheckout::ValidarCheckout("00604", perguntar, mensagem);
    EXPECT_EQ(mensagem, "Não existe(m) equipamento(s) com situação para efetuar o Checkout!");
    EXPECT_FALSE(perguntar) << "the back-order refusal overrides the quantity question";
}

TEST_F(CheckoutTest, ModeEConfirmationAsksOnDifferentQuantitiesAndRefusesAllOnBackOrder)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00605", "1");
    linha("00605", 1, 2, 1);
    pedido("00606", "1");
    linha("00606", 1, 1, 1, "N", "00999");
    TfmAssCheckout& form = abrirCheckout("00605");
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?")
        .answer("Não", "A quantidade Solicitada é diferente da Selecionada.");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00605"), "");
    EXPECT_EQ(sAuxiliarGeral, "A quantidade Solicitada é diferente da Selecionada.\rConfirma o Checkout?");
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?")
        .answer("Sim", "A quantidade Solicitada é diferente da Selecionada.")
        .acknowledge("Checkout Finalizado com Sucesso!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00605"), "C");

    SelecionaCheckoutPedido("00606");
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?")
        .acknowledge("Não existe(m) equipamento(s) com situação para efetuar o Checkout!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00606"), "");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
}

TEST_F(CheckoutTest, ModeCConfirmsWithTheCountAndReleasesForBilling)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pedido("00611", "1");
    linha("00611", 1, 1, 1);
    linha("00611", 2, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00611");
    EXPECT_EQ(form.laNomeCliente->text(), "Clínica Saúde & Vida S/A");
    EXPECT_TRUE(form.btConfirmarCheckout->isEnabled());
    EXPECT_FALSE(form.btReabrirCheckout->isEnabled());
    EXPECT_FALSE(form.bbLiberaFaturamento->isEnabled());
    EXPECT_FALSE(form.bbSaidaEquipamentos->isEnabled());

    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado.");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->texts().back(), "Checkout Finalizado. \n02 Equipamento(s) / Complemento(s) Confirmados");
    EXPECT_EQ(statusLido("00611"), "C");
    EXPECT_TRUE(form.bbLiberaFaturamento->isEnabled());
    EXPECT_TRUE(form.btReabrirCheckout->isEnabled());
    EXPECT_FALSE(form.btConfirmarCheckout->isEnabled());

    dialogs->answer("Sim", "Confirme a liberação do Pedido \"00611\" ?");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(statusLido("00611"), "N");
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACPEDIDO = '00611'").toInt(), 0);
    EXPECT_EQ(host::ui::popupMenu(form.dbgdAssCheckoutEquip), dmGlobal->puGeral) << "mode C, status N";
    EXPECT_EQ(dialogs->pending(), 0);
    form.close();
}

TEST_F(CheckoutTest, ModeETakesAnOrderToDeliveredWithInvoiceAndProtocol)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00621", "1");
    linha("00621", 1, 1, 1);
    linha("00621", 2, 2, 2);
    TfmAssCheckout& form = abrirCheckout("00621");
    EXPECT_EQ(host::ui::popupMenu(form.dbgdAssCheckoutEquip), form.pmCheckout);
    EXPECT_TRUE(form.miEmissaoNotaFiscal->isVisible());
    EXPECT_TRUE(form.miProtocoloRetirada->isVisible());
    EXPECT_FALSE(form.dbgdAssCheckoutEquip->column(2)->visible()) << "QUANTIDADETIPO hidden in mode E";

    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00621"), "C");

    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("gerado com sucesso!");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(statusLido("00621"), "L");
    const int contrato = lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00621'").toInt();
    ASSERT_GT(contrato, 0);
    EXPECT_EQ(dialogs->texts().back(), "Contrato código \"" + QString::number(contrato) + "\" gerado com sucesso!");
    EXPECT_TRUE(form.bbSaidaEquipamentos->isEnabled());

    int pressionado = 0;
    registroNotaFiscal(pressionado, false);
    dialogs->answer("Sim", "Confirme a Saída do(s) Equipamento(s) do Pedido \"00621\" ?");
    QTest::mouseClick(form.bbSaidaEquipamentos, Qt::LeftButton);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(pressionado, 1);
    EXPECT_EQ(fmAssContCadLocEquip.get(), nullptr) << "the register is freed after the invoice";
    EXPECT_EQ(statusLido("00621"), "S");
    TfmVisualizadorRelatorio* protocolo = visualizador();
    ASSERT_NE(protocolo, nullptr);
    const QString texto = protocolo->pages().textDump();
    EXPECT_TRUE(texto.contains("Protocolo de Entrega")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Equipamentos")) << texto.toStdString();
    EXPECT_FALSE(texto.contains("Dados da Retirada"));
    protocolo->close();
    form.close();
}

TEST_F(CheckoutTest, ARefusedInvoiceStopsTheEquipmentExit)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contratoProtocolo(7101, 1);
    pedido("00622", "1", "L");
    exec("update AVEC8501 set ACCODIGO = 7101 where NUMERO_PEDIDO = '00622'");
    linha("00622", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00622");
    int pressionado = 0;
    registroNotaFiscal(pressionado, true);
    dialogs->answer("Sim", "Confirme a Saída do(s)").acknowledge("Nota recusada");
    QTest::mouseClick(form.bbSaidaEquipamentos, Qt::LeftButton);
    EXPECT_EQ(pressionado, 1);
    EXPECT_EQ(statusLido("00622"), "L");
    EXPECT_EQ(visualizador(), nullptr) << "no protocol for equipment that did not leave";
    EXPECT_EQ(fmAssContCadLocEquip.get(), nullptr);
    EXPECT_EQ(dialogs->pending(), 0);
    form.close();
}

// The whole exit with the register's own print button: the contract's
// shipment invoice issued through the invoice window, then the protocol
// that names it.
TEST_F(CheckoutTest, ModeEExitIssuesTheContractsInvoiceOnItsRegisterThenPrintsTheProtocol)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('R6', 'Remessa', '6')");
    pedido("00623", "1");
    linha("00623", 1, 1, 1);
    linha("00623", 2, 2, 2, "S", {}, "P0003");
    TfmAssCheckout& form = abrirCheckout("00623");
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("gerado com sucesso!");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    const int contrato = lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00623'").toInt();
    ASSERT_GT(contrato, 0);
    const int pedidos = lido("select count(*) from AVEC8501").toInt();

    dialogs->answer("Sim", "Confirme a Saída do(s) Equipamento(s) do Pedido \"00623\" ?");
    dialogs->answer("Nota Fiscal", "Deseja Imprimir Contrato de Locação ou Nota Fiscal?");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");   // the register saves its header first
    pesquisa("COD_OP", "R6");
    dialogs->acknowledge("gerado com Sucesso!");
    QTest::mouseClick(form.bbSaidaEquipamentos, Qt::LeftButton);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->pending(), 0);

    const QString nota =
        lido(QString("select coalesce(ACNFREMESSA, '') from AATC05AC where ACCODIGO = %1").arg(contrato)).toString();
    ASSERT_FALSE(nota.isEmpty());
    EXPECT_EQ(lido("select count(*) from ACEM14IT where DOCUMENTO = '" + nota + "'").toInt(), 2);
    EXPECT_EQ(lido("select ACCODIGO from ACEM1401 where DOCUMENTO = '" + nota + "'").toInt(), contrato);
    EXPECT_EQ(lido("select count(*) from AVEC8501").toInt(), pedidos) << "no temporary order left";
    EXPECT_EQ(statusLido("00623"), "S");
    EXPECT_EQ(fmAssContCadLocEquip.get(), nullptr);
    TfmVisualizadorRelatorio* protocolo = visualizador();
    ASSERT_NE(protocolo, nullptr);
    const QString texto = protocolo->pages().textDump();
    EXPECT_TRUE(texto.contains("Protocolo de Entrega")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Nota Remessa | " + nota)) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Complementos"));
    protocolo->close();
    form.close();
}

TEST_F(CheckoutTest, ReopeningFromCOrNAsksThePasswordAndRefusesAWrongOne)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pedido("00631", "1", "C");
    linha("00631", 1, 1, 1);
    pedido("00632", "1", "N");
    linha("00632", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00631");
    ASSERT_TRUE(form.btReabrirCheckout->isEnabled());
    senha("errada");
    dialogs->acknowledge("A senha informada é inválida!");
    QTest::mouseClick(form.btReabrirCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00631"), "C");
    dialogs->cancel("Informe a senha para Reabrir Checkout:");
    QTest::mouseClick(form.btReabrirCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00631"), "C");
    senha(" segredo ");
    QTest::mouseClick(form.btReabrirCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00631"), "");
    EXPECT_TRUE(form.btConfirmarCheckout->isEnabled());
    EXPECT_FALSE(form.dbgdAssCheckoutEquip->readOnlyGrid());

    SelecionaCheckoutPedido("00632");
    EXPECT_TRUE(form.dbgdAssCheckoutEquip->readOnlyGrid() || form.pcCheckout->activePage() != form.tsEquipSelecionados);
    senha("segredo");
    QTest::mouseClick(form.btReabrirCheckout, Qt::LeftButton);
    EXPECT_EQ(statusLido("00632"), "");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
}

TEST_F(CheckoutTest, MenuFollowsTheModeAndReleasedOrdersInModeCHaveNoInvoice)
{
    using asscheckout::menuCheckout;
    EXPECT_TRUE(menuCheckout("E", "").menuCheckout);
    EXPECT_EQ(menuCheckout("E", "S").notaFiscal, std::optional<bool>(true));
    EXPECT_EQ(menuCheckout("C", "L").notaFiscal, std::optional<bool>(false));
    EXPECT_TRUE(menuCheckout("C", "L").dica);
    EXPECT_FALSE(menuCheckout("C", "N").menuCheckout);
    EXPECT_FALSE(menuCheckout("", "L").menuCheckout);

    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pedido("00651", "1", "L");
    linha("00651", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00651");
    EXPECT_EQ(host::ui::popupMenu(form.dbgdAssCheckoutEquip), form.pmCheckout);
    EXPECT_FALSE(form.miEmissaoNotaFiscal->isVisible());
    EXPECT_EQ(form.dbgdAssCheckoutEquip->toolTip(), "Clique inverso para opções do Checkout");
    EXPECT_TRUE(!form.laConfiguracaoEquip->isHidden());
    form.close();
}

TEST_F(CheckoutTest, BackOrderLinesAreYellowAndAFailedContractItemUndoesOnlyItself)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contratoProtocolo(7201, 1, false);
    pedido("00641", "1", "L");
    exec("update AVEC8501 set ACCODIGO = 7201 where NUMERO_PEDIDO = '00641'");
    linha("00641", 1, 1, 1, "N", "00999");
    exec("create exception EX_CHECKOUT_TESTE 'item recusado'");
    tr().commitRetaining();
    exec("create trigger TR_CHECKOUT_TESTE for AATC05ACIT before insert as begin exception EX_CHECKOUT_TESTE; end");
    tr().commitRetaining();

    TfmAssCheckout& form = abrirCheckout("00641");
    aba(form.pcCheckout, form.tsEquipSelecionados);
    host::ui::DataGrid& grade = *form.dbgdAssCheckoutEquip;
    ASSERT_EQ(grade.model()->rowCount(), 1);
    host::ui::CellStyle estilo;
    grade.onDrawColumnCell(estilo, 0, *grade.column(0), false);
    EXPECT_EQ(estilo.background, QColor(255, 255, 170));
    EXPECT_EQ(estilo.foreground, QColor(Qt::black));
    EXPECT_EQ(grade.toolTip(), "Pedido de Pendência: 00999");
    EXPECT_TRUE(grade.readOnlyGrid()) << "status L: read-only rows";

    // Work of the caller pending under a commit hold must survive the failure.
    host::db::Transaction& transacao = *dmGlobal->IBTransaction1;
    auto hold = std::make_unique<host::db::CommitHold>(transacao);
    host::db::executeSql(transacao, "update AVEC8501 set VEOBSENTREGA = 'pela doca 2' where NUMERO_PEDIDO = '00641'");
    dialogs->modal("", [](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        ASSERT_TRUE(p.dataSource()->dataset()->locate("CODIGO", "P0005"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    dialogs->answer("Sim", "Deseja incluir o item no Contrato Gerado?");
    form.miAlterarItemPendencia->trigger();
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dmTec->campoCotado("CODIGO").asString(), "P0005");
    hold->release();
    hold.reset();
    transacao.commitRetaining();
    EXPECT_EQ(lido("select VEOBSENTREGA from AVEC8501 where NUMERO_PEDIDO = '00641'").toString(), "pela doca 2");
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 7201").toInt(), 1) << "the item was refused";
    EXPECT_EQ(lido("select coalesce(VECODIGOPENDENCIA, '') from AVEC85LX where NUMERO_PEDIDO = '00641'").toString(), "");
    EXPECT_FALSE(logDe("[AlterarItemPendencia]").isEmpty());
    dmTec->quAssVendaCotado->cancel();
    form.close();
}

// A second release of an order reopened after its contract marks it again.
TEST_F(CheckoutTest, ReleasingAnOrderWithAContractMakesNoSecondOne)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contratoProtocolo(7301, 1);
    pedido("00661", "1", "C");
    exec("update AVEC8501 set ACCODIGO = 7301 where NUMERO_PEDIDO = '00661'");
    linha("00661", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00661");
    const int antes = lido("select count(*) from AATC05AC").toInt();
    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("7301");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(lido("select count(*) from AATC05AC").toInt(), antes);
    EXPECT_EQ(statusLido("00661"), "L");
    EXPECT_EQ(lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00661'").toInt(), 7301);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
}

TEST_F(CheckoutTest, ModeEShowsTheLineTextAndTheEditButtonsOpenTheirPickers)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00671", "1");
    linha("00671", 1, 1, 1);
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00671', 'V', 1, 'Com rodízios')");
    tr().commitRetaining();
    TfmAssCheckout& form = abrirCheckout("00671");
    EXPECT_TRUE(form.meConfiguracao->isVisibleTo(&form));
    EXPECT_EQ(form.meConfiguracao->toPlainText(), "Com rodízios");
    EXPECT_TRUE(form.laConfiguracaoItens->isHidden());
    EXPECT_TRUE(form.laConfiguracaoEquip->isHidden());

    aba(form.pcCheckout, form.tsEquipSelecionados);
    host::ui::DataGrid& grade = *form.dbgdAssCheckoutEquip;
    EXPECT_FALSE(grade.readOnlyGrid()) << "editable while nothing was confirmed";
    ASSERT_EQ(grade.model()->rowCount(), 1);
    bool texto = false;
    dialogs->modal("fmObservacao", [&texto](host::ui::Form&) { texto = true; });
    grade.setSelectedIndex(grade.columnByField("DESCRICAO")->index());
    grade.editButtonClick();
    EXPECT_TRUE(texto) << "the line's configuration text";
    bool produto = false;
    dialogs->modal("", [&produto](host::ui::Form&) { produto = true; });
    grade.setSelectedIndex(grade.columnByField("CODIGO")->index());
    grade.editButtonClick();
    EXPECT_TRUE(produto) << "the product insertion search";
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
}

TEST_F(CheckoutTest, SelecionaConsultaCheckoutShowsTheOrdersReadyToBillModally)
{
    pedido("00681", "1", "N");
    pedido("00682", "1", "C");
    QStringList numeros;
    QString status;
    dialogs->modal("fmAssCheckoutConsulta", [&](host::ui::Form& janela) {
        auto& lista = static_cast<TfmAssCheckoutConsulta&>(janela);
        status = lista.cbStatus->currentText();
        host::data::Query& q = *lista.quConsulta;
        for (q.first(); !q.eof(); q.next())
            numeros << q.fieldByName("NUMERO_PEDIDO")->asString();
    });
    SelecionaConsultaCheckout();
    EXPECT_EQ(status, "Pronto para Faturar");
    EXPECT_TRUE(numeros.contains("00681"));
    EXPECT_FALSE(numeros.contains("00682"));
    EXPECT_EQ(dialogs->pending(), 0);
}

// Opening an order's checkout from the list reads its lines once and the
// composition of the current line once; the window shows the lines and the
// composition of the first, and an order without lines shows none.
// An open and a confirmed order's checkouts opened and closed by turns: the
// grid editable then read-only each time asks the style for no palettes but
// those of the first turn.
TEST_F(CheckoutTest, GridEditableByTurnsLeavesNoPicturesBehind)
{
    EstiloQueNotaPaletas notadas;
    pedido("00611", "1");
    pedido("00612", "1", "C");
    qsizetype primeiraVez = 0;
    for (int vez = 0; vez < 3; ++vez) {
        for (const char* numero : {"00611", "00612"}) {
            TfmAssCheckout& form = abrirCheckout(numero);
            EXPECT_EQ(form.dbgdAssCheckoutEquip->readOnlyGrid(), numero == QString("00612"));
            form.pcCheckout->setActivePage(form.tsEquipSelecionados);
            form.grab();
            form.close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (vez == 0)
            primeiraVez = notadas.estilo->paletas.size();
    }
    EXPECT_EQ(notadas.estilo->paletas.size(), primeiraVez);
}

TEST_F(CheckoutTest, OpeningTheCheckoutReadsItsLinesAndTheCompositionOnce)
{
    pedido("00695", "1");
    linha("00695", 1, 2, 2);
    linha("00695", 2, 1, 1, "S", {}, "P0003");
    pedido("00696", "1");
    exec("insert into AGPC03CM (CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, PRCODIGO) values (1, 'P0005', 1, 'P0001')");
    exec("insert into AGPC03CM (CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, PRCODIGO) values (2, 'P0004', 2, 'P0001')");
    tr().commitRetaining();
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    auto abrir = [&lista](const QString& numero) {
        EXPECT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", numero)) << numero.toStdString();
        testsupport::StatementCounter contador;
        lista.dbgdConsultaDblClick();
        return contador.count();
    };
    auto texto = [](host::ui::DataGrid* grade, int linha, const char* campo) {
        return grade->model()->index(linha, grade->columnByField(campo)->index()).data().toString().trimmed();
    };
    // That the order is still stored, the order, its lines, the first
    // line's composition, the customer's name and the customer's three
    // contact lists.
    EXPECT_EQ(abrir("00695"), 8);
    TfmAssCheckout& form = *fmAssCheckout;
    ASSERT_EQ(form.dbgdAssCheckoutItens->model()->rowCount(), 2);
    EXPECT_EQ(texto(form.dbgdAssCheckoutItens, 0, "CODIGO"), "P0001");
    EXPECT_EQ(texto(form.dbgdAssCheckoutItens, 1, "CODIGO"), "P0003");
    ASSERT_EQ(form.dbgdComposicaoItens->model()->rowCount(), 2);
    EXPECT_EQ(texto(form.dbgdComposicaoItens, 0, "CMCODIGO"), "P0005");
    EXPECT_EQ(texto(form.dbgdComposicaoItens, 1, "CMCODIGO"), "P0004");

    abrir("00696");
    EXPECT_EQ(form.dbgdAssCheckoutItens->model()->rowCount(), 0);
    EXPECT_EQ(form.dbgdComposicaoItens->model()->rowCount(), 0) << "no line, no composition";
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
}

// Both windows as a person sees them, written next to the test program (run
// under Xvfb by the screenshot test, offscreen otherwise).
TEST_F(CheckoutTest, PictureOfTheCheckoutWindowsWithAnOrder)
{
    pedido("00691", "1");
    exec("update AVEC8501 set VEDATAPRODUCAO = '2026-12-05', VEDATANEGOCIACAO = '2026-11-20'"
         " where NUMERO_PEDIDO = '00691'");
    linha("00691", 1, 2, 2);
    linha("00691", 2, 1, 1, "S", {}, "P0003");
    linha("00691", 3, 1, 1, "N", "00999", "P0004");
    pedido("00692", "1", "L");
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.bbPesquisar->click();
    lista.resize(1000, 560);
    guardaFoto(lista, "fmAssCheckoutConsulta.png");
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00691"));
    lista.dbgdConsultaDblClick();
    TfmAssCheckout* form = fmAssCheckout;
    ASSERT_NE(form, nullptr);
    form->resize(1100, 680);
    guardaFoto(*form, "fmAssCheckout_00691.png");
    aba(form->pcCheckout, form->tsEquipSelecionados);
    guardaFoto(*form, "fmAssCheckout_00691_selecionados.png");
    EXPECT_EQ(form->dbgdAssCheckoutEquip->model()->rowCount(), 3);
    EXPECT_EQ(form->laNomeCliente->text(), "Clínica Saúde & Vida S/A");
    EXPECT_EQ(form->dbteStatus->text(), "(Pendente)");
}

}  // namespace
}  // namespace moduletest
