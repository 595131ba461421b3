#pragma once
// The host's composition package: the window that shows what a product is
// made of (AGPC03CM), for the product in general or for one equipment of it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QLabel;
class QPushButton;

namespace host::data {
class DataSource;
class Query;
}
namespace host::ui {
class DataGrid;
}

class TfmComposicao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmComposicao(QWidget* parent = nullptr);
    ~TfmComposicao() override;

    // Loads the components of the product; with a serial number, those
    // recorded for that equipment, or the product's own when it has none.
    void CarregaComposicao(const QString& produto, const QString& numeroSerie);

    std::unique_ptr<host::data::Query> quComposicao;
    host::ui::DataGrid* dbgdComposicao = nullptr;
    QLabel* laProduto = nullptr;
    QPushButton* bbFechar = nullptr;

private:
    std::unique_ptr<host::data::DataSource> dsComposicao_;
};

extern host::ui::FormVar<TfmComposicao> fmComposicao;

// Opens the composition window of the product (and equipment, when a serial
// number is given): modal when asked, otherwise the single non-modal window
// is reused and brought forward.
void AbrirComposicao(const QString& produto, const QString& numeroSerie, bool modal);
