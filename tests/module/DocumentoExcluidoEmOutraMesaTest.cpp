// A document another desk deleted while a line of it was typed here, on the
// database the first start leaves: the line's save stores nothing, books no
// piece and says the document was deleted.

#include "tests/module/LocacaoPropriaFixture.h"

#include "data/uDataTec.h"
#include "host/data/Dataset.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSolicitacao.h"

#include <QPushButton>
#include <QString>
#include <QTest>

#include <functional>

namespace moduletest {
namespace {

class DocumentoExcluidoEmOutraMesaTest : public LocacaoPropriaTest {
protected:
    // Pieces BT-0001.. of the compressor L0002, in store.
    void pecasDoCompressor()
    {
        outraMesa("update ACEC1101 set PRGERANS = 'O' where CODIGO = 'L0002'");
        for (int i = 1; i <= 2; ++i)
            outraMesa(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO)"
                              " values (%1, 'BT-000%2', 'L0002', 'E', '001')")
                          .arg(100 + i)
                          .arg(i));
    }
    // The picker answered with BT-0001, once the other desk ran its statement.
    void escolheDepoisDe(const QString& daOutraMesa)
    {
        dialogs->modal("fmPesquisa", [this, daOutraMesa](host::ui::Form& janela) {
            outraMesa(daOutraMesa);
            auto& pesquisa = static_cast<TfmPesquisa&>(janela);
            host::data::Dataset& lista = *pesquisa.dataSource()->dataset();
            for (lista.first(); !lista.eof(); lista.next())
                pesquisa.grid()->selectRow(lista.recNo(), lista.fieldByName("NSNUMERO")->asString() == "BT-0001");
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    }
    int contado(const QString& sql) const { return lido(sql).value(0).toInt(); }
};

// The contract register under option "T" (an item of BT-0001, a vehicle
// line) and the rental register (a line of BT-0001): typed on a contract
// the other desk deletes before "Salvar".
TEST_F(DocumentoExcluidoEmOutraMesaTest, AContractDeletedAtAnotherDeskTakesNoLineNorPiece)
{
    struct Aberta {
        host::ui::Form* form;
        QPushButton* salvar;
    };
    const char* const itens = "select count(*) from AATC05ACIT where ACCODIGO = %1 and ACITNUMEROSERIE = 'BT-0001'";
    const struct {
        const char* janela;
        std::function<Aberta()> digita;   // opens the register on a contract and types the line
        const char* linhas;               // the lines of the contract that should not be stored
    } casos[] = {
        {"opção T", [this] {
             TfmAssContCad& form = registroDeContratosNoItens();
             host::ui::DataGrid* grade = novoItem(form, "L0002");
             celula(grade, "ACITNUMEROSERIE", "BT-0001");
             celula(grade, "ACITVALOR", "150,00");
             return Aberta{&form, form.bbSalvar};
         }, itens},
        {"veículos", [this] {
             parametro("ATMODOVEICULO", "O");
             outraMesa("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS)"
                       " values (903, 'L', 'Gerador', 'GER0903', 'D')");
             outraMesa("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO,"
                       " ACLOCAL, ACTIPO, ACVINCULO) values (4, 'LC-2026-002', '00004', '00004', '1', '01', 'L', 'P')");
             TfmAssContCad& form = registroDeContratosNoItens(4);
             clicaAba(form.pcContrato, form.tsVeiculos);
             novaLinhaNaGrade(form.dbgdAssContCadVeiculo, "EVCODIGO", "903");
             return Aberta{&form, form.bbSalvar};
         }, "select count(*) from AATC05ACEV where ACCODIGO = %1 or EVCODIGO = 903"},
        {"Cadastro de Contratos", [this] {
             parametro("ATOPCAOCONTRATO", "E");   // the installation's own
             TfmAssContCadLocEquip& form = contratoDeLocacaoNovo("00004");
             aba(form, form.tsEquipamentos);
             linhaComSerie(form, "L0002", "1", "BT-0001");
             return Aberta{&form, form.btSalvar};
         }, itens},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.janela);
        const Aberta aberta = caso.digita();
        const int contrato = dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
        const QString numero = dmTecContrato->quCtrCadastro->fieldByName("ACNUMEROCONTRATO")->asString();
        outraMesa(QString("delete from AATC05AC where ACCODIGO = %1").arg(contrato));
        const qsizetype antes = dialogs->texts().size();
        aberta.salvar->click();
        EXPECT_TRUE(dialogs->texts().mid(antes).join('|').contains("O contrato " + numero +
                                                                   " foi excluído em outra estação"))
            << vistos();
        EXPECT_EQ(contado(QString(caso.linhas).arg(contrato)), 0) << vistos();
        EXPECT_EQ(contado("select count(*) from AUGC50NS where NSNUMERO = 'BT-0001' and ACCODIGO is not null"), 0)
            << vistos();
        dmTecContrato->quCtrCadastroIt->cancel();
        dmTecContrato->quCtrEquipLocacao->cancel();
        dmTecContrato->quCtrVeiculo->cancel();
        aberta.form->close();
    }
}

// An assistance order the other desk deletes while its requested line is
// typed, or while the pieces of its configured line are picked (mode "C").
TEST_F(DocumentoExcluidoEmOutraMesaTest, AnAssistanceOrderDeletedAtAnotherDeskTakesNoLineNorPiece)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pecasDoCompressor();
    for (const LinhasDoPedido& caso : kLinhasDoPedido) {
        SCOPED_TRACE(caso.tabela);
        TfmAssVendas& venda = novoDocumentoDeAssistencia("Pedido");
        const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
        const QString exclusao = "delete from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'";
        host::ui::DataGrid* grade = linhaNoPedido(venda, caso, "L0002");
        if (QString(caso.tabela) == "AVEC85LX")
            escolheDepoisDe(exclusao);
        else
            outraMesa(exclusao);
        celula(grade, "QUANTIDADE", "1", Qt::Key_Return);
        const qsizetype antes = dialogs->texts().size();
        venda.bbSalvar->click();
        EXPECT_TRUE(dialogs->texts().mid(antes).join('|').contains("O pedido " + pedido +
                                                                   " foi excluído em outra estação"))
            << vistos();
        EXPECT_EQ(contado(QString("select count(*) from %1 where NUMERO_PEDIDO = '%2'").arg(caso.tabela, pedido)), 0)
            << vistos();
        EXPECT_EQ(contado("select count(*) from AUGC50NS where VECODIGO = '" + pedido + "'"), 0) << vistos();
        grade->dataSource()->dataset()->cancel();
        venda.close();
    }
}

// A part typed on a service order, or requested on a parts request, the
// other desk deletes before "Salvar".
TEST_F(DocumentoExcluidoEmOutraMesaTest, AServiceOrderOrAPartsRequestDeletedAtAnotherDeskTakesNoLine)
{
    struct Digitada {
        host::ui::Form* form;
        QPushButton* salvar;
        QString exclusao, aviso, linhas;
    };
    const std::function<Digitada()> casos[] = {
        [this] {
            TfmAssOrdemServico& form = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;43");
            clicaAba(form.pcOrdemServico, form.tsPecasOS);
            novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "P0001");
            return Digitada{&form, form.bbSalvar, "delete from AATC01AO where AOCODIGO = 43",
                            "A ordem de serviço 43 foi excluída em outra estação",
                            "select count(*) from AATC01AP where AOCODIGO = 43 and PRCODIGO = 'P0001'"};
        },
        [this] {
            TfmAssSolicitacao& form = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
            const QString numero = QString::number(pedidoDePecaComResponsavel(form));
            return Digitada{&form, form.bbSalvar,
                            "delete from AATC07AI where AIID = 'C' and AICODIGO = " + numero,
                            "A solicitação " + numero + " foi excluída em outra estação",
                            "select count(*) from AATC07AI where AICODIGO = " + numero};
        },
    };
    for (const auto& digita : casos) {
        const Digitada caso = digita();
        SCOPED_TRACE(caso.aviso.toStdString());
        outraMesa(caso.exclusao);
        const qsizetype antes = dialogs->texts().size();
        caso.salvar->click();
        EXPECT_TRUE(dialogs->texts().mid(antes).join('|').contains(caso.aviso)) << vistos();
        EXPECT_EQ(contado(caso.linhas), 0) << vistos();
        dmTec->quOSPecas->cancel();
        dmTec->quSolicitaIt->cancel();
        caso.form->close();
    }
}

// A meter reading typed with F10 for an item the other desk deleted with
// its contract while the register showed it.
TEST_F(DocumentoExcluidoEmOutraMesaTest, AReadingOfAnItemDeletedAtAnotherDeskIsNotStored)
{
    parametro("ATOPCAOCONTRATO", "C");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO, ACLOCAL)"
         " values (61, 'HZ-C2', '00004', '00004', 'A', '01')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (61, 61, '00004',"
         " 'S0003', 300)");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (1, 'Contador geral', 'M')");
    tr().commitRetaining();
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(61);
    clicaAba(form.pcContrato, form.tsItens);
    outraMesa("delete from AATC05ACIT where ACITCODIGO = 61");
    outraMesa("delete from AATC05AC where ACCODIGO = 61");
    dialogs->enter("05/02/2027", "Informe a data").enter("5000", "Informe o contador");
    host::ui::DataGrid* grade = form.dbgdAssContCadItem;
    grade->setFocus();
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->model()->index(0, 1)).center());
    QTest::keyClick(grade, Qt::Key_F10);
    EXPECT_EQ(dialogs->texts().filter("O item de contrato 61 foi excluído em outra estação").size(), 1) << vistos();
    EXPECT_EQ(dialogs->texts().filter("Operação efetuada com sucesso.").size(), 0) << vistos();
    EXPECT_EQ(contado("select count(*) from AATC05ACITCO where ACITCODIGO = 61"), 0) << vistos();
    form.close();
}

// A document's header saved after the other desk deleted it is told as
// deleted, with what was typed over it not stored, and is not stored again.
TEST_F(DocumentoExcluidoEmOutraMesaTest, SavingADocumentDeletedAtAnotherDeskSaysItWasDeleted)
{
    struct Aberta {
        host::ui::Form* form;
        QPushButton* salvar;
    };
    const struct {
        const char* exclusao;
        const char* restantes;
        std::function<Aberta()> digita;   // opens the document and types over its header
    } casos[] = {
        {"delete from AATC05AC where ACCODIGO = 3", "select count(*) from AATC05AC where ACCODIGO = 3", [this] {
             TfmAssContCad& form = registroDeContratosNoItens();
             digita(form.dbedNumeroContrato, "LC-9");
             return Aberta{&form, form.bbSalvar};
         }},
        {"delete from AATC01AO where AOCODIGO = 43", "select count(*) from AATC01AO where AOCODIGO = 43", [this] {
             TfmAssOrdemServico& form = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;43");
             digita(form.dbedContato, "Beatriz");
             return Aberta{&form, form.bbSalvar};
         }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.exclusao);
        const Aberta aberta = caso.digita();
        outraMesa(caso.exclusao);
        const qsizetype antes = dialogs->texts().size();
        aberta.salvar->click();
        EXPECT_TRUE(dialogs->texts().mid(antes).join('|').contains(
            "O registro foi excluído em outra estação; o que foi digitado nele não foi gravado."))
            << vistos();
        EXPECT_EQ(contado(caso.restantes), 0) << vistos();
        aberta.form->close();
    }
}

}  // namespace
}  // namespace moduletest
