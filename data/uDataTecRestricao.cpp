// The edit guard of service-order data and the situation passwords: every
// insert, edit, post and delete of the order's datasets asks here whether the
// user may make it. The mode comes from ATRESTRICAOOS; the technician record
// of the database user and the stored situations decide. Stored values are
// read fresh from the database on every call, never from the datasets, so a
// change another workstation committed counts at once. The guard writes
// nothing: a refusal leaves the dataset as it was.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using namespace Qt::StringLiterals;

namespace {

// The service-order window marks an internal change of its own with this tag.

QString condicaoTecnicoDoUsuario()
{
    return "where upper(ATNOME) = " + QuotedStr(IbUserName().toUpper());
}

// A field of the dataset read by name; null when the dataset has no such field.
QVariant valorCampo(const Dataset& dataset, const char* nome)
{
    const host::data::Field* field = dataset.findField(QString::fromLatin1(nome));
    return field ? field->value() : QVariant();
}

QString textoCampo(const Dataset& dataset, const char* nome)
{
    const host::data::Field* field = dataset.findField(QString::fromLatin1(nome));
    return field ? field->asString().trimmed() : QString();
}

// The text read as a whole number, 0 when it is none.
int inteiro(const QString& texto)
{
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok);
    return ok ? valor : 0;
}

// By parameter: one prepared read serves every order and item saved.
QString situacaoGravadaDaOrdem(const QVariant& ordem)
{
    if (ordem.isNull())
        return {};
    return host::db::selectValue(*dmGlobal->IBTransaction1, "select ASCODIGO from AATC01AO where AOCODIGO = :CHAVE",
                                 {{"CHAVE", ordem}})
        .toString();
}

QString situacaoGravadaDoItem(const QVariant& item)
{
    if (item.isNull())
        return {};
    return host::db::selectValue(*dmGlobal->IBTransaction1,
                                 "select ASCODIGO from AATC01AOIT where AOITCODIGO = :CHAVE", {{"CHAVE", item}})
        .toString();
}

// Parts and service lines of an order that carry a sales-order number.
int linhasFaturadasDaOrdem(const QVariant& ordem)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1,
                                 "select (select count(*) from AATC01AP where AOCODIGO = :ordem"
                                 " and coalesce(VECODIGO, '') <> '')"
                                 " + (select count(*) from AATC01AA where AOCODIGO = :ordem"
                                 " and coalesce(VECODIGO, '') <> '') from RDB$DATABASE",
                                 {{"ordem", ordem}})
        .toInt();
}

// True when the item has lines and every one of them is invoiced.
bool itemTodoFaturado(const QVariant& ordem, const QVariant& item)
{
    host::db::Statement statement(
        *dmGlobal->IBTransaction1,
        "select (select count(*) from AATC01AP where AOCODIGO = :ordem and AOITCODIGO = :item)"
        " + (select count(*) from AATC01AA where AOCODIGO = :ordem and AOITCODIGO = :item),"
        " (select count(*) from AATC01AP where AOCODIGO = :ordem and AOITCODIGO = :item"
        " and coalesce(VECODIGO, '') = '')"
        " + (select count(*) from AATC01AA where AOCODIGO = :ordem and AOITCODIGO = :item"
        " and coalesce(VECODIGO, '') = '') from RDB$DATABASE");
    statement.setParam("ordem", ordem);
    statement.setParam("item", item);
    statement.execute();
    if (!statement.fetch())
        return false;
    return statement.value(0).toInt() > 0 && statement.value(1).toInt() == 0;
}

[[noreturn]] void recusarItemFaturado()
{
    dmGlobal->MostraAviso("Não é possível alterar item faturado!", true);
    host::abortOperation();
}

}  // namespace

bool RetornaSituacaoFinal(int aoCodigo)
{
    const QString situacao = CarregaDado("ASCODIGO", "AATC01AO", "where AOCODIGO = " + QString::number(aoCodigo));
    if (situacao.trimmed().isEmpty())
        return false;
    const QString tipo = CarregaDado("ASTIPO", "AATC01AS", "where ASCODIGO = " + situacao.trimmed()).toUpper();
    return tipo == "F" || tipo == "D" || tipo == "S";
}

void TdmTec::OSVerificaSenhaAlteracaoSituacao(int asCodigo)
{
    const QString senha = CarregaDado("ASSENHA", "AATC01AS", "where ASCODIGO = " + QString::number(asCodigo));
    if (senha.isEmpty())
        return;
    if (!VerificaValidadeSenha(senha, "Senha para alteração de situação (" + QString::number(asCodigo) +
                                          ") de Ordem de Serviço"))
        host::abortOperation();
}

bool TdmTec::VerificaTecnicoCadastrado(int& atCodigo, const QString& nome)
{
    auto query = CriarIbQuery("quTecnicoCadastrado");
    atCodigo = int(CarregaNumero("ATCODIGO", "AATC06AT", "Where upper(atnome) =  " + QuotedStr(nome.toUpper()),
                                 query.get()));
    query->close();
    return atCodigo > 0;
}

void TdmTec::RestricaoInserindoOS(Dataset& DataSet, const QString& evento)
{
    const QString modo = parametroAparado("ATRESTRICAOOS");
    if (modo.isEmpty())
        return;
    const bool mestre = UsuarioMestre();
    if (!mestre && CarregaDado("ATALTERAROS", "AATC06AT", condicaoTecnicoDoUsuario()) == "N")
        dmGlobal->MostraErro("Você não tem permissão para executar esta tarefa ");

    if ((modo == "S" || modo == "I") && !mestre)
        VerificarSenhaOrdemFinalizada();

    if (modo == "B") {
        if (DataSet.tag() != kTagAlteracaoInterna)
            RestricaoModoFaturamento(DataSet, evento);
        return;
    }
    if (modo == "A" && !textoCampo(DataSet, "VECODIGO").isEmpty())
        recusarItemFaturado();
}

// A finished order (or the order of the current item) asks the finished-order password.
void TdmTec::VerificarSenhaOrdemFinalizada()
{
    QString ordem;
    if (quOS->active())
        ordem = quOSAOCODIGO->asString();
    if (quOSItem->active() && !quOSItem->isEmpty())
        ordem = quOSItemAOCODIGO->asString();
    if (ordem.trimmed().isEmpty() || !RetornaSituacaoFinal(inteiro(ordem)))
        return;
    if (!VerificaValidadeSenha(dmGlobal->Parametro("ATSENHAOS"), "Senha para alteração de Ordem de Serviço finalizada"))
        host::abortOperation();
}

// Mode "B": invoiced lines and the situations' own passwords.
void TdmTec::RestricaoModoFaturamento(Dataset& DataSet, const QString& evento)
{
    const bool ehOS = &DataSet == quOS;
    const bool ehItem = &DataSet == quOSItem;
    const bool ehLinha = &DataSet == quOSAndamento || &DataSet == quOSPecas;
    const bool inserindo = DataSet.state() == DatasetState::Insert;
    const bool antesInserir = evento == "BEFOREINSERT";
    const QVariant ordemDoDataSet = valorCampo(DataSet, "AOCODIGO");
    const QVariant itemDoDataSet = valorCampo(DataSet, "AOITCODIGO");

    if (!antesInserir && ((ehOS && !inserindo) || ehItem || ehLinha)) {
        const QString situacao = situacaoGravadaDaOrdem(quOSAOCODIGO->value());
        if (!situacao.trimmed().isEmpty() &&
            CarregaDado("ASTIPO", "AATC01AS", "where ASCODIGO = " + situacao.trimmed()) == "F" &&
            linhasFaturadasDaOrdem(ordemDoDataSet) > 0)
            dmGlobal->MostraAviso("Não é possível alterar Ordem de Serviço pois existem itens faturados!", true);
    }
    if (!antesInserir && ((ehItem && !inserindo) || ehLinha) && itemTodoFaturado(ordemDoDataSet, itemDoDataSet))
        dmGlobal->MostraAviso("Não é possível alterar Item pois suas peças/serviços foram faturados!", true);

    if (ehItem && !inserindo && (antesInserir || evento == "BEFOREPOST" || evento == "BEFOREDELETE"))
        OSVerificaSenhaAlteracaoSituacao(quOSASCODIGO->asInteger());
    if (!antesInserir && ehItem && !inserindo &&
        situacaoGravadaDoItem(quOSItemAOITCODIGO->value()) != quOSItemASCODIGO->asString())
        OSVerificaSenhaAlteracaoSituacao(quOSItemASCODIGO->asInteger());

    if (evento == "BEFOREEDIT" || evento == "BEFOREDELETE") {
        if (ehItem)
            OSVerificaSenhaAlteracaoSituacao(inteiro(quOSItemASCODIGO->asString()));
        else if (ehLinha)
            OSVerificaSenhaAlteracaoSituacao(inteiro(situacaoGravadaDoItem(itemDoDataSet)));
        else if (ehOS)
            OSVerificaSenhaAlteracaoSituacao(quOSASCODIGO->asInteger());
    }
    if (!antesInserir && !ehOS && !textoCampo(DataSet, "VECODIGO").isEmpty())
        recusarItemFaturado();
    if (situacaoGravadaDaOrdem(quOSAOCODIGO->value()) != quOSASCODIGO->asString())
        OSVerificaSenhaAlteracaoSituacao(quOSASCODIGO->asInteger());
}

// Technicians who may write the technical report but not change orders get
// the order's report while its four report fields are still empty: the
// before-edit guard stays off until the header is saved or cancelled.
void TdmTec::LiberaAlteracaoLaudo()
{
    if (UsuarioMestre())
        return;
    const QString condicao = condicaoTecnicoDoUsuario();
    if (CarregaDado("ATALTERARLAUDO", "AATC06AT", condicao) != "S" ||
        CarregaDado("ATALTERAROS", "AATC06AT", condicao) != "N")
        return;
    for (host::data::Field* laudo : {quOSAODESCRICAOLAUDO, quOSAOCAUSA, quOSAOSOLUCAO, quOSAOOBSLAUDO})
        if (!laudo->asString().trimmed().isEmpty())
            return;
    quOS->beforeEdit = nullptr;
}

host::data::Dataset::Event TdmTec::handler(void (TdmTec::*metodo)(Dataset&))
{
    return [this, metodo](Dataset& dataset) { (this->*metodo)(dataset); };
}

void TdmTec::quOSBeforeInsert(Dataset& DataSet)
{
    situacaoEscolhida_ = {};
    RestricaoInserindoOS(DataSet, u"BEFOREINSERT"_s);
}

void TdmTec::quOSBeforeEdit(Dataset& DataSet)
{
    situacaoEscolhida_ = {};
    RestricaoInserindoOS(DataSet, u"BEFOREEDIT"_s);
}

void TdmTec::quOSAfterCancel(Dataset&)
{
    situacaoEscolhida_ = {};
    quOS->beforeEdit = handler(&TdmTec::quOSBeforeEdit);
}
