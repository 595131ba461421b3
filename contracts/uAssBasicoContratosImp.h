#pragma once
// TqrAssBasicoContratosImp (qrAssBasicoContratosImp): the printed basic
// contract ("Cadastro de Contratos" / "Completo"): the company header, the
// contract of dmTec->quContrato, its equipment (quContEquip) and its
// additional text. The report is the form's QuickRep1; the form lives while
// the print runs and is freed after it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::report {
class Band;
class DataText;
class Label;
class Memo;
class Report;
}  // namespace host::report

class TqrAssBasicoContratosImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssBasicoContratosImp(QWidget* parent = nullptr);
    ~TqrAssBasicoContratosImp() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnContrato = nullptr;
    host::report::Band* qrbnEquipamentos = nullptr;
    host::report::Band* qrbnCabEquipamentos = nullptr;
    host::report::Band* qrbnTexto = nullptr;
    host::report::Label* qrlaTitEquipamento = nullptr;
    host::report::Label* qrlaTitSerie = nullptr;
    host::report::Label* qrlaTitInterno = nullptr;
    host::report::DataText* qrteSerie = nullptr;
    host::report::DataText* qrteInterno = nullptr;
    host::report::Memo* qrmeTexto = nullptr;

private:
    void criarTitulo();
    void criarContrato();
    void criarEquipamentos();
    void QuickRep1BeforePrint();
};

extern host::ui::FormVar<TqrAssBasicoContratosImp> qrAssBasicoContratosImp;
