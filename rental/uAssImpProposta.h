#pragma once
// TqrAssImpProposta (qrAssImpProposta): the rental proposal letter: opening
// text, addressee, proposal number and date line, one framed block per
// requested line (group, group photo, configuration, quantity, period, unit
// value with the value in words), closing text, signature and the commercial
// conditions. The company's own texts and pictures come from the host's
// parameters (ATPROPOSTA...). Created once and reused.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace host::data {
class Dataset;
class Query;
}
namespace host::report {
class Band;
class DataText;
class Image;
class Label;
class Memo;
class Report;
}  // namespace host::report

class TqrAssImpProposta : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssImpProposta(QWidget* parent = nullptr);
    ~TqrAssImpProposta() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::data::Query* quImpProposta = nullptr;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnResumo = nullptr;
    host::report::Band* qrbnRodape = nullptr;
    host::report::Label* qrlaData = nullptr;
    host::report::Image* qriGrupoFoto = nullptr;
    host::report::Memo* qrmeConfiguracao = nullptr;
    host::report::Label* qrlaValorUnitario = nullptr;
    host::report::DataText* qrteValorUnitario = nullptr;

    // Closes the query, sets the proposal and opens it again.
    void CarregarProposta(const QString& pedido);

private:
    void criarCabecalho();
    void criarTitulo();
    void criarDetalhe();
    void criarResumo();
    void qrbnTituloBeforePrint();
    void qrbnDetalheBeforePrint(bool& imprimir);

    std::unique_ptr<host::data::Query> quImpProposta_;
};

extern host::ui::FormVar<TqrAssImpProposta> qrAssImpProposta;

// Prints the proposal (its NUMERO_PEDIDO) in the host's report viewer,
// unless the viewer already shows it (exported for the host).
void VisualizarPropostaAssVenda(const QString& pedido);

namespace uAssImpProposta {

// City + ", " + day "00" + " de " + month name + " de " + year (without the
// city and its comma when the city is empty).
QString LinhaData(const QString& cidade, int dia, int mes, int ano);
// "Valor Unitário Mensal:" when the period's days are a multiple of 30 (0
// included), else "Valor Unitário p/ Período:".
QString CaptionValorUnitario(int dias);
// "R$ 1.234,50 (mil duzentos e trinta e quatro reais e cinquenta centavos)"
// when the text reads as a number; otherwise the text unchanged.
QString TextoValorUnitario(const QString& texto);
// The footer's two lines of the branch that writes the letter (read from the
// letter's query; empty when it has no row): its name and tax number; its
// address, telephone and web site, empty parts left out.
struct LinhasEmpresa {
    QString identificacao, contato;
};
LinhasEmpresa RodapeEmpresa(const host::data::Dataset& proposta);
// The moment the letter is dated with: invalid (the default) takes the
// database's clock; tests set a fixed one.
void DefinirRelogio(const QDateTime& momento);

}  // namespace uAssImpProposta
