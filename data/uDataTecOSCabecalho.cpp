// The header row of a service order while it is filled in: the defaults of
// a new order, the customer's validation and the data it brings, the
// salesman's name, the exit date that a priority gives, and the history of
// the last orders of the same plate.

#include "data/uDataTec.h"

#include "host/ClienteCadastrado.h"
#include "host/PilvCpr70.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

#include <QHash>

using host::data::Dataset;
using host::data::DatasetState;
using namespace Qt::StringLiterals;

namespace {

// The first situation of the register, in table order, that meets the condition.
QString primeiraSituacao(const QString& condicao)
{
    return CarregaDado(u"first 1 ASCODIGO"_s, u"AATC01AS"_s, condicao);
}

QString classificacaoCliente(const QString& tipo)
{
    static const QHash<QString, QString> textos = {
        {"1", "Bom Pagador"},     {"2", "Observar Cliente"},  {"4", "Cliente Sem Classificação"},
        {"5", "Cliente Inativo"}, {"6", "Cliente no SPC"},    {"7", "Cliente no Serasa"},
        {"8", "Prospecto"},       {"C", "Contrato"},          {"E", "Especial"},
        {"N", "Novo"},            {"V", "Especial/Contrato"}, {"X", "Extinto"},
        {"Z", "Fornecedor"},
    };
    return textos.value(tipo);
}

}  // namespace

void TdmTec::quOSNewRecord(Dataset& DataSet)
{
    ZerarFloatField(*quOS);
    quOSAOLOCAL->setAsString(parametro("ATLOCALPADRAO"));
    // One reading of the clock: the day and the hour of the same moment.
    const host::AgoraLocal agora = host::agoraLocal();
    quOSAODATAENTRADA->setValue(agora.dia);
    quOSAOHORAENTRADA->setValue(agora.hora);
    quOSAOPRIORIDADE->setAsString("A");
    quOSAOATENDIMENTO->setAsString("I");
    quOSAOBAIXA->setAsString("A");
    quOSAOIMPRIMIRLAUDO->setAsString("S");
    const QString modoEmpresa = parametro("ATMODOEMPRESA");
    if (modoEmpresa != "O" && modoEmpresa != "B")
        quOSAOOBSERVACAO->setAsString(
            CarregaDado(u"First 1 aoObservacao"_s, u"aatc01ao"_s, u"Order by aoCodigo Desc "_s));
    quOSASCODIGO->setAsString(primeiraSituacao(u"where (ASID is null or ASID = 'A') and ASTIPO = 'I'"_s));
    quOSAOREMANUFATURA->setAsString("A");
    if (parametro("ATREMANUFATURA") == "S")
        PerguntarTipoOrdem();
    const QString clientePadrao = parametroAparado("ATCLIENTEPADRAOOS");
    if (!clientePadrao.isEmpty())
        quOSCLCODIGO->setAsString(clientePadrao);
    sAuxiliarGeral.clear();
    if (parametro("ATMODOOS") == "A" &&
        SelecionaPlaca("Placa", "Informe a placa para abertura de Ordem de Serviço")) {
        quOSAOVALIDADEORCAMENTO->setValue(QDate::currentDate().addDays(30));
        NovaOSEquipamentoPreExistente("O", sAuxiliarGeral, true);
    }
    if (!AtendenteDoUsuario())
        return;
    ZelDevVerificarEvento(&DataSet, u"ONNEWRECORD"_s);
}

// Remanufacture installations: the user says what the order is for; the
// kind chooses the initial situation and the situations offered.
void TdmTec::PerguntarTipoOrdem()
{
    quOSAODATASAIDA->setValue(QDate::currentDate().addDays(1));
    const QString escolha = MostraPergunta("A ordem de serviço se refere à remanufatura ou assistência",
                                           {"Remanufatura", "Assistência", "Compra"});
    // Closing the question without a choice keeps the assistance order.
    if (!escolha.isEmpty())
        quOSAOREMANUFATURA->setAsString(escolha.left(1));
    const QString tipo = quOSAOREMANUFATURA->asString();
    if (tipo == "R")
        quOSASCODIGO->setAsString(primeiraSituacao("where ASTIPO = 'R'"));
    else if (tipo == "C")
        quOSASCODIGO->setAsString(primeiraSituacao("where ASTIPO = 'C'"));
    OSFiltrarSituacao(tipo);
}

// Technician control: a new order is attended by the technician logged in.
// A user who is no technician may not open one: the new row is dropped
// (the append then ends silently) and nothing else runs.
bool TdmTec::AtendenteDoUsuario()
{
    const QString controle = parametro("ATCONTROLEOS");
    if ((controle != "S" && controle != "C" && controle != "P") || UsuarioMestre() ||
        !quOSAOATENDENTE->asString().isEmpty())
        return true;
    const QString nome = CarregaDado("ATNOME", "AATC06AT", "where upper(ATNOME) = " + QuotedStr(IbUserName().toUpper()));
    if (nome.isEmpty()) {
        dmGlobal->MostraAviso("Usuário conectado não está cadastrado como Técnico.", false);
        CancelarAlteracoes(*quOS);
        return false;
    }
    quOSAOATENDENTE->setAsString(nome);
    return true;
}

void TdmTec::quOSCLCODIGOValidate(host::data::Field& Sender)
{
    const QString cliente = Sender.asString();
    const QString tipo = host::TipoClienteExigido(Sender, "Cliente");
    if (tipo == "3")
        dmGlobal->MostraAviso("Cliente Bloqueado. Verifique no cadastro de clientes. ", true);
    const QString classificacao = classificacaoCliente(tipo);
    if (parametro("ATMOSTRATIPOCLIENTE") == "L" && !classificacao.isEmpty())
        dmGlobal->MostraAviso("Tipo/Classificação: \r" + classificacao, false);
    const QString bloqueio = parametro("ATBLOQUEIOATRASO");
    if (bloqueio == "S" || bloqueio == "A")
        dmGlobal->PVVerificaBloqueioAtraso(cliente, true);
}

void TdmTec::quOSCLCODIGOChange(host::data::Field& Sender)
{
    const QString cliente = Sender.asString();
    if (cliente.isEmpty())
        return;
    host::data::Query* query = &ConsultaPropria(u"quClienteOS"_s);
    query->setSql(u"select Cli.CGC_CNPJ, Cli.NUMERO_IDENTIDADE, Cli.TELEFONE1, Cli.CLIE, Cli.CLDESCONTO,"
                  " Cli.INSCRICAO_MUNICIPAL, Cli.ENDERECO, Cli.CIDADE, Cli.CEP, Cli.BAIRRO, Cli.ESTADO,"
                  " Cli.PESSOA_FISICAOUJURIDICA, Cli.DATA_NASCIMENTO, Cli.CONTATO, Cli.TABELA_VENCIMENTO, Cli.NOME,"
                  " Cli.EMAIL, Cli.NATUREZA_OPERACAO, Cli.OBSERVACAO, Cli.CODIGO_REPRESENTACAO, Cli.LIMITE_CREDITO,"
                  " Ram.RACOR, Cli.ORCTCODIGO"
                  " from AUGC0301 Cli left outer join RAMO Ram on (Ram.COD_RAMO = Cli.RAMO)"
                  " where Cli.CODIGO_CLIENTE = :cliente"_s);
    query->paramByName(u"cliente"_s)->setAsString(cliente);
    query->open();
    CopiarDadosCliente(*query);
    const QString observacao = query->fieldByName(u"OBSERVACAO"_s)->asString().trimmed();
    query->close();

    const QString bloqueio = parametro("ATBLOQUEIOATRASO");
    if (bloqueio == "O" || bloqueio == "A")
        dmGlobal->PVVerificaBloqueioAtraso(cliente, true);
    if (parametro("ATMOSTRAOBSCLIENTE") == "S" && !observacao.isEmpty())
        dmGlobal->MostraAviso("Observações do Cliente:\r" + observacao, false);

    query = &ConsultaPropria(u"quClienteContratoOS"_s);
    query->setSql(u"select Con.ACPRIORIDADE, Con.ACATENDIMENTO, Cli.CONTATO from AATC05AC Con"
                  " left outer join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = Con.CLCODIGO)"
                  " where Con.CLCODIGO = :cliente"_s);
    query->paramByName(u"cliente"_s)->setAsString(cliente);
    query->open();
    if (!query->isEmpty()) {
        const QString prioridade = query->fieldByName(u"ACPRIORIDADE"_s)->asString();
        const QString atendimento = query->fieldByName(u"ACATENDIMENTO"_s)->asString();
        const QString contato = query->fieldByName(u"CONTATO"_s)->asString();
        if (!prioridade.isEmpty())
            quOSAOPRIORIDADE->setAsString(prioridade);
        if (!atendimento.isEmpty())
            quOSAOATENDIMENTO->setAsString(atendimento);
        if (!contato.isEmpty())
            quOSAOCONTATO->setAsString(contato);
    }
    query->close();
}

// The customer's data shown with the order before it is saved and read again.
void TdmTec::CopiarDadosCliente(const Dataset& cliente)
{
    // Column names as literals: no text is built to look a column up.
    auto texto = [&cliente](const QString& coluna) { return cliente.fieldByName(coluna)->asString(); };
    quOSCGC_CNPJ->setAsString(texto(u"CGC_CNPJ"_s));
    quOSCLDESCONTO->setAsFloat(cliente.fieldByName(u"CLDESCONTO"_s)->asFloat());
    quOSLIMITE_CREDITO->setAsFloat(cliente.fieldByName(u"LIMITE_CREDITO"_s)->asFloat());
    quOSRACOR->setAsString(texto(u"RACOR"_s));
    quOSPESSOA_FISICAOUJURIDICA->setAsString(texto(u"PESSOA_FISICAOUJURIDICA"_s));
    quOSCLIENTE->setAsString(texto(u"NOME"_s));
    quOSEMAIL->setAsString(texto(u"EMAIL"_s));
    quOSTELEFONE1->setAsString(texto(u"TELEFONE1"_s));
    quOSCLIE->setAsString(texto(u"CLIE"_s));
    quOSINSCRICAO_MUNICIPAL->setAsString(texto(u"INSCRICAO_MUNICIPAL"_s));
    quOSENDERECO->setAsString(texto(u"ENDERECO"_s));
    quOSCIDADE->setAsString(texto(u"CIDADE"_s));
    quOSCEP->setAsString(texto(u"CEP"_s));
    quOSBAIRRO->setAsString(texto(u"BAIRRO"_s));
    quOSESTADO->setAsString(texto(u"ESTADO"_s));
    quOSAOCONTATO->setAsString(texto(u"CONTATO"_s));
    quOSOBSCLI->setAsString(texto(u"OBSERVACAO"_s));
    quOSORCTCODIGO->setAsInteger(cliente.fieldByName(u"ORCTCODIGO"_s)->asInteger());
    if (const QString tabela = texto(u"TABELA_VENCIMENTO"_s); !tabela.trimmed().isEmpty())
        quOSTVCODIGO->setAsString(tabela);
    if (const QString natureza = texto(u"NATUREZA_OPERACAO"_s); !natureza.trimmed().isEmpty())
        quOSOFCODIGO->setAsString(natureza);
    if (const QString vendedor = texto(u"CODIGO_REPRESENTACAO"_s); !vendedor.trimmed().isEmpty())
        quOSFOCODIGOVENDEDOR->setAsString(vendedor);
}

void TdmTec::quOSFOCODIGOVENDEDORChange(host::data::Field& Sender)
{
    const QString vendedor = Sender.asString();
    if (vendedor.isEmpty())
        quOSNOMEVENDEDOR->clear();
    else
        quOSNOMEVENDEDOR->setAsString(CarregaDado("fnome", "augc0501", "where fCod = " + QuotedStr(vendedor)));
}

// The hours of a priority set the exit date: whole days only, at the entry time.
void TdmTec::quOSAOPRIORIDADEChange(host::data::Field& Sender)
{
    const QString prioridade = Sender.asString();
    const struct {
        const char* parametro;
        const char* prioridade;
    } regras[] = {{"ATHORASPRIORIDADEMEDIA", "M"}, {"ATHORASPRIORIDADEBAIXA", "B"}, {"ATHORASPRIORIDADEALTA", "A"}};
    for (const auto& regra : regras) {
        const int horas = dmGlobal->ParametroInteiro(QString::fromLatin1(regra.parametro));
        if (horas > 0 && prioridade == QLatin1String(regra.prioridade)) {
            const QDateTime entrada = quOSAODATAENTRADA->asDateTime();
            quOSAODATASAIDA->setValue(entrada.addDays(horas / 24));
            quOSAOHORASAIDA->setValue(quOSAOHORAENTRADA->value());
            return;
        }
    }
}

void TdmTec::InserirHistoricoUltimasOrdensServico(const QString& ordem, const QString& /*cliente*/,
                                                   const QString& placa)
{
    if (!quOS->editing())
        return;
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    try {
        auxiliar.close();
        auxiliar.setSql("select first 3 ao.AOCODIGO, ao.AODATAENTRADA, ao.AOCAUSA from AATC01AO ao"
                        " left outer join AATC01AOIT it on (it.AOCODIGO = ao.AOCODIGO)"
                        " where ao.AOCODIGO <> :ORDEM and it.AOITPLACA = :PLACA"
                        " order by ao.AODATAENTRADA desc");
        // By parameter: one prepared statement serves every order saved.
        auxiliar.paramByName("ORDEM")->setValue(ordem.trimmed().toInt());
        auxiliar.paramByName("PLACA")->setValue(placa.trimmed());
        auxiliar.open();
        QString historico;
        for (auxiliar.first(); !auxiliar.eof(); auxiliar.next()) {
            const QString causa = auxiliar.fieldByName("AOCAUSA")->asString().trimmed();
            historico += "OS: " + auxiliar.fieldByName("AOCODIGO")->asString().trimmed() + " " +
                         auxiliar.fieldByName("AODATAENTRADA")->asDateTime().toString("dd/MM/yy") +
                         (causa.isEmpty() ? QString(" - Solução: não informado. ") : " - Solução: " + causa);
        }
        if (!historico.isEmpty())
            quOSAOHISTORICO->setAsString(historico);
    } catch (...) {
        // The history is a courtesy: the save goes on without it.
    }
    auxiliar.close();
}
