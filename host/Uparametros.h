#pragma once
// The host's parameters window: the parameter record (one row per field:
// its description, name and value), the company record (one row per column) and the branches
// (one row each: code, name, tax number, web site), all editable but the
// branch's code; "Salvar" writes the changes and commits, all or nothing.

#include "host/ui/Form.h"

class QTableWidget;
class QPushButton;

class TfmParametros : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmParametros(QWidget* parent = nullptr);

    QTableWidget* grdParametros = nullptr;
    QTableWidget* grdEmpresa = nullptr;
    QTableWidget* grdFiliais = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbFechar = nullptr;

    void Carregar();   // fills both grids from dmGlobal
    // Writes the changed values and commits retaining; when the database
    // refuses one, nothing of this save is kept and the failure is raised.
    void Salvar();

private:
    void gravarParametros();
    void gravarEmpresa();
    void carregarFiliais();
    void gravarFiliais();
};
