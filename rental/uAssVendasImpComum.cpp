// The parts both printed assistance orders share.

#include "rental/uAssVendasImpComum.h"

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
#include "host/ui/Errors.h"

#include <exception>

using namespace host::report;

namespace uAssVendasImpRegras {

QString TipoSolicitados() { return QStringLiteral("Equipamentos").leftJustified(25, ' '); }

bool ProdutoGenerico(const QString& produto, const QString& generico1, const QString& generico2)
{
    const QString codigo = produto.trimmed();
    return (!generico1.trimmed().isEmpty() && codigo == generico1.trimmed()) ||
           (!generico2.trimmed().isEmpty() && codigo == generico2.trimmed());
}

bool ValorImpresso(const QString& produto, const QString& complemento, const QString& generico1,
                   const QString& generico2)
{
    return !ProdutoGenerico(produto, generico1, generico2) && complemento != "S";
}

int SequenciaTextoLinha(const QString& tipo, int cod)
{
    return tipo.trimmed() == kTipoConfigurados ? -cod : cod;
}

QString Descricao(const DescricaoLinha& linha)
{
    if (linha.generico)
        return linha.textoLinha;
    if (linha.modo != "E" && linha.modo != "C")
        return linha.descricaoEquip;
    const QString texto = linha.textoLinha.left(9999).trimmed();
    if (!texto.isEmpty())
        return linha.modo == "E" ? texto : linha.descricaoEquip.trimmed() + " " + texto;
    return linha.modo == "E" ? linha.descricaoCadastro : linha.descricaoEquip.trimmed();
}

QString LinhaControleAlteracao(const QDateTime& data, const QDateTime& hora, const QString& usuario,
                               const QString& acao)
{
    return host::data::formatDateTime("dd/mm/yy", data) + " " + host::data::formatDateTime("hh:nn", hora) + " " +
           usuario + " " + acao;
}

int AlturaControleAlteracoes(int entradas) { return 25 + 25 * entradas; }

}  // namespace uAssVendasImpRegras

using namespace uAssVendasImpRegras;

namespace {

// The order's lines: requested, then configured, each with its group text
// and the description the product gives.
QString sqlLinhasPedidoImp()
{
    const QString descricao =
        "cast(case when coalesce(substring(Po.OBTEXTO from 1 for 1), '') <> ''"
        " then substring(Po.OBTEXTO from 1 for 9999)"
        " else coalesce(Pr.PRDESCRICAOCOMERCIAL, '') || coalesce(Pr.COMPLEMENTO_DESC, '') end"
        " as blob sub_type text) as DESCRICAOEQUIP";
    auto metade = [&descricao](const char* tabela, const QString& tipo) {
        return QString("select It.CODIGO, It.QUANTIDADE, It.VEITNUMEROSERIE, It.TOTAL_UNIT, It.COD,"
                       " It.VEITCOMPLEMENTO, cast('%1' as char(25)) as TIPO, %2\n"
                       "from %3 It\n"
                       " left outer join ACEC1101 Pr on (Pr.CODIGO = It.CODIGO)\n"
                       " left outer join AUGC70OB Po on (Po.OBCODIGO = It.CODIGO and Po.OBID = 'P'"
                       " and Po.OBSEQUENCIA = -1)\n"
                       "where It.NUMERO_PEDIDO = :PEDIDO\n")
            .arg(tipo, descricao, QString::fromLatin1(tabela));
    };
    return metade("AVEC85IT", TipoSolicitados()) + "union all\n" + metade("AVEC85LX", kTipoConfigurados) +
           "order by 7, 5";
}

const QString kMascaraValorPedidoImp = QStringLiteral("###,###,##0.00");

}  // namespace

TqrAssVendasImpBase::TqrAssVendasImpBase(QWidget* parent, const QString& titulo, bool producao,
                                         const QString& colunasCabecalho)
    : host::ui::Form(parent),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1"))),
      quImpPedido(CriarIbQuery("quImpPedido")),
      quImpEquip(CriarIbQuery("quImpEquip")),
      producao_(producao),
      quSerie_(CriarIbQuery("quSeriePedidoImp"))
{
    setCaption(titulo);
    quImpPedido->setSql(
        "select ped.*, cl.NOME as CLNOME, cl.ENDERECO as CLENDERECO, cl.CIDADE as CLCIDADE,"
        " cl.ESTADO as CLESTADO, cl.BAIRRO as CLBAIRRO, cl.TELEFONE1 as CLFONE,\n"
        " ct.ANNOME as CONTATO, ge.ANNOME as GERENTE, ce.ANNOME as CONTENTREGA,\n"
        " (select first 1 Ob.OBTEXTO from AUGC70OB Ob where Ob.OBCODIGO = ped.NUMERO_PEDIDO and Ob.OBID = 'V'"
        " and Ob.OBSEQUENCIA = 100) as ENDENTREGA" +
        colunasCabecalho +
        "\nfrom AVEC8501 ped\n"
        " left outer join AUGC0301 cl on (cl.CODIGO_CLIENTE = ped.CODIGO_CLIENTE)\n"
        " left outer join AUGC3701 ct on (ct.ANCODIGO = ped.ANCODIGOCONTATO)\n"
        " left outer join AUGC3701 ge on (ge.ANCODIGO = ped.ANCODIGOGERENTE)\n"
        " left outer join AUGC3701 ce on (ce.ANCODIGO = ped.ANCODIGOENTREGA)\n"
        " left outer join AUGC3701 cc on (cc.ANCODIGO = ped.ANCODIGOCOBRANCA)\n"
        "where ped.NUMERO_PEDIDO = :PEDIDO");
    quImpEquip->setSql(sqlLinhasPedidoImp());
    quSerie_->setSql("select ns.NSNUMERO from AUGC50NS ns where ns.PRCODIGO = :PRODUTO and ns.VECODIGO = :PEDIDO"
                     " Group By ns.NSNUMERO ");
    if (producao_) {
        for (host::data::Query* q : {quImpPedido.get(), quImpEquip.get()})
            LigaLogAbertura(*q);
    }

    Report& r = *QuickRep1;
    r.setTitle(titulo);
    r.setCustomPaper(210, 279);
    r.setMargins(5, 15, 5, 15);
    r.setPrintIfEmpty(true);
    r.setLastPageFooter(true);
    r.font().setFamily("Arial");
    r.font().setPointSizeF(8);
    r.setDataSet(quImpEquip.get());
    criarCabecalho(titulo);
    qrbnTitulo = r.addBand(BandKind::Title, "qrbnTitulo", 10);
    criarLinhas();
    criarGrupo();
    criarRodape();
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
}

TqrAssVendasImpBase::~TqrAssVendasImpBase() = default;

Label* TqrAssVendasImpBase::rotulo(Band& band, double left, double top, double width, const QString& caption)
{
    Label* label = band.addLabel("qrla" + QString::number(band.controls().size()), left, top, width, 4, caption);
    label->font().setBold(true);
    return label;
}

DataText* TqrAssVendasImpBase::campo(Band& band, const QString& nome, double left, double top, double width)
{
    return band.addDataText("qrte" + nome, left, top, width, 4, quImpPedido.get(), nome);
}

QHash<QString, DataText*> TqrAssVendasImpBase::camposTitulo(Band& band, std::initializer_list<CampoTitulo> campos)
{
    QHash<QString, DataText*> textos;
    for (const CampoTitulo& c : campos) {
        const QString nome = QString::fromLatin1(c.campo);
        rotulo(band, c.left, c.top, 28, QString::fromUtf8(c.rotulo));
        DataText* texto = campo(band, nome, c.left + 28, c.top, c.largura);
        if (nome.startsWith("VEDATA") || nome.contains("VIGENCIA"))
            texto->setDisplayFormat("dd/mm/yyyy");
        else if (nome == "VEVALORSUPRIMENTOS") {
            texto->setDisplayFormat("###,###,##0.00");
            texto->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
        textos.insert(nome, texto);
    }
    return textos;
}

void TqrAssVendasImpBase::criarCabecalho(const QString& titulo)
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    qrbnCabecalho = QuickRep1->addBand(BandKind::PageHeader, "qrbnCabecalho", 30);
    Band& b = *qrbnCabecalho;
    b.addDataText("qrteEmpresa", 0, 0, 120, 5, empresa, "NOME")->font().setBold(true);
    b.addDataText("qrteEndereco", 0, 5, 120, 4, empresa, "ENDERECO");
    b.addDataText("qrteFone", 0, 9, 60, 4, empresa, "FONE");
    b.addLabel("qrlaCNPJ", 60, 9, 10, 4, "CNPJ:");
    b.addExprText("qrteCNPJ", 70, 9, 50, 4, [p = quImpPedido.get()] {
        return QVariant(dmGlobal->CnpjEmpresa(p->active() && !p->isEmpty() ? p->fieldByName("VELOCAL")->asString()
                                                                           : QString()));
    });
    b.addDataText("qrteCEP", 0, 13, 25, 4, empresa, "CEP");
    b.addDataText("qrteCidade", 25, 13, 95, 4, empresa, "CIDADE");
    qrlaTitulo = b.addLabel("qrlaTitulo", 120, 0, 80, 6, titulo);
    qrlaTitulo->font().setBold(true);
    qrlaTitulo->font().setPointSizeF(12);
    qrlaTitulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    DataText* numero = b.addDataText("qrtePedido", 120, 7, 80, 5, quImpPedido.get(), "NUMERO_PEDIDO");
    numero->font().setBold(true);
    numero->setAlignment(Qt::AlignRight | Qt::AlignTop);
    numero->onPrint = [](TextControl&, QString& texto) { texto = "Pedido " + texto; };
    b.addSysData("qrsdData", 140, 13, 30, 4, SysDataKind::Date, "Data: ");
    b.addSysData("qrsdHora", 170, 13, 30, 4, SysDataKind::Time, "Hora: ");
    SysData* pagina = b.addSysData("qrsdPagina", 170, 18, 15, 4, SysDataKind::PageNumber);
    pagina->font().setBold(true);
    pagina->setAlignment(Qt::AlignRight | Qt::AlignTop);
    b.addLabel("qrlaBarra", 185, 18, 2, 4, "/")->font().setBold(true);
    b.addSysData("qrsdTotalPaginas", 187, 18, 13, 4, SysDataKind::PageCount)->font().setBold(true);
    // The company logo has its place but does not print.
    b.addImage("qrimLogo", 0, 0, 30, 15)->setEnabled(false);
    b.addShape("qrshCabecalho", 0, 28, 200, 1, ShapeKind::HorizontalLine);
}

void TqrAssVendasImpBase::criarLinhas()
{
    host::data::Dataset* e = quImpEquip.get();
    qrbnEquipamentos = QuickRep1->addBand(BandKind::Detail, "qrbnEquipamentos", 5);
    Band& b = *qrbnEquipamentos;
    b.addDataText("qrteQuantidade", 0, 0, 15, 4, e, "QUANTIDADE")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrmeDescricao = b.addRichText("qrmeDescricao", 18, 0, 112, 4);
    qrmeDescricao->setAutoStretch(true);
    qrmeDescricao->setWordWrap(true);
    qrmeSerie = b.addMemo("qrmeSerie", 132, 0, 40, 4);
    qrmeSerie->setAutoStretch(true);
    qrteValor = b.addDataText("qrteValor", 172, 0, 28, 4, e, "TOTAL_UNIT");
    qrteValor->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrteValor->setDisplayFormat(kMascaraValorPedidoImp);
    // The rental order never prints the line's value.
    qrteValor->setEnabled(producao_);
    b.beforePrint = [this](Band&, bool&) { qrbnEquipamentosBeforePrint(); };
}

void TqrAssVendasImpBase::criarGrupo()
{
    qrbnGrupo = qrbnEquipamentos->addGroup("qrbnGrupo", 12, "TIPO");
    Band& g = *qrbnGrupo;
    g.addDataText("qrteTipo", 0, 1, 100, 5, quImpEquip.get(), "TIPO")->font().setBold(true);
    g.addShape("qrshGrupo", 0, 6, 200, 1, ShapeKind::HorizontalLine);
    rotulo(g, 0, 7.5, 15, "Qtde.")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(g, 18, 7.5, 60, "Descrição");
    qrlaTitSerie = rotulo(g, 132, 7.5, 40, "Nro. Série");
    qrlaTitValor = rotulo(g, 172, 7.5, 28, "Valor");
    qrlaTitValor->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrlaTitSerie->setEnabled(producao_);
    qrlaTitValor->setEnabled(producao_);
    if (producao_)
        g.beforePrint = [this](Band&, bool&) { qrbnGrupoBeforePrint(); };
}

void TqrAssVendasImpBase::criarRodape()
{
    qrbnRodape = QuickRep1->addBand(BandKind::PageFooter, "qrbnRodape", 10);
    qrrtControleAlteracao = qrbnRodape->addRichText("qrrtControleAlteracao", 0, 1, 200, 4);
    qrbnRodape->beforePrint = [this](Band&, bool&) { qrrtControleAlteracao->setLines(controleAlteracoes_); };
}

void TqrAssVendasImpBase::Visualizar(const QString& pedido)
{
    pedido_ = pedido;
    for (host::data::Query* q : {quImpPedido.get(), quImpEquip.get()}) {
        q->close();
        q->paramByName("PEDIDO")->setAsString(pedido);
        q->open();
    }
    QuickRep1->prepare();
    QuickRep1->preview(false);
}

// Everything a line reads besides its own row is read once per print: the
// order's line texts, the register's descriptions (mode "E") and the log.
void TqrAssVendasImpBase::QuickRep1BeforePrint()
{
    modo_ = dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA");
    generico1_ = dmGlobal->Parametro("ATPRODUTOGENERICO1");
    generico2_ = dmGlobal->Parametro("ATPRODUTOGENERICO2");
    carregarTextos(pedido_);

    dmTec->CarregaControleAlteracoesPedidoAss(pedido_);
    host::data::Query& log = *dmTec->quAssCtrlAlter;
    controleAlteracoes_.clear();
    for (log.first(); !log.eof(); log.next())
        controleAlteracoes_ << LinhaControleAlteracao(
            log.fieldByName("DATA")->asDateTime(), log.fieldByName("HORA")->asDateTime(),
            log.fieldByName("USUARIO")->asString(), log.fieldByName("ACAO")->asString());
    const double altura = fromScreenUnits(AlturaControleAlteracoes(int(controleAlteracoes_.size())));
    qrrtControleAlteracao->setHeight(altura);
    qrbnRodape->setHeight(altura + 2);
}

void TqrAssVendasImpBase::carregarTextos(const QString& pedido)
{
    textosLinha_.clear();
    descricoesCadastro_.clear();
    try {
        host::db::Statement st(*dmGlobal->IBTransaction1,
                               "select OBSEQUENCIA, OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = :PEDIDO");
        st.setParam("PEDIDO", pedido);
        st.execute();
        while (st.fetch())
            textosLinha_.insert(st.value(0).toInt(), st.value(1).toString());
    } catch (const std::exception&) {
        try {
            dmGlobal->MostraErro("Erro: " + host::ui::exceptionMessage(std::current_exception()));
        } catch (const host::Abort&) {
            // The document prints on without the texts.
        }
    }
    if (modo_ != "E")
        return;
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           "select Pr.CODIGO, Pr.DESCRICAO from ACEC1101 Pr where Pr.CODIGO in"
                           " (select CODIGO from AVEC85IT where NUMERO_PEDIDO = :PEDIDO1 union"
                           " select CODIGO from AVEC85LX where NUMERO_PEDIDO = :PEDIDO2)");
    st.setParam("PEDIDO1", pedido);
    st.setParam("PEDIDO2", pedido);
    st.execute();
    while (st.fetch())
        descricoesCadastro_.insert(st.value(0).toString().trimmed(), st.value(1).toString());
}

void TqrAssVendasImpBase::qrbnGrupoBeforePrint()
{
    const bool configurados = quImpEquip->fieldByName("TIPO")->asString().trimmed() == kTipoConfigurados;
    for (Control* c : std::initializer_list<Control*>{qrlaTitSerie, qrlaTitValor, qrmeSerie, qrteValor})
        c->setEnabled(configurados);
}

QStringList TqrAssVendasImpBase::seriaisDaLinha(const QString& produto)
{
    quSerie_->close();
    quSerie_->paramByName("PRODUTO")->setAsString(produto);
    quSerie_->paramByName("PEDIDO")->setAsString(pedido_);
    quSerie_->open();
    QStringList seriais;
    for (; !quSerie_->eof(); quSerie_->next())
        seriais << quSerie_->fieldByName("NSNUMERO")->asString();
    quSerie_->close();
    return seriais;
}

void TqrAssVendasImpBase::qrbnEquipamentosBeforePrint()
{
    const host::data::Query& e = *quImpEquip;
    const QString produto = e.fieldByName("CODIGO")->asString();
    const QString tipo = e.fieldByName("TIPO")->asString();
    if (producao_) {
        const bool valor = ValorImpresso(produto, e.fieldByName("VEITCOMPLEMENTO")->asString(), generico1_,
                                         generico2_);
        qrteValor->setEnabled(valor);
    }
    qrmeSerie->setLines({});
    if (!e.fieldByName("VEITNUMEROSERIE")->asString().trimmed().isEmpty())
        qrmeSerie->setLines(seriaisDaLinha(produto));

    DescricaoLinha linha;
    linha.modo = modo_;
    linha.generico = ProdutoGenerico(produto, generico1_, generico2_);
    linha.descricaoEquip = e.fieldByName("DESCRICAOEQUIP")->asString();
    linha.textoLinha = textosLinha_.value(SequenciaTextoLinha(tipo, e.fieldByName("COD")->asInteger()));
    linha.descricaoCadastro = descricoesCadastro_.value(produto.trimmed());
    qrmeDescricao->setText(Descricao(linha));
}
