// The register window's data: the statements made from the description, the
// fields' captions, requirements, masks and pick lists, the numbering of new
// rows, the rows of the details, and the checks before a delete.

#include "host/UcadastroHost.h"
#include "host/UcadastroHostDados.h"

#include "host/TravaExecucao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"
#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include <QSet>

#include <algorithm>

namespace host::cadastro {

namespace {

QString coluna(const char* nome) { return QString::fromLatin1(nome); }

// Every column a row of the table is read and written with: the key, the
// fixed values, the link to the master and the fields, each once.
QStringList colunas(const Chave& chave, const QVariantMap& fixos, const char* ligacao, const std::vector<Campo>& campos)
{
    QStringList todas{coluna(chave.coluna)};
    auto junta = [&todas](const QString& c) {
        if (!todas.contains(c))
            todas << c;
    };
    if (ligacao)
        junta(coluna(ligacao));
    for (auto it = fixos.begin(); it != fixos.end(); ++it)
        junta(it.key());
    for (const Campo& campo : campos)
        junta(coluna(campo.coluna));
    return todas;
}

QString codigoDaOpcao(const QString& opcao) { return opcao.section('=', 0, 0); }
QString legendaDaOpcao(const QString& opcao) { return opcao.section('=', 1); }

void prepararLista(host::data::Field& field, const QStringList& opcoes)
{
    field.onGetText = [opcoes](host::data::Field& f, QString& texto, bool) {
        const QString codigo = f.asString();
        for (const QString& opcao : opcoes)
            if (codigoDaOpcao(opcao) == codigo)
                texto = legendaDaOpcao(opcao);
    };
    // A caption or a code as typed, else the one caption the text starts;
    // any other text is refused (the cell keeps it to be corrected).
    field.onSetText = [opcoes](host::data::Field& f, const QString& digitado) {
        const QString texto = digitado.trimmed();
        if (texto.isEmpty()) {
            f.clear();
            return;
        }
        QStringList comeco;
        for (const QString& opcao : opcoes) {
            if (legendaDaOpcao(opcao).compare(texto, Qt::CaseInsensitive) == 0 ||
                codigoDaOpcao(opcao).compare(texto, Qt::CaseInsensitive) == 0) {
                f.setAsString(codigoDaOpcao(opcao));
                return;
            }
            if (legendaDaOpcao(opcao).startsWith(texto, Qt::CaseInsensitive))
                comeco << codigoDaOpcao(opcao);
        }
        if (comeco.size() == 1) {
            f.setAsString(comeco.front());
            return;
        }
        dmGlobal->MostraAviso(f.displayLabel() + ": escolha uma das opções da lista.", true);
    };
}

}  // namespace

QString sqlSelecao(const Descricao& d)
{
    const QString nome = coluna(d.nome);
    QString sql = "select " + colunas(d.chave, d.fixos, nullptr, d.campos).join(", ") + " from " + coluna(d.tabela) +
                  "\nwhere (upper(coalesce(" + nome + ", '')) like " + ParametroTextoPesquisa() + " or cast(" +
                  coluna(d.chave.coluna) + " as varchar(20)) like " + ParametroTextoPesquisa() + ")";
    if (!d.filtro.isEmpty())
        sql += "\n  and " + d.filtro;
    return sql + "\norder by " + nome;
}

QString condicaoDetalhe(const Detalhe& d)
{
    QString condicao = coluna(d.ligacao) + " = :CODIGO";
    for (auto it = d.fixos.begin(); it != d.fixos.end(); ++it)
        condicao += " and " + it.key() + " = " + QuotedStr(it.value().toString());
    return condicao;
}

QString sqlDetalhe(const Detalhe& d)
{
    return "select " + colunas(d.chave, d.fixos, d.ligacao, d.campos).join(", ") + " from " + coluna(d.tabela) +
           "\nwhere " + condicaoDetalhe(d) + "\norder by " + coluna(d.chave.coluna);
}

void prepararEscrita(host::data::UpdateSql& update, const char* tabela, const QStringList& todas,
                     const char* chave, const char* ligacao)
{
    const QString t = coluna(tabela), k = coluna(chave);
    QStringList valores, atribuicoes;
    for (const QString& c : todas) {
        valores << ":" + c;
        if (c != k)
            atribuicoes << c + " = :" + c;
    }
    QString onde = k + " = :OLD_" + k;
    if (ligacao)
        onde += " and " + coluna(ligacao) + " = :OLD_" + coluna(ligacao);
    update.setInsertSql("insert into " + t + " (" + todas.join(", ") + ") values (" + valores.join(", ") + ")");
    update.setModifySql("update " + t + " set " + atribuicoes.join(", ") + " where " + onde);
    update.setDeleteSql("delete from " + t + " where " + onde);
}

QStringList colunasRegistro(const Descricao& d) { return colunas(d.chave, d.fixos, nullptr, d.campos); }
QStringList colunasDetalhe(const Detalhe& d) { return colunas(d.chave, d.fixos, d.ligacao, d.campos); }

void prepararCampos(host::data::Dataset& dados, const Chave& chave, const std::vector<Campo>& campos)
{
    if (host::data::Field* codigo = dados.findField(coluna(chave.coluna))) {
        codigo->setDisplayLabel("Código");
        codigo->setReadOnly(chave.numeracao != Numeracao::Digitada);
        // A typed code is the stored row's key: the update keeps it, and the
        // rows that name it would lose their record, so only a new row takes one.
        if (chave.numeracao == Numeracao::Digitada)
            codigo->onValidate = [](host::data::Field& f) {
                if (f.dataset().state() == host::data::DatasetState::Edit && f.value() != f.oldValue())
                    dmGlobal->MostraAviso("O código não pode ser alterado.", true);
            };
    }
    for (const Campo& campo : campos) {
        host::data::Field* field = dados.findField(coluna(campo.coluna));
        if (!field)
            continue;
        field->setDisplayLabel(campo.legenda);
        field->setRequired(campo.obrigatorio);
        if (!campo.mascara.isEmpty())
            field->setEditMask(campo.mascara);
        if (campo.tipo == Tipo::Valor)
            field->setDisplayFormat(kFormatoDinheiro);
        if (campo.tipo == Tipo::Lista)
            prepararLista(*field, campo.opcoes);
    }
}

void numerar(host::data::Dataset& dados, const Chave& chave, const char* tabela)
{
    host::data::Field& codigo = *dados.fieldByName(coluna(chave.coluna));
    if (dados.state() != host::data::DatasetState::Insert || !codigo.isNull())
        return;
    if (chave.numeracao == Numeracao::Gerador) {
        codigo.setAsInteger(ProximaChave(coluna(chave.gerador), coluna(chave.coluna), coluna(tabela)));
    } else if (chave.numeracao == Numeracao::Cadastral) {
        const int maximo = QString(chave.formato.size(), '9').toInt();
        const QString livre = CodigoCadastralDisponivel(coluna(chave.coluna), coluna(tabela), maximo, chave.formato);
        if (livre.isEmpty()) {
            dmGlobal->MostraAviso("Não há código livre para um novo registro.", true);
            throw host::Abort();
        }
        codigo.setAsString(livre);
    }
}

void exigirCodigoLivre(const host::data::Dataset& linha, const Detalhe& d, const QString& registro)
{
    if (d.chave.numeracao != Numeracao::Digitada || linha.state() != host::data::DatasetState::Insert)
        return;
    const QString codigo = linha.fieldByName(coluna(d.chave.coluna))->asString();
    const QString dono = linha.fieldByName(coluna(d.ligacao))->asString();
    const auto campo = std::find_if(d.campos.begin(), d.campos.end(),
                                    [&d](const Campo& c) { return qstrcmp(c.coluna, d.chave.coluna) == 0; });
    const QString nome = (campo == d.campos.end() ? QString("Código") : campo->legenda) + " " + codigo;
    // Both rows would move together with every update by the code and be counted twice.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    if (!host::SegurarNome(tr, coluna(d.tabela) + " " + dono + " " + codigo))
        dmGlobal->MostraAviso(nome + " em gravação em outra estação neste momento. Tente novamente.", true);
    const int existentes = host::db::selectValue(tr,
                                                 "select count(*) from " + coluna(d.tabela) + " where " +
                                                     coluna(d.ligacao) + " = :DONO and " + coluna(d.chave.coluna) +
                                                     " = :CODIGO",
                                                 {{"DONO", dono}, {"CODIGO", codigo}})
                               .toInt();
    if (existentes > 0)
        dmGlobal->MostraAviso(nome + " já está cadastrado para " + registro + ".", true);
}

void preencherFixos(host::data::Dataset& dados, const QVariantMap& fixos)
{
    for (auto it = fixos.begin(); it != fixos.end(); ++it)
        dados.fieldByName(it.key())->setValue(it.value());
}

void lerOpcoes(std::vector<Campo>& campos)
{
    for (Campo& campo : campos) {
        if (!campo.consulta)
            continue;
        host::db::Statement leitura(*dmGlobal->IBTransaction1, QString::fromUtf8(campo.consulta));
        leitura.execute();
        campo.opcoes.clear();
        while (leitura.fetch()) {
            const QString codigo = leitura.value(0).toString().trimmed();
            campo.opcoes << codigo + "=" + codigo + " - " + leitura.value(1).toString().trimmed();
        }
    }
}

QString nomeDoRegistro(const host::data::Dataset& dados, const char* chave, const char* nome)
{
    const QString codigo = dados.fieldByName(coluna(chave))->displayText().trimmed();
    const host::data::Field* campo = nome && qstrcmp(nome, chave) != 0 ? dados.findField(coluna(nome)) : nullptr;
    const QString texto = campo ? campo->displayText().trimmed() : QString();
    return texto.isEmpty() ? codigo : codigo + " - " + texto;
}

void LinhasDetalhe::writeDelete(RowValues oldValues)
{
    excluidas_.emplace_back(oldValues.begin(), oldValues.end());
}

void LinhasDetalhe::gravarExclusoes()
{
    for (const std::vector<QVariant>& linha : excluidas_)
        Query::writeDelete(linha);
    excluidas_.clear();
}

Usos usosExistentes(const Descricao& d)
{
    const std::vector<UsoDeCadastro>& usos = d.usos;
    Usos resultado;
    // One read of the columns the places name: a database made before the
    // module's upgrade lacks some of them, and lacks them as a whole.
    QStringList tabelas;
    auto tabela = [&tabelas](const char* t) { tabelas << QuotedStr(coluna(t)); };
    for (const UsoDeCadastro& uso : usos)
        tabela(uso.tabela);
    for (const Detalhe& detalhe : d.detalhes)
        for (const UsoDeCadastro& uso : detalhe.usos)
            tabela(uso.tabela);
    QSet<QString> existentes;
    if (!tabelas.isEmpty()) {
        host::db::Statement leitura(*dmGlobal->IBTransaction1,
                                    "select trim(RDB$RELATION_NAME) || '.' || trim(RDB$FIELD_NAME) from "
                                    "RDB$RELATION_FIELDS where RDB$RELATION_NAME in (" +
                                        tabelas.join(", ") + ")");
        leitura.execute();
        while (leitura.fetch())
            existentes << leitura.value(0).toString();
    }
    auto existe = [&existentes](const UsoDeCadastro& uso) {
        return existentes.contains(coluna(uso.tabela) + "." + coluna(uso.coluna));
    };
    std::vector<UsoDeCadastro>& achados = resultado.registro;
    std::vector<QByteArray>& textos = resultado.textos;
    for (const UsoDeCadastro& uso : usos)
        if (existe(uso))
            achados.push_back(uso);
    // A detail row in use keeps its master too: its code is used through it.
    std::vector<size_t> porDetalhe;
    for (const Detalhe& detalhe : d.detalhes) {
        resultado.detalhes.emplace_back();
        for (const UsoDeCadastro& uso : detalhe.usos)
            if (existe(uso)) {
                resultado.detalhes.back().push_back(uso);
                textos.push_back((coluna(uso.coluna) + " in (select " + coluna(detalhe.chave.coluna) + " from " +
                                  coluna(detalhe.tabela) + " where " + condicaoDetalhe(detalhe) + ")")
                                     .toUtf8());
                porDetalhe.push_back(achados.size());
                achados.push_back(uso);
            }
    }
    // Every text is made: the pointers into them stay put from here.
    for (size_t i = 0; i < porDetalhe.size(); ++i)
        achados[porDetalhe[i]].condicao = textos[i].constData();
    return resultado;
}

}  // namespace host::cadastro
