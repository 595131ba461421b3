// A new rental company clears the demonstration through the windows, on the
// database the first start leaves: its contracts, proposal and order, then
// its rental products with their stock emptied; a product whose pieces were
// never out goes with them. Then it registers its own, finds them by their
// whole names and rents them out: a typo serial and a negative price are
// refused.

#include "tests/module/LocacaoPropriaFixture.h"

#include "rental/uPesqAssContratosLocEquip.h"

namespace moduletest {
namespace {

class LocacaoDemonstracaoExcluidaTest : public LocacaoPropriaTest {
protected:
    // The demonstration's contracts, proposal, order and rental products
    // deleted through their windows.
    void limpaDemonstracao()
    {
        TfmAssContCad& contratos = abrirJanela(fmAssContCad, "fmAssContCad");
        excluiContratosDaDemonstracao(contratos);
        contratos.close();
        excluiDocumentosDeAssistenciaDaDemonstracao();
        for (const char* produto : {"Gerador de energia 5 kVA", "Compressor de ar 10 pés"}) {
            estoqueBaixado(produto, "2");
            excluiNoCadastro(principal->miCadastroProduto, "PR", produto);
        }
    }
    // A rentable product with its pieces at the store; its code.
    QString produtoComPecas(const QString& descricao, const QStringList& series)
    {
        TfmCadastroHost& produtos = cadastroDeProdutos();
        const QString codigo = novoProdutoDeLocacao(produtos, descricao);
        EXPECT_TRUE(pecasComSerie(produtos, series, "001"));
        produtos.close();
        return codigo;
    }
};

TEST_F(LocacaoDemonstracaoExcluidaTest, TheDemonstrationsRentalProductsGoOnceItsDocumentsAre)
{
    limpaDemonstracao();
    // A product registered with its piece by mistake goes with it.
    const QString betoneira = produtoComPecas("Betoneira 400 litros", {"BET-001"});
    excluiNoCadastro(principal->miCadastroProduto, "PR", "Betoneira 400 litros");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select count(*) from ACEC1101 where CODIGO in ('L0001', 'L0002', '" + betoneira +
                   "') union all select count(*) from AUGC50NS"),
              (QStringList{"0", "0"}))
        << vistos();
}

TEST_F(LocacaoDemonstracaoExcluidaTest, TheCompanysOwnAreFoundByTheirWholeNamesAndRentedOutAsTyped)
{
    limpaDemonstracao();
    const QString andaime = produtoComPecas("Andaime tubular de aço 1,5 m x 1 m", {"AND-001", "AND-002"});
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, PESSOA_FISICAOUJURIDICA) values"
         " ('10001', 'Construtora Horizonte Engenharia e Obras Ltda.', 'J')");
    tr().commitRetaining();
    const struct {
        TMenuItem* menu;
        const char* sigla;
        QString nome;
        const char* chave;
        QString codigo;
    } casos[] = {
        {principal->miCadastroProduto, "PR", "Andaime tubular de aço 1,5 m x 1 m", "CODIGO", andaime},
        {principal->miCadastroPessoaJuridica, "PJ", "Construtora Horizonte Engenharia e Obras Ltda.",
         "CODIGO_CLIENTE", "10001"}};
    for (const auto& caso : casos) {
        TfmCadastroHost* janela = cadastroEm(caso.menu, caso.sigla, caso.nome);
        ASSERT_NE(janela, nullptr);
        EXPECT_EQ(janela->registros().recordCount(), 1) << caso.sigla;
        EXPECT_EQ(janela->registros().fieldByName(caso.chave)->asString(), caso.codigo) << caso.sigla;
        janela->close();
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    TfmAssContCadLocEquip* form = &contratoDeLocacaoNovo("10001");
    const QString contrato = QString::number(cab("ACCODIGO").asInteger());
    ASSERT_NE(contrato, "0") << vistos();
    aba(*form, form->tsEquipamentos);
    // A typo serial and a negative price: each refused naming it, nothing stored.
    const struct {
        const char *serie, *preco, *recusado;
    } linhas[] = {{"AND-0O1", "800,00", "AND-0O1"}, {"AND-001", "-5,00", "Valor Unitário"}};
    for (const auto& linha : linhas) {
        const qsizetype antes = dialogs->texts().size();
        host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipItens;
        novaLinhaNaGrade(grade, "PRCODIGO", andaime);
        celula(grade, "ACITQUANTIDADE", "1");
        celula(grade, "ACITNUMEROSERIE", linha.serie);
        celula(grade, "ACITVALORUNITARIO", linha.preco, Qt::Key_Return);
        form->btSalvar->click();
        QTest::keyClick(grade, Qt::Key_Escape);
        EXPECT_TRUE(dialogs->texts().mid(antes).join(' ').contains(linha.recusado))
            << linha.serie << " " << linha.preco << ": " << vistos();
    }
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = " + contrato +
                   " and (ACITNUMEROSERIE = 'AND-0O1' or ACITVALORUNITARIO < 0)"
                   " union all select count(*) from AUGC50NS where NSNUMERO = 'AND-0O1'"),
              (QStringList{"0", "0"}))
        << vistos();
}

}  // namespace
}  // namespace moduletest
