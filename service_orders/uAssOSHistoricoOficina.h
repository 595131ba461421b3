#pragma once
// TqrAssOSHistoricoOficina (qrAssOSHistoricoOficina): the workshop history
// of a vehicle order (customer with trade name and documents, vehicles,
// services, parts and extra expenses as tables, totals, report and
// observations). TqrAssOSHistoricoOficinaNA shares the layout
// (TqrAssOSHistoricoOficinaComum) with commercial descriptions, stock marks
// and the municipal registration.

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

namespace host::report {
class ExprText;
class Memo;
}

class TqrAssOSHistoricoOficinaComum : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    TqrAssOSHistoricoOficinaComum(QWidget* parent, bool variante);
    ~TqrAssOSHistoricoOficinaComum() override;

    host::report::Band* qrbnCliente = nullptr;
    host::report::Band* qrsdItens = nullptr;
    host::report::Band* qrbnRodItens = nullptr;
    host::report::Band* qrsdServico = nullptr;
    host::report::Band* qrbnRodServ = nullptr;
    host::report::Band* qrsdPecas = nullptr;
    host::report::Band* qrsdDespViagem = nullptr;
    host::report::Band* qrsdDespExtra = nullptr;
    host::report::Band* qrbnObs = nullptr;
    host::report::Label* qrlaCNPJ = nullptr;
    host::report::Label* qrlaIE = nullptr;
    host::report::Label* qrlaIM = nullptr;
    host::report::Control* qrteIM = nullptr;
    std::vector<host::report::Control*> lojaCompra;
    host::report::ExprText* qrtePecValor = nullptr;
    host::report::Memo* qrmeLaudo = nullptr;
    host::report::Memo* qrmeObsOS = nullptr;
    host::report::Memo* qrmeObsCliente = nullptr;

protected:
    bool bVariante;   // the NA variant

private:
    void criarCliente();
    void criarLinhas();
    void criarObservacao();
    void QuickRepBeforePrint();
    void qrsdItensBeforePrint();
    QString descricaoServico();
    QString descricaoPeca();
    QString observacaoPeca();
    QString unitarioPeca();
    QString qrteSituacaoPrint();
};

class TqrAssOSHistoricoOficina : public TqrAssOSHistoricoOficinaComum {
    Q_OBJECT
public:
    explicit TqrAssOSHistoricoOficina(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistoricoOficina> qrAssOSHistoricoOficina;
