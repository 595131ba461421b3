// The statements and persistent fields of the contract datasets.
#include "contract_data/uDataTecContDefinitions.h"

#include "contract_data/uDataTecCont.h"
#include "host/data/Dataset.h"

#include <stdexcept>

namespace uDataTecCont {

using host::data::FieldType;

namespace {

// ---- field lists ------------------------------------------------------------

// The contract header: the 135 columns of AATC05AC the dataset writes.
const char* const kContratoCampos =
    // present before the module runs
    "ACCODIGO:i ACDESCRICAO:s50 ACTEXTO:m ACLIMITE:f ACLIMITEHORA:f ACVALORCHAMADAEXCEDENTE:f ACVALOR:f "
    "ACHORAVALOR:f ACHORACREDITO:f ACDATAVALIDADE:d ACDATAIMPLANTACAO:d ACCONTRATOENVIADO:d "
    "ACDATAMANUTENCAO:d ACDATAENTREGA:d ACDATAPAGAMENTO:d ACDATARA:d ACATENDIMENTO:s1 ACPRIORIDADE:s1 "
    "ACTIPOLIMITE:s1 ACVINCULO:s1 CLCODIGO:s5 PRCODIGO:s11 ACTIPOCONTRATO:s50 ACOBJETO:s300 ACLOCAL:s2 "
    "ACQUANTIDADEPARCELA:i ACHORAANALISE:i ACHORATREINAMENTO:i ACHORAPROGRAMACAO:i ACLICENCAS:i POCODIGO:i "
    "PCCODIGODEBITO:i PCCODIGOCREDITO:i ACUSUARIOS:h ACAPROVAIP:s100 ACAPROVALOCAL:s100 ACPAGAMENTOOBS:s300 "
    "ACSITUACAOCOMENTARIO:s300 ACCODIGOINTEGRACAO:s30 FOCODIGOWEB:s5 FOCODIGOCONVERSOR:s5 ACVENDEDOR:s5 ACPEDIDOCLIENTE:s30 "
    // first block of the contract upgrade
    "ACGERAPV:s1 ACSEPARASERVICO:s1 ACDATABASE:d ACRENOVACAOAUTOMATICA:s1 ACRENOVACAOLIMITE:d "
    "ACSITUACAOOBS:s50 ACVALORANTERIOR:f CXCODIGO:s6 BCCODIGO:s3 HCCODIGO:i ACSERIENF:s2 ACTIPOPAGAMENTO:s1 "
    "ACAVALISTA1:s5 ACAVALISTA2:s5 ACFIADOR:s5 ACJUROMES:f ACJUROVENCIMENTO:f ACJUROAPLICAR:s1 "
    "ACJUROAPLICARPARCELA:s1 ACPORTADORPREVISAO:s1 ACMULTALIMITE:f ACMULTAVALOR:f ACMULTAINDICE:s10 "
    "ACINDICEREAJUSTE:s1 ACVALORFIXO:s1 AJCODIGO:i ACMODALIDADE:s1 ACTIPO:s1 ACNATUREZA:s1 ACCONTRATANTE:s5 "
    "ACCOBRANCA:s5 ACRESPONSAVEL:s5 ACPERIODO:s1 ACVENCIMENTO:h ACBASE:h ABCODIGO:s3 ACVALORPARCELA:f "
    "ACRENOVACAO:s1 ACDATARENOVACAO:d ACSITUACAO:s1 AHCODIGO:h ACDISTANCIAKM:f ACQUANTIDADEPEDAGIO:f "
    "ACPRAZOATENDIMENTO:h ACPREVENTIVO:h ACCOBRARDESLOCAMENTO:s1 ACCOBRARSERVICO:s1 ACLIMITEHORAS:h "
    "ACCOBRARCOMPONENTE:s1 ACCOBRAREXTRA:s1 ACFGATIVO:s1 ACQUANTIDADEEQUIPAMENTO:s1 ACCOMPROVANTE:s1 "
    "ACDIAFECHAMENTO:h ACVALORPARCELALIQUIDO:f VECODIGOPADRAO:s5 AJCODIGOAUXILIAR:i ACVENCIMENTOSEMANA:h "
    "ACVALORSERVICO:f ACVALORPECA:f ACDATACANCELAMENTO:d ACCONTATO:h ACREQUISITANTE:h ACAPROVADOR:h "
    "ACGERENTE:h ACCONTCOBRANCA:h ACCONTENTREGA:h ACENDENTREGA:m ACENDCOBRANCA:m ACHISTORICO:m "
    "ACCUSTOSVAR:m ACCOMPROVANTERETIRADA:s1 ACCOMPROVANTEDATAHORA:d ACCOMPROVANTEPROCURAR:s30 "
    "ACCOMPROVANTEEND:m ACCOMPROVANTEOBS:m ACNFREMESSA:s6 ACNFREMESSAEMISSAO:d ACPROPOSTA:s20 ACPEDIDO:s20 "
    "ACPERIODODESC:s30 ACTIPODESC:s30 ACCONTRETIRADA:h ACDATARETIRADA:d ACNUMEROCONTRATO:s50 "
    "ACENDENTCONTRATO:m ACCONTENTCONTRATO:h ACDIASCONTRATO:h TVCODIGO:s2 "
    // second block
    "ACTIPOFRANQUIA:s1 ACQUANTIDADEFRANQUIA:f ACQUANTEXCFRANQUIA:f "
    // descriptions and calculated values
    "*NOMEFILIAL:s60 *OBJETO:s50 *OFCODIGO:s5 *AHDESCRICAO:s50 *NOMECLIENTE:s60 "
    "=HoraCreditoMin:i =DataProposta:d =DataPedido:d =TOTCONTRATOSVINC:f";

// Contract items: 41 columns of AATC05ACIT.
const char* const kItemCampos =
    "ACITCODIGO:i CLCODIGO:s5 PRCODIGO:s11 ACCODIGO:i ACITNUMEROSERIE:s30 ACITMODELO:s30 ACITNF:s6 "
    "ACITNFSERIE:s2 ACITCOBERTURA:s3 ACITGARANTIA:s1 ACITGARANTIADATA:d ACITVALOR:f ACITVERSAOINICIO:s10 "
    "ACITVERSAOFIM:s10 ACITOBSERVACAO:s255 ACITGRUPO:s3 ACITINSTALACAO:d ACITNUMEROLOGICO:s5 "
    "ACITVALORPERCENTUAL:f ACITGARANTIAPERCENTUAL:f ACITVALORUNITARIO:f ACITQUANTIDADE:f ACITDESCONTO:f "
    "ACITCOMPLEMENTO:s1 ACITDATAENCERRAMENTO:d ACITENCERRADO:s1 ACITRETORNO:s1 ACITHORAENTRADA:d "
    "ACITHORASAIDA:d ACITVALORMULTA:f ACITVALOREXCEDENTE:f COCODIGO:i FXCODIGO:i EVCODIGO:i ACITPERIODO:s1 "
    "ACITTIPORECEBER:s1 ACITRESERVADO:s1 ACITDEVOLVIDO:s1 ACITSITUACAO:s50 ACITDATAENTREGA:d ACITFRETE:f "
    "*DESCRICAO:s40 *DESCRICAOGRUPO:s50 *DESCRICAOCOLECAO:s40 *COBERTURA:s30 *ACTIPO:s1 *NOMECLIENTE:s60 "
    "*GRUPO:s50 =ValorDividido:f =HorasEquivalentes:i";

const char* const kObjetoCampos =
    "AJCODIGO:i AJDESCRICAO:s50 AJOBJETO:s300 AJVALOR:f AJINDICE:f AJMODALIDADE:s1 AJPERIODO:s1 AJTIPO:s1 "
    "AJNATUREZA:s1 CXCODIGO:s6 HCCODIGO:i AJGERAFATURA:s1 TVCODIGO:s2 OFCODIGO:s5 AJPARCELANF:s1 "
    "AJINDICEREAJUSTE:s1 AJCOMPLNF:s50 AJCOMPLHC:s300 AJTIPOPAGAMENTO:s1 AJATIVO:s1 AJFRANQUIA:s1 "
    "AJVALORDIARIO:s1 AJVALORPERCENTUAL:f";

const char* const kCoberturaCampos = "ABCODIGO:s3 ABDESCRICAO:s30 ABPECAS:s1 ABMDO:s1 ABDESLOCA:s1";

const char* const kContatoCampos =
    "COD_CLI:s5 SEQUENCIA:i VENDEDOT:s5 DATA_SOLICITADA:d HORA_SOLICITADA:d DATA_VISITA:d HORA_VISITA:d "
    "TIPO_CONTATO:s20 PESSOA_CONTATO:s50 RESUMIDA:s100 OBSERVACAO:s800 CONTRATO:i IDORIGEM:s1 "
    "CTTEMPOTOTAL:i CTHORAFINAL:d ASCODIGO:i ASCODIGOATUAL:i CTUSUARIO:s30 MGCODIGO:s3 *DESCRICAO:s100";

const char* const kClientesCampos = "ACCODIGO:i CLCODIGO:s5 ACCLOBSERVACAO:s50 ACCLATIVO:s1 *CLIENTE:s60 =Valor:f";

const char* const kVinculoCampos =
    "ACCODIGOCOMPLEMENTO:i ACCODIGOPRINCIPAL:i *CLCODIGOPRINCIPAL:s5 *CLCODIGOCOMPLEMENTO:s5 "
    "*ACVALORPARCELAPRINCIPAL:f *ACVALORPARCELACOMPLEMENTO:f *CLNOMEPRINCIPAL:s60 *CLNOMECOMPLEMENTO:s60 "
    "*CLNOMEFANTASIAPRINCIPAL:s40 *CLNOMEFANTASIACOMPLEMENTO:s40";

const char* const kEquipamentoCampos =
    "ACCODIGO:i AECODIGO:i CLCODIGO:s5 COCODIGO:i COIDENTIFICADOR:s1 COMARCA:s30 COMODELO:s30 COSERIE:s30 "
    "COVALOR:f CODATACOMPRA:d COGARANTIA:s1 COGARANTIADATA:d *EQUIPAMENTO:s50";

const char* const kVeiculoCampos =
    "ACEVCODIGO:i ACCODIGO:i EVCODIGO:h ACEVDATAINICIO:d ACEVDATAFIM:d ACEVHORAINICIO:d ACEVHORAFIM:d "
    "ACEVKMINICIO:f ACEVKMFIM:f ACEVSITUACAO:s1 ACEVVALOR:f ACEVTIPO:s1 ACEVOBSERVACAO:s100 ACEVQTDE:i "
    "ACEVVALORUNIT:f ACEVADITIVO:s1 ACEVADITIVONUMERO:i "
    "*EVMODELO:s50 *EVPLACA:s8 *EVSTATUS:s1 *EVNSNUMERO:s50";

const char* const kDetalheCampos =
    "ACITCODIGO:i ACDTSEQUENCIA:i PRCODIGO:s11 ACDTOBSERVACAO:s300 ACDTQUANTIDADE:f *DESCRICAO:s40";

const char* const kLeituraCampos =
    "ACITCOCODIGO:i ACITCODIGO:i EVCODIGO:i ACITCODATAFATURAMENTO:d ACITCODATA:d ACITCOCONTADORTOTAL:f "
    "COCODIGO:i CMCODIGO:s11 CMSEQUENCIA:i PRCODIGO:s11 "
    "*CODIGOPRODUTO:s11 *ACITNUMEROSERIE:s30 *CODESCRICAO:s50 *DESCRICAO:s40";

const char* const kMedidorCampos = "COCODIGO:i CODESCRICAO:s50 CODATA:d COCONTADOR:f COID:s1";

const char* const kFranquiaCampos =
    "FGCODIGO:i COCODIGO:i FGFRANQUIA:f FGVALORDOEXC:f ACCODIGO:i *CODESCRICAO:s50";

const char* const kComposicaoCampos =
    "ACCODIGO:i ACITCODIGO:i PRCODIGO:s11 CMSEQUENCIA:i CMCODIGO:s11 ACEVCODIGO:i ACCMQUANTIDADE:f "
    "ACCMVALOR:f ACCMVALORBASE:f ACCMTOTAL:f ACCMORDEM:i "
    "*UNIDADE_MEDIDA:s4 *ESTOQUE:f *CMDESCRICAO:s40 *CMORIGEM:s1 *PRPOSICIONAMENTO:s50 "
    "*PRCODIGOFORNECEDOR:s30 *PRDESCRICAOCOMERCIAL:s100 *NO_VOLUMES:f *PESO_MERCADORIA:f";

// The rental views also carry the quantities the rental screens edit.
const char* const kEquipLocacaoCampos =
    "ACITCODIGO:i CLCODIGO:s5 PRCODIGO:s11 ACCODIGO:i EVCODIGO:i ACITVALOR:f ACITSITUACAO:s50 "
    "ACITDATAENTREGA:d ACITDEVOLVIDO:s1 ACITOBSERVACAO:s255 ACITENCERRADO:s1 ACITDATAENCERRAMENTO:d "
    "ACITRETORNO:s1 ACITQUANTIDADE:f ACITQUANTIDADEDEVOLVIDA:f "
    "*MODELOEQUIPTO:s50 *MARCAEQUIPTO:s50 *NUMEROSERIEEQUIPTO:s50 *VALORCOMPRAEQUIPTO:f *COBERTURA:s30 "
    "*ACTIPO:s1";

const char* const kAcessLocacaoCampos =
    "ACITCODIGO:i CLCODIGO:s5 PRCODIGO:s11 ACCODIGO:i EVCODIGO:i ACITVALOR:f ACITSITUACAO:s50 "
    "ACITDATAENTREGA:d ACITDEVOLVIDO:s1 ACITOBSERVACAO:s255 ACITENCERRADO:s1 ACITDATAENCERRAMENTO:d "
    "ACITRETORNO:s1 ACITEQUIPAMENTOPAI:i ACITQUANTIDADE:f ACITQUANTIDADEDEVOLVIDA:f "
    "*MODELOEQUIPTO:s50 *MARCAEQUIPTO:s50 *NUMEROSERIEEQUIPTO:s50 *VALORCOMPRAEQUIPTO:f";

const char* const kEquipSolCampos =
    "COD:i CODIGO:s11 NUMERO_PEDIDO:s20 VALOR:f QUANTIDADE:f OBS:s25 TOTAL_UNIT:f VEITNUMEROSERIE:s30 "
    "DESCRICAO:s40 UNIDADE_MEDIDA:s4";

const char* const kIndiceCampos = "DESCRICAO:s40 MOEDA:s10";

// ---- statements ---------------------------------------------------------------

const char* const kSqlEquipLocacao =
    "Select it.ACITCODIGO, it.CLCODIGO, it.PRCODIGO, it.ACCODIGO, it.EVCODIGO, it.ACITVALOR, it.ACITSITUACAO,\n"
    "  it.ACITDATAENTREGA, it.ACITDEVOLVIDO, it.ACITOBSERVACAO, it.ACITENCERRADO, it.ACITDATAENCERRAMENTO,\n"
    "  it.ACITRETORNO, it.ACITQUANTIDADE, it.ACITQUANTIDADEDEVOLVIDA,\n"
    "  Ev.EVMODELO ModeloEquipto, Ev.EVMARCA MarcaEquipto, Ev.EVNSNUMERO NumeroSerieEquipto,\n"
    "  Ev.EVVALORCOMPRA ValorCompraEquipto, Cob.ABDESCRICAO Cobertura, Cont.ACTIPO\n"
    "From AATC05ACIT it\n"
    "Left Outer Join AUGC20EV Ev On (Ev.EVCODIGO = it.EVCODIGO and Ev.EVID = 'L')\n"
    "Left Outer Join AATC10AB Cob On (Cob.ABCODIGO = it.ACITCOBERTURA)\n"
    "Left Outer Join AATC05AC Cont On (Cont.ACCODIGO = it.ACCODIGO)\n"
    "Where it.ACCODIGO = :ACCODIGO and it.ACITEQUIPAMENTOPAI is null\n";

const char* const kSqlAcessLocacao =
    "Select it.ACITCODIGO, it.CLCODIGO, it.PRCODIGO, it.ACCODIGO, it.EVCODIGO, it.ACITVALOR, it.ACITSITUACAO,\n"
    "  it.ACITDATAENTREGA, it.ACITDEVOLVIDO, it.ACITOBSERVACAO, it.ACITENCERRADO, it.ACITDATAENCERRAMENTO,\n"
    "  it.ACITRETORNO, it.ACITEQUIPAMENTOPAI, it.ACITQUANTIDADE, it.ACITQUANTIDADEDEVOLVIDA,\n"
    "  Ev.EVMODELO ModeloEquipto, Ev.EVMARCA MarcaEquipto, Ev.EVNSNUMERO NumeroSerieEquipto,\n"
    "  Ev.EVVALORCOMPRA ValorCompraEquipto\n"
    "From AATC05ACIT it\n"
    "Left Outer Join AUGC20EV Ev On (Ev.EVCODIGO = it.EVCODIGO and Ev.EVID = 'A')\n"
    "Where it.ACITEQUIPAMENTOPAI = :ACITCODIGO\n";

std::vector<DatasetDef> buildDefs()
{
    using T = TdmTecContrato;
    std::vector<DatasetDef> defs = {
        {"quCtrCadastro", "usCtrCadastro", "AATC05AC", "Cont", {"ACCODIGO"},
         T::sqlContrato() + "Where Cont.ACCODIGO is null\n", T::sqlContrato() + "Where Cont.ACCODIGO = :ACCODIGO\n",
         parseFields(kContratoCampos)},
        {"quCtrCadastroIt", "usCtrCadastroIt", "AATC05ACIT", "it", {"ACITCODIGO"},
         T::sqlContratoItem() + "Where it.ClCodigo = :CLCODIGO\n", {}, parseFields(kItemCampos)},
        {"quCtrObjeto", "usCtrObjeto", "AATC11AJ", {}, {"AJCODIGO"},
         "select * from AATC11AJ\nwhere ajCodigo = :ajCodigo\n", {}, parseFields(kObjetoCampos)},
        {"quCtrCobertura", "usCtrCobertura", "AATC10AB", {}, {"ABCODIGO"}, "select * from AATC10AB\n", {},
         parseFields(kCoberturaCampos)},
        {"quCtrContato", "usCtrContato", "CADCOM", "Cont", {"COD_CLI", "SEQUENCIA"},
         T::sqlContratoContato() + "Where Cont.idOrigem = 'C' and Cont.contrato = :CONTRATO\n", {},
         parseFields(kContatoCampos)},
        {"quContratoCli", "usContratoCli", "AATC05ACCL", "ContCli", {"ACCODIGO", "CLCODIGO"},
         T::sqlContratoClientes() + "Where ContCli.ACCODIGO  = :ACCODIGO\n", {}, parseFields(kClientesCampos)},
        {"quContratoVin", "usContratoVin", "AATC05ACVI", "Vinc", {"ACCODIGOCOMPLEMENTO", "ACCODIGOPRINCIPAL"},
         T::sqlContratoVinculo(), {}, parseFields(kVinculoCampos)},
        {"quCtrCadastroEquip", "usCtrCadastroEquip", "AUGC03CO", "CtrEquip", {"COCODIGO"},
         T::sqlContratoEquipamento() + "where CtrEquip.ACCODIGO = :ACCODIGO\n", {},
         parseFields(kEquipamentoCampos)},
        {"quCtrVeiculo", "usCtrVeiculo", "AATC05ACEV", "Cont", {"ACEVCODIGO"},
         T::sqlContratoVeiculo() + "Where Cont.acCodigo = :ACCODIGO\n", {}, parseFields(kVeiculoCampos)},
        {"quCtrCadastroDet", "usCtrCadastroDet", "AATC05ACDT", "Det", {"ACITCODIGO", "ACDTSEQUENCIA"},
         T::sqlContratoItemDetalhe() + "Where Det.acitCodigo = :ACITCODIGO\n", {}, parseFields(kDetalheCampos)},
        {"quCtrCadastroItCo", "usCtrCadastroItCo", "AATC05ACITCO", "CtrCo", {"ACITCOCODIGO"},
         "Select CtrCo.*, It.PRCODIGO CodigoProduto, It.ACITNUMEROSERIE, Med.CODESCRICAO, Prod.DESCRICAO\n"
         "From AATC05ACITCO CtrCo\n"
         "Left Outer Join aatc05acit It On (It.ACITCODIGO = CtrCo.ACITCODIGO)\n"
         "Left Outer Join aatc05co Med On (Med.COCODIGO = CtrCo.COCODIGO)\n"
         "Left Outer Join acec1101 Prod On (Prod.CODIGO = It.PRCODIGO)\n"
         "Where CtrCo.ACITCODIGO = :ACITCODIGO\n",
         {}, parseFields(kLeituraCampos)},
        {"quCtrCadastroMedidor", "usCtrCadastroMedidor", "AATC05CO", {}, {"COCODIGO"}, "select * from AATC05CO\n",
         {}, parseFields(kMedidorCampos)},
        {"QuFranquiaPorGrupo", "UsFranquiaPorGrupo", "AATC05FG", "Fg", {"FGCODIGO"},
         "Select Fg.*, Co.CODESCRICAO\nFrom aatc05fg Fg\n"
         "Left Outer Join aatc05co Co On (Co.COCODIGO = Fg.COCODIGO)\nWhere Fg.ACCODIGO = :ACCODIGO\n",
         "Select Fg.*, Co.CODESCRICAO\nFrom aatc05fg Fg\n"
         "Left Outer Join aatc05co Co On (Co.COCODIGO = Fg.COCODIGO)\nWhere Fg.FGCODIGO = :OLD_FGCODIGO\n",
         parseFields(kFranquiaCampos)},
        // The key includes the equipment line: without it one change would
        // rewrite the same composition line of every other line of the contract.
        {"quCtrCadastroCM", "usCtrCadastroCM", "AATC05ACCM", "AcCm",
         {"ACCODIGO", "ACITCODIGO", "CMSEQUENCIA", "PRCODIGO", "ACEVCODIGO"},
         "Select AcCm.*, Comp.Unidade_Medida, Comp.Estoque, Comp.Descricao CMDescricao,\n"
         "  Comp.Com_fab_s_fs cmOrigem, Comp.prPosicionamento, Comp.prcodigofornecedor,\n"
         "  Comp.prdescricaocomercial, Prod.NO_VOLUMES, Prod.PESO_MERCADORIA\n"
         "From AATC05ACCM AcCm\n"
         "Left Outer Join Acec1101 Comp On (Comp.Codigo = AcCm.CMCODIGO)\n"
         "Left Outer Join Acec1101 Prod On (Prod.Codigo = AcCm.PRCODIGO)\n"
         "Where AcCm.AcCodigo = :AcCodigo and AcCm.AcEvCodigo=:AcEvCodigo\n",
         {}, parseFields(kComposicaoCampos)},
        {"quCtrEquipLocacao", "usCtrEquipLocacao", "AATC05ACIT", "it", {"ACITCODIGO"}, kSqlEquipLocacao, {},
         parseFields(kEquipLocacaoCampos)},
        {"quCtrAcessLocacao", "usCtrAcessLocacao", "AATC05ACIT", "it", {"ACITCODIGO"}, kSqlAcessLocacao, {},
         parseFields(kAcessLocacaoCampos)},
        {"quCtrEquipSol", {}, "AVEC85IT", "ve", {},
         "select ve.cod, ve.codigo, ve.numero_pedido, ve.valor, ve.quantidade, ve.obs, ve.total_unit,\n"
         "  ve.veitnumeroserie, Prod.Descricao, Prod.UNIDADE_MEDIDA\n"
         "from AVEC85IT ve\nLeft Outer Join Acec1101 Prod On (ve.Codigo = Prod.Codigo)\nWhere 1=1\n",
         {}, parseFields(kEquipSolCampos)},
        {"quPesqIndice", {}, "AGPC7601", {}, {}, "Select Distinct DESCRICAO, moeda  from agpc7601\n", {},
         parseFields(kIndiceCampos)},
    };
    return defs;
}

FieldType typeOf(const QString& code, int& size)
{
    size = 0;
    switch (code.isEmpty() ? u' ' : code[0].unicode()) {
    case 'i': return FieldType::Int32;
    case 'h': return FieldType::Int16;
    case 'f': return FieldType::Float;
    case 'd': return FieldType::DateTime;
    case 'm': return FieldType::Memo;
    case 's': size = code.mid(1).toInt(); return FieldType::String;
    default: throw std::logic_error("unknown field type code: " + code.toStdString());
    }
}

}  // namespace

std::vector<FieldDef> parseFields(const char* text)
{
    std::vector<FieldDef> fields;
    for (const QString& token : QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts)) {
        FieldDef field;
        QString name = token.section(':', 0, 0);
        field.joined = name.startsWith('*');
        field.calculated = name.startsWith('=');
        if (field.joined || field.calculated)
            name.remove(0, 1);
        field.name = name;
        field.type = typeOf(token.section(':', 1, 1), field.size);
        fields.push_back(field);
    }
    return fields;
}

std::vector<const FieldDef*> DatasetDef::tableFields() const
{
    std::vector<const FieldDef*> own;
    for (const FieldDef& field : fields)
        if (!field.joined && !field.calculated)
            own.push_back(&field);
    return own;
}

const std::vector<DatasetDef>& datasetDefs()
{
    static const std::vector<DatasetDef> defs = buildDefs();
    return defs;
}

const DatasetDef& datasetDef(const QString& dataset)
{
    for (const DatasetDef& def : datasetDefs())
        if (def.dataset.compare(dataset, Qt::CaseInsensitive) == 0)
            return def;
    throw std::logic_error("unknown contract dataset: " + dataset.toStdString());
}

namespace {

QString keyCondition(const DatasetDef& def)
{
    QStringList parts;
    for (const QString& column : def.key)
        parts << column + " = :OLD_" + column;
    return "where " + parts.join(" and ");
}

}  // namespace

const host::data::Field* CampoLivreContrato(const host::data::Dataset& cadastro, int indice)
{
    if (indice < 0 || indice >= int(cadastro.fields().size()))
        return nullptr;
    const host::data::Field* campo = cadastro.fields()[size_t(indice)];
    for (const FieldDef* def : datasetDef("quCtrCadastro").tableFields())
        if (def->name.compare(campo->fieldName(), Qt::CaseInsensitive) == 0)
            return campo;
    return nullptr;
}

QString insertSql(const DatasetDef& def)
{
    QStringList columns, values;
    for (const FieldDef* field : def.tableFields()) {
        columns << field->name;
        values << ":" + field->name;
    }
    return QString("insert into %1\n  (%2)\nvalues\n  (%3)").arg(def.table, columns.join(", "), values.join(", "));
}

QString modifySql(const DatasetDef& def)
{
    QStringList sets;
    for (const FieldDef* field : def.tableFields())
        sets << field->name + " = :" + field->name;
    return QString("update %1\nset\n  %2\n%3").arg(def.table, sets.join(",\n  "), keyCondition(def));
}

QString deleteSql(const DatasetDef& def)
{
    return QString("delete from %1\n%2").arg(def.table, keyCondition(def));
}

}  // namespace uDataTecCont
