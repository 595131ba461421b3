// The record card printed from the service-order search.

#include "service_orders/uAssOSPesquisaFic.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/data/Format.h"
#include "service_orders/uAssOSPesquisaRel.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QCheckBox>
#include <QRegularExpression>

using namespace host::report;

host::ui::FormVar<TqrAssOSPesquisaFic> qrAssOSPesquisaFic("qrAssOSPesquisaFic");

namespace {

const QString kDinheiroFicha = "###,###,##0.00";
const QString kTotalFicha = "###,###,###,###,##0.00";

TfmPesquisaAssOrdemServico* pesquisaFicha() { return fmPesquisaAssOrdemServico; }

host::data::Query* consultaFicha(host::data::Query* TfmPesquisaAssOrdemServico::*membro)
{
    TfmPesquisaAssOrdemServico* pesquisa = pesquisaFicha();
    return pesquisa ? pesquisa->*membro : nullptr;
}

QString dinheiroFicha(double valor) { return host::data::formatFloat(kTotalFicha, valor); }

QString dataFicha(const host::data::Field* campo)
{
    return campo && campo->asDateTime().isValid() ? campo->asDateTime().toString("dd/MM/yyyy") : QString();
}

}  // namespace

bool TqrAssOSPesquisaFic::ModoContrato()
{
    const QString contratos = dmGlobal->Parametro("ATUTILIZACONTRATOS");
    return dmGlobal->Parametro("ATSITUACAOPORITEM") == "S" && (contratos == "S" || contratos == "E");
}

TqrAssOSPesquisaFic::TqrAssOSPesquisaFic(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    QuickRep1->setTitle("Ficha Vida");
    QuickRep1->font().setPointSizeF(8);
    QuickRep1->setDataSet(consultaFicha(&TfmPesquisaAssOrdemServico::quConsulta));
    TitulosPesquisaOS(*QuickRep1, "Ficha Vida");
    qrbnDetalhe = QuickRep1->addBand(BandKind::Detail, "qrbnDetalhe", 10);
    criarGrupo();
    criarDetalhe();
    criarRodapes();
    QuickRep1->beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
}

TqrAssOSPesquisaFic::~TqrAssOSPesquisaFic() = default;

void TqrAssOSPesquisaFic::criarGrupo()
{
    host::data::Query* c = consultaFicha(&TfmPesquisaAssOrdemServico::quConsulta);
    // The card groups by serial number; in contract mode by equipment.
    qrbnGrupo = qrbnDetalhe->addGroup("qrbnGrupo", 11, [c] {
        if (!c || !c->active())
            return QVariant();
        return c->fieldByName(ModoContrato() ? "AOITEQUIPDESCRICAO" : "AOITSERIE")->value();
    });
    qrbnGrupo->addLabel("qrlaEquipamento", 0, 1, 22, 4.5, "Equipamento:")->font().setBold(true);
    qrbnGrupo->addDataText("qrteEquipamento", 22, 1, 100, 4.5, c, "AOITEQUIPDESCRICAO");
    qrbnGrupo->addLabel("qrlaSerie", 125, 1, 18, 4.5, "Nº Série:")->font().setBold(true);
    qrbnGrupo->addDataText("qrteSerie", 143, 1, 47, 4.5, c, "AOITSERIE");
    const std::pair<double, const char*> titulos[] = {{0, "OS"},       {20, "Entrada"},  {40, "Saída"},
                                                      {60, "Defeito"}, {105, "Técnico"}, {135, "Vl.Peças"},
                                                      {153, "Vl.Serviços"}, {173, "Vl.Total"}};
    for (const auto& [left, texto] : titulos)
        qrbnGrupo->addLabel(QString("qrlaTitulo") + QString::number(int(left)), left, 6, 20, 4.5, texto)
            ->font()
            .setBold(true);
    qrbnGrupo->beforePrint = [this](Band&, bool&) { qrbnGrupoBeforePrint(); };
    qrbnContrato = qrbnGrupo->addChild("qrbnContrato", 5);
    qrrtContrato = qrbnContrato->addRichText("qrrtContrato", 0, 0, 190, 4.5);
    qrrtContrato->setAutoStretch(true);
}

void TqrAssOSPesquisaFic::criarDetalhe()
{
    host::data::Query* c = consultaFicha(&TfmPesquisaAssOrdemServico::quConsulta);
    Band& d = *qrbnDetalhe;
    d.addDataText("qrteOS", 0, 1, 19, 4.5, c, "AOCODIGOOS");
    d.addDataText("qrteEntrada", 20, 1, 19, 4.5, c, "AODATAENTRADA")->setDisplayFormat("dd/mm/yyyy");
    d.addDataText("qrteSaida", 40, 1, 19, 4.5, c, "AODATASAIDA")->setDisplayFormat("dd/mm/yyyy");
    d.addDataText("qrteDefeito", 60, 1, 44, 4.5, c, "AOITDEFEITO");
    d.addDataText("qrteTecnico", 105, 1, 29, 4.5, c, "TECNICO");
    d.addDataText("qrtePecas", 135, 1, 17, 4.5, c, "AOVALORPECAS")->setDisplayFormat(kDinheiroFicha);
    d.addDataText("qrteServicos", 153, 1, 19, 4.5, c, "AOVALORSERVICO")->setDisplayFormat(kDinheiroFicha);
    d.addDataText("qrteTotal", 173, 1, 17, 4.5, c, "AOVALORTOTAL")->setDisplayFormat(kDinheiroFicha);
    d.afterPrint = [this, c](Band&, bool impresso) {
        if (!impresso || !c)
            return;
        for (TotaisFichaOS* t : {&grupo, &total})
            t->Soma(c->fieldByName("AOCODIGOOS")->asInteger(), c->fieldByName("AOVALORTOTAL")->asFloat(),
                    c->fieldByName("AOVALORPECAS")->asFloat(), c->fieldByName("AOVALORSERVICO")->asFloat());
    };
    struct Linha {
        const char* nome;
        host::data::Query* TfmPesquisaAssOrdemServico::*consulta;
        std::vector<std::pair<QString, const char*>> campos;   // caption, then field
        bool despesa;
    };
    const Linha linhas[] = {
        {"qrbnServicos", &TfmPesquisaAssOrdemServico::quServico,
         {{"Serviço:", "DESCRICAO"}, {"Valor:", "AAVALORTOTAL"}, {"Autorizado", "AAAUTORIZADO"}}, false},
        {"qrbnPecas", &TfmPesquisaAssOrdemServico::quPecas,
         {{"Peça:", "DESCRICAO"}, {"Qtde.", "APQUANTIDADE"}, {"Valor", "APVALTOTAL"}, {"Autorizado", "APAUTORIZADO"}},
         false},
        {"qrbnViagem", &TfmPesquisaAssOrdemServico::quViagem,
         {{"Viagem:", "AVDATA"}, {"Tot. Pedágio:", "AVPEDVALORTOTAL"}, {"Tot. KM:", "AVKMVALORTOTAL"},
          {"Valor", "AVVALORTOTAL"}},
         true},
        {"qrbnExtra", &TfmPesquisaAssOrdemServico::quExtra, {{"Extra:", "AXDATA"}, {"Valor", "AXVALOR"}}, true},
    };
    for (const Linha& linha : linhas) {
        host::data::Query* dados = consultaFicha(linha.consulta);
        Band* banda = d.addSubDetail(linha.nome, 5, dados);
        double left = 10;
        for (const auto& [rotulo, campo] : linha.campos) {
            banda->addLabel(QString("qrla") + campo, left, 0, 20, 4.5, rotulo)->font().setBold(true);
            DataText* texto = banda->addDataText(QString("qrte") + linha.nome + campo, left + 20, 0, 24, 4.5, dados,
                                                 campo);
            if (QString(campo).contains("VAL"))
                texto->setDisplayFormat(kDinheiroFicha);
            left += 45;
        }
        const bool despesa = linha.despesa;
        // Each prints for an item that has such lines; the expenses only
        // where items keep situations or contracts are in use.
        banda->beforePrint = [dados, despesa](Band&, bool& imprimir) {
            const QString contratos = dmGlobal->Parametro("ATUTILIZACONTRATOS");
            imprimir = dados && dados->active() && !dados->isEmpty() &&
                       (!despesa || dmGlobal->Parametro("ATSITUACAOPORITEM") == "S" || contratos == "S" ||
                        contratos == "E");
        };
    }
}

void TqrAssOSPesquisaFic::criarRodapes()
{
    qrbnRodapeGrupo = qrbnGrupo->addFooter("qrbnRodapeGrupo", 20);
    qrbnResumo = QuickRep1->addBand(BandKind::Summary, "qrbnResumo", 20);
    auto linhas = [this](Band& b, TotaisFichaOS& t, const QString& receitas, const QString& total,
                         Label*& valores, const QString& sufixo) {
        b.addLabel("qrlaOrdens" + sufixo, 0, 1, 30, 4.5, "Total de Ordens:")->font().setBold(true);
        b.addExprText("qrexOrdens" + sufixo, 30, 1, 15, 4.5, [&t] { return t.quantidade; });
        Label* pecas = b.addLabel("qrlaPecas" + sufixo, 50, 1, 20, 4.5, "Peças:");
        ExprText* vPecas = b.addExprText("qrexPecas" + sufixo, 70, 1, 30, 4.5, [&t] { return dinheiroFicha(t.pecas); });
        Label* servicos = b.addLabel("qrlaServicos" + sufixo, 105, 1, 20, 4.5, "Serviços:");
        ExprText* vServicos =
            b.addExprText("qrexServicos" + sufixo, 125, 1, 30, 4.5, [&t] { return dinheiroFicha(t.servicos); });
        semContrato_.insert(semContrato_.end(), {pecas, vPecas, servicos, vServicos});
        valores = b.addLabel("qrlaValores" + sufixo, 0, 6, 40, 4.5, "Valores Totais");
        valores->font().setBold(true);
        b.addExprText("qrexValores" + sufixo, 40, 6, 40, 4.5, [&t] { return dinheiroFicha(t.TotalDespesas()); });
        Label* rReceitas = b.addLabel("qrlaReceitas" + sufixo, 0, 11, 40, 4.5, receitas);
        ExprText* vReceitas =
            b.addExprText("qrexReceitas" + sufixo, 40, 11, 40, 4.5, [&t] { return dinheiroFicha(t.TotalReceitas()); });
        Label* rTotal = b.addLabel("qrlaResultado" + sufixo, 0, 16, 40, 4.5, total);
        ExprText* vTotal =
            b.addExprText("qrexResultado" + sufixo, 40, 16, 40, 4.5, [&t] { return dinheiroFicha(t.Resultado()); });
        comContrato_.insert(comContrato_.end(), {rReceitas, vReceitas, rTotal, vTotal});
    };
    linhas(*qrbnRodapeGrupo, grupo, "Total Receitas", "Total", qrlaValoresGrupo_, "Grupo");
    linhas(*qrbnResumo, total, "Total Geral Receitas", "Total Geral", qrlaValoresTotal_, "Total");
    qrbnRodapeGrupo->afterPrint = [this](Band&, bool) { grupo = {}; };
}

void TqrAssOSPesquisaFic::QuickRep1BeforePrint()
{
    grupo = {};
    total = {};
    const bool contrato = ModoContrato();
    for (Control* c : semContrato_)
        c->setEnabled(!contrato);
    for (Control* c : comContrato_)
        c->setEnabled(contrato);
    qrlaValoresGrupo_->setCaption(contrato ? "Total Despesa" : "Valores Totais");
    qrlaValoresTotal_->setCaption(contrato ? "Total Geral Despesa" : "Valores Totais");
    qrlaValoresTotal_->font().setBold(true);
    qrbnContrato->setEnabled(contrato);
    // Outside contract mode the footers hold the counts and sums only.
    qrbnRodapeGrupo->setHeight(contrato ? 22 : 20);
    qrbnResumo->setHeight(contrato ? 22 : 20);
}

void TqrAssOSPesquisaFic::qrbnGrupoBeforePrint()
{
    grupo = {};
    qrrtContrato->lines().clear();
    TfmPesquisaAssOrdemServico* pesquisa = pesquisaFicha();
    if (!ModoContrato() || !pesquisa)
        return;
    const QVariant equipamento = pesquisa->quConsulta->fieldByName("AOITEQUIPCODIGO")->value();
    const QString inicio = pesquisa->deDataIni->valueText();
    const QString fim = pesquisa->deDataFim->valueText();
    auto dataDigitada = [](const QString& texto) {
        return texto.contains(QRegularExpression("[0-9]")) ? texto : QString();
    };
    host::data::Query& contratos = *pesquisa->quContratoVeic;
    contratos.close();
    contratos.setSql("Select * from AATC05acev where evCodigo = :evCodigo " +
                     AdicionaFiltro("ACEVDATAINICIO", dataDigitada(inicio), dataDigitada(fim),
                                    host::data::FieldType::DateTime, "F"));
    contratos.paramByName("EVCODIGO")->setValue(equipamento);
    contratos.open();
    for (; !contratos.eof(); contratos.next()) {
        const double gerado = contratos.fieldByName("acevValorTotalCR")->asFloat();
        qrrtContrato->lines() << "Contrato Código: " + QString("%1").arg(contratos.fieldByName("ACCODIGO")->asInteger(), 6, 10, QChar('0')) +
                                     "         Início: " + dataFicha(contratos.fieldByName("ACEVDATAINICIO")) +
                                     "         Fim: " + dataFicha(contratos.fieldByName("ACEVDATAFIM")) +
                                     "         Valor Gerado: " + dinheiroFicha(gerado);
        grupo.contrato += gerado;
        total.contrato += gerado;
    }
    contratos.close();
    host::data::Query& caixa = *pesquisa->quCaixa;
    caixa.close();
    caixa.setSql("select cx.data_mvto, cnt.descricao as DESCRICAO, cx.valor_saida, cx.valor_entrada, cx.historico "
                 "from acxm9201 cx left outer join acxc9001 cnt on cnt.conta = cx.conta where cnt.conta_de_despesa = "
                 "'V' and cx.evcodigo = :EVCODIGO " +
                 AdicionaFiltro("DATA_MVTO", dataDigitada(inicio), dataDigitada(fim), host::data::FieldType::DateTime,
                                "F"));
    caixa.paramByName("EVCODIGO")->setValue(equipamento);
    caixa.open();
    if (!caixa.isEmpty())
        qrrtContrato->lines() << QString();
    for (; !caixa.eof(); caixa.next()) {
        const double saida = caixa.fieldByName("VALOR_SAIDA")->asFloat();
        const double entrada = caixa.fieldByName("VALOR_ENTRADA")->asFloat();
        qrrtContrato->lines() << "Data: " + dataFicha(caixa.fieldByName("DATA_MVTO")) +
                                     "     Conta: " + caixa.fieldByName("DESCRICAO")->asString() +
                                     "     Valor Saída: " + dinheiroFicha(saida) +
                                     "     Valor Entrada: " + dinheiroFicha(entrada);
        for (TotaisFichaOS* t : {&grupo, &total}) {
            t->receitas += entrada;
            t->despesas += saida;
        }
    }
    caixa.close();
}
