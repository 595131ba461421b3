#pragma once
// TqrAssContratoLocEquip (qrAssContratoLocEquip): the printed rental contract
// ("Contrato de Locação"): the contract's header data, its equipment and
// complements with quantities, descriptions, serial numbers and values, the
// instalments of the host's receivables (quReceber) as fixed-width lines, and
// the contract history. Created once and reused; the queries are its own.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDateTime>
#include <QStringList>

#include <memory>

namespace host::data {
class Dataset;
class Query;
}  // namespace host::data
namespace host::report {
class Band;
class Label;
class Memo;
class Report;
class RichText;
}  // namespace host::report

class TqrAssContratoLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssContratoLocEquip(QWidget* parent = nullptr);
    ~TqrAssContratoLocEquip() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::data::Query* quImpContrato = nullptr;
    host::data::Query* quImpEquip = nullptr;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* chbnEntrega = nullptr;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnGrupo = nullptr;
    host::report::Band* qrbnEquipamentos = nullptr;
    host::report::Band* qrbnVencimentos = nullptr;
    host::report::Band* chbnHistorico = nullptr;
    host::report::Band* qrbnRodape = nullptr;
    host::report::Label* qrlaTitulo = nullptr;
    host::report::RichText* qrmeDescricao = nullptr;
    host::report::Memo* qrmeSerie = nullptr;
    host::report::RichText* qrreVencimentos = nullptr;

    // Closes both queries, sets the contract and opens them again.
    void CarregarContrato(int contrato);

private:
    void criarCabecalho();
    void criarTitulo();
    void criarItens();
    void criarVencimentos();
    void criarRodape();
    void qrbnEquipamentosBeforePrint();

    std::unique_ptr<host::data::Query> quImpContrato_;
    std::unique_ptr<host::data::Query> quImpEquip_;
};

extern host::ui::FormVar<TqrAssContratoLocEquip> qrAssContratoLocEquip;

// Prints the contract in the host's report viewer (exported for the host).
void VisualizarContratoLocacaoEquipamentos(int contrato);

namespace uAssContratoLocEquip {

// The trimmed text, blanks inside it turned into `preenchimento`, filled on
// the right with it up to `largura`; a longer text is cut to the width.
QString FormataDados(const QString& texto, QChar preenchimento, int largura);
// "DD/MM/YYYY", or "" for the zero date (30/12/1899) and an empty value.
QString FormataDataNull(const QDateTime& data);
// One fixed-width line (102 characters) per row of the receivables dataset,
// from its first row; none when it is closed or empty.
QStringList LinhasVencimentos(host::data::Dataset& receber);
// "Não" for a forecast ("V"), "Sim" for a blank situation, else the situation's meaning.
QString TextoFaturado(const QString& situacao);
// An item's description: its trimmed text (for either of the host's generic
// products, the contract's note "U"), then in mode "E" its composition, as
// the delivery protocol describes its lines.
QString DescricaoItem(const QString& equipamento, const QString& produto, int contrato);

}  // namespace uAssContratoLocEquip
