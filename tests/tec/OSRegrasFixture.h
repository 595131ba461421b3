#pragma once
// Service orders with situations, technicians and lines written straight
// into their tables, a login that may be another user than the master, and
// the scripted dialogs that answer the rules' questions and prompts.

#include "tests/tec/LoadersFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

namespace tectest {

class OSRegrasTest : public LoadersTest {
protected:
    // Reconnects as another database user (embedded: no password check); every
    // table is granted to all users first, as an installation does.
    void entrarComo(const QString& usuario)
    {
        if (IbUserName() == "SYSDBA")
            concederTudo();
        dmTec.free();
        global->IBTransaction1->commit();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath, usuario, "x");
        createTec();
    }
    void concederTudo() { testsupport::grantAllToPublic(*global->IBTransaction1, {"GEN_AOITCODIGO"}); }
    void parametro(const QString& nome, const QString& valor)
    {
        global->SetParametro(nome, valor);
    }
    void situacaoCom(int codigo, const QString& tipo, const QString& senha = {}, const QString& extra = {},
                     const QString& valorExtra = {})
    {
        exec(QString("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID, ASSENHA%1) values"
                     " (%2, 'Situação %2', '%3', 'A', %4%5)")
                 .arg(extra.isEmpty() ? QString() : ", " + extra)
                 .arg(codigo)
                 .arg(tipo, senha.isEmpty() ? QString("null") : "'" + senha + "'",
                      valorExtra.isEmpty() ? QString() : ", '" + valorExtra + "'"));
    }
    void tecnicoCom(int codigo, const QString& nome, const QString& alteraOS, const QString& alteraLaudo = "N")
    {
        exec(QString("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATALTERAROS, ATALTERARLAUDO)"
                     " values (%1, '%2', 'S', '%3', '%4')")
                 .arg(codigo)
                 .arg(nome, alteraOS, alteraLaudo));
    }
    void cliente(const QString& codigo, const QString& nome, const QString& tipo = "1")
    {
        exec(QString("insert into AUGC0301 (CODIGO_CLIENTE, NOME, TIPO_CLIENTE) values ('%1', '%2', '%3')")
                 .arg(codigo, nome, tipo));
    }
    void peca(int ordem, int sequencia, int item, const QString& pedido = {})
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APTIPO, VECODIGO)"
                     " values (%1, %2, %3, 'P1', '3', %4)")
                 .arg(ordem)
                 .arg(sequencia)
                 .arg(item)
                 .arg(pedido.isEmpty() ? QString("null") : "'" + pedido + "'"));
    }
    void servico(int ordem, int codigo, int item, const QString& pedido = {}, const QString& tipo = "3")
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AATIPO, VECODIGO)"
                     " values (%1, %2, %3, 'S1', '%4', %5)")
                 .arg(ordem)
                 .arg(codigo)
                 .arg(item)
                 .arg(tipo, pedido.isEmpty() ? QString("null") : "'" + pedido + "'"));
    }
    int contar(const QString& tabela, const QString& condicao = {})
    {
        return one("select count(*) from " + tabela + (condicao.isEmpty() ? QString() : " where " + condicao)).toInt();
    }
    // Prompts of the password kind shown so far.
    int senhasPedidas() const
    {
        int n = 0;
        for (const auto& pedido : dialogos->shown())
            if (pedido.kind == host::ui::DialogKind::Password)
                ++n;
        return n;
    }
};

}  // namespace tectest
