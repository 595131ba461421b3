#include "service_orders/uAssOSComprovanteEqto.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/Endereco.h"

#include <QDateTime>

using namespace host::report;

host::ui::FormVar<TqrAssOSComprovanteEqto> qrAssOSComprovanteEqto("qrAssOSComprovanteEqto");

namespace {

const QString kTracejado = QString(40, u'-');
const QString kValorEstreito = QStringLiteral("###,###,###,###,##0.00");

QString garantiaEstreita(const QString& codigo)
{
    if (codigo == "1")
        return "Status: Garantia Fábrica";
    if (codigo == "2")
        return "Status: Garantia Serviço";
    if (codigo == "3")
        return "Status: Sem Garantia";
    if (codigo == "4")
        return "Status: Cortesia";
    return QString();
}

QString numeroEstreito(double valor, int largura)
{
    return RetornaCampoTamanhoDireita(host::data::formatFloat(kValorEstreito, valor), largura);
}

}  // namespace

TqrAssOSComprovanteEqto::TqrAssOSComprovanteEqto(QWidget* parent) : TqrAssOSRelatorio(parent, "Ordem de Serviço")
{
    QuickRep->setCustomPaper(150, 190);
    QuickRep->setMargins(5, 10, 10, 5);
    qrbnTitulo = QuickRep->addBand(BandKind::Title, "qrbnTitulo", 60);
    double top = 0;
    auto linha = [&](Band& b, const QString& nome, const QString& texto = {}) {
        Label* l = b.addLabel(nome, 0, top, 140, 4, texto);
        top += 4.5;
        return l;
    };
    linha(*qrbnTitulo, "qrlaTraco1", kTracejado);
    linha(*qrbnTitulo, "qrlaTitulo", "Ordem de Serviço");
    linha(*qrbnTitulo, "qrlaTraco2", kTracejado);
    for (const char* nome : {"qrlaEmpresa", "qrlaEndEmpresa", "qrlaCidEmpresa", "qrlaFoneEmpresa"})
        qrlaCabecalho.push_back(linha(*qrbnTitulo, nome));
    qrlaOS = linha(*qrbnTitulo, "qrlaOS");
    qrlaCabecalho.push_back(qrlaOS);
    for (const char* nome : {"qrlaCliente", "qrlaEndereco", "qrlaCidade", "qrlaFone"})
        qrlaCabecalho.push_back(linha(*qrbnTitulo, nome));
    linha(*qrbnTitulo, "qrlaTraco3", kTracejado);
    qrbnTitulo->setHeight(top);

    qrbnLaudo = QuickRep->addBand(BandKind::Detail, "qrbnLaudo", 10);
    qrlaDefeito = qrbnLaudo->addLabel("qrlaDefeito", 0, 0, 40, 4, "Laudo");
    qrmeLaudo = qrbnLaudo->addMemo("qrmeLaudo", 0, 5, 140, 4);
    qrmeLaudo->setAutoStretch(true);

    qrsdEquipamentos = qrbnLaudo->addSubDetail("qrsdEquipamentos", 24, dmTec->quOSItem);
    top = 0;
    for (const char* nome : {"qrlaEquipamento", "qrlaModelo", "qrlaSerie", "qrlaMarca", "qrlaGarantia"})
        qrlaEquipamento.push_back(linha(*qrsdEquipamentos, nome));
    qrsdPecas = qrbnLaudo->addSubDetail("qrsdPecas", 9, dmTec->quOSPecas);
    top = 0;
    for (const char* nome : {"qrlaPeca", "qrlaValoresPeca"})
        qrlaPeca.push_back(linha(*qrsdPecas, nome));

    qrbnAssinatura = QuickRep->addBand(BandKind::Summary, "qrbnAssinatura", 16);
    qrbnAssinatura->addLabel("qrlaTracoAssinatura", 0, 8, 140, 4, kTracejado);
    qrbnAssinatura->addLabel("qrlaAssinatura", 0, 12, 140, 4, "Assinatura");

    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    qrsdEquipamentos->beforePrint = [this](Band&, bool&) { qrsdEquipamentosBeforePrint(); };
    qrsdPecas->beforePrint = [this](Band&, bool&) { qrsdPecasBeforePrint(); };
}

TqrAssOSComprovanteEqto::~TqrAssOSComprovanteEqto() = default;

void TqrAssOSComprovanteEqto::QuickRepBeforePrint()
{
    TdmTec& tec = *dmTec;
    host::data::Dataset& empresa = *dmGlobal->quEmpresa;
    auto e = [&empresa](const char* c) { return empresa.fieldByName(c)->asString(); };
    const QString quatro(4, u' ');
    const QDateTime agora = QDateTime::currentDateTime();
    const QStringList textos = {
        e("NOME"),
        e("ENDERECO"),
        host::compoeEndereco({{"", e("CEP")}, {"    ", e("CIDADE")}, {"    ", e("ESTADO")}}),
        "Telefone:" + e("FONE"),
        "Nº da OS: " + tec.quOSAOCODIGO->asString() + "   Data: " + host::data::formatDateTime("dd/mm/yy", agora) +
            quatro + host::data::formatDateTime("hh:nn:ss", agora),
        "Cliente: " + tec.quOSCLIENTE->asString(),
        "Endereço: " + host::compoeEndereco({{"", tec.quOSENDERECO->asString()}, {" - ", tec.quOSBAIRRO->asString()}}),
        host::compoeEndereco({{"", tec.quOSCIDADE->asString()}, {" - ", tec.quOSESTADO->asString()}}),
        "Telefone: " + tec.quOSTELEFONE1->asString() + quatro + "CGC: " + tec.quOSCGC_CNPJ->asString(),
    };
    for (size_t i = 0; i < qrlaCabecalho.size(); ++i)
        qrlaCabecalho[i]->setCaption(textos.value(int(i)));
    qrmeLaudo->setText(tec.quOSAODESCRICAOLAUDO->asString());
    host::data::Query& pecas = *tec.quOSPecas;
    SalvarAlteracoes(pecas);
    pecas.close();
    pecas.paramByName("aocodigo")->setAsInteger(tec.quOSAOCODIGO->asInteger());
    pecas.open();
}

void TqrAssOSComprovanteEqto::qrsdEquipamentosBeforePrint()
{
    TdmTec& tec = *dmTec;
    const QString serie = tec.quOSItemAOITSERIE->asString();
    qrlaEquipamento[0]->setCaption("Equipamento: " + tec.quOSItemAOITEQUIPDESCRICAO->asString());
    qrlaEquipamento[1]->setCaption("Modelo: " + tec.quOSItemAOITMODELO->asString());
    qrlaEquipamento[2]->setCaption(serie.trimmed().isEmpty()
                                       ? "Cód. Int.: " + tec.quOSItemAOITCODIGOINTERNO->asString()
                                       : "Serial: " + serie);
    qrlaEquipamento[3]->setCaption("Marca: " + tec.quOSItemAOITMARCA->asString());
    qrlaEquipamento[4]->setCaption(garantiaEstreita(tec.quOSItemAOITGARANTIA->asString()));
}

void TqrAssOSComprovanteEqto::qrsdPecasBeforePrint()
{
    TdmTec& tec = *dmTec;
    const QString produto = tec.quOSPecasPRCODIGO->asString();
    if (produto.trimmed().isEmpty()) {
        qrlaPeca[0]->setCaption(QString());
        qrlaPeca[1]->setCaption(QString());
        return;
    }
    qrlaPeca[0]->setCaption(produto + "    " + tec.quOSPecasDESCRICAO->asString());
    qrlaPeca[1]->setCaption("Qtde: " + numeroEstreito(tec.quOSPecasAPQUANTIDADE->asFloat(), 5) + "  Unit.: " +
                            numeroEstreito(tec.quOSPecasAPVALUNITARIO->asFloat(), 8) + "  Total: " +
                            numeroEstreito(tec.quOSPecasAPVALTOTAL->asFloat(), 8));
}

void TqrAssOSComprovanteEqto::ModificaFonte()
{
    for (const char* nome : {"qrbnTitulo", "qrbnLaudo", "qrsdEquipamentos", "qrsdPecas", "qrbnAssinatura"})
        for (Control* controle : QuickRep->band(nome)->controls())
            if (auto* texto = dynamic_cast<TextControl*>(controle);
                texto && (dynamic_cast<Label*>(controle) || dynamic_cast<Memo*>(controle))) {
                texto->font().setFamily("Courier New");
                texto->font().setPointSize(12);
            }
}
