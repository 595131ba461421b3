// The totalizer of service orders by customer.

#include "service_orders/uAssOSTotalCliImp.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "service_orders/uAssOSSelecaoRelSql.h"

using namespace host::report;
using namespace uAssOSSelecaoRel;

host::ui::FormVar<TqrAssOSTotalCliImp> qrAssOSTotalCliImp("qrAssOSTotalCliImp");

namespace {

void mostraSqlTotalizador(const QString& sql)
{
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("SQL", sql, false, "Confirmação");
}

double somaTotalizador(const QString& sql)
{
    mostraSqlTotalizador(sql);
    return host::db::selectValue(*dmGlobal->IBTransaction1, sql).toDouble();
}

}  // namespace

TqrAssOSTotalCliImp::TqrAssOSTotalCliImp(QWidget* parent)
    : host::ui::Form(parent),
      quRelTotCli(std::make_unique<host::data::Query>(nullptr, "quRelTotCli")),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Totalizador OS por Cliente");
    quRelTotCli->setTransaction(dmGlobal->IBTransaction1.get());
    Report& r = *QuickRep1;
    r.setTitle("Totalizador OS por Cliente");
    r.font().setPointSizeF(8);
    r.setDataSet(quRelTotCli.get());
    qrbnTitulo = TituloSelecao(r, "Totalizador OS por Cliente");
    qrbnTitulo->setHeight(32);
    qrlaSubtitulo = qrbnTitulo->addLabel("qrlaSubtitulo", 0, 27, 190, 4.5, {});
    qrlaSubtitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The rows only drive the groups; the detail prints nothing.
    qrbnDetalhe = r.addBand(BandKind::Detail, "qrbnDetalhe", 0);
    qrbnDetalhe->beforePrint = [](Band&, bool& printBand) { printBand = false; };
    criarGrupos();
    qrbnResumo = r.addBand(BandKind::Summary, "qrbnResumo", 7);
    RotuloSelecao(*qrbnResumo, "qrlaTotalGeral", 110, 1, 40, "Total Geral:");
    ExprText* geral = qrbnResumo->addExprText("qrexTotalGeral", 150, 1, 40, 4.5, [this] { return QVariant(rTotalGeral); });
    geral->setDisplayFormat(kTotalSelecao);
    geral->setAlignment(Qt::AlignRight | Qt::AlignTop);
    geral->font().setBold(true);
    qrbnResumo->afterPrint = [this](Band&, bool) { rTotalGeral = 0; };
    RodapeSelecao(r);
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
    r.afterPrint = [this](Report&) { rTotalGeral = 0; };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssOSTotalCliImp::~TqrAssOSTotalCliImp() = default;

void TqrAssOSTotalCliImp::criarGrupos()
{
    const DataRef dados(quRelTotCli.get());
    qrbnGrupoCliente = qrbnDetalhe->addGroup("qrbnGrupoCliente", 6, "CLCODIGO");
    RotuloSelecao(*qrbnGrupoCliente, "qrlaCliente", 0, 1, 15, "Cliente:");
    qrbnGrupoCliente->addDataText("qrteCodigoCliente", 15, 1, 12, 4.5, dados, "CLCODIGO")->font().setBold(true);
    qrbnGrupoCliente->addDataText("qrteCliente", 28, 1, 160, 4.5, dados, "CLIENTE")->font().setBold(true);
    qrbnGrupoCliente->beforePrint = [this](Band&, bool&) { rTotalCliente = 0; };

    qrbnGrupoOS = qrbnDetalhe->addGroup("qrbnGrupoOS", 5, "AOCODIGO");
    RotuloSelecao(*qrbnGrupoOS, "qrlaOS", 5, 0.5, 30, "Ordem de Serviço:");
    qrbnGrupoOS->addDataText("qrteOS", 35, 0.5, 25, 4.5, dados, "AOCODIGO")->setDisplayFormat(kOrdemSelecao);
    qrbnLinhas = qrbnGrupoOS->addChild("qrbnLinhas", 5);
    RotuloSelecao(*qrbnLinhas, "qrlaCodigo", 10, 0, 25, "Código");
    RotuloSelecao(*qrbnLinhas, "qrlaServicoPeca", 36, 0, 60, "Serviço/Peça");
    RotuloSelecao(*qrbnLinhas, "qrlaValor", 150, 0, 30, "Valor")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrmeLinhas = qrbnLinhas->addMemo("qrmeLinhas", 10, 5, 170, 4);
    qrmeLinhas->font().setFamily("Courier New");
    qrmeLinhas->font().setStyleHint(QFont::Monospace);
    qrmeLinhas->setAutoStretch(true);
    qrbnLinhas->beforePrint = [this](Band&, bool& printBand) { qrbnLinhasBeforePrint(printBand); };

    qrbnRodapeOS = qrbnGrupoOS->addFooter("qrbnRodapeOS", 6);
    RotuloSelecao(*qrbnRodapeOS, "qrlaTotalOS", 110, 0.5, 40, "Total da OS:");
    ExprText* os = qrbnRodapeOS->addExprText("qrexTotalOS", 150, 0.5, 40, 4.5, [this] {
        return QVariant(TotalOS(quRelTotCli->fieldByName("AOCODIGO")->asString()));
    });
    os->setDisplayFormat(kTotalSelecao);
    os->setAlignment(Qt::AlignRight | Qt::AlignTop);

    qrbnRodapeCliente = qrbnGrupoCliente->addFooter("qrbnRodapeCliente", 7);
    RotuloSelecao(*qrbnRodapeCliente, "qrlaTotalCliente", 110, 1, 40, "Total do Cliente:");
    ExprText* cliente =
        qrbnRodapeCliente->addExprText("qrexTotalCliente", 150, 1, 40, 4.5, [this] { return QVariant(rTotalCliente); });
    cliente->setDisplayFormat(kTotalSelecao);
    cliente->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void TqrAssOSTotalCliImp::QuickRep1BeforePrint()
{
    rTotalCliente = 0;
    rTotalGeral = 0;
    const QString tipo = sTipoEquipamento.trimmed();
    qrlaSubtitulo->setCaption(tipo.isEmpty() ? QString() : "Tipo Eqto/Aut : " + tipo);
}

QStringList TqrAssOSTotalCliImp::ListaLinhasOS(const QString& sOrdem)
{
    QStringList linhas;
    const std::tuple<QString, const char*, const char*, const char*> listas[] = {
        {SqlServicosTotalizador(sOrdem), "codserv", "servico", "valserv"},
        {SqlPecasTotalizador(sOrdem), "codpeca", "peca", "valpeca"},
    };
    host::data::Query& q = *dmGlobal->quAuxiliar;
    for (const auto& [sql, codigo, descricao, valor] : listas) {
        q.close();
        q.setSql(sql);
        mostraSqlTotalizador(sql);
        for (q.open(); !q.eof(); q.next()) {
            const double v = q.fieldByName(valor)->asFloat();
            linhas << RetornaCampoTamanho(q.fieldByName(codigo)->asString(), 11) + "   " +
                          RetornaCampoTamanho(q.fieldByName(descricao)->asString(), 50) + "   " +
                          RetornaCampoTamanhoDireita(host::data::formatFloat(kTotalSelecao, v), 12);
            rTotalCliente += v;
            rTotalGeral += v;
        }
        q.close();
    }
    return linhas;
}

double TqrAssOSTotalCliImp::TotalOS(const QString& sOrdem)
{
    return somaTotalizador(SqlTotalPecasOS(sOrdem)) + somaTotalizador(SqlTotalServicosOS(sOrdem));
}

void TqrAssOSTotalCliImp::qrbnLinhasBeforePrint(bool& printBand)
{
    qrmeLinhas->lines().clear();
    const QStringList linhas = ListaLinhasOS(quRelTotCli->fieldByName("AOCODIGO")->asString());
    qrmeLinhas->setLines(linhas);
    printBand = !linhas.isEmpty();
}
