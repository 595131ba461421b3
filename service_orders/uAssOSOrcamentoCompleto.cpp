// The complete budget of a service order.

#include "service_orders/uAssOSOrcamentoCompleto.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/Endereco.h"

#include <algorithm>

using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSOrcamentoCompleto> qrAssOSOrcamentoCompleto("qrAssOSOrcamentoCompleto");

namespace {

void habilitarOrcamento(std::initializer_list<Control*> controles, bool on)
{
    for (Control* c : controles)
        c->setEnabled(on);
}

bool modeloOrcamentoD() { return parametro("ATMODOIMPRESSAOOS") == "D"; }

}  // namespace

TqrAssOSOrcamentoCompleto::TqrAssOSOrcamentoCompleto(QWidget* parent) : TqrAssOSRelatorio(parent, "Orçamento")
{
    QuickRep->setPaper(PaperSize::A4);
    host::data::Dataset* e = dmGlobal->quEmpresa;
    qrbnEmpresa = QuickRep->addBand(BandKind::Title, "qrbnEmpresa", 26);
    Band& b = *qrbnEmpresa;
    b.addImage("qrimLogo", 0, 0, 30, 20)->setDataField(e, "LOGO02");
    DataText* nome = campo(b, "qrteEmpresa", 32, 0, 120, e, "NOME");
    nome->font().setBold(true);
    nome->font().setPointSizeF(10);
    auto empresa = [e](const char* c) { return e->fieldByName(c)->asString(); };
    b.addExprText("qrteEndEmpresa", 32, 5, 150, 4, [empresa] {
        return QVariant(host::compoeEndereco({{"", empresa("ENDERECO")},
                                              {" - ", empresa("CIDADE")},
                                              {"/", empresa("ESTADO")},
                                              {" - ", empresa("CEP"), "CEP: "}}));
    });
    b.addExprText("qrteFoneEmpresa", 32, 9, 150, 4, [empresa] {
        return QVariant("Fone: " + empresa("FONE") + "  Fax: " + empresa("FAX") + "  CNPJ: " + dmGlobal->CnpjEmpresa());
    });
    b.addExprText("qrteEmailEmpresa", 32, 13, 150, 4,
                  [empresa] { return QVariant(empresa("EMAIL") + "  " + empresa("SITE")); });
    Label* titulo = b.addLabel("qrlaTitulo", 32, 19, 120, 6, "Orçamento");
    titulo->font().setBold(true);
    titulo->font().setPointSizeF(12);
    criarOrdem();
    criarItens();
    criarLinhas();
    criarTotais();
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
}

TqrAssOSOrcamentoCompleto::~TqrAssOSOrcamentoCompleto() = default;

void TqrAssOSOrcamentoCompleto::criarOrdem()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnOrdem = QuickRep->addBand(BandKind::Detail, "qrbnOrdem", 26);
    Band& b = *qrbnOrdem;
    rotulo(b, "qrlaCliente", 0, 0, 20, "Cliente:");
    campo(b, "qrteCliente", 20, 0, 100, os, "CLIENTE");
    rotulo(b, "qrlaCodigo", 124, 0, 16, "Código:");
    campo(b, "qrteCodigo", 140, 0, 20, os, "CLCODIGO");
    qrlaCNPJ = rotulo(b, "qrlaCNPJ", 0, 5, 20, "CNPJ:");
    campo(b, "qrteCNPJ", 20, 5, 50, os, "CGC_CNPJ");
    qrlaIE = rotulo(b, "qrlaIE", 72, 5, 22, "Insc. Est.:");
    b.addExprText("qrteIE", 94, 5, 40, 4, [] { return QVariant(segundoDocumento()); });
    rotulo(b, "qrlaEndereco", 0, 10, 20, "Endereço:");
    campo(b, "qrteEndereco", 20, 10, 100, os, "ENDERECO");
    b.addExprText("qrteCidade", 124, 10, 66, 4, [] {
        return QVariant(
            host::compoeEndereco({{"", dmTec->quOSCIDADE->asString()}, {"/", dmTec->quOSESTADO->asString()}}));
    });
    rotulo(b, "qrlaFone", 0, 15, 20, "Fone:");
    b.addExprText("qrteFone", 20, 15, 60, 4, [] { return QVariant(telefoneCliente()); });
    rotulo(b, "qrlaContato", 84, 15, 18, "Contato:");
    campo(b, "qrteContato", 102, 15, 40, os, "AOCONTATO");
    rotulo(b, "qrlaOS", 146, 15, 16, "Nº OS:");
    campo(b, "qrteOS", 162, 15, 28, os, "AOCODIGO");
    qrlaDataChamado = b.addLabel("qrlaDataChamado", 20, 20, 30, 4, QString());
    rotulo(b, "qrlaTitDataChamado", 0, 20, 20, "Data Chamado:");
    rotulo(b, "qrlaTitHora", 54, 20, 12, "Hora:");
    qrlaHora = b.addLabel("qrlaHora", 66, 20, 20, 4, QString());
}

void TqrAssOSOrcamentoCompleto::criarItens()
{
    host::data::Dataset* d = dmTec->quOSItem;
    qrsdItensOS = qrbnOrdem->addSubDetail("qrsdItensOS", 15, d);
    qrsdItensOS->setPrintIfEmpty(false);
    Band& b = *qrsdItensOS;
    qrlaEquipamento = rotulo(b, "qrlaEquipamento", 0, 0, 24, "Equipamento:");
    campo(b, "qrteEquipamento", 24, 0, 70, d, "AOITEQUIPDESCRICAO");
    qrlaSerie = rotulo(b, "qrlaSerie", 96, 0, 24, "Nº de Série:");
    qrteSerie = campo(b, "qrteSerie", 120, 0, 40, d, "AOITSERIE");
    rotulo(b, "qrlaNF", 0, 5, 24, "Nota Fiscal:");
    campo(b, "qrteNF", 24, 5, 30, d, "AOITNUMERONOTAFISCAL");
    rotulo(b, "qrlaTitContrato", 56, 5, 24, "Nº Contrato");
    qrlaNumeroContrato = b.addLabel("qrlaNumeroContrato", 80, 5, 40, 4, QString());
    rotulo(b, "qrlaAtendimento", 124, 5, 24, "Atendimento:");
    campo(b, "qrteAtendimento", 148, 5, 42, dmTec->quOS, "AOATENDIMENTO");
    rotulo(b, "qrlaTitLocal", 0, 10, 24, "Local Atend.:");
    qrlaLocal = b.addLabel("qrlaLocal", 24, 10, 110, 4, QString());
    rotulo(b, "qrlaGarantia", 136, 10, 20, "Garantia:");
    campo(b, "qrteGarantia", 156, 10, 34, d, "AOITGARANTIA");
    qrlaDefeito = rotulo(b, "qrlaDefeito", 0, 15, 24, "Defeito:");
    qrteDefeito = campo(b, "qrteDefeito", 24, 15, 166, d, "AOITDEFEITO");
    b.setHeight(20);
    qrsdItensOS->beforePrint = [this](Band&, bool&) { qrsdItensOSBeforePrint(); };

    host::data::Dataset* os = dmTec->quOS;
    qrbnRodItens = qrsdItensOS->addFooter("qrbnRodItens", 62);
    Band& r = *qrbnRodItens;
    campo(r, "qrteValidade", 0, 0, 120, os, "AOVALIDADEORCAMENTO");
    qrlaPrevisao = rotulo(r, "qrlaPrevisao", 0, 5, 80, "Previsão para liberação após aprovação:");
    qrtePrevisao = campo(r, "qrtePrevisao", 80, 5, 10, os, "AOPREVLIBERACAO");
    qrlaDias = r.addLabel("qrlaDias", 91, 5, 12, 4, "dias");
    qrlaImediato = r.addLabel("qrlaImediato", 80, 5, 20, 4, "Imediato");
    qrlaDescricao = rotulo(r, "qrlaDescricao", 0, 11, 40, "Descrição");
    qrlaDefeitoConst = rotulo(r, "qrlaDefeitoConst", 0, 16, 40, "Defeito Constatado:");
    qrdbrtDefeitoConst = r.addRichText("qrdbrtDefeitoConst", 40, 16, 150, 4);
    qrdbrtDefeitoConst->setDataField(os, "AODESCRICAOLAUDO");
    qrdbrtDefeitoConst->setAutoStretch(true);
    qrlaCausa = rotulo(r, "qrlaCausa", 0, 21, 40, "Causa:");
    qrteCausa = campo(r, "qrteCausa", 40, 21, 150, os, "AOCAUSA");
    qrlaSolucao = rotulo(r, "qrlaSolucao", 0, 26, 40, "Solução:");
    qrteSolucao = campo(r, "qrteSolucao", 40, 26, 150, os, "AOSOLUCAO");
    qrlaObsLaudo = rotulo(r, "qrlaObsLaudo", 0, 31, 40, "Observações:");
    qrteObsLaudo = campo(r, "qrteObsLaudo", 40, 31, 150, os, "AOOBSLAUDO");
    qrlaProduto = rotulo(r, "qrlaProduto", 0, 50, 100, "Produtos Utilizados (Peças)");
    qrlaCodProd = rotulo(r, "qrlaCodProd", 0, 56, 20, "Código");
    qrlaDescProd = rotulo(r, "qrlaDescProd", 22, 56, 100, "Descrição");
    qrlaQtdeProd = rotulo(r, "qrlaQtdeProd", 124, 56, 18, "Qtde.");
    qrlaUnitProd = rotulo(r, "qrlaUnitProd", 144, 56, 22, "Unitário");
    qrlaTotalProd = rotulo(r, "qrlaTotalProd", 168, 56, 22, "Total");
    qrbnRodItens->beforePrint = [this](Band&, bool& print) { qrbnRodItensBeforePrint(print); };
}

void TqrAssOSOrcamentoCompleto::criarLinhas()
{
    TdmTec& tec = *dmTec;
    qrsdPecas = tabelaLinhas(*qrbnOrdem, "qrsdPecas", tec.quOSPecas, "Pec",
                             {{"Codigo", "", "PRCODIGO", 0, 20, false},
                              {"Qtde", "", "APQUANTIDADE", 124, 18, true},
                              {"Valor", "", "APVALUNITARIO", 144, 22, true},
                              {"Total", "", "APVALTOTAL", 168, 22, true}},
                             nullptr, "APOBSERVACAO");
    qrsdPecas->addExprText("qrtePecDescricao", 22, 0, 100, 4, [] {
        host::data::Dataset& p = *dmTec->quOSPecas;
        return QVariant(p.fieldByName("PRCODIGO")->asString().trimmed() == "999"
                            ? p.fieldByName("APOBSERVACAO")->asString()
                            : descricaoLinha(p, "APOBSERVACAO"));
    });
    qrsdPecas->beforePrint = [](Band&, bool& print) { print = dmTec->quOSPecasAPAUTORIZADO->asString() != "N"; };

    qrsdServicos = tabelaLinhas(*qrbnOrdem, "qrsdServicos", tec.quOSAndamento, "Serv",
                                {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                                 {"Descricao", "Serviço", "DESCRICAO", 22, 56, false},
                                 {"Qtde", "Qtde.", "AAQUANTIDADE", 124, 18, true},
                                 {"Valor", "Unitário", "AAVALOR", 144, 22, true},
                                 {"Total", "Total", "AAVALORTOTAL", 168, 22, true}},
                                nullptr, "AAOBSERVACAO", "qrbnCabServicos", "Serviços");
    qrlaHoraTipo = qrsdServicos->addLabel("qrlaHoraTipo", 80, 0, 26, 4, QString());
    qrlaHoraValor = qrsdServicos->addLabel("qrlaHoraValor", 106, 0, 16, 4, QString());
    qrlaHoraValor->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrlaHorasVariadas = qrsdServicos->addLabel("qrlaHorasVariadas", 22, 5, 168, 4, QString());
    qrsdServicos->beforePrint = [this](Band&, bool& print) { qrsdServicosBeforePrint(print); };

    qrsdViagem = tabelaLinhas(*qrbnOrdem, "qrsdViagem", tec.quOSDespViagem, "Viag",
                              {{"Data", "Data", "AVDATA", 0, 18, false},
                               {"Inicio", "Hora Início", "AVHORAINICIO", 20, 16, false},
                               {"Fim", "Hora Fim", "AVHORAFIM", 38, 16, false},
                               {"Qtde", "Qtde", "AVPEDQUANTIDADE", 56, 12, true},
                               {"PedValor", "Valor Ped.", "AVPEDVALOR", 70, 18, true},
                               {"PedTotal", "Total Ped.", "AVPEDVALORTOTAL", 90, 18, true},
                               {"KmValor", "Valor KM", "AVKMVALOR", 110, 18, true},
                               {"KmPerc", "KM Perc.", "AVKMPERCORRIDO", 130, 18, true},
                               {"KmTotal", "Total KM", "AVKMVALORTOTAL", 150, 18, true},
                               {"Total", "TOTAL", "AVVALORTOTAL", 170, 20, true}},
                              nullptr, nullptr, "qrbnCabViagem", "Despesa com Viagem");
    qrsdViagem->setEnabled(false);
    qrsdExtras = tabelaLinhas(*qrbnOrdem, "qrsdExtras", tec.quOSDespExtra, "Extra",
                              {{"Numero", "Nº Documento", "AXNUMERO", 0, 30, false},
                               {"Serie", "Série", "AXSERIE", 32, 14, false},
                               {"Data", "Data", "AXDATA", 48, 22, false},
                               {"Valor", "Valor", "AXVALOR", 72, 22, true},
                               {"Obs", "Observação", "AXOBSERVACAO", 96, 94, false}},
                              nullptr, nullptr, "qrbnCabExtras", "Despesas Extras");
    qrsdExtras->setEnabled(false);
}

void TqrAssOSOrcamentoCompleto::criarTotais()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnTotalizador = QuickRep->addBand(BandKind::Summary, "qrbnTotalizador", 30);
    Band& b = *qrbnTotalizador;
    rotulo(b, "qrlaTotais", 0, 1, 40, "Totais");
    struct Total {
        const char *nome, *caption, *campo;
        double left;
    };
    static const Total totais[] = {
        {"Servicos", "Serviços:", "AOVALORSERVICO", 0},
        {"Pecas", "Peças:", "AOVALORPECAS", 48},
        {"Viagem", "Viagem:", "AODESPVIAGEM", 96},
    };
    for (const Total& t : totais) {
        rotulo(b, QString("qrlaTot") + t.nome, t.left, 6, 18, QString::fromUtf8(t.caption));
        campo(b, QString("qrteTot") + t.nome, t.left + 18, 6, 26, os, t.campo)->setDisplayFormat("###,###,##0.00");
    }
    qrlaTotalExtras = rotulo(b, "qrlaTotalExtras", 96, 11, 18, "Extras:");
    qrlaValorExtras = b.addLabel("qrlaValorExtras", 114, 11, 26, 4, QString());
    qrlaTotalExtras->setEnabled(false);
    qrlaValorExtras->setEnabled(false);
    qrlaTotal = rotulo(b, "qrlaTotal", fromScreenUnits(443), 11, 14, "Total:");
    qrlaValorTotal = b.addLabel("qrlaValorTotal", fromScreenUnits(457), 11, 40, 4, QString());
    qrlaValorTotal->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrmeObservacao = b.addMemo("qrmeObservacao", 0, 17, 190, 4);
    qrmeObservacao->setAutoStretch(true);
    qrbnTotalizador->beforePrint = [this](Band&, bool&) { qrbnTotalizadorBeforePrint(); };
}

void TqrAssOSOrcamentoCompleto::OcultarLaudo()
{
    laudoOculto_ = true;
    qrbnRodItens->setHeight(25.4);
    habilitarOrcamento({qrlaDescricao, qrlaDefeitoConst, qrdbrtDefeitoConst, qrlaCausa, qrteCausa, qrlaSolucao,
                        qrteSolucao, qrlaObsLaudo, qrteObsLaudo},
                       false);
    qrlaProduto->setTop(14.3);
    for (Label* l : {qrlaCodProd, qrlaDescProd, qrlaQtdeProd, qrlaUnitProd, qrlaTotalProd})
        l->setTop(19.8);
}

void TqrAssOSOrcamentoCompleto::QuickRepBeforePrint()
{
    TdmTec& tec = *dmTec;
    const int ordem = ordemAtual();
    if (!tec.quDefeito->active())
        tec.quDefeito->open();
    for (host::data::Query* linhas : {tec.quOSPecas, tec.quOSAndamento})
        if (!linhas->active()) {
            linhas->paramByName("aocodigo")->setAsInteger(ordem);
            linhas->open();
        }
    const bool carro = modoVeiculo();
    qrlaEquipamento->setCaption(carro ? "Veículo:" : "Equipamento:");
    qrlaSerie->setCaption(carro ? "Placa:" : "Nº de Série:");
    qrteSerie->setFieldName(carro ? "AOITPLACA" : "AOITSERIE");
    habilitarOrcamento({qrlaDefeito, qrteDefeito}, !carro);
    if (!laudoOculto_)
        habilitarOrcamento({qrlaCausa, qrteCausa, qrlaSolucao, qrteSolucao, qrlaObsLaudo, qrteObsLaudo}, !carro);
    if (carro)
        qrbnRodItens->setHeight(30);
    else
        qrdbrtDefeitoConst->setHeight(35);
    const bool juridica = pessoaJuridica();
    qrlaCNPJ->setCaption(juridica ? "CNPJ:" : "CPF:");
    qrlaIE->setCaption(juridica ? "Insc. Est.:" : "RG:");
    qrmeObservacao->setText(" " + tec.quOSAOOBSERVACAO->asString());
    if (carro) {
        qrlaDataChamado->setCaption(host::data::formatDateTime("dd/mm/yy", tec.quOSAODATAENTRADA->asDateTime()));
        qrlaHora->setCaption(tec.quOSAOHORAENTRADA->isNull()
                                 ? QString()
                                 : host::data::formatDateTime("hh:nn", tec.quOSAOHORAENTRADA->asDateTime()));
    } else {
        host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
        auxiliar.close();
        auxiliar.setSql("select observacao , data_solicitada, hora_solicitada  from cadcom where contrato = " +
                        QString::number(ordem));
        auxiliar.open();
        qrlaDataChamado->setCaption(auxiliar.isEmpty() ? QString() : auxiliar.fieldByName("data_solicitada")->asString());
        host::data::Field* hora = auxiliar.isEmpty() ? nullptr : auxiliar.fieldByName("hora_solicitada");
        qrlaHora->setCaption(hora && !hora->isNull() ? host::data::formatDateTime("hh:nn", hora->asDateTime())
                                                     : QString());
    }
    if (modeloOrcamentoD())
        compactarLaudo();
}

// Print model "D": the travel and extra-expense tables when they have rows,
// and a shorter technical-report block.
void TqrAssOSOrcamentoCompleto::compactarLaudo()
{
    TdmTec& tec = *dmTec;
    const int ordem = ordemAtual();
    for (host::data::Query* despesas : {tec.quOSDespViagem, tec.quOSDespExtra}) {
        SalvarAlteracoes(*despesas);
        despesas->close();
        despesas->paramByName("aocodigo")->setAsInteger(ordem);
        despesas->open();
    }
    qrdbrtDefeitoConst->setHeight(10);
    qrlaCausa->setTop(16 + 11);
    qrteCausa->setTop(16 + 11);
    qrlaSolucao->setTop(32);
    qrteSolucao->setTop(32);
    qrlaObsLaudo->setTop(37);
    qrteObsLaudo->setTop(37);
    qrbnRodItens->setHeight(std::min(qrbnRodItens->height(), 52.0));
    qrsdViagem->setEnabled(temLinhas(tec.quOSDespViagem));
    qrsdExtras->setEnabled(temLinhas(tec.quOSDespExtra));
}

void TqrAssOSOrcamentoCompleto::qrsdItensOSBeforePrint()
{
    TdmTec& tec = *dmTec;
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql("select ac.acnumerocontrato, co.COENDERECO, co.COCIDADE, co.COESTADO from AATC05AC ac"
                    " left outer join augc03co co on co.ACCODIGO = ac.ACCODIGO"
                    " where ac.clcodigo = " + QuotedStr(tec.quOSCLCODIGO->asString()) +
                    " and co.aecodigo = " + QuotedStr(tec.quOSItemAOITEQUIPCODIGO->asString()));
    auxiliar.open();
    auto a = [&auxiliar](const char* c) { return auxiliar.isEmpty() ? QString() : auxiliar.fieldByName(c)->asString(); };
    qrlaNumeroContrato->setCaption(a("acnumerocontrato"));
    if (!a("coendereco").trimmed().isEmpty())
        qrlaLocal->setCaption(a("coendereco") + " " + a("cocidade") + " " + a("coestado"));
    else
        qrlaLocal->setCaption(tec.quOSENDERECO->asString() + " " + tec.quOSCIDADE->asString() + " " +
                              tec.quOSESTADO->asString());
}

void TqrAssOSOrcamentoCompleto::qrbnRodItensBeforePrint(bool&)
{
    const bool linhas = temLinhas(dmTec->quOSPecas) || temLinhas(dmTec->quOSAndamento);
    habilitarOrcamento({qrlaProduto, qrlaCodProd, qrlaDescProd, qrlaQtdeProd, qrlaUnitProd, qrlaTotalProd}, linhas);
    const bool previsao = dmTec->quOSAOPREVLIBERACAO->asFloat() > 0;
    qrtePrevisao->setEnabled(previsao);
    qrlaDias->setEnabled(previsao);
    qrlaImediato->setEnabled(!previsao);
}

void TqrAssOSOrcamentoCompleto::qrsdServicosBeforePrint(bool& PrintBand)
{
    TdmTec& tec = *dmTec;
    if (tec.quOSAndamentoAAAUTORIZADO->asString() == "N") {
        PrintBand = false;
        return;
    }
    const int tipo = tec.quOSAndamentoAHCODIGO->asInteger();
    qrlaHoraTipo->setEnabled(tipo >= 1);
    qrlaHoraValor->setEnabled(tipo >= 1);
    qrlaHorasVariadas->setEnabled(false);
    qrsdServicos->setHeight(4.5);
    if (tipo < 1)
        return;
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql("select AHDescricao, AHHORA1, AHHORA2, AHHORA3, AHHORA4, AHHORA5 from Aatc04ah Where AhCodigo = " +
                    QString::number(tipo));
    auxiliar.open();
    double horas[5] = {};
    for (int i = 0; i < 5 && !auxiliar.isEmpty(); ++i)
        horas[i] = auxiliar.fieldByName("AHHORA" + QString::number(i + 1))->asFloat();
    qrlaHoraTipo->setCaption(auxiliar.isEmpty() ? QString() : auxiliar.fieldByName("AHDescricao")->asString());
    const bool iguais = std::all_of(horas, horas + 5, [&horas](double h) { return h == horas[0]; });
    qrlaHoraValor->setCaption(iguais ? valorOS(horas[0]) : "Variado");
    if (!iguais) {
        QStringList valores;
        for (double h : horas)
            valores << valorOS(h);
        qrlaHorasVariadas->setCaption("Valores da Hora Técnica (Variada): " + valores.join("  "));
        qrlaHorasVariadas->setEnabled(true);
        qrsdServicos->setHeight(9.5);
    }
}

void TqrAssOSOrcamentoCompleto::qrbnTotalizadorBeforePrint()
{
    TdmTec& tec = *dmTec;
    const double base = tec.quOSAOVALORPECAS->asFloat() + tec.quOSAOVALORSERVICO->asFloat() +
                        tec.quOSAODESPVIAGEM->asFloat() - tec.quOSAODESCONTO->asFloat() + tec.quOSAOVALORIPI->asFloat();
    const bool comExtras = modeloOrcamentoD() && temLinhas(tec.quOSDespExtra);
    const double total = comExtras ? base + tec.quOSAODESPDIVERSAS->asFloat() : base;
    qrlaTotalExtras->setEnabled(comExtras);
    qrlaValorExtras->setEnabled(comExtras);
    qrlaValorExtras->setCaption(host::data::formatFloat("###,###,##0.00", tec.quOSAODESPDIVERSAS->asFloat()));
    qrlaTotal->setLeft(fromScreenUnits(comExtras ? 535 : 443));
    qrlaValorTotal->setLeft(fromScreenUnits(comExtras ? 549 : 457));
    qrlaValorTotal->setCaption(host::data::formatFloat("###,###,##0.00", total));
}
