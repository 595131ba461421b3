// The controls of the contract register: the "Dados do Contrato" group, the
// nine pages with their fields, combos, look-ups and grids, and the bottom
// bar, each bound to its dataset of dmTecContrato, dmTec or the host.

#include "contracts/uAssContCad.h"

#include "contracts/uAssContCadRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRegras.h"
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
constexpr auto* rotuloDado = &host::ui::makeText;
constexpr auto* ligacao = &host::ui::makeLink;
constexpr auto* busca = &host::ui::makeLookup;

using Grade = host::ui::CaptionGrid;
constexpr auto* marca = &host::ui::makeCheck;
constexpr auto* coluna = &host::ui::addGridColumn;
constexpr auto* comBotao = &host::ui::withButton;
constexpr auto* somenteLeitura = &host::ui::readOnly;
constexpr auto* gradeNaPagina = &host::ui::gridOnPage;

DataComboBox* lista(QWidget* pai, const char* nome, host::data::DataSource* fonte, const QString& campo,
                    const QStringList& itens, DataComboBox::Style estilo = DataComboBox::Style::DropDownList)
{
    return host::ui::makeCombo(pai, nome, fonte, campo, itens, estilo == DataComboBox::Style::DropDown);
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
    // Dates are typed through the date mask, as in the rental registers: "01112026" is 01/11/2026.
    for (host::ui::DataEdit* data : {dbedInicio, dbedTermino, dbedDataBase, dbedDataRenovacao, dbedRenovacaoLimite})
        if (data)
            data->setEditMask("!99/99/99;1;_");
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
    g.field("Código do Contrato", dbedCodigo, {sbPesqContrato, sbAnt, sbProx, sbZeltoCreator});
    dbedNumeroContrato = edit(p, "dbedNumeroContrato", dsCtrCadastro, "ACNUMEROCONTRATO");
    g.field("Nº do Contrato", dbedNumeroContrato);
    dbedLocal = edit(p, "dbedLocal", dsCtrCadastro, "ACLOCAL");
    dbedLocal->setMaximumWidth(40);
    dbteNomeFilial = rotuloDado(p, "dbteNomeFilial", dsCtrCadastro, "NOMEFILIAL");
    g.field("U.N.", dbedLocal, {dbteNomeFilial}, 2);
    Label5 = ligacao(p, "Label5", "Código do Objeto");
    dbedObjeto = edit(p, "dbedObjeto", dsCtrCadastro, "AJCODIGO");
    dbedObjeto->setMaximumWidth(60);
    sbPesqObj = lupa(p, "sbPesqObj");
    dbteObjeto = rotuloDado(p, "dbteObjeto", dsCtrCadastro, "OBJETO");
    g.field(Label5, dbedObjeto, {sbPesqObj, dbteObjeto}, 2);
    g.newRow();
    Label20 = ligacao(p, "Label20", "Objeto");
    dbedTextoObjeto = edit(p, "dbedTextoObjeto", dsCtrCadastro, "ACOBJETO");
    g.field(Label20, dbedTextoObjeto, {}, 3);
    dbcbNatureza = lista(p, "dbcbNatureza", dsCtrCadastro, "ACNATUREZA",
                         {"A - Em Carteira", "C - Cheque pré-datado", "D - Duplicata/Fatura", "E - Endosso",
                          "F - Adto Frete", "I - Impostos", "L - Vales", "M- Memorando", "N - NF/Serviços",
                          "O - Comissão", "P - Pgto Dólar", "R- Recibo/Frete", "S - Prestação de Serviços",
                          "U - Outros", "V - Adto Viagem"});
    g.field("Natureza", dbcbNatureza);
    dbcbTipo = lista(p, "dbcbTipo", dsCtrCadastro, "ACTIPO",
                     {"Cortesia", "Especial", "Integral", "Locação", "Mão-de-obra", "Suporte Técnico", "Demanda",
                      "#Desativado", "Atualização", "U - Licença de Uso"});
    g.field("Tipo", dbcbTipo);
    dbcbModalidade = lista(p, "dbcbModalidade", dsCtrCadastro, "ACMODALIDADE",
                           {"Antecipado", "Retroativo", "Intermédio"});
    g.field("Modalidade", dbcbModalidade);
    // Filled with the stored types when the register opens and on "Novo".
    dbcbTipoDesc = lista(p, "dbcbTipoDesc", dsCtrCadastro, "ACTIPODESC", {}, DataComboBox::Style::DropDown);
    g.field("Tipo Contrato", dbcbTipoDesc);
    return gbDadosContrato;
}

void TfmAssContCad::montarDadosAdicionais()
{
    QWidget* p = tsContDadosAdicionais;
    host::data::DataSource* ds = dsCtrCadastro;
    Grade g(p, 4);
    dbedVencimento = edit(p, "dbedVencimento", ds, "ACVENCIMENTO");
    g.field("Dia Vencimento", dbedVencimento);
    dbedInicio = edit(p, "dbedInicio", ds, "ACDATAIMPLANTACAO");
    g.field("Início", dbedInicio);
    dbedTermino = edit(p, "dbedTermino", ds, "ACDATAVALIDADE");
    g.field("Término", dbedTermino);
    dbedValorParcela = edit(p, "dbedValorParcela", ds, "ACVALORPARCELA");
    g.field("Valor Parcela", dbedValorParcela);
    dbteValorLiquido = rotuloDado(p, "dbteValorLiquido", ds, "ACVALORPARCELALIQUIDO");
    g.field("Valor Líquido", dbteValorLiquido);
    dbedValorAnterior = edit(p, "dbedValorAnterior", ds, "ACVALORANTERIOR");
    dbedValorAnterior->setEnabled(false);
    g.field("Valor Anterior", dbedValorAnterior);
    dbedDataBase = edit(p, "dbedDataBase", ds, "ACDATABASE");
    g.field("Data Base", dbedDataBase);
    // The periodic service orders: days between them, and whether the first
    // one is due at the base date itself.
    dbedPeriodicidadeOS = edit(p, "dbedPeriodicidadeOS", ds, "ACCODIGOINTEGRACAO");
    g.field("Periodicidade OS (dias)", dbedPeriodicidadeOS);
    dbckAprovaPrimeiraOS = marca(p, "dbckAprovaPrimeiraOS", "1ª OS Aprovada", ds, "ACAPROVAIP");
    g.field(QString(), dbckAprovaPrimeiraOS);
    dbcbPeriodo = lista(p, "dbcbPeriodo", ds, "ACPERIODO",
                        {"B - Bimestral", "M - Mensal", "T - Trimestral", "S - Semestral", "A - Anual"});
    g.field("Periodicidade", dbcbPeriodo);
    dbcbFixo = lista(p, "dbcbFixo", ds, "ACVALORFIXO", {"Sim", "Não", "Dividido", "PMC"});
    g.field("Fixar Valor", dbcbFixo);
    dbcbVinculo = lista(p, "dbcbVinculo", ds, "ACVINCULO", {"Principal", "Complementar"});
    g.field("Tipo de Vínculo", dbcbVinculo);
    dbcbSepSrv = lista(p, "dbcbSepSrv", ds, "ACSEPARASERVICO",
                       {"Sim", "Não", "Itens Individuais", "Por Produto", "Discriminar Itens", "Composição",
                        "Equipamento"});
    g.field("Serviços Por Cliente", dbcbSepSrv);
    g.newRow();

    Label7 = ligacao(p, "Label7", "Contratante");
    dbedContratante = edit(p, "dbedContratante", ds, "ACCONTRATANTE");
    host::ui::fitCodeWidth(dbedContratante, 6);
    dblcContratante = busca(p, "dblcContratante", ds, "ACCONTRATANTE", dsClienteConsulta, "CODIGO_CLIENTE", "NOME");
    sbPesqContratante = lupa(p, "sbPesqContratante");
    g.field(Label7, dbedContratante, {dblcContratante, sbPesqContratante}, 2);
    Label8 = ligacao(p, "Label8", "Cliente (Cobrança)");
    dbedCliente = edit(p, "dbedCliente", ds, "CLCODIGO");
    host::ui::fitCodeWidth(dbedCliente, 6);
    dblcCliente = busca(p, "dblcCliente", ds, "CLCODIGO", dsClienteConsulta, "CODIGO_CLIENTE", "NOME");
    sbPesqCli = lupa(p, "sbPesqCli");
    g.field(Label8, dbedCliente, {dblcCliente, sbPesqCli}, 2);
    Label11 = ligacao(p, "Label11", "Mantenedora");
    dbedResponsavel = edit(p, "dbedResponsavel", ds, "ACRESPONSAVEL");
    dbedResponsavel->setMaximumWidth(60);
    dblcResponsavel = busca(p, "dblcResponsavel", ds, "ACRESPONSAVEL", dsFornecedor, "FCOD", "FNOME");
    sbPesqResp = lupa(p, "sbPesqResp");
    g.field(Label11, dbedResponsavel, {dblcResponsavel, sbPesqResp}, 2);

    gbRenovacao = new QGroupBox("Renovação/Cancelamento", p);
    gbRenovacao->setObjectName("gbRenovacao");
    {
        Grade r(gbRenovacao, 5);
        dbckRenovacaoAut = marca(gbRenovacao, "dbckRenovacaoAut", "Renov. Automática", ds, "ACRENOVACAO");
        r.field(QString(), dbckRenovacaoAut);
        dbcbDeveGerar = lista(gbRenovacao, "dbcbDeveGerar", ds, "ACSITUACAO", SituacoesContrato());
        r.field("Situação", dbcbDeveGerar);
        dbedDataRenovacao = edit(gbRenovacao, "dbedDataRenovacao", ds, "ACDATARENOVACAO");
        r.field("Data Renovação", dbedDataRenovacao);
        dbedRenovacaoLimite = edit(gbRenovacao, "dbedRenovacaoLimite", ds, "ACRENOVACAOLIMITE");
        dbedRenovacaoLimite->setEnabled(false);
        r.field("Limite Renovação", dbedRenovacaoLimite);
        dbcbSituacao = lista(gbRenovacao, "dbcbSituacao", ds, "ACSITUACAOOBS", {}, DataComboBox::Style::DropDown);
        r.field("Observação da Situação", dbcbSituacao);
    }
    g.whole(gbRenovacao);
    dbmeTexto = new host::ui::DataMemo("dbmeTexto", p);
    dbmeTexto->bind(ds, "ACTEXTO");
    dbmeTexto->setMaximumHeight(60);
    g.field("Observação", dbmeTexto, {}, 4);

    gbContratosVinculados = new QGroupBox("Contratos Vinculados", p);
    gbContratosVinculados->setObjectName("gbContratosVinculados");
    dbgdContratoVinc = gradeNaPagina(gbContratosVinculados, "dbgdContratoVinc", dsContratoVin);
    comBotao(coluna(dbgdContratoVinc, "ACCODIGOCOMPLEMENTO", "Contrato", 70));
    coluna(dbgdContratoVinc, "CLNOMECOMPLEMENTO", "Cliente", 200);
    coluna(dbgdContratoVinc, "CLNOMEFANTASIACOMPLEMENTO", "Nome Fantasia", 150);
    coluna(dbgdContratoVinc, "ACVALORPARCELACOMPLEMENTO", "Valor Parcela", 90);
    dbgdContratoVinc->setMaximumHeight(110);
    g.field(static_cast<QWidget*>(nullptr), gbContratosVinculados, {}, 3);

    grpFranquia = new QGroupBox(" Franquia ", p);
    grpFranquia->setObjectName("grpFranquia");
    {
        Grade f(grpFranquia, 1);
        laTipoFranquia = ligacao(grpFranquia, "laTipoFranquia", "Tipo de Franquia");
        laTipoFranquia->setCursor(Qt::ArrowCursor);
        dbcbbTipoFranquia = lista(grpFranquia, "dbcbbTipoFranquia", ds, "ACTIPOFRANQUIA", {"Item", "Única", "Grupo"});
        f.field(laTipoFranquia, dbcbbTipoFranquia);
        laQuantidadeFranquia = new QLabel("Quantidade Franquia", grpFranquia);
        laQuantidadeFranquia->setObjectName("laQuantidadeFranquia");
        dbedQuantidadeFranquia = edit(grpFranquia, "dbedQuantidadeFranquia", ds, "ACQUANTIDADEFRANQUIA");
        f.field(laQuantidadeFranquia, dbedQuantidadeFranquia);
        laValorExcedente = new QLabel("Valor Excedente", grpFranquia);
        laValorExcedente->setObjectName("laValorExcedente");
        dbedValorExcedente = edit(grpFranquia, "dbedValorExcedente", ds, "ACQUANTEXCFRANQUIA");
        f.field(laValorExcedente, dbedValorExcedente);
        f.finish();
    }
    g.field(static_cast<QWidget*>(nullptr), grpFranquia);
    g.finish();
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
    g.field(Label22, dbedContaCaixa, {dblcContaCaixa}, 2);
    dblcBanco = busca(p, "dblcBanco", ds, "BCCODIGO", dsBanco, "CODIGO_BANCO", "NOME_BANCO");
    g.field("Banco Cobrança", dblcBanco);
    Label24 = ligacao(p, "Label24", "Histórico");
    dblcHistorico = busca(p, "dblcHistorico", ds, "HCCODIGO", dsHistorico, "HCCODIGO", "HCDESCRICAO");
    g.field(Label24, dblcHistorico);
    dbedSerieNF = edit(p, "dbedSerieNF", ds, "ACSERIENF");
    g.field("Série N.F.", dbedSerieNF);
    Label26 = ligacao(p, "Label26", "Tipo Pagamento");
    dbcbTipoPgto = lista(p, "dbcbTipoPgto", ds, "ACTIPOPAGAMENTO",
                         uDataTecContRegras::TiposPagamentoContrato());
    g.field(Label26, dbcbTipoPgto);
    dbedJuroMes = edit(p, "dbedJuroMes", ds, "ACJUROMES");
    dbckJuroAplicarParcela = marca(p, "dbckJuroAplicarParcela", "Aplicar na Parcela", ds, "ACJUROAPLICARPARCELA");
    g.field("Juros Mês", dbedJuroMes, {dbckJuroAplicarParcela});
    dbcbPortadorPrev = lista(p, "dbcbPortadorPrev", ds, "ACPORTADORPREVISAO", {"Previsão"});
    g.field("Portador Previsão", dbcbPortadorPrev);
    dbcbAplicarJuro = lista(p, "dbcbAplicarJuro", ds, "ACJUROAPLICAR", {"Portador", "Contrato"});
    g.field("Aplicar Juro/Multa do", dbcbAplicarJuro);

    gbJuroMulta = new QGroupBox("Juro/Multa do Contrato", p);
    gbJuroMulta->setObjectName("gbJuroMulta");
    {
        Grade j(gbJuroMulta, 3);
        dbedMultaLimite = edit(gbJuroMulta, "dbedMultaLimite", ds, "ACMULTALIMITE");
        j.field("Limite Multa", dbedMultaLimite);
        dbedMultaValor = edit(gbJuroMulta, "dbedMultaValor", ds, "ACMULTAVALOR");
        j.field("% Multa", dbedMultaValor);
        dbedJuroVencimento = edit(gbJuroMulta, "dbedJuroVencimento", ds, "ACJUROVENCIMENTO");
        j.field("Juro Vencimento", dbedJuroVencimento);
    }
    g.whole(gbJuroMulta);
    dblcIndice = busca(p, "dblcIndice", ds, "ACMULTAINDICE", dsPesqIndice, "MOEDA", "DESCRICAO");
    sbPesqMoeda = lupa(p, "sbPesqMoeda");
    g.field("Índíce", dblcIndice, {sbPesqMoeda});
    dbckIndiceReajuste = marca(p, "dbckIndiceReajuste", "Índice Somente Reajuste", ds, "ACINDICEREAJUSTE");
    g.field(QString(), dbckIndiceReajuste);
    dbcbGerarPedido = lista(p, "dbcbGerarPedido", ds, "ACGERAPV", {"Sim", "Não"});
    sbCaixa = botao(p, "sbCaixa", "Caixa");
    sbCaixa->setToolTip("Previsão do Fluxo de Caixa");
    g.field("Gerar Apenas Pedido de Venda", dbcbGerarPedido, {sbCaixa});
    dbedDistanciaKm = edit(p, "dbedDistanciaKm", ds, "ACDISTANCIAKM");
    g.field("Distância em KM", dbedDistanciaKm);
    dbedQuantidadePedagio = edit(p, "dbedQuantidadePedagio", ds, "ACQUANTIDADEPEDAGIO");
    g.field("Quantidade Pedágios", dbedQuantidadePedagio);
    dblcHoraTecnica = busca(p, "dblcHoraTecnica", ds, "AHCODIGO", dsHoraTec, "AHCODIGO", "AHDESCRICAO");
    g.field("Hora Técnica", dblcHoraTecnica);
    dbedHoraValor = edit(p, "dbedHoraValor", ds, "ACHORAVALOR");
    g.field("Valor da Hora", dbedHoraValor);
    dbedHoraCredito = edit(p, "dbedHoraCredito", ds, "ACHORACREDITO");
    auto* emMinutos = new QLabel("Em Minutos:", p);
    dbteHoraCreditoMin = rotuloDado(p, "dbteHoraCreditoMin", ds, "HoraCreditoMin");
    g.field("Créditos de Hora Disp.", dbedHoraCredito, {emMinutos, dbteHoraCreditoMin});
    dbedQuantidadeEquipamento = edit(p, "dbedQuantidadeEquipamento", ds, "ACQUANTIDADEEQUIPAMENTO");
    g.field("Quantidade Equipamentos", dbedQuantidadeEquipamento);
    dbcbCOmprovante = lista(p, "dbcbCOmprovante", ds, "ACCOMPROVANTE", {"Nota Fiscal", "Recibo"});
    g.field("Tipo Comprovante", dbcbCOmprovante);
    dbedDiaFechamento = edit(p, "dbedDiaFechamento", ds, "ACDIAFECHAMENTO");
    g.field("Dia Fechamento", dbedDiaFechamento);
    dbedPedidoPadrao = edit(p, "dbedPedidoPadrao", ds, "VECODIGOPADRAO");
    sbPesqPedidoPadrao = lupa(p, "sbPesqPedidoPadrao");
    g.field("Pedido de Venda Padrão", dbedPedidoPadrao, {sbPesqPedidoPadrao});
    dbedObjetoAuxiliar = edit(p, "dbedObjetoAuxiliar", ds, "AJCODIGOAUXILIAR");
    sbPesqObjAux = lupa(p, "sbPesqObjAux");
    g.field("Código Objeto Auxiliar", dbedObjetoAuxiliar, {sbPesqObjAux});
    dbedVencimentoSemana = edit(p, "dbedVencimentoSemana", ds, "ACVENCIMENTOSEMANA");
    g.field("Dia da Semana Vcto. (Opcional)", dbedVencimentoSemana);
    dbedQuantidadeParcela = edit(p, "dbedQuantidadeParcela", ds, "ACQUANTIDADEPARCELA");
    g.field("Quantidade Parcelas", dbedQuantidadeParcela);
    dbedTabelaVencimento = edit(p, "dbedTabelaVencimento", ds, "TVCODIGO");
    sbPesqTabelaVcto = lupa(p, "sbPesqTabelaVcto");
    g.field("Código Tabela Vencimento", dbedTabelaVencimento, {sbPesqTabelaVcto});
    dbedContaDebito = edit(p, "dbedContaDebito", ds, "PCCODIGODEBITO");
    sbPesqCtaCtbDeb = lupa(p, "sbPesqCtaCtbDeb");
    g.field("Cta. Contab. Déb.", dbedContaDebito, {sbPesqCtaCtbDeb});
    dbedContaCredito = edit(p, "dbedContaCredito", ds, "PCCODIGOCREDITO");
    sbPesqCtaCtbCred = lupa(p, "sbPesqCtaCtbCred");
    g.field("Cta. Contab. Créd.", dbedContaCredito, {sbPesqCtaCtbCred});
    g.finish();
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
    comBotao(coluna(it, "PRCODIGO", "Cód. Produto", 90));
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
