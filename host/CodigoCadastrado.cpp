#include "host/ClienteCadastrado.h"
#include "host/CodigoCadastrado.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

#include <QList>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <functional>

namespace host {

namespace {

bool codigoExiste(const char* sql, const QString& codigo, const QString& tipo = {})
{
    host::db::Statement& st = dmGlobal->ComandoPreparado(sql);
    st.setParam("C", codigo.trimmed());
    if (!tipo.isNull())
        st.setParam("T", tipo);
    st.execute();
    const bool existe = st.fetch();
    if (existe)
        st.closeCursor();
    return existe;
}

// Refuses the code the field holds, naming the field and what the code
// should name ("código", "produto").
void recusaCodigo(const host::data::Field& campo, const QString& rotulo, const QString& oQue)
{
    dmGlobal->MostraAviso(LegendaDigitada(campo, rotulo) + ": " + oQue + " " + campo.asString().trimmed() +
                              " não cadastrado.",
                          true);
}

// The field's validation refuses a code `existe` does not know.
void exigeCodigo(host::data::Field& campo, const QString& rotulo, const QString& oQue,
                 std::function<bool(const QString&)> existe)
{
    const host::data::Handler<void(host::data::Field&)> propria = campo.onValidate;
    campo.onValidate = [propria, rotulo, oQue, existe](host::data::Field& f) {
        const QString codigo = f.asString().trimmed();
        if (!codigo.isEmpty() && !existe(codigo))
            recusaCodigo(f, rotulo, oQue);
        if (propria)
            propria(f);
    };
}

}  // namespace

// One field is "Cliente" in one register and "Cliente (Cobrança)" in another.
QString LegendaDigitada(const host::data::Field& campo, const QString& rotulo)
{
    const QString mostrado = host::data::shownCaption(campo);
    return mostrado.isEmpty() ? rotulo : mostrado;
}

bool ClienteCadastrado(const QString& codigo)
{
    return codigoExiste("select 1 from AUGC0301 where CODIGO_CLIENTE = :C", codigo);
}

void ExigeClienteCadastrado(host::data::Field& campo, const QString& rotulo)
{
    exigeCodigo(campo, rotulo, "código", ClienteCadastrado);
}

QString TipoClienteExigido(const host::data::Field& campo, const QString& rotulo)
{
    const QString codigo = campo.asString().trimmed();
    if (codigo.isEmpty())
        return {};
    host::db::Statement& st = dmGlobal->ComandoPreparado("select TIPO_CLIENTE from AUGC0301 where CODIGO_CLIENTE = :C");
    st.setParam("C", codigo);
    st.execute();
    if (!st.fetch())
        recusaCodigo(campo, rotulo, "código");
    const QString tipo = st.value(0).toString();
    st.closeCursor();
    return tipo;
}

std::vector<host::data::Field*> ContatosDeOutroCliente(const QString& cliente,
                                                       std::vector<host::data::Field*> campos)
{
    std::erase_if(campos, [](const host::data::Field* campo) { return campo->isNull(); });
    if (campos.empty())
        return {};
    QList<int> codigos;
    for (const host::data::Field* campo : campos)
        codigos << campo->asInteger();
    QSet<int> doCliente;
    if (!cliente.trimmed().isEmpty()) {
        host::db::Statement st(*dmGlobal->IBTransaction1,
                               "select ANCODIGO from AUGC3701 where ANVINCULOCATEGORIA = 'C'"
                               " and ANVINCULOCODIGO = :C and " + CondicaoEmLista("ANCODIGO", codigos));
        st.setParam("C", cliente.trimmed());
        st.execute();
        while (st.fetch())
            doCliente.insert(st.value(0).toInt());
    }
    std::erase_if(campos, [&doCliente](const host::data::Field* campo) { return doCliente.contains(campo->asInteger()); });
    return campos;
}

void ExigeContatosDoCliente(const QString& cliente, const std::vector<host::data::Field*>& campos,
                            const QString& rotulo)
{
    const std::vector<host::data::Field*> alheios = ContatosDeOutroCliente(cliente, campos);
    if (alheios.empty())
        return;
    const host::data::Field& campo = *alheios.front();
    dmGlobal->MostraAviso("Aviso: operação abortada.\r" + LegendaDigitada(campo, rotulo) +
                              ": a pessoa de código " + campo.asString() + " não é contato do cliente " +
                              (cliente.trimmed().isEmpty() ? QString("informado") : cliente.trimmed()) + ".",
                          true);
}

bool ProdutoCadastrado(const QString& codigo)
{
    return codigoExiste("select 1 from ACEC1101 where CODIGO = :C", codigo);
}

void ExigeProdutoCadastrado(host::data::Field& campo, const QString& rotulo)
{
    exigeCodigo(campo, rotulo, "produto", ProdutoCadastrado);
}

bool EquipamentoCadastrado(const QString& codigo, const QString& tipo)
{
    bool numero = false;
    codigo.trimmed().toInt(&numero);
    if (!numero)
        return false;
    if (tipo.isEmpty())
        return codigoExiste("select 1 from AUGC20EV where EVCODIGO = :C", codigo);
    return codigoExiste("select 1 from AUGC20EV where EVCODIGO = :C and EVID = :T", codigo, tipo);
}

void ExigeEquipamentoCadastrado(host::data::Field& campo, const QString& rotulo, const QString& tipo)
{
    exigeCodigo(campo, rotulo, "equipamento",
                [tipo](const QString& codigo) { return EquipamentoCadastrado(codigo, tipo); });
}

}  // namespace host
