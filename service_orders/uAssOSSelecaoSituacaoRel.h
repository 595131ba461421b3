#pragma once
// TqrAssOSSelecaoSituacaoRel (qrAssOSSelecaoSituacaoRel): the printed orders
// by situation of the report selection, with the invoices of each order. It
// prints the selection window's situation query; the window hands it its
// choices (invoice kind, summary, technician, invoice dates) before printing.
// Each order's values count once in the totals although the query gives one
// row per item.

#include "service_orders/uAssOSSelecaoRelComum.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDateTime>

#include <memory>

namespace host::data {
class Dataset;
}

class TqrAssOSSelecaoSituacaoRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSSelecaoSituacaoRel(QWidget* parent = nullptr);
    ~TqrAssOSSelecaoSituacaoRel() override;

    // The rows to print (the window's quPesqSituacao).
    void setDados(host::data::Dataset* dados);

    // ---- the window's choices ----
    QString sSituacao = QStringLiteral("Ambas");   // cbSituacao
    bool bResumido = false;                        // ckResumido
    bool bTecnico = false;                         // ckTecnico
    QString sNFIni, sNFFim;                        // edNFIni / edNFFim, "" when empty

    // The numbers of at most two stock documents of the order in the invoice
    // date range ("-CA" after a cancelled one), "000000" when there is none;
    // sData gets their dates ("dd/mm/yy", joined by "-"), " " when none.
    // Marks bPrimeiroCancelado when the first one is cancelled.
    QString RetornaNumeroDocumento(const QString& sCodigo, QString& sData);
    // Whether a row with that invoice number prints under the invoice kind.
    bool LinhaImprime(const QString& sNumero) const;

    bool bPrimeiroCancelado = false;   // the first document of the current order is cancelled
    QDateTime dtPrimeiroDocumento;     // and its date
    double rTotalServicos = 0;
    double rTotalPecas = 0;
    double rTotalOS = 0;
    QString sUltimaOS;                 // the last order counted
    int iLancamentos = 0;              // rows printed

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnColunas = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnResumo = nullptr;
    host::report::Label* qrlaSubtitulo = nullptr;
    host::report::Label* qrlaNumeroNF = nullptr;
    host::report::Label* qrlaDataNF = nullptr;

private:
    void criarColunas();
    void criarResumo();
    void QuickRep1BeforePrint();
    void qrbnDetalheBeforePrint(bool& printBand);
    bool dentroDoPeriodoNF() const;

    std::unique_ptr<host::report::ReportDataset> dados_;
    uAssOSSelecaoRel::ColunaSelecao os_, cliente_, serie_, classificacao_, situacao_, entrada_, saida_, tecnico_;
    host::report::Label* tituloNumeroNF_ = nullptr;
    host::report::Label* tituloDataNF_ = nullptr;
};

extern host::ui::FormVar<TqrAssOSSelecaoSituacaoRel> qrAssOSSelecaoSituacaoRel;
