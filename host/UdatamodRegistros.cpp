// Udatamod: record buttons, users and passwords, layouts, money and dates.

#include "host/Udatamod.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/data/DataSource.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Form.h"
#include "host/ui/Layouts.h"
#include "host/ui/SearchWindow.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

using host::data::Dataset;
using host::data::FieldType;

void InserirRegistro(Dataset& dataset)
{
    if (!dataset.active())
        dataset.open();
    dataset.append();
}

void SalvarAlteracoes(Dataset& dataset)
{
    if (!dataset.editing())
        return;
    dataset.post();
    dmGlobal->IBTransaction1->commitRetaining();
}

void SalvarJanela(host::ui::Form& janela, Dataset& principal)
{
    SalvarAlteracoes(principal);
    janela.saveChanges();
}

void GravarPendente(Dataset& dataset)
{
    if (!dataset.editing())
        return;
    dataset.checkBrowseMode();
    if (!dataset.editing())
        dmGlobal->IBTransaction1->commitRetaining();
}

void FecharGravando(Dataset& dataset)
{
    GravarPendente(dataset);
    dataset.close();
}

void CancelarAlteracoes(Dataset& dataset)
{
    if (dataset.editing())
        dataset.cancel();
}

bool ExcluirRegistro(Dataset& dataset)
{
    if (!host::ui::confirmAndDeleteRow(dataset))
        return false;
    dmGlobal->IBTransaction1->commitRetaining();
    return true;
}

namespace {

// A row per place that uses the code, numbered in the order of the places.
QString consultaEmUso(std::span<const UsoDeCadastro> usos)
{
    QStringList partes;
    int i = 0;
    for (const UsoDeCadastro& uso : usos) {
        const QString condicao = uso.condicao ? QString::fromUtf8(uso.condicao)
                                              : QLatin1String(uso.coluna) + QLatin1String(" = :CODIGO");
        partes << QString("select %1 from RDB$DATABASE where exists (select 1 from %2 where %3)")
                      .arg(i++)
                      .arg(QLatin1String(uso.tabela), condicao);
    }
    return partes.join("\nunion all\n");
}

void recusarEmUso(const Dataset& dataset, const QString& chave, std::span<const UsoDeCadastro> usos,
                  const QString& registro)
{
    const QVariant codigo = dataset.fieldByName(chave)->value();
    if (codigo.isNull() || usos.empty())
        return;
    host::db::Statement consulta(*dmGlobal->IBTransaction1, consultaEmUso(usos));
    consulta.setParam("CODIGO", codigo);
    consulta.execute();
    QStringList lugares;
    while (consulta.fetch()) {
        const QString onde = QString::fromUtf8(usos[size_t(consulta.value(0).toInt())].onde);
        if (!lugares.contains(onde))
            lugares << onde;
    }
    if (!lugares.isEmpty())
        dmGlobal->MostraAviso(
            QString("O registro %1 não pode ser excluído: está em uso em %2.").arg(registro, lugares.join(", ")), true);
}

}  // namespace

void RecusarExclusaoEmUso(const Dataset& dataset, const QString& chave, std::initializer_list<UsoDeCadastro> usos,
                          const QString& registro)
{
    recusarEmUso(dataset, chave, std::span<const UsoDeCadastro>(usos.begin(), usos.size()), registro);
}

void RecusarExclusaoEmUso(const Dataset& dataset, const QString& chave, const std::vector<UsoDeCadastro>& usos,
                          const QString& registro)
{
    recusarEmUso(dataset, chave, usos, registro);
}

namespace {

void zeroFields(Dataset& dataset, bool integersToo)
{
    for (host::data::Field* field : dataset.fields()) {
        if (field->kind() != host::data::FieldKind::Data || field->readOnly())
            continue;
        const FieldType type = field->dataType();
        if (type == FieldType::Float || (integersToo && (type == FieldType::Int16 || type == FieldType::Int32)))
            field->setAsFloat(0);
    }
}

}  // namespace

void ZerarFloatField(Dataset& dataset) { zeroFields(dataset, false); }

void LetraDaLegenda(host::data::Field& campo, const QString& texto, const QStringList& legendas)
{
    const QString digitado = texto.trimmed();
    if (digitado.isEmpty()) {
        campo.clear();
        return;
    }
    for (const QString& legenda : legendas)
        if (digitado.compare(legenda, Qt::CaseInsensitive) == 0 ||
            (digitado.size() == 1 && legenda.startsWith(digitado, Qt::CaseInsensitive))) {
            campo.setAsString(legenda.left(1).toUpper());
            return;
        }
    QStringList opcoes = legendas;
    const QString ultima = opcoes.takeLast();
    dmGlobal->MostraErro("'" + digitado + "' não é um valor de " + campo.displayLabel() + ". Use " +
                         (opcoes.isEmpty() ? ultima : opcoes.join(", ") + " ou " + ultima) + ".");
}

void ZerarNumericField(Dataset& dataset) { zeroFields(dataset, true); }

bool AvisaCamposObrigatorio(Dataset& dataset, bool bAbortar)
{
    for (host::data::Field* field : dataset.fields()) {
        if (!field->required() || field->kind() != host::data::FieldKind::Data)
            continue;
        if (field->isNull() || field->asString().trimmed().isEmpty()) {
            const QString rotulo = host::data::userLabel(*field);
            dmGlobal->MostraAviso(rotulo.isEmpty() ? "Há um campo obrigatório não informado."
                                                   : "Campo obrigatório não informado: " + rotulo,
                                  bAbortar);
            return false;
        }
    }
    return true;
}

QString IbUserName()
{
    return dmGlobal ? dmGlobal->UsuarioBanco() : QString();
}

bool UsuarioMestre()
{
    const QString user = IbUserName().toUpper();
    const QString master = dmGlobal ? parametroMaiusculo("ATUSUARIOMESTRE") : QString();
    return user == "SYSDBA" || (!master.isEmpty() && user == master);
}

bool UsuarioVendedor()
{
    return ContadorDados("upper(FNOME)", "AUGC0501", IbUserName().toUpper(), " and FTIPO = 'V'") > 0;
}

bool VerificaValidadeSenha(const QString& senha, const QString& prompt)
{
    if (senha.trimmed().isEmpty())
        return true;
    QString typed;
    if (!host::ui::Dialogs::password("Senha", prompt, typed))
        return false;
    if (typed.trimmed() == senha.trimmed())
        return true;
    host::ui::Dialogs::warning("Senha inválida!");
    return false;
}

bool VerificaBloqueioAlteracao(const QDateTime& data, const QString& tipo)
{
    const QString limit = dmGlobal->Parametro("ATDATABLOQUEIO" + tipo.trimmed().toUpper()).trimmed();
    if (limit.isEmpty() || !data.isValid())
        return false;
    QDate until = QDate::fromString(limit, "dd/MM/yyyy");
    if (!until.isValid())
        return false;
    return data.date() <= until;
}

void CarregarConfiguracaoJanela(QWidget* janela, bool, bool, const QString& nome)
{
    if (janela)
        host::ui::Layouts::restoreWindow(janela, nome);
}

void SalvarConfiguracaoJanela(QWidget* janela, bool, bool, const QString& nome)
{
    if (janela)
        host::ui::Layouts::saveWindow(janela, nome);
}

void SalvarConfiguracaoDBGridComNome(host::ui::DataGrid* grid, bool bCarregar, const QString& nome)
{
    if (!grid)
        return;
    if (bCarregar)
        host::ui::Layouts::restoreGrid(grid, nome);
    else
        host::ui::Layouts::saveGrid(grid, nome);
}

void SalvarConfiguracaoDBGrid(host::ui::DataGrid* grid, bool bCarregar)
{
    SalvarConfiguracaoDBGridComNome(grid, bCarregar);
}

int RetornaColuna(const QString& campo, const host::ui::DataGrid* grid)
{
    const host::ui::GridColumn* coluna = grid ? grid->columnByField(campo) : nullptr;
    return coluna ? coluna->index() : -1;
}

host::ui::GridColumn* CriaColunaDBGrid(host::ui::DataGrid* grid, int largura, const QString& titulo,
                                       const QString& campo)
{
    return grid ? host::ui::createGridColumn(*grid, largura, titulo, campo) : nullptr;
}

namespace {

// The value read as its 15 significant digits, so 0.29 stays 0.29 and is not
// cut to 0.28 because its binary form is 0.28999...
double decimalValue(double value)
{
    // A whole number below 10^15 is its own 15 digits: no text to make
    // (money in whole cents is most of what passes here).
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return value;
    return QString::number(value, 'g', 15).toDouble();
}

// Whole cents back to money; a negative zero becomes zero (no "-0,00").
double fromCents(double cents)
{
    return cents == 0 ? 0.0 : cents / 100.0;
}

}  // namespace

double Trunc2Casas(double valor)
{
    return fromCents(std::trunc(decimalValue(valor * 100.0)));
}

double Corta2Casas(double valor) { return Trunc2Casas(valor); }

double Arredonda2Monetario(double valor)
{
    return fromCents(std::round(decimalValue(decimalValue(valor) * 100.0)));
}

bool TextoIn(const QString& texto, const QStringList& lista)
{
    return lista.contains(texto);
}

QString RetornaCampoTamanho(const QString& texto, int tamanho)
{
    return texto.left(std::max(tamanho, 0)).leftJustified(std::max(tamanho, 0), u' ');
}

QString RetornaCampoTamanhoDireita(const QString& texto, int tamanho)
{
    return texto.rightJustified(std::max(tamanho, 0), u' ', false);
}

namespace {
QString& lookupMode()
{
    static QString mode;
    return mode;
}
}  // namespace

void VerificaModoLocalizacaoProduto(const QString& modo, host::Component*)
{
    lookupMode() = modo.trimmed();
}

QString host::modoLocalizacaoProduto() { return lookupMode(); }
