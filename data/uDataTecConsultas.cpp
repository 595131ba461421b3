// The SQL of TdmTec's queries and the statements of their update objects.
// A query is its select (with the joined columns the windows show), its
// condition and its order; the update object writes only the columns of the
// query's own table, keyed by the old values of the key columns, and its
// refresh statement is the same select restricted to the key.

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "data/uDataTecConsultas.h"

#include <QStringList>

#include <stdexcept>

namespace {

struct QueryDef {
    host::data::Query* TdmTec::*member;
    const char* name;
    const char* select;    // select ... from ... joins
    const char* where;     // "" for none
    const char* order;     // "" for none
    const char* table;     // the table written back
    const char* alias;     // its alias in the select
    host::data::UpdateSql* TdmTec::*updateMember;   // nullptr = read-only
    const char* update;
    const char* keys;      // key columns, blank-separated
    const char* columns;   // written columns, blank-separated
};

const QueryDef kQueries[] = {
    {&TdmTec::quOS, "quOS",
        "select OS.*, Cli.NOME as CLIENTE, Cli.OBSCLI, Cli.CGC_CNPJ, Cli.NUMERO_IDENTIDADE, Cli.TELEFONE1, Cli.TELEFONE2,\n"
        " Cli.FAX, Cli.CLIE, Cli.INSCRICAO_MUNICIPAL, Cli.ENDERECO, Cli.CIDADE, Cli.CEP, Cli.BAIRRO, Cli.ESTADO,\n"
        " Cli.PESSOA_FISICAOUJURIDICA, Cli.CONTATO, Cli.NOME_FANTASIA, Cli.EMAIL, Cli.CLDESCONTO, Cli.LIMITE_CREDITO,\n"
        " CliCob.NOME as CLIENTECOBRANCA, Tec.ATNOME as TECNICO, Ped.IMPRESSO_NF, Ram.RACOR,\n"
        " Ven.FNOME as NOMEVENDEDOR, Rep.FNOME as NOMEREPRESENTANTE,\n"
        " Ope.DESC_OP_NF as OPERACAO, Ope.TIPO_OP, Ope.ASSUME_ICMS_SN, Ope.ICMS, Ope.VAL_ITEM_IPI, Ope.PERC_CALC,\n"
        " Ope.BASE_CALC_IPI, Ope.OFMARKUPMINIMO, Ope.OFISENTOIE, TabV.DESCRICAO as TABELAVENCIMENTO, Sit.ASDESCRICAO\n"
        "from AATC01AO OS\n"
        " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = OS.CLCODIGO)\n"
        " left outer join AUGC0301 CliCob on (CliCob.CODIGO_CLIENTE = OS.CLCODIGOCLIENTECOBRANCA)\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = OS.ATCODIGO)\n"
        " left outer join AVEC8501 Ped on (Ped.NUMERO_PEDIDO = OS.VECODIGO)\n"
        " left outer join RAMO Ram on (Ram.COD_RAMO = Cli.RAMO)\n"
        " left outer join AUGC0501 Ven on (Ven.FCOD = OS.FOCODIGOVENDEDOR)\n"
        " left outer join AUGC0501 Rep on (Rep.FCOD = OS.FOCODIGOREPRESENTANTE)\n"
        " left outer join AFVC0901 Ope on (Ope.COD_OP = OS.OFCODIGO)\n"
        " left outer join AFVT0101 TabV on (TabV.CODIGO = OS.TVCODIGO)\n"
        " left outer join AATC01AS Sit on (Sit.ASCODIGO = OS.ASCODIGO)",
        "OS.AOCODIGO = :aocodigo", "",
        "AATC01AO", "OS", &TdmTec::usOS, "usOS", "AOCODIGO",
        "AOCODIGO CLCODIGO ATCODIGO ASCODIGO VECODIGO TVCODIGO AOLAUDO AODATAENTRADA AODATASAIDA "
        "AODATAAPROVA AOATENDENTE AOCONTATO AOBAIXA AOCONTACAIXA AOVALORPROJETO AODESPVIAGEM "
        "AODESPDIVERSAS AOVALORPECAS AOVALORSERVICO AOVALORTOTAL AOOBSERVACAO AODESCONTO AOHORAENTRADA "
        "AOHORASAIDA AOPREVLIBERACAO AOVALIDADEORCAMENTO AOPRIORIDADE AOATENDIMENTO AONUMEROOSTERCEIROS "
        "AODESCRICAOLAUDO AOCAUSA AOSOLUCAO AOOBSLAUDO AOIMPRIMIRLAUDO AOTIPOOS OFCODIGO "
        "CLCODIGOCLIENTECOBRANCA VECODIGODEVOLUCAO AOREMANUFATURA AODATACOBRANCA AOHORAAPROVACAO "
        "FOCODIGOVENDEDOR FOCODIGOREPRESENTANTE AOVALORPECASREQUERIDO AOVALORSERVICOSREQUERIDO "
        "AODESCONTOPECA AODESCONTOSERVICO CRDOCUMENTO AOLOCAL AOVALORIPI FOCODIGOTRANSPORTE "
        "CLCODIGOCOBRANCASERVICO CLCODIGOCOBRANCADESPESAS VECODIGOSERVICO AOHISTORICO AOSEQATENDIMENTO "
        "AODESPESASCLIENTE ORCTCODIGO ANCODIGO AOTURNO AORETORNO"},
    {&TdmTec::quOSItem, "quOSItem",
        "select It.*, TecIt.ATNOME as TECNICOITEM, Eqp.AEDESCRICAO as EQUIPAMENTO, Eqp.AETIPO, Eqp.AECODIGOINTERNO,\n"
        " Con.FNOME as DESCRICAOCONSECIONARIA, OS.AODATAENTRADA, Cli.NOME as CLIENTE, Cli.ENDERECO as ENDCLI,\n"
        " Tec.ATNOME as TECNICO\n"
        "from AATC01AOIT It\n"
        " left outer join AATC06AT TecIt on (TecIt.ATCODIGO = It.ATCODIGO)\n"
        " left outer join AATC03AE Eqp on (Eqp.AECODIGO = It.AOITEQUIPCODIGO)\n"
        " left outer join AUGC0501 Con on (Con.FCOD = It.FOCONSECIONARIA)\n"
        " left outer join AATC01AO OS on (OS.AOCODIGO = It.AOCODIGO)\n"
        " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = OS.CLCODIGO)\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = OS.ATCODIGO)",
        "It.AOCODIGO = :aocodigo", "It.AOITCODIGO",
        "AATC01AOIT", "It", &TdmTec::usOSItem, "usOSItem", "AOITCODIGO",
        "AOITCODIGO AOCODIGO AOITEQUIPCODIGO AOITEQUIPDESCRICAO AOITMARCA AOITMODELO AOITDEFEITO "
        "AOITSERIE AOITQUANTIDADE AOITLOJACOMPRA AOITDATACOMPRA AOITCOR AOITANOFABRICACAO AOITKMINICIAL "
        "AOITPLACA AOITCOMBUSTIVEL AOITPOSICAOCOMBUSTIVEL AOITFOTO AOITCODIGOINTERNO AOITNUMERONOTAFISCAL "
        "AOITNUMERONFREMESSA AOITVALORNFREMESSA AOITGARANTIA AOITRENAVAN AOITCARROCERIAMARCA "
        "AOITCARROCERIANUMERO AOITMOTORNUMERO AOITAPROVADO AOITESPECIE AOITORIGINAL AOITAUTORIZADO "
        "AOITUSUARIO ASCODIGO ACCODIGO AACODIGO ATCODIGO AOITCAUSA AOITOBSERVACAO AOITSOLUCAO AOITLAUDO "
        "AOITEMAILENVIADO AOITVALORFRETE FOCONSECIONARIA AOITDEFEITOCONSTATADO FOCODIGOMOTORISTA "
        "AOITPRCODIGO"},
    {&TdmTec::quOSPecas, "quOSPecas",
        "select Pec.*, Prod.DESCRICAO, Prod.PCO_VENDA, Prod.PCO_CUSTO, Prod.ESTOQUE, Prod.UNIDADE_MEDIDA,\n"
        " Prod.OUTRO_CODIGO, Prod.PRTAMANHO, Prod.PRPOSICIONAMENTO, Prod.PRIMUNE, Prod.ICMS_PARA_REDUCAO,\n"
        " Prod.COM_FAB_S_FS, Prod.PRDESCRICAOCOMERCIAL, Prod.GRUPO, Prod.PRCODIGOFORNECEDOR, Prod.NCCODIGO,\n"
        " Prod.QTDE_PRODUCAO as RESERVADO,\n"
        " (coalesce(Prod.ESTOQUE, 0) - coalesce(Prod.QTDE_PRODUCAO, 0)) as DISPONIVEL,\n"
        " Gru.DESCRICAO as DESCRICAOGRUPO, It.AOITEQUIPDESCRICAO as EQUIPAMENTO, It.AOITEQUIPCODIGO,\n"
        " (select first 1 Po.POPOSICIONAMENTO from ACEC11PO Po\n"
        "   where Po.PRCODIGO = Pec.PRCODIGO and Po.LECODIGO = Pec.LECODIGO) as POPOSICIONAMENTO,\n"
        " Tec.ATNOME as NOMETECNICO\n"
        "from AATC01AP Pec\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Pec.PRCODIGO)\n"
        " left outer join ACEC1201 Gru on (Gru.CODIGO = Prod.GRUPO)\n"
        " left outer join AATC01AOIT It on (It.AOITCODIGO = Pec.AOITCODIGO)\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Pec.ATCODIGO)",
        "Pec.AOCODIGO = :aocodigo", "Pec.APSEQUENCIA",
        "AATC01AP", "Pec", &TdmTec::usOSPecas, "usOSPecas", "AOCODIGO APSEQUENCIA",
        "APSEQUENCIA AOCODIGO AOITCODIGO PRCODIGO APVALUNITARIO APVALTOTAL APOBSERVACAO APAUTORIZADO "
        "APTIPO APRESERVA APDESCONTO VECODIGO APQUANTIDADE APQUANTIDADEREQUERIDA UGINSERIDO "
        "APUSUARIOINSERCAO APGARANTIA APVALORTOTALREQUERIDO LECODIGO APPROMOCAO OFCODIGO APVALORIPI "
        "APBASEIPI APIPI APSUBST APICMSSUBST APBASESUBST APVALORSUBST APBASEICMS APVALORICMS APICMS "
        "APCOFINS APIR APINSS APPIS APCSLL APCOFINSSUB APIRSUB APINSSSUB APPISSUB APCSLLSUB APNUMEROSERIE "
        "APITREFERENCIADOCUMENTO APITREFERENCIASERIE APITREFERENCIALOCAL APITREFERENCIAOFCODIGO "
        "APITREFERENCIACLCODIGO ATCODIGO"},
    {&TdmTec::quOSAndamento, "quOSAndamento",
        "select Anda.*, Hor.AHDESCRICAO as DESCHORA, Hor.AHHORA1, Hor.AHHORA2, Hor.AHHORA3, Hor.AHHORA4,\n"
        " Hor.AHHORA5, Hor.AHTIPO, Prod.DESCRICAO, Prod.UNIDADE_MEDIDA, Prod.PRDESCRICAOCOMERCIAL, Prod.GRUPO,\n"
        " Prod.COMPLEMENTO_DESC, Prod.PRCODIGOFORNECEDOR, Prod.PRQUANTIDADEPADRAO, Gru.DESCRICAO as DESCRICAOGRUPO,\n"
        " It.AOITEQUIPDESCRICAO as EQUIPAMENTO, It.AOITEQUIPCODIGO, Iv.IVDESCRICAO, Tec.ATNOME\n"
        "from AATC01AA Anda\n"
        " left outer join AATC04AH Hor on (Hor.AHCODIGO = Anda.AHCODIGO)\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Anda.PRCODIGO)\n"
        " left outer join ACEC1201 Gru on (Gru.CODIGO = Prod.GRUPO)\n"
        " left outer join AATC01AOIT It on (It.AOITCODIGO = Anda.AOITCODIGO)\n"
        " left outer join AUGC20IV Iv on (Iv.IVCODIGO = Anda.IVCODIGO)\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Anda.ATCODIGO)",
        "Anda.AOCODIGO = :aocodigo", "Anda.AACODIGO",
        "AATC01AA", "Anda", &TdmTec::usOSAndamento, "usOSAndamento", "AACODIGO AOCODIGO",
        "AACODIGO AOCODIGO AOITCODIGO AADATA AAHORAINICIO AAHORAFIM AATOTAL PRCODIGO AAQUANTIDADE "
        "AADESCONTO AAVALOR AAVALORTOTAL AAAUTORIZADO AATIPO AAOBSERVACAO AAESPECIE ATCODIGO "
        "AAQUANTIDADEREQUERIDA OFCODIGO AHCODIGO VECODIGO AAVALORTOTALREQUERIDO AAPROMOCAO IVCODIGO "
        "EVCODIGO AAKM AAVALORAUXILIAR AAMINUTODESCONTADO AAFATURA AAINFORMACAO AAQUANTIDADEIMPRESSA "
        "AANUMEROSERIE"},
    {&TdmTec::quOSAndaIt, "quOSAndaIt",
        "select Ai.* from AATC01AAIT Ai",
        "Ai.AOCODIGO = :aocodigo and Ai.AACODIGO = :aaCodigo", "Ai.AAITSEQUENCIA",
        "AATC01AAIT", "Ai", &TdmTec::usOSAndaIt, "usOSAndaIt", "AACODIGO AOCODIGO AAITSEQUENCIA",
        "AACODIGO AOCODIGO AAITSEQUENCIA AAITDATA AAITINICIO AAITFIM ATCODIGO"},
    {&TdmTec::quOSAndDef, "quOSAndDef",
        "select Def.*, Ad.ADDESCRICAO\n"
        "from AATC01AAAD Def\n"
        " left outer join AATC02AD Ad on (Ad.ADCODIGO = Def.ADCODIGO)",
        "", "",
        "AATC01AAAD", "Def", &TdmTec::usOSAndDef, "usOSAndDef", "AAADSEQUENCIA",
        "AAADSEQUENCIA ADCODIGO AACODIGO AOCODIGO AOITCODIGO PRCODIGO"},
    {&TdmTec::quOSItemDef, "quOSItemDef",
        "select Def.*, Ad.ADDESCRICAO\n"
        "from AATC01AOAD Def\n"
        " left outer join AATC02AD Ad on (Ad.ADCODIGO = Def.ADCODIGO)",
        "", "",
        "AATC01AOAD", "Def", &TdmTec::usOSItemDef, "usOSItemDef", "AOADCODIGO",
        "AOADCODIGO ADCODIGO AOCODIGO AOITCODIGO MECHAVE MEITSEQUENCIA AOADQUANTIDADE"},
    {&TdmTec::quOSDespViagem, "quOSDespViagem",
        "select Via.*, Tec.ATNOME\n"
        "from AATC01AV Via\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Via.ATCODIGO)",
        "Via.AOCODIGO = :aocodigo", "Via.AVCODIGO",
        "AATC01AV", "Via", &TdmTec::usOSDespViagem, "usOSDespViagem", "AOCODIGO AVCODIGO",
        "AVCODIGO AOCODIGO AVDATA AVHORAINICIO AVHORAFIM AVPEDQUANTIDADE AVPEDVALOR AVPEDVALORTOTAL "
        "AVKMVALOR AVKMPERCORRIDO AVKMVALORTOTAL AVVALORTOTAL AVOBSERVACAO ATCODIGO"},
    {&TdmTec::quOSDespExtra, "quOSDespExtra",
        "select Ext.*, Tra.FNOME as TRANSPORTADORA, Frn.FNOME as FORNECEDOR, Prod.DESCRICAO as DESCRICAOPRODUTO,\n"
        " Tec.ATNOME as NOMETECNICO\n"
        "from AATC01AX Ext\n"
        " left outer join AUGC0501 Tra on (Tra.FCOD = Ext.FOCODIGOTRANSPORTADOR)\n"
        " left outer join AUGC0501 Frn on (Frn.FCOD = Ext.FOCODIGO)\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Ext.PRCODIGO)\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Ext.ATCODIGO)",
        "Ext.AOCODIGO = :aocodigo", "Ext.AXCODIGO",
        "AATC01AX", "Ext", &TdmTec::usOSDespExtra, "usOSDespExtra", "AOCODIGO AXCODIGO",
        "AXCODIGO AOCODIGO AXNUMERO AXSERIE AXDATA AXVALOR FOCODIGO FOCODIGOTRANSPORTADOR AXTIPO "
        "AXOBSERVACAO PRCODIGO ATCODIGO"},
    {&TdmTec::quOSProj, "quOSProj",
        "select Proj.*, Prod.DESCRICAO\n"
        "from AATC01AQ Proj\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Proj.PRCODIGO)",
        "Proj.AOCODIGO = :aocodigo", "Proj.AQCODIGO",
        "AATC01AQ", "Proj", &TdmTec::usOSProj, "usOSProj", "AQCODIGO AOCODIGO",
        "AQCODIGO AOCODIGO PRCODIGO AQQUANTIDADE AQVALOR AQDESCONTO AQVALORTOTAL AQDATA VECODIGO OFCODIGO "
        "AQOBSERVACAO"},
    {&TdmTec::quOSAcessorios, "quOSAcessorios",
        "select Ac.* from AATC01AR Ac",
        "Ac.AOCODIGO = :aocodigo", "Ac.ARSEQUENCIA",
        "AATC01AR", "Ac", &TdmTec::usOSAcessorios, "usOSAcessorios", "AOCODIGO ARSEQUENCIA",
        "ARSEQUENCIA AOCODIGO AOITCODIGO ARDESCRICAO ARCONFERIDO"},
    {&TdmTec::quOSCusto, "quOSCusto",
        "select Cus.*, Prod.DESCRICAO\n"
        "from AATC08AF Cus\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Cus.PRCODIGO)",
        "", "",
        "AATC08AF", "Cus", &TdmTec::usOSCusto, "usOSCusto", "AFCODIGO",
        "AFCODIGO AFID AFVALOR AFQUANTIDADE AFTOTAL AFVALORACUMULADO PRCODIGO CFCODIGO AOCODIGO AACODIGO "
        "APSEQUENCIA"},
    {&TdmTec::quOSContato, "quOSContato",
        "select Ct.*, Sit.ASDESCRICAO\n"
        "from CADCOM Ct\n"
        " left outer join AATC01AS Sit on (Sit.ASCODIGO = Ct.ASCODIGOATUAL)",
        "Ct.IDORIGEM = 'A' and Ct.CONTRATO = :contrato", "Ct.DATA_SOLICITADA, Ct.HORA_SOLICITADA",
        "CADCOM", "Ct", &TdmTec::usOSContato, "usOSContato", "COD_CLI SEQUENCIA",
        "COD_CLI DATA_SOLICITADA HORA_SOLICITADA HORA_VISITA CTHORAFINAL OBSERVACAO PESSOA_CONTATO "
        "CONTRATO TIPO_CONTATO VENDEDOT SEQUENCIA CTTEMPOTOTAL RESUMIDA ASCODIGO ASCODIGOATUAL IDORIGEM "
        "AOITCODIGO"},
    {&TdmTec::quOSSituacao, "quOSSituacao",
        "select Sit.* from AATC01AS Sit",
        "", "Sit.ASCODIGO",
        "AATC01AS", "Sit", &TdmTec::usOSSituacao, "usOSSituacao", "ASCODIGO",
        "ASCODIGO ASDESCRICAO ASTIPO ASINTERNET ASAPROVA ASESTOQUE ASCLIENTE ASRESERVA ASINSERCAO ASID "
        "ASCOR ASEMAIL ASSENHA ASTEMPOPREVISTO ASENVIAFILA ASVALIDAESTOQUE ASBLOQUEAREDICAO"},
    {&TdmTec::quDefeito, "quDefeito",
        "select Def.* from AATC02AD Def",
        "Def.ADCODIGO = :adCodigo", "",
        "AATC02AD", "Def", &TdmTec::usDefeito, "usDefeito", "ADCODIGO",
        "ADCODIGO ADDESCRICAO ADIDENTIFICADOR ADOBSERVACAO"},
    {&TdmTec::quTecnicos, "quTecnicos",
        "select Tec.* from AATC06AT Tec",
        "", "Tec.ATNOME",
        "AATC06AT", "Tec", &TdmTec::usTecnicos, "usTecnicos", "ATCODIGO",
        "ATCODIGO ATNOME ATALTERAROS ATALTERARLAUDO ATACESSORESTRITO ATATIVO ATALTERARSITUACAO ATCEP "
        "ATENDERECO ATENDCOMPLEMENTO ATENDNUMERO ATBAIRRO ATCIDADE ATUF ATEMAIL ATUSUARIO"},
    {&TdmTec::quTecEquip, "quTecEquip",
        "select Te.*, Eqp.AEDESCRICAO as EQUIPAMENTO\n"
        "from AATC06ATIT Te\n"
        " left outer join AATC03AE Eqp on (Eqp.AECODIGO = Te.AECODIGO)",
        "Te.ATCODIGO = :atcodigo", "Te.AECODIGO",
        "AATC06ATIT", "Te", &TdmTec::usTecEquip, "usTecEquip", "ATITSEQUENCIA ATCODIGO AECODIGO",
        "ATITSEQUENCIA ATCODIGO AECODIGO"},
    {&TdmTec::QuTecDesc, "QuTecDesc",
        "select Dc.*, Tec.ATNOME\n"
        "from AATC06ATDC Dc\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Dc.ATCODIGOFILHO)",
        "Dc.ATCODIGOPAI = :atcodigopai", "Dc.ATDCCODIGO",
        "AATC06ATDC", "Dc", &TdmTec::usTecDesc, "usTecDesc", "ATDCCODIGO",
        "ATDCCODIGO ATCODIGOPAI ATCODIGOFILHO"},
    {&TdmTec::quEquipamento, "quEquipamento",
        "select Eqp.* from AATC03AE Eqp",
        "Eqp.AECODIGO = :aecodigo", "",
        "AATC03AE", "Eqp", &TdmTec::usEquipamento, "usEquipamento", "AECODIGO",
        "AECODIGO AEDESCRICAO AEMARCA AEMODELO AEOBSERVACAO AECARROCERIAMARCA AETIPO AEIDENTIFICADOR "
        "AEATIVO AEVALORGARANTIA AECODIGOINTERNO PRCODIGO"},
    {&TdmTec::quEquipCli, "quEquipCli",
        "select Ec.*, Cli.NOME, Eqp.AEDESCRICAO\n"
        "from AATC03AECL Ec\n"
        " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = Ec.CLCODIGO)\n"
        " left outer join AATC03AE Eqp on (Eqp.AECODIGO = Ec.AECODIGO)",
        "Ec.AECLCODIGO is null", "",
        "AATC03AECL", "Ec", &TdmTec::usEquipCli, "usEquipCli", "AECLCODIGO",
        "AECLCODIGO AECODIGO CLCODIGO AECLOBSERVACAO AECLNUMEROSERIE AECLNUMEROPATRIMONIO"},
    {&TdmTec::quHoraTecnica, "quHoraTecnica",
        "select Hor.* from AATC04AH Hor",
        "", "Hor.AHCODIGO",
        "AATC04AH", "Hor", &TdmTec::usHoraTecnica, "usHoraTecnica", "AHCODIGO",
        "AHCODIGO AHTIPO AHHORA1 AHHORA2 AHHORA3 AHHORA4 AHHORA5 AHDESCRICAO"},
    {&TdmTec::quContrato, "quContrato",
        "select Ct.*, Cli.NOME as CLIENTE, Cli.CONTATO\n"
        "from AATC05AC Ct\n"
        " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = Ct.CLCODIGO)",
        "Ct.ACCODIGO = :accodigo", "",
        "AATC05AC", "Ct", &TdmTec::usContrato, "usContrato", "ACCODIGO",
        "ACCODIGO ACDESCRICAO ACVALOR ACTEXTO ACLIMITE ACNUMEROCONTRATO PRCODIGO CLCODIGO ACPRIORIDADE "
        "ACTIPOLIMITE ACATENDIMENTO ACTIPOCONTRATO ACDATAIMPLANTACAO ACDATAVALIDADE ACLIMITEHORA "
        "ACVALORCHAMADAEXCEDENTE ACVALORPARCELA ACDATABASE ACRENOVACAOAUTOMATICA ACRENOVACAOLIMITE "
        "ACSITUACAOOBS ACVALORANTERIOR CXCODIGO BCCODIGO HCCODIGO ACSERIENF ACTIPOPAGAMENTO ACAVALISTA1 "
        "ACAVALISTA2 ACFIADOR ACJUROMES ACJUROVENCIMENTO ACJUROAPLICAR ACJUROAPLICARPARCELA "
        "ACPORTADORPREVISAO ACMULTALIMITE ACMULTAVALOR ACMULTAINDICE ACINDICEREAJUSTE ACMODALIDADE ACTIPO "
        "ACNATUREZA AJCODIGO ACCONTRATANTE ACPERIODO ACVENCIMENTO ACBASE ABCODIGO ACRENOVACAO "
        "ACDATARENOVACAO ACSITUACAO ACOBJETO ACVINCULO ACLOCAL ACRESPONSAVEL ACCOBRANCA"},
    {&TdmTec::quContEquip, "quContEquip",
        "select Co.*, Eqp.AEDESCRICAO as DESCEQUIP\n"
        "from AUGC03CO Co\n"
        " left outer join AATC03AE Eqp on (Eqp.AECODIGO = Co.AECODIGO)",
        "Co.ACCODIGO = :accodigo and Co.COIDENTIFICADOR = 'E'", "Co.COCODIGO",
        "AUGC03CO", "Co", &TdmTec::usContEquip, "usContEquip", "COCODIGO",
        "COCODIGO ACCODIGO AECODIGO COSERIE COPLACA COCODIGOINTERNO COVALOR COENDERECO COBAIRRO COCIDADE "
        "COESTADO COIDENTIFICADOR CLCODIGO COMARCA COMODELO"},
    {&TdmTec::quContServ, "quContServ",
        "select Co.ACCODIGO, Co.COCIDADE, Co.COENDERECO, Co.COCODIGO, Co.COIDENTIFICADOR, Co.COVALOR\n"
        "from AUGC03CO Co",
        "Co.ACCODIGO = :accodigo and Co.COIDENTIFICADOR = 'S'", "Co.COCODIGO",
        "AUGC03CO", "Co", &TdmTec::usContServ, "usContServ", "COCODIGO",
        "ACCODIGO COCIDADE COENDERECO COCODIGO COIDENTIFICADOR COVALOR"},
    {&TdmTec::quAssHistorico, "quAssHistorico",
        "select Hc.* from ACBC16HC Hc",
        "", "Hc.HCCODIGO",
        "ACBC16HC", "Hc", &TdmTec::usAssHistorico, "usAssHistorico", "HCCODIGO",
        "HCCODIGO HCDESCRICAO HCTIPO"},
    {&TdmTec::quSolicita, "quSolicita",
        "select Si.* from AATC07AI Si",
        "Si.AIID = 'C'", "",
        "AATC07AI", "Si", &TdmTec::usSolicita, "usSolicita", "AICODIGO AIID AISEQUENCIA",
        "AICODIGO AIID AOCODIGO AISITUACAO AIOBSERVACAO ATCODIGOSOLICITA AISEQUENCIA"},
    {&TdmTec::quSolicitaIt, "quSolicitaIt",
        "select Si.*, Prod.ESTOQUE, Prod.DESCRICAO, Prod.PCO_VENDA, Prod.PRPOSICIONAMENTO, Prod.OUTRO_CODIGO\n"
        "from AATC07AI Si\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Si.PRCODIGO)",
        "Si.AIID = 'I'", "",
        "AATC07AI", "Si", &TdmTec::usSolicitaIt, "usSolicitaIt", "AICODIGO AIID AISEQUENCIA",
        "AICODIGO AIID AISEQUENCIA PRCODIGO AIQUANTIDADE AIQUANTIDADEENTREGUE AIDATAEMISSAO "
        "AIDATAPREVISAO AIDATAENTREGA ATCODIGOENTREGA AIOBSERVACAO AOCODIGO"},
    {&TdmTec::quSolicitacaoItEnt, "quSolicitacaoItEnt",
        "select Ent.*, Tec.ATNOME as RESPONSAVEL, Si.PRCODIGO, Prod.DESCRICAO\n"
        "from AATC07AIENT Ent\n"
        " left outer join AATC06AT Tec on (Tec.ATCODIGO = Ent.AIENTRESPONSAVEL)\n"
        " left outer join AATC07AI Si on (Si.AICODIGO = Ent.AICODIGO and Si.AISEQUENCIA = Ent.AISEQUENCIAREF\n"
        "   and Si.AIID = 'I')\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Si.PRCODIGO)",
        "Ent.AISEQUENCIAREF = :Seq and Ent.AICODIGO = :Solicitacao", "Ent.AIENTSEQ",
        "AATC07AIENT", "Ent", &TdmTec::usSolicitacaoItEnt, "usSolicitacaoItEnt", "AICODIGO AIENTSEQ AISEQUENCIAREF",
        "AIENTSEQ AICODIGO AISEQUENCIAREF AIENTQTDENTREGUE AIENTDATAENTREGUE AIENTRESPONSAVEL"},
    // ---- read-only ----
    {&TdmTec::quOSComprasCli, "quOSComprasCli",
        "select It.DOCUMENTO, It.CODIGOPRODUTO, Prod.DESCRICAO, Doc.DATA, Doc.COD_PEDIDO, It.MEITNUMEROSERIE,\n"
        " Prod.PRNUMEROSERIE, sum(It.QUNATIDADEPRODUTO) as QUANTIDADE,\n"
        " coalesce(Prod.COD_EMB_COLECAO, '') as COD_EMB_COLECAO, coalesce(It.LBCODIGO, '') as MODELO,\n"
        " Prod.COMPLEMENTO_DESC\n"
        "from ACEM14IT It\n"
        " inner join ACEC1101 Prod on (Prod.CODIGO = It.CODIGOPRODUTO)\n"
        " left outer join ACEM1401 Doc on (Doc.DOCUMENTO = It.DOCUMENTO and Doc.SERIE_DOC = It.SERIE\n"
        "   and Doc.COD_CLI = It.COD_CLI and Doc.OPERACAO_DOC = It.COD_OP and Doc.LOCAL_DOC = It.MELOCAL)",
        "It.COD_CLI = :cliente\n"
        "group by It.DOCUMENTO, It.CODIGOPRODUTO, Prod.DESCRICAO, Doc.DATA, Doc.COD_PEDIDO, It.MEITNUMEROSERIE,\n"
        " Prod.PRNUMEROSERIE, coalesce(Prod.COD_EMB_COLECAO, ''), coalesce(It.LBCODIGO, ''), Prod.COMPLEMENTO_DESC",
        "It.DOCUMENTO, Prod.DESCRICAO",
        "ACEM14IT", "It", nullptr, nullptr, "", ""},
    {&TdmTec::quPesqOS, "quPesqOS", "", "", "", "AATC01AO", "", nullptr, nullptr, "", ""},
    {&TdmTec::quPesqSitItem, "quPesqSitItem",
        "select Sit.ASCODIGO, Sit.ASDESCRICAO from AATC01AS Sit", "Sit.ASID = 'I'", "",
        "AATC01AS", "Sit", nullptr, nullptr, "", ""},
    {&TdmTec::quContItPesq, "quContItPesq",
        "select Ci.* from AATC05ACIT Ci", "", "", "AATC05ACIT", "Ci", nullptr, nullptr, "", ""},
    // ---- assistance orders and rental equipment ----
    {&TdmTec::quAssVenda, "quAssVenda",
        "select Ped.*, Ope.TIPO_OP, Ope.ASSUME_ICMS_SN, Ope.ICMS, Ope.VAL_ITEM_IPI, Ope.PERC_CALC,\n"
        " Ope.BASE_CALC_IPI, Ope.OFMARKUPMINIMO, Ope.OFISENTOIE, Cli.CLIE, Cli.TELEFONE1, Cli.ENDERECO,\n"
        " Cli.ENDERECO_ENTREGA, Cli.ENDERECO_COBRANCA, Cli.CIDADE, Emp.NOME as EMPRESA\n"
        "from AVEC8501 Ped\n"
        " left outer join AFVC0901 Ope on (Ope.COD_OP = Ped.OPERACAO)\n"
        " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = Ped.CODIGO_CLIENTE)\n"
        " left outer join EA Emp on (Emp.CODIGO = Ped.VELOCAL)",
        "Ped.NUMERO_PEDIDO = :pcod", "",
        "AVEC8501", "Ped", &TdmTec::usAssVenda, "usAssVenda", "NUMERO_PEDIDO",
        "NUMERO_PEDIDO CODIGO_CLIENTE CODIGO_VENDEDOR BCCODIGO ANCODIGOCONTATO ANCODIGOENTREGA "
        "ANCODIGOCOBRANCA ANCODIGOREQUISITANTE ANCODIGOAPROVADOR ANCODIGOGERENTE DATA_EMISSAO "
        "VEDATANEGOCIACAO DATA_ENTREGA VEDATAPRODUCAO VEDATAPROPOSTA VEINICIOVIGENCIA VETERMINOVIGENCIA "
        "VEDATAPAGAMENTO VEDATARA VEDATAPROXREAJUSTE VEDATAENTRADA OPERADOR OPERACAO TABELA_VENCIMENTO "
        "VELOCAL FRETE AUX1 AUX2 IMPRESSO_NF VEPEDIDOIMPRESSO VEPEDIDOIMPRESSO2VIA VECREDITO VERECIBO "
        "VEPROPOSTA VECODIGOPENDENCIA ACCODIGO VEENVIACONTRATO VETIPOCONTRATO VEPERIODOLOCACAO VEPROJETO "
        "VEPEDIDOCLIENTE VECONTRATO VEOBSERVACAOPAGAMENTO VEOBSPROPOSTA VEOBSREAJUSTE VEOBSINSTALACAO "
        "VEOBSENTREGA VEOBSDATARA VEOBSDATAPAGAMENTO VESUPRIMENTOS VEVALORSUPRIMENTOS VALOR_TOTAL "
        "VALOR_ICMS VALOR_IPI UGMODIFICADO AOCODIGO DESCONTO_GERAL VEVALORDESPESA VEVALORTOTALCMV "
        "VEVALORRENTABILIDADE VEVALORSUBST VEBASESUBST VEBASEICMS VEBASEIPI VEPIS VEIR VEINSS VECSLL "
        "VECOFINS VEVALORIMPOSTO VEVALORIMPOSTOPERC VEVALORTOTALCOMISSAO VEVALORTOTALCOMISSAOPERC "
        "VEVALORTOTALLIQUIDO VEVALORTOTALCMVPERC VEVALORCONTRIBUICAO VEVALORCONTRIBUICAOPERC "
        "VEVALORCUSTOFINANCEIRO VEVALORCUSTOFINANCEIROPERC VEVALORFRETEPERC VEVALORCUSTOFIXO "
        "VEVALORCUSTOFIXOPERC VEVALORRENTABILIDADEPERC VEPESOLIQUIDO VEPESOBRUTO NUMERO_O_COM ENTREGUE "
        "VEREFERENCIADOCUMENTO VEREFERENCIASERIE CODIG_TRANSPORTADORA VEOBSERVACAOOC FOVENDEDORAUX "
        "VECOMPRADOR ANCODIGO VENDEDOR_EMPRESA VEVOLUMENUMERO VEFRETEESTIMADO FOCODIGOREDESPACHO "
        "VEREDESPACHOTIPO CODIGO_ENTREGA COD_REPRES VEVALORTOTALDESCONTO VEVALORTOTALBRUTOITEM "
        "VECOMISSAOVEN VECOMISSAOREP ORCTCODIGO VECIDADEPRESTSERV VECONSUMIDORFINAL VEINDPRES "
        "VEFRETEREDESPACHO VESERIENF VESEQCONTCARGA RCCODIGOREDESPACHO BAIXA VENSREMESSASUP VEREFERENTE"},
    {&TdmTec::quAssVendaItem, "quAssVendaItem",
        "select It.*, Ped.VECODIGOPENDENCIA, Prod.DESCRICAO, Prod.PCO_VENDA, Prod.PCO_CUSTO, Prod.PRCMV,\n"
        " Prod.UNIDADE_MEDIDA, Prod.OUTRO_CODIGO, Prod.COM_FAB_S_FS as ORIGEM, Prod.COD_EMB_COLECAO,\n"
        " Prod.COMPLEMENTO_DESC as COMPLEMENTO, Prod.QTDE_PRODUCAO as RESERVADO,\n"
        " (coalesce(Prod.ESTOQUE, 0) - coalesce(Prod.QTDE_PRODUCAO, 0)) as ESTOQUE,\n"
        " Prod.PRCODIGOALTERNATIVO, Prod.GRUPO, Prod.PRDESCRICAOCOMERCIAL, Prod.ESTOQUE_MINIMO,\n"
        " Prod.ICMS_PARA_REDUCAO, Prod.PRPRECOEQUILIBRIO, Prod.TIPO_SUB_TRIB, Prod.PRIMUNE, Prod.PRCOR,\n"
        " Prod.PRTAMANHO, Prod.COD_LISTA_PRECO, Prod.PCO_VDA_ANTERIOR, Prod.PRPRECOSUGERIDO,\n"
        " Prod.ESTOQUE as ESTOQUE_TOTAL, Prod.PRGARANTIA, Prod.PRPOSICIONAMENTO, Prod.PRCODIGOFORNECEDOR,\n"
        " Prod.ESTOQUE as ESTOQUE_LOCAL, Gru.DESCRICAO as DESCRICAOGRUPO, Mar.MARCA,\n"
        " (It.TOTAL_UNIT * (It.IPI / 100) + It.TOTAL_UNIT) as VEITVALORIPICALC,\n"
        " (It.VALOR * (It.IPI / 100) + It.VALOR) as VEITVALORUNITARIOIPI,\n"
        " ((It.VALOR * (It.IPI / 100) + It.VALOR) * (1 - It.DESCONTO / 100)) as VEITVALORCOMIPIDESCONTO,\n"
        " (It.VALOR * (1 - It.DESCONTO / 100)) as VEITVALORCOMDESCONTO,\n"
        " (It.VALOR * It.QUANTIDADE * (It.IPI / 100) + It.VALOR * It.QUANTIDADE) as VEITVALORIPISEMDESCONTO,\n"
        " It.CODIGO as DACODIGOALTERNATIVO,\n"
        " (select first 1 substring(Ob.OBTEXTO from 1 for 999) from AUGC70OB Ob\n"
        "   where Ob.OBCODIGO = It.NUMERO_PEDIDO and Ob.OBID = 'V' and Ob.OBSEQUENCIA = It.COD) as DESCGENERICO,\n"
        " (coalesce(Prod.PRDESCRICAOCOMERCIAL, '') || '  ' || coalesce((select first 1\n"
        "   substring(Ob.OBTEXTO from 1 for 9999) from AUGC70OB Ob\n"
        "   where Ob.OBCODIGO = It.CODIGO and Ob.OBID = 'P' and Ob.OBSEQUENCIA = 2), '')) as DESCRICAOESPECIFICACAO\n"
        "from AVEC85IT It\n"
        " left outer join AVEC8501 Ped on (Ped.NUMERO_PEDIDO = It.NUMERO_PEDIDO)\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = It.CODIGO)\n"
        " left outer join ACEC1201 Gru on (Gru.CODIGO = It.GRCODIGO)\n"
        " left outer join ACEC1301 Mar on (Mar.CODIGO = Prod.COD_EMB_COLECAO)",
        "It.NUMERO_PEDIDO = :numero_pedido", "It.COD",
        "AVEC85IT", "It", &TdmTec::usAssVendaItem, "usAssVendaItem", "COD CODIGO NUMERO_PEDIDO",
        "AACODIGO AOCODIGO APSEQUENCIA AUX2 AUX3 AUX4 AUX5 AUX6 BAIXA COD CODIGO DATA_EMISSAO DESCONTO "
        "FOCODIGOVENDEDOR GRCODIGO ICMS IPI LECODIGO MGCODIGO MOCODIGO NUMERO_PEDIDO OBS OCCODIGO "
        "QUANTIDADE TOTAL_UNIT UGINSERIDO UGMODIFICADO UGORIGINADO VALOR VEITBASEICMS VEITBASEIPI "
        "VEITBASEISSQN VEITBASESUBST VEITCFOP VEITCMV VEITCODIGOGENERICO VEITCOFINS VEITCOFINSSUB "
        "VEITCOMISSAO VEITCOMISSAOAUX VEITCOMPLEMENTO VEITCOMPRIMENTO VEITCONTROLENF VEITCRECLCODIGO "
        "VEITCREDOCUMENTO VEITCRELOCAL VEITCREOFCODIGO VEITCRESERIE VEITCSLL VEITCSLLSUB VEITCUSTO "
        "VEITCUSTOALTERNATIVO VEITEMBALAGEM VEITENTREGA VEITENTREGADATA VEITENTREGADOCUMENTO "
        "VEITENTREGAQUANTIDADE VEITENTREGATOTAL VEITEQUIPAMENTOCFG VEITESQUERDA VEITFEBASESUBST "
        "VEITFEICMSSUBST VEITFESUBST VEITFEVALORSUBST VEITFOTO VEITGARANTIADOCUMENTO VEITGARANTIAFOCODIGO "
        "VEITGARANTIALOCAL VEITGARANTIAOFCODIGO VEITGARANTIASEQUENCIA VEITGARANTIASERIE VEITICMSSUBST "
        "VEITINFORMACAO VEITINSS VEITINSSSUB VEITIR VEITIRSUB VEITISSQN VEITLARGURA VEITLIBERADOSENHA "
        "VEITMEDIDAINF1 VEITMEDIDAINF2 VEITMEDIDAINF3 VEITMOEDACOTACAO VEITMOEDACOTACAODATA "
        "VEITNUMEROSERIE VEITOPCAOMANUAL VEITPIS VEITPISSUB VEITPROMOCAO VEITQUANTIDADEALTERADA "
        "VEITQUANTIDADEMATRIZ VEITQUANTIDADEMEDIA VEITQUEBRA VEITREFERENCIACLCODIGO "
        "VEITREFERENCIADOCUMENTO VEITREFERENCIALOCAL VEITREFERENCIAOFCODIGO VEITREFERENCIASEQUENCIA "
        "VEITREFERENCIASERIE VEITSEQUENCIAGENERICO VEITSEQUENCIAITEMORIGEM VEITSEQUENCIAORIGEM VEITSUBST "
        "VEITTOPO VEITTOTALALTERADO VEITTOTALCALCULADO VEITTOTALIMPRESSO VEITUNIDADE VEITVALORICMS "
        "VEITVALORICMSRENTABILIDADE VEITVALORIMPRESSO VEITVALORIPI VEITVALORISSQN VEITVALORMANUAL "
        "VEITVALORMOEDA VEITVALORORIGINAL VEITVALORRENTABILIDADE VEITVALORSUBST VEITVALORVENDALIQUIDO "
        "VEPEDIDOORIGEM VEQUANTIDADEIMPRESSA"},
    {&TdmTec::quAssVendaCotado, "quAssVendaCotado",
        "select Lx.COD, Lx.CODIGO, Lx.NUMERO_PEDIDO, Lx.VALOR, Lx.QUANTIDADE, Lx.OBS, Lx.TOTAL_UNIT,\n"
        " Lx.VEITNUMEROSERIE, Lx.LECODIGO, Lx.VEITCOMPLEMENTO, Lx.VECODIGOPENDENCIA, Lx.VEITCODIGOREF,\n"
        " Lx.VEITCODREF, Prod.DESCRICAO, Prod.UNIDADE_MEDIDA, Prod.PNCODIGO, Prod.OUTRO_CODIGO,\n"
        " (coalesce(Prod.PRDESCRICAOCOMERCIAL, '') || '  ' || coalesce((select first 1\n"
        "   substring(Ob.OBTEXTO from 1 for 9999) from AUGC70OB Ob\n"
        "   where Ob.OBCODIGO = Lx.CODIGO and Ob.OBID = 'P' and Ob.OBSEQUENCIA = 2), '')) as DESCRICAOESPECIFICACAO\n"
        "from AVEC85LX Lx\n"
        " left outer join ACEC1101 Prod on (Prod.CODIGO = Lx.CODIGO)",
        "1=1", "",
        "AVEC85LX", "Lx", &TdmTec::usAssVendaCotado, "usAssVendaCotado", "COD CODIGO NUMERO_PEDIDO",
        "COD CODIGO LECODIGO NUMERO_PEDIDO OBS QUANTIDADE TOTAL_UNIT VALOR VECODIGOPENDENCIA VEITCODIGOREF "
        "VEITCODREF VEITCOMPLEMENTO VEITNUMEROSERIE"},
    {&TdmTec::quAssVendaObs, "quAssVendaObs",
        "select Vo.* from AVEC85VO Vo",
        "Vo.VECODIGO = :veCodigo", "",
        "AVEC85VO", "Vo", &TdmTec::usAssVendaObs, "usAssVendaObs", "VECODIGO", "VECODIGO VOTEXTO"},
    {&TdmTec::quAssCtrlAlter, "quAssCtrlAlter",
        "select Lg.DATA, Lg.HORA, Lg.USUARIO, Lg.ACAO from ARQLOG Lg",
        "Lg.TABELA = 'AVEC8501' and Lg.OBSERVACAO = :PEDIDO", "1, 2, 3",
        "ARQLOG", "Lg", nullptr, nullptr, "", ""},
    {&TdmTec::quEqpCfgComp, "quEqpCfgComp",
        "select Cm.CMSEQUENCIA, Cm.CMCODIGO, Cm.CMQUANTIDADE, Cm.PRCODIGO,\n"
        " (coalesce(Pr.PRDESCRICAOCOMERCIAL, '') || '  ' || coalesce((select first 1\n"
        "   substring(Ob.OBTEXTO from 1 for 9999) from AUGC70OB Ob\n"
        "   where Ob.OBCODIGO = Cm.CMCODIGO and Ob.OBID = 'P' and Ob.OBSEQUENCIA = 2), '')) as DESCRICAOESPECIFICACAO\n"
        "from AGPC03CM Cm\n"
        " left outer join ACEC1101 Pr on (Pr.CODIGO = Cm.CMCODIGO)",
        "Cm.PRCODIGO = :PRCODIGO", "Cm.CMSEQUENCIA",
        "AGPC03CM", "Cm", nullptr, nullptr, "", ""},
    {&TdmTec::quEquipamentoLocacao, "quEquipamentoLocacao",
        "select Ev.EVCODIGO, Ev.EVID, Ev.EVMODELO, Ev.EVMARCA, Ev.EVANO, Ev.EVSTATUS, Ev.EVSUBLOCADO,\n"
        " Ev.EVVALORCOMPRA, Ev.EVDATACOMPRA, Ev.EVNSNUMERO, Ev.EVPRECOVENDA, Ev.EVLOCAL, Ev.EVOBSERVACAO,\n"
        " Ev.EVEQUIPTOCONTROLE, Ev.EVQTDETOTAL, Ev.EVQTDEBLOQUEADA, Ev.EVPLACA\n"
        "from AUGC20EV Ev",
        "", "",
        "AUGC20EV", "Ev", &TdmTec::usEquipamentoLocacao, "usEquipamentoLocacao", "EVCODIGO EVID",
        "EVCODIGO EVID EVMODELO EVMARCA EVANO EVSTATUS EVSUBLOCADO EVVALORCOMPRA EVDATACOMPRA EVNSNUMERO "
        "EVPRECOVENDA EVLOCAL EVOBSERVACAO EVEQUIPTOCONTROLE EVQTDETOTAL EVQTDEBLOQUEADA EVPLACA"},
    {&TdmTec::quAcessoriosLocacao, "quAcessoriosLocacao",
        "select Evi.*, Ev.EVMARCA, Ev.EVMODELO, Ev.EVNSNUMERO, Ev.EVVALORCOMPRA\n"
        "from AUGC20EVIT Evi\n"
        " left outer join AUGC20EV Ev on (Ev.EVCODIGO = Evi.EVCODIGOVINCULADO)",
        "", "",
        "AUGC20EVIT", "Evi", &TdmTec::usAcessoriosLocacao, "usAcessoriosLocacao", "EVCODIGO EVCODIGOVINCULADO",
        "EVCODIGO EVCODIGOVINCULADO EVITQUANTIDADE"},
    {&TdmTec::quEquipamentoGrupo, "quEquipamentoGrupo",
        "select Eg.*, Gru.DESCRICAO\n"
        "from AUGC20EVGR Eg\n"
        " left outer join ACEC1201 Gru on (Gru.CODIGO = Eg.GRCODIGO)",
        "", "",
        "AUGC20EVGR", "Eg", &TdmTec::usEquipamentoGrupo, "usEquipamentoGrupo", "EVGRSEQUENCIA", "EVGRSEQUENCIA EVCODIGO GRCODIGO"},
};

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts);
}

QString selectText(const QueryDef& def)
{
    QString sql = QString::fromUtf8(def.select);
    if (*def.where)
        sql += "\nwhere " + QString::fromUtf8(def.where);
    if (*def.order)
        sql += "\norder by " + QString::fromUtf8(def.order);
    return sql;
}

QString keyCondition(const QStringList& keys, const QString& prefix, const QString& paramPrefix)
{
    QStringList terms;
    for (const QString& key : keys)
        terms << prefix + key + " = :" + paramPrefix + key;
    return terms.join(" and ");
}

QString insertText(const QString& table, const QStringList& columns)
{
    return "insert into " + table + " (" + columns.join(", ") + ")\nvalues (:" + columns.join(", :") + ")";
}

QString modifyText(const QString& table, const QStringList& columns, const QStringList& keys)
{
    QStringList sets;
    for (const QString& column : columns)
        sets << column + " = :" + column;
    return "update " + table + " set " + sets.join(", ") + "\nwhere " + keyCondition(keys, {}, "OLD_");
}

QString deleteText(const QString& table, const QStringList& keys)
{
    return "delete from " + table + "\nwhere " + keyCondition(keys, {}, "OLD_");
}

QString refreshText(const QueryDef& def, const QStringList& keys)
{
    return QString::fromUtf8(def.select) + "\nwhere " + keyCondition(keys, QString::fromLatin1(def.alias) + ".", {});
}

const QueryDef& definicao(const QString& consulta)
{
    for (const QueryDef& def : kQueries)
        if (consulta.compare(QString::fromLatin1(def.name), Qt::CaseInsensitive) == 0)
            return def;
    throw std::logic_error("TdmTec has no query " + consulta.toStdString());
}

// The lines of a service order, of a service contract, of an assistance
// order and of a parts request are stored only while their header is.
void ligarCabecalhosDasLinhasTec(TdmTec& tec)
{
    using host::data::LineHeader;
    const LineHeader ordem{"AATC01AO", "AOCODIGO", {}, tec.quOS, {}, {}, {}, "A ordem de serviço", true};
    for (host::data::Query* linha : {tec.quOSItem, tec.quOSPecas, tec.quOSAndamento, tec.quOSDespViagem,
                                     tec.quOSDespExtra, tec.quOSProj, tec.quOSAcessorios})
        linha->setLineHeader(ordem);
    const LineHeader contrato{"AATC05AC", "ACCODIGO", {}, tec.quContrato, {}, "ACNUMEROCONTRATO", {}, "O contrato"};
    tec.quContEquip->setLineHeader(contrato);
    tec.quContServ->setLineHeader(contrato);
    const LineHeader pedido{"AVEC8501", "NUMERO_PEDIDO", {}, tec.quAssVenda, {}, {}, {}, "O pedido"};
    tec.quAssVendaItem->setLineHeader(pedido);
    tec.quAssVendaCotado->setLineHeader(pedido);
    tec.quSolicitaIt->setLineHeader(
        {"AATC07AI", "AICODIGO", {}, tec.quSolicita, {}, {}, "AIID = 'C'", "A solicitação", true});
}

}  // namespace

namespace uDataTec {

QString selectArmazenado(const QString& consulta)
{
    return QString::fromUtf8(definicao(consulta).select);
}

QString consultaArmazenada(const QString& consulta)
{
    return selectText(definicao(consulta));
}

QString condicaoArmazenada(const QString& consulta)
{
    return QString::fromUtf8(definicao(consulta).where);
}

}  // namespace uDataTec

void TdmTec::createQueries()
{
    for (const QueryDef& def : kQueries) {
        host::data::Query* query = newQuery(def.name);
        query->setSql(selectText(def));
        // Their fields come from the statement: amounts get the host's format
        // when made (a query with a handler of its own applies it there).
        query->onFieldsCreated = [](host::data::Dataset& d) { TdmGlobal::SetaFormatoValor(d); };
        this->*def.member = query;
        if (!def.update)
            continue;
        const QStringList keys = words(def.keys);
        const QStringList columns = words(def.columns);
        const QString table = QString::fromLatin1(def.table);
        host::data::UpdateSql* update = newUpdate(def.update, query);
        this->*def.updateMember = update;
        update->setInsertSql(insertText(table, columns));
        update->setModifySql(modifyText(table, columns, keys));
        update->setDeleteSql(deleteText(table, keys));
        update->setRefreshSql(refreshText(def, keys));
    }
    ligarCabecalhosDasLinhasTec(*this);
}

host::data::Query& TdmTec::ConsultaPropria(const QString& nome)
{
    std::shared_ptr<host::data::Query>& consulta = consultasProprias_[nome];
    if (!consulta)
        consulta = std::shared_ptr<host::data::Query>(CriarIbQuery(nome).release());
    consulta->close();
    return *consulta;
}
