#pragma once
// A new rental company's own equipment on the database the first start
// leaves: the gestures its tests share (a rentable product registered, the
// demonstration rental contract opened in either register, the check-in
// asked for a serial number). The rental clock is put back after each test.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecContLocacao.h"
#include "contracts/uAssContCad.h"
#include "host/Upesq.h"
#include "host/Uprincipal.h"
#include "host/UcadastroHost.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssEntradaEquip.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <utility>

namespace moduletest {

class LocacaoPropriaTest : public PrimeiroUsoTest {
protected:
    void TearDown() override
    {
        uDataTecContLocacao::setRelogio({});
        PrimeiroUsoTest::TearDown();
    }
    // A rentable product saved in the register with its contract price; its code.
    QString novoProdutoDeLocacao(TfmCadastroHost& produtos, const QString& descricao)
    {
        produtos.bbNovo->click();
        digita(produtos.controle("DESCRICAO"), descricao);
        for (const auto& [coluna, inicio] : {std::pair{"COM_FAB_S_FS", "Mercadoria"}, std::pair{"GRUPO", "LOC"}}) {
            auto* lista = qobject_cast<QComboBox*>(produtos.controle(coluna));
            const int i = lista ? lista->findText(inicio, Qt::MatchStartsWith) : -1;
            EXPECT_GE(i, 0) << coluna;
            if (i >= 0)
                testsupport::escolheComSetas(*lista, i);
        }
        digita(produtos.controle("UNIDADE_MEDIDA"), "UN");
        digita(produtos.controle("PRPRECOCONTRATO"), "300,00");
        produtos.bbSalvar->click();
        return produtos.registros().fieldByName("CODIGO")->asString();
    }
    // In the product register, on the product shown: "Um ou mais por linha"
    // as its "Número de série", then a row of the serial-numbers grid for each
    // piece at the location, "Salvar" after each. False when the register
    // offers neither.
    bool pecasComSerie(TfmCadastroHost& produtos, const QStringList& series, const QString& local)
    {
        auto* regra = qobject_cast<QComboBox*>(produtos.controle("PRGERANS"));
        host::ui::DataGrid* grade = detalheCom(produtos, "NSNUMERO");
        if (!regra || !grade)
            return false;
        testsupport::escolheComSetas(*regra, regra->findText("Um ou mais", Qt::MatchStartsWith));
        produtos.bbSalvar->click();
        for (const QString& serie : series)
            linhaNoLocal(produtos, *grade, local, "NSNUMERO", serie);
        return true;
    }
    // The rental register (the one the option opens, or the one named) on
    // the demonstration rental contract, its equipment page shown.
    TfmAssContCadLocEquip* registroDeLocacaoNoEquipamento(bool pelaOpcao = true)
    {
        if (pelaOpcao)
            principal->miCadastroContrato->click();
        else
            uPackageAss::ShowJanelaTec("fmAssContratosLocEquip");
        TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
        EXPECT_NE(form, nullptr) << "the rental register is open";
        if (!form)
            return nullptr;
        pesquisaContrato("LC-2026-001");
        form->btPesqContrato->click();
        EXPECT_EQ(cab("ACCODIGO").asInteger(), 3);
        aba(*form, form->tsEquipamentos);
        return form;
    }
    // On the rental register's equipment grid: a new line of the product with
    // its quantity, serial number text and a unit price of 150,00, the
    // question about the forecasts to be answered "Não" when it comes.
    void linhaComSerie(TfmAssContCadLocEquip& form, const QString& produto, const QString& quantidade,
                       const QString& serie)
    {
        host::ui::DataGrid* grade = form.dbgdAssContCadLocEquipItens;
        novaLinhaNaGrade(grade, "PRCODIGO", produto);
        celula(grade, "ACITQUANTIDADE", quantidade);
        celula(grade, "ACITNUMEROSERIE", serie);
        dialogs->answer("Não", "Deseja alterar valor das provisões?");
        celula(grade, "ACITVALORUNITARIO", "150,00", Qt::Key_Return);
    }
    // The contract register under option "T" on the demonstration rental
    // contract (or the one named), its items page shown.
    TfmAssContCad& registroDeContratosNoItens(int contrato = 3)
    {
        parametro("ATOPCAOCONTRATO", "T");
        TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
        dialogs->modal("fmPesquisa", [contrato](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate("ACCODIGO", contrato));
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
        form.sbPesqContrato->click();
        clicaAba(form.pcContrato, form.tsItens);
        return form;
    }
    // A new line of the product in the register's items grid; the grid.
    static host::ui::DataGrid* novoItem(TfmAssContCad& form, const QString& produto)
    {
        host::ui::DataGrid* grade = form.dbgdAssContCadItem;
        novaLinhaNaGrade(grade, "PRCODIGO", produto);
        return grade;
    }
    // The viewer's pages as text, the viewer closed.
    static QString paginasDoVisualizador()
    {
        QString texto;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* visualizador = qobject_cast<TfmVisualizadorRelatorio*>(janela);
                visualizador && !visualizador->released() && visualizador->isVisible()) {
                texto += host::report::PreparedReport(visualizador->pages()).textDump();
                visualizador->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return texto;
    }
    // "Entrada de Equipamentos" asked for the serial number: the rows listed.
    int entradaListada(const QString& serie)
    {
        TfmAssEntradaEquip& form = abrirJanela(fmAssEntradaEquip, "fmAssEntradaEquip");
        dialogs->enter(serie, "Informe Nº Série.");
        form.bbIncluir->click();
        form.bbPesquisar->click();
        return form.quConsulta->recordCount();
    }
};

}  // namespace moduletest
