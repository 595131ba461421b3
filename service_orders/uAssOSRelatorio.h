#pragma once
// The printed documents of a service order share one shape: a form that
// owns its band report (QuickRep) over the current order of dmTec->quOS and
// its detail datasets, previewed in the host's viewer, and a handful of
// rules every member follows (line descriptions, phone, vehicle or equipment
// captions, person type, the additional observation).

#include "host/ui/Form.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <vector>

namespace host::data {
class Dataset;
}
namespace host::report {
class Band;
class Control;
class DataText;
class Label;
class Report;
}  // namespace host::report

class TqrAssOSRelatorio : public host::ui::Form {
    Q_OBJECT
public:
    TqrAssOSRelatorio(QWidget* parent, const QString& titulo);
    ~TqrAssOSRelatorio() override;

    std::unique_ptr<host::report::Report> QuickRep;

    // The host's report viewer; returns once the viewer is closed, so the
    // caller may free the report as soon as this returns.
    void QuickRepPreview();
};

namespace uAssOSRelatorio {

bool modoVeiculo();   // ATMODOVEICULO "O": the items are vehicles
int ordemAtual();     // AOCODIGO of quOS

// Both customer phones joined by " / " when both are filled, else the first.
QString telefoneCliente();
// A line whose own product is generic prints its note instead of the
// product's description.
QString descricaoLinha(host::data::Dataset& linhas, const char* observacao);
// The customer is a legal person ("J"): CGC/CNPJ and state registration.
bool pessoaJuridica();
QString segundoDocumento();   // state registration (CLIE) or identity card
// The order's additional observation (AUGC70OB, obid 'A').
QString observacaoAdicional(int aoCodigo);

// Controls in the family's look: bold captions, plain values.
host::report::Label* rotulo(host::report::Band& band, const QString& nome, double left, double top, double width,
                            const QString& caption);
host::report::DataText* campo(host::report::Band& band, const QString& nome, double left, double top, double width,
                              host::data::Dataset* dataset, const QString& field);
// A table of lines: a sub-detail of the master with a column per entry; the
// column titles go to the band given (the previous section's footer). The
// column "DESCRICAO" follows the line-description rule with that note. With
// a header name and no band given, the table gets its own header with the
// title and the column titles.
struct ColunaOS {
    const char* nome;
    const char* titulo;
    const char* campo;
    double left, width;
    bool valor;
};
host::report::Band* tabelaLinhas(host::report::Band& mestre, const QString& nome, host::data::Dataset* linhas,
                                 const QString& prefixo, std::initializer_list<ColunaOS> colunas,
                                 host::report::Band* titulos, const char* observacao,
                                 const QString& cabecalho = {}, const QString& tituloCabecalho = {});
// True when the dataset is open with a row.
bool temLinhas(host::data::Dataset* linhas);
// "###,###,###,###,##0.00", the money of the printed documents.
QString valorOS(double valor);

// The company header (quEmpresa): logo, name, address, phones, CGC, the
// document's title and the issue date and time.
host::report::Band* cabecalhoEmpresa(host::report::Report& report, const QString& nome, const QString& titulo);

}  // namespace uAssOSRelatorio
