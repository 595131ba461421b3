// The rental fields of contract items (quCtrCadastroIt): closing an item
// stamps its closing date and return hour, returning it checks lateness and
// offers the late-return fine, and a new quantity may ask for the serial
// numbers again.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
namespace L = uDataTecContLocacao;
using L::campo;

namespace {

QDate data(Dataset& dataset, const char* nome)
{
    const QDateTime valor = campo(dataset, nome).asDateTime();
    return L::dataVazia(valor) ? QDate() : valor.date();
}

int hora(Dataset& dataset, const char* nome)
{
    const QDateTime valor = campo(dataset, nome).asDateTime();
    return valor.isValid() ? valor.time().hour() : 0;
}

// When the piece came back: the closing day and hour of a closed line, else
// now (returned without being closed first).
QDateTime retornoItem(Dataset& item)
{
    const QDate encerramento = data(item, "ACITDATAENCERRAMENTO");
    if (!encerramento.isValid())
        return L::agora();
    const QDateTime horaEntrada = campo(item, "ACITHORAENTRADA").asDateTime();
    return QDateTime(encerramento, horaEntrada.isValid() ? horaEntrada.time() : QTime(0, 0));
}

}  // namespace

void TdmTecContrato::quCtrCadastroItACITENCERRADOChange(Field& field)
{
    Dataset& item = field.dataset();
    if (field.asString() == "S") {
        const QDateTime agora = L::agora();
        campo(item, "ACITDATAENCERRAMENTO").setAsDateTime(host::db::localDateTime(agora.date()));
        campo(item, "ACITHORAENTRADA").setAsDateTime(L::horaDoDia(agora.time()));
    } else {
        // Reopened: no closing date (null), as every reader of an open row expects.
        campo(item, "ACITDATAENCERRAMENTO").clear();
        campo(item, "ACITHORAENTRADA").setAsDateTime(L::dataZero());
    }
}

void TdmTecContrato::quCtrCadastroItACITDEVOLVIDOChange(Field&)
{
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "T")
        DevolverItemContrato();
}

void TdmTecContrato::DevolverItemContrato()
{
    Dataset& item = *quCtrCadastroIt;
    // Judged at the return, closed first or not: a closed line came back at
    // its closing hour, an open one now.
    const QDateTime retorno = retornoItem(item);
    if (L::ItemAtrasado(campo(item, "ACITDATAENTREGA").asDateTime(), L::horaDoDia(retorno.time()), retorno))
        GerarMultaAtrasoCR();
}

void TdmTecContrato::GerarMultaAtrasoCR()
{
    Dataset& item = *quCtrCadastroIt;
    const QDateTime retorno = retornoItem(item);
    L::ItemMulta dados;
    dados.periodo = campo(item, "ACITPERIODO").asString();
    dados.valor = campo(item, "ACITVALOR").asFloat();
    dados.frete = campo(item, "ACITFRETE").asFloat();
    dados.instalacao = data(item, "ACITINSTALACAO");
    dados.entrega = data(item, "ACITDATAENTREGA");
    dados.encerramento = retorno.date();
    dados.horaSaida = hora(item, "ACITHORASAIDA");
    dados.horaEntrada = retorno.time().hour();
    const double multa = L::ValorMultaAtraso(dados);
    // Late by hours a period's price does not count: nothing to charge.
    if (multa <= 0)
        return;
    if (MostraPergunta("O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no valor de " +
                           host::data::formatFloat("###,###,###,###,##0.00", multa),
                       {"Sim", "Não"}) != "Sim")
        return;
    if (item.state() != DatasetState::Edit && item.state() != DatasetState::Insert)
        item.edit();
    campo(item, "ACITVALORMULTA").setAsFloat(multa);
}

void TdmTecContrato::quCtrCadastroItACITQUANTIDADEChange(Field& field)
{
    Dataset& item = field.dataset();
    Field& serie = campo(item, "ACITNUMEROSERIE");
    if (parametroMaiusculo("ATMODOPEDIDOASSISTENCIA") != "C" || serie.asString().trimmed().isEmpty())
        return;
    if (field.value() == field.oldValue() || serie.asString() != "<selecionado>")
        return;
    if (MostraPergunta("Confirma uma nova seleção de Número(s) de Série?", {"Sim", "Não"}) == "Sim")
        serie.clear();
    else
        item.cancel();
}
