// The printed customers and their equipment or vehicles.

#include "service_orders/uAssClienteXEquipImp.h"

#include "host/Udmglobal.h"

using namespace host::report;
using namespace uAssOSSelecaoRel;

host::ui::FormVar<TqrAssClienteXEquipImp> qrAssClienteXEquipImp("qrAssClienteXEquipImp");

TqrAssClienteXEquipImp::TqrAssClienteXEquipImp(QWidget* parent)
    : host::ui::Form(parent),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1"))),
      dados_(std::make_unique<ReportDataset>(nullptr, "dsPesqCliEquip", "dsPesqCliEquip"))
{
    setCaption("Relatório de Clientes X Equipamentos");
    Report& r = *QuickRep1;
    r.setTitle("Relatório de Clientes X Equipamentos");
    r.setLandscape(true);
    r.font().setPointSizeF(7);
    r.setDataSet(dados_.get());
    TituloSelecao(r, "Relatório de Clientes X Equipamentos ", &qrlaTitulo);
    qrbnColunas = r.addBand(BandKind::ColumnHeader, "qrbnColunas", 6);
    qrbnDetalhe = r.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    Band& c = *qrbnColunas;
    Band& d = *qrbnDetalhe;
    const DataRef dados(dados_.get());
    qrEquipamento = AdicionaColuna(c, d, dados, "Equipamento", "Equipamentos", "AOITEQUIPDESCRICAO", 0, 50);
    AdicionaColuna(c, d, dados, "Marca", "Marca", "AOITMARCA", 51, 30);
    AdicionaColuna(c, d, dados, "Modelo", "Modelo", "AOITMODELO", 82, 35);
    qrSerie = AdicionaColuna(c, d, dados, "Serie", "Nº Série", "AOITSERIE", 118, 35);
    qrPlaca = AdicionaColuna(c, d, dados, "Placa", "Placa", "AOITPLACA", 154, 18);
    qrCarroceria = AdicionaColuna(c, d, dados, "Carroceria", "Nº Carroceria", "AOITCARROCERIANUMERO", 173, 30);
    qrMotor = AdicionaColuna(c, d, dados, "Motor", "Nº Motor", "AOITMOTORNUMERO", 204, 35);
    AdicionaColuna(c, d, dados, "OS", "OS", "AOCODIGO", 240, 20, kOrdemSelecao);
    c.addShape("qrshColunas", 0, 5.5, 277, 0.5, ShapeKind::HorizontalLine);
    qrbnGrupoCliente = d.addGroup("qrbnGrupoCliente", 6, "CLIENTE");
    RotuloSelecao(*qrbnGrupoCliente, "qrlaCliente", 0, 1, 18, "CLIENTE:");
    qrbnGrupoCliente->addDataText("qrteCliente", 18, 1, 150, 4.5, dados, "CLIENTE")->font().setBold(true);
    RodapeSelecao(r);
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssClienteXEquipImp::~TqrAssClienteXEquipImp() = default;

void TqrAssClienteXEquipImp::setDados(host::data::Dataset* dados) { dados_->setDataSet(dados); }

// Vehicles: their chassis, plate, body and engine numbers; equipment: the serial only.
void TqrAssClienteXEquipImp::QuickRep1BeforePrint()
{
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    qrlaTitulo->setCaption(veiculo ? "Relatório de Clientes X Veículos " : "Relatório de Clientes X Equipamentos ");
    qrEquipamento.titulo->setCaption(veiculo ? "Veículos" : "Equipamentos");
    qrSerie.titulo->setCaption(veiculo ? "Chassi" : "Nº Série");
    for (ColunaSelecao* coluna : {&qrPlaca, &qrCarroceria, &qrMotor})
        coluna->setEnabled(veiculo);
}
