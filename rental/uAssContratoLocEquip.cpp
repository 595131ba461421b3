// The printed rental contract: layout, item lines and the instalment table.

#include "rental/uAssContratoLocEquip.h"

#include "shared_windows/uAssContComum.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "host/Endereco.h"

#include <algorithm>
#include <iterator>
#include <exception>

using namespace host::report;
using host::data::Dataset;
using host::data::Field;
using host::data::Query;

host::ui::FormVar<TqrAssContratoLocEquip> qrAssContratoLocEquip("qrAssContratoLocEquip");

namespace {

const QString kValorContratoLoc = QStringLiteral("###,###,##0.00");
// Width of one character of the instalment table's font, in millimetres.
constexpr double kLarguraCaractereLoc = 8 * 0.6 * 25.4 / 72;

// The instalment table's columns, in characters: each one a character wider
// than its longest value ("dd/mm/yyyy", an 11-digit bank number), so that
// no value runs into the next.
struct ColunaVencimentoLoc {
    const char* nome;
    const char* caption;
    int largura;
};
constexpr ColunaVencimentoLoc kColunasVencimentoLoc[] = {
    {"Vcto", "Vcto.", 12},      {"Inicio", "Início", 12},  {"Termino", "Término", 12},
    {"Valor", "Valor R$", 18},  {"Faturado", "Faturado", 6}, {"ID", "ID", 3},
    {"Boleto", "Boleto", 13},   {"Nota", "Nota", 10},       {"Emissao", "Emissão", 11},
    {"Pgto", "Pgto.", 10},
};

QString sqlImpContratoLoc()
{
    return uAssCheckoutProtocolo::SqlCabecalhoContrato(
        host::compoeEnderecoSql({{"", "cl.CLENDERECO"},
                                 {", ", "cl.CLENDNUMERO"},
                                 {", ", "cl.CLENDCOMPLEMENTO"},
                                 {" - ", "cl.BAIRRO"},
                                 {" - ", "cl.CIDADE"},
                                 {" / ", "cl.ESTADO"}}),
        ", ac.ACHISTORICO, ac.ACVALOR");
}

// One half of the item statement: the equipment or the complements. The
// description is a text blob (12000 characters of UTF-8 pass the engine's
// limit for a text column).
QString sqlItensContratoLoc(const char* tipo, const char* condicao)
{
    return QStringLiteral(
               "select cast('%1' as varchar(12)) as TIPO, ite.PRCODIGO, ite.ACITQUANTIDADE,\n"
               "  coalesce(pr.DESCRICAO, '') || ' ' || coalesce(substring(ob.OBTEXTO from 1 for 9999), '')\n"
               "    as EQUIPAMENTO,\n"
               "  ite.ACITNUMEROSERIE, ite.ACCODIGO, ite.ACITVALOR, ite.ACITCODIGO\n"
               "from AATC05ACIT ite\n"
               "  left outer join ACEC1101 pr on pr.CODIGO = ite.PRCODIGO\n"
               "  left outer join AUGC70OB ob on ob.OBID = 'Y' and ob.OBCODIGO = cast(ite.ACCODIGO as varchar(30))\n"
               "    and ob.OBSEQUENCIA = ite.ACITCODIGO\n"
               "where ite.ACCODIGO = :ACCODIGO and coalesce(ite.ACITCOMPLEMENTO, 'N') %2\n")
        .arg(QLatin1String(tipo), QLatin1String(condicao));
}

Label* rotuloContratoLoc(Band& band, const QString& nome, double left, double top, double width,
                         const QString& caption, bool negrito = false)
{
    Label* label = band.addLabel(nome, left, top, width, 4, caption);
    label->font().setBold(negrito);
    return label;
}

DataText* valorContratoLoc(Band& band, Dataset* dados, const QString& campo, double left, double top,
                           double width, bool negrito = false)
{
    DataText* texto = band.addDataText("qrte" + campo, left, top, width, 4, dados, campo);
    texto->font().setBold(negrito);
    if (campo.startsWith(QLatin1String("ACDATA")) || campo.endsWith(QLatin1String("EMISSAO")))
        texto->setDisplayFormat(QStringLiteral("dd/mm/yyyy"));
    return texto;
}

RichText* textoLongoContratoLoc(Band& band, Dataset* dados, const QString& campo, double left, double top,
                                double width)
{
    RichText* texto = band.addRichText("qrre" + campo, left, top, width, 4);
    texto->setDataField(dados, campo);
    texto->setAutoStretch(true);
    return texto;
}

QString campoTextoLoc(Dataset& dados, const char* campo)
{
    const Field* field = dados.findField(QLatin1String(campo));
    return field ? field->asString().trimmed() : QString();
}

QString campoDataLoc(Dataset& dados, const char* campo)
{
    const Field* field = dados.findField(QLatin1String(campo));
    return field && !field->isNull() ? uAssContratoLocEquip::FormataDataNull(field->asDateTime()) : QString();
}

}  // namespace

TqrAssContratoLocEquip::TqrAssContratoLocEquip(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Contrato de Locação");
    quImpContrato_ = std::make_unique<Query>(nullptr, "quImpContrato");
    quImpEquip_ = std::make_unique<Query>(nullptr, "quImpEquip");
    quImpContrato = quImpContrato_.get();
    quImpEquip = quImpEquip_.get();
    quImpContrato->setSql(sqlImpContratoLoc());
    quImpEquip->setSql(sqlItensContratoLoc("Equipamentos", "in ('', 'N')") + "union all\n" +
                       sqlItensContratoLoc("Complementos", "= 'S'"));
    for (Query* query : {quImpContrato, quImpEquip}) {
        query->setTransaction(dmGlobal->IBTransaction1.get());
        uAssContComum::LigaLogAbertura(*query);
    }

    Report& r = *QuickRep1;
    r.setTitle("Contrato de Locação");
    r.setCustomPaper(210, 279);
    r.setMargins(5, 15, 5, 15);
    r.font().setFamily("Arial");
    r.font().setPointSizeF(8);
    r.setPrintIfEmpty(true);
    r.setLastPageFooter(true);
    r.setDataSet(quImpEquip);
    criarCabecalho();
    criarTitulo();
    criarItens();
    criarVencimentos();
    criarRodape();
}

TqrAssContratoLocEquip::~TqrAssContratoLocEquip() = default;

void TqrAssContratoLocEquip::criarCabecalho()
{
    Dataset* empresa = dmGlobal->quEmpresa;
    qrbnCabecalho = QuickRep1->addBand(BandKind::PageHeader, "qrbnCabecalho", 30);
    Band& b = *qrbnCabecalho;
    b.addSysData("qrsdData", 0, 0, 35, 4, SysDataKind::Date, "Data: ");
    b.addSysData("qrsdHora", 35, 0, 30, 4, SysDataKind::Time, "Hora: ");
    qrlaTitulo = b.addLabel("qrlaTitulo", 100, 0, 100, 6, "Contrato de Locação");
    qrlaTitulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrlaTitulo->font().setBold(true);
    qrlaTitulo->font().setPointSizeF(12);
    b.addDataText("qrteEmpresaNome", 0, 6, 130, 4.5, empresa, "NOME")->font().setBold(true);
    b.addDataText("qrteEmpresaFone", 0, 10.5, 60, 4, empresa, "FONE");
    b.addDataText("qrteEmpresaEndereco", 0, 14.5, 130, 4, empresa, "ENDERECO");
    b.addDataText("qrteEmpresaCidade", 0, 18.5, 60, 4, empresa, "CIDADE");
    b.addDataText("qrteEmpresaCep", 60, 18.5, 30, 4, empresa, "CEP");
    b.addLabel("qrlaCNPJ", 0, 22.5, 10, 4, "CNPJ:");
    b.addExprText("qrteEmpresaCNPJ", 10, 22.5, 60, 4,
                  [c = quImpContrato] { return QVariant(uAssCheckoutProtocolo::cnpjDoContrato(*c)); });
    SysData* pagina = b.addSysData("qrsdPagina", 170, 7, 13, 4, SysDataKind::PageNumber);
    pagina->setAlignment(Qt::AlignRight | Qt::AlignTop);
    pagina->font().setBold(true);
    b.addLabel("qrlaBarra", 183, 7, 3, 4, "/")->font().setBold(true);
    b.addSysData("qrlaTotalPaginas", 186, 7, 14, 4, SysDataKind::PageCount)->font().setBold(true);
    Image* logo = b.addImage("qriLogo", 140, 12, 30, 15);
    logo->setDataField(empresa, "LOGO02");
    logo->setEnabled(false);
    b.addShape("qrshCabecalho", 0, 28, 200, 1, ShapeKind::HorizontalLine);

    Dataset* c = quImpContrato;
    chbnEntrega = qrbnCabecalho->addChild("chbnEntrega", 14);
    Band& e = *chbnEntrega;
    rotuloContratoLoc(e, "qrlaDadosContrato", 0, 0, 80, "Dados do Contrato de Locação", true);
    rotuloContratoLoc(e, "qrlaNroContrato", 0, 5, 25, "Nº Contrato");
    valorContratoLoc(e, c, "ACNUMEROCONTRATO", 25, 5, 50, true);
    rotuloContratoLoc(e, "qrlaRazaoSocial", 0, 9.5, 25, "Razão Social");
    valorContratoLoc(e, c, "NOME", 25, 9.5, 170);
}

void TqrAssContratoLocEquip::criarTitulo()
{
    Dataset* c = quImpContrato;
    qrbnTitulo = QuickRep1->addBand(BandKind::Title, "qrbnTitulo", 58);
    qrbnTitulo->setShiftBelowGrown(true);   // long addresses push what follows down
    Band& b = *qrbnTitulo;
    struct CampoLoc {
        const char* rotulo;
        const char* campo;
        double left;
        double top;
    };
    static const CampoLoc campos[] = {
        {"Gerente da Conta", "GERENTE", 0, 0},         {"Contato", "CONTATO", 0, 5},
        {"Telefone", "CONTATOFONE", 110, 5},          {"Contato Entrega", "CONTATOENTREGA", 0, 10},
        {"Data Negociação", "ACDATABASE", 0, 15},      {"Período/Tipo", "ACPERIODODESC", 110, 15},
        {"Data Inicial", "ACDATAIMPLANTACAO", 0, 20},  {"Data Final", "ACDATAVALIDADE", 110, 20},
        {"Nota Remessa", "ACNFREMESSA", 0, 25},        {"Data Emissão", "ACNFREMESSAEMISSAO", 110, 25},
    };
    for (const CampoLoc& campo : campos) {
        const QString nome = QString::fromLatin1(campo.campo);
        rotuloContratoLoc(b, "qrla" + nome, campo.left, campo.top, 28, QString::fromUtf8(campo.rotulo));
        valorContratoLoc(b, c, nome, campo.left + 28, campo.top, 80);
    }
    rotuloContratoLoc(b, "qrlaACENDENTREGA", 0, 30, 28, "Endereço Entrega");
    textoLongoContratoLoc(b, c, "ACENDENTREGA", 28, 30, 170);
    rotuloContratoLoc(b, "qrlaACENDCOBRANCA", 0, 38, 28, "Endereço Cobrança");
    textoLongoContratoLoc(b, c, "ACENDCOBRANCA", 28, 38, 170);
    b.addShape("qrshValor", 120, 47, 80, 8, ShapeKind::Rectangle);
    rotuloContratoLoc(b, "qrlaValorContrato", 122, 49, 40, "Valor do Contrato: R$", true);
    DataText* valor = valorContratoLoc(b, c, "ACVALOR", 162, 49, 36, true);
    valor->setDisplayFormat(kValorContratoLoc);
    valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void TqrAssContratoLocEquip::criarItens()
{
    Dataset* e = quImpEquip;
    qrbnEquipamentos = QuickRep1->addBand(BandKind::Detail, "qrbnEquipamentos", 5);
    qrbnGrupo = qrbnEquipamentos->addGroup("qrbnGrupo", 11, "TIPO");
    Band& g = *qrbnGrupo;
    g.addDataText("qrteTIPO", 0, 1, 60, 4, e, "TIPO")->font().setBold(true);
    g.addShape("qrshGrupo", 0, 5, 200, 1, ShapeKind::HorizontalLine);
    rotuloContratoLoc(g, "qrlaQtde", 0, 6.5, 13, "Qtde.", true);
    rotuloContratoLoc(g, "qrlaCodigo", 15, 6.5, 28, "Código", true);
    rotuloContratoLoc(g, "qrlaDescricao", 45, 6.5, 88, "Descrição", true);
    rotuloContratoLoc(g, "qrlaSerie", 135, 6.5, 33, "Nro. Série", true);
    rotuloContratoLoc(g, "qrlaValorItem", 170, 6.5, 30, "Valor R$", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Band& d = *qrbnEquipamentos;
    d.addDataText("qrteACITQUANTIDADE", 0, 0.5, 13, 4, e, "ACITQUANTIDADE");
    d.addDataText("qrtePRCODIGO", 15, 0.5, 28, 4, e, "PRCODIGO");
    qrmeDescricao = d.addRichText("qrmeDescricao", 45, 0.5, 88, 4);
    qrmeDescricao->setAutoStretch(true);
    qrmeSerie = d.addMemo("qrmeSerie", 135, 0.5, 33, 4);
    qrmeSerie->setAutoStretch(true);
    qrmeSerie->setWordWrap(true);
    DataText* valor = d.addDataText("qrteACITVALOR", 170, 0.5, 30, 4, e, "ACITVALOR");
    valor->setDisplayFormat(kValorContratoLoc);
    valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
    d.beforePrint = [this](Band&, bool&) { qrbnEquipamentosBeforePrint(); };
}

void TqrAssContratoLocEquip::criarVencimentos()
{
    qrbnVencimentos = QuickRep1->addBand(BandKind::Summary, "qrbnVencimentos", 16);
    Band& b = *qrbnVencimentos;
    rotuloContratoLoc(b, "qrlaVencimentos", 0, 1, 60, "Vencimentos", true);
    // The captions stand over the table's columns. A caption longer than its
    // column ("Faturado") starts over the room the column before it leaves
    // at its end, clear of the next caption.
    int inicio = 0;
    for (const ColunaVencimentoLoc& coluna : kColunasVencimentoLoc) {
        const QString caption = QString::fromUtf8(coluna.caption);
        const int largura = std::max(coluna.largura, int(caption.size()));
        rotuloContratoLoc(b, QStringLiteral("qrlaVenc") + QLatin1String(coluna.nome),
                          (inicio + coluna.largura - largura) * kLarguraCaractereLoc, 6.5,
                          std::max(4.0, largura * kLarguraCaractereLoc), caption, true);
        inicio += coluna.largura;
    }
    b.addShape("qrshVencimentos", 0, 10.5, 200, 1, ShapeKind::HorizontalLine);
    qrreVencimentos = b.addRichText("qrreVencimentos", 0, 12, 200, 4);
    qrreVencimentos->setAutoStretch(true);
    qrreVencimentos->font().setFamily("Courier New");
    qrreVencimentos->font().setStyleHint(QFont::Monospace);
    qrreVencimentos->font().setPointSizeF(8);
    b.beforePrint = [this](Band&, bool&) {
        qrreVencimentos->setLines(uAssContratoLocEquip::LinhasVencimentos(*dmGlobal->quReceber));
    };

    chbnHistorico = qrbnVencimentos->addChild("chbnHistorico", 12);
    rotuloContratoLoc(*chbnHistorico, "qrlaHistorico", 0, 2, 40, "Histórico", true);
    textoLongoContratoLoc(*chbnHistorico, quImpContrato, "ACHISTORICO", 0, 7, 200);
}

void TqrAssContratoLocEquip::criarRodape()
{
    qrbnRodape = QuickRep1->addBand(BandKind::PageFooter, "qrbnRodape", 8);
    Band& b = *qrbnRodape;
    b.addShape("qrshRodape", 0, 0, 200, 1, ShapeKind::HorizontalLine);
    b.addSysData("qrsdEmissao", 0, 2, 70, 4, SysDataKind::DateTime, "Emissão em: ");
    Label* usuario = b.addLabel("qrlaUsuario", 75, 2, 70, 4, QString());
    b.addSysData("qrsdPaginaRodape", 150, 2, 50, 4, SysDataKind::PageNumber, "Página:")
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.beforePrint = [usuario](Band&, bool&) { usuario->setCaption("Usuário: " + IbUserName().trimmed()); };
}

void TqrAssContratoLocEquip::qrbnEquipamentosBeforePrint()
{
    Dataset& item = *quImpEquip;
    const int contrato = quImpContrato->active() ? quImpContrato->fieldByName("ACCODIGO")->asInteger() : 0;
    const QString produto = item.fieldByName("PRCODIGO")->asString();
    qrmeSerie->lines().clear();
    if (!item.fieldByName("ACITNUMEROSERIE")->asString().trimmed().isEmpty())
        qrmeSerie->setLines(
            dmTecContrato->SeriaisProdutoContrato(contrato, produto, item.fieldByName("ACITCODIGO")->asInteger()));
    qrmeDescricao->setText(
        uAssContratoLocEquip::DescricaoItem(item.fieldByName("EQUIPAMENTO")->asString(), produto, contrato));
}

void TqrAssContratoLocEquip::CarregarContrato(int contrato)
{
    for (Query* query : {quImpContrato, quImpEquip}) {
        query->close();
        query->paramByName("ACCODIGO")->setAsInteger(contrato);
        query->open();
    }
}

void VisualizarContratoLocacaoEquipamentos(int contrato)
{
    TqrAssContratoLocEquip* relatorio = qrAssContratoLocEquip.create();
    relatorio->CarregarContrato(contrato);
    relatorio->qrlaTitulo->setCaption("Contrato de Locação");
    relatorio->chbnEntrega->setEnabled(true);
    relatorio->QuickRep1->prepare();
    relatorio->QuickRep1->preview(false);
}

namespace uAssContratoLocEquip {

QString FormataDados(const QString& texto, QChar preenchimento, int largura)
{
    QString valor = texto.trimmed();
    valor.replace(QLatin1Char(' '), preenchimento);
    // Cut to the width, so the columns after it keep their places.
    return valor.left(largura).leftJustified(largura, preenchimento);
}

QString FormataDataNull(const QDateTime& data)
{
    if (!data.isValid() || data.date() == uDataTecContLocacao::dataZero().date())
        return {};
    return host::data::formatDate(QStringLiteral("dd/mm/yyyy"), data.date());
}

QString TextoFaturado(const QString& situacao)
{
    const QString s = situacao.trimmed();
    if (s == QLatin1String("V"))
        return QStringLiteral("Não");
    if (s.isEmpty())
        return QStringLiteral("Sim");
    return s;
}

QStringList LinhasVencimentos(Dataset& receber)
{
    QStringList linhas;
    if (!receber.active() || receber.isEmpty())
        return linhas;
    const auto coluna = [](const QString& valor, int largura) { return FormataDados(valor, QLatin1Char(' '), largura); };
    const Field* valor = receber.findField("VALOR_DOCUMENTO");
    for (receber.first(); !receber.eof(); receber.next()) {
        const QString valores[] = {
            campoDataLoc(receber, "DATA_VENCIMENTO"),
            campoDataLoc(receber, "CREMISSAOINI"),
            campoDataLoc(receber, "CREMISSAOFIN"),
            valor ? host::data::formatFloat(kValorContratoLoc, valor->asFloat()) : QString(),
            TextoFaturado(campoTextoLoc(receber, "SITUACAO_DOCUMENTO")),
            campoTextoLoc(receber, "TVCODIGO"),
            campoTextoLoc(receber, "NOSSO_NUMERO"),
            campoTextoLoc(receber, "NUMERO_DOCUMENTO"),
            campoDataLoc(receber, "DATA_EMISSAO"),
            campoDataLoc(receber, "DATA_PAGAMENTO"),
        };
        static_assert(sizeof(valores) / sizeof(valores[0]) == std::size(kColunasVencimentoLoc));
        QString linha;
        for (std::size_t i = 0; i < std::size(valores); ++i)
            linha += coluna(valores[i], kColunasVencimentoLoc[i].largura);
        linhas << linha;
    }
    receber.first();
    return linhas;
}

QString DescricaoItem(const QString& equipamento, const QString& produto, int contrato)
{
    const QString descricao = ::ProdutoGenerico(produto)
                                  ? uAssCheckoutProtocolo::NotaContratoGenerico(contrato, QString()).trimmed()
                                  : equipamento.trimmed();
    return descricao + uAssCheckoutProtocolo::ComposicaoDescricao(produto);
}

}  // namespace uAssContratoLocEquip
