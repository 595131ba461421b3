#include "rental/uAssCheckoutProtocolo.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/report/Report.h"
#include "rental/uAssVendasImpComum.h"

#include <exception>

using namespace host::report;

host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo("qrAssCheckoutProtocolo");

namespace uAssCheckoutProtocoloRegras {

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
    const QDateTime dia(data, QTime(0, 0));
    return cidade.trimmed() + ", " + host::data::formatDateTime("dd", dia) + " de " +
           host::data::formatDateTime("mmmm", dia) + " de " + host::data::formatDateTime("yyyy", dia);
}

QString DescricaoEquipamento(const QString& equipamento, bool generico, const QString& notaContrato,
                             const QStringList& composicao)
{
    QString texto = generico ? notaContrato : equipamento;
    if (!composicao.isEmpty())
        texto += "\nItens Composição: \n" + composicao.join('\n');
    return texto;
}

}  // namespace uAssCheckoutProtocoloRegras

using namespace uAssCheckoutProtocoloRegras;

namespace {

QString origemAberturaProtocolo(const host::data::Dataset& dataset) { return "[" + dataset.name() + "Open]"; }

const char* const kSqlContratoProtocolo =
    "select ac.ACCODIGO, ac.ACNUMEROCONTRATO, ac.ACTIPODESC, cl.NOME, gr.FNOME as GERENTE,\n"
    " ct.ANNOME as CONTATO, ct.ANTELEFONE as CONTATOFONE, ac.ACNFREMESSA, ac.ACNFREMESSAEMISSAO,\n"
    " ac.ACCOMPROVANTEDATAHORA, ac.ACCOMPROVANTEEND, rt.ANNOME as CONTATORETIRADA,\n"
    " rt.ANTELEFONE as CONTATORETIRADAFONE, ac.ACCOMPROVANTE, ac.ACCOMPROVANTEOBS, ac.ACPEDIDOCLIENTE,\n"
    " cten.ANNOME as CONTATOENTREGA, ac.ACENDENTREGA,\n"
    " coalesce(cl.ENDERECO, '') || ', ' || coalesce(cl.CLENDNUMERO, '') || ', ' ||"
    " coalesce(cl.CLENDCOMPLEMENTO, '') || ' - ' || coalesce(cl.BAIRRO, '') || ' - ' ||"
    " coalesce(cl.CIDADE, '') || ' / ' || coalesce(cl.ESTADO, '') as CLIEND,\n"
    " ac.ACDATABASE, ac.ACDATAIMPLANTACAO, ac.ACDATAVALIDADE, ac.ACPERIODODESC,\n"
    " ctco.ANNOME as CONTATOCOBRANCA, ac.ACENDCOBRANCA\n"
    "from AATC05AC ac\n"
    " left outer join AUGC0301 cl on (cl.CODIGO_CLIENTE = ac.CLCODIGO)\n"
    " left outer join AUGC0501 gr on (gr.FCOD = ac.ACRESPONSAVEL)\n"
    " left outer join AUGC3701 ct on (ct.ANCODIGO = ac.ACCONTATO)\n"
    " left outer join AUGC3701 rt on (rt.ANCODIGO = ac.ACCONTRETIRADA)\n"
    " left outer join AUGC3701 cten on (cten.ANCODIGO = ac.ACCONTENTREGA)\n"
    " left outer join AUGC3701 ctco on (ctco.ANCODIGO = ac.ACCONTCOBRANCA)\n"
    "where ac.ACCODIGO = :ACCODIGO";

QString sqlItensProtocolo()
{
    auto metade = [](const char* tipo, const char* condicao) {
        return QString("select cast('%1' as varchar(12)) as TIPO, ite.PRCODIGO, ite.ACITQUANTIDADE,\n"
                       " cast(case when coalesce(substring(Po.OBTEXTO from 1 for 1), '') <> ''"
                       " then substring(Po.OBTEXTO from 1 for 9999)"
                       " else coalesce(Pr.DESCRICAO, '') || '  ' || coalesce(Pr.COMPLEMENTO_DESC, '') end"
                       " as blob sub_type text) as EQUIPAMENTO,\n"
                       " ite.ACITNUMEROSERIE, ite.ACCODIGO, ite.ACITCODIGO\n"
                       "from AATC05ACIT ite\n"
                       " left outer join ACEC1101 Pr on (Pr.CODIGO = ite.PRCODIGO)\n"
                       " left outer join AUGC70OB Po on (Po.OBCODIGO = ite.PRCODIGO and Po.OBID = 'P'"
                       " and Po.OBSEQUENCIA = -1)\n"
                       "where ite.ACCODIGO = :ACCODIGO and %2\n")
            .arg(QString::fromLatin1(tipo), QString::fromLatin1(condicao));
    };
    return metade("Equipamentos", "coalesce(ite.ACITCOMPLEMENTO, 'N') in ('', 'N')") + "union all\n" +
           metade("Complementos", "ite.ACITCOMPLEMENTO = 'S'") + "order by 1 desc, 7";
}

Label* rotuloProtocolo(Band& band, const QString& nome, double left, double top, double width, const QString& caption)
{
    Label* label = band.addLabel(nome, left, top, width, 4, caption);
    label->font().setBold(true);
    return label;
}

}  // namespace

TqrAssCheckoutProtocolo::TqrAssCheckoutProtocolo(QWidget* parent)
    : host::ui::Form(parent),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1"))),
      quImpContrato(CriarIbQuery("quImpContrato")),
      quImpEquip(CriarIbQuery("quImpEquip")),
      quSerie_(CriarIbQuery("quSerieProtocolo"))
{
    setCaption("Protocolo");
    quImpContrato->setSql(kSqlContratoProtocolo);
    quImpEquip->setSql(sqlItensProtocolo());
    quSerie_->setSql("select ns.NSNUMERO from AUGC50NS ns where ns.PRCODIGO = :PRODUTO and ns.ACCODIGO = :CONTRATO"
                     " Group By ns.NSNUMERO ");
    for (host::data::Query* q : {quImpContrato.get(), quImpEquip.get()}) {
        q->beforeOpen = [](host::data::Dataset& ds) {
            dmGlobal->Log(origemAberturaProtocolo(ds), QStringLiteral("***INICIO"));
            dmGlobal->Log(origemAberturaProtocolo(ds),
                          GetSQLtextComParametros(static_cast<host::data::Query&>(ds), false));
        };
        q->afterOpen = [](host::data::Dataset& ds) {
            dmGlobal->Log(origemAberturaProtocolo(ds), QStringLiteral("***FIM"));
        };
    }
    Report& r = *QuickRep1;
    r.setTitle("Protocolo");
    r.setCustomPaper(210, 279);
    r.setMargins(5, 15, 5, 15);
    r.setPrintIfEmpty(true);
    r.setLastPageFooter(true);
    r.font().setFamily("Arial");
    r.font().setPointSizeF(8);
    r.setDataSet(quImpEquip.get());
    criarCabecalho();
    criarEntrega();
    criarRetirada();
    criarItens();
    criarAssinatura();
    // Before the first print sets them: both data bands, no signature.
    qrbnAssinatura->setEnabled(false);
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
}

TqrAssCheckoutProtocolo::~TqrAssCheckoutProtocolo() = default;

void TqrAssCheckoutProtocolo::criarCabecalho()
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    qrbnCabecalho = QuickRep1->addBand(BandKind::PageHeader, "qrbnCabecalho", 24);
    Band& b = *qrbnCabecalho;
    qrlaTitulo = b.addLabel("qrlaTitulo", 110, 0, 90, 6, "Protocolo de Retirada");
    qrlaTitulo->font().setBold(true);
    qrlaTitulo->font().setPointSizeF(12);
    qrlaTitulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.addSysData("qrsdData", 140, 7, 30, 4, SysDataKind::Date, "Data: ");
    b.addSysData("qrsdHora", 170, 7, 30, 4, SysDataKind::Time, "Hora: ");
    b.addDataText("qrteEmpresa", 0, 0, 110, 5, empresa, "NOME")->font().setBold(true);
    b.addDataText("qrteFone", 0, 5, 50, 4, empresa, "FONE");
    b.addDataText("qrteEndereco", 0, 9, 110, 4, empresa, "ENDERECO");
    b.addDataText("qrteCidade", 0, 13, 60, 4, empresa, "CIDADE");
    b.addDataText("qrteCEP", 60, 13, 25, 4, empresa, "CEP");
    b.addLabel("qrlaCNPJ", 0, 17, 10, 4, "CNPJ:");
    b.addDataText("qrteCNPJ", 10, 17, 50, 4, empresa, "CICCGC");
    SysData* pagina = b.addSysData("qrsdPagina", 170, 13, 15, 4, SysDataKind::PageNumber);
    pagina->font().setBold(true);
    pagina->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.addLabel("qrlaBarra", 185, 13, 2, 4, "/")->font().setBold(true);
    b.addSysData("qrsdTotalPaginas", 187, 13, 13, 4, SysDataKind::PageCount)->font().setBold(true);
    // The company logo has its place but does not print.
    b.addImage("qrimLogo", 0, 0, 30, 15)->setEnabled(false);
    b.addShape("qrshCabecalho", 0, 22, 200, 1, ShapeKind::HorizontalLine);
}

void TqrAssCheckoutProtocolo::criarEntrega()
{
    host::data::Dataset* c = quImpContrato.get();
    chbnEntrega = qrbnCabecalho->addChild("chbnEntrega", 38);
    Band& b = *chbnEntrega;
    rotuloProtocolo(b, "qrlaDadosEntrega", 0, 0, 100, "Dados do Contrato de Locação");
    rotuloProtocolo(b, "qrlaNumeroEntrega", 0, 5, 30, "Nº Contrato");
    b.addDataText("qrteNumeroEntrega", 30, 5, 60, 4, c, "ACNUMEROCONTRATO")->font().setBold(true);
    rotuloProtocolo(b, "qrlaRazaoEntrega", 0, 9, 30, "Razão Social");
    b.addDataText("qrteRazaoEntrega", 30, 9, 140, 4, c, "NOME");
    rotuloProtocolo(b, "qrlaGerenteEntrega", 0, 13, 30, "Gerente da Conta");
    b.addDataText("qrteGerenteEntrega", 30, 13, 70, 4, c, "GERENTE");
    rotuloProtocolo(b, "qrlaContatoEntrega", 0, 17, 30, "Contato");
    b.addDataText("qrteContatoEntrega", 30, 17, 70, 4, c, "CONTATO");
    rotuloProtocolo(b, "qrlaFoneEntrega", 105, 17, 20, "Telefone");
    b.addDataText("qrteFoneEntrega", 125, 17, 40, 4, c, "CONTATOFONE");
    rotuloProtocolo(b, "qrlaNotaEntrega", 0, 21, 30, "Nota Remessa");
    b.addDataText("qrteNotaEntrega", 30, 21, 40, 4, c, "ACNFREMESSA");
    rotuloProtocolo(b, "qrlaEmissaoEntrega", 105, 21, 20, "Data Emissão");
    b.addDataText("qrteEmissaoEntrega", 125, 21, 30, 4, c, "ACNFREMESSAEMISSAO")->setDisplayFormat("dd/mm/yyyy");
    rotuloProtocolo(b, "qrlaOutros", 0, 25, 30, "Outros");
    b.addDataText("qrteOutros", 30, 25, 100, 4, c, "ACPEDIDOCLIENTE");
    rotuloProtocolo(b, "qrlaEndEntrega", 0, 29, 30, "Endereço Entrega");
    RichText* endereco = b.addRichText("qrrtEndEntrega", 30, 29, 170, 4);
    endereco->setDataField(c, "ACENDENTREGA");
    endereco->setAutoStretch(true);
    rotuloProtocolo(b, "qrlaContEntrega", 0, 33, 30, "Contato Entrega");
    b.addDataText("qrteContEntrega", 30, 33, 100, 4, c, "CONTATOENTREGA");
}

void TqrAssCheckoutProtocolo::criarRetirada()
{
    host::data::Dataset* c = quImpContrato.get();
    qrbnRetirada = QuickRep1->addBand(BandKind::ColumnHeader, "qrbnRetirada", 62);
    Band& b = *qrbnRetirada;
    rotuloProtocolo(b, "qrlaDadosRetirada", 0, 0, 100, "Dados do Contrato de Locação");
    rotuloProtocolo(b, "qrlaNumero", 0, 5, 30, "Nº Contrato");
    b.addDataText("qrteNumero", 30, 5, 60, 4, c, "ACNUMEROCONTRATO")->font().setBold(true);
    rotuloProtocolo(b, "qrlaTipo", 105, 5, 30, "Tipo de Contrato");
    b.addDataText("qrteTipo", 135, 5, 65, 4, c, "ACTIPODESC");
    rotuloProtocolo(b, "qrlaRazao", 0, 9, 30, "Razão Social");
    b.addDataText("qrteRazao", 30, 9, 140, 4, c, "NOME");
    rotuloProtocolo(b, "qrlaGerente", 0, 13, 30, "Gerente da Conta");
    b.addDataText("qrteGerente", 30, 13, 70, 4, c, "GERENTE");
    rotuloProtocolo(b, "qrlaContato", 0, 17, 30, "Contato");
    b.addDataText("qrteContato", 30, 17, 70, 4, c, "CONTATO");
    rotuloProtocolo(b, "qrlaFone", 105, 17, 20, "Telefone");
    b.addDataText("qrteFone", 125, 17, 40, 4, c, "CONTATOFONE");
    rotuloProtocolo(b, "qrlaNota", 0, 21, 30, "Nota Remessa");
    b.addDataText("qrteNota", 30, 21, 40, 4, c, "ACNFREMESSA");
    rotuloProtocolo(b, "qrlaEmissao", 105, 21, 20, "Data Emissão");
    b.addDataText("qrteEmissao", 125, 21, 30, 4, c, "ACNFREMESSAEMISSAO")->setDisplayFormat("dd/mm/yyyy");
    rotuloProtocolo(b, "qrlaDadosRetiradaTit", 0, 27, 100, "Dados da Retirada");
    rotuloProtocolo(b, "qrlaDataHora", 0, 32, 30, "Data/Hora");
    b.addDataText("qrteDataHora", 30, 32, 40, 4, c, "ACCOMPROVANTEDATAHORA")->setDisplayFormat("dd/mm/yyyy hh:nn");
    rotuloProtocolo(b, "qrlaContatoRetirada", 0, 36, 30, "Contato");
    b.addDataText("qrteContatoRetirada", 30, 36, 70, 4, c, "CONTATORETIRADA");
    rotuloProtocolo(b, "qrlaFoneRetirada", 105, 36, 20, "Telefone");
    b.addDataText("qrteFoneRetirada", 125, 36, 40, 4, c, "CONTATORETIRADAFONE");
    rotuloProtocolo(b, "qrlaDocumento", 0, 40, 30, "Documento");
    b.addDataText("qrteDocumento", 30, 40, 50, 4, c, "ACCOMPROVANTE")->onPrint = [](TextControl&, QString& texto) {
        texto = TextoComprovante(texto);
    };
    rotuloProtocolo(b, "qrlaEndereco", 0, 44, 30, "Endereço");
    RichText* endereco = b.addRichText("qrrtEndereco", 30, 44, 170, 4);
    endereco->setDataField(c, "ACCOMPROVANTEEND");
    endereco->setAutoStretch(true);
    rotuloProtocolo(b, "qrlaObservacoes", 0, 49, 30, "Observações");
    RichText* obs = b.addRichText("qrrtObservacoes", 30, 49, 170, 4);
    obs->setDataField(c, "ACCOMPROVANTEOBS");
    obs->setAutoStretch(true);
}

void TqrAssCheckoutProtocolo::criarItens()
{
    host::data::Dataset* e = quImpEquip.get();
    qrbnEquipamentos = QuickRep1->addBand(BandKind::Detail, "qrbnEquipamentos", 5);
    Band& d = *qrbnEquipamentos;
    d.addDataText("qrteQuantidade", 0, 0, 12, 4, e, "ACITQUANTIDADE")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    d.addDataText("qrteCodigo", 15, 0, 20, 4, e, "PRCODIGO");
    qrmeDescricao = d.addRichText("qrmeDescricao", 37, 0, 118, 4);
    qrmeDescricao->setAutoStretch(true);
    qrmeDescricao->setWordWrap(true);
    qrmeSerie = d.addMemo("qrmeSerie", 157, 0, 43, 4);
    qrmeSerie->setAutoStretch(true);
    d.beforePrint = [this](Band&, bool&) { qrbnEquipamentosBeforePrint(); };

    qrbnGrupo = d.addGroup("qrbnGrupo", 12, "TIPO");
    Band& g = *qrbnGrupo;
    g.addDataText("qrteTipoGrupo", 0, 1, 100, 5, e, "TIPO")->font().setBold(true);
    g.addShape("qrshGrupo", 0, 6, 200, 1, ShapeKind::HorizontalLine);
    rotuloProtocolo(g, "qrlaQtde", 0, 7.5, 12, "Qtde.")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotuloProtocolo(g, "qrlaCodigo", 15, 7.5, 20, "Código");
    rotuloProtocolo(g, "qrlaDescricao", 37, 7.5, 60, "Descrição");
    rotuloProtocolo(g, "qrlaSerie", 157, 7.5, 43, "Nro. Série");
}

void TqrAssCheckoutProtocolo::criarAssinatura()
{
    qrbnAssinatura = QuickRep1->addBand(BandKind::PageFooter, "qrbnAssinatura", 22);
    Band& b = *qrbnAssinatura;
    b.addShape("qrshAssinatura", 0, 8, 90, 1, ShapeKind::HorizontalLine);
    b.addLabel("qrlaAssinatura", 0, 9, 90, 4, "Assinatura");
    b.addLabel("qrlaRG", 100, 9, 60, 4, "RG:");
    qrlaLocalData = b.addLabel("qrlaLocalData", 0, 15, 200, 4, {});
    b.beforePrint = [this](Band&, bool&) {
        qrlaLocalData->setCaption(LocalData(dmGlobal->quEmpresa->fieldByName("CIDADE")->asString(),
                                            QDate::currentDate()));
    };
}

void TqrAssCheckoutProtocolo::Visualizar(int contrato, const QString& modelo)
{
    contrato_ = contrato;
    for (host::data::Query* q : {quImpContrato.get(), quImpEquip.get()}) {
        q->close();
        q->paramByName("ACCODIGO")->setAsInteger(contrato);
        q->open();
    }
    // Any other kind keeps the bands as the last print set them.
    if (modelo == "Entrega") {
        qrlaTitulo->setCaption("Protocolo de Entrega");
        qrbnRetirada->setEnabled(false);
        chbnEntrega->setEnabled(true);
        qrbnAssinatura->setEnabled(true);
    } else if (modelo == "Retirada") {
        qrlaTitulo->setCaption("Protocolo de Retirada");
        qrbnRetirada->setEnabled(true);
        chbnEntrega->setEnabled(false);
        qrbnAssinatura->setEnabled(false);
    }
    QuickRep1->prepare();
    QuickRep1->preview(false);
}

// The contract's note (the description of the generic product) is read once
// per print.
void TqrAssCheckoutProtocolo::QuickRep1BeforePrint()
{
    modo_ = dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA");
    generico1_ = dmGlobal->Parametro("ATPRODUTOGENERICO1");
    generico2_ = dmGlobal->Parametro("ATPRODUTOGENERICO2");
    notaContrato_.clear();
    if (generico1_.trimmed().isEmpty() && generico2_.trimmed().isEmpty())
        return;
    try {
        dmGlobal->CarregaObservacao(QString::number(contrato_), "U", -1);
        notaContrato_ = dmGlobal->quObsGeral->fieldByName("OBTEXTO")->asString();
    } catch (const std::exception& erro) {
        try {
            dmGlobal->MostraErro("Erro: " + QString::fromUtf8(erro.what()));
        } catch (const host::Abort&) {
            // The protocol prints on without the note.
        }
    }
}

void TqrAssCheckoutProtocolo::qrbnEquipamentosBeforePrint()
{
    const host::data::Query& e = *quImpEquip;
    const QString produto = e.fieldByName("PRCODIGO")->asString();
    qrmeSerie->setLines({});
    if (!e.fieldByName("ACITNUMEROSERIE")->asString().trimmed().isEmpty()) {
        quSerie_->close();
        quSerie_->paramByName("PRODUTO")->setAsString(produto);
        quSerie_->paramByName("CONTRATO")->setAsInteger(contrato_);
        quSerie_->open();
        QStringList seriais;
        for (; !quSerie_->eof(); quSerie_->next())
            seriais << quSerie_->fieldByName("NSNUMERO")->asString();
        quSerie_->close();
        qrmeSerie->setLines(seriais);
    }
    QStringList composicao;
    if (modo_ == "E") {
        dmTec->CarregarComposicaoEquipamento(produto);
        host::data::Query& comp = *dmTec->quEqpCfgComp;
        comp.disableControls();
        for (comp.first(); !comp.eof(); comp.next())
            composicao << comp.fieldByName("CMCODIGO")->asString() + " - " +
                              comp.fieldByName("DESCRICAOESPECIFICACAO")->asString().trimmed();
        comp.first();
        comp.enableControls();
    }
    qrmeDescricao->setText(DescricaoEquipamento(
        e.fieldByName("EQUIPAMENTO")->asString(),
        uAssVendasImpRegras::ProdutoGenerico(produto, generico1_, generico2_), notaContrato_, composicao));
}

void VisualizarProtocoloEntregaContrato(int contrato, const QString& modelo)
{
    qrAssCheckoutProtocolo.create()->Visualizar(contrato, modelo);
}
