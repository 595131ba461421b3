#pragma once
// TqrAssOSHistorico (qrAssOSHistorico): the whole content of an order on
// Letter paper (customer, items, services, parts, travel and extra
// expenses, totals and the technical report); TqrAssOSRecibo, its A4 twin,
// shares the layout (TqrAssOSHistoricoComum).

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

namespace host::report {
class Memo;
}

class TqrAssOSHistoricoComum : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    // The receipt note: "Recibo", A4, every line printed, no address look-up.
    TqrAssOSHistoricoComum(QWidget* parent, bool recibo);
    ~TqrAssOSHistoricoComum() override;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* qrbnCliente = nullptr;
    host::report::Band* qrsdItens = nullptr;
    host::report::Band* qrbnRodItens = nullptr;
    host::report::Band* qrsdServico = nullptr;
    host::report::Band* qrbnRodServico = nullptr;
    host::report::Band* qrsdDespPecas = nullptr;
    host::report::Band* qrbnRodPecas = nullptr;
    host::report::Band* qrsdDespViagem = nullptr;
    host::report::Band* qrbnRodViagem = nullptr;
    host::report::Band* qrsdDespExtra = nullptr;
    host::report::Band* qrbnObservacao = nullptr;
    host::report::Band* qrbnAssinaturas = nullptr;
    host::report::Label* qrlaSerie = nullptr;
    host::report::Label* qrlaEquipamento = nullptr;
    host::report::Label* qrlaEnderecoCompleto = nullptr;
    host::report::Label* qrlaEndereco = nullptr;
    host::report::Memo* qrmeLaudo = nullptr;
    host::report::Memo* qrmeObsAdicional = nullptr;
    host::report::Memo* qrmeObsOS = nullptr;
    host::report::Memo* qrmeObsCliente = nullptr;
    std::vector<host::report::Control*> veiculo;
    std::vector<host::report::Control*> equipamento;

protected:
    void QuickRepBeforePrint();
    void qrbnClienteBeforePrint();
    void qrbnObservacaoBeforePrint();
    bool bRecibo;

private:
    void criarCliente();
    void criarItens();
    void criarLinhas();
    void criarTotais();
};

class TqrAssOSHistorico : public TqrAssOSHistoricoComum {
    Q_OBJECT
public:
    explicit TqrAssOSHistorico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistorico> qrAssOSHistorico;
