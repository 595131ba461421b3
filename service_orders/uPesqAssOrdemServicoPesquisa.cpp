// The service-order search at work: the search and its count, the detail
// queries of the current row, the parts and services window, the export,
// the contract vehicle value and the printouts.

#include "service_orders/uPesqAssOrdemServico.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssOSPesquisaFic.h"
#include "service_orders/uAssOSPesquisaRel.h"
#include "service_orders/uPesqAssOrdemServicoSQL.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

FiltroPesquisaOS TfmPesquisaAssOrdemServico::FiltroAtual(
    const QString& sNumero, const QString& sSerie, const QString& sCliente, const QString& sEquipamento,
    const QString& sTecnico, const QString& sModelo, const QString& sPlaca, const QString& sCodigoInterno,
    const QString& sStatus, const QString& sDataIni, const QString& sDataFim, const QString& sLocal,
    bool bAprovado) const
{
    FiltroPesquisaOS f;
    f.numero = sNumero;
    f.serie = sSerie;
    f.cliente = sCliente;
    f.equipamento = sEquipamento;
    f.tecnico = sTecnico;
    f.modelo = sModelo;
    f.placa = sPlaca;
    f.codigoInterno = sCodigoInterno;
    f.status = sStatus;
    f.dataInicial = sDataIni;
    f.dataFinal = sDataFim;
    f.local = sLocal;
    f.aprovado = bAprovado;
    f.ordem = rgOrdem->itemIndex();
    f.onde = rgOnde->itemIndex();
    f.ultimaOS = ckUltimaOS->isChecked();
    f.rotuloTecnico = laTecnico->text();
    f.rotuloModelo = laModelo->text();
    f.placaVisivel = !mdPlaca->isHidden();
    f.rotuloPlaca = laPlaca->text();
    f.situacaoTexto = dblcSituacao->text();
    f.situacaoChave = dblcSituacao->keyValue().isNull() ? -1 : dblcSituacao->keyValue().toInt();
    f.camposItemVisivel = !cbCamposIt->isHidden();
    if (cbCamposIt->currentIndex() >= 0 && cbCamposIt->currentIndex() < dmTec->quOSItem->fieldCount()) {
        const host::data::Field* campo = dmTec->quOSItem->field(cbCamposIt->currentIndex());
        f.campoItem = campo->fieldName();
        f.tipoCampoItem = campo->dataType();
    }
    if (cbCampos->currentIndex() >= 0 && cbCampos->currentIndex() < dmTec->quOS->fieldCount()) {
        const host::data::Field* campo = dmTec->quOS->field(cbCampos->currentIndex());
        f.campoOS = campo->fieldName();
        f.tipoCampoOS = campo->dataType();
    }
    f.valorAlternativo = edAlternativo->text();
    f.situacaoExceto = edSitExceto->text();
    f.marca = edMarca->text();
    f.modoVeiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    f.tecnicoRestrito = tecnicoRestrito_;
    f.filtroFilial = SQLFiltroFilial("AATC01AO", "os");
    return f;
}

namespace {

// A list whose count lines are its own lines, read to its end already (the
// grid reads its first page), is counted by its rows: the count statement
// would read the same rows again. A longer list is counted by the statement,
// not read to its end for a number.
int LinhasContadasNaLista(const FiltroPesquisaOS& filtro, host::data::Query& lista)
{
    return ContagemIgualALista(filtro) && lista.allFetched() ? lista.fetchedCount() : -1;
}

int ContaPelaConsultaAuxiliar(const QString& origem, const QString& contagem)
{
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql(contagem);
    dmGlobal->Log(origem, GetSQLtextComParametros(auxiliar));
    auxiliar.open();
    return auxiliar.fieldByName("TotReg")->asInteger();
}

}  // namespace

QString TfmPesquisaAssOrdemServico::Pesquisar(const FiltroPesquisaOS& filtro)
{
    const QString origem = "[TfmPesquisaAssOrdemServico.Pesquisar]";
    dmGlobal->Log(origem, "***INICIO");
    host::ui::WaitCursor cursor(host::ui::CursorShape::SqlWait);
    struct FecharAuxiliar {
        ~FecharAuxiliar() { dmGlobal->quAuxiliar->close(); }
    } fecharAuxiliar;
    host::data::Query* consulta = filtro.ultimaOS ? quConsUltimaOS : quConsulta;
    SQLPesquisaOS sql;
    bool aberta = false;
    sqlListada_.clear();
    try {
        sql = MontaSQLPesquisaOS(filtro);
        consulta->close();
        consulta->setSql(sql.consulta);
        const QString personalizados = dmGlobal->Parametro("ATCAMPOSPERSONALIZADOS");
        if (!filtro.ultimaOS && (personalizados == "S" || personalizados == "D"))
            AdicionaFieldZeltoCreatorAlias(consulta, "AATC01AO", "os");
        if (!filtro.ultimaOS && bDetectarErroSQL)
            dmGlobal->MostraAvisoExtenso("Pesquisa de OS", consulta->sql(), false, "Confirmação");
        dmGlobal->Log(origem, GetSQLtextComParametros(*consulta));
        consulta->open();
        aberta = true;
        sqlListada_ = sql.consulta;
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        TratarExcecaoBanco("TfmPesquisaAssOrdemServico.Pesquisar", falha, GetSQLtextComParametros(*consulta));
        if (!OperacaoAbortada(falha))
            dmGlobal->MostraAviso("Falha ao realizar pesquisa.\n" + TratarExcecao(falha), false);
    }
    QString resultado;
    try {
        const int encontrados = aberta ? LinhasContadasNaLista(filtro, *consulta) : -1;
        if (encontrados >= 0)
            resultado = TextoEncontrados(encontrados);
        else if (!sql.contagem.isEmpty())
            resultado = TextoEncontrados(ContaPelaConsultaAuxiliar(origem, sql.contagem));
    } catch (...) {
        TratarExcecaoBanco("TfmPesquisaAssOrdemServico.Pesquisar", std::current_exception(), sql.contagem);
    }
    dmGlobal->Log(origem, "***FIM");
    return resultado;
}

// The filters with the twelve texts and the flag as the window's boxes hold them.
FiltroPesquisaOS TfmPesquisaAssOrdemServico::filtroDaJanela() const
{
    return FiltroAtual(edNOS->text(), edNumero->text(), edCliente->text(), edTipo->text(), edTecnico->text(),
                       edModelo->text(), mdPlaca->valueText(), edCodInt->text(), cbStatus->currentText().left(1),
                       deDataIni->valueText(), deDataFim->valueText(), edFilial->text(), ckAprovado->isChecked());
}

// "OK" over a list the filters as they stand have already listed takes the
// highlighted row, as a double click does; changed filters are searched.
bool TfmPesquisaAssOrdemServico::escolheLinhaListada(const FiltroPesquisaOS& filtro)
{
    host::data::Query* lista = filtro.ultimaOS ? quConsUltimaOS : quConsulta;
    if (!showingModal() || sqlListada_.isEmpty() || !lista->active() || lista->isEmpty() ||
        MontaSQLPesquisaOS(filtro).consulta != sqlListada_)
        return false;
    setModalResult(host::ui::ModalResult::Ok);
    return true;
}

void TfmPesquisaAssOrdemServico::bbPesquisaClick()
{
    // A date that cannot be read is said, not searched as no date.
    for (host::ui::DataEdit* data : {deDataIni, deDataFim}) {
        QDateTime lida;
        const QString texto = data->valueText().trimmed();
        if (!texto.isEmpty() && !host::data::parseDateTimeText(texto, lida)) {
            data->setFocus();
            data->selectAll();
            dmGlobal->MostraErro("Data inválida: " + data->displayText());
        }
    }
    const FiltroPesquisaOS filtro = filtroDaJanela();
    if (escolheLinhaListada(filtro))
        return;
    stInformacao->setPanelText(1, Pesquisar(filtro));
    if (stInformacao->panelText(0).isEmpty() && dmGlobal->Parametro("ATSEMTOTALREGISTROS") != "S")
        stInformacao->setPanelText(0, TextoTotalRegistros("aatc01aoit"));
}

void TfmPesquisaAssOrdemServico::quConsultaAfterScroll(host::data::Dataset&)
{
    const QVariant ordem = quConsulta->fieldByName("AOCODIGO")->value();
    const QVariant item = quConsulta->fieldByName("AOITCODIGO")->value();
    for (host::data::Query* detalhe : {quPecas, quServico}) {
        detalhe->close();
        detalhe->paramByName("aoCodigo")->setValue(ordem);
        detalhe->paramByName("aoitcodigo")->setValue(item);
        detalhe->open();
    }
    for (host::data::Query* despesa : {quViagem, quExtra}) {
        despesa->close();
        despesa->paramByName("aoCodigo")->setValue(ordem);
        despesa->open();
    }
}

void TfmPesquisaAssOrdemServico::OSMostraPecasServico(int iOrdem, const QString& sTipo)
{
    const QString origem = "[TfmPesquisaAssOrdemServico.OSMostraPecasServico]";
    dmGlobal->Log(origem, "***INICIO");
    const bool pecas = sTipo == "P";
    host::data::Query* consulta = pecas ? quPecas : quServico;
    auto janela = std::make_unique<host::ui::SearchWindow>();
    try {
        janela->resize(500, janela->height());
        janela->grid()->onTitleClick = [grade = janela->grid()](host::ui::GridColumn& coluna) {
            host::ui::sortByColumn(*grade, coluna);
        };
        janela->setCaption(pecas ? "Peças da Ordem de Serviço" : "Serviços da Ordem de Serviço");
        consulta->close();
        consulta->paramByName("aocodigo")->setAsInteger(iOrdem);
        consulta->paramByName("aoitcodigo")->setValue(
            quConsulta->active() ? quConsulta->fieldByName("AOITCODIGO")->value() : QVariant());
        consulta->open();
        janela->setDataset(consulta);
        host::ui::createGridColumn(*janela->grid(), 50, "Código", "codigo");
        host::ui::createGridColumn(*janela->grid(), 200, "Descrição", "Descricao");
        host::ui::createGridColumn(*janela->grid(), 100, "Quantidade", pecas ? "APQUANTIDADE" : "AAQUANTIDADE");
        host::ui::createGridColumn(*janela->grid(), 100, "Valor Total", pecas ? "APVALTOTAL" : "AAVALORTOTAL");
        const QString layout = "fmPesquisa_OSRapida_" + sTipo;
        SalvarConfiguracaoDBGridComNome(janela->grid(), true, layout);
        janela->showModal();
        SalvarConfiguracaoDBGridComNome(janela->grid(), false, layout);
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        TratarExcecaoBanco("TfmPesquisaAssOrdemServico.OSMostraPecasServico", falha);
        if (!OperacaoAbortada(falha))
            dmGlobal->MostraAviso("Falha ao mostrar informações do serviço\n" + TratarExcecao(falha), false);
    }
    janela.reset();
    quServico->close();
    quPecas->close();
    dmGlobal->Log(origem, "***FIM");
}

void TfmPesquisaAssOrdemServico::ExportarExcelClick()
{
    auto* grade = qobject_cast<host::ui::DataGrid*>(QApplication::focusWidget());
    if (!grade)
        grade = ultimaOSVisivel() ? dbgdUltimaOS() : dbgdOrdemServico;
    QString arquivo;
    // The host writes Excel's current workbook format.
    if (host::ui::Dialogs::saveFile("Exportar para Excel", "Excel (*.xlsx)|*.xlsx", arquivo))
        GridToExcelFile(grade, arquivo);
}

// The contract vehicle line's value: its value times the receivables issued
// for its contract in the line's period.
void TfmPesquisaAssOrdemServico::quContratoVeicCalcFields(host::data::Dataset& DataSet)
{
    host::data::Field* total = DataSet.fieldByName("acevValorTotalCR");
    total->clear();
    const QString utiliza = dmGlobal->Parametro("ATUTILIZACONTRATOS");
    if (dmGlobal->Parametro("ATSITUACAOPORITEM") != "S" || (utiliza != "S" && utiliza != "E") ||
        DataSet.fieldByName("EVCODIGO")->asString().isEmpty() || !DataSet.active())
        return;
    const auto data = [&DataSet](const char* campo) {
        const QDateTime d = DataSet.fieldByName(campo)->asDateTime();
        return d.isValid() ? d.toString("dd/MM/yyyy") : QString();
    };
    const int recebimentos = CarregaNumeroInteiro(
        "count(*)", "ACRC5001",
        "Where situacao_documento = '*' and AOCODIGO = " + QString::number(DataSet.fieldByName("ACCODIGO")->asInteger()) +
            AdicionaFiltro("DATA_EMISSAO", data("ACEVDATAINICIO"), data("ACEVDATAFIM"), host::data::FieldType::DateTime,
                           "F"));
    total->setAsFloat(DataSet.fieldByName("ACEVVALOR")->asFloat() * recebimentos);
}

void TfmPesquisaAssOrdemServico::GerarRelatorio(const QString& sTipo, bool bImprimir)
{
    // The detail queries follow the report's row for the length of the printout.
    host::data::DetachHandler<host::data::Dataset::Event> seguir(
        quConsulta->afterScroll, [this](host::data::Dataset& d) { quConsultaAfterScroll(d); });
    if (!quConsulta->active())
        return;
    if (sTipo == "Ficha") {
        TqrAssOSPesquisaFic ficha;
        ficha.QuickRep1->preview(true);
    } else {
        TqrAssOSPesquisaRel listagem;
        if (bImprimir)
            listagem.QuickRep1->print();
        else
            listagem.QuickRep1->preview(true);
    }
    quConsulta->first();
}
