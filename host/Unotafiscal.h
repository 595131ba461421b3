#pragma once
// The host's invoice form (unit Unotafical, TfmNotaFiscal, global
// fmNotaFiscal): a small emitter of outgoing invoices over the host tables.
// An order of AVEC8501 is made current, its invoice is written (header
// ACEM1401 with the next number of its series at the order's branch, one
// line in ACEM14IT per order line) and the order is marked invoiced. The
// form also lists invoices (quNotaFiscal) for the user to see and print.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QLineEdit;
class QPushButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
}

class TfmNotaFiscal : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmNotaFiscal(QWidget* parent = nullptr);
    ~TfmNotaFiscal() override;

    // The orders to invoice (callers may replace its statement; the columns
    // read here are NUMERO_PEDIDO, OPERACAO and AUX1).
    std::unique_ptr<host::data::Query> quPedido;
    // The invoices shown to the user.
    std::unique_ptr<host::data::Query> quNotaFiscal;
    std::unique_ptr<host::data::DataSource> dsPedido;
    std::unique_ptr<host::data::DataSource> dsNotaFiscal;
    host::ui::DataGrid* dbgdPedido = nullptr;
    host::ui::DataGrid* dbgdNotaFiscal = nullptr;
    // The order to invoice and, beside it, the control that loads it
    // (PesquisarPedidoVendas on the box's number).
    QLineEdit* edPedido = nullptr;
    QPushButton* sbCarregaPedido = nullptr;
    // The invoice issued last: its number and series.
    QLineEdit* edDocumento = nullptr;
    QLineEdit* edSerie = nullptr;

    // Makes the order the current row of quPedido: the third argument, or
    // the fourth when the third is empty. An unknown order raises.
    void PesquisarPedidoVendas(int iModo, int iFilial, const QString& sPedido, const QString& sPedidoAlternativo);
    // Issues the invoice of the order with the operation (the order's own
    // when empty) and leaves its number and series in edDocumento and
    // edSerie. An order that is missing, already invoiced or closed, has no
    // lines, or whose operation is not registered raises std::runtime_error;
    // then nothing of that invoice stays.
    void EmissaoNotaFiscalSaida(const QString& sPedido, const QString& sSerie, const QString& sOperacao,
                                const QString& sTexto1, const QString& sTexto2, bool bFlag, double rAux1,
                                bool bMostrar);
    // Issues the invoice of the loaded order (the current row of quPedido)
    // and leaves its number and series in edDocumento and edSerie at once.
    // No order loaded, or a refused emission, raises std::runtime_error.
    void GerarNotaFiscal(bool bMostrar);
    // Lists in quNotaFiscal the invoices of the series numbered from the
    // first to the last that also meet the condition ("and(...)" over the
    // alias mov), and shows the form.
    void NFSelecionaLote(const QString& sPrimeira, const QString& sUltima, const QString& sCondicao,
                         const QString& sSerie);

    QString numeroNota() const;
    QString serieNota() const;
    // The branch (LOCAL_DOC) of the invoice issued last.
    QString localNota() const { return local_; }

private:
    // The invoice issued last. The fields show it once events run: a batch
    // issues invoices faster than a field can lay its text out for each.
    void exibeNota();
    QString numero_, serie_, local_;
    bool exibicaoPendente_ = false;

public:

    // The series an order's invoice gets: the order's VESERIENF, else "01".
    static constexpr const char* kSeriePadrao = "01";
};

extern host::ui::FormVar<TfmNotaFiscal> fmNotaFiscal;
