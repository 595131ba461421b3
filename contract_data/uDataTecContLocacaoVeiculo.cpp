// The rules of the rental lines (quCtrVeiculo, AATC05ACEV): defaults, the
// unit's model and plate, the line value, end dates and situation, the
// checks before a post (the unit free, not twice on the contract, a reason
// for a change), and the unit's status after each post and delete. These
// rules report nothing to the customisation hook. The unit's status is
// committed with the line that changes it.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/CodigoCadastrado.h"
#include "host/FaixaDigitada.h"
#include "host/FiltroDia.h"
#include "host/PecaLocada.h"
#include "host/PilvTra70.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QList>
#include <QVariantMap>

#include <memory>
#include <utility>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
namespace L = uDataTecContLocacao;
using L::campo;

namespace {

QDateTime hojeLocacao()
{
    return host::db::localDateTime(L::agora().date());
}

// Before 01/01/1900: the zero date the lines store for "no end".
const QDateTime& limiteDataZero()
{
    static const QDateTime limite(QDate(1900, 1, 1), QTime(0, 0));
    return limite;
}

// The marks of a contract line that has come back: returned, closed, given back.
constexpr const char* kMarcasVolta[] = {"ACITRETORNO", "ACITENCERRADO", "ACITDEVOLVIDO"};

// Whether the rental view's row, as it is posted, puts its unit out: a unit
// chosen, or a row that had come back (returned, closed, given back) opened
// again with its unit.
bool poeEquipamentoFora(Dataset& linha)
{
    const Field& unidade = campo(linha, "EVCODIGO");
    if (unidade.isNull() || unidade.asInteger() == 0)
        return false;
    auto voltou = [&linha](bool antes) {
        for (const char* marca : kMarcasVolta) {
            const Field& f = campo(linha, marca);
            if ((antes ? f.oldValue() : f.value()).toString().trimmed() == "S")
                return true;
        }
        return false;
    };
    if (voltou(false))
        return false;
    return linha.state() == DatasetState::Insert || unidade.value() != unidade.oldValue() || voltou(true);
}

// The units whose status a contract line changes as it is posted: the one
// it had and the one it has, when the unit or a return mark changes.
QList<int> unidadesMudadas(Dataset& linha)
{
    const Field& unidade = campo(linha, "EVCODIGO");
    bool mudou = linha.state() == DatasetState::Insert || unidade.value() != unidade.oldValue();
    for (const char* marca : kMarcasVolta)
        mudou = mudou || campo(linha, marca).value() != campo(linha, marca).oldValue();
    QList<int> unidades;
    for (const QVariant& codigo : {unidade.oldValue(), unidade.value()})
        if (mudou && codigo.toInt() > 0 && !unidades.contains(codigo.toInt()))
            unidades.append(codigo.toInt());
    return unidades;
}

// Runs the rows' own event, then notes the units it changes.
Dataset::Event anotaUnidades(Dataset::Event proprio, std::shared_ptr<QList<int>> mudadas,
                             QList<int> (*unidades)(Dataset&))
{
    return [proprio, mudadas, unidades](Dataset& d) {
        mudadas->clear();
        if (proprio)
            proprio(d);
        *mudadas = unidades(d);
    };
}

// Writes the status of the units noted, then runs the rows' own event
// (which may commit them with the row).
Dataset::Event atualizaUnidades(Dataset::Event proprio, std::shared_ptr<QList<int>> mudadas)
{
    return [proprio, mudadas](Dataset& d) {
        for (int unidade : std::exchange(*mudadas, {}))
            AtualizaStatusVeiculo(unidade);
        if (proprio)
            proprio(d);
    };
}

// The status of the units a post of the rows puts out or brings back, or a
// delete brings back, follows it, written with the row.
void seguirStatusUnidades(Dataset& linhas)
{
    auto mudadas = std::make_shared<QList<int>>();
    linhas.beforePost = anotaUnidades(linhas.beforePost, mudadas, unidadesMudadas);
    linhas.afterPost = atualizaUnidades(linhas.afterPost, mudadas);
    linhas.beforeDelete = anotaUnidades(linhas.beforeDelete, mudadas, [](Dataset& d) {
        const int unidade = campo(d, "EVCODIGO").asInteger();
        return unidade > 0 ? QList<int>{unidade} : QList<int>{};
    });
    linhas.afterDelete = atualizaUnidades(linhas.afterDelete, mudadas);
}

// Whether the vehicle line, as it is posted, puts its unit out: active and
// not ending by today, and new, of another unit or opened again.
bool linhaVeiculoPoeFora(Dataset& linha)
{
    const Field& unidade = campo(linha, "EVCODIGO");
    const Field& situacao = campo(linha, "ACEVSITUACAO");
    const QDateTime fim = campo(linha, "ACEVDATAFIM").asDateTime();
    if (unidade.isNull() || situacao.asString() == "I" || (!L::dataVazia(fim) && fim.date() <= L::agora().date()))
        return false;
    return linha.state() == DatasetState::Insert || unidade.value() != unidade.oldValue() ||
           situacao.oldValue().toString() == "I";
}

// Whether the vehicle line, as it is posted, takes its unit for a day it did
// not have: new, of another unit, opened again, starting earlier or ending
// later. A line that keeps or gives back days (its return, its mileage) is
// never refused for what another line took meanwhile.
bool linhaVeiculoTomaMais(Dataset& linha)
{
    const Field& unidade = campo(linha, "EVCODIGO");
    const Field& situacao = campo(linha, "ACEVSITUACAO");
    if (unidade.isNull() || situacao.asString() == "I")
        return false;
    if (linha.state() == DatasetState::Insert || unidade.value() != unidade.oldValue() ||
        situacao.oldValue().toString() == "I")
        return true;
    const Field& inicio = campo(linha, "ACEVDATAINICIO");
    const QDateTime inicioAntes = inicio.oldValue().toDateTime();
    if (!L::dataVazia(inicioAntes) &&
        (L::dataVazia(inicio.asDateTime()) || inicio.asDateTime().date() < inicioAntes.date()))
        return true;
    const Field& fim = campo(linha, "ACEVDATAFIM");
    const QDateTime fimAntes = fim.oldValue().toDateTime();
    return !L::dataVazia(fimAntes) &&
           (L::dataVazia(fim.asDateTime()) || fim.asDateTime().date() > fimAntes.date());
}

// A vehicle code not registered would be rented and summed as nothing: it
// is refused as typed. The zero a new line starts with is no code yet.
void exigeVeiculoCadastrado(Field& veiculo)
{
    const host::data::Handler<void(Field&)> propria = veiculo.onValidate;
    veiculo.onValidate = [propria](Field& f) {
        if (f.asInteger() != 0 && !host::EquipamentoCadastrado(f.asString(), "L"))
            dmGlobal->MostraAviso(host::LegendaDigitada(f, "Código") + ": veículo " + f.asString().trimmed() +
                                      " não cadastrado.",
                                  true);
        if (propria)
            propria(f);
    };
}

void recusaVeiculoEmUso(const QVariant& contrato)
{
    if (contrato.isValid() && !contrato.isNull())
        dmGlobal->MostraAviso("Veículo está sendo utilizado no contrato código " + contrato.toString() + "!", true);
}

}  // namespace

void TdmTecContrato::ligarEventosLocacao()
{
    Dataset& linha = *quCtrVeiculo;
    linha.onNewRecord = [this](Dataset& d) { quCtrVeiculoNewRecord(d); };
    linha.beforePost = [this](Dataset& d) { quCtrVeiculoBeforePost(d); };
    linha.afterPost = [this](Dataset& d) { quCtrVeiculoAfterPost(d); };
    linha.onPostError = [this](Dataset&) { spVeiculo_.reset(); };
    linha.afterCancel = [this](Dataset&) { spVeiculo_.reset(); };
    linha.beforeDelete = [this](Dataset& d) { quCtrVeiculoBeforeDelete(d); };
    linha.afterDelete = [this](Dataset& d) { quCtrVeiculoAfterDelete(d); };
    linha.onDeleteError = [this](Dataset&) { spVeiculo_.reset(); };
    campo(linha, "EVCODIGO").onChange = [this](Field& f) { quCtrVeiculoEVCODIGOChange(f); };
    campo(linha, "ACEVDATAFIM").onChange = [this](Field& f) { quCtrVeiculoACEVDATAFIMChange(f); };
    campo(linha, "ACEVSITUACAO").onChange = [this](Field& f) { quCtrVeiculoACEVSITUACAOChange(f); };
    campo(linha, "ACEVSITUACAO").onValidate = [this](Field& f) { quCtrVeiculoACEVSITUACAOValidate(f); };
    campo(linha, "ACEVQTDE").onChange = [this](Field&) { CalculaTotalVeiculo(); };
    campo(linha, "ACEVVALORUNIT").onChange = [this](Field&) { CalculaTotalVeiculo(); };
    host::ExigeQuantidadePositiva(campo(linha, "ACEVQTDE"), "Quantidade");
    host::ExigePrecoNaoNegativo(campo(linha, "ACEVVALORUNIT"), "Valor Unitário");
    exigeVeiculoCadastrado(campo(linha, "EVCODIGO"));

    Dataset& item = *quCtrCadastroIt;
    campo(item, "ACITENCERRADO").onChange = [this](Field& f) { quCtrCadastroItACITENCERRADOChange(f); };
    campo(item, "ACITDEVOLVIDO").onChange = [this](Field& f) { quCtrCadastroItACITDEVOLVIDOChange(f); };
    campo(item, "ACITQUANTIDADE").onChange = [this](Field& f) { quCtrCadastroItACITQUANTIDADEChange(f); };

    quCtrContato->onNewRecord = [this](Dataset& d) { quCtrContatoNewRecord(d); };
    quCtrContato->beforePost = [this](Dataset& d) { quCtrContatoBeforePost(d); };

    // The rental views only choose the piece of equipment of lines the order
    // put on the contract: a row typed here has no product of its own.
    // A unit out on a line is out once: another line taking it is refused.
    for (Dataset* vista : {static_cast<Dataset*>(quCtrEquipLocacao), static_cast<Dataset*>(quCtrAcessLocacao)}) {
        vista->beforeInsert = [](Dataset&) { RecusaLinhaLocacaoDigitada(); };
        vista->beforePost = [](Dataset& d) {
            if (poeEquipamentoFora(d))
                host::TomarEquipamentoLocacao(campo(d, "EVCODIGO").asInteger(), campo(d, "ACITCODIGO").asInteger());
        };
    }
    for (Dataset* linhas : {static_cast<Dataset*>(quCtrEquipLocacao), static_cast<Dataset*>(quCtrAcessLocacao),
                            static_cast<Dataset*>(quCtrCadastroIt)})
        seguirStatusUnidades(*linhas);
    // A piece typed that is not registered would be rented and billed as
    // nothing: the equipment's lines take rentable equipment, accessories any piece.
    host::ExigeEquipamentoCadastrado(campo(*quCtrEquipLocacao, "EVCODIGO"), "Código", "L");
    host::ExigeEquipamentoCadastrado(campo(*quCtrAcessLocacao, "EVCODIGO"), "Código");
    // Nor is a unit rented at a price below zero: the contract's value would fall.
    for (Dataset* vista : {static_cast<Dataset*>(quCtrEquipLocacao), static_cast<Dataset*>(quCtrAcessLocacao)})
        for (const char* preco : {"ACITVALOR", "ACITVALORUNITARIO"})
            if (Field* valor = vista->findField(preco))
                host::ExigePrecoNaoNegativo(*valor, "Valor");
}

void TdmTecContrato::RecusaLinhaLocacaoDigitada()
{
    dmGlobal->MostraAviso("Os equipamentos entram no contrato pelo pedido de assistência: inclua-os no pedido e "
                          "finalize-o.\rNesta grade escolha o equipamento de cada linha pelo botão da coluna "
                          "\"Código\".",
                          true);
}

void TdmTecContrato::quCtrVeiculoNewRecord(Dataset& dataset)
{
    ZerarNumericField(dataset);
    campo(dataset, "ACCODIGO").setValue(quCtrCadastroACCODIGO->value());
    campo(dataset, "ACEVDATAINICIO").setAsDateTime(hojeLocacao());
    campo(dataset, "ACEVHORAINICIO").setAsDateTime(L::agora());
    campo(dataset, "ACEVSITUACAO").setAsString("A");
    campo(dataset, "ACEVTIPO").setAsString("A");
}

void TdmTecContrato::quCtrVeiculoEVCODIGOChange(Field& field)
{
    if (field.isNull())
        return;
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           "select evModelo, evPlaca from AUGC20EV where evCodigo = :EVCODIGO and EVID = 'L'");
    st.setParam("EVCODIGO", field.asInteger());
    st.execute();
    QVariant modelo, placa;
    if (st.fetch()) {
        modelo = st.value(0);
        placa = st.value(1);
        st.closeCursor();
    }
    campo(field.dataset(), "EVMODELO").setValue(modelo);
    campo(field.dataset(), "EVPLACA").setValue(placa);
}

void TdmTecContrato::CalculaTotalVeiculo()
{
    Dataset& linha = *quCtrVeiculo;
    if (linha.state() != DatasetState::Edit && linha.state() != DatasetState::Insert)
        return;
    const int quantidade = campo(linha, "ACEVQTDE").asInteger();
    const double unitario = campo(linha, "ACEVVALORUNIT").asFloat();
    if (quantidade > 0 && Trunc2Casas(unitario) > 0)
        campo(linha, "ACEVVALOR").setAsFloat(quantidade * unitario);
}

void TdmTecContrato::quCtrVeiculoACEVDATAFIMChange(Field& field)
{
    Dataset& linha = field.dataset();
    if (campo(linha, "ACEVSITUACAO").asString() != "I" || L::dataVazia(field.asDateTime()))
        return;
    const QString diario = CarregaDado("ajValorDiario", "AATC11AJ",
                                       "where AJCODIGO = " + QString::number(quCtrCadastro->fieldByName("AJCODIGO")->asInteger()));
    if (diario.trimmed().toUpper() != "S")
        return;
    if (MostraPergunta("Deseja calcular o valor total pelo dias do contrato?", {"Sim", "Não"}) != "Sim")
        return;
    const QDateTime inicio = campo(linha, "ACEVDATAINICIO").asDateTime();
    const int dias = L::dataVazia(inicio) ? 0 : DiasInteirosEntre(inicio, field.asDateTime());
    // The day's rate stays the unit value, the days the quantity, so an end
    // changed again is priced from the rate, never from the total.
    Field& unitario = campo(linha, "ACEVVALORUNIT");
    const double diaria =
        Trunc2Casas(unitario.asFloat()) > 0 ? unitario.asFloat() : campo(linha, "ACEVVALOR").asFloat();
    unitario.setAsFloat(diaria);
    if (dias > 0)
        campo(linha, "ACEVQTDE").setAsInteger(dias);
    campo(linha, "ACEVVALOR").setAsFloat(diaria * double(dias));
}

void TdmTecContrato::quCtrVeiculoACEVSITUACAOChange(Field& field)
{
    Dataset& linha = field.dataset();
    if (field.asString() != "I" || !L::dataVazia(campo(linha, "ACEVDATAFIM").asDateTime()))
        return;
    campo(linha, "ACEVDATAFIM").setAsDateTime(hojeLocacao());
    campo(linha, "ACEVHORAFIM").setAsDateTime(L::agora());
}

void TdmTecContrato::quCtrVeiculoACEVSITUACAOValidate(Field& field)
{
    Dataset& linha = field.dataset();
    const QDateTime fim = campo(linha, "ACEVDATAFIM").asDateTime();
    if (field.asString() != "A" || L::dataVazia(fim) || fim.date() > L::agora().date())
        return;
    // The line opens again: it has no end.
    campo(linha, "ACEVDATAFIM").clear();
    campo(linha, "ACEVHORAFIM").clear();
}

void TdmTecContrato::VerificaDisponibilidadeVeiculo(Dataset& linha)
{
    if (!linhaVeiculoTomaMais(linha))
        return;
    // Another contract's active line of the unit sharing any day with this
    // one holds it. An open end (empty or the zero date) reaches every day
    // after the start; an end is a whole day, kept at its midnight or at the
    // first hour of a day whose midnight the zone skipped.
    const QDateTime inicio = campo(linha, "ACEVDATAINICIO").asDateTime();
    const QDateTime fim = campo(linha, "ACEVDATAFIM").asDateTime();
    QString sql = "select first 1 ACCODIGO from AATC05ACEV where EVCODIGO = :EVCODIGO and ACCODIGO <> :ACCODIGO"
                  " and coalesce(ACEVSITUACAO, '') <> 'I'";
    QVariantMap params{{"EVCODIGO", campo(linha, "EVCODIGO").value()},
                       {"ACCODIGO", campo(linha, "ACCODIGO").asInteger()}};
    if (!L::dataVazia(fim)) {
        sql += " and ACEVDATAINICIO < :DEPOISDOFIM";
        params.insert("DEPOISDOFIM", host::fimExclusivoDoDia(fim.date()));
    }
    if (!L::dataVazia(inicio)) {
        sql += " and (ACEVDATAFIM is null or ACEVDATAFIM < :LIMITE or ACEVDATAFIM >= :INICIO)";
        params.insert("LIMITE", limiteDataZero());
        params.insert("INICIO", host::inicioDoDia(inicio.date()));
    }
    recusaVeiculoEmUso(
        host::db::selectValue(*dmGlobal->IBTransaction1, sql + " order by ACEVDATAINICIO", params));
    // A contract line that has not come back has the unit out as well.
    if (!linhaVeiculoPoeFora(linha))
        return;
    const QString linhas = host::SelectContratosLinhaFora(*dmGlobal->IBTransaction1);
    if (linhas.isEmpty())
        return;
    recusaVeiculoEmUso(host::db::selectValue(*dmGlobal->IBTransaction1,
                                             "select first 1 ACCODIGO from (" + linhas + ") fora order by 1",
                                             {{"UNIDADE", campo(linha, "EVCODIGO").value()}, {"ITEM", 0}}));
}

void TdmTecContrato::RegistraMotivoAlteracaoVeiculo(Dataset& linha)
{
    QString motivo;
    const QString rotulo = "[Equipamento] Motivo: ";
    // The box takes what the column holds after the label; the list of the
    // fields changed, which follows, is what gives way.
    if (!Seleciona1Texto("Pilvora 3", "Informe o motivo para a alteração do contrato:", motivo,
                         quCtrContato->fieldByName("RESUMIDA")->size() - int(rotulo.size())) ||
        motivo.trimmed().isEmpty())
        throw host::Abort();
    QString campos;
    const auto& lista = linha.fields();
    for (size_t i = 0; i < lista.size(); ++i) {
        const Field& f = *lista[i];
        if (f.value() == f.oldValue())
            continue;
        campos += f.displayLabel();
        if (i + 1 < lista.size())
            campos += ",";
    }
    if (!quCtrContato->active())
        CarregaContratoContato(campo(linha, "ACCODIGO").asInteger(), "C", {});
    InserirRegistro(*quCtrContato);
    quCtrContato->fieldByName("RESUMIDA")->setAsString(rotulo + motivo + "  (Campos: " + campos + ")");
    quCtrContato->fieldByName("CTUSUARIO")->setAsString(IbUserName());
    quCtrContato->post();
}

void TdmTecContrato::quCtrVeiculoBeforePost(Dataset& dataset)
{
    // An amendment adds a vehicle: a line of one without its vehicle is no line.
    if (!campo(dataset, "ACEVADITIVO").asString().trimmed().isEmpty() &&
        campo(dataset, "EVCODIGO").asString().trimmed().isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rInforme o veículo do aditivo.", true);
    // The reason recorded below is undone when the line is not written.
    auto savepoint = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    // The unit held until the commit: another desk writing a line of it
    // meanwhile is refused instead of both passing the checks below.
    if (!campo(dataset, "EVCODIGO").isNull() && campo(dataset, "ACEVSITUACAO").asString() != "I")
        host::SegurarEquipamentoLocacao(campo(dataset, "EVCODIGO").asInteger());
    VerificaDisponibilidadeVeiculo(dataset);

    const QDateTime fim = campo(dataset, "ACEVDATAFIM").asDateTime();
    if (!L::dataVazia(fim) && L::agora().date() >= fim.date())
        campo(dataset, "ACEVSITUACAO").setAsString("I");

    if (dataset.state() == DatasetState::Insert)
        campo(dataset, "ACEVCODIGO").setAsInteger(
            ProximaChave(host::schema::kGeneratorRentalVehicleLine, "ACEVCODIGO", "AATC05ACEV"));

    const int repetidas =
        host::db::selectValue(*dmGlobal->IBTransaction1,
                              "select count(*) from AATC05ACEV where ACCODIGO = :ACCODIGO and EVCODIGO = :EVCODIGO"
                              " and ACEVCODIGO <> :ACEVCODIGO and ((ACEVSITUACAO <> 'I') or (ACEVSITUACAO is null))",
                              {{"ACCODIGO", campo(dataset, "ACCODIGO").asInteger()},
                               {"EVCODIGO", campo(dataset, "EVCODIGO").value()},
                               {"ACEVCODIGO", campo(dataset, "ACEVCODIGO").asInteger()}})
            .toInt();
    if (repetidas > 0)
        dmGlobal->MostraAviso("Veículo já inserido no contrato!", true);

    if (!UsuarioMestre() && dataset.state() == DatasetState::Edit)
        RegistraMotivoAlteracaoVeiculo(dataset);
    spVeiculo_ = std::move(savepoint);
}

// The line written and the unit's status it implies are committed together:
// when the status cannot be written, the line's own work (and its reason
// record) is undone, so no line is kept beside a stale status.
void TdmTecContrato::ConfirmaLinhaEStatusVeiculo(int veiculo)
{
    // Left without release (the status failed), the savepoint undoes the line.
    const std::unique_ptr<host::db::Savepoint> savepoint = std::move(spVeiculo_);
    AtualizaStatusVeiculo(veiculo);
    if (savepoint)
        savepoint->release();
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTecContrato::quCtrVeiculoAfterPost(Dataset& dataset)
{
    const int registro = dataset.recNo();
    const int veiculo = campo(dataset, "EVCODIGO").asInteger();
    const int contrato = campo(dataset, "ACCODIGO").asInteger();
    try {
        ConfirmaLinhaEStatusVeiculo(veiculo);
    } catch (...) {
        // The list shows what is stored: the line undone is not kept in it.
        CarregaContratoVeiculo(contrato, true);
        throw;
    }
    CarregaContratoVeiculo(contrato, true);
    if (!dataset.isEmpty())
        dataset.setRecNo(std::min(registro, dataset.recordCount()));
    if (quCtrCadastro->active() && !quCtrCadastro->isEmpty())
        quCtrCadastro->edit();
}

void TdmTecContrato::quCtrVeiculoBeforeDelete(Dataset& dataset)
{
    iAuxiliarGeral = campo(dataset, "EVCODIGO").asInteger();
    iContratoLinhaExcluida_ = campo(dataset, "ACCODIGO").asInteger();
    spVeiculo_ = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
}

void TdmTecContrato::quCtrVeiculoAfterDelete(Dataset&)
{
    try {
        ConfirmaLinhaEStatusVeiculo(iAuxiliarGeral);
    } catch (...) {
        // The line undone comes back to the list.
        CarregaContratoVeiculo(iContratoLinhaExcluida_, true);
        throw;
    }
}
