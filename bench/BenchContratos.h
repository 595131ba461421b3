#pragma once
// What the contract benchmarks share on top of BenchLote.h: the module
// opened over the benchmark's database (dmGlobal, dialogs answered, the
// service and contract data modules), customers and contracts numbered 1..n.

#include "bench/BenchLote.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/ui/ScriptedDialogs.h"

#include <functional>

namespace bench {

inline QString cliente(int contrato)
{
    return QString("C%1").arg(contrato, 4, 10, QChar('0'));
}

class ModuloContratos : public ModuloServicos {
public:
    // `parametros` runs before the data modules are created.
    explicit ModuloContratos(const QString& path, const std::function<void(TdmGlobal&)>& parametros = {})
        : ModuloServicos(path, parametros)
    {
        dmTecContrato.create(nullptr);
    }
    ~ModuloContratos() { dmTecContrato.free(); }
};

// Customers C0001.. and contracts 1..n (monthly, due on the 10th, branch
// "01", object 1, active), the contract's own values from `valores`
// (ACVALORFIXO and ACVALORPARCELA); `porContrato` adds what a benchmark
// needs of each. Committed.
inline void clientesEContratos(host::db::Transaction& tr, int n, const QString& valorFixo, double valorParcela,
                               const std::function<void(int)>& porContrato = {})
{
    host::db::Statement cli(tr, "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values (:C, :N)");
    host::db::Statement ctr(tr, "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO,"
                                " ACVALORFIXO, ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO)"
                                " values (:A, :C, 'R', 'M', 10, :FIXO, :PARCELA, '01', 1, 'A')");
    for (int c = 1; c <= n; ++c) {
        cli.setParam("C", cliente(c));
        cli.setParam("N", QString("Cliente %1").arg(c));
        cli.execute();
        ctr.setParam("A", c);
        ctr.setParam("C", cliente(c));
        ctr.setParam("FIXO", valorFixo);
        ctr.setParam("PARCELA", valorParcela);
        ctr.execute();
        if (porContrato)
            porContrato(c);
    }
    tr.commitRetaining();
}

}  // namespace bench
