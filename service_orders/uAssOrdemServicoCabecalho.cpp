// What the service-order window shows of the header as it changes: the
// sales-order labels, the suspension reason, the manual number, the
// customer's colour and person type; the service status and the customer's
// expense options.

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"

#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Colors.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"

#include <QGroupBox>
#include <QLabel>

namespace {

QString campoOS(const char* nome)
{
    host::data::Field* f = dmTec->quOS->findField(nome);
    return f ? f->asString().trimmed() : QString();
}

// The customer's colour on the name's label, set only when it changes (it
// was set anew for every row shown).
void pintar(QLabel* rotulo, const QColor& cor)
{
    QPalette p = rotulo->palette();
    if (p.color(QPalette::WindowText) == cor && p.color(QPalette::Text) == cor)
        return;
    p.setColor(QPalette::WindowText, cor);
    p.setColor(QPalette::Text, cor);
    p.setColor(QPalette::ButtonText, cor);
    rotulo->setPalette(p);
}

const char* const kSqlMotivosSuspensao =
    "Select First 20 Distinct (aolaudo) from aatc01ao               where aolaudo is not null    group by aolaudo, "
    "AODATAENTRADA Order by AODATAENTRADA       ";

}  // namespace

void TfmAssOrdemServico::dsOrdemDataChange()
{
    const bool temPedido = !campoOS("VECODIGO").isEmpty();
    laPV->setVisible(temPedido);
    dbtePedidoVendas->setVisible(temPedido);
    dbteStatusPV->setVisible(temPedido);
    const bool pedidoServico = temPedido && !campoOS("CLCODIGOCOBRANCASERVICO").isEmpty();
    dbtePedidoVendaServico->setVisible(pedidoServico);
    laSeparadorPV->setVisible(pedidoServico);

    const bool suspenso = campoOS("AOBAIXA") == "P";
    dbcbSuspensao->setVisible(suspenso);
    laSuspensao->setVisible(suspenso);

    if (dmGlobal->Parametro("ATCODIGOOSMANUAL") == "S")
        dbedCodigo->setEnabled(dmTec->quOS->state() == host::data::DatasetState::Insert);

    OSVerificaTipoRemanufatura(false);

    const QString cor = campoOS("RACOR");
    if (cor.isEmpty()) {
        pintar(laCliente, Qt::black);
        dblcCliente->setTextColor({});
    } else if (host::ui::ColorValue valor; host::ui::tryStringToColor(cor, valor)) {
        const QColor nova = host::ui::toQColor(valor);
        pintar(laCliente, nova);
        dblcCliente->setTextColor(nova);
    }

    if (campoOS("PESSOA_FISICAOUJURIDICA") == "F") {
        laCGC->setText("CPF");
        laIE->setText("RG");
        dbteIE->setDataField("NUMERO_IDENTIDADE");
        laInscMunicipal->setText("");
        dbteInscMunicipal->setDataField("");
        dbteInscMunicipal->setText("");
        laNomeFantasia->setText("Tipo Cliente      PESSOA FÍSICA");
        dbteNomeFantasia->setDataField("");
        dbteNomeFantasia->setText("");
        laPessoaFisica->setVisible(true);
    } else {
        laCGC->setText("CGC:");
        laIE->setText("Insc. Est.");
        dbteIE->setDataField("CLIE");
        laInscMunicipal->setText("Insc. Munic.");
        dbteInscMunicipal->setDataField("INSCRICAO_MUNICIPAL");
        laNomeFantasia->setText("Nome Fantasia");
        dbteNomeFantasia->setDataField("NOME_FANTASIA");
        laPessoaFisica->setVisible(false);
    }

    if (dmGlobal->Parametro("ATMODOFATURAMENTOOS") == "6")
        CarregaOpcoesDespesas();
}

void TfmAssOrdemServico::dbrgStatusServChange()
{
    if (dbrgStatusServ->itemIndex() != 2) {
        dbcbSuspensao->setVisible(false);
        laSuspensao->setVisible(false);
        return;
    }
    host::data::Query& os = *dmTec->quOS;
    if (!os.editing())
        os.edit();
    dmTec->quOSAOBAIXA->setAsString("P");
    host::data::Query& motivos = *dmGlobal->quAuxiliar;
    motivos.close();
    motivos.setSql(kSqlMotivosSuspensao);
    motivos.open();
    QStringList lista;
    for (motivos.first(); !motivos.eof(); motivos.next())
        lista << motivos.fields().front()->asString();
    motivos.close();
    dbcbSuspensao->setPickList(lista);
    dbcbSuspensao->setVisible(true);
    laSuspensao->setVisible(true);
    dbcbSuspensao->setFocus();
}

// ---- the customer's expense options ----

bool TfmAssOrdemServico::GetValueOpcaoDespesa(const QString& caption) const
{
    if (dmGlobal->Parametro("ATMODOFATURAMENTOOS") != "6")
        return true;
    return dmTec->quOSAODESPESASCLIENTE->asString().contains(caption + ";");
}

void TfmAssOrdemServico::CarregaOpcoesDespesas()
{
    const QStringList itens = clOpcoesDespesas->items();
    for (int i = 0; i < itens.size(); ++i)
        clOpcoesDespesas->setChecked(i, GetValueOpcaoDespesa(itens[i]));
}

void TfmAssOrdemServico::GravaOpcoesDespesas()
{
    QString texto;
    const QStringList itens = clOpcoesDespesas->items();
    for (int i = 0; i < itens.size(); ++i)
        if (clOpcoesDespesas->checked(i))
            texto += itens[i] + ";";
    if (!dmTec->quOS->editing())
        dmTec->quOS->edit();
    dmTec->quOSAODESPESASCLIENTE->setAsString(texto);
}

void TfmAssOrdemServico::clOpcoesDespesasClickCheck() { GravaOpcoesDespesas(); }
