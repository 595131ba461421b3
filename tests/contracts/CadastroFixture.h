#pragma once
// A contract database with two customers, a service and a part, and the
// helpers the tests of the header and item rules share.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace contractstest {

class CadastroFixture : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0002', 'Dois')",
                 "insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS, PRPRECOCONTRATO) values ('S1', 'Serviço', '7', 80)",
                 "insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS, PRPRECOCONTRATO) values ('P1', 'Peça', '1', 20)",
             })
            exec(sql);
    }

    // Contract 7 of customer C0001, with more columns set by the caller.
    void contratoGravado(const QString& extra = {})
    {
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
             " ACLOCAL, ACSITUACAO) values (7, 'C0001', 'A', 'M', 10, 'N', '01', 'A')");
        if (!extra.isEmpty())
            exec("update AATC05AC set " + extra + " where ACCODIGO = 7");
    }
    void abreContrato(int codigo = 7)
    {
        CarregaContrato(codigo);
        dm->quCtrCadastro->edit();
    }
    host::data::Field* campo(const char* nome) { return dm->quCtrCadastro->fieldByName(nome); }
    host::data::Field* item(const char* nome) { return dm->quCtrCadastroIt->fieldByName(nome); }

    // Reconnects as another database user (embedded: no password check),
    // every table and generator granted to all users first.
    void entrarComo(const QString& usuario)
    {
        QStringList concessoes;
        host::db::Statement tabelas(*global->IBTransaction1,
                                    "select 'grant all on ' || trim(rdb$relation_name) || ' to public' from rdb$relations"
                                    " where rdb$system_flag = 0 and rdb$view_blr is null union all"
                                    " select 'grant usage on generator ' || trim(rdb$generator_name) || ' to public'"
                                    " from rdb$generators where rdb$system_flag = 0");
        tabelas.execute();
        while (tabelas.fetch())
            concessoes << tabelas.value(0).toString();
        for (const QString& sql : concessoes)
            exec(sql);
        dmTecContrato.free();
        global->IBTransaction1->commit();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath, usuario, "x");
        dm = &createContracts();
    }
};

}  // namespace contractstest
