#pragma once
// TqrAssCheckoutProtocolo (qrAssCheckoutProtocolo): the protocol printed with
// the equipment of one rental contract, "Protocolo de Entrega" when it leaves
// for the customer, "Protocolo de Retirada" when it is collected. It reads the
// contract header and items straight from AATC05AC and AATC05ACIT through its
// own queries. Made once, owned by the application and reused by later calls.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDate>
#include <QString>

#include <memory>

namespace host::data {
class Dataset;
class Query;
}
namespace host::report {
class Band;
class Label;
class Memo;
class Report;
class RichText;
}  // namespace host::report

class TqrAssCheckoutProtocolo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssCheckoutProtocolo(QWidget* parent = nullptr);
    ~TqrAssCheckoutProtocolo() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    std::unique_ptr<host::data::Query> quImpContrato;
    std::unique_ptr<host::data::Query> quImpEquip;

    host::report::Band* qrbnCabecalho = nullptr;
    host::report::Band* chbnEntrega = nullptr;
    host::report::Band* qrbnRetirada = nullptr;
    host::report::Band* qrbnGrupo = nullptr;
    host::report::Band* qrbnEquipamentos = nullptr;
    host::report::Band* qrbnAssinatura = nullptr;
    host::report::Label* qrlaTitulo = nullptr;
    host::report::Label* qrlaLocalData = nullptr;
    host::report::RichText* qrmeDescricao = nullptr;
    host::report::Memo* qrmeSerie = nullptr;

    // Opens both queries on the contract and sets title and bands by kind
    // ("Entrega" or "Retirada"; any other keeps them as they were).
    void Preparar(int contrato, const QString& tipo);

private:
    void criarCabecalho();
    void criarEntrega();
    void criarRetirada();
    void criarItens();
    void criarAssinatura();
    void qrbnEquipamentosBeforePrint();
    QString descricaoDaLinha();
    QStringList seriesDaLinha();
};

extern host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo;

// Previews the contract's protocol in the host's report viewer (not modal).
void VisualizarProtocoloEntregaContrato(int contrato, const QString& tipo);

namespace uAssCheckoutProtocolo {
// The contract header the rental printouts read (the protocol and the
// printed contract): the contract, its customer, manager and four contacts,
// by :ACCODIGO. `endereco` is the customer's address (CLIEND) as the
// printout writes it; `outrasColunas` (", ac.X, ...") what it reads besides.
QString SqlCabecalhoContrato(const QString& endereco, const QString& outrasColunas);
// "R" Recibo, "N" Nota Fiscal, "C" Carta de Devolução; any other: empty.
QString TextoComprovante(const QString& codigo);
// The company's tax number as the contract's branch prints it (the header
// statement's ACLOCAL).
QString cnpjDoContrato(const host::data::Dataset& contrato);
// The signature's place and date: "<city>, 05 de março de 2024".
QString LocalData(const QString& cidade, const QDate& data);
// The contract's own note (OBID "U"), which describes a line of a generic
// product; a failure is shown and gives `semNota`. The printed rental
// contract describes its lines with these two routines too.
QString NotaContratoGenerico(int contrato, const QString& semNota);
// In mode "E" (ATMODOPEDIDOASSISTENCIA): "\nItens Composição: " and a line
// "<component code> - <its description>" per component of the product; otherwise "".
QString ComposicaoDescricao(const QString& produto);
}  // namespace uAssCheckoutProtocolo
