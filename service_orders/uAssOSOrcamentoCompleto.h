#pragma once
// TqrAssOSOrcamentoCompleto (qrAssOSOrcamentoCompleto): the complete budget
// on A4: the company, the call, each item with its contract and place, the
// technical report, parts and services (with their labour-hour types), the
// travel and extra expenses of the print model "D", the totals and the
// release forecast.

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

#include <vector>

namespace host::report {
class ExprText;
class Memo;
class RichText;
}  // namespace host::report

class TqrAssOSOrcamentoCompleto : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    explicit TqrAssOSOrcamentoCompleto(QWidget* parent = nullptr);
    ~TqrAssOSOrcamentoCompleto() override;

    // The technical-report block left out and the parts captions moved up
    // (the order's AOIMPRIMIRLAUDO "N").
    void OcultarLaudo();

    host::report::Band* qrbnEmpresa = nullptr;
    host::report::Band* qrbnOrdem = nullptr;
    host::report::Band* qrsdItensOS = nullptr;
    host::report::Band* qrbnRodItens = nullptr;
    host::report::Band* qrsdPecas = nullptr;
    host::report::Band* qrsdServicos = nullptr;
    host::report::Band* qrsdViagem = nullptr;
    host::report::Band* qrsdExtras = nullptr;
    host::report::Band* qrbnTotalizador = nullptr;
    host::report::Label *qrlaCNPJ = nullptr, *qrlaIE = nullptr, *qrlaDataChamado = nullptr, *qrlaHora = nullptr;
    host::report::Label *qrlaEquipamento = nullptr, *qrlaSerie = nullptr, *qrlaNumeroContrato = nullptr,
                        *qrlaLocal = nullptr;
    host::report::DataText* qrteSerie = nullptr;
    host::report::Label *qrlaDescricao = nullptr, *qrlaDefeitoConst = nullptr, *qrlaCausa = nullptr,
                        *qrlaSolucao = nullptr, *qrlaObsLaudo = nullptr, *qrlaDefeito = nullptr;
    host::report::RichText* qrdbrtDefeitoConst = nullptr;
    host::report::DataText *qrteCausa = nullptr, *qrteSolucao = nullptr, *qrteObsLaudo = nullptr,
                           *qrteDefeito = nullptr;
    host::report::Label *qrlaProduto = nullptr, *qrlaCodProd = nullptr, *qrlaDescProd = nullptr,
                        *qrlaQtdeProd = nullptr, *qrlaUnitProd = nullptr, *qrlaTotalProd = nullptr;
    host::report::Label *qrlaPrevisao = nullptr, *qrlaImediato = nullptr, *qrlaDias = nullptr;
    host::report::DataText* qrtePrevisao = nullptr;
    host::report::Label *qrlaHoraTipo = nullptr, *qrlaHoraValor = nullptr, *qrlaHorasVariadas = nullptr;
    host::report::Label *qrlaTotal = nullptr, *qrlaValorTotal = nullptr, *qrlaTotalExtras = nullptr,
                        *qrlaValorExtras = nullptr;
    host::report::Memo* qrmeObservacao = nullptr;

private:
    void criarOrdem();
    void criarItens();
    void criarLinhas();
    void criarTotais();
    void QuickRepBeforePrint();
    void qrsdItensOSBeforePrint();
    void qrbnRodItensBeforePrint(bool& PrintBand);
    void qrsdServicosBeforePrint(bool& PrintBand);
    void qrbnTotalizadorBeforePrint();
    void compactarLaudo();

    bool laudoOculto_ = false;
};

extern host::ui::FormVar<TqrAssOSOrcamentoCompleto> qrAssOSOrcamentoCompleto;
