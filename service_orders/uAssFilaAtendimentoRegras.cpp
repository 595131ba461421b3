// The rules of the queue's entries: defaults of a new entry, the order an
// entry names, the sequence numbering of a technician's day (and the swap of
// two numbers), what is written back into the order, and removal.

#include "service_orders/uAssFilaAtendimento.h"
#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/TravaExecucao.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"

#include <QComboBox>
#include <QThread>

#include <memory>

using fila_atendimento::semData;

namespace {

bool mesmaDataFila(const QDateTime& a, const QDateTime& b)
{
    return (semData(a) && semData(b)) || a == b;
}

// " where" + the orders of the technician (0: none) on the entry's day. An
// entry without a date has its own day: the date is stored as null (or, in
// older rows, as the zero date).
QString filaDoTecnicoNoDia(int tecnico, const QDateTime& data)
{
    const QString doTecnico =
        tecnico > 0 ? " where ATCODIGO = " + QString::number(tecnico) : QString(" where coalesce(ATCODIGO, 0) = 0");
    const QDateTime dia = semData(data) ? QDateTime(host::data::diaZero(), QTime(0, 0)) : data;
    const QString doDia = "AODATASAIDA >= " + DateTimeIniToSQL(dia) + " and AODATASAIDA <= " + DateTimeFimToSQL(dia);
    return doTecnico + (semData(data) ? " and (AODATASAIDA is null or " + doDia + ")" : " and " + doDia);
}

QVariant nuloSeZero(int valor) { return valor > 0 ? QVariant(valor) : QVariant(); }

// The order's columns an entry of the queue writes.
const char* const kColunasDaFila[] = {"AOSEQATENDIMENTO", "ATCODIGO", "AODATASAIDA", "AOTURNO", "AORETORNO"};

QVariantList valoresDaFila(const host::data::Query& os)
{
    QVariantList valores;
    for (const char* coluna : kColunasDaFila)
        valores << os.fieldByName(coluna)->value();
    return valores;
}

// The queue shows the order of its entry in the order window, on purpose:
// that window takes it as its own.
void mostrarNaJanela(int ordem)
{
    CarregaOrdemServico(ordem);
    if (TfmAssOrdemServico* janela = fmAssOrdemServico.get())
        janela->SeguirOrdemMostrada();
}

}  // namespace

// The queue's positions are read and written by one desk at a time, up to
// the commit of the order: two desks reading the largest position at once
// would give the same position to two orders.
void TfmAssFilaAtendimento::tomarVezNaFila()
{
    constexpr int kTentativas = 40;
    for (int vez = 1; !vez_; ++vez) {
        auto trava = std::make_unique<host::TravaExecucao>("FILAATENDIMENTO");
        if (trava->obtida())
            vez_ = std::move(trava);
        else if (vez >= kTentativas)
            recusarNaFila("Outra estação está alterando a fila de atendimento neste momento. Tente novamente.");
        else
            QThread::msleep(50);
    }
}

// A refusal lets the other desks go on while it is read.
void TfmAssFilaAtendimento::recusarNaFila(const QString& texto)
{
    vez_.reset();
    dmGlobal->MostraAviso("Aviso: operação abortada.\r" + texto, true);
    host::abortOperation();
}

void TfmAssFilaAtendimento::cdsFilaAtenNewRecord()
{
    cdsFilaAtenTURNO->setAsString("M");
    cdsFilaAtenRETORNO->setAsString("N");
    if (!semData(ultimaData_) && !ultimoTurno_.trimmed().isEmpty() && ultimoTecnico_ > 0) {
        cdsFilaAtenDATASAIDA->setAsDateTime(ultimaData_);
        cdsFilaAtenTURNO->setAsString(ultimoTurno_);
        cdsFilaAtenATCODIGO->setAsInteger(ultimoTecnico_);
    }
}

void TfmAssFilaAtendimento::cdsFilaAtenAOCODIGOChange()
{
    if (cdsFilaAtenAOCODIGO->asInteger() > 0)
        mostrarNaJanela(cdsFilaAtenAOCODIGO->asInteger());
}

void TfmAssFilaAtendimento::cdsFilaAtenAfterScroll()
{
    if (!cdsFilaAten->isEmpty() && cdsFilaAtenAOCODIGO->asInteger() > 0 &&
        dmTec->quOSAOCODIGO->asInteger() != cdsFilaAtenAOCODIGO->asInteger())
        mostrarNaJanela(cdsFilaAtenAOCODIGO->asInteger());
}

void TfmAssFilaAtendimento::cdsFilaAtenBeforePost()
{
    const int ordem = cdsFilaAtenAOCODIGO->asInteger();
    if (ordem <= 0)
        return;
    if (CarregaNumeroInteiro("count(*)", "AATC01AO", " where AOCODIGO = " + QString::number(ordem)) <= 0)
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo da Ordem de Serviço é inválido!", true);
    // A refused number or order change leaves the order's queue columns as
    // they were, and what the user typed on the order as typed; the entry
    // itself is still posted and the reload shows the stored values again.
    host::data::Query& os = *dmTec->quOS;
    const bool digitando = os.editing() && dmTec->quOSAOCODIGO->asInteger() == ordem;
    const QVariantList antes = digitando ? valoresDaFila(os) : QVariantList();
    const auto desfazer = [&] {
        if (!digitando)
            CancelarAlteracoes(os);
        else if (os.editing() && dmTec->quOSAOCODIGO->asInteger() == ordem)
            for (int i = 0; i < antes.size(); ++i)
                os.fieldByName(kColunasDaFila[i])->setValue(antes[i]);
    };
    try {
        VerificaSeqAtendimento(cdsFilaAtenATCODIGO->asInteger(), cdsFilaAtenDATASAIDA->asDateTime());
        gravarNaOrdem();
    } catch (const host::Abort&) {
        desfazer();
    } catch (const std::exception&) {
        desfazer();
    }
    vez_.reset();
}

// The entry's queue columns into its order, posted (and committed) at once.
void TfmAssFilaAtendimento::gravarNaOrdem()
{
    const int ordem = cdsFilaAtenAOCODIGO->asInteger();
    TdmTec& tec = *dmTec;
    if (!tec.quOS->active() || tec.quOSAOCODIGO->asInteger() != ordem)
        mostrarNaJanela(ordem);
    host::data::Query& os = *tec.quOS;
    if (!os.editing())
        os.edit();
    os.fieldByName("AOSEQATENDIMENTO")->setAsInteger(cdsFilaAtenSEQ->asInteger());
    os.fieldByName("ATCODIGO")->setValue(nuloSeZero(cdsFilaAtenATCODIGO->asInteger()));
    const QDateTime data = cdsFilaAtenDATASAIDA->asDateTime();
    os.fieldByName("AODATASAIDA")->setValue(semData(data) ? QVariant() : QVariant(data));
    os.fieldByName("AOTURNO")->setValue(cdsFilaAtenTURNO->value());
    os.fieldByName("AORETORNO")->setValue(cdsFilaAtenRETORNO->value());
    os.post();
}

void TfmAssFilaAtendimento::cdsFilaAtenAfterPost()
{
    if (cdsFilaAtenAOCODIGO->asInteger() <= 0)
        return;
    ultimaData_ = cdsFilaAtenDATASAIDA->asDateTime();
    ultimoTurno_ = cdsFilaAtenTURNO->asString();
    ultimoTecnico_ = cdsFilaAtenATCODIGO->asInteger();
    bbOkClick();
}

void TfmAssFilaAtendimento::VerificaSeqAtendimento(int Technician, const QDateTime& Date)
{
    host::data::MemDataset& lista = *cdsFilaAten;
    if (lista.state() == host::data::DatasetState::Insert) {
        // Undated entries, and those of no technician, are numbered as a
        // day's are: numbers stay unique per technician and day.
        tomarVezNaFila();
        if (cdsFilaAtenSEQ->asInteger() < 1)
            cdsFilaAtenSEQ->setAsInteger(CarregaNumeroInteiro("coalesce(MAX(aoseqatendimento) + 1, 1)", "AATC01AO",
                                                               filaDoTecnicoNoDia(Technician, Date)));
        else
            recusarPosicaoOcupada(Technician, Date, cdsFilaAtenSEQ->asInteger());
        return;
    }
    if (lista.state() != host::data::DatasetState::Edit)
        return;
    if (cdsFilaAtenATCODIGO->oldValue().toInt() != Technician ||
        !mesmaDataFila(cdsFilaAtenDATASAIDA->oldValue().toDateTime(), Date))
        recusarNaFila("Não é permitida a troca de Técnico e/ou Data após agendamento.");
    const int anterior = cdsFilaAtenSEQ->oldValue().toInt();
    const int nova = cdsFilaAtenSEQ->asInteger();
    // Below 1 the order would silently leave the queue: removing is the link's.
    if (nova < 1 && anterior != nova)
        recusarNaFila("A posição na fila deve ser 1 ou mais.");
    tomarVezNaFila();
    // Another order typed over the entry takes the position only when no
    // order holds it: the one it replaces in the list still does.
    if (cdsFilaAtenAOCODIGO->oldValue().toInt() != cdsFilaAtenAOCODIGO->asInteger()) {
        if (nova >= 1)
            recusarPosicaoOcupada(Technician, Date, nova);
    } else if (anterior != nova)
        trocarSequencia(Technician, Date, anterior, nova);
}

// An entry, new or naming another order, typed with a position another
// order of the technician's day holds would make two visits in one slot.
void TfmAssFilaAtendimento::recusarPosicaoOcupada(int Technician, const QDateTime& Date, int posicao)
{
    const int outra = CarregaNumeroInteiro("coalesce(max(AOCODIGO), 0)", "AATC01AO",
                                           filaDoTecnicoNoDia(Technician, Date) + " and AOSEQATENDIMENTO = " +
                                               QString::number(posicao) + " and AOCODIGO <> " +
                                               QString::number(cdsFilaAtenAOCODIGO->asInteger()));
    if (outra > 0)
        recusarNaFila("A posição " + QString::number(posicao) + " já é da Ordem de Serviço " + QString::number(outra) +
                      " neste dia.");
}

// The entry's order takes the new number and the order of that technician
// and day that held it takes the old one.
void TfmAssFilaAtendimento::trocarSequencia(int Technician, const QDateTime& Date, int anterior, int nova)
{
    const QString doDia = filaDoTecnicoNoDia(Technician, Date);
    const QStringList sequencias =
        CarregaVariosDados("AOSEQATENDIMENTO", "AATC01AO", doDia + " Order by AOSEQATENDIMENTO ", ";")
            .split(';', Qt::SkipEmptyParts);
    if (!sequencias.contains(QString::number(anterior)) || nova <= 0)
        return;
    const int outra = CarregaNumeroInteiro("coalesce(AOCODIGO, 0)", "AATC01AO",
                                           doDia + " and AOSEQATENDIMENTO = " + QString::number(nova));
    UpdateCampoCommit("AATC01AO", "AOSEQATENDIMENTO", QString::number(nova),
                      " where AOCODIGO = " + cdsFilaAtenAOCODIGO->asString());
    if (outra > 0)
        UpdateCampoCommit("AATC01AO", "AOSEQATENDIMENTO", QString::number(anterior),
                          " where AOCODIGO = " + QString::number(outra));
    dmTec->RelerOSAlterada(cdsFilaAtenAOCODIGO->asInteger());
    dmTec->RelerOSAlterada(outra);
}

void TfmAssFilaAtendimento::laRemoveFilaClick()
{
    if (MostraPergunta("Deseja remover o(s) registro(s) selecionado(s) da Fila de Atendimento?", {"Sim", "Não"}) !=
        "Sim")
        return;
    host::data::MemDataset& lista = *cdsFilaAten;
    QList<int> ordens;
    for (int registro : dbgdFilaAten->selectedRows()) {
        host::data::Dataset::RowScope linha(lista, registro);
        ordens << cdsFilaAtenAOCODIGO->asInteger();
    }
    host::data::Query& os = *dmTec->quOS;
    for (int ordem : ordens) {
        if (ordem <= 0)
            continue;
        mostrarNaJanela(ordem);
        os.edit();
        os.fieldByName("AOSEQATENDIMENTO")->setAsInteger(0);
        os.post();
    }
    dbgdFilaAten->clearSelectedRows();
    bbOkClick();
    dmGlobal->MostraAviso("Operação efetuada com sucesso!");
}
