// Paying the technician from the service-order window opened on order 42
// through the dispatcher: one payable per billed expense kind, in the
// order parts, service, travel, extras, numbered on from the payables of
// the same branch, document and supplier; read back through a connection of
// its own.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Dataset.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;

class PagarTecnicoTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        parametro("ATMODOFATURAMENTOOS", "6");
        exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('F0042', 'OFICINA TERCEIRA', 'F')");
        exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('F0043', 'OUTRA OFICINA', 'F')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (77, 'TECNICO PAGO', 'S')");
        tr().commitRetaining();
    }
    void ordem(const QString& opcoes)
    {
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, AOLOCAL, ATCODIGO,"
             " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESPESASCLIENTE)"
             " values (42, '00003', '2026-11-02', 'A', 'M', '01', 77, 100, 200, 30, 0, :OPCOES)",
             {{"OPCOES", opcoes}});
        tr().commitRetaining();
    }
    // The supplier search answered with the code (empty: cancelled).
    void fornecedor(const QString& codigo)
    {
        dialogs->modal("fmPesquisa", [codigo](Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            if (codigo.isEmpty()) {
                janela.close();
                return;
            }
            ASSERT_TRUE(janela.dataSource()->dataset()->locate("FCOD", codigo));
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        });
    }
    QStringList pagar(const QString& codigo) const
    {
        return lido("select SEQUENCIA_DOCUMENTO || ' ' || cast(VALOR_DOCUMENTO as integer) || ' ' || HISTORICO"
                    " from ACPC6001"
                    " where CODIGO_FORNECEDOR = '" + codigo + "' order by SEQUENCIA_DOCUMENTO");
    }
};

TEST_F(PagarTecnicoTest, PayingTwiceToOneSupplierContinuesTheSequenceInTheKindsOrder)
{
    ordem("Despesas com Viagem;");
    TfmAssOrdemServico& form = abrir();
    EXPECT_FALSE(form.btPagarTecnico->isHidden());
    EXPECT_EQ(form.btPagarTecnico->text(), "Pagar Técnico");
    // Outside the sixth billing mode every kind counts as billed.
    parametro("ATMODOFATURAMENTOOS", "1");
    fornecedor("F0042");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    form.btPagarTecnico->click();
    fornecedor("F0042");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    form.btPagarTecnico->click();
    const QStringList esperadas = {
        "1 100 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas com Peças",
        "2 200 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Serviço",
        "3 30 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas com Viagem",
        "4 0 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas Extras",
        "5 100 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas com Peças",
        "6 200 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Serviço",
        "7 30 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas com Viagem",
        "8 0 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas Extras",
    };
    EXPECT_EQ(pagar("F0042"), esperadas) << "a zero amount is still a payable";
    EXPECT_EQ(lido("select distinct NUMERO_DOCUMENTO || '/' || PGLOCAL || '/' || TIPO_DOCUMENTO || '/'"
                   " || SITUACAO_DOCUMENTO || '/' || PARCELA from ACPC6001"),
              QStringList{"000042/01/RC/D/001"});
    EXPECT_EQ(lido("select count(*) from ACPC6001 where DATA_EMISSAO = cast('TODAY' as timestamp)"
                   " and DATA_VENCIMENTO = DATA_EMISSAO and DATA_LANCAMENTO = DATA_EMISSAO"),
              QStringList{"8"});

    // Another supplier numbers its own payables.
    fornecedor("F0043");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    form.btPagarTecnico->click();
    EXPECT_EQ(pagar("F0043").value(0), "1 100 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas com Peças");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PagarTecnicoTest, OnlyTheBilledKindsArePaidAndNoSupplierWritesNothing)
{
    ordem("Serviço;Despesas Extras;");
    TfmAssOrdemServico& form = abrir();
    fornecedor({});
    form.btPagarTecnico->click();
    EXPECT_EQ(lido("select count(*) from ACPC6001"), QStringList{"0"}) << "no supplier: nothing, no message";

    fornecedor("F0042");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    form.btPagarTecnico->click();
    EXPECT_EQ(pagar("F0042"), (QStringList{"1 200 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Serviço",
                                            "2 0 O.S: 42 - Tecnico: TECNICO PAGO - Tipo: Despesas Extras"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PagarTecnicoTest, NoBilledKindWritesNothingAndSaysNothing)
{
    ordem("");
    TfmAssOrdemServico& form = abrir();
    fornecedor("F0042");
    form.btPagarTecnico->click();
    EXPECT_EQ(lido("select count(*) from ACPC6001"), QStringList{"0"});
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
