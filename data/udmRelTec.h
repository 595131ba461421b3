#pragma once
// TDmRelTec, the report data module (global DmRelTec): the module's
// script-engine reports and the datasets that feed them. Created on demand
// by the windows that print with it and kept alive afterwards.
//
// Files: udmRelTec.cpp (components, open log, the item list's detail rules),
// udmRelTecAbertura.cpp (the two budgets' openings), udmRelTecRelatorios.h
// with udmRelTecSelecao.cpp, udmRelTecOrcamentos.cpp and
// udmRelTecLocacao.cpp (the seven report layouts and their rules).

#include "host/data/DataModule.h"
#include "host/report/Controls.h"

namespace host::data {
class Dataset;
class DataSource;
class MemDataset;
class Query;
}

class TfrSelecaoItemOS;
class TfrOrdemServResumido;
class TfrOrdemServCompleto;
class TfrOrdemServComprovante;
class TfrxNotaLocacao;
class TfrxEntregaEquipamentos;
class TfrxContrato;

class TDmRelTec : public host::data::DataModule {
public:
    explicit TDmRelTec(host::Component* owner = nullptr);
    ~TDmRelTec() override;

    // ---- queries (the host's transaction) ----
    host::data::Query* qSelecaoItemOS = nullptr;     // one row per order item (the selection window sets the condition)
    host::data::Query* quServicoOSRel = nullptr;     // service lines of the current item
    host::data::Query* quPecasOSRel = nullptr;       // parts lines of the current item
    host::data::Query* quEquipCliOS = nullptr;       // the equipment of the current order's customer
    host::data::MemDataset* jvOrdemServResumido = nullptr;   // the four texts of the summary budget
    // The receipt's instalments, read for the printing alone: the host's
    // receivables list is the one the registers show.
    host::data::Query* quNotaReceber = nullptr;

    // ---- report datasets (user names in quotes) ----
    host::report::ReportDataset* dsSelecaoItemOS = nullptr;   // "dsSelecaoItemOS"
    host::report::ReportDataset* dsServicoOsRel = nullptr;    // "dsServicoOsRel"
    host::report::ReportDataset* dsPecasOSRel = nullptr;      // "dsPecasOSRel"
    host::report::ReportDataset* frxDBEmpresa = nullptr;      // "Empresa": dmGlobal->quEmpresa
    host::report::ReportDataset* dsOS = nullptr;              // "dsOS": dmTec->quOS
    host::report::ReportDataset* dsOsItem = nullptr;          // "dsOsItem": dmTec->quOSItem
    host::report::ReportDataset* dsOsAndamento = nullptr;     // "dsOsAndamento": dmTec->quOSAndamento
    host::report::ReportDataset* dsOsPecas = nullptr;         // "dsOsPecas": dmTec->quOSPecas
    host::report::ReportDataset* dsOrdemServResumido = nullptr;   // "dsOrdemServResumido"
    host::report::ReportDataset* dsEquipCliOS = nullptr;      // "dsEquipCliOS"
    host::report::ReportDataset* frxdbNota = nullptr;         // "frxdbNota": dmGlobal->quMov
    host::report::ReportDataset* frxdbNotaItem = nullptr;     // "frxdbNotaItem": dmGlobal->quMovItem
    host::report::ReportDataset* frxdbNotaReceber = nullptr;  // "frxdbNotaReceber": quNotaReceber
    host::report::ReportDataset* frxdbCliente = nullptr;      // "RelClienteContrato": dmGlobal->quClienteConsulta
    host::report::ReportDataset* frxdbCadastroContrato = nullptr;      // "RelCadastroContrato"
    host::report::ReportDataset* frxdbEquipamentoContrato = nullptr;   // "RelEquipamentoContrato"
    host::report::ReportDataset* frxdbAcessorioContrato = nullptr;     // "RelAcessorioContrato"
    host::data::DataSource* dsNota = nullptr;
    host::data::DataSource* dsNotaItem = nullptr;
    host::data::DataSource* dsNotaReceber = nullptr;

    // ---- reports ----
    TfrSelecaoItemOS* frSelecaoItemOS = nullptr;
    TfrOrdemServResumido* frOrdemServResumido = nullptr;
    TfrOrdemServCompleto* frOrdemServCompleto = nullptr;
    TfrOrdemServComprovante* frOrdemServComprovante = nullptr;
    TfrxNotaLocacao* frxNotaLocacao = nullptr;
    TfrxEntregaEquipamentos* frxEntregaEquipamentos = nullptr;
    TfrxContrato* frxContrato = nullptr;

    // Opens quNotaReceber on the instalments of one customer's document.
    void CarregaNotaReceber(const QString& cliente, const QString& documento);

    // The summary budget and the complete budget of the order current in
    // dmTec->quOS, shown in the host's viewer.
    void AbreFrOrdemServicoResumido();
    void AbreFrOrdemServCompleto();

    // ---- dataset handlers ----
    void qSelecaoItemOSBeforeOpen(host::data::Dataset& dataset);
    void qSelecaoItemOSAfterOpen(host::data::Dataset& dataset);
    void qSelecaoItemOSAfterScroll(host::data::Dataset& dataset);
    void quServicoOSRelBeforeOpen(host::data::Dataset& dataset);
    void quServicoOSRelAfterOpen(host::data::Dataset& dataset);
    void quPecasOSRelBeforeOpen(host::data::Dataset& dataset);
    void quPecasOSRelAfterOpen(host::data::Dataset& dataset);
    void quEquipCliOSBeforeOpen(host::data::Dataset& dataset);
    void quEquipCliOSAfterOpen(host::data::Dataset& dataset);

    // Points the report datasets at the data modules' datasets as they are
    // now (every report does so before it prints).
    void ReiniciaDatasets();

    // The stored select of the item list (before the selection window's condition).
    static QString sqlSelecaoItemOS();

private:
    host::data::Query* newQuery(const char* name, const QString& sql);
    host::report::ReportDataset* newReportDataset(const char* name, const char* userName,
                                                  host::data::Dataset* dataset = nullptr);
    void createFields();
    void bindEvents();
    // Rebuilds one detail list of the current item; a failure is shown and the list goes on.
    void carregaDetalheItem(host::data::Query& query, const QString& select, const QString& from,
                            const QString& juncao);
};

extern host::data::DataModuleVar<TDmRelTec> DmRelTec;

// The contract data module's datasets that the rental reports print (the
// contract, its rented equipment and accessories), each null while that
// module is not there. That module sits above this one: it installs the
// reading when it is made.
struct DatasetsContratoRel {
    host::data::Dataset* cadastro = nullptr;
    host::data::Dataset* equipamentos = nullptr;
    host::data::Dataset* acessorios = nullptr;
};
using LeituraDatasetsContratoRel = DatasetsContratoRel (*)();
void InstalarDatasetsContratoRel(LeituraDatasetsContratoRel leitura);
