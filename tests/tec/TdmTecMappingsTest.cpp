// The captions of TdmTec's coded columns, through the handlers bound to the
// fields: every mapping with each of its codes, an unknown code and an empty
// one; typed codes stored in capitals; typed dates.
//
// The handlers receive the field they show; here a row of an in-memory
// dataset plays that field, so the mappings are checked on any schema.

#include "tests/tec/TecFixture.h"

#include "host/data/Abort.h"
#include "host/data/MemDataset.h"
#include "host/ui/ScriptedDialogs.h"

#include <QDateTime>

using host::data::Field;
using host::data::FieldType;

namespace tectest {
namespace {

using Campo = Field* TdmTec::*;

class TdmTecMappingsTest : public TecTest {
protected:
    void SetUp() override
    {
        TecTest::SetUp();
        createTec();
        linha.addField("TEXTO", FieldType::String, 10);
        linha.addField("NUMERO", FieldType::Int32);
        linha.addField("DATA", FieldType::DateTime);
        linha.addField("VECODIGO", FieldType::String, 20);
        linha.open();
        linha.append();
    }

    // The caption the field's get-text handler gives for the stored value.
    QString legenda(Campo campo, const QVariant& valor)
    {
        Field& alvo = valor.typeId() == QMetaType::Int ? *linha.fieldByName("NUMERO") : *linha.fieldByName("TEXTO");
        alvo.setValue(valor);
        const Field& ligado = *(dmTec.get()->*campo);
        if (!ligado.onGetText)
            return "<sem tratador>";
        QString texto = "<intocado>";
        ligado.onGetText(alvo, texto, true);
        return texto;
    }

    host::data::MemDataset linha;
};

struct Legenda {
    Campo campo;
    const char* nome;
    QVariant codigo;
    const char* texto;
};

const QVariant kVazio = QString();

// Each mapping with every code, then an unknown code and an empty value.
const Legenda kLegendas[] = {
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "I", "I - Inicial"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "N", "N - Intermediária"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "F", "F - Final"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "M", "M - Morta"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "D", "D - Final Para Compra"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "S", "S - Final Para Remanufatura"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "R", "R - Inicial Para Remanufatura"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "C", "C - Inicial Para Compra"},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "X", ""},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", kVazio, ""},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", "i", ""},   // the whole text, case included
    {&TdmTec::quOSSituacaoASID, "ASID", "F", "Faturamento"},
    {&TdmTec::quOSSituacaoASID, "ASID", "I", "Item"},
    {&TdmTec::quOSSituacaoASID, "ASID", "P", "Produção"},
    {&TdmTec::quOSSituacaoASID, "ASID", "A", "Assistência"},
    {&TdmTec::quOSSituacaoASID, "ASID", kVazio, "Assistência"},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", "A", "Assistência"},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", "R", "Remanufatura"},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", "C", "Compra"},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", "X", ""},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", kVazio, ""},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", "B", "Baixa"},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", "M", "Média"},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", "A", "Alta"},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", "U", "Urgente"},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", "X", ""},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", kVazio, ""},
    {&TdmTec::quOSAOATENDIMENTO, "AOATENDIMENTO", "I", "Interno"},
    {&TdmTec::quOSAOATENDIMENTO, "AOATENDIMENTO", "E", "Externo"},
    {&TdmTec::quOSAOATENDIMENTO, "AOATENDIMENTO", "X", ""},
    {&TdmTec::quOSAOATENDIMENTO, "AOATENDIMENTO", kVazio, ""},
    {&TdmTec::quOSAOTURNO, "AOTURNO", "M", "Manhã"},
    {&TdmTec::quOSAOTURNO, "AOTURNO", "T", "Tarde"},
    {&TdmTec::quOSAOTURNO, "AOTURNO", "N", "Noite"},
    {&TdmTec::quOSAOTURNO, "AOTURNO", "X", ""},
    {&TdmTec::quOSAOTURNO, "AOTURNO", kVazio, ""},
    {&TdmTec::quOSAORETORNO, "AORETORNO", "S", "Sim"},
    {&TdmTec::quOSAORETORNO, "AORETORNO", "N", "Não"},
    {&TdmTec::quOSAORETORNO, "AORETORNO", "C", ""},   // what automatic orders store
    {&TdmTec::quOSAORETORNO, "AORETORNO", kVazio, ""},
    {&TdmTec::quOSAOIMPRIMIRLAUDO, "AOIMPRIMIRLAUDO", "S", "Sim"},
    {&TdmTec::quOSAOIMPRIMIRLAUDO, "AOIMPRIMIRLAUDO", "N", "Não"},
    {&TdmTec::quOSAOIMPRIMIRLAUDO, "AOIMPRIMIRLAUDO", "X", ""},
    {&TdmTec::quOSAOIMPRIMIRLAUDO, "AOIMPRIMIRLAUDO", kVazio, ""},
    {&TdmTec::quOSAOSEQATENDIMENTO, "AOSEQATENDIMENTO", 0, "Não Atendido"},
    {&TdmTec::quOSAOSEQATENDIMENTO, "AOSEQATENDIMENTO", 3, "3"},
    {&TdmTec::quOSAOSEQATENDIMENTO, "AOSEQATENDIMENTO", -2, "-2"},
    {&TdmTec::quOSIMPRESSO_NF, "IMPRESSO_NF", kVazio, "Pedido não impresso"},
    {&TdmTec::quOSIMPRESSO_NF, "IMPRESSO_NF", "N", "Pedido na fila de Impressão"},
    {&TdmTec::quOSIMPRESSO_NF, "IMPRESSO_NF", "X", ""},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "1", "1- Garantia de Fábrica "},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "2", "2- Garantia do Serviço"},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "3", "3- Sem Garantia"},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "4", "4- Cortesia"},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "5", ""},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", kVazio, ""},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", "S", "Sim"},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", "N", "Não"},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", "D", "Devolvido"},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", "E", "Entregue"},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", "X", "X"},   // the stored value itself
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", kVazio, ""},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", "S", "Sim"},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", "N", "Não"},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", "R", "Remanufatura"},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", "X", ""},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", kVazio, ""},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", "1", "1- Garantia Total "},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", "2", "2- Garantia Parcial"},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", "3", "3- Sem Garantia"},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", "4", ""},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", kVazio, ""},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", "1", "1 - Garantia Total"},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", "2", "2 - Garantia Parcial"},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", "3", "3 - Sem Garantia"},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", "4", ""},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", kVazio, ""},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "S", "Sim"},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "N", "Não"},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "E", "Espera"},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "D", "Devolvido"},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "X", ""},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", kVazio, ""},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "S", "Sim"},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "N", "Não"},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "E", "Espera"},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "D", "Devolvido"},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "X", ""},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", kVazio, ""},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", "S", "Sim"},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", "B", "Baixa"},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", "N", "Não"},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", "X", "Não"},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", kVazio, "Não"},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", "E", "E - Hora exata"},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", "C", "C - Arredondar para cima"},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", "B", "B - Arredondar para baixo"},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", "X", ""},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", kVazio, ""},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO (linhas)", "E", "E - Hora exata"},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO (linhas)", "C", "C - Arredondar para cima"},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO (linhas)", "B", "B - Arredondar para baixo"},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO (linhas)", "X", ""},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO (linhas)", kVazio, ""},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", "C", "Causa"},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", "D", "Defeito"},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", "S", "Solução"},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", "X", ""},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", kVazio, ""},
    {&TdmTec::quEquipamentoAEIDENTIFICADOR, "AEIDENTIFICADOR", "E", "Equipamento"},
    {&TdmTec::quEquipamentoAEIDENTIFICADOR, "AEIDENTIFICADOR", "V", "Veículo"},
    {&TdmTec::quEquipamentoAEIDENTIFICADOR, "AEIDENTIFICADOR", "X", ""},
    {&TdmTec::quEquipamentoAEIDENTIFICADOR, "AEIDENTIFICADOR", kVazio, ""},
    {&TdmTec::quEquipamentoAEATIVO, "AEATIVO", "N", "Não"},
    {&TdmTec::quEquipamentoAEATIVO, "AEATIVO", "S", "Sim"},
    {&TdmTec::quEquipamentoAEATIVO, "AEATIVO", "X", "Sim"},
    {&TdmTec::quEquipamentoAEATIVO, "AEATIVO", kVazio, "Sim"},
    {&TdmTec::quTecnicosATALTERAROS, "ATALTERAROS", "S", "Sim"},
    {&TdmTec::quTecnicosATALTERAROS, "ATALTERAROS", "N", "Não"},
    {&TdmTec::quTecnicosATALTERAROS, "ATALTERAROS", "X", ""},
    {&TdmTec::quTecnicosATALTERAROS, "ATALTERAROS", kVazio, ""},
    {&TdmTec::quTecnicosATALTERARLAUDO, "ATALTERARLAUDO", "S", "Sim"},
    {&TdmTec::quTecnicosATALTERARLAUDO, "ATALTERARLAUDO", "N", "Não"},
    {&TdmTec::quTecnicosATALTERARLAUDO, "ATALTERARLAUDO", kVazio, ""},
    {&TdmTec::quTecnicosATATIVO, "ATATIVO", "S", "Sim"},
    {&TdmTec::quTecnicosATATIVO, "ATATIVO", "N", "Não"},
    {&TdmTec::quTecnicosATATIVO, "ATATIVO", "X", ""},
    {&TdmTec::quTecnicosATATIVO, "ATATIVO", kVazio, ""},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", "S", "Sim"},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", "N", "Não"},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", "A", "Apenas Itens"},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", "E", "Exceto Itens"},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", "X", ""},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", kVazio, ""},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", "T", "T - Todas"},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", "E", "E - Exceto Situação tipo Morta"},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", "N", "N - Nenhuma Situação"},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", "X", ""},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", kVazio, ""},
    // Through the host's list "SIMNAO".
    {&TdmTec::quOSSituacaoASESTOQUE, "ASESTOQUE", "S", "Sim"},
    {&TdmTec::quOSSituacaoASESTOQUE, "ASESTOQUE", "N", "Não"},
    {&TdmTec::quOSSituacaoASESTOQUE, "ASESTOQUE", "X", ""},
    {&TdmTec::quOSSituacaoASESTOQUE, "ASESTOQUE", kVazio, ""},
    {&TdmTec::quOSSituacaoASCLIENTE, "ASCLIENTE", "S", "Sim"},
    {&TdmTec::quOSSituacaoASCLIENTE, "ASCLIENTE", "N", "Não"},
    {&TdmTec::quOSSituacaoASCLIENTE, "ASCLIENTE", kVazio, ""},
    {&TdmTec::quOSSituacaoASINTERNET, "ASINTERNET", "S", "Sim"},
    {&TdmTec::quOSSituacaoASINTERNET, "ASINTERNET", "N", "Não"},
    {&TdmTec::quOSSituacaoASINTERNET, "ASINTERNET", kVazio, ""},
    {&TdmTec::quOSSituacaoASAPROVA, "ASAPROVA", "S", "Sim"},
    {&TdmTec::quOSSituacaoASAPROVA, "ASAPROVA", "N", "Não"},
    {&TdmTec::quOSSituacaoASAPROVA, "ASAPROVA", "X", ""},
    {&TdmTec::quOSSituacaoASEMAIL, "ASEMAIL", "S", "Sim"},
    {&TdmTec::quOSSituacaoASEMAIL, "ASEMAIL", "N", "Não"},
    {&TdmTec::quOSSituacaoASEMAIL, "ASEMAIL", kVazio, ""},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", "R", "Retirar"},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", "S", "Sim"},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", "N", "Não"},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", "X", ""},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", kVazio, ""},
    {&TdmTec::quOSSituacaoASINSERCAO, "ASINSERCAO", "A", "Automática Pela Entrada"},
    {&TdmTec::quOSSituacaoASINSERCAO, "ASINSERCAO", "S", "Sim"},
    {&TdmTec::quOSSituacaoASINSERCAO, "ASINSERCAO", "N", "Não"},
    {&TdmTec::quOSSituacaoASINSERCAO, "ASINSERCAO", kVazio, ""},
    {&TdmTec::quOSPecasAPPROMOCAO, "APPROMOCAO", "S", "Sim"},
    {&TdmTec::quOSPecasAPPROMOCAO, "APPROMOCAO", "N", "Não"},
    {&TdmTec::quOSPecasAPPROMOCAO, "APPROMOCAO", kVazio, ""},
    {&TdmTec::quOSAndamentoAAPROMOCAO, "AAPROMOCAO", "S", "Sim"},
    {&TdmTec::quOSAndamentoAAPROMOCAO, "AAPROMOCAO", "N", "Não"},
    {&TdmTec::quOSAndamentoAAPROMOCAO, "AAPROMOCAO", kVazio, ""},
    {&TdmTec::quOSItemAOITEMAILENVIADO, "AOITEMAILENVIADO", "S", "Sim"},
    {&TdmTec::quOSItemAOITEMAILENVIADO, "AOITEMAILENVIADO", "N", "Não"},
    {&TdmTec::quOSItemAOITEMAILENVIADO, "AOITEMAILENVIADO", "X", ""},
    {&TdmTec::quOSItemAOITEMAILENVIADO, "AOITEMAILENVIADO", kVazio, ""},
};

TEST_F(TdmTecMappingsTest, EveryCodeShowsItsCaptionAndOtherValuesTheirDefault)
{
    for (const Legenda& caso : kLegendas) {
        SCOPED_TRACE(std::string(caso.nome) + " = '" + caso.codigo.toString().toStdString() + "'");
        EXPECT_EQ(legenda(caso.campo, caso.codigo), QString::fromUtf8(caso.texto));
    }
}

TEST_F(TdmTecMappingsTest, EditControlsShowTheCaptionToo)
{
    linha.fieldByName("TEXTO")->setValue("E");
    QString texto;
    dmTec->quOSAOATENDIMENTO->onGetText(*linha.fieldByName("TEXTO"), texto, false);
    EXPECT_EQ(texto, "Externo");
}

struct Digitado {
    Campo campo;
    const char* nome;
    const char* digitado;
    const char* guardado;
    const char* mostrado;
};

TEST_F(TdmTecMappingsTest, TypedCodesAreStoredInCapitals)
{
    const Digitado casos[] = {
        {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "s", "S", "Sim"},
        {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", "e", "E", "Espera"},
        {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", "d", "D", "Devolvido"},
        {&TdmTec::quOSPecasAPTIPO, "APTIPO", "2", "2", "2- Garantia Parcial"},
        {&TdmTec::quOSAndamentoAATIPO, "AATIPO", "3", "3", "3 - Sem Garantia"},
        {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", "c", "C", "C - Arredondar para cima"},
        {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", "4", "4", "4- Cortesia"},
    };
    Field& alvo = *linha.fieldByName("TEXTO");
    for (const Digitado& caso : casos) {
        SCOPED_TRACE(std::string(caso.nome) + " <- '" + caso.digitado + "'");
        const Field& ligado = *(dmTec.get()->*caso.campo);
        ASSERT_TRUE(ligado.onSetText);
        ligado.onSetText(alvo, caso.digitado);
        EXPECT_EQ(alvo.asString(), caso.guardado);
        QString texto;
        ligado.onGetText(alvo, texto, true);
        EXPECT_EQ(texto, QString::fromUtf8(caso.mostrado));
    }
}

TEST_F(TdmTecMappingsTest, PrintedOrderShowsTheDocumentOfItsSalesOrder)
{
    exec("insert into ACEM1401 (DOCUMENTO, COD_PEDIDO) values ('000777', '000123')");
    linha.fieldByName("VECODIGO")->setValue("000123");
    EXPECT_EQ(legenda(&TdmTec::quOSIMPRESSO_NF, "S"), "Impresso Documento 000777");
    linha.fieldByName("VECODIGO")->setValue("000999");   // no document yet
    EXPECT_EQ(legenda(&TdmTec::quOSIMPRESSO_NF, "S"), "Impresso Documento ");
}

TEST_F(TdmTecMappingsTest, PrintedOrderCaptionLeavesTheSharedAuxiliaryQueryAlone)
{
    host::data::Query& auxiliar = *global->quAuxiliar;
    auxiliar.setSql("select CODIGO_CLIENTE from AUGC0301");
    auxiliar.open();
    legenda(&TdmTec::quOSIMPRESSO_NF, "S");
    EXPECT_TRUE(auxiliar.active());
    EXPECT_EQ(auxiliar.sql(), "select CODIGO_CLIENTE from AUGC0301");
}

TEST_F(TdmTecMappingsTest, EveryDateFieldOfTheModuleTakesTypedDatesThroughValidaData)
{
    const Campo datas[] = {&TdmTec::quOSAODATAENTRADA, &TdmTec::quOSAODATASAIDA, &TdmTec::quOSAODATAAPROVA,
                           &TdmTec::quOSItemAODATAENTRADA, &TdmTec::quOSItemAOITDATACOMPRA,
                           &TdmTec::quOSAndamentoAADATA, &TdmTec::quOSDespViagemAVDATA,
                           &TdmTec::quOSDespExtraAXDATA, &TdmTec::quOSProjAQDATA,
                           &TdmTec::quOSContatoDATA_SOLICITADA, &TdmTec::quContratoACDATAIMPLANTACAO,
                           &TdmTec::quContratoACDATAVALIDADE};
    Field& alvo = *linha.fieldByName("DATA");
    for (Campo campo : datas) {
        const Field& ligado = *(dmTec.get()->*campo);
        SCOPED_TRACE(ligado.name().toStdString());
        ASSERT_TRUE(ligado.onSetText);
        alvo.clear();
        ligado.onSetText(alvo, "05/06/26");
        EXPECT_EQ(alvo.asDateTime().date(), QDate(2026, 6, 5));
    }
}

TEST_F(TdmTecMappingsTest, ValidaDataEmptiesOnTheBlankMaskAndExpandsTwoDigitYears)
{
    Field& alvo = *linha.fieldByName("DATA");
    struct Caso {
        const char* digitado;
        QDate esperado;   // invalid: emptied
    };
    const Caso casos[] = {
        {"  /  /  ", QDate()},
        {"  /  /    ", QDate()},
        {"__/__/____", QDate()},
        {"", QDate()},   // a date field left empty
        {"15/03/26", QDate(2026, 3, 15)},
        {"15/03/49", QDate(2049, 3, 15)},
        {"15/03/50", QDate(2050, 3, 15)},
        {"29/02/24", QDate(2024, 2, 29)},
        {"01/01/2031", QDate(2031, 1, 1)},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.digitado);
        alvo.setValue(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
        dmTec->ValidaData(alvo, caso.digitado);
        if (caso.esperado.isValid())
            EXPECT_EQ(alvo.asDateTime().date(), caso.esperado);
        else
            EXPECT_TRUE(alvo.isNull());
    }
}

TEST_F(TdmTecMappingsTest, ValidaDataRefusesWhatIsNoDateAndKeepsTheValue)
{
    Field& alvo = *linha.fieldByName("DATA");
    const QDateTime antes(QDate(2025, 7, 4), QTime(0, 0));
    for (const char* digitado : {"31/02/26", "29/02/25", "32/01/26", "ab/cd/ef", "1 /  /  ", "  /13/2026"}) {
        SCOPED_TRACE(std::string("'") + digitado + "'");
        alvo.setValue(antes);
        host::ui::ScriptedDialogs dialogos;
        dialogos.acknowledge("Data informada inválida.");
        EXPECT_THROW(dmTec->ValidaData(alvo, digitado), host::Abort);
        EXPECT_EQ(dialogos.texts(), QStringList{"Data informada inválida."});
        EXPECT_EQ(alvo.asDateTime(), antes);
    }
}

TEST_F(TdmTecMappingsTest, AssistanceOrderLineDatesAreTypedThroughValidaData)
{
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, DATA_EMISSAO) values (1, 'P1', '000007', '2026-01-02')");
    host::data::Query& linhas = *dmTec->quAssVendaItem;
    for (int vez = 0; vez < 2; ++vez) {   // the fields are made again at each open
        linhas.close();
        linhas.paramByName("numero_pedido")->setAsString("000007");
        linhas.open();
        ASSERT_FALSE(linhas.isEmpty());
        for (const char* nome : {"DATA_EMISSAO", "VEITENTREGADATA", "VEITMOEDACOTACAODATA"}) {
            SCOPED_TRACE(nome);
            Field* campo = linhas.fieldByName(nome);
            campo->setText("15/03/26");
            EXPECT_EQ(campo->asDateTime().date(), QDate(2026, 3, 15));
            host::ui::ScriptedDialogs dialogos;
            dialogos.acknowledge("Data informada inválida.");
            EXPECT_THROW(campo->setText("31/02/26"), host::Abort);
            EXPECT_EQ(dialogos.texts(), QStringList{"Data informada inválida."});
            EXPECT_EQ(campo->asDateTime().date(), QDate(2026, 3, 15));
            campo->setText("  /  /  ");
            EXPECT_TRUE(campo->isNull());
        }
        linhas.cancel();
    }
}

TEST_F(TdmTecMappingsTest, AssistanceOrderLinesTakeTypedDates)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000007')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, DATA_EMISSAO, VALOR) values (1, 'P1', '000007', '2026-01-02', 5)");
    host::data::Query& linhas = *dmTec->quAssVendaItem;
    linhas.close();
    linhas.paramByName("numero_pedido")->setAsString("000007");
    linhas.open();
    linhas.fieldByName("DATA_EMISSAO")->setText("15/03/26");
    linhas.post();
    EXPECT_EQ(one("select extract(month from DATA_EMISSAO) from AVEC85IT where COD = 1").toInt(), 3);
}

}  // namespace
}  // namespace tectest
