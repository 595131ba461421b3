#include "host/Upesq.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/ui/Layouts.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <memory>
#include <stdexcept>

host::ui::FormVar<TfmPesquisa> fmPesquisa("fmPesquisa");

namespace host {

namespace {

QString semWhere(const QString& condicao)
{
    static const QRegularExpression where(R"(^\s*where\b)", QRegularExpression::CaseInsensitiveOption);
    return condicao.trimmed().remove(where).trimmed();
}

QString expressaoDaColuna(const PesquisaDefinicao& definicao, const QString& coluna)
{
    for (const PesquisaColuna& c : definicao.colunas)
        if (c.campo.compare(coluna, Qt::CaseInsensitive) == 0)
            return c.expressao.isEmpty() ? c.campo : c.expressao;
    return coluna;
}

void liberar(TfmPesquisa* janela)
{
    if (janela) {
        if (janela->searchEdit())
            janela->enableSearchEdit({});   // its handler refers to the caller's frame
        janela->setDataset(nullptr);
        janela->release();
    }
    if (fmPesquisa.get() == janela)
        fmPesquisa.clear();
}

}  // namespace

QString ParametroTextoPesquisa(const QString& parametro)
{
    return QString("cast(:%1 as varchar(%2))").arg(parametro).arg(kTamanhoTextoPesquisa);
}

QString montarSqlPesquisa(const PesquisaDefinicao& definicao, const QString& condicao,
                          const QString& colunaPesquisa, bool colunaNumerica)
{
    QStringList condicoes;
    for (const QString& c : {definicao.filtro, semWhere(condicao)})
        if (!c.trimmed().isEmpty())
            condicoes << "(" + c.trimmed() + ")";
    if (!colunaPesquisa.isEmpty())
        condicoes << (colunaNumerica ? ValorComoTextoSQL(expressaoDaColuna(definicao, colunaPesquisa))
                                     : "cast(" + expressaoDaColuna(definicao, colunaPesquisa) + " as varchar(" +
                                           QString::number(kTamanhoTextoPesquisa) + "))") +
                         " containing " + ParametroTextoPesquisa();
    QString sql = definicao.sql.trimmed();
    if (!condicoes.isEmpty())
        sql += "\nwhere " + condicoes.join(" and ");
    if (!definicao.ordem.isEmpty())
        sql += "\norder by " + definicao.ordem;
    return sql;
}

namespace {

QVariantMap linhaAtual(const host::data::Query& query)
{
    QVariantMap linha;
    for (int i = 0; i < query.fieldCount(); ++i)
        linha.insert(query.field(i)->fieldName().toUpper(), query.field(i)->value());
    return linha;
}

// The picker shown modally; the chosen rows (the marked ones with
// `multipla`, else the current one) go into `linhas`.
bool mostrarPesquisa(const PesquisaDefinicao& definicao, const QString& condicao, QList<QVariantMap>& linhas,
                     const QVariantMap& parametros, bool multipla)
{
    std::unique_ptr<host::data::Query> query = CriarIbQuery("quPesquisa");
    auto abrir = [&](const QString& coluna, const QString& texto) {
        // A money or quantity column is searched by the value typed as the grid shows it.
        const host::data::Field* campo = coluna.isEmpty() ? nullptr : query->findField(coluna);
        const bool numerica = campo && campo->dataType() == host::data::FieldType::Float;
        query->close();
        query->setSql(montarSqlPesquisa(definicao, condicao, coluna, numerica));
        for (auto it = parametros.begin(); it != parametros.end(); ++it)
            query->paramByName(it.key())->setValue(it.value());
        if (!coluna.isEmpty())
            query->paramByName("PESQUISA")->setAsString(numerica ? ValorDigitadoComoTexto(texto) : texto);
        query->open();
        for (const PesquisaColuna& coluna : definicao.colunas)
            if (host::data::Field* campo = coluna.formato.isEmpty() ? nullptr : query->findField(coluna.campo))
                campo->setDisplayFormat(coluna.formato);
    };
    abrir({}, {});

    TfmPesquisa* janela = nullptr;
    bool escolhido = false;
    try {
        janela = new TfmPesquisa(nullptr);
        fmPesquisa = janela;
        janela->setSearchKind(definicao.tipo);
        janela->setDataset(query.get());
        janela->setCaption(definicao.caption);
        host::ui::DataGrid& grid = *janela->grid();
        grid.setRowSelect(true);
        grid.setMultiSelect(multipla);
        if (multipla)
            grid.clearSelectedRows();   // only the user's marks count, not the row first shown
        int largura = 0;
        for (const PesquisaColuna& coluna : definicao.colunas) {
            host::ui::createGridColumn(grid, coluna.largura, coluna.titulo, coluna.campo);
            largura += coluna.largura;
        }
        janela->setClientWidth(std::max(400, largura + 40));
        if (definicao.colunaInicial > 0 && definicao.colunaInicial < grid.columnCount())
            grid.setSelectedIndex(definicao.colunaInicial);
        janela->enableSearchEdit([&](const QString& texto) {
            host::data::Field* campo = grid.selectedField();
            const QString coluna = campo ? campo->fieldName() : definicao.colunas.front().campo;
            abrir(texto.isEmpty() ? QString() : coluna, texto);
        });
        janela->searchEdit()->setMaxLength(kTamanhoTextoPesquisa);
        host::ui::Layouts::restoreWindow(janela, definicao.layout);
        host::ui::Layouts::restoreGrid(&grid, definicao.layout);
        escolhido = janela->showModal() == host::ui::ModalResult::Ok && query->active() && !query->isEmpty();
        host::ui::Layouts::saveWindow(janela, definicao.layout);
        host::ui::Layouts::saveGrid(&grid, definicao.layout);
        if (escolhido) {
            linhas.clear();
            // The marks count when the row the user confirmed is one of them:
            // a row the grid's own type-ahead selected on the way is no choice.
            const QList<int> marcadas = multipla ? grid.selectedRows() : QList<int>();
            if (!marcadas.contains(query->recNo())) {
                linhas << linhaAtual(*query);
            } else {
                for (int registro : marcadas) {
                    query->setRecNo(registro);
                    linhas << linhaAtual(*query);
                }
            }
        }
    } catch (...) {
        liberar(janela);
        throw;
    }
    liberar(janela);
    return escolhido;
}

}  // namespace

bool executarPesquisa(const PesquisaDefinicao& definicao, const QString& condicao, QVariantMap& linha,
                      const QVariantMap& parametros)
{
    QList<QVariantMap> linhas;
    if (!mostrarPesquisa(definicao, condicao, linhas, parametros, false))
        return false;
    linha = linhas.front();
    return true;
}

bool executarPesquisaMultipla(const PesquisaDefinicao& definicao, const QString& condicao,
                              QList<QVariantMap>& linhas, const QVariantMap& parametros)
{
    return mostrarPesquisa(definicao, condicao, linhas, parametros, true);
}

QVariant valorPesquisa(const QVariantMap& linha, const QString& coluna)
{
    const auto it = linha.find(coluna.trimmed().toUpper());
    if (it == linha.end())
        throw std::invalid_argument(("search result has no column " + coluna).toStdString());
    return it.value();
}

QString textoPesquisa(const QVariantMap& linha, const QString& coluna)
{
    const QVariant valor = valorPesquisa(linha, coluna);
    if (valor.isNull())
        return {};
    if (valor.typeId() == QMetaType::Double) {
        const double numero = valor.toDouble();
        if (numero == double(qint64(numero)))
            return QString::number(qint64(numero));
    }
    return valor.toString().trimmed();
}

}  // namespace host
