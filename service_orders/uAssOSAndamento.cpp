// The printout of an order's progress records.

#include "service_orders/uAssOSAndamento.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Band.h"
#include "host/report/Controls.h"
#include "service_orders/uAssOSPesquisaRel.h"

using namespace host::report;

host::ui::FormVar<TqrAssOSAndamento> qrAssOSAndamento("qrAssOSAndamento");

TqrAssOSAndamento::TqrAssOSAndamento(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    host::data::Query* contatos = dmTec ? dmTec->quOSContato : nullptr;
    QuickRep1->setTitle("Andamento da Ordem de Serviço");
    QuickRep1->setPaper(PaperSize::Letter);
    QuickRep1->font().setPointSizeF(8);
    QuickRep1->setPrintIfEmpty(true);
    QuickRep1->setLastPageFooter(true);
    QuickRep1->setDataSet(contatos);
    qrbnTitulo = TitulosPesquisaOS(*QuickRep1, "Andamento da Ordem de Serviço", "CadCom");
    qrlaSubtitulo = qrbnTitulo->addLabel("qrlaSubtitulo", 0, 24.5, 190, 4, "Referente a O.S. Nº: ");
    qrlaSubtitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The order number with nine digits, set as the title prints.
    qrbnTitulo->beforePrint = [this, contatos](Band&, bool&) {
        const int ordem = contatos && contatos->active() ? contatos->fieldByName("CONTRATO")->asInteger() : 0;
        qrlaSubtitulo->setCaption("Referente a O.S. Nº: " + QString::number(ordem).rightJustified(9, '0'));
    };

    struct ColunaAndamento {
        const char* nome;
        const char* titulo;
        const char* campo;
        double left, width;
    };
    const ColunaAndamento colunas[] = {
        {"OS", "Nº O.S.", "CONTRATO", 0, 18},
        {"Data", "Data Solic.", "DATA_SOLICITADA", 19, 20},
        {"Hora", "Hora", "HORA_SOLICITADA", 40, 14},
        {"HoraInicial", "Hora Inicial", "HORA_VISITA", 55, 18},
        {"HoraFinal", "Hora Final", "CTHORAFINAL", 74, 18},
        {"Total", "Total (min.)", "CTTEMPOTOTAL", 93, 18},
        {"Tecnico", "Técnico", "DescricaoTecnico", 112, 38},
        {"Situacao", "Situação Anterior", "ASDESCRICAO", 151, 39},
    };
    Band* cabecalho = QuickRep1->addBand(BandKind::ColumnHeader, "qrbnCabecalho", 10);
    qrbnDetalhe = QuickRep1->addBand(BandKind::Detail, "qrbnDetalhe", 10);
    for (const ColunaAndamento& c : colunas) {
        cabecalho->addLabel(QString("qrla") + c.nome, c.left, 0, c.width, 4, c.titulo)->font().setBold(true);
        qrbnDetalhe->addDataText(QString("qrte") + c.nome, c.left, 0, c.width, 4, contatos, c.campo);
    }
    cabecalho->addLabel("qrlaLaudo", 0, 5, 40, 4, "Laudo")->font().setBold(true);
    qrmeLaudo = qrbnDetalhe->addMemo("qrmeLaudo", 0, 5, 190, 4);
    qrmeLaudo->setWordWrap(true);
    qrmeLaudo->setAutoStretch(true);
    // Each record's own text, cleared and filled again before it prints.
    qrbnDetalhe->beforePrint = [this, contatos](Band&, bool&) {
        qrmeLaudo->lines().clear();
        if (contatos && contatos->active() && !contatos->isEmpty())
            qrmeLaudo->setText(contatos->fieldByName("OBSERVACAO")->asString());
    };
}

TqrAssOSAndamento::~TqrAssOSAndamento() = default;
