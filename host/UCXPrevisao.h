#pragma once
// The host's cash-forecast dialog: the cash-account rows of one receivable
// ("R") or the template rows of one contract ("C"), edited in place in
// dmGlobal->quCXPrev. Each post and delete is committed at once.

#include "host/ui/Form.h"

#include <QString>

class QLabel;
class QPushButton;

namespace host::data {
class Dataset;
class DataSource;
}
namespace host::ui {
class DataGrid;
}

class TfmCXPrevisao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmCXPrevisao(QWidget* parent = nullptr);
    ~TfmCXPrevisao() override;

    host::ui::DataGrid* dbgdCXPrev = nullptr;
    QLabel* laTotal = nullptr;
    QPushButton* bbIncluir = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbConfirmar = nullptr;
    QPushButton* bbCancelar = nullptr;

    // The distributed total, shown under the grid.
    void AtualizaTotal();

private:
    host::data::DataSource* dsCXPrev_ = nullptr;
};

// Opens the dialog on the rows that belong to the current row of the dataset:
// "R" a receivable (quReceber: NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA,
// CODIGO_FILIAL), "C" a contract (ACCODIGO, ACLOCAL). True when confirmed.
// quCXPrev is closed on return (its before-close rule runs).
bool SelecionaCXPrevisao(const QString& tipo, host::data::Dataset& origem);
