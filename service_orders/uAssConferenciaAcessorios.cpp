#include "service_orders/uAssConferenciaAcessorios.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

host::ui::FormVar<TfmAssConferenciaAcessorio> fmAssConferenciaAcessorio("fmAssConferenciaAcessorio");

TfmAssConferenciaAcessorio::TfmAssConferenciaAcessorio(QWidget* parent) : host::ui::Form(parent)
{
    setObjectName(fmAssConferenciaAcessorio.name());
    setCaption("Conferência de Acessórios");
    // A small tool window: the system menu and its close button only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setStayOnTop(true);
    setCentered(true);
    laInformeCodigo = new QLabel("Informe o Código do acessório", this);
    laInformeCodigo->setObjectName("laInformeCodigo");
    mdCodigo = new QLineEdit(this);
    mdCodigo->setObjectName("mdCodigo");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(laInformeCodigo);
    layout->addWidget(mdCodigo);
    mdCodigo->setMinimumWidth(mdCodigo->fontMetrics().horizontalAdvance("0000000000000") + 24);
    connect(mdCodigo, &QLineEdit::textChanged, this, [this] { mdCodigoChange(); });
    onActivate = [this] { FormActivate(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

// A scanner types the code and the twelfth character checks it.
void TfmAssConferenciaAcessorio::mdCodigoChange()
{
    if (mdCodigo->text().size() == 12)
        ConferenciaCodigoBarraAcessorio(mdCodigo->text());
}

void TfmAssConferenciaAcessorio::ConferenciaCodigoBarraAcessorio(const QString& Code)
{
    host::data::Query& ordem = *dmTec->quOS;
    const bool mesmaOrdem = ordem.active() && !ordem.isEmpty() &&
                            Code.left(9) == host::data::formatFloat("000000000", dmTec->quOSAOCODIGO->asInteger());
    if (mesmaOrdem) {
        host::data::Query& consulta = *dmGlobal->quAuxiliar;
        try {
            consulta.close();
            bool ordemOk = false;
            bool sequenciaOk = false;
            const int numero = Code.left(9).toInt(&ordemOk);
            const int sequencia = Code.mid(9, 3).toInt(&sequenciaOk);
            if (ordemOk && sequenciaOk) {
                consulta.setSql(" update AATC01AR      set ARCONFERIDO =   'S' where AOCODIGO =    " +
                                QString::number(numero) + "   and ARSEQUENCIA = " + QString::number(sequencia));
                consulta.execSql();
            }
        } catch (const std::exception&) {
            // A code that names no accessory leaves everything as it was.
        }
        consulta.close();
    }
    mdCodigo->clear();
    mdCodigo->setFocus();
}

void TfmAssConferenciaAcessorio::FormActivate() { mdCodigo->setFocus(); }

void TfmAssConferenciaAcessorio::FormClose(host::ui::CloseAction& action)
{
    action = host::ui::CloseAction::Free;
    if (fmAssConferenciaAcessorio.get() == this)
        fmAssConferenciaAcessorio.clear();
}
