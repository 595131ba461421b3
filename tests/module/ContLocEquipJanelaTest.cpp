// The rental register of option "E" opened through the dispatcher and
// driven through its controls: its pages and lists, a contract made with
// its contractor, customer and an item, saved, browsed, searched and
// deleted; the link kind of a new contract, the deletion password, the
// validity days, the item texts, the linked contracts, the instalment
// tools, the re-instalment panel, the pick-up, the statements of loading
// and of each page, and its picture.

#include "host/UcadastroHost.h"
#include "host/ui/WindowRegistry.h"
#include "tests/module/ContLocFixture.h"

#include "rental/uAssContLocEquipCad.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uobservacao.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/StatusBar.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScopedTimeZone.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace moduletest {
namespace {

using host::data::DatasetState;

class ContLocEquipJanelaTest : public ContLocTest {
protected:
    void TearDown() override
    {
        uDataTecContLocacao::setRelogio({});
        ContLocTest::TearDown();
    }
    TfmAssContCadLocEquip& abrir() { return abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip"); }
};

TEST_F(ContLocEquipJanelaTest, OpensWithItsThirteenPagesListsAndButtons)
{
    exec("insert into AATC05AC (ACCODIGO, ACTIPODESC, ACPERIODODESC) values (901, 'Anual', 'Mensal')");
    exec("insert into AATC05AC (ACCODIGO, ACTIPODESC, ACPERIODODESC) values (902, 'Anual', 'Diária')");
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssContCadLocEquip& form = abrir();
    EXPECT_EQ(form.caption(), "Contratos de Locação de Equipamentos");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_EQ(paginas(form),
              (QStringList{"Dados Adicionais", "Equipamentos", "Complementos", "Equipamentos Solicitados",
                           "Equipamentos Encerrados", "Complementos Encerrados", "Parcelas",
                           "Observações Emissão Boletos", "Histórico", "Custos Variáveis", "Dados da Retirada",
                           "Observações Adicionais", "Contratos Vinculados"}));
    EXPECT_EQ(form.pcItensContrato->activePage(), form.tsDadosAdicionais);
    EXPECT_TRUE(ctr().active());
    EXPECT_FALSE(form.dbedDiasContrato->isHidden()) << "the days beside the start in mode E";
    EXPECT_EQ(form.dbcbTipoDesc->pickList(),
              (QStringList{"Anual", "Locação de Equipamentos", "Manutenção Corretiva", "Manutenção Mensal",
                           "Manutenção Preventiva", "Suporte Técnico"}))
        << "the type a contract carries and the installation's";
    EXPECT_EQ(form.dbcbPeriodoDesc->pickList(), (QStringList{"Diária", "Mensal"}));
    EXPECT_EQ(form.dbcbStatus->pickList(),
              (QStringList{"Cortesia", "Especial", "Integral", "Demanda", "#Desativado", "Atualização"}));
    EXPECT_EQ(form.dbcbAssinado->pickList(), (QStringList{"1 - Sim", "2 - Não", "3 - Não Possui"}));
    EXPECT_EQ(form.dbcbTipoPgto->pickList().size(), 28);
    EXPECT_EQ(form.dbcbComprovante->pickList(), (QStringList{"Nota Fiscal", "Carta de Devolução"}));
    EXPECT_EQ(form.dbcbRetirada->pickList(), (QStringList{"Não ", "Sim"}));
    EXPECT_EQ(form.laStatusRetirada->text(), "Não Definida");
    for (QPushButton* b : {form.btNovo, form.btSalvar, form.btCancelar, form.btExcluir, form.btImprimir, form.btSair,
                           form.bbAlterar, form.bbApagar, form.bbPrevisionar})
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_EQ(form.bbPrevisionar->text(), "Gerar Previsão");
    EXPECT_EQ(form.bbApagar->text(), "Excluir Parcelas");
    EXPECT_EQ(form.stParcelas->panelText(3), "Azul - Pago");
    fechar(form);
    EXPECT_EQ(fmAssContCadLocEquip.get(), nullptr) << "freed on close";
    EXPECT_FALSE(ctr().active());

    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    TfmAssContCadLocEquip& outro = abrir();
    EXPECT_TRUE(outro.dbedDiasContrato->isHidden());
}

TEST_F(ContLocEquipJanelaTest, ContractIsMadeSavedBrowsedSearchedAndDeleted)
{
    contrato(700);
    TfmAssContCadLocEquip& form = abrir();
    form.btNovo->click();
    ASSERT_EQ(ctr().state(), DatasetState::Insert);
    digita(form.dbedNumeroContrato, "LOC-1");
    digita(form.dbedLocal, "01");
    pesquisa("CODIGO_CLIENTE", "00004");
    form.btPesqContratante->click();
    pesquisa("CODIGO_CLIENTE", "00002");
    form.btPesqCliente->click();
    EXPECT_EQ(cab("ACCONTRATANTE").asString(), "00004");
    EXPECT_EQ(cab("CLCODIGO").asString(), "00002");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    const int codigo = cab("ACCODIGO").asInteger();
    ASSERT_GT(codigo, 700);
    EXPECT_EQ(lido(QString("select ACNUMEROCONTRATO || ACCONTRATANTE || CLCODIGO from AATC05AC where ACCODIGO = %1")
                       .arg(codigo)),
              QStringList{"LOC-10000400002"});

    // An equipment item on its page.
    aba(form, form.tsEquipamentos);
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    ASSERT_TRUE(itens.active());
    InserirRegistro(itens);
    if (itens.fieldByName("ACCODIGO")->isNull())
        itens.fieldByName("ACCODIGO")->setAsInteger(codigo);
    if (itens.fieldByName("CLCODIGO")->asString().isEmpty())
        itens.fieldByName("CLCODIGO")->setAsString("00004");
    pesquisa("CODIGO", "P0004");
    form.dbgdAssContCadLocEquipItens->setSelectedIndex(
        form.dbgdAssContCadLocEquipItens->columnByField("PRCODIGO")->index());
    form.dbgdAssContCadLocEquipItens->editButtonClick();
    EXPECT_EQ(itens.fieldByName("ACITCOMPLEMENTO")->asString(), "N");
    SalvarAlteracoes(itens);
    EXPECT_EQ(lido(QString("select PRCODIGO || ACITCOMPLEMENTO from AATC05ACIT where ACCODIGO = %1").arg(codigo)),
              QStringList{"P0004N"});

    // Previous and next.
    form.btContratoAnt->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), 700);
    EXPECT_EQ(form.pcItensContrato->activePage(), form.tsDadosAdicionais);
    form.btContratoProx->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), codigo);

    // The search.
    pesquisaContrato("L700");
    form.btPesqContrato->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), 700);

    // Delete, with no password set: only the host's confirmation.
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.btExcluir->click();
    EXPECT_FALSE(contratos().contains("700"));
    EXPECT_TRUE(ctr().isEmpty());
    EXPECT_EQ(dialogs->pending(), 0);
}

// A new contract whose "Tipo de Vínculo" is left alone is a principal one
// (the rental billing lists no other); one chosen "Complementar" stays so.
TEST_F(ContLocEquipJanelaTest, ANewContractIsPrincipalUnlessChosenComplementary)
{
    TfmAssContCadLocEquip& form = abrir();
    QStringList gravados;
    for (const bool complementar : {false, true}) {
        form.btNovo->click();
        ASSERT_EQ(ctr().state(), DatasetState::Insert);
        EXPECT_EQ(form.dbcbVinculo->currentText(), "Principal");
        if (complementar) {   // the list's second item
            form.dbcbVinculo->setFocus();
            QTest::keyClick(form.dbcbVinculo, Qt::Key_Down);
            QTest::keyClick(form.dbcbVinculo, Qt::Key_Tab);
        }
        partesESalva(form, "00004");
        ASSERT_EQ(ctr().state(), DatasetState::Browse) << dialogs->texts().join(" | ").toStdString();
        gravados << lido(QString("select ACVINCULO from AATC05AC where ACCODIGO = %1").arg(cab("ACCODIGO").asInteger()))
                        .value(0);
    }
    EXPECT_EQ(gravados, (QStringList{"P", "C"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, DeletionPasswordIsComparedTrimmedAndAWrongOneRefuses)
{
    contrato(701);
    contrato(702);
    parametro("ATSENHAEXCLUSAOPEDIDO", "abc ");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(701);
    dialogs->enter("ab", "Informe a senha para exclusão do Contrato.");
    dialogs->acknowledge("A senha informada é inválida!");
    form.btExcluir->click();
    EXPECT_EQ(one("select count(*) from AATC05AC where ACCODIGO = 701").toInt(), 1) << "a wrong password deletes nothing";
    dialogs->enter(" abc ", "Informe a senha para exclusão do Contrato.");
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.btExcluir->click();
    EXPECT_EQ(contratos(), QStringList{"702"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, SaveOutsideEditingDoesNothingAndDaysSetTheEnd)
{
    contrato(703, "ACDATAIMPLANTACAO", "'2024-03-01'");
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(703);
    testsupport::StatementCounter nada;
    form.btSalvar->click();
    EXPECT_EQ(nada.count(), 0);
    EXPECT_TRUE(dialogs->shown().empty()) << "no question while not editing";

    dialogs->enter("0", "Informe o(s) dia(s) para Final Vigência.");
    form.dbedDataInicioExit();
    EXPECT_TRUE(cab("ACDATAVALIDADE").isNull()) << "0 days change nothing";
    dialogs->enter("30", "Informe o(s) dia(s) para Final Vigência.");
    form.dbedDataTerminoExit();
    EXPECT_EQ(cab("ACDIASCONTRATO").asInteger(), 30);
    EXPECT_EQ(cab("ACDATAVALIDADE").asDateTime().date(), QDate(2024, 3, 31));
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACDIASCONTRATO from AATC05AC where ACCODIGO = 703"), QStringList{"30"});

    // Closing while editing asks too; "Não" leaves the typed number unsaved.
    digita(form.dbedNumeroContrato, "L703-B");
    ASSERT_TRUE(ctr().editing());
    dialogs->answer("Não", "Deseja salvar as alterações ?");
    fechar(form);
    EXPECT_EQ(fmAssContCadLocEquip.get(), nullptr);
    EXPECT_EQ(lido("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = 703"), QStringList{"L703"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, ItemTextsAreKindYForEquipmentAndComplements)
{
    contrato(704);
    item(1, 704, "P0004");
    item(2, 704, "P0001", "S");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(704);
    auto texto = [this](const QString& conteudo) {
        dialogs->modal("fmObservacao", [conteudo](host::ui::Form& janela) {
            auto& obs = static_cast<TfmObservacao&>(janela);
            obs.dbmeObservacao->setFocus();
            QTest::keyClicks(obs.dbmeObservacao, conteudo);
            QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
        });
    };
    aba(form, form.tsEquipamentos);
    ASSERT_EQ(form.dbgdAssContCadLocEquipItens->model()->rowCount(), 1);
    texto("Gerador revisado");
    form.dbgdAssContCadLocEquipItens->setSelectedIndex(
        form.dbgdAssContCadLocEquipItens->columnByField("DESCRICAO")->index());
    form.dbgdAssContCadLocEquipItens->editButtonClick();
    aba(form, form.tsComplementos);
    ASSERT_EQ(form.dbgdAssContCadLocEquipCompl->model()->rowCount(), 1);
    texto("Cabo extra");
    form.dbgdAssContCadLocEquipCompl->setSelectedIndex(
        form.dbgdAssContCadLocEquipCompl->columnByField("DESCRICAO")->index());
    form.dbgdAssContCadLocEquipCompl->editButtonClick();
    EXPECT_EQ(lido("select OBID || OBSEQUENCIA || ':' || OBTEXTO from AUGC70OB where OBCODIGO = '704'"
                   " order by OBID, OBSEQUENCIA"),
              (QStringList{"Y1:Gerador revisado", "Y2:Cabo extra"}));
    // The equipment's configuration: the composition window of its product.
    QString composicao;
    dialogs->modal("fmComposicao", [&composicao](host::ui::Form& janela) { composicao = janela.caption(); });
    aba(form, form.tsEquipamentos);
    QTest::mouseClick(form.laAbrirCfgequip, Qt::LeftButton);
    EXPECT_EQ(composicao, "Composição do Produto");
    // The closed pages list only closed rows.
    aba(form, form.tsEquipamentosEncerrados);
    EXPECT_EQ(form.dbgdAssContCadLocEquipEnc->model()->rowCount(), 0);
    EXPECT_EQ(dialogs->pending(), 0);
}

// A rented line typed with no quantity would bill and ship less than
// nothing: refused where typed, naming the column, and the line keeps 1.
TEST_F(ContLocEquipJanelaTest, ARentedLineRefusesAQuantityOfZeroOrLess)
{
    contrato(705);
    item(1, 705, "P0004");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(705);
    aba(form, form.tsEquipamentos);
    for (const char* quantidade : {"0", "-1"}) {
        SCOPED_TRACE(quantidade);
        testsupport::OnScreenDialogs naTela;
        celula(form.dbgdAssContCadLocEquipItens, "ACITQUANTIDADE", quantidade, Qt::Key_Return);
        EXPECT_EQ(naTela.texts(), QStringList{"Quantidade: informe um valor maior que zero."});
        QTest::keyClick(form.focusWidget() ? form.focusWidget() : &form, Qt::Key_Escape);
    }
    EXPECT_DOUBLE_EQ(dmTecContrato->quCtrCadastroIt->fieldByName("ACITQUANTIDADE")->asFloat(), 1);
}

TEST_F(ContLocEquipJanelaTest, LinksOpenTheRegisterOfTheCustomersKind)
{
    contrato(707);
    exec("update AATC05AC set CLCODIGO = '00003' where ACCODIGO = 707");
    criarPrincipal();
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(707);
    EXPECT_EQ(form.laContratante->text(), "Clique aqui para ver Dados Contratante");
    // Each opens the register of its kind on its customer.
    QStringList abertos;
    auto aberto = [&abertos](const QString& nome) {
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find(nome));
        abertos << (janela ? janela->caption() + "|" + janela->registros().fieldByName("CODIGO_CLIENTE")->asString()
                           : QString());
    };
    QTest::mouseClick(form.laContratante, Qt::LeftButton);
    aberto("fmCadastroPJ");
    QTest::mouseClick(form.laCliente, Qt::LeftButton);
    aberto("fmCadastroPF");
    EXPECT_EQ(abertos, (QStringList{"Cadastro de Pessoa Jurídica|" + cab("ACCONTRATANTE").asString(),
                                    "Cadastro de Pessoa Física|00003"}))
        << "a company contractor, a natural-person customer";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, NotePagesWriteTheirKeysAndReturnedRowsAreYellow)
{
    contrato(801);
    item(1, 801, "P0004", "N", "ACITRETORNO", "'S'");
    item(2, 801, "P0001");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    auto nota = [&](host::ui::TabSheet* pagina, host::ui::DataMemo* memo, const QString& texto) {
        aba(form, pagina);
        host::data::Query& obs = *dmGlobal->quObsGeral;
        ASSERT_TRUE(obs.active());
        InserirRegistro(obs);
        memo->setFocus();
        QTest::keyClicks(memo, texto);
        aba(form, form.tsHistorico);   // the page change saves the notes
    };
    nota(form.tsObsSR, form.dbmeObsSR, "Boleto no dia 5");
    nota(form.tsObsAdicionais, form.dbmeObsAdic, "Cliente antigo");
    EXPECT_EQ(lido("select OBCODIGO || OBID || OBSEQUENCIA || ':' || OBTEXTO from AUGC70OB where OBCODIGO <> 'FIXO'"
                   " order by OBSEQUENCIA"),
              (QStringList{"801U1:Boleto no dia 5", "801U2:Cliente antigo"}));

    aba(form, form.tsEquipamentos);
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    auto fundo = [&](int linha) {
        host::data::Dataset::RowScope escopo(itens, linha);
        host::ui::CellStyle estilo;
        form.dbgdAssContCadLocEquipItens->onDrawColumnCell(estilo, 0, *form.dbgdAssContCadLocEquipItens->column(0),
                                                          false);
        return estilo.background;
    };
    EXPECT_EQ(fundo(1), QColor(255, 255, 170)) << "returned by check-in";
    EXPECT_FALSE(fundo(2).isValid());
}

TEST_F(ContLocEquipJanelaTest, ContractorHistoriesFillTheirLists)
{
    contrato(801, "ACDESCRICAO, ACPEDIDOCLIENTE", "'Obra Norte', 'PC-1'");
    contrato(802, "ACDESCRICAO, ACPEDIDOCLIENTE", "'Obra Sul', 'PC-2'");
    exec("insert into AATC05AC (ACCODIGO, ACCONTRATANTE, ACDESCRICAO) values (803, '00002', 'Outro cliente')");
    parcela("000001", "V", 100);
    exec("update ACRC5001 set CRPEDIDOCLI = 'PC-9' where NUMERO_DOCUMENTO = '000001'");
    TfmAssContCadLocEquip& form = abrir();
    host::ui::GridColumn* coluna = form.dbgdAssContCadLocEquiParcelas->addColumn("CRPEDIDOCLI", "Pedido Cli.", 80);
    CarregaContrato(801);
    EXPECT_EQ(form.dbcbProjeto->pickList(), (QStringList{"Obra Norte", "Obra Sul"})) << "only the contractor's";
    EXPECT_EQ(form.dbcbPedidoCliente->pickList(), (QStringList{"PC-1", "PC-2"}));
    EXPECT_EQ(form.cbReparcelaPedCliente->count(), 2);
    EXPECT_EQ(coluna->pickList(), QStringList{"PC-9"});
}

TEST_F(ContLocEquipJanelaTest, LinkedContractsFollowTheLinkKind)
{
    contrato(705, "ACVINCULO", "'P'");
    contrato(706, "ACVINCULO", "'C'");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(706);
    host::ui::DataGrid* vinc = form.dbgdAssContratoEquipVinc;
    EXPECT_EQ(vinc->column(0)->fieldName(), "AOCODIGOPRINCIPAL");
    EXPECT_EQ(vinc->column(2)->fieldName(), "ACVALORPARCELAPRINCIPAL");
    EXPECT_TRUE(vinc->readOnlyGrid());
    CarregaContrato(705);
    EXPECT_EQ(vinc->column(0)->fieldName(), "ACCODIGOCOMPLEMENTO");
    EXPECT_EQ(vinc->column(1)->fieldName(), "CLNOMECOMPLEMENTO");
    EXPECT_FALSE(vinc->readOnlyGrid());
    // Its button picks a contract (search kind 68) as the complement.
    aba(form, form.tsContratosVinculados);
    host::data::Query& vinculos = *dmTecContrato->quContratoVin;
    ASSERT_TRUE(vinculos.active());
    InserirRegistro(vinculos);
    pesquisa("ACCODIGO", "706");
    vinc->setSelectedIndex(0);
    vinc->editButtonClick();
    EXPECT_EQ(vinculos.fieldByName("ACCODIGOCOMPLEMENTO")->asInteger(), 706);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, JustificationOfTheCurrentItemOpensUnderItsOwnKey)
{
    contrato(801);
    item(5, 801, "P0004");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('801J', 'U', 5, 'Voltou com avaria')");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    QString caption, texto;
    dialogs->modal("fmObservacao", [&](host::ui::Form& janela) {
        caption = janela.caption();
        texto = static_cast<TfmObservacao&>(janela).dbmeObservacao->text();
    });
    QTest::mouseClick(form.laVisualizarJustificativa, Qt::LeftButton);
    EXPECT_EQ(caption, "Justificativa Entrada Equipamento");
    EXPECT_EQ(texto, "Voltou com avaria");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, AlterarParcelasTodasAndSelecao)
{
    contrato(801);
    parcela("000001", "V", 100);
    parcela("000002", "*", 100);
    parcela("000003", "V", 100);
    exec("update ACRC5001 set CRDATABOLETO = '2024-02-01' where NUMERO_DOCUMENTO = '000003'");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsParcelas);
    ASSERT_EQ(form.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 3);
    auto valores = [this] {
        return lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 801"
                    " order by NUMERO_DOCUMENTO");
    };
    dialogs->answer("Todas", "Deseja alterar a Previsão da(s) Parcela(s)?");
    dialogs->enter("150,456", "Informe o novo Valor R$ a ser definido para a(s) Parcela(s) do Contrato.");
    form.bbAlterar->click();
    EXPECT_EQ(valores(), (QStringList{"15045", "10000", "10000"}));
    EXPECT_EQ(form.bbAlterar->text(), "Alterar Parcelas");

    // "Seleção": the first click only switches the grid.
    dialogs->answer("Seleção", "Deseja alterar a Previsão da(s) Parcela(s)?");
    form.bbAlterar->click();
    EXPECT_EQ(form.bbAlterar->text(), "Confirmar");
    EXPECT_TRUE(form.dbgdAssContCadLocEquiParcelas->multiSelect());
    EXPECT_FALSE(form.dbgdAssContCadLocEquiParcelas->editing());
    EXPECT_EQ(dialogs->pending(), 0);
    form.dbgdAssContCadLocEquiParcelas->selectRow(1);
    form.dbgdAssContCadLocEquiParcelas->selectRow(2);
    dialogs->enter("90", "Informe o novo Valor R$");
    form.bbAlterar->click();
    EXPECT_EQ(valores(), (QStringList{"9000", "10000", "10000"})) << "the selected paid row is left alone";
    EXPECT_EQ(form.bbAlterar->text(), "Alterar Parcelas");
    EXPECT_FALSE(form.dbgdAssContCadLocEquiParcelas->multiSelect());
    EXPECT_TRUE(form.dbgdAssContCadLocEquiParcelas->editing());
    EXPECT_TRUE(sAuxiliarGeral.isEmpty());

    dialogs->answer("Cancelar", "Deseja alterar a Previsão da(s) Parcela(s)?");
    form.bbAlterar->click();
    EXPECT_EQ(valores(), (QStringList{"9000", "10000", "10000"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

// Older rows hold the zero date (30/12/1899) for "no date": it shows empty,
// in the edits and in the instalments grid, and a date typed over it is kept.
TEST_F(ContLocEquipJanelaTest, TheZeroDateOfOlderRowsShowsEmpty)
{
    contrato(801, "ACDATARA, ACDATAENTREGA", "'1899-12-30', '2024-03-01'");
    parcela("000001", "V", 100, 801, "1899-12-30");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    EXPECT_EQ(QString(form.dbedDataRA->displayText()).remove('/').trimmed(), "");
    EXPECT_EQ(form.dbedDataEntrega->displayText(), "01/03/2024");
    aba(form, form.tsParcelas);
    host::ui::DataGrid* grade = form.dbgdAssContCadLocEquiParcelas;
    host::ui::GridColumn* vencimento = grade->columnByField("DATA_VENCIMENTO");
    ASSERT_NE(vencimento, nullptr);
    EXPECT_EQ(grade->model()->index(0, vencimento->index()).data().toString(), "");

    digita(form.dbedDataRA, "05/03/2024");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select cast(ACDATARA as date) from AATC05AC where ACCODIGO = 801").value(0).left(10), "2024-03-05");
}

TEST_F(ContLocEquipJanelaTest, CustomerOrderStampAndInstalmentColours)
{
    contrato(801, "ACPEDIDO", "'00777'");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, VEPEDIDOCLIENTE) values ('00777', 'PC-55')");
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2024, 2, 11), QTime(8, 0)); });
    parcela("000001", "", 100, 801, "2024-02-10");
    parcela("000002", "", 100, 801, "2024-02-11");
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsParcelas);
    QTest::mouseClick(form.laAdicInfoPedidoCliente, Qt::LeftButton);
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where AOCODIGO = 801 order by NUMERO_DOCUMENTO"),
              (QStringList{"Pedido: PC-55", "Pedido: PC-55"}));
    host::data::Query& receber = *dmGlobal->quReceber;
    auto cor = [&](int linha) {
        host::data::Dataset::RowScope escopo(receber, linha);
        host::ui::CellStyle estilo;
        form.dbgdAssContCadLocEquiParcelasDrawColumnCell(estilo, false);
        return estilo.background;
    };
    EXPECT_EQ(cor(1), QColor(255, 213, 213)) << "due yesterday";
    EXPECT_FALSE(cor(2).isValid()) << "due today stays white";
}

TEST_F(ContLocEquipJanelaTest, ReinstalmentPanelIsEmptiedAndChecksItsDates)
{
    contrato(801);
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2024, 2, 11), QTime(8, 0)); });
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    form.maReparcelaQtde->setText("3");
    aba(form, form.tsParcelas);
    EXPECT_TRUE(form.maReparcelaQtde->text().isEmpty()) << "emptied when the page is entered";
    form.ckReparcelaUltDiaMes->click();
    EXPECT_FALSE(form.ckReparcelaUltDiaMes->isChecked()) << "no start, no tick";
    form.deReparcelaVigDe->setDate(QDateTime(QDate(2024, 2, 10), QTime(0, 0)));
    form.ckReparcelaUltDiaMes->click();
    EXPECT_TRUE(form.ckReparcelaUltDiaMes->isChecked());
    EXPECT_EQ(form.deReparcelaVigAte->date().date(), QDate(2024, 2, 29));
    form.ckReparcelaUltDiaMes->click();
    EXPECT_TRUE(form.ckReparcelaUltDiaMes->isChecked()) << "cannot be cleared while the start holds a date";

    dialogs->acknowledge("Data de Emissão deve ser maior ou igual a Data atual!");
    form.deReparcelaDtEmissao->setDate(QDateTime(QDate(2024, 2, 10), QTime(0, 0)));
    form.deReparcelaDtEmissao->setDate(QDateTime(QDate(2024, 2, 20), QTime(0, 0)));
    form.deReparcelaVcto->setDate(QDateTime(QDate(2024, 2, 20), QTime(0, 0)));
    // equal passes
    dialogs->acknowledge("Data de Vencimento deve ser maior que a Data de Emissão!");
    form.deReparcelaVcto->setDate(QDateTime(QDate(2024, 2, 19), QTime(0, 0)));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, PickUpMomentAndConfirmation)
{
    contrato(801, "ACCOMPROVANTEDATAHORA", "'2024-03-05 09:30'");
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2024, 3, 6), QTime(10, 0)); });
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsDadosRetirada);
    EXPECT_EQ(form.rxspRetiradaHora->value(), 9);
    EXPECT_EQ(form.rxspRetiradaMinutos->value(), 30);
    EXPECT_EQ(form.laStatusRetirada->text(), "Pendente");
    form.rxspRetiradaHora->setValue(14);
    EXPECT_EQ(cab("ACCOMPROVANTEDATAHORA").asDateTime(), QDateTime(QDate(2024, 3, 5), QTime(14, 30)));
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACCOMPROVANTEDATAHORA from AATC05AC where ACCODIGO = 801").value(0).left(16),
              "2024-03-05T14:30");
    dialogs->answer("Sim", "Confirma execução da Retirada?");
    QTest::mouseClick(form.laRetiradaConferir, Qt::LeftButton);
    EXPECT_EQ(form.laStatusRetirada->text(), "Realizada");
    EXPECT_EQ(cab("ACDATARETIRADA").asDateTime().date(), QDate(2024, 3, 6));
    EXPECT_EQ(dialogs->pending(), 0);
}

// A pick-up confirmed on a day whose midnight the zone skipped (summer time
// in Brazil began at 00:00 on 04/11/2018) is stored with that day.
TEST_F(ContLocEquipJanelaTest, APickUpConfirmedOnADayWithoutMidnightKeepsItsDay)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    contrato(801, "ACCOMPROVANTEDATAHORA", "'2018-11-03 09:30'");
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2018, 11, 4), QTime(10, 0)); });
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsDadosRetirada);
    dialogs->answer("Sim", "Confirma execução da Retirada?");
    QTest::mouseClick(form.laRetiradaConferir, Qt::LeftButton);
    EXPECT_EQ(form.laStatusRetirada->text(), "Realizada");
    EXPECT_EQ(lido("select extract(day from ACDATARETIRADA) || '/' || extract(month from ACDATARETIRADA)"
                   " from AATC05AC where ACCODIGO = 801"),
              QStringList{"4/11"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// The contract search from the register, on the day whose midnight the zone
// skipped: a contract stored at 01:00 of that day (as a day picked here is
// kept) and one stored at 00:00 (as another program writes it) are that
// day's, one of the day before or after is not, for the pick-up day and for
// the end of validity.
TEST_F(ContLocEquipJanelaTest, TheSearchByDayFindsTheContractsOfADayWithoutMidnight)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    const QString colunas = "ACDATARETIRADA, ACDATAVALIDADE";
    contrato(811, colunas, "'2018-11-04 01:00', '2018-11-04 01:00'");
    contrato(812, colunas, "'2018-11-04 00:00', '2018-11-04 00:00'");
    contrato(813, colunas, "'2018-11-03 23:30', '2018-11-03 00:00'");
    contrato(814, colunas, "'2018-11-05 00:00', '2018-11-05 00:00'");
    TfmAssContCadLocEquip& form = abrir();
    const auto pesquisaPorDia = [this, &form](host::ui::DateEdit* TfmPesquisaAssContratosLocEquip::*campo) {
        QStringList achados;
        dialogs->modal("fmPesquisaAssContratosLocEquip", [&](host::ui::Form& janela) {
            auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
            host::ui::DateEdit* data = d.*campo;
            data->setFocus();
            data->setCursorPosition(0);
            QTest::keyClicks(data, "04112018");
            QTest::mouseClick(d.bbPesquisa, Qt::LeftButton);
            for (d.quConsulta->first(); !d.quConsulta->eof(); d.quConsulta->next())
                if (d.quConsulta->fieldByName("ACCODIGO")->asInteger() > 810)   // not the demonstration's
                    achados << d.quConsulta->fieldByName("ACCODIGO")->asString();
        });
        form.btPesqContrato->click();
        return achados;
    };
    EXPECT_EQ(pesquisaPorDia(&TfmPesquisaAssContratosLocEquip::deRetiradaEm), (QStringList{"811", "812"}));
    EXPECT_EQ(pesquisaPorDia(&TfmPesquisaAssContratosLocEquip::deTerminoAte), (QStringList{"811", "812", "813"}));
    EXPECT_EQ(pesquisaPorDia(&TfmPesquisaAssContratosLocEquip::deTerminoDe), (QStringList{"811", "812", "814"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocEquipJanelaTest, StatementsOfLoadingAContractAndOfEachPage)
{
    contrato(801);
    item(1, 801, "P0004");
    item(2, 801, "P0001", "S");
    for (int i = 1; i <= 3; ++i)
        parcela(QString("00000%1").arg(i), "V", 100);
    TfmAssContCadLocEquip& form = abrir();
    testsupport::StatementCounter carga;
    CarregaContrato(801);
    const int contratoCarregado = carga.count();
    const int preparadosCarga = carga.prepares();
    const QString medidas = medePaginas(form);
    // The header and its links, the contractor's projects and customer
    // orders; each page its one loader, whatever the rows (the additional
    // notes reuse the statement of the boleto notes).
    EXPECT_EQ(contratoCarregado, 4);
    EXPECT_EQ(preparadosCarga, 4);
    EXPECT_EQ(medidas,
              "tsEquipamentos=1/1 tsComplementos=1/1 tsEquipamentosSolicitados=1/1 tsEquipamentosEncerrados=1/1"
              " tsComplementosEncerrados=1/1 tsParcelas=1/1 tsObsSR=1/1 tsHistorico=0/0 tsCustosVariaveis=0/0"
              " tsDadosRetirada=0/0 tsObsAdicionais=1/0 tsContratosVinculados=0/0");

    contrato(802);
    const testsupport::StatementCounter outro;
    CarregaContrato(802);
    EXPECT_EQ(outro.count(), 4);
    EXPECT_EQ(outro.prepares(), 0) << "another contract's load prepares nothing again";
}

TEST_F(ContLocEquipJanelaTest, PictureOfTheRegisterWithAContract)
{
    contrato(801, "ACDATAIMPLANTACAO, ACDATAVALIDADE, ACDESCRICAO, ACPERIODODESC, ACTIPODESC",
             "'2024-03-01', '2024-08-31', 'Obra Centro', 'Mensal', 'Locação'");
    item(1, 801, "P0004");
    parcela("000001", "V", 1200);
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(801);
    form.resize(1000, 720);
    guardaFoto(form, "fmAssContratosLocEquip_801.png");
    aba(form, form.tsEquipamentos);
    guardaFoto(form, "fmAssContratosLocEquip_801_equipamentos.png");
    aba(form, form.tsParcelas);
    guardaFoto(form, "fmAssContratosLocEquip_801_parcelas.png");
    aba(form, form.tsDadosRetirada);
    confereLegivel(form);
    EXPECT_EQ(form.dbedNumeroContrato->text(), "L801");
}

}  // namespace
}  // namespace moduletest
