#include "contracts/uAssContFat.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

host::ui::FormVar<TfmAssContFat> fmAssContFat("fmAssContFat");

TfmAssContFat::TfmAssContFat(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Gerar Faturamento de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };

    auto* layout = new QFormLayout(this);
    auto check = [this, layout](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        layout->addRow(box);
        return box;
    };
    auto edit = [this, layout](const char* name, const QString& caption, int length) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMaxLength(length);
        layout->addRow(caption, line);
        return line;
    };
    edUnNegocioIni = edit("edUnNegocioIni", "Filial (U.N.)", 2);
    mdDataFaturamento = edit("mdDataFaturamento", "Data Faturamento (Emissão)", 10);
    ckMesRefOriginal = check("ckMesRefOriginal", "Mês de Referência Pelo Vencimento Original");
    ckVolume = check("ckVolume", "Volume");
    ckCRAberta = check("ckCRAberta", "Mostrar Contas Abertas");
    ckNaoGeraPrevisao = check("ckNaoGeraPrevisao", "Não gerar nova Previsão");
    ckNaoGeraPrevisao->setToolTip("Não gerar nova previsão automaticamente ao Faturar Contrato");
}
