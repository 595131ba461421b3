#include "host/UcadastroListagem.h"

#include "host/Udatamod.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/Udmglobal.h"
#include "host/ui/Layouts.h"
#include "host/schema/SchemaDefinition.h"

namespace {

// Shows the dataset in the search window until it is closed; a row left in
// edit is posted and committed, the window is freed on every way out.
void listar(host::data::Query& dataset, const QString& caption, const QString& layout, int largura)
{
    auto* janela = new TfmPesquisa(nullptr);
    fmPesquisa = janela;
    auto liberar = [&] {
        janela->release();
        if (fmPesquisa.get() == janela)
            fmPesquisa.clear();
    };
    try {
        janela->setDataset(&dataset);
        // The rows listed here are edited in place.
        janela->setTypingEdits(true);
        janela->setCaption(caption);
        janela->setClientWidth(largura);
        host::ui::Layouts::restoreGrid(janela->grid(), layout);
        janela->showModal();
        host::ui::Layouts::saveGrid(janela->grid(), layout);
        SalvarAlteracoes(dataset);
    } catch (...) {
        liberar();
        throw;
    }
    liberar();
}

}  // namespace

void AbreCadastroListagem(const QString& caption, const QString& tabela, const QString& sql,
                          host::data::Query* dataset)
{
    dataset->close();
    dataset->setSql(sql);
    dataset->open();
    listar(*dataset, caption, "fmCadastroListagem_" + tabela.trimmed().toUpper(), 700);
}

void FranquiaPorGrupoContrato(int contrato, host::data::Query* franquias)
{
    franquias->close();
    franquias->paramByName("ACCODIGO")->setAsInteger(contrato);
    franquias->open();
    listar(*franquias, "Franquia por Grupo", "fmFranquiaPorGrupoContrato", 500);
}

void SelecionaContadoresContrato(int item, host::data::Query* leituras)
{
    leituras->close();
    leituras->setSql("Select CtrCo.*, It.PRCODIGO CodigoProduto, It.ACITNUMEROSERIE, Med.CODESCRICAO, Prod.DESCRICAO\n"
                     "From AATC05ACITCO CtrCo\n"
                     "Left Outer Join aatc05acit It On (It.ACITCODIGO = CtrCo.ACITCODIGO)\n"
                     "Left Outer Join aatc05co Med On (Med.COCODIGO = CtrCo.COCODIGO)\n"
                     "Left Outer Join acec1101 Prod On (Prod.CODIGO = It.PRCODIGO)\n"
                     "Where CtrCo.ACITCODIGO = " +
                     QString::number(item) + "\nOrder by CtrCo.ACITCODATAFATURAMENTO desc");
    leituras->open();
    listar(*leituras, "Contadores do Item", "fmContadoresContrato", 600);
}

void AbreMovimentoKMVeiculo(int, int veiculo)
{
    host::data::Query leituras(nullptr, "quMovimentoKM");
    leituras.setTransaction(dmGlobal->IBTransaction1.get());
    leituras.setSql("select * from AUGC20KM where EVCODIGO = " + QString::number(veiculo) +
                    " order by KMDATA desc, KMCODIGO desc");
    host::data::UpdateSql atualizacao(nullptr, "usMovimentoKM");
    atualizacao.setInsertSql("insert into AUGC20KM (KMCODIGO, EVCODIGO, KMDATA, KMQUILOMETRAGEM, KMOBSERVACAO)"
                             " values (:KMCODIGO, :EVCODIGO, :KMDATA, :KMQUILOMETRAGEM, :KMOBSERVACAO)");
    atualizacao.setModifySql("update AUGC20KM set KMDATA = :KMDATA, KMQUILOMETRAGEM = :KMQUILOMETRAGEM,"
                             " KMOBSERVACAO = :KMOBSERVACAO where KMCODIGO = :OLD_KMCODIGO");
    atualizacao.setDeleteSql("delete from AUGC20KM where KMCODIGO = :OLD_KMCODIGO");
    leituras.setUpdateObject(&atualizacao);
    leituras.onNewRecord = [veiculo](host::data::Dataset& d) {
        d.fieldByName("KMCODIGO")->setAsInteger(ProximaChave(host::schema::kGeneratorMileage, "KMCODIGO", "AUGC20KM"));
        d.fieldByName("EVCODIGO")->setAsInteger(veiculo);
        d.fieldByName("KMDATA")->setAsDateTime(QDateTime::currentDateTime());
    };
    leituras.open();
    listar(leituras, "Movimento de KM do Veículo", "fmMovimentoKMVeiculo", 500);
    leituras.close();
}
