// The printed basic contract and the summary list of all contracts.

#include "contracts/uAssBasicoContratosImp.h"

#include "contracts/uAssBasicoContratos.h"
#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Urelatorio.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"

using namespace host::report;

host::ui::FormVar<TqrAssBasicoContratosImp> qrAssBasicoContratosImp("qrAssBasicoContratosImp");

namespace {

const QString kValor = QStringLiteral("###,###,##0.00");
const QString kData = QStringLiteral("dd/mm/yyyy");

Label* rotulo(Band& band, const QString& nome, double left, double top, double width, const QString& caption)
{
    Label* label = band.addLabel(nome, left, top, width, 4.5, caption);
    label->font().setBold(true);
    return label;
}

}  // namespace

TqrAssBasicoContratosImp::TqrAssBasicoContratosImp(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Cadastro de Contratos");
    QuickRep1->setTitle("Cadastro de Contratos");
    QuickRep1->font().setPointSizeF(8);
    QuickRep1->setDataSet(dmTec->quContrato);
    criarTitulo();
    criarContrato();
    criarEquipamentos();
    qrbnTexto = QuickRep1->addBand(BandKind::Summary, "qrbnTexto", 12);
    rotulo(*qrbnTexto, "qrlaTexto", 0, 2, 60, "Texto Adicional:");
    qrmeTexto = qrbnTexto->addMemo("qrmeTexto", 0, 7, 190, 4.5);
    qrmeTexto->setAutoStretch(true);
    qrmeTexto->setWordWrap(true);
    qrbnTexto->beforePrint = [this](Band&, bool&) { qrmeTexto->setText(dmTec->quContratoACTEXTO->asString()); };
    QuickRep1->beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssBasicoContratosImp::~TqrAssBasicoContratosImp() = default;

void TqrAssBasicoContratosImp::criarTitulo()
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    qrbnTitulo = QuickRep1->addBand(BandKind::Title, "qrbnTitulo", 30);
    Band& b = *qrbnTitulo;
    b.addLabel("qrlaEmpresa", 0, 0, 18, 4, "Empresa:");
    b.addDataText("qrteEmpresa", 18, 0, 120, 4, empresa, "NOME");
    b.addLabel("qrlaCNPJ", 0, 5, 18, 4, "CNPJ:");
    b.addExprText("qrteCNPJ", 18, 5, 60, 4, [] { return QVariant(dmGlobal->CnpjEmpresa()); });
    b.addLabel("qrlaSistema", 0, 10, 18, 4, "Sistema:");
    b.addLabel("qrlaNomeSistema", 18, 10, 60, 4, "Assistência Técnica");
    b.addLabel("qrlaPrograma", 0, 15, 18, 4, "Programa:");
    b.addLabel("qrlaNomePrograma", 18, 15, 60, 4, "AATC05AC");
    b.addLabel("qrlaDataEmissao", 140, 0, 25, 4, "Data Emissão:");
    b.addSysData("qrsdData", 165, 0, 25, 4, SysDataKind::Date);
    b.addLabel("qrlaHoraEmissao", 140, 5, 25, 4, "Hora Emissão:");
    b.addSysData("qrsdHora", 165, 5, 25, 4, SysDataKind::Time);
    Label* titulo = b.addLabel("qrlaTitulo", 0, 19, 190, 5, "Cadastro de Contratos");
    titulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titulo->font().setBold(true);
    titulo->font().setPointSizeF(12);
    b.addLabel("qrlaSubtitulo", 0, 24.5, 190, 4, "Completo")->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    b.addShape("qrshTitulo", 0, 29, 190, 1, ShapeKind::HorizontalLine);
}

void TqrAssBasicoContratosImp::criarContrato()
{
    host::data::Dataset* c = dmTec->quContrato;
    qrbnContrato = QuickRep1->addBand(BandKind::Detail, "qrbnContrato", 42);
    Band& b = *qrbnContrato;
    struct Campo {
        const char* rotulo;
        const char* campo;
        const char* formato;
    };
    // Two columns of caption and value, in the order the contract reads.
    static const Campo esquerda[] = {
        {"Nº do Contrato:", "ACNUMEROCONTRATO", nullptr}, {"Descrição:", "ACDESCRICAO", nullptr},
        {"Cliente:", "CLIENTE", nullptr},                  {"Contato:", "CONTATO", nullptr},
        {"Tipo de Contrato:", "ACTIPOCONTRATO", nullptr},  {"Prioridade:", "ACPRIORIDADE", nullptr},
        {"Atendimento:", "ACATENDIMENTO", nullptr},
    };
    static const Campo direita[] = {
        {"Data Implantação:", "ACDATAIMPLANTACAO", "dd/mm/yyyy"}, {"Data Validade:", "ACDATAVALIDADE", "dd/mm/yyyy"},
        {"Limite de Chamadas:", "ACLIMITE", "0"},                 {"Limite de Horas:", "ACLIMITEHORA", "0.00"},
        {"Valor Cham/Hora Exced.:", "ACVALORCHAMADAEXCEDENTE", "###,###,##0.00"},
        {"Valor do Contrato:", "ACVALOR", "###,###,##0.00"},      {"Cód. Cad. Serviço:", "PRCODIGO", nullptr},
    };
    double top = 1;
    for (const Campo& campo : esquerda) {
        const QString nome = QString::fromLatin1(campo.campo);
        rotulo(b, "qrla" + nome, 0, top, 30, QString::fromUtf8(campo.rotulo));
        b.addDataText("qrte" + nome, 30, top, 85, 4.5, c, nome);
        top += 5.5;
    }
    top = 1;
    for (const Campo& campo : direita) {
        const QString nome = QString::fromLatin1(campo.campo);
        rotulo(b, "qrla" + nome, 118, top, 40, QString::fromUtf8(campo.rotulo));
        DataText* valor = b.addDataText("qrte" + nome, 158, top, 32, 4.5, c, nome);
        if (campo.formato) {
            valor->setDisplayFormat(QString::fromLatin1(campo.formato));
            if (QString::fromLatin1(campo.formato) != kData)
                valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
        top += 5.5;
    }
}

void TqrAssBasicoContratosImp::criarEquipamentos()
{
    host::data::Dataset* e = dmTec->quContEquip;
    qrbnEquipamentos = qrbnContrato->addSubDetail("qrbnEquipamentos", 4.5, e);
    qrbnCabEquipamentos = qrbnEquipamentos->addHeader("qrbnCabEquipamentos", 11);
    Band& h = *qrbnCabEquipamentos;
    rotulo(h, "qrlaEquipamentos", 0, 1, 100, "Equipamentos do Contrato");
    struct Coluna {
        const char* nome;
        const char* titulo;
        const char* campo;
        double left;
        double width;
    };
    static const Coluna colunas[] = {
        {"Codigo", "Código", "AECODIGO", 0, 12},        {"Equipamento", "Equipamento", "DESCEQUIP", 13, 40},
        {"Serie", "Nº de Série", "COSERIE", 54, 25},    {"Interno", "Cód. Interno", "COCODIGOINTERNO", 80, 20},
        {"Valor", "Valor", "COVALOR", 101, 18},         {"Endereco", "Endereço", "COENDERECO", 121, 30},
        {"Bairro", "Bairro", "COBAIRRO", 152, 14},      {"Cidade", "Cidade", "COCIDADE", 167, 15},
        {"Estado", "UF", "COESTADO", 183, 7},
    };
    for (const Coluna& col : colunas) {
        const QString nome = QString::fromLatin1(col.nome);
        Label* titulo = rotulo(h, "qrlaTit" + nome, col.left, 6, col.width, QString::fromUtf8(col.titulo));
        DataText* texto =
            qrbnEquipamentos->addDataText("qrte" + nome, col.left, 0, col.width, 4.5, e, QString::fromLatin1(col.campo));
        if (nome == "Valor") {
            titulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
            texto->setAlignment(Qt::AlignRight | Qt::AlignTop);
            texto->setDisplayFormat(kValor);
        }
        if (nome == "Equipamento")
            qrlaTitEquipamento = titulo;
        else if (nome == "Serie") {
            qrlaTitSerie = titulo;
            qrteSerie = texto;
        } else if (nome == "Interno") {
            qrlaTitInterno = titulo;
            qrteInterno = texto;
        }
    }
    h.addShape("qrshEquipamentos", 0, 10.5, 190, 1, ShapeKind::HorizontalLine);
}

// Vehicle mode: the vehicle, its plate in the internal code's place, no serial.
void TqrAssBasicoContratosImp::QuickRep1BeforePrint()
{
    const bool veiculo = uAssBasicoContratos::ModoVeiculo();
    qrlaTitEquipamento->setCaption(veiculo ? "Veículo" : "Equipamento");
    qrlaTitInterno->setCaption(veiculo ? "Placa" : "Cód. Interno");
    qrteInterno->setFieldName(veiculo ? "coplaca" : "cocodigointerno");
    qrlaTitSerie->setEnabled(!veiculo);
    qrteSerie->setEnabled(!veiculo);
}

namespace uAssBasicoContratos {

void ImprimirContratoCompleto()
{
    const host::data::Query& contrato = *dmTec->quContrato;
    if (!contrato.active() || contrato.isEmpty() || dmTec->quContratoACNUMEROCONTRATO->asString().trimmed().isEmpty())
        dmGlobal->MostraAviso("Não há nenhum contrato selecionado.", true);
    TqrAssBasicoContratosImp* relatorio = qrAssBasicoContratosImp.create();
    host::ui::ReleaseOnExit liberar(qrAssBasicoContratosImp);
    relatorio->QuickRep1->preview(true);
}

void ImprimirContratosResumido()
{
    host::data::Query& contrato = *dmTec->quContrato;
    if (contrato.active())
        SalvarAlteracoes(contrato);
    const int atual = contrato.active() && !contrato.isEmpty() ? dmTec->quContratoACCODIGO->asInteger() : 0;
    // The register shows the contract it showed before, however the list ends.
    auto recarregar = [atual] {
        qrRelatorio.reset();
        dmTec->CarregaContrato(atual);
    };
    try {
        contrato.close();
        contrato.setSql(uDataTec::selectArmazenado("quContrato"));
        contrato.open();
        qrRelatorio = std::make_unique<TqrRelatorio>(&contrato);
        qrRelatorio->setTitulo("Cadastro de Contratos");
        qrRelatorio->setSubtitulo("Resumido");
        qrRelatorio->setSistema("Assistência Técnica");
        qrRelatorio->setPrograma("AATC05AC");
        qrRelatorio->AdicionaColuna("Código", "ACCODIGO");
        qrRelatorio->AdicionaColuna("Descrição", "ACDESCRICAO");
        qrRelatorio->AdicionaColuna("Cliente", "cliente");
        qrRelatorio->AdicionaColuna("Tipo de Contrato", "ACTIPOCONTRATO");
        qrRelatorio->AdicionaColuna("Valor Contrato", "ACVALOR");
        qrRelatorio->preview(true);
    } catch (...) {
        recarregar();
        throw;
    }
    recarregar();
}

}  // namespace uAssBasicoContratos
