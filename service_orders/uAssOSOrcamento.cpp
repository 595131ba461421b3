// The short budget of a service order.

#include "service_orders/uAssOSOrcamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/Endereco.h"

using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSOrcamento> qrAssOSOrcamento("qrAssOSOrcamento");

namespace uAssOSRelatorio {

QString textoMensagemOS(const QString& codigo)
{
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql("select * from ALFC2601  where codigo = " + QuotedStr(codigo));
    auxiliar.open();
    if (auxiliar.isEmpty())
        return QString();
    auto t = [&auxiliar](const char* coluna) { return auxiliar.fieldByName(coluna)->asString(); };
    return t("descricao") + " " + t("mensagem_1") + " " + t("mensagem_2") + " " + t("mensagem_3");
}

}  // namespace uAssOSRelatorio

TqrAssOSOrcamento::TqrAssOSOrcamento(QWidget* parent) : TqrAssOSRelatorio(parent, "Orçamento")
{
    QuickRep->setPaper(PaperSize::Letter);
    host::data::Dataset* os = dmTec->quOS;
    qrbnTitulo = cabecalhoEmpresa(*QuickRep, "qrbnTitulo", "Orçamento");

    qrbnOrcamento = QuickRep->addBand(BandKind::Detail, "qrbnOrcamento", 34);
    Band& b = *qrbnOrcamento;
    rotulo(b, "qrlaOS", 150, 0, 16, "No. OS:");
    campo(b, "qrteOS", 166, 0, 24, os, "AOCODIGO");
    b.addLabel("qrlaA", 0, 5, 6, 4, "Á");
    campo(b, "qrteCliente", 6, 5, 150, os, "CLIENTE");
    qrlaEndereco1 = b.addLabel("qrlaEndereco1", 0, 10, 190, 4, QString());
    qrlaEndereco2 = b.addLabel("qrlaEndereco2", 0, 15, 190, 4, QString());
    qrmeTexto996 = b.addMemo("qrmeTexto996", 0, 21, 190, 4);
    qrmeTexto996->setAutoStretch(true);
    qrlaReferente = b.addLabel("qrlaReferente", 0, 27, 190, 4, QString());

    host::data::Dataset* itens = dmTec->quOSItem;
    qrsdEquipamento = b.addSubDetail("qrsdEquipamento", 4.5, itens);
    qrsdEquipamento->setPrintIfEmpty(false);
    campo(*qrsdEquipamento, "qrteEquipamento", 0, 0, 90, itens, "AOITEQUIPDESCRICAO");
    qrlaSerieItem = qrsdEquipamento->addLabel("qrlaSerieItem", 92, 0, 20, 4, "Série:");
    qrteSerieItem = campo(*qrsdEquipamento, "qrteSerieItem", 112, 0, 50, itens, "AOITSERIE");
    campo(*qrsdEquipamento, "qrteCodigoItem", 164, 0, 26, itens, "AOITEQUIPCODIGO");
    qrbnRodEquipamento = qrsdEquipamento->addFooter("qrbnRodEquipamento", 12);
    rotulo(*qrbnRodEquipamento, "qrlaServicos", 0, 1, 100, "- Serviço(s): ");
    qrbnRodEquipamento->beforePrint = [](Band&, bool& print) { print = temLinhas(dmTec->quOSAndamento); };
    qrsdServico = tabelaLinhas(b, "qrsdServico", dmTec->quOSAndamento, "Serv",
                               {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                                {"Descricao", "Descrição do Serviço", "DESCRICAO", 22, 100, false},
                                {"Qtde", "Qtde.", "AAQUANTIDADE", 124, 18, true},
                                {"Valor", "Valor Unit.", "AAVALOR", 144, 22, true},
                                {"Total", "Total", "AAVALORTOTAL", 168, 22, true}},
                               qrbnRodEquipamento, "AAOBSERVACAO");
    qrbnRodServico = qrsdServico->addFooter("qrbnRodServico", 12);
    rotulo(*qrbnRodServico, "qrlaPecas", 0, 1, 100, "- Peça(s):");
    qrbnRodServico->beforePrint = [](Band&, bool& print) { print = temLinhas(dmTec->quOSPecas); };
    qrsdPecas = tabelaLinhas(b, "qrsdPecas", dmTec->quOSPecas, "Pec",
                             {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                              {"Descricao", "Descrição do Produto", "DESCRICAO", 22, 100, false},
                              {"Qtde", "Qtde.", "APQUANTIDADE", 124, 18, true},
                              {"Valor", "Valor Unit.", "APVALUNITARIO", 144, 22, true},
                              {"Total", "Total", "APVALTOTAL", 168, 22, true}},
                             qrbnRodServico, "APOBSERVACAO");

    qrbnTotal = QuickRep->addBand(BandKind::Summary, "qrbnTotal", 50);
    Band& t = *qrbnTotal;
    struct Total {
        const char *nome, *caption, *campo;
    };
    static const Total totais[] = {
        {"Servicos", "Valor Total do(s) Serviço(s):", "AOVALORSERVICO"},
        {"Pecas", "Valor Total da(s) Peça(s):", "AOVALORPECAS"},
        {"Total", "Valor Total do Orçamento:", "AOVALORTOTAL"},
    };
    double top = 1;
    for (const Total& tt : totais) {
        rotulo(t, QString("qrlaTot") + tt.nome, 100, top, 60, QString::fromUtf8(tt.caption));
        DataText* valor = campo(t, QString("qrteTot") + tt.nome, 160, top, 30, os, tt.campo);
        valor->setDisplayFormat("###,###,##0.00");
        valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
        top += 5;
    }
    rotulo(t, "qrlaCondicoes", 0, 17, 50, "Condições de Pagamento:");
    campo(t, "qrteCondicoes", 50, 17, 100, os, "DescricaoTabVcto");
    top = 23;
    for (Memo** memo : {&qrmeTexto997, &qrmeTexto998, &qrmeTexto999}) {
        *memo = t.addMemo(QString("qrmeTexto99") + QString::number(7 + int(memo - &qrmeTexto997)), 0, top, 190, 4);
        (*memo)->setAutoStretch(true);
        top += 6;
    }
    t.addLabel("qrlaAtenciosamente", 0, top + 2, 60, 4, "Atenciosamente,");
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
}

TqrAssOSOrcamento::~TqrAssOSOrcamento() = default;

void TqrAssOSOrcamento::QuickRepBeforePrint()
{
    TdmTec& tec = *dmTec;
    const bool carro = modoVeiculo();
    qrlaReferente->setCaption(QString("Orçamento referente ao(s) seguinte(s) ") +
                              (carro ? "- Veículo(s): " : "- Equipamento(s): "));
    qrlaSerieItem->setCaption(carro ? "Placa:" : "Série:");
    qrteSerieItem->setFieldName(carro ? "AOITPLACA" : "AOITSERIE");
    qrlaEndereco1->setCaption(host::compoeEndereco({{"", tec.quOSENDERECO->asString()},
                                                    {"     ", tec.quOSCEP->asString(), "CEP: "},
                                                    {"     ", tec.quOSTELEFONE1->asString(), "Fone: "}}));
    qrlaEndereco2->setCaption(host::compoeEndereco({{"", tec.quOSBAIRRO->asString()},
                                                    {"          ", tec.quOSCIDADE->asString()},
                                                    {"/", tec.quOSESTADO->asString()}}));
    qrmeTexto996->setText(textoMensagemOS("996"));
    qrmeTexto997->setText(textoMensagemOS("997"));
    qrmeTexto998->setText(textoMensagemOS("998"));
    qrmeTexto999->setText(textoMensagemOS("999"));
}
