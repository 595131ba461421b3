#pragma once
// The two rental-contract registers opened through the dispatcher, with the
// rows and gestures their window tests share: a contract, its items and
// instalments written to the database, a tab clicked, the contract search
// answered.

#include "tests/module/ModuleFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssContLocComum.h"
#include "rental/uPesqAssContratosLocEquip.h"
#include "tests/support/TestDatabase.h"

#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace moduletest {

class ContLocTest : public ModuleTest {
protected:
    host::data::Query& ctr() { return *dmTecContrato->quCtrCadastro; }
    host::data::Field& cab(const char* campo) { return *ctr().fieldByName(campo); }
    void contrato(int codigo, const QString& extraCols = {}, const QString& extraVals = {})
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACLOCAL%1)"
                     " values (%2, 'L%2', '00004', '00004', '01'%3)")
                 .arg(extraCols.isEmpty() ? QString() : ", " + extraCols)
                 .arg(codigo)
                 .arg(extraVals.isEmpty() ? QString() : ", " + extraVals));
    }
    void item(int codigo, int contratoItem, const QString& produto, const QString& complemento = "N",
              const QString& extraCols = {}, const QString& extraVals = {})
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITCOMPLEMENTO,"
                     " ACITENCERRADO, ACITQUANTIDADE%1) values (%2, %3, '00004', '%4', '%5', 'N', 1%6)")
                 .arg(extraCols.isEmpty() ? QString() : ", " + extraCols)
                 .arg(codigo)
                 .arg(contratoItem)
                 .arg(produto, complemento)
                 .arg(extraVals.isEmpty() ? QString() : ", " + extraVals));
    }
    void parcela(const QString& documento, const QString& situacao, double valor, int contratoParcela = 801,
                 const QString& vencimento = "2024-02-10")
    {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                     " values ('%1', '00004', 1, '01', '%2', %3, '2024-01-01', '%4', %5)")
                 .arg(documento, situacao)
                 .arg(valor)
                 .arg(vencimento)
                 .arg(contratoParcela));
    }
    // The contract codes the other attachments read (what was committed), in order.
    QStringList contratos() const
    {
        return lido("select cast(ACCODIGO as varchar(10)) from AATC05AC order by ACCODIGO");
    }
    // The user's click on the page's tab.
    static void aba(TfmAssContLocBase& form, host::ui::TabSheet* pagina)
    {
        QTabBar* barra = form.pcItensContrato->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
        ASSERT_EQ(form.pcItensContrato->activePage(), pagina);
    }
    // Each page after the first clicked in turn: "name=statements/prepares".
    static QString medePaginas(TfmAssContLocBase& form)
    {
        QStringList medidas;
        for (int i = 1; i < form.pcItensContrato->pageCount(); ++i) {
            host::ui::TabSheet* pagina = form.pcItensContrato->page(i);
            testsupport::StatementCounter aberta;
            aba(form, pagina);
            medidas << QString("%1=%2/%3").arg(pagina->objectName()).arg(aberta.count()).arg(aberta.prepares());
        }
        return medidas.join(' ');
    }
    static QStringList paginas(TfmAssContLocBase& form)
    {
        QStringList captions;
        for (int i = 0; i < form.pcItensContrato->pageCount(); ++i)
            captions << form.pcItensContrato->page(i)->caption();
        return captions;
    }
    // The general search answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QString& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    // The new contract's contractor and billed customer picked through their
    // search buttons, then the contract saved.
    void partesESalva(TfmAssContLocBase& form, const QString& cliente)
    {
        pesquisa("CODIGO_CLIENTE", cliente);
        form.btPesqContratante->click();
        pesquisa("CODIGO_CLIENTE", cliente);
        form.btPesqCliente->click();
        dialogs->answer("Sim", "Deseja salvar as alterações ?");
        form.btSalvar->click();
    }
    // The contract search answered with the contract of that number.
    void pesquisaContrato(const QString& numero)
    {
        dialogs->modal("fmPesquisaAssContratosLocEquip", [numero](host::ui::Form& janela) {
            auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
            d.edNroContrato->setText(numero);
            d.bbPesquisa->click();
            ASSERT_TRUE(d.quConsulta->locate("ACNUMEROCONTRATO", numero));
            d.dbgdContratosLocEquiDblClick();
        });
    }
    static void fechar(TfmAssContLocBase& form)
    {
        form.btSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// The registers of options "E" and "Q" on their instalments page, with the
// rental clock stopped at `agora` (a test may set it before SetUp).
class ContLocParcelasTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        uDataTecContLocacao::setRelogio([quando = agora] { return quando; });
    }
    void TearDown() override
    {
        uDataTecContLocacao::setRelogio({});
        ContLocTest::TearDown();
    }
    TfmAssContCadLocEquip& abrirE(int codigo)
    {
        TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
        CarregaContrato(codigo);
        aba(form, form.tsParcelas);
        return form;
    }
    TfmAssContLocacao& abrirQ(int codigo)
    {
        TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
        CarregaContrato(codigo);
        aba(form, form.tsParcelas);
        return form;
    }

    QDateTime agora{QDate(2024, 3, 2), QTime(9, 0)};
};

}  // namespace moduletest
