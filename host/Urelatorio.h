#pragma once
// The host's generic reports (unit Urelatorio): the list report TqrRelatorio
// over any dataset (company header, title, subtitle, system and program
// lines, a column per field, page numbers), and the reports of a query or a
// grid that the registers and searches print.

#include "host/report/Report.h"

#include <memory>
#include <vector>

namespace host::data {
class Dataset;
class Query;
}
namespace host::ui {
class DataGrid;
}

class TqrRelatorio : public host::report::Report {
public:
    explicit TqrRelatorio(host::data::Dataset* dataset, host::Component* owner = nullptr);
    ~TqrRelatorio() override;

    void setTitulo(const QString& titulo);
    void setSubtitulo(const QString& subtitulo);
    void setSistema(const QString& sistema);
    void setPrograma(const QString& programa);   // the table or program line

    // A column: the caption over the field's text. x is a position in the
    // report's screen units (pixels at 96 per inch from the left margin);
    // -1 puts the column after the previous one. Width in millimetres, 0:
    // from the field's size and the caption.
    void AdicionaColuna(const QString& caption, const QString& field, int x = -1, double width = 0);
    // A summary line with the sum of a numeric field.
    void AdicionaTotal(const QString& caption, const QString& field);

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* qrbnColunas = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnTotal = nullptr;
    host::report::Band* qrbnRodape = nullptr;
    host::report::Label* qrlaTitulo = nullptr;
    host::report::Label* qrlaSubtitulo = nullptr;
    host::report::Label* qrlaSistema = nullptr;
    host::report::Label* qrlaPrograma = nullptr;

private:
    void buildHeader();
    struct Column {
        host::report::Label* caption;
        host::report::DataText* text;
        host::data::Field* field;   // null when the dataset has no such field
        bool placed;                // by the caller's x
    };
    void fitColumns();
    void scaleColumns();
    void flowColumns();
    void placeInOneLine();
    void wrapWhenWider(Column& column, double width) const;
    double neededWidth(const Column& column) const;
    double fullWidth(const Column& column) const;
    void placeFrame();

    host::data::Dataset* dataset_;
    std::vector<Column> columns_;
};

// The list report while it prints (created by the caller, freed after the preview).
extern std::unique_ptr<TqrRelatorio> qrRelatorio;

// Every visible field of the query that is known by a caption (its label, or
// a control or grid column showing it), under that caption; preview (waits)
// or print on the default printer.
void QuerytoRelatorio(host::data::Query& query, bool visualizar);
// The grid's visible columns with their titles and widths, over its dataset;
// the title is the caption of the grid's window.
void GridtoRelatorio(host::ui::DataGrid& grid, bool visualizar);
// The same with a title and an information line under it.
void GridtoRelatorioComInfo(host::ui::DataGrid& grid, bool visualizar, const QString& titulo, const QString& info,
                            const QString& reservado1 = {}, const QString& reservado2 = {});
// The same with a summary line of the sum given as "sum(dataset.FIELD)".
void GridtoRelatorioComTotal(host::ui::DataGrid& grid, bool visualizar, const QString& soma,
                             const QString& reservado = {}, int n1 = 0, int n2 = 0, int n3 = 0, int n4 = 0);

// Page positions stored per report number ("PosicaoRelatorio.ini" in the
// system folder, section "[Relatorio_<n>]", keys "Esquerda" and "Topo" in
// millimetres): the report's left and top margins move by what is stored
// for its number; nothing stored, nothing moves. The owner and the first
// band are the classic call's and are kept for the callers.
void AplicaPosicionamentoPagina(host::report::Report& relatorio, int numero, host::report::Report& dono,
                                host::report::Band* primeiraBanda);
void GravaPosicionamentoPagina(int numero, double esquerda, double topo);
