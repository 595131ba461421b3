#pragma once
// TfmAssEntradaEquip (fmAssEntradaEquip): the check-in of returned rental
// equipment ("Entrada de Equipamentos"). The user builds a list of serial
// numbers (typed, picked or loaded from a CSV file; bar codes in assistance
// mode "E"), lists the rented equipment still out with them, and confirms
// their return with a justification per item. One instance lives in
// fmAssEntradaEquip; closing it only hides it, and it is shown again as it
// was.
//
// Sources: uAssEntradaEquip.cpp (controls and handlers),
// uAssEntradaEquipRegras.cpp (the list, the file and the statement).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>
#include <QStringList>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpacerItem;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DataLabel;
}  // namespace host::ui

namespace uAssEntradaEquip {

// The list with one more value, quoted as an SQL literal: the value alone
// when the list is blank, else the trimmed list, ", " and the value.
QString AdicionaValorLista(const QString& lista, const QString& valor);
// The list a CSV file's lines give: each line trimmed, an empty one
// skipped, its values between ";" (a trailing ";" allowed) taken as they
// are, in order.
QString ListaDoArquivo(const QStringList& linhas);
// Whether the text is nothing but quoted literals separated by commas (or
// blank): what the user typed into the list goes into the statement whole.
bool ListaValida(const QString& lista);
// The listing statement (the list must be valid); an empty list lists every rented serial number
// still out. In mode "E" the list holds the products' other codes.
QString SqlConsulta(const QString& lista, bool codigoBarras);
// The values of the list (serial numbers or bar codes) that no listed row
// carries, in the list's order, each once.
QStringList ValoresNaoEncontrados(const QString& lista, const QStringList& listados);
// Records the serial number's return from the contract's item of the
// product (every item of the product when 0), marks returned each of them
// that has no piece left out, and commits; false when none is there
// (another desk deleted them since the listing).
bool MarcaRetornoItens(int contrato, const QString& produto, const QString& numero, int item = 0);

}  // namespace uAssEntradaEquip

class TfmAssEntradaEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEntradaEquip(QWidget* parent = nullptr);
    ~TfmAssEntradaEquip() override;

    std::unique_ptr<host::data::Query> quConsulta;
    std::unique_ptr<host::data::DataSource> dsConsulta;

    QLabel* laNroSerie = nullptr;
    QLineEdit* edNroSerie = nullptr;
    QPushButton* bbIncluir = nullptr;
    QPushButton* bbPesqEquip = nullptr;
    QPushButton* bbCarregaArq = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbConfirma = nullptr;
    host::ui::DataGrid* dbgdAssEntradaEquip = nullptr;
    QLabel* laTotalRegistros = nullptr;
    host::ui::DataLabel* laAbrirCfgEquipamento = nullptr;

    void FormShow();
    void bbIncluirClick();
    void bbPesqEquipClick();
    void bbCarregaArqClick();
    void bbPesquisarClick();
    void bbConfirmaClick();
    void dbgdAssEntradaEquipDblClick();
    void laAbrirCfgEquipamentoClick();

    // Lists the rented equipment of the list (trimmed) and shows the count.
    void Pesquisar(const QString& lista);
    // The list from a CSV file chosen by the user; false when cancelled.
    bool CarregarArquivo();
    // Marks every listed item returned, each with its justification.
    void ExecutaEntradaEquipamentos();

private:
    void criarControles();
    bool modoCodigoBarras() const;
    QString naoEncontrados() const;
    // Mode "E" moves the list and the configuration link this far right.
    QSpacerItem* recuoLista_ = nullptr;
    QSpacerItem* recuoConfiguracao_ = nullptr;
};

extern host::ui::FormVar<TfmAssEntradaEquip> fmAssEntradaEquip;
