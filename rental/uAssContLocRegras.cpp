// The rental registers' rules that tests call without a window.

#include "rental/uAssContLocRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

#include <QHash>

namespace uAssContLoc {

using host::data::Dataset;

CargaPagina CargaDaPagina(const QString& pagina)
{
    static const QHash<QString, CargaPagina> cargas = {
        {"tsEquipamentos", CargaPagina::Equipamentos},
        {"tsEquipamentosEncerrados", CargaPagina::EquipamentosEncerrados},
        {"tsComplementos", CargaPagina::Complementos},
        {"tsComplementosEncerrados", CargaPagina::ComplementosEncerrados},
        {"tsEquipamentosSolicitados", CargaPagina::EquipamentosSolicitados},
        {"tsParcelas", CargaPagina::Parcelas},
        {"tsObsSR", CargaPagina::ObsSR},
        {"tsObsAdicionais", CargaPagina::ObsAdicionais},
    };
    return cargas.value(pagina, CargaPagina::Nenhuma);
}

void CarregaPaginaContrato(CargaPagina carga, int contrato, const QString& pedido, const QString& vinculo)
{
    TdmTecContrato& dm = *dmTecContrato;
    switch (carga) {
    case CargaPagina::Equipamentos:
        dm.CarregaContratoItemEquipamento(contrato, false, false);
        break;
    case CargaPagina::EquipamentosEncerrados:
        dm.CarregaContratoItemEquipamento(contrato, false, true);
        break;
    case CargaPagina::Complementos:
        dm.CarregaContratoItemEquipamento(contrato, true, false);
        break;
    case CargaPagina::ComplementosEncerrados:
        dm.CarregaContratoItemEquipamento(contrato, true, true);
        break;
    case CargaPagina::EquipamentosSolicitados:
        dm.CarregaEquipSolicitadosPedidoAss(pedido);
        break;
    case CargaPagina::Parcelas:
        dm.CarregaContratoParcelaLocEquip(contrato, vinculo);
        break;
    case CargaPagina::ObsSR:
    case CargaPagina::ObsAdicionais: {
        host::data::Query& obs = *dmGlobal->quObsGeral;
        obs.close();
        obs.paramByName("obCodigo")->setAsString(QString::number(contrato));
        obs.paramByName("obId")->setAsString("U");
        obs.paramByName("obSequencia")->setAsInteger(carga == CargaPagina::ObsSR ? 1 : 2);
        obs.open();
        break;
    }
    case CargaPagina::Nenhuma:
        break;
    }
}

ColunasVinculo ColunasContratosVinculados(const QString& vinculo)
{
    if (vinculo == "C")
        return {true, {"AOCODIGOPRINCIPAL", "CLNOMEPRINCIPAL", "ACVALORPARCELAPRINCIPAL"}, true};
    if (vinculo == "P")
        return {true, {"ACCODIGOCOMPLEMENTO", "CLNOMECOMPLEMENTO", "ACVALORPARCELACOMPLEMENTO"}, false};
    return {};
}

bool PedeSenhaExclusao(const QString& parametro) { return !parametro.trimmed().isEmpty(); }

bool SenhaExclusaoConfere(const QString& parametro, const QString& digitada)
{
    return digitada.trimmed() == parametro.trimmed();
}

QDateTime TerminoPorDias(const QDateTime& inicio, int dias)
{
    if (dias <= 0 || uDataTecContLocacao::dataVazia(inicio))
        return {};
    return inicio.addDays(dias);
}

bool BoletoVazio(const QDateTime& dataBoleto) { return uDataTecContLocacao::dataVazia(dataBoleto); }

bool ParcelaAlteravel(bool todas, const QString& situacao, const QDateTime& dataBoleto, bool selecionada)
{
    if (!todas && !selecionada)
        return false;
    return situacao.trimmed().toUpper() == "V" && BoletoVazio(dataBoleto);
}

int AlterarValorParcelas(Dataset& receber, bool todas, const QList<int>& selecionadas, double valor)
{
    if (!receber.active() || receber.isEmpty())
        return 0;
    const double novo = Trunc2Casas(valor);
    int alteradas = 0;
    host::data::ControlsDisabled suspensa(receber);
    int registro = 1;
    for (receber.first(); !receber.eof(); receber.next(), ++registro) {
        if (!ParcelaAlteravel(todas, receber.fieldByName("SITUACAO_DOCUMENTO")->asString(),
                              receber.fieldByName("CRDATABOLETO")->asDateTime(), selecionadas.contains(registro)))
            continue;
        receber.edit();
        receber.fieldByName("VALOR_DOCUMENTO")->setAsFloat(novo);
        SalvarAlteracoes(receber);
        ++alteradas;
    }
    return alteradas;
}

void AdicionarPedidoCliente(Dataset& receber, const QString& pedidoCliente)
{
    if (!receber.active() || receber.isEmpty())
        return;
    host::data::ControlsDisabled suspensa(receber);
    for (receber.first(); !receber.eof(); receber.next()) {
        host::data::Field& nota = *receber.fieldByName("OBS10");
        receber.edit();
        nota.setAsString("Pedido: " + pedidoCliente + " " + nota.asString().trimmed());
        SalvarAlteracoes(receber);
    }
}

QString UltimoDiaMesTexto(const QDate& data)
{
    return uDataTecContLocacao::UltimoDiaMes(data).toString("dd/MM/yyyy");
}

bool EmissaoAntesDeHoje(const QDate& emissao, const QDate& hoje) { return emissao.isValid() && hoje > emissao; }

bool VencimentoAntesDaEmissao(const QDate& emissao, const QDate& vencimento)
{
    return vencimento.isValid() && emissao.isValid() && emissao > vencimento;
}

QDateTime MomentoRetirada(const QDateTime& planejado, int hora, int minuto)
{
    if (uDataTecContLocacao::dataVazia(planejado))
        return {};
    const QTime tempo(hora, minuto, 0);
    if (!tempo.isValid())
        return {};
    return QDateTime(planejado.date(), tempo);
}

QString StatusRetirada(const QDateTime& comprovante, const QDateTime& dataRetirada)
{
    if (comprovante.isNull() || !comprovante.isValid())
        return "Não Definida";
    if (dataRetirada.isNull() || !dataRetirada.isValid())
        return "Pendente";
    return "Realizada";
}

}  // namespace uAssContLoc
