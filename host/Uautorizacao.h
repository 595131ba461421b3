#pragma once
// The host's small input dialogs (unit Uautorizacao): one value each, true
// with the value when confirmed, false (value untouched) when cancelled.

#include <QDateTime>
#include <QString>
#include <QStringList>

// maxLength: the room of the column the text goes to (0: no limit).
bool Seleciona1Texto(const QString& caption, const QString& prompt, QString& texto, int maxLength = 0);
// A number typed the Brazilian way ("950,50", "1.234,56"), shown with two
// decimals; a text that is no number is refused and asked again.
bool SelecionaValorNumerico(const QString& caption, const QString& prompt, double& valor);
bool SelecionaValorNumericoDouble(const QString& caption, const QString& prompt, double& valor);
bool SelecionaValorInteiro(const QString& caption, const QString& prompt, int& valor);
bool SelecionaData(const QString& caption, const QString& prompt, QDateTime& data);
bool SelecionaSenha(const QString& caption, const QString& prompt, QString& senha);
// A vehicle plate ("AAA-9999"); the plate typed goes to sAuxiliarGeral.
bool SelecionaPlaca(const QString& caption, const QString& prompt);
// A pick list; the item chosen, "" when cancelled.
QString SelecionaFitraLista(const QString& titulo, const QString& caption, const QStringList& itens);
