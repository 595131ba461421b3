#pragma once
// TqrAssOSComprovante (qrAssOSComprovante): the work order handed to the
// customer when the equipment or vehicle comes in, also printed as the
// internal order. Modes: 20 normal, 21 remanufacture or purchase, 22
// internal order. Its preparation runs once per instance, on the engine's
// first pass, and is marked done even when it fails.

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

#include <vector>

namespace host::data {
class Query;
}
namespace host::report {
class Control;
class ExprText;
class Image;
class Memo;
class Shape;
}  // namespace host::report

// The captions and values of an item band (the order's items and, under the
// print model "P", its vehicles).
struct TqrAssOSItensBanda {
    host::report::Band* banda = nullptr;
    std::vector<host::report::Control*> veiculo;       // vehicle-only captions and values
    std::vector<host::report::Control*> equipamento;   // equipment-only ones
    std::vector<host::report::Control*> lojaCompra;    // the purchase store, caption and value
    host::report::Label* qrlaSerie = nullptr;
    host::report::Label* qrlaEquipamento = nullptr;
    host::report::Label* qrlaDefeito = nullptr;
    host::report::DataText* qrteDefeito = nullptr;
};

class TqrAssOSComprovante : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    explicit TqrAssOSComprovante(QWidget* parent = nullptr);
    ~TqrAssOSComprovante() override;

    int modo() const { return iModo_; }
    void setModo(int modo) { iModo_ = modo; }
    bool preparado() const { return bPreparado_; }

    std::unique_ptr<host::data::Query> quRelVeiculo;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* qrbnCliente = nullptr;
    host::report::Band* qrsdItensOS = nullptr;
    host::report::Band* qrsdVeiculosOS = nullptr;
    host::report::Band* qrbnRodVeiculos = nullptr;
    host::report::Band* qrbnServico = nullptr;
    host::report::Band* qrbnCabServico = nullptr;
    host::report::Band* qrbnPeca = nullptr;
    host::report::Band* qrbnCabPeca = nullptr;
    host::report::Band* qrsdAcessorios = nullptr;
    host::report::Band* qrbnObservacao = nullptr;
    host::report::Band* qrbnObsOS = nullptr;
    host::report::Band* qrbnObsCliente = nullptr;
    host::report::Band* qrbnAssinatura = nullptr;
    TqrAssOSItensBanda itens;
    TqrAssOSItensBanda veiculos;
    host::report::Image* qrimLogoTipo2 = nullptr;
    host::report::Label* qrlaFaturarPara = nullptr;
    host::report::DataText* qrteClienteCobranca = nullptr;
    host::report::Label* qrlaCGC = nullptr;
    host::report::Label* qrlaRG = nullptr;
    host::report::ExprText* qrteHoraSaida = nullptr;
    host::report::ExprText* qrteFone = nullptr;
    host::report::Label* qrlaAcessorios = nullptr;
    host::report::Shape* qrshAcessorios = nullptr;
    host::report::Label* qrlaListaCodInt = nullptr;
    host::report::Memo* qrmeLaudo = nullptr;
    host::report::Memo* qrmeObservacao = nullptr;
    host::report::Memo* qrmeObsAdicional = nullptr;
    host::report::Memo* qrmeCausa = nullptr;
    host::report::Memo* qrmeSolucao = nullptr;
    host::report::Memo* qrmeObsLaudo = nullptr;
    host::report::Memo* qrmeHistorico = nullptr;
    host::report::Memo* qrmeObsOS = nullptr;
    host::report::Memo* qrmeObsCliente = nullptr;
    std::vector<host::report::Control*> quadroOficina;   // the hand-filled totals frame
    std::vector<host::report::Control*> totaisServico;   // quantities, totals and their captions

    void HabilitaCamposTipoAssistencia();
    void OcultarQuadroDadosOficina(bool Hide);
    void VerificarItensAprovados();

private:
    void criarCliente();
    void criarLinhas();
    void criarObservacao();
    void QuickRepBeforePrint();
    void prepararModeloP();
    void separarVeiculos();
    void qrbnCabecalhoBeforePrint();
    void qrsdItensOSBeforePrint(bool& PrintBand);
    void qrbnObservacaoBeforePrint();
    void qrteHoraSaidaPrint(QString& Value);

    int iModo_ = 20;
    bool bPreparado_ = false;
};

extern host::ui::FormVar<TqrAssOSComprovante> qrAssOSComprovante;

// The item band of the receipt family over a dataset of order items.
TqrAssOSItensBanda criarBandaItensComprovante(host::report::Band& mestre, const QString& nome,
                                              host::data::Dataset* itens);
