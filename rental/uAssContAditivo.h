#pragma once
// TfmAssContAditivo (fmAssContAditivo, "Aditivo"): an amendment to the
// vehicle lines of the contract standing in the contract data module: the
// inclusion of a vehicle, the substitution of one by another or the return
// of one. Shown modally; one instance lives in fmAssContAditivo and closing
// it frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace host::ui {
class CurrencyEdit;
class DateEdit;
class PageControl;
class TabSheet;
}  // namespace host::ui

namespace uAssContAditivo {

// The next amendment number of the contract: the highest of its lines + 1
// (1 when it has none), read as it stands in the database.
int NumeroAditivo(int contrato);

// A vehicle typed as text: its code, or the conversion error.
int CodigoVeiculo(const QString& texto);

}  // namespace uAssContAditivo

class TfmAssContAditivo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContAditivo(QWidget* parent = nullptr);
    ~TfmAssContAditivo() override;

    QGroupBox* gbOpcao = nullptr;
    QPushButton* bbInc = nullptr;
    QPushButton* bbSub = nullptr;
    QPushButton* bbDev = nullptr;
    host::ui::PageControl* pcAditivo = nullptr;
    host::ui::TabSheet* tsInclusao = nullptr;
    host::ui::TabSheet* tsSubstituicao = nullptr;
    host::ui::TabSheet* tsDevolucao = nullptr;
    QLineEdit* edIncVeic = nullptr;
    QToolButton* sbIncPesqVeic = nullptr;
    QLineEdit* edIncPlaca = nullptr;
    host::ui::CurrencyEdit* edIncValor = nullptr;
    host::ui::DateEdit* edIncData = nullptr;
    QLineEdit* edSubVeicAnt = nullptr;
    QToolButton* sbSuvPesqVeic = nullptr;
    QLineEdit* edSubPlacaAnt = nullptr;
    host::ui::DateEdit* edSubData = nullptr;
    QLineEdit* edSubVeicNovo = nullptr;
    QToolButton* sbSuvPesqVeicNovo = nullptr;
    QLineEdit* edSubPlacaNovo = nullptr;
    host::ui::CurrencyEdit* edSubValor = nullptr;
    QLineEdit* edDevVeic = nullptr;
    QToolButton* sbDevPesqVeic = nullptr;
    QLineEdit* edDevPlaca = nullptr;
    host::ui::DateEdit* edDevData = nullptr;
    QWidget* paBotoes = nullptr;
    QPushButton* bbLimpa = nullptr;
    QPushButton* bbSalva = nullptr;
    QPushButton* bbSair = nullptr;

    void FormShow();
    void bbIncClick();
    void bbSubClick();
    void bbDevClick();
    void bbLimpaClick();
    void bbSalvaClick();
    void PesquisaVeiculo(QLineEdit* veiculo, QLineEdit* placa);

private:
    void criarControles();
    void escolheOpcao(host::ui::TabSheet* aba);
    void limpaAba(host::ui::TabSheet* aba);
    int contratoAtual() const;
    void abreLinhasDoContrato();
    void SalvarInclusao();
    void SalvarSubstituicao();
    void SalvarDevolucao();
    // A new line of the current contract, posted through the line's rules.
    void IncluiLinha(const QString& aditivo, const QString& veiculo, const QString& placa, double valor,
                     const QDateTime& inicio);
};

extern host::ui::FormVar<TfmAssContAditivo> fmAssContAditivo;
