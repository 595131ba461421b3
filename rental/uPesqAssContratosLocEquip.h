#pragma once
// TfmPesquisaAssContratosLocEquip (fmPesquisaAssContratosLocEquip): the
// modal search of rental contracts ("Pesquisa de Contratos de Locação
// Equipamentos") that uPesqAssContratosLocEquip::SelecionaContrato shows.
// "OK" runs one statement over the contract header with the filled filters;
// a double click on a listed contract picks it. The dialog lives only while
// SelecionaContrato runs.

#include "contracts/uPesqAssContratos.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDate>
#include <QString>

#include <memory>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DateEdit;
class StatusBar;
}  // namespace host::ui

namespace uPesqAssContratosLocEquip {

// What the filters hold; a null date is no filter, a code of 0 too.
struct Filtro {
    int codigo = 0;
    // 0 "Todas", 1 "Não Definida", 2 "Pendente", 3 "Realizada".
    int status = 0;
    QString numero, cliente, equipamento, nsEquipamento, item, nsItem;
    QDate retirada, retiradaEm;
    QString desativados;   // "Somente" lists only deactivated contracts
    QDate terminoDe, terminoAte;
    using Onde = FiltroPesquisaContratos::Onde;
    Onde onde = Onde::Contendo;
    // 0 "Código", 1 "Número Contrato", 2 "Cliente", 3 "Equipamento",
    // 4 "NS Equipamento", 5 "Item", 6 "NS Item".
    int ordem = 0;
};

// The conditions of the given filters, in their fixed order.
QString Condicoes(const Filtro& filtro);
// The whole statement: one row per contract, in the chosen order.
QString SqlPesquisa(const Filtro& filtro);
// "Código" as typed: 0 when it is not a whole number.
int CodigoDigitado(const QString& texto);

// The modal search: true with the chosen contract's code and number when a
// listed contract was double-clicked; false, the arguments unchanged,
// otherwise. The dialog is always released.
bool SelecionaContrato(int& contrato, QString& numero);

}  // namespace uPesqAssContratosLocEquip

class TfmPesquisaAssContratosLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssContratosLocEquip(QWidget* parent = nullptr);
    ~TfmPesquisaAssContratosLocEquip() override;

    std::unique_ptr<host::data::Query> quConsulta;
    std::unique_ptr<host::data::DataSource> dsConsulta;

    QLineEdit* edCodigo = nullptr;
    QLineEdit* edNroContrato = nullptr;
    QLineEdit* edCliente = nullptr;
    QLineEdit* edEquipamento = nullptr;
    QLineEdit* edNSEquipamento = nullptr;
    QLineEdit* edItem = nullptr;
    QLineEdit* edNSItem = nullptr;
    host::ui::DateEdit* deRetirada = nullptr;
    host::ui::DateEdit* deRetiradaEm = nullptr;
    QComboBox* cbStatusRetirada = nullptr;
    host::ui::DateEdit* deTerminoDe = nullptr;
    host::ui::DateEdit* deTerminoAte = nullptr;
    QComboBox* cbDesativados = nullptr;
    QPushButton* sbPesqCli = nullptr;
    QPushButton* sbPesqEquip = nullptr;
    QPushButton* sbPesqNSEquip = nullptr;
    QPushButton* sbPesqItem = nullptr;
    QPushButton* sbPesqNSItem = nullptr;
    QRadioButton* rbComecando = nullptr;
    QRadioButton* rbContendo = nullptr;
    QRadioButton* rbTerminando = nullptr;
    QButtonGroup* rgOnde = nullptr;
    QButtonGroup* rgOrdem = nullptr;
    QPushButton* bbPesquisa = nullptr;
    host::ui::DataGrid* dbgdContratosLocEqui = nullptr;
    host::ui::StatusBar* stInformacao = nullptr;

    QString Pesquisar(int code, int status, const QString& number, const QString& customer,
                      const QString& equipment, const QString& equipmentSerial, const QString& item,
                      const QString& itemSerial, const QDate& pickUp, const QDate& pickUpOn,
                      const QString& deactivated, const QDate& validFrom, const QDate& validTo);
    void bbPesquisaClick();
    bool FiltrosValidos();
    void dbgdContratosLocEquiDblClick();
    void sbPesqCliClick();
    void sbPesqEquipClick();
    void sbPesqItemClick();
    void sbPesqNSEquipClick();
    void sbPesqNSItemClick();
    void FormClose();

private:
    void criarControles();
    QWidget* criarFiltros();
};

extern host::ui::FormVar<TfmPesquisaAssContratosLocEquip> fmPesquisaAssContratosLocEquip;
