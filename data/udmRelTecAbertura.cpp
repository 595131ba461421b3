// The two budgets of the order current in dmTec->quOS: their auxiliary data,
// report variables and the host's viewer.

#include "data/udmRelTec.h"

#include "data/uDataTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"

namespace {

// A report variable holding a text: the expression quotes it.
QString expressaoTexto(const QString& texto) { return "'" + QString(texto).replace("'", "''") + "'"; }

// Puts the tags of the order and its items back on every way out.
class TagsRelatorio {
public:
    TagsRelatorio(host::data::Dataset& os, host::data::Dataset& itens) : os_(os), itens_(itens)
    {
        itens_.setTag(99);
        os_.setTag(99);
    }
    ~TagsRelatorio()
    {
        itens_.setTag(0);
        os_.setTag(0);
    }
    TagsRelatorio(const TagsRelatorio&) = delete;
    TagsRelatorio& operator=(const TagsRelatorio&) = delete;

private:
    host::data::Dataset& os_;
    host::data::Dataset& itens_;
};

}  // namespace

void TDmRelTec::AbreFrOrdemServicoResumido()
{
    if (!jvOrdemServResumido->active())
        jvOrdemServResumido->open();
    jvOrdemServResumido->append();
    try {
        host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
        for (const QString codigo : {"996", "997", "998", "999"}) {
            auxiliar.close();
            auxiliar.setSql("select * from ALFC2601  where codigo = " + QuotedStr(codigo));
            auxiliar.open();
            jvOrdemServResumido->fieldByName("qrlaMensagem" + codigo)
                ->setAsString(auxiliar.fieldByName("descricao")->asString() + " " +
                              auxiliar.fieldByName("mensagem_1")->asString() + " " +
                              auxiliar.fieldByName("mensagem_2")->asString() + " " +
                              auxiliar.fieldByName("mensagem_3")->asString());
            auxiliar.close();
        }
        jvOrdemServResumido->post();
    } catch (...) {
        // The texts of a failed call do not stay as a half-filled row.
        if (jvOrdemServResumido->editing())
            jvOrdemServResumido->cancel();
        throw;
    }
    frOrdemServResumido->setVariable("visibleDespesas",
                                     dmGlobal->Parametro("ATFORMULATOTALOS") == "P" ? "'0'" : "'1'");
    ReiniciaDatasets();
    ExibirRelatorioFR(*frOrdemServResumido);
}

void TDmRelTec::AbreFrOrdemServCompleto()
{
    quEquipCliOS->close();
    quEquipCliOS->setSql(" Select \n     os.aocodigo, \n     equipCl.*, \n     equip.* \n from aatc03aecl equipCL \n"
                         " join AATC01AO os on(equipCL.clcodigo = os.clcodigo) \n"
                         " join aatc03ae equip on(equip.aecodigo = equipCL.aecodigo) \n"
                         "Where os.aocodigo = " +
                         QuotedStr(dmTec->quOSAOCODIGO->asString()));
    quEquipCliOS->open();

    TagsRelatorio tags(*dmTec->quOS, *dmTec->quOSItem);
    if (dmGlobal->Parametro("ATMODOVEICULO") == "O") {
        frOrdemServCompleto->setVariable(
            "dataChamado", expressaoTexto(host::data::formatDateTime("dd/mm/yy", dmTec->quOSAODATAENTRADA->asDateTime())));
        frOrdemServCompleto->setVariable(
            "HoraChamado", expressaoTexto(host::data::formatDateTime("hh:mm", dmTec->quOSAOHORAENTRADA->asDateTime())));
    } else {
        host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
        auxiliar.close();
        auxiliar.setSql("select observacao , data_solicitada, hora_solicitada  from cadcom where contrato = " +
                        dmTec->quOSAOCODIGO->asString());
        auxiliar.open();
        frOrdemServCompleto->setVariable("dataChamado",
                                         expressaoTexto(auxiliar.fieldByName("data_solicitada")->asString()));
        frOrdemServCompleto->setVariable(
            "HoraChamado",
            expressaoTexto(host::data::formatDateTime("hh:mm", auxiliar.fieldByName("hora_solicitada")->asDateTime())));
        auxiliar.close();
    }
    ReiniciaDatasets();
    ExibirRelatorioFR(*frOrdemServCompleto);
}
