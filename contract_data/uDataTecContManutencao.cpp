// Keeping a contract's forecast instalments true to its edits: a new
// instalment value, a new due day, the contract ended, a new billing object;
// the receivables of contract items; the forecasts of complementary contracts.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLegendas.h"
#include "contract_data/uDataTecContParcelas.h"
#include "contract_data/uDataTecContParcelasTrava.h"
#include "host/FiltroDia.h"
#include "host/UCXPrevisao.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

#include <algorithm>
#include <utility>

namespace P = uDataTecContParcelas;
using host::data::Dataset;
using host::data::Field;

namespace {

const QStringList kSimNao{"Sim", "Não"};

bool sim(const QString& pergunta)
{
    return MostraPergunta(pergunta, kSimNao) == "Sim";
}

QString campo(TdmTecContrato& dm, const char* nome)
{
    return dm.quCtrCadastro->fieldByName(nome)->asString();
}

QString condicaoPrevisoes(int contrato)
{
    return QString("aoCodigo = %1 and situacao_documento = 'V'").arg(contrato);
}

bool temPrevisoes(int contrato)
{
    return ContadorDados("aoCodigo", "acrc5001", QString::number(contrato), " and situacao_documento = 'V'", true) > 0;
}

QString serieItem(const QString& comprovante)
{
    if (comprovante.trimmed().toUpper() == "R")
        return "RC";
    const QString serie = parametroAparado("ATTIPODOCUMENTOCONTRATO");
    return serie.isEmpty() ? QString("01") : serie;
}

// A receivable of a contract item: payment type "2", origin "C", the item
// named on the row.
void inserirReceberItem(const QString& cliente, const QString& documento, const QString& serie,
                        const QString& filial, const QString& situacao, int sequencia, double valor,
                        const QDateTime& emissao, const QDateTime& vencimento, const QDateTime& lancamento,
                        int contrato, int item)
{
    dmGlobal->InseriParcelaReceber(cliente, documento, serie, filial, "2", situacao, {}, {}, {}, {}, {}, {}, sequencia,
                                   valor, 0, 0, 0, 0, 0, 0, 0, emissao, vencimento, lancamento, 0, {}, {}, {},
                                   contrato, {}, "C", {}, item, 0, 0, {}, {}, 0);
}

int proximaSequencia(const QString& documento, const QString& cliente)
{
    return int(MaximoDado("SEQUENCIA", "acrc5001", "NUMERO_DOCUMENTO", documento,
                          " and CODIGO_CLIENTE = " + QuotedStr(cliente.trimmed()))) +
           1;
}

// One open receivable of an item under the next free document number.
void inserirReceberUnico(const QString& cliente, const QString& serie, const QString& filial, double valor,
                         const QDateTime& emissao, const QDateTime& vencimento, const QDateTime& lancamento,
                         int contrato, int item, QString& documento, int& sequencia)
{
    documento = dmGlobal->ProximoNumeroReceber();
    sequencia = proximaSequencia(documento, cliente);
    inserirReceberItem(cliente, documento, serie, filial, " ", sequencia, valor, emissao, vencimento, lancamento,
                       contrato, item);
    commitRetaining();
}

// The value of the instalment written as an exact SQL fraction of cents.
QString valorEmCentavos(double valor)
{
    const qint64 centavos = qRound64(valor * 100);
    const QString digitos = QString::number(std::abs(centavos)).rightJustified(11, '0');
    return (centavos < 0 ? "-" : "") + digitos + "/100";
}

}  // namespace

// ---- instalment value ----

void TdmTecContrato::quCtrCadastroACVALORPARCELAChange(Field& field)
{
    const double novo = field.asFloat();
    const double anterior = field.oldValue().toDouble();
    if (novo > 0 && novo != anterior) {
        quCtrCadastro->fieldByName("ACVALORANTERIOR")->setAsFloat(anterior);
        quCtrCadastro->setTag(9);
    }
}

void TdmTecContrato::quCXPrevContratoNewRecord(Dataset& dataset)
{
    ZerarNumericField(dataset);
    const int contrato = quCtrCadastroACCODIGO->asInteger();
    const QString local = TdmGlobal::CodigoFilialCurto(campo(*this, "ACLOCAL"));
    dataset.fieldByName("XPCHAVE")->setAsInteger(
        CarregaNumeroInteiro("gen_id(GEN_XPCHAVE, 1)", "rdb$database", ""));
    dataset.fieldByName("XPID")->setAsString("C");
    dataset.fieldByName("XPLOCAL")->setAsString(local);
    dataset.fieldByName("ACCODIGO")->setAsInteger(contrato);
    dataset.fieldByName("XPCODIGO")->setAsString("00");
    const double distribuido =
        CarregaNumero("sum(xpValor)", "acxc94xp",
                      QString("where acCodigo = %1 and xpLocal = %2 and xpId = 'C'").arg(contrato).arg(QuotedStr(local)));
    dataset.fieldByName("XPVALOR")->setAsFloat(
        Trunc2Casas(quCtrCadastro->fieldByName("ACVALORPARCELALIQUIDO")->asFloat() - distribuido));
    dataset.fieldByName("XPPARCELA")->setAsInteger(0);
    dataset.fieldByName("XPVALORREALIZADO")->setAsFloat(0);
}

void TdmTecContrato::ReajustarValorContratoCorrente(double)
{
    const int contrato = quCtrCadastroACCODIGO->asInteger();
    const QString local = TdmGlobal::CodigoFilialCurto(campo(*this, "ACLOCAL"));
    if (ContadorDados("acCodigo", "acxc94xp", QString::number(contrato),
                      " and xpId = 'C' and xpLocal = " + QuotedStr(local), true) > 0) {
        host::data::DetachHandler<Dataset::Event> regraContrato(
            dmGlobal->quCXPrev->onNewRecord, [this](Dataset& dataset) { quCXPrevContratoNewRecord(dataset); });
        SelecionaCXPrevisao("C", *quCtrCadastro);
    }
    if (!temPrevisoes(contrato) || !sim("Deseja alterar valor das provisões?"))
        return;

    const P::DadosValor dados = P::CarregaDadosValor(*this, contrato);
    const P::TaxasOperacao taxas = P::CarregaTaxasOperacao(campo(*this, "OFCODIGO"));
    const double valorParcela = quCtrCadastro->fieldByName("ACVALORPARCELA")->asFloat();
    const int objeto = quCtrCadastro->fieldByName("AJCODIGO")->asInteger();
    struct Previsao {
        QString documento, cliente, filial;
        int sequencia;
        QDate vencimento;
    };
    std::vector<Previsao> previsoes;
    // Every instalment's due date (billed ones too): a divided value's last
    // instalment is told by its place among them.
    std::vector<QDate> vencimentos;
    {
        auto query = CriarIbQuery();
        // A contract item's own receivables carry the item's value, a fine
        // its own: not rewritten here.
        query->setSql("Select * from acrc5001 cr Where cr.aoCodigo = " + QString::number(contrato) + " and " +
                      P::CondicaoParcelaDoContrato("cr"));
        for (query->open(); !query->eof(); query->next()) {
            const QDate vencimento = query->fieldByName("DATA_VENCIMENTO")->asDateTime().date();
            if (vencimento.isValid())
                vencimentos.push_back(vencimento);
            if (query->fieldByName("SITUACAO_DOCUMENTO")->asString() == "V")
                previsoes.push_back({query->fieldByName("NUMERO_DOCUMENTO")->asString(),
                                     query->fieldByName("CODIGO_CLIENTE")->asString(),
                                     query->fieldByName("CODIGO_FILIAL")->asString(),
                                     query->fieldByName("SEQUENCIA")->asInteger(), vencimento});
        }
    }
    for (const Previsao& p : previsoes) {
        double valor = P::ValorParcela(dados, p.vencimento, true);
        if (valor <= 0)
            valor = valorParcela;
        else
            valor += P::RestoDivisao(dados, 1 + int(std::count_if(vencimentos.begin(), vencimentos.end(),
                                                                   [&](const QDate& d) { return d < p.vencimento; })));
        valor = Trunc2Casas(P::ValorLiquido(taxas, valor));
        const QString chave = QString("SITUACAO_DOCUMENTO = 'V' and NUMERO_DOCUMENTO = %1 and CODIGO_CLIENTE = %2"
                                      " and SEQUENCIA = %3 and CODIGO_FILIAL = %4")
                                  .arg(QuotedStr(p.documento), QuotedStr(p.cliente))
                                  .arg(p.sequencia)
                                  .arg(QuotedStr(p.filial));
        // Each forecast is rewritten whole (value and cash) or left as it was;
        // the commit of a cash template rebuilt on the way is held back.
        host::db::CommitHold comites(*dmGlobal->IBTransaction1);
        host::db::Savepoint previsao(*dmGlobal->IBTransaction1);
        UpdateCampo("acrc5001", "VALOR_DOCUMENTO", valorEmCentavos(valor), "where " + chave);
        const QString exclusao = QString("where xpId = 'R' and xpDocumento = %1 and xpEmitente = %2"
                                         " and crSequencia = %3 and xpLocal = %4")
                                     .arg(QuotedStr(p.documento), QuotedStr(p.cliente))
                                     .arg(p.sequencia)
                                     .arg(QuotedStr(p.filial));
        DeletaRegistros("acxc94xp", exclusao);
        dmGlobal->GravaLog(IbUserName(), "Deletou Previsão do CR", "delete from acxc94xp " + exclusao, "ACXC94XP",
                           hoje(), QDateTime::currentDateTime());
        InserirProvisaoCaixaContrato(p.documento, p.cliente, p.filial, p.sequencia, contrato, valor, objeto, true,
                                     nullptr);
        previsao.release();
        comites.release();
        commitRetaining();
    }
}

// ---- due day ----

// A day no month has is refused: the field keeps the day it had. Empty is
// no day chosen (due on the 1st, as elsewhere).
void TdmTecContrato::quCtrCadastroACVENCIMENTOValidate(Field& field)
{
    const int dia = field.asInteger();
    if (!field.isNull() && (dia <= 0 || dia > 31))
        dmGlobal->MostraAviso("Dia inválido para vencimento", true);
}

void TdmTecContrato::quCtrCadastroACVENCIMENTOChange(Field& field)
{
    const int dia = field.asInteger();
    if (dia <= 0 || dia > 31)
        return;
    const int contrato = quCtrCadastroACCODIGO->asInteger();
    // The forecasts move with the contract's save (AplicaVencimentoPendente),
    // so that a cancelled or refused edit leaves them on the stored day.
    iDiaVencimentoPendente =
        temPrevisoes(contrato) && sim("Deseja mudar vencimento das parcelas de provisão?") ? dia : 0;
}

void TdmTecContrato::AplicaVencimentoPendente()
{
    if (iDiaVencimentoPendente == 0)
        return;
    // Each forecast to the day in its own month, or to the month's last day
    // where the month is shorter (as the forecasts are made).
    const char* const primeiro = "(data_vencimento - extract(day from data_vencimento) + 1)";
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         QString("update acrc5001 set data_vencimento = %1 + (minvalue(:DIA, extract(day from"
                                 " dateadd(-1 day to dateadd(1 month to %1)))) - 1)"
                                 " where aoCodigo = :CONTRATO and situacao_documento = 'V'")
                             .arg(QLatin1String(primeiro)),
                         {{"DIA", iDiaVencimentoPendente}, {"CONTRATO", quCtrCadastroACCODIGO->asInteger()}});
}

// ---- situation ----

// The question and the password come with the change; the forecasts go only
// when the contract is saved, so that a cancelled edit leaves them in place.
void TdmTecContrato::quCtrCadastroACSITUACAOChange(Field& field)
{
    const QString situacao = field.asString().trimmed().toUpper();
    if (situacao == "C" || situacao == "E") {
        // A contract ended before it starts ends at its start: an end before
        // the start would refuse the save.
        const Field& inicio = *quCtrCadastro->fieldByName("ACDATAIMPLANTACAO");
        const QDateTime fim = !inicio.isNull() && inicio.asDateTime() > hoje() ? inicio.asDateTime() : hoje();
        quCtrCadastro->fieldByName("ACDATAVALIDADE")->setAsDateTime(fim);
    }
    if (situacao != "C" && situacao != "E" && situacao != "S")
        return;
    if (!sim("Deseja excluir provisões do contrato?"))
        return;
    if (!VerificaValidadeSenha(dmGlobal->Parametro("ATSENHAEXCLUSAORECEBER"), "Senha de Exclusão de Contas a Receber"))
        host::abortOperation();
    iContratoExcluirPrevisoes = quCtrCadastroACCODIGO->asInteger();
}

void TdmTecContrato::AplicaExclusaoPrevisoesPendente()
{
    iDiaVencimentoPendente = 0;   // moved and committed with the row
    const int contrato = iContratoExcluirPrevisoes;
    iContratoExcluirPrevisoes = 0;
    if (contrato == 0)
        return;
    dmGlobal->ExcluirParcelasReceber(condicaoPrevisoes(contrato));
    commitRetaining();
}

// ---- billing object ----

void TdmTecContrato::quCtrCadastroAJCODIGOChange(Field& field)
{
    if (field.asString().trimmed().isEmpty())
        return;
    auto query = CriarIbQuery();
    query->setSql("select * from AATC11AJ where AJCODIGO = " + QString::number(field.asInteger()));
    query->open();
    if (query->isEmpty())
        return;
    // The object's operation is shown through a joined field.
    auto copia = [&](const char* destino, const char* origem) {
        DefineDescricaoUnida(*quCtrCadastro, destino, query->fieldByName(origem)->value());
    };
    copia("ACOBJETO", "AJOBJETO");
    copia("OBJETO", "AJDESCRICAO");
    copia("CXCODIGO", "CXCODIGO");
    copia("HCCODIGO", "HCCODIGO");
    copia("ACTIPOPAGAMENTO", "AJTIPOPAGAMENTO");
    copia("ACINDICEREAJUSTE", "AJINDICEREAJUSTE");
    // The user who refused the object's periodicity keeps the contract's.
    if (!std::exchange(bPeriodoObjetoRecusado_, false))
        copia("ACPERIODO", "AJPERIODO");
    copia("OFCODIGO", "OFCODIGO");
}

// The object typed brings its own periodicity: one other than the
// contract's is asked, never taken in silence. True when the contract takes it.
bool TdmTecContrato::AceitaPeriodoObjeto(int objeto)
{
    const QString doObjeto =
        CarregaDado("AJPERIODO", "AATC11AJ", "where AJCODIGO = " + QString::number(objeto)).trimmed().toUpper();
    const QString doContrato = campo(*this, "ACPERIODO").trimmed().toUpper();
    if (doObjeto.isEmpty() || doContrato.isEmpty() || doObjeto == doContrato)
        return true;
    auto legenda = [](const char* dataset, const char* nome, const QString& codigo) {
        const QString texto = uDataTecCont::mapeamento(dataset, nome).texto(codigo);
        return texto.isEmpty() ? codigo : texto;
    };
    return sim("O objeto de cobrança tem periodicidade \"" + legenda("quCtrObjeto", "AJPERIODO", doObjeto) +
               "\" e o contrato, \"" + legenda("quCtrCadastro", "ACPERIODO", doContrato) +
               "\". Deseja usar a periodicidade do objeto no contrato?");
}

// A billing object typed that the register does not hold is refused where
// typed: stored, it would be refused only at billing.
void TdmTecContrato::RecusaObjetoDesconhecido(const QString& rotulo, const QString& texto)
{
    bool numero = false;
    const int objeto = texto.trimmed().toInt(&numero);
    if (!texto.trimmed().isEmpty() &&
        (!numero || ContadorDados("AJCODIGO", "AATC11AJ", QString::number(objeto), {}, true) == 0))
        dmGlobal->MostraAviso(rotulo + " não encontrado: " + texto.trimmed(), true);
}

void TdmTecContrato::quCtrCadastroAJCODIGOSetText(Field& field, const QString& text)
{
    const int contrato = quCtrCadastroACCODIGO->asInteger();
    RecusaObjetoDesconhecido("Código do Objeto", text);
    const int objeto = text.trimmed().toInt();
    bPeriodoObjetoRecusado_ = !text.trimmed().isEmpty() && !AceitaPeriodoObjeto(objeto);
    if (!text.trimmed().isEmpty() && !field.asString().trimmed().isEmpty() && temPrevisoes(contrato) &&
        sim("Deseja recalcular parcelas de previsão?")) {
        // A year of forecasts from today, never from before the contract starts.
        const QDate inicioContrato = quCtrCadastro->fieldByName("ACDATAIMPLANTACAO")->asDateTime().date();
        const QDate inicio = inicioContrato > QDate::currentDate() ? inicioContrato : QDate::currentDate();
        const QString hoje = QDate::currentDate().toString("dd/MM/yyyy");
        const QString de = inicio.toString("dd/MM/yyyy");
        const QString emUmAno = P::IncMonth(inicio, 12).toString("dd/MM/yyyy");
        const QString periodo = bPeriodoObjetoRecusado_
                                    ? campo(*this, "ACPERIODO")
                                    : CarregaDado("AJPERIODO", "AATC11AJ", "where AJCODIGO = " + QString::number(objeto));
        const QString textoObjeto = CarregaDado("AJOBJETO", "AATC11AJ", "where AJCODIGO = " + QString::number(objeto));
        int parcelas = 0;
        InserirParcelasContrato(campo(*this, "ACMODALIDADE"), de, emUmAno, campo(*this, "CLCODIGO"), false,
                                campo(*this, "ACVENCIMENTO"), contrato,
                                quCtrCadastro->fieldByName("ACVALORPARCELA")->asFloat(), campo(*this, "ACLOCAL"),
                                campo(*this, "ACTIPOPAGAMENTO"), campo(*this, "BCCODIGO"), hoje,
                                periodo.trimmed().isEmpty() ? campo(*this, "ACPERIODO") : periodo, parcelas, objeto,
                                campo(*this, "ACLOCAL"), campo(*this, "OFCODIGO"), false, textoObjeto, true, nullptr,
                                quCtrCadastro->fieldByName("PCCODIGODEBITO")->asInteger(),
                                quCtrCadastro->fieldByName("PCCODIGOCREDITO")->asInteger());
        CarregaContratoParcela(contrato);
        dmGlobal->MostraAviso("Operação efetuada com sucesso! Parcelas criadas:" + QString::number(parcelas), false);
    }
    if (text.trimmed().isEmpty())
        field.clear();
    else
        field.setAsInteger(objeto);
}

// ---- item receivables ----

void TdmTecContrato::RegerarContasReceberItens()
{
    Dataset& item = *quCtrCadastroIt;
    const QDateTime instalacao = item.fieldByName("ACITINSTALACAO")->asDateTime();
    const QDateTime entrega = item.fieldByName("ACITDATAENTREGA")->asDateTime();
    if (item.fieldByName("ACITINSTALACAO")->isNull() || item.fieldByName("ACITDATAENTREGA")->isNull())
        return;
    if (!sim("Deseja gerar novamente as provisões?"))
        return;
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    const int codigo = item.fieldByName("ACITCODIGO")->asInteger();
    const QString cliente = item.fieldByName("CLCODIGO")->asString().trimmed();
    const QString tipo = item.fieldByName("ACITTIPORECEBER")->asString().trimmed().toUpper();
    const double valor = item.fieldByName("ACITVALOR")->asFloat();
    // A single receivable is an open one: its new due date is asked before
    // the old one goes, so that cancelling the date keeps it.
    QDateTime vencimentoUnico = hoje();
    if (tipo == "1" && !SelecionaData("Vencimento", "Informe a Data de Vencimento", vencimentoUnico))
        return;

    // Held before the old forecasts go: a second desk making this contract's
    // forecasts meanwhile is refused, or comes after and reads these.
    P::ContratoEmGeracao emGeracao(*dmGlobal->IBTransaction1, contrato);
    // The item's late-return fines (origin "M") are documents of their own.
    dmGlobal->ExcluirParcelasReceber(QString("aoCodigo = %1 and acitCodigo = %2 and situacao_documento = %3"
                                             " and coalesce(ORIGEM, '') <> 'M'")
                                         .arg(contrato)
                                         .arg(codigo)
                                         .arg(tipo == "P" ? "'V'" : "' '"));
    commitRetaining();

    const QString chaveContrato = "where ACCODIGO = " + QString::number(contrato);
    const QString serie = serieItem(CarregaDado("ACCOMPROVANTE", "AATC05AC", chaveContrato));
    const QString filial = CarregaDado("ACLOCAL", "AATC05AC", chaveContrato);
    const QDateTime agora = QDateTime::currentDateTime();
    const QDateTime emissao = hoje();
    if (tipo == "P") {
        if (valor <= 0)
            return;
        const int dia = CarregaNumeroInteiro("ACVENCIMENTO", "AATC05AC", chaveContrato);
        const QString clienteContrato = CarregaDado("CLCODIGO", "AATC05AC", chaveContrato);
        for (QDate d = instalacao.date(); d < entrega.date(); d = P::IncMonth(d, 1)) {
            const QDate mesSeguinte = P::IncMonth(d, 1);
            const QDate base(mesSeguinte.year(), mesSeguinte.month(), dia);
            if (!base.isValid())
                dmGlobal->MostraErro(QString("Dia de vencimento %1 inexistente em %2.")
                                         .arg(dia)
                                         .arg(mesSeguinte.toString("MM/yyyy")));
            const QDate vencimento = P::IncMonth(base, 1);
            // The customer's largest number (one holding a letter is no
            // number); one that holds none takes a new one.
            // The last commit let the contract's row go.
            emGeracao.retoma();
            QString documento = dmGlobal->MaiorNumeroReceberCliente(clienteContrato);
            if (documento.isEmpty())
                documento = dmGlobal->ProximoNumeroReceber();
            inserirReceberItem(cliente, documento, serie, filial, "V", proximaSequencia(documento, cliente), valor,
                               emissao, host::db::localDateTime(vencimento), agora, contrato, codigo);
            commitRetaining();
        }
        return;
    }
    if (tipo != "1")
        return;
    QString documento;
    int sequencia = 0;
    emGeracao.retoma();
    inserirReceberUnico(cliente, serie, filial, valor, emissao, vencimentoUnico, agora, contrato, codigo, documento,
                        sequencia);
}

void TdmTecContrato::InserirParcelaItemContrato(const QString& cliente, const QString& serie, const QString& filial,
                                                const QString&, const QString&, double valor,
                                                const QDateTime& emissao, int contrato, int item,
                                                QString& documento, int& sequencia)
{
    inserirReceberUnico(cliente, serie, filial, valor, emissao, emissao, emissao, contrato, item, documento, sequencia);
}

// ---- complementary contracts ----

void TdmTecContrato::DeletarPrevisaoContratoComplementar(int contrato, const QString& documento,
                                                         const QDateTime& emissao, const QDateTime& vencimento,
                                                         const QString&, bool)
{
    const QString opcaoContrato = parametroMaiusculo("ATOPCAOCONTRATO");
    if (opcaoContrato != "F" && opcaoContrato != "V")
        return;
    if (CarregaDado("ACVINCULO", "AATC05AC", "where ACCODIGO = " + QString::number(contrato)).trimmed().toUpper() !=
        "P")
        return;
    auto query = CriarIbQuery();
    query->setSql("select ac.ACCODIGO, ac.ACLOCAL, ac.CLCODIGO from AATC05ACVI vi"
                  " join AATC05AC ac on ac.ACCODIGO = vi.ACCODIGOCOMPLEMENTO"
                  " where vi.ACCODIGOPRINCIPAL = " +
                  QString::number(contrato));
    QStringList condicoes;
    for (query->open(); !query->eof(); query->next())
        condicoes << QString("aoCodigo = %1 and numero_documento = %2 and codigo_filial = %3 and codigo_cliente = %4"
                             " and %5 and %6 and situacao_documento = 'V'")
                         .arg(query->fieldByName("ACCODIGO")->asInteger())
                         .arg(QuotedStr(documento.trimmed()),
                              QuotedStr(TdmGlobal::CodigoFilialCurto(query->fieldByName("ACLOCAL")->asString())),
                              QuotedStr(query->fieldByName("CLCODIGO")->asString().trimmed()),
                              host::condicaoNoDia("data_emissao", emissao.date()),
                              host::condicaoNoDia("data_vencimento", vencimento.date()));
    query->close();
    for (const QString& condicao : condicoes) {
        dmGlobal->ExcluirParcelasReceber(condicao);
        commitRetaining();
    }
}
