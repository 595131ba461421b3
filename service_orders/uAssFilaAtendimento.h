#pragma once
// TfmAssFilaAtendimento (fmAssFilaAtendimento): the external-service queue.
// The queue is the set of service orders whose AOSEQATENDIMENTO is above 0;
// the window lists them in an in-memory table (cdsFilaAten), one row per
// order, and writes what is typed there back into the order through dmTec's
// quOS. One instance lives in fmAssFilaAtendimento; closing it frees it.
//
// Sources: uAssFilaAtendimento.cpp (controls, loading), uAssFilaAtendimentoRegras.cpp
// (the entry rules, the sequence rule, removal).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace host {
class TravaExecucao;
}
namespace host::data {
class DataSource;
class Dataset;
class Field;
class MemDataset;
class Query;
}
namespace host::ui {
class DataGrid;
class DataLabel;
class DataLookupCombo;
class DateEdit;
}

class TfmAssFilaAtendimento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssFilaAtendimento(QWidget* parent = nullptr);
    ~TfmAssFilaAtendimento() override;

    // ---- data ----
    std::unique_ptr<host::data::Query> quFilaAten;        // the queued orders, filtered
    std::unique_ptr<host::data::Query> quTecnicosFila;    // technicians (look-ups, selection)
    std::unique_ptr<host::data::Query> quClientesFila;    // customers of orders (look-ups)
    std::unique_ptr<host::data::MemDataset> cdsFilaAten;
    std::unique_ptr<host::data::DataSource> dsFilaAten;
    std::unique_ptr<host::data::DataSource> dsTecnicosFila;
    host::data::Field* cdsFilaAtenDATASAIDA = nullptr;
    host::data::Field* cdsFilaAtenHORASAIDA = nullptr;
    host::data::Field* cdsFilaAtenATCODIGO = nullptr;
    host::data::Field* cdsFilaAtenSEQ = nullptr;
    host::data::Field* cdsFilaAtenAOCODIGO = nullptr;
    host::data::Field* cdsFilaAtenTURNO = nullptr;
    host::data::Field* cdsFilaAtenRETORNO = nullptr;
    host::data::Field* cdsFilaAtenCLCODIGO = nullptr;

    // ---- controls ----
    QGroupBox* gbSelecao = nullptr;
    host::ui::DataLookupCombo* dblcTecnico = nullptr;
    host::ui::DateEdit* edDataSaida = nullptr;
    QComboBox* cbTurno = nullptr;
    QComboBox* cbRetornado = nullptr;
    QPushButton* bbOk = nullptr;
    host::ui::DataLabel* laRemoveFila = nullptr;
    host::ui::DataGrid* dbgdFilaAten = nullptr;

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormClose();
    void bbOkClick();
    void laRemoveFilaClick();
    void dbgdFilaAtenEditButtonClick();

    void CarregaFilaAtendimento(const QString& Turn, const QString& Return, const QDateTime& Date, int Sequence,
                                int Technician);
    // The sequence rule, run before an entry is stored (refusals abandon).
    void VerificaSeqAtendimento(int Technician, const QDateTime& Date);

private:
    void criarDados();
    void montarTela();
    void cdsFilaAtenNewRecord();
    void cdsFilaAtenBeforePost();
    void cdsFilaAtenAfterPost();
    void cdsFilaAtenAfterScroll();
    void cdsFilaAtenAOCODIGOChange();
    void gravarNaOrdem();
    void trocarSequencia(int Technician, const QDateTime& Date, int anterior, int nova);
    void recusarPosicaoOcupada(int Technician, const QDateTime& Date, int posicao);

    // Held from the first read of the day's positions to the order's commit,
    // let go before any refusal is shown.
    std::unique_ptr<host::TravaExecucao> vez_;
    void tomarVezNaFila();
    [[noreturn]] void recusarNaFila(const QString& texto);

    // The last entry posted: the defaults of the next new one.
    QDateTime ultimaData_;
    QString ultimoTurno_;
    int ultimoTecnico_ = 0;
};

extern host::ui::FormVar<TfmAssFilaAtendimento> fmAssFilaAtendimento;

// Opens the queue (once) and loads it with the arguments.
void SelecionaFilaAtendimento(const QString& Turn, const QString& Return, const QDateTime& Date, int Sequence,
                              int Technician);

namespace fila_atendimento {
// The zero date (30/12/1899) or no date at all: no departure date.
bool semData(const QDateTime& data);
}
