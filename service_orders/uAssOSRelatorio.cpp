#include "service_orders/uAssOSRelatorio.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/Endereco.h"

using namespace host::report;

TqrAssOSRelatorio::TqrAssOSRelatorio(QWidget* parent, const QString& titulo)
    : host::ui::Form(parent), QuickRep(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep")))
{
    setCaption(titulo);
    QuickRep->setTitle(titulo);
    QuickRep->font().setPointSizeF(8);
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssOSRelatorio::~TqrAssOSRelatorio() = default;

void TqrAssOSRelatorio::QuickRepPreview() { QuickRep->preview(true); }

namespace uAssOSRelatorio {

bool modoVeiculo() { return parametro("ATMODOVEICULO") == "O"; }

int ordemAtual() { return dmTec->quOS->active() ? dmTec->quOSAOCODIGO->asInteger() : 0; }

QString telefoneCliente()
{
    const QString primeiro = dmTec->quOSTELEFONE1->asString();
    const QString segundo = dmTec->quOSTELEFONE2->asString();
    return !primeiro.trimmed().isEmpty() && !segundo.trimmed().isEmpty() ? primeiro + " / " + segundo : primeiro;
}

QString descricaoLinha(host::data::Dataset& linhas, const char* observacao)
{
    if (ProdutoGenerico(linhas.fieldByName("PRCODIGO")->asString()))
        return linhas.fieldByName(observacao)->asString();
    return linhas.fieldByName("DESCRICAO")->asString();
}

bool pessoaJuridica() { return dmTec->quOSPESSOA_FISICAOUJURIDICA->asString() == "J"; }

QString segundoDocumento()
{
    return pessoaJuridica() ? dmTec->quOSCLIE->asString() : dmTec->quOSNUMERO_IDENTIDADE->asString();
}

QString observacaoAdicional(int aoCodigo)
{
    return CarregaDado("obtexto", "augc70ob",
                       "where obcodigo = '" + QString::number(aoCodigo) + "' and obid = 'A'", dmGlobal->quAuxiliar);
}

Label* rotulo(Band& band, const QString& nome, double left, double top, double width, const QString& caption)
{
    Label* label = band.addLabel(nome, left, top, width, 4, caption);
    label->font().setBold(true);
    return label;
}

DataText* campo(Band& band, const QString& nome, double left, double top, double width,
                host::data::Dataset* dataset, const QString& field)
{
    return band.addDataText(nome, left, top, width, 4, dataset, field);
}

Band* tabelaLinhas(Band& mestre, const QString& nome, host::data::Dataset* linhas, const QString& prefixo,
                   std::initializer_list<ColunaOS> colunas, Band* titulos, const char* observacao,
                   const QString& cabecalho, const QString& tituloCabecalho)
{
    Band* banda = mestre.addSubDetail(nome, 4.5, linhas);
    banda->setPrintIfEmpty(false);
    if (!titulos && !cabecalho.isEmpty()) {
        titulos = banda->addHeader(cabecalho, 11);
        rotulo(*titulos, "qrla" + cabecalho.mid(4) + "Titulo", 0, 1, 100, tituloCabecalho);
    }
    for (const ColunaOS& c : colunas) {
        TextControl* texto;
        if (QString::fromLatin1(c.campo) == "DESCRICAO")
            texto = banda->addExprText("qrte" + prefixo + c.nome, c.left, 0, c.width, 4,
                                       [linhas, observacao] { return QVariant(descricaoLinha(*linhas, observacao)); });
        else
            texto = campo(*banda, "qrte" + prefixo + c.nome, c.left, 0, c.width, linhas, c.campo);
        Label* titulo = titulos ? rotulo(*titulos, "qrla" + prefixo + c.nome, c.left, titulos->height() - 5, c.width,
                                         QString::fromUtf8(c.titulo))
                                : nullptr;
        if (c.valor) {
            texto->setDisplayFormat("###,###,##0.00");
            texto->setAlignment(Qt::AlignRight | Qt::AlignTop);
            if (titulo)
                titulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
    }
    return banda;
}

bool temLinhas(host::data::Dataset* linhas) { return linhas && linhas->active() && !linhas->isEmpty(); }

QString valorOS(double valor) { return host::data::formatFloat("###,###,###,###,##0.00", valor); }

Band* cabecalhoEmpresa(Report& report, const QString& nome, const QString& titulo)
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    Band* band = report.addBand(BandKind::Title, nome, 30);
    Band& b = *band;
    Image* logo = b.addImage("qrimLogo", 0, 0, 30, 20);
    logo->setDataField(empresa, "LOGO02");
    logo->setKeepAspect(true);
    DataText* razao = campo(b, "qrteEmpresa", 32, 0, 110, empresa, "NOME");
    razao->font().setBold(true);
    razao->font().setPointSizeF(10);
    b.addExprText("qrteEnderecoEmpresa", 32, 5, 110, 4, [empresa] {
        auto texto = [empresa](const char* c) { return empresa->fieldByName(c)->asString(); };
        return QVariant(host::compoeEndereco({{"", texto("ENDERECO")},
                                              {" - ", texto("CEP")},
                                              {" - ", texto("CIDADE")},
                                              {"/", texto("ESTADO")}}));
    });
    b.addExprText("qrteFoneEmpresa", 32, 9, 110, 4, [empresa] {
        return QVariant("Fone: " + empresa->fieldByName("FONE")->asString() +
                        "  Fax: " + empresa->fieldByName("FAX")->asString());
    });
    b.addExprText("qrteCGCEmpresa", 32, 13, 110, 4,
                  [] { return QVariant("CGC: " + dmGlobal->CnpjEmpresa()); });
    Label* tituloDoc = b.addLabel("qrlaTitulo", 32, 19, 110, 6, titulo);
    tituloDoc->font().setBold(true);
    tituloDoc->font().setPointSizeF(12);
    b.addSysData("qrsdData", 150, 0, 40, 4, SysDataKind::Date, "Emissão: ");
    b.addSysData("qrsdHora", 150, 5, 40, 4, SysDataKind::Time, "Hora: ");
    b.addShape("qrshCabecalho", 0, 28, 190, 1, ShapeKind::HorizontalLine);
    return band;
}

}  // namespace uAssOSRelatorio
