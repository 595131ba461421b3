#pragma once
// The host's observation window (unit Uobservacao, TfmObservacao): a memo
// over a text field of any dataset, and the routine that edits one text of
// the host table AUGC70OB in it.

#include "host/ui/Form.h"

#include <memory>

class QLabel;
class QPushButton;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataMemo;
}

class TfmObservacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmObservacao(QWidget* parent = nullptr);
    ~TfmObservacao() override;

    // The caller binds the memo: dsObservacao->setDataset(...) and
    // dbmeObservacao->setDataField(...). "&Gravar" (also Ctrl+Enter) closes
    // with OK, "&Cancelar" and Esc with Cancel; saving is the caller's.
    std::unique_ptr<host::data::DataSource> dsObservacao;
    host::ui::DataMemo* dbmeObservacao = nullptr;
    QLabel* laTamanho = nullptr;   // "n de m caracteres" when a maximum is set
    QPushButton* bbGravar = nullptr;
    QPushButton* bbCancelar = nullptr;

    // 0: no limit. Longer text typed or pasted is cut to it.
    void setTamanhoMaximo(int tamanho);
    int tamanhoMaximo() const { return tamanhoMaximo_; }

private:
    void limitarTexto();
    int tamanhoMaximo_ = 0;
};
