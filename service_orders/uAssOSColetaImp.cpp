// The carrier collection form of a service order.

#include "service_orders/uAssOSColetaImp.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/Dialogs.h"

using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSColetaImp> qrAssOSColetaImp("qrAssOSColetaImp");

namespace {

// One copy of the form in its band.
void criarViaColeta(Band& b, const QString& via, std::vector<Memo*>& memos, std::vector<Label*>& formas)
{
    host::data::Dataset* os = dmTec->quOS;
    host::data::Dataset* x = dmTec->quOSDespExtra;
    const QString n = via.left(1);
    b.addLabel("qrlaVia" + n, 160, 0, 30, 4, via);
    Label* titulo = b.addLabel("qrlaTitulo" + n, 0, 0, 150, 6, "Controle de Distribuição");
    titulo->font().setBold(true);
    titulo->font().setPointSizeF(12);
    campo(b, "qrteEmpresa" + n, 0, 7, 150, dmGlobal->quEmpresa, "NOME");
    struct Par {
        const char *nome, *caption;
        host::data::Dataset* d;
        const char* campo;
        double left, top;
    };
    const Par pares[] = {
        {"OS", "Nº da OS:", os, "AOCODIGO", 0, 13},          {"Controle", "Controle:", x, "AXCODIGO", 64, 13},
        {"Data", "Entrada:", os, "AODATAENTRADA", 128, 13},  {"Hora", "Hora:", os, "AOHORAENTRADA", 128, 18},
        {"Tipo", "Tipo:", x, "AXTIPO", 0, 18},               {"Cliente", "Cliente:", os, "CLIENTE", 0, 23},
        {"Atendente", "Atendente:", os, "AOATENDENTE", 128, 23}, {"Endereco", "Endereço:", os, "ENDERECO", 0, 28},
        {"Bairro", "Bairro:", os, "BAIRRO", 0, 33},          {"Cidade", "Cidade:", os, "CIDADE", 64, 33},
        {"Transportadora", "Transportadora:", x, "TRANSPORTADORA", 0, 38},
    };
    for (const Par& p : pares) {
        rotulo(b, QString("qrla") + p.nome + n, p.left, p.top, 26, QString::fromUtf8(p.caption));
        DataText* t = campo(b, QString("qrte") + p.nome + n, p.left + 26, p.top, p.left == 0 ? 100 : 36, p.d, p.campo);
        if (QByteArray(p.campo) == "AODATAENTRADA")
            t->setDisplayFormat("dd/mm/yyyy");
        else if (QByteArray(p.campo) == "AOHORAENTRADA")
            t->setDisplayFormat("hh:nn");
    }
    rotulo(b, "qrlaFormaPgtoTit" + n, 0, 43, 26, "Forma de Pgto:");
    formas.push_back(b.addLabel("qrlaFormaPgto" + n, 26, 43, 100, 4, QString()));
    rotulo(b, "qrlaObservacao" + n, 0, 48, 26, "Observação:");
    Memo* memo = b.addMemo("qrmeObservacao" + n, 26, 48, 164, 4);
    memo->setAutoStretch(true);
    memos.push_back(memo);
}

}  // namespace

TqrAssOSColetaImp::TqrAssOSColetaImp(QWidget* parent) : TqrAssOSRelatorio(parent, "Controle de Distribuição")
{
    QuickRep->setDataSet(dmTec->quOSDespExtra);
    QuickRep->setPrintIfEmpty(false);
    QRBand1 = QuickRep->addBand(BandKind::Detail, "QRBand1", 56);
    criarViaColeta(*QRBand1, "1ª. VIA", qrmeObservacao, qrlaFormaPgto);
    ChildBand2 = QRBand1->addChild("ChildBand2", 56);
    criarViaColeta(*ChildBand2, "2ª. VIA", qrmeObservacao, qrlaFormaPgto);
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    QRBand1->beforePrint = [this](Band&, bool& print) { QRBand1BeforePrint(print); };
    QRBand1->afterPrint = [this](Band&, bool printed) {
        if (printed)
            QuickRep->newPage();
    };
    ChildBand2->afterPrint = [this](Band&, bool printed) {
        if (printed)
            ChildBand2AfterPrint();
    };
}

TqrAssOSColetaImp::~TqrAssOSColetaImp() = default;

bool TqrAssOSColetaImp::linhaDoTransportador() const
{
    return sTransportador_.isEmpty() || dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->asString() == sTransportador_;
}

void TqrAssOSColetaImp::QuickRepBeforePrint()
{
    host::data::Query& despesas = *dmTec->quOSDespExtra;
    SalvarAlteracoes(despesas);
    despesas.close();
    despesas.paramByName("aocodigo")->setAsInteger(ordemAtual());
    despesas.open();
    iLinhas_ = 0;
    iImpressas_ = 0;
    for (despesas.first(); !despesas.eof(); despesas.next())
        if (linhaDoTransportador())
            ++iLinhas_;
    if (bCentralizado_)
        return;
    bCentralizado_ = true;
    if (parametro("ATOPCAODOCUMENTOOS") == "S" &&
        host::ui::Dialogs::question("Deseja Centralizar Página?", {"Sim", "Não"}) == "Sim") {
        QuickRep->setColumns(1, 0);
        QuickRep->page().margins.right = 60;
        QuickRep->page().margins.top = 50;
    }
}

void TqrAssOSColetaImp::QRBand1BeforePrint(bool& PrintBand)
{
    if (!linhaDoTransportador()) {
        PrintBand = false;
        return;
    }
    TdmTec& tec = *dmTec;
    dmGlobal->CarregaObservacao(tec.quOSDespExtraAOCODIGO->asString(), "X", tec.quOSDespExtraAXCODIGO->asInteger());
    const QString observacao = dmGlobal->quObsGeral->fieldByName("OBTEXTO")->asString();
    const QString forma = CarregaDado("Descricao", "Afvt0101", "Where Codigo = " + QuotedStr(tec.quOSTVCODIGO->asString()),
                                      dmGlobal->quAuxiliar);
    for (Memo* memo : qrmeObservacao)
        memo->setText(observacao);
    for (Label* label : qrlaFormaPgto)
        label->setCaption(forma);
}

void TqrAssOSColetaImp::ChildBand2AfterPrint()
{
    if (++iImpressas_ < iLinhas_)
        QuickRep->newPage();
}
