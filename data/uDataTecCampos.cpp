// The persistent fields of TdmTec's queries: name (query + column), type,
// size and display label, the look-up and calculated fields, and the display
// conventions of the module: order codes "000000000", request codes
// "000000", money and quantities "###,###,##0.00", service minutes
// "###,###,##0.##", dates typed through "!99/99/99;1;_", times through
// "!99:99;1;_" shown "hh:mm", plate, year and postal-code masks. Key columns
// are required.

#include "data/uDataTec.h"
#include "data/uDataTecUpgrade.h"
#include "host/schema/SchemaDefinition.h"

#include <QRegularExpression>
#include <QSet>

#include <span>

using host::data::Field;
using host::data::FieldKind;
using host::data::FieldType;

namespace {

struct FieldDef {
    Field* TdmTec::*member;
    const char* name;
    FieldType type;
    int size;
    const char* label;
    FieldKind kind;
};

const FieldDef quOSFields[] = {
    {&TdmTec::quOSAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Nº da OS", FieldKind::Data},
    {&TdmTec::quOSCLCODIGO, "CLCODIGO", FieldType::String, 5, "Código Cliente", FieldKind::Data},
    {&TdmTec::quOSATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código Técnico", FieldKind::Data},
    {&TdmTec::quOSASCODIGO, "ASCODIGO", FieldType::Int16, 0, "Cód. Situação", FieldKind::Data},
    {&TdmTec::quOSVECODIGO, "VECODIGO", FieldType::String, 20, "Nº Pedido de Venda", FieldKind::Data},
    {&TdmTec::quOSTVCODIGO, "TVCODIGO", FieldType::String, 2, "Tab. Vcto.", FieldKind::Data},
    {&TdmTec::quOSAOLAUDO, "AOLAUDO", FieldType::String, 50, "Motivos Suspensão", FieldKind::Data},
    {&TdmTec::quOSAODATAENTRADA, "AODATAENTRADA", FieldType::DateTime, 0, "Data Entrada", FieldKind::Data},
    {&TdmTec::quOSAODATASAIDA, "AODATASAIDA", FieldType::DateTime, 0, "Data Saída", FieldKind::Data},
    {&TdmTec::quOSAODATAAPROVA, "AODATAAPROVA", FieldType::DateTime, 0, "Data Aprovação", FieldKind::Data},
    {&TdmTec::quOSAOATENDENTE, "AOATENDENTE", FieldType::String, 50, "Atendente", FieldKind::Data},
    {&TdmTec::quOSAOCONTATO, "AOCONTATO", FieldType::String, 50, "Contato", FieldKind::Data},
    {&TdmTec::quOSAOBAIXA, "AOBAIXA", FieldType::String, 1, "Status Serviço", FieldKind::Data},
    {&TdmTec::quOSAOCONTACAIXA, "AOCONTACAIXA", FieldType::String, 10, "Conta Caixa", FieldKind::Data},
    {&TdmTec::quOSAOVALORPROJETO, "AOVALORPROJETO", FieldType::Float, 0, "Valor Projeto", FieldKind::Data},
    {&TdmTec::quOSAODESPVIAGEM, "AODESPVIAGEM", FieldType::Float, 0, "Despesas com Viagem", FieldKind::Data},
    {&TdmTec::quOSAODESPDIVERSAS, "AODESPDIVERSAS", FieldType::Float, 0, "Despesas Diversas", FieldKind::Data},
    {&TdmTec::quOSAOVALORPECAS, "AOVALORPECAS", FieldType::Float, 0, "Valor das Peça(s)", FieldKind::Data},
    {&TdmTec::quOSAOVALORSERVICO, "AOVALORSERVICO", FieldType::Float, 0, "Valor do Serviço", FieldKind::Data},
    {&TdmTec::quOSAOVALORTOTAL, "AOVALORTOTAL", FieldType::Float, 0, "Valor Total", FieldKind::Data},
    {&TdmTec::quOSAOOBSERVACAO, "AOOBSERVACAO", FieldType::Memo, 0, "Observação", FieldKind::Data},
    {&TdmTec::quOSAODESCONTO, "AODESCONTO", FieldType::Float, 0, "Desconto", FieldKind::Data},
    {&TdmTec::quOSAOHORAENTRADA, "AOHORAENTRADA", FieldType::DateTime, 0, "Hora Entrada", FieldKind::Data},
    {&TdmTec::quOSAOHORASAIDA, "AOHORASAIDA", FieldType::DateTime, 0, "Hora Saída", FieldKind::Data},
    {&TdmTec::quOSAOPREVLIBERACAO, "AOPREVLIBERACAO", FieldType::Int32, 0, "Previsão para Liberação após aprovação", FieldKind::Data},
    {&TdmTec::quOSAOVALIDADEORCAMENTO, "AOVALIDADEORCAMENTO", FieldType::DateTime, 0, "Validade do Orçamento", FieldKind::Data},
    {&TdmTec::quOSAOPRIORIDADE, "AOPRIORIDADE", FieldType::String, 1, "Prioridade do Serviço", FieldKind::Data},
    {&TdmTec::quOSAOATENDIMENTO, "AOATENDIMENTO", FieldType::String, 1, "Tipo de Atendimento", FieldKind::Data},
    {&TdmTec::quOSAONUMEROOSTERCEIROS, "AONUMEROOSTERCEIROS", FieldType::String, 10, "Nº OS Terc.", FieldKind::Data},
    {&TdmTec::quOSAODESCRICAOLAUDO, "AODESCRICAOLAUDO", FieldType::Memo, 0, "Laudo/Defeito Const.", FieldKind::Data},
    {&TdmTec::quOSAOCAUSA, "AOCAUSA", FieldType::Memo, 0, "Causa", FieldKind::Data},
    {&TdmTec::quOSAOSOLUCAO, "AOSOLUCAO", FieldType::Memo, 0, "Solução", FieldKind::Data},
    {&TdmTec::quOSAOOBSLAUDO, "AOOBSLAUDO", FieldType::Memo, 0, "Obs. Laudo", FieldKind::Data},
    {&TdmTec::quOSAOIMPRIMIRLAUDO, "AOIMPRIMIRLAUDO", FieldType::String, 1, "Impressão do Laudo", FieldKind::Data},
    {&TdmTec::quOSAOTIPOOS, "AOTIPOOS", FieldType::String, 30, "Tipo da O.S.", FieldKind::Data},
    {&TdmTec::quOSOFCODIGO, "OFCODIGO", FieldType::String, 5, "Cód. Operação", FieldKind::Data},
    {&TdmTec::quOSCLCODIGOCLIENTECOBRANCA, "CLCODIGOCLIENTECOBRANCA", FieldType::String, 5, "Cód Cliente Cob.", FieldKind::Data},
    {&TdmTec::quOSVECODIGODEVOLUCAO, "VECODIGODEVOLUCAO", FieldType::String, 20, "Nº Pedido Devolução", FieldKind::Data},
    {&TdmTec::quOSAOREMANUFATURA, "AOREMANUFATURA", FieldType::String, 1, "Remanufatura (A/R/C)", FieldKind::Data},
    {&TdmTec::quOSAODATACOBRANCA, "AODATACOBRANCA", FieldType::DateTime, 0, "Data de Cobrança", FieldKind::Data},
    {&TdmTec::quOSAOHORAAPROVACAO, "AOHORAAPROVACAO", FieldType::DateTime, 0, "Hora Aprovação", FieldKind::Data},
    {&TdmTec::quOSFOCODIGOVENDEDOR, "FOCODIGOVENDEDOR", FieldType::String, 5, "Código do Vendedor", FieldKind::Data},
    {&TdmTec::quOSFOCODIGOREPRESENTANTE, "FOCODIGOREPRESENTANTE", FieldType::String, 5, "Código do Representante", FieldKind::Data},
    {&TdmTec::quOSAOVALORPECASREQUERIDO, "AOVALORPECASREQUERIDO", FieldType::Float, 0, "Total de Peças Requerido", FieldKind::Data},
    {&TdmTec::quOSAOVALORSERVICOSREQUERIDO, "AOVALORSERVICOSREQUERIDO", FieldType::Float, 0, "Total de Serviços Requerido", FieldKind::Data},
    {&TdmTec::quOSAODESCONTOPECA, "AODESCONTOPECA", FieldType::Float, 0, "Desconto Peça", FieldKind::Data},
    {&TdmTec::quOSAODESCONTOSERVICO, "AODESCONTOSERVICO", FieldType::Float, 0, "Desconto Serviço", FieldKind::Data},
    {&TdmTec::quOSCRDOCUMENTO, "CRDOCUMENTO", FieldType::String, 6, "Contas a Receber", FieldKind::Data},
    {&TdmTec::quOSAOLOCAL, "AOLOCAL", FieldType::String, 2, "Filial", FieldKind::Data},
    {&TdmTec::quOSAOVALORIPI, "AOVALORIPI", FieldType::Float, 0, "Valor IPI", FieldKind::Data},
    {&TdmTec::quOSFOCODIGOTRANSPORTE, "FOCODIGOTRANSPORTE", FieldType::String, 5, "Código Transportadora", FieldKind::Data},
    {&TdmTec::quOSCLCODIGOCOBRANCASERVICO, "CLCODIGOCOBRANCASERVICO", FieldType::String, 5, "Código Cliente Cobrança Serviço", FieldKind::Data},
    {&TdmTec::quOSCLCODIGOCOBRANCADESPESAS, "CLCODIGOCOBRANCADESPESAS", FieldType::String, 5, "Código Cliente Cobrança Despesas", FieldKind::Data},
    {&TdmTec::quOSVECODIGOSERVICO, "VECODIGOSERVICO", FieldType::String, 15, "Nº Pedido Venda - Serviço", FieldKind::Data},
    {&TdmTec::quOSAOHISTORICO, "AOHISTORICO", FieldType::Memo, 0, "Histórico", FieldKind::Data},
    {&TdmTec::quOSAOSEQATENDIMENTO, "AOSEQATENDIMENTO", FieldType::Int32, 0, "Seq. Atendimento", FieldKind::Data},
    {&TdmTec::quOSAODESPESASCLIENTE, "AODESPESASCLIENTE", FieldType::String, uDataTecUpgrade::kCustomerExpensesLength, "Despesas Cliente", FieldKind::Data},
    {&TdmTec::quOSORCTCODIGO, "ORCTCODIGO", FieldType::Int32, 0, "Código Condição Tributária", FieldKind::Data},
    {&TdmTec::quOSASDESCRICAO, "ASDESCRICAO", FieldType::String, 50, "Situação", FieldKind::Data},
    {&TdmTec::quOSANCODIGO, "ANCODIGO", FieldType::Int32, 0, "", FieldKind::Data},
    {&TdmTec::quOSDescTecnico, "DescTecnico", FieldType::String, 50, "", FieldKind::Lookup},
    {&TdmTec::quOSDescricaoTabVcto, "DescricaoTabVcto", FieldType::String, 50, "", FieldKind::Lookup},
    {&TdmTec::quOSCLIENTE, "CLIENTE", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSOBSCLI, "OBSCLI", FieldType::String, 100, "", FieldKind::Data},
    {&TdmTec::quOSNUMERO_IDENTIDADE, "NUMERO_IDENTIDADE", FieldType::String, 15, "", FieldKind::Data},
    {&TdmTec::quOSCGC_CNPJ, "CGC_CNPJ", FieldType::String, 18, "", FieldKind::Data},
    {&TdmTec::quOSTELEFONE1, "TELEFONE1", FieldType::String, host::schema::kPhoneWidth, "", FieldKind::Data},
    {&TdmTec::quOSTELEFONE2, "TELEFONE2", FieldType::String, host::schema::kPhoneWidth, "", FieldKind::Data},
    {&TdmTec::quOSFAX, "FAX", FieldType::String, host::schema::kPhoneWidth, "", FieldKind::Data},
    {&TdmTec::quOSINSCRICAO_MUNICIPAL, "INSCRICAO_MUNICIPAL", FieldType::String, 15, "", FieldKind::Data},
    {&TdmTec::quOSENDERECO, "ENDERECO", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSCIDADE, "CIDADE", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSCEP, "CEP", FieldType::String, 9, "", FieldKind::Data},
    {&TdmTec::quOSBAIRRO, "BAIRRO", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSESTADO, "ESTADO", FieldType::String, 2, "", FieldKind::Data},
    {&TdmTec::quOSPESSOA_FISICAOUJURIDICA, "PESSOA_FISICAOUJURIDICA", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSCONTATO, "CONTATO", FieldType::String, 25, "", FieldKind::Data},
    {&TdmTec::quOSNOME_FANTASIA, "NOME_FANTASIA", FieldType::String, 40, "", FieldKind::Data},
    {&TdmTec::quOSCLIENTECOBRANCA, "CLIENTECOBRANCA", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSTECNICO, "TECNICO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSIMPRESSO_NF, "IMPRESSO_NF", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSCLIE, "CLIE", FieldType::String, 20, "", FieldKind::Data},
    {&TdmTec::quOSRACOR, "RACOR", FieldType::String, 15, "", FieldKind::Data},
    {&TdmTec::quOSStatusPV, "StatusPV", FieldType::String, 50, "", FieldKind::Calculated},
    {&TdmTec::quOSStatusPedidoDevolucao, "StatusPedidoDevolucao", FieldType::String, 50, "", FieldKind::Calculated},
    {&TdmTec::quOSNOMEVENDEDOR, "NOMEVENDEDOR", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSOPERACAO, "OPERACAO", FieldType::String, 35, "", FieldKind::Data},
    {&TdmTec::quOSTABELAVENCIMENTO, "TABELAVENCIMENTO", FieldType::String, 40, "", FieldKind::Data},
    {&TdmTec::quOSNOMEREPRESENTANTE, "NOMEREPRESENTANTE", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSEMAIL, "EMAIL", FieldType::String, 100, "", FieldKind::Data},
    {&TdmTec::quOSCLDESCONTO, "CLDESCONTO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSLIMITE_CREDITO, "LIMITE_CREDITO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSTIPO_OP, "TIPO_OP", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSASSUME_ICMS_SN, "ASSUME_ICMS_SN", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSICMS, "ICMS", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSVAL_ITEM_IPI, "VAL_ITEM_IPI", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSPERC_CALC, "PERC_CALC", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSBASE_CALC_IPI, "BASE_CALC_IPI", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSOFMARKUPMINIMO, "OFMARKUPMINIMO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSOFISENTOIE, "OFISENTOIE", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSAOTURNO, "AOTURNO", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSAORETORNO, "AORETORNO", FieldType::String, 1, "", FieldKind::Data},
};
const FieldDef quOSItemFields[] = {
    {&TdmTec::quOSItemAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Sequencia", FieldKind::Data},
    {&TdmTec::quOSItemAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSItemAOITEQUIPCODIGO, "AOITEQUIPCODIGO", FieldType::Int32, 0, "Código do Equip./Aut.", FieldKind::Data},
    {&TdmTec::quOSItemAOITEQUIPDESCRICAO, "AOITEQUIPDESCRICAO", FieldType::String, 50, "Equipamento ou Automóvel", FieldKind::Data},
    {&TdmTec::quOSItemAOITMARCA, "AOITMARCA", FieldType::String, 30, "Marca", FieldKind::Data},
    {&TdmTec::quOSItemAOITMODELO, "AOITMODELO", FieldType::String, 80, "Modelo", FieldKind::Data},
    {&TdmTec::quOSItemAOITDEFEITO, "AOITDEFEITO", FieldType::String, 100, "Defeito", FieldKind::Data},
    {&TdmTec::quOSItemAOITSERIE, "AOITSERIE", FieldType::String, 30, "Nº de Série ou Chassi", FieldKind::Data},
    {&TdmTec::quOSItemAOITQUANTIDADE, "AOITQUANTIDADE", FieldType::Float, 0, "Quantidade", FieldKind::Data},
    {&TdmTec::quOSItemAOITLOJACOMPRA, "AOITLOJACOMPRA", FieldType::String, 50, "Loja da Compra", FieldKind::Data},
    {&TdmTec::quOSItemAOITDATACOMPRA, "AOITDATACOMPRA", FieldType::DateTime, 0, "Data Compra", FieldKind::Data},
    {&TdmTec::quOSItemAOITCOR, "AOITCOR", FieldType::String, 30, "Cor", FieldKind::Data},
    {&TdmTec::quOSItemAOITANOFABRICACAO, "AOITANOFABRICACAO", FieldType::String, 4, "Ano Fabricação", FieldKind::Data},
    {&TdmTec::quOSItemAOITKMINICIAL, "AOITKMINICIAL", FieldType::Float, 0, "Km Inicial", FieldKind::Data},
    {&TdmTec::quOSItemAOITPLACA, "AOITPLACA", FieldType::String, 8, "Placa", FieldKind::Data},
    {&TdmTec::quOSItemAOITCOMBUSTIVEL, "AOITCOMBUSTIVEL", FieldType::String, 15, "Combustível", FieldKind::Data},
    {&TdmTec::quOSItemAOITPOSICAOCOMBUSTIVEL, "AOITPOSICAOCOMBUSTIVEL", FieldType::String, 5, "Posição Comb.", FieldKind::Data},
    {&TdmTec::quOSItemAOITFOTO, "AOITFOTO", FieldType::Blob, 0, "Foto", FieldKind::Data},
    {&TdmTec::quOSItemAOITCODIGOINTERNO, "AOITCODIGOINTERNO", FieldType::String, 10, "Cód. Interno", FieldKind::Data},
    {&TdmTec::quOSItemAOITNUMERONOTAFISCAL, "AOITNUMERONOTAFISCAL", FieldType::String, 6, "Nº Nota Fiscal", FieldKind::Data},
    {&TdmTec::quOSItemAOITNUMERONFREMESSA, "AOITNUMERONFREMESSA", FieldType::String, 6, "Nº N.F. Remessa", FieldKind::Data},
    {&TdmTec::quOSItemAOITVALORNFREMESSA, "AOITVALORNFREMESSA", FieldType::Float, 0, "Valor N.F. Remessa", FieldKind::Data},
    {&TdmTec::quOSItemAOITGARANTIA, "AOITGARANTIA", FieldType::String, 1, "Garantia", FieldKind::Data},
    {&TdmTec::quOSItemAOITRENAVAN, "AOITRENAVAN", FieldType::String, 20, "Renavan", FieldKind::Data},
    {&TdmTec::quOSItemAOITCARROCERIAMARCA, "AOITCARROCERIAMARCA", FieldType::String, 20, "Marca Carroceria", FieldKind::Data},
    {&TdmTec::quOSItemAOITCARROCERIANUMERO, "AOITCARROCERIANUMERO", FieldType::String, 15, "Nº da Carroceria", FieldKind::Data},
    {&TdmTec::quOSItemAOITMOTORNUMERO, "AOITMOTORNUMERO", FieldType::String, 20, "Nº do Motor", FieldKind::Data},
    {&TdmTec::quOSItemAOITAPROVADO, "AOITAPROVADO", FieldType::String, 1, "Aprovado Pelo Cliente", FieldKind::Data},
    {&TdmTec::quOSItemAOITESPECIE, "AOITESPECIE", FieldType::String, 30, "Espécie", FieldKind::Data},
    {&TdmTec::quOSItemAOITORIGINAL, "AOITORIGINAL", FieldType::String, 1, "Original", FieldKind::Data},
    {&TdmTec::quOSItemAOITAUTORIZADO, "AOITAUTORIZADO", FieldType::String, 1, "Autorizado (S- Sim, N - Não, D - Devolvido)", FieldKind::Data},
    {&TdmTec::quOSItemAOITUSUARIO, "AOITUSUARIO", FieldType::String, 30, "Usuário", FieldKind::Data},
    {&TdmTec::quOSItemASCODIGO, "ASCODIGO", FieldType::Int16, 0, "Código da Situação", FieldKind::Data},
    {&TdmTec::quOSItemACCODIGO, "ACCODIGO", FieldType::Int32, 0, "Código do Contrato", FieldKind::Data},
    {&TdmTec::quOSItemAACODIGO, "AACODIGO", FieldType::Int16, 0, "Código do Serviço", FieldKind::Data},
    {&TdmTec::quOSItemATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código Técnico", FieldKind::Data},
    {&TdmTec::quOSItemAOITCAUSA, "AOITCAUSA", FieldType::Memo, 0, "Causa", FieldKind::Data},
    {&TdmTec::quOSItemAOITOBSERVACAO, "AOITOBSERVACAO", FieldType::Memo, 0, "Observação", FieldKind::Data},
    {&TdmTec::quOSItemAOITSOLUCAO, "AOITSOLUCAO", FieldType::Memo, 0, "Solução", FieldKind::Data},
    {&TdmTec::quOSItemAOITLAUDO, "AOITLAUDO", FieldType::Memo, 0, "Laudo", FieldKind::Data},
    {&TdmTec::quOSItemAOITEMAILENVIADO, "AOITEMAILENVIADO", FieldType::String, 1, "Email Enviado", FieldKind::Data},
    {&TdmTec::quOSItemAOITVALORFRETE, "AOITVALORFRETE", FieldType::Float, 0, "Valor Frete", FieldKind::Data},
    {&TdmTec::quOSItemFOCONSECIONARIA, "FOCONSECIONARIA", FieldType::String, 5, "Cód. Consecionaria", FieldKind::Data},
    {&TdmTec::quOSItemAOITDEFEITOCONSTATADO, "AOITDEFEITOCONSTATADO", FieldType::String, 100, "Defeito Constatado", FieldKind::Data},
    {&TdmTec::quOSItemEQUIPAMENTO, "EQUIPAMENTO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSItemDESCRICAOCONSECIONARIA, "DESCRICAOCONSECIONARIA", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSItemAODATAENTRADA, "AODATAENTRADA", FieldType::DateTime, 0, "", FieldKind::Data},
    {&TdmTec::quOSItemCLIENTE, "CLIENTE", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSItemENDCLI, "ENDCLI", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSItemTECNICO, "TECNICO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSItemTECNICOITEM, "TECNICOITEM", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSItemDescricaoSituacao, "DescricaoSituacao", FieldType::String, 50, "", FieldKind::Lookup},
    {&TdmTec::quOSItemEQUIPAMENTOCOMPLETO, "EQUIPAMENTOCOMPLETO", FieldType::String, 200, "", FieldKind::Calculated},
    {&TdmTec::quOSItemAETIPO, "AETIPO", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSItemAECODIGOINTERNO, "AECODIGOINTERNO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSItemFOCODIGOMOTORISTA, "FOCODIGOMOTORISTA", FieldType::String, 5, "", FieldKind::Data},
    {&TdmTec::quOSItemAOITPRCODIGO, "AOITPRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
};
const FieldDef quOSPecasFields[] = {
    {&TdmTec::quOSPecasAPSEQUENCIA, "APSEQUENCIA", FieldType::Int16, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quOSPecasAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSPecasAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Código do Item OS", FieldKind::Data},
    {&TdmTec::quOSPecasPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALUNITARIO, "APVALUNITARIO", FieldType::Float, 0, "Valor Unitário", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALTOTAL, "APVALTOTAL", FieldType::Float, 0, "Valor Total", FieldKind::Data},
    {&TdmTec::quOSPecasAPOBSERVACAO, "APOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quOSPecasAPAUTORIZADO, "APAUTORIZADO", FieldType::String, 1, "Autorizado", FieldKind::Data},
    {&TdmTec::quOSPecasAPTIPO, "APTIPO", FieldType::String, 1, "Garantia", FieldKind::Data},
    {&TdmTec::quOSPecasAPRESERVA, "APRESERVA", FieldType::String, 1, "Reservado ", FieldKind::Data},
    {&TdmTec::quOSPecasAPDESCONTO, "APDESCONTO", FieldType::Float, 0, "Desconto %", FieldKind::Data},
    {&TdmTec::quOSPecasVECODIGO, "VECODIGO", FieldType::String, 20, "Nº Pedido Venda", FieldKind::Data},
    {&TdmTec::quOSPecasAPQUANTIDADE, "APQUANTIDADE", FieldType::Float, 0, "Quantidade", FieldKind::Data},
    {&TdmTec::quOSPecasAPQUANTIDADEREQUERIDA, "APQUANTIDADEREQUERIDA", FieldType::Float, 0, "Quantidade Requerida", FieldKind::Data},
    {&TdmTec::quOSPecasUGINSERIDO, "UGINSERIDO", FieldType::DateTime, 0, "Data Inserção", FieldKind::Data},
    {&TdmTec::quOSPecasAPUSUARIOINSERCAO, "APUSUARIOINSERCAO", FieldType::String, 30, "Usuário Inserção", FieldKind::Data},
    {&TdmTec::quOSPecasAPGARANTIA, "APGARANTIA", FieldType::String, 1, "Garantia", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALORTOTALREQUERIDO, "APVALORTOTALREQUERIDO", FieldType::Float, 0, "Valor Total Requerido", FieldKind::Data},
    {&TdmTec::quOSPecasLECODIGO, "LECODIGO", FieldType::String, 3, "Código Local", FieldKind::Data},
    {&TdmTec::quOSPecasAPPROMOCAO, "APPROMOCAO", FieldType::String, 1, "Promoção (S/N)", FieldKind::Data},
    {&TdmTec::quOSPecasOFCODIGO, "OFCODIGO", FieldType::String, 5, "Código da Operação", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALORIPI, "APVALORIPI", FieldType::Float, 0, "Valor IPI", FieldKind::Data},
    {&TdmTec::quOSPecasAPBASEIPI, "APBASEIPI", FieldType::Float, 0, "Valor Base IPI", FieldKind::Data},
    {&TdmTec::quOSPecasAPIPI, "APIPI", FieldType::Float, 0, "% IPI", FieldKind::Data},
    {&TdmTec::quOSPecasAPSUBST, "APSUBST", FieldType::Float, 0, "% Substituição", FieldKind::Data},
    {&TdmTec::quOSPecasAPICMSSUBST, "APICMSSUBST", FieldType::Float, 0, "ICMS Subst", FieldKind::Data},
    {&TdmTec::quOSPecasAPBASESUBST, "APBASESUBST", FieldType::Float, 0, "Base Subst", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALORSUBST, "APVALORSUBST", FieldType::Float, 0, "Valor Subst", FieldKind::Data},
    {&TdmTec::quOSPecasAPBASEICMS, "APBASEICMS", FieldType::Float, 0, "Base ICMS", FieldKind::Data},
    {&TdmTec::quOSPecasAPVALORICMS, "APVALORICMS", FieldType::Float, 0, "Valor ICMS", FieldKind::Data},
    {&TdmTec::quOSPecasAPICMS, "APICMS", FieldType::Float, 0, "% ICMS", FieldKind::Data},
    {&TdmTec::quOSPecasAPCOFINS, "APCOFINS", FieldType::Float, 0, "COFINS", FieldKind::Data},
    {&TdmTec::quOSPecasAPIR, "APIR", FieldType::Float, 0, "IR", FieldKind::Data},
    {&TdmTec::quOSPecasAPINSS, "APINSS", FieldType::Float, 0, "INSS", FieldKind::Data},
    {&TdmTec::quOSPecasAPPIS, "APPIS", FieldType::Float, 0, "PIS", FieldKind::Data},
    {&TdmTec::quOSPecasAPCSLL, "APCSLL", FieldType::Float, 0, "CSLL", FieldKind::Data},
    {&TdmTec::quOSPecasAPCOFINSSUB, "APCOFINSSUB", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPIRSUB, "APIRSUB", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPINSSSUB, "APINSSSUB", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPPISSUB, "APPISSUB", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPCSLLSUB, "APCSLLSUB", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPNUMEROSERIE, "APNUMEROSERIE", FieldType::String, 30, "Número de Série", FieldKind::Data},
    {&TdmTec::quOSPecasDescEquipOS, "DescEquipOS", FieldType::String, 200, "Equipamento", FieldKind::Lookup},
    {&TdmTec::quOSPecasDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
    {&TdmTec::quOSPecasPCO_VENDA, "PCO_VENDA", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasPCO_CUSTO, "PCO_CUSTO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasEQUIPAMENTO, "EQUIPAMENTO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSPecasAOITEQUIPCODIGO, "AOITEQUIPCODIGO", FieldType::Int32, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasUNIDADE_MEDIDA, "UNIDADE_MEDIDA", FieldType::String, 4, "", FieldKind::Data},
    {&TdmTec::quOSPecasRESERVADO, "RESERVADO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasDISPONIVEL, "DISPONIVEL", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasESTOQUE, "ESTOQUE", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasOUTRO_CODIGO, "OUTRO_CODIGO", FieldType::String, 13, "", FieldKind::Data},
    {&TdmTec::quOSPecasPRTAMANHO, "PRTAMANHO", FieldType::String, 20, "", FieldKind::Data},
    {&TdmTec::quOSPecasPRDESCRICAOCOMERCIAL, "PRDESCRICAOCOMERCIAL", FieldType::String, 100, "", FieldKind::Data},
    {&TdmTec::quOSPecasPRPOSICIONAMENTO, "PRPOSICIONAMENTO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSPecasGRUPO, "GRUPO", FieldType::String, 13, "", FieldKind::Data},
    {&TdmTec::quOSPecasDESCRICAOGRUPO, "DESCRICAOGRUPO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSPecasPRIMUNE, "PRIMUNE", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSPecasICMS_PARA_REDUCAO, "ICMS_PARA_REDUCAO", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSPecasCOM_FAB_S_FS, "COM_FAB_S_FS", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSPecasDataTransito, "DataTransito", FieldType::Date, 0, "", FieldKind::Calculated},
    {&TdmTec::quOSPecasQtdeTransito, "QtdeTransito", FieldType::Float, 0, "", FieldKind::Calculated},
    {&TdmTec::quOSPecasPRCODIGOFORNECEDOR, "PRCODIGOFORNECEDOR", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSPecasNCCODIGO, "NCCODIGO", FieldType::String, 15, "", FieldKind::Data},
    {&TdmTec::quOSPecasAPITREFERENCIADOCUMENTO, "APITREFERENCIADOCUMENTO", FieldType::String, 6, "Documento Referência", FieldKind::Data},
    {&TdmTec::quOSPecasAPITREFERENCIASERIE, "APITREFERENCIASERIE", FieldType::String, 2, "Serie Referência", FieldKind::Data},
    {&TdmTec::quOSPecasAPITREFERENCIALOCAL, "APITREFERENCIALOCAL", FieldType::String, 2, "Local Referência", FieldKind::Data},
    {&TdmTec::quOSPecasAPITREFERENCIAOFCODIGO, "APITREFERENCIAOFCODIGO", FieldType::String, 5, "Operação Referência", FieldKind::Data},
    {&TdmTec::quOSPecasAPITREFERENCIACLCODIGO, "APITREFERENCIACLCODIGO", FieldType::String, 5, "Cliente Referência", FieldKind::Data},
    {&TdmTec::quOSPecasPOPOSICIONAMENTO, "POPOSICIONAMENTO", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSPecasATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Cód. Técnico", FieldKind::Data},
    {&TdmTec::quOSPecasNOMETECNICO, "NOMETECNICO", FieldType::String, 50, "Nome do Técnico", FieldKind::Data},
};
const FieldDef quOSAndamentoFields[] = {
    {&TdmTec::quOSAndamentoAACODIGO, "AACODIGO", FieldType::Int16, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quOSAndamentoAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSAndamentoAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Código do Item OS", FieldKind::Data},
    {&TdmTec::quOSAndamentoAADATA, "AADATA", FieldType::DateTime, 0, "Data", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAHORAINICIO, "AAHORAINICIO", FieldType::DateTime, 0, "Hora Inicial", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAHORAFIM, "AAHORAFIM", FieldType::DateTime, 0, "Hora Final", FieldKind::Data},
    {&TdmTec::quOSAndamentoAATOTAL, "AATOTAL", FieldType::Int32, 0, "Total (min.)", FieldKind::Data},
    {&TdmTec::quOSAndamentoPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Serviço", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAQUANTIDADE, "AAQUANTIDADE", FieldType::Float, 0, "Quantidade", FieldKind::Data},
    {&TdmTec::quOSAndamentoAADESCONTO, "AADESCONTO", FieldType::Float, 0, "% Desconto ", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAVALOR, "AAVALOR", FieldType::Float, 0, "Valor Unit.", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAVALORTOTAL, "AAVALORTOTAL", FieldType::Float, 0, "Valor Total", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAAUTORIZADO, "AAAUTORIZADO", FieldType::String, 1, "Autorizado", FieldKind::Data},
    {&TdmTec::quOSAndamentoAATIPO, "AATIPO", FieldType::String, 1, "Garantia", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAOBSERVACAO, "AAOBSERVACAO", FieldType::String, 50, "Observação", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAESPECIE, "AAESPECIE", FieldType::String, 10, "Espécie do Serviço", FieldKind::Data},
    {&TdmTec::quOSAndamentoATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código Técnico", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAQUANTIDADEREQUERIDA, "AAQUANTIDADEREQUERIDA", FieldType::Float, 0, "Quantidade Requerida", FieldKind::Data},
    {&TdmTec::quOSAndamentoOFCODIGO, "OFCODIGO", FieldType::String, 5, "Código da Operação", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHCODIGO, "AHCODIGO", FieldType::Int32, 0, "Código Hora Técnica", FieldKind::Data},
    {&TdmTec::quOSAndamentoVECODIGO, "VECODIGO", FieldType::String, 20, "Nº Pedido Venda", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAVALORTOTALREQUERIDO, "AAVALORTOTALREQUERIDO", FieldType::Float, 0, "Valor Total Requerido", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAPROMOCAO, "AAPROMOCAO", FieldType::String, 1, "Promoção (S/N)", FieldKind::Data},
    {&TdmTec::quOSAndamentoIVCODIGO, "IVCODIGO", FieldType::Int16, 0, "Código Item Verificação", FieldKind::Data},
    {&TdmTec::quOSAndamentoEVCODIGO, "EVCODIGO", FieldType::Int16, 0, "Código Veículo", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAKM, "AAKM", FieldType::Float, 0, "KM", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAVALORAUXILIAR, "AAVALORAUXILIAR", FieldType::Float, 0, "Valor Auxiliar", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAMINUTODESCONTADO, "AAMINUTODESCONTADO", FieldType::Int32, 0, "Minutos Desconto/Intervalo", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAFATURA, "AAFATURA", FieldType::String, 50, "Fatura", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAINFORMACAO, "AAINFORMACAO", FieldType::String, 100, "Informação Adicional", FieldKind::Data},
    {&TdmTec::quOSAndamentoAAQUANTIDADEIMPRESSA, "AAQUANTIDADEIMPRESSA", FieldType::Float, 0, "Qtde. Impressa", FieldKind::Data},
    {&TdmTec::quOSAndamentoTotalHoraReferente, "TotalHoraReferente", FieldType::Float, 0, "", FieldKind::Calculated},
    {&TdmTec::quOSAndamentoAANUMEROSERIE, "AANUMEROSERIE", FieldType::String, 30, "Numero Série", FieldKind::Data},
    {&TdmTec::quOSAndamentoDescEquipOS, "DescEquipOS", FieldType::String, 200, "Equipamento", FieldKind::Lookup},
    {&TdmTec::quOSAndamentoDescricaoHora, "DescricaoHora", FieldType::String, 50, "Tipo de Hora", FieldKind::Lookup},
    {&TdmTec::quOSAndamentoAHTIPO, "AHTIPO", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoDESCHORA, "DESCHORA", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHHORA1, "AHHORA1", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHHORA2, "AHHORA2", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHHORA3, "AHHORA3", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHHORA4, "AHHORA4", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAHHORA5, "AHHORA5", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
    {&TdmTec::quOSAndamentoEQUIPAMENTO, "EQUIPAMENTO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoAOITEQUIPCODIGO, "AOITEQUIPCODIGO", FieldType::Int32, 0, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoUNIDADE_MEDIDA, "UNIDADE_MEDIDA", FieldType::String, 4, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoIVDESCRICAO, "IVDESCRICAO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoPRDESCRICAOCOMERCIAL, "PRDESCRICAOCOMERCIAL", FieldType::String, 100, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoATNOME, "ATNOME", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoGRUPO, "GRUPO", FieldType::String, 13, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoDESCRICAOGRUPO, "DESCRICAOGRUPO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoCOMPLEMENTO_DESC, "COMPLEMENTO_DESC", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSAndamentoPRCODIGOFORNECEDOR, "PRCODIGOFORNECEDOR", FieldType::String, 30, "Código No Fornecedor", FieldKind::Data},
    {&TdmTec::quOSAndamentoPRQUANTIDADEPADRAO, "PRQUANTIDADEPADRAO", FieldType::Float, 0, "", FieldKind::Data},
};
const FieldDef quOSAndaItFields[] = {
    {&TdmTec::quOSAndaItAACODIGO, "AACODIGO", FieldType::Int16, 0, "Sequência Serviço", FieldKind::Data},
    {&TdmTec::quOSAndaItAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Nº da OS", FieldKind::Data},
    {&TdmTec::quOSAndaItAAITSEQUENCIA, "AAITSEQUENCIA", FieldType::Int32, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quOSAndaItAAITDATA, "AAITDATA", FieldType::DateTime, 0, "Data", FieldKind::Data},
    {&TdmTec::quOSAndaItAAITINICIO, "AAITINICIO", FieldType::DateTime, 0, "Início", FieldKind::Data},
    {&TdmTec::quOSAndaItAAITFIM, "AAITFIM", FieldType::DateTime, 0, "Fim", FieldKind::Data},
    {&TdmTec::quOSAndaItATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código Técnico", FieldKind::Data},
};
const FieldDef quOSAndDefFields[] = {
    {&TdmTec::quOSAndDefAAADSEQUENCIA, "AAADSEQUENCIA", FieldType::Int32, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quOSAndDefADCODIGO, "ADCODIGO", FieldType::Int32, 0, "Código Defeito", FieldKind::Data},
    {&TdmTec::quOSAndDefAACODIGO, "AACODIGO", FieldType::Int32, 0, "Sequência Serviço", FieldKind::Data},
    {&TdmTec::quOSAndDefAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Nº da OS", FieldKind::Data},
    {&TdmTec::quOSAndDefAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Código do Item OS", FieldKind::Data},
    {&TdmTec::quOSAndDefPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quOSAndDefADDESCRICAO, "ADDESCRICAO", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef quOSItemDefFields[] = {
    {&TdmTec::quOSItemDefAOADCODIGO, "AOADCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quOSItemDefADCODIGO, "ADCODIGO", FieldType::Int32, 0, "Código Defeito", FieldKind::Data},
    {&TdmTec::quOSItemDefAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Nº da OS", FieldKind::Data},
    {&TdmTec::quOSItemDefAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Sequência Item OS", FieldKind::Data},
    {&TdmTec::quOSItemDefMECHAVE, "MECHAVE", FieldType::Float, 0, "Chave Documento Compra/Venda", FieldKind::Data},
    {&TdmTec::quOSItemDefMEITSEQUENCIA, "MEITSEQUENCIA", FieldType::Int32, 0, "Sequência Item Documento Compra/Venda", FieldKind::Data},
    {&TdmTec::quOSItemDefAOADQUANTIDADE, "AOADQUANTIDADE", FieldType::Float, 0, "Qtde.", FieldKind::Data},
    {&TdmTec::quOSItemDefADDESCRICAO, "ADDESCRICAO", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef quOSDespViagemFields[] = {
    {&TdmTec::quOSDespViagemAVCODIGO, "AVCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quOSDespViagemAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVDATA, "AVDATA", FieldType::DateTime, 0, "Data ", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVHORAINICIO, "AVHORAINICIO", FieldType::DateTime, 0, "Hora Inicial", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVHORAFIM, "AVHORAFIM", FieldType::DateTime, 0, "Hora Final", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVPEDQUANTIDADE, "AVPEDQUANTIDADE", FieldType::Int32, 0, "Qtde. Pedágio", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVPEDVALOR, "AVPEDVALOR", FieldType::Float, 0, "Valor Pedágio", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVPEDVALORTOTAL, "AVPEDVALORTOTAL", FieldType::Float, 0, "Total Pedágio", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVKMVALOR, "AVKMVALOR", FieldType::Float, 0, "Valor Km", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVKMPERCORRIDO, "AVKMPERCORRIDO", FieldType::Float, 0, "Km's Percorrido", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVKMVALORTOTAL, "AVKMVALORTOTAL", FieldType::Float, 0, "Total km's", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVVALORTOTAL, "AVVALORTOTAL", FieldType::Float, 0, "Total Viagem", FieldKind::Data},
    {&TdmTec::quOSDespViagemAVOBSERVACAO, "AVOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quOSDespViagemATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código do Técnico", FieldKind::Data},
    {&TdmTec::quOSDespViagemATNOME, "ATNOME", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef quOSDespExtraFields[] = {
    {&TdmTec::quOSDespExtraAXCODIGO, "AXCODIGO", FieldType::Int16, 0, "Código", FieldKind::Data},
    {&TdmTec::quOSDespExtraAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXNUMERO, "AXNUMERO", FieldType::String, 6, "Nº Documento", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXSERIE, "AXSERIE", FieldType::String, 10, "Série", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXDATA, "AXDATA", FieldType::DateTime, 0, "Data ", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXVALOR, "AXVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
    {&TdmTec::quOSDespExtraFOCODIGO, "FOCODIGO", FieldType::String, 5, "Código Fornecedor", FieldKind::Data},
    {&TdmTec::quOSDespExtraFOCODIGOTRANSPORTADOR, "FOCODIGOTRANSPORTADOR", FieldType::String, 5, "Código Transportadora", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXTIPO, "AXTIPO", FieldType::String, 30, "Tipo", FieldKind::Data},
    {&TdmTec::quOSDespExtraAXOBSERVACAO, "AXOBSERVACAO", FieldType::String, 50, "Observação", FieldKind::Data},
    {&TdmTec::quOSDespExtraPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quOSDespExtraATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código Técnico", FieldKind::Data},
    {&TdmTec::quOSDespExtraTRANSPORTADORA, "TRANSPORTADORA", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSDespExtraFORNECEDOR, "FORNECEDOR", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quOSDespExtraDESCRICAOPRODUTO, "DESCRICAOPRODUTO", FieldType::String, 40, "", FieldKind::Data},
    {&TdmTec::quOSDespExtraNOMETECNICO, "NOMETECNICO", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef quOSProjFields[] = {
    {&TdmTec::quOSProjAQCODIGO, "AQCODIGO", FieldType::Int32, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quOSProjAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da OS", FieldKind::Data},
    {&TdmTec::quOSProjPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quOSProjAQQUANTIDADE, "AQQUANTIDADE", FieldType::Float, 0, "Quantidade", FieldKind::Data},
    {&TdmTec::quOSProjAQVALOR, "AQVALOR", FieldType::Float, 0, "Valor Unitário", FieldKind::Data},
    {&TdmTec::quOSProjAQDESCONTO, "AQDESCONTO", FieldType::Float, 0, "Desconto", FieldKind::Data},
    {&TdmTec::quOSProjAQVALORTOTAL, "AQVALORTOTAL", FieldType::Float, 0, "Valor Total", FieldKind::Data},
    {&TdmTec::quOSProjAQDATA, "AQDATA", FieldType::DateTime, 0, "Data ", FieldKind::Data},
    {&TdmTec::quOSProjVECODIGO, "VECODIGO", FieldType::String, 20, "Nº Pedido Vendas", FieldKind::Data},
    {&TdmTec::quOSProjOFCODIGO, "OFCODIGO", FieldType::String, 5, "Código Operação", FieldKind::Data},
    {&TdmTec::quOSProjAQOBSERVACAO, "AQOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quOSProjDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
};
const FieldDef quOSAcessoriosFields[] = {
    {&TdmTec::quOSAcessoriosARSEQUENCIA, "ARSEQUENCIA", FieldType::Int16, 0, "Seq.", FieldKind::Data},
    {&TdmTec::quOSAcessoriosAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Nº OS", FieldKind::Data},
    {&TdmTec::quOSAcessoriosAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Cód. Item OS", FieldKind::Data},
    {&TdmTec::quOSAcessoriosARDESCRICAO, "ARDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
    {&TdmTec::quOSAcessoriosARCONFERIDO, "ARCONFERIDO", FieldType::String, 1, "Conferido", FieldKind::Data},
};
const FieldDef quOSCustoFields[] = {
    {&TdmTec::quOSCustoAFCODIGO, "AFCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quOSCustoAFID, "AFID", FieldType::String, 1, "Identificador", FieldKind::Data},
    {&TdmTec::quOSCustoAFVALOR, "AFVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
    {&TdmTec::quOSCustoAFQUANTIDADE, "AFQUANTIDADE", FieldType::Float, 0, "Quantidade", FieldKind::Data},
    {&TdmTec::quOSCustoAFTOTAL, "AFTOTAL", FieldType::Float, 0, "Valor Total", FieldKind::Data},
    {&TdmTec::quOSCustoAFVALORACUMULADO, "AFVALORACUMULADO", FieldType::Float, 0, "Valor Acumulado", FieldKind::Data},
    {&TdmTec::quOSCustoPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quOSCustoCFCODIGO, "CFCODIGO", FieldType::Int32, 0, "Código Fórmula", FieldKind::Data},
    {&TdmTec::quOSCustoAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código OS", FieldKind::Data},
    {&TdmTec::quOSCustoAACODIGO, "AACODIGO", FieldType::Int16, 0, "Sequência do Serviço", FieldKind::Data},
    {&TdmTec::quOSCustoAPSEQUENCIA, "APSEQUENCIA", FieldType::Int16, 0, "Sequência da Peça", FieldKind::Data},
    {&TdmTec::quOSCustoDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
};
const FieldDef quOSContatoFields[] = {
    {&TdmTec::quOSContatoCOD_CLI, "COD_CLI", FieldType::String, 5, "Código Cliente", FieldKind::Data},
    {&TdmTec::quOSContatoDATA_SOLICITADA, "DATA_SOLICITADA", FieldType::DateTime, 0, "Data Solicitada", FieldKind::Data},
    {&TdmTec::quOSContatoHORA_SOLICITADA, "HORA_SOLICITADA", FieldType::DateTime, 0, "Hora", FieldKind::Data},
    {&TdmTec::quOSContatoHORA_VISITA, "HORA_VISITA", FieldType::DateTime, 0, "Hora Inicial", FieldKind::Data},
    {&TdmTec::quOSContatoCTHORAFINAL, "CTHORAFINAL", FieldType::DateTime, 0, "Hora Final", FieldKind::Data},
    {&TdmTec::quOSContatoOBSERVACAO, "OBSERVACAO", FieldType::String, 800, "Laudo", FieldKind::Data},
    {&TdmTec::quOSContatoPESSOA_CONTATO, "PESSOA_CONTATO", FieldType::String, 50, "Pessoa para Contato", FieldKind::Data},
    {&TdmTec::quOSContatoCONTRATO, "CONTRATO", FieldType::Int32, 0, "Nº da OS", FieldKind::Data},
    {&TdmTec::quOSContatoTIPO_CONTATO, "TIPO_CONTATO", FieldType::String, 20, "Tipo de Contato", FieldKind::Data},
    {&TdmTec::quOSContatoVENDEDOT, "VENDEDOT", FieldType::String, 5, "Código Técnico", FieldKind::Data},
    {&TdmTec::quOSContatoSEQUENCIA, "SEQUENCIA", FieldType::Int32, 0, "Seq.", FieldKind::Data},
    {&TdmTec::quOSContatoCTTEMPOTOTAL, "CTTEMPOTOTAL", FieldType::Int32, 0, "Tempo Total (min.)", FieldKind::Data},
    {&TdmTec::quOSContatoRESUMIDA, "RESUMIDA", FieldType::String, 100, "Motivo Alteração", FieldKind::Data},
    {&TdmTec::quOSContatoASCODIGO, "ASCODIGO", FieldType::Int32, 0, "Situação Anterior", FieldKind::Data},
    {&TdmTec::quOSContatoASCODIGOATUAL, "ASCODIGOATUAL", FieldType::Int32, 0, "Situação Atual", FieldKind::Data},
    {&TdmTec::quOSContatoIDORIGEM, "IDORIGEM", FieldType::String, 1, "Origem", FieldKind::Data},
    {&TdmTec::quOSContatoAOITCODIGO, "AOITCODIGO", FieldType::Int32, 0, "Código do Item OS", FieldKind::Data},
    {&TdmTec::quOSContatoDescricaoTecnico, "DescricaoTecnico", FieldType::String, 50, "Técnico", FieldKind::Lookup},
    {&TdmTec::quOSContatoASDESCRICAO, "ASDESCRICAO", FieldType::String, 50, "Situação", FieldKind::Data},
};
const FieldDef quOSComprasCliFields[] = {
    {&TdmTec::quOSComprasCliDOCUMENTO, "DOCUMENTO", FieldType::String, 11, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliCODIGOPRODUTO, "CODIGOPRODUTO", FieldType::String, 11, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
    {&TdmTec::quOSComprasCliDATA, "DATA", FieldType::DateTime, 0, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliCOD_PEDIDO, "COD_PEDIDO", FieldType::String, 20, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliMEITNUMEROSERIE, "MEITNUMEROSERIE", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliPRNUMEROSERIE, "PRNUMEROSERIE", FieldType::String, 9, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliQUANTIDADE, "QUANTIDADE", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliCOD_EMB_COLECAO, "COD_EMB_COLECAO", FieldType::String, 3, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliMODELO, "MODELO", FieldType::String, 11, "", FieldKind::Data},
    {&TdmTec::quOSComprasCliCOMPLEMENTO_DESC, "COMPLEMENTO_DESC", FieldType::String, 30, "", FieldKind::Data},
};
const FieldDef quOSSituacaoFields[] = {
    {&TdmTec::quOSSituacaoASCODIGO, "ASCODIGO", FieldType::Int16, 0, "Código", FieldKind::Data},
    {&TdmTec::quOSSituacaoASDESCRICAO, "ASDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
    {&TdmTec::quOSSituacaoASTIPO, "ASTIPO", FieldType::String, 1, "Tipo", FieldKind::Data},
    {&TdmTec::quOSSituacaoASINTERNET, "ASINTERNET", FieldType::String, 1, "Internet (S/N)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASAPROVA, "ASAPROVA", FieldType::String, 1, "Aprovar (S/N)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASESTOQUE, "ASESTOQUE", FieldType::String, 1, "Baixar Estoque (S/N)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASCLIENTE, "ASCLIENTE", FieldType::String, 1, "Verificar Dados Cliente", FieldKind::Data},
    {&TdmTec::quOSSituacaoASRESERVA, "ASRESERVA", FieldType::String, 1, "Permitir Reserva Produto (S/N)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASINSERCAO, "ASINSERCAO", FieldType::String, 1, "Apenas Para Inserção de OS (S/N)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASID, "ASID", FieldType::String, 1, "Identificador", FieldKind::Data},
    {&TdmTec::quOSSituacaoASCOR, "ASCOR", FieldType::String, 20, "Cor", FieldKind::Data},
    {&TdmTec::quOSSituacaoASEMAIL, "ASEMAIL", FieldType::String, 1, "Enviar Email", FieldKind::Data},
    {&TdmTec::quOSSituacaoASSENHA, "ASSENHA", FieldType::String, 10, "Senha", FieldKind::Data},
    {&TdmTec::quOSSituacaoASTEMPOPREVISTO, "ASTEMPOPREVISTO", FieldType::Int32, 0, "Tempo Previsto (Min)", FieldKind::Data},
    {&TdmTec::quOSSituacaoASENVIAFILA, "ASENVIAFILA", FieldType::String, 1, "Envia para a Fila", FieldKind::Data},
    {&TdmTec::quOSSituacaoASVALIDAESTOQUE, "ASVALIDAESTOQUE", FieldType::String, 1, "Valida Estoque", FieldKind::Data},
    {&TdmTec::quOSSituacaoASBLOQUEAREDICAO, "ASBLOQUEAREDICAO", FieldType::String, 1, "Bloqueia Alteração", FieldKind::Data},
};
const FieldDef quDefeitoFields[] = {
    {&TdmTec::quDefeitoADCODIGO, "ADCODIGO", FieldType::Int16, 0, "Código", FieldKind::Data},
    {&TdmTec::quDefeitoADDESCRICAO, "ADDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
    {&TdmTec::quDefeitoADIDENTIFICADOR, "ADIDENTIFICADOR", FieldType::String, 1, "Tipo", FieldKind::Data},
    {&TdmTec::quDefeitoADOBSERVACAO, "ADOBSERVACAO", FieldType::Memo, 0, "Observação", FieldKind::Data},
};
const FieldDef quTecnicosFields[] = {
    {&TdmTec::quTecnicosATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quTecnicosATNOME, "ATNOME", FieldType::String, 50, "Técnico", FieldKind::Data},
    {&TdmTec::quTecnicosATALTERAROS, "ATALTERAROS", FieldType::String, 1, "Alterar OS", FieldKind::Data},
    {&TdmTec::quTecnicosATALTERARLAUDO, "ATALTERARLAUDO", FieldType::String, 1, "Alterar Laudo", FieldKind::Data},
    {&TdmTec::quTecnicosATACESSORESTRITO, "ATACESSORESTRITO", FieldType::String, 1, "Acesso Restrito", FieldKind::Data},
    {&TdmTec::quTecnicosATATIVO, "ATATIVO", FieldType::String, 1, "Téc. Ativo", FieldKind::Data},
    {&TdmTec::quTecnicosATALTERARSITUACAO, "ATALTERARSITUACAO", FieldType::String, 1, "Alterar Situação OS", FieldKind::Data},
    {&TdmTec::quTecnicosATCEP, "ATCEP", FieldType::String, 9, "CEP", FieldKind::Data},
    {&TdmTec::quTecnicosATENDERECO, "ATENDERECO", FieldType::String, 60, "Endereço", FieldKind::Data},
    {&TdmTec::quTecnicosATENDCOMPLEMENTO, "ATENDCOMPLEMENTO", FieldType::String, 30, "Complemento", FieldKind::Data},
    {&TdmTec::quTecnicosATENDNUMERO, "ATENDNUMERO", FieldType::String, 20, "Número", FieldKind::Data},
    {&TdmTec::quTecnicosATBAIRRO, "ATBAIRRO", FieldType::String, 30, "Bairro", FieldKind::Data},
    {&TdmTec::quTecnicosATCIDADE, "ATCIDADE", FieldType::String, 30, "Cidade", FieldKind::Data},
    {&TdmTec::quTecnicosATUF, "ATUF", FieldType::String, 2, "UF", FieldKind::Data},
    {&TdmTec::quTecnicosATEMAIL, "ATEMAIL", FieldType::String, 100, "E-mail", FieldKind::Data},
    {&TdmTec::quTecnicosATUSUARIO, "ATUSUARIO", FieldType::String, 30, "Usuário", FieldKind::Data},
};
const FieldDef quTecEquipFields[] = {
    {&TdmTec::quTecEquipATITSEQUENCIA, "ATITSEQUENCIA", FieldType::Int32, 0, "Seq.", FieldKind::Data},
    {&TdmTec::quTecEquipATCODIGO, "ATCODIGO", FieldType::Int32, 0, "Cód. Técnico", FieldKind::Data},
    {&TdmTec::quTecEquipAECODIGO, "AECODIGO", FieldType::Int32, 0, "Cód. Equip/Autom.", FieldKind::Data},
    {&TdmTec::quTecEquipEQUIPAMENTO, "EQUIPAMENTO", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef QuTecDescFields[] = {
    {&TdmTec::QuTecDescATDCCODIGO, "ATDCCODIGO", FieldType::Int32, 0, "Identificador do Registro", FieldKind::Data},
    {&TdmTec::QuTecDescATCODIGOPAI, "ATCODIGOPAI", FieldType::Int32, 0, "Código do Técnico Pai", FieldKind::Data},
    {&TdmTec::QuTecDescATCODIGOFILHO, "ATCODIGOFILHO", FieldType::Int32, 0, "Código do Técnico Filho", FieldKind::Data},
    {&TdmTec::QuTecDescATNOME, "ATNOME", FieldType::String, 50, "Nome do Técnico Filho", FieldKind::Data},
};
const FieldDef quEquipamentoFields[] = {
    {&TdmTec::quEquipamentoAECODIGO, "AECODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quEquipamentoAEDESCRICAO, "AEDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
    {&TdmTec::quEquipamentoAEMARCA, "AEMARCA", FieldType::String, 30, "Marca", FieldKind::Data},
    {&TdmTec::quEquipamentoAEMODELO, "AEMODELO", FieldType::String, 30, "Modelo", FieldKind::Data},
    {&TdmTec::quEquipamentoAEOBSERVACAO, "AEOBSERVACAO", FieldType::String, 50, "Observação", FieldKind::Data},
    {&TdmTec::quEquipamentoAECARROCERIAMARCA, "AECARROCERIAMARCA", FieldType::String, 20, "Marca Carroceria", FieldKind::Data},
    {&TdmTec::quEquipamentoAETIPO, "AETIPO", FieldType::String, 30, "Tipo", FieldKind::Data},
    {&TdmTec::quEquipamentoAEIDENTIFICADOR, "AEIDENTIFICADOR", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quEquipamentoAEATIVO, "AEATIVO", FieldType::String, 1, "Ativo (S/N)", FieldKind::Data},
    {&TdmTec::quEquipamentoAEVALORGARANTIA, "AEVALORGARANTIA", FieldType::Float, 0, "Valor da Garantia", FieldKind::Data},
    {&TdmTec::quEquipamentoAECODIGOINTERNO, "AECODIGOINTERNO", FieldType::String, 50, "Código Alternativo", FieldKind::Data},
    {&TdmTec::quEquipamentoPRCODIGO, "PRCODIGO", FieldType::String, 11, "", FieldKind::Data},
};
const FieldDef quEquipCliFields[] = {
    {&TdmTec::quEquipCliAECLCODIGO, "AECLCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quEquipCliAECODIGO, "AECODIGO", FieldType::Int32, 0, "Código Equipamento", FieldKind::Data},
    {&TdmTec::quEquipCliCLCODIGO, "CLCODIGO", FieldType::String, 5, "Código Cliente", FieldKind::Data},
    {&TdmTec::quEquipCliAECLOBSERVACAO, "AECLOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quEquipCliAECLNUMEROSERIE, "AECLNUMEROSERIE", FieldType::String, 30, "Nº Série", FieldKind::Data},
    {&TdmTec::quEquipCliAECLNUMEROPATRIMONIO, "AECLNUMEROPATRIMONIO", FieldType::String, 30, "Nº Patrimônio", FieldKind::Data},
    {&TdmTec::quEquipCliNOME, "NOME", FieldType::String, 60, "", FieldKind::Data},
    {&TdmTec::quEquipCliAEDESCRICAO, "AEDESCRICAO", FieldType::String, 50, "", FieldKind::Data},
};
const FieldDef quHoraTecnicaFields[] = {
    {&TdmTec::quHoraTecnicaAHCODIGO, "AHCODIGO", FieldType::Int16, 0, "Código", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHTIPO, "AHTIPO", FieldType::String, 1, "Tipo", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHHORA1, "AHHORA1", FieldType::Float, 0, "Valor 1ª Hora", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHHORA2, "AHHORA2", FieldType::Float, 0, "Valor 2ª Hora", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHHORA3, "AHHORA3", FieldType::Float, 0, "Valor 3ª Hora", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHHORA4, "AHHORA4", FieldType::Float, 0, "Valor 4ª Hora", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHHORA5, "AHHORA5", FieldType::Float, 0, "Valor 5ª Hora", FieldKind::Data},
    {&TdmTec::quHoraTecnicaAHDESCRICAO, "AHDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
};
const FieldDef quContratoFields[] = {
    {&TdmTec::quContratoACCODIGO, "ACCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quContratoACDESCRICAO, "ACDESCRICAO", FieldType::String, 50, "Descrição", FieldKind::Data},
    {&TdmTec::quContratoACVALOR, "ACVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
    {&TdmTec::quContratoACTEXTO, "ACTEXTO", FieldType::Memo, 0, "Texto", FieldKind::Data},
    {&TdmTec::quContratoACLIMITE, "ACLIMITE", FieldType::Float, 0, "Limite Chamadas", FieldKind::Data},
    {&TdmTec::quContratoACNUMEROCONTRATO, "ACNUMEROCONTRATO", FieldType::String, 50, "Nº  Contrato", FieldKind::Data},
    {&TdmTec::quContratoPRCODIGO, "PRCODIGO", FieldType::String, 11, "Cód. Serviço", FieldKind::Data},
    {&TdmTec::quContratoCLCODIGO, "CLCODIGO", FieldType::String, 5, "Cód. Cliente", FieldKind::Data},
    {&TdmTec::quContratoACPRIORIDADE, "ACPRIORIDADE", FieldType::String, 1, "Prioridade", FieldKind::Data},
    {&TdmTec::quContratoACTIPOLIMITE, "ACTIPOLIMITE", FieldType::String, 1, "Tipo de Limite", FieldKind::Data},
    {&TdmTec::quContratoACATENDIMENTO, "ACATENDIMENTO", FieldType::String, 1, "Atendimento", FieldKind::Data},
    {&TdmTec::quContratoACTIPOCONTRATO, "ACTIPOCONTRATO", FieldType::String, 50, "Tipo de Contrato", FieldKind::Data},
    {&TdmTec::quContratoACDATAIMPLANTACAO, "ACDATAIMPLANTACAO", FieldType::DateTime, 0, "Data Implantação", FieldKind::Data},
    {&TdmTec::quContratoACDATAVALIDADE, "ACDATAVALIDADE", FieldType::DateTime, 0, "Data Validade/Término", FieldKind::Data},
    {&TdmTec::quContratoACLIMITEHORA, "ACLIMITEHORA", FieldType::Float, 0, "Limite de Hora", FieldKind::Data},
    {&TdmTec::quContratoACVALORCHAMADAEXCEDENTE, "ACVALORCHAMADAEXCEDENTE", FieldType::Float, 0, "Valor Chamada Excedente", FieldKind::Data},
    {&TdmTec::quContratoACVALORPARCELA, "ACVALORPARCELA", FieldType::Float, 0, "Valor Parcela", FieldKind::Data},
    {&TdmTec::quContratoACDATABASE, "ACDATABASE", FieldType::DateTime, 0, "Data Base", FieldKind::Data},
    {&TdmTec::quContratoACRENOVACAOAUTOMATICA, "ACRENOVACAOAUTOMATICA", FieldType::String, 1, "Renovação Autom.", FieldKind::Data},
    {&TdmTec::quContratoACRENOVACAOLIMITE, "ACRENOVACAOLIMITE", FieldType::DateTime, 0, "Limite Renovação", FieldKind::Data},
    {&TdmTec::quContratoACSITUACAOOBS, "ACSITUACAOOBS", FieldType::String, 50, "Obs. Situação", FieldKind::Data},
    {&TdmTec::quContratoACVALORANTERIOR, "ACVALORANTERIOR", FieldType::Float, 0, "Valor Anterior", FieldKind::Data},
    {&TdmTec::quContratoCXCODIGO, "CXCODIGO", FieldType::String, 6, "Código Conta Fluxo de Caixa", FieldKind::Data},
    {&TdmTec::quContratoBCCODIGO, "BCCODIGO", FieldType::String, 3, "Código do Banco", FieldKind::Data},
    {&TdmTec::quContratoHCCODIGO, "HCCODIGO", FieldType::Int32, 0, "Código Histórico", FieldKind::Data},
    {&TdmTec::quContratoACSERIENF, "ACSERIENF", FieldType::String, 2, "Série NF", FieldKind::Data},
    {&TdmTec::quContratoACTIPOPAGAMENTO, "ACTIPOPAGAMENTO", FieldType::String, 1, "Tipo Pgto", FieldKind::Data},
    {&TdmTec::quContratoACAVALISTA1, "ACAVALISTA1", FieldType::String, 5, "Código Avalista 1", FieldKind::Data},
    {&TdmTec::quContratoACAVALISTA2, "ACAVALISTA2", FieldType::String, 5, "Código Avalista 2", FieldKind::Data},
    {&TdmTec::quContratoACFIADOR, "ACFIADOR", FieldType::String, 5, "Código Fiador", FieldKind::Data},
    {&TdmTec::quContratoACJUROMES, "ACJUROMES", FieldType::Float, 0, "Juro Mês", FieldKind::Data},
    {&TdmTec::quContratoACJUROVENCIMENTO, "ACJUROVENCIMENTO", FieldType::Float, 0, "Juros Venc.", FieldKind::Data},
    {&TdmTec::quContratoACJUROAPLICAR, "ACJUROAPLICAR", FieldType::String, 1, "Aplica Juros", FieldKind::Data},
    {&TdmTec::quContratoACJUROAPLICARPARCELA, "ACJUROAPLICARPARCELA", FieldType::String, 1, "Aplica Juros na Parcela", FieldKind::Data},
    {&TdmTec::quContratoACPORTADORPREVISAO, "ACPORTADORPREVISAO", FieldType::String, 1, "Não disponível", FieldKind::Data},
    {&TdmTec::quContratoACMULTALIMITE, "ACMULTALIMITE", FieldType::Float, 0, "Multa Limite", FieldKind::Data},
    {&TdmTec::quContratoACMULTAVALOR, "ACMULTAVALOR", FieldType::Float, 0, "Multa Valor", FieldKind::Data},
    {&TdmTec::quContratoACMULTAINDICE, "ACMULTAINDICE", FieldType::String, 10, "Multa Índice", FieldKind::Data},
    {&TdmTec::quContratoACINDICEREAJUSTE, "ACINDICEREAJUSTE", FieldType::String, 1, "Indice Reajuste", FieldKind::Data},
    {&TdmTec::quContratoACMODALIDADE, "ACMODALIDADE", FieldType::String, 1, "Modalidade", FieldKind::Data},
    {&TdmTec::quContratoACTIPO, "ACTIPO", FieldType::String, 1, "Tipo", FieldKind::Data},
    {&TdmTec::quContratoACNATUREZA, "ACNATUREZA", FieldType::String, 1, "Natureza", FieldKind::Data},
    {&TdmTec::quContratoAJCODIGO, "AJCODIGO", FieldType::Int32, 0, "Código Objeto", FieldKind::Data},
    {&TdmTec::quContratoACCONTRATANTE, "ACCONTRATANTE", FieldType::String, 5, "Código Contratante", FieldKind::Data},
    {&TdmTec::quContratoACPERIODO, "ACPERIODO", FieldType::String, 1, "Periodicidade", FieldKind::Data},
    {&TdmTec::quContratoACVENCIMENTO, "ACVENCIMENTO", FieldType::Int16, 0, "Dias Vencimento", FieldKind::Data},
    {&TdmTec::quContratoACBASE, "ACBASE", FieldType::Int16, 0, "Dia Base", FieldKind::Data},
    {&TdmTec::quContratoABCODIGO, "ABCODIGO", FieldType::String, 3, "", FieldKind::Data},
    {&TdmTec::quContratoACRENOVACAO, "ACRENOVACAO", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quContratoACDATARENOVACAO, "ACDATARENOVACAO", FieldType::DateTime, 0, "", FieldKind::Data},
    {&TdmTec::quContratoACSITUACAO, "ACSITUACAO", FieldType::String, 1, "Situação", FieldKind::Data},
    {&TdmTec::quContratoACOBJETO, "ACOBJETO", FieldType::String, 300, "Descrição Objeto", FieldKind::Data},
    {&TdmTec::quContratoACVINCULO, "ACVINCULO", FieldType::String, 1, "", FieldKind::Data},
    {&TdmTec::quContratoACLOCAL, "ACLOCAL", FieldType::String, 2, "Filial", FieldKind::Data},
    {&TdmTec::quContratoACRESPONSAVEL, "ACRESPONSAVEL", FieldType::String, 5, "Código Mantenedor", FieldKind::Data},
    {&TdmTec::quContratoACCOBRANCA, "ACCOBRANCA", FieldType::String, 5, "Código Cobrança", FieldKind::Data},
    {&TdmTec::quContratoCONTATO, "CONTATO", FieldType::String, 25, "", FieldKind::Data},
    {&TdmTec::quContratoCLIENTE, "CLIENTE", FieldType::String, 60, "", FieldKind::Data},
};
const FieldDef quContEquipFields[] = {
    {&TdmTec::quContEquipCOCODIGO, "COCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quContEquipACCODIGO, "ACCODIGO", FieldType::Int32, 0, "Cód. Contrato", FieldKind::Data},
    {&TdmTec::quContEquipAECODIGO, "AECODIGO", FieldType::Int32, 0, "Cód. Equip./Autom.", FieldKind::Data},
    {&TdmTec::quContEquipCOSERIE, "COSERIE", FieldType::String, 30, "Nº de Série", FieldKind::Data},
    {&TdmTec::quContEquipCOPLACA, "COPLACA", FieldType::String, 8, "Placa/Chassi", FieldKind::Data},
    {&TdmTec::quContEquipCOCODIGOINTERNO, "COCODIGOINTERNO", FieldType::String, 10, "Cód. Interno/Comb.", FieldKind::Data},
    {&TdmTec::quContEquipCOVALOR, "COVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
    {&TdmTec::quContEquipCOENDERECO, "COENDERECO", FieldType::String, 60, "End./Marca", FieldKind::Data},
    {&TdmTec::quContEquipCOBAIRRO, "COBAIRRO", FieldType::String, 30, "Bairro/Modelo", FieldKind::Data},
    {&TdmTec::quContEquipCOCIDADE, "COCIDADE", FieldType::String, 30, "Cidade/Cor", FieldKind::Data},
    {&TdmTec::quContEquipCOESTADO, "COESTADO", FieldType::String, 2, "UF/Ano Fab.", FieldKind::Data},
    {&TdmTec::quContEquipCOIDENTIFICADOR, "COIDENTIFICADOR", FieldType::String, 1, "Identificador", FieldKind::Data},
    {&TdmTec::quContEquipDESCEQUIP, "DESCEQUIP", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quContEquipCLCODIGO, "CLCODIGO", FieldType::String, 5, "", FieldKind::Data},
    {&TdmTec::quContEquipCOMARCA, "COMARCA", FieldType::String, 30, "", FieldKind::Data},
    {&TdmTec::quContEquipCOMODELO, "COMODELO", FieldType::String, 30, "", FieldKind::Data},
};
const FieldDef quContServFields[] = {
    {&TdmTec::quContServACCODIGO, "ACCODIGO", FieldType::Int32, 0, "Cód. Contrato", FieldKind::Data},
    {&TdmTec::quContServCOCIDADE, "COCIDADE", FieldType::String, 30, "Cód. Produto", FieldKind::Data},
    {&TdmTec::quContServCOENDERECO, "COENDERECO", FieldType::String, 60, "Descrição do Serviço", FieldKind::Data},
    {&TdmTec::quContServCOCODIGO, "COCODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quContServCOIDENTIFICADOR, "COIDENTIFICADOR", FieldType::String, 1, "Identificador", FieldKind::Data},
    {&TdmTec::quContServCOVALOR, "COVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
};
const FieldDef quContItPesqFields[] = {
    {&TdmTec::quContItPesqACITCODIGO, "ACITCODIGO", FieldType::Int32, 0, "Sequencia", FieldKind::Data},
    {&TdmTec::quContItPesqCLCODIGO, "CLCODIGO", FieldType::String, 5, "Código Cliente", FieldKind::Data},
    {&TdmTec::quContItPesqPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código Produto", FieldKind::Data},
    {&TdmTec::quContItPesqACCODIGO, "ACCODIGO", FieldType::Int32, 0, "Código Contrato", FieldKind::Data},
    {&TdmTec::quContItPesqACITNUMEROSERIE, "ACITNUMEROSERIE", FieldType::String, 30, "Nº Série", FieldKind::Data},
    {&TdmTec::quContItPesqACITMODELO, "ACITMODELO", FieldType::String, 30, "Modelo", FieldKind::Data},
    {&TdmTec::quContItPesqACITNF, "ACITNF", FieldType::String, 6, "NF", FieldKind::Data},
    {&TdmTec::quContItPesqACITNFSERIE, "ACITNFSERIE", FieldType::String, 2, "Série NF", FieldKind::Data},
    {&TdmTec::quContItPesqACITCOBERTURA, "ACITCOBERTURA", FieldType::String, 3, "Código Cobertura", FieldKind::Data},
    {&TdmTec::quContItPesqACITGARANTIA, "ACITGARANTIA", FieldType::String, 1, "Garantia", FieldKind::Data},
    {&TdmTec::quContItPesqACITGARANTIADATA, "ACITGARANTIADATA", FieldType::DateTime, 0, "Vencimento Garantia", FieldKind::Data},
    {&TdmTec::quContItPesqACITVALOR, "ACITVALOR", FieldType::Float, 0, "Valor", FieldKind::Data},
    {&TdmTec::quContItPesqACITVERSAOINICIO, "ACITVERSAOINICIO", FieldType::String, 10, "Versão Inicial", FieldKind::Data},
    {&TdmTec::quContItPesqACITVERSAOFIM, "ACITVERSAOFIM", FieldType::String, 10, "Versão Final", FieldKind::Data},
    {&TdmTec::quContItPesqACITOBSERVACAO, "ACITOBSERVACAO", FieldType::String, 255, "Observação", FieldKind::Data},
    {&TdmTec::quContItPesqACITGRUPO, "ACITGRUPO", FieldType::String, 3, "Código Grupo", FieldKind::Data},
    {&TdmTec::quContItPesqACITINSTALACAO, "ACITINSTALACAO", FieldType::DateTime, 0, "Data instalação", FieldKind::Data},
    {&TdmTec::quContItPesqACITNUMEROLOGICO, "ACITNUMEROLOGICO", FieldType::String, 5, "Nº Lógico", FieldKind::Data},
};
const FieldDef quAssHistoricoFields[] = {
    {&TdmTec::quAssHistoricoHCCODIGO, "HCCODIGO", FieldType::Int32, 0, "Cód. Histórico", FieldKind::Data},
    {&TdmTec::quAssHistoricoHCDESCRICAO, "HCDESCRICAO", FieldType::String, 100, "Descrição Histórico", FieldKind::Data},
    {&TdmTec::quAssHistoricoHCTIPO, "HCTIPO", FieldType::String, 1, "Tipo", FieldKind::Data},
};
const FieldDef quSolicitaFields[] = {
    {&TdmTec::quSolicitaAICODIGO, "AICODIGO", FieldType::Int32, 0, "Código Solicitação", FieldKind::Data},
    {&TdmTec::quSolicitaAIID, "AIID", FieldType::String, 1, "Identificador", FieldKind::Data},
    {&TdmTec::quSolicitaAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código da Ordem de Serviço", FieldKind::Data},
    {&TdmTec::quSolicitaAISITUACAO, "AISITUACAO", FieldType::String, 1, "Situação (Emitindo, Pendente, Aguardando, Entregue)", FieldKind::Data},
    {&TdmTec::quSolicitaAIOBSERVACAO, "AIOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quSolicitaATCODIGOSOLICITA, "ATCODIGOSOLICITA", FieldType::Int32, 0, "Solicitante", FieldKind::Data},
    {&TdmTec::quSolicitaAISEQUENCIA, "AISEQUENCIA", FieldType::Int32, 0, "", FieldKind::Data},
};
const FieldDef quSolicitaItFields[] = {
    {&TdmTec::quSolicitaItAICODIGO, "AICODIGO", FieldType::Int32, 0, "Código", FieldKind::Data},
    {&TdmTec::quSolicitaItAIID, "AIID", FieldType::String, 1, "ID", FieldKind::Data},
    {&TdmTec::quSolicitaItAISEQUENCIA, "AISEQUENCIA", FieldType::Int32, 0, "Sequência", FieldKind::Data},
    {&TdmTec::quSolicitaItPRCODIGO, "PRCODIGO", FieldType::String, 11, "Código do Produto", FieldKind::Data},
    {&TdmTec::quSolicitaItAIQUANTIDADE, "AIQUANTIDADE", FieldType::Float, 0, "Qtde. Requisitada", FieldKind::Data},
    {&TdmTec::quSolicitaItAIQUANTIDADEENTREGUE, "AIQUANTIDADEENTREGUE", FieldType::Float, 0, "Qtde. Entregue", FieldKind::Data},
    {&TdmTec::quSolicitaItAIDATAEMISSAO, "AIDATAEMISSAO", FieldType::DateTime, 0, "Data de Solicitação", FieldKind::Data},
    {&TdmTec::quSolicitaItAIDATAPREVISAO, "AIDATAPREVISAO", FieldType::DateTime, 0, "Data de Previsão", FieldKind::Data},
    {&TdmTec::quSolicitaItAIDATAENTREGA, "AIDATAENTREGA", FieldType::DateTime, 0, "Data de Entrega", FieldKind::Data},
    {&TdmTec::quSolicitaItATCODIGOENTREGA, "ATCODIGOENTREGA", FieldType::Int32, 0, "Código Entrega", FieldKind::Data},
    {&TdmTec::quSolicitaItAIOBSERVACAO, "AIOBSERVACAO", FieldType::String, 100, "Observação", FieldKind::Data},
    {&TdmTec::quSolicitaItAOCODIGO, "AOCODIGO", FieldType::Int32, 0, "Código OS", FieldKind::Data},
    {&TdmTec::quSolicitaItDescricaoTecnico, "DescricaoTecnico", FieldType::String, 50, "Técnico", FieldKind::Lookup},
    {&TdmTec::quSolicitaItESTOQUE, "ESTOQUE", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quSolicitaItDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
    {&TdmTec::quSolicitaItPCO_VENDA, "PCO_VENDA", FieldType::Float, 0, "", FieldKind::Data},
    {&TdmTec::quSolicitaItPRPOSICIONAMENTO, "PRPOSICIONAMENTO", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quSolicitaItOUTRO_CODIGO, "OUTRO_CODIGO", FieldType::String, 13, "", FieldKind::Data},
};
const FieldDef quSolicitacaoItEntFields[] = {
    {&TdmTec::quSolicitacaoItEntAIENTSEQ, "AIENTSEQ", FieldType::Int32, 0, "Sequencial", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntAICODIGO, "AICODIGO", FieldType::Int32, 0, "Solicitação", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntAISEQUENCIAREF, "AISEQUENCIAREF", FieldType::Int32, 0, "Seq. Referente", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntAIENTQTDENTREGUE, "AIENTQTDENTREGUE", FieldType::Float, 0, "Qtde. Entregue", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntAIENTDATAENTREGUE, "AIENTDATAENTREGUE", FieldType::DateTime, 0, "Data Entrega", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntAIENTRESPONSAVEL, "AIENTRESPONSAVEL", FieldType::Int32, 0, "Cód. Responsável", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntRESPONSAVEL, "RESPONSAVEL", FieldType::String, 50, "", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntPRCODIGO, "PRCODIGO", FieldType::String, 11, "", FieldKind::Data},
    {&TdmTec::quSolicitacaoItEntDESCRICAO, "DESCRICAO", FieldType::String, 40, "Descrição", FieldKind::Data},
};

struct QueryFields {
    host::data::Query* TdmTec::*query;
    std::span<const FieldDef> fields;
};

const QueryFields kQueryFields[] = {
    {&TdmTec::quOS, quOSFields},
    {&TdmTec::quOSItem, quOSItemFields},
    {&TdmTec::quOSPecas, quOSPecasFields},
    {&TdmTec::quOSAndamento, quOSAndamentoFields},
    {&TdmTec::quOSAndaIt, quOSAndaItFields},
    {&TdmTec::quOSAndDef, quOSAndDefFields},
    {&TdmTec::quOSItemDef, quOSItemDefFields},
    {&TdmTec::quOSDespViagem, quOSDespViagemFields},
    {&TdmTec::quOSDespExtra, quOSDespExtraFields},
    {&TdmTec::quOSProj, quOSProjFields},
    {&TdmTec::quOSAcessorios, quOSAcessoriosFields},
    {&TdmTec::quOSCusto, quOSCustoFields},
    {&TdmTec::quOSContato, quOSContatoFields},
    {&TdmTec::quOSComprasCli, quOSComprasCliFields},
    {&TdmTec::quOSSituacao, quOSSituacaoFields},
    {&TdmTec::quDefeito, quDefeitoFields},
    {&TdmTec::quTecnicos, quTecnicosFields},
    {&TdmTec::quTecEquip, quTecEquipFields},
    {&TdmTec::QuTecDesc, QuTecDescFields},
    {&TdmTec::quEquipamento, quEquipamentoFields},
    {&TdmTec::quEquipCli, quEquipCliFields},
    {&TdmTec::quHoraTecnica, quHoraTecnicaFields},
    {&TdmTec::quContrato, quContratoFields},
    {&TdmTec::quContEquip, quContEquipFields},
    {&TdmTec::quContServ, quContServFields},
    {&TdmTec::quContItPesq, quContItPesqFields},
    {&TdmTec::quAssHistorico, quAssHistoricoFields},
    {&TdmTec::quSolicita, quSolicitaFields},
    {&TdmTec::quSolicitaIt, quSolicitaItFields},
    {&TdmTec::quSolicitacaoItEnt, quSolicitacaoItEntFields},
};

// Date-time columns that hold a time of day.
const QSet<QString> kTimeFields = {
    "AOHORAENTRADA", "AOHORASAIDA", "AOHORAAPROVACAO", "AAHORAINICIO", "AAHORAFIM", "AAITINICIO", "AAITFIM",
    "AVHORAINICIO", "AVHORAFIM", "HORA_SOLICITADA", "HORA_VISITA", "CTHORAFINAL",
};

void applyDisplayConventions(const QString& queryName, Field& field)
{
    const QString name = field.fieldName();
    if (name == "AOCODIGO" || (queryName == "quOSContato" && name == "CONTRATO")) {
        field.setDisplayFormat("000000000");
    } else if (name == "AICODIGO") {
        field.setDisplayFormat("000000");
    } else if (name == "AATOTAL" || name == "AAMINUTODESCONTADO") {
        field.setDisplayFormat("###,###,##0.##");
    } else if (field.dataType() == FieldType::Float && name != "MECHAVE") {
        field.setDisplayFormat("###,###,##0.00");
    } else if (field.dataType() == FieldType::DateTime || field.dataType() == FieldType::Date) {
        if (kTimeFields.contains(name)) {
            field.setEditMask("!99:99;1;_");
            field.setDisplayFormat("hh:mm");
        } else {
            field.setEditMask("!99/99/99;1;_");
        }
    } else if (name == "AOITPLACA") {
        field.setEditMask("aaa-9999;1;_");
    } else if (name == "AOITANOFABRICACAO") {
        field.setEditMask("9999;1;_");
    } else if (queryName == "quTecnicos" && name == "ATCEP") {
        field.setEditMask("99999-999;0;_");
    }
}

void markKeysRequired(host::data::Query& query)
{
    host::data::UpdateSql* update = query.updateObject();
    if (!update)
        return;
    // The key columns are those the delete statement names.
    static const QRegularExpression oldParam(":OLD_(\\w+)");
    auto it = oldParam.globalMatch(update->deleteSql());
    while (it.hasNext())
        if (Field* field = query.findField(it.next().captured(1)))
            field->setRequired(true);
}

}  // namespace

void TdmTec::createFields()
{
    for (const QueryFields& entry : kQueryFields) {
        host::data::Query& query = *(this->*entry.query);
        for (const FieldDef& def : entry.fields) {
            Field* field = nullptr;
            if (def.kind == FieldKind::Calculated)
                field = query.addCalculatedField(def.name, def.type, def.size);
            else if (def.kind == FieldKind::Lookup)
                field = query.addLookupField(def.name, def.type, def.size, {}, nullptr, {}, {});
            else
                field = query.addField(def.name, def.type, def.size);
            if (*def.label)
                field->setDisplayLabel(QString::fromUtf8(def.label));
            applyDisplayConventions(query.name(), *field);
            this->*def.member = field;
        }
        markKeysRequired(query);
    }
    quOSItemAOITCODIGO->setReadOnly(true);   // comes from the generator gen_aoitcodigo

    quOSDescTecnico->setLookup("ATCODIGO", quTecnicos, "ATCODIGO", "ATNOME");
    quOSItemDescricaoSituacao->setLookup("ASCODIGO", quPesqSitItem, "ASCODIGO", "ASDESCRICAO");
    quOSPecasDescEquipOS->setLookup("AOITCODIGO", quOSItem, "AOITCODIGO", "EQUIPAMENTOCOMPLETO");
    quOSAndamentoDescEquipOS->setLookup("AOITCODIGO", quOSItem, "AOITCODIGO", "EQUIPAMENTOCOMPLETO");
    quOSAndamentoDescricaoHora->setLookup("AHCODIGO", quHoraTecnica, "AHCODIGO", "AHDESCRICAO");
    quOSContatoDescricaoTecnico->setLookup("VENDEDOT", quTecnicos, "ATCODIGO", "ATNOME");
    quSolicitaItDescricaoTecnico->setLookup("ATCODIGOENTREGA", quTecnicos, "ATCODIGO", "ATNOME");
    // quOSDescricaoTabVcto looks into the host's payment terms: bound with the host datasets.
}
