// A new rental company's own pieces from the product register to a
// contract, on the database the first start leaves, with orders configured
// at the checkout (mode "C"): the product registered with its serial rule,
// stock and two pieces by their serial numbers, one of them rented on a
// contract; a proposal of it made an order; the checkout's picker offers the
// other piece, which goes out on the contract the order becomes; typed on
// another contract, it is refused.

#include "tests/module/LocacaoPropriaFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "data/uDataTec.h"
#include "host/data/DataSource.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/PilvOut70.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssVendas.h"
#include "rental/uPesqAssContratosLocEquip.h"

namespace moduletest {
namespace {

class LocacaoSerieCheckoutTest : public LocacaoPropriaTest {
protected:
    // "Andaime tubular" with its two pieces AND-0001 and AND-0002 in stock; its code.
    QString andaimeComDuasPecas()
    {
        parametro("ATMODOPEDIDOASSISTENCIA", "C");
        TfmCadastroHost& produtos = cadastroDeProdutos();
        const QString produto = novoProdutoDeLocacao(produtos, "Andaime tubular");
        EXPECT_TRUE(estoqueNoLocal(produtos, "001", "2"));
        EXPECT_TRUE(pecasComSerie(produtos, {"AND-0001", "AND-0002"}, "001")) << "the register takes the pieces";
        produtos.close();
        return produto;
    }
    struct PedidoContratado {
        QString pedido, contrato;
        QStringList oferecidas;   // by the checkout's picker
    };
    // A proposal of the product made an order, its checkout with the piece
    // picked, released, and made a contract.
    PedidoContratado pedidoAteContrato(const QString& produto, const QString& peca);
    // On the order's checkout open: "Confirma Checkout" and the order
    // released, the checkout closed.
    void libera();
    // The released order made a contract at the assistance window; its code.
    QString contrata(TfmAssCheckoutConsulta& lista, const QString& pedido);
    QString liberaAteContrato(TfmAssCheckoutConsulta& lista, const QString& pedido)
    {
        libera();
        return contrata(lista, pedido);
    }
    // The piece typed on a line of contract 3 and "Salvar": whether it was
    // refused as being where it is said to be; the line undone.
    bool recusadaNoContrato3(const QString& produto, const QString& serie, const QString& onde)
    {
        TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
        if (!form)
            return false;
        novaLinhaNaGrade(form->dbgdAssContCadLocEquipItens, "PRCODIGO", produto);
        celula(form->dbgdAssContCadLocEquipItens, "ACITNUMEROSERIE", serie);
        celula(form->dbgdAssContCadLocEquipItens, "ACITVALORUNITARIO", "900,00", Qt::Key_Return);
        const qsizetype antes = dialogs->texts().size();
        form->btSalvar->click();
        dmTecContrato->quCtrCadastroIt->cancel();
        form->close();
        return dialogs->texts().mid(antes).join('|').contains("O Nº de Série \"" + serie + "\" já está " + onde + ".");
    }
    // The order reopened at the checkout list (password) and its checkout
    // opened; the list.
    TfmAssCheckoutConsulta& reabreNaLista(const QString& pedido)
    {
        parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
        TfmAssCheckoutConsulta& lista = listaNoPedido(pedido);
        dialogs->enter("segredo", "Informe a senha para Reabrir Checkout:");
        lista.miReabrirCheckout->trigger();
        lista.dbgdConsultaDblClick();
        return lista;
    }
    // The rental register on the contract found by its search: the
    // product's line closed, "Devolvido pelo cliente" (its forecasts kept).
    void encerraLinha(const QString& contrato, const QString& produto, bool comPrevisoes = false)
    {
        principal->miCadastroContrato->click();
        TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
        ASSERT_NE(form, nullptr);
        dialogs->modal("fmPesquisaAssContratosLocEquip", [&contrato](host::ui::Form& janela) {
            auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
            d.bbPesquisa->click();
            ASSERT_TRUE(d.quConsulta->locate("ACCODIGO", contrato.toInt()));
            d.dbgdContratosLocEquiDblClick();
        });
        form->btPesqContrato->click();
        aba(*form, form->tsEquipamentos);
        ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("PRCODIGO", produto)) << vistos();
        dialogs->answer("Selecionado", "Deseja Encerrar o(s) Equipamento(s)?").enter("Devolvido pelo cliente");
        if (comPrevisoes)
            dialogs->answer("Não", "Deseja alterar valor das provisões?");
        QTest::mouseClick(form->laEncerrarEquipamento, Qt::LeftButton);
        form->close();
    }
    // The register's vehicles page (option "T") on the contract: vehicle 1
    // typed for the period, "Salvar"; the texts it showed.
    QStringList veiculoNoContrato(int contrato, const QString& inicio, const QString& fim)
    {
        TfmAssContCad& form = registroDeContratosNoItens(contrato);
        clicaAba(form.pcContrato, form.tsVeiculos);
        novaLinhaNaGrade(form.dbgdAssContCadVeiculo, "EVCODIGO", "1");
        celula(form.dbgdAssContCadVeiculo, "ACEVDATAINICIO", inicio);
        celula(form.dbgdAssContCadVeiculo, "ACEVDATAFIM", fim);
        const qsizetype antes = dialogs->texts().size();
        form.bbSalvar->click();
        dmTecContrato->quCtrVeiculo->cancel();
        form.close();
        return dialogs->texts().mid(antes);
    }
    // The piece checked in alone at "Entrada de Equipamentos"; false when
    // the check-in did not list it once.
    bool devolvida(const QString& serie)
    {
        const bool listada = entradaListada(serie) == 1;
        if (listada)
            confirmaEntradaComObservacao(*fmAssEntradaEquip);
        fmAssEntradaEquip->close();
        return listada;
    }
    // The checkout list on every status, the order's row current.
    TfmAssCheckoutConsulta& listaNoPedido(const QString& pedido)
    {
        TfmAssCheckoutConsulta& lista = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
        lista.cbStatus->setCurrentText("Todos");
        lista.bbPesquisar->click();
        EXPECT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", pedido)) << vistos();
        return lista;
    }
};

LocacaoSerieCheckoutTest::PedidoContratado LocacaoSerieCheckoutTest::pedidoAteContrato(const QString& produto,
                                                                                       const QString& peca)
{
    PedidoContratado feito;
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Proposta");
    clicaAba(venda.pcPedido, venda.tsEquipSolicitados);
    novaLinhaNaGrade(venda.dbgdAssVendaItens, "CODIGO", produto);
    celula(venda.dbgdAssVendaItens, "VALOR", "1.234,56", Qt::Key_Return);
    venda.bbSalvar->click();
    dialogs->answer("Sim", "Confirma a geração Pedido?");
    QTest::mouseClick(venda.bbFinalizar, Qt::LeftButton);
    feito.pedido = dmTec->quAssVenda->fieldByName("VEPROPOSTA")->asString();
    venda.close();
    if (feito.pedido.isEmpty())
        return feito;

    // Its checkout: the piece picked, the order released.
    TfmAssCheckoutConsulta& lista = listaNoPedido(feito.pedido);
    lista.dbgdConsultaDblClick();
    TfmAssCheckout& checkout = *fmAssCheckout;
    clicaAba(checkout.pcCheckout, checkout.tsEquipSelecionados);
    dialogs->modal("fmPesquisa", [&feito, peca](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        host::data::Dataset& pecas = *p.dataSource()->dataset();
        for (pecas.first(); !pecas.eof(); pecas.next())
            feito.oferecidas << pecas.fieldByName("NSNUMERO")->asString();
        ASSERT_TRUE(pecas.locate("NSNUMERO", peca));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    novaLinhaNaGrade(checkout.dbgdAssCheckoutEquip, "CODIGO", produto);
    celula(checkout.dbgdAssCheckoutEquip, "OBS", "Obra centro", Qt::Key_Down);
    feito.contrato = liberaAteContrato(lista, feito.pedido);
    return feito;
}

void LocacaoSerieCheckoutTest::libera()
{
    TfmAssCheckout& checkout = *fmAssCheckout;
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(checkout.btConfirmarCheckout, Qt::LeftButton);
    dialogs->answer("Sim", "Confirme a liberação do Pedido");
    QTest::mouseClick(checkout.bbLiberaFaturamento, Qt::LeftButton);
    checkout.close();
}

QString LocacaoSerieCheckoutTest::contrata(TfmAssCheckoutConsulta& lista, const QString& pedido)
{

    // The order becomes the contract, the piece out on it.
    lista.bbPesquisar->click();
    if (!lista.quConsulta->locate("NUMERO_PEDIDO", pedido))
        return {};
    lista.miAbrirPedido->trigger();
    dialogs->answer("Sim", "Confirma a geração Contrato?");
    QTest::mouseClick(fmAssVendas->bbFinalizar, Qt::LeftButton);
    fmAssVendas->close();
    lista.close();
    return lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").value(0);
}

TEST_F(LocacaoSerieCheckoutTest, ARegisteredPieceIsPickedAtCheckoutGoesOutOnTheContractAndIsRefusedOnAnother)
{
    const QString produto = andaimeComDuasPecas();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    // AND-0002 rented on the demonstration's contract.
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaComSerie(*form, produto, "1", "AND-0002");
    form->btSalvar->click();
    form->close();

    const auto [pedido, contrato, oferecidas] = pedidoAteContrato(produto, "AND-0001");
    EXPECT_EQ(oferecidas, QStringList{"AND-0001"}) << "the piece out is not offered; " << vistos();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_FALSE(contrato.isEmpty()) << vistos();
    EXPECT_EQ(lido("select first 1 ACCODIGO from AUGC50NS where NSNUMERO = 'AND-0001' order by NSCODIGO desc"),
              QStringList{contrato});

    // Typed on the demonstration's contract, it is refused.
    EXPECT_TRUE(recusadaNoContrato3(produto, "AND-0001", "locado no contrato " + contrato)) << vistos();
    EXPECT_EQ(lido("select ACITNUMEROSERIE from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" + produto + "'"),
              QStringList{"AND-0002"});
}

// AND-0001 out on order A's contract, checked in, out on order B's: closing
// A's old line and releasing A again, reopened, leave it out on B's.
TEST_F(LocacaoSerieCheckoutTest, APieceOutOnAnotherContractStaysThereWhenItsOldLineClosesOrItsOldOrderIsReleased)
{
    const QString produto = andaimeComDuasPecas();
    const PedidoContratado a = pedidoAteContrato(produto, "AND-0001");
    ASSERT_TRUE(devolvida("AND-0001")) << vistos();
    const PedidoContratado b = pedidoAteContrato(produto, "AND-0001");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_FALSE(b.contrato.isEmpty()) << vistos();
    const QString onde =
        "select first 1 coalesce(ACCODIGO, 0) from AUGC50NS where NSNUMERO = 'AND-0001' order by NSCODIGO desc";
    ASSERT_EQ(lido(onde), QStringList{b.contrato});

    // A's old line closed.
    encerraLinha(a.contrato, produto);
    EXPECT_EQ(lido("select ACITENCERRADO from AATC05ACIT where ACCODIGO = " + a.contrato), QStringList{"S"});
    EXPECT_EQ(lido(onde), QStringList{b.contrato}) << "closing A's line leaves the piece out on B's";

    // A reopened at the checkout list, its checkout confirmed again.
    TfmAssCheckoutConsulta& lista = reabreNaLista(a.pedido);
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(fmAssCheckout->btConfirmarCheckout, Qt::LeftButton);
    EXPECT_TRUE(dialogs->texts().join('|').contains("O Nº de Série \"AND-0001\" já está locado no contrato " +
                                                    b.contrato + "."))
        << vistos();
    EXPECT_EQ(lido(onde), QStringList{b.contrato}) << "the release books no piece out elsewhere";
    EXPECT_EQ(lido("select coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = '" + a.pedido + "'"),
              QStringList{""});
    fmAssCheckout->close();
    lista.close();
}

// AND-0001 out on order A's contract and checked in; A reopened and
// released again: the piece is out on the order, then once more on A's
// contract, so the check-in lists it and another contract refuses it.
TEST_F(LocacaoSerieCheckoutTest, APieceCheckedInGoesOutAgainWhenItsReopenedOrderIsReleased)
{
    const QString produto = andaimeComDuasPecas();
    const PedidoContratado a = pedidoAteContrato(produto, "AND-0001");
    ASSERT_TRUE(devolvida("AND-0001")) << vistos();
    ASSERT_EQ(entradaListada("AND-0001"), 0) << "back in store";
    fmAssEntradaEquip->close();

    // Released again: out on the order, then on a line of A's contract.
    TfmAssCheckoutConsulta& lista = reabreNaLista(a.pedido);
    libera();
    EXPECT_TRUE(recusadaNoContrato3(produto, "AND-0001", "no pedido \"" + a.pedido + "\"")) << vistos();
    EXPECT_EQ(contrata(lista, a.pedido), a.contrato) << vistos();
    EXPECT_EQ(entradaListada("AND-0001"), 1) << "the check-in lists the piece out again";
    fmAssEntradaEquip->close();
    EXPECT_TRUE(recusadaNoContrato3(produto, "AND-0001", "locado no contrato " + a.contrato)) << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" + produto + "'"),
              QStringList{"0"});
}

// A day at two desks: a two-piece line of contract 3; AND-0001 checked in
// and rented through an order on another contract; the old line closed;
// AND-0001 checked in again and that order reopened and released again, the
// piece going out once more. Meanwhile the other desk deletes a
// contract and an order open here, and vehicle 1 is typed on two contracts'
// overlapping periods. Read back: each piece and the vehicle where they are,
// one line each, and no row naming a deleted document.
TEST_F(LocacaoSerieCheckoutTest, ADayAtTwoDesksLeavesEveryPieceAndVehicleWhereItIs)
{
    const QString produto = andaimeComDuasPecas();
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaComSerie(*form, produto, "2", "AND-0001; AND-0002");
    form->btSalvar->click();
    form->close();
    ASSERT_TRUE(devolvida("AND-0001")) << vistos();
    const PedidoContratado b = pedidoAteContrato(produto, "AND-0001");
    ASSERT_FALSE(b.contrato.isEmpty()) << vistos();
    encerraLinha("3", produto, true);
    const QString valor = "select ACVALOR from AATC05AC where ACCODIGO = " + b.contrato;
    const QStringList valorAntes = lido(valor);
    ASSERT_TRUE(devolvida("AND-0001")) << vistos();
    EXPECT_EQ(liberaAteContrato(reabreNaLista(b.pedido), b.pedido), b.contrato) << vistos();
    EXPECT_EQ(lido(valor), valorAntes) << "the release again charges nothing twice";
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    // The other desk deletes a contract and an order this desk has open.
    TfmAssContCadLocEquip& hz = contratoDeLocacaoNovo("00004");
    aba(hz, hz.tsEquipamentos);
    novaLinhaNaGrade(hz.dbgdAssContCadLocEquipItens, "PRCODIGO", produto);
    celula(hz.dbgdAssContCadLocEquipItens, "ACITQUANTIDADE", "1");
    celula(hz.dbgdAssContCadLocEquipItens, "ACITNUMEROSERIE", "AND-0002");
    celula(hz.dbgdAssContCadLocEquipItens, "ACITVALORUNITARIO", "150,00", Qt::Key_Return);
    outraMesa("delete from AATC05AC where ACNUMEROCONTRATO = 'HZ-1'");
    hz.btSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('|').contains("O contrato HZ-1 foi excluído em outra estação")) << vistos();
    dmTecContrato->quCtrCadastroIt->cancel();
    hz.close();
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Pedido");
    const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    host::ui::DataGrid* grade = linhaNoPedido(venda, kLinhasDoPedido[0], produto);
    outraMesa("delete from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'");
    celula(grade, "QUANTIDADE", "1", Qt::Key_Return);
    venda.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('|').contains("O pedido " + pedido + " foi excluído em outra estação"))
        << vistos();
    grade->dataSource()->dataset()->cancel();
    venda.close();

    // Vehicle 1 on contract 3, then typed on B's contract over those days.
    parametro("ATMODOVEICULO", "O");
    outraMesa("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS)"
              " values (1, 'L', 'Strada', 'STR0001', 'D')");
    EXPECT_EQ(veiculoNoContrato(3, "10/01/2027", "20/01/2027"), QStringList{});
    EXPECT_TRUE(veiculoNoContrato(b.contrato.toInt(), "10/01/2027", "31/01/2027")
                    .join('|')
                    .contains("Veículo está sendo utilizado no contrato código 3!"))
        << vistos();

    // Read back: AND-0001 out on B's contract alone, AND-0002 in store, the
    // vehicle on contract 3 alone, nothing left of what was deleted.
    const QString naoVoltou = " and coalesce(it.ACITRETORNO, '') <> 'S' and coalesce(it.ACITENCERRADO, '') <> 'S'";
    EXPECT_EQ(lido("select ns.NSNUMERO || ':' || coalesce((select max(it.ACCODIGO) from AATC05ACIT it"
                   " where it.ACCODIGO = ns.ACCODIGO and it.PRCODIGO = ns.PRCODIGO" + naoVoltou +
                   "), 0) from AUGC50NS ns where ns.PRCODIGO = '" + produto + "'" +
                   host::CondicaoMovimentoAtual("ns") + " order by ns.NSNUMERO"),
              (QStringList{"AND-0001:" + b.contrato, "AND-0002:0"}));
    EXPECT_EQ(lido("select it.ACCODIGO from AATC05ACIT it where it.PRCODIGO = '" + produto + "'" + naoVoltou),
              QStringList{b.contrato});
    EXPECT_EQ(lido("select ACCODIGO from AATC05ACEV where EVCODIGO = 1"), QStringList{"3"});
    const char* const orfaos =
        "select (select count(*) from AATC05ACIT it where not exists (select 1 from AATC05AC c"
        " where c.ACCODIGO = it.ACCODIGO)) + (select count(*) from AUGC50NS ns where ns.ACCODIGO is not null"
        " and not exists (select 1 from AATC05AC c where c.ACCODIGO = ns.ACCODIGO))"
        " + (select count(*) from AVEC85IT it where not exists (select 1 from AVEC8501 p"
        " where p.NUMERO_PEDIDO = it.NUMERO_PEDIDO)) + (select count(*) from AVEC85LX lx where not exists"
        " (select 1 from AVEC8501 p where p.NUMERO_PEDIDO = lx.NUMERO_PEDIDO)) from RDB$DATABASE";
    EXPECT_EQ(lido(orfaos), QStringList{"0"});
}

}  // namespace
}  // namespace moduletest
