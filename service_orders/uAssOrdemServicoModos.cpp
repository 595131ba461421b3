// The looks of the service-order window: equipment or vehicle mode, the
// remanufacture and purchase orders (colour, caption, items layout, tab
// order), and the pick lists of the values used most often.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using host::ui::DataGrid;

namespace {

void mostrarColunasModo(DataGrid* grade, std::initializer_list<const char*> campos, bool visivel)
{
    for (const char* campo : campos)
        if (host::ui::GridColumn* coluna = grade->columnByField(campo))
            coluna->setVisible(visivel);
}

void tituloColunaModo(DataGrid* grade, const char* campo, const QString& titulo)
{
    if (host::ui::GridColumn* coluna = grade->columnByField(campo))
        coluna->setTitle(titulo);
}

// The first column of every row of the statement, run on the host's
// auxiliary query (closed afterwards).
QStringList maisUsados(const QString& sql)
{
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql(sql);
    auxiliar.open();
    QStringList valores;
    for (auxiliar.first(); !auxiliar.eof(); auxiliar.next())
        valores << auxiliar.fields().front()->asString();
    auxiliar.close();
    return valores;
}

const QColor kCorRemanufatura(255, 236, 236);
const QColor kCorCompra(242, 249, 255);

}  // namespace

// Vehicle columns shown (and equipment-only ones hidden) or the reverse.
void TfmAssOrdemServico::aplicarColunasModo(DataGrid* grade, bool veiculo)
{
    mostrarColunasModo(grade, {"AOITCODIGOINTERNO", "AOITQUANTIDADE", "AOITDEFEITO", "AOITLOJACOMPRA"}, !veiculo);
    mostrarColunasModo(grade,
                       {"AOITCARROCERIANUMERO", "AOITCARROCERIAMARCA", "AOITPLACA", "AOITRENAVAN", "AOITKMINICIAL",
                        "AOITCOMBUSTIVEL", "AOITPOSICAOCOMBUSTIVEL", "FOCONSECIONARIA", "DESCRICAOCONSECIONARIA",
                        "AOITMOTORNUMERO"},
                       veiculo);
    tituloColunaModo(grade, "AOITEQUIPDESCRICAO", veiculo ? "Veículo" : "Equipamento");
    tituloColunaModo(grade, "AOITSERIE", veiculo ? "Chassi" : "Número de Série");
}

void TfmAssOrdemServico::CarregaTipoOrdemServidor(const QString& mode)
{
    const bool veiculo = mode == "O";
    sbImpRapida->setVisible(!veiculo);
    tsFoto->setCaption(veiculo ? "Foto do Veículo" : "Foto");
    tsDespesaViagem->setCaption(veiculo ? "Despesa com So&corro" : "Despesa com &Viagem");
    mostrarColunasModo(dbgdOrdemServicoServicos,
                       {"DescricaoHora", "AAHORAINICIO", "AAHORAFIM", "AATOTAL", "AAAUTORIZADO", "AATIPO",
                        "DescEquipOS"},
                       !veiculo);
    mostrarColunasModo(dbgdOrdemServicoPecas, {"APAUTORIZADO", "APTIPO", "DescEquipOS"}, !veiculo);
    aplicarColunasModo(dbgdOrdemServicoItens, veiculo);
    if (!veiculo) {
        tituloColunaModo(dbgdOrdemServicoServicos, "DescEquipOS", "Equipamento");
        tituloColunaModo(dbgdOrdemServicoPecas, "DescEquipOS", "Equipamento");
    }
    gbLaudo->setTitle(veiculo ? "Laudo" : "Defeito Constatado");
    for (QGroupBox* grupo : {gbCausa, gbSolucao, gbObsLaudo})
        grupo->setVisible(!veiculo);
    // Vehicles on their own tab: that tab's grid takes the vehicle look.
    if (!veiculo && parametro("ATPESQUISAOSVEICULO") == "S") {
        tsVeiculo->setTabVisible(true);
        aplicarColunasModo(dbgdOrdemServicoItensVeiculo, true);
        if (parametro("ATEXIBEFOTOOS") == "S")
            tsFoto->setCaption("Foto do Veículo");
    }
}

void TfmAssOrdemServico::OSVerificaTipoRemanufatura(bool forceLayout)
{
    if (parametro("ATIMPRIMECOMPROVANTEOS") != "S" || !dmTec->quOS->active() || dmTec->quOS->isEmpty())
        return;
    const QString tipo = dmTec->quOSAOREMANUFATURA->asString().trimmed();
    const bool remanufatura = tipo == "R" || tipo == "C";

    QColor cor = palette().color(QPalette::Button);
    QString titulo = "Ordem de Serviço";
    if (tipo == "R") {
        cor = kCorRemanufatura;
        titulo = "************************* REMANUFATURA ************************* ";
    } else if (tipo == "C") {
        cor = kCorCompra;
        titulo = "#########################    COMPRA    #########################";
    }
    if (paCabecalho->palette().color(QPalette::Window) != cor) {
        QPalette cores = paCabecalho->palette();
        cores.setColor(QPalette::Window, cor);
        paCabecalho->setPalette(cores);
        setCaption(titulo);
    }

    DataGrid* itens = dbgdOrdemServicoItens;
    const bool servicosPrimeiro = tsServico->pageIndex() == 0;
    const int carregado = itens->property("tag").toInt();
    if (remanufatura) {
        if (forceLayout || (!servicosPrimeiro && carregado != 1)) {
            SalvarConfiguracaoDBGridComNome(itens, true, itens->objectName() + "R");
            itens->setProperty("tag", 1);
        }
    } else {
        if (carregado == 1 || forceLayout)
            SalvarConfiguracaoDBGridComNome(itens, true, itens->objectName());
        itens->setProperty("tag", 0);
    }
    if (!bRestricaoItens_)
        ordenarAbasRemanufatura(remanufatura);
}

// Remanufacture and purchase orders start on the services; other orders on
// the items, back in their place.
void TfmAssOrdemServico::ordenarAbasRemanufatura(bool remanufatura)
{
    if (remanufatura) {
        if (tsServico->pageIndex() == 0)
            return;
        tsServico->setPageIndex(0);
        tsItens->setPageIndex(9);
        for (host::ui::TabSheet* aba : {tsDespesaViagem, tsFoto, tsPecasOS, tsLaudo})
            aba->setTabVisible(false);
        for (host::ui::TabSheet* aba : {tsObservacao, tsAndamento, tsCliente})
            aba->setTabVisible(true);
        pcOrdemServico->setActivePage(tsItens);
        pcOrdemServico->setActivePage(tsServico);
        bbOSInterna->setVisible(true);
        return;
    }
    if (tsItens->pageIndex() == 0)
        return;
    tsItens->setPageIndex(tsItens->tag());
    tsItens->setTabVisible(true);
    tsDespesaViagem->setTabVisible(false);
    for (host::ui::TabSheet* aba : {tsFoto, tsPecasOS, tsDespesaExtra, tsObservacao, tsLaudo, tsAndamento, tsCliente})
        aba->setTabVisible(true);
    pcOrdemServico->setActivePage(tsItens);
    bbOSInterna->setVisible(false);
}

void TfmAssOrdemServico::CarregaAcessoriosMaisUsados()
{
    host::ui::GridColumn* descricao = dbgdAcessorios->column(3);
    if (!descricao)
        return;
    descricao->setPickList(maisUsados("select first 30 ardescricao    from aatc01ar                  where "
                                      "not(ardescricao is null)  group by ardescricao          Order by ardescricao"
                                      "           "));
}

void TfmAssOrdemServico::CarregaEspeciesMaisUsados()
{
    const bool mostrar = parametro("ATIMPRIMECOMPROVANTEOS") == "S";
    host::ui::GridColumn* especie = dbgdOrdemServicoServicos->columnByField("AAESPECIE");
    if (especie)
        especie->setVisible(mostrar);
    if (!mostrar)
        return;
    if (!especie)
        especie = dbgdOrdemServicoServicos->addColumn("AAESPECIE");
    especie->setVisible(true);
    especie->setPickList(maisUsados("select first 10 AAESPECIE  from aatc01aa                  where not(AAESPECIE is "
                                    "null)  group by AAESPECIE          Order by AAESPECIE           "));
}

void TfmAssOrdemServico::CarregaClassificacaoOS()
{
    const QString classificacao = parametro("ATCLASSIFICACAOOS");
    if (classificacao == "C")
        return;
    const bool mostrar = classificacao == "S";
    laClassificacao->setVisible(mostrar);
    dbcbTipoOs->setVisible(mostrar);
    paCabecalho->setMinimumHeight(std::max(paCabecalho->minimumHeight(), mostrar ? 172 : 150));
    if (!mostrar)
        return;
    host::data::Query& os = *dmTec->quOS;
    if (os.active() && !os.isEmpty() && !os.editing())
        os.edit();
    dbcbTipoOs->setPickList(maisUsados("select first 20 (AOTIPOOS)      from aatc01ao                   where AOTIPOOS "
                                       "is not null        and AOTIPOOS <> ''"
                                       " group by AOTIPOOS              "
                                       " Order by AOTIPOOS              "));
}
