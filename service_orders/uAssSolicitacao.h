#pragma once
// TfmAssSolicitacao (fmAssSolicitacao): parts requests. One request at a
// time: its header (requesting technician, service order, observation,
// situation) and its item lines, all in TdmTec's quSolicita and
// quSolicitaIt. The request is sent to pending, filled from the order's
// parts, entered by bar code (F9, F10; uAssSolicitacaoBarras.cpp), its
// deliveries looked at and its delivered quantities handed to a new parts
// settlement window. One instance lives in fmAssSolicitacao; closing it
// frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QCheckBox;
class QPushButton;
class QToolButton;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class GridColumn;
class StatusBar;
}  // namespace host::ui

class TfmAssSolicitacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSolicitacao(QWidget* parent = nullptr);
    ~TfmAssSolicitacao() override;

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void bbNovoClick();
    void bbSalvarClick();
    void bbEnviarClick();
    void bbEstoqueClick();
    void bbImprimirClick();
    void bbCancelarClick();
    void bbExcluirClick();
    void bbSairClick();
    void bbPesquisarClick();
    void bbPesqOSClick();
    void dbgdAssSolicitacaoTitleClick(host::ui::GridColumn& Column);
    void dbgdAssSolicitacaoEditButtonClick();
    void dbgdAssSolicitacaoDblClick();

    // ---- routines ----
    // The order of the request and, when the user wants them, its parts
    // lines copied into the request.
    void ColocarOrdemServico(int aoCodigo);
    void AbrirEntregasSolicitacao(int iSolicitacao, int iSequencia);
    // One delivery of an item line (bar-code entry).
    void EntregarPecasSolicitacao(const QString& sProduto, const QString& sBarras, int iSolicitacao,
                                  int iSequencia);

    std::unique_ptr<host::data::DataSource> dsSolicita;
    std::unique_ptr<host::data::DataSource> dsSolicitaIt;
    std::unique_ptr<host::data::DataSource> dsTecnicos;

    host::ui::DataEdit* dbedCodigo = nullptr;
    QToolButton* bbPesquisar = nullptr;
    host::ui::DataLookupCombo* dblcSolicitante = nullptr;
    host::ui::DataEdit* dbedOS = nullptr;
    QToolButton* bbPesqOS = nullptr;
    host::ui::DataLabel* dbteSituacao = nullptr;
    host::ui::DataEdit* dbedObs = nullptr;
    QCheckBox* ckBarras = nullptr;
    host::ui::DataGrid* dbgdAssSolicitacao = nullptr;
    host::ui::StatusBar* stAtalhos = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbEnviar = nullptr;
    QPushButton* bbEstoque = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;

private:
    void criarCabecalho();
    void criarGrade();
    void criarBotoes();
    int solicitacaoAtual() const;
    // Bar-code entry (uAssSolicitacaoBarras.cpp).
    void produtoPorBarras();
    void ordemPorBarras();
    bool tecnicoPorBarras(const QString& caption, const QString& label);
    void perguntarEstoque(const QString& produto, double estoque);
    void inserirLinhaBarras(const QString& produto, double quantidade);
};

// The technician of the current bar-code entry (an ATCODIGO as text) and the
// last technician bar code read; both live as long as the module.
extern QString sCodigoTecnico;
extern QString sCodigoTecnicoAnt;

extern host::ui::FormVar<TfmAssSolicitacao> fmAssSolicitacao;
