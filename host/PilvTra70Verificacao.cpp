// The vehicle check-list of the host package PilvTra70.

#include "host/PilvTra70.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

#include <QDate>
#include <QDateTime>

#include <stdexcept>

void AtualizarUltimaVerificacaoVeiculo(int iVeiculo, int iItemVerificacao)
{
    if (!dmGlobal)
        throw std::logic_error("dmGlobal não foi criado");
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update AUGC20EVIV set EVIVDATAULTIMAVERIFICACAO = :HOJE"
                         " where EVCODIGO = :VEICULO and IVCODIGO = :ITEM",
                         {{"HOJE", hoje()},
                          {"VEICULO", iVeiculo},
                          {"ITEM", iItemVerificacao}});
}
