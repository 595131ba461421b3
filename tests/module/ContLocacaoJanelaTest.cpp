// The rental register of option "Q" opened through the dispatcher: its
// pages, the period switching the due fields, the due-date table and
// salesman searches, the rentable equipment and accessory grids of the
// current contract, a contract made, saved, browsed and deleted, the
// statements of loading it and its pages, and its picture.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContLocacao.h"

#include "host/PecaLocada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uobservacao.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"

#include <QLabel>
#include <QSplitter>

#include <memory>
#include <utility>

namespace moduletest {
namespace {

using host::data::DatasetState;

class ContLocacaoJanelaTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        parametro("ATOPCAOCONTRATO", "Q");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVNSNUMERO, EVVALORCOMPRA) values"
             " (31, 'L', 'Honda', 'Gerador G5', 'NS-31', 4500)");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (32, 'L', 'Stihl', 'Betoneira B2')");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (41, 'A', 'Honda', 'Cabo 10m')");
    }
    TfmAssContLocacao& abrir(const QString& nome = "fmAssContLocacao")
    {
        return abrirJanela(fmAssContLocacao, nome);
    }
    void equipamento(int codigo, int contratoItem, int veiculo, const QString& pai = "null")
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITEQUIPAMENTOPAI,"
                     " ACITVALOR, ACITQUANTIDADE) values (%1, %2, '00004', 'P0004', %3, %4, 90, 1)")
                 .arg(codigo)
                 .arg(contratoItem)
                 .arg(veiculo)
                 .arg(pai));
    }
};

TEST_F(ContLocacaoJanelaTest, OpensUnderBothNamesWithItsPagesAndThePeriodSwitch)
{
    TfmAssContLocacao& form = abrir("fmAssContratos");
    EXPECT_EQ(form.caption(), "Cadastro de Contrato de Locação de Equipamento");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_EQ(paginas(form), (QStringList{"Dados Adicionais", "Equipamentos", "Parcelas",
                                          "Observações Emissão Boletos", "Histórico", "Custos Variáveis",
                                          "Dados da Retirada", "Observações Adicionais", "Contratos Vinculados"}));
    EXPECT_EQ(form.laContratante->text(), "Contratante") << "the caption is the link";
    EXPECT_EQ(form.dbcbPeriodoDesc->pickList(), (QStringList{"Diária", "Mensal"}));
    EXPECT_TRUE(form.paParcelasCabecalho->isHidden());
    EXPECT_FALSE(form.bbFaturar->isHidden());
    fechar(form);

    contrato(801, "ACPERIODODESC", "'Mensal'");
    TfmAssContLocacao& q = abrir();
    CarregaContrato(801);
    EXPECT_FALSE(q.laDiaVenc->isHidden());
    EXPECT_FALSE(q.dbedDiaVenc->isHidden());
    EXPECT_TRUE(q.laTabelaVenc->isHidden());
    ctr().edit();
    const int diaria = q.dbcbPeriodoDesc->findText("Diária");
    q.dbcbPeriodoDesc->setCurrentIndex(diaria);
    emit q.dbcbPeriodoDesc->activated(diaria);
    EXPECT_EQ(cab("ACPERIODODESC").asString(), "Diária");
    EXPECT_FALSE(q.laTabelaVenc->isHidden());
    EXPECT_FALSE(q.dblcTabelaVenc->isHidden());
    EXPECT_TRUE(q.laDiaVenc->isHidden());
    EXPECT_TRUE(q.dbedDiaVenc->isHidden());
}

TEST_F(ContLocacaoJanelaTest, DueTableAndSalesmanSearchesFillTheirFields)
{
    contrato(801, "ACPERIODODESC", "'Diária'");
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('07', 'Sete dias', 1)");
    TfmAssContLocacao& form = abrir();
    CarregaContrato(801);
    pesquisa("CODIGO", "07");
    form.bbPesqTabVenc->click();
    EXPECT_EQ(cab("TVCODIGO").asString(), "07");
    EXPECT_EQ(form.dblcTabelaVenc->text(), "Sete dias");
    pesquisa("FCOD", "00001");
    form.SbPesqVendedor->click();
    EXPECT_EQ(cab("ACVENDEDOR").asString(), "00001");
    EXPECT_EQ(form.DBLcACVENDEDOR->text(), "Carlos Eduardo Vendas");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select TVCODIGO || ACVENDEDOR from AATC05AC where ACCODIGO = 801"), QStringList{"0700001"});
}

TEST_F(ContLocacaoJanelaTest, EquipmentGridsHoldTheCurrentContractsRows)
{
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (33, 'L', 'Makita', 'Serra S1')");
    contrato(801);
    contrato(802);
    equipamento(1, 801, 31);
    equipamento(2, 801, 32);
    equipamento(3, 801, 41, "1");
    equipamento(4, 802, 32);
    equipamento(5, 802, 31, "4");
    TfmAssContLocacao& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    host::data::Query& equipamentos = *dmTecContrato->quCtrEquipLocacao;
    EXPECT_EQ(form.dbgdAssContEquipamentoLocacao->model()->rowCount(), 2);
    EXPECT_EQ(equipamentos.fieldByName("MODELOEQUIPTO")->asString(), "Gerador G5");
    EXPECT_EQ(form.dbgdAssContAcessorioLocacao->model()->rowCount(), 1) << "the first equipment's accessory";
    equipamentos.next();
    EXPECT_EQ(form.dbgdAssContAcessorioLocacao->model()->rowCount(), 0) << "the accessories follow the row";
    form.btContratoProx->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), 802);
    aba(form, form.tsEquipamentos);
    EXPECT_EQ(form.dbgdAssContEquipamentoLocacao->model()->rowCount(), 1);

    // A cancelled search keeps the code; a chosen one (only rentable equipment "L") replaces it.
    host::ui::DataGrid* grade = form.dbgdAssContEquipamentoLocacao;
    grade->setSelectedIndex(grade->columnByField("EVCODIGO")->index());
    dialogs->modal("fmPesquisa", [](host::ui::Form&) {});
    grade->editButtonClick();
    EXPECT_EQ(equipamentos.fieldByName("EVCODIGO")->asInteger(), 32);
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        EXPECT_FALSE(p.dataSource()->dataset()->locate("EVCODIGO", 41)) << "no accessory offered";
        ASSERT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", 33));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    grade->editButtonClick();
    EXPECT_EQ(equipamentos.fieldByName("EVCODIGO")->asInteger(), 33);

    // The accessory search offers every rentable piece.
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        EXPECT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", 31));
        ASSERT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", 41));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    host::ui::DataGrid* acessorios = form.dbgdAssContAcessorioLocacao;
    host::data::Query& linhasAcessorio = *dmTecContrato->quCtrAcessLocacao;
    ASSERT_TRUE(linhasAcessorio.active());
    ASSERT_EQ(acessorios->model()->rowCount(), 1) << "the accessory of contract 802's equipment";
    acessorios->setSelectedIndex(acessorios->columnByField("EVCODIGO")->index());
    acessorios->editButtonClick();
    EXPECT_EQ(linhasAcessorio.fieldByName("EVCODIGO")->asInteger(), 41);
    linhasAcessorio.cancel();

    // The row's text opens from its observation column: the contract item's text.
    dialogs->modal("fmObservacao", [](host::ui::Form& janela) {
        auto& obs = static_cast<TfmObservacao&>(janela);
        obs.dbmeObservacao->setFocus();
        QTest::keyClicks(obs.dbmeObservacao, "Entregue na obra");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    grade->setSelectedIndex(grade->columnByField("ACITOBSERVACAO")->index());
    grade->editButtonClick();
    EXPECT_EQ(lido("select OBCODIGO || OBID || OBSEQUENCIA || ':' || OBTEXTO from AUGC70OB where OBCODIGO <> 'FIXO'"),
              QStringList{"802Y4:Entregue na obra"});
    EXPECT_EQ(lido("select cast(EVCODIGO as varchar(5)) from AATC05ACIT where ACITCODIGO = 4"), QStringList{"33"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// The rental register's typed customer codes follow the same rule: a code
// nobody registered is refused naming the field, and nothing of it is saved.
TEST_F(ContLocacaoJanelaTest, AnUnknownCustomerTypedIsRefusedAndNotSaved)
{
    TfmAssContLocacao& form = abrir();
    form.btNovo->click();
    ASSERT_EQ(ctr().state(), DatasetState::Insert);
    digita(form.dbedNumeroContrato, "LQ-9");
    digita(form.dbedLocal, "01");
    dialogs->acknowledge("Contratante: código ZZZ não cadastrado.");
    digita(form.dbedContratante, "ZZZ");
    dialogs->acknowledge("Cliente: código 99999 não cadastrado.");
    digita(form.dbedCliente, "99999");
    EXPECT_EQ(dialogs->pending(), 0);
    digita(form.dbedContratante, "00004");
    digita(form.dbedCliente, "00002");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(lido("select ACCONTRATANTE || '|' || CLCODIGO from AATC05AC where ACNUMEROCONTRATO = 'LQ-9'"),
              QStringList{"00004|00002"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocacaoJanelaTest, ContractIsMadeSavedBrowsedAndDeleted)
{
    contrato(700);
    TfmAssContLocacao& form = abrir();
    form.btNovo->click();
    ASSERT_EQ(ctr().state(), DatasetState::Insert);
    digita(form.dbedNumeroContrato, "LQ-1");
    digita(form.dbedLocal, "01");
    partesESalva(form, "00004");
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    const int codigo = cab("ACCODIGO").asInteger();
    EXPECT_EQ(lido(QString("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = %1").arg(codigo)),
              QStringList{"LQ-1"});
    form.btContratoAnt->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), 700);
    pesquisaContrato("LQ-1");
    form.btPesqContrato->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), codigo);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.btExcluir->click();
    EXPECT_EQ(contratos(), QStringList{"700"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContLocacaoJanelaTest, DueKindListFillsTheColumnALayoutAddsAndLogsItsRun)
{
    contrato(801);
    parcela("000001", "V", 100);
    parcela("000002", "V", 100);
    parcela("000003", "V", 100);
    exec("update ACRC5001 set CRTIPOVCTO = 'Mensal' where NUMERO_DOCUMENTO = '000001'");
    exec("update ACRC5001 set CRTIPOVCTO = 'Anual' where NUMERO_DOCUMENTO = '000002'");
    TfmAssContLocacao& form = abrir();
    // The column comes from a saved layout; without it nothing is read.
    host::ui::GridColumn* coluna = form.dbgdAssContCadLocEquiParcelas->addColumn("CRTIPOVCTO", "Tipo Vcto.", 80);
    testsupport::StatementCounter lista;
    form.CarregaListaParcelaTiposVcto();
    EXPECT_EQ(lista.count(), 1);
    EXPECT_EQ(coluna->pickList(), (QStringList{"Anual", "Mensal"}));
    const QStringList log = logDe("[TfmAssContLocacao.CarregaListaParcelaTiposVcto]");
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"***INICIO", "***FIM"}));
}

TEST_F(ContLocacaoJanelaTest, StatementsOfLoadingAContractAndOfEachPage)
{
    contrato(801);
    equipamento(1, 801, 31);
    equipamento(2, 801, 32);
    for (int i = 1; i <= 3; ++i)
        parcela(QString("00000%1").arg(i), "V", 100);
    TfmAssContLocacao& form = abrir();
    testsupport::StatementCounter carga;
    CarregaContrato(801);
    const int contratoCarregado = carga.count();
    const int preparadosCarga = carga.prepares();
    const QString medidas = medePaginas(form);
    // The header and its links; the equipment page its items, equipment and
    // the first equipment's accessories, whatever the rows.
    EXPECT_EQ(contratoCarregado, 2);
    EXPECT_EQ(preparadosCarga, 2);
    EXPECT_EQ(medidas, "tsEquipamentos=3/3 tsParcelas=1/1 tsObsSR=1/1 tsHistorico=0/0 tsCustosVariaveis=0/0"
                                 " tsDadosRetirada=0/0 tsObsAdicionais=1/0 tsContratosVinculados=0/0");

    contrato(802);
    const testsupport::StatementCounter outro;
    CarregaContrato(802);
    EXPECT_EQ(outro.count(), 2);
    EXPECT_EQ(outro.prepares(), 0) << "another contract's load prepares nothing again";
}

TEST_F(ContLocacaoJanelaTest, PictureOfTheRegisterWithAContract)
{
    contrato(801, "ACDATAIMPLANTACAO, ACDATAVALIDADE, ACPERIODODESC", "'2024-03-01', '2024-03-31', 'Diária'");
    equipamento(1, 801, 31);
    equipamento(2, 801, 41, "1");
    TfmAssContLocacao& form = abrir();
    CarregaContrato(801);
    form.resize(1000, 720);
    guardaFoto(form, "fmAssContLocacao_801.png");
    aba(form, form.tsEquipamentos);
    guardaFoto(form, "fmAssContLocacao_801_equipamentos.png");
    EXPECT_EQ(form.dbedNumeroContrato->text(), "L801");
}

// Two desks on one rental contract: the place the other desk saved stays;
// this desk's save is refused and the contract read again.
TEST_F(ContLocacaoJanelaTest, AContractSavedMeanwhileAtAnotherDeskIsRefusedAndReadAgain)
{
    contrato(700);
    tr().commitRetaining();
    TfmAssContLocacao& form = abrir();
    pesquisaContrato("L700");
    form.btPesqContrato->click();
    ASSERT_EQ(cab("ACCODIGO").asInteger(), 700);
    outraMesa("update AATC05AC set ACLOCAL = '02' where ACCODIGO = 700");
    digita(form.dbedNumeroContrato, "LQ-7");
    dialogs->answer("Sim", "Deseja salvar as alterações ?")
        .acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.btSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select ACLOCAL || '/' || ACNUMEROCONTRATO from AATC05AC where ACCODIGO = 700"),
              QStringList{"02/L700"});
    EXPECT_EQ(form.dbedLocal->text(), "02");
    EXPECT_EQ(form.dbedNumeroContrato->text(), "L700");
}

// A unit out on a line, or on a vehicle line, is refused on any other line,
// of this contract or another, naming the contract that has it, also while
// another desk is putting it out; once its line is closed it goes out again.
TEST_F(ContLocacaoJanelaTest, AUnitOutOnALineIsRefusedOnAnyOtherUntilItComesBack)
{
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (33, 'L', 'Makita', 'Serra S1')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (34, 'L', 'Makita', 'Serra S2')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (35, 'L', 'Makita', 'Serra S3')");
    contrato(801);
    contrato(802);
    contrato(803);   // unit 35 out on a vehicle line of it
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVSITUACAO)"
         " values (1, 803, 35, '2020-01-01', 'A')");
    equipamento(1, 801, 31);
    equipamento(2, 801, 32);
    equipamento(3, 802, 33);
    tr().commitRetaining();
    TfmAssContLocacao& form = abrir();
    // The unit typed in "Código" of the contract's line, then "Salvar".
    auto digitaUnidade = [&](int contrato, int linha, int unidade) {
        CarregaContrato(contrato);
        aba(form, form.tsEquipamentos);
        EXPECT_TRUE(dmTecContrato->quCtrEquipLocacao->locate("ACITCODIGO", linha));
        celula(form.dbgdAssContEquipamentoLocacao, "EVCODIGO", QString::number(unidade), Qt::Key_Return);
        form.btSalvar->click();
        QTest::keyClick(form.dbgdAssContEquipamentoLocacao, Qt::Key_Escape);
    };
    const char* const unidades = "select ACITCODIGO || ':' || EVCODIGO from AATC05ACIT order by ACITCODIGO";
    struct Caso {
        int contrato, linha, unidade;
        bool outraMesa;
        const char* recusa;
    };
    const Caso casos[] = {
        {802, 3, 31, false, "O equipamento 31 já está locado no contrato 801."},
        {801, 2, 31, false, "O equipamento 31 já está locado no contrato 801."},
        {802, 3, 35, false, "O equipamento 35 já está locado no contrato 803."},
        {802, 3, 34, true, "Equipamento em gravação em outra estação neste momento: 34. Tente novamente."},
    };
    for (const Caso& caso : casos) {
        host::db::Connection outra;
        outra.open({dbPath});
        auto mesa = std::make_unique<host::db::Transaction>(outra);
        if (caso.outraMesa) {   // it puts the unit on line 2 and has not committed yet
            std::swap(dmGlobal->IBTransaction1, mesa);
            host::TomarEquipamentoLocacao(caso.unidade, 2);
            host::db::executeSql(*dmGlobal->IBTransaction1, "update AATC05ACIT set EVCODIGO = 34 where ACITCODIGO = 2");
            std::swap(dmGlobal->IBTransaction1, mesa);
        }
        dialogs->acknowledge(caso.recusa);
        digitaUnidade(caso.contrato, caso.linha, caso.unidade);
        mesa->commit();
        EXPECT_EQ(dialogs->pending(), 0) << caso.recusa;
    }
    EXPECT_EQ(lido(unidades), (QStringList{"1:31", "2:34", "3:33"}));

    // Line 1 closed, its unit goes out on contract 802.
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Selecionado", "Deseja Encerrar o(s) Equipamento(s)?")
        .enter("Devolvido pelo cliente na obra", "Informe o motivo do Encerramento");
    QTest::mouseClick(form.laEncerrarEquipamento, Qt::LeftButton);
    digitaUnidade(802, 3, 31);
    EXPECT_EQ(lido(unidades), (QStringList{"1:31", "2:34", "3:31"}));
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select EVCODIGO || EVSTATUS from AUGC20EV where EVCODIGO in (31, 33) order by 1"),
              (QStringList{"31L", "33D"}))
        << "the unit a line took is rented, the one it left available";
    // Line 3 deleted (the data module's own delete): its unit is available.
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    itens.close();
    itens.open();
    ASSERT_TRUE(itens.locate("ACITCODIGO", 3));
    itens.remove();
    EXPECT_EQ(lido("select EVSTATUS from AUGC20EV where EVCODIGO = 31"), QStringList{"D"});
}

}  // namespace
}  // namespace moduletest
