// The delivery and pick-up protocol: its two queries, its bands and what each
// item line prints (serials, description, composition).

#include "host/ui/Errors.h"
#include "rental/uAssCheckoutProtocolo.h"

#include "shared_windows/uAssContComum.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "rental/uAssImpProposta.h"
#include "host/Endereco.h"

#include <exception>

using namespace host::report;

host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo("qrAssCheckoutProtocolo");

namespace {

// The product's own text when it has one, else its descriptions (a text
// blob: a 12000-character text exceeds the row limit in UTF8); the
// equipment first, then the complements.
QString selecaoItensProtocolo(const char* tipo, const char* condicao)
{
    return QStringLiteral(
               "select cast('%1' as varchar(20)) as TIPO, ite.PRCODIGO, ite.ACITQUANTIDADE,"
               " cast(case when substring(coalesce(ob.OBTEXTO, '') from 1 for 1) <> ''"
               "   then substring(ob.OBTEXTO from 1 for 9999)"
               "   else coalesce(pr.DESCRICAO, '') || '  ' || coalesce(pr.COMPLEMENTO_DESC, '') end"
               "   as blob sub_type 1) as EQUIPAMENTO,"
               " ite.ACITNUMEROSERIE, ite.ACCODIGO, ite.ACITCODIGO"
               " from AATC05ACIT ite"
               " left outer join ACEC1101 pr on (pr.CODIGO = ite.PRCODIGO)"
               " left outer join AUGC70OB ob on (ob.OBID = 'P' and ob.OBSEQUENCIA = -1"
               "   and ob.OBCODIGO = ite.PRCODIGO)"
               " where ite.ACCODIGO = :ACCODIGO and %2")
        .arg(QLatin1String(tipo), QLatin1String(condicao));
}

Label* tituloProtocolo(Band& band, const QString& nome, double left, double top, double width, const QString& texto)
{
    Label* label = band.addLabel(nome, left, top, width, 4.5, texto);
    label->font().setBold(true);
    return label;
}

struct CampoProtocolo {
    const char* rotulo;
    const char* campo;
    double left;
    double top;
    double largura;
};

}  // namespace

namespace uAssCheckoutProtocolo {

QString SqlCabecalhoContrato(const QString& endereco, const QString& outrasColunas)
{
    return "select ac.ACCODIGO, ac.ACNUMEROCONTRATO, ac.ACTIPODESC, cl.NOME, gr.FNOME as GERENTE,"
           " ct.ANNOME as CONTATO, ct.ANTELEFONE as CONTATOFONE, ac.ACNFREMESSA, ac.ACNFREMESSAEMISSAO,"
           " ac.ACCOMPROVANTEDATAHORA, ac.ACCOMPROVANTEEND, rt.ANNOME as CONTATORETIRADA,"
           " rt.ANTELEFONE as CONTATORETIRADAFONE, ac.ACCOMPROVANTE, ac.ACCOMPROVANTEOBS, ac.ACPEDIDOCLIENTE,"
           " cten.ANNOME as CONTATOENTREGA, ac.ACENDENTREGA, " +
           endereco +
           " as CLIEND,"
           " ac.ACDATABASE, ac.ACDATAIMPLANTACAO, ac.ACDATAVALIDADE, ac.ACPERIODODESC,"
           " ctco.ANNOME as CONTATOCOBRANCA, ac.ACENDCOBRANCA, ac.ACLOCAL" +
           outrasColunas +
           " from AATC05AC ac"
           " left outer join AUGC0301 cl on (cl.CODIGO_CLIENTE = ac.CLCODIGO)"
           " left outer join AUGC0501 gr on (gr.FCOD = ac.ACRESPONSAVEL)"
           " left outer join AUGC3701 ct on (ct.ANCODIGO = ac.ACCONTATO)"
           " left outer join AUGC3701 rt on (rt.ANCODIGO = ac.ACCONTRETIRADA)"
           " left outer join AUGC3701 cten on (cten.ANCODIGO = ac.ACCONTENTREGA)"
           " left outer join AUGC3701 ctco on (ctco.ANCODIGO = ac.ACCONTCOBRANCA)"
           " where ac.ACCODIGO = :ACCODIGO";
}

QString cnpjDoContrato(const host::data::Dataset& contrato)
{
    return dmGlobal->CnpjEmpresa(contrato.active() && !contrato.isEmpty()
                                     ? contrato.fieldByName("ACLOCAL")->asString()
                                     : QString());
}

QString TextoComprovante(const QString& codigo)
{
    if (codigo == "R")
        return QStringLiteral("Recibo");
    if (codigo == "N")
        return QStringLiteral("Nota Fiscal");
    if (codigo == "C")
        return QStringLiteral("Carta de Devolução");
    return {};
}

QString LocalData(const QString& cidade, const QDate& data)
{
    return uAssImpProposta::LinhaData(cidade, data.day(), data.month(), data.year());
}

QString NotaContratoGenerico(int contrato, const QString& semNota)
{
    try {
        dmGlobal->CarregaObservacao(QString::number(contrato), "U", -1);
        return dmGlobal->quObsGeral->fieldByName("OBTEXTO")->asString();
    } catch (const std::exception&) {
        try {
            dmGlobal->MostraErro("Erro: " + host::ui::exceptionMessage(std::current_exception()));
        } catch (...) {   // shown; printing goes on
        }
        return semNota;
    }
}

QString ComposicaoDescricao(const QString& produto)
{
    if (dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA") != "E")
        return {};
    TdmTec& tec = *dmTec;
    tec.CarregarComposicaoEquipamento(produto);
    host::data::Query& composicao = *tec.quEqpCfgComp;
    if (!composicao.active() || composicao.isEmpty())
        return {};
    host::data::ControlsDisabled parada(composicao);
    QString linhas = "\nItens Composição: ";
    for (composicao.first(); !composicao.eof(); composicao.next())
        linhas += "\n" + composicao.fieldByName("CMCODIGO")->asString() + " - " +
                  composicao.fieldByName("DESCRICAOESPECIFICACAO")->asString().trimmed();
    composicao.first();
    return linhas;
}

}  // namespace uAssCheckoutProtocolo

TqrAssCheckoutProtocolo::TqrAssCheckoutProtocolo(QWidget* parent)
    : host::ui::Form(parent),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1"))),
      quImpContrato(CriarIbQuery("quImpContrato")),
      quImpEquip(CriarIbQuery("quImpEquip"))
{
    setCaption("Protocolo de Entrega");
    quImpContrato->setSql(uAssCheckoutProtocolo::SqlCabecalhoContrato(
        host::compoeEnderecoSql({{"", "cl.ENDERECO"},
                                 {", ", "cl.CLENDNUMERO"},
                                 {" - ", "cl.CLENDCOMPLEMENTO"},
                                 {" - ", "cl.BAIRRO"},
                                 {" - ", "cl.CIDADE"},
                                 {" / ", "cl.ESTADO"}}),
        {}));
    quImpEquip->setSql(selecaoItensProtocolo("Equipamentos", "coalesce(ite.ACITCOMPLEMENTO, 'N') in ('', 'N')") +
                       " union all " +
                       selecaoItensProtocolo("Complementos", "coalesce(ite.ACITCOMPLEMENTO, 'N') = 'S'"));
    uAssContComum::LigaLogAbertura(*quImpContrato);
    uAssContComum::LigaLogAbertura(*quImpEquip);

    Report& r = *QuickRep1;
    r.setTitle("Protocolo de Entrega");
    r.setCustomPaper(210, 279);
    r.setMargins(5, 15, 5, 15);
    QFont fonte("Arial");
    fonte.setPointSizeF(8);
    r.setFont(fonte);
    r.setPrintIfEmpty(true);
    r.setLastPageFooter(true);
    r.setDataSet(quImpEquip.get());
    criarCabecalho();
    criarEntrega();
    criarRetirada();
    criarItens();
    criarAssinatura();
    // Before the first call names a kind: the pick-up layout with both data bands.
    qrlaTitulo->setCaption("Protocolo de Retirada");
    qrbnAssinatura->setEnabled(false);
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Hide; };
}

TqrAssCheckoutProtocolo::~TqrAssCheckoutProtocolo() = default;

void TqrAssCheckoutProtocolo::criarCabecalho()
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    qrbnCabecalho = QuickRep1->addBand(BandKind::PageHeader, "qrbnCabecalho", 27);
    Band& b = *qrbnCabecalho;
    b.addImage("qrimLogo", 0, 0, 30, 20)->setEnabled(false);   // LOGO02, not printed
    b.addDataText("qrteEmpresa", 0, 0, 120, 5, empresa, "NOME")->font().setBold(true);
    b.addDataText("qrteFone", 0, 5, 60, 4, empresa, "FONE");
    b.addDataText("qrteEndereco", 0, 9, 120, 4, empresa, "ENDERECO");
    b.addDataText("qrteCidade", 0, 13, 60, 4, empresa, "CIDADE");
    b.addDataText("qrteCep", 62, 13, 30, 4, empresa, "CEP");
    b.addLabel("qrlaCNPJ", 0, 17, 10, 4, "CNPJ:");
    b.addExprText("qrteCNPJ", 10, 17, 60, 4, [c = quImpContrato.get()] { return QVariant(uAssCheckoutProtocolo::cnpjDoContrato(*c)); });
    qrlaTitulo = tituloProtocolo(b, "qrlaTitulo", 100, 0, 100, "Protocolo de Retirada");
    qrlaTitulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrlaTitulo->font().setPointSizeF(12);
    b.addSysData("qrsdData", 140, 6, 60, 4, SysDataKind::Date, "Data: ")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.addSysData("qrsdHora", 140, 10, 60, 4, SysDataKind::Time, "Hora: ")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    SysData* pagina = b.addSysData("qrsdPagina", 170, 14, 15, 4, SysDataKind::PageNumber);
    pagina->setAlignment(Qt::AlignRight | Qt::AlignTop);
    pagina->font().setBold(true);
    b.addLabel("qrlaBarra", 185, 14, 2, 4, "/")->font().setBold(true);
    b.addSysData("qrsdTotalPaginas", 187, 14, 13, 4, SysDataKind::PageCount)->font().setBold(true);
    b.addShape("qrshCabecalho", 0, 25, 200, 1, ShapeKind::HorizontalLine);
}

namespace {

void camposProtocolo(Band& b, host::data::Query* dados, std::initializer_list<CampoProtocolo> campos)
{
    for (const CampoProtocolo& c : campos) {
        const QString nome = QString::fromLatin1(c.campo);
        tituloProtocolo(b, "qrla" + nome, c.left, c.top, 30, QString::fromUtf8(c.rotulo));
        b.addDataText("qrte" + nome, c.left + 30, c.top, c.largura, 4.5, dados, nome);
    }
}

RichText* memoProtocolo(Band& b, const QString& nome, double left, double top, double largura,
                        host::data::Query* dados)
{
    RichText* texto = b.addRichText(nome, left, top, largura, 4.5);
    texto->setDataField(dados, nome.mid(4));
    texto->setAutoStretch(true);
    return texto;
}

}  // namespace

void TqrAssCheckoutProtocolo::criarEntrega()
{
    chbnEntrega = qrbnCabecalho->addChild("chbnEntrega", 44);
    Band& b = *chbnEntrega;
    host::data::Query* c = quImpContrato.get();
    tituloProtocolo(b, "qrlaDadosContrato", 0, 1, 80, "Dados do Contrato de Locação");
    camposProtocolo(b, c,
                    {{"Nº Contrato", "ACNUMEROCONTRATO", 0, 7, 60},
                     {"Razão Social", "NOME", 0, 12, 160},
                     {"Gerente da Conta", "GERENTE", 0, 17, 60},
                     {"Contato", "CONTATO", 0, 22, 60},
                     {"Telefone", "CONTATOFONE", 100, 22, 60},
                     {"Nota Remessa", "ACNFREMESSA", 0, 27, 60},
                     {"Data Emissão", "ACNFREMESSAEMISSAO", 100, 27, 60},
                     {"Outros", "ACPEDIDOCLIENTE", 0, 32, 160}});
    tituloProtocolo(b, "qrlaACENDENTREGA", 0, 37, 30, "Endereço Entrega");
    memoProtocolo(b, "qrteACENDENTREGA", 30, 37, 170, c);
    camposProtocolo(b, c, {{"Contato Entrega", "CONTATOENTREGA", 0, 42, 160}});
    b.setHeight(48);
}

void TqrAssCheckoutProtocolo::criarRetirada()
{
    qrbnRetirada = QuickRep1->addBand(BandKind::ColumnHeader, "qrbnRetirada", 70);
    Band& b = *qrbnRetirada;
    host::data::Query* c = quImpContrato.get();
    tituloProtocolo(b, "qrlaDadosContratoRet", 0, 1, 80, "Dados do Contrato de Locação");
    camposProtocolo(b, c,
                    {{"Nº Contrato", "ACNUMEROCONTRATO", 0, 7, 60},
                     {"Tipo de Contrato", "ACTIPODESC", 100, 7, 70},
                     {"Razão Social", "NOME", 0, 12, 160},
                     {"Gerente da Conta", "GERENTE", 0, 17, 60},
                     {"Contato", "CONTATO", 0, 22, 60},
                     {"Telefone", "CONTATOFONE", 100, 22, 60},
                     {"Nota Remessa", "ACNFREMESSA", 0, 27, 60},
                     {"Data Emissão", "ACNFREMESSAEMISSAO", 100, 27, 60}});
    tituloProtocolo(b, "qrlaDadosRetirada", 0, 34, 80, "Dados da Retirada");
    camposProtocolo(b, c,
                    {{"Data/Hora", "ACCOMPROVANTEDATAHORA", 0, 40, 60},
                     {"Contato", "CONTATORETIRADA", 0, 45, 60},
                     {"Telefone", "CONTATORETIRADAFONE", 100, 45, 60},
                     {"Documento", "ACCOMPROVANTE", 0, 50, 60}});
    auto* documento = static_cast<DataText*>(nullptr);
    for (Control* controle : b.controls())
        if (controle->name() == "qrteACCOMPROVANTE")
            documento = static_cast<DataText*>(controle);
    documento->onPrint = [](TextControl&, QString& texto) {
        texto = uAssCheckoutProtocolo::TextoComprovante(texto.trimmed());
    };
    tituloProtocolo(b, "qrlaACCOMPROVANTEEND", 0, 55, 30, "Endereço");
    memoProtocolo(b, "qrteACCOMPROVANTEEND", 30, 55, 170, c);
    tituloProtocolo(b, "qrlaACCOMPROVANTEOBS", 0, 61, 30, "Observações");
    memoProtocolo(b, "qrteACCOMPROVANTEOBS", 30, 61, 170, c);
}

void TqrAssCheckoutProtocolo::criarItens()
{
    qrbnEquipamentos = QuickRep1->addBand(BandKind::Detail, "qrbnEquipamentos", 5);
    qrbnGrupo = qrbnEquipamentos->addGroup("qrbnGrupo", 12, "TIPO");
    Band& g = *qrbnGrupo;
    g.addDataText("qrteTIPO", 0, 1, 60, 4.5, quImpEquip.get(), "TIPO")->font().setBold(true);
    g.addShape("qrshGrupo", 0, 6, 200, 1, ShapeKind::HorizontalLine);
    tituloProtocolo(g, "qrlaQtde", 0, 7, 15, "Qtde.");
    tituloProtocolo(g, "qrlaCodigo", 17, 7, 25, "Código");
    tituloProtocolo(g, "qrlaDescricao", 44, 7, 110, "Descrição");
    tituloProtocolo(g, "qrlaSerie", 156, 7, 44, "Nro. Série");

    Band& d = *qrbnEquipamentos;
    DataText* quantidade = d.addDataText("qrteACITQUANTIDADE", 0, 0.5, 15, 4.5, quImpEquip.get(), "ACITQUANTIDADE");
    quantidade->setDisplayFormat("0.##");
    d.addDataText("qrtePRCODIGO", 17, 0.5, 25, 4.5, quImpEquip.get(), "PRCODIGO");
    qrmeDescricao = d.addRichText("qrmeDescricao", 44, 0.5, 110, 4.5);
    qrmeDescricao->setAutoStretch(true);
    qrmeSerie = d.addMemo("qrmeSerie", 156, 0.5, 44, 4.5);
    qrmeSerie->setAutoStretch(true);
    d.beforePrint = [this](Band&, bool&) { qrbnEquipamentosBeforePrint(); };
}

void TqrAssCheckoutProtocolo::criarAssinatura()
{
    qrbnAssinatura = QuickRep1->addBand(BandKind::PageFooter, "qrbnAssinatura", 30);
    Band& b = *qrbnAssinatura;
    b.addShape("qrshAssinatura", 0, 12, 90, 1, ShapeKind::HorizontalLine);
    b.addLabel("qrlaAssinatura", 0, 13, 90, 4.5, "Assinatura");
    b.addLabel("qrlaRG", 0, 19, 90, 4.5, "RG:");
    qrlaLocalData = b.addLabel("qrlaLocalData", 100, 19, 100, 4.5, {});
    qrlaLocalData->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.beforePrint = [this](Band&, bool&) {
        qrlaLocalData->setCaption(uAssCheckoutProtocolo::LocalData(
            dmGlobal->quEmpresa->fieldByName("CIDADE")->asString(), QDate::currentDate()));
    };
}

// The serials of the line under the contract, one a line; none
// when the line names no serial (the marker "<selecionado>" counts as one).
QStringList TqrAssCheckoutProtocolo::seriesDaLinha()
{
    if (quImpEquip->fieldByName("ACITNUMEROSERIE")->asString().trimmed().isEmpty())
        return {};
    return dmTecContrato->SeriaisProdutoContrato(quImpEquip->fieldByName("ACCODIGO")->asInteger(),
                                                 quImpEquip->fieldByName("PRCODIGO")->asString(),
                                                 quImpEquip->fieldByName("ACITCODIGO")->asInteger());
}

QString TqrAssCheckoutProtocolo::descricaoDaLinha()
{
    const QString produto = quImpEquip->fieldByName("PRCODIGO")->asString();
    QString descricao = quImpEquip->fieldByName("EQUIPAMENTO")->asString();
    // A generic product is described by the contract's own note.
    if (::ProdutoGenerico(produto))
        descricao = uAssCheckoutProtocolo::NotaContratoGenerico(quImpEquip->fieldByName("ACCODIGO")->asInteger(),
                                                                descricao);
    return descricao + uAssCheckoutProtocolo::ComposicaoDescricao(produto);
}

void TqrAssCheckoutProtocolo::qrbnEquipamentosBeforePrint()
{
    qrmeSerie->setLines(seriesDaLinha());
    qrmeDescricao->setText(descricaoDaLinha());
}

void TqrAssCheckoutProtocolo::Preparar(int contrato, const QString& tipo)
{
    for (host::data::Query* q : {quImpContrato.get(), quImpEquip.get()}) {
        q->close();
        q->paramByName("ACCODIGO")->setAsInteger(contrato);
        q->open();
    }
    if (tipo == "Entrega") {
        qrlaTitulo->setCaption("Protocolo de Entrega");
        qrbnRetirada->setEnabled(false);
        chbnEntrega->setEnabled(true);
        qrbnAssinatura->setEnabled(true);
    } else if (tipo == "Retirada") {
        qrlaTitulo->setCaption("Protocolo de Retirada");
        qrbnRetirada->setEnabled(true);
        chbnEntrega->setEnabled(false);
        qrbnAssinatura->setEnabled(false);
    }
    QuickRep1->setTitle(qrlaTitulo->caption());
}

void VisualizarProtocoloEntregaContrato(int contrato, const QString& tipo)
{
    TqrAssCheckoutProtocolo* protocolo = qrAssCheckoutProtocolo;
    if (!protocolo)
        protocolo = qrAssCheckoutProtocolo.create();
    protocolo->Preparar(contrato, tipo);
    protocolo->QuickRep1->prepare();
    protocolo->QuickRep1->preview(false);
}
