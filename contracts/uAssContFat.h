#pragma once
// TfmAssContFat (fmAssContFat): the window of this unit. One instance lives in fmAssContFat;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QStringList>

class QCheckBox;
class QLineEdit;

namespace host::data {
class Query;
}

class TfmAssContFat : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContFat(QWidget* parent = nullptr);

    // The options the officialising runs read.
    QCheckBox* ckMesRefOriginal = nullptr;   // "Mês de Referência Pelo Vencimento Original"
    QCheckBox* ckVolume = nullptr;           // "Volume"
    QCheckBox* ckCRAberta = nullptr;         // "Mostrar Contas Abertas"
    QCheckBox* ckNaoGeraPrevisao = nullptr;  // "Não gerar nova Previsão"
    QLineEdit* mdDataFaturamento = nullptr;  // "Data Faturamento (Emissão)", dd/mm/yyyy
    QLineEdit* edUnNegocioIni = nullptr;     // "Filial (U.N.)"

    // Officialising the selected forecast instalments (uAssContFatOficializar.cpp).
    void OficializarParcelaPesquisa(host::data::Query& oDado, bool bMesRefOriginal, QStringList* aviso);
    void OficializarParcelaPesquisaLote(host::data::Query& oDado, bool bMesRefOriginal, QStringList* aviso);
};

extern host::ui::FormVar<TfmAssContFat> fmAssContFat;
