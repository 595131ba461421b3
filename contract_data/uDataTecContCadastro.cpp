// The rules of the contract header (quCtrCadastro): a new contract's key and
// defaults, the checks and recomputations of a post, what a deletion takes
// with it, and what follows a scroll.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContParcelas.h"
#include "data/uDataTecNumeroContrato.h"
#include "data/uDataTecOSAutomatica.h"

#include "host/ClienteCadastrado.h"
#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/PilvTra70.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QList>
#include <QStringList>

#include <cmath>

using host::data::fieldText;

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

const QStringList kBotoesSimNao{"Sim", "Não"};
const char* const kOrigemCadastro = "[quCtrCadastroBeforePost]";

void passo(const QString& texto)
{
    dmGlobal->Log(kOrigemCadastro, texto);
}

bool modoVeiculos()
{
    const QString situacaoPorItem = parametroMaiusculo("ATSITUACAOPORITEM");
    return situacaoPorItem == "S" || situacaoPorItem == "I";
}

// The units of the contract's vehicle lines, just ended, read free again
// where no other line has them out.
void liberaVeiculosDoContrato(int contrato)
{
    QList<int> unidades;
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           "select distinct EVCODIGO from AATC05ACEV where ACCODIGO = :ACCODIGO and EVCODIGO > 0");
    st.setParam("ACCODIGO", contrato);
    st.execute();
    while (st.fetch())
        unidades << st.value(0).toInt();
    for (int unidade : unidades)
        AtualizaStatusVeiculo(unidade);
}

// A new contract, or one given another number, takes a number no other has.
void exigeNumeroDoCabecalhoLivre(Dataset& dataset, bool inserindo)
{
    const Field* campo = dataset.fieldByName("ACNUMEROCONTRATO");
    if (inserindo || campo->asString().trimmed() != campo->oldValue().toString().trimmed())
        ::ExigeNumeroContratoLivre(campo->asString(), dataset.fieldByName("ACCODIGO")->asInteger());
}

}  // namespace

void TdmTecContrato::ligarEventosCadastro()
{
    Dataset& cabecalho = *quCtrCadastro;
    cabecalho.onNewRecord = [this](Dataset& d) { quCtrCadastroNewRecord(d); };
    cabecalho.beforePost = [this](Dataset& d) { quCtrCadastroBeforePost(d); };
    cabecalho.afterPost = [this](Dataset& d) { quCtrCadastroAfterPost(d); };
    cabecalho.onPostError = [this](Dataset&) { spCabecalho_.reset(); };
    cabecalho.beforeDelete = [this](Dataset& d) { quCtrCadastroBeforeDelete(d); };
    cabecalho.afterDelete = [this](Dataset& d) { quCtrCadastroAfterDelete(d); };
    cabecalho.onDeleteError = [this](Dataset&) { spExclusaoCabecalho_.reset(); };
    cabecalho.afterScroll = [this](Dataset& d) { quCtrCadastroAfterScroll(d); };
    cabecalho.afterCancel = [this](Dataset& d) { quCtrCadastroAfterCancel(d); };
    cabecalho.onCalcFields = [this](Dataset& d) { quCtrCadastroCalcFields(d); };

    auto campo = [&cabecalho](const char* nome) { return cabecalho.fieldByName(nome); };
    // Refuses a customer not registered with the same read that takes its type.
    campo("CLCODIGO")->onValidate = [this](Field& f) { quCtrCadastroCLCODIGOValidate(f); };
    campo("CLCODIGO")->onChange = [this](Field& f) { quCtrCadastroCLCODIGOChange(f); };
    campo("ACLOCAL")->onChange = [this](Field& f) { quCtrCadastroACLOCALChange(f); };
    campo("BCCODIGO")->onChange = [this](Field& f) { quCtrCadastroBCCODIGOChange(f); };
    campo("ACCONTRATANTE")->onChange = [this](Field& f) { quCtrCadastroACCONTRATANTEChange(f); };
    campo("ACCONTRETIRADA")->onChange = [this](Field& f) { quCtrCadastroACCONTRETIRADAChange(f); };
    campo("ACCONTENTREGA")->onChange = [this](Field& f) { quCtrCadastroACCONTENTREGAChange(f); };
    campo("ACCONTCOBRANCA")->onChange = [this](Field& f) { quCtrCadastroACCONTCOBRANCAChange(f); };
    campo("ACCONTENTCONTRATO")->onChange = [this](Field& f) { quCtrCadastroACCONTENTCONTRATOChange(f); };
    campo("ACVINCULO")->onChange = [this](Field& f) { quCtrCadastroACVINCULOChange(f); };
    campo("ACCODIGOINTEGRACAO")->onValidate = [](Field& f) { ValidaPeriodicidadeOS(f); };
    host::ExigeClienteCadastrado(*campo("ACCONTRATANTE"), "Contratante");
}

// ---- new record ----

namespace {

// Under option "E" the contract's value is the instalment, whatever the letter.
bool valorDividido(Dataset& dataset)
{
    return fieldText(dataset, "ACVALORFIXO").trimmed().toUpper() == "D" &&
           parametroMaiusculo("ATOPCAOCONTRATO") != "E";
}

}  // namespace

double TdmTecContrato::CtrValorParcelaPelaRegra(double valor)
{
    // A divided value keeps the whole: the instalments are cut from it, so a
    // value already cut would be cut again at every save.
    if (fieldText(*quCtrCadastro, "ACVALORFIXO").trimmed().toUpper() == "S" || valorDividido(*quCtrCadastro))
        return valor;
    return Trunc2Casas(RetornaValorParcelaContrato(quCtrCadastroACCODIGO->asInteger(), hoje(), true));
}

void TdmTecContrato::CtrGuardaValorDividido(Dataset& dataset)
{
    Field* parcela = dataset.fieldByName("ACVALORPARCELA");
    Field* valor = dataset.fieldByName("ACVALOR");
    if (parcela->asFloat() == parcela->oldValue().toDouble())
        parcela->setAsFloat(uDataTecContParcelas::ValorInteiroDividido(parcela->asFloat(), valor->asFloat()));
    valor->setAsFloat(parcela->asFloat());
}

double TdmTecContrato::CtrValorUmaParcela(Dataset& dataset)
{
    if (!valorDividido(dataset))
        return dataset.fieldByName("ACVALORPARCELA")->asFloat();
    uDataTecContParcelas::DadosValor dados;
    dados.valorFixo = "D";
    dados.periodo = fieldText(dataset, "ACPERIODO");
    dados.valorParcela = dataset.fieldByName("ACVALORPARCELA")->asFloat();
    dados.quantidadeParcela = int(std::trunc(dataset.fieldByName("ACQUANTIDADEPARCELA")->asFloat()));
    return Trunc2Casas(uDataTecContParcelas::ValorParcela(dados, hoje().date(), true));
}

void TdmTecContrato::quCtrCadastroNewRecord(Dataset& dataset)
{
    {
        // Zeroing the due day must not run its rules (they would refuse day 0).
        host::data::DetachHandler vencimento(dataset.fieldByName("ACVENCIMENTO")->onChange);
        host::data::DetachHandler diaValido(dataset.fieldByName("ACVENCIMENTO")->onValidate);
        ZerarNumericField(dataset);
    }
    // Drawn from the generator: two stations adding contracts at once get two keys.
    dataset.fieldByName("ACCODIGO")->setAsInteger(
        ProximaChave(host::schema::kGeneratorContract, "ACCODIGO", "AATC05AC"));
    auto define = [&dataset](const char* nome, const QString& valor) { dataset.fieldByName(nome)->setAsString(valor); };
    define("ACSEPARASERVICO", "N");
    define("ACVALORFIXO", "N");
    dataset.fieldByName("ACVENCIMENTO")->setAsInteger(1);
    define("ACTIPO", "I");
    define("ACMODALIDADE", "A");
    define("ACNATUREZA", "A");
    define("ACPERIODO", "A");
    define("ACSITUACAO", parametroMaiusculo("ATMODOPEDIDOASSISTENCIA") == "C" ? "2" : "A");
    define("ACTIPOPAGAMENTO", "2");
    define("ACPORTADORPREVISAO", "P");
    define("ACJUROAPLICAR", "P");
    define("ACINDICEREAJUSTE", "S");
    define("ACRENOVACAO", "N");
    define("ACJUROAPLICARPARCELA", "N");
    define("ACLOCAL", dmGlobal->Parametro("ATLOCALPADRAO"));
    {
        // A contract stands on its own until it is made a complement: the
        // billing of rental contracts lists principal ones only. Its links
        // are loaded by the scroll that follows the new row.
        host::data::DetachHandler vinculo(dataset.fieldByName("ACVINCULO")->onChange);
        define("ACVINCULO", "P");
    }
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

// ---- parties and types ----

QStringList TdmTecContrato::TiposContrato()
{
    // The registered types, and a type a contract came with from elsewhere
    // (an order made into a contract): each can be chosen again.
    auto query = CriarIbQuery();
    query->setSql("select trim(TPDESCRICAO) from AATC05ACTP union"
                  " select trim(ACTIPODESC) from AATC05AC where trim(coalesce(ACTIPODESC, '')) <> '' order by 1");
    QStringList tipos;
    for (query->open(); !query->eof(); query->next())
        tipos << query->field(0)->asString();
    return tipos;
}

void TdmTecContrato::RegistraTipoContrato(const QString& tipo)
{
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update or insert into AATC05ACTP (TPDESCRICAO) values (:TIPO) matching (TPDESCRICAO)",
                         QVariantMap{{"TIPO", tipo}});
}

void TdmTecContrato::ValidaPeriodicidadeOS(Field& campo)
{
    // Read as the periodic orders' run reads it: a whole number of days first.
    const QString texto = campo.asString().trimmed();
    if (texto.isEmpty())
        return;
    const int dias = uDataTecOSAutomatica::PeriodicidadeContrato(texto);
    if (dias <= 0 || dias >= 999999) {
        const QString mostrado = host::data::shownCaption(campo);
        dmGlobal->MostraAviso((mostrado.isEmpty() ? QString("Periodicidade da OS") : mostrado) + ": \"" + texto +
                                  "\" não é um número de dias entre as ordens de serviço (ex.: 30).",
                              true);
    }
}

void TdmTecContrato::ExigePartesCadastradas(Dataset& dataset)
{
    // The receivables and the orders are written to the billing customer:
    // a contract without one (a refused code leaves the box empty) is not
    // stored. The billing customer contracts unless another party was given.
    // A stored contract is checked again only where a party changed.
    const bool inserindo = dataset.state() == DatasetState::Insert;
    Field& contratante = *dataset.fieldByName("ACCONTRATANTE");
    const QString cobranca = fieldText(dataset, "CLCODIGO").trimmed();
    if (inserindo && contratante.asString().trimmed().isEmpty() && !cobranca.isEmpty())
        contratante.setAsString(cobranca);
    for (const char* nome : {"CLCODIGO", "ACCONTRATANTE"}) {
        Field& campo = *dataset.fieldByName(nome);
        const QString codigo = campo.asString().trimmed();
        const bool jaVisto = QLatin1String(nome) == "ACCONTRATANTE" && codigo == cobranca;
        if (jaVisto || (!inserindo && codigo == campo.oldValue().toString().trimmed()))
            continue;
        const QString mostrado = host::data::shownCaption(campo);
        const QString rotulo = !mostrado.isEmpty()                 ? mostrado
                               : QLatin1String(nome) == "CLCODIGO" ? QString("Cliente")
                                                                   : QString("Contratante");
        if (codigo.isEmpty())
            dmGlobal->MostraAviso("Campo obrigatório não informado: " + rotulo, true);
        if (!host::ClienteCadastrado(codigo))
            dmGlobal->MostraAviso(rotulo + ": código " + codigo + " não cadastrado.", true);
    }
}

// ---- before post ----

void TdmTecContrato::quCtrCadastroBeforePost(Dataset& dataset)
{
    // Every write of the steps below waits for the row: a later refusal or a
    // failed write takes them back (the guard's destructor, or onPostError).
    auto savepoint = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    avisoCancelamento_.reset();
    const bool inserindo = dataset.state() == DatasetState::Insert;
    const int contrato = dataset.fieldByName("ACCODIGO")->asInteger();
    const QString chave = "where accodigo = " + QString::number(contrato);

    // Steps 1, 2 and 4: rental and vehicle lines, counted once.
    int linhas = 0;
    int ativas = 0;
    if (modoVeiculos()) {
        auto query = CriarIbQuery();
        query->setSql("select count(*), sum(case when acevSituacao = 'A' then 1 else 0 end) from Aatc05acev " + chave);
        query->open();
        linhas = query->field(0)->asInteger();
        ativas = query->field(1)->asInteger();
        passo("1 veículos");
        Field* validade = dataset.fieldByName("ACDATAVALIDADE");
        if (!validade->isNull() && QDate::currentDate() >= validade->asDateTime().date() && ativas > 0 &&
            MostraPergunta("Deseja inativar todos veículos desse Contrato?", kBotoesSimNao) == "Sim") {
            Update2Campos("Aatc05acev", "acevSituacao", "'I'", "acevDataFim", DateToSQL(validade->asDateTime()),
                          chave);
            liberaVeiculosDoContrato(contrato);
            ativas = 0;
        }
        passo("2 sem veículos");
        if (!inserindo && linhas == 0 &&
            MostraPergunta("O contrato não possui veículos, deseja encerrá-lo?", kBotoesSimNao) == "Sim")
            dataset.fieldByName("ACSITUACAO")->setAsString("E");
    }
    passo("3 cancelamento");
    CtrVerificaCancelamentoCR();
    if (modoVeiculos()) {
        passo("4 sem veículos ativos");
        if (!inserindo && ativas == 0 &&
            MostraPergunta("O contrato não possui veículos ativos, deseja encerrá-lo?", kBotoesSimNao) == "Sim")
            dataset.fieldByName("ACSITUACAO")->setAsString("E");
    }

    passo("5 datas");
    Field* validade = dataset.fieldByName("ACDATAVALIDADE");
    if (!validade->isNull() &&
        validade->asDateTime().date() < dataset.fieldByName("ACDATAIMPLANTACAO")->asDateTime().date())
        dmGlobal->MostraAviso("Data inicial do contrato deve ser menor que a data de término.", true);

    passo("6 local");
    if (fieldText(dataset, "ACLOCAL").trimmed().isEmpty())
        dataset.fieldByName("ACLOCAL")->setAsString(dmGlobal->Parametro("ATLOCALPADRAO"));

    passo("7 valor da parcela");
    if (valorDividido(dataset))
        CtrGuardaValorDividido(dataset);
    else
        dataset.fieldByName("ACVALORPARCELA")
            ->setAsFloat(CtrValorParcelaPelaRegra(dataset.fieldByName("ACVALORPARCELA")->asFloat()));

    passo("8 valor líquido");
    dataset.fieldByName("ACVALORPARCELALIQUIDO")
        ->setAsFloat(VerificaValorISSQNContrato(CtrValorUmaParcela(dataset), fieldText(dataset, "OFCODIGO")));

    passo("9 serviços e peças");
    {
        // Kept prepared: a run over many contracts saves each of them.
        host::db::Statement& soma = dmGlobal->ComandoPreparado(
            "select sum(case when prod.com_fab_s_fs = '7' then it.acitvalor else 0 end),"
            " sum(case when coalesce(prod.com_fab_s_fs, '') <> '7' then it.acitvalor else 0 end)"
            " from aatc05acit it left join Acec1101 prod on prod.codigo = it.prcodigo"
            " where it.accodigo = :CONTRATO");
        soma.setParam("CONTRATO", contrato);
        soma.execute();
        const bool lida = soma.fetch();
        dataset.fieldByName("ACVALORSERVICO")->setAsFloat(lida ? soma.value(0).toDouble() : 0);
        dataset.fieldByName("ACVALORPECA")->setAsFloat(lida ? soma.value(1).toDouble() : 0);
        if (lida)
            soma.closeCursor();
    }

    passo("10 campos obrigatórios");
    AvisaCamposObrigatorio(dataset, true);
    ExigePartesCadastradas(dataset);
    ExigeContatosDoContratante(dataset);

    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E") {
        passo("11 tipo e número");
        if (dmGlobal->ParametroNumero("ATMODOCOMPOSICAO") != 9) {
            // No type at all is no new type: a new contract is asked to choose
            // one of the register's list; one stored without a type keeps saving.
            const QString tipo = fieldText(dataset, "ACTIPODESC").trimmed();
            if (tipo.isEmpty() && inserindo)
                dmGlobal->MostraAviso("Aviso: operação abortada.\rInforme o Tipo do Contrato.", true);
            if (!tipo.isEmpty() && !TiposContrato().contains(tipo)) {
                if (IbUserName() != "KORVAN")
                    dmGlobal->MostraAviso("Aviso: operação abortada.\rCadastro de Novos Tipos de Contrato só é "
                                          "permitido pelo usuário KORVAN!",
                                          true);
                // The administrator's new type stays a type with the contract's save.
                RegistraTipoContrato(tipo);
            }
        }
    }
    exigeNumeroDoCabecalhoLivre(dataset, inserindo);

    passo("12 motivo");
    if (!inserindo && iRegravacaoPrograma_ == 0 && !UsuarioMestre()) {
        QString motivo;
        const QString rotulo = "[Geral] Motivo: ";
        // The box takes what the column holds after the label: nothing typed is cut unseen.
        if (!Seleciona1Texto("Pilvora 3", "Informe o motivo para a alteração do contrato:", motivo,
                             quCtrContato->fieldByName("RESUMIDA")->size() - int(rotulo.size())) ||
            motivo.trimmed().isEmpty())
            host::abortOperation();
        if (!quCtrContato->active())
            CarregaContratoContato(contrato, "C", fieldText(dataset, "CLCODIGO"));
        quCtrContato->append();
        quCtrContato->fieldByName("RESUMIDA")->setAsString(rotulo + motivo);
        quCtrContato->fieldByName("CTUSUARIO")->setAsString(IbUserName());
        quCtrContato->post();
        quCtrContato->close();
    }

    AplicaVencimentoPendente();
    spCabecalho_ = std::move(savepoint);
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
}

// ---- after post ----

void TdmTecContrato::quCtrCadastroAfterPost(Dataset& dataset)
{
    if (spCabecalho_) {
        spCabecalho_->release();
        spCabecalho_.reset();
    }
    dmGlobal->IBTransaction1->commitRetaining();
    if (avisoCancelamento_) {
        const QString aviso = *avisoCancelamento_;
        avisoCancelamento_.reset();
        dmGlobal->MostraAviso(aviso, false);
    }
    AplicaExclusaoPrevisoesPendente();
    EsquecerCalculados();
    dataset.refresh();
    ZelDevVerificarEvento(&dataset, "AFTERPOST");
    // A changed instalment value rewrites the forecasts (never for delivered items).
    if (dataset.tag() == 9 && parametroMaiusculo("ATOPCAOCONTRATO") != "T") {
        dataset.setTag(0);
        ReajustarValorContratoCorrente(dataset.fieldByName("ACVALORPARCELA")->asFloat());
    }
}

void TdmTecContrato::RegravarContratoCorrente()
{
    RegravarContratoCorrente({});
}

void TdmTecContrato::RegravarContratoCorrente(const std::function<void()>& alterar)
{
    struct Programa {
        int& contador;
        explicit Programa(int& c) : contador(c) { ++contador; }
        ~Programa() { --contador; }
    } programa(iRegravacaoPrograma_);
    if (!quCtrCadastro->editing())
        quCtrCadastro->edit();
    if (alterar)
        alterar();
    quCtrCadastro->post();
}

void TdmTecContrato::RelerTotaisContratoCorrente()
{
    if (quCtrCadastro->state() == DatasetState::Browse)
        quCtrCadastro->edit();
    QStringList totais;
    for (const char* coluna :
         {"ACVALOR", "ACVALORSERVICO", "ACVALORPECA", "ACVALORPARCELA", "ACVALORPARCELALIQUIDO"}) {
        const Field* campo = quCtrCadastro->fieldByName(coluna);
        if (campo->value() == campo->oldValue())
            totais << coluna;
    }
    // No list at all would take every column over.
    if (!totais.isEmpty())
        quCtrCadastro->rereadKeepingTyping(totais);
}

// ---- delete ----

void TdmTecContrato::quCtrCadastroBeforeDelete(Dataset& dataset)
{
    const int contrato = dataset.fieldByName("ACCODIGO")->asInteger();
    spExclusaoCabecalho_ = PrepararExclusaoContrato(contrato, fieldText(dataset, "ACPEDIDO"));
    ZelDevVerificarEvento(&dataset, "BEFOREDELETE");
    sCodigoExcluido = QString::number(contrato);
}

std::unique_ptr<host::db::Savepoint> TdmTecContrato::PrepararExclusaoContrato(int contrato, const QString& pedido)
{
    if (!VerificaValidadeSenha(dmGlobal->Parametro("ATSENHAEXCLUSAO"), "Senha de Exclusão de Contrato"))
        host::abortOperation();
    const QString codigo = QString::number(contrato);
    if (ContadorDados("aoCodigo", "acrc5001", codigo,
                      " and (situacao_documento <> 'V' or situacao_documento is null)", true) > 0)
        dmGlobal->MostraErro("Contrato possui parcelas faturadas!");

    // Everything below is undone when the row itself cannot be deleted.
    auto savepoint = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    const QString chave = "where accodigo = " + codigo;
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E" && !pedido.trimmed().isEmpty()) {
        UpdateCampo("AVEC8501", "IMPRESSO_NF", "'N'", "where VECONTRATO = " + QuotedStr(codigo));
        UpdateCampo("AVEC8501", "VECONTRATO", "''", "where VECONTRATO = " + QuotedStr(codigo));
    }
    // The pieces' movements go under every mode: the lines that typed
    // serials wrote them too, and one left would name a contract no longer
    // there, keeping its product from ever being deleted.
    ExcluirRegistroNumerosSerieProduto(" where ACCODIGO = " + codigo);
    // Only forecasts are left here; their cash rows and texts go with them.
    dmGlobal->ExcluirParcelasReceber("aocodigo = " + codigo);
    DeletaRegistros("AATC05ACCL", chave);
    if (parametroMaiusculo("ATMODOVEICULO") == "O") {
        // Each line's after-delete commits; held back (and dropped: the
        // header's after-delete commits the whole) so that the savepoint
        // above still undoes them when the header is not deleted.
        host::db::CommitHold semCommit(*dmGlobal->IBTransaction1);
        CarregaContratoVeiculo(contrato, false);
        while (!quCtrVeiculo->isEmpty())
            quCtrVeiculo->remove();
    }
    DeletaRegistros("AATC05ACEV", chave);
    const QString opcao = parametroMaiusculo("ATOPCAOCONTRATO");
    if (opcao == "M" || opcao == "2" || opcao == "E" || opcao == "V") {
        // The readings go with their items: none is left naming an item no longer there.
        DeletaRegistros("AATC05ACITCO", "where ACITCODIGO in (select ACITCODIGO from AATC05ACIT " + chave + ")");
        DeletaRegistros("AATC05ACIT", chave);
    } else {
        UpdateCampo("AATC05ACIT", "acCodigo", "0", chave);
    }
    return savepoint;
}

void TdmTecContrato::quCtrCadastroAfterDelete(Dataset& dataset)
{
    if (spExclusaoCabecalho_) {
        spExclusaoCabecalho_->release();
        spExclusaoCabecalho_.reset();
    }
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Deletou Contrato da Assistência Técnica", "Número " + sCodigoExcluido,
                       "AATC05AC", hoje(), agora);
    ZelDevVerificarEvento(&dataset, "AFTERDELETE");
    dataset.setTag(0);
    ConcluirExclusaoContrato(sCodigoExcluido.toInt());
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTecContrato::ConcluirExclusaoContrato(int contrato)
{
    if (parametroMaiusculo("ATOPCAOCONTRATO") != "E")
        return;
    const QString chave = "where ACCODIGO = " + QString::number(contrato);
    UpdateCampo("AVEC8501", "IMPRESSO_NF", "'C'", chave);
    UpdateCampo("AVEC8501", "VECONTRATO", "null", chave);
    UpdateCampo("AVEC8501", "ACCODIGO", "null", chave);
}

// ---- scroll and cancel ----

void TdmTecContrato::quCtrCadastroAfterScroll(Dataset& dataset)
{
    EsquecerCalculados();
    const QString contratante = fieldText(dataset, "ACCONTRATANTE");
    contratanteAnterior_ = contratante.trimmed();
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E")
        CarregaContatosContratante(contratante);
    dataset.setTag(0);
    const QString vinculo = fieldText(dataset, "ACVINCULO").trimmed().toUpper();
    const int contrato = dataset.fieldByName("ACCODIGO")->asInteger();
    if (vinculo == "P")
        CarregaContratoPrincipalComplemento(contrato, 0);
    else if (vinculo == "C")
        CarregaContratoPrincipalComplemento(0, contrato);
    else
        quContratoVin->close();
}

void TdmTecContrato::quCtrCadastroAfterCancel(Dataset& dataset)
{
    // A post that ended without writing (a rule cancelled the row) keeps nothing.
    spCabecalho_.reset();
    DescartaExclusaoPrevisoesPendente();
    dataset.setTag(0);
}
