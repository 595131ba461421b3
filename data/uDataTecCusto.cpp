// Cost lines of one service line (kind "S") or parts line (kind "P"): the
// cost dialog sets sTipoCustoOS and opens quOSCusto on the line's group; each
// post stamps the kind and the line's key, takes the host formula's value when
// the line names one, and keeps the group's running value; rTotalCustoOS
// follows the group's sum.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/schema/SchemaDefinition.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

QString numero(const Field* campo)
{
    return QString::number(campo->asInteger());
}

}  // namespace

void TdmTec::quOSCustoNewRecord(Dataset& DataSet)
{
    ZerarNumericField(DataSet);
    quOSCustoAFQUANTIDADE->setAsFloat(1);
}

void TdmTec::quOSCustoAFVALORChange(Field&)
{
    quOSCustoAFTOTAL->setAsFloat(quOSCustoAFVALOR->asFloat() * quOSCustoAFQUANTIDADE->asFloat());
}

void TdmTec::quOSCustoPRCODIGOChange(Field&)
{
    const QString produto = "where codigo = " + QuotedStr(quOSCustoPRCODIGO->asString());
    quOSCustoDESCRICAO->setAsString(CarregaDado("descricao", "acec1101", produto));
    quOSCustoAFVALOR->setAsFloat(CarregaNumero("pco_venda", "acec1101", produto));
}

void TdmTec::quOSCustoBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSCustoAFCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorCost, "AFCODIGO", "AATC08AF"));
    quOSCustoAFID->setAsString(sTipoCustoOS);
    quOSCustoAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    if (sTipoCustoOS == "S")
        quOSCustoAACODIGO->setAsInteger(quOSAndamentoAACODIGO->asInteger());
    else if (sTipoCustoOS == "P")
        quOSCustoAPSEQUENCIA->setAsInteger(quOSPecasAPSEQUENCIA->asInteger());
    if (quOSCustoCFCODIGO->asInteger() > 0)
        quOSCustoAFTOTAL->setAsFloat(CalcularFormula(quOSCustoCFCODIGO->asInteger(), *quOSCusto));
    const double anteriores =
        CarregaNumero("sum(AFTOTAL)", "AATC08AF",
                      "Where aoCodigo = " + numero(quOSCustoAOCODIGO) + " and afCodigo < " +
                          numero(quOSCustoAFCODIGO) + "  and aaCodigo = " + numero(quOSCustoAACODIGO) +
                          " and afID = " + QuotedStr(quOSCustoAFID->asString()) +
                          "  and apSequencia = " + numero(quOSCustoAPSEQUENCIA));
    quOSCustoAFVALORACUMULADO->setAsFloat(quOSCustoAFTOTAL->asFloat() + anteriores);
}

// The group of the current row; with no row left (the group's last line was
// deleted) the group is empty and its total 0.
void TdmTec::totalizarCustoOS()
{
    if (quOSCusto->isEmpty()) {
        rTotalCustoOS = 0;
        return;
    }
    rTotalCustoOS = CarregaNumero("sum(AFTOTAL)", "AATC08AF",
                                  "Where aoCodigo = " + numero(quOSCustoAOCODIGO) + " and aaCodigo = " +
                                      numero(quOSCustoAACODIGO) + " and afID = " +
                                      QuotedStr(quOSCustoAFID->asString()) +
                                      " and apSequencia = " + numero(quOSCustoAPSEQUENCIA));
}

void TdmTec::quOSCustoAfterOpen(Dataset& DataSet)
{
    dmGlobal->SetaMascaraField(DataSet);
    totalizarCustoOS();
}

// The total is summed before the row is read again, so that the controls
// told of the refresh (the cost dialog's caption) show the new total; an
// emptied dataset tells them through a whole-row change.
void TdmTec::quOSCustoAfterPost(Dataset& DataSet)
{
    dmGlobal->IBTransaction1->commitRetaining();
    totalizarCustoOS();
    if (!DataSet.isEmpty()) {
        quOSCusto->refresh();
    } else {
        DataSet.disableControls();
        DataSet.enableControls();
    }
}

void TdmTec::quOSCustoAfterDelete(Dataset& DataSet)
{
    quOSCustoAfterPost(DataSet);
}
