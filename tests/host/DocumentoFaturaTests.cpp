// The stock documents read back by the loaders (quMov, quMovItem) with the
// key their writers store, and the invoice and collection document of
// billed receivables selected by ranges.

#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

namespace {

class DocumentoFatura : public testsupport::HostDatabaseTest {
protected:
    void receber(const QString& documento, const QString& situacao, const QString& vencimento)
    {
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO) values (:D, '00012', 1, '01', :S, 80, '2024-01-05', :V)",
             {{"D", documento}, {"S", situacao}, {"V", vencimento}});
    }
    FaturaBoletoLocacao faixa(const QString& de, const QString& ate) const
    {
        FaturaBoletoLocacao f;
        f.filial = "01";
        f.documentoIni = de;
        f.documentoFim = ate;
        f.clienteIni = f.clienteFim = "00012";
        f.banco = "341";
        f.emissaoIni = f.emissaoFim = QDateTime(QDate(2024, 1, 5), QTime(0, 0));
        f.vencimentoIni = QDateTime(QDate(2024, 3, 1), QTime(0, 0));
        f.vencimentoFim = QDateTime(QDate(2024, 3, 31), QTime(0, 0));
        f.texto1 = "pedido\rContrato(s): 7";
        f.texto2 = "Vcto.(s): 10/03/24";
        f.texto3 = "Vlr.(s): 80,00";
        return f;
    }
};

TEST_F(DocumentoFatura, TheLoadersFindTheDocumentByTheKeyItsWritersStored)
{
    DocumentoEstoque documento{QDateTime(), "RC", "01", "S", "10:00:00", "00012", "00001"};
    documento.total = 500;
    const QString numero = dmGlobal->InseriDocumentoAcem1401(documento);
    for (int n = 2; n >= 1; --n) {
        ItemDocumentoEstoque item;
        item.local = "01";
        item.documento = numero;
        item.sequencia = n;
        item.quantidade = 1;
        item.cliente = "00012";
        item.serie = "RC";
        item.operacao = "00001";
        item.produto = "999";
        item.valorUnitario = item.valorTotal = 100 * n;
        item.observacao = QString("linha %1").arg(n);
        item.acCodigo = 7;
        dmGlobal->InseriItemAcem14it(item);
    }
    dmGlobal->CarregarDocumento(numero, "00012", "RC", "00001", "01");
    ASSERT_EQ(dmGlobal->quMov->recordCount(), 1);
    EXPECT_EQ(dmGlobal->quMov->fieldByName("TOTAL_DOC")->asFloat(), 500);
    dmGlobal->CarregaDocumentoItem(numero, "00012", "RC", "00001", "01", false, {});
    ASSERT_EQ(dmGlobal->quMovItem->recordCount(), 2);
    EXPECT_EQ(dmGlobal->quMovItem->fieldByName("OBSERVACAO_PRODUTO")->asString(), "linha 1") << "by sequence";
    EXPECT_EQ(dmGlobal->quMovItem->fieldByName("ACCODIGO")->asInteger(), 7);
    dmGlobal->CarregaDocumentoItem(numero, "00012", "RC", "00001", "01", false, "and it.SEQUENCIA = 2");
    EXPECT_EQ(dmGlobal->quMovItem->recordCount(), 1);

    // Another series, operation or customer is another document; an empty number none.
    dmGlobal->CarregarDocumento(numero, "00012", "00001", "RC", "01");
    EXPECT_EQ(dmGlobal->quMov->recordCount(), 0);
    dmGlobal->CarregarDocumento(numero, "00013", "RC", "00001", "01");
    EXPECT_EQ(dmGlobal->quMov->recordCount(), 0);
    dmGlobal->CarregarDocumento({}, "00012", "RC", "00001", "01");
    EXPECT_EQ(dmGlobal->quMov->recordCount(), 0);
}

TEST_F(DocumentoFatura, TheCollectionIsIssuedOnceForEachBilledReceivableOfTheRanges)
{
    receber("000010", "", "2024-03-10");
    receber("000011", "A", "2024-03-20");
    receber("000012", "V", "2024-03-25");   // a forecast: not billed
    receber("000013", "", "2024-04-10");    // outside the due range
    EXPECT_EQ(dmGlobal->AbrirFaturaBoletoDocumentoContratoLocEquip(faixa("000010", "000013")), 2);
    EXPECT_EQ(one("select list(trim(NUMERO_DOCUMENTO) || ':' || FBNOSSONUMERO || ':' || FBTEXTO1 || ':' || FBTEXTO3)"
                  " from (select * from ACRC50FB order by NUMERO_DOCUMENTO)")
                  .toString(),
              "000010:01000010001:pedido\rContrato(s): 7:Vlr.(s): 80,00,"
              "000011:01000011001:pedido\rContrato(s): 7:Vlr.(s): 80,00");
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DO_BANCO = '341' and CRBORDERODATA is not null").toInt(),
              2);
    // Issued already: a second call issues nothing.
    EXPECT_EQ(dmGlobal->AbrirFaturaBoletoDocumentoContratoLocEquip(faixa("000010", "000013")), 0);
    // One document, and open emission dates (an invalid date leaves its side open).
    FaturaBoletoLocacao um = faixa("000013", "000013");
    um.vencimentoIni = QDateTime();
    EXPECT_EQ(dmGlobal->AbrirFaturaBoletoDocumentoContratoLocEquip(um), 1);
}

// Another desk deletes a selected receivable (its commit lands between this
// desk's selection and its marking the receivable billed): nothing is issued,
// the user is told, and what the transaction held before the call stays.
TEST_F(DocumentoFatura, AReceivableDeletedByAnotherDeskMeanwhileIssuesNoCollection)
{
    receber("000010", "", "2024-03-10");
    receber("000011", "", "2024-03-20");
    exec("create trigger TR_OUTRA_MESA for ACRC50FB before insert as begin"
         " if (new.NUMERO_DOCUMENTO = '000011') then in autonomous transaction do"
         " delete from ACRC5001 where NUMERO_DOCUMENTO = '000011'; end");
    tr().commitRetaining();
    receber("000020", "", "2024-05-10");   // this desk's own pending work
    dialogs->acknowledge("O documento 000011 do cliente 00012 não existe mais no contas a receber");
    EXPECT_THROW(dmGlobal->AbrirFaturaBoletoDocumentoContratoLocEquip(faixa("000010", "000013")), host::Abort);
    EXPECT_EQ(dialogs->pending(), 0);
    tr().commitRetaining();
    EXPECT_EQ(committed("select count(*) from ACRC50FB").toInt(), 0) << "no collection of a deleted receivable";
    EXPECT_EQ(committed("select count(*) from ACRC5001 where NUMERO_DO_BANCO is not null"
                        " or CRBORDERODATA is not null")
                  .toInt(),
              0);
    EXPECT_EQ(committed("select list(trim(NUMERO_DOCUMENTO)) from (select * from ACRC5001 order by 1)").toString(),
              "000010,000020");
}

}  // namespace
