// The rules of the billing objects (quCtrObjeto): a new object's key and
// defaults, the active flag before a post, and the audit of a deletion.

#include "contract_data/uDataTecCont.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/schema/SchemaDefinition.h"

using host::data::Dataset;

void TdmTecContrato::ligarEventosObjeto()
{
    quCtrObjeto->onNewRecord = [](Dataset& dataset) {
        auto texto = [&](const char* campo, const char* valor) { dataset.fieldByName(campo)->setAsString(valor); };
        dataset.fieldByName("AJCODIGO")->setAsInteger(
            ProximaChave(host::schema::kGeneratorBillingObject, "AJCODIGO", "AATC11AJ"));
        dataset.fieldByName("AJVALOR")->setAsFloat(0);
        texto("AJTIPO", "M");
        texto("AJMODALIDADE", "A");
        texto("AJNATUREZA", "A");
        texto("AJPERIODO", "A");
        texto("AJATIVO", "S");
        texto("AJTIPOPAGAMENTO", "2");
        texto("AJFRANQUIA", "N");
        texto("AJVALORDIARIO", "N");
        ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
    };
    quCtrObjeto->beforePost = [](Dataset& dataset) {
        if (dataset.fieldByName("AJATIVO")->isNull())
            dataset.fieldByName("AJATIVO")->setAsString("S");
        ZelDevVerificarEvento(&dataset, "BEFOREPOST");
    };
    quCtrObjeto->beforeDelete = [](Dataset& dataset) {
        RecusarExclusaoEmUso(dataset, "AJCODIGO", {{"AATC05AC", "AJCODIGO", "contratos"}},
                             fieldText(dataset, "AJCODIGO") + " - " + fieldText(dataset, "AJDESCRICAO"));
        sCodigoExcluido = dataset.fieldByName("AJCODIGO")->asString();
        ZelDevVerificarEvento(&dataset, "BEFOREDELETE");
    };
    quCtrObjeto->afterDelete = [](Dataset& dataset) {
        const QDateTime agora = QDateTime::currentDateTime();
        dmGlobal->GravaLog(IbUserName(), "Deletou Objeto", "Código " + sCodigoExcluido, "AATC11AJ", agora, agora);
        ZelDevVerificarEvento(&dataset, "AFTERDELETE");
    };
}
