#pragma once
// A contract ready to be billed: customers, fiscal operations, a billing
// object, contract 7 of customer C0001 and helpers that read back the
// orders, their lines and the invoices.

#include "tests/contracts/ContractsFixture.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace contractstest {

class NotaParcelaTest : public ContractDataTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // An item of contract 7 (value, quantity, unit value, discount).
    void item(int codigo, const QString& produto, double valor, double quantidade = 1, double unitario = 0,
              double desconto = 0, const QString& cliente = "C0001", int contrato = 7);
    void contrato(const QString& atribuicoes);   // "ACSEPARASERVICO = 'I'" on contract 7
    // GeraNotaParcelaContrato for contract 7 (100.00 due 10/06/2031, object 4).
    QString gera(QString& serie, double valor = 100, int contrato = 7,
                 const QDateTime& faturamento = QDateTime(QDate(2031, 6, 10), QTime(0, 0)));
    QString geraPedido(double valor = 100, int contrato = 7);   // the order-only routine
    // "product|quantity|discount|unit|cfop" per line of the order, by line number.
    QStringList linhas(const QString& pedido);
    QString observacao(const QString& pedido, int linha);
    QStringList rows(const QString& sql);
};

}  // namespace contractstest
