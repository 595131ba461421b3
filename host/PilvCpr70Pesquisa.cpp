// The reference search of a grid: which picker a field's name calls for.

#include "host/PilvCpr70.h"

#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"

#include <QRegularExpression>

#include <functional>

namespace {

using Pesquisa = std::function<bool(QString& codigo)>;

Pesquisa geral(int tipo, const char* coluna)
{
    return [tipo, coluna](QString& codigo) {
        QString a, b;
        return SelecionaPesquisaGeral(tipo, coluna, coluna, coluna, codigo, a, b);
    };
}

struct Referencia {
    const char* campos;   // a pattern of field names
    Pesquisa pesquisa;
};

const std::vector<Referencia>& referencias()
{
    static const std::vector<Referencia> lista = {
        {"CLCODIGO.*|CODIGO_CLIENTE|ACCONTRATANTE|COD_CLI",
         [](QString& codigo) { QString nome, fantasia; return SelecionaCliente(nome, codigo, fantasia); }},
        {"PRCODIGO|CMCODIGO|AOITPRCODIGO|CODIGOPRODUTO",
         [](QString& codigo) {
             QString descricao;
             double venda, estoque, reservado, promocional, custo;
             return SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo);
         }},
        {"FOCODIGO.*|CODIGO_VENDEDOR|ACRESPONSAVEL|ACVENDEDOR",
         [](QString& codigo) { QString tipo; return SelecionaFornecedor(codigo, tipo); }},
        {"ATCODIGO.*", geral(74, "ATCODIGO")},
        {"ASCODIGO", geral(73, "ASCODIGO")},
        {"OFCODIGO|OPERACAO|COD_OP", geral(25, "COD_OP")},
        {"TVCODIGO|TABELA_VENCIMENTO", geral(13, "CODIGO")},
        {"LECODIGO.*|PRCODIGOLOCAL", geral(14, "CODIGO")},
        {"BCCODIGO|CODIGO_BANCO", geral(23, "CODIGO_BANCO")},
        {"GRCODIGO|GRUPO", geral(8, "CODIGO")},
        {"MGCODIGO", geral(12, "CODIGO")},
        {"EVCODIGO.*", geral(46, "EVCODIGO")},
        {"ENCODIGO", geral(79, "ENCODIGO")},
        {"AJCODIGO.*", geral(70, "AJCODIGO")},
        {"ACCODIGO.*", geral(68, "ACCODIGO")},
    };
    return lista;
}

const Pesquisa* pesquisaDoCampo(const QString& nome)
{
    for (const Referencia& referencia : referencias()) {
        const QRegularExpression padrao(QString("^(%1)$").arg(referencia.campos),
                                        QRegularExpression::CaseInsensitiveOption);
        if (padrao.match(nome.trimmed()).hasMatch())
            return &referencia.pesquisa;
    }
    return nullptr;
}

}  // namespace

bool AbrirPesquisaReferentePelaGrid(host::ui::DataGrid* grid)
{
    host::data::Field* campo = grid ? grid->selectedField() : nullptr;
    if (!campo || campo->kind() != host::data::FieldKind::Data)
        return false;
    const Pesquisa* pesquisa = pesquisaDoCampo(campo->fieldName());
    QString codigo;
    if (!pesquisa || !(*pesquisa)(codigo))
        return false;
    host::data::Dataset& dados = campo->dataset();
    if (!dados.editing())
        dados.edit();
    campo->setAsString(codigo);
    return true;
}
