// The controls of the contract register: the "Dados do Contrato" group, the
// nine pages with their fields, combos, look-ups and grids, and the bottom
// bar, each bound to its dataset of dmTecContrato, dmTec or the host.

#include "contracts/uAssContCad.h"

#include "contracts/uDataTecCont.h"
#include "data/uDataTec.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::DataCheckBox;
using host::ui::DataComboBox;
using host::ui::DataEdit;
using host::ui::DataGrid;
using host::ui::DataLabel;
using host::ui::DataLookupCombo;
using host::ui::GridColumn;

namespace {

// The common constructors under this file's names.
constexpr auto* botao = &host::ui::makeButton;
constexpr auto* lupa = &host::ui::makeSearchButton;
constexpr auto* edit = &host::ui::makeEdit;
constexpr auto* texto = &host::ui::makeText;
constexpr auto* ligacao = &host::ui::makeLink;
constexpr auto* busca = &host::ui::makeLookup;

DataComboBox* lista(QWidget* pai, const char* nome, host::data::DataSource* fonte, const QString& campo,
                    const QStringList& itens, DataComboBox::Style estilo = DataComboBox::Style::DropDownList)
{
    auto* c = new DataComboBox(nome, estilo, pai);
    c->setPickList(itens);
    c->bind(fonte, campo);
    return c;
}

DataCheckBox* marca(QWidget* pai, const char* nome, const QString& caption, host::data::DataSource* fonte,
                    const QString& campo)
{
    auto* c = new DataCheckBox(nome, caption, pai);
    // The stored code, or the caption of a field that maps it.
    c->setValueChecked("S;Sim");
    c->setValueUnchecked("N;Não");
    c->bind(fonte, campo);
    return c;
}

// Captions above their controls, in a grid of cells filled left to right.
class Grade {
public:
    Grade(QWidget* pai, int colunas) : layout_(new QGridLayout(pai)), colunas_(colunas)
    {
        layout_->setContentsMargins(4, 4, 4, 4);
        layout_->setHorizontalSpacing(6);
        layout_->setVerticalSpacing(2);
    }
    // The caption (a label or a text) over the control and its extras.
    void campo(QWidget* rotulo, QWidget* controle, std::initializer_list<QWidget*> extras = {}, int largura = 1)
    {
        if (coluna_ + largura > colunas_)
            quebra();
        auto* caixa = new QWidget;
        auto* v = new QVBoxLayout(caixa);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(1);
        if (rotulo)
            v->addWidget(rotulo);
        auto* h = new QHBoxLayout;
        h->setSpacing(1);
        h->addWidget(controle, 1);
        for (QWidget* extra : extras)
            h->addWidget(extra);
        v->addLayout(h);
        layout_->addWidget(caixa, linha_, coluna_, 1, largura);
        coluna_ += largura;
    }
    void campo(const QString& caption, QWidget* controle, std::initializer_list<QWidget*> extras = {},
               int largura = 1)
    {
        campo(caption.isEmpty() ? nullptr : new QLabel(caption), controle, extras, largura);
    }
    void inteira(QWidget* controle)
    {
        quebra();
        layout_->addWidget(controle, linha_++, 0, 1, colunas_);
    }
    void quebra()
    {
        if (coluna_ > 0)
            ++linha_;
        coluna_ = 0;
    }
    void fim() { layout_->setRowStretch(linha_ + 1, 1); }

private:
    QGridLayout* layout_;
    int colunas_;
    int linha_ = 0;
    int coluna_ = 0;
};

GridColumn* coluna(DataGrid* grade, const QString& campo, const QString& titulo = {}, int largura = 80)
{
    return grade->addColumn(campo, titulo, largura);
}

GridColumn* comBotao(GridColumn* c)
{
    c->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    return c;
}

GridColumn* somenteLeitura(GridColumn* c)
{
    c->setReadOnly(true);
    return c;
}

DataGrid* gradeNaPagina(QWidget* pagina, const char* nome, host::data::DataSource* fonte)
{
    auto* grade = new DataGrid(nome, pagina);
    grade->setDataSource(fonte);
    auto* layout = pagina->layout() ? static_cast<QVBoxLayout*>(pagina->layout()) : new QVBoxLayout(pagina);
    layout->addWidget(grade, 1);
    return grade;
}

}  // namespace

host::data::DataSource* TfmAssContCad::fonte(const char* nome, host::data::Dataset* dataset)
{
    fontes_.push_back(std::make_unique<host::data::DataSource>(nullptr, nome, dataset));
    return fontes_.back().get();
}

void TfmAssContCad::montarTela()
{
    TdmTecContrato& dm = *dmTecContrato;
    quHistCR = new host::data::Query(nullptr, "quHistCR");
    quHistCR->setTransaction(dmGlobal->IBTransaction1.get());
    dsCtrCadastro = fonte("dsCtrCadastro", dm.quCtrCadastro);
    dsReceber = fonte("dsReceber", dmGlobal->quReceber);
    dsHistCR = fonte("dsHistCR", dmGlobal->quReceber);
    dsContrCont = fonte("dsContrCont", dm.quCtrContato);
    dsCliCont = fonte("dsCliCont", dm.quContratoCli);
    dsCtrCadastroIt = fonte("dsCtrCadastroIt", dm.quCtrCadastroIt);
    dsContratoVin = fonte("dsContratoVin", dm.quContratoVin);
    dsCtrCadastroEquip = fonte("dsCtrCadastroEquip", dm.quCtrCadastroEquip);
    dsVeiculos = fonte("dsVeiculos", dm.quCtrVeiculo);
    dsobjeto = fonte("dsobjeto", dm.quCtrObjeto);
    dsCobertura = fonte("dsCobertura", dm.quCtrCobertura);
    dsCxContas = fonte("dsCxContas", dmGlobal->quCXContas);
    dsBanco = fonte("dsBanco", dmGlobal->quBanco);
    dsHistorico = fonte("dsHistorico", dmTec->quAssHistorico);
    dsHoraTec = fonte("dsHoraTec", dmTec->quHoraTecnica);
    dsClienteConsulta = fonte("dsClienteConsulta", dmGlobal->quClienteLista);
    dsFornecedor = fonte("dsFornecedor", dmGlobal->quFornecedorLista);
    dsPesqIndice = dm.dsPesqIndice;

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addWidget(montarCabecalho());
    pcContrato = new host::ui::PageControl("pcContrato", this);
    tsContDadosAdicionais = pcContrato->addPage("tsContDadosAdicionais", "Dados Adicionais");
    tsContFinanceiro = pcContrato->addPage("tsContFinanceiro", "Financeiro");
    tsClientesCont = pcContrato->addPage("tsClientesCont", "Clientes Contratuais");
    tsContParcAberta = pcContrato->addPage("tsContParcAberta", "Parcelas do Contrato");
    tsContAcompanhamento = pcContrato->addPage("tsContAcompanhamento", "Acompanhamento");
    tsHistCR = pcContrato->addPage("tsHistCR", "Histórico de Contas");
    tsItens = pcContrato->addPage("tsItens", "Itens do Contrato");
    tsContEquip = pcContrato->addPage("tsContEquip", "Equipamentos");
    tsVeiculos = pcContrato->addPage("tsVeiculos", "Veículos");
    tsContEquip->setTabVisible(false);
    montarDadosAdicionais();
    montarFinanceiro();
    montarGrades();
    principal->addWidget(pcContrato, 1);
    principal->addWidget(montarBotoes());
}

QWidget* TfmAssContCad::montarCabecalho()
{
    gbDadosContrato = new QGroupBox("Dados do Contrato", this);
    gbDadosContrato->setObjectName("gbDadosContrato");
    QWidget* p = gbDadosContrato;
    Grade g(p, 6);
    dbedCodigo = edit(p, "dbedCodigo", dsCtrCadastro, "ACCODIGO");
    dbedCodigo->setEnabled(false);
    sbPesqContrato = lupa(p, "sbPesqContrato");
    sbAnt = botao(p, "sbAnt", "<");
    sbProx = botao(p, "sbProx", ">");
    sbZeltoCreator = botao(p, "sbZeltoCreator", "+");
    sbZeltoCreator->setToolTip("Campos Criados no ZeltoCreator");
    for (QPushButton* b : {sbAnt, sbProx, sbZeltoCreator})
        b->setFixedWidth(24);
    g.campo("Código do Contrato", dbedCodigo, {sbPesqContrato, sbAnt, sbProx, sbZeltoCreator});
    dbedNumeroContrato = edit(p, "dbedNumeroContrato", dsCtrCadastro, "ACNUMEROCONTRATO");
    g.campo("Nº do Contrato", dbedNumeroContrato);
    dbedLocal = edit(p, "dbedLocal", dsCtrCadastro, "ACLOCAL");
    dbedLocal->setMaximumWidth(40);
    dbteNomeFilial = texto(p, "dbteNomeFilial", dsCtrCadastro, "NOMEFILIAL");
    g.campo("U.N.", dbedLocal, {dbteNomeFilial}, 2);
    Label5 = ligacao(p, "Label5", "Código do Objeto");
    dbedObjeto = edit(p, "dbedObjeto", dsCtrCadastro, "AJCODIGO");
    dbedObjeto->setMaximumWidth(60);
    sbPesqObj = lupa(p, "sbPesqObj");
    dbteObjeto = texto(p, "dbteObjeto", dsCtrCadastro, "OBJETO");
    g.campo(Label5, dbedObjeto, {sbPesqObj, dbteObjeto}, 2);
    g.quebra();
    Label20 = ligacao(p, "Label20", "Objeto");
    dbedTextoObjeto = edit(p, "dbedTextoObjeto", dsCtrCadastro, "ACOBJETO");
    g.campo(Label20, dbedTextoObjeto, {}, 3);
    dbcbNatureza = lista(p, "dbcbNatureza", dsCtrCadastro, "ACNATUREZA",
                         {"A - Em Carteira", "C - Cheque pré-datado", "D - Duplicata/Fatura", "E - Endosso",
                          "F - Adto Frete", "I - Impostos", "L - Vales", "M- Memorando", "N - NF/Serviços",
                          "O - Comissão", "P - Pgto Dólar", "R- Recibo/Frete", "S - Prestação de Serviços",
                          "U - Outros", "V - Adto Viagem"});
    g.campo("Natureza", dbcbNatureza);
    dbcbTipo = lista(p, "dbcbTipo", dsCtrCadastro, "ACTIPO",
                     {"Cortesia", "Especial", "Integral", "Locação", "Mão-de-obra", "Suporte Técnico", "Demanda",
                      "#Desativado", "Atualização", "U - Licença de Uso"});
    g.campo("Tipo", dbcbTipo);
    dbcbModalidade = lista(p, "dbcbModalidade", dsCtrCadastro, "ACMODALIDADE",
                           {"Antecipado", "Retroativo", "Intermédio"});
    g.campo("Modalidade", dbcbModalidade);
    return gbDadosContrato;
}

void TfmAssContCad::montarDadosAdicionais()
{
    QWidget* p = tsContDadosAdicionais;
    host::data::DataSource* ds = dsCtrCadastro;
    Grade g(p, 4);
    dbedVencimento = edit(p, "dbedVencimento", ds, "ACVENCIMENTO");
    g.campo("Dia Vencimento", dbedVencimento);
    dbedInicio = edit(p, "dbedInicio", ds, "ACDATAIMPLANTACAO");
    g.campo("Início", dbedInicio);
    dbedTermino = edit(p, "dbedTermino", ds, "ACDATAVALIDADE");
    g.campo("Término", dbedTermino);
    dbedValorParcela = edit(p, "dbedValorParcela", ds, "ACVALORPARCELA");
    g.campo("Valor Parcela", dbedValorParcela);
    dbteValorLiquido = texto(p, "dbteValorLiquido", ds, "ACVALORPARCELALIQUIDO");
    g.campo("Valor Líquido", dbteValorLiquido);
    dbedValorAnterior = edit(p, "dbedValorAnterior", ds, "ACVALORANTERIOR");
    dbedValorAnterior->setEnabled(false);
    g.campo("Valor Anterior", dbedValorAnterior);
    dbedDataBase = edit(p, "dbedDataBase", ds, "ACDATABASE");
    g.campo("Data Base", dbedDataBase);
    dbcbPeriodo = lista(p, "dbcbPeriodo", ds, "ACPERIODO",
                        {"B - Bimestral", "M - Mensal", "T - Trimestral", "S - Semestral", "A - Anual"});
    g.campo("Periodicidade", dbcbPeriodo);
    dbcbFixo = lista(p, "dbcbFixo", ds, "ACVALORFIXO", {"Sim", "Não", "Dividido", "PMC"});
    g.campo("Fixar Valor", dbcbFixo);
    dbcbVinculo = lista(p, "dbcbVinculo", ds, "ACVINCULO", {"Principal", "Complementar"});
    g.campo("Tipo de Vínculo", dbcbVinculo);
    dbcbSepSrv = lista(p, "dbcbSepSrv", ds, "ACSEPARASERVICO",
                       {"Sim", "Não", "Itens Individuais", "Por Produto", "Discriminar Itens", "Composição",
                        "Equipamento"});
    g.campo("Serviços Por Cliente", dbcbSepSrv);
    g.quebra();

    Label7 = ligacao(p, "Label7", "Contratante");
    dbedContratante = edit(p, "dbedContratante", ds, "ACCONTRATANTE");
    dbedContratante->setMaximumWidth(60);
    dblcContratante = busca(p, "dblcContratante", ds, "ACCONTRATANTE", dsClienteConsulta, "CODIGO_CLIENTE", "NOME");
    sbPesqContratante = lupa(p, "sbPesqContratante");
    g.campo(Label7, dbedContratante, {dblcContratante, sbPesqContratante}, 2);
    Label8 = ligacao(p, "Label8", "Cliente (Cobrança)");
    dbedCliente = edit(p, "dbedCliente", ds, "CLCODIGO");
    dbedCliente->setMaximumWidth(60);
    dblcCliente = busca(p, "dblcCliente", ds, "CLCODIGO", dsClienteConsulta, "CODIGO_CLIENTE", "NOME");
    sbPesqCli = lupa(p, "sbPesqCli");
    g.campo(Label8, dbedCliente, {dblcCliente, sbPesqCli}, 2);
    Label11 = ligacao(p, "Label11", "Mantenedora");
    dbedResponsavel = edit(p, "dbedResponsavel", ds, "ACRESPONSAVEL");
    dbedResponsavel->setMaximumWidth(60);
    dblcResponsavel = busca(p, "dblcResponsavel", ds, "ACRESPONSAVEL", dsFornecedor, "FCOD", "FNOME");
    sbPesqResp = lupa(p, "sbPesqResp");
    g.campo(Label11, dbedResponsavel, {dblcResponsavel, sbPesqResp}, 2);

    gbRenovacao = new QGroupBox("Renovação/Cancelamento", p);
    gbRenovacao->setObjectName("gbRenovacao");
    {
        Grade r(gbRenovacao, 5);
        dbckRenovacaoAut = marca(gbRenovacao, "dbckRenovacaoAut", "Renov. Automática", ds, "ACRENOVACAO");
        r.campo(QString(), dbckRenovacaoAut);
        dbcbDeveGerar = lista(gbRenovacao, "dbcbDeveGerar", ds, "ACSITUACAO",
                              {"A - Ativo", "C - Cancelado", "E - Encerrado", "S - Suspenso", "P - Pendente",
                               "M - Mútuo/Permuta", "# - Desativado"});
        r.campo("Situação", dbcbDeveGerar);
        dbedDataRenovacao = edit(gbRenovacao, "dbedDataRenovacao", ds, "ACDATARENOVACAO");
        r.campo("Data Renovação", dbedDataRenovacao);
        dbedRenovacaoLimite = edit(gbRenovacao, "dbedRenovacaoLimite", ds, "ACRENOVACAOLIMITE");
        dbedRenovacaoLimite->setEnabled(false);
        r.campo("Limite Renovação", dbedRenovacaoLimite);
        dbcbSituacao = lista(gbRenovacao, "dbcbSituacao", ds, "ACSITUACAOOBS", {}, DataComboBox::Style::DropDown);
        r.campo("Observação da Situação", dbcbSituacao);
    }
    g.inteira(gbRenovacao);
    dbmeTexto = new host::ui::DataMemo("dbmeTexto", p);
    dbmeTexto->bind(ds, "ACTEXTO");
    dbmeTexto->setMaximumHeight(60);
    g.campo("Observação", dbmeTexto, {}, 4);

    gbContratosVinculados = new QGroupBox("Contratos Vinculados", p);
    gbContratosVinculados->setObjectName("gbContratosVinculados");
    dbgdContratoVinc = gradeNaPagina(gbContratosVinculados, "dbgdContratoVinc", dsContratoVin);
    comBotao(coluna(dbgdContratoVinc, "ACCODIGOCOMPLEMENTO", "Contrato", 70));
    coluna(dbgdContratoVinc, "CLNOMECOMPLEMENTO", "Cliente", 200);
    coluna(dbgdContratoVinc, "CLNOMEFANTASIACOMPLEMENTO", "Nome Fantasia", 150);
    coluna(dbgdContratoVinc, "ACVALORPARCELACOMPLEMENTO", "Valor Parcela", 90);
    dbgdContratoVinc->setMaximumHeight(110);
    g.campo(static_cast<QWidget*>(nullptr), gbContratosVinculados, {}, 3);

    grpFranquia = new QGroupBox(" Franquia ", p);
    grpFranquia->setObjectName("grpFranquia");
    {
        Grade f(grpFranquia, 1);
        laTipoFranquia = ligacao(grpFranquia, "laTipoFranquia", "Tipo de Franquia");
        laTipoFranquia->setCursor(Qt::ArrowCursor);
        dbcbbTipoFranquia = lista(grpFranquia, "dbcbbTipoFranquia", ds, "ACTIPOFRANQUIA", {"Item", "Única", "Grupo"});
        f.campo(laTipoFranquia, dbcbbTipoFranquia);
        laQuantidadeFranquia = new QLabel("Quantidade Franquia", grpFranquia);
        laQuantidadeFranquia->setObjectName("laQuantidadeFranquia");
        dbedQuantidadeFranquia = edit(grpFranquia, "dbedQuantidadeFranquia", ds, "ACQUANTIDADEFRANQUIA");
        f.campo(laQuantidadeFranquia, dbedQuantidadeFranquia);
        laValorExcedente = new QLabel("Valor Excedente", grpFranquia);
        laValorExcedente->setObjectName("laValorExcedente");
        dbedValorExcedente = edit(grpFranquia, "dbedValorExcedente", ds, "ACQUANTEXCFRANQUIA");
        f.campo(laValorExcedente, dbedValorExcedente);
        f.fim();
    }
    g.campo(static_cast<QWidget*>(nullptr), grpFranquia);
    g.fim();
}

void TfmAssContCad::montarFinanceiro()
{
    QWidget* p = tsContFinanceiro;
    host::data::DataSource* ds = dsCtrCadastro;
    Grade g(p, 4);
    Label22 = ligacao(p, "Label22", "Conta Fluxo Caixa");
    dbedContaCaixa = edit(p, "dbedContaCaixa", ds, "CXCODIGO");
    dbedContaCaixa->setMaximumWidth(70);
    dblcContaCaixa = busca(p, "dblcContaCaixa", ds, "CXCODIGO", dsCxContas, "CONTA", "DESCRICAO");
    g.campo(Label22, dbedContaCaixa, {dblcContaCaixa}, 2);
    dblcBanco = busca(p, "dblcBanco", ds, "BCCODIGO", dsBanco, "CODIGO_BANCO", "NOME_BANCO");
    g.campo("Banco Cobrança", dblcBanco);
    Label24 = ligacao(p, "Label24", "Histórico");
    dblcHistorico = busca(p, "dblcHistorico", ds, "HCCODIGO", dsHistorico, "HCCODIGO", "HCDESCRICAO");
    g.campo(Label24, dblcHistorico);
    dbedSerieNF = edit(p, "dbedSerieNF", ds, "ACSERIENF");
    g.campo("Série N.F.", dbedSerieNF);
    Label26 = ligacao(p, "Label26", "Tipo Pagamento");
    dbcbTipoPgto = lista(p, "dbcbTipoPgto", ds, "ACTIPOPAGAMENTO",
                         {"1 - Carnê", "2 - Duplicata/Boleto", "3 - Recibo", "4 - Cheque", "5 - Fundo",
                          "6 - Endosso", "7 - R$", "8 - Cartão", "9 - CEntrega", "R - Reembolso Rodoviário",
                          "P - Reembolso Postal", "V - Venda à Vista Com Vale", "D - Débito em Conta",
                          "B - Depósito em Conta", "C - Carteira", "S - Cheque Surpresa", "O - Bônus",
                          "N - Consignação", "E - Cheque Devolvido", "U - Custódia", "T - Protestado",
                          "M - Cheque Descontado", "A - Duplicata Descontada", "CI - Cheque Incobrável",
                          "DI - Duplicata Incobrável", "CA -Cheque à Vista", "BO - Boleto", "CR - Crédito"});
    g.campo(Label26, dbcbTipoPgto);
    dbedJuroMes = edit(p, "dbedJuroMes", ds, "ACJUROMES");
    dbckJuroAplicarParcela = marca(p, "dbckJuroAplicarParcela", "Aplicar na Parcela", ds, "ACJUROAPLICARPARCELA");
    g.campo("Juros Mês", dbedJuroMes, {dbckJuroAplicarParcela});
    dbcbPortadorPrev = lista(p, "dbcbPortadorPrev", ds, "ACPORTADORPREVISAO", {"Previsão"});
    g.campo("Portador Previsão", dbcbPortadorPrev);
    dbcbAplicarJuro = lista(p, "dbcbAplicarJuro", ds, "ACJUROAPLICAR", {"Portador", "Contrato"});
    g.campo("Aplicar Juro/Multa do", dbcbAplicarJuro);

    gbJuroMulta = new QGroupBox("Juro/Multa do Contrato", p);
    gbJuroMulta->setObjectName("gbJuroMulta");
    {
        Grade j(gbJuroMulta, 3);
        dbedMultaLimite = edit(gbJuroMulta, "dbedMultaLimite", ds, "ACMULTALIMITE");
        j.campo("Limite Multa", dbedMultaLimite);
        dbedMultaValor = edit(gbJuroMulta, "dbedMultaValor", ds, "ACMULTAVALOR");
        j.campo("% Multa", dbedMultaValor);
        dbedJuroVencimento = edit(gbJuroMulta, "dbedJuroVencimento", ds, "ACJUROVENCIMENTO");
        j.campo("Juro Vencimento", dbedJuroVencimento);
    }
    g.inteira(gbJuroMulta);
    dblcIndice = busca(p, "dblcIndice", ds, "ACMULTAINDICE", dsPesqIndice, "MOEDA", "DESCRICAO");
    sbPesqMoeda = lupa(p, "sbPesqMoeda");
    g.campo("Índíce", dblcIndice, {sbPesqMoeda});
    dbckIndiceReajuste = marca(p, "dbckIndiceReajuste", "Índice Somente Reajuste", ds, "ACINDICEREAJUSTE");
    g.campo(QString(), dbckIndiceReajuste);
    dbcbGerarPedido = lista(p, "dbcbGerarPedido", ds, "ACGERAPV", {"Sim", "Não"});
    sbCaixa = botao(p, "sbCaixa", "Caixa");
    sbCaixa->setToolTip("Previsão do Fluxo de Caixa");
    g.campo("Gerar Apenas Pedido de Venda", dbcbGerarPedido, {sbCaixa});
    dbedDistanciaKm = edit(p, "dbedDistanciaKm", ds, "ACDISTANCIAKM");
    g.campo("Distância em KM", dbedDistanciaKm);
    dbedQuantidadePedagio = edit(p, "dbedQuantidadePedagio", ds, "ACQUANTIDADEPEDAGIO");
    g.campo("Quantidade Pedágios", dbedQuantidadePedagio);
    dblcHoraTecnica = busca(p, "dblcHoraTecnica", ds, "AHCODIGO", dsHoraTec, "AHCODIGO", "AHDESCRICAO");
    g.campo("Hora Técnica", dblcHoraTecnica);
    dbedHoraValor = edit(p, "dbedHoraValor", ds, "ACHORAVALOR");
    g.campo("Valor da Hora", dbedHoraValor);
    dbedHoraCredito = edit(p, "dbedHoraCredito", ds, "ACHORACREDITO");
    auto* emMinutos = new QLabel("Em Minutos:", p);
    dbteHoraCreditoMin = texto(p, "dbteHoraCreditoMin", ds, "HoraCreditoMin");
    g.campo("Créditos de Hora Disp.", dbedHoraCredito, {emMinutos, dbteHoraCreditoMin});
    dbedQuantidadeEquipamento = edit(p, "dbedQuantidadeEquipamento", ds, "ACQUANTIDADEEQUIPAMENTO");
    g.campo("Quantidade Equipamentos", dbedQuantidadeEquipamento);
    dbcbCOmprovante = lista(p, "dbcbCOmprovante", ds, "ACCOMPROVANTE", {"Nota Fiscal", "Recibo"});
    g.campo("Tipo Comprovante", dbcbCOmprovante);
    dbedDiaFechamento = edit(p, "dbedDiaFechamento", ds, "ACDIAFECHAMENTO");
    g.campo("Dia Fechamento", dbedDiaFechamento);
    dbedPedidoPadrao = edit(p, "dbedPedidoPadrao", ds, "VECODIGOPADRAO");
    sbPesqPedidoPadrao = lupa(p, "sbPesqPedidoPadrao");
    g.campo("Pedido de Venda Padrão", dbedPedidoPadrao, {sbPesqPedidoPadrao});
    dbedObjetoAuxiliar = edit(p, "dbedObjetoAuxiliar", ds, "AJCODIGOAUXILIAR");
    sbPesqObjAux = lupa(p, "sbPesqObjAux");
    g.campo("Código Objeto Auxiliar", dbedObjetoAuxiliar, {sbPesqObjAux});
    dbedVencimentoSemana = edit(p, "dbedVencimentoSemana", ds, "ACVENCIMENTOSEMANA");
    g.campo("Dia da Semana Vcto. (Opcional)", dbedVencimentoSemana);
    dbedQuantidadeParcela = edit(p, "dbedQuantidadeParcela", ds, "ACQUANTIDADEPARCELA");
    g.campo("Quantidade Parcelas", dbedQuantidadeParcela);
    dbedTabelaVencimento = edit(p, "dbedTabelaVencimento", ds, "TVCODIGO");
    sbPesqTabelaVcto = lupa(p, "sbPesqTabelaVcto");
    g.campo("Código Tabela Vencimento", dbedTabelaVencimento, {sbPesqTabelaVcto});
    dbedContaDebito = edit(p, "dbedContaDebito", ds, "PCCODIGODEBITO");
    sbPesqCtaCtbDeb = lupa(p, "sbPesqCtaCtbDeb");
    g.campo("Cta. Contab. Déb.", dbedContaDebito, {sbPesqCtaCtbDeb});
    dbedContaCredito = edit(p, "dbedContaCredito", ds, "PCCODIGOCREDITO");
    sbPesqCtaCtbCred = lupa(p, "sbPesqCtaCtbCred");
    g.campo("Cta. Contab. Créd.", dbedContaCredito, {sbPesqCtaCtbCred});
    g.fim();
}

void TfmAssContCad::montarGrades()
{
    // "Clientes Contratuais"
    dbgdAssContCadClientes = gradeNaPagina(tsClientesCont, "dbgdAssContCadClientes", dsCliCont);
    comBotao(coluna(dbgdAssContCadClientes, "CLCODIGO", "Código", 60));
    somenteLeitura(coluna(dbgdAssContCadClientes, "CLIENTE", "Cliente", 220));
    coluna(dbgdAssContCadClientes, "ACCLOBSERVACAO", "Observação", 160);
    comBotao(coluna(dbgdAssContCadClientes, "Valor", "Valor", 90));
    somenteLeitura(coluna(dbgdAssContCadClientes, "ACCODIGO", "Contrato", 60));
    coluna(dbgdAssContCadClientes, "ACCLATIVO", "Ativo ", 50);
    paClienteContrato = new QLabel("Valor Total R$   ", tsClientesCont);
    paClienteContrato->setObjectName("paClienteContrato");
    paClienteContrato->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tsClientesCont->layout()->addWidget(paClienteContrato);

    // "Parcelas do Contrato"
    dbgdContRecAberto = gradeNaPagina(tsContParcAberta, "dbgdContRecAberto", dsReceber);
    coluna(dbgdContRecAberto, "CODIGO_FILIAL", "Filial", 40);
    coluna(dbgdContRecAberto, "NUMERO_DOCUMENTO", "Documento", 80);
    coluna(dbgdContRecAberto, "DATA_EMISSAO", "Emissão", 80);
    coluna(dbgdContRecAberto, "DATA_VENCIMENTO", "Vencimento", 80);
    comBotao(coluna(dbgdContRecAberto, "OBSERVACAO", "Histórico/Observação Resumido", 200));
    comBotao(coluna(dbgdContRecAberto, "VALOR_DOCUMENTO", "Valor", 90));
    coluna(dbgdContRecAberto, "VALOR_DESCONTO", "Desconto", 80);
    coluna(dbgdContRecAberto, "CRDOCUMENTOORIGINAL", "Doc.Origem", 70);
    auto* rodape = new QWidget(tsContParcAberta);
    auto* h = new QHBoxLayout(rodape);
    h->setContentsMargins(0, 0, 0, 0);
    laDesconto = new QLabel("F7 - Aplicar percentual de desconto nas parcelas", rodape);
    laDesconto->setObjectName("laDesconto");
    bbPrevisionar = botao(rodape, "bbPrevisionar", "Gerar Previsão");
    bbApagar = botao(rodape, "bbApagar", "Excluir Parcelas");
    h->addWidget(laDesconto, 1);
    h->addWidget(bbPrevisionar);
    h->addWidget(bbApagar);
    tsContParcAberta->layout()->addWidget(rodape);
    stParcelas = new host::ui::StatusBar("stParcelas", tsContParcAberta);
    for (int i = 0; i < 4; ++i)
        stParcelas->addPanel(i == 3 ? 0 : 150);
    tsContParcAberta->layout()->addWidget(stParcelas);

    // "Acompanhamento"
    dbgdAssContCadAcompanhamento = gradeNaPagina(tsContAcompanhamento, "dbgdAssContCadAcompanhamento", dsContrCont);
    coluna(dbgdAssContCadAcompanhamento, "DATA_VISITA", "Data", 80);
    coluna(dbgdAssContCadAcompanhamento, "HORA_VISITA", "Hora", 60);
    comBotao(coluna(dbgdAssContCadAcompanhamento, "RESUMIDA", "Assunto", 260));
    somenteLeitura(coluna(dbgdAssContCadAcompanhamento, "CTUSUARIO", "Usuário", 90));
    coluna(dbgdAssContCadAcompanhamento, "CONTRATO", "Contrato", 60);
    ckMostraTodosContatos = new DataCheckBox("ckMostraTodosContatos", "Mostrar Todos Contatos com Cliente",
                                             tsContAcompanhamento);
    tsContAcompanhamento->layout()->addWidget(ckMostraTodosContatos);

    // "Histórico de Contas": re-pointed at the history query when the page loads.
    dbgdHistorico = gradeNaPagina(tsHistCR, "dbgdHistorico", dsHistCR);
    coluna(dbgdHistorico, "CODIGO_FILIAL", "Filial  ", 40);
    coluna(dbgdHistorico, "NUMERO_DOCUMENTO", "Documento", 80);
    coluna(dbgdHistorico, "DATA_EMISSAO", "Emissão", 80);
    coluna(dbgdHistorico, "DATA_VENCIMENTO", "Vencimento", 80);
    coluna(dbgdHistorico, "OBSERVACAO", "Observação", 200);
    coluna(dbgdHistorico, "VALOR_DOCUMENTO", "Valor", 90);
    coluna(dbgdHistorico, "VALOR_DESCONTO", "Desconto", 80);
    coluna(dbgdHistorico, "DATA_PAGAMENTO", "Data Pgto.", 80);
    dbgdHistorico->setReadOnlyGrid(true);

    // "Itens do Contrato"
    DataGrid* it = dbgdAssContCadItem = gradeNaPagina(tsItens, "dbgdAssContCadItem", dsCtrCadastroIt);
    coluna(it, "ACCODIGO", "Cód.Contrato", 60);
    comBotao(coluna(it, "PRCODIGO", "Produto", 90));
    somenteLeitura(coluna(it, "DESCRICAO", "Produto", 200));
    coluna(it, "ACITNUMEROSERIE", "Nº Série", 100);
    coluna(it, "ACITGARANTIA", "Garantia", 60)->setPickList({"Sim", "Não"});
    coluna(it, "ACITGARANTIADATA", "Data Garantia", 80);
    coluna(it, "ACITVALOR", "Valor", 80);
    coluna(it, "ValorDividido", "Valor Garantia", 80);
    somenteLeitura(coluna(it, "ACTIPO", "Tipo Cobertura ", 90));
    comBotao(coluna(it, "ACITOBSERVACAO", "Observação", 160));
    coluna(it, "ACITPERIODO", "Periodicidade", 90)
        ->setPickList({"D - Diario", "E - Semanal", "Q - Quinzenal", "M - Mensal", "B - Bimestral", "T - Trimestral",
                       "S - Semestral", "A - Anual"});
    coluna(it, "ACITTIPORECEBER", "Tipo Receber", 110)->setPickList({"P - Previsão", "1 - Parcela A Vista"});
    comBotao(coluna(it, "ACITVALOREXCEDENTE", "Valor Excedente", 90));
    comBotao(coluna(it, "COCODIGO", "Cód Grupo", 60));
    somenteLeitura(coluna(it, "GRUPO", "Grupo", 120));
    paBotoesItens = new QWidget(tsItens);
    paBotoesItens->setObjectName("paBotoesItens");
    auto* hb = new QHBoxLayout(paBotoesItens);
    hb->setContentsMargins(0, 0, 0, 0);
    btRemessaIten = botao(paBotoesItens, "btRemessaIten", "&Emitir Remessa");
    btEncerrarItem = botao(paBotoesItens, "btEncerrarItem", "&Encerrar Item");
    btDevolverItem = botao(paBotoesItens, "btDevolverItem", "&Devolver Item");
    hb->addStretch(1);
    for (QPushButton* b : {btRemessaIten, btEncerrarItem, btDevolverItem})
        hb->addWidget(b);
    tsItens->layout()->addWidget(paBotoesItens);
    paBotoesItens->setVisible(false);

    // "Equipamentos"
    DataGrid* eq = dbgdAssContCadEquip = gradeNaPagina(tsContEquip, "dbgdAssContCadEquip", dsCtrCadastroEquip);
    coluna(eq, "ACCODIGO", "Cód. Contrato", 60);
    comBotao(coluna(eq, "AECODIGO", "Cód. Equip.", 70));
    somenteLeitura(coluna(eq, "EQUIPAMENTO", "Equipamento", 180));
    coluna(eq, "COMARCA", "Marca", 90);
    coluna(eq, "COMODELO", "Modelo", 90);
    coluna(eq, "COSERIE", "Série", 90);
    coluna(eq, "CODATACOMPRA", "Data Compra", 80);
    coluna(eq, "COGARANTIA", "Garantia", 130)
        ->setPickList({"1- Garantia de Fábrica", "2- Garantia do Serviço", "3- Sem Garantia", "4- Cortesia"});
    coluna(eq, "COGARANTIADATA", "Data Garantia", 80);
    coluna(eq, "COVALOR", "Valor", 80);

    // "Veículos"
    DataGrid* ve = dbgdAssContCadVeiculo = gradeNaPagina(tsVeiculos, "dbgdAssContCadVeiculo", dsVeiculos);
    comBotao(coluna(ve, "EVCODIGO", "Código", 60));
    somenteLeitura(coluna(ve, "EVMODELO", "Modelo", 150));
    somenteLeitura(comBotao(coluna(ve, "EVPLACA", "Placa", 70)));
    coluna(ve, "ACEVDATAINICIO", "Data Início", 80);
    coluna(ve, "ACEVHORAINICIO", "Hora Início", 60);
    coluna(ve, "ACEVDATAFIM", "Data Fim", 80);
    coluna(ve, "ACEVHORAFIM", "Hora Fim", 60);
    coluna(ve, "ACEVKMINICIO", "KM Início", 70);
    coluna(ve, "ACEVKMFIM", "KM Fim", 70);
    coluna(ve, "ACEVSITUACAO", "Situação", 70)->setPickList({"Ativo", "Inativo"});
    coluna(ve, "ACEVVALOR", "Valor", 80);
    coluna(ve, "ACEVTIPO", "Tipo", 70)->setPickList({"Titular", "Reserva"});
    coluna(ve, "ACEVOBSERVACAO", "Observação", 150);
    coluna(ve, "ACEVADITIVO", "Aditivo", 90)->setPickList({"Inclusão", "Substituição", "Devolução"});
    comBotao(coluna(ve, "ACEVADITIVONUMERO", "Nº Aditivo", 70));
    coluna(ve, "ACCODIGO", "Contrato", 60);
    coluna(ve, "EVNSNUMERO", "Nº Série", 90)->setVisible(false);
    auto* painel = new QWidget(tsVeiculos);
    auto* hv = new QHBoxLayout(painel);
    hv->setContentsMargins(0, 0, 0, 0);
    laVeiculosInativos = new QLabel("Veículos Inativo serão ocultados, para visualiza aperte F8.", painel);
    laVeiculosInativos->setObjectName("laVeiculosInativos");
    sbPesqVeiculo = lupa(painel, "sbPesqVeiculo");
    Label55 = ligacao(painel, "Label55", "Abrir PMC");
    hv->addWidget(laVeiculosInativos, 1);
    hv->addWidget(sbPesqVeiculo);
    hv->addWidget(Label55);
    tsVeiculos->layout()->addWidget(painel);

    ppMenuContratoItens = new QMenu(this);
    ppMenuContratoItens->setObjectName("ppMenuContratoItens");
    ppMenuContratoItens->addAction("Gerar Ordem de Abastecimento")->setObjectName("mmGerarOrdemdeAbastecimento");
    ppMenuContratoItens->addAction("Composição do Item")->setObjectName("mmComposiodoItem");
}

QWidget* TfmAssContCad::montarBotoes()
{
    auto* barra = new QWidget(this);
    barra->setObjectName("paBotoes");
    auto* h = new QHBoxLayout(barra);
    h->setContentsMargins(0, 0, 0, 0);
    bbNovo = botao(barra, "bbNovo", "&Novo");
    bbSalvar = botao(barra, "bbSalvar", "&Salvar");
    bbRelatorio = botao(barra, "bbRelatorio", "&Relatório");
    bbCancelar = botao(barra, "bbCancelar", "&Cancelar");
    bbExcluir = botao(barra, "bbExcluir", "&Excluir");
    bbSair = botao(barra, "bbSair", "S&air");
    for (QPushButton* b : {bbNovo, bbSalvar, bbRelatorio, bbCancelar, bbExcluir})
        h->addWidget(b);
    h->addStretch(1);
    h->addWidget(bbSair);
    return barra;
}
