// The list printed from the service-order search.

#include "service_orders/uAssOSPesquisaRel.h"

#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "service_orders/uPesqAssOrdemServico.h"

using namespace host::report;

host::ui::FormVar<TqrAssOSPesquisaRel> qrAssOSPesquisaRel("qrAssOSPesquisaRel");

Band* TitulosPesquisaOS(Report& relatorio, const QString& titulo, const QString& programa)
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    Band* b = relatorio.addBand(BandKind::Title, "qrbnTitulo", 30);
    b->addLabel("qrlaEmpresa", 0, 0, 18, 4, " Empresa:");
    b->addDataText("qrteEmpresa", 18, 0, 120, 4, empresa, "NOME");
    b->addLabel("qrlaCNPJ", 0, 5, 18, 4, "CNPJ:");
    b->addExprText("qrteCNPJ", 18, 5, 60, 4, [] { return QVariant(dmGlobal->CnpjEmpresa()); });
    b->addLabel("qrlaSistema", 0, 10, 18, 4, "Sistema:  ");
    b->addLabel("qrlaNomeSistema", 18, 10, 60, 4, "Assistência Técnica");
    b->addLabel("qrlaPrograma", 0, 15, 18, 4, "Programa : ");
    b->addLabel("qrlaNomePrograma", 18, 15, 60, 4, programa);
    b->addLabel("qrlaDataEmissao", 140, 0, 25, 4, "Data Emissão");
    b->addSysData("qrsdData", 165, 0, 25, 4, SysDataKind::Date);
    b->addLabel("qrlaHoraEmissao", 140, 5, 25, 4, "Hora Emissão");
    b->addSysData("qrsdHora", 165, 5, 25, 4, SysDataKind::Time);
    Label* rotulo = b->addLabel("qrlaTitulo", 0, 20, 190, 5, titulo);
    rotulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    rotulo->font().setBold(true);
    b->addShape("qrshTitulo", 0, 29, 190, 1, ShapeKind::HorizontalLine);
    Band* rodape = relatorio.addBand(BandKind::PageFooter, "qrbnRodape", 6);
    rodape->addSysData("qrsdPagina", 160, 1, 30, 4, SysDataKind::PageNumber, "Página ");
    return b;
}

TqrAssOSPesquisaRel::TqrAssOSPesquisaRel(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    TfmPesquisaAssOrdemServico* pesquisa = fmPesquisaAssOrdemServico;
    host::data::Query* consulta = pesquisa ? pesquisa->quConsulta : nullptr;
    QuickRep1->setTitle("Ordem de Serviço");
    QuickRep1->font().setPointSizeF(8);
    QuickRep1->setDataSet(consulta);
    qrbnTitulo = TitulosPesquisaOS(*QuickRep1, "Ordem de Serviço");
    qrlaSubtitulo = qrbnTitulo->addLabel("qrlaSubtitulo", 0, 24.5, 190, 4, "Equipamentos");
    qrlaSubtitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    qrbnDetalhe = QuickRep1->addBand(BandKind::Detail, "qrbnDetalhe", 32);
    Band& d = *qrbnDetalhe;
    auto campo = [&](const char* nome, double left, double top, double labelWidth, const QString& caption,
                     const char* field, double width) {
        Label* rotulo = d.addLabel(QString("qrla") + nome, left, top, labelWidth, 4.5, caption);
        rotulo->font().setBold(true);
        DataText* texto = d.addDataText(QString("qrte") + nome, left + labelWidth, top, width, 4.5, consulta, field);
        return std::make_pair(rotulo, texto);
    };
    campo("OS", 0, 1, 20, "Nº da OS:", "AOCODIGOOS", 25);
    campo("Cliente", 50, 1, 14, "Cliente:", "CLIENTE", 126);
    campo("Tecnico", 0, 6, 20, "Técnico:", "TECNICO", 70);
    campo("Quantidade", 100, 6, 22, "Quantidade:", "AOITQUANTIDADE", 20);
    std::tie(qrlaSerie, qrteSerie) = campo("Serie", 0, 11, 22, "Nº de Série:", "AOITSERIE", 60);
    std::tie(qrlaEquipamento, qrteEquipamento) = campo("Equipamento", 0, 16, 22, "Equipamento:", "AOITEQUIPDESCRICAO", 110);
    campo("Defeito", 0, 21, 20, "Defeito:", "AOITDEFEITO", 170);
    campo("Marca", 0, 26, 14, "Marca:", "AOITMARCA", 35);
    campo("Modelo", 50, 26, 14, "Modelo:", "AOITMODELO", 40);
    campo("Ano", 105, 26, 28, "Ano Fabricação:", "AOITANOFABRICACAO", 15);
    campo("Cor", 150, 26, 10, "Cor:", "AOITCOR", 30);
    // The vehicle lines: plate, mileage, fuel and its position.
    for (auto [rotulo, texto] : {campo("Placa", 120, 11, 14, "Placa:", "AOITPLACA", 25),
                                  campo("Km", 120, 16, 20, "Km Inicial:", "AOITKMINICIAL", 25),
                                  campo("Combustivel", 160, 11, 22, "Combustível:", "AOITCOMBUSTIVEL", 15),
                                  campo("PosicaoComb", 160, 16, 30, "Posição Combustível:", "AOITPOSICAOCOMBUSTIVEL", 10)}) {
        veiculo_.push_back(rotulo);
        veiculo_.push_back(texto);
    }

    host::data::Query* servicos = pesquisa ? pesquisa->quServico : nullptr;
    host::data::Query* pecas = pesquisa ? pesquisa->quPecas : nullptr;
    auto linhas = [&](Band*& banda, const char* nome, host::data::Query* dados, const QString& titulo,
                      const char* quantidade, const char* valor, const char* autorizado) {
        banda = d.addSubDetail(nome, 5, dados);
        Band* cabecalho = banda->addHeader(QString(nome) + "Cabecalho", 5);
        const std::pair<double, QString> titulos[] = {
            {5, "Código"}, {30, titulo}, {120, "Qtde."}, {140, "Valor"}, {165, "Autorizado"}};
        for (const auto& [left, texto] : titulos)
            cabecalho->addLabel(QString("qrla") + nome + QString::number(int(left)), left, 0, 30, 4.5, texto)
                ->font()
                .setBold(true);
        banda->addDataText(QString("qrte") + nome + "Codigo", 5, 0, 24, 4.5, dados, "PRCODIGO");
        banda->addDataText(QString("qrte") + nome + "Descricao", 30, 0, 88, 4.5, dados, "DESCRICAO");
        banda->addDataText(QString("qrte") + nome + "Qtde", 120, 0, 18, 4.5, dados, quantidade);
        banda->addDataText(QString("qrte") + nome + "Valor", 140, 0, 24, 4.5, dados, valor)
            ->setDisplayFormat("###,###,##0.00");
        banda->addDataText(QString("qrte") + nome + "Autorizado", 165, 0, 25, 4.5, dados, autorizado);
        // Printed only for an item that has such lines.
        banda->setPrintIfEmpty(false);
    };
    linhas(qrbnServicos, "qrbnServicos", servicos, "Serviço", "AAQUANTIDADE", "AAVALORTOTAL", "AAAUTORIZADO");
    linhas(qrbnPecas, "qrbnPecas", pecas, "Peça", "APQUANTIDADE", "APVALTOTAL", "APAUTORIZADO");
    QuickRep1->beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
}

TqrAssOSPesquisaRel::~TqrAssOSPesquisaRel() = default;

void TqrAssOSPesquisaRel::QuickRep1BeforePrint()
{
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    qrlaSubtitulo->setCaption(veiculo ? "Veículos" : "Equipamentos");
    qrlaSerie->setCaption(veiculo ? "Chassi:" : "Nº de Série:");
    qrlaEquipamento->setCaption(veiculo ? "Veículo:" : "Equipamento:");
    // Positions in report units of the classic form (screen pixels), in millimetres here.
    qrteSerie->setLeft((veiculo ? 49 : 66) * 25.4 / 96);
    qrteEquipamento->setLeft((veiculo ? 64 : 77) * 25.4 / 96);
    for (Control* c : veiculo_)
        c->setEnabled(veiculo);
}
