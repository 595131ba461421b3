#pragma once
// TqrAssCheckoutProtocolo (qrAssCheckoutProtocolo): the protocol that goes
// with the equipment of a rental contract, "Protocolo de Entrega" (with the
// delivery data and a signature block) or "Protocolo de Retirada" (with the
// pick-up data): the contract's equipment, then its complements, each with
// quantity, code, description and serial numbers. Created on the first print
// and kept for the next.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

namespace host::data {
class Query;
}
namespace host::report {
class Band;
class Label;
class Memo;
class Report;
class RichText;
}  // namespace host::report

namespace uAssCheckoutProtocoloRegras {
// ACCOMPROVANTE as printed: "R" Recibo, "N" Nota Fiscal, "C" Carta de Devolução.
QString TextoComprovante(const QString& codigo);
// "Campinas, 05 de março de 2024".
QString LocalData(const QString& cidade, const QDate& data);
// The description of a line: the product's text, or the contract's note for
// the generic product, then the composition in mode "E".
QString DescricaoEquipamento(const QString& equipamento, bool generico, const QString& notaContrato,
                             const QStringList& composicao);
}  // namespace uAssCheckoutProtocoloRegras

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

    // Loads the contract, sets the bands for the kind ("Entrega" or
    // "Retirada"), lays the protocol out and opens the host's viewer.
    void Visualizar(int contrato, const QString& modelo);

private:
    void criarCabecalho();
    void criarEntrega();
    void criarRetirada();
    void criarItens();
    void criarAssinatura();
    void QuickRep1BeforePrint();
    void qrbnEquipamentosBeforePrint();

    int contrato_ = 0;
    QString modo_, generico1_, generico2_;
    QString notaContrato_;
    std::unique_ptr<host::data::Query> quSerie_;
};

extern host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo;

// Previews the delivery ("Entrega") or pick-up ("Retirada") protocol of the contract.
void VisualizarProtocoloEntregaContrato(int contrato, const QString& modelo);
