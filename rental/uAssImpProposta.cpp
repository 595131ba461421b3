// The rental proposal letter: layout, the date line, the value texts.

#include "rental/uAssImpProposta.h"

#include "shared_windows/uAssContComum.h"
#include "host/Endereco.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uextenso.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Controls.h"
#include "host/report/Report.h"
#include "host/report/Uvisualrel.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPointer>

#include <algorithm>
#include <cmath>

using namespace host::report;
using host::data::Dataset;
using host::data::Query;

host::ui::FormVar<TqrAssImpProposta> qrAssImpProposta("qrAssImpProposta");

namespace {

QDateTime relogioProposta;
QPointer<TfmVisualizadorRelatorio> visualizadorProposta;

// Empty branch data is printed as a placeholder.
QString sqlImpPropostaLetra()
{
    return QStringLiteral(
        "select\n"
        "  case when coalesce(emp.NOME, '') = '' then 'NOME DA EMPRESA' else emp.NOME end as RAZAO,\n"
        "  case when coalesce(emp.ENDERECO, '') = '' then 'LOGRADOURO, S/N' else emp.ENDERECO end as ENDERECO,\n"
        "  coalesce(emp.BAIRRO, '') as BAIRRO, coalesce(emp.CIDADE, '') as CIDADE,\n"
        "  case when coalesce(emp.CEP, '') = '' then '00000-000' else emp.CEP end as CEP,\n"
        "  case when coalesce(emp.FONE, '') = '' then '(00) 0000-0000' else emp.FONE end as FONE,\n"
        "  coalesce(nullif(trim(emp.CNPJ), ''), nullif(trim((select first 1 co.CICCGC from EMPRESA co\n"
        "    order by co.CODIGO)), ''), '00.000.000/0000-00') as CNPJ,\n"
        "  case when coalesce(emp.ESTADO, '') = '' then 'UF' else emp.ESTADO end as UF,\n"
        "  case when coalesce(emp.SITE, '') = '' then 'www.empresa.com.br' else emp.SITE end as WEBSITE,\n"
        "  extract(day from rel.AGORA) as DIA, extract(month from rel.AGORA) as MES,\n"
        "  extract(year from rel.AGORA) as ANO,\n"
        "  ped.CODIGO_CLIENTE, cl.NOME as CLIENTE, ped.ANCODIGOREQUISITANTE, req.ANNOME as REQUISITANTE,\n"
        "  req.ANEMAIL as REQUISITANTEEMAIL, ped.NUMERO_PEDIDO,\n"
        "  case when ite.CODIGO = emp.PRGENERICO1 or ite.CODIGO = emp.PRGENERICO2\n"
        "    then coalesce(ite.OBS, '') else coalesce(grp.DESCRICAO, '') end as GRUPO,\n"
        "  grp.GRFOTOMINI as GRUPOFOTO, ite.COD as SEQCONFIG,\n"
        "  (select first 1 substring(ob.OBTEXTO from 1 for 9999) from AUGC70OB ob\n"
        "    where ob.OBCODIGO = ped.NUMERO_PEDIDO and ob.OBID = 'V' and ob.OBSEQUENCIA = ite.COD) as DESCCONFIG,\n"
        "  ite.QUANTIDADE,\n"
        "  case when ped.VEINICIOVIGENCIA is null or ped.VETERMINOVIGENCIA is null then 0\n"
        "    else cast(ped.VETERMINOVIGENCIA - ped.VEINICIOVIGENCIA as integer) end as PERIODODIAS,\n"
        "  coalesce(ite.VALOR, 0) as VALORUNIT, pr.UNIDADE_MEDIDA\n"
        "from AVEC8501 ped\n"
        "  cross join (select coalesce(cast(:AGORA as timestamp), current_timestamp) as AGORA\n"
        "    from RDB$DATABASE) rel\n"
        "  left outer join AVEC85IT ite on ite.NUMERO_PEDIDO = ped.NUMERO_PEDIDO\n"
        "  left outer join AUGC0301 cl on cl.CODIGO_CLIENTE = ped.CODIGO_CLIENTE\n"
        "  left outer join AUGC3701 req on req.ANCODIGO = ped.ANCODIGOREQUISITANTE\n"
        "  left outer join ACEC1101 pr on pr.CODIGO = ite.CODIGO\n"
        "  left outer join ACEC1201 grp on grp.CODIGO = pr.GRUPO\n"
        "  left outer join EA emp on emp.CODIGO = ped.VELOCAL\n"
        "where ped.NUMERO_PEDIDO = :PEDIDO\n"
        "Order by grp.DESCRICAO");
}

// The company's own texts: host parameters, with neutral texts when unset.
QString textoEmpresaProposta(const char* parametro, const char* padrao)
{
    const QString valor = dmGlobal->Parametro(QLatin1String(parametro)).trimmed();
    return valor.isEmpty() ? QString::fromUtf8(padrao) : valor;
}

// A picture named by a parameter or a column: loaded when the file reads.
bool carregaImagemProposta(Image& imagem, const QString& arquivo)
{
    imagem.setImage(QImage());
    if (arquivo.trimmed().isEmpty() || !QFileInfo(arquivo.trimmed()).isReadable())
        return false;
    return imagem.loadFromFile(arquivo.trimmed());
}

Label* rotuloProposta(Band& band, const QString& nome, double left, double top, double width,
                      const QString& caption, bool negrito = false)
{
    Label* label = band.addLabel(nome, left, top, width, 4.5, caption);
    label->font().setBold(negrito);
    return label;
}

// As tall as the label's lines at the font it prints with, and a pixel
// more a line at a screen's coarsest resolution (72 dpi): a viewer drawing
// each line on whole pixels does not clip the last one.
double alturaInteiraProposta(const Label& label)
{
    const double linha = host::report::textHeight(QStringLiteral("X"), label.font(), label.width(), false, false);
    const double altura = host::report::textHeight(label.caption(), label.font(), label.width(), true, false);
    return altura + (std::round(altura / linha) + 1) * 25.4 / 72;
}

Memo* paragrafoProposta(Band& band, const QString& nome, double top, double height)
{
    Memo* memo = band.addMemo(nome, 0, top, 190, height);
    memo->setWordWrap(true);
    memo->setAutoStretch(true);
    return memo;
}

}  // namespace

TqrAssImpProposta::TqrAssImpProposta(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Proposta de Locação");
    quImpProposta_ = std::make_unique<Query>(nullptr, "quImpProposta");
    quImpProposta = quImpProposta_.get();
    quImpProposta->setTransaction(dmGlobal->IBTransaction1.get());
    quImpProposta->setSql(sqlImpPropostaLetra());
    uAssContComum::LigaLogAbertura(*quImpProposta);

    Report& r = *QuickRep1;
    r.setTitle("Proposta de Locação");
    r.setPaper(PaperSize::A4);
    r.setMargins(10, 10, 10, 10);
    r.font().setFamily("Arial");
    r.font().setPointSizeF(9);
    r.setPrintIfEmpty(true);
    r.setLastPageFooter(true);
    r.setDataSet(quImpProposta);
    criarCabecalho();
    criarTitulo();
    criarDetalhe();
    criarResumo();
}

TqrAssImpProposta::~TqrAssImpProposta() = default;

void TqrAssImpProposta::criarCabecalho()
{
    qrbnCabecalho = QuickRep1->addBand(BandKind::PageHeader, "qrbnCabecalho", 25);
    Image* logo = qrbnCabecalho->addImage("qriLogo", 0, 0, 190, 22);
    logo->setStretch(true);
    qrbnCabecalho->beforePrint = [logo](Band&, bool&) {
        carregaImagemProposta(*logo, dmGlobal->Parametro("ATPROPOSTALOGO"));
    };

    qrbnRodape = QuickRep1->addBand(BandKind::PageFooter, "qrbnRodape", 7);
    // The branch that writes the letter: name and tax number, then its
    // address, telephone and web site.
    Label* empresa = qrbnRodape->addLabel("qrlaEmpresa", 0, 0, 138, 3.5, QString());
    Label* contato = qrbnRodape->addLabel("qrlaEmpresaContato", 0, 3.5, 138, 3.5, QString());
    for (Label* linha : {empresa, contato})
        linha->font().setPointSizeF(7);
    qrbnRodape->beforePrint = [this, empresa, contato](Band&, bool&) {
        const uAssImpProposta::LinhasEmpresa linhas = uAssImpProposta::RodapeEmpresa(*quImpProposta);
        empresa->setCaption(linhas.identificacao);
        contato->setCaption(linhas.contato);
    };
    qrbnRodape->addSysData("qrsdPagina", 140, 1, 50, 4.5, SysDataKind::PageNumber, "Página: ")
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void TqrAssImpProposta::criarTitulo()
{
    Dataset* p = quImpProposta;
    qrbnTitulo = QuickRep1->addBand(BandKind::Title, "qrbnTitulo", 50);
    qrbnTitulo->setShiftBelowGrown(true);   // the company's paragraphs may run long
    Band& b = *qrbnTitulo;
    Memo* abertura = paragrafoProposta(b, "qrmeAbertura", 0, 12);
    qrlaData = rotuloProposta(b, "qrlaData", 90, 14, 100, QString(), true);
    qrlaData->setAlignment(Qt::AlignRight | Qt::AlignTop);
    struct LinhaTituloProposta {
        const char* rotulo;
        const char* campo;
        double top;
    };
    static const LinhaTituloProposta linhas[] = {
        {"À:", "CLIENTE", 21},
        {"A/C:", "REQUISITANTE", 26},
        {"E-mail:", "REQUISITANTEEMAIL", 31},
    };
    for (const LinhaTituloProposta& linha : linhas) {
        const QString campo = QString::fromLatin1(linha.campo);
        rotuloProposta(b, "qrla" + campo, 0, linha.top, 15, QString::fromUtf8(linha.rotulo), true);
        b.addDataText("qrte" + campo, 15, linha.top, 150, 4.5, p, campo)->font().setBold(true);
    }
    rotuloProposta(b, "qrlaReferencia", 0, 38, 60, "Ref.: Proposta de Locação nº:  ", true);
    b.addDataText("qrteNUMERO_PEDIDO", 60, 38, 40, 4.5, p, "NUMERO_PEDIDO")->font().setBold(true);
    b.beforePrint = [this, abertura](Band&, bool&) {
        abertura->setText(textoEmpresaProposta(
            "ATPROPOSTAABERTURA",
            "Agradecemos a preferência pela nossa empresa e temos o prazer de apresentar a nossa cotação de "
            "locação, com os equipamentos, preços, prazos e condições comerciais a seguir."));
        qrbnTituloBeforePrint();
    };
}

void TqrAssImpProposta::criarDetalhe()
{
    Dataset* p = quImpProposta;
    qrbnDetalhe = QuickRep1->addBand(BandKind::Detail, "qrbnDetalhe", 46);
    Band& b = *qrbnDetalhe;
    b.addShape("qrshBloco", 0, 1, 190, 40, ShapeKind::Rectangle);
    b.addDataText("qrteGRUPO", 2, 2, 140, 5, p, "GRUPO")->font().setBold(true);
    b.addShape("qrshBarra", 2, 7, 186, 1, ShapeKind::HorizontalLine);
    qriGrupoFoto = b.addImage("qriGrupoFoto", 148, 9, 38, 30);
    qriGrupoFoto->setStretch(true);
    rotuloProposta(b, "qrlaConfiguracao", 2, 10, 28, "Configuração:");
    b.addDataText("qrteSEQCONFIG", 30, 10, 30, 4.5, p, "SEQCONFIG")->font().setBold(true);
    rotuloProposta(b, "qrlaQuantidade", 2, 16, 28, "Quantidade:");
    DataText* quantidade = b.addDataText("qrteQUANTIDADE", 30, 16, 60, 4.5, p, "QUANTIDADE");
    quantidade->font().setBold(true);
    quantidade->onPrint = [p](TextControl&, QString& texto) {
        texto = texto + " " + p->fieldByName("UNIDADE_MEDIDA")->asString();
    };
    rotuloProposta(b, "qrlaPeriodo", 2, 22, 28, "Período:");
    DataText* periodo = b.addDataText("qrtePERIODODIAS", 30, 22, 60, 4.5, p, "PERIODODIAS");
    periodo->font().setBold(true);
    periodo->onPrint = [](TextControl&, QString& texto) { texto = texto + " dias "; };
    qrlaValorUnitario = rotuloProposta(b, "qrlaValorUnitario", 2, 28, 45, "Valor Unitário Mensal:");
    qrteValorUnitario = b.addDataText("qrteVALORUNIT", 47, 28, 98, 9, p, "VALORUNIT");
    qrteValorUnitario->font().setBold(true);
    qrteValorUnitario->setWordWrap(true);
    qrteValorUnitario->onPrint = [](TextControl&, QString& texto) {
        texto = uAssImpProposta::TextoValorUnitario(texto);
    };
    // The configuration text closes the block: it may run long.
    qrmeConfiguracao = b.addMemo("qrmeConfiguracao", 0, 41, 190, 4.5);
    qrmeConfiguracao->setWordWrap(true);
    qrmeConfiguracao->setAutoStretch(true);
    qrmeConfiguracao->frame().left = qrmeConfiguracao->frame().right = qrmeConfiguracao->frame().bottom = true;
    b.beforePrint = [this](Band&, bool& imprimir) { qrbnDetalheBeforePrint(imprimir); };
}

void TqrAssImpProposta::criarResumo()
{
    qrbnResumo = QuickRep1->addBand(BandKind::Summary, "qrbnResumo", 135);
    qrbnResumo->setShiftBelowGrown(true);
    Band& b = *qrbnResumo;
    Image* fundo = b.addImage("qriFundo", 0, 0, 190, 135);
    fundo->setStretch(true);
    Memo* encerramento = paragrafoProposta(b, "qrmeEncerramento", 3, 10);
    rotuloProposta(b, "qrlaAtenciosamente", 0, 16, 60, "Atenciosamente,");
    struct AssinaturaProposta {
        const char* nome;
        const char* parametro;
        double top;
    };
    static const AssinaturaProposta assinatura[] = {
        {"qrlaResponsavel", "ATPROPOSTARESPONSAVEL", 24},
        {"qrlaEmailResponsavel", "ATPROPOSTAEMAIL", 29},
        {"qrlaSite", "ATPROPOSTASITE", 34},
        {"qrlaFone", "ATPROPOSTAFONE", 39},
    };
    std::vector<std::pair<Label*, const char*>> linhasAssinatura;
    for (const AssinaturaProposta& linha : assinatura)
        linhasAssinatura.emplace_back(
            rotuloProposta(b, QString::fromLatin1(linha.nome), 0, linha.top, 120, QString(), linha.top == 24),
            linha.parametro);
    static const std::pair<const char*, const char*> condicoes[] = {
        {"PAGAMENTO", "1º pagamento 10 dias após a entrega do equipamento, demais a cada 30 dias, (antecipado) "
                      "através de boleto bancário."},
        {"PRAZO DE ENTREGA:", "de acordo com data aprazada. "},
        {"ASSISTÊNCIA TÉCNICA:", "inclusa no aluguel durante a vigência do contrato para empresas localizadas na "
                                 "Grande São Paulo, de 2ª à 6ª feira das 10h às 18h (exceto feriado)."},
        {"TEMPO DE ATENDIMENTO:", "até 08h úteis, após o chamado técnico."},
        {"TRANSPORTE:", "entrega e retirada na sede da empresa na grande São Paulo, dentro do horário comercial, "
                        "sem custos."},
        {"SOFTWARE:", "sistema operacional e aplicativos, licença e instalação a cargo do cliente, exceto os "
                      "contratados."},
        {"SEGURO DE EQUIPAMENTO:", "sob responsabilidade do cliente."},
        {"VALIDADE DA PROPOSTA:", "03 dias."},
        {"IMPOSTOS:", "Inclusos no valor do aluguel."},
        {"AUTORIZAÇÃO:", "confirme por e-mail ou fax."},
        {"DOCUMENTAÇÃO:", "Envie cópias: do contrato social, Cartão CNPJ em vigor; referências bancárias e "
                          "referências comerciais."},
    };
    double top = 48;
    auto* quadro = b.addShape("qrshCondicoes", 0, top - 1, 190, 86, ShapeKind::Rectangle);
    int n = 0;
    for (const auto& [titulo, texto] : condicoes) {
        ++n;
        rotuloProposta(b, QStringLiteral("qrlaCondicao%1").arg(n), 2, top, 48, QString::fromUtf8(titulo), true);
        Label* linha = b.addLabel(QStringLiteral("qrlaCondicaoTexto%1").arg(n), 50, top, 138, 7.5,
                                  QString::fromUtf8(texto));
        linha->setWordWrap(true);
        linha->setHeight(std::max(7.5, alturaInteiraProposta(*linha)));
        top += linha->height() + 0.25;
    }
    quadro->setHeight(std::max(quadro->height(), top - quadro->top()));
    b.setHeight(std::max(b.height(), quadro->top() + quadro->height() + 1));
    b.beforePrint = [encerramento, fundo, linhasAssinatura](Band&, bool&) {
        encerramento->setText(textoEmpresaProposta(
            "ATPROPOSTAENCERRAMENTO",
            "Colocamo-nos à disposição para quaisquer informações adicionais e aproveitamos a oportunidade para "
            "apresentar os nossos equipamentos e serviços."));
        for (const auto& [label, parametro] : linhasAssinatura)
            label->setCaption(dmGlobal->Parametro(QLatin1String(parametro)).trimmed());
        carregaImagemProposta(*fundo, dmGlobal->Parametro("ATPROPOSTAFUNDO"));
    };
}

void TqrAssImpProposta::qrbnTituloBeforePrint()
{
    Dataset& p = *quImpProposta;
    if (!p.active() || p.isEmpty()) {
        qrlaData->setCaption(QString());
        return;
    }
    qrlaData->setCaption(uAssImpProposta::LinhaData(p.fieldByName("CIDADE")->asString(),
                                                    p.fieldByName("DIA")->asInteger(),
                                                    p.fieldByName("MES")->asInteger(),
                                                    p.fieldByName("ANO")->asInteger()));
}

void TqrAssImpProposta::qrbnDetalheBeforePrint(bool& imprimir)
{
    Dataset& p = *quImpProposta;
    // A proposal without lines has one row without a line: no block.
    if (!p.active() || p.isEmpty() || p.fieldByName("SEQCONFIG")->isNull()) {
        imprimir = false;
        return;
    }
    // A missing or unreadable photo leaves the block without a picture.
    carregaImagemProposta(*qriGrupoFoto, p.fieldByName("GRUPOFOTO")->asString());
    qrmeConfiguracao->setText(p.fieldByName("DESCCONFIG")->asString().trimmed());
    iAuxiliarGeral = p.fieldByName("PERIODODIAS")->asInteger() % 30;
    qrlaValorUnitario->setCaption(uAssImpProposta::CaptionValorUnitario(p.fieldByName("PERIODODIAS")->asInteger()));
}

void TqrAssImpProposta::CarregarProposta(const QString& pedido)
{
    quImpProposta->close();
    quImpProposta->paramByName("PEDIDO")->setAsString(pedido);
    const QDateTime agora = relogioProposta;
    if (agora.isValid())
        quImpProposta->paramByName("AGORA")->setValue(agora);
    else
        quImpProposta->paramByName("AGORA")->setValue(QVariant());
    quImpProposta->open();
}

void VisualizarPropostaAssVenda(const QString& pedido)
{
    TqrAssImpProposta* relatorio = qrAssImpProposta.create();
    relatorio->CarregarProposta(pedido);
    relatorio->QuickRep1->prepare();
    // One viewer per letter: one still open shows older data and gives way.
    if (TfmVisualizadorRelatorio* anterior = visualizadorProposta.data(); anterior && !anterior->released())
        anterior->close();
    const std::shared_ptr<const PreparedReport> paginas = relatorio->QuickRep1->prepared();
    relatorio->QuickRep1->preview(false);
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (auto* visualizador = qobject_cast<TfmVisualizadorRelatorio*>(janela);
            visualizador && !visualizador->released() && &visualizador->pages() == paginas.get())
            visualizadorProposta = visualizador;
}

namespace uAssImpProposta {

QString LinhaData(const QString& cidade, int dia, int mes, int ano)
{
    // A branch without its city dates the letter without the comma.
    return host::compoeEndereco({{"", cidade},
                                 {", ", QStringLiteral("%1").arg(dia, 2, 10, QLatin1Char('0')) + " de " +
                                            RetornaMesExtenso(mes) + " de " + QString::number(ano)}});
}

QString CaptionValorUnitario(int dias)
{
    return dias % 30 == 0 ? QStringLiteral("Valor Unitário Mensal:") : QStringLiteral("Valor Unitário p/ Período:");
}

QString TextoValorUnitario(const QString& texto)
{
    double valor = 0;
    if (texto.trimmed().isEmpty() || !host::data::parseFloatText(texto, valor))
        return texto;
    return "R$ " + host::data::formatFloat(QStringLiteral("###,###,##0.00"), valor) + " (" +
           ValorExtenso(valor, 1, 200, QLatin1Char(' '), 3).trimmed().toLower() + ")";
}

LinhasEmpresa RodapeEmpresa(const Dataset& proposta)
{
    if (!proposta.active() || proposta.isEmpty())
        return {};
    auto campo = [&proposta](const char* nome) { return proposta.fieldByName(QLatin1String(nome))->asString(); };
    return {host::compoeEndereco({{"", campo("RAZAO")}, {" - ", campo("CNPJ"), "CNPJ: "}}),
            host::compoeEndereco({{"", campo("ENDERECO")},
                                  {" - ", campo("BAIRRO")},
                                  {" - ", campo("CIDADE")},
                                  {"/", campo("UF")},
                                  {" - ", campo("CEP"), "CEP "},
                                  {" - ", campo("FONE"), "Fone: "},
                                  {" - ", campo("WEBSITE")}})};
}

void DefinirRelogio(const QDateTime& momento) { relogioProposta = momento; }

}  // namespace uAssImpProposta
